#include "importar.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "VentanaPrincipal.h"

namespace brivo {

TFormImportar::TFormImportar(IVentanaPrincipal& v, QWidget* padre) : QDialog(padre), ventana(v) {
    dialogos::PrepararDialogo(*this, "TFormImportar", QStringLiteral("Importar libro"),
                              ContextoAyuda);

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

    MajorStat = new QProgressBar(this);
    MajorStat->setObjectName(QStringLiteral("MajorStat"));
    MinorStat = new QProgressBar(this);
    MinorStat->setObjectName(QStringLiteral("MinorStat"));
    for (QProgressBar* g : {MajorStat, MinorStat}) {
        g->setRange(0, 100);
        g->setValue(0);
    }
    ProgressText = new QLabel(this);
    ProgressText->setObjectName(QStringLiteral("ProgressText"));
    ProgressText->setTextFormat(Qt::PlainText);

    BCopiar = dialogos::Boton(this, "BCopiar", QStringLiteral("&Importar"));
    BCopiar->setDefault(true);
    BCancelar = dialogos::Boton(this, "BCancelar", QStringLiteral("&Cancelar"));
    BAyuda = dialogos::Boton(this, "BAyuda", QStringLiteral("&Ayuda"));
    connect(BExplorar, &QPushButton::clicked, this, &TFormImportar::BExplorarClick);
    connect(BCopiar, &QPushButton::clicked, this, &TFormImportar::BCopiarClick);
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, ContextoAyuda); });

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(LabArchivo, 0, 0);
    rejilla->addWidget(EdArchivo, 0, 1);
    rejilla->addWidget(BExplorar, 0, 2);
    rejilla->addWidget(LabClave, 1, 0);
    rejilla->addWidget(EdClave, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BCopiar);
    botones->addWidget(BCancelar);
    botones->addWidget(BAyuda);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(rejilla);
    caja->addWidget(MajorStat);
    caja->addWidget(MinorStat);
    caja->addWidget(ProgressText);
    caja->addLayout(botones);

    EdArchivo->setFocus();
    resize(520, sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

void TFormImportar::BExplorarClick() {
    const QString archivo = ui::ArchivoParaAbrir(this, QStringLiteral("Exportar desde archivo"),
                                                 CarpetaBak(ventana.Almacen()), FiltroPaquetes());
    if (!archivo.isEmpty())
        EdArchivo->setText(archivo);
}

void TFormImportar::BCopiarClick() {
    if (ocupado)
        return;
    TOpcionesImportacion opciones;
    opciones.Progreso.Mayor = [this](const QString& i, int p, bool& c) { ProgresoMayor(i, p, c); };
    opciones.Progreso.Menor = [this](const QString& i, int p, bool& c) { ProgresoMenor(i, p, c); };
    opciones.AnadirNodo = AnadirNodo;
    opciones.ArbolTemp = &ArbolTemp;
    {
        struct Trabajando {
            TFormImportar* f;
            explicit Trabajando(TFormImportar* d) : f(d) { Poner(true); }
            ~Trabajando() { Poner(false); }
            void Poner(bool si) {
                f->ocupado = si;
                for (QPushButton* b : {f->BExplorar, f->BCopiar, f->BCancelar})
                    b->setEnabled(!si);
            }
        } trabajando(this);
        Resultado = ImportarPaquete(ventana, EdArchivo->text(), EdClave->text(), opciones, this);
    }
    accept();
}

void TFormImportar::ProgresoMayor(const QString&, int porcentaje, bool& cancelar) {
    cancelar = false;
    MajorStat->setValue(qBound(0, porcentaje, 100));
    QCoreApplication::processEvents();
}

void TFormImportar::ProgresoMenor(const QString& item, int porcentaje, bool& cancelar) {
    cancelar = false;
    MinorStat->setValue(qBound(0, porcentaje, 100));
    ProgressText->setText(item);
    QCoreApplication::processEvents();
}

void TFormImportar::reject() {
    if (!ocupado)
        QDialog::reject();
}

void ImportarLibro(IVentanaPrincipal& ventana, TAnadirNodo anadirNodo) {
    TFormImportar dialogo(ventana, ventana.Ventana());
    dialogo.AnadirNodo = std::move(anadirNodo);
    ui::Ejecutar(dialogo);
}

} // namespace brivo
