#include "Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

#include "AcercaDe.h"
#include "Carpetas.h"
#include "Errores.h"
#include "Iconos.h"
#include "Interaccion.h"
#include "ListaLibros.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "PropLibro.h"
#include "VistaArbol.h"
#include "VistaGridExamen.h"
#include "VistaGridPreg.h"

namespace brivo {

namespace {

constexpr int AltoBarra = 20;
constexpr int LadoBoton = 19;
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

QWidget* Panel(QWidget* padre, const char* nombre, const QString& descripcion, int contexto) {
    auto* panel = new QWidget(padre);
    panel->setObjectName(QLatin1String(nombre));
    panel->setAccessibleName(descripcion);
    panel->setProperty(TMainForm::PropiedadAyuda, contexto);
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

} // namespace

TMainForm::TMainForm(const QString& carpetaPrograma, QWidget* padre) : QMainWindow(padre) {
    // Creation step: the tables start empty, nothing is read from disk.
    QString carpeta =
        carpetaPrograma.isEmpty() ? QCoreApplication::applicationDirPath() : carpetaPrograma;
    if (!carpeta.endsWith(QLatin1Char('/')))
        carpeta += QLatin1Char('/');
    almacen.CarpetaPrograma = carpeta;
    almacen.LibroActivo = 0;
    almacen.DocActual = 0;
    almacen.NumListados = 0;
    // The automation objects connect with the window (a failure ends the start).
    banco = std::make_unique<TBancoDocumentos>(almacen, *this, word::CrearMotorIncrustado());
    // The tree built into the window, kept when no tree file can be read.
    if (almacen.Arbol.Vacio())
        almacen.Arbol.CargarInicial();

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QLatin1String(TituloInicial));
    setWindowIcon(iconos::Programa());
    setAccessibleName(QStringLiteral("Brivo II"));
    setProperty(PropiedadAyuda, 1);
    resize(797, 211);

    CrearPaneles();
    CrearMenu();
}

TMainForm::~TMainForm() = default;

void TMainForm::Conectar(QObject* emisor, const char* senal, const char* manejador) {
    // SLOT() in string form: "1" + signature.
    const QByteArray ranura = QByteArray("1") + manejador + "()";
    const bool ok = QObject::connect(emisor, senal, this, ranura.constData());
    Q_ASSERT_X(ok, "TMainForm", manejador);
    (void)ok;
    emisor->setProperty(PropiedadManejador, QString::fromLatin1(manejador));
}

QToolButton* TMainForm::Boton(QFrame* barra, const char* nombre, int x, int ancho,
                              const QString& hint, const QIcon& icono, const char* manejador) {
    auto* boton = new QToolButton(barra);
    boton->setObjectName(QLatin1String(nombre));
    boton->setGeometry(x, 0, ancho, LadoBoton);
    boton->setAutoRaise(true);
    boton->setIcon(icono);
    boton->setIconSize(QSize(16, 16));
    boton->setToolTip(hint);
    boton->setAccessibleName(hint);
    boton->setFocusPolicy(Qt::TabFocus);
    Conectar(boton, SIGNAL(clicked()), manejador);
    return boton;
}

void TMainForm::CrearPaneles() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* capas = new QHBoxLayout(central);
    capas->setContentsMargins(0, 0, 0, 0);
    capas->setSpacing(0);
    setCentralWidget(central);

    Splitter2 = new QSplitter(Qt::Horizontal, central);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setAccessibleName(QStringLiteral("Divisor de la lista de examen"));
    Splitter2->setHandleWidth(2);
    Splitter2->setChildrenCollapsible(false);
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

    Splitter1 = new QSplitter(Qt::Horizontal, Panel1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setAccessibleName(QStringLiteral("Divisor del árbol"));
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: grey; }"));
    capas1->addWidget(Splitter1);

