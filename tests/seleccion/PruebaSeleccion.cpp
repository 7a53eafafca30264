// The automatic choice on a generated library: which documents each filter
// lets through, the order of preference, similarity groups, rows that share
// documents or fall short, seeds, and appending the result to the exam list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "BibliotecaSeleccion.h"
#include "Seleccion.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// Documents with every kind of place, difficulty, type and date of use.
void DocumentosBase(TAlmacen& a) {
    PrepararBiblioteca(a);
    const TDocPrueba docs[] = {
        {1, {2, 0, 0}, 5, 1},
        {2, {2, 1, 0}, 3, 2},
        {3, {2, 1, 1}, 6, 1, 1, "15/10/2024"},
        {4, {2, 1, 2}, 9, 3},
        {5, {2, 2, 0}, 0, 1, 1, "31/08/2024"},
        {6, {2, 1, 1}, 4, 1, 0, "01/01/1900", 0, LibroB},
        {7, {7, 2, 1}, 5, 1},
        {8, {7, 0, 0}, 5, 1, 2, "ayer"},
        {9, {1, 3, 0}, 5, 1},  // an exam
        {10, {1, 2, 0}, 5, 1}, // an exam model
        {11, {1, 1, 0}, 5, 1}, // a question model
        {12, {2, 1, 1}, 2, 3, 3, "01/09/2024"},
        {13, {0, 0, 0}, 5, 1},
        {14, {2, 9, 0}, 8, 0}, // a tema the tree does not have
        {15, {2, 1, 1}, 7, 0},
    };
    for (const TDocPrueba& d : docs)
        PonerDocumento(a, d);
}

std::set<int> Conjunto(const std::vector<int>& v) {
    return {v.begin(), v.end()};
}

struct CasoFiltro {
    const char* nombre;
    TLugar nodo;
    int desde, hasta, tipo;
    const char* noUsadasDesde; // "" for no limit
    std::set<int> esperados;
};

class FiltroSeleccion : public testing::TestWithParam<CasoFiltro> {};

