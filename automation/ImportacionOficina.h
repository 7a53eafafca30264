#pragma once
// Office documents (Word 97–2003, Word 2007+, RTF, OpenDocument Text) read
// into the engine. LibreOffice writes the document as HTML with its images
// embedded; that HTML becomes the QTextDocument. The user's file is copied
// into a temporary folder first, so LibreOffice never touches it.
#include <QByteArray>
#include <QString>

#include "ArchivoDocumento.h"
#include "ConversorOficina.h"
#include "FormatoOficina.h"
#include "ProcesadorTextos.h"

class QTextDocument;

namespace brivo::word {

struct LecturaOficina {
    oficina::FormatoOficina Formato = oficina::FormatoOficina::Ninguno;
    bool Cifrado = false; // the file needed its password
    PropiedadesDocumento Propiedades;
};

// Reads the bytes of an office document (formato from FormatoDeContenido)
// into doc. clave opens a file that asks for a password. Throws
// ErrorConversion (a cut file is MotivoFallo::Danado before LibreOffice is
// asked) or ErrorSinConversor; ruta only names the file in messages.
LecturaOficina LeerDatosOficina(const QString& ruta, const QByteArray& datos,
                                oficina::FormatoOficina formato, const QString& clave,
                                QTextDocument& doc, oficina::IConversorOficina& conversor);

// Reads any document file into doc without changing it: the engine's own
// files, HTML and plain text directly, office documents through the converter.
PropiedadesDocumento CargarDocumento(const QString& ruta, const QString& clave, QTextDocument& doc,
                                     oficina::IConversorOficina& conversor);

// IConversionDocumentos::ImportarArchivo with the given converter.
void ImportarArchivo(const QString& origen, const QString& clave, const QString& destino,
                     const QString& claveDestino, oficina::IConversorOficina& conversor);

// Puts HTML written by LibreOffice into doc, undoing what does not belong to
// the document: layout white space of the HTML text, paragraphs kept open with
// a lone line break, and the browser's default paragraph margins.
void CargarHtmlDeOficina(const QString& html, QTextDocument& doc);

// Where the original of a converted file is kept: BAK/<carpeta>/ under the
// program folder for Docs/<carpeta>/<archivo>, else BAK/ beside the file.
QString CarpetaCopias(const QString& ruta);

// Writes datos into CarpetaCopias(ruta) under the file's name, or under
// "<name> (2)<ext>", "(3)"… when that name is taken; nothing is ever replaced.
// Returns the path written. Throws ErrorBrivo when the copy cannot be written.
QString GuardarCopiaOriginal(const QString& ruta, const QByteArray& datos);

// IConversionDocumentos::ConvertirAlFormatoPropio with the given converter.
ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta, const QString& clave,
                                                    oficina::IConversorOficina& conversor);

} // namespace brivo::word