    // Tree pane.
    PanelArbol = Panel(Splitter1, "PanelArbol", QStringLiteral("Árbol de materias"), 1200);
    PanelArbol->setMinimumWidth(100);
    Panel5 = Barra(PanelArbol, "Panel5", QStringLiteral("Barra de herramientas del árbol"));
    SBNuevoNodo = Boton(Panel5, "SBNuevoNodo", 0, LadoBoton, QStringLiteral("Nuevo nodo"),
                        iconos::NuevoNodo(), "SBNuevoNodoClick");
    SBNuevoSubNodo =
        Boton(Panel5, "SBNuevoSubNodo", 19, LadoBoton, QStringLiteral("Nuevo nodo hijo"),
              iconos::NuevoSubNodo(), "SBNuevoSubNodoClick");
    SBBorraNodo = Boton(Panel5, "SBBorraNodo", 38, LadoBoton,
                        QStringLiteral("Borra nodo y sus descendientes"), iconos::BorraNodo(),
                        "SBBorraNodoClick");
    SBEditor = Boton(Panel5, "SBEditor", 67, LadoBoton, QStringLiteral("Abrir editor "),
                     iconos::Editor(), "BEditarClick");
    SBOpciones =
        Boton(Panel5, "SBOpciones", 91, LadoBoton, QStringLiteral("Establecer opciones generales"),
              iconos::Opciones(), "BOpcionesClick");
    PanelArbol->layout()->addWidget(Panel5);

    ModeloArbol = new TModeloArbol(almacen, this);
    Arbol = new TVistaArbol(PanelArbol);
    Arbol->setObjectName(QStringLiteral("Arbol"));
    Arbol->setAccessibleName(QStringLiteral("Árbol de materias, temas y contenidos"));
    Arbol->setProperty(PropiedadAyuda, 1200);
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

    // Document pane.
    PanelPreg = Panel(Splitter1, "PanelPreg", QStringLiteral("Documentos"), 1300);
    PanelPreg->setMinimumWidth(100);
    Panel4 = Barra(PanelPreg, "Panel4", QStringLiteral("Barra de herramientas de documentos"));
    SBNuevoDoc = Boton(Panel4, "SBNuevoDoc", 0, LadoBoton, QStringLiteral("Nuevo documento"),
                       iconos::NuevoDoc(), "SBNuevoDocClick");
    SBBorraDoc = Boton(Panel4, "SBBorraDoc", 18, LadoBoton, QStringLiteral("Borrar documento"),
                       iconos::BorraDoc(), "SBBorraDocClick");
    SBVerExamen = Boton(Panel4, "SBVerExamen", 47, LadoBoton,
                        QStringLiteral("Ver lista de documentos para crear examen"),
                        iconos::VerExamen(), "BVerExamenClick");
    SBPropDoc =
        Boton(Panel4, "SBPropDoc", 69, LadoBoton, QStringLiteral("Propiedades del documento"),
              iconos::PropDoc(), "BPropPregClick");
    PanelPreg->layout()->addWidget(Panel4);

    ModeloGridPreg = new TModeloGridPreg(almacen, this);
    GridPreg = new TVistaGridPreg(PanelPreg);
    GridPreg->setObjectName(QStringLiteral("GridPreg"));
    GridPreg->setAccessibleName(QStringLiteral("Documentos del nodo seleccionado"));
    GridPreg->setProperty(PropiedadAyuda, 1300);
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

    Splitter1->addWidget(PanelArbol);
    Splitter1->addWidget(PanelPreg);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({185, 600});

    // Exam pane.
    PanelExamen = Panel(Splitter2, "PanelExamen", QStringLiteral("Documentos para examen"), 1400);
    // An explicit minimum lets Panel1 leave only a sliver of the exam pane.
    PanelExamen->setMinimumWidth(1);
    Panel6 = Barra(PanelExamen, "Panel6", QStringLiteral("Barra de herramientas del examen"));
    SBPregsAExamen = Boton(Panel6, "SBPregsAExamen", 0, LadoBoton,
                           QStringLiteral("Añadir preguntas marcadas a examen"),
                           iconos::PregsAExamen(), "SBPregsAExamenClick");
    SBBorraPregExam =
        Boton(Panel6, "SBBorraPregExam", 18, LadoBoton, QStringLiteral("Borrar pregunta de examen"),
              iconos::BorraPregExam(), "SBBorraPregExamClick");
    SBCrearExamen = Boton(Panel6, "SBCrearExamen", 44, 20, QStringLiteral("Crear examen"),
                          iconos::CrearExamen(), "BCrearExamenClick");
    PanelExamen->layout()->addWidget(Panel6);

