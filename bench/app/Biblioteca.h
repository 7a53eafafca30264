#pragma once
// Writes a library into a program folder, as a previous run leaves it.
#include <QString>

namespace brivo::banco {

struct TTamano {
    int Libros = 100;
    int Documentos = 500;
    int Materias = 18; // each with 10 temas of 10 contenidos: about 2000 nodes
    int Temas = 10;
    int Contenidos = 10;
};

// Creates Docs/, the book folders, Libros.lst, Docs.lst, Arbol.tvw and
// BRIVO_II.INI in carpeta (ending in "/"); returns the number of tree nodes.
int CrearBiblioteca(const QString& carpeta, const TTamano& tamano);

} // namespace brivo::banco
