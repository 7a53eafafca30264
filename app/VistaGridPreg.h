#pragma once
// The document grid view (GridPreg). Besides the table it starts the drag of
// marked documents: the left button pressed over any column but the first,
// then moved past the system's drag distance, so that a click without
// movement still acts as a click. It can also end an edit in progress,
// keeping the typed value. Column 0 (the document number) stays in place
// when the grid scrolls sideways.
#include <QPoint>
#include <QTableView>

namespace brivo {

class TDelegadoGridPreg;

class TVistaGridPreg : public QTableView {
    Q_OBJECT
public:
    // Format of the data a drag from the grid carries; a drop target knows
    // the grid by it.
    static constexpr const char* FormatoArrastre = "application/x-brivo-documentos-marcados";

    explicit TVistaGridPreg(QWidget* padre = nullptr);

    TDelegadoGridPreg* Delegado() const { return delegado; }
    // The view that keeps column 0 in place over the grid's left edge.
    QTableView* ColumnaFija() const { return fija; }

    void setModel(QAbstractItemModel* modelo) override;

    // Whether a cell is being edited.
    bool Editando() const;
    // Writes the value of the cell being edited into the record and closes
    // the editor (nothing when no cell is being edited).
    void TerminarEdicion();

signals:
    // GridPregEndDrag: a drag of the grid ended, on a target or not.
    void ArrastreTerminado(bool enDestino);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void EmpezarArrastre();
    void ColocarColumnaFija();

    QTableView* fija = nullptr;

    TDelegadoGridPreg* delegado = nullptr;
    bool arrastrePosible = false;
    QPoint inicioArrastre;
};

} // namespace brivo
