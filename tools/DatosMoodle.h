#pragma once
// The "moodle" command of brivo2-datos: a book, a node of the tree or a list
// of documents written as a Moodle XML or GIFT file.

// Whether argv[2] names it.
bool EsOrdenMoodle(const char* orden);

// Runs it on argv (program, folder, "moodle", output, options) and returns
// the exit code: 0 written, 1 some document could not be exported, 2 usage
// errors and anything that stops it before (nothing written then).
int OrdenMoodle(int argc, char** argv);
