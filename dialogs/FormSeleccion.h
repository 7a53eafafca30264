#pragma once
// "Selección automática…": the blueprint of an exam as rows (a node of the
// tree, a range of difficulty, a type, how many) and the options of the
// choice ("No usadas desde", one question per similarity group, the least
// used first, the seed). OK checks the rows, makes the choice, shows per row
// what was asked, found and taken, and closes with OK only when the teacher
// accepts it (a shortfall included); Cancel in that report goes back to the
// rows. The caller appends Resultado() to the exam list.
#include <vector>

#include <QDialog>

#include "ContextoAyuda.h"
#include "Seleccion.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brivo {

class TModeloFilasSeleccion;
class TVistaFilas;

class TFormSeleccion : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::SeleccionAutomatica;

    // The first row names nodoInicial when a row can name it (the node
    // selected in the tree), else no node yet.
    TFormSeleccion(const TAlmacen& almacen, const TNodo* nodoInicial, QWidget* padre = nullptr);

    // The rows and the options as the controls hold them (the seed is read
    // from EdSemilla by BOKClick).
    const std::vector<TFilaSeleccion>& Filas() const;
    TOpcionesSeleccion Opciones() const;
    // The choice the teacher accepted (empty until OK closed the dialog).
    const TResultadoSeleccion& Resultado() const { return resultado; }

    // A new row after the current one, with the current row's node; it
    // becomes the current row, on its node cell.
    void BAnadirFilaClick();
    // Removes the current row.
    void BQuitarFilaClick();
    void BNuevaSemillaClick();
    void BAyudaClick();
    void BOKClick();

    TModeloFilasSeleccion* ModeloFilas = nullptr;
    QLabel* LabFilas = nullptr;
    TVistaFilas* GridFilas = nullptr;
    QPushButton* BAnadirFila = nullptr;
    QPushButton* BQuitarFila = nullptr;
    QCheckBox* CBNoUsadasDesde = nullptr;
    QDateEdit* DTPNoUsadasDesde = nullptr;
    QCheckBox* CBSimilitud = nullptr;
    QCheckBox* CBMenosUsadas = nullptr;
    QLabel* LabSemilla = nullptr;
    QLineEdit* EdSemilla = nullptr;
    QPushButton* BNuevaSemilla = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    void CrearTabla();
    void CrearOpciones();
    void Colocar();
    // Moves the table's current cell to a row, on a column.
    void IrAFila(int fila, int columna);

    const TAlmacen& almacen;
    TResultadoSeleccion resultado;
};

} // namespace brivo
