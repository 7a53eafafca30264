#pragma once
// Cell kinds of the document grid: one delegate that draws and edits each
// column of GridPreg as its kind asks (read-only number, centred check box,
// texts with their lengths, the difficulty and type combo boxes storing the
// item index, points with two decimals and the Spanish comma, integers,
// read-only dates). Editors write straight into the record through the
// model, and only when the user changed what the editor showed.
#include <QPointer>
#include <QStyledItemDelegate>

namespace brivo {

class TDelegadoGridPreg : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDelegadoGridPreg(QObject* padre = nullptr);

    // The editor open in the grid, nullptr when no cell is being edited.
    QWidget* EditorAbierto() const { return editorAbierto.data(); }

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& indice) const override;
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                      const QModelIndex& indice) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& opcion,
                              const QModelIndex& indice) const override;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;

protected:
    // The mark column: a click in the cell, or the space bar, turns the mark
    // over and writes it at once.
    bool editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcion,
                     const QModelIndex& indice) override;

private:
    mutable QPointer<QWidget> editorAbierto;
};

} // namespace brivo
