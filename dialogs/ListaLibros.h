#pragma once
// Choice of the active book: the list of book titles, sorted.
#include <QDialog>

#include "ContextoAyuda.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace brivo {

class IVentanaPrincipal;
class TAlmacen;

class TFormListaLibros : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::CambiarLibroActivo;

    // Fills the list at once (FormCreate); SlotElegido starts as LibroActivo.
    explicit TFormListaLibros(TAlmacen& almacen, QWidget* padre = nullptr);

    void FormCreate();
    // "&OK": the slot of the selected title (the highest slot whose used book
    // has exactly that title), then closes the dialog. Without a selection
    // SlotElegido stays as it was.
    void BOKClick();

    int SlotElegido = 0;

    QLabel* Label1 = nullptr; // "Seleccionar un libro"
    QListWidget* ListLibros = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    TAlmacen& almacen;
};

// "&Cambiar de libro activo": shows the list; whatever closed it, closes the
// document in the editor, makes SlotElegido the active book and sets the
// caption.
void CambiarLibroActivo(IVentanaPrincipal& ventana);

} // namespace brivo
