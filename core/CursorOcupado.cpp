#include "CursorOcupado.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace brivo {

TCursorOcupado::TCursorOcupado() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        puesto = true;
    }
}

TCursorOcupado::~TCursorOcupado() {
    if (puesto)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace brivo
