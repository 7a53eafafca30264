#pragma once
// The documents of an imported book package: which of them the library
// already holds, the slots of the new ones and where their files go. Used by
// IncorporarPaquete (Paquete.h); the file helpers serve the rest of the
// package code as well.
#include <cstdint>
#include <vector>

#include <QHash>
#include <QString>

#include "Registros.h"

namespace brivo {

class IVentanaPrincipal;
struct TResultadoImportacion;

namespace paquete {

// "K" + the number in six digits + ".doc".
QString NombreDocumento(int numero);
// Something with that name exists (a dangling link too).
bool Existe(const QString& ruta);
// Moves a file, replacing the target. Within one file system this is a
// rename; across file systems the file is copied beside the target first and
// then renamed over it, so the target is never left half-written.
bool Mover(const QString& origen, const QString& destino);

// Merges the package's document records of the book idLibro. A document is
// known by the number it has in its book's own numbering: its Numero, or the
// number origenes (the package's Origenes.lst) gives for it. A record whose
// book already has a document with that number is skipped (the local record
// stays; its file is replaced by the package's copy). Any other goes into
// the slot of that number when it is free, else into the first free slot,
// which it then remembers in NumeroOrigen; its file is renamed to match. The
// other extracted files go into the book's folder without ever taking the
// place of an existing file or of a listed document's file. Counts and
// notices go into r.
void IncorporarDocumentos(IVentanaPrincipal& ventana, std::int32_t idLibro,
                          const std::vector<TDocumento>& registros, const QHash<int, int>& origenes,
                          const QString& extraidos, const QString& destino,
                          TResultadoImportacion& r);

} // namespace paquete
} // namespace brivo
