#include "AcercaDe.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "Recursos.h"
#include "TextosComunes.h"

namespace brivo {

QIcon IconoPrograma() {
    return recursos::IconoPrograma();
}

TAcercaDeBox::TAcercaDeBox(QWidget* padre, const QString& biblioteca, bool soloConsulta)
    : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TAcercaDeBox", QStringLiteral("Créditos"), std::nullopt);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(IconoPrograma().pixmap(48, 48));
    ProgramIcon->setAccessibleName(QStringLiteral("Icono del programa"));
    ProductName = new QLabel(QString::fromUtf8(textos::NombrePrograma), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont grande = ProductName->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 6);
    ProductName->setFont(grande);
    Version = new QLabel(QStringLiteral("Version 1.00"), this);
    Version->setObjectName(QStringLiteral("Version"));
    LabBiblioteca = new QLabel(this);
    LabBiblioteca->setObjectName(QStringLiteral("LabBiblioteca"));
    LabBiblioteca->setText(
        QStringLiteral("Biblioteca: ") + biblioteca +
        (soloConsulta ? QString::fromUtf8(textos::MarcaSoloConsulta) : QString()));
    LabBiblioteca->setTextFormat(Qt::PlainText);
    LabBiblioteca->setWordWrap(true);
    LabBiblioteca->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabBiblioteca->setVisible(!biblioteca.isEmpty());
    OKButton = dialogos::Boton(this, "OKButton", QStringLiteral("&OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* textos = new QVBoxLayout;
    textos->addWidget(ProductName);
    textos->addWidget(Version);
    textos->addWidget(LabBiblioteca);
    textos->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(ProgramIcon, 0, Qt::AlignTop);
    arriba->addSpacing(12);
    arriba->addLayout(textos);
    arriba->addStretch();
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(OKButton);
    botones->addStretch();
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(arriba);
    caja->addSpacing(10);
    caja->addLayout(botones);

    OKButton->setFocus();
    setFixedSize(sizeHint().expandedTo(QSize(280, 150)));
    dialogos::CentrarEnPantalla(*this);
}

void MostrarAcercaDe(QWidget* padre, const QString& biblioteca, bool soloConsulta) {
    TAcercaDeBox caja(padre, biblioteca, soloConsulta);
    ui::Ejecutar(caja);
}

} // namespace brivo
