#include "Moodle.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "InformeDocumentos.h"
#include "InformesOficina.h"
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

void MostrarInformeMoodle(QWidget* padre, const QString& titulo, const QStringList& lineas,
                          ContextoAyuda contexto) {
    if (lineas.size() <= LineasInformeBreve) {
        ui::Informacion(padre, lineas.join(QStringLiteral("\r\n")));
        return;
    }
    MostrarInforme(padre, TInforme{titulo, lineas.first(), lineas.mid(1).join(QLatin1Char('\n'))},
                   contexto);
}

} // namespace brivo
