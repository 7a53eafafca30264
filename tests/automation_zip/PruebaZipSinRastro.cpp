// A failed extraction leaves the disk as it found it: no file, no folder, no
// temporary file, and every replaced file back as it was, whatever entry or
// step the failure comes from.
#include "Ayudas.h"
#include "UnzipFile.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace brivo;
using namespace brivo::pruebas;

namespace {

using Entradas = std::vector<std::pair<QByteArray, QByteArray>>;

// Every file (with its content) and folder below a folder, one a line, sorted.
std::string Estado(const QString& carpeta) {
    QStringList r;
    if (!QDir(carpeta).exists())
        return {};
    for (const auto& e : std::filesystem::recursive_directory_iterator(carpeta.toStdString())) {
        const QString ruta = QString::fromStdString(e.path().string());
        r << ruta.mid(carpeta.size() + 1) + " = " +
                 (e.is_directory() ? QStringLiteral("<carpeta>")
                                   : QString::fromUtf8(LeerArchivo(ruta).left(20)));
    }
    r.sort();
    return r.join('\n').toStdString();
}

void Estropear(const QString& zip, const QByteArray& entrada) {
    QByteArray z = LeerArchivo(zip);
    const qsizetype pos = z.indexOf(entrada) + entrada.size() + 200; // inside its data
    z[pos] = char(z[pos] ^ 0x5a);
    z[pos + 1] = char(z[pos + 1] ^ 0x33);
    EscribirArchivo(zip, z);
}

struct Caso {
    const char* que;
    Entradas entradas;
    int esperado;            // result code; -1: any failure
    Entradas existentes{};   // files on disk before the extraction
    int cifrado = 0;         // ZIP_EM_* of every entry
    QByteArray estropeada{}; // entry whose data is damaged
    std::function<void(TUnzipFile&, const QString&)> preparar{};
};

void PrintTo(const Caso& c, std::ostream* os) {
    *os << c.que;
}

class ZipSinRastro : public ::testing::TestWithParam<Caso> {};

TEST_P(ZipSinRastro, UnFalloNoDejaNadaEscrito) {
    const Caso& c = GetParam();
    QTemporaryDir tmp;
    const QString zip = tmp.path() + "/archivo.zip";
    const QString raiz = tmp.path() + "/raiz";
    // The destination is missing unless files exist in it beforehand.
    const QString destino = raiz + "/dest/sub";
    for (const auto& [nombre, datos] : c.existentes)
        EscribirArchivo(destino + "/" + nombre, datos);
    const auto antes = Estado(raiz);

    const QByteArray clave = "buena";
    CrearZipCrudo(zip, c.entradas, {}, c.cifrado, clave);
    if (!c.estropeada.isEmpty())
        Estropear(zip, c.estropeada);
    TUnzipFile u;
    u.lpszZipFile = zip;
    u.lpszDestination = destino;
    u.Options = TUnzipFile::OverWriteFlag;
    if (c.cifrado) {
        u.Options |= TUnzipFile::DecryptFlag;
        u.lpszDecryptCode = c.esperado == ZipClaveErronea ? "mala" : "buena";
    }
    if (c.preparar)
        c.preparar(u, destino);
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    if (c.esperado >= 0) {
        EXPECT_EQ(u.Resultado, c.esperado);
    }
    EXPECT_EQ(u.Cuenta, 0);
    if (c.que == std::string("carpeta creada durante la extracción")) {
        // The folder made by the progress handler is not the extraction's.
        EXPECT_EQ(Estado(raiz), antes + "\ndest/sub/zz = <carpeta>");
    } else {
        EXPECT_EQ(Estado(raiz), antes);
    }
}

const QByteArray Grande = TextoDocumento(7, 30000);

INSTANTIATE_TEST_SUITE_P(
    Extraccion, ZipSinRastro,
    ::testing::Values(
        Caso{"archivo después de su carpeta", {{"a/b", "1"}, {"a", "2"}}, ZipErrorEscritura},
        Caso{"carpeta después de su archivo", {{"a", "2"}, {"a/b", "1"}}, ZipErrorEscritura},
        Caso{"archivo que es una carpeta intermedia",
             {{"x/y/z/1.txt", "1"}, {"x/otro.txt", "2"}, {"x/y", "3"}},
             ZipErrorEscritura},
        Caso{"entrada de carpeta y archivo del mismo nombre",
             {{"d/", ""}, {"d", "1"}},
             ZipErrorEscritura},
        Caso{"archivo existente donde hace falta una carpeta",
             {{"n/1.txt", "1"}, {"a/b/c.txt", "2"}},
             ZipErrorEscritura,
             {{"a", "ya estaba"}}},
        Caso{"clave errónea tras crear carpetas",
             {{"c/d/1.txt", "1"}, {"c/2.txt", "2"}, {"e/3.txt", "3"}},
             ZipClaveErronea,
             {},
             ZIP_EM_AES_256},
        Caso{"datos dañados en la última entrada",
             {{"p/q/1.txt", "1"}, {"r/K2.doc", Grande}},
             -1,
             {{"p/q/1.txt", "anterior"}},
             0,
             "r/K2.doc"},
        Caso{"cancelada a mitad",
             {{"s/t/1.txt", "1"}, {"s/2.txt", "2"}, {"u/3.txt", "3"}},
             ZipCancelado,
             {},
             0,
             {},
             [](TUnzipFile& u, const QString&) {
                 int n = 0;
                 u.OnMinorCallback = [n](const QString&, int p, bool& cancelar) mutable {
                     cancelar = p == 100 && ++n == 2;
                 };
             }},
        // A target taken by a folder after the checks fails while the files
        // are moved into place: the file already replaced gets its old content.
        Caso{"carpeta creada durante la extracción",
             {{"f1", "nuevo"}, {"g/f2", "2"}, {"zz", "3"}},
             ZipErrorEscritura,
             {{"f1", "viejo"}},
             0,
             {},
             [](TUnzipFile& u, const QString& destino) {
                 u.OnMinorCallback = [destino](const QString& item, int p, bool&) {
                     if (item == "zz" && p == 100)
                         QDir().mkpath(destino + "/zz");
                 };
             }}),
    [](const ::testing::TestParamInfo<Caso>& i) { return "caso" + std::to_string(i.index); });

TEST(ZipSinRastroExito, LleganTodasLasCarpetasYArchivosDeUnaExtraccion) {
    // The checks do not refuse what is sound: nested folders, a folder entry,
    // files beside folders and the replacement of an existing file.
    QTemporaryDir tmp;
    const QString zip = tmp.path() + "/bien.zip";
    const QString destino = tmp.path() + "/dest";
    EscribirArchivo(destino + "/a/viejo.txt", "se queda");
    EscribirArchivo(destino + "/a/b/c.txt", "se reemplaza");
    CrearZipCrudo(zip, {{"a/b/c.txt", "c"}, {"a/b.txt", "b"}, {"vacia/", ""}, {"a/d/e.txt", "e"}},
                  {}, ZIP_EM_AES_256, "k");
    TUnzipFile u;
    u.lpszZipFile = zip;
    u.lpszDestination = destino;
    u.Options = TUnzipFile::OverWriteFlag | TUnzipFile::DecryptFlag;
    u.lpszDecryptCode = "k";
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << u.Resultado;
    EXPECT_EQ(u.Cuenta, 3);
    EXPECT_EQ(Estado(destino), "a = <carpeta>\na/b = <carpeta>\na/b.txt = b\na/b/c.txt = c\n"
                               "a/d = <carpeta>\na/d/e.txt = e\na/viejo.txt = se queda\n"
                               "vacia = <carpeta>");
}

TEST(ZipSinRastroExito, UnaCarpetaQueEsUnEnlaceNoSeSigue) {
    QTemporaryDir tmp;
    const QString zip = tmp.path() + "/enlace.zip";
    const QString destino = tmp.path() + "/dest";
    const QString fuera = tmp.path() + "/fuera";
    QDir().mkpath(fuera);
    QDir().mkpath(destino);
    ASSERT_TRUE(QFile::link(fuera, destino + "/enlace"));
    CrearZipCrudo(zip, {{"bien.txt", "1"}, {"enlace/mal.txt", "2"}});
    TUnzipFile u;
    u.lpszZipFile = zip;
    u.lpszDestination = destino;
    u.Options = TUnzipFile::OverWriteFlag;
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipNombreInseguro);
    EXPECT_EQ(Estado(fuera), "");
    EXPECT_FALSE(QFileInfo::exists(destino + "/bien.txt"));
}

} // namespace
