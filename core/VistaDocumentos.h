#pragma once
// What the document operations need of the main window's panes: the tree's
// selection, the document grid's listing and repainting, the editor command's
// caption, and where the window lies. TMainForm implements it; the core
// tests implement it without widgets.
#include <QRect>

class QWidget;

namespace brivo {

struct TNodo;

class IVistaDocumentos {
public:
    virtual ~IVistaDocumentos() = default;
    // The parent of the messages (only handed on to the dialog seam).
    virtual QWidget* Ventana() = 0;
    // Height of the main window with its frame, and the geometry of the
    // screen it is on: the word processor's windows are placed below it.
    virtual int AltoVentana() const = 0;
    virtual QRect Pantalla() const = 0;

    // The tree's selected node (nullptr when none).
    virtual TNodo* NodoSeleccionado() const = 0;
    // Selects a node as a click does: its documents are listed and, unless
    // an exam is being assembled, the first one becomes current.
    virtual void SeleccionarNodo(TNodo* nodo) = 0;
    // Lists a node's documents in the grid again (ListaPreg, NumListados).
    virtual void ListarDocumentos(TNodo* nodo) = 0;
    // Makes a grid row (1-based) the active row without changing the
    // current document.
    virtual void PonerFilaActiva(int fila) = 0;
    // The records of the listed documents changed.
    virtual void RepintarDocumentos() = 0;
    // Entries left the exam list: its grid shows one row per used entry.
    virtual void ListaExamenCambiada() = 0;
    // EditorAbierto changed: the editor command's caption and hint follow.
    virtual void EditorCambiado(bool abierto) = 0;
};

} // namespace brivo
