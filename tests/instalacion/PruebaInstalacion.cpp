// `cmake --install` into a scratch prefix: exactly the program's files, a
// valid desktop entry and AppStream file, manual pages, and an installed
// brivo2-datos that finds the shipped files beside its bin/ folder (the
// package test starts brivo2 itself from an installed tree).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "Instalacion.h"

using namespace brivo::pruebas;

namespace {

class Instalacion : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        raiz = new QTemporaryDir;
        const Salida s =
            Ejecutar(QStringLiteral(BRIVO_CMAKE),
                     {"--install", QStringLiteral(BRIVO_CONSTRUCCION), "--prefix", Prefijo()});
        instalado = s.codigo == 0;
        if (!instalado)
            std::fprintf(stderr, "%s%s", qPrintable(s.salida), qPrintable(s.error));
    }
    static void TearDownTestSuite() {
        delete raiz;
        raiz = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(instalado) << "cmake --install falló"; }

    static QString Prefijo() { return raiz->path() + QStringLiteral("/usr"); }
    static QString Ruta(const QString& r) { return Prefijo() + QLatin1Char('/') + r; }
    static QByteArray Leer(const QString& r) {
        QFile f(Ruta(r));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static inline QTemporaryDir* raiz = nullptr;
    static inline bool instalado = false;
};

TEST_F(Instalacion, SoloLosArchivosDelPrograma) {
    EXPECT_EQ(Archivos(Prefijo()), ArchivosInstalados());
    // No empty folder (of the build tree, the tests or the benchmarks): every
    // folder is on the way to an installed file.
    QSet<QString> necesarias;
    for (const QString& archivo : ArchivosInstalados()) {
        QString c = QFileInfo(archivo).path();
        while (c != QLatin1String(".")) {
            necesarias.insert(c);
            c = QFileInfo(c).path();
        }
    }
    QStringList esperadas(necesarias.begin(), necesarias.end());
    esperadas.sort();
    EXPECT_EQ(Carpetas(Prefijo()), esperadas);
    EXPECT_TRUE(QFileInfo(Ruta("bin/brivo2")).isExecutable());
    EXPECT_TRUE(QFileInfo(Ruta("bin/brivo2-datos")).isExecutable());
}

TEST_F(Instalacion, EntradaDelMenu) {
    const QString entrada = QString::fromUtf8(Leer("share/applications/brivo2.desktop"));
    EXPECT_TRUE(entrada.contains(
        QRegularExpression("^Name=Brivo II$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(entrada.contains(
        QRegularExpression("^Categories=Education;$", QRegularExpression::MultilineOption)));
    // The entry starts the installed program and shows the installed icon.
    EXPECT_TRUE(
        entrada.contains(QRegularExpression("^Exec=brivo2$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(
        entrada.contains(QRegularExpression("^Icon=brivo2$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(Leer("share/icons/hicolor/scalable/apps/brivo2.svg").contains("<svg"));

    const QString validador = Herramienta("desktop-file-validate");
    if (validador.isEmpty())
        GTEST_SKIP() << "desktop-file-validate no está instalado";
    const Salida s = Ejecutar(validador, {Ruta("share/applications/brivo2.desktop")});
    EXPECT_EQ(s.codigo, 0) << s.salida.toStdString() << s.error.toStdString();
}

TEST_F(Instalacion, DatosAppStream) {
    const QString nombre = QStringLiteral("share/metainfo/" BRIVO_ID_APPSTREAM ".metainfo.xml");
    const QString datos = QString::fromUtf8(Leer(nombre));
    EXPECT_TRUE(datos.contains("<id>" BRIVO_ID_APPSTREAM "</id>"));
    EXPECT_TRUE(datos.contains("<launchable type=\"desktop-id\">brivo2.desktop</launchable>"));
    EXPECT_TRUE(datos.contains(QRegularExpression("<image>https://[^<]*/ventana\\.png</image>")));
    EXPECT_TRUE(datos.contains("<release version=\"" BRIVO_VERSION "\""));
    EXPECT_FALSE(datos.contains('@')) << "quedan variables sin sustituir";

    const QString validador = Herramienta("appstreamcli");
    if (validador.isEmpty())
        GTEST_SKIP() << "appstreamcli no está instalado";
    // Offline: the screenshot's address is not fetched.
    const Salida s = Ejecutar(validador, {"validate", "--no-net", "--pedantic", Ruta(nombre)});
    EXPECT_EQ(s.codigo, 0) << s.salida.toStdString() << s.error.toStdString();
}

TEST_F(Instalacion, PaginasDeManual) {
    for (const char* pagina : {"brivo2", "brivo2-datos"}) {
        const QString ruta = Ruta(QStringLiteral("share/man/man1/%1.1.gz").arg(pagina));
        const Salida s = Ejecutar("gzip", {"-dc", ruta});
        ASSERT_EQ(s.codigo, 0) << pagina;
        EXPECT_TRUE(s.salida.contains(QStringLiteral(".TH %1 1").arg(QString(pagina).toUpper())))
            << pagina;
        EXPECT_TRUE(s.salida.contains("Brivo II " BRIVO_VERSION)) << pagina;
        EXPECT_TRUE(s.salida.contains("BRIVO2_CARPETA")) << pagina;
    }
}

TEST_F(Instalacion, DatosLeeElArbolInstalado) {
    // brivo2-datos reads a library that has no tree yet from the installed
    // initial tree.
    QTemporaryDir biblioteca;
    const Salida arbol =
        Ejecutar(Ruta("bin/brivo2-datos"), {"arbol"}, {{"BRIVO2_CARPETA", biblioteca.path()}});
    EXPECT_EQ(arbol.codigo, 0) << arbol.error.toStdString();
    EXPECT_TRUE(arbol.salida.contains(QStringLiteral("Útiles"))) << arbol.salida.toStdString();
}

} // namespace
