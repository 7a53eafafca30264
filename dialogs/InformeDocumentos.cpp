#include "InformeDocumentos.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

TFormInforme::TFormInforme(QWidget* padre, const TInforme& informe, ContextoAyuda contexto)
    : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TFormInforme", informe.Titulo, contexto);
    LabResumen = new QLabel(informe.Resumen, this);
    LabResumen->setObjectName(QStringLiteral("LabResumen"));
    LabResumen->setTextFormat(Qt::PlainText);
    LabResumen->setWordWrap(true);
    LabResumen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    MemoDetalle = new QPlainTextEdit(this);
    MemoDetalle->setObjectName(QStringLiteral("MemoDetalle"));
    MemoDetalle->setReadOnly(true);
    MemoDetalle->setPlainText(informe.Detalle);
    MemoDetalle->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the buttons instead of staying in the text.
    MemoDetalle->setTabChangesFocus(true);
    MemoDetalle->setAccessibleDescription(informe.Resumen);
    LabDetalle = new QLabel(QStringLiteral("&Detalle:"), this);
    LabDetalle->setObjectName(QStringLiteral("LabDetalle"));
    LabDetalle->setBuddy(MemoDetalle);
    BCerrar = dialogos::Boton(this, "BCerrar", QStringLiteral("C&errar"));
    BCerrar->setDefault(true);
    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    connect(BCerrar, &QPushButton::clicked, this, &QDialog::accept);
    connect(BAyuda, &QPushButton::clicked, this,
            [this, contexto] { ui::MostrarAyuda(this, contexto); });

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabResumen);
    caja->addWidget(LabDetalle);
    caja->addWidget(MemoDetalle, 1);
    caja->addLayout(dialogos::FilaBotones({BCerrar, BAyuda}));
    // Without a detail there is only the summary to read.
    LabDetalle->setVisible(!informe.Detalle.isEmpty());
    MemoDetalle->setVisible(!informe.Detalle.isEmpty());
    resize(640, informe.Detalle.isEmpty() ? sizeHint().height() : 420);
    BCerrar->setFocus();
}

void MostrarInforme(QWidget* padre, const TInforme& informe, ContextoAyuda contexto) {
    TFormInforme dialogo(padre, informe, contexto);
    ui::Ejecutar(dialogo);
}

} // namespace brivo
