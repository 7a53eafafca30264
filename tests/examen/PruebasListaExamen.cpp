// The exam pane: showing and hiding it, moving marked documents into the list,
// removing and reordering entries, editing descriptions, the active row.
#include <QAction>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "EntornoExamen.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "VistaGridExamen.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class ListaExamen : public TEntornoExamen {
protected:
    void SetUp() override {
        Arrancar([](TAlmacen& a) {
            for (int k : {3, 5, 7, 8, 9, 12})
                PonerDocumento(a, k, IdLibro, 2, 0, 0);
        });
    }
    QList<int> Lista() {
        QList<int> r;
        for (int i = 1; i <= MaxExamen; ++i)
            if (A().ListaExamen[i] > 0)
                r << A().ListaExamen[i];
        return r;
    }
    void Marcar(std::initializer_list<int> docs) {
        for (int k : docs)
            A().Documentos[k].Marcado = true;
    }
    void Poner(std::initializer_list<int> docs) {
        for (int i = 1; i <= MaxExamen; ++i)
            A().ListaExamen[i] = -1;
        int i = 1;
        for (int k : docs)
            A().ListaExamen[i++] = k;
        form->ModeloGridExamen->PonerNumFilas(int(docs.size()) + 1);
    }
    TVistaGridExamen& Grid() { return static_cast<TVistaGridExamen&>(*form->GridExamen); }
    QString Celda(int fila, int columna) {
        return form->GridExamen->model()->index(fila - 1, columna).data().toString();
    }
};

TEST_F(ListaExamen, PanelSeMuestraYSeOculta) {
    const int pantalla = form->screen()->geometry().width();
    ASSERT_GT(pantalla - 20, 0);
    form->PonerAnchoPanel1(pantalla - 10); // hidden, as at start
    form->SBVerExamen->click();
    EXPECT_EQ(form->AnchoPanel1(), pantalla - 300);
    EXPECT_EQ(form->Verlistadedocumentosparaexamen1->text(),
              QStringLiteral("Ocultar lista de documentos para examen"));
    EXPECT_EQ(form->SBVerExamen->toolTip(),
              QStringLiteral("Ocultar lista de documentos para crear examen"));
    form->Verlistadedocumentosparaexamen1->trigger();
    EXPECT_EQ(form->AnchoPanel1(), pantalla - 10);
    EXPECT_EQ(form->Verlistadedocumentosparaexamen1->text(),
              QStringLiteral("Ver lista de documentos para examen"));
    EXPECT_EQ(form->SBVerExamen->toolTip(),
              QStringLiteral("Ver Lista de documentos para crear examen"));
}

TEST_F(ListaExamen, Rejilla) {
    QTableView* g = form->GridExamen;
    EXPECT_EQ(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nº"));
    EXPECT_EQ(g->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descripción"));
    EXPECT_EQ(g->columnWidth(0), 35);
    EXPECT_EQ(g->columnWidth(1), 250);
    EXPECT_EQ(g->verticalHeader()->defaultSectionSize(), 19);
    EXPECT_EQ(Numero(TMainForm::ContextoDe(g)), 1400);
    // Row count 10 at start, all rows empty after the load.
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 10);
    EXPECT_EQ(Celda(1, 0), QString());
}

TEST_F(ListaExamen, TrasladarEnOrdenDeNumeroTrasLasQueHay) {
    Poner({9});
    Marcar({12, 3, 7});
    form->SBPregsAExamen->click();
    EXPECT_EQ(Lista(), (QList<int>{9, 3, 7, 12}));
    for (int k : {3, 7, 12})
        EXPECT_FALSE(A().Documentos[k].Marcado);
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 5);
    EXPECT_EQ(Celda(2, 0), QStringLiteral("3"));
    EXPECT_EQ(Celda(4, 1), QStringLiteral("Documento 12"));
    // The grid's active column moved to the description.
    EXPECT_EQ(form->GridPreg->currentIndex().column(), TModeloGridPreg::ColDescripcion);
    // Twice without marking again adds nothing.
    form->Trasladardocumentosmarcadosaexamen1->trigger();
    EXPECT_EQ(Lista(), (QList<int>{9, 3, 7, 12}));
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 5);
    // Marked again, a listed document is listed again.
    Marcar({3});
    form->SBPregsAExamenClick();
    EXPECT_EQ(Lista(), (QList<int>{9, 3, 7, 12, 3}));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(ListaExamen, MasMarcadosQueEntradasLibres) {
    for (int i = 1; i <= 98; ++i)
        A().ListaExamen[i] = 5;
    Marcar({3, 7, 8, 12});
    form->SBPregsAExamenClick();
    // The list is filled to 100; the rest stay marked and the user is told.
    EXPECT_EQ(A().ListaExamen[99], 3);
    EXPECT_EQ(A().ListaExamen[100], 7);
    EXPECT_FALSE(A().Documentos[3].Marcado);
    EXPECT_FALSE(A().Documentos[7].Marcado);
    EXPECT_TRUE(A().Documentos[8].Marcado);
    EXPECT_TRUE(A().Documentos[12].Marcado);
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 101);
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{"La lista de examen admite 100 documentos como máximo. 2 documentos "
                          "marcados no se han añadido y siguen marcados."});
}

