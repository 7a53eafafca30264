#include "VistaGridExamen.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "ModeloGridExamen.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

// The description editor takes at most the record's 100 characters.
class TDelegadoGridExamen : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(padre, opcion, indice);
        if (auto* linea = qobject_cast<QLineEdit*>(editor))
            linea->setMaxLength(TModeloGridExamen::LargoDescripcion);
        // Qt lists the editor under no cell of the grid: its name and
        // description tell a screen reader what it edits.
        if (editor) {
            editor->setAccessibleName(TModeloGridExamen::Encabezado(indice.column()));
            editor->setAccessibleDescription(QString::fromUtf8(textos::FilaDocumento)
                                                 .arg(indice.row() + 1)
                                                 .arg(indice.siblingAtColumn(0).data().toString()));
        }
        return editor;
    }
};

} // namespace

TVistaGridExamen::TVistaGridExamen(QWidget* padre) : QTableView(padre) {
    setItemDelegate(new TDelegadoGridExamen(this));
    // A press starts a possible drag; editing starts with a double click or a key.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

int TVistaGridExamen::FilasConDocumento() const {
    auto* modelo = qobject_cast<TModeloGridExamen*>(model());
    if (!modelo)
        return 0;
    return std::min(modelo->FilasUsadas(), modelo->rowCount());
}

void TVistaGridExamen::MoverFila(int desde, int hasta) {
    const int usadas = FilasConDocumento();
    if (desde < 1 || desde > usadas || hasta < 1)
        return;
    hasta = std::min(hasta, usadas);
    const int paso = hasta > desde ? 1 : -1;
    for (int fila = desde; fila != hasta; fila += paso)
        emit FilasIntercambiadas(fila, fila + paso);
    if (desde != hasta && model()) {
        // The moved row stays the active one.
        const int columna = currentIndex().isValid() ? currentIndex().column() : 1;
        setCurrentIndex(model()->index(hasta - 1, columna));
    }
}

void TVistaGridExamen::PonerCeldaActiva(int fila, int columna) {
    if (!model())
        return;
    silencioso = true;
    setCurrentIndex(model()->index(fila - 1, columna));
    silencioso = false;
}

void TVistaGridExamen::mousePressEvent(QMouseEvent* evento) {
    arrastrando = false;
    filaArrastrada = 0;
    if (evento->button() == Qt::LeftButton) {
        const QModelIndex indice = indexAt(evento->position().toPoint());
        if (indice.isValid() && indice.row() + 1 <= FilasConDocumento()) {
            filaArrastrada = indice.row() + 1;
            inicio = evento->position().toPoint();
        }
    }
    QTableView::mousePressEvent(evento);
}

void TVistaGridExamen::mouseMoveEvent(QMouseEvent* evento) {
    if (filaArrastrada > 0 && (evento->buttons() & Qt::LeftButton)) {
        if (!arrastrando && (evento->position().toPoint() - inicio).manhattanLength() >=
                                QApplication::startDragDistance()) {
            arrastrando = true;
            viewport()->setCursor(Qt::SizeVerCursor);
        }
        if (arrastrando) {
            evento->accept();
            return;
        }
    }
    QTableView::mouseMoveEvent(evento);
}

void TVistaGridExamen::mouseReleaseEvent(QMouseEvent* evento) {
    if (arrastrando && evento->button() == Qt::LeftButton) {
        arrastrando = false;
        viewport()->unsetCursor();
        const int desde = filaArrastrada;
        filaArrastrada = 0;
        const int y = evento->position().toPoint().y();
        int hasta = rowAt(y);
        // Above the first row: row 1; below the last: the last row.
        hasta = hasta >= 0 ? hasta + 1 : (y < 0 ? 1 : FilasConDocumento());
        MoverFila(desde, hasta);
        evento->accept();
        return;
    }
    filaArrastrada = 0;
    QTableView::mouseReleaseEvent(evento);
}

void TVistaGridExamen::keyPressEvent(QKeyEvent* evento) {
    const bool arriba = evento->key() == Qt::Key_Up;
    if ((arriba || evento->key() == Qt::Key_Down) && evento->modifiers() == Qt::ControlModifier &&
        state() != QAbstractItemView::EditingState) {
        const QModelIndex actual = currentIndex();
        if (actual.isValid())
            MoverFila(actual.row() + 1, actual.row() + 1 + (arriba ? -1 : 1));
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

} // namespace brivo
