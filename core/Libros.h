#pragma once
// Rules of the books that are not dialogs: identifiers, folder names and the
// deletion of a book with its documents.
#include <cstdint>

#include <QString>

namespace brivo {

class IVentanaPrincipal;
class TAlmacen;

// A new book identifier: 100000..998999 from the system's secure random
// source, different from every book's identifier in the table.
std::int32_t SortearIdentificador(const TAlmacen& almacen);

// Whether a folder name typed for a book can be used as one folder inside
// Docs: not blanks alone, not "." or "..", no separator and no control
// character.
bool NombreCarpetaValido(const QString& carpeta);

// Deletes the active book: asks the main window to select the first
// top-level node (IVentanaPrincipal::SeleccionarPrimerNodo), deletes the
// files of the book's documents and frees their slots (their entries leave
// the exam list), removes the book's folder when it is empty and frees the
// book's slot, keeping its four permission flags. LibroActivo keeps naming
// the freed slot: the caller runs AsegurarLibroActivo next. Does nothing
// when no valid book is active.
void BorrarLibro(IVentanaPrincipal& ventana);

} // namespace brivo
