#pragma once
// What the engine accepts from a document file before it hands the text to
// Qt's reader, whose time grows with the square of the nesting depth and
// with the declared size of tables, and which reserves memory for every
// element. The limits stay far above the program's own largest documents
// (an exam of 100 two-page questions is 1.8 MB with 24,000 elements nested
// about ten deep), so that only damaged or hostile files are refused.
#include <QByteArrayView>

namespace brivo::word {

// Largest document file, in bytes (images embedded as data: URIs included).
inline constexpr qint64 MaxBytesDocumento = 64LL * 1024 * 1024;
// Largest image file a document may refer to by name.
inline constexpr qint64 MaxBytesImagen = 16LL * 1024 * 1024;
// Bytes of HTML outside data: URIs.
inline constexpr qsizetype MaxMarcadoHtml = 8 * 1024 * 1024;
// Bytes of style sheets (<style> elements).
inline constexpr qsizetype MaxEstiloHtml = 256 * 1024;
// Elements, with every table counted as the rows times the columns it declares.
inline constexpr qint64 MaxElementosHtml = 100000;
// Elements open inside one another.
inline constexpr int MaxProfundidadHtml = 64;
// Columns or rows that one table cell spans.
inline constexpr int MaxExtensionCelda = 1000;
// Lines of a plain-text file, and its bytes (MaxMarcadoHtml).
inline constexpr qsizetype MaxLineasTexto = 100000;

enum class ExcesoDocumento {
    Ninguno,
    Danado,         // structure no document has (nesting, cell spans)
    DemasiadoGrande // within reason, but more than the engine takes
};

// Checks the bytes of an HTML file (in an encoding that keeps ASCII, as
// every HTML file the engine opens) without building anything from them.
ExcesoDocumento ComprobarHtml(QByteArrayView html);

// Checks the bytes of a plain-text file.
ExcesoDocumento ComprobarTextoPlano(QByteArrayView texto);

} // namespace brivo::word
