#include "ClaveExportacion.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ComunDialogos.h"
#include "ExportarDocumento.h"
#include "Interaccion.h"

namespace brivo {

TFormClaveExportacion::TFormClaveExportacion(QWidget* padre, word::FormatoExportacion formato)
    : QDialog(padre) {
    dialogos::PrepararDialogo(*this, "TFormClaveExportacion",
                              QStringLiteral("Contraseña del documento"), Contexto);
    const QString tipo = formato == word::FormatoExportacion::Doc
                             ? QStringLiteral("Word 97–2003 (.doc)")
                             : QStringLiteral("Word 2007+ (.docx)");
    LabExplicacion = new QLabel(QStringLiteral("El archivo %1 puede protegerse con una "
                                               "contraseña: hará falta para abrirlo.")
                                    .arg(tipo),
                                this);
    LabExplicacion->setObjectName(QStringLiteral("LabExplicacion"));
    LabExplicacion->setWordWrap(true);
    CBProteger = dialogos::Casilla(this, "CBProteger", QStringLiteral("&Proteger con contraseña"));
    EdClave = new QLineEdit(this);
    EdClave->setObjectName(QStringLiteral("EdClave"));
    EdClave->setEchoMode(QLineEdit::Password);
    LabClave = new QLabel(QStringLiteral("Con&traseña:"), this);
    LabClave->setObjectName(QStringLiteral("LabClave"));
    LabClave->setBuddy(EdClave);
    EdRepetir = new QLineEdit(this);
    EdRepetir->setObjectName(QStringLiteral("EdRepetir"));
    EdRepetir->setEchoMode(QLineEdit::Password);
    LabRepetir = new QLabel(QStringLiteral("&Repetir contraseña:"), this);
    LabRepetir->setObjectName(QStringLiteral("LabRepetir"));
    LabRepetir->setBuddy(EdRepetir);
    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    connect(BOK, &QPushButton::clicked, this, &TFormClaveExportacion::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, Contexto); });

    // The password fields only count with the check box on.
    auto seguir = [this](bool proteger) {
        for (QWidget* w : {static_cast<QWidget*>(LabClave), static_cast<QWidget*>(EdClave),
                           static_cast<QWidget*>(LabRepetir), static_cast<QWidget*>(EdRepetir)})
            w->setEnabled(proteger);
    };
    connect(CBProteger, &QCheckBox::toggled, this, seguir);
    seguir(false);

    auto* campos = new QFormLayout;
    campos->addRow(LabClave, EdClave);
    campos->addRow(LabRepetir, EdRepetir);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(LabExplicacion);
    caja->addWidget(CBProteger);
    caja->addLayout(campos);
    caja->addLayout(dialogos::FilaBotones({BOK, BCancelar, BAyuda}));
    resize(420, sizeHint().height());
    CBProteger->setFocus();
}

QString TFormClaveExportacion::Clave() const {
    return CBProteger->isChecked() ? EdClave->text() : QString();
}

void TFormClaveExportacion::BOKClick() {
    if (CBProteger->isChecked()) {
        if (EdClave->text().isEmpty()) {
            ui::Informacion(this, QStringLiteral("Escriba la contraseña, o quite la marca de "
                                                 "«Proteger con contraseña»."));
            EdClave->setFocus();
            return;
        }
        if (EdClave->text() != EdRepetir->text()) {
            ui::Informacion(this, QStringLiteral("Las dos contraseñas no coinciden. Escríbala "
                                                 "otra vez."));
            EdRepetir->clear();
            EdRepetir->setFocus();
            return;
        }
    }
    accept();
}

std::optional<QString> PedirClaveExportacion(QWidget* padre, word::FormatoExportacion formato) {
    TFormClaveExportacion dialogo(padre, formato);
    if (ui::Ejecutar(dialogo) != QDialog::Accepted)
        return std::nullopt;
    return dialogo.Clave();
}

std::optional<word::DestinoExportacion> ElegirExportacion(QWidget* padre, const QString& nombre) {
    return ElegirDestinoExportacion(padre, nombre, PedirClaveExportacion);
}

} // namespace brivo
