#include "VistaArbol.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>

namespace brivo {

namespace {

bool TieneHermanoSiguiente(const QModelIndex& i) {
    return i.isValid() && i.row() + 1 < i.model()->rowCount(i.parent());
}

// The in-place editor of a node's text says to a screen reader what it
// edits: Qt lists it under no item of the tree, so its own name and
// description carry that.
class TDelegadoArbol : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(padre, opcion, indice);
        if (editor) {
            editor->setAccessibleName(QStringLiteral("Nombre del nodo"));
            editor->setAccessibleDescription(
                QStringLiteral("Cambiar el nombre de «%1»").arg(indice.data().toString()));
        }
        return editor;
    }
};

} // namespace

TVistaArbol::TVistaArbol(QWidget* padre) : QTreeView(padre) {
    setItemDelegate(new TDelegadoArbol(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(true);
    // A closed branch opens while a drag rests on it, so that any node can
    // be reached as a target.
    setAutoExpandDelay(700);
}

void TVistaArbol::drawBranches(QPainter* pintor, const QRect& zona,
                               const QModelIndex& indice) const {
    const int sangria = indentation();
    if (sangria > 0 && rootIsDecorated()) {
        pintor->save();
        QPen pluma(palette().color(QPalette::Mid), 1, Qt::DotLine);
        pintor->setPen(pluma);
        const int medio = zona.top() + zona.height() / 2;
        // Column of the node itself: the right edge of the branch area.
        int x = zona.right() - sangria + 1;
        const int centro = x + sangria / 2;
        pintor->drawLine(centro, zona.top(), centro,
                         TieneHermanoSiguiente(indice) ? zona.bottom() : medio);
        pintor->drawLine(centro, medio, x + sangria - 2, medio);
        // Ancestors' columns: a line goes on where the ancestor has more siblings.
        for (QModelIndex a = indice.parent(); a.isValid(); a = a.parent()) {
            x -= sangria;
            if (TieneHermanoSiguiente(a))
                pintor->drawLine(x + sangria / 2, zona.top(), x + sangria / 2, zona.bottom());
        }
        pintor->restore();
    }
    // Expand and collapse buttons of the style, drawn over the lines.
    QTreeView::drawBranches(pintor, zona, indice);
}

void TVistaArbol::dragEnterEvent(QDragEnterEvent* evento) {
    // The drag is taken in while it crosses the view; whether it may be
    // dropped is decided node by node as it moves.
    QTreeView::dragEnterEvent(evento);
    if (AceptaArrastre && evento->mimeData()) {
        evento->setDropAction(Qt::MoveAction);
        evento->accept();
    }
}

void TVistaArbol::dragMoveEvent(QDragMoveEvent* evento) {
    // The base class scrolls near the edges and tracks the hovered node.
    QTreeView::dragMoveEvent(evento);
    const QPoint punto = evento->position().toPoint();
    if (AceptaArrastre && AceptaArrastre(evento->mimeData(), punto)) {
        evento->setDropAction(Qt::MoveAction);
        evento->accept(visualRect(indexAt(punto)));
    } else {
        evento->ignore();
    }
}

void TVistaArbol::dropEvent(QDropEvent* evento) {
    const QPoint punto = evento->position().toPoint();
    if (!AceptaArrastre || !AceptaArrastre(evento->mimeData(), punto)) {
        evento->ignore();
        return;
    }
    evento->setDropAction(Qt::MoveAction);
    evento->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    QPointer<TVistaArbol> yo(this);
    QTimer::singleShot(0, this, [yo, punto] {
        if (yo && yo->Soltar)
            yo->Soltar(punto);
    });
}

} // namespace brivo
