#pragma once
// What the installed program is made of, and how the installation tests run
// the tools they check it with.
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace brivo::pruebas {

// Every file installed, relative to the prefix, sorted.
QStringList ArchivosInstalados();

struct Salida {
    int codigo = -1;
    QString salida;
    QString error;
};
// Runs a program to its end (at most five minutes); the environment is the
// test's own with the changes given ("" removes a variable).
Salida Ejecutar(const QString& programa, const QStringList& argumentos,
                const QMap<QString, QString>& entorno = {}, const QString& carpeta = QString());

// Files (and, separately, the folders) under a folder, relative to it, sorted.
QStringList Archivos(const QString& carpeta);
QStringList Carpetas(const QString& carpeta);

// Full path of a tool, "" when it is not installed.
QString Herramienta(const QString& nombre);

} // namespace brivo::pruebas
