#pragma once
// The tree view of the main window: a QTreeView that also draws the dotted
// lines joining each node to its parent and siblings (the root nodes
// included), whatever the widget style.
#include <QTreeView>

namespace brivo {

class TVistaArbol : public QTreeView {
    Q_OBJECT
public:
    explicit TVistaArbol(QWidget* padre = nullptr);

protected:
    void drawBranches(QPainter* pintor, const QRect& zona,
                      const QModelIndex& indice) const override;
};

} // namespace brivo
