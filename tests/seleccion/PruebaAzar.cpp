// The generator behind seeds: the published SplitMix64 sequence, bounded
// draws without bias, shuffles that reach every order, and seeds as typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "Azar.h"

using namespace brivo;

namespace {

TEST(Azar, SecuenciaDeSplitMix64) {
    // The reference implementation's first outputs for the seed 0.
    TAzar azar(0);
    EXPECT_EQ(azar.Siguiente(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(azar.Siguiente(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(azar.Siguiente(), 0x06C45D188009454Full);
    EXPECT_EQ(azar.Siguiente(), 0xF88BB8A8724C81ECull);
}

TEST(Azar, SorteosAcotadosUniformes) {
    TAzar azar(2024);
    for (std::uint64_t n : {1ull, 2ull, 7ull, 1000ull, (1ull << 63) + 1, ~0ull})
        for (int i = 0; i < 200; ++i)
            EXPECT_LT(azar.Hasta(n), n);
    // Chi-square over 7 values, 70000 draws: 6 degrees of freedom, far below
    // the 0.1 % tail (22.5) for a fair draw.
    std::array<int, 7> veces{};
    for (int i = 0; i < 70000; ++i)
        ++veces[azar.Hasta(7)];
    double chi = 0;
    for (int v : veces)
        chi += (v - 10000.0) * (v - 10000.0) / 10000.0;
    EXPECT_LT(chi, 22.5);
    // With n = 3 * 2^62 a plain modulo would put half the draws in the first
    // third.
    const std::uint64_t n = 3ull << 62;
    int bajos = 0;
    for (int i = 0; i < 3000; ++i)
        bajos += azar.Hasta(n) < (1ull << 62);
    EXPECT_GT(bajos, 850);
    EXPECT_LT(bajos, 1150);
}

TEST(Azar, BarajarAlcanzaTodosLosOrdenes) {
    TAzar azar(77);
    std::map<std::vector<int>, int> ordenes;
    for (int i = 0; i < 24000; ++i) {
        std::vector<int> v{1, 2, 3, 4};
        azar.Barajar(v);
        ++ordenes[v];
    }
    ASSERT_EQ(ordenes.size(), 24u);
    for (const auto& [orden, veces] : ordenes) {
        EXPECT_GT(veces, 800);
        EXPECT_LT(veces, 1200);
    }
    std::vector<int> vacio, uno{9};
    azar.Barajar(vacio);
    azar.Barajar(uno);
    EXPECT_EQ(uno, std::vector<int>{9});
}

TEST(Azar, SemillasEscritas) {
    const struct {
        const char* texto;
        bool valida;
        std::uint64_t valor;
    } casos[] = {
        {"0", true, 0},
        {" 42 ", true, 42},
        {"18446744073709551615", true, ~0ull},
        {"18446744073709551616", false, 0},
        {"99999999999999999999", false, 0},
        {"-1", false, 0},
        {"12a", false, 0},
        {"", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : casos) {
        std::uint64_t s = 5;
        EXPECT_EQ(LeerSemilla(QString::fromLatin1(c.texto), s), c.valida) << c.texto;
        EXPECT_EQ(s, c.valida ? c.valor : 5) << c.texto;
    }
    for (int i = 0; i < 20; ++i) {
        const std::uint64_t s = NuevaSemilla();
        EXPECT_GE(s, 1u);
        EXPECT_LE(s, 999999999u);
    }
}

} // namespace
