#pragma once
// The table of rows of "Selección automática…": its model (one row of the
// blueprint per table row: tree node, difficulty from and to, type, how
// many), the editors of its cells (a list of the nodes a row can name, spin
// boxes, a list of types) and the view, which adds a row with Insert and
// removes one with Delete. Every cell gives its value as text, so a screen
// reader reads the table as it is shown.
#include <vector>

#include <QAbstractTableModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include "Seleccion.h"

class QStandardItemModel;

namespace brivo {

class TModeloFilasSeleccion : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columna { ColNodo, ColDesde, ColHasta, ColTipo, ColCantidad, NumColumnas };

    explicit TModeloFilasSeleccion(QObject* padre = nullptr) : QAbstractTableModel(padre) {}

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

    const std::vector<TFilaSeleccion>& Filas() const { return filas; }
    // Inserts a row before position fila (at the end when out of range);
    // returns its position.
    int Anadir(const TFilaSeleccion& fila, int posicion = -1);
    void Quitar(int fila);
    // A row's node (the node column's edit value is the row's node).
    void PonerNodo(int fila, const TNodo* nodo);

    // "Cualquiera", "Test", "Prob", "Preg".
    static QString TextoTipo(int tipo);
    // Headings of the columns, also the names of their editors.
    static QString Titulo(int columna);

private:
    std::vector<TFilaSeleccion> filas;
};

// The editors of the cells. Enter ends an edit and stays in the table, so
// that it never presses the dialog's default button while a cell is open.
class TDelegadoFilas : public QStyledItemDelegate {
    Q_OBJECT
public:
    // nodos: the nodes a row can name, in the order the list shows them.
    TDelegadoFilas(std::vector<const TNodo*> nodos, QObject* padre);

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& indice) const override;
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                      const QModelIndex& indice) const override;

    QWidget* EditorAbierto() const { return abierto; }
    const std::vector<const TNodo*>& Nodos() const { return nodos; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::vector<const TNodo*> nodos;
    QStandardItemModel* listaNodos = nullptr; // shared by every node editor
    mutable QPointer<QWidget> abierto;
};

class TVistaFilas : public QTableView {
    Q_OBJECT
public:
    explicit TVistaFilas(QWidget* padre = nullptr);
    // Writes the value of an open editor and closes it.
    void TerminarEdicion();
    void PonerDelegado(TDelegadoFilas* d);

signals:
    void InsertarPedido();
    void QuitarPedido();

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    TDelegadoFilas* delegado = nullptr;
};

} // namespace brivo