    ModeloGridExamen = new TModeloGridExamen(almacen, this);
    GridExamen = new TVistaGridExamen(PanelExamen);
    GridExamen->setObjectName(QStringLiteral("GridExamen"));
    GridExamen->setAccessibleName(QStringLiteral("Lista de documentos para examen"));
    GridExamen->setProperty(PropiedadAyuda, 1400);
    GridExamen->setModel(ModeloGridExamen);
    PrepararGrid(GridExamen);
    for (int c = 0; c < TModeloGridExamen::NumColumnas; ++c)
        GridExamen->setColumnWidth(c, TModeloGridExamen::Ancho(c));
    PanelExamen->layout()->addWidget(GridExamen);
    PrepararGridExamen();

    Splitter2->addWidget(Panel1);
    Splitter2->addWidget(PanelExamen);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    PonerAnchoPanel1(787);

    PrepararGridYArbol();

    setTabOrder(Arbol, GridPreg);
    setTabOrder(GridPreg, GridExamen);
}

QAction* TMainForm::Item(QMenu* menu, const char* nombre, const QString& texto, int contexto,
                         const char* manejador) {
    auto* accion = new QAction(texto, menu);
    accion->setObjectName(QLatin1String(nombre));
    accion->setProperty(PropiedadAyuda, contexto);
    QString descripcion = texto;
    descripcion.remove(QLatin1Char('&'));
    accion->setToolTip(descripcion.trimmed());
    Conectar(accion, SIGNAL(triggered()), manejador);
    menu->addAction(accion);
    return accion;
}

void TMainForm::CrearMenu() {
    QMenuBar* barra = menuBar();
    barra->setObjectName(QStringLiteral("MainMenu"));
    barra->setAccessibleName(QStringLiteral("Menú principal"));

    auto menu = [&](const char* nombre, const QString& titulo, int contexto) {
        QMenu* m = barra->addMenu(titulo);
        m->setObjectName(QLatin1String(nombre));
        m->setProperty(PropiedadAyuda, contexto);
        m->menuAction()->setObjectName(QLatin1String(nombre));
        m->menuAction()->setProperty(PropiedadAyuda, contexto);
        m->installEventFilter(this);
        return m;
    };

    Libros1 = menu("Libros1", QStringLiteral("&Libros"), 1100);
    Nuevolibros1 =
        Item(Libros1, "Nuevolibros1", QStringLiteral("&Nuevo libro"), 1101, "Nuevolibros1Click");
    Cambiardelibroactual1 =
        Item(Libros1, "Cambiardelibroactual1", QStringLiteral("&Cambiar de libro activo"), 1102,
             "Cambiardelibroactual1Click");
    Modificarlibro1 = Item(Libros1, "Modificarlibro1", QStringLiteral("Propiedades .."), 1103,
                           "Modificarlibro1Click");
    Importarlibro1 = Item(Libros1, "Importarlibro1", QStringLiteral("&Importar libro"), 1104,
                          "Importarlibro1Click");
    Exportarlibro1 = Item(Libros1, "Exportarlibro1", QStringLiteral("&Exportar libro"), 1105,
                          "Exportarlibro1Click");
    Eliminarlibro1 = Item(Libros1, "Eliminarlibro1", QStringLiteral("E&liminar libro"), 1106,
                          "Eliminarlibro1Click");
    Libros1->addSeparator();
    Opcionesgenerales1 = Item(Libros1, "Opcionesgenerales1",
                              QStringLiteral("&Opciones generales .."), 1107, "BOpcionesClick");
    Libros1->addSeparator();
    Salir1 = Item(Libros1, "Salir1", QStringLiteral("&Salir"), 1108, "Salir1Click");

    Arbol1 = menu("Arbol1", QStringLiteral("Arbol"), 1200);
    Anadirnodo1 =
        Item(Arbol1, "Anadirnodo1", QStringLiteral("Añadir &nodo"), 1201, "SBNuevoNodoClick");
    Anadirnodohijo1 = Item(Arbol1, "Anadirnodohijo1", QStringLiteral("Añadir nodo &hijo"), 1202,
                           "SBNuevoSubNodoClick");
    Borrarnodo1 =
        Item(Arbol1, "Borrarnodo1", QStringLiteral("&Borrar nodo"), 1203, "SBBorraNodoClick");

    Documentos1 = menu("Documentos1", QStringLiteral("Documentos"), 1300);
    Abrireditor1 =
        Item(Documentos1, "Abrireditor1", QStringLiteral("Abrir edi&tor"), 1310, "BEditarClick");
    Documentos1->addSeparator();
    Anadirdocumento1 = Item(Documentos1, "Anadirdocumento1", QStringLiteral("&Añadir documento"),
                            1302, "SBNuevoDocClick");
    Borrardocumento1 = Item(Documentos1, "Borrardocumento1", QStringLiteral("&Borrar documento"),
                            1303, "SBBorraDocClick");
    Propiedades1 = Item(Documentos1, "Propiedades1", QStringLiteral("&Propiedades .."), 1305,
                        "BPropPregClick");

    Examen1 = menu("Examen1", QStringLiteral("&Examen"), 1400);
    Verlistadedocumentosparaexamen1 =
        Item(Examen1, "Verlistadedocumentosparaexamen1",
             QStringLiteral("&Ver lista de documentos para examen"), 1401, "BVerExamenClick");
    Examen1->addSeparator();
    Borrardocumentodeexamen1 =
        Item(Examen1, "Borrardocumentodeexamen1", QStringLiteral("&Borrar documento de examen"),
             1402, "SBBorraPregExamClick");
    Trasladardocumentosmarcadosaexamen1 = Item(
        Examen1, "Trasladardocumentosmarcadosaexamen1",
        QStringLiteral("&Trasladar documentos marcados a examen"), 1403, "SBPregsAExamenClick");
    Crearexamen1 =
        Item(Examen1, "Crearexamen1", QStringLiteral("&Crear examen"), 1404, "BCrearExamenClick");

    Ayuda1 = menu("Ayuda1", QStringLiteral("&Ayuda"), 1500);
    Contenido1 = Item(Ayuda1, "Contenido1", QStringLiteral("&Contenido"), 1501, "ContenidoClick");
    Acercade1 = Item(Ayuda1, "Acercade1", QStringLiteral("Acerca de .."), 1502, "AcercadeClick");
}

