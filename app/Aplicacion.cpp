#include "Aplicacion.h"

#include <exception>

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Errores.h"
#include "Interaccion.h"

namespace brivo {

TAplicacion::TAplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Brivo II"));
    setApplicationVersion(QStringLiteral("1.00"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

void TAplicacion::CargarTraducciones() {
    auto* traductor = new QTranslator(this);
    if (traductor->load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(traductor);
    else
        delete traductor;
}

bool TAplicacion::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const ErrorBrivo& e) {
        ui::Error(activeWindow(), e.Mensaje());
    } catch (const std::exception& e) {
        ui::Error(activeWindow(), QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace brivo
