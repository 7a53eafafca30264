#pragma once
// The document commands of brivo2-datos ("convertir", "exportar-documento").

// Whether argv[2] names one of them.
bool EsOrdenDeDocumentos(const char* orden);

// Runs the command of argv (program, folder, command, arguments) and returns
// the exit code.
int OrdenDeDocumentos(int argc, char** argv);
