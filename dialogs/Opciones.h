#pragma once
// "Opciones": the exam options of "Crear examen" plus the documents that serve
// as the model for new questions and for new exams.
#include "ContextoAyuda.h"
#include "PropExam.h"

class QComboBox;

namespace brivo {

class TAlmacen;

class TFormOpciones : public TDialogoOpcionesExamen {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::OpcionesGenerales;

    // Shows the options of the library; OK writes them back and finds the
    // two models again.
    explicit TFormOpciones(TAlmacen& almacen, QWidget* padre = nullptr);

    // Check boxes and edits; the model lists hold the descriptions of the
    // question models and of the exam models in slot order, with the stored
    // positions selected (none when a position is outside its list).
    void FormCreate();
    // "&OK": stores the values, the positions of the chosen models (-1 when
    // none) and ModeloPreguntas / ModeloExamenes, and closes with OK.
    void BOKClick();
    void BAyudaClick();

    // The position a model list stands for: the selected item, or the item
    // whose text equals the typed text exactly; -1 when none.
    static int PosicionElegida(const QComboBox& lista);

    QFrame* PanelModelos = nullptr;
    QComboBox* CBModeloPreguntas = nullptr;
    QComboBox* CBModeloExamenes = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    TAlmacen& almacen;
};

// "&Opciones generales ..": the dialog, shown modally; its result is not looked at.
void OpcionesGenerales(TAlmacen& almacen, QWidget* padre);

} // namespace brivo
