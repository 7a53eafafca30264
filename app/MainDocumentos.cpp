// Document commands of the main window: editor, new, delete, properties.
#include "Main.h"

namespace brivo {

void TMainForm::BEditarClick() {}

void TMainForm::SBNuevoDocClick() {}

void TMainForm::SBBorraDocClick() {}

void TMainForm::BPropPregClick() {
    PropiedadesDocumentoActual();
}

} // namespace brivo
