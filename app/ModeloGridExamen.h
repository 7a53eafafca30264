#pragma once
// The exam grid (GridExamen): one data row per entry of ListaExamen shown,
// row r (1..100) being model row r - 1. The number of data rows is the
// grid's own value, set by the exam-list commands (9 at start: a row count of
// 10 with the heading row). The description cell is edited in place: the
// typed text goes straight into the document's record.
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
    // Stores an edited description (cut to 100 characters) into the record
    // of the document of row fila. False for any other cell or an empty row.
    bool PonerDescripcion(int fila, const QString& texto);
    // Number of rows, from row 1 on, whose entry holds a document.
    int FilasUsadas() const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;

    static constexpr int LargoDescripcion = 100;

signals:
    // A description was edited: the document grid shows it too.
    void DescripcionEditada(int documento);

protected:
    TAlmacen& almacen;
    int filasDatos = 9;
};

} // namespace brivo