TEST_F(ListaExamen, BorrarEntrada) {
    Poner({5, 8, 9});
    Grid().setCurrentIndex(Grid().model()->index(1, 1));
    form->SBBorraPregExam->click();
    EXPECT_EQ(Lista(), (QList<int>{5, 9}));
    // Entries move one place forward; the last entry is emptied with 0.
    EXPECT_EQ(A().ListaExamen[3], -1);
    EXPECT_EQ(A().ListaExamen[100], 0);
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 3);
    // The document itself is untouched.
    EXPECT_TRUE(A().Documentos[8].Usado());
    // The last row, then no data row: nothing more happens.
    Grid().setCurrentIndex(Grid().model()->index(1, 0));
    form->Borrardocumentodeexamen1->trigger();
    EXPECT_EQ(Lista(), QList<int>{5});
    form->SBBorraPregExamClick();
    EXPECT_TRUE(Lista().isEmpty());
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 1);
    form->SBBorraPregExamClick();
    EXPECT_TRUE(Lista().isEmpty());
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 1);
}

TEST_F(ListaExamen, BorrarEntradaNadaMasArrancar) {
    // Right after the start the first row is the active one, and it stays
    // so when the list is filled; nothing became current on the way.
    EXPECT_EQ(Grid().currentIndex().row(), 0);
    const int actual = A().DocActual;
    Marcar({3, 5, 7});
    form->SBPregsAExamenClick();
    ASSERT_EQ(Lista(), (QList<int>{3, 5, 7}));
    EXPECT_EQ(Grid().currentIndex().row(), 0);
    EXPECT_EQ(A().DocActual, actual);
    form->SBBorraPregExam->click();
    EXPECT_EQ(Lista(), (QList<int>{5, 7}));
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 3);
    form->Borrardocumentodeexamen1->trigger();
    EXPECT_EQ(Lista(), QList<int>{7});
}

TEST_F(ListaExamen, ArrastrarFilas) {
    Poner({5, 8, 9});
    Grid().MoverFila(3, 1);
    EXPECT_EQ(Lista(), (QList<int>{9, 5, 8}));
    Poner({5, 8, 9});
    Grid().MoverFila(1, 3);
    EXPECT_EQ(Lista(), (QList<int>{8, 9, 5}));
    // Rows without a document take no part.
    Grid().MoverFila(2, 7);
    EXPECT_EQ(Lista(), (QList<int>{8, 5, 9}));
    EXPECT_EQ(A().ListaExamen[4], -1);
    // Any report that is not an exchange of two list rows is ignored.
    form->GridExamenRowsChanged(0, 2);
    form->GridExamenRowsChanged(1, 101);
    EXPECT_EQ(Lista(), (QList<int>{8, 5, 9}));
}

