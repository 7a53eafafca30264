// Tree edits without a window: the texts of new nodes, the documents of a
// deleted node, and marked documents dropped on a node, with their questions
// answered by a script.
#include <gtest/gtest.h>

#include "ArbolPrueba.h"
#include "BancoDocumentos.h"
#include "EdicionArbol.h"
#include "EntornoNucleo.h"

namespace brivo::pruebas {

namespace {

// Útiles (1) {1..5}; Materia A (10) { Tema (20) { Contenido (30) } }.
// Documents: 1 (10,0,0), 2 (10,20,0), 3 (10,20,30), 4 (10,20,0) of another
// book, 5 (11,0,0).
class EdicionArbol : public ::testing::Test {
protected:
    void SetUp() override {
        pruebas::EmpezarConUtiles(a.Arbol);
        TNodo* m = a.Arbol.Anadir(nullptr, QStringLiteral("Materia A"), "10");
        TNodo* t = a.Arbol.Anadir(m, QStringLiteral("Tema"), "20");
        a.Arbol.Anadir(t, QStringLiteral("Contenido"), "30");
        const TLugar lugares[] = {{10, 0, 0}, {10, 20, 0}, {10, 20, 30}, {10, 20, 0}, {11, 0, 0}};
        for (int k = 1; k <= 5; ++k) {
            TDocumento& d = a.Documentos[k];
            d.Numero = k;
            d.IdLibro = k == 4 ? 222222 : 111111;
            d.IdMateria = lugares[k - 1].Materia;
            d.IdTema = lugares[k - 1].Tema;
            d.IdContenido = lugares[k - 1].Contenido;
        }
    }
    TNodo* Nodo(const QString& texto) {
        TNodo* r = nullptr;
        a.Arbol.Recorrer([&](TNodo* n) {
            if (!r && n->Texto == texto)
                r = n;
        });
        return r;
    }
    TLugar Lugar(int k) const {
        const TDocumento& d = a.Documentos[k];
        return {d.IdMateria, d.IdTema, d.IdContenido};
    }
    TAlmacen a;
    ui::TGuion guion;
};

} // namespace

TEST_F(EdicionArbol, TextosDeLosNodosNuevos) {
    struct Caso {
        const char* nodo;
        const char* hermano;
        const char* hijo;
    };
    for (const Caso& c : {Caso{nullptr, "Nueva materia", ""}, Caso{"Útiles", "Nueva materia", ""},
                          Caso{"Todos", "", ""}, Caso{"Materia A", "Nueva materia", "Nuevo tema"},
                          Caso{"Tema", "Nuevo tema", "Nuevo contenido"},
                          Caso{"Contenido", "Nuevo contenido", ""}}) {
        const TNodo* n = c.nodo ? Nodo(QString::fromUtf8(c.nodo)) : nullptr;
        ASSERT_TRUE(!c.nodo || n) << c.nodo;
        EXPECT_EQ(TextoNodoHermano(n), QString::fromUtf8(c.hermano)) << (c.nodo ? c.nodo : "-");
        EXPECT_EQ(TextoNodoHijo(n), QString::fromUtf8(c.hijo)) << (c.nodo ? c.nodo : "-");
    }
    TNodo* hondo = a.Arbol.Anadir(Nodo(QStringLiteral("Contenido")), QStringLiteral("H"), "40");
    EXPECT_EQ(TextoNodoHermano(hondo), QStringLiteral("Nuevo nodo"));
}

TEST_F(EdicionArbol, UnNodoProtegidoNoSeBorra) {
    EXPECT_FALSE(PrepararBorradoNodo(a, Nodo(QStringLiteral("Exámenes")), nullptr));
    EXPECT_FALSE(PrepararBorradoNodo(a, Nodo(QStringLiteral("Útiles")), nullptr));
    EXPECT_EQ(TextosDe(guion), QStringList(2, QStringLiteral("No se puede borrar este nodo")));
    EXPECT_FALSE(PrepararBorradoNodo(a, nullptr, nullptr));
    EXPECT_EQ(guion.Mensajes.size(), 2);
}

TEST_F(EdicionArbol, BorrarUnTemaLlevaSusDocumentosALaMateria) {
    guion.Confirmaciones({false, true});
    TNodo* tema = Nodo(QStringLiteral("Tema"));
    EXPECT_FALSE(PrepararBorradoNodo(a, tema, nullptr)); // cancelled: nothing moves
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
    EXPECT_TRUE(PrepararBorradoNodo(a, tema, nullptr));
    // Those filed at the node itself, of any book, move; the contenido's stay.
    EXPECT_EQ(Lugar(2), (TLugar{10, 0, 0}));
    EXPECT_EQ(Lugar(4), (TLugar{10, 0, 0}));
    EXPECT_EQ(Lugar(3), (TLugar{10, 20, 30}));
    EXPECT_EQ(TextosDe(guion),
              (QStringList{"Este nodo contiene documentos\r\n¿Seguro que quiere borrarlo?",
                           "Este nodo contiene documentos\r\n¿Seguro que quiere borrarlo?",
                           "Los documentos del nodo borrado están en:\r\nTodos\r\no en\r\n"
                           "Materia A  "}));
}

TEST_F(EdicionArbol, BorrarUnaMateriaDejaSusDocumentosSinLugar) {
    guion.Confirmaciones({true});
    EXPECT_TRUE(PrepararBorradoNodo(a, Nodo(QStringLiteral("Materia A")), nullptr));
    EXPECT_EQ(Lugar(1), (TLugar{0, 0, 0}));
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
    EXPECT_EQ(TextosDe(guion).last(), QStringLiteral("Los documentos del nodo borrado están "
                                                     "en:\r\nÚtiles Todos\r\no en\r\nÚtiles No "
                                                     "asignados"));
    // A node that lists nothing goes without a question.
    guion.Mensajes.clear();
    TNodo* vacia = a.Arbol.Anadir(nullptr, QStringLiteral("Vacía"), "77");
    EXPECT_TRUE(PrepararBorradoNodo(a, vacia, nullptr));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(EdicionArbol, SoltarMarcadosEnUnNodo) {
    TNodo* contenido = Nodo(QStringLiteral("Contenido"));
    EXPECT_FALSE(SoltarMarcados(a, contenido, nullptr));
    EXPECT_EQ(TextosDe(guion), QStringList{"No hay documentos marcados"});

    a.Documentos[1].Marcado = true;
    a.Documentos[4].Marcado = true; // another book's
    a.Documentos[9].Marcado = true; // a free slot
    guion.Mensajes.clear();
    guion.Confirmaciones({false, true});
    EXPECT_FALSE(SoltarMarcados(a, contenido, nullptr));
    EXPECT_TRUE(a.Documentos[1].Marcado);
    EXPECT_TRUE(SoltarMarcados(a, contenido, nullptr));
    for (int k : {1, 4}) {
        EXPECT_EQ(Lugar(k), (TLugar{10, 20, 30})) << k;
        EXPECT_FALSE(a.Documentos[k].Marcado) << k;
    }
    EXPECT_EQ(Lugar(9), (TLugar{0, 0, 0}));
    EXPECT_EQ(TextosDe(guion)[0], QStringLiteral("¿Seguro que quiere mover los documentos "
                                                 "marcados al nodo\r\nMateria A Tema Contenido?"));
}

TEST_F(EdicionArbol, EnModoConsultaNadaCambia) {
    a.SoloConsulta = true;
    a.Documentos[1].Marcado = true;
    EXPECT_FALSE(PrepararBorradoNodo(a, Nodo(QStringLiteral("Tema")), nullptr));
    EXPECT_FALSE(SoltarMarcados(a, Nodo(QStringLiteral("Contenido")), nullptr));
    EXPECT_EQ(TextosDe(guion), QStringList(2, QString::fromUtf8(TextoSoloConsulta)));
    EXPECT_EQ(Lugar(1), (TLugar{10, 0, 0}));
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
}

} // namespace brivo::pruebas
