// Versions of an exam before the word processor: the orders, the records the
// creation needs and their descriptions, the count of use, and what each
// question puts on the answer sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "BibliotecaSeleccion.h"
#include "HojaRespuestas.h"
#include "Versiones.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

struct CasoVersiones {
    std::vector<int> lista;
    int versiones;
    int distintos; // different orders the plan can give
};

void PrintTo(const CasoVersiones& c, std::ostream* os) {
    *os << c.lista.size() << " entradas, " << c.versiones << " versiones";
}

class PlanVersiones : public testing::TestWithParam<CasoVersiones> {};

TEST_P(PlanVersiones, CadaVersionEsUnaPermutacionDistinta) {
    const CasoVersiones& c = GetParam();
    std::vector<int> ordenada = c.lista;
    std::sort(ordenada.begin(), ordenada.end());
    for (std::uint64_t semilla : {1ull, 2ull, 31337ull}) {
        const TPlanVersiones plan = PlanearVersiones(c.lista, c.versiones, semilla);
        ASSERT_EQ(plan.Ordenes.size(), static_cast<size_t>(std::clamp(c.versiones, 1, 4)));
        EXPECT_EQ(plan.Ordenes[0], c.lista);
        for (const std::vector<int>& orden : plan.Ordenes) {
            std::vector<int> o = orden;
            std::sort(o.begin(), o.end());
            EXPECT_EQ(o, ordenada);
        }
        const std::set<std::vector<int>> distintos(plan.Ordenes.begin(), plan.Ordenes.end());
        EXPECT_EQ(static_cast<int>(distintos.size()), c.distintos);
        EXPECT_EQ(plan.OrdenesDistintos, c.distintos);
        EXPECT_EQ(plan.Repetidas(), c.distintos < static_cast<int>(plan.Ordenes.size()));
        // Versions past the different orders repeat them from version A on.
        for (size_t v = static_cast<size_t>(c.distintos); v < plan.Ordenes.size(); ++v)
            EXPECT_EQ(plan.Ordenes[v], plan.Ordenes[v - static_cast<size_t>(c.distintos)]);
        EXPECT_EQ(PlanearVersiones(c.lista, c.versiones, semilla).Ordenes, plan.Ordenes);
    }
}

std::vector<int> Del1Al(int n) {
    std::vector<int> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] = 100 + 3 * i;
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Ordenes, PlanVersiones,
    testing::Values(CasoVersiones{{}, 4, 1}, CasoVersiones{{7}, 4, 1}, CasoVersiones{{7, 9}, 4, 2},
                    CasoVersiones{{7, 9}, 2, 2}, CasoVersiones{{5, 5, 7}, 4, 3},
                    CasoVersiones{{5, 5, 5}, 3, 1}, CasoVersiones{{1, 2, 3}, 4, 4},
                    CasoVersiones{Del1Al(25), 4, 4}, CasoVersiones{Del1Al(100), 4, 4},
                    CasoVersiones{Del1Al(6), 1, 1}, CasoVersiones{Del1Al(6), 9, 4},
                    CasoVersiones{Del1Al(6), 0, 1}));

TEST(Versiones, OtraSemillaOtrosOrdenes) {
    std::set<std::vector<std::vector<int>>> planes;
    for (std::uint64_t semilla = 0; semilla < 10; ++semilla)
        planes.insert(PlanearVersiones(Del1Al(25), 4, semilla).Ordenes);
    EXPECT_EQ(planes.size(), 10u);
}

TEST(Versiones, Descripciones) {
    EXPECT_EQ(DescripcionExamen(12, 0, 1), QStringLiteral("Examen 12"));
    EXPECT_EQ(DescripcionExamen(12, 0, 3), QStringLiteral("Examen 12 - Versión A"));
    EXPECT_EQ(DescripcionExamen(12, 3, 4), QStringLiteral("Examen 12 - Versión D"));
    EXPECT_EQ(DescripcionHojaRespuestas(12, 1, 2), QStringLiteral("Respuestas - Versión B"));
    EXPECT_EQ(DescripcionHojaRespuestas(12, 0, 1), QStringLiteral("Respuestas - Examen 12"));
    EXPECT_EQ(TextoVersion(2), QStringLiteral("Versión C"));

    TAlmacen a;
    PrepararBiblioteca(a);
    EXPECT_EQ(NumeroNuevoExamen(a), 1);
    PonerDocumento(a, {40, {1, 3, 0}});
    PonerDocumento(a, {41, {1, 3, 0}});
    PonerDocumento(a, {42, {1, 2, 0}});
    PonerDocumento(a, {43, {2, 3, 0}});
    EXPECT_EQ(NumeroNuevoExamen(a), 3);
}

TEST(Versiones, LosRegistrosHanDeCaber) {
    const struct {
        int usados, versiones;
        bool hojas;
        int necesarios;
        const char* mensaje; // "" when it fits
    } casos[] = {
        {0, 4, true, 8, ""},
        {492, 4, true, 8, ""},
        {493, 4, true, 8,
         "necesita 8 documentos nuevos y en la tabla de documentos solo quedan 7 "
         "huecos libres"},
        {499, 2, false, 2, "solo queda 1 hueco libre"},
        {500, 1, false, 1,
         "necesita 1 documento nuevo y en la tabla de documentos no queda ningún"},
        {499, 1, true, 2, "necesita 2 documentos nuevos"},
    };
    for (const auto& c : casos) {
        TAlmacen a;
        PrepararBiblioteca(a);
        for (int k = 1; k <= c.usados; ++k)
            PonerDocumento(a, {k, {2, 1, 0}});
        EXPECT_EQ(RegistrosNecesarios(c.versiones, c.hojas), c.necesarios);
        EXPECT_EQ(HuecosLibres(a), MaxDocumentos - c.usados);
        const QString m = ComprobarHuecos(a, c.versiones, c.hojas);
        if (*c.mensaje == 0) {
            EXPECT_TRUE(m.isEmpty()) << m.toStdString();
        } else {
            EXPECT_TRUE(m.contains(QString::fromUtf8(c.mensaje))) << m.toStdString();
            EXPECT_TRUE(m.endsWith(QStringLiteral("No se ha creado nada.")));
        }
    }
}

