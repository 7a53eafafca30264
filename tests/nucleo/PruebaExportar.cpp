// Export: the package lists, the archive's entries, comment and password,
// re-export, failed writes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "Arbol.h"
#include "EntornoPaquetes.h"
#include "Listas.h"
#include "ZipComun.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Exportacion : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Ruta(const QString& n) { return tmp.path() + "/" + n; }
};

QStringList Nombres(const QString& zip) {
    QStringList n;
    for (const EntradaZip& e : ListarEntradasZip(zip))
        n << e.Nombre;
    n.sort();
    return n;
}

} // namespace

TEST_F(Exportacion, ArchivoPredeterminadoConGuionesBajos) {
    TInstalacion ins(Ruta("Mi programa"));
    TLibro& l = ins.PonerLibro(1, 123456, "Mi libro de  Física", "fis");
    EXPECT_EQ(ArchivoExportacionPredeterminado(ins.almacen, l),
              ins.almacen.CarpetaPrograma + "BAK/Mi_libro_de__Física");
    l.Titulo = "Año 1/2";
    EXPECT_EQ(ArchivoExportacionPredeterminado(ins.almacen, l),
              ins.almacen.CarpetaPrograma + "BAK/Año_1_2");
}

TEST_F(Exportacion, PrepararPaqueteEscribeLasTresListas) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 111111, "Otro", "otro");
    TLibro& l = ins.PonerLibro(3, 654321, "Química", "quim");
    l.ClaveEnDoc = true;
    l.PermitirCambiosEnDoc = true;
    l.PermitirMasDoc = false;
    l.PermitirExportar = false;
    ins.PonerDocumento(7, 654321, "");
    ins.PonerDocumento(2, 111111, "");
    ins.PonerDocumento(4, 654321, "");
    ins.almacen.Arbol.Anadir(nullptr, "Química orgánica", "123456789");

    TOpcionesPaquete op;
    op.ClaveEnDoc = false;
    op.PermitirCambiosEnDoc = false;
    op.PermitirMasDoc = true;
    PrepararPaquete(ins.almacen, 654321, op);

    const QString temp = ins.almacen.CarpetaPrograma + "Temp/";
    const QByteArray libros = pruebas::LeerArchivo(temp + "Libros.lst");
    ASSERT_EQ(libros.size(), TamRegistroLibro);
    const TLibro r = LibroDeBytes(libros.constData());
    EXPECT_EQ(r.Identificador, 654321); // the identifier itself, not a decoy
    EXPECT_EQ(r.Titulo.Texto(), "Química");
    EXPECT_FALSE(r.ClaveEnDoc);
    EXPECT_FALSE(r.PermitirCambiosEnDoc);
    EXPECT_TRUE(r.PermitirMasDoc);
    EXPECT_FALSE(r.PermitirExportar);
    // The exporting book keeps its own flags.
    EXPECT_TRUE(l.ClaveEnDoc);
    EXPECT_FALSE(l.PermitirMasDoc);

    const QByteArray docs = pruebas::LeerArchivo(temp + "Docs.lst");
    ASSERT_EQ(docs.size(), 2 * TamRegistroDocumento);
    EXPECT_EQ(DocumentoDeBytes(docs.constData()).Numero, 4);
    EXPECT_EQ(DocumentoDeBytes(docs.constData() + TamRegistroDocumento).Numero, 7);
    EXPECT_EQ(pruebas::LeerArchivo(temp + "Arbol.tvw"), ins.almacen.Arbol.Serializar());
}

