#pragma once
// Files of the embedded word processor.
//
// A document file is the document as HTML in UTF-8, images embedded as data:
// URIs, with the built-in properties as <meta name="brivo:N"> entries of the
// head and a generator mark that tells the engine's own files apart. A file
// saved with a password holds that HTML encrypted:
//
//   "BRIVOCIF" | version (1 byte) | Argon2id passes (u32 LE) | Argon2id memory
//   in KiB (u32 LE) | salt (16) | nonce (24) | XChaCha20-Poly1305 ciphertext
//
// The key is derived from the password with Argon2id and the file's own salt;
// the whole header is authenticated together with the text.
#include <map>

#include <QByteArray>
#include <QString>
#include <QTextDocument>

namespace brivo::word {

using PropiedadesDocumento = std::map<int, QString>;

// Key-derivation cost of new encrypted files (the cost of a file is read back
// from its header, so it can change without breaking older files).
inline constexpr unsigned long long PasadasArgon2 = 3;
inline constexpr unsigned int MemoriaArgon2KiB = 2048;
// Largest cost accepted from a file: a header that asks for more is taken
// for a damaged (or hostile) file before any key is derived, so opening
// never spends more than a few milliseconds on the key.
inline constexpr unsigned long long MaxPasadasArgon2 = 2 * PasadasArgon2;
inline constexpr unsigned int MaxMemoriaArgon2KiB = 2 * MemoriaArgon2KiB;

// The engine's documents. Qt's own loader reads whatever a name in a
// document points to (an image, a style sheet) whole: /dev/zero, a pipe or a
// huge file would hang the engine or fill the memory while the file is
// opened or shown. These documents load data: URIs and regular files of at
// most MaxBytesImagen (a relative name beside the document, for foreign
// pages) and nothing else.
class TDocumentoTexto : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int tipo, const QUrl& nombre) override;
};

enum class FormatoArchivo { Motor, Html, TextoPlano };

struct ResultadoLectura {
    FormatoArchivo formato = FormatoArchivo::Motor;
    bool cifrado = false;
    PropiedadesDocumento propiedades;
};

// Reads the file into doc (replacing its content); the engine passes a
// TDocumentoTexto, so that names in the file cannot make it read devices. Throws ErrorBrivo when
// the file is missing, unreadable, of an unknown kind, damaged, beyond the limits of
// LimitesDocumento.h, or when the password of an encrypted file is wrong
// ("La contraseña no es correcta.").
ResultadoLectura LeerArchivoDocumento(const QString& ruta, const QString& clave,
                                      QTextDocument& doc);

// Writes doc under ruta, encrypted when clave is not empty. Images that are not
// embedded yet are embedded first. Throws ErrorBrivo when the file cannot be written.
void GuardarArchivoDocumento(const QString& ruta, const QString& clave, QTextDocument& doc,
                             const PropiedadesDocumento& propiedades);

// The document as the HTML of a file, properties included.
QByteArray HtmlDeDocumento(QTextDocument& doc, const PropiedadesDocumento& propiedades);

// Encrypts and decrypts the bytes of a file (exposed for tests and benchmarks;
// the program always encrypts with the default cost).
QByteArray CifrarContenido(const QByteArray& claro, const QString& clave,
                           quint32 pasadas = PasadasArgon2, quint32 memoriaKiB = MemoriaArgon2KiB);
QByteArray DescifrarContenido(const QByteArray& cifrado, const QString& clave,
                              const QString& rutaParaMensajes);
bool EsContenidoCifrado(const QByteArray& datos);

// The name under which an image is stored in a document: a data: URI of its bytes.
QString NombreImagenIncrustada(const QByteArray& bytes, const QString& tipoMime);

// Turns every image of doc whose name is not a data: URI into an embedded one.
void IncrustarImagenes(QTextDocument& doc);

} // namespace brivo::word
