#pragma once
// The application object with the program's one top-level error handler:
// every event is dispatched inside it, and a runtime or word-processor
// failure that a command did not catch is shown in an error box. The command
// in progress stops there with what it changed so far kept; the event loop
// goes on.
#include <QApplication>

namespace brivo {

class TAplicacion : public QApplication {
    Q_OBJECT
public:
    TAplicacion(int& argc, char** argv);

    // Help file of the program, beside the program file.
    static constexpr const char* ArchivoAyuda = "Brivo2.hlp";

    // Run before the application object exists: Spanish dates in Qt's
    // own dialogs.
    static void PrepararEntorno();

    // Loads Qt's own Spanish texts (standard buttons and dialogs) and the
    // few file-dialog texts that translation lacks.
    void CargarTraducciones();

    bool notify(QObject* receptor, QEvent* evento) override;
};

} // namespace brivo
