#pragma once
// The command line of brivo2: "--carpeta DIR" chooses the library, "--help"
// and "--version" print their text and end the program. Qt Core only, so
// that the texts print without a display.
#include <QString>
#include <QStringList>

#include "Carpetas.h"

namespace brivo::ordenes {

struct TOrdenes {
    QString Carpeta; // --carpeta ("" when not given)
    bool Ayuda = false;
    bool Version = false;
    QString Error; // what is wrong with the command line ("" when nothing)
};

// Reads the arguments (the program's name first, as in argv). Qt's own
// options ("-platform offscreen", "-style fusion" ...) are passed over: the
// application object takes them.
TOrdenes Leer(const QStringList& argumentos);

// The arguments of main as texts.
QStringList Argumentos(int argc, char** argv);

// The texts printed by --help and --version.
QString TextoAyuda();
QString TextoVersion(const carpetas::TEleccion& eleccion);

// What the program prints, and the exit code, for a command line that asks
// for help, the version, or is wrong. Prints nothing and gives -1 when the
// program should go on and open its window.
int Responder(const TOrdenes& ordenes, const carpetas::TEleccion& eleccion);

} // namespace brivo::ordenes
