#pragma once
// Small pieces shared by the book dialogs: naming, the F1 key, centring and
// the Spanish push buttons.
#include <cstdint>
#include <initializer_list>
#include <optional>

#include <QString>

#include "ContextoAyuda.h"

class QCheckBox;
class QDialog;
class QFrame;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace brivo::dialogos {

// Gives the dialog its class name as objectName, its caption, and binds F1
// to its help context (none: F1 does nothing).
void PrepararDialogo(QDialog& dialogo, const char* nombreClase, const QString& titulo,
                     std::optional<ContextoAyuda> contextoAyuda);

// Places a top-level window in the middle of the screen it is on.
void CentrarEnPantalla(QWidget& ventana);

// A push button with its objectName and caption (the caption may carry "&").
QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto);

// The "&OK" (default), "&Cancelar" and "&Ayuda" buttons, made in that order;
// "&Cancelar" closes the dialog.
void BotonesOK(QDialog& dialogo, QPushButton*& ok, QPushButton*& cancelar, QPushButton*& ayuda);

// A row of buttons on the right.
QHBoxLayout* FilaBotones(std::initializer_list<QPushButton*> botones);

// A check box with its objectName and caption.
QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& texto);

// The framed panel "Panel1" with a book's document options, made in this
// order: "CBClaveEnDoc", "CBPermitirCambiosEnDoc", "CBPrmitirMasDoc". Caja
// stacks them; a dialog may add more of its own below.
struct TCasillasLibro {
    QFrame* Panel = nullptr;
    QCheckBox* ClaveEnDoc = nullptr;
    QCheckBox* PermitirCambiosEnDoc = nullptr;
    QCheckBox* PermitirMasDoc = nullptr;
    QVBoxLayout* Caja = nullptr;
};
TCasillasLibro CasillasLibro(QWidget* padre);

// The seed typed in the edit box; when it is not one, says so over the
// dialog, selects the text for a new one and gives nothing.
std::optional<std::uint64_t> SemillaEscrita(QWidget* dialogo, QLineEdit* edicion);

} // namespace brivo::dialogos
