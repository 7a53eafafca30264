// The command "Selección automática…" without its window: the nodes a row can
// name, the checks of the blueprint, the report per row and the question it
// ends with, and the date the dialog proposes.
#include <gtest/gtest.h>

#include "BibliotecaSeleccion.h"
#include "DialogoUsuario.h"
#include "SeleccionAutomatica.h"
#include "TextosQt.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

TEST(SeleccionAutomatica, NodosQueUnaFilaPuedeNombrar) {
    TAlmacen a;
    PrepararBiblioteca(a);
    QStringList rutas;
    for (const TNodo* n : NodosSeleccionables(a.Arbol))
        rutas << RutaNodo(n);
    // Tree order, "Útiles" and its special nodes left out.
    EXPECT_EQ(rutas, (Utf8({"Álgebra", "Álgebra / Ecuaciones", "Álgebra / Ecuaciones / Lineales",
                            "Álgebra / Ecuaciones / Cuadráticas", "Álgebra / Funciones", "Historia",
                            "Historia / Edad Media", "Historia / Edad Media / Reinos"})));
    EXPECT_EQ(RutaNodo(nullptr), QString());
}

TEST(SeleccionAutomatica, LaPrimeraFilaQueFalla) {
    TAlmacen a;
    PrepararBiblioteca(a);
    const TNodo* algebra = Nodo(a, 2);
    const TNodo* examenes = Nodo(a, 1, 3);
    EXPECT_TRUE(ComprobarFilas({}).Hay());
    EXPECT_EQ(ComprobarFilas({}).Fila, -1);
    EXPECT_FALSE(ComprobarFilas({{algebra, 0, 9, 0, 3}}).Hay());
    const TFaltaFila f =
        ComprobarFilas({{algebra, 0, 9, 0, 3}, {examenes, 0, 9, 0, 1}, {nullptr, 0, 9, 0, 1}});
    EXPECT_EQ(f.Fila, 1);
    EXPECT_TRUE(f.Mensaje.startsWith(QStringLiteral("Fila 2: «Exámenes»")))
        << f.Mensaje.toStdString();
    EXPECT_EQ(ComprobarFilas({{algebra, 0, 9, 0, 3}, {algebra, 0, 9, 0, 0}}).Fila, 1);
}

TEST(SeleccionAutomatica, InformeYPreguntaFinal) {
    TAlmacen a;
    PrepararBiblioteca(a);
    for (int k = 1; k <= 3; ++k)
        PonerDocumento(a, {k, {2, 1, 1}});
    PonerDocumento(a, {4, {7, 2, 1}});
    const std::vector<TFilaSeleccion> filas{{Nodo(a, 2, 1, 1), 0, 9, 0, 2},
                                            {Nodo(a, 7), 0, 9, 0, 3}};
    TOpcionesSeleccion o;
    o.IdLibro = LibroA;
    const TResultadoSeleccion r = Seleccionar(a, filas, o);
    ASSERT_FALSE(r.Completa());
    EXPECT_EQ(InformeSeleccion(filas, r),
              QStringLiteral("Fila 1, Álgebra / Ecuaciones / Lineales: pedidas 2, encontradas 3, "
                             "tomadas 2.\r\nFila 2, Historia: pedidas 3, encontradas 1, tomadas 1. "
                             "No se puede completar: faltan 2.\r\nAlguna fila no se ha podido "
                             "completar. Pulse Aceptar para añadir a la lista de examen lo elegido "
                             "(3 preguntas) o Cancelar para volver a las filas."));

    // OK writes, Cancel goes back; one question in the singular.
    const std::vector<TFilaSeleccion> una{{Nodo(a, 7, 2), 0, 9, 0, 1}};
    const TResultadoSeleccion r1 = Seleccionar(a, una, o);
    ui::TGuion guion;
    guion.Confirmaciones({true, false});
    EXPECT_TRUE(ConfirmarSeleccion(nullptr, una, r1));
    EXPECT_FALSE(ConfirmarSeleccion(nullptr, una, r1));
    ASSERT_EQ(guion.Mensajes.size(), 2);
    EXPECT_TRUE(guion.Mensajes[0].Texto.endsWith(
        QStringLiteral("Se añadirá 1 pregunta a la lista de examen. Pulse Aceptar para "
                       "añadirla o Cancelar para volver a las filas.")))
        << guion.Mensajes[0].Texto.toStdString();

    // Nothing found: only told, never written.
    const std::vector<TFilaSeleccion> nada{{Nodo(a, 2, 2), 0, 9, 0, 1}};
    EXPECT_FALSE(ConfirmarSeleccion(nullptr, nada, Seleccionar(a, nada, o)));
    EXPECT_EQ(guion.Mensajes.back().Tipo, ui::TipoMensaje::Informacion);
}

TEST(SeleccionAutomatica, ElCursoEmpiezaElUnoDeSeptiembre) {
    const struct {
        QDate hoy, inicio;
    } casos[] = {
        {{2025, 8, 31}, {2024, 9, 1}},  {{2025, 9, 1}, {2025, 9, 1}},
        {{2025, 12, 31}, {2025, 9, 1}}, {{2026, 1, 1}, {2025, 9, 1}},
        {{2024, 2, 29}, {2023, 9, 1}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(InicioDeCurso(c.hoy), c.inicio) << c.hoy.toString().toStdString();
}

} // namespace
