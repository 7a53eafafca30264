#pragma once
// Book import: the "&Importar libro" command and the import dialog, which
// reads a package (see Paquete.h) and merges it into the library.
#include <QDialog>

#include "Arbol.h"
#include "Paquete.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brivo {

class IVentanaPrincipal;

class TFormImportar : public QDialog {
    Q_OBJECT
public:
    static constexpr int ContextoAyuda = 1104;

    explicit TFormImportar(IVentanaPrincipal& ventana, QWidget* padre = nullptr);

    // "Explorar": the open dialog "Exportar desde archivo", starting in BAK.
    void BExplorarClick();
    // "&Importar": the whole import with its messages, then the dialog
    // closes whatever the outcome.
    void BCopiarClick();

    void ProgresoMayor(const QString& item, int porcentaje, bool& cancelar);
    void ProgresoMenor(const QString& item, int porcentaje, bool& cancelar);

    // While the package is read the dialog cannot be closed.
    void reject() override;

    // How new tree nodes reach the main tree (the main window passes its tree
    // model, so the view shows them at once). Unset: straight into the tree.
    TAnadirNodo AnadirNodo;

    QLabel* LabArchivo = nullptr; // "Nombre del archivo:"
    QLineEdit* EdArchivo = nullptr;
    QPushButton* BExplorar = nullptr;
    QLabel* LabClave = nullptr; // "Clave:"
    QLineEdit* EdClave = nullptr;
    QProgressBar* MajorStat = nullptr;
    QProgressBar* MinorStat = nullptr;
    QLabel* ProgressText = nullptr;
    QPushButton* BCopiar = nullptr; // "&Importar"
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;
    // The package's topic tree, loaded during the merge; never shown.
    TArbol ArbolTemp;

    // Outcome of the last "&Importar".
    TResultadoImportacion Resultado;
    bool Ocupado() const { return ocupado; }

private:
    IVentanaPrincipal& ventana;
    bool ocupado = false;
};

// "&Importar libro": shows the import dialog modally.
void ImportarLibro(IVentanaPrincipal& ventana, TAnadirNodo anadirNodo = {});

} // namespace brivo
