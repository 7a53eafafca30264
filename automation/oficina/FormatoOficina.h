#pragma once
// Office documents told apart by their content (never by their name): Word
// 97–2003 compound files, Word 2007+ and OpenDocument Text zip packages, and
// RTF. A file that is none of these is Ninguno, whatever its extension.
#include <QByteArray>
#include <QString>

namespace brivo::oficina {

enum class FormatoOficina {
    Ninguno,
    Word97,   // OLE compound file (also a Word 2007+ file encrypted with a password)
    Word2007, // zip package holding word/document.xml
    Rtf,      // text starting with "{\rtf"
    Odt,      // zip package whose mimetype is application/vnd.oasis.opendocument.text
};

// The kind of office document the bytes hold.
FormatoOficina FormatoDeContenido(const QByteArray& datos);

// The same for a file; Ninguno when it cannot be read.
FormatoOficina FormatoDeArchivo(const QString& ruta);

// Whether the first bytes can start an office document; a cheap test before
// reading a whole file.
bool PuedeSerDeOficina(const QByteArray& inicio);

// Whether the bytes hold a whole document of that kind rather than a cut one:
// a compound file whose allocation table reaches no sector past its end, a zip
// package with its central directory, an RTF text whose groups all close.
bool ContenidoCompleto(const QByteArray& datos, FormatoOficina formato);

// "Word 97-2003", "Word 2007", "RTF", "OpenDocument".
QString NombreFormato(FormatoOficina formato);

// ".doc", ".docx", ".rtf", ".odt" (empty for Ninguno).
QString ExtensionFormato(FormatoOficina formato);

} // namespace brivo::oficina
