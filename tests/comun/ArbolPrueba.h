#pragma once
// The start of the topic trees the main-window tests prepare.
#include "Arbol.h"

namespace brivo::pruebas {

// Empties the tree and adds the Útiles branch with its fixed nodes:
//   Útiles (1) { Modelos de pregunta 1, Modelos de examen 2, Exámenes 3,
//                No asignados 4, Todos 5 }
void EmpezarConUtiles(TArbol& arbol);

} // namespace brivo::pruebas
