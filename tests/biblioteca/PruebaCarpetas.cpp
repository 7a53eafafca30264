// Where the library lives: the order of the rules, the installed data folder,
// the first start in a new folder and the shipped files read from where they
// are installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Almacen.h"
#include "Carpetas.h"
#include "Errores.h"
#include "OtroPrograma.h"

using namespace brivo;
using carpetas::Origen;

namespace {

void Escribir(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << ruta.toStdString();
    f.write(datos);
}

// A scratch tree: an executable folder (with or without Arbol0.tvw), a home
// and an XDG data folder, all inside one temporary folder.
struct TArbolCarpetas {
    QTemporaryDir raiz;
    QString Ruta(const QString& r) const { return raiz.path() + QLatin1Char('/') + r; }
};

struct CasoEleccion {
    const char* nombre;
    QString opcion;
    QString variable;
    bool arbol0Junto; // the executable's folder holds Arbol0.tvw
    bool escribible;  // and can be written
    QString xdg;      // "" unset; "rel" a relative value; else a folder under the root
    Origen motivo;
    const char* biblioteca; // expected, relative to the scratch root
};

class Eleccion : public ::testing::TestWithParam<CasoEleccion> {};

TEST_P(Eleccion, SigueElOrdenDeLasReglas) {
    const CasoEleccion& c = GetParam();
    TArbolCarpetas t;
    QDir().mkpath(t.Ruta("prog/bin"));
    if (c.arbol0Junto)
        Escribir(t.Ruta("prog/bin/Arbol0.tvw"), "arbol");

    carpetas::TDatosEleccion d;
    d.Opcion = c.opcion.isEmpty() ? QString() : t.Ruta(c.opcion);
    d.Variable = c.variable.isEmpty() ? QString() : t.Ruta(c.variable);
    d.CarpetaEjecutable = t.Ruta("prog/bin");
    d.Inicio = t.Ruta("casa");
    d.DatosUsuario = c.xdg == QLatin1String("rel") ? QStringLiteral("datos/relativos")
                     : c.xdg.isEmpty()             ? QString()
                                                   : t.Ruta(c.xdg);
    QStringList consultadas;
    d.Escribible = [&](const QString& carpeta) {
        consultadas << carpeta;
        return c.escribible;
    };

    const carpetas::TEleccion e = carpetas::Elegir(d);
    EXPECT_EQ(e.Motivo, c.motivo);
    EXPECT_EQ(e.Biblioteca, QDir::cleanPath(t.Ruta(QString::fromUtf8(c.biblioteca))) + "/");
    // Nothing is made while choosing.
    EXPECT_FALSE(QFileInfo::exists(t.Ruta("casa")));
    EXPECT_FALSE(QFileInfo::exists(t.Ruta("xdg")));
}

INSTANTIATE_TEST_SUITE_P(
    Reglas, Eleccion,
    ::testing::Values(
        CasoEleccion{"OpcionAntesQueTodo", "opc", "var", true, true, "xdg", Origen::Opcion, "opc"},
        CasoEleccion{"VariableSinOpcion", "", "var", true, true, "xdg", Origen::Variable, "var"},
        CasoEleccion{"EjecutableConArbol0", "", "", true, true, "xdg", Origen::Ejecutable,
                     "prog/bin"},
        CasoEleccion{"EjecutableSinEscritura", "", "", true, false, "xdg", Origen::Usuario,
                     "xdg/brivo2"},
        CasoEleccion{"EjecutableSinArbol0", "", "", false, true, "xdg", Origen::Usuario,
                     "xdg/brivo2"},
        CasoEleccion{"SinXdgEnLaCasa", "", "", false, true, "", Origen::Usuario,
                     "casa/.local/share/brivo2"},
        CasoEleccion{"XdgRelativoNoVale", "", "", false, true, "rel", Origen::Usuario,
                     "casa/.local/share/brivo2"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(Carpetas, LosArchivosInstaladosSeBuscanJuntoABin) {
    TArbolCarpetas t;
    QDir().mkpath(t.Ruta("usr/bin"));
    // Without share/brivo2 (the build folder, a copied folder) the
    // executable's folder holds them.
    EXPECT_EQ(carpetas::CarpetaInstalados(t.Ruta("usr/bin")), t.Ruta("usr/bin/"));
    QDir().mkpath(t.Ruta("usr/share/brivo2"));
    EXPECT_EQ(carpetas::CarpetaInstalados(t.Ruta("usr/bin")), t.Ruta("usr/bin/"))
        << "una carpeta sin Arbol0.tvw no es la de los archivos instalados";
    Escribir(t.Ruta("usr/share/brivo2/Arbol0.tvw"), "arbol");
    EXPECT_EQ(carpetas::CarpetaInstalados(t.Ruta("usr/bin")), t.Ruta("usr/share/brivo2/"));
}

TEST(Carpetas, PrimerArranqueCreaLaCarpetaYDocs) {
    TArbolCarpetas t;
    const QString nueva = t.Ruta("xdg/brivo2/");
    carpetas::PrepararBiblioteca(nueva);
    EXPECT_TRUE(QFileInfo(nueva).isDir());
    EXPECT_TRUE(QFileInfo(nueva + "Docs").isDir());
    // Nothing else: the shipped files stay where they are installed.
    EXPECT_EQ(QDir(nueva).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Docs"});
}

TEST(Carpetas, UnaBibliotecaExistenteNoSeToca) {
    TArbolCarpetas t;
    const QString b = t.Ruta("biblioteca/");
    Escribir(b + "Libros.lst", "libros");
    Escribir(b + "Arbol.tvw", "arbol propio");
    Escribir(b + "nuevodoc.doc", "modelo propio");
    Escribir(b + "Docs/fis/K000001.doc", "uno");
    const pruebas::TFotoCarpeta antes = pruebas::Fotografiar(b);
    carpetas::PrepararBiblioteca(b);
    EXPECT_EQ(pruebas::Fotografiar(b), antes);

    // Only the missing Docs/ is added to a folder that lacks it.
    QDir(b + "Docs").removeRecursively();
    carpetas::PrepararBiblioteca(b);
    EXPECT_TRUE(QFileInfo(b + "Docs").isDir());
    EXPECT_EQ(pruebas::Fotografiar(b).value("Libros.lst"), antes.value("Libros.lst"));
}

TEST(Carpetas, UnaCarpetaImposibleDeCrearSeDice) {
    TArbolCarpetas t;
    Escribir(t.Ruta("archivo"), "no es una carpeta");
    try {
        carpetas::PrepararBiblioteca(t.Ruta("archivo/brivo2"));
        FAIL() << "se esperaba un error";
    } catch (const ErrorBrivo& e) {
        EXPECT_EQ(e.Mensaje(), "No se puede crear la carpeta " + t.Ruta("archivo/brivo2"));
    }
}

TEST(Carpetas, LaCopiaPropiaDeLaBibliotecaGanaALaInstalada) {
    TArbolCarpetas t;
    TAlmacen a;
    a.CarpetaPrograma = t.Ruta("biblioteca/");
    a.CarpetaInstalados = t.Ruta("instalados/");
    Escribir(t.Ruta("instalados/nuevodoc.doc"), "instalado");
    Escribir(t.Ruta("instalados/Brivo2.hlp"), "ayuda");
    Escribir(t.Ruta("biblioteca/nuevodoc.doc"), "propio");
    EXPECT_EQ(a.RutaDelPrograma("nuevodoc.doc"), t.Ruta("biblioteca/nuevodoc.doc"));
    EXPECT_EQ(a.RutaDelPrograma("Brivo2.hlp"), t.Ruta("instalados/Brivo2.hlp"));
    // Without an installed folder everything is in the library folder.
    a.CarpetaInstalados.clear();
    EXPECT_EQ(a.RutaDelPrograma("Brivo2.hlp"), t.Ruta("biblioteca/Brivo2.hlp"));
}

TEST(Carpetas, UnaBibliotecaDeConsultaNoSeGuarda) {
    TArbolCarpetas t;
    TAlmacen a;
    a.CarpetaPrograma = t.Ruta("biblioteca/");
    carpetas::PrepararBiblioteca(a.CarpetaPrograma);
    a.SoloConsulta = true;
    EXPECT_THROW(a.GuardarLibreria(), ErrorBrivo);
    EXPECT_EQ(QDir(a.CarpetaPrograma).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

} // namespace
