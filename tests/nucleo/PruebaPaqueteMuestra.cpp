// The sample package of tests/datos (a zip archive packed by hand, without
// password) imported into an installation, and a package with password
// exported in the test from the sample library lists (the sample generator
// cannot encrypt) and imported elsewhere: every field as the samples hold it.
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "DialogoUsuario.h"
#include "EntornoPaquetes.h"
#include "Listas.h"
#include "Muestras.h"

using namespace brivo;
using namespace brivo::pruebas;
using namespace brivo::pruebas::muestras;

namespace {

class PaqueteDeMuestra : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Ruta(const QString& n) { return tmp.path() + QStringLiteral("/") + n; }

    TResultadoImportacion Importar(TInstalacion& d, const QString& archivo, const QString& clave,
                                   QStringList* mensajes = nullptr) {
        ui::TGuion guion;
        const TResultadoImportacion r = ImportarPaquete(d, archivo, clave, {}, nullptr);
        if (mensajes)
            *mensajes = Textos(guion.Mensajes);
        return r;
    }
};

// The slot of the document of a book known by that number, 0 when none.
int SlotDe(const TAlmacen& a, std::int32_t idLibro, int numero) {
    for (int i = 1; i <= MaxDocumentos; ++i) {
        const TDocumento& d = a.Documentos[i];
        if (d.Usado() && d.IdLibro == idLibro && d.Origen() == numero)
            return i;
    }
    return 0;
}

QStringList Nombres(const TAlmacen& a, const TDocumento& d) {
    QString m, t, c;
    a.Arbol.NombresDeLugar({d.IdMateria, d.IdTema, d.IdContenido}, m, t, c);
    return {m, t, c};
}

} // namespace

TEST_F(PaqueteDeMuestra, SinClaveCadaCampoComoElPaquete) {
    TInstalacion d(Ruta(QStringLiteral("destino")));
    d.PonerLibro(1, 111111, QStringLiteral("Local"), QStringLiteral("local"));
    d.almacen.LibroActivo = 1;
    QStringList mensajes;
    const TResultadoImportacion r =
        Importar(d, Archivo("paquete/Fisica_y_Quimica.zip"), QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa) << mensajes;
    EXPECT_TRUE(mensajes.isEmpty()) << mensajes;
    EXPECT_EQ(r.CarpetaPaquete, QStringLiteral("Física y Química")); // the archive comment

    ASSERT_EQ(r.SlotLibro, 2);
    const TLibro& l = d.almacen.Libros[2];
    EXPECT_EQ(l.Identificador, IdLibroPaquete); // plain in a package
    EXPECT_EQ(l.Titulo.Texto(), QStringLiteral("Física y Química 2º ESO"));
    EXPECT_EQ(l.Autor.Texto(), QStringLiteral("Marta Ibáñez"));
    EXPECT_EQ(l.Materia.Texto(), QStringLiteral("Ciencias"));
    EXPECT_EQ(l.Comentario.Texto(), QStringLiteral("Paquete de prueba"));
    EXPECT_EQ(l.Carpeta.Texto(), QStringLiteral("Física y Química"));
    EXPECT_FALSE(l.ClaveEnDoc);
    EXPECT_TRUE(l.PermitirCambiosEnDoc);
    EXPECT_FALSE(l.PermitirMasDoc);
    EXPECT_TRUE(l.PermitirExportar);
    EXPECT_EQ(d.almacen.LibroActivo, 1);

    // The tree gained both materias with their temas; the package's Útiles
    // branch was already there.
    EXPECT_EQ(r.NodosAnadidos, 4);
    const auto& raices = d.almacen.Arbol.Raices();
    ASSERT_GE(raices.size(), 2u);
    EXPECT_EQ(raices[raices.size() - 2]->Texto, QStringLiteral("Física y Química"));
    EXPECT_EQ(raices.back()->Identificador, QStringLiteral("600000001"));

    struct Caso {
        int numero;
        const char* descripcion;
        int tipo, dificultad;
        double puntos;
        const char *respuesta, *creacion, *tema;
        QByteArray archivo;
    };
    const Caso casos[] = {
        {1, "Velocidad media", 1, 0, 2.0, "c", "03/03/2004", "Cinemática",
         "Documento 1 del paquete: velocidad media\r\n"},
        {3, "Nomenclatura de alcanos", 3, 4, 0.0, "", "04/03/2004", "Alcanos",
         "Documento 3 del paquete: alcanos\r\n"},
    };
    EXPECT_EQ(r.DocumentosAnadidos, 2);
    for (const Caso& c : casos) {
        const int slot = SlotDe(d.almacen, IdLibroPaquete, c.numero);
        ASSERT_NE(slot, 0) << c.numero;
        const TDocumento& doc = d.almacen.Documentos[slot];
        EXPECT_EQ(doc.Descripcion.Texto(), QString::fromUtf8(c.descripcion));
        EXPECT_EQ(doc.Tipo, c.tipo);
        EXPECT_EQ(doc.Dificultad, c.dificultad);
        EXPECT_EQ(doc.Puntos, c.puntos);
        EXPECT_EQ(doc.Respuesta.Texto(), QString::fromUtf8(c.respuesta));
        EXPECT_EQ(doc.FechaCreacion.Texto(), QString::fromUtf8(c.creacion));
        EXPECT_EQ(doc.FechaUso.Texto(), QStringLiteral("01/01/1900"));
        EXPECT_EQ(doc.Formato.Texto(), QStringLiteral("DOC9"));
        EXPECT_EQ(Nombres(d.almacen, doc)[1], QString::fromUtf8(c.tema)) << c.numero;
        EXPECT_EQ(d.LeerDocumento(slot), c.archivo) << c.numero;
    }
}

