#pragma once
// Whole-file reading and crash-safe writing for the data files. Writing goes
// to a temporary file in the same folder, is flushed to disk and then renamed
// over the old file, so a crash or a full disk never leaves a torn file.
#include <QByteArray>
#include <QString>

#include "Errores.h"

namespace brivo::archivos {

struct ResultadoLectura {
    int error = 0;        // errno of the failure, 0 when all went well
    bool abierto = false; // the file could be opened
};

// Reads the whole file into datos; after a read failure datos holds what was
// read before it.
ResultadoLectura Leer(const QString& ruta, QByteArray& datos);

struct ResultadoEscritura {
    int error = 0;        // errno of the failure, 0 when all went well
    bool alCrear = false; // the file could not be created (or put in place)
};

ResultadoEscritura EscribirSeguro(const QString& ruta, const QByteArray& datos);

// The runtime's input/output error for a system error number:
// "No se encuentra el archivo" for a missing file, "Error de E/S %d" otherwise.
ErrorES ErrorDeSistema(int codigo);

} // namespace brivo::archivos
