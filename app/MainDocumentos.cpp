// Document commands of the main window: editor, new, delete, properties.
#include <QFile>
#include <QFileInfo>
#include <QTableView>

#include "Interaccion.h"
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
    if (editorAbierto) {
        // The document in the editor is closed by the book's rules first, as
        // when the editor moves to another document, so no edit is lost; then
        // the word processor quits.
        CerrarDocumento();
        PonerEditorAbierto(false);
        CerrarEditor();
        almacen.DocActual = 0;
        return;
    }

    if (!GridPreg->isHidden()) {
        const int documento = ModeloGridPreg->DocumentoDeFila(FilaActiva(GridPreg));
        if (documento >= 1)
            almacen.DocActual = documento;
    }
    const QString ruta = almacen.DocActual >= 1 ? RutaDocumento(almacen.DocActual) : QString();

    PonerEditorAbierto(true);
    if (!IniciarEditor())
        return; // the editor counts as open until the command is used again

    if (ruta.isEmpty())
        return; // open with no document
    if (!QFileInfo(ruta).isFile()) {
        if (AbrirModeloDelNodo(true))
            GuardarDocumentoComo(ruta);
    } else {
        AbrirDocumento(almacen.DocActual, true);
    }
}

void TMainForm::SBNuevoDocClick() {
    const bool libroValido = almacen.LibroActivo >= 1 && almacen.LibroActivo <= MaxLibros;
    almacen.LibroConsultado = almacen.BuscarLibro(
        libroValido ? almacen.Libros[static_cast<size_t>(almacen.LibroActivo)].Identificador : 0);
    if (almacen.LibroConsultado.Identificador == 0)
        return;
    if (!almacen.LibroConsultado.PermitirMasDoc) {
        ui::Informacion(this, QStringLiteral("No está permitido añadir documentos al libro activo. "
                                             "\r\nPuede modificar este comportamiento en "
                                             "Libro/Propiedades\r\nsi dispone del identificador "
                                             "de este libro"));
        return;
    }
    TNodo* nodo = NodoSeleccionado();
    if (!nodo)
        return;

    const int filaAntes = FilaActiva(GridPreg);
    const int columna = ColumnaActiva(GridPreg);
    const TLugar lugar = almacen.Arbol.LugarDeNodo(nodo);
    // A file left in the new slot's place by no record is moved aside, so
    // that the new document starts from the model.
    if (!ApartarArchivoDePlaza(almacen.DocumentoLibre()))
        return;
    if (CrearDocumento(lugar.Materia, lugar.Tema, lugar.Contenido) == 0)
        return; // no free slot: adding does nothing
    ListarDocumentos(nodo);
    CambiarDocumento(almacen.DocAnterior);

    // The last row becomes the active row.
    if (GridPreg->isHidden() || almacen.NumListados < 1)
        return;
    const int ultima = almacen.NumListados;
    ignorarCambioCelda = true;
    GridPreg->setCurrentIndex(ModeloGridPreg->index(ultima - 1, columna));
    ignorarCambioCelda = false;
    if (ultima != filaAntes)
        GridPregActiveCellChanged(ultima, columna);
}

void TMainForm::SBBorraDocClick() {
    const int k = almacen.DocActual;
    if (k < 1 || k > MaxDocumentos)
        return;
    CerrarDocumento();
    const QString ruta = RutaDocumento(k);
    if (!ruta.isEmpty())
        QFile::remove(ruta); // a failure is ignored

    TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
    d.Vaciar();
    almacen.DocActual = 0;
    // The exam list forgets the deleted document: its entries would name a
    // free slot, and later the document that takes it.
    if (almacen.QuitarDeListaExamen(k) > 0)
        RefrescarListaExamen();

    // The active row moves to a neighbour, which becomes current.
    const int fila = FilaActiva(GridPreg);
    const int columna = ColumnaActiva(GridPreg);
    int destino = 0;
    if (fila == 1 && almacen.NumListados + 1 > 2)
        destino = 2;
    else if (fila > 1)
        destino = fila - 1;
    if (destino >= 1 && !GridPreg->isHidden()) {
        ignorarCambioCelda = true;
        GridPreg->setCurrentIndex(ModeloGridPreg->index(destino - 1, columna));
        ignorarCambioCelda = false;
        GridPregActiveCellChanged(destino, columna);
    }

    ListarDocumentos(NodoSeleccionado());

    // The rows closed up over the deleted one: the active row is put back on
    // the current document's row.
    if (!GridPreg->isHidden() && almacen.DocActual >= 1) {
        for (int r = 1; r <= almacen.NumListados; ++r) {
            if (almacen.ListaPreg[static_cast<size_t>(r)] == almacen.DocActual) {
                ignorarCambioCelda = true;
                GridPreg->setCurrentIndex(ModeloGridPreg->index(r - 1, columna));
                ignorarCambioCelda = false;
                break;
            }
        }
    }
}

void TMainForm::BPropPregClick() {
    PropiedadesDocumentoActual();
}

} // namespace brivo