TEST(Versiones, ElUsoSeCuentaUnaVezPorCreacion) {
    TAlmacen a;
    PrepararBiblioteca(a);
    PonerDocumento(a, {3, {2, 1, 0}, 5, 1, 4, "01/01/2020"});
    PonerDocumento(a, {5, {2, 1, 0}, 5, 1, 0});
    PonerDocumento(a, {8, {2, 1, 0}, 5, 1, 1, "02/02/2022"});
    const std::vector<int> lista{3, 5, 3, 7}; // 7 is a free slot
    const TPlanVersiones plan = PlanearVersiones(lista, 4, 9);
    EXPECT_EQ(RegistrarUsos(a, plan.Ordenes[0], QStringLiteral("20/05/2025")), 3);
    EXPECT_EQ(a.Documentos[3].Usos, 6);
    EXPECT_EQ(a.Documentos[5].Usos, 1);
    EXPECT_EQ(a.Documentos[3].FechaUso.Texto(), QStringLiteral("20/05/2025"));
    EXPECT_EQ(a.Documentos[8].Usos, 1);
    EXPECT_EQ(a.Documentos[8].FechaUso.Texto(), QStringLiteral("02/02/2022"));
    EXPECT_FALSE(a.Documentos[7].Usado());
}

TEST(HojaRespuestas, LoQueCadaPreguntaPoneEnLaHoja) {
    TSecciones conRespuesta;
    conRespuesta.Inicio[SecRespuesta] = 40;
    conRespuesta.Fin[SecRespuesta] = 60;
    TSecciones respuestaVacia;
    respuestaVacia.Inicio[SecRespuesta] = 40;
    respuestaVacia.Fin[SecRespuesta] = 40;
    const TSecciones sinRespuesta;
    const struct {
        int tipo;
        const char* respuesta;
        const TSecciones& secciones;
        ContenidoLineaHoja contenido;
        const char* texto;
    } casos[] = {
        {1, "B", conRespuesta, ContenidoLineaHoja::Seccion, "4."},
        {1, "B", sinRespuesta, ContenidoLineaHoja::Letra, "4. B"},
        {1, " c ", respuestaVacia, ContenidoLineaHoja::Letra, "4. c"},
        {1, "", sinRespuesta, ContenidoLineaHoja::SinRespuesta, "4."},
        {2, "B", sinRespuesta, ContenidoLineaHoja::SinRespuesta, "4."},
        {0, "B", sinRespuesta, ContenidoLineaHoja::SinRespuesta, "4."},
        {3, "", conRespuesta, ContenidoLineaHoja::Seccion, "4."},
    };
    for (const auto& c : casos) {
        TDocumento d;
        d.Numero = 17;
        d.Tipo = c.tipo;
        d.Respuesta = QString::fromLatin1(c.respuesta);
        const TLineaHoja l = LineaHoja(d, 4, c.secciones);
        EXPECT_EQ(l.Contenido, c.contenido) << c.tipo << c.respuesta;
        EXPECT_EQ(l.Texto, QString::fromLatin1(c.texto));
        EXPECT_EQ(l.Documento, 17);
        EXPECT_EQ(l.Pregunta, 4);
    }
}

TEST(HojaRespuestas, NumeraLasPreguntasLeidasDeCadaVersion) {
    TAlmacen a;
    PrepararBiblioteca(a);
    PonerDocumento(a, {2, {2, 1, 0}, 5, 1});
    PonerDocumento(a, {4, {2, 1, 0}, 5, 3});
    PonerDocumento(a, {9, {2, 1, 0}, 5, 1});
    a.Documentos[2].Respuesta = QStringLiteral("D");
    TSecciones conRespuesta;
    conRespuesta.Inicio[SecRespuesta] = 1;
    conRespuesta.Fin[SecRespuesta] = 9;
    std::vector<int> consultados;
    const auto secciones = [&](int k) -> std::optional<TSecciones> {
        consultados.push_back(k);
        if (k == 9)
            return std::nullopt; // could not be read
        return k == 4 ? conRespuesta : TSecciones{};
    };
    const std::vector<TLineaHoja> hoja = ContenidoHojaRespuestas(a, {9, 4, 6, 2, 4}, secciones);
    ASSERT_EQ(hoja.size(), 3u);
    EXPECT_EQ(consultados, (std::vector<int>{9, 4, 2, 4})); // 6 is a free slot
    EXPECT_EQ(hoja[0].Documento, 4);
    EXPECT_EQ(hoja[0].Contenido, ContenidoLineaHoja::Seccion);
    EXPECT_EQ(hoja[1].Texto, QStringLiteral("2. D"));
    EXPECT_EQ(hoja[2].Pregunta, 3);
    EXPECT_EQ(hoja[2].Texto, QStringLiteral("3."));
}

} // namespace
