#include "PropPreg.h"

#include <climits>

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTime>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"
#include "VentanaPrincipal.h"

namespace brivo {

namespace {

constexpr int AltoControl = 21;
constexpr int AltoEtiqueta = 17;

// The value shown by the date pickers until a record fills them.
QDate FechaDeDiseno() {
    return QDate(1900, 1, 1);
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, QWidget* companero,
                 const QRect& zona) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setGeometry(zona);
    if (companero) {
        l->setBuddy(companero);
        QString accesible = texto;
        if (accesible.endsWith(QLatin1Char(':')))
            accesible.chop(1);
        companero->setAccessibleName(accesible);
    }
    return l;
}

QLabel* Valor(QWidget* padre, const char* nombre, const QString& descripcion, const QRect& zona) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setAccessibleName(descripcion);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    l->setGeometry(zona);
    return l;
}

// A value label shows its value and says it with its name to a screen
// reader ("Materia: Historia"): a label with a name of its own would only
// say the name.
void PonerValor(QLabel* etiqueta, const QString& nombre, const QString& valor) {
    etiqueta->setText(valor);
    etiqueta->setAccessibleName(valor.isEmpty() ? nombre : nombre + QStringLiteral(": ") + valor);
}

QSpinBox* Giro(QWidget* padre, const char* nombre, const QRect& zona) {
    auto* s = new QSpinBox(padre);
    s->setObjectName(QString::fromLatin1(nombre));
    // Any integer: negative values and values above 9 included.
    s->setRange(INT_MIN, INT_MAX);
    s->setGeometry(zona);
    return s;
}

QDateEdit* Fecha(QWidget* padre, const char* nombre, const QRect& zona) {
    auto* d = new QDateEdit(padre);
    d->setObjectName(QString::fromLatin1(nombre));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->setMinimumDate(QDate(100, 1, 1));
    d->setDate(FechaDeDiseno());
    d->setGeometry(zona);
    return d;
}

// The integer a spin box shows; a text that is not an integer gives 0.
int ValorDeGiro(const QSpinBox* giro) {
    bool ok = false;
    const int v = giro->cleanText().trimmed().toInt(&ok);
    return ok ? v : 0;
}

} // namespace

const QStringList& ItemsTipoDocumento() {
    static const QStringList items = [] {
        QStringList r;
        for (const char* nombre : textos::NombresTipo)
            r << QString::fromLatin1(nombre);
        return r;
    }();
    return items;
}

