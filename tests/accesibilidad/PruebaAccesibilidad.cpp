// Keyboard and screen-reader audit of every window of the program: the main
// window, each dialog, the help viewer and the word processor's editor window.
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <gtest/gtest.h>

#include "AcercaDe.h"
#include "Aplicacion.h"
#include "Arbol.h"
#include "Auditoria.h"
#include "Ayuda.h"
#include "Clave.h"
#include "ClaveExportacion.h"
#include "DialogosEditor.h"
#include "EditorVentana.h"
#include "EntornoApp.h"
#include "Exportar.h"
#include "FilasSeleccion.h"
#include "FormSeleccion.h"
#include "InformeDocumentos.h"
#include "ListaLibros.h"
#include "Moodle.h"
#include "MotorTexto.h"
#include "Opciones.h"
#include "ProcesadorTextos.h"
#include "ProgresoDocumentos.h"
#include "PropExam.h"
#include "PropLibro.h"
#include "PropPreg.h"
#include "eliminar.h"
#include "importar.h"

using namespace brivo;
using namespace brivo::pruebas;
using namespace brivo::pruebas::accesibilidad;

namespace {

// Names each window must carry for its controls.
const QStringList NombresPropLibro = {"EdId",
                                      "LabId",
                                      "LabId2",
                                      "EdTitulo",
                                      "EdAutor",
                                      "EdMateria",
                                      "EdComentario",
                                      "EdCarpeta",
                                      "CBClaveEnDoc",
                                      "CBPermitirCambiosEnDoc",
                                      "CBPrmitirMasDoc",
                                      "CBPermitirExportar",
                                      "BOK",
                                      "BAyuda"};
const QStringList NombresPropPreg = {"LabelMateria",  "LabelTema",  "LabelContenido", "EditDescrip",
                                     "SpinEditDific", "EditPuntos", "ComboBoxTipo",   "EditResp",
                                     "SpinEditSimil", "LabelUsos",  "DTPCreada",      "DTPUsada",
                                     "BOK",           "BAyuda"};
const QStringList NombresOpcionesExamen = {"Label1",
                                           "Label2",
                                           "Label3",
                                           "Label4",
                                           "Label5",
                                           "CBPregunta",
                                           "CBDesarrollo",
                                           "CBRespuesta",
                                           "CBComentarios",
                                           "EdNumeraPreg",
                                           "EdTextoDesarrollo",
                                           "EdTextoRespuesta",
                                           "EdTextoComentario",
                                           "BOK",
                                           "BCancelar"};
const QStringList NombresPaquete = {"EdArchivo", "EdClave",   "BCopiar",
                                    "MajorStat", "MinorStat", "ProgressText"};
const QStringList NombresMain = {
    "MainMenu", "Panel1", "PanelArbol", "Panel5", "Arbol", "Splitter1", "PanelPreg", "Panel4",
    "GridPreg", "Splitter2", "PanelExamen", "Panel6", "GridExamen", "SBNuevoNodo", "SBNuevoSubNodo",
    "SBBorraNodo", "SBEditor", "SBOpciones", "SBNuevoDoc", "SBBorraDoc", "SBVerExamen", "SBPropDoc",
    "SBPregsAExamen", "SBBorraPregExam", "SBCrearExamen", "Nuevolibros1", "Cambiardelibroactual1",
    "Modificarlibro1", "Importarlibro1", "Exportarlibro1", "Eliminarlibro1", "Salir1",
    // Questions to and from Moodle
    "ImportardeMoodle1", "ExportaraMoodle1", "ExportaraMoodle2",
    // Office documents in and out
    "Convertirdocumentos1", "Importardocumentos1", "Exportardocumento1"};

// The faults one per line, empty when there are none.
std::string Lista(const QStringList& fallos) {
    return fallos.join(QLatin1Char('\n')).toStdString();
}

// A folder with one book and a few documents, the main window on it.
class Accesibilidad : public ::testing::Test {
protected:
    void SetUp() override {
        // Qt's own texts in Spanish, as the program loads them at start.
        static const bool traducido = [] {
            auto* aplicacion = qobject_cast<TAplicacion*>(QCoreApplication::instance());
            if (aplicacion)
                aplicacion->CargarTraducciones();
            return aplicacion != nullptr;
        }();
        ASSERT_TRUE(traducido);
        Preparar(carpeta, [](TAlmacen& a) {
            PonerLibro(a, 1, 444444, QStringLiteral("Historia"), QStringLiteral("historia"));
            PonerLibro(a, 2, 555555, QStringLiteral("Física"), QStringLiteral("fisica"));
            for (int n = 1; n <= 4; ++n)
                PonerDocumento(a, n, 444444, 0, 0, 0);
            PonerDocumento(a, 5, 444444, 1, 1, 0, QStringLiteral("Modelo de pregunta"));
            PonerDocumento(a, 6, 444444, 1, 2, 0, QStringLiteral("Modelo de examen"));
            a.LibroActivo = 1;
        });
        form = Arrancar(carpeta);
        ASSERT_TRUE(form->Almacen().LibroActivoValido());
        form->Almacen().DocActual = 1;
    }