// ---------------------------------------------------------------------------
// Start-up

void TMainForm::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!activado && !activacionPendiente) {
        // The show event comes before the window is mapped: placing it now
        // along the top of the screen keeps a window manager from choosing
        // another place (the frame is not known yet; the activation step
        // corrects the size for it).
        if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
            const QRect zona = pantalla->availableGeometry();
            resize(zona.width(), 200);
            move(zona.topLeft());
        }
        // The activation step runs from the event loop, once the window is
        // on screen, so that its dialogs have a visible owner.
        activacionPendiente = true;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TMainForm::FormActivate() {
    if (activado)
        return;
    activado = true;

    // The window lies along the top of the screen at full width, 200 pixels
    // high, with the exam pane hidden behind Panel1.
    if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect zona = pantalla->availableGeometry();
        const QMargins marco = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        resize(zona.width() - marco.left() - marco.right(), 200 - marco.top() - marco.bottom());
        move(zona.topLeft());
    }
    PonerAnchoPanel1(frameGeometry().width() - 10);

    // The lock comes before the files are read, so that what is read is
    // what the writer last saved.
    TomarBiblioteca();
    ModeloArbol->EmpezarCambioTotal();
    try {
        almacen.CargarLibreria();
    } catch (const ErrorBrivo& e) {
        ModeloArbol->TerminarCambioTotal();
        ModeloGridExamen->Repintar();
        ui::Error(this, e.Mensaje());
        return;
    }
    ModeloArbol->TerminarCambioTotal();
    ModeloGridExamen->Repintar();
    libreriaCargada = true;

    AsegurarLibroActivo();
    // An editor left open is started again (at start-up it is closed).
    if (banco->EditorAbierto())
        banco->IniciarEditor();
}