TEST_F(Exportacion, PaqueteConNombresDesnudosComentarioYArchivosDeLaCarpeta) {
    TInstalacion ins(Ruta("origen con blancos"));
    ins.PonerLibro(2, 246810, "Libro de prueba", "Carpeta con blancos");
    ins.almacen.LibroActivo = 2;
    ins.PonerDocumento(1, 246810, Contenido("o", 1));
    ins.PonerDocumento(5, 246810, Contenido("o", 5));
    // Other files of the folder travel too; sub-folders do not. A file named
    // like a package list never stands in for the real list.
    pruebas::EscribirArchivo(ins.Docs() + "Carpeta con blancos/notas.txt", "notas");
    pruebas::EscribirArchivo(ins.Docs() + "Carpeta con blancos/Docs.lst", "falso");
    pruebas::EscribirArchivo(ins.Docs() + "Carpeta con blancos/sub/K000009.doc", "no");

    const QString archivo = ins.almacen.CarpetaPrograma + "BAK/Libro_de_prueba";
    QDir().mkpath(ins.almacen.CarpetaPrograma + "BAK");
    const TResultadoExportacion r = ExportarActivo(ins, archivo);
    ASSERT_TRUE(r.Correcto) << r.Mensaje;
    EXPECT_EQ(r.Archivo, archivo + ".zip");
    EXPECT_TRUE(QFileInfo::exists(archivo + ".zip"));
    EXPECT_EQ(LeerComentarioZip(r.Archivo), "Carpeta con blancos");
    EXPECT_EQ(Nombres(r.Archivo), QStringList({"Arbol.tvw", "Docs.lst", "K000001.doc",
                                               "K000005.doc", "Libros.lst", "notas.txt"}));
    // The Docs.lst inside is the package's list, not the folder's file.
    const QString fuera = Ruta("fuera");
    ASSERT_EQ(pruebas::Ejecutar("unzip", {"-q", r.Archivo, "-d", fuera}), 0);
    EXPECT_EQ(QFileInfo(fuera + "/Docs.lst").size(), 2 * TamRegistroDocumento);
    EXPECT_EQ(pruebas::LeerArchivo(fuera + "/K000005.doc"), Contenido("o", 5));
}

// Files left by interrupted writes in Temp or in the book's folder never
// travel: everything else there does.
TEST_F(Exportacion, LosRestosDeEscriturasInterrumpidasNoViajan) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Uno", "uno");
    ins.almacen.LibroActivo = 1;
    ins.PonerDocumento(1, 135791, Contenido("u", 1));
    const QString temp = ins.almacen.CarpetaPrograma + "Temp/";
    const QString carpeta = ins.Docs() + "uno/";
    for (const QString& n :
         {temp + "Docs.lst.tmp1a2b", temp + "Arbol.tvw.tmpf", carpeta + "K000001.doc.tmp3",
          carpeta + "K000002.doc.brivo-tmp", carpeta + ".brivo-zip-Ab12Cd", temp + "nota.txt"})
        pruebas::EscribirArchivo(n, "resto");
    const TResultadoExportacion r = ExportarActivo(ins, Ruta("uno.zip"));
    ASSERT_TRUE(r.Correcto) << r.Mensaje;
    EXPECT_EQ(Nombres(r.Archivo),
              QStringList({"Arbol.tvw", "Docs.lst", "K000001.doc", "Libros.lst", "nota.txt"}));
    EXPECT_EQ(pruebas::ArchivosEn(carpeta), QStringList{"K000001.doc"});
}

// The numbers of origin go with their own book only; a book without any
// leaves none of another book's behind in Temp (where everything travels).
TEST_F(Exportacion, LaListaDeOrigenesViajaSoloConSuLibro) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Uno", "uno");
    ins.PonerLibro(2, 246802, "Dos", "dos");
    ins.PonerDocumento(4, 135791, Contenido("u", 4)).NumeroOrigen = 1;
    ins.PonerDocumento(5, 135791, Contenido("u", 5));
    ins.PonerDocumento(6, 246802, Contenido("d", 6)).NumeroOrigen = 2;
    ins.almacen.LibroActivo = 1;
    const TResultadoExportacion uno = ExportarActivo(ins, Ruta("uno.zip"));
    ASSERT_TRUE(uno.Correcto) << uno.Mensaje;
    EXPECT_TRUE(Nombres(uno.Archivo).contains("Origenes.lst"));
    const QString fuera = Ruta("fuera");
    ASSERT_EQ(pruebas::Ejecutar("unzip", {"-q", uno.Archivo, "Origenes.lst", "-d", fuera}), 0);
    EXPECT_EQ(pruebas::LeerArchivo(fuera + "/Origenes.lst"), QByteArray("4 1\r\n"));

    ins.almacen.Documentos[6].NumeroOrigen = 0;
    ins.almacen.LibroActivo = 2;
    const TResultadoExportacion dos = ExportarActivo(ins, Ruta("dos.zip"));
    ASSERT_TRUE(dos.Correcto) << dos.Mensaje;
    EXPECT_FALSE(Nombres(dos.Archivo).contains("Origenes.lst"));
    EXPECT_FALSE(QFileInfo::exists(ins.almacen.CarpetaPrograma + "Temp/Origenes.lst"));
}

TEST_F(Exportacion, ConClaveLasEntradasVanCifradasConAes) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Cifrado", "cif");
    ins.almacen.LibroActivo = 1;
    ins.PonerDocumento(3, 135791, Contenido("c", 3));
    const TResultadoExportacion r = ExportarActivo(ins, Ruta("cif.zip"), "mi clave");
    ASSERT_TRUE(r.Correcto) << r.Mensaje;
    for (const EntradaZip& e : ListarEntradasZip(r.Archivo))
        EXPECT_TRUE(e.Cifrada) << e.Nombre;
    EXPECT_EQ(pruebas::MetodoCifrado(r.Archivo, "K000003.doc"), 0x0103); // ZIP_EM_AES_256
}

