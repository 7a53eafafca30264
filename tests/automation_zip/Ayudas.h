#pragma once
// Helpers shared by the zip component tests.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>
#include <utility>
#include <vector>

#include "TextosQt.h"

namespace brivo::pruebas {

void EscribirArchivo(const QString& ruta, const QByteArray& datos);
QByteArray LeerArchivo(const QString& ruta);

// Sorted names of the files (hidden ones included) directly inside a folder.
QStringList ArchivosEn(const QString& carpeta);

// Text that looks like a document of the program: compressible, varied.
QByteArray TextoDocumento(int semilla, int tamano);

// True when the program is installed.
bool Herramienta(const QString& programa);

// Runs a program and returns its exit code (-1 if it could not run).
int Ejecutar(const QString& programa, const QStringList& argumentos,
             const QString& carpeta = QString(), const QByteArray& entrada = QByteArray());

// Builds an archive directly with libzip, entry names taken as given, so
// hostile names can be stored. metodoCifrado is a ZIP_EM_* value.
void CrearZipCrudo(const QString& ruta,
                   const std::vector<std::pair<QByteArray, QByteArray>>& entradas,
                   const QString& comentario = QString(), int metodoCifrado = 0,
                   const QByteArray& clave = QByteArray());

// Rewrites the uncompressed size of every entry, in the local headers and in
// the central directory, as a forged archive would.
void FalsearTamanos(const QString& ruta, quint32 tamano);

// Encryption method of an entry, read with libzip.
int MetodoCifrado(const QString& ruta, const QString& entrada);

} // namespace brivo::pruebas
