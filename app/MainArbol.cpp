// The topic tree and the document grid of the main window: the tree's
// selection and the listing of its documents, the grid's current document,
// the tree editing commands and the drag of marked documents onto a node.
// The rules are those of Listado.h and EdicionArbol.h.
#include <QLabel>
#include <QMimeData>
#include <QPoint>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include "CursorOcupado.h"
#include "EdicionArbol.h"
#include "Main.h"
#include "ModeloArbol.h"
#include "ModeloGridPreg.h"
#include "PropPreg.h"
#include "TextosComunes.h"
#include "VistaArbol.h"
#include "VistaGridPreg.h"

namespace brivo {

void TMainForm::PrepararGridYArbol() {
    auto* grid = static_cast<TVistaGridPreg*>(GridPreg);
    connect(grid, &TVistaGridPreg::ArrastreTerminado, this, &TMainForm::GridPregEndDrag);

    auto* arbol = static_cast<TVistaArbol*>(Arbol);
    arbol->AceptaArrastre = [this](const QMimeData* datos, const QPoint& punto) {
        return ArbolDragOver(datos, punto);
    };
    arbol->Soltar = [this](const QPoint& punto) { ArbolDragDrop(punto); };
}

// ---------------------------------------------------------------------------
// Tree selection and document grid

TNodo* TMainForm::NodoSeleccionado() const {
    return ModeloArbol->Nodo(Arbol->currentIndex());
}

void TMainForm::SeleccionarNodo(TNodo* nodo) {
    const QModelIndex indice = ModeloArbol->Indice(nodo);
    if (Arbol->currentIndex() == indice) {
        ArbolChange();
        return;
    }
    Arbol->setCurrentIndex(indice); // runs ArbolChange
}

void TMainForm::SeleccionarPrimerNodo() {
    const auto& raices = almacen.Arbol.Raices();
    SeleccionarNodo(raices.empty() ? nullptr : raices.front().get());
}

void TMainForm::ArbolChange() {
    // A cell being edited keeps the typed value.
    TerminarEdicionGridPreg();
    TNodo* nodo = NodoSeleccionado();
    ModeloArbol->PonerSeleccionado(nodo);
    ListarDocumentos(nodo);
    if (banco->CreandoExamen || GridPreg->isHidden())
        return;
    GridPregActiveCellChanged(1, TModeloGridPreg::ColDescripcion);
    MoverCeldaGridPreg(1, TModeloGridPreg::ColDescripcion);
}

void TMainForm::ListarDocumentos(TNodo* nodo) {
    TCursorOcupado cursor;
    // The rows are rebuilt: an edit in progress is written first.
    TerminarEdicionGridPreg();
    const TListado listado = ListarEnAlmacen(almacen, nodo);
    ModeloGridPreg->Refrescar();

    if (listado.Reducido) {
        SBPropDoc->hide();
    } else {
        SBVerExamen->show();
        SBPropDoc->show();
    }
    for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c) {
        const bool oculta = listado.Reducido && c != TModeloGridPreg::ColNumero &&
                            c != TModeloGridPreg::ColDescripcion && c != TModeloGridPreg::ColCreado;
        GridPreg->setColumnHidden(c, oculta);
        if (!oculta)
            GridPreg->setColumnWidth(c, TModeloGridPreg::Ancho(c));
    }

    if (almacen.NumListados > 0) {
        LabNoHayDocumentos->hide();
        GridPreg->show();
        GridPreg->viewport()->update();
    } else {
        CerrarDocumento();
        almacen.DocActual = 0;
        GridPreg->hide();
        LabNoHayDocumentos->show();
    }
}

void TMainForm::GridPregActiveCellChanged(int fila, int columna) {
    if (columna == TModeloGridPreg::ColMarca || GridPreg->isHidden())
        return;
    banco->SeguirDocumento(
        fila >= 1 && fila <= MaxDocumentos ? almacen.ListaPreg[static_cast<size_t>(fila)] : -1);
}