TEST_F(Exportacion, ReexportarAlMismoNombreEmpiezaUnArchivoNuevo) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Uno", "uno");
    ins.almacen.LibroActivo = 1;
    ins.PonerDocumento(1, 135791, Contenido("u", 1));
    ins.PonerDocumento(2, 135791, Contenido("u", 2));
    ASSERT_TRUE(ExportarActivo(ins, Ruta("uno")).Correcto);
    EXPECT_TRUE(Nombres(Ruta("uno.zip")).contains("K000002.doc"));
    // The document is deleted, the book exported again to the same name.
    QFile::remove(ins.RutaDocumento(2));
    ins.almacen.Documentos[2].Vaciar();
    ASSERT_TRUE(ExportarActivo(ins, Ruta("uno")).Correcto);
    EXPECT_FALSE(Nombres(Ruta("uno.zip")).contains("K000002.doc"));
}

TEST_F(Exportacion, EscrituraFallidaSeInformaYNoDejaArchivo) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Uno", "uno");
    ins.almacen.LibroActivo = 1;
    ins.PonerDocumento(1, 135791, Contenido("u", 1));
    // A folder that does not exist.
    const QString archivo = Ruta("no existe/uno.zip");
    const TResultadoExportacion r = ExportarActivo(ins, archivo);
    EXPECT_FALSE(r.Correcto);
    EXPECT_NE(r.Codigo, ZipCorrecto);
    EXPECT_TRUE(r.Mensaje.contains("No se ha exportado el libro a " + archivo)) << r.Mensaje;
    EXPECT_FALSE(QFileInfo::exists(archivo));
    // A write that fails half-way (the file-size limit stands in for a full
    // disk) keeps neither a partial archive nor a temporary file.
    QByteArray ruido(400 * 1024, '\0');
    quint32 x = 12345;
    for (char& c : ruido) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    ins.PonerDocumento(2, 135791, ruido);
    const QString salida = Ruta("salida");
    QDir().mkpath(salida);
    struct rlimit antes {};
    getrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 128 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const TResultadoExportacion r2 = ExportarActivo(ins, salida + "/uno");
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_FALSE(r2.Correcto);
    EXPECT_TRUE(r2.Mensaje.startsWith("Error al comprimir: ")) << r2.Mensaje;
    EXPECT_TRUE(
        QDir(salida).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << QDir(salida).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    // An older archive of the same name stays as it was.
    ASSERT_TRUE(ExportarActivo(ins, salida + "/uno").Correcto);
    const QByteArray bueno = pruebas::LeerArchivo(salida + "/uno.zip");
    ins.PonerDocumento(3, 135791, ruido + "mas");
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const TResultadoExportacion r3 = ExportarActivo(ins, salida + "/uno");
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_FALSE(r3.Correcto);
    EXPECT_EQ(pruebas::LeerArchivo(salida + "/uno.zip"), bueno);
    EXPECT_EQ(QDir(salida).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"uno.zip"});
}

TEST_F(Exportacion, NombreRelativoSeTomaEnLaCarpetaDelPrograma) {
    TInstalacion ins(Ruta("p"));
    ins.PonerLibro(1, 135791, "Uno", "uno");
    ins.almacen.LibroActivo = 1;
    const TResultadoExportacion r = ExportarActivo(ins, "relativo");
    ASSERT_TRUE(r.Correcto) << r.Mensaje;
    EXPECT_EQ(r.Archivo, ins.almacen.CarpetaPrograma + "relativo.zip");
    EXPECT_TRUE(QFileInfo::exists(r.Archivo));
}

TEST_F(Exportacion, CarpetaDeLibroNoValidaNoSeExporta) {
    TInstalacion ins(Ruta("p"));
    TLibro& l = ins.PonerLibro(1, 135791, "Uno", "uno");
    l.Carpeta = "../fuera"; // a damaged book list
    ins.almacen.LibroActivo = 1;
    const TResultadoExportacion r = ExportarActivo(ins, Ruta("x.zip"));
    EXPECT_FALSE(r.Correcto);
    EXPECT_TRUE(r.Mensaje.contains("no es un nombre de carpeta válido")) << r.Mensaje;
    EXPECT_FALSE(QFileInfo::exists(Ruta("x.zip")));
}
