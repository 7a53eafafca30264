#include "ComunDialogos.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "Azar.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo::dialogos {

void PrepararDialogo(QDialog& dialogo, const char* nombreClase, const QString& titulo,
                     std::optional<ContextoAyuda> contextoAyuda) {
    dialogo.setObjectName(QString::fromLatin1(nombreClase));
    dialogo.setWindowTitle(titulo);
    // No "what's this" button in the title bar: help is F1 and the "&Ayuda" buttons.
    dialogo.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (contextoAyuda) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialogo);
        f1->setContext(Qt::WindowShortcut);
        QObject::connect(f1, &QShortcut::activated, &dialogo,
                         [&dialogo, c = *contextoAyuda] { ui::MostrarAyuda(&dialogo, c); });
    }
}

void CentrarEnPantalla(QWidget& ventana) {
    QScreen* pantalla = ventana.screen() ? ventana.screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    ventana.adjustSize();
    const QRect zona = pantalla->availableGeometry();
    QRect marco = ventana.frameGeometry();
    marco.moveCenter(zona.center());
    ventana.move(marco.topLeft());
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}

void BotonesOK(QDialog& dialogo, QPushButton*& ok, QPushButton*& cancelar, QPushButton*& ayuda) {
    ok = Boton(&dialogo, "BOK", QStringLiteral("&OK"));
    ok->setDefault(true);
    cancelar = Boton(&dialogo, "BCancelar", QString::fromUtf8(textos::BotonCancelar));
    ayuda = Boton(&dialogo, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    QObject::connect(cancelar, &QPushButton::clicked, &dialogo, &QDialog::reject);
}

QHBoxLayout* FilaBotones(std::initializer_list<QPushButton*> botones) {
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    for (QPushButton* b : botones)
        fila->addWidget(b);
    return fila;
}

QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QString::fromLatin1(nombre));
    return c;
}

TCasillasLibro CasillasLibro(QWidget* padre) {
    TCasillasLibro c;
    c.Panel = new QFrame(padre);
    c.Panel->setObjectName(QStringLiteral("Panel1"));
    c.Panel->setFrameShape(QFrame::StyledPanel);
    c.ClaveEnDoc = Casilla(
        c.Panel, "CBClaveEnDoc",
        QStringLiteral(
            "Guardar clave en documentos (Impide modificar doc desde fuera del programa)."));
    c.PermitirCambiosEnDoc = Casilla(c.Panel, "CBPermitirCambiosEnDoc",
                                     QStringLiteral("Permitir cambios en documentos."));
    c.PermitirMasDoc =
        Casilla(c.Panel, "CBPrmitirMasDoc", QStringLiteral("Permitir añadir documentos."));
    c.Caja = new QVBoxLayout(c.Panel);
    c.Caja->addWidget(c.ClaveEnDoc);
    c.Caja->addWidget(c.PermitirCambiosEnDoc);
    c.Caja->addWidget(c.PermitirMasDoc);
    return c;
}

std::optional<std::uint64_t> SemillaEscrita(QWidget* dialogo, QLineEdit* edicion) {
    std::uint64_t semilla = 0;
    if (LeerSemilla(edicion->text(), semilla))
        return semilla;
    ui::Error(dialogo, MensajeSemillaNoValida());
    edicion->setFocus();
    edicion->selectAll();
    return std::nullopt;
}

} // namespace brivo::dialogos
