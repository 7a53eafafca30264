// The command lines of brivo2 and brivo2-datos, read directly and run on the
// built programs: Spanish help, wrong options, the folder each one uses, and a
// copied program folder that cannot be written.
#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

#include "LineaOrdenes.h"

using namespace brivo;

namespace {

const QString Programa = QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2");
const QString Datos = QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2-datos");

struct Salida {
    int codigo = -1;
    QString salida;
    QString error;
};

// Runs a program with a clean environment of its own: no BRIVO2_CARPETA
// unless given, HOME and XDG_DATA_HOME as given.
Salida Ejecutar(const QString& programa, const QStringList& argumentos,
                const QMap<QString, QString>& entorno = {}) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove(QStringLiteral("BRIVO2_CARPETA"));
    e.remove(QStringLiteral("XDG_DATA_HOME"));
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto it = entorno.begin(); it != entorno.end(); ++it)
        e.insert(it.key(), it.value());
    QProcess p;
    p.setProcessEnvironment(e);
    p.start(programa, argumentos);
    Salida s;
    if (!p.waitForFinished(60000))
        return s;
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.salida = QString::fromUtf8(p.readAllStandardOutput());
    s.error = QString::fromUtf8(p.readAllStandardError());
    return s;
}

// Runs its action when the scope ends.
struct TAlSalir {
    std::function<void()> accion;
    ~TAlSalir() { accion(); }
};

// The library line of --version.
QString LineaBiblioteca(const QString& version) {
    for (const QString& linea : version.split(QLatin1Char('\n')))
        if (linea.startsWith(QLatin1String("Biblioteca: ")))
            return linea;
    return {};
}

TEST(Ordenes, LeerLaLineaDeOrdenes) {
    struct Caso {
        QStringList args;
        QString carpeta;
        bool ayuda, version;
        QString error;
    } casos[] = {
        {{}, "", false, false, ""},
        {{"--carpeta", "/tmp/b"}, "/tmp/b", false, false, ""},
        {{"--carpeta=/tmp/b", "-v"}, "/tmp/b", false, true, ""},
        {{"-platform", "offscreen", "--carpeta", "x"}, "x", false, false, ""},
        {{"--style=fusion", "-reverse", "-h"}, "", true, false, ""},
        {{"--carpeta"}, "", false, false, "falta la carpeta detrás de --carpeta"},
        {{"--carpeta="}, "", false, false, "falta la carpeta detrás de --carpeta"},
        {{"--rara"}, "", false, false, "opción desconocida: --rara"},
        {{"libro.zip"}, "", false, false, "argumento no esperado: libro.zip"},
    };
    for (const Caso& c : casos) {
        const ordenes::TOrdenes o = ordenes::Leer(QStringList{"brivo2"} + c.args);
        const std::string d = c.args.join(' ').toStdString();
        EXPECT_EQ(o.Carpeta, c.carpeta) << d;
        EXPECT_EQ(o.Ayuda, c.ayuda) << d;
        EXPECT_EQ(o.Version, c.version) << d;
        EXPECT_EQ(o.Error, c.error) << d;
    }
}

TEST(Ordenes, AyudaYErroresEnCastellano) {
    const Salida ayuda = Ejecutar(Programa, {"--help"});
    EXPECT_EQ(ayuda.codigo, 0);
    EXPECT_TRUE(ayuda.salida.startsWith("Uso: brivo2 [--carpeta CARPETA]\n"))
        << ayuda.salida.toStdString();
    EXPECT_TRUE(ayuda.salida.contains("BRIVO2_CARPETA"));
    EXPECT_TRUE(ayuda.salida.contains("~/.local/share/brivo2"));

    const Salida mala = Ejecutar(Programa, {"--rara"});
    EXPECT_EQ(mala.codigo, 2);
    EXPECT_TRUE(mala.salida.isEmpty());
    EXPECT_TRUE(mala.error.startsWith("brivo2: opción desconocida: --rara\n"))
        << mala.error.toStdString();

    const Salida datos = Ejecutar(Datos, {"--help"});
    EXPECT_EQ(datos.codigo, 0);
    EXPECT_TRUE(datos.salida.startsWith("Uso: brivo2-datos CARPETA ORDEN\n"));
    EXPECT_TRUE(datos.salida.contains("comprobar"));
    const Salida datosMal = Ejecutar(Datos, {"--rara", "libros"});
    EXPECT_EQ(datosMal.codigo, 2);
    EXPECT_TRUE(datosMal.error.startsWith("Uso: brivo2-datos")) << datosMal.error.toStdString();
}

