#pragma once
// The questions of the word processor's editor window, asked through the
// dialog seam (Interaccion.h) like every other question of the program, so
// that one ui::TGuion scripts them in tests and an unexpected one fails.
// InstalarDialogosEditor puts them in the editor's hooks (DialogosEditor,
// EditorVentana.h); the program does it when it creates the engine.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QSpinBox;

namespace brivo::dialogos {

// Routes every hook of DialogosDelEditor() to the dialogs below and the ui::
// functions. Safe to call again.
void InstalarDialogosEditor();

// "¿Desea guardar los cambios en <documento>?" with "&Sí" (the default),
// "&No" and "Cancelar" (also Escape). Its result is one of Resultado.
class TPreguntaGuardar : public QDialog {
    Q_OBJECT
public:
    enum Resultado { Cancelar = QDialog::Rejected, Si = QDialog::Accepted, No = 2 };

    TPreguntaGuardar(QWidget* padre, const QString& documento);

    QLabel* LabPregunta = nullptr;
    QPushButton* BSi = nullptr;
    QPushButton* BNo = nullptr;
    QPushButton* BCancelar = nullptr;
};

// "Insertar tabla": rows (1 to 100) and columns (1 to 20) of a new table.
class TDialogoTabla : public QDialog {
    Q_OBJECT
public:
    TDialogoTabla(QWidget* padre, int filas, int columnas);

    QSpinBox* SpinEditFilas = nullptr;
    QSpinBox* SpinEditColumnas = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
};

} // namespace brivo::dialogos
