#pragma once
// The book and document records. They are the table entries in memory and,
// byte for byte, the records of Libros.lst (844 bytes) and Docs.lst (232 bytes).
#include <cstddef>
#include <cstdint>

#include "Texto.h"

namespace brivo {

// Book identifiers have at most six digits: the stored form keeps six, so a
// larger (or negative) number would come back as another one.
constexpr std::int32_t IdentificadorMaximo = 999999;
constexpr bool IdentificadorValido(std::int32_t identificador) {
    return identificador >= 1 && identificador <= IdentificadorMaximo;
}

struct TLibro {
    std::int32_t Identificador = 0;
    CadenaCorta<100> Titulo;
    CadenaCorta<100> Autor;
    CadenaCorta<100> Materia;
    CadenaCorta<200> Comentario;
    CadenaCorta<100> Carpeta;
    bool ClaveEnDoc = true;
    bool PermitirCambiosEnDoc = true;
    bool PermitirMasDoc = true;
    bool PermitirExportar = true;
    std::int32_t Cifrado = 0;
    CadenaCorta<20> ClaveCifrada;
    CadenaCorta<100> Relleno1;
    CadenaCorta<100> Relleno2;

    bool Usado() const { return Identificador != 0; }
    // A free slot as a load leaves it: identifier 0, texts empty, permissions true.
    static TLibro Libre() { return TLibro{}; }
};

struct TDocumento {
    std::int32_t Numero = 0;
    bool Marcado = false;
    CadenaCorta<100> Descripcion;
    std::int32_t Dificultad = 0;
    double Puntos = 0.0;
    std::int32_t Tipo = 0;
    CadenaCorta<10> Respuesta;
    std::int32_t Usos = 0;
    std::int32_t Similitud = 0;
    CadenaCorta<10> FechaCreacion;
    CadenaCorta<10> FechaUso;
    // Held in memory only, in the two padding bytes before IdLibro (the
    // stored record keeps them zero): the number the document has in its
    // book's own numbering when an import had to give it another slot, or
    // when a new document took a slot whose number another document of its
    // book already goes by (then a number above the slots); 0 when that
    // number is its Numero. Cleared with the record.
    std::int16_t NumeroOrigen = 0;
    std::int32_t IdLibro = 0;
    std::int32_t IdMateria = 0;
    std::int32_t IdTema = 0;
    std::int32_t IdContenido = 0;
    std::int32_t Reservado[5] = {0, 0, 0, 0, 0};
    CadenaCorta<20> Formato;

    bool Usado() const { return Numero != 0; }
    // The number by which the document's book knows it.
    std::int32_t Origen() const { return NumeroOrigen != 0 ? NumeroOrigen : Numero; }
    // Clears every field (a deleted document's slot).
    void Vaciar() { *this = TDocumento{}; }
};

// Largest number of origin a document can hold.
constexpr int MaxNumeroOrigen = 32767;

constexpr int TamRegistroLibro = 844;
constexpr int TamRegistroDocumento = 232;

static_assert(sizeof(TLibro) == TamRegistroLibro);
static_assert(offsetof(TLibro, Titulo) == 4);
static_assert(offsetof(TLibro, Autor) == 105);
static_assert(offsetof(TLibro, Materia) == 206);
static_assert(offsetof(TLibro, Comentario) == 307);
static_assert(offsetof(TLibro, Carpeta) == 508);
static_assert(offsetof(TLibro, ClaveEnDoc) == 609);
static_assert(offsetof(TLibro, PermitirExportar) == 612);
static_assert(offsetof(TLibro, Cifrado) == 616);
static_assert(offsetof(TLibro, ClaveCifrada) == 620);
static_assert(offsetof(TLibro, Relleno1) == 641);
static_assert(offsetof(TLibro, Relleno2) == 742);

static_assert(sizeof(TDocumento) == TamRegistroDocumento);
static_assert(offsetof(TDocumento, Marcado) == 4);
static_assert(offsetof(TDocumento, Descripcion) == 5);
static_assert(offsetof(TDocumento, Dificultad) == 108);
static_assert(offsetof(TDocumento, Puntos) == 112);
static_assert(offsetof(TDocumento, Tipo) == 120);
static_assert(offsetof(TDocumento, Respuesta) == 124);
static_assert(offsetof(TDocumento, Usos) == 136);
static_assert(offsetof(TDocumento, Similitud) == 140);
static_assert(offsetof(TDocumento, FechaCreacion) == 144);
static_assert(offsetof(TDocumento, FechaUso) == 155);
static_assert(offsetof(TDocumento, NumeroOrigen) == 166);
static_assert(offsetof(TDocumento, IdLibro) == 168);
static_assert(offsetof(TDocumento, IdMateria) == 172);
static_assert(offsetof(TDocumento, IdTema) == 176);
static_assert(offsetof(TDocumento, IdContenido) == 180);
static_assert(offsetof(TDocumento, Reservado) == 184);
static_assert(offsetof(TDocumento, Formato) == 204);

// Record <-> bytes. Padding bytes are written as zeros; multi-byte values are
// little-endian whatever the host.
QByteArray ABytes(const TLibro& libro);
QByteArray ABytes(const TDocumento& doc);
TLibro LibroDeBytes(const char* datos);         // TamRegistroLibro bytes
TDocumento DocumentoDeBytes(const char* datos); // TamRegistroDocumento bytes

} // namespace brivo
