#include "FormPaquete.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

QProgressBar* Indicador(QWidget* padre, const char* nombre) {
    auto* g = new QProgressBar(padre);
    g->setObjectName(QString::fromLatin1(nombre));
    g->setRange(0, 100);
    g->setValue(0);
    return g;
}

} // namespace

TFormPaquete::TFormPaquete(IVentanaPrincipal& v, QWidget* padre, const char* nombreClase,
                           const QString& titulo, ContextoAyuda contexto)
    : QDialog(padre), ventana(v), contextoAyuda(contexto) {
    dialogos::PrepararDialogo(*this, nombreClase, titulo, contextoAyuda);

    EdArchivo = new QLineEdit(this);
    EdArchivo->setObjectName(QStringLiteral("EdArchivo"));
    LabArchivo = new QLabel(QStringLiteral("Nombre del archivo:"), this);
    LabArchivo->setObjectName(QStringLiteral("LabArchivo"));
    LabArchivo->setBuddy(EdArchivo);
    BExplorar = dialogos::Boton(this, "BExplorar", QStringLiteral("Explorar"));
    EdClave = new QLineEdit(this);
    EdClave->setObjectName(QStringLiteral("EdClave"));
    LabClave = new QLabel(QStringLiteral("Clave:"), this);
    LabClave->setObjectName(QStringLiteral("LabClave"));
    LabClave->setBuddy(EdClave);
}

void TFormPaquete::Completar(std::initializer_list<QWidget*> medio, const QString& textoCopiar,
                             const QString& textoCancelar) {
    MajorStat = Indicador(this, "MajorStat");
    MinorStat = Indicador(this, "MinorStat");
    ProgressText = new QLabel(this);
    ProgressText->setObjectName(QStringLiteral("ProgressText"));
    ProgressText->setTextFormat(Qt::PlainText);

    BCopiar = dialogos::Boton(this, "BCopiar", textoCopiar);
    BCopiar->setDefault(true);
    BCancelar = dialogos::Boton(this, "BCancelar", textoCancelar);
    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    connect(BExplorar, &QPushButton::clicked, this, [this] { BExplorarClick(); });
    connect(BCopiar, &QPushButton::clicked, this, [this] { BCopiarClick(); });
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, contextoAyuda); });

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(LabArchivo, 0, 0);
    rejilla->addWidget(EdArchivo, 0, 1);
    rejilla->addWidget(BExplorar, 0, 2);
    rejilla->addWidget(LabClave, 1, 0);
    rejilla->addWidget(EdClave, 1, 1);
    auto* botones = dialogos::FilaBotones({BCopiar, BCancelar, BAyuda});
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(rejilla);
    for (QWidget* w : medio)
        caja->addWidget(w);
    caja->addWidget(MajorStat);
    caja->addWidget(MinorStat);
    caja->addWidget(ProgressText);
    caja->addLayout(botones);
}

void TFormPaquete::PonerOcupado(bool si) {
    ocupado = si;
    for (QPushButton* b : {BExplorar, BCopiar, BCancelar})
        b->setEnabled(!si);
}

TFormPaquete::TTrabajando::TTrabajando(TFormPaquete& f) : dialogo(f) {
    dialogo.PonerOcupado(true);
}

TFormPaquete::TTrabajando::~TTrabajando() {
    dialogo.PonerOcupado(false);
}

void TFormPaquete::ProgresoMayor(const QString&, int porcentaje, bool& cancelar) {
    cancelar = false;
    MajorStat->setValue(qBound(0, porcentaje, 100));
    QCoreApplication::processEvents();
}

void TFormPaquete::ProgresoMenor(const QString& item, int porcentaje, bool& cancelar) {
    cancelar = false;
    MinorStat->setValue(qBound(0, porcentaje, 100));
    ProgressText->setText(item);
    QCoreApplication::processEvents();
}

void TFormPaquete::reject() {
    if (!ocupado)
        QDialog::reject();
}

} // namespace brivo
