#include "Aplicacion.h"

#include <exception>

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Errores.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

// Texts of Qt's file dialogs that its Spanish translation lacks: the kinds
// of file in the "Tipo" column.
class TTraduccionTiposArchivo : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char* /*desambiguacion*/,
                      int /*n*/) const override {
        if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0 &&
            qstrcmp(contexto, "QFileSystemModel") != 0)
            return {};
        static const char* const pares[][2] = {
            {"Folder", "Carpeta"},     {"File Folder", "Carpeta"}, {"File", "Archivo"},
            {"%1 File", "Archivo %1"}, {"Drive", "Unidad"},        {"Shortcut", "Acceso directo"},
            {"Alias", "Alias"},        {"Unknown", "Desconocido"},
        };
        for (const auto& par : pares)
            if (qstrcmp(texto, par[0]) == 0)
                return QString::fromUtf8(par[1]);
        return {};
    }
};

} // namespace

void TAplicacion::PrepararEntorno() {
    // Dates in Qt's own dialogs (the file dialog's "Última modificación")
    // follow the system locale; they are written the Spanish way whatever
    // the machine's language. Only the time category is touched, so
    // numbers read and written by the program keep their format.
    if (qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_TIME", "es_ES.UTF-8");
}

TAplicacion::TAplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(textos::NombrePrograma));
    setApplicationVersion(QStringLiteral("1.00"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // Messages, questions and help of every layer are shown with widgets.
    ui::UsarPresentadorQt();
}

void TAplicacion::CargarTraducciones() {
    auto* traductor = new QTranslator(this);
    if (traductor->load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(traductor);
    else
        delete traductor;
    installTranslator(new TTraduccionTiposArchivo(this));
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
