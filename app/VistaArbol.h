#pragma once
// The tree view of the main window: a QTreeView that also draws the dotted
// lines joining each node to its parent and siblings (the root nodes
// included), whatever the widget style, and takes drops of marked
// documents from the document grid onto a node.
#include <functional>

#include <QTreeView>

class QMimeData;

namespace brivo {

class TVistaArbol : public QTreeView {
    Q_OBJECT
public:
    explicit TVistaArbol(QWidget* padre = nullptr);

    // ArbolDragOver: whether a drag carrying these data may be dropped at
    // this point of the view (viewport coordinates).
    std::function<bool(const QMimeData* datos, const QPoint& punto)> AceptaArrastre;
    // ArbolDragDrop: the drop at a point (viewport coordinates). It runs
    // from the event loop once the drag has ended, so that its message
    // boxes never open inside the drag.
    std::function<void(const QPoint& punto)> Soltar;

protected:
    void drawBranches(QPainter* pintor, const QRect& zona,
                      const QModelIndex& indice) const override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dragMoveEvent(QDragMoveEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
};

} // namespace brivo