    // Shows a dialog without a modal loop, audits it, and checks the keys:
    // a default button, and Escape closing it as Cancel.
    QStringList Dialogo(QDialog& d, TOpcionesAuditoria op = {}) {
        d.show();
        QApplication::processEvents();
        QStringList fallos = Auditar(d, op);
        bool hayDefecto = false;
        bool hayCancelar = false;
        for (QPushButton* b : d.findChildren<QPushButton*>()) {
            hayDefecto = hayDefecto || (b->isDefault() && b->isVisible());
            QString texto = b->text();
            hayCancelar =
                hayCancelar || texto.remove(QLatin1Char('&')) == QLatin1String("Cancelar");
        }
        if (!hayDefecto)
            fallos << d.objectName() + QStringLiteral(": sin botón por defecto");
        // The first Tab stop holds the focus when the dialog opens.
        const QList<QWidget*> cadena = CadenaTabulacion(d);
        if (cadena.isEmpty())
            fallos << d.objectName() + QStringLiteral(": nada se alcanza con Tab");
        if (hayCancelar) {
            d.setResult(-1);
            QWidget* foco = d.focusWidget() ? d.focusWidget() : &d;
            QTest::keyClick(foco, Qt::Key_Escape);
            QApplication::processEvents();
            if (d.isVisible() || d.result() != QDialog::Rejected)
                fallos << d.objectName() + QStringLiteral(": Escape no cancela");
        }
        d.hide();
        return fallos;
    }

