#pragma once
// File helpers of the book packages: names of document files, moves that
// never leave a half-written target, and the folders a book's files live in.
#include <cstdint>

#include <QString>

#include "Texto.h"

namespace brivo {

class TAlmacen;

namespace paquete {

// The number of a document file name ("K" + six digits + ".doc", 1..500),
// else 0.
int NumeroDeNombre(const QString& nombre);
// Something with that name exists (a dangling link too).
bool Existe(const QString& ruta);
// Moves a file, replacing the target. Within one file system this is a
// rename; across file systems the file is copied beside the target first and
// then renamed over it, so the target is never left half-written.
bool Mover(const QString& origen, const QString& destino);

// Does a book other than the one with that identifier (0: any book) keep its
// files in that folder?
bool CarpetaDeOtroLibro(const TAlmacen& almacen, const CadenaCorta<100>& carpeta,
                        std::int32_t identificador);

// Moves a replaced book's files from its old folder to its new one: the
// whole folder when no other book shares it and the new name is free, else
// the book's document files one by one. True when something moved.
bool MoverArchivosDeLibro(const TAlmacen& almacen, std::int32_t identificador,
                          const QString& anterior, const QString& nueva);

} // namespace paquete
} // namespace brivo