void TMainForm::MoverCeldaGridPreg(int fila, int columna) {
    ignorarCambioCelda = true;
    GridPreg->setCurrentIndex(ModeloGridPreg->index(fila - 1, columna));
    ignorarCambioCelda = false;
}

void TMainForm::PonerFilaActiva(int fila) {
    MoverCeldaGridPreg(fila, TModeloGridPreg::ColDescripcion);
}

void TMainForm::RepintarDocumentos() {
    ModeloGridPreg->Repintar();
}

// ---------------------------------------------------------------------------
// Tree editing

void TMainForm::SBNuevoNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    const QString texto = TextoNodoHermano(seleccionado);
    if (texto.isEmpty())
        return;
    // With no node selected (an empty tree) the new node is a new materia.
    TNodo* padre = seleccionado ? seleccionado->Padre : nullptr;
    TNodo* nuevo = ModeloArbol->Anadir(padre, texto, almacen.Arbol.NuevoIdNodo());
    SeleccionarNodo(nuevo);
    Arbol->scrollTo(ModeloArbol->Indice(nuevo));
}

void TMainForm::SBNuevoSubNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    const QString texto = TextoNodoHijo(seleccionado);
    if (texto.isEmpty())
        return;
    TNodo* nuevo = ModeloArbol->Anadir(seleccionado, texto, almacen.Arbol.NuevoIdNodo());
    SeleccionarNodo(nuevo);
    Arbol->scrollTo(ModeloArbol->Indice(nuevo));
}

void TMainForm::SBBorraNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    if (!PrepararBorradoNodo(almacen, seleccionado, this))
        return;
    // The node that takes the selection: the next sibling, else the previous
    // one, else the parent. It is selected before the node goes, so that the
    // view never points into the deleted branch.
    TNodo* siguiente = seleccionado->SiguienteHermano();
    if (!siguiente) {
        const int i = seleccionado->Indice();
        const auto& hermanos =
            seleccionado->Padre ? seleccionado->Padre->Hijos : almacen.Arbol.Raices();
        siguiente = i > 0 ? hermanos[static_cast<size_t>(i - 1)].get() : seleccionado->Padre;
    }
    if (siguiente)
        Arbol->setCurrentIndex(ModeloArbol->Indice(siguiente));
    ModeloArbol->Borrar(seleccionado);
    // Lists the node now selected against the tree as it is now.
    SeleccionarNodo(NodoSeleccionado());
}

// ---------------------------------------------------------------------------
// Document properties

void TMainForm::PropiedadesDocumentoActual() {
    TerminarEdicionGridPreg();
    // The menu item opens it for model and exam documents too, whose
    // toolbar button is hidden.
    if (PropiedadesDocumento(*this))
        ModeloGridPreg->Repintar();
}

// ---------------------------------------------------------------------------
// Grid editing and drag of marked documents

void TMainForm::TerminarEdicionGridPreg() {
    if (auto* grid = qobject_cast<TVistaGridPreg*>(GridPreg))
        grid->TerminarEdicion();
}

void TMainForm::GridPregEndDrag(bool enDestino) {
    if (enDestino)
        ModeloGridPreg->Repintar();
}

bool TMainForm::ArbolDragOver(const QMimeData* datos, const QPoint& punto) const {
    return !SoloConsulta() && datos &&
           datos->hasFormat(QString::fromLatin1(TVistaGridPreg::FormatoArrastre)) &&
           ModeloArbol->Nodo(Arbol->indexAt(punto)) != nullptr;
}

void TMainForm::ArbolDragDrop(const QPoint& punto) {
    SoltarDocumentosEnNodo(ModeloArbol->Nodo(Arbol->indexAt(punto)));
}

void TMainForm::SoltarDocumentosEnNodo(TNodo* destino) {
    if (!destino || !PermitirCambio())
        return;
    TerminarEdicionGridPreg();
    if (!SoltarMarcados(almacen, destino, this))
        return;
    SeleccionarNodo(destino);
    Arbol->scrollTo(ModeloArbol->Indice(destino));
}

} // namespace brivo
