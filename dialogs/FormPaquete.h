#pragma once
// What the export and import dialogs share: the file row with "Explorar", the
// key row, the two progress gauges with the item text, the action buttons and
// the busy state during which the dialog cannot be closed.
#include <initializer_list>

#include <QDialog>

#include "ContextoAyuda.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brivo {

class IVentanaPrincipal;

class TFormPaquete : public QDialog {
    Q_OBJECT
public:
    // "Explorar": picks the package file, starting in BAK.
    virtual void BExplorarClick() = 0;
    // The action button ("Exportar" / "&Importar").
    virtual void BCopiarClick() = 0;

    // Progress handlers of the zip code: gauges, item text, repaint.
    void ProgresoMayor(const QString& item, int porcentaje, bool& cancelar);
    void ProgresoMenor(const QString& item, int porcentaje, bool& cancelar);

    // While the package is written or read the dialog cannot be closed.
    void reject() override;

    bool Ocupado() const { return ocupado; }

    QLabel* LabArchivo = nullptr; // "Nombre del archivo:"
    QLineEdit* EdArchivo = nullptr;
    QPushButton* BExplorar = nullptr;
    QLabel* LabClave = nullptr; // "Clave:"
    QLineEdit* EdClave = nullptr;
    QProgressBar* MajorStat = nullptr;
    QProgressBar* MinorStat = nullptr;
    QLabel* ProgressText = nullptr;
    QPushButton* BCopiar = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

protected:
    // Names the dialog, binds its help and makes the file and key rows.
    TFormPaquete(IVentanaPrincipal& ventana, QWidget* padre, const char* nombreClase,
                 const QString& titulo, ContextoAyuda contextoAyuda);

    // Makes the gauges, the item text and the buttons (after whatever the
    // dialog made of its own, so that the tab order follows the layout), and
    // lays out: file and key rows, the widgets in medio, gauges, buttons.
    void Completar(std::initializer_list<QWidget*> medio, const QString& textoCopiar,
                   const QString& textoCancelar);

    // Busy for its lifetime: "Explorar" and the action and cancel buttons
    // are disabled and come back on every way out, an exception included.
    class TTrabajando {
    public:
        explicit TTrabajando(TFormPaquete& f);
        ~TTrabajando();
        TTrabajando(const TTrabajando&) = delete;
        TTrabajando& operator=(const TTrabajando&) = delete;

    private:
        TFormPaquete& dialogo;
    };

    IVentanaPrincipal& ventana;

private:
    void PonerOcupado(bool si);

    ContextoAyuda contextoAyuda;
    bool ocupado = false;
};

} // namespace brivo
