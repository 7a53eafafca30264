#pragma once
// The widget side of the dialog seam (DialogoUsuario.h): message boxes, file
// dialogs and the help viewer shown for the ui:: functions, and every modal
// dialog run through ui::Ejecutar. A test installs a script (TGuion) that
// answers instead, so whole commands run end to end under the offscreen
// platform without ever blocking.
#include <QDialog>

#include "DialogoUsuario.h"

namespace brivo::ui {

// Runs a modal dialog and returns its result (QDialog::Accepted/Rejected).
int Ejecutar(QDialog& dialogo);

// Installs the presenter that shows real message boxes, file dialogs and the
// help viewer. The program's application object and the tests' do it once.
void UsarPresentadorQt();

} // namespace brivo::ui
