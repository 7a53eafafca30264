// Book transfer and general options commands of the main window.
#include "Main.h"

namespace brivo {

void TMainForm::Importarlibro1Click() {}

void TMainForm::Exportarlibro1Click() {}

void TMainForm::BOpcionesClick() {}

} // namespace brivo