TEST_F(ListaExamen, ArrastrarConElRaton) {
    Poner({5, 8, 9});
    form->resize(1000, 400);
    QTableView& g = Grid();
    g.show();
    QCoreApplication::processEvents();
    QWidget* vp = g.viewport();
    const QPoint fila3 = g.visualRect(g.model()->index(2, 1)).center();
    const QPoint fila1 = g.visualRect(g.model()->index(0, 1)).center();
    ASSERT_FALSE(fila3.isNull());
    QTest::mousePress(vp, Qt::LeftButton, {}, fila3);
    QMouseEvent mover(QEvent::MouseMove, fila1, vp->mapToGlobal(fila1), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &mover);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, fila1);
    EXPECT_EQ(Lista(), (QList<int>{9, 5, 8}));
    EXPECT_EQ(g.currentIndex().row(), 0);
}

TEST_F(ListaExamen, MoverFilasConElTeclado) {
    Poner({5, 8, 9});
    QTableView& g = Grid();
    g.setCurrentIndex(g.model()->index(2, 1));
    QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Lista(), (QList<int>{5, 9, 8}));
    EXPECT_EQ(g.currentIndex().row(), 1);
    QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier); // already first: nothing moves
    EXPECT_EQ(Lista(), (QList<int>{9, 5, 8}));
    QTest::keyClick(&g, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Lista(), (QList<int>{5, 9, 8}));
    // The last row with a document never moves into the empty rows below it.
    g.setCurrentIndex(g.model()->index(2, 1));
    QTest::keyClick(&g, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Lista(), (QList<int>{5, 9, 8}));
    // A plain arrow key only moves the active cell.
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(Lista(), (QList<int>{5, 9, 8}));
    EXPECT_EQ(g.currentIndex().row(), 1);
}

TEST_F(ListaExamen, EditarDescripcion) {
    Poner({8});
    QAbstractItemModel* m = form->GridExamen->model();
    EXPECT_FALSE(m->flags(m->index(0, 0)).testFlag(Qt::ItemIsEditable));
    ASSERT_TRUE(m->flags(m->index(0, 1)).testFlag(Qt::ItemIsEditable));
    ASSERT_TRUE(m->setData(m->index(0, 1), QStringLiteral("Nueva descripción")));
    EXPECT_EQ(A().Documentos[8].Descripcion.Texto(), QStringLiteral("Nueva descripción"));
    // The document grid shows it too (document 8 is row 4 of the materia).
    EXPECT_EQ(form->GridPreg->model()->index(3, TModeloGridPreg::ColDescripcion).data().toString(),
              QStringLiteral("Nueva descripción"));
    ASSERT_TRUE(m->setData(m->index(0, 1), QString(150, QLatin1Char('x'))));
    EXPECT_EQ(A().Documentos[8].Descripcion.Texto(), QString(100, QLatin1Char('x')));
    // Empty rows take no edit.
    EXPECT_FALSE(m->setData(m->index(1, 1), QStringLiteral("x")));
}

TEST_F(ListaExamen, FilaActivaConElEditorCerradoYAbierto) {
    Poner({5, 8});
    EscribirTexto(5, "Cinco");
    EscribirTexto(8, "Ocho");
    const int antes = A().DocActual;
    Grid().setCurrentIndex(Grid().model()->index(1, 0)); // the number column counts too
    EXPECT_EQ(A().DocActual, 8);
    EXPECT_EQ(A().DocAnterior, antes);
    EXPECT_FALSE(form->Banco().WordDocument);

    form->BEditarClick();
    ASSERT_TRUE(form->EditorAbierto());
    const int previo = A().DocActual;
    Grid().setCurrentIndex(Grid().model()->index(0, 1));
    EXPECT_EQ(A().DocActual, 5);
    EXPECT_EQ(A().DocAnterior, previo);
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), RutaDoc(5));
    EXPECT_EQ(form->Banco().WordApplication->DocumentsCount(), 1);
    // An empty row makes no document current and leaves the editor alone.
    form->GridExamenActiveCellChanged(4, 1);
    EXPECT_LT(A().DocActual, 1);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), RutaDoc(5));
}

} // namespace
