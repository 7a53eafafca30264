// Topic tree editing commands of the main window.
#include "Main.h"

namespace brivo {

void TMainForm::SBNuevoNodoClick() {}

void TMainForm::SBNuevoSubNodoClick() {}

void TMainForm::SBBorraNodoClick() {}

} // namespace brivo
