// "Examen › Selección automática…" through the main window: the dialog's rows
// and options scripted, the report per row, a shortfall accepted or taken
// back, the exam list appended in row order, the list's limit, and the
// dialog from the keyboard.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "EntornoExamen.h"
#include "FilasSeleccion.h"
#include "FormSeleccion.h"
#include "ModeloGridExamen.h"
#include "TextosQt.h"

using namespace brivo;
using namespace pruebas;

namespace {

constexpr int OtroLibro = 999999;

// The materia (2) "Nueva materia" with "Nuevo tema" (1) and "Tema dos" (2).
// Under "Nuevo tema": documents 1..10, difficulty k - 1, "Test" when odd;
// under "Tema dos": documents 21..25. Document 30 under "Nuevo tema" is of
// another book, 31 an exam model and 32 an exam.
class SeleccionAutomatica : public TEntornoExamen {
protected:
    void SetUp() override {
        Arrancar([](TAlmacen& a) {
            PonerLibro(a, 2, OtroLibro, QStringLiteral("Otro"), QStringLiteral("otro"));
            TNodo* materia = a.Arbol.Raices()[1].get();
            a.Arbol.Anadir(materia, QStringLiteral("Tema dos"), QStringLiteral("2"));
            for (int k = 1; k <= 10; ++k) {
                PonerDocumento(a, k, IdLibro, 2, 1, 0);
                a.Documentos[k].Dificultad = k - 1;
                a.Documentos[k].Tipo = k % 2 ? 1 : 3;
            }
            for (int k = 21; k <= 25; ++k)
                PonerDocumento(a, k, IdLibro, 2, 2, 0);
            PonerDocumento(a, 30, OtroLibro, 2, 1, 0);
            PonerDocumento(a, 31, IdLibro, 1, 2, 0);
            PonerDocumento(a, 32, IdLibro, 1, 3, 0);
        });
    }
    TNodo* Nodo(const QString& texto) {
        TNodo* r = nullptr;
        A().Arbol.Recorrer([&](TNodo* n) {
            if (!r && n->Texto == texto)
                r = n;
        });
        EXPECT_NE(r, nullptr) << texto.toStdString();
        return r;
    }
    static void Poner(TFormSeleccion& f, int fila, int columna, int valor) {
        f.ModeloFilas->setData(f.ModeloFilas->index(fila, columna), valor, Qt::EditRole);
    }
    // The dialog through the menu, answered by the script.
    void Seleccionar(const ui::TGuion::AccionDialogo& guionDialogo) {
        guion.Dialogo(guionDialogo);
        form->Seleccionautomatica1->trigger();
    }
    std::vector<int> Lista() {
        std::vector<int> l;
        for (int i = 1; i <= MaxExamen && A().ListaExamen[i] > 0; ++i)
            l.push_back(A().ListaExamen[i]);
        return l;
    }
    QStringList Confirmaciones() const { return Textos(guion, ui::TipoMensaje::Confirmacion); }
};

TEST_F(SeleccionAutomatica, LasFilasLlenanLaListaEnSuOrden) {
    form->SeleccionarNodo(Nodo(QStringLiteral("Nuevo tema")));
    A().ListaExamen[1] = 24; // already listed: never chosen again
    form->ListaExamenCambiada();
    guion.Confirmaciones({true});
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        // The first row starts on the tree's node.
        EXPECT_EQ(f.Filas().at(0).Nodo, Nodo(QStringLiteral("Nuevo tema")));
        Poner(f, 0, TModeloFilasSeleccion::ColDesde, 2);
        Poner(f, 0, TModeloFilasSeleccion::ColHasta, 6);
        Poner(f, 0, TModeloFilasSeleccion::ColTipo, 1); // "Test": 3, 5, 7 in range
        Poner(f, 0, TModeloFilasSeleccion::ColCantidad, 2);
        f.BAnadirFila->click(); // copies the node of the current row
        EXPECT_EQ(f.Filas().size(), 2u);
        EXPECT_EQ(f.Filas().at(1).Nodo, Nodo(QStringLiteral("Nuevo tema")));
        f.ModeloFilas->PonerNodo(1, Nodo(QStringLiteral("Tema dos")));
        Poner(f, 1, TModeloFilasSeleccion::ColCantidad, 3);
        f.BOK->click();
        return d.result();
    });
    const std::vector<int> lista = Lista();
    ASSERT_EQ(lista.size(), 6u);
    EXPECT_EQ(lista[0], 24);
    for (size_t i = 1; i <= 2; ++i) {
        const TDocumento& d = A().Documentos[lista[i]];
        EXPECT_EQ(d.IdTema, 1);
        EXPECT_EQ(d.Tipo, 1);
        EXPECT_GE(d.Dificultad, 2);
        EXPECT_LE(d.Dificultad, 6);
    }
    for (size_t i = 3; i < 6; ++i) {
        EXPECT_EQ(A().Documentos[lista[i]].IdTema, 2);
        EXPECT_NE(lista[i], 24);
    }
    EXPECT_EQ(form->ModeloGridExamen->rowCount(), 6);
    ASSERT_EQ(Confirmaciones().size(), 1);
    EXPECT_EQ(Confirmaciones()[0],
              QStringLiteral("Fila 1, Nueva materia / Nuevo tema: pedidas 2, encontradas 3, "
                             "tomadas 2.\r\nFila 2, Nueva materia / Tema dos: pedidas 3, "
                             "encontradas 4, tomadas 3.\r\nSe añadirán 5 preguntas a la lista de "
                             "examen. Pulse Aceptar para añadirlas o Cancelar para volver a las "
                             "filas."));
    // Nothing else changes: no record, no mark, no use.
    for (int k = 1; k <= 25; ++k) {
        EXPECT_EQ(A().Documentos[k].Usos, 0);
        EXPECT_FALSE(A().Documentos[k].Marcado);
    }
    EXPECT_FALSE(A().Documentos[11].Usado());
}

