// Moving marked documents onto a tree node: the drop logic, the drag-over
// test of the tree, and a drop event reaching the tree view.
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "BaseArbol.h"
#include "ModeloArbol.h"
#include "VistaGridPreg.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Arrastre : public BaseArbol {
protected:
    void Marcar(std::initializer_list<int> docs) {
        for (int k : docs)
            Doc(k).Marcado = true;
    }
    QString Pregunta(const QString& lugar) {
        return QStringLiteral("¿Seguro que quiere mover los documentos marcados al nodo\r\n") +
               lugar + QStringLiteral("?");
    }
    QPoint PuntoDe(const QString& texto) {
        const QModelIndex i = form->ModeloArbol->Indice(Nodo(texto));
        form->Arbol->scrollTo(i);
        return form->Arbol->visualRect(i).center();
    }
};

} // namespace

TEST_F(Arrastre, SinMarcadosAvisaYNoCambiaNada) {
    // A mark on a free slot does not count.
    Doc(100).Marcado = true;
    form->SoltarDocumentosEnNodo(Nodo("Contenido"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{QStringLiteral("No hay documentos marcados")});
    EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Confirmacion).isEmpty());
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Materia A"));
    EXPECT_EQ(Doc(100).IdMateria, 0);
}

TEST_F(Arrastre, MueveLosMarcadosDeCualquierLibroYDondeEstenAlContenido) {
    Marcar({1, 4, 7}); // 7 is another book's and is not listed now
    guion.Confirmaciones({true});
    form->SoltarDocumentosEnNodo(Nodo("Contenido"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion),
              QStringList{Pregunta("Materia A Tema Contenido")});
    for (int k : {1, 4, 7}) {
        EXPECT_EQ(Lugar(k), (TLugar{10, 20, 30})) << k;
        EXPECT_FALSE(Doc(k).Marcado) << k;
    }
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
    // The target is selected and lists them.
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Contenido"));
    EXPECT_EQ(FilasActuales(), QList<int>({1, 3, 4, 7}));
    EXPECT_EQ(A().DocActual, 1);
}

TEST_F(Arrastre, SoltarEnTodosLosDejaSoloBajoTodos) {
    Marcar({4, 5});
    guion.Confirmaciones({true});
    form->SoltarDocumentosEnNodo(Nodo("Todos"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion),
              QStringList{Pregunta(QStringLiteral("Útiles Todos "))});
    EXPECT_EQ(Lugar(4), (TLugar{1, 5, 0}));
    EXPECT_EQ(Lugar(5), (TLugar{1, 5, 0}));
    EXPECT_TRUE(Listados("No asignados").isEmpty());
    EXPECT_FALSE(Listados("Tema").contains(5));
    EXPECT_TRUE(Listados("Todos").contains(4));
}

TEST_F(Arrastre, SoltarEnUtilesLosDejaSoloBajoTodos) {
    Marcar({2});
    guion.Confirmaciones({true});
    form->SoltarDocumentosEnNodo(Nodo("Útiles"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion),
              QStringList{Pregunta(QStringLiteral("Útiles  "))});
    EXPECT_EQ(Lugar(2), (TLugar{1, 0, 0}));
    // "Útiles" lists nothing.
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Útiles"));
    EXPECT_TRUE(form->GridPreg->isHidden());
    QMap<int, QStringList> donde;
    A().Arbol.Recorrer([&](TNodo* n) {
        for (int k : Listados(n->Texto))
            donde[k] << n->Texto;
    });
    EXPECT_EQ(donde[2], QStringList{"Todos"});
}

TEST_F(Arrastre, CancelarNoMueveNiDesmarca) {
    Marcar({1, 3});
    guion.Confirmaciones({false});
    form->SoltarDocumentosEnNodo(Nodo("Materia B"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion), QStringList{Pregunta("Materia B  ")});
    EXPECT_EQ(Lugar(1), (TLugar{10, 0, 0}));
    EXPECT_TRUE(Doc(1).Marcado);
    EXPECT_TRUE(Doc(3).Marcado);
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Materia A"));
}

TEST_F(Arrastre, ElArbolSoloAceptaArrastresDelGridSobreUnNodo) {
    QMimeData delGrid;
    delGrid.setData(TVistaGridPreg::FormatoArrastre, QByteArray());
    QMimeData otro;
    otro.setText("texto");
    const QPoint sobreTema = PuntoDe("Tema");
    EXPECT_TRUE(form->ArbolDragOver(&delGrid, sobreTema));
    EXPECT_FALSE(form->ArbolDragOver(&otro, sobreTema));
    const QPoint fuera(5, form->Arbol->viewport()->height() - 2); // below the last node
    ASSERT_FALSE(form->Arbol->indexAt(fuera).isValid());
    EXPECT_FALSE(form->ArbolDragOver(&delGrid, fuera));
}

TEST_F(Arrastre, UnaSoltadaEnLaVistaDelArbolMueveAlNodoBajoElPunto) {
    Marcar({40});
    guion.Confirmaciones({true});
    QMimeData datos;
    datos.setData(TVistaGridPreg::FormatoArrastre, QByteArray());
    const QPoint punto = PuntoDe("Materia B");
    // The drag enters the tree first: the drag manager then sends it the
    // moves and the drop.
    QDragEnterEvent entrar(punto, Qt::MoveAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Arbol->viewport(), &entrar);
    EXPECT_TRUE(entrar.isAccepted());
    QDragMoveEvent mover(punto, Qt::MoveAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Arbol->viewport(), &mover);
    EXPECT_TRUE(mover.isAccepted());
    QDropEvent soltar(QPointF(punto), Qt::MoveAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Arbol->viewport(), &soltar);
    EXPECT_TRUE(soltar.isAccepted());
    // The drop runs once the drag has ended.
    for (int i = 0; i < 100 && Lugar(40).Materia != 11; ++i)
        QTest::qWait(10);
    EXPECT_EQ(Lugar(40), (TLugar{11, 0, 0}));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion), QStringList{Pregunta("Materia B  ")});
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Materia B"));
    EXPECT_EQ(FilasActuales(), QList<int>({7, 40}));

    // Data of another kind is refused.
    QMimeData otro;
    otro.setText("x");
    QDragEnterEvent entrarAjeno(punto, Qt::MoveAction, &otro, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Arbol->viewport(), &entrarAjeno);
    QDropEvent ajeno(QPointF(punto), Qt::MoveAction, &otro, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Arbol->viewport(), &ajeno);
    EXPECT_FALSE(ajeno.isAccepted());
}
