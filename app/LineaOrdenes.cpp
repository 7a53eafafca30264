#include "LineaOrdenes.h"

#include <cstdio>

#include <QDir>

namespace brivo::ordenes {

namespace {

const QString OpcionCarpeta = QStringLiteral("--carpeta");

// Options of Qt's own that the application object takes (with one dash or
// two): 1 when a value follows, 0 when not, -1 for any other text.
int OpcionDeQt(const QString& argumento) {
    static const QStringList conValor = {
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
        QStringLiteral("qwindowicon"),     QStringLiteral("style"),
        QStringLiteral("stylesheet"),      QStringLiteral("session"),
        QStringLiteral("display"),         QStringLiteral("geometry"),
        QStringLiteral("title"),           QStringLiteral("name")};
    static const QStringList sinValor = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                         QStringLiteral("nograb"), QStringLiteral("dograb"),
                                         QStringLiteral("sync")};
    QString nombre = argumento;
    if (nombre.startsWith(QLatin1String("--")))
        nombre.remove(0, 2);
    else if (nombre.startsWith(QLatin1Char('-')))
        nombre.remove(0, 1);
    else
        return -1;
    if (conValor.contains(nombre))
        return 1;
    if (sinValor.contains(nombre) || nombre.startsWith(QLatin1String("style=")) ||
        nombre.startsWith(QLatin1String("qmljsdebugger=")))
        return 0;
    return -1;
}

void Escribir(const QString& texto, std::FILE* salida) {
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), salida);
    std::fflush(salida);
}

QString Motivo(carpetas::Origen origen) {
    switch (origen) {
    case carpetas::Origen::Opcion:
        return QStringLiteral("elegida con --carpeta");
    case carpetas::Origen::Variable:
        return QStringLiteral("elegida con la variable %1")
            .arg(QLatin1String(carpetas::VariableCarpeta));
    case carpetas::Origen::Ejecutable:
        return QStringLiteral("la carpeta del programa");
    case carpetas::Origen::Usuario:
        break;
    }
    return QStringLiteral("la carpeta del usuario");
}

} // namespace

TOrdenes Leer(const QStringList& argumentos) {
    TOrdenes o;
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("-h") || a == QLatin1String("--help") ||
            a == QLatin1String("--ayuda")) {
            o.Ayuda = true;
        } else if (a == QLatin1String("-v") || a == QLatin1String("--version")) {
            o.Version = true;
        } else if (a == OpcionCarpeta) {
            if (i + 1 >= argumentos.size() || argumentos[i + 1].isEmpty()) {
                o.Error = QStringLiteral("falta la carpeta detrás de --carpeta");
                return o;
            }
            o.Carpeta = argumentos[++i];
        } else if (a.startsWith(OpcionCarpeta + QLatin1Char('='))) {
            o.Carpeta = a.mid(OpcionCarpeta.size() + 1);
            if (o.Carpeta.isEmpty()) {
                o.Error = QStringLiteral("falta la carpeta detrás de --carpeta");
                return o;
            }
        } else if (const int qt = OpcionDeQt(a); qt >= 0) {
            i += qt; // left to the application object
        } else if (a.startsWith(QLatin1Char('-'))) {
            o.Error = QStringLiteral("opción desconocida: %1").arg(a);
            return o;
        } else {
            o.Error = QStringLiteral("argumento no esperado: %1").arg(a);
            return o;
        }
    }
    return o;
}

QStringList Argumentos(int argc, char** argv) {
    QStringList lista;
    for (int i = 0; i < argc; ++i)
        lista << QString::fromLocal8Bit(argv[i]);
    return lista;
}

QString TextoAyuda() {
    return QString::fromUtf8(R"(Uso: brivo2 [--carpeta CARPETA]

Brivo II: banco de preguntas y creador de exámenes para el profesorado.

Opciones:
  --carpeta CARPETA  trabaja con la biblioteca de CARPETA (la crea si no existe)
  -h, --help         muestra esta ayuda y termina
  -v, --version      muestra la versión y la carpeta de la biblioteca, y termina

La biblioteca (libros, documentos, árbol de temas y ajustes) está en la primera
de estas carpetas:
  1. la que indica --carpeta o, si no, la variable de entorno %1;
  2. la carpeta del programa, si contiene Arbol0.tvw y se puede escribir en ella;
  3. $XDG_DATA_HOME/brivo2 (de ordinario ~/.local/share/brivo2), que se crea la
     primera vez.

Sólo un programa a la vez puede modificar una biblioteca: si otro la tiene
abierta, se abre sólo para consulta.
)")
        .arg(QLatin1String(carpetas::VariableCarpeta));
}

QString TextoVersion(const carpetas::TEleccion& eleccion) {
    return QStringLiteral("Brivo II %1\nBiblioteca: %2 (%3)\nArchivos del programa: %4\n")
        .arg(QStringLiteral(BRIVO_VERSION),
             QDir::toNativeSeparators(carpetas::Visible(eleccion.Biblioteca)),
             Motivo(eleccion.Motivo),
             QDir::toNativeSeparators(carpetas::Visible(eleccion.Instalados)));
}

int Responder(const TOrdenes& ordenes, const carpetas::TEleccion& eleccion) {
    if (!ordenes.Error.isEmpty()) {
        Escribir(QStringLiteral("brivo2: %1\nPruebe «brivo2 --help» para ver las opciones.\n")
                     .arg(ordenes.Error),
                 stderr);
        return 2;
    }
    if (ordenes.Ayuda) {
        Escribir(TextoAyuda(), stdout);
        return 0;
    }
    if (ordenes.Version) {
        Escribir(TextoVersion(eleccion), stdout);
        return 0;
    }
    return -1;
}

} // namespace brivo::ordenes
