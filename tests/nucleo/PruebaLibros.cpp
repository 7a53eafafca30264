// Book rules without dialogs: the deletion of a book with its documents,
// and the folder names a book may take.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Libros.h"
#include "VentanaFalsa.h"

using namespace brivo;

namespace {

void EscribirArchivo(const QString& ruta) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write("x");
}

// Over a scratch program folder of its own; counts the selections of the
// first node that BorrarLibro asks for.
class TVentanaLibros : public pruebas::TVentanaFalsa {
public:
    TVentanaLibros() { PonerCarpeta(carpeta.path()); }
    void SeleccionarPrimerNodo() override { ++seleccionesPrimerNodo; }

    // Puts a document of a book into a slot and writes its file when asked.
    void PonerDocumento(int numero, std::int32_t idLibro, bool conArchivo) {
        TDocumento& d = almacen.Documentos[numero];
        d.Vaciar();
        d.Numero = numero;
        d.IdLibro = idLibro;
        d.Descripcion = QStringLiteral("Documento %1").arg(numero);
        if (conArchivo)
            EscribirArchivo(RutaDocumento(numero));
    }

    QTemporaryDir carpeta;
    int seleccionesPrimerNodo = 0;
};

} // namespace

TEST(EliminarLibro, BorraDocumentosArchivosYCarpeta) {
    TVentanaLibros v;
    TLibro& l = v.PonerLibro(2, 222222, "Historia", "Historia");
    l.PermitirCambiosEnDoc = false;
    l.PermitirExportar = false;
    l.Materia = "Sociales";
    l.Comentario = "Un comentario";
    v.PonerLibro(5, 555555, "Física", "Fisica");
    v.almacen.LibroActivo = 2;
    v.PonerDocumento(1, 222222, true);
    v.PonerDocumento(2, 555555, true);
    v.PonerDocumento(3, 222222, true);
    v.PonerDocumento(4, 222222, false); // never shown in the editor: no file
    const QString ruta1 = v.RutaDocumento(1);
    const QString ruta2 = v.RutaDocumento(2);
    const QString ruta3 = v.RutaDocumento(3);

    BorrarLibro(v);

    EXPECT_EQ(v.seleccionesPrimerNodo, 1);
    for (int k : {1, 3, 4}) {
        EXPECT_EQ(v.almacen.Documentos[k].Numero, 0) << k;
        EXPECT_EQ(v.almacen.Documentos[k].IdLibro, 0) << k;
        EXPECT_TRUE(v.almacen.Documentos[k].Descripcion.Vacia()) << k;
    }
    EXPECT_FALSE(QFileInfo::exists(ruta1));
    EXPECT_FALSE(QFileInfo::exists(ruta3));
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "Historia"));
    // The other book and its document are untouched.
    EXPECT_EQ(v.almacen.Documentos[2].Numero, 2);
    EXPECT_TRUE(QFileInfo::exists(ruta2));
    EXPECT_EQ(v.almacen.Libros[5].Identificador, 555555);

    const TLibro& b = v.almacen.Libros[2];
    EXPECT_EQ(b.Identificador, 0);
    EXPECT_TRUE(b.Titulo.Vacia());
    EXPECT_TRUE(b.Autor.Vacia());
    EXPECT_TRUE(b.Materia.Vacia());
    EXPECT_TRUE(b.Carpeta.Vacia());
    EXPECT_TRUE(b.Comentario.Vacia());
    // The permission flags stay as they were.
    EXPECT_TRUE(b.ClaveEnDoc);
    EXPECT_FALSE(b.PermitirCambiosEnDoc);
    EXPECT_TRUE(b.PermitirMasDoc);
    EXPECT_FALSE(b.PermitirExportar);
    // The active slot is now free: the caller's AsegurarLibroActivo asks again.
    EXPECT_EQ(v.almacen.LibroActivo, 2);
    EXPECT_FALSE(v.almacen.LibroActivoValido());
}

TEST(EliminarLibro, OtrosArchivosDejanLaCarpeta) {
    TVentanaLibros v;
    v.PonerLibro(MaxLibros, 100100, "Último", "ultimo");
    v.almacen.LibroActivo = MaxLibros;
    v.PonerDocumento(7, 100100, true);
    EscribirArchivo(v.Docs() + "ultimo/apuntes.txt");
    EscribirArchivo(v.Docs() + "ultimo/K000099.doc"); // a file with no record
    BorrarLibro(v);
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "ultimo/K000007.doc"));
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "ultimo/apuntes.txt"));
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "ultimo/K000099.doc"));
    EXPECT_EQ(v.almacen.Documentos[7].Numero, 0);
    EXPECT_EQ(v.almacen.Libros[MaxLibros].Identificador, 0);
}

TEST(EliminarLibro, SinLibroActivoNoSeBorraNada) {
    TVentanaLibros v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.PonerDocumento(3, 0, false); // a document whose book is gone
    v.PonerDocumento(4, 111111, true);
    v.almacen.LibroActivo = 2; // free slot, identifier 0
    BorrarLibro(v);
    EXPECT_EQ(v.almacen.Documentos[3].Numero, 3);
    EXPECT_EQ(v.almacen.Documentos[4].Numero, 4);
    EXPECT_TRUE(QFileInfo::exists(v.RutaDocumento(4)));
    EXPECT_TRUE(QFileInfo(v.Docs()).isDir());
    EXPECT_EQ(v.seleccionesPrimerNodo, 0);
}

namespace brivo::pruebas {

struct CasoCarpeta {
    const char* nombre;
    bool valido;
};

class NombreDeCarpeta : public ::testing::TestWithParam<CasoCarpeta> {};

TEST_P(NombreDeCarpeta, SoloUnaCarpetaDentroDeDocs) {
    EXPECT_EQ(NombreCarpetaValido(QString::fromUtf8(GetParam().nombre)), GetParam().valido)
        << GetParam().nombre;
}

INSTANTIATE_TEST_SUITE_P(Libros, NombreDeCarpeta,
                         ::testing::Values(CasoCarpeta{"Historia", true},
                                           CasoCarpeta{"Física 2º", true}, CasoCarpeta{"..a", true},
                                           CasoCarpeta{"", false}, CasoCarpeta{"   ", false},
                                           CasoCarpeta{".", false}, CasoCarpeta{"..", false},
                                           CasoCarpeta{"a/b", false}, CasoCarpeta{"a\\b", false},
                                           CasoCarpeta{"a\tb", false},
                                           CasoCarpeta{"a\x7f", false}));

} // namespace brivo::pruebas
