#pragma once
// Rules of the topic tree's editing: the texts of new nodes, and the edits
// that move documents' places (a node deleted with documents, marked
// documents dropped on a node). The tree itself is changed by the caller,
// through the model its view shows; the questions go through the dialog seam.
#include <QString>

class QWidget;

namespace brivo {

class TAlmacen;
struct TNodo;

// The text of a new sibling of the selected node: "Nueva materia" (also
// with no node selected), "Nuevo tema", "Nuevo contenido" by its level, else
// "Nuevo nodo"; empty when the node takes no siblings (a child of "Útiles").
QString TextoNodoHermano(const TNodo* seleccionado);
// The text of a new child: "Nuevo tema" under a materia, "Nuevo contenido"
// under a tema; empty when the node takes no children ("Útiles", its
// children, contenido nodes and deeper ones, or no node).
QString TextoNodoHijo(const TNodo* seleccionado);

// Before a node is deleted. A protected node ("Útiles" and its children)
// gets "No se puede borrar este nodo" and false. When the node lists
// documents the user confirms (false on Cancel); then the documents filed at
// the node itself take the parent's place ((0, 0, 0) for a materia), those
// of its descendants keep theirs, and the user is told where they are.
// True: the caller deletes the node with its descendants. False as well in
// consultation-only mode (with the guard's notice) and without a node.
bool PrepararBorradoNodo(TAlmacen& almacen, TNodo* nodo, QWidget* padre);

// The drop of marked documents on a node: "No hay documentos marcados" when
// no document in use is marked; otherwise the user confirms, and every
// marked document in use, of any book and wherever filed, takes the node's
// place and loses its mark. True when they moved (the caller selects the
// node, which lists them).
bool SoltarMarcados(TAlmacen& almacen, const TNodo* destino, QWidget* padre);

} // namespace brivo
