// Tree editing: new sibling and child nodes, protected nodes, deletion with
// the place moves and the messages, in-place renaming.
#include <QLineEdit>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "BaseArbol.h"
#include "ModeloArbol.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

const QString Confirmacion = QStringLiteral("Este nodo contiene documentos\r\n"
                                            "¿Seguro que quiere borrarlo?");

class Arbol : public BaseArbol {
protected:
    void Seleccionar(const QString& texto) {
        TNodo* n = Nodo(texto);
        ASSERT_NE(n, nullptr) << texto.toStdString();
        form->SeleccionarNodo(n);
    }
    bool IdValido(const TNodo* n) {
        return n->Identificador.size() == 9 && n->Id() >= 100000000 && n->Id() <= 998999999;
    }
};

} // namespace

TEST_F(Arbol, NuevoNodoAnadeUnHermanoAlFinalConTextoSegunElNivelYLoSelecciona) {
    struct Caso {
        const char* seleccionado;
        const char* padre; // nullptr: a new root
        const char* texto;
    } casos[] = {{"Útiles", nullptr, "Nueva materia"},
                 {"Materia B", nullptr, "Nueva materia"},
                 {"Tema", "Materia A", "Nuevo tema"},
                 {"Contenido", "Tema", "Nuevo contenido"}};
    for (const auto& c : casos) {
        Seleccionar(QString::fromUtf8(c.seleccionado));
        TNodo* padre = c.padre ? Nodo(QString::fromUtf8(c.padre)) : nullptr;
        const size_t antes = padre ? padre->Hijos.size() : A().Arbol.Raices().size();
        form->SBNuevoNodoClick();
        const auto& hermanos = padre ? padre->Hijos : A().Arbol.Raices();
        ASSERT_EQ(hermanos.size(), antes + 1) << c.seleccionado;
        TNodo* nuevo = hermanos.back().get();
        EXPECT_EQ(nuevo->Texto, QString::fromUtf8(c.texto));
        EXPECT_TRUE(IdValido(nuevo)) << nuevo->Identificador.toStdString();
        EXPECT_EQ(form->NodoSeleccionado(), nuevo);
        EXPECT_EQ(form->ModeloArbol->Seleccionado(), nuevo); // drawn with image 1
        // A new node holds no documents: the grid hides.
        EXPECT_EQ(A().NumListados, 0);
        EXPECT_TRUE(form->GridPreg->isHidden());
        EXPECT_EQ(A().DocActual, 0);
    }
}

TEST_F(Arbol, NuevoNodoBajoUtilesNoHaceNada) {
    const int nodos = A().Arbol.NumNodos();
    for (const char* t : {"Modelos de pregunta", "No asignados", "Todos"}) {
        Seleccionar(QString::fromUtf8(t));
        form->SBNuevoNodoClick();
        EXPECT_EQ(A().Arbol.NumNodos(), nodos) << t;
        EXPECT_EQ(form->NodoSeleccionado()->Texto, QString::fromUtf8(t));
    }
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(Arbol, NuevoNodoHijoSoloBajoMateriasYTemasDeUsuario) {
    const int nodos = A().Arbol.NumNodos();
    for (const char* t : {"Útiles", "Modelos de examen", "Todos", "Contenido"}) {
        Seleccionar(QString::fromUtf8(t));
        form->SBNuevoSubNodoClick();
        EXPECT_EQ(A().Arbol.NumNodos(), nodos) << t;
    }

    Seleccionar("Materia A");
    form->SBNuevoSubNodoClick();
    TNodo* a = Nodo("Materia A");
    ASSERT_EQ(a->Hijos.size(), 3u);
    TNodo* tema = a->Hijos.back().get();
    EXPECT_EQ(tema->Texto, QStringLiteral("Nuevo tema"));
    EXPECT_TRUE(IdValido(tema));
    EXPECT_EQ(form->NodoSeleccionado(), tema);

    // The new tema is selected: a child of it is a contenido.
    form->SBNuevoSubNodoClick();
    ASSERT_EQ(tema->Hijos.size(), 1u);
    EXPECT_EQ(tema->Hijos.front()->Texto, QStringLiteral("Nuevo contenido"));
    EXPECT_EQ(form->NodoSeleccionado(), tema->Hijos.front().get());
    EXPECT_EQ(A().Arbol.LugarDeNodo(form->NodoSeleccionado()),
              (TLugar{10, tema->Id(), tema->Hijos.front()->Id()}));
}

TEST_F(Arbol, LosIdentificadoresNuevosNoCoincidenNuncaConOtros) {
    Seleccionar("Materia B");
    QSet<QString> vistos;
    for (int i = 0; i < 40; ++i) {
        form->SBNuevoSubNodoClick(); // a tema under the selected materia...
        form->SBNuevoNodoClick();    // ...and a sibling of that tema
        Seleccionar("Materia B");
    }
    int cuenta = 0;
    A().Arbol.Recorrer([&](TNodo* n) {
        if (n->Identificador.size() == 9) {
            ++cuenta;
            EXPECT_FALSE(vistos.contains(n->Identificador));
            vistos.insert(n->Identificador);
        }
    });
    EXPECT_EQ(cuenta, 80);
}

TEST_F(Arbol, LosNodosProtegidosNoSeBorran) {
    const int nodos = A().Arbol.NumNodos();
    for (const char* t : {"Útiles", "Modelos de pregunta", "Modelos de examen", "Exámenes",
                          "No asignados", "Todos"}) {
        Seleccionar(QString::fromUtf8(t));
        guion.Mensajes.clear();
        form->SBBorraNodoClick();
        EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
                  QStringList{QStringLiteral("No se puede borrar este nodo")})
            << t;
        EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Confirmacion).isEmpty());
        EXPECT_EQ(A().Arbol.NumNodos(), nodos);
    }
}

