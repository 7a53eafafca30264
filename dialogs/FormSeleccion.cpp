#include "FormSeleccion.h"

#include <algorithm>

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "Almacen.h"
#include "Azar.h"
#include "ComunDialogos.h"
#include "FilasSeleccion.h"
#include "Interaccion.h"
#include "SeleccionAutomatica.h"

namespace brivo {

namespace {

constexpr int AnchoNodo = 300;
constexpr int AnchoNumero = 100;

} // namespace

TFormSeleccion::TFormSeleccion(const TAlmacen& a, const TNodo* nodoInicial, QWidget* padre)
    : QDialog(padre), almacen(a) {
    dialogos::PrepararDialogo(*this, "TFormSeleccion", QStringLiteral("Selección automática"),
                              Contexto);
    CrearTabla();
    CrearOpciones();
    Colocar();

    TFilaSeleccion primera;
    primera.Nodo = NodoSeleccionable(nodoInicial) ? nodoInicial : nullptr;
    ModeloFilas->Anadir(primera);
    IrAFila(0, TModeloFilasSeleccion::ColNodo);
    GridFilas->setFocus();
    dialogos::CentrarEnPantalla(*this);
}

void TFormSeleccion::CrearTabla() {
    ModeloFilas = new TModeloFilasSeleccion(this);
    GridFilas = new TVistaFilas(this);
    GridFilas->setObjectName(QStringLiteral("GridFilas"));
    GridFilas->setModel(ModeloFilas);
    GridFilas->PonerDelegado(new TDelegadoFilas(NodosSeleccionables(almacen.Arbol), GridFilas));
    GridFilas->setAccessibleName(QStringLiteral("Filas del examen"));
    GridFilas->setAccessibleDescription(
        QStringLiteral("Insertar añade una fila, Suprimir la quita, F2 edita la celda"));
    // Every heading is seen whole.
    QHeaderView* cabecera = GridFilas->horizontalHeader();
    cabecera->resizeSection(TModeloFilasSeleccion::ColNodo, AnchoNodo);
    int ancho = AnchoNodo;
    for (int c = TModeloFilasSeleccion::ColDesde; c < TModeloFilasSeleccion::NumColumnas; ++c) {
        cabecera->resizeSection(c, std::max(AnchoNumero, cabecera->sectionSizeHint(c) + 8));
        ancho += cabecera->sectionSize(c);
    }
    GridFilas->setMinimumSize(ancho + GridFilas->verticalHeader()->sizeHint().width() + 24, 160);
    LabFilas = new QLabel(QStringLiteral("&Filas del examen:"), this);
    LabFilas->setObjectName(QStringLiteral("LabFilas"));
    LabFilas->setBuddy(GridFilas);

    BAnadirFila = dialogos::Boton(this, "BAnadirFila", QStringLiteral("Aña&dir fila"));
    BQuitarFila = dialogos::Boton(this, "BQuitarFila", QStringLiteral("&Quitar fila"));
    connect(BAnadirFila, &QPushButton::clicked, this, &TFormSeleccion::BAnadirFilaClick);
    connect(BQuitarFila, &QPushButton::clicked, this, &TFormSeleccion::BQuitarFilaClick);
    connect(GridFilas, &TVistaFilas::InsertarPedido, this, &TFormSeleccion::BAnadirFilaClick);
    connect(GridFilas, &TVistaFilas::QuitarPedido, this, &TFormSeleccion::BQuitarFilaClick);
}

void TFormSeleccion::CrearOpciones() {
    CBNoUsadasDesde =
        dialogos::Casilla(this, "CBNoUsadasDesde", QStringLiteral("&No usadas desde"));
    DTPNoUsadasDesde = new QDateEdit(InicioDeCurso(QDate::currentDate()), this);
    DTPNoUsadasDesde->setObjectName(QStringLiteral("DTPNoUsadasDesde"));
    DTPNoUsadasDesde->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DTPNoUsadasDesde->setCalendarPopup(true);
    DTPNoUsadasDesde->setMinimumDate(QDate(1900, 1, 1));
    DTPNoUsadasDesde->setAccessibleName(QStringLiteral("No usadas desde"));
    DTPNoUsadasDesde->setEnabled(false);
    connect(CBNoUsadasDesde, &QCheckBox::toggled, DTPNoUsadasDesde, &QWidget::setEnabled);

    CBSimilitud =
        dialogos::Casilla(this, "CBSimilitud",
                          QStringLiteral("Como máximo una pregunta de cada &grupo de similitud"));
    CBSimilitud->setChecked(true);
    CBMenosUsadas =
        dialogos::Casilla(this, "CBMenosUsadas", QStringLiteral("Preferir las &menos usadas"));
    CBMenosUsadas->setChecked(true);

    EdSemilla = new QLineEdit(QString::number(NuevaSemilla()), this);
    EdSemilla->setObjectName(QStringLiteral("EdSemilla"));
    EdSemilla->setMaxLength(20);
    EdSemilla->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,20}")), EdSemilla));
    EdSemilla->setAccessibleDescription(
        QStringLiteral("La misma semilla vuelve a hacer la misma elección"));
    LabSemilla = new QLabel(QStringLiteral("&Semilla:"), this);
    LabSemilla->setObjectName(QStringLiteral("LabSemilla"));
    LabSemilla->setBuddy(EdSemilla);
    BNuevaSemilla = dialogos::Boton(this, "BNuevaSemilla", QStringLiteral("Nue&va semilla"));
    connect(BNuevaSemilla, &QPushButton::clicked, this, &TFormSeleccion::BNuevaSemillaClick);

    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    connect(BOK, &QPushButton::clicked, this, &TFormSeleccion::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, &TFormSeleccion::BAyudaClick);
}

