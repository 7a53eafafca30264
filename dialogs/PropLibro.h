#pragma once
// Book properties: creates a book (mode -1) or changes the active book's
// texts, permissions and folder (mode = the active book's slot).
#include <cstdint>

#include <QDialog>
#include <QString>

#include "ContextoAyuda.h"
#include "Libros.h" // SortearIdentificador, NombreCarpetaValido

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace brivo {

class IVentanaPrincipal;
class TAlmacen;

class TFormPropLibro : public QDialog {
    Q_OBJECT
public:
    static constexpr int ModoNuevo = -1;
    static constexpr ContextoAyuda Contexto = ContextoAyuda::PropiedadesLibro;

    // modo: ModoNuevo, or the slot of the active book to modify. The controls
    // are filled at once (FormActivate), so a script sees them filled.
    TFormPropLibro(IVentanaPrincipal& ventana, int modo, QWidget* padre = nullptr);

    int Modo() const { return modo; }
    bool ModoNuevoLibro() const { return modo == ModoNuevo; }
    // The table slot being edited; in new mode the first free slot (0 when
    // every slot is used: then OK stores nothing).
    int SlotEditado = 0;

    // Fills the controls from slot SlotEditado.
    void FormActivate();
    // "&OK": checks, stores, draws the identifier of a new book, creates or
    // renames the folder, and closes the dialog. Stops with the dialog open
    // when a check fails.
    void BOKClick();
    void BAyudaClick();

    QLabel* LabId = nullptr;  // "Identificador:"
    QLabel* LabId2 = nullptr; // "Número entero de 6 cifras"
    QSpinBox* EdId = nullptr;
    QLineEdit* EdTitulo = nullptr;
    QLineEdit* EdAutor = nullptr;
    QLineEdit* EdMateria = nullptr;
    QLineEdit* EdComentario = nullptr;
    QLineEdit* EdCarpeta = nullptr;
    QCheckBox* CBClaveEnDoc = nullptr;
    QCheckBox* CBPermitirCambiosEnDoc = nullptr;
    QCheckBox* CBPrmitirMasDoc = nullptr;
    QCheckBox* CBPermitirExportar = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    IVentanaPrincipal& ventana;
    int modo;
};

// "&Nuevo libro": shows the dialog in new mode, then sets the caption. False
// without showing anything when every book slot is used (the caller tells
// the user). True when a book was created (it is then the active book).
bool NuevoLibro(IVentanaPrincipal& ventana);
// "Propiedades ..": the identifier prompt, then the dialog in modify mode.
// True when the dialog was accepted.
bool ModificarLibro(IVentanaPrincipal& ventana);

} // namespace brivo
