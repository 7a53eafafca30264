#pragma once
// How the document bank opens its documents in the word processor.
#include "ProcesadorTextos.h"

namespace brivo {

// Documents.Open arguments for a document of a book: conversions confirmed,
// writable, listed among the recent files, and the book's password as open
// and write password of the document and of its template.
inline word::OpcionesApertura OpcionesConClave(const QString& clave) {
    word::OpcionesApertura opciones;
    opciones.ConfirmConversions = true;
    opciones.ReadOnly = false;
    opciones.AddToRecentFiles = true;
    opciones.PasswordDocument = clave;
    opciones.PasswordTemplate = clave;
    opciones.WritePasswordDocument = clave;
    opciones.WritePasswordTemplate = clave;
    opciones.Revert = false;
    opciones.Format = 0;
    return opciones;
}

} // namespace brivo
