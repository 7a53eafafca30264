#pragma once
// The windows of the Moodle commands: the choice between the whole book and
// the selected node before a book's questions are exported, and the way the
// closing report is shown.
#include <QDialog>
#include <QStringList>

#include "ContextoAyuda.h"

class QButtonGroup;
class QGroupBox;
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

// A report of a few short lines goes into an information box; a longer one
// into the report window of the office commands (its first line the
// summary, the rest the detail). The progress window is theirs too
// (ProgresoDocumentos.h).
constexpr int LineasInformeBreve = 4;
void MostrarInformeMoodle(QWidget* padre, const QString& titulo, const QStringList& lineas,
                          ContextoAyuda contexto);

} // namespace brivo
