// Writes the model documents "nuevodoc.doc" and "nuevoexamen.doc" into the
// folder given as the only argument (the program folder of the build).
#include <cstdio>

#include <QGuiApplication>

#include "Errores.h"
#include "ModelosDocumento.h"

int main(int argc, char** argv) {
    QGuiApplication aplicacion(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Uso: brivo_word_modelos <carpeta>\n");
        return 2;
    }
    try {
        brivo::word::EscribirModelos(QString::fromLocal8Bit(argv[1]));
    } catch (const brivo::ErrorBrivo& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
