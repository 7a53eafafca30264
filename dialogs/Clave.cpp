#include "Clave.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "VentanaPrincipal.h"

namespace brivo {

TClaveDialog::TClaveDialog(QWidget* padre) : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TClaveDialog", QStringLiteral("Identificador de libro"),
                              Contexto);

    Etiqueta = new QLabel(QStringLiteral("Escriba el identificador"), this);
    Etiqueta->setObjectName(QStringLiteral("Label1"));
    ClaveEdit = new QLineEdit(this);
    ClaveEdit->setObjectName(QStringLiteral("ClaveEdit"));
    ClaveEdit->setEchoMode(QLineEdit::Password);
    ClaveEdit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    ClaveEdit->setAccessibleName(QStringLiteral("Identificador"));
    Etiqueta->setBuddy(ClaveEdit);

    BOK = dialogos::Boton(this, "BOK", QStringLiteral("OK"));
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BOK);
    botones->addStretch();
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(Etiqueta);
    caja->addWidget(ClaveEdit);
    caja->addLayout(botones);

    ClaveEdit->setFocus();
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
    dialogos::CentrarEnPantalla(*this);
}

QString TClaveDialog::Clave() const {
    return ClaveEdit->text();
}

bool PedirIdentificador(IVentanaPrincipal& ventana) {
    TAlmacen& a = ventana.Almacen();
    if (!a.LibroActivoValido())
        return false;
    const QString identificador = QString::number(a.Libros[a.LibroActivo].Identificador);
    for (int intento = 1; intento <= 3; ++intento) {
        QString texto;
        {
            TClaveDialog dialogo(ventana.Ventana());
            // However the prompt was closed, what was typed is the try.
            ui::Ejecutar(dialogo);
            texto = dialogo.Clave();
        }
        if (texto == identificador)
            return true;
        ui::Informacion(ventana.Ventana(), QStringLiteral("Clave errónea."));
    }
    return false;
}

} // namespace brivo
