// The exam list's operations on the tables alone: marked documents moved in
// by number, a full list, removal and exchanges of entries.
#include <vector>

#include <gtest/gtest.h>

#include "Almacen.h"
#include "ListaExamen.h"

namespace brivo::pruebas {

namespace {

class ListaExamen : public ::testing::Test {
protected:
    void SetUp() override {
        a.ListaExamen.fill(-1); // as a load leaves it
        for (int k : {3, 7, 12, 20})
            a.Documentos[k].Numero = k;
    }
    void Marcar(std::initializer_list<int> numeros) {
        for (int k : numeros)
            a.Documentos[k].Marcado = true;
    }
    void Poner(std::initializer_list<int> entradas) {
        int i = 1;
        for (int k : entradas)
            a.ListaExamen[i++] = k;
    }
    std::vector<int> Entradas() const {
        std::vector<int> r;
        for (int i = 1; i <= MaxExamen && a.ListaExamen[i] > 0; ++i)
            r.push_back(a.ListaExamen[i]);
        return r;
    }
    TAlmacen a;
};

} // namespace

TEST_F(ListaExamen, LosMarcadosEntranPorNumeroTrasLosQueHay) {
    Poner({20});
    Marcar({12, 3, 7});
    a.Documentos[30].Marcado = true; // a free slot's mark counts for nothing
    EXPECT_EQ(TrasladarMarcados(a), 0);
    EXPECT_EQ(Entradas(), (std::vector<int>{20, 3, 7, 12}));
    for (int k : {3, 7, 12})
        EXPECT_FALSE(a.Documentos[k].Marcado) << k;
    // Nothing marked again: nothing is added the second time.
    EXPECT_EQ(TrasladarMarcados(a), 0);
    EXPECT_EQ(Entradas().size(), 4u);
    // A listed document marked again is listed again.
    Marcar({3});
    TrasladarMarcados(a);
    EXPECT_EQ(Entradas(), (std::vector<int>{20, 3, 7, 12, 3}));
}

TEST_F(ListaExamen, ConLaListaLlenaLosDemasSiguenMarcados) {
    for (int i = 1; i <= MaxExamen - 1; ++i)
        a.ListaExamen[i] = 20;
    Marcar({3, 7, 12});
    EXPECT_EQ(TrasladarMarcados(a), 2);
    EXPECT_EQ(a.ListaExamen[MaxExamen], 3);
    EXPECT_FALSE(a.Documentos[3].Marcado);
    EXPECT_TRUE(a.Documentos[7].Marcado);
    EXPECT_TRUE(a.Documentos[12].Marcado);
    EXPECT_EQ(TextoListaLlena(2), QStringLiteral("La lista de examen admite 100 documentos como "
                                                 "máximo. 2 documentos marcados no se han añadido "
                                                 "y siguen marcados."));
    EXPECT_EQ(TextoListaLlena(1), QStringLiteral("La lista de examen admite 100 documentos como "
                                                 "máximo. 1 documento marcado no se ha añadido y "
                                                 "sigue marcado."));
}

TEST_F(ListaExamen, QuitarUnaEntradaCierraElHueco) {
    Poner({5, 8, 9});
    EXPECT_TRUE(QuitarEntrada(a, 2));
    EXPECT_EQ(Entradas(), (std::vector<int>{5, 9}));
    EXPECT_EQ(a.ListaExamen[MaxExamen], 0);
    // A row without a document, or outside the list, removes nothing.
    for (int fila : {0, 3, MaxExamen + 1})
        EXPECT_FALSE(QuitarEntrada(a, fila)) << fila;
    EXPECT_EQ(Entradas(), (std::vector<int>{5, 9}));
    EXPECT_TRUE(QuitarEntrada(a, 1));
    EXPECT_TRUE(QuitarEntrada(a, 1));
    EXPECT_TRUE(Entradas().empty());
}

TEST_F(ListaExamen, ArrastrarEsIntercambiarVecinas) {
    Poner({5, 8, 9});
    // Row 3 dragged to row 1, as the grid reports it.
    EXPECT_TRUE(IntercambiarEntradas(a, 3, 2));
    EXPECT_TRUE(IntercambiarEntradas(a, 2, 1));
    EXPECT_EQ(Entradas(), (std::vector<int>{9, 5, 8}));
    EXPECT_FALSE(IntercambiarEntradas(a, 0, 1));
    EXPECT_FALSE(IntercambiarEntradas(a, 1, MaxExamen + 1));
    EXPECT_EQ(Entradas(), (std::vector<int>{9, 5, 8}));
    EXPECT_EQ(DocumentoDeEntrada(a, 1), 9);
    EXPECT_EQ(DocumentoDeEntrada(a, 4), -1); // empty after a load
    EXPECT_EQ(DocumentoDeEntrada(a, 0), -1);
    EXPECT_EQ(DocumentoDeEntrada(a, MaxExamen + 1), -1);
}

} // namespace brivo::pruebas
