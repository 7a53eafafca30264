// The choice of a node's documents, for every level and special node, and
// the row list it leaves.
#include <vector>

#include <gtest/gtest.h>

#include "Almacen.h"
#include "ArbolPrueba.h"
#include "Listado.h"

namespace brivo::pruebas {

namespace {

// Útiles (1) {1..5}; Materia A (10) { Tema (20) { Contenido (30) { Hondo (40) } },
// Tema vacío (21) }; Materia B (11).
// Documents: 1 (10,0,0), 2 (10,20,0), 3 (10,20,30), 4 (0,0,0), 5 (10,20,99)
// whose contenido is gone, 6 (1,1,0), 7 (11,0,0), 8 (1,5,0), 9 (1,0,0),
// 10 (1,4,0); slot 11 is free but still names (10,20,30).
void Preparar(TAlmacen& b) {
    pruebas::EmpezarConUtiles(b.Arbol);
    TNodo* m = b.Arbol.Anadir(nullptr, QStringLiteral("Materia A"), "10");
    TNodo* t = b.Arbol.Anadir(m, QStringLiteral("Tema"), "20");
    TNodo* c = b.Arbol.Anadir(t, QStringLiteral("Contenido"), "30");
    b.Arbol.Anadir(c, QStringLiteral("Hondo"), "40");
    b.Arbol.Anadir(m, QStringLiteral("Tema vacío"), "21");
    b.Arbol.Anadir(nullptr, QStringLiteral("Materia B"), "11");
    const int lugares[][3] = {{10, 0, 0}, {10, 20, 0}, {10, 20, 30}, {0, 0, 0}, {10, 20, 99},
                              {1, 1, 0},  {11, 0, 0},  {1, 5, 0},    {1, 0, 0}, {1, 4, 0}};
    for (int k = 1; k <= 10; ++k) {
        TDocumento& d = b.Documentos[k];
        d.Numero = k;
        d.IdLibro = 111111;
        d.IdMateria = lugares[k - 1][0];
        d.IdTema = lugares[k - 1][1];
        d.IdContenido = lugares[k - 1][2];
    }
    b.Documentos[11].IdMateria = 10;
    b.Documentos[11].IdTema = 20;
    b.Documentos[11].IdContenido = 30;
}

TNodo* Nodo(const TAlmacen& a, const char* texto) {
    TNodo* r = nullptr;
    a.Arbol.Recorrer([&](TNodo* n) {
        if (!r && n->Texto == QString::fromUtf8(texto))
            r = n;
    });
    return r;
}

struct CasoListado {
    const char* nodo; // nullptr: no node
    std::vector<int> documentos;
    int m;
    int t;
    bool reducido;
};

class ListadoDeNodo : public ::testing::TestWithParam<CasoListado> {};

} // namespace

TEST_P(ListadoDeNodo, EligeSusDocumentosEnOrdenDeNumero) {
    const CasoListado& caso = GetParam();
    TAlmacen a;
    Preparar(a);
    TNodo* nodo = caso.nodo ? Nodo(a, caso.nodo) : nullptr;
    ASSERT_TRUE(!caso.nodo || nodo) << caso.nodo;
    a.NumListados = 99;
    a.ListaPreg.fill(7);

    const TListado listado = ListarEnAlmacen(a, nodo);

    EXPECT_EQ(listado.Materia, caso.m);
    EXPECT_EQ(listado.Tema, caso.t);
    EXPECT_EQ(listado.Reducido, caso.reducido);
    ASSERT_EQ(a.NumListados, static_cast<int>(caso.documentos.size()));
    std::vector<int> filas(a.ListaPreg.begin() + 1, a.ListaPreg.begin() + 1 + a.NumListados);
    EXPECT_EQ(filas, caso.documentos);
    for (int r = a.NumListados + 1; r <= MaxDocumentos; ++r)
        ASSERT_EQ(a.ListaPreg[r], -1) << r;
}

INSTANTIATE_TEST_SUITE_P(
    Listado, ListadoDeNodo,
    ::testing::Values(
        CasoListado{"Útiles", {}, 1, 0, true}, CasoListado{"Modelos de pregunta", {6}, 1, 1, true},
        CasoListado{"Exámenes", {}, 1, 3, true}, CasoListado{"No asignados", {4, 5}, 1, 4, false},
        CasoListado{"Todos", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 1, 5, false},
        CasoListado{"Materia A", {1, 2, 3, 5}, 10, 0, false},
        CasoListado{"Tema", {2, 3, 5}, 10, 20, false}, CasoListado{"Contenido", {3}, 10, 20, false},
        CasoListado{"Tema vacío", {}, 10, 21, false}, CasoListado{"Materia B", {7}, 11, 0, false},
        CasoListado{"Hondo", {}, 0, 0, false}, CasoListado{nullptr, {}, 0, 0, false}));

} // namespace brivo::pruebas
