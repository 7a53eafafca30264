#pragma once
// The identifier prompt: TClaveDialog asks for the active book's identifier,
// PedirIdentificador gives the user three tries.
#include <QDialog>

#include "ContextoAyuda.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brivo {

class IVentanaPrincipal;

class TClaveDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::IdentificadorLibro;

    explicit TClaveDialog(QWidget* padre = nullptr);

    // Text typed so far, exactly as typed.
    QString Clave() const;

    QLabel* Etiqueta = nullptr;     // "Escriba el identificador"
    QLineEdit* ClaveEdit = nullptr; // shows "*" for each character
    QPushButton* BOK = nullptr;     // "OK"
};

// Asks for the active book's identifier up to three times. True when the text
// typed equals the identifier written in decimal (no blanks, no leading
// zeros); each wrong try, also closing the prompt, shows "Clave errónea.".
// With no valid active book there is nothing to compare with: false at once.
bool PedirIdentificador(IVentanaPrincipal& ventana);

} // namespace brivo
