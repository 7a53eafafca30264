#include "AcercaDe.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

QPixmap Emblema(int lado) {
    QPixmap imagen(lado, lado);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath fondo;
    fondo.addRoundedRect(QRectF(1, 1, lado - 2, lado - 2), lado / 6.0, lado / 6.0);
    QLinearGradient degradado(0, 0, 0, lado);
    degradado.setColorAt(0, QColor(40, 90, 170));
    degradado.setColorAt(1, QColor(15, 45, 110));
    p.fillPath(fondo, degradado);
    // An open book drawn as two pages.
    p.setPen(QPen(Qt::white, lado / 24.0));
    const qreal m = lado / 2.0;
    p.drawLine(QPointF(m, lado * 0.30), QPointF(m, lado * 0.80));
    p.drawLine(QPointF(m, lado * 0.30), QPointF(lado * 0.16, lado * 0.24));
    p.drawLine(QPointF(m, lado * 0.30), QPointF(lado * 0.84, lado * 0.24));
    p.drawLine(QPointF(lado * 0.16, lado * 0.24), QPointF(lado * 0.16, lado * 0.74));
    p.drawLine(QPointF(lado * 0.84, lado * 0.24), QPointF(lado * 0.84, lado * 0.74));
    p.drawLine(QPointF(lado * 0.16, lado * 0.74), QPointF(m, lado * 0.80));
    p.drawLine(QPointF(lado * 0.84, lado * 0.74), QPointF(m, lado * 0.80));
    QFont letra(QStringLiteral("Sans Serif"));
    letra.setBold(true);
    letra.setPixelSize(lado / 4);
    p.setFont(letra);
    p.drawText(QRectF(lado * 0.52, lado * 0.30, lado * 0.32, lado * 0.42), Qt::AlignCenter,
               QStringLiteral("II"));
    return imagen;
}

} // namespace

QIcon IconoPrograma() {
    const QIcon icono = QApplication::windowIcon();
    if (!icono.isNull() && !icono.availableSizes().isEmpty())
        return icono;
    QIcon dibujado;
    for (int lado : {16, 24, 32, 48, 64})
        dibujado.addPixmap(Emblema(lado));
    return dibujado;
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
