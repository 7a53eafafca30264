// Exam list and exam assembly commands of the main window. The list's
// operations are those of ListaExamen.h, the assembly that of
// CreacionExamen.h; the window shows the pane and keeps its grid in step.
#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

#include "CreacionVersiones.h"
#include "FormSeleccion.h"
#include "Interaccion.h"
#include "ListaExamen.h"
#include "Main.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "PropExam.h"
#include "Seleccion.h"
#include "VistaGridExamen.h"

namespace brivo {

namespace {

int AnchoPantalla(const QWidget* ventana) {
    QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->geometry().width() : 0;
}

} // namespace

void TMainForm::PrepararGridExamen() {
    auto* vista = static_cast<TVistaGridExamen*>(GridExamen);
    connect(vista, &TVistaGridExamen::FilasIntercambiadas, this, &TMainForm::GridExamenRowsChanged);
    connect(GridExamen->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, vista](const QModelIndex& actual, const QModelIndex&) {
                if (!vista->CambioSilencioso() && actual.isValid())
                    GridExamenActiveCellChanged(actual.row() + 1, actual.column());
            });
    // A description edited in the exam grid shows at once in the document grid.
    connect(ModeloGridExamen, &TModeloGridExamen::DescripcionEditada, this,
            [this](int) { ModeloGridPreg->Repintar(); });
    // A new row count resets the view, which then has no current cell: the
    // first row becomes the active row again, as when the grid was made, so
    // that the commands on the active row see it.
    connect(ModeloGridExamen, &QAbstractItemModel::modelReset, this,
            [this] { PonerFilaActivaInicialExamen(); });
    PonerFilaActivaInicialExamen();
}

void TMainForm::PonerFilaActivaInicialExamen() {
    if (ModeloGridExamen->rowCount() > 0 && !GridExamen->currentIndex().isValid())
        static_cast<TVistaGridExamen*>(GridExamen)->PonerCeldaActiva(1, 1);
}

void TMainForm::ListaExamenCambiada() {
    ModeloGridExamen->PonerNumFilas(1 + almacen.EntradasExamen());
    ModeloGridExamen->Repintar();
}

void TMainForm::BVerExamenClick() {
    const int pantalla = AnchoPantalla(this);
    if (pantalla - 20 < AnchoPanel1()) {
        // The pane is hidden: Panel1 leaves it 300 pixels.
        PonerAnchoPanel1(pantalla - 300);
        Verlistadedocumentosparaexamen1->setText(
            QStringLiteral("Ocultar lista de documentos para examen"));
        SBVerExamen->setToolTip(QStringLiteral("Ocultar lista de documentos para crear examen"));
    } else {
        PonerAnchoPanel1(pantalla - 10);
        Verlistadedocumentosparaexamen1->setText(
            QStringLiteral("Ver lista de documentos para examen"));
        SBVerExamen->setToolTip(QStringLiteral("Ver Lista de documentos para crear examen"));
    }
    Verlistadedocumentosparaexamen1->setToolTip(Verlistadedocumentosparaexamen1->text());
    SBVerExamen->setAccessibleName(SBVerExamen->toolTip());
}

void TMainForm::SBPregsAExamenClick() {
    // Moving to the description column ends a pending edit of a mark.
    TerminarEdicionGridPreg();
    if (ModeloGridPreg->rowCount() > 0) {
        const QModelIndex actual = GridPreg->currentIndex();
        if (!actual.isValid() || actual.column() != TModeloGridPreg::ColDescripcion)
            GridPreg->setCurrentIndex(ModeloGridPreg->index(actual.isValid() ? actual.row() : 0,
                                                            TModeloGridPreg::ColDescripcion));
    }
    const int sinSitio = TrasladarMarcados(almacen);
    ModeloGridPreg->Repintar();
    ListaExamenCambiada();
    if (sinSitio > 0)
        ui::Informacion(this, TextoListaLlena(sinSitio));
}

void TMainForm::SBBorraPregExamClick() {
    const QModelIndex actual = GridExamen->currentIndex();
    if (!actual.isValid())
        return;
    const int r = actual.row() + 1;
    if (!QuitarEntrada(almacen, r))
        return;
    const int columna = actual.column();
    ModeloGridExamen->PonerNumFilas(ModeloGridExamen->NumFilas() - 1);
    ModeloGridExamen->Repintar();
    // The active row stays where it was, or on the new last row.
    const int filas = ModeloGridExamen->rowCount();
    if (filas > 0)
        static_cast<TVistaGridExamen*>(GridExamen)->PonerCeldaActiva(std::min(r, filas), columna);
}

void TMainForm::GridExamenRowsChanged(int filaA, int filaB) {
    if (IntercambiarEntradas(almacen, filaA, filaB))
        ModeloGridExamen->Repintar();
}

void TMainForm::GridExamenActiveCellChanged(int fila, int columna) {
    (void)columna; // every column counts
    banco->SeguirDocumento(DocumentoDeEntrada(almacen, fila));
}

void TMainForm::BCrearExamenClick() {
    TOpcionesCreacion creacion;
    {
        TFormPropExamen dialogo(almacen.Ajustes, this);
        creacion = opcionesCreacion;
        creacion.Semilla = dialogo.Creacion().Semilla;
        dialogo.PonerCreacion(creacion);
        if (ui::Ejecutar(dialogo) != QDialog::Accepted)
            return;
        creacion = dialogo.Creacion();
    }
    opcionesCreacion = creacion;
    CrearExamen(*banco, creacion);
}

void TMainForm::Seleccionautomatica1Click() {
    TResultadoSeleccion eleccion;
    {
        TFormSeleccion dialogo(almacen, NodoSeleccionado(), this);
        if (ui::Ejecutar(dialogo) != QDialog::Accepted)
            return;
        eleccion = dialogo.Resultado();
    }
    const int sinSitio = AnadirElegidosAListaExamen(almacen, eleccion.Documentos);
    ListaExamenCambiada();
    // The list the choice filled is shown.
    if (AnchoPantalla(this) - 20 < AnchoPanel1())
        BVerExamenClick();
    if (sinSitio > 0)
        ui::Informacion(this, MensajeElegidosSinSitio(sinSitio));
}

} // namespace brivo