TEST_P(FiltroSeleccion, TomaLosQuePasanElFiltro) {
    const CasoFiltro& c = GetParam();
    TAlmacen a;
    DocumentosBase(a);
    TFilaSeleccion fila{Nodo(a, c.nodo.Materia, c.nodo.Tema, c.nodo.Contenido), c.desde, c.hasta,
                        c.tipo, MaxExamen};
    ASSERT_NE(fila.Nodo, nullptr);
    TOpcionesSeleccion o;
    o.IdLibro = LibroA;
    o.NoUsadasDesde = QDate::fromString(QString::fromLatin1(c.noUsadasDesde), "dd/MM/yyyy");
    const TResultadoSeleccion r = Seleccionar(a, {fila}, o);
    EXPECT_EQ(Conjunto(r.Documentos), c.esperados);
    EXPECT_EQ(r.Documentos.size(), c.esperados.size());
    ASSERT_EQ(r.Filas.size(), 1u);
    EXPECT_EQ(r.Filas[0].Encontradas, static_cast<int>(c.esperados.size()));
    EXPECT_EQ(r.Filas[0].Faltan(), MaxExamen - static_cast<int>(c.esperados.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Filtros, FiltroSeleccion,
    testing::Values(
        CasoFiltro{"Materia", {2, 0, 0}, 0, 9, 0, "", {1, 2, 3, 4, 5, 12, 14, 15}},
        CasoFiltro{"Tema", {2, 1, 0}, 0, 9, 0, "", {2, 3, 4, 12, 15}},
        CasoFiltro{"Contenido", {2, 1, 1}, 0, 9, 0, "", {3, 12, 15}},
        CasoFiltro{"TemaConElMismoIdQueUnaMateria", {2, 2, 0}, 0, 9, 0, "", {5}},
        CasoFiltro{"OtraMateria", {7, 0, 0}, 0, 9, 0, "", {7, 8}},
        CasoFiltro{"ContenidoDeOtraMateria", {7, 2, 1}, 0, 9, 0, "", {7}},
        CasoFiltro{"Dificultad", {2, 0, 0}, 3, 6, 0, "", {1, 2, 3}},
        CasoFiltro{"DificultadExacta", {2, 0, 0}, 9, 9, 0, "", {4}},
        CasoFiltro{"TipoTest", {2, 0, 0}, 0, 9, 1, "", {1, 3, 5}},
        CasoFiltro{"TipoPreg", {2, 0, 0}, 0, 9, 3, "", {4, 12}},
        CasoFiltro{"NoUsadasDesde", {2, 0, 0}, 0, 9, 0, "01/09/2024", {1, 2, 4, 5, 14, 15}},
        CasoFiltro{"FechaIlegibleCuentaComoUsada", {7, 0, 0}, 0, 9, 0, "01/01/2000", {7}},
        CasoFiltro{"TodoJunto", {2, 1, 0}, 2, 6, 1, "01/09/2024", {}}),
    [](const testing::TestParamInfo<CasoFiltro>& i) { return std::string(i.param.nombre); });

TEST(Seleccion, NuncaEligeModelosExamenesNiOtrosLibros) {
    TAlmacen a;
    DocumentosBase(a);
    // Every node that a row can name, and every node of the tree for the
    // listing below it.
    a.Arbol.Recorrer([&](TNodo* n) {
        const std::vector<int> bajo = DocumentosBajoNodo(a, n);
        for (int k : bajo)
            EXPECT_NE(a.Documentos[k].IdMateria, 1) << n->Texto.toStdString();
        if (!NodoSeleccionable(n)) {
            EXPECT_TRUE(bajo.empty()) << n->Texto.toStdString();
            return;
        }
        TOpcionesSeleccion o;
        o.IdLibro = LibroA;
        for (int k : Seleccionar(a, {{n, 0, 9, 0, MaxExamen}}, o).Documentos) {
            EXPECT_NE(a.Documentos[k].IdMateria, 1);
            EXPECT_EQ(a.Documentos[k].IdLibro, LibroA);
        }
    });
    TOpcionesSeleccion b;
    b.IdLibro = LibroB;
    EXPECT_EQ(Seleccionar(a, {{Nodo(a, 2), 0, 9, 0, 5}}, b).Documentos, std::vector<int>{6});
    // A document of no book, with no book given.
    PonerDocumento(a, {16, {2, 0, 0}, 5, 1, 0, "01/01/1900", 0, 0});
    EXPECT_TRUE(
        Seleccionar(a, {{Nodo(a, 2), 0, 9, 0, 5}}, TOpcionesSeleccion{}).Documentos.empty());
}

TEST(Seleccion, PrefiereLasMenosUsadasYLasDeUsoMasAntiguo) {
    TAlmacen a;
    PrepararBiblioteca(a);
    PonerDocumento(a, {21, {2, 1, 0}, 5, 1, 2, "01/01/2020"});
    PonerDocumento(a, {22, {2, 1, 0}, 5, 1, 0, "10/03/2023"});
    PonerDocumento(a, {23, {2, 1, 0}, 5, 1, 1, "01/01/2024"});
    PonerDocumento(a, {24, {2, 1, 0}, 5, 1, 0, "01/01/1900"});
    PonerDocumento(a, {25, {2, 1, 0}, 5, 1, 1, "02/02/2019"});
    std::set<int> primeros;
    for (std::uint64_t semilla = 1; semilla <= 40; ++semilla) {
        TOpcionesSeleccion o;
        o.IdLibro = LibroA;
        o.Semilla = semilla;
        const std::vector<TFilaSeleccion> filas{{Nodo(a, 2, 1), 0, 9, 0, 4}};
        EXPECT_EQ(Seleccionar(a, filas, o).Documentos, (std::vector<int>{24, 22, 25, 23}));
        o.PreferirMenosUsadas = false;
        primeros.insert(Seleccionar(a, filas, o).Documentos.front());
    }
    // Without the preference the seed alone orders them.
    EXPECT_EQ(primeros, (std::set<int>{21, 22, 23, 24, 25}));
}

TEST(Seleccion, LosEmpatesLosDecideLaSemilla) {
    TAlmacen a;
    PrepararBiblioteca(a);
    for (int k = 1; k <= 200; ++k)
        PonerDocumento(a, {k, {2, 1, k % 3}, k % 10, 1 + k % 3, k % 2});
    const std::vector<TFilaSeleccion> filas{{Nodo(a, 2), 0, 9, 0, 10},
                                            {Nodo(a, 2, 1, 1), 2, 7, 2, 5}};
    std::set<std::vector<int>> distintos;
    std::set<int> vistos;
    for (std::uint64_t semilla : {0ull, 1ull, 2ull, 3ull, 99ull, 12345678901234ull}) {
        TOpcionesSeleccion o;
        o.IdLibro = LibroA;
        o.Semilla = semilla;
        const TResultadoSeleccion r = Seleccionar(a, filas, o);
        EXPECT_EQ(Seleccionar(a, filas, o).Documentos, r.Documentos);
        EXPECT_TRUE(r.Completa());
        for (int k : r.Filas[0].Documentos)
            EXPECT_EQ(a.Documentos[k].Usos, 0); // 100 unused ones come first
        distintos.insert(r.Documentos);
        vistos.insert(r.Documentos.begin(), r.Documentos.end());
    }
    EXPECT_EQ(distintos.size(), 6u);
    EXPECT_GT(vistos.size(), 40u);
}

TEST(Seleccion, UnaPreguntaPorGrupoDeSimilitudEnTodoElExamen) {
    TAlmacen a;
    PrepararBiblioteca(a);
    const int grupos[] = {5, 5, 5, 8, 8, 0, 0, 9, -3, 5};
    for (int i = 0; i < 10; ++i)
        PonerDocumento(a, {31 + i, {2, i < 5 ? 1 : 2, 0}, 5, 1, 0, "01/01/1900", grupos[i]});
    const std::vector<TFilaSeleccion> filas{{Nodo(a, 2, 1), 0, 9, 0, 10},
                                            {Nodo(a, 2, 2), 0, 9, 0, 10}};
    for (std::uint64_t semilla = 0; semilla < 20; ++semilla) {
        TOpcionesSeleccion o;
        o.IdLibro = LibroA;
        o.Semilla = semilla;
        o.UnaPorGrupo = true;
        const TResultadoSeleccion r = Seleccionar(a, filas, o);
        std::set<int> vistos;
        for (int k : r.Documentos) {
            const int g = a.Documentos[k].Similitud;
            EXPECT_TRUE(g == 0 || vistos.insert(g).second) << "grupo " << g;
        }
        EXPECT_EQ(r.Filas[0].Encontradas, 2); // groups 5 and 8
        EXPECT_EQ(r.Filas[1].Encontradas, 4); // two without group, 9, -3; 5 went above
        EXPECT_EQ(r.Documentos.size(), 6u);

        // A document already listed is not chosen again and closes its group.
        o.YaEnExamen = {34};
        const TResultadoSeleccion conLista = Seleccionar(a, filas, o);
        EXPECT_EQ(conLista.Filas[0].Tomadas, 1);
        for (int k : conLista.Documentos)
            EXPECT_NE(a.Documentos[k].Similitud, 8);
    }
    TOpcionesSeleccion sinGrupos;
    sinGrupos.IdLibro = LibroA;
    EXPECT_EQ(Seleccionar(a, filas, sinGrupos).Documentos.size(), 10u);
}

TEST(Seleccion, LasFilasNoRepitenDocumentosYDicenLoQueFalta) {
    TAlmacen a;
    DocumentosBase(a);
    TOpcionesSeleccion o;
    o.IdLibro = LibroA;
    o.Semilla = 7;
    const TResultadoSeleccion r = Seleccionar(
        a, {{Nodo(a, 2, 1), 0, 9, 0, 3}, {Nodo(a, 2), 0, 9, 0, 6}, {Nodo(a, 2, 1, 1), 0, 9, 0, 1}},
        o);
    ASSERT_EQ(r.Filas.size(), 3u);
    EXPECT_EQ(r.Filas[0].Tomadas, 3);
    EXPECT_EQ(r.Filas[1].Encontradas, 5); // 8 under the materia, 3 taken above
    EXPECT_EQ(r.Filas[1].Tomadas, 5);
    EXPECT_EQ(r.Filas[1].Faltan(), 1);
    EXPECT_EQ(r.Filas[2].Encontradas, 0);
    EXPECT_EQ(r.Filas[2].Faltan(), 1);
    EXPECT_FALSE(r.Completa());
    EXPECT_EQ(Conjunto(r.Documentos).size(), r.Documentos.size());
    std::vector<int> enOrden = r.Filas[0].Documentos;
    enOrden.insert(enOrden.end(), r.Filas[1].Documentos.begin(), r.Filas[1].Documentos.end());
    EXPECT_EQ(r.Documentos, enOrden);
}

TEST(Seleccion, FilasQueNoSePuedenUsar) {
    TAlmacen a;
    DocumentosBase(a);
    const TFilaSeleccion buena{Nodo(a, 2), 0, 9, 0, 1};
    auto con = [&](auto cambio) {
        TFilaSeleccion f = buena;
        cambio(f);
        return f;
    };
    const TFilaSeleccion malas[] = {
        con([](TFilaSeleccion& f) { f.Nodo = nullptr; }),
        con([&](TFilaSeleccion& f) { f.Nodo = Nodo(a, 1); }),
        con([&](TFilaSeleccion& f) { f.Nodo = Nodo(a, 1, 5); }),
        con([&](TFilaSeleccion& f) { f.Nodo = Nodo(a, 1, 3); }),
        con([](TFilaSeleccion& f) { f.DificultadDesde = 6, f.DificultadHasta = 3; }),
        con([](TFilaSeleccion& f) { f.DificultadHasta = 10; }),
        con([](TFilaSeleccion& f) { f.DificultadDesde = -1; }),
        con([](TFilaSeleccion& f) { f.Tipo = 4; }),
        con([](TFilaSeleccion& f) { f.Cantidad = 0; }),
        con([](TFilaSeleccion& f) { f.Cantidad = MaxExamen + 1; }),
    };
    EXPECT_TRUE(ComprobarFila(buena, 1).isEmpty());
    TOpcionesSeleccion o;
    o.IdLibro = LibroA;
    for (const TFilaSeleccion& f : malas) {
        EXPECT_TRUE(ComprobarFila(f, 2).startsWith(QStringLiteral("Fila 2: ")));
        const TResultadoSeleccion r = Seleccionar(a, {f, buena}, o);
        EXPECT_EQ(r.Filas[0].Tomadas, 0);
        EXPECT_EQ(r.Filas[1].Tomadas, 1);
    }
}

TEST(Seleccion, FechasDeUso) {
    const struct {
        const char* texto;
        QDate fecha;
    } casos[] = {
        {"15/10/2024", {2024, 10, 15}},
        {"1/9/2024", {2024, 9, 1}},
        {" 05/03/2023 ", {2023, 3, 5}},
        {"", {1900, 1, 1}},
        {"01/01/1900", {1900, 1, 1}},
        {"31/02/2024", {}},
        {"2024-10-15", {}},
        {"15/10/24", {}},
        {"ayer", {}},
        {"15/10/2024/1", {}},
        {"1a/10/2024", {}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LeerFechaUso(QString::fromLatin1(c.texto)), c.fecha) << c.texto;
}

TEST(ListaExamen, LosElegidosSeAnadenHastaLlenarla) {
    TAlmacen a;
    DocumentosBase(a);
    a.Documentos[3].Marcado = true;
    a.ListaExamen.fill(-1); // as a load leaves it
    EXPECT_EQ(AnadirElegidosAListaExamen(a, {4, 2}), 0);
    EXPECT_EQ(DocumentosDeListaExamen(a), (std::vector<int>{4, 2}));

    for (int i = 3; i <= 97; ++i)
        a.ListaExamen[i] = 1;
    const auto antes = a.Documentos;
    EXPECT_EQ(AnadirElegidosAListaExamen(a, {5, 7, 3, 12, 14}), 2);
    EXPECT_EQ(a.ListaExamen[98], 5);
    EXPECT_EQ(a.ListaExamen[99], 7);
    EXPECT_EQ(a.ListaExamen[100], 3);
    EXPECT_EQ(std::memcmp(&antes, &a.Documentos, sizeof antes), 0); // marks and records untouched
    EXPECT_EQ(AnadirElegidosAListaExamen(a, {1}), 1);

    EXPECT_TRUE(MensajeElegidosSinSitio(0).isEmpty());
    EXPECT_EQ(MensajeElegidosSinSitio(1), QStringLiteral("La lista de examen admite 100 documentos "
                                                         "como máximo. 1 documento elegido no se "
                                                         "ha añadido."));
    EXPECT_TRUE(MensajeElegidosSinSitio(2).endsWith(
        QStringLiteral("2 documentos elegidos no se han añadido.")));
}

} // namespace