void TFormSeleccion::Colocar() {
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabFilas);
    caja->addWidget(GridFilas, 1);
    auto* filas = new QHBoxLayout;
    filas->addWidget(BAnadirFila);
    filas->addWidget(BQuitarFila);
    filas->addStretch();
    caja->addLayout(filas);

    auto* fecha = new QHBoxLayout;
    fecha->addWidget(CBNoUsadasDesde);
    fecha->addWidget(DTPNoUsadasDesde);
    fecha->addStretch();
    caja->addLayout(fecha);
    caja->addWidget(CBSimilitud);
    caja->addWidget(CBMenosUsadas);
    auto* semilla = new QHBoxLayout;
    semilla->addWidget(LabSemilla);
    semilla->addWidget(EdSemilla);
    semilla->addWidget(BNuevaSemilla);
    semilla->addStretch();
    caja->addLayout(semilla);
    caja->addLayout(dialogos::FilaBotones({BOK, BCancelar, BAyuda}));

    setTabOrder(GridFilas, BAnadirFila);
    setTabOrder(BAnadirFila, BQuitarFila);
    setTabOrder(BQuitarFila, CBNoUsadasDesde);
    setTabOrder(CBNoUsadasDesde, DTPNoUsadasDesde);
    setTabOrder(DTPNoUsadasDesde, CBSimilitud);
    setTabOrder(CBSimilitud, CBMenosUsadas);
    setTabOrder(CBMenosUsadas, EdSemilla);
    setTabOrder(EdSemilla, BNuevaSemilla);
    setTabOrder(BNuevaSemilla, BOK);
    setTabOrder(BOK, BCancelar);
    setTabOrder(BCancelar, BAyuda);
}

const std::vector<TFilaSeleccion>& TFormSeleccion::Filas() const {
    return ModeloFilas->Filas();
}

TOpcionesSeleccion TFormSeleccion::Opciones() const {
    TOpcionesSeleccion o;
    const TLibro* libro = almacen.LibroActivoPtr();
    o.IdLibro = libro ? libro->Identificador : 0;
    if (CBNoUsadasDesde->isChecked())
        o.NoUsadasDesde = DTPNoUsadasDesde->date();
    o.UnaPorGrupo = CBSimilitud->isChecked();
    o.PreferirMenosUsadas = CBMenosUsadas->isChecked();
    LeerSemilla(EdSemilla->text(), o.Semilla);
    o.YaEnExamen = DocumentosDeListaExamen(almacen);
    return o;
}

void TFormSeleccion::IrAFila(int fila, int columna) {
    if (fila < 0 || fila >= ModeloFilas->rowCount())
        return;
    const QModelIndex i = ModeloFilas->index(fila, columna);
    GridFilas->setCurrentIndex(i);
    GridFilas->scrollTo(i);
}

void TFormSeleccion::BAnadirFilaClick() {
    GridFilas->TerminarEdicion();
    const int actual = GridFilas->currentIndex().isValid() ? GridFilas->currentIndex().row() : -1;
    TFilaSeleccion nueva;
    if (actual >= 0)
        nueva.Nodo = Filas()[static_cast<size_t>(actual)].Nodo;
    const int fila = ModeloFilas->Anadir(nueva, actual + 1);
    IrAFila(fila, TModeloFilasSeleccion::ColNodo);
    GridFilas->setFocus();
}

void TFormSeleccion::BQuitarFilaClick() {
    GridFilas->TerminarEdicion();
    const QModelIndex actual = GridFilas->currentIndex();
    if (!actual.isValid())
        return;
    ModeloFilas->Quitar(actual.row());
    IrAFila(std::min(actual.row(), ModeloFilas->rowCount() - 1), actual.column());
    GridFilas->setFocus();
}

void TFormSeleccion::BNuevaSemillaClick() {
    EdSemilla->setText(QString::number(NuevaSemilla()));
}

void TFormSeleccion::BAyudaClick() {
    ui::MostrarAyuda(this, Contexto);
}

void TFormSeleccion::BOKClick() {
    GridFilas->TerminarEdicion();
    const TFaltaFila falta = ComprobarFilas(Filas());
    if (falta.Hay()) {
        ui::Error(this, falta.Mensaje);
        IrAFila(falta.Fila, TModeloFilasSeleccion::ColNodo);
        GridFilas->setFocus();
        return;
    }
    const std::optional<std::uint64_t> semilla = dialogos::SemillaEscrita(this, EdSemilla);
    if (!semilla)
        return;
    TOpcionesSeleccion opciones = Opciones();
    opciones.Semilla = *semilla;
    TResultadoSeleccion eleccion = Seleccionar(almacen, Filas(), opciones);
    // Cancel in the report goes back to the rows.
    if (!ConfirmarSeleccion(this, Filas(), eleccion))
        return;
    resultado = std::move(eleccion);
    accept();
}

} // namespace brivo
