#include "Carpetas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Errores.h"

namespace brivo::carpetas {

namespace {

const QString Arbol0 = QStringLiteral("Arbol0.tvw");

QString ConBarra(const QString& carpeta) {
    QString r = QDir::cleanPath(QDir(carpeta).absolutePath());
    if (!r.endsWith(QLatin1Char('/')))
        r += QLatin1Char('/');
    return r;
}

QString CarpetaUsuario(const TDatosEleccion& d) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base
    // directory rules ask.
    QString base = d.DatosUsuario;
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = d.Inicio + QStringLiteral("/.local/share");
    return ConBarra(base + QLatin1Char('/') + QLatin1String(NombreCarpeta));
}

} // namespace

TDatosEleccion TDatosEleccion::Leer(const QString& opcion) {
    TDatosEleccion d;
    d.Opcion = opcion;
    d.Variable = qEnvironmentVariable(VariableCarpeta);
    d.CarpetaEjecutable =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    d.DatosUsuario = qEnvironmentVariable("XDG_DATA_HOME");
    d.Inicio = qEnvironmentVariable("HOME", QDir::homePath());
    d.Escribible = EsEscribible;
    return d;
}

bool EsEscribible(const QString& carpeta) {
    const QFileInfo info(carpeta);
    return info.isDir() && info.isWritable();
}

QString CarpetaInstalados(const QString& carpetaEjecutable) {
    const QString compartida =
        ConBarra(carpetaEjecutable + QStringLiteral("/../share/") + QLatin1String(NombreCarpeta));
    if (QFileInfo(compartida + Arbol0).isFile())
        return compartida;
    return ConBarra(carpetaEjecutable);
}

TEleccion Elegir(const TDatosEleccion& d) {
    TEleccion e;
    e.Instalados = CarpetaInstalados(d.CarpetaEjecutable);
    const auto escribible = d.Escribible ? d.Escribible : EsEscribible;
    if (!d.Opcion.isEmpty()) {
        e.Biblioteca = ConBarra(d.Opcion);
        e.Motivo = Origen::Opcion;
    } else if (!d.Variable.isEmpty()) {
        e.Biblioteca = ConBarra(d.Variable);
        e.Motivo = Origen::Variable;
    } else if (QFileInfo(ConBarra(d.CarpetaEjecutable) + Arbol0).isFile() &&
               escribible(d.CarpetaEjecutable)) {
        e.Biblioteca = ConBarra(d.CarpetaEjecutable);
        e.Motivo = Origen::Ejecutable;
    } else {
        e.Biblioteca = CarpetaUsuario(d);
        e.Motivo = Origen::Usuario;
    }
    return e;
}

void PrepararBiblioteca(const QString& carpeta) {
    for (const QString& ruta : {carpeta, carpeta + QStringLiteral("/Docs")}) {
        if (QFileInfo(ruta).isDir())
            continue;
        if (!QDir().mkpath(ruta))
            throw ErrorBrivo(QStringLiteral("No se puede crear la carpeta %1").arg(Visible(ruta)));
    }
}

QString Visible(const QString& carpeta) {
    QString r = QDir::cleanPath(carpeta);
    return r.isEmpty() ? carpeta : r;
}

} // namespace brivo::carpetas
