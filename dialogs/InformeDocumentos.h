#pragma once
// The closing report of the office commands (converting the library's
// documents, importing files): the summary with the counts, and the detail,
// one line per document or file, in a read-only text that can be scrolled,
// searched and copied.
#include <QDialog>

#include "ContextoAyuda.h"
#include "InformesOficina.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace brivo {

class TFormInforme : public QDialog {
    Q_OBJECT
public:
    TFormInforme(QWidget* padre, const TInforme& informe, ContextoAyuda contexto);

    QLabel* LabResumen = nullptr;
    QLabel* LabDetalle = nullptr; // "&Detalle:"
    QPlainTextEdit* MemoDetalle = nullptr;
    QPushButton* BCerrar = nullptr;
    QPushButton* BAyuda = nullptr;
};

// Shows the report modally (through ui::Ejecutar).
void MostrarInforme(QWidget* padre, const TInforme& informe, ContextoAyuda contexto);

} // namespace brivo
