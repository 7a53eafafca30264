#pragma once
// "Exportar documento…": one document of the bank written as PDF,
// OpenDocument Text, Word 2007+, Word 97–2003 or HTML, for handing out. The
// document shown in the editor is exported as it is there, unsaved changes
// included; any other one from its file, read with its book's identifier.
// The document's own file never changes. The questions (the file, an
// existing file, the password of a Word file) are asked here through the
// dialog seam; the password dialog is a widget and is handed in, so that
// the editor window's "Archivo › Exportar…" asks the same questions.
//
//   TPedirClaveExportacion pedir = PedirClaveExportacion; // the password dialog
//   OrdenExportarDocumento(banco, pedir, *conversion);
#include <functional>
#include <optional>

#include <QString>

#include "ProcesadorTextos.h"

class QWidget;

namespace brivo {

class TBancoDocumentos;

// Caption and filters of the save dialog.
QString TituloExportacionDocumento();
QString FiltroExportacionDocumento();

// Whether a format can be protected with a password (the two Word formats).
bool FormatoConClave(word::FormatoExportacion formato);

// The question before an existing file is replaced.
QString PreguntaReemplazar(const QString& ruta);

// Asks for the password of an exported Word file: nullopt when the user
// cancelled, an empty text for none.
using TPedirClaveExportacion =
    std::function<std::optional<QString>(QWidget* padre, word::FormatoExportacion formato)>;

// The path the save dialog suggests for a document called nombre: the
// folder of the last export (the home folder at first) and the name with
// the characters no file name may hold turned into "_", as a PDF.
QString RutaSugerida(const QString& nombre);

// The questions of an export: the save dialog (ui::ArchivoParaExportar at
// RutaSugerida(nombre)), an extension that names no format (error), the
// question before an existing file is replaced ("No" gives up), and the
// password of a Word file through pedirClave. None when the user gave up.
std::optional<word::DestinoExportacion>
ElegirDestinoExportacion(QWidget* padre, const QString& nombre,
                         const TPedirClaveExportacion& pedirClave);

// Writes document numero to the destination: through the editor when the
// editor shows its file, else from its file. Throws ErrorBrivo
// (word::ErrorSinConversor for Word output without LibreOffice).
void ExportarDocumentoDelBanco(TBancoDocumentos& banco, int numero,
                               const word::DestinoExportacion& destino,
                               word::IConversionDocumentos& conversion);

// The command, on DocActual: a notice when there is none, the questions,
// the export with the busy cursor and a closing notice. True when written.
bool OrdenExportarDocumento(TBancoDocumentos& banco, const TPedirClaveExportacion& pedirClave,
                            word::IConversionDocumentos& conversion);

} // namespace brivo