TEST_F(Arbol, BorrarUnTemaConDocumentosLosLlevaASuMateria) {
    Seleccionar("Tema");
    guion.Confirmaciones({true});
    form->SBBorraNodoClick();

    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion), QStringList{Confirmacion});
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{QStringLiteral("Los documentos del nodo borrado están en:\r\n"
                                         "Todos\r\no en\r\nMateria A  ")});
    EXPECT_EQ(Nodo("Tema"), nullptr);
    EXPECT_EQ(Nodo("Contenido"), nullptr);
    EXPECT_EQ(Lugar(2), (TLugar{10, 0, 0}));
    // Documents of its contenido and of the deleted contenido keep their places.
    EXPECT_EQ(Lugar(3), (TLugar{10, 20, 30}));
    EXPECT_EQ(Lugar(5), (TLugar{10, 20, 99}));
    EXPECT_EQ(Lugar(1), (TLugar{10, 0, 0}));

    // The next sibling is selected and listed against the tree as it is now.
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Tema vacío"));
    EXPECT_TRUE(FilasActuales().isEmpty());
    EXPECT_EQ(Listados("No asignados"), QList<int>({3, 4, 5}));
    EXPECT_EQ(Listados("Materia A"), QList<int>({1, 2, 3, 5, 40}));
}

TEST_F(Arbol, BorrarUnContenidoLlevaSusDocumentosASuTema) {
    Seleccionar("Contenido");
    guion.Confirmaciones({true});
    form->SBBorraNodoClick();
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{QStringLiteral("Los documentos del nodo borrado están en:\r\n"
                                         "Todos\r\no en\r\nMateria A Tema ")});
    EXPECT_EQ(Lugar(3), (TLugar{10, 20, 0}));
    EXPECT_EQ(Lugar(5), (TLugar{10, 20, 99}));
    // The only child went: its parent is selected.
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Tema"));
    EXPECT_EQ(FilasActuales(), QList<int>({2, 3, 5}));
}

TEST_F(Arbol, BorrarUnaMateriaConDocumentosSoloEnSusTemasPreguntaEInformaIgual) {
    Seleccionar("Materia C");
    guion.Confirmaciones({true});
    form->SBBorraNodoClick();
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Confirmacion), QStringList{Confirmacion});
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{QStringLiteral("Los documentos del nodo borrado están en:\r\n"
                                         "Útiles Todos\r\no en\r\nÚtiles No asignados")});
    EXPECT_EQ(Nodo("Materia C"), nullptr);
    EXPECT_EQ(Lugar(9), (TLugar{12, 22, 0})); // no document moved
    EXPECT_EQ(Listados("No asignados"), QList<int>({4, 5, 9}));
}

TEST_F(Arbol, BorrarUnaMateriaLlevaSusDocumentosDirectosAlLugarVacio) {
    Seleccionar("Materia A");
    guion.Confirmaciones({true});
    form->SBBorraNodoClick();
    EXPECT_EQ(Lugar(1), (TLugar{0, 0, 0}));
    EXPECT_EQ(Lugar(40), (TLugar{0, 0, 0}));
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Materia B"));
    EXPECT_EQ(Listados("No asignados"), QList<int>({1, 2, 3, 4, 5, 40}));
}

TEST_F(Arbol, CancelarElBorradoDejaNodoYDocumentos) {
    Seleccionar("Tema");
    guion.Confirmaciones({false});
    form->SBBorraNodoClick();
    EXPECT_NE(Nodo("Tema"), nullptr);
    EXPECT_EQ(Lugar(2), (TLugar{10, 20, 0}));
    EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Informacion).isEmpty());
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Tema"));
}

TEST_F(Arbol, UnNodoSinDocumentosSeBorraSinPreguntar) {
    Seleccionar("Tema vacío");
    form->SBBorraNodoClick();
    EXPECT_EQ(Nodo("Tema vacío"), nullptr);
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    // No next sibling: the previous one takes the selection.
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Tema"));
    EXPECT_EQ(FilasActuales(), QList<int>({2, 3, 5}));
}

TEST_F(Arbol, CualquierNodoSeRenombraEnSuSitioSinTocarLosLugares) {
    std::array<TLugar, 11> antes;
    for (int k = 1; k <= 10; ++k)
        antes[k] = Lugar(k);
    // Through the view's in-place editor, as the user does.
    for (const char* t : {"Todos", "Útiles", "Tema"}) {
        TNodo* n = Nodo(QString::fromUtf8(t));
        const QModelIndex i = form->ModeloArbol->Indice(n);
        form->Arbol->setCurrentIndex(i);
        form->Arbol->edit(i);
        auto* editor = form->Arbol->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << t;
        editor->setText(QStringLiteral("Otro ") + QString::fromUtf8(t));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor commits from the event loop
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(n->Texto, QStringLiteral("Otro ") + QString::fromUtf8(t));
    }
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(Lugar(k), antes[k]) << k;
    // The renamed special node still lists every document.
    EXPECT_EQ(Listados("Otro Todos"), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 40}));
}
