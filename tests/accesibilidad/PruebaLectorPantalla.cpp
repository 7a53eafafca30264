// What a screen reader is told: the main window's name follows its title
// (the active book), the value labels of the document properties say their
// values, and the in-place editors of the tree and the grids say what they
// edit and hold the focus of the window.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "DelegadosGrid.h"
#include "EntornoApp.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "PropPreg.h"
#include "VistaGridPreg.h"

#include "TextosQt.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

QString NombreAccesible(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QStringLiteral("<sin interfaz>");
}

class LectorPantalla : public ::testing::Test {
protected:
    void SetUp() override {
        Preparar(carpeta, [](TAlmacen& a) {
            PonerLibro(a, 1, 444444, QStringLiteral("Historia"), QStringLiteral("historia"));
            PonerLibro(a, 2, 555555, QStringLiteral("Física"), QStringLiteral("fisica"));
            PonerDocumento(a, 1, 444444, 0, 0, 0);
            PonerDocumento(a, 2, 444444, 0, 0, 0);
            a.Documentos[2].Usos = 7;
            a.LibroActivo = 1;
        });
        form = Arrancar(carpeta);
        ASSERT_TRUE(form->Almacen().LibroActivoValido());
    }

    TNodo* Nodo(const QString& texto) {
        TNodo* r = nullptr;
        form->Almacen().Arbol.Recorrer([&](TNodo* n) {
            if (!r && n->Texto == texto)
                r = n;
        });
        return r;
    }
    // The widget a screen reader follows: the window's focused part.
    QObject* FocoDeLaVentana() {
        QAccessibleInterface* ventana = QAccessible::queryAccessibleInterface(form.get());
        QAccessibleInterface* foco = ventana ? ventana->focusChild() : nullptr;
        return foco ? foco->object() : nullptr;
    }

    TCarpeta carpeta;
    ui::TGuion guion;
    std::unique_ptr<TMainForm> form;
};

TEST_F(LectorPantalla, LaVentanaPrincipalSeLlamaComoSuTitulo) {
    EXPECT_EQ(NombreAccesible(form.get()), QStringLiteral("Brivo II  Libro activo: Historia"));
    guion.Dialogo(ElegirLibro(QStringLiteral("Física")));
    form->Cambiardelibroactual1Click();
    ASSERT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Física"));
    EXPECT_EQ(NombreAccesible(form.get()), form->windowTitle());
}

TEST_F(LectorPantalla, LasEtiquetasDePropiedadesDicenSuValor) {
    form->SeleccionarNodo(Nodo(QStringLiteral("No asignados")));
    form->Almacen().DocActual = 2;
    TFormPropPreg d(*form, form.get());
    ASSERT_EQ(d.LabelUsos->text(), QStringLiteral("7"));
    EXPECT_EQ(NombreAccesible(d.LabelUsos), QStringLiteral("Nº de veces usada: 7"));
    // A place that names no node: the name alone, nothing made up.
    EXPECT_EQ(NombreAccesible(d.LabelMateria), QStringLiteral("Materia"));

    // A document filed in the tree: each value is said with its name, and
    // each caption is the label of its value.
    auto& doc = form->Almacen().Documentos[2];
    const TLugar lugar = form->Almacen().Arbol.LugarDeNodo(Nodo(QStringLiteral("Todos")));
    doc.IdMateria = lugar.Materia;
    doc.IdTema = lugar.Tema;
    TFormPropPreg e(*form, form.get());
    ASSERT_EQ(e.LabelTema->text(), QStringLiteral("Todos"));
    EXPECT_EQ(NombreAccesible(e.LabelMateria), QStringLiteral("Materia: Útiles"));
    EXPECT_EQ(NombreAccesible(e.LabelTema), QStringLiteral("Tema: Todos"));
    for (QLabel* valor : {e.LabelMateria, e.LabelTema, e.LabelContenido, e.LabelUsos}) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(valor);
        ASSERT_NE(i, nullptr);
        const auto etiquetas = i->relations(QAccessible::Label);
        ASSERT_EQ(etiquetas.size(), 1) << valor->objectName().toStdString();
        EXPECT_TRUE(etiquetas[0].first->text(QAccessible::Name).endsWith(QLatin1Char(':')));
    }
}

TEST_F(LectorPantalla, LosEditoresEnSitioDicenQueEditan) {
    form->show();
    form->activateWindow();
    QApplication::processEvents();

    // A cell of the document grid: the column and the row's document.
    form->SeleccionarNodo(Nodo(QStringLiteral("No asignados")));
    ASSERT_EQ(form->Almacen().NumListados, 2);
    const QModelIndex celda = form->GridPreg->model()->index(1, TModeloGridPreg::ColRespuesta);
    form->GridPreg->setCurrentIndex(celda);
    form->GridPreg->edit(celda);
    QWidget* respuesta = static_cast<TVistaGridPreg*>(form->GridPreg)->Delegado()->EditorAbierto();
    ASSERT_NE(respuesta, nullptr);
    EXPECT_EQ(NombreAccesible(respuesta), QStringLiteral("Resp."));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(respuesta)->text(QAccessible::Description),
              QStringLiteral("Fila 2, documento 2"));
    EXPECT_EQ(FocoDeLaVentana(), respuesta);
    static_cast<TVistaGridPreg*>(form->GridPreg)->TerminarEdicion();

    // The rename editor of the tree.
    const QModelIndex nodo = form->ModeloArbol->Indice(Nodo(QStringLiteral("Todos")));
    form->Arbol->setCurrentIndex(nodo);
    form->Arbol->edit(nodo);
    QApplication::processEvents();
    auto* nombre = form->Arbol->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(nombre, nullptr);
    EXPECT_EQ(NombreAccesible(nombre), QStringLiteral("Nombre del nodo"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(nombre)->text(QAccessible::Description),
              QStringLiteral("Cambiar el nombre de «Todos»"));
    EXPECT_EQ(FocoDeLaVentana(), nombre);
    QTest::keyClick(nombre, Qt::Key_Escape);

    // The description cell of the exam list.
    form->Almacen().ListaExamen[1] = 2;
    form->ModeloGridExamen->PonerNumFilas(2);
    const QModelIndex entrada = form->GridExamen->model()->index(0, 1);
    form->GridExamen->setCurrentIndex(entrada);
    form->GridExamen->edit(entrada);
    QApplication::processEvents();
    auto* descripcion = form->GridExamen->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(descripcion, nullptr);
    EXPECT_EQ(NombreAccesible(descripcion), QStringLiteral("Descripción"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(descripcion)->text(QAccessible::Description),
              QStringLiteral("Fila 1, documento 2"));
}

} // namespace
