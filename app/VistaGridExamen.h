#pragma once
// The exam grid view (GridExamen). Rows are moved by dragging them with the
// left button: when the button is released over another row, the dragged row
// travels there as a series of exchanges of neighbouring rows, each one
// reported, so the rows in between shift by one. Only rows that hold a
// document take part. The description cell is edited in place (up to 100
// characters). From the keyboard, Ctrl+Up and Ctrl+Down move the active row
// one place, reported in the same way.
#include <QPoint>
#include <QTableView>

namespace brivo {

class TVistaGridExamen : public QTableView {
    Q_OBJECT
public:
    explicit TVistaGridExamen(QWidget* padre = nullptr);

    // Moves row desde to row hasta (rows 1-based, as the grid numbers its
    // data rows) by exchanges of neighbours. A row without a document does
    // not move and no row moves past the last row with a document.
    void MoverFila(int desde, int hasta);

    // Makes a cell current without reporting it as a change of active cell.
    void PonerCeldaActiva(int fila, int columna);
    // Whether the current change comes from PonerCeldaActiva.
    bool CambioSilencioso() const { return silencioso; }

signals:
    // GridExamenRowsChanged: rows a and b (1-based) were exchanged.
    void FilasIntercambiadas(int filaA, int filaB);

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    int FilasConDocumento() const;
    int filaArrastrada = 0; // 1-based, 0 when no drag
    bool arrastrando = false;
    QPoint inicio;
    bool silencioso = false;
};

} // namespace brivo