    TCarpeta carpeta;
    ui::TGuion guion;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST(ListaNegra, DetectaPalabrasInglesasYRespetaLasPermitidas) {
    EXPECT_EQ(PalabrasInglesas(QStringLiteral("&Cancel")), QStringList{"Cancel"});
    EXPECT_EQ(PalabrasInglesas(QStringLiteral("Save file")), QStringList({"Save", "file"}));
    EXPECT_TRUE(PalabrasInglesas(QStringLiteral("&Cancelar")).isEmpty());
    EXPECT_TRUE(PalabrasInglesas(QStringLiteral("Abrir edi&tor")).isEmpty());
    EXPECT_EQ(PalabrasInglesas(QStringLiteral("OK")), QStringList{"OK"});
    EXPECT_TRUE(PalabrasInglesas(QStringLiteral("&OK"), {"OK"}).isEmpty());
    EXPECT_TRUE(PalabrasInglesas(QStringLiteral("No hay documentos")).isEmpty());
}

TEST_F(Accesibilidad, LaAuditoriaEncuentraFaltasReales) {
    // A window built badly on purpose: every fault must be reported.
    QDialog d;
    d.setObjectName("Mala");
    d.setWindowTitle("Open file");
    auto* e = new QLineEdit(&d);
    e->setObjectName("EdSinNombre");
    e->setGeometry(10, 60, 100, 20);
    auto* b = new QToolButton(&d);
    b->setObjectName("SBMal");
    b->setToolTip("Nuevo");
    b->setAccessibleName("Otro");
    b->setGeometry(10, 10, 20, 20);
    auto* ok = new QPushButton("&OK", &d);
    ok->setObjectName("BOK");
    ok->setGeometry(10, 100, 60, 20);
    auto* otro = new QPushButton("&Otro", &d);
    otro->setObjectName("BOtro");
    otro->setGeometry(80, 100, 60, 20);
    auto* arriba = new QLineEdit(&d);
    arriba->setObjectName("EdArriba");
    arriba->setAccessibleName("Arriba");
    arriba->setGeometry(10, 30, 100, 20);
    // A picture cell with no text.
    auto* tabla = new QTableView(&d);
    tabla->setObjectName("GridMal");
    tabla->setAccessibleName("Tabla");
    tabla->setGeometry(150, 10, 200, 100);
    auto* modelo = new QStandardItemModel(1, 1, tabla);
    modelo->setHorizontalHeaderLabels({"Imagen"});
    auto* celda = new QStandardItem;
    celda->setData(QColor(Qt::red), Qt::DecorationRole);
    modelo->setItem(0, 0, celda);
    tabla->setModel(modelo);
    QWidget::setTabOrder(e, ok);
    QWidget::setTabOrder(ok, arriba);
    d.show();
    QApplication::processEvents();
    const QString fallos = Auditar(d, {{}, true, {"EdFalta"}}).join(QLatin1Char('\n'));
    EXPECT_TRUE(fallos.contains("título de la ventana en inglés")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("EdSinNombre: control sin nombre accesible"))
        << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("SBMal: nombre accesible «Otro» distinto")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("BOK: botón en inglés")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("EdArriba: Tab llega aquí desde BOK")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("falta el control EdFalta")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("GridMal: la celda (0, 0) no da texto")) << fallos.toStdString();
    EXPECT_TRUE(fallos.contains("«BOK» y «BOtro» comparten la tecla Alt+o"))
        << fallos.toStdString();
}

TEST_F(Accesibilidad, VentanaPrincipal) {
    TOpcionesAuditoria op;
    op.OrdenVisual = false; // three panes side by side, each with its toolbar
    op.NombresEsperados = NombresMain;
    EXPECT_EQ(Lista(Auditar(*form, op)), "") << "ventana principal";
    // With documents listed their cells are audited too.
    TNodo* noAsignados = nullptr;
    form->Almacen().Arbol.Recorrer([&](TNodo* n) {
        if (!noAsignados && n->Texto == QStringLiteral("No asignados"))
            noAsignados = n;
    });
    ASSERT_NE(noAsignados, nullptr);
    form->SeleccionarNodo(noAsignados);
    ASSERT_GT(form->GridPreg->model()->rowCount(), 0);
    EXPECT_EQ(Lista(Auditar(*form, op)), "") << "con documentos en la lista";

    // The hints that change with the state are still what the buttons say.
    form->Almacen().Documentos[2].Marcado = true;
    form->SBPregsAExamenClick();
    form->BVerExamenClick();
    QApplication::processEvents();
    EXPECT_GT(form->GridExamen->model()->rowCount(), 0);
    EXPECT_EQ(Lista(Auditar(*form, op)), "") << "con la lista de examen a la vista";
    form->BVerExamenClick();
    EXPECT_EQ(Lista(Auditar(*form, op)), "") << "con la lista de examen oculta";
}

TEST_F(Accesibilidad, DialogosDeLibros) {
    {
        TFormPropLibro d(*form, TFormPropLibro::ModoNuevo, form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = NombresPropLibro;
        EXPECT_EQ(Lista(Dialogo(d, op)), "") << "libro nuevo";
    }
    {
        TFormPropLibro d(*form, form->Almacen().LibroActivo, form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = NombresPropLibro;
        EXPECT_EQ(Lista(Dialogo(d, op)), "") << "propiedades del libro";
    }
    {
        TClaveDialog d(form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"}; // the prompt's only button is "OK"
        op.NombresEsperados = {"ClaveEdit"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TFormListaLibros d(form->Almacen(), form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = {"ListLibros", "BOK"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TFormEliminarLibro d(*form, form.get());
        TOpcionesAuditoria op;
        op.NombresEsperados = {"LabLibro", "BExportar", "BEliminar", "BCancelar"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TAcercaDeBox d(form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
}

TEST_F(Accesibilidad, DialogosDeDocumentosYExamen) {
    {
        TFormPropPreg d(*form, form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = NombresPropPreg;
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TFormPropExamen d(form->Almacen().Ajustes, form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados =
            NombresOpcionesExamen + QStringList{"LabVersiones", "SpinEditVersiones",
                                                "CBHojaRespuestas", "LabSemilla", "EdSemilla"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        // With a row on a node and another on none, both cells audited.
        TFormSeleccion d(form->Almacen(), form->Almacen().Arbol.Raices().back().get(), form.get());
        d.BAnadirFila->click();
        d.ModeloFilas->PonerNodo(1, nullptr);
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = {
            "LabFilas",         "GridFilas",   "BAnadirFila",   "BQuitarFila", "CBNoUsadasDesde",
            "DTPNoUsadasDesde", "CBSimilitud", "CBMenosUsadas", "LabSemilla",  "EdSemilla",
            "BNuevaSemilla",    "BOK",         "BCancelar",     "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
        // The date picker counts too once it is in use.
        d.CBNoUsadasDesde->setChecked(true);
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TFormOpciones d(form->Almacen(), form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados =
            NombresOpcionesExamen + QStringList{"CBModeloPreguntas", "CBModeloExamenes", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
}

TEST_F(Accesibilidad, DialogosDeExportarEImportar) {
    {
        TFormExportar d(*form, form.get());
        TOpcionesAuditoria op;
        op.NombresEsperados =
            NombresPaquete +
            QStringList{"BExplorar",       "CBClaveEnDoc",     "CBPermitirCambiosEnDoc",
                        "CBPrmitirMasDoc", "CBDocumentosWord", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        TFormImportar d(*form, form.get());
        TOpcionesAuditoria op;
        op.NombresEsperados = NombresPaquete + QStringList{"BExplorar", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
}

TEST_F(Accesibilidad, DialogosDeDocumentosDeOficina) {
    {
        TFormProgreso d(form.get(), QStringLiteral("Convertir documentos"),
                        ContextoAyuda::ConvertirDocumentos, QStringLiteral("Documento"));
        ASSERT_TRUE(d.Avanzar(2, 7, QStringLiteral("Docs/historia/K000002.doc «Documento 2»")));
        TOpcionesAuditoria op;
        op.NombresEsperados = {"LabPosicion", "LabArchivo", "Progreso", "BCancelar", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
        // Escape (in Dialogo) cancelled the work: the next step says so.
        EXPECT_FALSE(d.Avanzar(3, 7, QStringLiteral("K000003.doc")));
    }
    {
        TInforme informe{QStringLiteral("Importar documentos"),
                         QStringLiteral("Importados: 1. Con error: 1."),
                         QStringLiteral("Importados (1):\n    a.doc: documento 7 «a»")};
        TFormInforme d(form.get(), informe, ContextoAyuda::ImportarDocumentos);
        TOpcionesAuditoria op;
        op.NombresEsperados = {"LabResumen", "LabDetalle", "MemoDetalle", "BCerrar", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    for (auto formato : {word::FormatoExportacion::Doc, word::FormatoExportacion::Docx}) {
        TFormClaveExportacion d(form.get(), formato);
        d.CBProteger->setChecked(true); // the fields are audited enabled
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK", "Word"};
        op.NombresEsperados = {"LabExplicacion", "CBProteger", "EdClave", "EdRepetir", "BOK",
                               "BCancelar",      "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
}

TEST_F(Accesibilidad, VentanasDeMoodle) {
    {
        TFormExportarMoodle d(12, QStringLiteral("Tema & subtema"), 3, form.get());
        TOpcionesAuditoria op;
        op.PalabrasPermitidas = {"OK"};
        op.NombresEsperados = {"PanelAlcance", "RBLibro", "RBNodo", "BOK", "BCancelar", "BAyuda"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
        // The arrows move between the two choices; a "&" of the node's name is not an accelerator.
        d.show();
        QApplication::setActiveWindow(&d);
        EXPECT_EQ(d.focusWidget(), d.RBLibro);
        QTest::keyClick(d.RBLibro, Qt::Key_Down);
        EXPECT_TRUE(d.RBNodo->isChecked());
        EXPECT_TRUE(d.SoloNodo());
        EXPECT_TRUE(d.RBNodo->text().contains(QStringLiteral("Tema && subtema")));
        d.hide();
    }
    {
        QStringList lineas;
        for (int i = 1; i <= 40; ++i)
            lineas << QStringLiteral("Línea %1 del informe.").arg(i);
        // A long report goes into the report window of the office commands:
        // the first line is its summary, the others its detail, read from
        // the keyboard; F1 opens the command's own help.
        int vistos = 0;
        guion.Dialogo([&](QDialog& dialogo) {
            auto* d = dynamic_cast<TFormInforme*>(&dialogo);
            EXPECT_NE(d, nullptr);
            if (!d)
                return int(QDialog::Rejected);
            ++vistos;
            TOpcionesAuditoria op;
            op.NombresEsperados = {"LabResumen", "LabDetalle", "MemoDetalle", "BCerrar", "BAyuda"};
            EXPECT_EQ(Lista(Auditar(*d, op)), "");
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Importar de Moodle"));
            EXPECT_EQ(d->LabResumen->text(), lineas.first());
            EXPECT_EQ(d->MemoDetalle->toPlainText(), lineas.mid(1).join(QLatin1Char('\n')));
            EXPECT_TRUE(d->MemoDetalle->isReadOnly());
            d->show();
            QApplication::setActiveWindow(d);
            EXPECT_EQ(d->focusWidget(), d->BCerrar);
            QTest::keyClick(d->BCerrar, Qt::Key_F1);
            EXPECT_EQ(guion.AyudasAbiertas.value(0), 1110);
            d->hide();
            return int(QDialog::Accepted);
        });
        MostrarInformeMoodle(form.get(), QStringLiteral("Importar de Moodle"), lineas,
                             ContextoAyuda::ImportarDeMoodle);
        EXPECT_EQ(vistos, 1);
        // A short one is an information box.
        const int mensajes = int(guion.Mensajes.size());
        MostrarInformeMoodle(form.get(), QStringLiteral("Importar de Moodle"), lineas.mid(0, 3),
                             ContextoAyuda::ImportarDeMoodle);
        EXPECT_EQ(vistos, 1);
        EXPECT_EQ(int(guion.Mensajes.size()), mensajes + 1);
    }
    {
        TFormProgreso d(form.get(), QStringLiteral("Exportar a Moodle"),
                        ContextoAyuda::ExportarAMoodle, QStringLiteral("Pregunta"));
        EXPECT_TRUE(d.Avanzar(2, 4, QStringLiteral("Documento 7")));
        QApplication::setActiveWindow(&d);
        TOpcionesAuditoria op;
        op.NombresEsperados = {"LabPosicion", "LabArchivo", "Progreso", "BCancelar", "BAyuda"};
        EXPECT_EQ(Lista(Auditar(d, op)), "");
        EXPECT_EQ(d.LabPosicion->text(), QStringLiteral("Pregunta 2 de 4"));
        // Escape stops the work, as Cancelar does (the key goes through the
        // window, where shortcuts are looked up).
        QTest::keyClick(d.windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(d.Cancelado());
        EXPECT_FALSE(d.Avanzar(3, 4, QStringLiteral("Documento 8")));
        d.hide();
    }
}

TEST_F(Accesibilidad, PreguntasDelEditor) {
    {
        dialogos::TPreguntaGuardar d(form.get(), QStringLiteral("K000001.doc"));
        TOpcionesAuditoria op;
        op.NombresEsperados = {"LabPregunta", "BSi", "BNo", "BCancelar"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
    {
        dialogos::TDialogoTabla d(form.get(), 2, 2);
        TOpcionesAuditoria op;
        op.NombresEsperados = {"SpinEditFilas", "SpinEditColumnas", "BOK", "BCancelar"};
        EXPECT_EQ(Lista(Dialogo(d, op)), "");
    }
}

TEST_F(Accesibilidad, VisorDeAyuda) {
    ayuda::TVisorAyuda* v = ayuda::Visor(true);
    ASSERT_NE(v, nullptr);
    v->Mostrar(ContextoAyuda::Indice);
    v->show();
    QApplication::processEvents();
    EXPECT_EQ(Lista(Auditar(*v)), "");
    // Escape closes the viewer, as its "Cerrar" button does.
    QTest::keyClick(v->focusWidget() ? v->focusWidget() : v, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(v->isVisible());
}

TEST_F(Accesibilidad, VentanaDelEditor) {
    auto motor = word::CrearMotorIncrustado();
    motor->Connect();
    word::IVentanaWord& w = motor->Window();
    w.SetWindowState(word::EstadoVentana::Normal);
    w.SetVisible(true);
    w.SetCaption(QStringLiteral("Brivo II"));
    const QString ruta = carpeta.Archivo(QStringLiteral("K000001.doc"));
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Texto de prueba");
    }
    auto doc = motor->DocumentsOpen(ruta, word::OpcionesApertura{});
    motor->Activate();
    QApplication::processEvents();
    word::EditorVentana* editor = dynamic_cast<word::DocumentoMotor&>(*doc).Editor();
    ASSERT_NE(editor, nullptr);
    TOpcionesAuditoria op;
    op.OrdenVisual = false; // toolbars and the page: reached through menus and shortcuts
    EXPECT_EQ(Lista(Auditar(*editor, op)), "");
    // Toolbar buttons take no focus, so each of their commands must be in a menu.
    QSet<QAction*> enMenus;
    std::function<void(QMenu*)> recoger = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            enMenus.insert(a);
            if (a->menu())
                recoger(a->menu());
        }
    };
    for (QAction* a : editor->menuBar()->actions())
        if (a->menu())
            recoger(a->menu());
    for (QToolBar* barra : editor->findChildren<QToolBar*>()) {
        if (barra->objectName() == QLatin1String("BarraBuscar"))
            continue; // the search bar is opened with its own key and closed with Escape
        for (QAction* a : barra->actions()) {
            if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a)) {
                EXPECT_TRUE(enMenus.contains(a))
                    << a->objectName().toStdString() << " solo está en la barra";
            }
        }
    }
    doc->Close(word::GuardarCambios::NoGuardar);
    motor->Quit();
}
