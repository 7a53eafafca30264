#pragma once
// Document properties: where the current document is filed and its
// catalogue fields (description, difficulty, points, type, answer,
// similarity, dates).
#include <QDialog>
#include <QString>
#include <QStringList>

#include "ContextoAyuda.h"

class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace brivo {

class IVentanaPrincipal;

// Items of the document type, as the grid's type cell shows them: "",
// "Test", "Prob", "Preg". A type is stored as the item index.
const QStringList& ItemsTipoDocumento();

// Reads a date written in the short format (day/month/year, optionally
// followed by a time). False when the text is not a date.
bool LeerFecha(const QString& texto, QDate& fecha);

class TFormPropPreg : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::PropiedadesDocumento;
    static constexpr int Ancho = 421;
    static constexpr int Alto = 257;

    // Shows document DocActual of the window's tables; the controls are
    // filled at once (FormActivate), so a script sees them filled.
    explicit TFormPropPreg(IVentanaPrincipal& ventana, QWidget* padre = nullptr);

    // The document shown and written (DocActual when the dialog was made).
    int Documento() const { return documento; }

    // Fills the controls from the record. A stored date that is not a date
    // shows the error "'%s' no es una fecha válida" and leaves the controls
    // not yet filled with their design values.
    void FormActivate();
    // "&OK": writes the controls back into the record, in order, and closes
    // the dialog. A points text that is not a number shows "'%s' no es un
    // valor punto flotante válido"; the fields before it are written, the
    // later ones are not, and the dialog closes all the same.
    void BOKClick();
    void BAyudaClick();

    QLabel* LabelMateria = nullptr;
    QLabel* LabelTema = nullptr;
    QLabel* LabelContenido = nullptr;
    QLineEdit* EditDescrip = nullptr;
    QSpinBox* SpinEditDific = nullptr;
    QLineEdit* EditPuntos = nullptr;
    QComboBox* ComboBoxTipo = nullptr;
    QLineEdit* EditResp = nullptr;
    QSpinBox* SpinEditSimil = nullptr;
    QLabel* LabelUsos = nullptr;
    QDateEdit* DTPCreada = nullptr;
    QDateEdit* DTPUsada = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    // The controls of the two columns below the description.
    void CrearColumnaIzquierda();
    void CrearColumnaDerecha();
    IVentanaPrincipal& ventana;
    int documento = 0;
};

// "&Propiedades ..": the dialog for the current document. Does nothing and
// gives false when there is no current document.
bool PropiedadesDocumento(IVentanaPrincipal& ventana);

} // namespace brivo
