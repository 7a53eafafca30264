// Archives made to harm the reader: names that leave the destination, data
// that inflates far beyond its size, damaged and foreign files.
#include "Ayudas.h"
#include "UnzipFile.h"
#include "ZipFile.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class ZipHostil : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString base, destino;

    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        base = tmp.path();
        destino = base + "/a/b/destino";
        QDir().mkpath(destino);
    }

    TUnzipFile Lector(const QString& zip, unsigned opciones, const QString& espec = "*.*") {
        TUnzipFile u;
        u.lpszZipFile = zip;
        u.lpszDestination = destino;
        u.lpszFileSpec = espec;
        u.Options = opciones;
        u.wUnzipSubOptions = TUnzipFile::USO_OVERWRITE_RO;
        return u;
    }

    // Every file below base, relative, so a stray write anywhere shows up.
    QStringList TodoBajo(const QString& carpeta) const {
        QStringList r;
        for (const auto& e : std::filesystem::recursive_directory_iterator(carpeta.toStdString()))
            if (e.is_regular_file())
                r << QString::fromStdString(e.path().string()).mid(carpeta.size() + 1);
        r.sort();
        return r;
    }
};

constexpr unsigned Importar =
    TUnzipFile::OverWriteFlag | TUnzipFile::QuietFlag | TUnzipFile::NoDirectoryNamesFlag;

TEST_F(ZipHostil, LasRutasDeLasEntradasSeReducenANombresDesnudos) {
    const QString zip = base + "/rutas.zip";
    CrearZipCrudo(zip, {{"../fuera1.doc", "1"},
                        {"../../fuera2.doc", "2"},
                        {"/tmp/absoluto.doc", "3"},
                        {"sub/../../../K000001.doc", "4"},
                        {"..\\..\\barra.doc", "5"}});
    TUnzipFile u = Lector(zip, Importar);
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << u.Resultado;
    EXPECT_EQ(u.Cuenta, 5);
    EXPECT_EQ(TodoBajo(base), (QStringList{"a/b/destino/K000001.doc", "a/b/destino/absoluto.doc",
                                           "a/b/destino/barra.doc", "a/b/destino/fuera1.doc",
                                           "a/b/destino/fuera2.doc", "rutas.zip"}));
    EXPECT_FALSE(QFileInfo::exists("/tmp/absoluto.doc") &&
                 LeerArchivo("/tmp/absoluto.doc") == QByteArray("3"));
}

TEST_F(ZipHostil, LasRutasSeRechazanSiSeConservanCarpetas) {
    for (const QByteArray& nombre :
         {QByteArray("../fuera.doc"), QByteArray("/tmp/brivo-absoluto.doc"),
          QByteArray("sub/../../fuera.doc"), QByteArray("..\\fuera.doc"),
          QByteArray("C:\\x.doc")}) {
        const QString zip = base + "/malo.zip";
        CrearZipCrudo(zip, {{"bueno.doc", "bien"}, {nombre, "mal"}});
        TUnzipFile u = Lector(zip, TUnzipFile::DecryptFlag);
        EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << nombre.constData();
        EXPECT_EQ(u.Resultado, ZipNombreInseguro) << nombre.constData();
        // Checked before anything is written, the good entry included.
        EXPECT_EQ(TodoBajo(base), QStringList{"malo.zip"}) << nombre.constData();
    }
    EXPECT_FALSE(QFileInfo::exists("/tmp/brivo-absoluto.doc"));
}

TEST_F(ZipHostil, LosNombresConUnidadSeRechazanAunqueSeanDesnudos) {
    const QString zip = base + "/unidad.zip";
    CrearZipCrudo(zip, {{"C:\\Windows\\K000001.doc", "x"}});
    TUnzipFile u = Lector(zip, Importar);
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipNombreInseguro);
    EXPECT_EQ(TodoBajo(destino), QStringList{});
}

TEST_F(ZipHostil, UnaExtraccionSobreElLimiteSeDetieneAntesDeEscribir) {
    const QString zip = base + "/grande.zip";
    CrearZipCrudo(zip, {{"K000001.doc", "pequeño"}, {"ceros.doc", QByteArray(3 << 20, '\0')}});
    TUnzipFile u = Lector(zip, Importar);
    u.LimiteDescomprimido = 1 << 20;
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipDemasiadoGrande);
    EXPECT_EQ(TodoBajo(destino), QStringList{});
    // The same archive within the limit extracts.
    u.LimiteDescomprimido = 4 << 20;
    EXPECT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
}

TEST_F(ZipHostil, LosTamanosFalseadosNoEscondenUnaBomba) {
    // 8 MiB of zeros that claim to be 1000 bytes each.
    const QString zip = base + "/bomba.zip";
    CrearZipCrudo(zip, {{"K000001.doc", QByteArray(8 << 20, '\0')},
                        {"K000002.doc", QByteArray(8 << 20, '\0')}});
    FalsearTamanos(zip, 1000);
    ASSERT_EQ(ListarEntradasZip(zip).first().Tamano, 1000);
    TUnzipFile u = Lector(zip, Importar);
    u.LimiteDescomprimido = 1 << 20;
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipDemasiadoGrande);
    EXPECT_EQ(TodoBajo(destino), QStringList{}); // not even a temporary file
}

TEST_F(ZipHostil, TamanosDeclaradosSobreElLimitePredeterminadoSeRechazan) {
    const QString zip = base + "/declarado.zip";
    CrearZipCrudo(zip, {{"K000001.doc", "a"}, {"K000002.doc", "b"}});
    FalsearTamanos(zip, 0xC0000000u); // two entries of 3 GiB each
    TUnzipFile u = Lector(zip, Importar);
    EXPECT_EQ(u.LimiteDescomprimido, 2LL << 30);
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipDemasiadoGrande);
    EXPECT_EQ(TodoBajo(destino), QStringList{});
}