TEST_F(SeleccionAutomatica, UnaFilaIncompletaSeAceptaOSeVuelve) {
    guion.Confirmaciones({false, true});
    int intentos = 0;
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        f.ModeloFilas->PonerNodo(0, Nodo(QStringLiteral("Tema dos")));
        Poner(f, 0, TModeloFilasSeleccion::ColCantidad, 8);
        f.EdSemilla->setText(QStringLiteral("42"));
        f.BOK->click(); // the report: Cancel goes back to the rows
        ++intentos;
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(Lista().empty());
        // A second row from the first tema, then the shortfall accepted.
        f.BAnadirFila->click();
        f.ModeloFilas->PonerNodo(1, Nodo(QStringLiteral("Nueva materia")));
        f.BOK->click();
        ++intentos;
        return d.result();
    });
    EXPECT_EQ(intentos, 2);
    ASSERT_EQ(Confirmaciones().size(), 2);
    EXPECT_TRUE(Confirmaciones()[0].startsWith(
        QStringLiteral("Fila 1, Nueva materia / Tema dos: pedidas 8, encontradas 5, tomadas 5. "
                       "No se puede completar: faltan 3.\r\nAlguna fila no se ha podido "
                       "completar.")))
        << Confirmaciones()[0].toStdString();
    EXPECT_TRUE(Confirmaciones()[1].contains(
        QStringLiteral("Fila 2, Nueva materia: pedidas 1, encontradas 10, tomadas 1.")))
        << Confirmaciones()[1].toStdString();
    const std::vector<int> lista = Lista();
    ASSERT_EQ(lista.size(), 6u);
    std::vector<int> primeros(lista.begin(), lista.begin() + 5);
    std::sort(primeros.begin(), primeros.end());
    EXPECT_EQ(primeros, (std::vector<int>{21, 22, 23, 24, 25}));
    EXPECT_LE(lista[5], 10); // the book's own, neither 30 nor the models
}

TEST_F(SeleccionAutomatica, FilasMalasYSemillaMalaNoSalenDelDialogo) {
    form->SeleccionarNodo(Nodo(QStringLiteral("Exámenes"))); // not a node a row can name
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        EXPECT_EQ(f.Filas().at(0).Nodo, nullptr);
        f.BOK->click();
        f.ModeloFilas->PonerNodo(0, Nodo(QStringLiteral("Nuevo tema")));
        Poner(f, 0, TModeloFilasSeleccion::ColDesde, 7);
        Poner(f, 0, TModeloFilasSeleccion::ColHasta, 3);
        f.BOK->click();
        Poner(f, 0, TModeloFilasSeleccion::ColDesde, 0);
        f.EdSemilla->setText(QStringLiteral("99999999999999999999"));
        f.BOK->click();
        f.BQuitarFila->click();
        EXPECT_EQ(f.ModeloFilas->rowCount(), 0);
        f.BOK->click();
        EXPECT_NE(d.result(), QDialog::Accepted);
        f.BCancelar->click();
        return d.result();
    });
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error),
              (Utf8({"Fila 1: elija en el árbol una materia, un tema o un contenido.",
                     "Fila 1: la dificultad va de 0 a 9, y «desde» no puede ser mayor que "
                     "«hasta».",
                     "La semilla ha de ser un número entero sin signo, de 0 a "
                     "18446744073709551615.",
                     "Añada al menos una fila: cada fila dice de qué nodo del árbol y "
                     "cuántas preguntas se eligen."})));
    EXPECT_TRUE(Confirmaciones().isEmpty());
    EXPECT_TRUE(Lista().empty());
}

