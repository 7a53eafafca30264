#pragma once
// A small library held in memory for the tests of the automatic choice: two
// books, the "Útiles" branch, and two materias whose identifiers repeat across
// levels as those of the initial tree do:
//
//   Útiles (1): Modelos de pregunta (1) ... Todos (5)
//   Álgebra (2): Ecuaciones (1): Lineales (1), Cuadráticas (2); Funciones (2)
//   Historia (7): Edad Media (2): Reinos (1)
#include <QString>

#include "Almacen.h"

namespace brivo::pruebas {

constexpr std::int32_t LibroA = 111111; // slot 1
constexpr std::int32_t LibroB = 222222; // slot 2

struct TDocPrueba {
    int Numero = 0;
    TLugar Lugar;
    int Dificultad = 5;
    int Tipo = 1;
    int Usos = 0;
    QString FechaUso = QStringLiteral("01/01/1900");
    int Similitud = 0;
    std::int32_t Libro = LibroA;
};

// The books and the tree above, no documents.
void PrepararBiblioteca(TAlmacen& a);
void PonerDocumento(TAlmacen& a, const TDocPrueba& d);
// The node of a place, matched level by level (nullptr when absent).
const TNodo* Nodo(const TAlmacen& a, int materia, int tema = 0, int contenido = 0);

} // namespace brivo::pruebas