TEST(Ordenes, VersionDiceQueCarpetaSeUsa) {
    QTemporaryDir dir;
    const QString var = dir.path() + "/variable";
    const QString opc = dir.path() + "/opcion";

    const Salida porVariable = Ejecutar(Programa, {"--version"}, {{"BRIVO2_CARPETA", var}});
    EXPECT_EQ(porVariable.codigo, 0);
    EXPECT_TRUE(porVariable.salida.startsWith("Brivo II " BRIVO_VERSION "\n"));
    EXPECT_EQ(LineaBiblioteca(porVariable.salida),
              "Biblioteca: " + var + " (elegida con la variable BRIVO2_CARPETA)");

    const Salida porOpcion =
        Ejecutar(Programa, {"--carpeta", opc, "--version"}, {{"BRIVO2_CARPETA", var}});
    EXPECT_EQ(LineaBiblioteca(porOpcion.salida), "Biblioteca: " + opc + " (elegida con --carpeta)");

    // The build folder holds Arbol0.tvw and can be written: it is its own library.
    const Salida portatil = Ejecutar(Programa, {"-v"});
    EXPECT_EQ(LineaBiblioteca(portatil.salida),
              "Biblioteca: " + QDir::cleanPath(BRIVO_CARPETA_PROGRAMA) +
                  " (la carpeta del programa)");
    // --version only tells: nothing was made.
    EXPECT_FALSE(QFileInfo::exists(var));
    EXPECT_FALSE(QFileInfo::exists(opc));
}

TEST(Ordenes, DatosSinCarpetaLeeLaBibliotecaDelPrograma) {
    QTemporaryDir dir;
    QFile ini(dir.filePath("BRIVO_II.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\r\nLibroActivo=7\r\n");
    ini.close();
    const Salida s = Ejecutar(Datos, {"ajustes"}, {{"BRIVO2_CARPETA", dir.path()}});
    EXPECT_EQ(s.codigo, 0) << s.error.toStdString();
    EXPECT_TRUE(s.salida.contains("\"LibroActivo\": 7")) << s.salida.toStdString();
    const Salida opcion = Ejecutar(Datos, {"--carpeta", dir.path(), "ajustes"});
    EXPECT_EQ(opcion.salida, s.salida);
}

TEST(Ordenes, CarpetaDelProgramaSinPermisoDeEscritura) {
    // A copied program folder (program and Arbol0.tvw) that its user cannot
    // write: the library goes to the per-user folder. Root writes anywhere,
    // so the program then runs as "nobody".
    const bool raiz = ::geteuid() == 0;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (raiz && setpriv.isEmpty())
        GTEST_SKIP() << "sin setpriv no se puede ejecutar el programa sin privilegios";
    QTemporaryDir dir;
    const QString prog = dir.path() + "/prog";
    QDir().mkpath(prog);
    ASSERT_TRUE(QFile::copy(Programa, prog + "/brivo2"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(BRIVO_CARPETA_PROGRAMA "Arbol0.tvw"), prog + "/Arbol0.tvw"));
    const auto todos = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner |
                       QFile::ExeGroup | QFile::ExeOther;
    const auto escritura = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(dir.path(), todos);
    QFile::setPermissions(prog + "/brivo2", todos);
    // The folders can be written again at the end, so that they can be removed.
    const TAlSalir restaurar{[&] {
        QFile::setPermissions(dir.path(), todos | escritura);
        QFile::setPermissions(prog, todos | escritura);
    }};
    const QMap<QString, QString> entorno{{"HOME", dir.path() + "/casa"},
                                         {"XDG_DATA_HOME", dir.path() + "/xdg"}};
    auto version = [&] {
        return raiz ? Ejecutar(setpriv,
                               {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                prog + "/brivo2", "--version"},
                               entorno)
                    : Ejecutar(prog + "/brivo2", {"--version"}, entorno);
    };

    QFile::setPermissions(prog, todos | escritura);
    const Salida escribible = version();
    ASSERT_EQ(escribible.codigo, 0) << escribible.error.toStdString();
    EXPECT_EQ(LineaBiblioteca(escribible.salida),
              "Biblioteca: " + prog + " (la carpeta del programa)");

    QFile::setPermissions(prog, todos);
    const Salida cerrada = version();
    ASSERT_EQ(cerrada.codigo, 0) << cerrada.error.toStdString();
    EXPECT_EQ(LineaBiblioteca(cerrada.salida),
              "Biblioteca: " + dir.path() + "/xdg/brivo2 (la carpeta del usuario)");
}

} // namespace
