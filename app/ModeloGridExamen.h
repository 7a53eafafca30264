#pragma once
// The exam grid (GridExamen): one data row per entry of ListaExamen shown,
// row r (1..100) being model row r - 1. The number of data rows is the
// grid's own value, set by the exam-list commands (9 at start: a row count of
// 10 with the heading row).
#include <QAbstractTableModel>

#include "Almacen.h"

namespace brivo {

class TModeloGridExamen : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int NumColumnas = 2;
    static QString Encabezado(int columna);
    static int Ancho(int columna);

    explicit TModeloGridExamen(TAlmacen& almacen, QObject* padre = nullptr);

    TAlmacen& Almacen() const { return almacen; }

    // Row count of the grid, heading row included (at least 1).
    int NumFilas() const { return filasDatos + 1; }
    void PonerNumFilas(int filas);
    void Repintar();

    // Entry r (1..100) when it holds a document number, else -1.
    int EntradaDeFila(int fila) const;
    // Column 0: the entry; column 1: the document's description.
    QVariant GridExamenGetCellData(int fila, int columna) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

protected:
    TAlmacen& almacen;
    int filasDatos = 9;
};

} // namespace brivo
