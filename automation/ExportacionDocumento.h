#pragma once
// A document written in another format: PDF and OpenDocument Text by Qt's
// own writers, HTML as the engine writes it (without password), Word 2007+
// and Word 97–2003 through the office converter (from the OpenDocument text).
// The output is written under a temporary name beside it and renamed at the
// end, so a failure never leaves it half-written.
#include <QString>

#include "ArchivoDocumento.h"
#include "ConversorOficina.h"
#include "ProcesadorTextos.h"

class QTextDocument;

namespace brivo::word {

// Writes doc as salida. claveSalida protects Word output (ignored for the
// other formats). Throws ErrorBrivo; ErrorSinConversor for Word formats
// without LibreOffice (salida is then not touched).
void ExportarDocumento(const QTextDocument& doc, const PropiedadesDocumento& propiedades,
                       const QString& salida, FormatoExportacion formato,
                       const QString& claveSalida, oficina::IConversorOficina& conversor);

// Reads the document file ruta (engine file or office document, opened with
// clave) and exports it. ruta is never changed; salida must be another file.
void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                     FormatoExportacion formato, const QString& claveSalida,
                     oficina::IConversorOficina& conversor);

// One document of a book as a Word 97–2003 file, protected with claveSalida
// when it is not empty (the book export writes its documents this way).
void ConvertirAWord97(const QString& ruta, const QString& clave, const QString& salida,
                      const QString& claveSalida, oficina::IConversorOficina& conversor);

// The document as OpenDocument Text written by Qt, with the fonts Qt's
// writer would otherwise lose and table borders drawn as plain lines.
QByteArray OdtDeDocumento(const QTextDocument& doc);

// Whether two paths name the same file.
bool MismoArchivo(const QString& a, const QString& b);

} // namespace brivo::word