bool LeerFecha(const QString& texto, QDate& fecha) {
    // Day/month/year with one or two digits for day and month and two or
    // four for the year, then an optional time.
    static const QRegularExpression forma(QStringLiteral(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{1,4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch m = forma.match(texto);
    if (!m.hasMatch())
        return false;
    const int dia = m.captured(1).toInt();
    const int mes = m.captured(2).toInt();
    int anio = m.captured(3).toInt();
    if (m.captured(3).size() <= 2)
        anio += QDate::currentDate().year() / 100 * 100; // two-digit years: this century
    if (!m.captured(4).isEmpty()) {
        const int s = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
        if (!QTime::isValid(m.captured(4).toInt(), m.captured(5).toInt(), s))
            return false;
    }
    if (anio < 1 || !QDate::isValid(anio, mes, dia))
        return false;
    fecha = QDate(anio, mes, dia);
    return true;
}

TFormPropPreg::TFormPropPreg(IVentanaPrincipal& v, QWidget* padre) : QDialog(padre), ventana(v) {
    dialogos::PrepararDialogo(*this, "TFormPropPreg", QStringLiteral("Propiedades"), Contexto);
    setFixedSize(Ancho, Alto);
    // The fixed client area is laid out for a small dialog font.
    QFont letra = font();
    letra.setPointSize(8);
    setFont(letra);

    // Where the document is filed.
    LabelMateria =
        Valor(this, "LabelMateria", QStringLiteral("Materia"), {88, 8, 325, AltoEtiqueta});
    LabelTema = Valor(this, "LabelTema", QStringLiteral("Tema"), {88, 26, 325, AltoEtiqueta});
    LabelContenido =
        Valor(this, "LabelContenido", QStringLiteral("Contenido"), {88, 44, 325, AltoEtiqueta});
    // Each caption labels its value for a screen reader (the value keeps
    // the accessible name that PonerValor gives it).
    Etiqueta(this, "Label1", QStringLiteral("Materia:"), nullptr, {8, 8, 78, AltoEtiqueta})
        ->setBuddy(LabelMateria);
    Etiqueta(this, "Label2", QStringLiteral("Tema:"), nullptr, {8, 26, 78, AltoEtiqueta})
        ->setBuddy(LabelTema);
    Etiqueta(this, "Label3", QStringLiteral("Contenido:"), nullptr, {8, 44, 78, AltoEtiqueta})
        ->setBuddy(LabelContenido);

    EditDescrip = new QLineEdit(this);
    EditDescrip->setObjectName(QStringLiteral("EditDescrip"));
    EditDescrip->setMaxLength(100);
    EditDescrip->setGeometry(88, 68, 325, AltoControl);
    Etiqueta(this, "Label4", QStringLiteral("Descripción:"), EditDescrip,
             {8, 70, 78, AltoEtiqueta});

    CrearColumnaIzquierda();
    CrearColumnaDerecha();

    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    BOK->setGeometry(176, 222, 75, 25);
    BCancelar->setGeometry(257, 222, 75, 25);
    BAyuda->setGeometry(338, 222, 75, 25);
    connect(BOK, &QPushButton::clicked, this, &TFormPropPreg::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, &TFormPropPreg::BAyudaClick);

    setTabOrder(EditDescrip, SpinEditDific);
    setTabOrder(SpinEditDific, EditPuntos);
    setTabOrder(EditPuntos, ComboBoxTipo);
    setTabOrder(ComboBoxTipo, EditResp);
    setTabOrder(EditResp, SpinEditSimil);
    setTabOrder(SpinEditSimil, DTPCreada);
    setTabOrder(DTPCreada, DTPUsada);
    setTabOrder(DTPUsada, BOK);
    setTabOrder(BOK, BCancelar);
    setTabOrder(BCancelar, BAyuda);
    EditDescrip->setFocus();
    dialogos::CentrarEnPantalla(*this);

    FormActivate();
}

// Left column: difficulty, points, type, answer.
void TFormPropPreg::CrearColumnaIzquierda() {
    SpinEditDific = Giro(this, "SpinEditDific", {118, 100, 84, AltoControl});
    Etiqueta(this, "Label5", QStringLiteral("Dificultad:"), SpinEditDific,
             {8, 102, 108, AltoEtiqueta});
    EditPuntos = new QLineEdit(this);
    EditPuntos->setObjectName(QStringLiteral("EditPuntos"));
    EditPuntos->setGeometry(118, 126, 84, AltoControl);
    Etiqueta(this, "Label6", QStringLiteral("Puntuación:"), EditPuntos,
             {8, 128, 108, AltoEtiqueta});
    ComboBoxTipo = new QComboBox(this);
    ComboBoxTipo->setObjectName(QStringLiteral("ComboBoxTipo"));
    ComboBoxTipo->addItems(ItemsTipoDocumento());
    ComboBoxTipo->setMaxVisibleItems(4);
    ComboBoxTipo->setGeometry(118, 152, 84, AltoControl);
    Etiqueta(this, "Label7", QStringLiteral("Tipo:"), ComboBoxTipo, {8, 154, 108, AltoEtiqueta});
    EditResp = new QLineEdit(this);
    EditResp->setObjectName(QStringLiteral("EditResp"));
    EditResp->setGeometry(118, 178, 84, AltoControl);
    Etiqueta(this, "Label8", QStringLiteral("Respuesta:"), EditResp, {8, 180, 108, AltoEtiqueta});
}

// Right column: similarity, uses, dates.
void TFormPropPreg::CrearColumnaDerecha() {
    SpinEditSimil = Giro(this, "SpinEditSimil", {322, 100, 91, AltoControl});
    Etiqueta(this, "Label9", QStringLiteral("Similitud:"), SpinEditSimil,
             {212, 102, 108, AltoEtiqueta});
    LabelUsos =
        Valor(this, "LabelUsos", QStringLiteral("Nº de veces usada"), {322, 128, 91, AltoEtiqueta});
    PonerValor(LabelUsos, QStringLiteral("Nº de veces usada"), QStringLiteral("-"));
    Etiqueta(this, "Label10", QStringLiteral("Nº de veces usada:"), nullptr,
             {212, 128, 108, AltoEtiqueta})
        ->setBuddy(LabelUsos);
    DTPCreada = Fecha(this, "DTPCreada", {322, 152, 91, AltoControl});
    Etiqueta(this, "Label11", QStringLiteral("Fecha de creación:"), DTPCreada,
             {212, 154, 108, AltoEtiqueta});
    DTPUsada = Fecha(this, "DTPUsada", {322, 178, 91, AltoControl});
    Etiqueta(this, "Label12", QStringLiteral("Fecha último uso:"), DTPUsada,
             {212, 180, 108, AltoEtiqueta});
}

void TFormPropPreg::FormActivate() {
    const TAlmacen& a = ventana.Almacen();
    documento = a.DocActual;
    if (documento < 1 || documento > MaxDocumentos)
        return;
    const TDocumento& d = a.Documentos[static_cast<size_t>(documento)];

    QString materia, tema, contenido;
    a.Arbol.NombresDeLugar({d.IdMateria, d.IdTema, d.IdContenido}, materia, tema, contenido);
    PonerValor(LabelMateria, QStringLiteral("Materia"), materia);
    PonerValor(LabelTema, QStringLiteral("Tema"), tema);
    PonerValor(LabelContenido, QStringLiteral("Contenido"), contenido);

    EditDescrip->setText(d.Descripcion.Texto());
    SpinEditDific->setValue(d.Dificultad);
    EditPuntos->setText(NumeroCorto(d.Puntos));
    ComboBoxTipo->setCurrentIndex(d.Tipo >= 0 && d.Tipo < ComboBoxTipo->count() ? d.Tipo : -1);
    EditResp->setText(d.Respuesta.Texto());
    SpinEditSimil->setValue(d.Similitud);
    PonerValor(LabelUsos, QStringLiteral("Nº de veces usada"), QString::number(d.Usos));

    // The first date that cannot be read stops the filling there.
    const struct {
        QString texto;
        QDateEdit* control;
    } fechas[] = {{d.FechaCreacion.Texto(), DTPCreada}, {d.FechaUso.Texto(), DTPUsada}};
    for (const auto& f : fechas) {
        QDate fecha;
        if (!LeerFecha(f.texto, fecha)) {
            ui::Error(this, QStringLiteral("'%1' no es una fecha válida").arg(f.texto));
            return;
        }
        f.control->setDate(fecha);
    }
}

void TFormPropPreg::BOKClick() {
    TAlmacen& a = ventana.Almacen();
    if (documento < 1 || documento > MaxDocumentos) {
        accept();
        return;
    }
    TDocumento& d = a.Documentos[static_cast<size_t>(documento)];

    d.Descripcion.Asignar(EditDescrip->text().left(100));
    d.Dificultad = ValorDeGiro(SpinEditDific);
    double puntos = 0.0;
    if (!LeerNumero(EditPuntos->text(), puntos)) {
        // The later fields keep their values; the dialog closes.
        ui::Error(
            this,
            QStringLiteral("'%1' no es un valor punto flotante válido").arg(EditPuntos->text()));
        accept();
        return;
    }
    d.Puntos = puntos;
    // With no item selected (a stored type outside the items) the type stays.
    if (ComboBoxTipo->currentIndex() >= 0)
        d.Tipo = ComboBoxTipo->currentIndex();
    d.Respuesta.Asignar(EditResp->text().left(10));
    d.Similitud = ValorDeGiro(SpinEditSimil);
    bool ok = false;
    const int usos = LabelUsos->text().toInt(&ok);
    if (ok)
        d.Usos = usos;
    d.FechaCreacion.Asignar(FechaCorta(DTPCreada->date()).left(10));
    d.FechaUso.Asignar(FechaCorta(DTPUsada->date()).left(10));
    accept();
}

void TFormPropPreg::BAyudaClick() {
    ui::MostrarAyuda(this, Contexto);
}

bool PropiedadesDocumento(IVentanaPrincipal& ventana) {
    const TAlmacen& a = ventana.Almacen();
    const int doc = a.DocActual;
    if (doc < 1 || doc > MaxDocumentos || !a.Documentos[static_cast<size_t>(doc)].Usado())
        return false;
    TFormPropPreg dialogo(ventana, ventana.Ventana());
    ui::Ejecutar(dialogo);
    return true;
}

} // namespace brivo
