// Archives built by hand: hostile comments and entry names, a zip bomb,
// truncated and non-zip files; and packages written by Info-ZIP and 7-Zip.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zip.h>

#include "DialogoUsuario.h"
#include "EntornoPaquetes.h"
#include "Registros.h"

using namespace brivo;
using namespace brivo::pruebas;
using pruebas::CrearZipCrudo;

namespace {

constexpr std::int32_t Id = 555555;

QByteArray RegistroLibro(std::int32_t id = Id) {
    TLibro l;
    l.Identificador = id;
    l.Titulo = "Hostil";
    l.Carpeta = "Hostil";
    return ABytes(l);
}

QByteArray RegistroDocs(std::initializer_list<int> numeros) {
    QByteArray datos;
    for (int n : numeros) {
        TDocumento d;
        d.Numero = n;
        d.IdLibro = Id;
        datos += ABytes(d);
    }
    return datos;
}

class Hostil : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Ruta(const QString& n) { return tmp.path() + "/" + n; }

    TResultadoImportacion Importar(TInstalacion& d, const QString& archivo, QStringList& mensajes,
                                   const QString& clave = QString(), qint64 limite = 0) {
        ui::TGuion guion;
        TOpcionesImportacion op;
        if (limite > 0)
            op.LimiteDescomprimido = limite;
        const TResultadoImportacion r = ImportarPaquete(d, archivo, clave, op, nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        mensajes = Textos(guion.Mensajes);
        return r;
    }

    // Nothing reached the library, Docs or the folder above the installation.
    void Intacta(TInstalacion& d) {
        EXPECT_EQ(d.LibrosUsados(), 0);
        EXPECT_EQ(d.DocumentosUsados(), 0);
        EXPECT_TRUE(ArbolDeArchivos(d.Docs()).isEmpty()) << ArbolDeArchivos(d.Docs());
        EXPECT_TRUE(QDir(d.Docs()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        EXPECT_EQ(d.almacen.Arbol.NumNodos(), 9);
    }
};

} // namespace

TEST_F(Hostil, ComentarioQueNoEsUnaCarpetaSeRechazaAntesDeEscribir) {
    const QStringList comentarios{"../fuera", "../../etc", "/tmp/absoluta", "a/b",
                                  "..",       "   ",       "dos\nlineas",   QString(150, 'x')};
    int i = 0;
    for (const QString& comentario : comentarios) {
        TInstalacion d(Ruta(QString("d%1").arg(i++)));
        const QString zip = Ruta(QString("h%1.zip").arg(i));
        CrearZipCrudo(zip, {{"Libros.lst", RegistroLibro()}, {"K000001.doc", "doc"}}, comentario);
        QStringList mensajes;
        const TResultadoImportacion r = Importar(d, zip, mensajes);
        EXPECT_EQ(r.Fin, TFinImportacion::CarpetaNoValida) << comentario;
        ASSERT_EQ(mensajes.size(), 1) << comentario;
        EXPECT_TRUE(mensajes[0].startsWith("El paquete indica como carpeta del libro"));
        EXPECT_TRUE(mensajes[0].endsWith("Se interrumpe el proceso."));
        Intacta(d);
        EXPECT_FALSE(QFileInfo::exists(Ruta("fuera")));
        EXPECT_FALSE(QFileInfo::exists(d.almacen.CarpetaPrograma + "fuera"));
        EXPECT_FALSE(QFileInfo::exists("/tmp/absoluta/K000001.doc"));
    }
}

TEST_F(Hostil, EntradasConCarpetasSeEscribenSoloConSuNombre) {
    TInstalacion d(Ruta("instalacion"));
    const QString zip = Ruta("rutas.zip");
    CrearZipCrudo(zip,
                  {{"../../Libros.lst", RegistroLibro()},
                   {"sub/Docs.lst", RegistroDocs({1, 2, 3})},
                   {"../../../K000001.doc", "uno"},
                   {"/tmp/K000002.doc", "dos"},
                   {"..\\..\\K000003.doc", "tres"},
                   {"carpeta/", ""}},
                  "Hostil");
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, zip, mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa) << mensajes.join("|");
    EXPECT_EQ(ArbolDeArchivos(d.Docs()),
              QStringList({"Hostil/K000001.doc", "Hostil/K000002.doc", "Hostil/K000003.doc"}));
    EXPECT_EQ(d.LeerDocumento(2), "dos");
    EXPECT_FALSE(QFileInfo::exists(Ruta("K000001.doc")));
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/../K000001.doc"));
    EXPECT_EQ(d.DocumentosUsados(), 3);
}

TEST_F(Hostil, BombaZipSeDetieneSinEscribirNada) {
    TInstalacion d(Ruta("instalacion"));
    const QString zip = Ruta("bomba.zip");
    CrearZipCrudo(zip,
                  {{"Libros.lst", RegistroLibro()},
                   {"Docs.lst", RegistroDocs({1})},
                   {"K000001.doc", QByteArray(40 * 1024 * 1024, '\0')}},
                  "Hostil");
    ASSERT_LT(QFileInfo(zip).size(), 1024 * 1024);
    QStringList mensajes;
    TResultadoImportacion r = Importar(d, zip, mensajes, QString(), 8 * 1024 * 1024);
    EXPECT_EQ(r.Fin, TFinImportacion::ErrorDescomprimir);
    EXPECT_EQ(mensajes, QStringList{"Error al descomprimir. Se interrumpe el proceso."});
    Intacta(d);

    // The same with forged sizes: the data inflates far beyond what the
    // headers declare.
    pruebas::FalsearTamanos(zip, 100);
    r = Importar(d, zip, mensajes);
    EXPECT_EQ(r.Fin, TFinImportacion::ErrorDescomprimir);
    EXPECT_EQ(mensajes, QStringList{"Error al descomprimir. Se interrumpe el proceso."});
    Intacta(d);
}

TEST_F(Hostil, ListasDesmesuradasSeRechazanAlExtraerlas) {
    // A tree or a document list far beyond any package (zeros, so the
    // archive stays small) would be read whole into memory.
    for (const QString& lista : {paquete::Arbol, paquete::Docs}) {
        TInstalacion d(Ruta("d" + lista));
        const QString zip = Ruta("listas-" + lista + ".zip");
        CrearZipCrudo(zip,
                      {{"Libros.lst", RegistroLibro()},
                       {lista.toUtf8(), QByteArray(paquete::LimiteListas + 1, '\0')},
                       {"K000001.doc", "doc"}},
                      "Hostil");
        QStringList mensajes;
        const TResultadoImportacion r = Importar(d, zip, mensajes);
        EXPECT_EQ(r.Fin, TFinImportacion::ErrorDescomprimir) << lista;
        EXPECT_EQ(mensajes, QStringList{"Error al descomprimir. Se interrumpe el proceso."});
        Intacta(d);
    }
}

TEST_F(Hostil, ArchivoTruncadoNoZipYSinComentario) {
    TInstalacion o(Ruta("origen"));
    o.PonerLibro(1, Id, "Bueno", "Bueno");
    o.almacen.LibroActivo = 1;
    o.PonerDocumento(1, Id, Contenido("o", 1));
    const TResultadoExportacion e = ExportarActivo(o, Ruta("bueno.zip"));
    ASSERT_TRUE(e.Correcto);
    QByteArray datos = pruebas::LeerArchivo(e.Archivo);
    pruebas::EscribirArchivo(Ruta("truncado.zip"), datos.left(datos.size() / 2));
    pruebas::EscribirArchivo(Ruta("texto.zip"), "esto no es un zip\n");
    CrearZipCrudo(Ruta("sincomentario.zip"), {{"Libros.lst", RegistroLibro()}});
    CrearZipCrudo(Ruta("sinlibro.zip"), {{"K000001.doc", "x"}}, "Carpeta");
    CrearZipCrudo(Ruta("librocero.zip"), {{"Libros.lst", RegistroLibro(0)}}, "Carpeta");

    const struct {
        const char* archivo;
        TFinImportacion fin;
        const char* texto;
    } casos[] = {
        {"truncado.zip", TFinImportacion::NoLegible, "como paquete de libro"},
        {"texto.zip", TFinImportacion::NoLegible, "como paquete de libro"},
        {"no existe.zip", TFinImportacion::NoLegible, "No se encuentra el archivo"},
        {"sincomentario.zip", TFinImportacion::NoEsPaquete, "no indica la carpeta del libro"},
        {"sinlibro.zip", TFinImportacion::NoEsPaquete, "no contiene el registro del libro"},
        {"librocero.zip", TFinImportacion::NoEsPaquete, "no contiene el registro del libro"},
    };
    for (const auto& c : casos) {
        TInstalacion d(Ruta(QString("d-") + c.archivo));
        QStringList mensajes;
        const TResultadoImportacion r = Importar(d, Ruta(c.archivo), mensajes);
        EXPECT_EQ(r.Fin, c.fin) << c.archivo;
        ASSERT_EQ(mensajes.size(), 1) << c.archivo;
        EXPECT_TRUE(mensajes[0].contains(c.texto)) << mensajes[0];
        EXPECT_TRUE(mensajes[0].endsWith("Se interrumpe el proceso.")) << mensajes[0];
        Intacta(d);
    }
}

// A book record whose identifier does not fit six digits would drift at the
// next save (1234567 is stored as 123456): such a package is refused before
// anything reaches the library or Docs.
TEST_F(Hostil, IdentificadorDeLibroFueraDeRangoSeRechaza) {
    for (const std::int32_t id : {1234567, 1000000, -1, -123456, INT32_MIN}) {
        const QString zip = Ruta(QString("id%1.zip").arg(id));
        CrearZipCrudo(zip,
                      {{"Libros.lst", RegistroLibro(id)},
                       {"Docs.lst", RegistroDocs({1})},
                       {"K000001.doc", "contenido"}},
                      "Hostil");
        TInstalacion d(Ruta(QString("d%1").arg(id)));
        QStringList mensajes;
        EXPECT_EQ(Importar(d, zip, mensajes).Fin, TFinImportacion::IdentificadorNoValido) << id;
        EXPECT_EQ(mensajes,
                  QStringList{"El paquete no es válido: identificador de libro incorrecto."});
        Intacta(d);
        EXPECT_TRUE(QDir(d.almacen.CarpetaPrograma + "Temp")
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty());
    }
    // The largest identifier that fits is a book like any other.
    CrearZipCrudo(Ruta("maximo.zip"), {{"Libros.lst", RegistroLibro(999999)}}, "Hostil");
    TInstalacion d(Ruta("maximo"));
    QStringList mensajes;
    EXPECT_EQ(Importar(d, Ruta("maximo.zip"), mensajes).Fin, TFinImportacion::Completa);
    EXPECT_EQ(d.almacen.Libros[1].Identificador, 999999);
}

// A package made elsewhere may carry a file left by an interrupted write:
// it never reaches the book's folder.
TEST_F(Hostil, LosRestosDeEscriturasDelPaqueteNoSeColocan) {
    CrearZipCrudo(Ruta("restos.zip"),
                  {{"Libros.lst", RegistroLibro()},
                   {"Docs.lst", RegistroDocs({1})},
                   {"K000001.doc", "uno"},
                   {"K000001.doc.tmp4f", "resto"},
                   {"K000002.doc.brivo-tmp", "resto"},
                   {"Kapitel.txt", "otro archivo"}},
                  "Hostil");
    TInstalacion d(Ruta("d"));
    QStringList mensajes;
    ASSERT_EQ(Importar(d, Ruta("restos.zip"), mensajes).Fin, TFinImportacion::Completa) << mensajes;
    EXPECT_EQ(pruebas::ArchivosEn(d.Docs() + "Hostil"),
              QStringList({"K000001.doc", "Kapitel.txt"}));
}

// Counts in the closing note agree with the number: one record of another
// book is told in the singular.
TEST_F(Hostil, UnRegistroAjenoSeCuentaEnSingular) {
    TDocumento ajeno;
    ajeno.Numero = 2;
    ajeno.IdLibro = 777777;
    CrearZipCrudo(Ruta("ajeno.zip"),
                  {{"Libros.lst", RegistroLibro()},
                   {"Docs.lst", RegistroDocs({1}) + ABytes(ajeno)},
                   {"K000001.doc", "uno"}},
                  "Hostil");
    TInstalacion d(Ruta("d"));
    QStringList mensajes;
    ASSERT_EQ(Importar(d, Ruta("ajeno.zip"), mensajes).Fin, TFinImportacion::Completa);
    EXPECT_EQ(mensajes, QStringList{"1 registro de documento del paquete no pertenece al libro o "
                                    "no es válido y se ha descartado."});
    EXPECT_EQ(d.DocumentosUsados(), 1);
}

TEST_F(Hostil, NombreDeArchivoVacio) {
    TInstalacion d(Ruta("instalacion"));
    QStringList mensajes;
    for (const QString& nombre : {QString(), Ruta("carpeta/")}) {
        EXPECT_EQ(Importar(d, nombre, mensajes).Fin, TFinImportacion::SinNombre);
        EXPECT_EQ(mensajes, QStringList{"No hay nombre de archivo"});
    }
    EXPECT_TRUE(QFileInfo(d.almacen.CarpetaPrograma + "Temp").isDir());
}

// ---------------------------------------------------------------------------
// Interoperation with other zip programs.

namespace {

class Interop : public Hostil {
protected:
    // The files of a package written by hand into a folder.
    QStringList Archivos(const QString& carpeta) {
        pruebas::EscribirArchivo(carpeta + "/Libros.lst", RegistroLibro());
        pruebas::EscribirArchivo(carpeta + "/Docs.lst", RegistroDocs({1, 2}));
        pruebas::EscribirArchivo(carpeta + "/K000001.doc", pruebas::TextoDocumento(1, 30000));
        pruebas::EscribirArchivo(carpeta + "/K000002.doc", pruebas::TextoDocumento(2, 5000));
        return {"Libros.lst", "Docs.lst", "K000001.doc", "K000002.doc"};
    }
    void Comprobar(TInstalacion& d) {
        EXPECT_EQ(d.almacen.Libros[1].Identificador, Id);
        EXPECT_EQ(d.almacen.Libros[1].Carpeta.Texto(), "Hostil");
        EXPECT_EQ(d.LeerDocumento(1), pruebas::TextoDocumento(1, 30000));
        EXPECT_EQ(d.LeerDocumento(2), pruebas::TextoDocumento(2, 5000));
    }
};

void Requiere(const char* programa) {
    if (!pruebas::Herramienta(programa))
        GTEST_SKIP() << programa << " no está instalado";
}

} // namespace

TEST_F(Interop, PaquetesDeInfoZipConYSinClave) {
    Requiere("zip");
    const QString origen = Ruta("archivos");
    const QStringList nombres = Archivos(origen);
    for (const bool cifrar : {false, true}) {
        const QString zip = Ruta(cifrar ? "infozip-cifrado.zip" : "infozip.zip");
        QStringList args{"-q", "-z"};
        if (cifrar)
            args << "-P"
                 << "clave vieja";
        args << zip;
        args += nombres;
        ASSERT_EQ(pruebas::Ejecutar("zip", args, origen, "Hostil\n.\n"), 0);
        TInstalacion d(Ruta(cifrar ? "d-cifrado" : "d-llano"));
        QStringList mensajes;
        const TResultadoImportacion r =
            Importar(d, zip, mensajes, cifrar ? "clave vieja" : QString());
        ASSERT_EQ(r.Fin, TFinImportacion::Completa) << mensajes.join("|");
        Comprobar(d);
        if (cifrar) {
            TInstalacion d2(Ruta("d-cifrado-mal"));
            EXPECT_EQ(Importar(d2, zip, mensajes, "otra").Fin, TFinImportacion::ClaveErronea);
            EXPECT_EQ(mensajes, QStringList{"Clave errónea. Se interrumpe el proceso."});
            Intacta(d2);
        }
    }
}

TEST_F(Interop, PaquetesDe7ZipConAesYZipCrypto) {
    Requiere("7z");
    Requiere("zip");
    const QString origen = Ruta("archivos");
    const QStringList nombres = Archivos(origen);
    for (const QString metodo : {"AES256", "ZipCrypto"}) {
        const QString zip = Ruta("7z-" + metodo + ".zip");
        QStringList args{"a", "-tzip", "-bd", "-pclave 7z", "-mem=" + metodo, zip};
        args += nombres;
        ASSERT_EQ(pruebas::Ejecutar("7z", args, origen), 0);
        // 7-Zip writes no archive comment; Info-ZIP adds it without touching
        // the entries.
        ASSERT_EQ(pruebas::Ejecutar("zip", {"-q", "-z", zip}, origen, "Hostil\n.\n"), 0);
        TInstalacion d(Ruta("d-" + metodo));
        QStringList mensajes;
        ASSERT_EQ(Importar(d, zip, mensajes, "clave 7z").Fin, TFinImportacion::Completa)
            << metodo << mensajes.join("|");
        Comprobar(d);
    }
}

TEST_F(Interop, OtrosProgramasAbrenNuestrosPaquetes) {
    Requiere("7z");
    Requiere("unzip");
    TInstalacion o(Ruta("origen"));
    o.PonerLibro(1, Id, "Libro", "Carpeta del libro");
    o.almacen.LibroActivo = 1;
    for (int n = 1; n <= 3; ++n)
        o.PonerDocumento(n, Id, pruebas::TextoDocumento(n, 20000));
    const TResultadoExportacion llano = ExportarActivo(o, Ruta("llano.zip"));
    const TResultadoExportacion cifrado = ExportarActivo(o, Ruta("cifrado.zip"), "Mi clave");
    ASSERT_TRUE(llano.Correcto && cifrado.Correcto);
    EXPECT_EQ(pruebas::Ejecutar("unzip", {"-tq", llano.Archivo}), 0);
    EXPECT_EQ(pruebas::Ejecutar("7z", {"t", llano.Archivo}), 0);
    EXPECT_EQ(pruebas::Ejecutar("7z", {"t", "-pMi clave", cifrado.Archivo}), 0);
    EXPECT_NE(pruebas::Ejecutar("7z", {"t", "-potra", cifrado.Archivo}), 0);
    ASSERT_EQ(
        pruebas::Ejecutar("7z", {"x", "-y", "-pMi clave", "-o" + Ruta("7z"), cifrado.Archivo}), 0);
    EXPECT_EQ(pruebas::LeerArchivo(Ruta("7z/K000003.doc")), pruebas::TextoDocumento(3, 20000));
}
