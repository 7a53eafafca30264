#include "eliminar.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Almacen.h"
#include "Clave.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "PropLibro.h"
#include "TextosComunes.h"
#include "VentanaPrincipal.h"

namespace brivo {

TFormEliminarLibro::TFormEliminarLibro(IVentanaPrincipal& v, QWidget* padre)
    : QDialog(padre), ventana(v) {
    dialogos::PrepararDialogo(*this, "TFormEliminarLibro", QStringLiteral("Eliminar libro"),
                              Contexto);

    LabAtencion = new QLabel(QStringLiteral("¡ATENCIÓN!"), this);
    LabAtencion->setObjectName(QStringLiteral("LabAtencion"));
    QFont grande = LabAtencion->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 4);
    LabAtencion->setFont(grande);
    LabAtencion->setStyleSheet(QStringLiteral("color: #b00000;"));
    Label1 = new QLabel(QStringLiteral("Está a punto de eliminar el libro."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    LabLibro = new QLabel(this);
    LabLibro->setObjectName(QStringLiteral("LabLibro"));
    QFont negrita = LabLibro->font();
    negrita.setBold(true);
    LabLibro->setFont(negrita);
    LabLibro->setTextFormat(Qt::PlainText);
    LabLibro->setWordWrap(true);
    Label2 =
        new QLabel(QStringLiteral("Si quiere tener la posibilidad de reutilizarlo en el futuro, "
                                  "debe exportarlo antes de eliminarlo"),
                   this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    BExportar = dialogos::Boton(this, "BExportar", QString::fromUtf8(textos::ExportarLibro));
    BCancelar = dialogos::Boton(this, "BCancelar", QString::fromUtf8(textos::BotonCancelar));
    BCancelar->setDefault(true); // Enter never deletes by accident
    BEliminar = dialogos::Boton(this, "BEliminar", QString::fromUtf8(textos::EliminarLibro));
    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    connect(BExportar, &QPushButton::clicked, this, &TFormEliminarLibro::BExportarClick);
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BEliminar, &QPushButton::clicked, this, &TFormEliminarLibro::BEliminarClick);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, Contexto); });

    auto* botones = new QHBoxLayout;
    botones->addWidget(BExportar);
    botones->addStretch();
    botones->addWidget(BCancelar);
    botones->addWidget(BEliminar);
    botones->addWidget(BAyuda);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabAtencion, 0, Qt::AlignHCenter);
    caja->addWidget(Label1);
    caja->addWidget(LabLibro);
    caja->addWidget(Label2);
    caja->addSpacing(8);
    caja->addLayout(botones);

    FormCreate();
    BCancelar->setFocus();
    resize(460, sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

void TFormEliminarLibro::FormCreate() {
    const TAlmacen& a = ventana.Almacen();
    const TLibro* libro = a.LibroActivoPtr();
    LabLibro->setText(libro ? libro->Titulo.Texto() : QString());
}

void TFormEliminarLibro::BExportarClick() {
    if (PedirIdentificador(ventana) && AlExportar)
        AlExportar();
}

void TFormEliminarLibro::BEliminarClick() {
    if (ventana.EditorAbierto())
        ventana.CerrarDocumento();
    BorrarLibro(ventana);
    accept();
}

bool EliminarLibro(IVentanaPrincipal& ventana, std::function<void()> alExportar) {
    TFormEliminarLibro dialogo(ventana, ventana.Ventana());
    dialogo.AlExportar = std::move(alExportar);
    return ui::Ejecutar(dialogo) == QDialog::Accepted;
}

} // namespace brivo
