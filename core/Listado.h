#pragma once
// Which documents a tree node lists in the document grid. The choice is by
// the node's level and its identifiers, over every book's documents, in
// ascending slot order; only slots in use are ever listed.
#include <vector>

#include "Almacen.h"

namespace brivo {

// Documents listed for a node, in ascending slot order. m and t receive the
// materia and tema identifiers the choice worked with (0 when not set), which
// decide the column set.
std::vector<int> ElegirDocumentos(const TAlmacen& almacen, const TNodo* nodo, int& m, int& t);

// What a listing leaves for the grid besides ListaPreg and NumListados.
struct TListado {
    int Materia = 0;
    int Tema = 0;
    // Under "Útiles" and its first three children the grid shows only the
    // number, the description and the creation date.
    bool Reducido = false;
};

// Rebuilds the row list for a node: ListaPreg holds the listed documents
// from row 1 (-1 in every other row) and NumListados their count.
TListado ListarEnAlmacen(TAlmacen& almacen, const TNodo* nodo);

} // namespace brivo
