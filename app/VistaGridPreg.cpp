#include "VistaGridPreg.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

#include "DelegadosGrid.h"

namespace brivo {

TVistaGridPreg::TVistaGridPreg(QWidget* padre) : QTableView(padre) {
    delegado = new TDelegadoGridPreg(this);
    setItemDelegate(delegado);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // The drag is started here by hand (see mouseMoveEvent), never by the view.
    setDragEnabled(false);
}

bool TVistaGridPreg::Editando() const {
    return state() == QAbstractItemView::EditingState && delegado->EditorAbierto();
}

void TVistaGridPreg::TerminarEdicion() {
    QWidget* editor = delegado->EditorAbierto();
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TVistaGridPreg::mousePressEvent(QMouseEvent* evento) {
    arrastrePosible = false;
    if (evento->button() == Qt::LeftButton) {
        const int columna = columnAt(evento->position().toPoint().x());
        // Column 0 and the space right of the last column start no drag.
        if (columna > 0) {
            arrastrePosible = true;
            inicioArrastre = evento->position().toPoint();
        }
    }
    QTableView::mousePressEvent(evento);
}

void TVistaGridPreg::mouseMoveEvent(QMouseEvent* evento) {
    if (arrastrePosible && (evento->buttons() & Qt::LeftButton) &&
        (evento->position().toPoint() - inicioArrastre).manhattanLength() >=
            QApplication::startDragDistance()) {
        arrastrePosible = false;
        EmpezarArrastre();
        return;
    }
    QTableView::mouseMoveEvent(evento);
}

void TVistaGridPreg::mouseReleaseEvent(QMouseEvent* evento) {
    arrastrePosible = false;
    QTableView::mouseReleaseEvent(evento);
}

void TVistaGridPreg::EmpezarArrastre() {
    auto* datos = new QMimeData;
    datos->setData(QString::fromLatin1(FormatoArrastre), QByteArray());
    auto* arrastre = new QDrag(this);
    arrastre->setMimeData(datos);
    const Qt::DropAction resultado = arrastre->exec(Qt::MoveAction, Qt::MoveAction);
    emit ArrastreTerminado(resultado != Qt::IgnoreAction);
}

} // namespace brivo