void TMainForm::AsegurarLibroActivo() {
    while (!almacen.LibroActivoValido()) {
        if (SoloConsulta() && !almacen.HayLibros()) {
            // No book can be made in a library that may not be changed.
            ui::Informacion(this, QStringLiteral("La biblioteca no tiene ningún libro y está "
                                                 "abierta sólo para consulta."));
            break;
        }
        if (almacen.HayLibros()) {
            Cambiardelibroactual1Click();
        } else {
            ui::Informacion(this, QStringLiteral("No queda ningún libro. Debe crear uno para "
                                                 "seguir trabajando."));
            Nuevolibros1Click();
        }
    }
    PonerTitulo();

    // The first materia (a top-level node with an identifier above 1), else
    // the first top-level node.
    TNodo* primero = nullptr;
    for (const auto& raiz : almacen.Arbol.Raices()) {
        if (raiz->Id() > 1) {
            primero = raiz.get();
            break;
        }
    }
    if (!primero && !almacen.Arbol.Raices().empty())
        primero = almacen.Arbol.Raices().front().get();
    SeleccionarNodo(primero);
}

void TMainForm::PonerTitulo() {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (!libro)
        return; // no book to name: the caption stays as it is
    const QString titulo = QLatin1String(PrefijoTitulo) + libro->Titulo.Texto();
    setWindowTitle(titulo.left(LargoMaximoTitulo) +
                   (SoloConsulta() ? QString::fromUtf8(MarcaSoloConsulta) : QString()));
    // A screen reader names the window by its title, and so the active book.
    setAccessibleName(windowTitle());
}

// ---------------------------------------------------------------------------
// Panes

int TMainForm::AnchoPanel1() const {
    return Panel1->width();
}

void TMainForm::PonerAnchoPanel1(int ancho) {
    const int total = std::max(Splitter2->width(), ancho + Splitter2->handleWidth());
    Splitter2->setSizes({ancho, std::max(0, total - ancho - Splitter2->handleWidth())});
}

// ---------------------------------------------------------------------------
// Closing

void TMainForm::closeEvent(QCloseEvent* evento) {
    try {
        CerrarDocumento();
    } catch (const ErrorBrivo& e) {
        // The editor could not close the document: nothing is saved and the
        // window stays open.
        ui::Error(this, e.Mensaje());
        evento->ignore();
        return;
    }
    // The word processor quits only when it has no documents open; a
    // failure while quitting is shown and the closing goes on.
    try {
        if (banco->DocumentosAbiertos() == 0)
            banco->CerrarEditor();
    } catch (const ErrorBrivo& e) {
        ui::Error(this, e.Mensaje());
        banco->CerrarEditor();
    }
    if (libreriaCargada && !SoloConsulta()) {
        try {
            almacen.GuardarLibreria();
        } catch (const ErrorBrivo& e) {
            // The tables are untouched by a failed save: the user can try again.
            ui::Error(this, e.Mensaje());
            evento->ignore();
            return;
        }
    }
    evento->accept();
    // The next program may take the library as soon as this one is done with it.
    if (cerrojo)
        cerrojo->Soltar();
}

// ---------------------------------------------------------------------------
// Help

int TMainForm::ContextoDe(const QObject* objeto) {
    for (const QObject* o = objeto; o; o = o->parent()) {
        const QVariant v = o->property(PropiedadAyuda);
        if (v.isValid() && v.toInt() > 0)
            return v.toInt();
    }
    return 1;
}

void TMainForm::AyudaContextual() {
    // The window's focus child: the part the user works in, also while
    // another window of the program is active.
    QWidget* foco = focusWidget();
    if (!foco)
        foco = this;
    ui::MostrarAyuda(this, ContextoDe(foco));
}

void TMainForm::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1 && evento->modifiers() == Qt::NoModifier) {
        AyudaContextual();
        evento->accept();
        return;
    }
    QMainWindow::keyPressEvent(evento);
}

bool TMainForm::eventFilter(QObject* objeto, QEvent* evento) {
    // F1 in an open menu: the context of the highlighted item, else the menu's.
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_F1) {
            if (auto* menu = qobject_cast<QMenu*>(objeto)) {
                const int contexto =
                    menu->activeAction() ? ContextoDe(menu->activeAction()) : ContextoDe(menu);
                menu->close();
                ui::MostrarAyuda(this, contexto);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

// ---------------------------------------------------------------------------
// Commands of the "&Ayuda" menu

void TMainForm::ContenidoClick() {
    ui::MostrarAyuda(this, 1);
}

void TMainForm::AcercadeClick() {
    MostrarAcercaDe(this, carpetas::Visible(almacen.CarpetaPrograma), SoloConsulta());
}

} // namespace brivo
