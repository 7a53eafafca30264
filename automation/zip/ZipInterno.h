#pragma once
// Internal helpers of the zip components (not part of their interface).
#include <zip.h>

#include <QByteArray>
#include <QString>

namespace brivo::zipinterno {

// Owns an open libzip archive; discards it unless it was closed.
class Archivo {
public:
    Archivo() = default;
    explicit Archivo(zip_t* z) : za(z) {}
    Archivo(const Archivo&) = delete;
    Archivo& operator=(const Archivo&) = delete;
    ~Archivo() {
        if (za)
            zip_discard(za);
    }
    zip_t* get() const { return za; }
    zip_t* soltar() {
        zip_t* z = za;
        za = nullptr;
        return z;
    }
    explicit operator bool() const { return za != nullptr; }

private:
    zip_t* za = nullptr;
};

// Source of one entry's content during an extraction.
class ILectorEntrada {
public:
    virtual ~ILectorEntrada() = default;
    // The count of bytes read; 0 at the end, once the entry's checks (CRC,
    // authentication) passed; -1 on failure, with the result code in Codigo().
    virtual zip_int64_t Leer(char* destino, size_t n) = 0;
    virtual int Codigo() const = 0;
};

// Path in the form the operating system takes.
inline QByteArray RutaLocal(const QString& ruta) {
    return ruta.toLocal8Bit();
}

// Opens an existing archive for reading. On failure returns null and sets
// codigo to ZipNoEncontrado or ZipArchivoNoValido. An empty file is not taken
// for an empty archive.
zip_t* AbrirParaLeer(const QString& ruta, int& codigo);

// Entry name as text (names not flagged as UTF-8 are decoded as the writing
// program's code page guessed by libzip).
QString NombreEntrada(zip_t* za, zip_uint64_t indice);
// The archive comment: UTF-8 when its bytes are, else Windows-1252.
QString ComentarioArchivo(zip_t* za);

} // namespace brivo::zipinterno
