// Archives travel between this program, 7-Zip and Info-ZIP in both directions.
#include "Ayudas.h"
#include "UnzipFile.h"
#include "ZipFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class ZipInterop : public ::testing::Test {
protected:
    QTemporaryDir tmp{QDir::tempPath() + QStringLiteral("/interop zip XXXXXX")};
    QString base, origen;
    QStringList nombres{"Arbol.tvw",   "Docs.lst",   "K000001.doc",
                        "K000002.doc", "Libros.lst", "nota con blancos.txt"};

    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        base = tmp.path();
        origen = base + "/libro con blancos";
        for (int i = 0; i < nombres.size(); ++i)
            EscribirArchivo(origen + "/" + nombres[i], TextoDocumento(i, 4000 + 9000 * i));
    }

    void ExigirHerramienta(const QString& programa) {
        if (!Herramienta(programa))
            GTEST_SKIP() << programa.toStdString() << " is not installed";
    }

    QString Escribir(const QString& nombre, const QString& clave = QString()) {
        TZipFile z;
        z.lpszZipFile = base + "/" + nombre;
        z.lpszItemList = "\"" + origen + "/*.*\"";
        z.lpszComment = "Mi carpeta";
        z.Options = TZipFile::NoDirectoryNamesFlag | TZipFile::AddCommentFlag |
                    TZipFile::NoDirectoryEntriesFlag;
        if (!clave.isEmpty()) {
            z.Options |= TZipFile::EncryptFlag;
            z.lpszEncryptCode = clave;
        }
        EXPECT_TRUE(z.Execute(TZipFile::ZIP_ADD)) << z.Resultado;
        return z.ArchivoFinal;
    }

    void MismoContenido(const QString& carpeta) {
        EXPECT_EQ(ArchivosEn(carpeta), nombres);
        for (const QString& n : nombres)
            EXPECT_EQ(LeerArchivo(carpeta + "/" + n), LeerArchivo(origen + "/" + n))
                << n.toStdString();
    }

    int Leer(const QString& zip, const QString& destino, const QString& clave = QString()) {
        TUnzipFile u;
        u.lpszZipFile = zip;
        u.lpszDestination = destino;
        u.lpszFileSpec = "*.*";
        u.Options = TUnzipFile::OverWriteFlag | TUnzipFile::NoDirectoryNamesFlag;
        if (!clave.isEmpty()) {
            u.Options = TUnzipFile::DecryptFlag;
            u.lpszDecryptCode = clave;
        }
        u.Execute(TUnzipFile::UNZIP_EXTRACT);
        return u.Resultado;
    }
};

TEST_F(ZipInterop, LoQueEscribimosSeAbreCon7Zip) {
    ExigirHerramienta("7z");
    const QString llano = Escribir("llano");
    EXPECT_EQ(Ejecutar("7z", {"t", llano}), 0);
    EXPECT_EQ(Ejecutar("7z", {"x", "-y", "-o" + base + "/7z llano", llano}), 0);
    MismoContenido(base + "/7z llano");

    const QString cifrado = Escribir("cifrado", "Clave 2024");
    EXPECT_EQ(Ejecutar("7z", {"t", "-pClave 2024", cifrado}), 0);
    EXPECT_NE(Ejecutar("7z", {"t", "-potra", cifrado}), 0);
    EXPECT_EQ(Ejecutar("7z", {"x", "-y", "-pClave 2024", "-o" + base + "/7z cifrado", cifrado}), 0);
    MismoContenido(base + "/7z cifrado");
}

TEST_F(ZipInterop, LoQueEscribimosSinCifrarSeAbreConInfoZip) {
    ExigirHerramienta("unzip");
    const QString llano = Escribir("llano");
    EXPECT_EQ(Ejecutar("unzip", {"-tq", llano}), 0);
    EXPECT_EQ(Ejecutar("unzip", {"-q", "-o", llano, "-d", base + "/unzip"}), 0);
    MismoContenido(base + "/unzip");
}

TEST_F(ZipInterop, LeemosArchivosDeInfoZip) {
    ExigirHerramienta("zip");
    // zip runs inside the folder so entries carry bare names.
    QStringList args{"-q", base + "/infozip.zip"};
    args += nombres;
    ASSERT_EQ(Ejecutar("zip", args, origen), 0);
    ASSERT_EQ(Ejecutar("zip", {"-q", "-z", base + "/infozip.zip"}, origen, "Mi carpeta\n.\n"), 0);
    EXPECT_EQ(LeerComentarioZip(base + "/infozip.zip").trimmed(), QString("Mi carpeta"));
    EXPECT_EQ(Leer(base + "/infozip.zip", base + "/de infozip"), ZipCorrecto);
    MismoContenido(base + "/de infozip");

    QStringList argsP{"-q", "-P", "clave vieja", base + "/infozip-p.zip"};
    argsP += nombres;
    ASSERT_EQ(Ejecutar("zip", argsP, origen), 0);
    EXPECT_EQ(Leer(base + "/infozip-p.zip", base + "/mala", "clave nueva"), ZipClaveErronea);
    EXPECT_EQ(ArchivosEn(base + "/mala"), QStringList{});
    EXPECT_EQ(Leer(base + "/infozip-p.zip", base + "/sin clave"), ZipClaveErronea);
    EXPECT_EQ(Leer(base + "/infozip-p.zip", base + "/de infozip p", "clave vieja"), ZipCorrecto);
    MismoContenido(base + "/de infozip p");
}

TEST_F(ZipInterop, LeemosArchivosDe7ZipConAmbosCifrados) {
    ExigirHerramienta("7z");
    for (const QString metodo : {"AES256", "ZipCrypto"}) {
        SCOPED_TRACE(metodo.toStdString());
        const QString zip = base + "/7z-" + metodo + ".zip";
        QStringList args{"a", "-tzip", "-bd", "-pmi clave", "-mem=" + metodo, zip};
        args += nombres;
        ASSERT_EQ(Ejecutar("7z", args, origen), 0);
        EXPECT_EQ(Leer(zip, base + "/mala " + metodo, "mi clavE"), ZipClaveErronea);
        EXPECT_EQ(ArchivosEn(base + "/mala " + metodo), QStringList{});
        EXPECT_EQ(Leer(zip, base + "/de 7z " + metodo, "mi clave"), ZipCorrecto);
        MismoContenido(base + "/de 7z " + metodo);
    }
    const QString llano = base + "/7z-llano.zip";
    QStringList args{"a", "-tzip", "-bd", llano};
    args += nombres;
    ASSERT_EQ(Ejecutar("7z", args, origen), 0);
    EXPECT_EQ(Leer(llano, base + "/de 7z llano"), ZipCorrecto);
    MismoContenido(base + "/de 7z llano");
}

} // namespace
