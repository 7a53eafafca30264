// Program start: the command line and the library folder, the application
// with its help file and Spanish texts, the main window MainForm, and the
// message loop until the window is closed.
#include <QCoreApplication>

#include "Aplicacion.h"
#include "Ayuda.h"
#include "Carpetas.h"
#include "Errores.h"
#include "Interaccion.h"
#include "LineaOrdenes.h"
#include "Main.h"

using namespace brivo;

int main(int argc, char* argv[]) {
    TAplicacion::PrepararEntorno();
    // --help, --version and a wrong command line are answered without a
    // display.
    const ordenes::TOrdenes o = ordenes::Leer(ordenes::Argumentos(argc, argv));
    if (o.Ayuda || o.Version || !o.Error.isEmpty()) {
        const QCoreApplication nucleo(argc, argv); // the program's folder
        return ordenes::Responder(o, carpetas::Elegir(carpetas::TDatosEleccion::Leer(o.Carpeta)));
    }

    TAplicacion aplicacion(argc, argv);
    aplicacion.CargarTraducciones();
    const carpetas::TEleccion eleccion =
        carpetas::Elegir(carpetas::TDatosEleccion::Leer(o.Carpeta));
    // First start in a new folder: the folder and its Docs/ are made.
    try {
        carpetas::PrepararBiblioteca(eleccion.Biblioteca);
    } catch (const ErrorBrivo& e) {
        ui::Error(nullptr, e.Mensaje());
        return 1;
    }

    TMainForm MainForm(eleccion.Biblioteca);
    MainForm.Almacen().CarpetaInstalados = eleccion.Instalados;
    ayuda::PonerRutaArchivo(
        MainForm.Almacen().RutaDelPrograma(QLatin1String(TAplicacion::ArchivoAyuda)));
    MainForm.show();
    return aplicacion.exec();
}
