#pragma once
// Where the library lives and where the files shipped with the program are.
//
// The library folder (lists, tree, settings, Docs/, BAK/, Temp/) is, in order:
//   1. the folder given with --carpeta, else the one in BRIVO2_CARPETA;
//   2. the program file's own folder, when it holds Arbol0.tvw and can be
//      written (the portable layout: the program runs from its build folder or
//      from a copied folder);
//   3. the per-user folder $XDG_DATA_HOME/brivo2 (~/.local/share/brivo2 when
//      the variable is unset or not absolute).
// The shipped files (Arbol0.tvw, nuevodoc.doc, nuevoexamen.doc, Brivo2.hlp)
// are read from <prefix>/share/brivo2 beside an installed program's bin/,
// else from the program file's folder. A file of that name in the library
// folder itself takes precedence (TAlmacen::RutaDelPrograma).
#include <functional>

#include <QString>

namespace brivo::carpetas {

// Environment variable that names the library folder.
inline constexpr const char* VariableCarpeta = "BRIVO2_CARPETA";
// Name of the per-user folder inside $XDG_DATA_HOME, and of the installed
// data folder inside <prefix>/share.
inline constexpr const char* NombreCarpeta = "brivo2";

enum class Origen {
    Opcion,     // --carpeta
    Variable,   // BRIVO2_CARPETA
    Ejecutable, // the program file's folder
    Usuario,    // $XDG_DATA_HOME/brivo2
};

// What the choice depends on. Leer() gathers it from the running process.
struct TDatosEleccion {
    QString Opcion;            // value of --carpeta ("" when not given)
    QString Variable;          // value of BRIVO2_CARPETA
    QString CarpetaEjecutable; // folder of the program file
    QString DatosUsuario;      // value of XDG_DATA_HOME
    QString Inicio;            // value of HOME
    // Whether a folder can be written; the file system's answer by default.
    std::function<bool(const QString&)> Escribible;

    static TDatosEleccion Leer(const QString& opcion = QString());
};

struct TEleccion {
    QString Biblioteca; // library folder, absolute, ending in "/"
    QString Instalados; // folder of the shipped files, absolute, ending in "/"
    Origen Motivo = Origen::Usuario;
};

// Applies the rules above. Nothing is created or written.
TEleccion Elegir(const TDatosEleccion& datos);

// The installed data folder for a program file's folder: ../share/brivo2
// when it holds Arbol0.tvw, else the program file's folder itself.
QString CarpetaInstalados(const QString& carpetaEjecutable);

// Whether the file system lets this process write in a folder.
bool EsEscribible(const QString& carpeta);

// Makes a library folder ready for a first start: creates the folder and its
// Docs/ when missing. Never writes or replaces a file; an existing library is
// left as it is. Throws ErrorBrivo "No se puede crear la carpeta %1" when a
// folder cannot be made.
void PrepararBiblioteca(const QString& carpeta);

// A folder path for messages: no trailing "/" (except for the root).
QString Visible(const QString& carpeta);

} // namespace brivo::carpetas
