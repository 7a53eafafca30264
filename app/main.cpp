// Program start: the application with its help file and Spanish texts, the
// main window MainForm, and the message loop until the window is closed.
#include "Main.h"
#include "Aplicacion.h"
#include "Ayuda.h"

int main(int argc, char* argv[]) {
    brivo::TAplicacion::PrepararEntorno();
    brivo::TAplicacion aplicacion(argc, argv);
    aplicacion.CargarTraducciones();
    brivo::ayuda::PonerRutaArchivo(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                   QLatin1String(brivo::TAplicacion::ArchivoAyuda));

    brivo::TMainForm MainForm;
    MainForm.show();
    return aplicacion.exec();
}
