#include "Instalacion.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>

namespace brivo::pruebas {

QStringList ArchivosInstalados() {
    QStringList lista{
        QStringLiteral("bin/brivo2"),
        QStringLiteral("bin/brivo2-datos"),
        QStringLiteral("share/applications/brivo2.desktop"),
        QStringLiteral("share/brivo2/Arbol0.tvw"),
        QStringLiteral("share/brivo2/Brivo2.hlp"),
        QStringLiteral("share/brivo2/conversor-oficina.py"),
        QStringLiteral("share/brivo2/nuevodoc.doc"),
        QStringLiteral("share/brivo2/nuevoexamen.doc"),
        QStringLiteral("share/icons/hicolor/scalable/apps/brivo2.svg"),
        QStringLiteral("share/man/man1/brivo2-datos.1.gz"),
        QStringLiteral("share/man/man1/brivo2.1.gz"),
        QStringLiteral("share/metainfo/" BRIVO_ID_APPSTREAM ".metainfo.xml"),
    };
    lista.sort();
    return lista;
}

Salida Ejecutar(const QString& programa, const QStringList& argumentos,
                const QMap<QString, QString>& entorno, const QString& carpeta) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (auto it = entorno.begin(); it != entorno.end(); ++it) {
        if (it.value().isEmpty())
            e.remove(it.key());
        else
            e.insert(it.key(), it.value());
    }
    QProcess p;
    p.setProcessEnvironment(e);
    if (!carpeta.isEmpty())
        p.setWorkingDirectory(carpeta);
    p.start(programa, argumentos);
    Salida s;
    if (!p.waitForFinished(300000)) {
        s.error = QStringLiteral("no terminó: ") + p.errorString();
        return s;
    }
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.salida = QString::fromUtf8(p.readAllStandardOutput());
    s.error = QString::fromUtf8(p.readAllStandardError());
    return s;
}

namespace {
QStringList Recorrer(const QString& carpeta, QDir::Filters filtro) {
    QStringList lista;
    QDirIterator it(carpeta, filtro | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        lista << QDir(carpeta).relativeFilePath(it.next());
    lista.sort();
    return lista;
}
} // namespace

QStringList Archivos(const QString& carpeta) {
    return Recorrer(carpeta, QDir::Files | QDir::System);
}

QStringList Carpetas(const QString& carpeta) {
    return Recorrer(carpeta, QDir::Dirs);
}

QString Herramienta(const QString& nombre) {
    return QStandardPaths::findExecutable(nombre);
}

} // namespace brivo::pruebas
