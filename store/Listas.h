#pragma once
// Libros.lst and Docs.lst: plain sequences of fixed-size records, and the
// stored form of the book identifier.
#include <cstdint>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include "Registros.h"

namespace brivo {

class TAlmacen;

// Identifier <-> 12-character stored form (bytes 177..208).
QByteArray CifrarIdentificador(std::int32_t identificador);
// Throws ErrorBrivo "'%s' no es un valor entero válido" when a pair is not a number.
std::int32_t DescifrarIdentificador(const QByteArray& clave);
// 100 random characters with codes 130..229.
QByteArray GenerarRelleno();
// A decoy identifier 100000..998999.
std::int32_t GenerarSenuelo();

// Book list: records into slots 1, 2, 3... in file order; the identifier is
// decoded from ClaveCifrada. Missing file: nothing changes. Failures throw
// ErrorBrivo/ErrorES with records already read kept.
void LeerLibros(const QString& ruta, TAlmacen& almacen);
// Every used slot, ascending, with decoy, Cifrado 1, stored identifier and
// fresh fillers; written atomically.
void EscribirLibros(const QString& ruta, const TAlmacen& almacen);
// Document list: each record into the slot named by its Numero, unmarked.
void LeerDocumentos(const QString& ruta, TAlmacen& almacen);
void EscribirDocumentos(const QString& ruta, const TAlmacen& almacen);

// The same readers, telling what a damaged file made them skip: bytes of an
// incomplete last record, books beyond the 100 slots, document records whose
// Numero lies outside 1..500 or repeats an earlier record's. Each skipped item
// adds one Spanish line to avisos; the rest of the file is read normally.
void LeerLibros(const QString& ruta, TAlmacen& almacen, QStringList* avisos);
void LeerDocumentos(const QString& ruta, TAlmacen& almacen, QStringList* avisos);

// The whole contents of the two files as the writers above produce them
// (the book list with fresh decoys and fillers).
QByteArray LibrosEnBytes(const TAlmacen& almacen);
QByteArray DocumentosEnBytes(const TAlmacen& almacen);

// Origenes.lst: the number each document has in its book's own numbering,
// for the documents an import had to renumber (NumeroOrigen). One text line
// "<Numero> <NumeroOrigen>" per such document, ascending. It is written with
// Docs.lst and travels in a book's package beside its Docs.lst, so that a
// later import of the book from anywhere recognises those documents.
inline constexpr char NombreOrigenes[] = "Origenes.lst";
// The lines of the documents of the book idLibro (0: of every book).
QByteArray OrigenesEnBytes(const TAlmacen& almacen, std::int32_t idLibro = 0);
// Numero -> number of origin, from such a file: lines that do not hold a
// Numero in 1..500 and a number of origin in 1..MaxNumeroOrigen, or name a
// Numero twice, are left out.
QHash<int, int> OrigenesDeBytes(const QByteArray& datos);
// Sets NumeroOrigen of every used document from the file (cleared for the
// documents it does not name). A missing or unreadable file leaves every
// document known by its own number.
void LeerOrigenes(const QString& ruta, TAlmacen& almacen);

// The stored form of one book record as it goes to disk (for exports too).
QByteArray LibroParaDisco(const TLibro& libro);

} // namespace brivo
