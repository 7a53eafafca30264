// Which documents each tree node lists, the column set, and the grid cells.
#include <QLabel>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include "ArbolPrueba.h"
#include "EntornoApp.h"
#include "ModeloArbol.h"
#include "ModeloGridPreg.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// Útiles(1) {1..5}, materia A (10) { tema (20) { contenido (30) } }, materia B (11).
class Listado : public ::testing::Test {
protected:
    void SetUp() override {
        TArbol arbol;
        pruebas::EmpezarConUtiles(arbol);
        TNodo* a = arbol.Anadir(nullptr, "Materia A", "10");
        TNodo* tema = arbol.Anadir(a, "Tema", "20");
        arbol.Anadir(tema, "Contenido", "30");
        arbol.Anadir(nullptr, "Materia B", "11");
        arbol.Guardar(carpeta.Archivo("Arbol0.tvw"));

        Preparar(carpeta, [](TAlmacen& al) {
            PonerLibro(al, 1, 444444, "Uno", "uno");
            PonerLibro(al, 2, 555555, "Dos", "dos");
            PonerDocumento(al, 1, 444444, 10, 0, 0);
            PonerDocumento(al, 2, 444444, 10, 20, 0);
            PonerDocumento(al, 3, 444444, 10, 20, 30);
            PonerDocumento(al, 4, 444444, 0, 0, 0);
            PonerDocumento(al, 5, 444444, 10, 20, 99); // its contenido was deleted
            PonerDocumento(al, 6, 444444, 1, 1, 0);    // a question model
            PonerDocumento(al, 7, 555555, 11, 0, 0);   // another book's
            PonerDocumento(al, 8, 444444, 1, 5, 0);    // dropped on "Todos"
            PonerDocumento(al, 40, 444444, 10, 0, 0);
            al.Documentos[40].Puntos = 2.5;
            al.Documentos[40].Dificultad = 7;
            al.Documentos[40].Tipo = 2;
            al.Documentos[40].Marcado = true; // marks are never loaded
            al.LibroActivo = 1;
        });
        form = Arrancar(carpeta);
    }

    TNodo* Nodo(const QString& texto) {
        TNodo* r = nullptr;
        form->Almacen().Arbol.Recorrer([&](TNodo* n) {
            if (!r && n->Texto == texto)
                r = n;
        });
        return r;
    }

    QList<int> Listados(const QString& texto) {
        TNodo* n = Nodo(texto);
        EXPECT_NE(n, nullptr) << texto.toStdString();
        form->SeleccionarNodo(n);
        QList<int> r;
        const TAlmacen& a = form->Almacen();
        for (int i = 1; i <= a.NumListados; ++i)
            r << a.ListaPreg[i];
        // Entries past the listed rows are empty.
        for (int i = a.NumListados + 1; i <= MaxDocumentos; ++i)
            EXPECT_EQ(a.ListaPreg[i], -1);
        EXPECT_EQ(form->GridPreg->model()->rowCount(), a.NumListados);
        return r;
    }

    TCarpeta carpeta{false};
    ui::TGuion guion;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(Listado, ArranqueListaLaPrimeraMateriaYHaceActualSuPrimerDocumento) {
    ASSERT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Materia A"));
    EXPECT_EQ(form->Almacen().NumListados, 5);
    EXPECT_EQ(form->Almacen().DocActual, 1);
    EXPECT_FALSE(form->GridPreg->isHidden());
    EXPECT_TRUE(form->LabNoHayDocumentos->isHidden());
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 0);
    EXPECT_EQ(form->GridPreg->currentIndex().column(), 2);
}

TEST_F(Listado, CadaNivelListaSusDocumentosEnOrdenDeNumero) {
    EXPECT_EQ(Listados("Materia A"), QList<int>({1, 2, 3, 5, 40}));
    EXPECT_EQ(Listados("Tema"), QList<int>({2, 3, 5}));
    EXPECT_EQ(Listados("Contenido"), QList<int>({3}));
    EXPECT_EQ(Listados("Materia B"), QList<int>({7})); // whatever the active book
    EXPECT_EQ(Listados("No asignados"), QList<int>({4, 5}));
    EXPECT_EQ(Listados("Todos"), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 40}));
    EXPECT_EQ(Listados("Modelos de pregunta"), QList<int>({6}));
    EXPECT_EQ(Listados("Exámenes"), QList<int>());
}

