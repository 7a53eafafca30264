#include "ProgresoDocumentos.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

TFormProgreso::TFormProgreso(QWidget* padre, const QString& titulo, ContextoAyuda contexto,
                             const QString& unidadDePaso)
    : QDialog(padre), unidad(unidadDePaso) {
    dialogos::PrepararDialogo(*this, "TFormProgreso", titulo, contexto);
    setWindowModality(Qt::WindowModal);
    LabPosicion = new QLabel(this);
    LabPosicion->setObjectName(QStringLiteral("LabPosicion"));
    LabPosicion->setTextFormat(Qt::PlainText);
    LabArchivo = new QLabel(this);
    LabArchivo->setObjectName(QStringLiteral("LabArchivo"));
    LabArchivo->setTextFormat(Qt::PlainText);
    LabArchivo->setWordWrap(true);
    LabArchivo->setMinimumWidth(420);
    Progreso = new QProgressBar(this);
    Progreso->setObjectName(QStringLiteral("Progreso"));
    Progreso->setAccessibleName(QStringLiteral("Progreso"));
    Progreso->setRange(0, 1);
    Progreso->setValue(0);
    BCancelar = dialogos::Boton(this, "BCancelar", QString::fromUtf8(textos::BotonCancelar));
    // Enter and Escape both stop the work, as in any progress window.
    BCancelar->setDefault(true);
    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    connect(BCancelar, &QPushButton::clicked, this, &TFormProgreso::reject);
    connect(BAyuda, &QPushButton::clicked, this,
            [this, contexto] { ui::MostrarAyuda(this, contexto); });

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabPosicion);
    caja->addWidget(LabArchivo);
    caja->addWidget(Progreso);
    caja->addLayout(dialogos::FilaBotones({BCancelar, BAyuda}));
}

bool TFormProgreso::Avanzar(int n, int total, const QString& nombre) {
    if (cancelado)
        return false;
    LabPosicion->setText(QStringLiteral("%1 %2 de %3").arg(unidad).arg(n).arg(total));
    LabArchivo->setText(nombre);
    // The label names the window for screen readers as the work goes on.
    Progreso->setAccessibleDescription(LabPosicion->text());
    Progreso->setRange(0, qMax(total, 1));
    Progreso->setValue(qBound(0, n - 1, qMax(total, 1)));
    if (!isVisible()) {
        show();
        BCancelar->setFocus();
    }
    QCoreApplication::processEvents();
    return !cancelado;
}

void TFormProgreso::reject() {
    cancelado = true;
    QDialog::reject();
}

} // namespace brivo
