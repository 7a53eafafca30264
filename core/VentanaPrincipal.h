#pragma once
// What the dialogs and the library operations need of the main window.
// TMainForm implements it; the dialogs and operations read and change the
// library tables in place through it. Ventana() is only handed on, as the
// parent of the messages and dialogs.
#include <QString>

class QWidget;

namespace brivo {

class TAlmacen;

class IVentanaPrincipal {
public:
    virtual ~IVentanaPrincipal() = default;
    virtual TAlmacen& Almacen() = 0;
    virtual QWidget* Ventana() = 0;
    virtual bool EditorAbierto() const = 0;
    // Closes the document shown in the editor, keeping or discarding its
    // changes by the book's rules (does nothing while the editor is closed).
    virtual void CerrarDocumento() = 0;
    // "Brivo II  Libro activo: " + the active book's title, cut to 124 characters.
    virtual void PonerTitulo() = 0;
    // Selects the first top-level node of the topic tree and lists its
    // documents (run by BorrarLibro before the book's documents are freed,
    // so that neither the grid nor the editor keeps one of them).
    virtual void SeleccionarPrimerNodo() {}
};

} // namespace brivo
