// Document commands of the main window: editor, new, delete, properties. The
// document bank (BancoDocumentos.h) does the work; the window picks the
// current document from the grid and moves the grid's active row.
#include <QTableView>

#include "Main.h"
#include "ModeloGridPreg.h"

namespace brivo {

namespace {

// Active row of a grid (1-based), 0 when there is none.
int FilaActiva(const QTableView* grid) {
    const QModelIndex actual = grid->currentIndex();
    return actual.isValid() ? actual.row() + 1 : 0;
}

int ColumnaActiva(const QTableView* grid) {
    const QModelIndex actual = grid->currentIndex();
    return actual.isValid() ? actual.column() : TModeloGridPreg::ColDescripcion;
}

} // namespace

void TMainForm::BEditarClick() {
    if (banco->EditorAbierto()) {
        banco->CerrarEditorConDocumento();
        return;
    }
    if (!GridPreg->isHidden()) {
        const int documento = ModeloGridPreg->DocumentoDeFila(FilaActiva(GridPreg));
        if (documento >= 1)
            almacen.DocActual = documento;
    }
    banco->AbrirEditor();
}

void TMainForm::SBNuevoDocClick() {
    const int filaAntes = FilaActiva(GridPreg);
    const int columna = ColumnaActiva(GridPreg);
    if (!banco->AnadirDocumento(NodoSeleccionado()))
        return;

    // The last row becomes the active row.
    if (GridPreg->isHidden() || almacen.NumListados < 1)
        return;
    const int ultima = almacen.NumListados;
    MoverCeldaGridPreg(ultima, columna);
    if (ultima != filaAntes)
        GridPregActiveCellChanged(ultima, columna);
}

void TMainForm::SBBorraDocClick() {
    if (!banco->BorrarDocumentoActual())
        return;

    // The active row moves to a neighbour, which becomes current.
    const int fila = FilaActiva(GridPreg);
    const int columna = ColumnaActiva(GridPreg);
    int destino = 0;
    if (fila == 1 && almacen.NumListados + 1 > 2)
        destino = 2;
    else if (fila > 1)
        destino = fila - 1;
    if (destino >= 1 && !GridPreg->isHidden()) {
        MoverCeldaGridPreg(destino, columna);
        GridPregActiveCellChanged(destino, columna);
    }

    ListarDocumentos(NodoSeleccionado());

    // The rows closed up over the deleted one: the active row is put back on
    // the current document's row.
    if (!GridPreg->isHidden() && almacen.DocActual >= 1) {
        for (int r = 1; r <= almacen.NumListados; ++r) {
            if (almacen.ListaPreg[static_cast<size_t>(r)] == almacen.DocActual) {
                MoverCeldaGridPreg(r, columna);
                break;
            }
        }
    }
}

void TMainForm::BPropPregClick() {
    PropiedadesDocumentoActual();
}

} // namespace brivo
