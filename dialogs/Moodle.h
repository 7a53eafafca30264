#pragma once
// The windows of the Moodle commands: the choice between the whole book and
// the selected node before a book's questions are exported, the progress
// window with its "Cancelar" button while questions go out or come in, and
// the closing report.
#include <QDialog>
#include <QProgressDialog>
#include <QStringList>

#include "ContextoAyuda.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace brivo {

// "Exportar a Moodle": which questions of the active book go out. Shown when
// a node is selected, with the number of questions each choice takes.
class TFormExportarMoodle : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::ExportarAMoodle;

    // "Todo el libro" is chosen at first.
    TFormExportarMoodle(int preguntasLibro, const QString& nodo, int preguntasNodo,
                        QWidget* padre = nullptr);

    // True when "Sólo el nodo seleccionado" was chosen.
    bool SoloNodo() const;

    QGroupBox* PanelAlcance = nullptr; // "Preguntas que se exportan"
    QRadioButton* RBLibro = nullptr;   // "&Todo el libro (N preguntas)"
    QRadioButton* RBNodo = nullptr;    // "&Sólo el nodo seleccionado: «…» (N preguntas)"
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    QButtonGroup* grupo = nullptr;
};

// The progress window of an export or import, modal to the main window so
// that no other command starts meanwhile; Cancelar (or Escape) asks the
// work to stop before its next step.
class TFormProgresoMoodle : public QProgressDialog {
    Q_OBJECT
public:
    TFormProgresoMoodle(const QString& titulo, ContextoAyuda contexto, QWidget* padre);

    // Shows texto with hechos of total steps done and lets the window
    // repaint and the button work. False once the user cancelled.
    bool Avanzar(int hechos, int total, const QString& texto);
    // Escape cancels, as the button does.
    void reject() override;

    QLabel* LabProgreso = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* BCancelar = nullptr;
};

// The closing report: the lines in a read-only text that can be read and
// selected from the keyboard, with "Aceptar" and "Ayuda".
class TFormInformeMoodle : public QDialog {
    Q_OBJECT
public:
    TFormInformeMoodle(const QString& titulo, const QStringList& lineas, ContextoAyuda contexto,
                       QWidget* padre = nullptr);

    QLabel* LabInforme = nullptr;
    QPlainTextEdit* EdInforme = nullptr;
    QPushButton* BOK = nullptr; // "Aceptar", the default button
    QPushButton* BAyuda = nullptr;
};

// A report of a few short lines goes into an information box; a longer one
// into the report window.
constexpr int LineasInformeBreve = 4;
void MostrarInformeMoodle(QWidget* padre, const QString& titulo, const QStringList& lineas,
                          ContextoAyuda contexto);

} // namespace brivo
