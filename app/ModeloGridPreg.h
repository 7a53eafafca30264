#pragma once
// The document grid (GridPreg): a table model that shows the row list
// ListaPreg of the library (which documents a node lists: Listado.h). Grid row r
// (1..NumListados) is model row r - 1; the heading row is the view's header.
// Cells are read and written in place: an edit goes straight into the
// document record.
#include <vector>

#include <QAbstractTableModel>

#include "Almacen.h"
#include "Listado.h" // the choice of a node's documents

namespace brivo {

class TModeloGridPreg : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int NumColumnas = 11;
    enum Columna {
        ColNumero = 0,
        ColMarca = 1,
        ColDescripcion = 2,
        ColDificultad = 3,
        ColPuntos = 4,
        ColTipo = 5,
        ColRespuesta = 6,
        ColContador = 7,
        ColSimil = 8,
        ColCreado = 9,
        ColUsado = 10,
    };
    // Longest texts the cells take.
    static constexpr int LargoDescripcion = 100;
    static constexpr int LargoPuntos = 14;
    static constexpr int LargoRespuesta = 5;
    static constexpr int CifrasEntero = 6;

    static QString Encabezado(int columna);
    static int Ancho(int columna);
    static const QStringList& ItemsDificultad(); // "0".."9"
    static const QStringList& ItemsTipo();       // "", "Test", "Prob", "Preg"
    // Points as the grid shows them: two decimals with the Spanish comma.
    static QString TextoPuntos(double puntos);

    explicit TModeloGridPreg(TAlmacen& almacen, QObject* padre = nullptr);

    TAlmacen& Almacen() const { return almacen; }
    // Tells the view that ListaPreg / NumListados were rebuilt.
    void Refrescar();
    // Tells the view that the records of the listed documents changed.
    void Repintar();

    // Document number of a grid row (1-based), -1 when the row has no entry.
    int DocumentoDeFila(int fila) const;

    // The value of a grid cell (row 1-based, column 0..10); an invalid
    // QVariant when the cell has no data. Column 1 gives a bool, columns 3 and
    // 5 the item index, column 4 a double, the others numbers or texts.
    QVariant GridPregGetCellData(int fila, int columna) const;
    // Writes a cell's value into the document record (row 1-based). Column 1
    // takes a bool, columns 3 and 5 an item index, column 4 a number or a
    // text with the Spanish comma, columns 7 and 8 an integer, columns 2 and
    // 6 a text (cut to the cell's length; the answer trimmed of blanks).
    // False, with the record unchanged, for a read-only cell, a row without a
    // document or a value the cell cannot hold.
    bool PonerCelda(int fila, int columna, const QVariant& valor);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

protected:
    TAlmacen& almacen;
};

} // namespace brivo