TEST_F(Listado, UtilesNoListaNadaYMuestraNoHayDocumentos) {
    form->Almacen().DocActual = 3;
    EXPECT_EQ(Listados("Útiles"), QList<int>());
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_FALSE(form->LabNoHayDocumentos->isHidden());
    EXPECT_EQ(form->Almacen().DocActual, 0);
    EXPECT_TRUE(form->SBPropDoc->isHidden());
}

TEST_F(Listado, ColumnasReducidasBajoLosModelosYCompletasBajoTodos) {
    Listados("Modelos de pregunta");
    for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c) {
        const bool visible = c == 0 || c == 2 || c == 9;
        EXPECT_EQ(form->GridPreg->isColumnHidden(c), !visible) << c;
    }
    EXPECT_TRUE(form->SBPropDoc->isHidden());

    Listados("Todos");
    for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c) {
        EXPECT_FALSE(form->GridPreg->isColumnHidden(c)) << c;
        EXPECT_EQ(form->GridPreg->columnWidth(c), TModeloGridPreg::Ancho(c)) << c;
    }
    EXPECT_FALSE(form->SBPropDoc->isHidden());
    EXPECT_FALSE(form->SBVerExamen->isHidden());
}

TEST_F(Listado, CeldasYEncabezados) {
    const QStringList encabezados = {"Nº",    "",         "Descripción", "Dif.",   "Punt.", "Tipo",
                                     "Resp.", "Contador", "Simil",       "Creado", "Usado"};
    const QList<int> anchos = {35, 21, 250, 38, 33, 37, 33, 46, 46, 70, 70};
    auto* modelo = form->ModeloGridPreg;
    for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c) {
        EXPECT_EQ(modelo->headerData(c, Qt::Horizontal).toString(), encabezados[c]);
        EXPECT_EQ(TModeloGridPreg::Ancho(c), anchos[c]);
    }
    Listados("Materia A");
    // Row 5 is document 40.
    EXPECT_EQ(modelo->GridPregGetCellData(5, 0).toInt(), 40);
    EXPECT_EQ(modelo->GridPregGetCellData(5, 1).toBool(), false);
    EXPECT_EQ(modelo->index(4, 2).data().toString(), QStringLiteral("Documento 40"));
    EXPECT_EQ(modelo->index(4, 3).data().toString(), QStringLiteral("7"));
    EXPECT_EQ(modelo->index(4, 4).data().toString(), QStringLiteral("2,50"));
    EXPECT_EQ(modelo->index(4, 5).data().toString(), QStringLiteral("Prob"));
    EXPECT_EQ(modelo->index(4, 9).data().toString(), QStringLiteral("01/02/2024"));
    EXPECT_EQ(modelo->index(4, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    EXPECT_FALSE(modelo->GridPregGetCellData(6, 0).isValid()); // past the listed rows
    EXPECT_FALSE(modelo->GridPregGetCellData(0, 0).isValid()); // heading row
    EXPECT_FALSE(modelo->GridPregGetCellData(1, 11).isValid());
}

TEST_F(Listado, LaCeldaActivaSigueAlDocumentoSalvoEnLaColumnaDeMarca) {
    Listados("Materia A");
    EXPECT_EQ(form->Almacen().DocActual, 1);
    form->GridPreg->setCurrentIndex(form->ModeloGridPreg->index(2, 2));
    EXPECT_EQ(form->Almacen().DocActual, 3);
    EXPECT_EQ(form->Almacen().DocAnterior, 1);
    // A click in the mark column does not change the current document.
    form->GridPreg->setCurrentIndex(form->ModeloGridPreg->index(4, 1));
    EXPECT_EQ(form->Almacen().DocActual, 3);
}
