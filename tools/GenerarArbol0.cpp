// Writes the initial topic tree to the file named on the command line. The
// build runs it to produce Arbol0.tvw beside the program.
#include <cstdio>

#include "Arbol.h"
#include "Errores.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: generar_arbol0 ARCHIVO\n");
        return 2;
    }
    try {
        brivo::TArbol arbol; // built holding the initial tree
        arbol.CargarInicial();
        arbol.Guardar(QString::fromLocal8Bit(argv[1]));
    } catch (const brivo::ErrorBrivo& e) {
        std::fprintf(stderr, "%s\n", e.Mensaje().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
