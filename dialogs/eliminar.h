#pragma once
// Deletion of the active book with its documents.
#include <functional>

#include <QDialog>

#include "ContextoAyuda.h"
#include "Libros.h" // BorrarLibro

class QLabel;
class QPushButton;

namespace brivo {

class IVentanaPrincipal;

class TFormEliminarLibro : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::EliminarLibro;

    // LabLibro shows the active book's title (FormCreate).
    explicit TFormEliminarLibro(IVentanaPrincipal& ventana, QWidget* padre = nullptr);

    // Called by "&Exportar libro" once the identifier was typed right: the
    // main window shows its export dialog here. Unset: nothing is exported.
    std::function<void()> AlExportar;

    void FormCreate();
    // "&Exportar libro": identifier prompt, then AlExportar. The book's
    // PermitirExportar is not looked at on this path. The dialog stays open.
    void BExportarClick();
    // "E&liminar libro": closes the document in the editor, BorrarLibro, and
    // closes the dialog (accepted).
    void BEliminarClick();

    QLabel* LabAtencion = nullptr; // "¡ATENCIÓN!"
    QLabel* Label1 = nullptr;      // "Está a punto de eliminar el libro."
    QLabel* LabLibro = nullptr;
    QLabel* Label2 = nullptr; // "Si quiere tener la posibilidad..."
    QPushButton* BExportar = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BEliminar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    IVentanaPrincipal& ventana;
};

// "E&liminar libro" up to, not including, AsegurarLibroActivo (the caller's
// next step whatever the result): shows the dialog with the export hook.
// True when the book was deleted.
bool EliminarLibro(IVentanaPrincipal& ventana, std::function<void()> alExportar = {});

} // namespace brivo
