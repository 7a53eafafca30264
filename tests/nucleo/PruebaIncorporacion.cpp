// The merge of an extracted package, one step at a time: what is read, what
// is decided before anything changes, where the files go, which records come
// in, the tree, and the closing notes. And the numbers of origin a new
// document takes, through a save, an export and an import elsewhere.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "BancoDocumentos.h"
#include "EntornoPaquetes.h"
#include "IncorporacionPaquete.h"
#include "Listas.h"

namespace brivo::pruebas {

namespace {

constexpr std::int32_t IdPaquete = 333333;
constexpr std::int32_t IdLocal = 111111;

// An extracted package written by hand, and the installation it goes into:
// the package's book already has document 3 there (same number of origin),
// and document 5 of another book holds slot 5.
class Incorporacion : public ::testing::Test {
protected:
    Incorporacion() : d(tmp.path() + "/destino") {
        d.PonerLibro(1, IdLocal, "Local", "local");
        d.PonerLibro(2, IdPaquete, "Viejo", "paquete");
        d.PonerDocumento(3, IdPaquete, Contenido("local", 3));
        d.PonerDocumento(5, IdLocal, Contenido("local", 5));
        Libro(IdPaquete);
    }
    QString Listas() { return tmp.path() + "/listas"; }
    QString Archivos() { return tmp.path() + "/archivos"; }
    void Libro(std::int32_t id, const QString& titulo = "Del paquete") {
        TLibro l;
        l.Identificador = id;
        l.Titulo = titulo;
        pruebas::EscribirArchivo(Listas() + "/Libros.lst", ABytes(l));
    }
    // Records of the package's book with these numbers (another book's when negative).
    void Docs(std::initializer_list<int> numeros) {
        QByteArray datos;
        for (int n : numeros) {
            TDocumento doc;
            doc.Numero = std::abs(n);
            doc.IdLibro = n < 0 ? IdLocal : IdPaquete;
            doc.Marcado = true;
            doc.Descripcion = QString("Paquete %1").arg(std::abs(n));
            datos += ABytes(doc);
            pruebas::EscribirArchivo(Archivos() + "/" + NombreArchivoDocumento(std::abs(n)),
                                     Contenido("paquete", std::abs(n)));
        }
        pruebas::EscribirArchivo(Listas() + "/Docs.lst", datos);
    }
    TIncorporacionPaquete Nueva(const QString& carpeta = "paquete") {
        return TIncorporacionPaquete(d.almacen, {carpeta, Listas(), Archivos()});
    }
    QTemporaryDir tmp;
    TInstalacion d;
};

struct CasoLectura {
    const char* nombre;
    int libros;          // books put in the installation besides the two
    const char* carpeta; // the package's folder name
    std::int32_t id;     // the package's book identifier (-1: no Libros.lst)
    TFinImportacion fin;
};

class LecturaDelPaquete : public Incorporacion,
                          public ::testing::WithParamInterface<CasoLectura> {};

} // namespace

TEST_P(LecturaDelPaquete, SeDetieneAntesDeCambiarNada) {
    const CasoLectura& caso = GetParam();
    for (int i = 0; i < caso.libros; ++i)
        d.PonerLibro(3 + i, 500000 + i, "Lleno", QString("l%1").arg(i));
    if (caso.id < 0)
        QFile::remove(Listas() + "/Libros.lst");
    else
        Libro(caso.id);
    Docs({1});
    TIncorporacionPaquete inc = Nueva(QString::fromUtf8(caso.carpeta));
    EXPECT_FALSE(inc.LeerPaquete());
    EXPECT_EQ(inc.Resultado().Fin, caso.fin);
    EXPECT_TRUE(inc.Registros().empty());
    EXPECT_EQ(d.DocumentosUsados(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Incorporacion, LecturaDelPaquete,
    ::testing::Values(
        CasoLectura{"LibrosLlenos", MaxLibros - 2, "paquete", IdPaquete,
                    TFinImportacion::TablaLibrosLlena},
        CasoLectura{"CarpetaPadre", 0, "..", IdPaquete, TFinImportacion::CarpetaNoValida},
        CasoLectura{"CarpetaConBarra", 0, "a/b", IdPaquete, TFinImportacion::CarpetaNoValida},
        CasoLectura{"SinLibro", 0, "paquete", -1, TFinImportacion::NoEsPaquete},
        CasoLectura{"LibroLibre", 0, "paquete", 0, TFinImportacion::NoEsPaquete},
        CasoLectura{"IdentificadorGrande", 0, "paquete", 1000000,
                    TFinImportacion::IdentificadorNoValido}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Incorporacion, LeerTomaRegistrosOrigenesYArbol) {
    Docs({3, 6, -8});
    pruebas::EscribirArchivo(Listas() + "/Origenes.lst", "6 9\r\n");
    pruebas::EscribirArchivo(Listas() + "/Arbol.tvw", QByteArray("\x02\x00\x00\x00\x50", 5));
    TIncorporacionPaquete inc = Nueva();
    ASSERT_TRUE(inc.LeerPaquete());
    EXPECT_EQ(inc.Libro().Identificador, IdPaquete);
    EXPECT_EQ(inc.Registros().size(), 3u);
    EXPECT_EQ(inc.Origenes().value(6), 9);
    ASSERT_EQ(inc.Resultado().Avisos.size(), 1);
    EXPECT_TRUE(inc.Resultado().Avisos[0].startsWith("El árbol de temas del paquete no se puede"));
}

TEST_F(Incorporacion, DecidirNoCambiaNadaTodavia) {
    // 3 is listed already; 5's slot is taken; 6 goes by 9, whose slot is free;
    // 7 goes by 501, beyond the slots; 8 belongs to another book; 10 repeats 9.
    Docs({3, 5, 6, 7, -8, 10});
    pruebas::EscribirArchivo(Listas() + "/Origenes.lst", "6 9\r\n7 501\r\n10 9\r\n");
    TIncorporacionPaquete inc = Nueva();
    ASSERT_TRUE(inc.LeerPaquete());
    ASSERT_TRUE(inc.DecidirPlazas());

    std::map<int, std::pair<int, bool>> plazas; // package number -> slot, listed
    for (const auto& c : inc.Colocaciones())
        plazas[c.NumeroPaquete] = {c.Slot, c.Listado};
    const std::map<int, std::pair<int, bool>> esperadas = {
        {3, {3, true}}, {5, {1, false}}, {6, {9, false}}, {7, {7, false}}};
    EXPECT_EQ(plazas, esperadas);
    const TResultadoImportacion& r = inc.Resultado();
    EXPECT_EQ(r.DocumentosOmitidos, 1);
    EXPECT_EQ(r.DocumentosAnadidos, 3);
    EXPECT_EQ(r.DocumentosRenumerados, 1);
    EXPECT_EQ(r.DocumentosAjenos, 2);
    EXPECT_TRUE(r.LibroReemplazado);
    EXPECT_EQ(r.SlotLibro, 2);
    EXPECT_EQ(r.CarpetaUsada, "paquete");
    // Nothing reached the tables or the folder yet.
    EXPECT_EQ(d.DocumentosUsados(), 2);
    EXPECT_EQ(d.almacen.Libros[2].Titulo.Texto(), "Viejo");
    EXPECT_FALSE(QFileInfo::exists(d.Docs() + "paquete/K000001.doc"));
}

TEST_F(Incorporacion, DecidirLaCarpetaDeOtroLibro) {
    Docs({1});
    d.almacen.Libros[2].Identificador = 0; // the package's book is new here
    d.almacen.Libros[2].Carpeta.Vaciar();
    TIncorporacionPaquete inc = Nueva("local"); // the folder of book 111111
    ASSERT_TRUE(inc.LeerPaquete());
    ASSERT_TRUE(inc.DecidirPlazas());
    EXPECT_FALSE(inc.Resultado().LibroReemplazado);
    EXPECT_EQ(inc.Resultado().CarpetaUsada, "local_2");
    EXPECT_EQ(inc.Resultado().SlotLibro, 2);
    EXPECT_EQ(inc.Resultado().Avisos,
              QStringList{"La carpeta \"local\" del paquete pertenece a otro libro; los documentos "
                          "del libro importado se guardan en la carpeta \"local_2\"."});
}

TEST_F(Incorporacion, MoverLosArchivosPorSuPlaza) {
    Docs({3, 5, 6});
    QFile::remove(Archivos() + "/K000006.doc"); // a record without its file
    pruebas::EscribirArchivo(Archivos() + "/K000006.doc.tmp1a2b3c", "restos"); // not ours
    pruebas::EscribirArchivo(Archivos() + "/K000002.doc", "suelto");           // free slot
    pruebas::EscribirArchivo(Archivos() + "/notas.txt", "notas");
    // A stray file named after the slot a record takes is not its file.
    pruebas::EscribirArchivo(Archivos() + "/K000001.doc", "ajeno");
    QFile::remove(Archivos() + "/K000005.doc");
    TIncorporacionPaquete inc = Nueva();
    ASSERT_TRUE(inc.LeerPaquete());
    ASSERT_TRUE(inc.DecidirPlazas());
    inc.MoverArchivos();
    const QString carpeta = d.Docs() + "paquete/";
    EXPECT_EQ(pruebas::LeerArchivo(carpeta + "K000003.doc"), Contenido("paquete", 3));
    EXPECT_FALSE(QFileInfo::exists(carpeta + "K000001.doc"));
    EXPECT_FALSE(QFileInfo::exists(carpeta + "K000006.doc"));
    EXPECT_EQ(pruebas::LeerArchivo(carpeta + "K000002.doc"), "suelto");
    EXPECT_EQ(pruebas::LeerArchivo(carpeta + "notas.txt"), "notas");
    EXPECT_FALSE(QFileInfo::exists(carpeta + "K000006.doc.tmp1a2b3c"));
    EXPECT_EQ(d.DocumentosUsados(), 2); // records come in the next step
}

TEST_F(Incorporacion, LosRegistrosEntranConSuNumeroYSuOrigen) {
    Docs({3, 5, 7});
    pruebas::EscribirArchivo(Listas() + "/Origenes.lst", "7 501\r\n");
    TIncorporacionPaquete inc = Nueva();
    ASSERT_TRUE(inc.LeerPaquete());
    ASSERT_TRUE(inc.DecidirPlazas());
    inc.MoverArchivos();
    inc.IncorporarRegistros();
    const TDocumento& renumerado = d.almacen.Documentos[1];
    EXPECT_EQ(renumerado.Numero, 1);
    EXPECT_EQ(renumerado.Origen(), 5);
    EXPECT_FALSE(renumerado.Marcado);
    EXPECT_EQ(renumerado.Descripcion.Texto(), "Paquete 5");
    EXPECT_EQ(d.almacen.Documentos[7].NumeroOrigen, 501);
    EXPECT_EQ(d.LeerDocumento(7), Contenido("paquete", 7));
    EXPECT_EQ(d.almacen.Documentos[3].Descripcion.Texto(), "Documento 3 del libro 333333");
    EXPECT_EQ(d.almacen.Libros[2].Titulo.Texto(), "Del paquete");
    EXPECT_EQ(d.almacen.Libros[2].Carpeta.Texto(), "paquete");

    inc.Informe();
    EXPECT_EQ(inc.Resultado().Avisos, QStringList{"1 documento importado ha recibido otro número "
                                                  "porque el suyo lo tenía otro documento."});
}

TEST_F(Incorporacion, NodosDelPaquete) {
    Docs({});
    TArbol arbol;
    arbol.CargarInicial();
    TNodo* m = arbol.Anadir(nullptr, "Óptica", "700000001");
    arbol.Anadir(m, "Lentes", "700000002");
    arbol.Guardar(Listas() + "/Arbol.tvw");
    const int antes = d.almacen.Arbol.NumNodos();
    TIncorporacionPaquete inc = Nueva();
    ASSERT_TRUE(inc.LeerPaquete());
    ASSERT_TRUE(inc.DecidirPlazas());
    inc.IncorporarNodos();
    EXPECT_EQ(inc.Resultado().NodosAnadidos, 2);
    EXPECT_EQ(d.almacen.Arbol.NumNodos(), antes + 2);
}

TEST_F(Incorporacion, InformeDeLoQueNoCupo) {
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (!d.almacen.Documentos[k].Usado())
            d.PonerDocumento(k, IdLocal, "");
    Docs({6, 7, -8});
    TIncorporacionPaquete inc = Nueva();
    const TResultadoImportacion r = inc.Incorporar();
    EXPECT_EQ(r.DocumentosSinSitio, 2);
    EXPECT_EQ(r.Avisos,
              (QStringList{"2 documentos del paquete no caben en la lista de documentos (500 "
                           "como máximo) y no se han importado.",
                           "1 registro de documento del paquete no pertenece al libro o no es "
                           "válido y se ha descartado."}));
}

// A document an import renumbered goes by its old number; a new document of
// the book that takes that number's slot goes by a number above the slots.
// Both travel and both arrive: neither is taken for the other.
TEST(NumeroDeOrigen, UnDocumentoNuevoNoSeConfundeConUnoRenumerado) {
    QTemporaryDir tmp;
    TInstalacion b(tmp.path() + "/b");
    b.PonerLibro(1, IdPaquete, "Libro", "libro");
    b.almacen.LibroActivo = 1;
    b.PonerDocumento(3, IdPaquete, Contenido("renumerado", 7)).NumeroOrigen = 7;
    // The new document takes slot 7, as CrearDocumento gives it.
    TDocumento& nuevo = b.PonerDocumento(7, IdPaquete, Contenido("nuevo", 7));
    nuevo.NumeroOrigen = OrigenDeDocumentoNuevo(b.almacen, IdPaquete, 7);
    ASSERT_EQ(nuevo.NumeroOrigen, 501);
    // Origenes.lst keeps it through the end of the run and the next start.
    b.almacen.GuardarLibreria();
    for (TDocumento& doc : b.almacen.Documentos)
        doc.Vaciar();
    b.almacen.CargarLibreria();
    ASSERT_EQ(b.almacen.Documentos[7].Origen(), 501);
    ASSERT_EQ(b.almacen.Documentos[3].Origen(), 7);

    const TResultadoExportacion e = ExportarActivo(b, tmp.path() + "/libro.zip");
    ASSERT_TRUE(e.Correcto) << e.Mensaje;
    TInstalacion c(tmp.path() + "/c");
    c.PonerLibro(1, IdLocal, "Otro", "otro");
    c.PonerDocumento(7, IdLocal, Contenido("otro", 7));
    ui::TGuion guion;
    guion.HayConfirmacionPorDefecto = true;
    TResultadoImportacion r = ImportarPaquete(c, e.Archivo, {}, {}, nullptr);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAnadidos, 2);
    EXPECT_EQ(r.DocumentosAjenos, 0);
    QMap<int, QByteArray> porOrigen;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& doc = c.almacen.Documentos[k];
        if (doc.Usado() && doc.IdLibro == IdPaquete)
            porOrigen[doc.Origen()] = c.LeerDocumento(k);
    }
    EXPECT_EQ(porOrigen, (QMap<int, QByteArray>{{7, Contenido("renumerado", 7)},
                                                {501, Contenido("nuevo", 7)}}));
    // Once more: both are known.
    r = ImportarPaquete(c, e.Archivo, {}, {}, nullptr);
    EXPECT_EQ(r.DocumentosAnadidos, 0);
    EXPECT_EQ(r.DocumentosOmitidos, 2);
}

} // namespace brivo::pruebas
