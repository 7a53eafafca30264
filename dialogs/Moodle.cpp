#include "Moodle.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "Texto.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

QString Preguntas(int n) {
    return SegunCantidad(n, QStringLiteral("1 pregunta"), QStringLiteral("%1 preguntas").arg(n));
}

} // namespace

// ---------------------------------------------------------------------------
// The choice of questions

TFormExportarMoodle::TFormExportarMoodle(int preguntasLibro, const QString& nodo, int preguntasNodo,
                                         QWidget* padre)
    : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TFormExportarMoodle", QStringLiteral("Exportar a Moodle"),
                              Contexto);

    PanelAlcance = new QGroupBox(QStringLiteral("Preguntas que se exportan"), this);
    PanelAlcance->setObjectName(QStringLiteral("PanelAlcance"));
    RBLibro = new QRadioButton(QStringLiteral("&Todo el libro (%1)").arg(Preguntas(preguntasLibro)),
                               PanelAlcance);
    RBLibro->setObjectName(QStringLiteral("RBLibro"));
    // The node's name is the user's text: an "&" in it is shown, not an accelerator.
    QString nombre = nodo.trimmed();
    nombre.replace(QLatin1Char('&'), QStringLiteral("&&"));
    RBNodo = new QRadioButton(QStringLiteral("&Sólo el nodo seleccionado: «%1» (%2)")
                                  .arg(nombre, Preguntas(preguntasNodo)),
                              PanelAlcance);
    RBNodo->setObjectName(QStringLiteral("RBNodo"));
    grupo = new QButtonGroup(this);
    grupo->addButton(RBLibro);
    grupo->addButton(RBNodo);
    RBLibro->setChecked(true);
    auto* opciones = new QVBoxLayout(PanelAlcance);
    opciones->addWidget(RBLibro);
    opciones->addWidget(RBNodo);

    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, Contexto); });

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(PanelAlcance);
    caja->addLayout(dialogos::FilaBotones({BOK, BCancelar, BAyuda}));

    RBLibro->setFocus();
    resize(qMax(420, sizeHint().width()), sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

bool TFormExportarMoodle::SoloNodo() const {
    return RBNodo->isChecked();
}

// ---------------------------------------------------------------------------
// Progress

TFormProgresoMoodle::TFormProgresoMoodle(const QString& titulo, ContextoAyuda contexto,
                                         QWidget* padre)
    : QProgressDialog(padre) {
    dialogos::PrepararDialogo(*this, "TFormProgresoMoodle", titulo, contexto);
    LabProgreso = new QLabel(this);
    LabProgreso->setObjectName(QStringLiteral("LabProgreso"));
    LabProgreso->setMinimumWidth(360);
    setLabel(LabProgreso);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setAccessibleName(QStringLiteral("Progreso"));
    setBar(ProgressBar);
    BCancelar = dialogos::Boton(this, "BCancelar", QString::fromUtf8(textos::BotonCancelar));
    // Without a button first: the default button's Escape shortcut goes with
    // it, so that Escape is not bound twice (and then ambiguous) once ours
    // is set.
    setCancelButton(nullptr);
    setCancelButton(BCancelar);
    // Modal to the main window: while the work lets events through, no
    // other command can start.
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setRange(0, 1);
    setValue(0);
}

bool TFormProgresoMoodle::Avanzar(int hechos, int total, const QString& texto) {
    if (maximum() != qMax(total, 1))
        setMaximum(qMax(total, 1));
    setLabelText(texto);
    setValue(qBound(0, hechos, maximum()));
    QCoreApplication::processEvents();
    return !wasCanceled();
}

void TFormProgresoMoodle::reject() {
    cancel();
}

// ---------------------------------------------------------------------------
// The report

TFormInformeMoodle::TFormInformeMoodle(const QString& titulo, const QStringList& lineas,
                                       ContextoAyuda contexto, QWidget* padre)
    : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TFormInformeMoodle", titulo, contexto);
    LabInforme = new QLabel(QStringLiteral("&Informe:"), this);
    LabInforme->setObjectName(QStringLiteral("LabInforme"));
    EdInforme = new QPlainTextEdit(this);
    EdInforme->setObjectName(QStringLiteral("EdInforme"));
    EdInforme->setAccessibleName(QStringLiteral("Informe"));
    EdInforme->setReadOnly(true);
    // Read and selected from the keyboard too; Tab goes on to the buttons.
    EdInforme->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    EdInforme->setTabChangesFocus(true);
    EdInforme->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    EdInforme->setPlainText(lineas.join(QLatin1Char('\n')));
    LabInforme->setBuddy(EdInforme);

    // The default button: Enter presses it ("&Ayuda" has the "A").
    BOK = dialogos::Boton(this, "BOK", QString::fromUtf8(textos::Aceptar));
    BOK->setDefault(true);
    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BAyuda, &QPushButton::clicked, this,
            [this, contexto] { ui::MostrarAyuda(this, contexto); });

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabInforme);
    caja->addWidget(EdInforme);
    caja->addLayout(dialogos::FilaBotones({BOK, BAyuda}));

    EdInforme->setFocus();
    setMinimumSize(560, 340);
    dialogos::CentrarEnPantalla(*this);
}

void MostrarInformeMoodle(QWidget* padre, const QString& titulo, const QStringList& lineas,
                          ContextoAyuda contexto) {
    if (lineas.size() <= LineasInformeBreve) {
        ui::Informacion(padre, lineas.join(QStringLiteral("\r\n")));
        return;
    }
    TFormInformeMoodle informe(titulo, lineas, contexto, padre);
    ui::Ejecutar(informe);
}

} // namespace brivo
