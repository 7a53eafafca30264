#pragma once
// The "seleccionar" command of brivo2-datos: the automatic choice of exam
// questions on a library, printed as JSON, without changing anything.

// Whether argv[2] names it.
bool EsOrdenDeSeleccion(const char* orden);

// Runs it on argv (program, folder, "seleccionar", options) and returns the
// exit code: 0 every row filled, 1 some row short, 2 usage error, unreadable
// folder or damaged file.
int OrdenDeSeleccion(int argc, char** argv);
