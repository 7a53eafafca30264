// Exam list and exam assembly commands of the main window.
#include "Main.h"

namespace brivo {

void TMainForm::BVerExamenClick() {}

void TMainForm::SBBorraPregExamClick() {}

void TMainForm::SBPregsAExamenClick() {}

void TMainForm::BCrearExamenClick() {}

} // namespace brivo
