#pragma once
// Office documents and the library: converting every document of every book
// into the program's format, and exporting one document to another format.
// The conversions themselves are those of the automation interface
// (word::IConversionDocumentos), handed in by the caller, so that these rules
// run the same from the main window, the command line and the tests.
//
// The conversion command of the main window, with its progress dialog:
//
//   auto conversion = word::CrearConversionDocumentos();
//   const TResultadoConversion r = ConvertirDocumentosLibros(
//       almacen, *conversion, [&](int n, int total, int numero) {
//           dialogo.setLabelText(QStringLiteral("Documento %1 de %2").arg(n).arg(total));
//           return !dialogo.wasCanceled(); // false stops before this document
//       });
//   // r.Documentos: one entry per document handled, with its outcome and reason.
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "Almacen.h"
#include "ProcesadorTextos.h"

namespace brivo {

enum class EstadoConversion {
    Convertido,  // an office document, now in the program's format (original in BAK/)
    YaEnFormato, // already a file the program opens (its own format, HTML or text)
    SinArchivo,  // the document has no file yet
    Fallido,     // could not be converted; Motivo says why, the file is as it was
};

struct TDocumentoConvertido {
    int Numero = 0;
    QString Ruta;
    EstadoConversion Estado = EstadoConversion::YaEnFormato;
    QString Formato; // office format it had (Convertido)
    QString Copia;   // where its original was kept (Convertido)
    QString Motivo;  // the error's text (Fallido)
};

struct TResultadoConversion {
    std::vector<TDocumentoConvertido> Documentos; // in document number order
    bool Cancelado = false;                       // stopped by the progress callback
    int Cuantos(EstadoConversion estado) const;
};

// Called before each document with its position n (from 1) among total and
// its number; returning false stops the conversion before that document.
using ProgresoConversion = std::function<bool(int n, int total, int numero)>;

// Converts every document whose book exists and whose file is an office
// document into the program's format, each opened with its book's identifier
// as password. A document that fails is reported and the next one follows.
// Throws word::ErrorSinConversor, before changing any file, when an office
// document is found and LibreOffice is not installed.
TResultadoConversion ConvertirDocumentosLibros(const TAlmacen& almacen,
                                               word::IConversionDocumentos& conversion,
                                               const ProgresoConversion& progreso = {});

// The export format named by a file's extension (.pdf .odt .docx .doc .html
// .htm, in any case); none for any other.
std::optional<word::FormatoExportacion> FormatoPorExtension(const QString& ruta);

// Writes document numero as salida in the format of its extension, read with
// its book's identifier as password; the document's own file is not changed.
// claveSalida protects Word output (empty: none). Throws ErrorBrivo with the
// reason (unknown number, no book, unknown extension, the reading or writing
// failures of the conversion).
void ExportarDocumentoNumero(const TAlmacen& almacen, int numero, const QString& salida,
                             word::IConversionDocumentos& conversion,
                             const QString& claveSalida = {});

// The message for a file whose extension names no export format.
QString MensajeExtensionExportacion(const QString& salida);

// Document numero as a Word 97–2003 file for a book package: protected with
// the book's identifier when the book keeps passwords in its documents.
void ExportarDocumentoWord97(const TAlmacen& almacen, int numero, const QString& salida,
                             word::IConversionDocumentos& conversion);

} // namespace brivo
