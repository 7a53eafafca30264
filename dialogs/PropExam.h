#pragma once
// "Crear examen": which sections of each document go into the exam and the
// label written before each section, and how many versions of the exam to
// make, with answer sheets or without, from which seed.
// TDialogoOpcionesExamen holds the part that the general options dialog
// shares.
#include <QDialog>
#include <QString>

#include "ContextoAyuda.h"
#include "CreacionVersiones.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace brivo {

struct TAjustes;

// The four check boxes in a panel of their own and the four label edits,
// shown and stored from the exam options.
class TDialogoOpcionesExamen : public QDialog {
    Q_OBJECT
public:
    static constexpr int LargoTexto = 100;

    QLabel* Label1 = nullptr;
    QFrame* PanelSecciones = nullptr;
    QCheckBox* CBPregunta = nullptr;
    QCheckBox* CBDesarrollo = nullptr;
    QCheckBox* CBRespuesta = nullptr;
    QCheckBox* CBComentarios = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdNumeraPreg = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* EdTextoDesarrollo = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EdTextoRespuesta = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* EdTextoComentario = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;

protected:
    // Builds the controls; the label over the check boxes reads textoLabel1.
    TDialogoOpcionesExamen(QWidget* padre, const QString& textoLabel1);
    // Check boxes and edits from the options.
    void MostrarOpciones(const TAjustes& ajustes);
    // Switches from the check boxes, texts from the edits as the settings
    // file keeps them (TextoDeAjuste).
    void GuardarOpciones(TAjustes& ajustes) const;
};

class TFormPropExamen : public TDialogoOpcionesExamen {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::CrearExamen;

    // Shows the exam options of ajustes; OK writes them back. The versions
    // start at one without answer sheets, the seed is a new one.
    explicit TFormPropExamen(TAjustes& ajustes, QWidget* padre = nullptr);

    void FormCreate();
    // "&OK": stores the values and closes the dialog with OK; a seed that
    // is not a number is refused (the dialog stays open).
    void BOKClick();

    // Versions, answer sheets and seed: shown from these values, and as OK
    // left them (the seed as typed).
    void PonerCreacion(const TOpcionesCreacion& creacion);
    const TOpcionesCreacion& Creacion() const { return creacion; }

    QLabel* LabVersiones = nullptr;
    QSpinBox* SpinEditVersiones = nullptr;
    QCheckBox* CBHojaRespuestas = nullptr;
    QLabel* LabSemilla = nullptr;
    QLineEdit* EdSemilla = nullptr;

private:
    // The controls of the versions, below the label edits.
    void CrearControlesVersiones();

    TAjustes& ajustes;
    TOpcionesCreacion creacion;
};

} // namespace brivo
