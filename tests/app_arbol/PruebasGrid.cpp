// The document grid: listings by node, the column set, the mark column and
// in-place editing through the model and through the cell editors.
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "BaseArbol.h"
#include "DelegadosGrid.h"
#include "ModeloArbol.h"
#include "ModeloGridPreg.h"
#include "VistaGridPreg.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Grid : public BaseArbol {
protected:
    TModeloGridPreg* Modelo() { return form->ModeloGridPreg; }
    QModelIndex Celda(int fila, int columna) { return Modelo()->index(fila - 1, columna); }
    TVistaGridPreg* Vista() { return static_cast<TVistaGridPreg*>(form->GridPreg); }
    // Opens the cell's editor as F2 does.
    QWidget* Editar(int fila, int columna) {
        form->GridPreg->setCurrentIndex(Celda(fila, columna));
        form->GridPreg->edit(Celda(fila, columna));
        return Vista()->Delegado()->EditorAbierto();
    }
    void Clic(int fila, int columna) {
        form->GridPreg->scrollTo(Celda(fila, columna));
        const QRect r = form->GridPreg->visualRect(Celda(fila, columna));
        QTest::mouseClick(form->GridPreg->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace

TEST_F(Grid, CadaDocumentoAparecePorSuLugar) {
    // Place (0, 0, 0): only "No asignados" and "Todos". A deleted contenido:
    // "No asignados", "Todos", its materia and its tema. Filed under a
    // materia: that materia only.
    QMap<int, QStringList> donde;
    A().Arbol.Recorrer([&](TNodo* n) {
        for (int k : Listados(n->Texto))
            donde[k] << n->Texto;
    });
    EXPECT_EQ(donde[4], QStringList({"No asignados", "Todos"}));
    EXPECT_EQ(donde[5], QStringList({"No asignados", "Todos", "Materia A", "Tema"}));
    EXPECT_EQ(donde[1], QStringList({"Todos", "Materia A"}));
    EXPECT_EQ(donde[3], QStringList({"Todos", "Materia A", "Tema", "Contenido"}));
    EXPECT_EQ(donde[6], QStringList({"Modelos de pregunta", "Todos"}));
    EXPECT_EQ(donde[8], QStringList({"Todos"})); // dropped on "Todos": a node's place
    EXPECT_EQ(donde[7], QStringList({"Todos", "Materia B"}));
}

TEST_F(Grid, UnaPlazaLibreNoSeListaNunca) {
    // A node whose identifiers read 0 names the place of the free slots.
    TNodo* cero = form->ModeloArbol->Anadir(nullptr, "Cero", "0");
    TNodo* tema = form->ModeloArbol->Anadir(cero, "Tema cero", "0");
    TNodo* cont = form->ModeloArbol->Anadir(tema, "Contenido cero", "0");
    form->SeleccionarNodo(tema);
    EXPECT_EQ(FilasActuales(), QList<int>({4}));
    form->SeleccionarNodo(cont);
    EXPECT_EQ(FilasActuales(), QList<int>({4}));
    EXPECT_EQ(Listados("No asignados"), QList<int>({4, 5}));
}

TEST_F(Grid, UnDocumentoEnUnaPlazaBajaSaleArriba) {
    // Document 1 freed and used again under the tema: it is the first row.
    Doc(1).Vaciar();
    PonerDocumento(A(), 1, 444444, 10, 20, 0, "Reusado");
    EXPECT_EQ(Listados("Tema"), QList<int>({1, 2, 3, 5}));
    EXPECT_EQ(A().DocActual, 1);
    EXPECT_EQ(Modelo()->index(0, 2).data().toString(), QStringLiteral("Reusado"));
}

TEST_F(Grid, ConjuntosDeColumnasYBotonDePropiedades) {
    for (const char* t : {"Modelos de pregunta", "Modelos de examen", "Exámenes", "Útiles"}) {
        Listados(QString::fromUtf8(t));
        for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c)
            EXPECT_EQ(form->GridPreg->isColumnHidden(c), !(c == 0 || c == 2 || c == 9))
                << t << " " << c;
        EXPECT_TRUE(form->SBPropDoc->isHidden()) << t;
    }
    for (const char* t : {"No asignados", "Todos", "Materia A", "Tema", "Contenido"}) {
        Listados(QString::fromUtf8(t));
        for (int c = 0; c < TModeloGridPreg::NumColumnas; ++c)
            EXPECT_FALSE(form->GridPreg->isColumnHidden(c)) << t << " " << c;
        EXPECT_FALSE(form->SBPropDoc->isHidden()) << t;
        EXPECT_FALSE(form->SBVerExamen->isHidden()) << t;
    }
    EXPECT_EQ(form->GridPreg->verticalHeader()->defaultSectionSize(), 19);
}

TEST_F(Grid, SinDocumentosSeOcultaElGridYSeCierraElActual) {
    Listados("Materia A");
    EXPECT_EQ(A().DocActual, 1);
    EXPECT_TRUE(Listados("Tema vacío").isEmpty());
    EXPECT_EQ(A().DocActual, 0);
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_FALSE(form->LabNoHayDocumentos->isHidden());
    EXPECT_EQ(form->LabNoHayDocumentos->text(), QStringLiteral("No hay documentos"));
    // Back on a node with documents, its first row is current at column 2.
    Listados("Contenido");
    EXPECT_FALSE(form->GridPreg->isHidden());
    EXPECT_EQ(A().DocActual, 3);
    EXPECT_EQ(form->GridPreg->currentIndex(), Celda(1, 2));
}

TEST_F(Grid, ElClicEnLaMarcaLaCambiaAlMomentoSinCambiarElDocumentoActual) {
    Listados("Materia A"); // rows 1, 2, 3, 5, 40
    form->GridPreg->setCurrentIndex(Celda(2, 2));
    ASSERT_EQ(A().DocActual, 2);
    Clic(4, 1); // document 5
    EXPECT_TRUE(Doc(5).Marcado);
    EXPECT_EQ(A().DocActual, 2);
    EXPECT_EQ(Celda(4, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    Clic(5, 1);
    EXPECT_TRUE(Doc(40).Marcado);
    Clic(4, 1);
    EXPECT_FALSE(Doc(5).Marcado);
    EXPECT_EQ(A().DocActual, 2);
    // The space bar turns the mark of the active cell over.
    form->GridPreg->setCurrentIndex(Celda(1, 1));
    QTest::keyClick(form->GridPreg, Qt::Key_Space);
    EXPECT_TRUE(Doc(1).Marcado);
    EXPECT_EQ(A().DocActual, 2);
    // Marks stay while moving between nodes.
    Listados("Todos");
    Listados("Materia A");
    EXPECT_TRUE(Doc(1).Marcado);
    EXPECT_TRUE(Doc(40).Marcado);
    // A click elsewhere makes that row's document current.
    Clic(3, 6);
    EXPECT_EQ(A().DocActual, 3);
}

TEST_F(Grid, LasEdicionesDelModeloVanAlRegistro) {
    Listados("Materia A");
    auto poner = [&](int columna, const QVariant& v) {
        return Modelo()->setData(Celda(5, columna), v, Qt::EditRole); // document 40
    };
    EXPECT_TRUE(poner(2, QString(120, QLatin1Char('x'))));
    EXPECT_EQ(Doc(40).Descripcion.Texto(), QString(100, QLatin1Char('x')));
    EXPECT_TRUE(poner(3, 4));
    EXPECT_EQ(Doc(40).Dificultad, 4);
    EXPECT_FALSE(poner(3, 10));
    EXPECT_EQ(Doc(40).Dificultad, 4);
    EXPECT_TRUE(poner(4, QStringLiteral("3,75")));
    EXPECT_DOUBLE_EQ(Doc(40).Puntos, 3.75);
    EXPECT_EQ(Celda(5, 4).data().toString(), QStringLiteral("3,75"));
    EXPECT_FALSE(poner(4, QStringLiteral("tres")));
    EXPECT_DOUBLE_EQ(Doc(40).Puntos, 3.75);
    EXPECT_TRUE(poner(5, 3));
    EXPECT_EQ(Doc(40).Tipo, 3);
    EXPECT_EQ(Celda(5, 5).data().toString(), QStringLiteral("Preg"));
    EXPECT_FALSE(poner(5, 4));
    EXPECT_TRUE(poner(6, QStringLiteral("  ab  ")));
    EXPECT_EQ(Doc(40).Respuesta.Texto(), QStringLiteral("ab"));
    EXPECT_TRUE(poner(6, QStringLiteral("abcdefgh")));
    EXPECT_EQ(Doc(40).Respuesta.Texto(), QStringLiteral("abcde"));
    EXPECT_TRUE(poner(7, QStringLiteral("123")));
    EXPECT_EQ(Doc(40).Usos, 123);
    EXPECT_FALSE(poner(7, QStringLiteral("1234567")));
    EXPECT_TRUE(poner(8, -7));
    EXPECT_EQ(Doc(40).Similitud, -7);
    EXPECT_TRUE(Modelo()->setData(Celda(5, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(Doc(40).Marcado);
    // Number and dates are read-only.
    EXPECT_FALSE(poner(0, 7));
    EXPECT_FALSE(poner(9, QStringLiteral("02/02/2022")));
    EXPECT_FALSE(poner(10, QStringLiteral("02/02/2022")));
    EXPECT_EQ(Doc(40).FechaCreacion.Texto(), QStringLiteral("01/02/2024"));
    for (int c : {0, 9, 10})
        EXPECT_FALSE(Modelo()->flags(Celda(5, c)) & Qt::ItemIsEditable) << c;
    for (int c : {2, 3, 4, 5, 6, 7, 8})
        EXPECT_TRUE(Modelo()->flags(Celda(5, c)) & Qt::ItemIsEditable) << c;
}

TEST_F(Grid, LosEditoresDeCeldaEscribenEnElRegistro) {
    Listados("Materia A");
    // Text up to 100 characters.
    auto* descripcion = qobject_cast<QLineEdit*>(Editar(5, 2));
    ASSERT_NE(descripcion, nullptr);
    EXPECT_EQ(descripcion->text(), QStringLiteral("Documento 40"));
    EXPECT_EQ(descripcion->maxLength(), 100);
    descripcion->selectAll();
    descripcion->insert(QStringLiteral("Nueva descripción"));
    QTest::keyClick(descripcion, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits from the event loop
    EXPECT_EQ(Doc(40).Descripcion.Texto(), QStringLiteral("Nueva descripción"));
    EXPECT_EQ(Vista()->Delegado()->EditorAbierto(), nullptr);

    // Difficulty: editable combo, stores the index of the typed digit.
    auto* dificultad = qobject_cast<QComboBox*>(Editar(5, 3));
    ASSERT_NE(dificultad, nullptr);
    EXPECT_TRUE(dificultad->isEditable());
    EXPECT_EQ(dificultad->count(), 10);
    EXPECT_EQ(dificultad->maxVisibleItems(), 8);
    EXPECT_EQ(dificultad->currentIndex(), 7);
    dificultad->setEditText(QStringLiteral("2"));
    Vista()->TerminarEdicion();
    EXPECT_EQ(Doc(40).Dificultad, 2);

    // Type: pick-list, written as soon as an item is chosen.
    auto* tipo = qobject_cast<QComboBox*>(Editar(5, 5));
    ASSERT_NE(tipo, nullptr);
    EXPECT_FALSE(tipo->isEditable());
    EXPECT_EQ(tipo->count(), 4);
    EXPECT_EQ(tipo->itemText(0), QString());
    EXPECT_EQ(tipo->itemText(1), QStringLiteral("Test"));
    EXPECT_EQ(tipo->maxVisibleItems(), 4);
    tipo->setCurrentIndex(1);
    emit tipo->activated(1);
    EXPECT_EQ(Doc(40).Tipo, 1);

    // Points: two decimals with the comma; letters cannot be typed.
    auto* puntos = qobject_cast<QLineEdit*>(Editar(5, 4));
    ASSERT_NE(puntos, nullptr);
    EXPECT_EQ(puntos->text(), QStringLiteral("2,50"));
    EXPECT_EQ(puntos->maxLength(), 14);
    puntos->clear();
    QTest::keyClicks(puntos, QStringLiteral("1x2,255"));
    EXPECT_EQ(puntos->text(), QStringLiteral("12,25"));
    QTest::keyClick(puntos, Qt::Key_Tab);
    QCoreApplication::processEvents(); // the editor commits from the event loop
    EXPECT_DOUBLE_EQ(Doc(40).Puntos, 12.25);

    // Answer: up to 5 characters, blanks trimmed.
    auto* respuesta = qobject_cast<QLineEdit*>(Editar(5, 6));
    ASSERT_NE(respuesta, nullptr);
    EXPECT_EQ(respuesta->maxLength(), 5);
    respuesta->setText(QStringLiteral(" c d "));
    Vista()->TerminarEdicion();
    EXPECT_EQ(Doc(40).Respuesta.Texto(), QStringLiteral("c d"));

    // Integers up to 6 digits.
    auto* contador = qobject_cast<QLineEdit*>(Editar(5, 7));
    ASSERT_NE(contador, nullptr);
    contador->clear();
    QTest::keyClicks(contador, QStringLiteral("12a34567"));
    EXPECT_EQ(contador->text(), QStringLiteral("123456"));
    Vista()->TerminarEdicion();
    EXPECT_EQ(Doc(40).Usos, 123456);

    // Read-only cells open no editor.
    EXPECT_EQ(Editar(5, 0), nullptr);
    EXPECT_EQ(Editar(5, 9), nullptr);
}

TEST_F(Grid, AbrirYDejarUnEditorNoCambiaElRegistro) {
    // Values the cells cannot show whole: set in the properties dialog or
    // read from the document list.
    TDocumento& d = Doc(40);
    d.Respuesta = QStringLiteral("abcdefghij");
    d.Puntos = 0.125;
    d.Usos = 1234567;
    d.Similitud = -1234567;
    d.Dificultad = 12;
    d.Tipo = 9;
    Listados("Materia A");
    const TDocumento antes = d;
    auto igual = [&] {
        return d.Respuesta.Texto() == antes.Respuesta.Texto() && d.Puntos == antes.Puntos &&
               d.Usos == antes.Usos && d.Similitud == antes.Similitud &&
               d.Dificultad == antes.Dificultad && d.Tipo == antes.Tipo &&
               d.Descripcion.Texto() == antes.Descripcion.Texto();
    };
    for (int columna : {2, 3, 4, 5, 6, 7, 8}) {
        ASSERT_NE(Editar(5, columna), nullptr) << columna;
        Vista()->TerminarEdicion();
        EXPECT_TRUE(igual()) << "columna " << columna;
    }
    // Leaving by the keyboard, as the user does, is the same.
    QWidget* respuesta = Editar(5, TModeloGridPreg::ColRespuesta);
    ASSERT_NE(respuesta, nullptr);
    QTest::keyClick(respuesta, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QWidget* puntos = Editar(5, TModeloGridPreg::ColPuntos);
    ASSERT_NE(puntos, nullptr);
    QTest::keyClick(puntos, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.Respuesta.Texto(), QStringLiteral("abcdefghij"));
    EXPECT_EQ(d.Puntos, 0.125);

    // What the user does change is written, by the cell's rules.
    auto* texto = qobject_cast<QLineEdit*>(Editar(5, TModeloGridPreg::ColRespuesta));
    ASSERT_NE(texto, nullptr);
    texto->setText(QStringLiteral("xy"));
    Vista()->TerminarEdicion();
    EXPECT_EQ(d.Respuesta.Texto(), QStringLiteral("xy"));
}

TEST_F(Grid, CambiarDeNodoTerminaLaEdicionYGuardaElValor) {
    Listados("Materia A");
    auto* descripcion = qobject_cast<QLineEdit*>(Editar(1, 2));
    ASSERT_NE(descripcion, nullptr);
    descripcion->setText(QStringLiteral("Escrito a medias"));
    Listados("Materia B");
    EXPECT_EQ(Doc(1).Descripcion.Texto(), QStringLiteral("Escrito a medias"));
    EXPECT_EQ(Vista()->Delegado()->EditorAbierto(), nullptr);
    EXPECT_EQ(A().DocActual, 7);
}

TEST_F(Grid, TeclearEnUnaCeldaLaEdita) {
    Listados("Materia A");
    form->GridPreg->setCurrentIndex(Celda(2, 8));
    QTest::keyClick(form->GridPreg, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(Vista()->Delegado()->EditorAbierto());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("42"));
    QTest::keyClick(editor, Qt::Key_Enter);
    QCoreApplication::processEvents(); // the editor commits from the event loop
    EXPECT_EQ(Doc(2).Similitud, 42);
    EXPECT_EQ(Celda(2, 8).data().toString(), QStringLiteral("42"));
}

TEST_F(Grid, LaColumnaDelNumeroNoSeDesplazaDeLado) {
    Listados("Todos");
    form->Panel1->resize(400, 300);
    form->GridPreg->resize(300, 200);
    QCoreApplication::processEvents();
    QTableView* fija = Vista()->ColumnaFija();
    ASSERT_NE(fija, nullptr);
    EXPECT_TRUE(fija->isVisible());
    EXPECT_EQ(fija->model(), form->GridPreg->model());
    EXPECT_EQ(fija->selectionModel(), form->GridPreg->selectionModel());
    for (int c = 1; c < TModeloGridPreg::NumColumnas; ++c)
        EXPECT_TRUE(fija->isColumnHidden(c)) << c;
    const QRect antes = fija->geometry();
    form->GridPreg->horizontalScrollBar()->setValue(200);
    EXPECT_GT(form->GridPreg->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(fija->geometry().topLeft(), antes.topLeft());
    EXPECT_EQ(fija->columnWidth(0), 35);
    // Vertical scrolling moves both together.
    form->GridPreg->verticalScrollBar()->setValue(3);
    EXPECT_EQ(fija->verticalScrollBar()->value(), 3);
    EXPECT_EQ(fija->rowAt(1), form->GridPreg->rowAt(1));
    // A click on a number makes that row's document current.
    const QRect r = fija->visualRect(Modelo()->index(4, 0));
    QTest::mouseClick(fija->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(A().DocActual, A().ListaPreg[5]);
}

TEST_F(Grid, LosEncabezadosCabenEnSusColumnas) {
    // Each heading, in the font the model gives it, fits inside its column's
    // design width once the header's margins are taken off, in both grids.
    auto comprobar = [](QTableView* grid) {
        QAbstractItemModel* modelo = grid->model();
        const int margen = 2 * grid->horizontalHeader()->style()->pixelMetric(
                                   QStyle::PM_HeaderMargin, nullptr, grid->horizontalHeader());
        for (int c = 0; c < modelo->columnCount(); ++c) {
            const QVariant letra = modelo->headerData(c, Qt::Horizontal, Qt::FontRole);
            ASSERT_TRUE(letra.canConvert<QFont>()) << "columna " << c;
            const QString texto = modelo->headerData(c, Qt::Horizontal).toString();
            const int ancho = QFontMetrics(letra.value<QFont>()).horizontalAdvance(texto);
            EXPECT_LE(ancho + margen, grid->columnWidth(c)) << qPrintable(texto);
        }
    };
    comprobar(form->GridPreg);
    comprobar(form->GridExamen);
}
