// The main window's side of the editor: the editor command's caption, and
// where the window lies, below which the word processor's windows go.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include "Main.h"
#include "TextosComunes.h"

namespace brivo {

void TMainForm::EditorCambiado(bool abierto) {
    const QString texto =
        abierto ? QStringLiteral("Cerrar editor") : QStringLiteral("Abrir editor");
    if (SBEditor) {
        SBEditor->setToolTip(texto);
        SBEditor->setAccessibleName(texto);
    }
    if (Abrireditor1) {
        Abrireditor1->setText(texto);
        Abrireditor1->setToolTip(texto);
    }
}

int TMainForm::AltoVentana() const {
    return frameGeometry().height();
}

QRect TMainForm::Pantalla() const {
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->geometry() : QRect(0, 0, 800, 600);
}

} // namespace brivo
