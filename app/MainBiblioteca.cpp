// The library's lock and the consultation-only mode of the main window (the
// guard of the commands is PermitirCambio, BancoDocumentos.h).
#include "Carpetas.h"
#include "Interaccion.h"
#include "Main.h"

namespace brivo {

void TMainForm::TomarBiblioteca() {
    if (cerrojo && cerrojo->Tomado())
        return;
    cerrojo = std::make_unique<TCerrojoBiblioteca>(almacen.CarpetaPrograma);
    const TCerrojoBiblioteca::Resultado resultado = cerrojo->Tomar();
    if (resultado == TCerrojoBiblioteca::Resultado::Tomado)
        return;

    almacen.SoloConsulta = true;
    const QString carpeta = carpetas::Visible(almacen.CarpetaPrograma);
    TCerrojoBiblioteca::TDueno dueno;
    QString texto;
    if (resultado == TCerrojoBiblioteca::Resultado::NoEscribible) {
        texto = QStringLiteral("No se puede escribir en la carpeta de la biblioteca, %1. Se "
                               "abrirá sólo para consulta.")
                    .arg(carpeta);
    } else if (cerrojo->Dueno(dueno)) {
        texto = QStringLiteral("La biblioteca de %1 ya está abierta en %2 (proceso %3). Se "
                               "abrirá sólo para consulta.")
                    .arg(carpeta, dueno.Equipo)
                    .arg(dueno.Proceso);
    } else {
        // The holder is writing its lock file at this very moment.
        texto = QStringLiteral("La biblioteca de %1 ya está abierta en otro programa. Se abrirá "
                               "sólo para consulta.")
                    .arg(carpeta);
    }
    ui::Informacion(this, texto);
}

} // namespace brivo
