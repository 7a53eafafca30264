// The Debian package: built by CPack into a scratch folder, its control
// fields, its contents, and the program unpacked from it into a scratch root
// (dpkg-deb -x) started from there.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "Instalacion.h"

using namespace brivo::pruebas;

namespace {

class Paquete : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (Herramienta("dpkg-deb").isEmpty() || Herramienta("dpkg-shlibdeps").isEmpty())
            return; // every test is skipped
        dir = new QTemporaryDir;
        const Salida s =
            Ejecutar(QStringLiteral(BRIVO_CPACK),
                     {"--config", QStringLiteral(BRIVO_CONSTRUCCION "/CPackConfig.cmake"), "-G",
                      "DEB", "-B", dir->path()},
                     {}, dir->path());
        const QStringList debs = QDir(dir->path()).entryList({"brivo2_*.deb"}, QDir::Files);
        if (s.codigo != 0 || debs.size() != 1) {
            std::fprintf(stderr, "%s%s", qPrintable(s.salida), qPrintable(s.error));
            return;
        }
        deb = dir->filePath(debs.front());
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        if (Herramienta("dpkg-deb").isEmpty() || Herramienta("dpkg-shlibdeps").isEmpty())
            GTEST_SKIP() << "faltan dpkg-deb o dpkg-shlibdeps (paquete dpkg-dev)";
        ASSERT_FALSE(deb.isEmpty()) << "cpack no hizo el paquete";
    }

    static QString Campo(const char* nombre) {
        return Ejecutar("dpkg-deb", {"-f", deb, QString::fromLatin1(nombre)}).salida.trimmed();
    }

    static inline QTemporaryDir* dir = nullptr;
    static inline QString deb;
};

TEST_F(Paquete, CamposDeControl) {
    EXPECT_EQ(QFileInfo(deb).fileName(),
              QStringLiteral("brivo2_" BRIVO_VERSION "_%1.deb").arg(Campo("Architecture")));
    EXPECT_EQ(Campo("Package"), "brivo2");
    EXPECT_EQ(Campo("Version"), BRIVO_VERSION);
    EXPECT_EQ(Campo("Section"), "education");
    // Dependencies computed from the binaries.
    const QString depende = Campo("Depends");
    for (const char* biblioteca : {"libqt6widgets6", "libqt6core6", "libzip4", "libsodium23"})
        EXPECT_TRUE(depende.contains(
            QRegularExpression(QStringLiteral("\\b%1 \\(>= [0-9]").arg(biblioteca))))
            << biblioteca << ": " << depende.toStdString();
    EXPECT_TRUE(Campo("Recommends").contains("libreoffice-writer-nogui"));
    EXPECT_FALSE(Campo("Description").isEmpty());
}

TEST_F(Paquete, ContieneLoMismoQueLaInstalacion) {
    QTemporaryDir raiz;
    ASSERT_EQ(Ejecutar("dpkg-deb", {"-x", deb, raiz.path()}).codigo, 0);
    QStringList esperados;
    for (const QString& archivo : ArchivosInstalados())
        esperados << QStringLiteral("usr/") + archivo;
    EXPECT_EQ(Archivos(raiz.path()), esperados);
}

TEST_F(Paquete, ElProgramaDesempaquetadoArranca) {
    QTemporaryDir raiz;
    ASSERT_EQ(Ejecutar("dpkg-deb", {"-x", deb, raiz.path()}).codigo, 0);
    QTemporaryDir casa;
    const Salida s = Ejecutar(raiz.filePath("usr/bin/brivo2"), {"--version"},
                              {{"HOME", casa.path()},
                               {"XDG_DATA_HOME", QString()},
                               {"BRIVO2_CARPETA", QString()},
                               {"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_EQ(s.codigo, 0) << s.error.toStdString();
    EXPECT_EQ(s.salida, QStringLiteral("Brivo II " BRIVO_VERSION "\n"
                                       "Biblioteca: %1/.local/share/brivo2 (la carpeta del "
                                       "usuario)\n"
                                       "Archivos del programa: %2/usr/share/brivo2\n")
                            .arg(casa.path(), raiz.path()));
    const Salida ayuda = Ejecutar(raiz.filePath("usr/bin/brivo2-datos"), {"--help"});
    EXPECT_EQ(ayuda.codigo, 0);
    EXPECT_TRUE(ayuda.salida.startsWith("Uso: brivo2-datos"));
}

} // namespace
