#pragma once
// Book packages for installations whose word processor is Word: the book's
// documents go into the package as Word 97–2003 files, protected with the
// book's identifier when the book keeps passwords in its documents
// (ExportarDocumentoWord97), under their usual names (K000007.doc), so that
// such an installation opens them as its own.
#include <QString>

#include "ProcesadorTextos.h"

namespace brivo {

class TAlmacen;
struct TLibro;
struct TProgreso;

// Writes into carpeta the Word 97–2003 copy of every used document of libro
// that has a file, under its file's name; the documents' own files do not
// change. The progress goes to progreso.Mayor ("Convirtiendo K000007.doc"
// and the share done). Stops at the first failure: throws
// word::ErrorSinConversor without LibreOffice, ErrorBrivo naming the
// document and the reason otherwise. Returns how many were written.
int EscribirDocumentosWord(const TAlmacen& almacen, const TLibro& libro, const QString& carpeta,
                           word::IConversionDocumentos& conversion, const TProgreso& progreso);

} // namespace brivo
