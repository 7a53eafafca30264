// The documents under a node that the choice takes from are those the
// document grid lists for the node, on every node of a tree whose
// identifiers repeat across levels, with documents at every kind of place.
#include <algorithm>

#include <gtest/gtest.h>

#include "BibliotecaSeleccion.h"
#include "Listado.h"
#include "Seleccion.h"

using namespace brivo;
using namespace brivo::pruebas;

TEST(ListadoNodo, LoQueHayBajoUnNodoEsLoQueLaRejillaLista) {
    TAlmacen a;
    PrepararBiblioteca(a);
    const TLugar lugares[] = {{2, 0, 0}, {2, 1, 0}, {2, 1, 1}, {2, 1, 2}, {2, 2, 0}, {2, 2, 1},
                              {2, 9, 0}, {7, 0, 0}, {7, 2, 0}, {7, 2, 1}, {7, 1, 0}, {1, 1, 0},
                              {1, 3, 0}, {1, 2, 0}, {0, 0, 0}, {9, 1, 1}, {2, 1, 7}};
    int k = 0;
    for (const TLugar& l : lugares)
        for (std::int32_t libro : {LibroA, LibroB})
            PonerDocumento(a, {++k, l, 5, 1, 0, "01/01/1900", 0, libro});
    int comparados = 0;
    a.Arbol.Recorrer([&](TNodo* n) {
        if (!NodoSeleccionable(n))
            return;
        int m = 0, t = 0;
        const std::vector<int> bajo = DocumentosBajoNodo(a, n);
        EXPECT_EQ(bajo, ElegirDocumentos(a, n, m, t)) << n->Texto.toStdString();
        // The test of one document agrees with the listing.
        for (int k = 1; k <= MaxDocumentos; ++k)
            EXPECT_EQ(DocumentoBajoNodo(*n, a.Documentos[k]),
                      std::find(bajo.begin(), bajo.end(), k) != bajo.end())
                << n->Texto.toStdString() << " " << k;
        ++comparados;
    });
    EXPECT_EQ(comparados, 8);
}