TEST_F(ZipHostil, MasQueElEspacioLibreSeRechaza) {
    const auto libre = std::filesystem::space(destino.toStdString()).available;
    const int entradas = static_cast<int>(libre / 0xF0000000ull) + 2;
    if (entradas > 2000)
        GTEST_SKIP() << "too much free space to cover with forged entries";
    std::vector<std::pair<QByteArray, QByteArray>> lista;
    for (int i = 0; i < entradas; ++i)
        lista.push_back({"K" + QByteArray::number(i) + ".doc", "x"});
    const QString zip = base + "/lleno.zip";
    CrearZipCrudo(zip, lista);
    FalsearTamanos(zip, 0xF0000000u);
    TUnzipFile u = Lector(zip, Importar);
    u.LimiteDescomprimido = std::numeric_limits<qint64>::max();
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipSinEspacio);
    EXPECT_EQ(TodoBajo(destino), QStringList{});
}

TEST_F(ZipHostil, ArchivosTruncadosAjenosYVaciosSonFallosNoCaidas) {
    // A real archive cut at several points.
    const QString bueno = base + "/bueno.zip";
    CrearZipCrudo(
        bueno, {{"Libros.lst", TextoDocumento(1, 5000)}, {"K000001.doc", TextoDocumento(2, 40000)}},
        "Mi carpeta");
    const QByteArray entero = LeerArchivo(bueno);
    QStringList casos;
    for (const double parte : {0.1, 0.5, 0.9, 0.99}) {
        const QString ruta = base + QStringLiteral("/cortado%1.zip").arg(int(parte * 100));
        EscribirArchivo(ruta, entero.left(qsizetype(entero.size() * parte)));
        casos << ruta;
    }
    EscribirArchivo(base + "/texto.zip", "Esto no es un zip.\r\n");
    EscribirArchivo(base + "/vacio.zip", "");
    QByteArray ruido(70000, '\0');
    for (int i = 0; i < ruido.size(); ++i)
        ruido[i] = char((i * 2654435761u) >> 13);
    EscribirArchivo(base + "/ruido.zip", ruido);
    casos << base + "/texto.zip" << base + "/vacio.zip" << base + "/ruido.zip";

    for (const QString& ruta : casos) {
        SCOPED_TRACE(ruta.toStdString());
        EXPECT_FALSE(EsZipLegible(ruta));
        for (const int accion :
             {TUnzipFile::UNZIP_COUNTALLZIPMEMBERS, TUnzipFile::UNZIP_GETCOMMENTSIZE,
              TUnzipFile::UNZIP_GETCOMMENT, TUnzipFile::UNZIP_EXTRACT}) {
            TUnzipFile u = Lector(ruta, Importar);
            EXPECT_FALSE(u.Execute(accion));
            EXPECT_EQ(u.Resultado, ZipArchivoNoValido);
            EXPECT_TRUE(u.lpszReturnString.isEmpty());
        }
    }
    EXPECT_EQ(TodoBajo(destino), QStringList{});

    TUnzipFile falta = Lector(base + "/no existe.zip", Importar);
    EXPECT_FALSE(falta.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(falta.Resultado, ZipNoEncontrado);
}

TEST_F(ZipHostil, DatosDanadosSonUnFalloYNoEscribenNada) {
    const QString zip = base + "/danado.zip";
    const QByteArray doc = TextoDocumento(5, 60000);
    CrearZipCrudo(zip, {{"K000001.doc", "primero"}, {"K000002.doc", doc}});
    QByteArray z = LeerArchivo(zip);
    const qsizetype pos = z.indexOf("K000002.doc") + 11 + 2000; // inside the compressed data
    z[pos] = char(z[pos] ^ 0x5a);
    z[pos + 1] = char(z[pos + 1] ^ 0x33);
    EscribirArchivo(zip, z);
    TUnzipFile u = Lector(zip, Importar);
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipArchivoNoValido);
    EXPECT_EQ(TodoBajo(destino), QStringList{});
}

TEST_F(ZipHostil, ClaveErroneaConCifradoTradicionalNoEscribeNada) {
    const QString zip = base + "/pkware.zip";
    std::vector<std::pair<QByteArray, QByteArray>> lista;
    for (int i = 0; i < 40; ++i)
        lista.push_back({"K" + QByteArray::number(100000 + i) + ".doc", TextoDocumento(i, 3000)});
    CrearZipCrudo(zip, lista, QString(), ZIP_EM_TRAD_PKWARE, "buena");
    // With 40 entries the one-byte check lets some wrong passwords through;
    // those entries must still end in 41, not in a written file.
    for (const char* clave : {"mala", "otra", "x", "buena2"}) {
        TUnzipFile u = Lector(zip, TUnzipFile::DecryptFlag);
        u.lpszDecryptCode = clave;
        EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << clave;
        EXPECT_EQ(u.Resultado, ZipClaveErronea) << clave;
        EXPECT_EQ(TodoBajo(destino), QStringList{}) << clave;
    }
    TUnzipFile u = Lector(zip, Importar);
    u.Options |= TUnzipFile::DecryptFlag;
    u.lpszDecryptCode = "buena";
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Cuenta, 40);
    EXPECT_EQ(LeerArchivo(destino + "/K100007.doc"), TextoDocumento(7, 3000));
}

} // namespace
