#pragma once
// The exam list's operations: the marked documents moved in, an entry
// removed, two entries exchanged, and the document an entry names. The list
// holds up to 100 document numbers packed from entry 1; the same document
// may stand in several entries.
#include <QString>

namespace brivo {

class TAlmacen;

// Moves every marked document in use, in ascending number order, into the
// entries after the used ones, clearing its mark. Documents that find no
// free entry stay marked; the result is how many they are.
int TrasladarMarcados(TAlmacen& almacen);
// The notice for documents that did not fit.
QString TextoListaLlena(int sinSitio);

// Removes entry fila (1-based): the entries after it close up and entry 100
// becomes empty (0). False, with the list unchanged, when the entry holds no
// document.
bool QuitarEntrada(TAlmacen& almacen, int fila);

// Exchanges entries a and b (1-based); false when either is outside 1..100.
bool IntercambiarEntradas(TAlmacen& almacen, int a, int b);

// The document of entry fila (1-based); -1 outside 1..100, and the entry's
// value (0 or less) when it is empty.
int DocumentoDeEntrada(const TAlmacen& almacen, int fila);

} // namespace brivo
