// The panes of the main window: Panel1 with the tree pane and the document
// pane beside each other, and the exam pane beyond Splitter2. Each pane has
// its black toolbar (the buttons come from the command table, MainAcciones.cpp)
// above its view.
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

#include "Main.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "VistaArbol.h"
#include "VistaGridExamen.h"
#include "VistaGridPreg.h"

namespace brivo {

namespace {

constexpr int AltoBarra = 20;
constexpr int AltoFila = 19;

QFrame* Barra(QWidget* padre, const char* nombre, const QString& descripcion) {
    auto* barra = new QFrame(padre);
    barra->setObjectName(QLatin1String(nombre));
    barra->setAccessibleName(descripcion);
    barra->setFixedHeight(AltoBarra);
    barra->setAutoFillBackground(true);
    QPalette paleta = barra->palette();
    paleta.setColor(QPalette::Window, Qt::black);
    paleta.setColor(QPalette::Button, Qt::black);
    paleta.setColor(QPalette::ButtonText, Qt::white);
    barra->setPalette(paleta);
    return barra;
}

QWidget* Panel(QWidget* padre, const char* nombre, const QString& descripcion,
               ContextoAyuda contexto) {
    auto* panel = new QWidget(padre);
    panel->setObjectName(QLatin1String(nombre));
    panel->setAccessibleName(descripcion);
    panel->setProperty(TMainForm::PropiedadAyuda, Numero(contexto));
    auto* capas = new QVBoxLayout(panel);
    capas->setContentsMargins(0, 0, 0, 0);
    capas->setSpacing(0);
    return panel;
}

void PrepararGrid(QTableView* grid) {
    // The design widths of the columns are measured for a small font.
    grid->setFont(QFont(QStringLiteral("Arial"), 8));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(AltoFila);
    grid->verticalHeader()->setMinimumSectionSize(AltoFila);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(10);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->setTabKeyNavigation(false);
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->setWordWrap(false);
}

QSplitter* Divisor(QWidget* padre, const char* nombre, const QString& descripcion) {
    auto* divisor = new QSplitter(Qt::Horizontal, padre);
    divisor->setObjectName(QLatin1String(nombre));
    divisor->setAccessibleName(descripcion);
    divisor->setHandleWidth(2);
    divisor->setChildrenCollapsible(false);
    return divisor;
}

} // namespace

void TMainForm::CrearPaneles() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* capas = new QHBoxLayout(central);
    capas->setContentsMargins(0, 0, 0, 0);
    capas->setSpacing(0);
    setCentralWidget(central);

    Splitter2 = Divisor(central, "Splitter2", QStringLiteral("Divisor de la lista de examen"));
    Splitter2->setOpaqueResize(true);
    capas->addWidget(Splitter2);

    // Panel1: tree pane and document pane.
    Panel1 = new QWidget(Splitter2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Árbol y documentos"));
    Panel1->setMinimumWidth(202);
    auto* capas1 = new QHBoxLayout(Panel1);
    capas1->setContentsMargins(0, 0, 0, 0);
    capas1->setSpacing(0);

    Splitter1 = Divisor(Panel1, "Splitter1", QStringLiteral("Divisor del árbol"));
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: grey; }"));
    capas1->addWidget(Splitter1);

    CrearPanelArbol();
    CrearPanelPreg();
    Splitter1->addWidget(PanelArbol);
    Splitter1->addWidget(PanelPreg);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({185, 600});

    CrearPanelExamen();
    Splitter2->addWidget(Panel1);
    Splitter2->addWidget(PanelExamen);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    PonerAnchoPanel1(787);

    PrepararGridYArbol();

    setTabOrder(Arbol, GridPreg);
    setTabOrder(GridPreg, GridExamen);
}