// Export with a password from the sample lists, then import elsewhere.
TEST_F(PaqueteDeMuestra, ConClaveDesdeLasListasDeMuestra) {
    TInstalacion o(Ruta(QStringLiteral("origen")));
    LeerLibros(Archivo("biblioteca/Libros.lst"), o.almacen);
    LeerDocumentos(Archivo("biblioteca/Docs.lst"), o.almacen);
    o.almacen.Arbol.Cargar(Archivo("biblioteca/Arbol.tvw"));
    const LibroEsperado libro = LibrosEsperados().front(); // 123456, folder Matematicas1
    o.almacen.LibroActivo = libro.Slot;
    const QList<int> suyos = {1, 2, 4, 5};
    for (int n : suyos)
        pruebas::EscribirArchivo(o.RutaDocumento(n), Contenido(QStringLiteral("muestra"), n));
    const TResultadoExportacion e =
        ExportarActivo(o, Ruta(QStringLiteral("cifrado.zip")), QStringLiteral("sésamo"));
    ASSERT_TRUE(e.Correcto) << e.Mensaje;

    TInstalacion d(Ruta(QStringLiteral("destino")));
    QStringList mensajes;
    EXPECT_EQ(Importar(d, e.Archivo, QStringLiteral("sesamo"), &mensajes).Fin,
              TFinImportacion::ClaveErronea);
    EXPECT_EQ(mensajes, QStringList{QStringLiteral("Clave errónea. Se interrumpe el proceso.")});
    EXPECT_EQ(d.LibrosUsados(), 0);
    EXPECT_EQ(d.DocumentosUsados(), 0);

    const TResultadoImportacion r = Importar(d, e.Archivo, QStringLiteral("sésamo"));
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    ASSERT_EQ(r.SlotLibro, 1);
    const TLibro& l = d.almacen.Libros[1];
    EXPECT_EQ(l.Identificador, libro.Identificador);
    EXPECT_EQ(l.Titulo.Texto(), libro.Titulo);
    EXPECT_EQ(l.Autor.Texto(), libro.Autor);
    EXPECT_EQ(l.Materia.Texto(), libro.Materia);
    EXPECT_EQ(l.Comentario.Texto(), libro.Comentario);
    EXPECT_EQ(l.Carpeta.Texto(), libro.Carpeta);

    // Only the book's documents travel, each field as the sample list has it.
    EXPECT_EQ(d.DocumentosUsados(), suyos.size());
    for (const DocumentoEsperado& esperado : DocumentosEsperados()) {
        if (esperado.IdLibro != libro.Identificador)
            continue;
        const int slot = SlotDe(d.almacen, libro.Identificador, esperado.Numero);
        ASSERT_NE(slot, 0) << esperado.Numero;
        const TDocumento& doc = d.almacen.Documentos[slot];
        EXPECT_EQ(doc.Descripcion.Texto(), esperado.Descripcion);
        EXPECT_EQ(doc.Puntos, esperado.Puntos);
        EXPECT_EQ(doc.Respuesta.Texto(), esperado.Respuesta);
        EXPECT_EQ(doc.FechaUso.Texto(), esperado.FechaUso);
        EXPECT_EQ(doc.Formato.Texto(), esperado.Formato);
        EXPECT_EQ((TLugar{doc.IdMateria, doc.IdTema, doc.IdContenido}),
                  (TLugar{esperado.IdMateria, esperado.IdTema, esperado.IdContenido}));
        EXPECT_EQ(d.LeerDocumento(slot), Contenido(QStringLiteral("muestra"), esperado.Numero));
    }

    // Nodes are matched by identifier and level, never by caption: the
    // sample's Matemáticas (2) is the new installation's "Nueva materia" (2),
    // Álgebra (1) its "Nuevo tema" (1). Added: Matrices y determinantes,
    // Análisis with its contenido, Física y Química with its two levels and
    // the node without identifier.
    EXPECT_EQ(r.NodosAnadidos, 7);
    const TDocumento& pregunta = d.almacen.Documentos[SlotDe(d.almacen, libro.Identificador, 4)];
    EXPECT_EQ(Nombres(d.almacen, pregunta),
              (QStringList{QStringLiteral("Nueva materia"), QStringLiteral("Nuevo tema"),
                           QStringLiteral("Nuevo contenido")}));
}
