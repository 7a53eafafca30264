#pragma once
// Pieces shared by the zip writer (TZipFile) and the zip reader (TUnzipFile):
// the progress callback type, the result codes, item-list parsing, wildcard
// matching, the entry-name safety rule and small read-only helpers used by the
// book export and import.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace brivo {

// Progress of a zip job. szItem is the item being worked on, Percent goes from
// 0 to 100. A handler may set DoCancel to stop the job; the job then ends with
// the result ZipCancelado and leaves nothing half-written behind.
using TStatusCallback = std::function<void(const QString& szItem, int Percent, bool& DoCancel)>;

// Result codes of TZipFile::Execute and TUnzipFile::Execute. 0 is success and 41
// is a wrong (or missing) password; every other value is a failure.
enum CodigoZip : int {
    ZipCorrecto = 0,
    ZipAccionNoValida = 1,    // action outside 1..9 or not offered by the component
    ZipArchivoNoValido = 2,   // not a zip archive, truncated or damaged
    ZipNoEncontrado = 3,      // the archive or a named file does not exist
    ZipErrorEscritura = 4,    // a file or folder could not be written
    ZipErrorLectura = 5,      // a file to be archived could not be read
    ZipParametroNoValido = 6, // empty archive name, encryption without password, bad index
    ZipNadaQueHacer = 12,     // no file matched the item list
    ZipNombreInseguro = 20,   // an entry name would place a file outside the destination
    ZipDemasiadoGrande = 21,  // uncompressed data over the size limit (or over its own header)
    ZipSinEspacio = 22,       // not enough free disk space at the destination
    ZipCancelado = 23,        // a progress handler asked to stop
    ZipClaveErronea = 41,     // wrong or missing password for an encrypted entry
};

// Spanish description of a result code, for messages.
QString TextoCodigoZip(int codigo);

// Largest total of uncompressed bytes that one extraction accepts by default.
constexpr qint64 LimiteDescomprimidoPredeterminado = 2LL * 1024 * 1024 * 1024;

// One entry of an archive as listed by ListarEntradasZip.
struct EntradaZip {
    QString Nombre;              // name as stored (folders separated by "/")
    qint64 Tamano = 0;           // uncompressed size
    qint64 TamanoComprimido = 0; // stored size
    bool Cifrada = false;        // entry is encrypted
    bool EsCarpeta = false;      // folder entry (name ends in "/")
};

// True when the file exists and is a zip archive whose directory can be read.
bool EsZipLegible(const QString& archivo);

// The archive comment ("" when there is none). Throws ErrorBrivo when the file
// is missing or is not a readable zip archive.
QString LeerComentarioZip(const QString& archivo);

// The entries of an archive in their stored order. Throws ErrorBrivo when the
// file is missing or is not a readable zip archive.
QList<EntradaZip> ListarEntradasZip(const QString& archivo);

// Splits an item list into its file patterns. Patterns are separated by
// blanks; a pattern between double quotes may hold blanks.
QStringList SepararPatrones(const QString& lista);

// Wildcard match of a file name against a pattern with "*" and "?", without
// regard to case. As on the system the packages come from, "*.*" matches every
// name and a pattern ending in ".*" also matches names without an extension.
bool CoincideComodin(const QString& patron, const QString& nombre);

// Relative path under the destination folder where an entry may be written, or
// nothing when the name is unsafe. With soloNombre the bare file name is taken;
// otherwise the stored folders are kept. Backslashes count as separators.
// Refused: empty names, "." or "..", any ".." folder, absolute paths (when
// folders are kept), names with a colon (drive-like) or control characters,
// and parts longer than the file system allows.
std::optional<QString> RutaSeguraDeEntrada(const QString& nombreEntrada, bool soloNombre);

} // namespace brivo
