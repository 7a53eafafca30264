#pragma once
// Generic accessibility audit of a window: every input has a name a screen
// reader can say, every toolbar button says its hint, every focusable control
// is reached with Tab in reading order, item views give text for their cells,
// and no visible text is English.
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

namespace brivo::pruebas::accesibilidad {

struct TOpcionesAuditoria {
    // Whole words allowed in this window although they are on the deny-list
    // (texts the program keeps as they are, such as the button "OK").
    QSet<QString> PalabrasPermitidas;
    // Check that the Tab order follows the reading order (top to bottom,
    // left to right within a row). Off for windows made of side-by-side panes.
    bool OrdenVisual = true;
    // objectNames that must exist in the window (widgets or actions).
    QStringList NombresEsperados;
};

// Runs every check on a shown top-level window and returns one line per fault
// ("<window>: <control>: <fault>"). An empty list means the window passed.
QStringList Auditar(QWidget& ventana, const TOpcionesAuditoria& opciones = {});

// English words found in a text (whole words, letter case ignored, "&" removed).
QStringList PalabrasInglesas(const QString& texto, const QSet<QString>& permitidas = {});

// The controls reached by pressing Tab from the first one, in order (inner
// editors of spin boxes and combo boxes count as their control).
QList<QWidget*> CadenaTabulacion(QWidget& ventana);

} // namespace brivo::pruebas::accesibilidad