TEST_F(SeleccionAutomatica, NadaEncontradoSoloSeInforma) {
    guion.Confirmaciones({});
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        f.ModeloFilas->PonerNodo(0, Nodo(QStringLiteral("Nuevo contenido")));
        f.BOK->click();
        EXPECT_NE(d.result(), QDialog::Accepted);
        f.BCancelar->click();
        return d.result();
    });
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              Utf8({"Fila 1, Nueva materia / Nuevo tema / Nuevo contenido: pedidas 1, "
                    "encontradas 0, tomadas 0. No se puede completar: faltan 1.\r\nNo se ha "
                    "elegido ninguna pregunta."}));
    EXPECT_TRUE(Lista().empty());
}

TEST_F(SeleccionAutomatica, LaListaLlenaAvisaDeLoQueNoCabe) {
    for (int i = 1; i <= 98; ++i)
        A().ListaExamen[i] = 21;
    form->ListaExamenCambiada();
    guion.Confirmaciones({true});
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        f.ModeloFilas->PonerNodo(0, Nodo(QStringLiteral("Nuevo tema")));
        Poner(f, 0, TModeloFilasSeleccion::ColCantidad, 5);
        f.BOK->click();
        return d.result();
    });
    EXPECT_EQ(Lista().size(), 100u);
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion), QStringList{MensajeElegidosSinSitio(3)});
    EXPECT_EQ(form->ModeloGridExamen->rowCount(), 100);
}

TEST_F(SeleccionAutomatica, EnSoloConsultaTambienSeUsa) {
    A().SoloConsulta = true;
    guion.Confirmaciones({true});
    Seleccionar([&](QDialog& d) {
        auto& f = dynamic_cast<TFormSeleccion&>(d);
        f.ModeloFilas->PonerNodo(0, Nodo(QStringLiteral("Tema dos")));
        f.CBNoUsadasDesde->setChecked(true);
        f.DTPNoUsadasDesde->setDate(QDate(2020, 1, 1));
        f.BOK->click();
        return d.result();
    });
    ASSERT_EQ(Lista().size(), 1u);
    EXPECT_GE(Lista()[0], 21);
    EXPECT_EQ(guion.DialogosMostrados, Utf8({"TFormSeleccion"}));
}

TEST_F(SeleccionAutomatica, ConElTeclado) {
    TFormSeleccion f(A(), Nodo(QStringLiteral("Nuevo tema")), form.get());
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QWidget* tabla = f.GridFilas;
    // Every heading is seen whole.
    const QHeaderView* cabecera = f.GridFilas->horizontalHeader();
    for (int c = 0; c < TModeloFilasSeleccion::NumColumnas; ++c)
        EXPECT_GE(cabecera->sectionSize(c), cabecera->sectionSizeHint(c)) << c;
    tabla->setFocus();
    QTest::keyClick(tabla, Qt::Key_Insert);
    EXPECT_EQ(f.ModeloFilas->rowCount(), 2);
    EXPECT_EQ(f.GridFilas->currentIndex().row(), 1);
    QTest::keyClick(tabla, Qt::Key_Delete);
    EXPECT_EQ(f.ModeloFilas->rowCount(), 1);

    // F2 edits the amount; Enter writes it and leaves the dialog open.
    f.GridFilas->setCurrentIndex(f.ModeloFilas->index(0, TModeloFilasSeleccion::ColCantidad));
    QTest::keyClick(tabla, Qt::Key_F2);
    auto* giro = f.GridFilas->findChild<QSpinBox*>(QStringLiteral("EditorCelda"));
    ASSERT_NE(giro, nullptr);
    EXPECT_EQ(giro->accessibleName(), QStringLiteral("Fila 1, cantidad"));
    giro->selectAll();
    QTest::keyClicks(giro, QStringLiteral("7"));
    QTest::keyClick(giro, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(f.Filas().at(0).Cantidad, 7);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(guion.Mensajes.isEmpty());

    // The node from its list, by the keyboard as well.
    f.GridFilas->setCurrentIndex(f.ModeloFilas->index(0, TModeloFilasSeleccion::ColNodo));
    QTest::keyClick(tabla, Qt::Key_F2);
    auto* lista = f.GridFilas->findChild<QComboBox*>(QStringLiteral("EditorCelda"));
    ASSERT_NE(lista, nullptr);
    EXPECT_EQ(lista->itemText(lista->currentIndex()), QStringLiteral("Nueva materia / Nuevo tema"));
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Enter);
    QApplication::processEvents();
    EXPECT_EQ(f.Filas().at(0).Nodo, Nodo(QStringLiteral("Nuevo contenido")));

    // Arrows move between cells; Tab leaves the table.
    f.GridFilas->setFocus();
    QTest::keyClick(tabla, Qt::Key_Right);
    EXPECT_EQ(f.GridFilas->currentIndex().column(), TModeloFilasSeleccion::ColDesde);
    QTest::keyClick(tabla, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.BAnadirFila);

    // F1 opens the dialog's own help.
    QTest::keyClick(tabla, Qt::Key_F1);
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1405});
    f.BAyuda->click();
    EXPECT_EQ(guion.AyudasAbiertas, (QList<int>{1405, 1405}));
}

} // namespace