void TMainForm::CrearPanelArbol() {
    PanelArbol =
        Panel(Splitter1, "PanelArbol", QStringLiteral("Árbol de materias"), ContextoAyuda::Arbol);
    PanelArbol->setMinimumWidth(100);
    Panel5 = Barra(PanelArbol, "Panel5", QStringLiteral("Barra de herramientas del árbol"));
    CrearBotones(Panel5);
    PanelArbol->layout()->addWidget(Panel5);

    ModeloArbol = new TModeloArbol(almacen, this);
    Arbol = new TVistaArbol(PanelArbol);
    Arbol->setObjectName(QStringLiteral("Arbol"));
    Arbol->setAccessibleName(QStringLiteral("Árbol de materias, temas y contenidos"));
    Arbol->setProperty(PropiedadAyuda, Numero(ContextoAyuda::Arbol));
    Arbol->setModel(ModeloArbol);
    Arbol->setHeaderHidden(true);
    // Long node texts widen the column and bring a horizontal scroll bar
    // instead of being cut short in the narrow pane.
    Arbol->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Arbol->header()->setStretchLastSection(false);
    Arbol->setFont(QFont(QStringLiteral("Arial"), 8));
    Arbol->setIndentation(19);
    Arbol->setRootIsDecorated(true);
    Arbol->setItemsExpandable(true);
    Arbol->setExpandsOnDoubleClick(true);
    Arbol->setUniformRowHeights(true);
    Arbol->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    Arbol->setSelectionMode(QAbstractItemView::SingleSelection);
    Arbol->setFocusPolicy(Qt::StrongFocus);
    PanelArbol->layout()->addWidget(Arbol);
    connect(Arbol->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) { ArbolChange(); });
}

void TMainForm::CrearPanelPreg() {
    PanelPreg =
        Panel(Splitter1, "PanelPreg", QStringLiteral("Documentos"), ContextoAyuda::Documentos);
    PanelPreg->setMinimumWidth(100);
    Panel4 = Barra(PanelPreg, "Panel4", QStringLiteral("Barra de herramientas de documentos"));
    CrearBotones(Panel4);
    PanelPreg->layout()->addWidget(Panel4);

    ModeloGridPreg = new TModeloGridPreg(almacen, this);
    GridPreg = new TVistaGridPreg(PanelPreg);
    GridPreg->setObjectName(QStringLiteral("GridPreg"));
    GridPreg->setAccessibleName(QStringLiteral("Documentos del nodo seleccionado"));
    GridPreg->setProperty(PropiedadAyuda, Numero(ContextoAyuda::Documentos));
    GridPreg->setModel(ModeloGridPreg);
    PrepararGrid(GridPreg);
    for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c)
        GridPreg->setColumnWidth(c, TModeloGridPreg::Ancho(c));
    PanelPreg->layout()->addWidget(GridPreg);
    connect(GridPreg->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual, const QModelIndex&) {
                if (!ignorarCambioCelda && actual.isValid())
                    GridPregActiveCellChanged(actual.row() + 1, actual.column());
            });

    LabNoHayDocumentos = new QLabel(QStringLiteral("No hay documentos"), PanelPreg);
    LabNoHayDocumentos->setObjectName(QStringLiteral("LabNoHayDocumentos"));
    LabNoHayDocumentos->setAccessibleName(QStringLiteral("No hay documentos"));
    LabNoHayDocumentos->setAlignment(Qt::AlignCenter);
    LabNoHayDocumentos->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    PanelPreg->layout()->addWidget(LabNoHayDocumentos);
    // No node is listed yet: the grid starts hidden behind the caption.
    GridPreg->hide();
}

void TMainForm::CrearPanelExamen() {
    PanelExamen = Panel(Splitter2, "PanelExamen", QStringLiteral("Documentos para examen"),
                        ContextoAyuda::Examen);
    // An explicit minimum lets Panel1 leave only a sliver of the exam pane.
    PanelExamen->setMinimumWidth(1);
    Panel6 = Barra(PanelExamen, "Panel6", QStringLiteral("Barra de herramientas del examen"));
    CrearBotones(Panel6);
    PanelExamen->layout()->addWidget(Panel6);

    ModeloGridExamen = new TModeloGridExamen(almacen, this);
    GridExamen = new TVistaGridExamen(PanelExamen);
    GridExamen->setObjectName(QStringLiteral("GridExamen"));
    GridExamen->setAccessibleName(QStringLiteral("Lista de documentos para examen"));
    GridExamen->setProperty(PropiedadAyuda, Numero(ContextoAyuda::Examen));
    GridExamen->setModel(ModeloGridExamen);
    PrepararGrid(GridExamen);
    for (int c = 0; c < TModeloGridExamen::NumColumnas; ++c)
        GridExamen->setColumnWidth(c, TModeloGridExamen::Ancho(c));
    PanelExamen->layout()->addWidget(GridExamen);
    PrepararGridExamen();
}

} // namespace brivo
