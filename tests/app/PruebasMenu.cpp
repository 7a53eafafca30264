// Menu, toolbars, help contexts and accessibility of the main window.
#include <functional>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include "EntornoApp.h"
#include "ModeloArbol.h"
#include "Recursos.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// Records which handler each command reaches.
class TEspia : public TMainForm {
public:
    using TMainForm::TMainForm;
    QStringList Llamadas;
    void Nuevolibros1Click() override { Llamadas << "Nuevolibros1Click"; }
    void Cambiardelibroactual1Click() override { Llamadas << "Cambiardelibroactual1Click"; }
    void Modificarlibro1Click() override { Llamadas << "Modificarlibro1Click"; }
    void Importarlibro1Click() override { Llamadas << "Importarlibro1Click"; }
    void Exportarlibro1Click() override { Llamadas << "Exportarlibro1Click"; }
    void Eliminarlibro1Click() override { Llamadas << "Eliminarlibro1Click"; }
    void BOpcionesClick() override { Llamadas << "BOpcionesClick"; }
    void Salir1Click() override { Llamadas << "Salir1Click"; }
    void SBNuevoNodoClick() override { Llamadas << "SBNuevoNodoClick"; }
    void SBNuevoSubNodoClick() override { Llamadas << "SBNuevoSubNodoClick"; }
    void SBBorraNodoClick() override { Llamadas << "SBBorraNodoClick"; }
    void BEditarClick() override { Llamadas << "BEditarClick"; }
    void SBNuevoDocClick() override { Llamadas << "SBNuevoDocClick"; }
    void SBBorraDocClick() override { Llamadas << "SBBorraDocClick"; }
    void BPropPregClick() override { Llamadas << "BPropPregClick"; }
    void BVerExamenClick() override { Llamadas << "BVerExamenClick"; }
    void SBBorraPregExamClick() override { Llamadas << "SBBorraPregExamClick"; }
    void SBPregsAExamenClick() override { Llamadas << "SBPregsAExamenClick"; }
    void BCrearExamenClick() override { Llamadas << "BCrearExamenClick"; }
    void Seleccionautomatica1Click() override { Llamadas << "Seleccionautomatica1Click"; }
    void ContenidoClick() override { Llamadas << "ContenidoClick"; }
    void AcercadeClick() override { Llamadas << "AcercadeClick"; }
    void Convertirdocumentos1Click() override { Llamadas << "Convertirdocumentos1Click"; }
    void Importardocumentos1Click() override { Llamadas << "Importardocumentos1Click"; }
    void Exportardocumento1Click() override { Llamadas << "Exportardocumento1Click"; }
    void ExportaraMoodle1Click() override { Llamadas << "ExportaraMoodle1Click"; }
    void ImportardeMoodle1Click() override { Llamadas << "ImportardeMoodle1Click"; }
    void ExportaraMoodle2Click() override { Llamadas << "ExportaraMoodle2Click"; }
};

struct TItem {
    const char* Nombre; // "-" for a separator
    QString Texto;
    int Contexto;
    const char* Manejador;
};

struct TMenuEsperado {
    const char* Nombre;
    QString Titulo;
    int Contexto;
    std::vector<TItem> Items;
};

const std::vector<TMenuEsperado>& MenuEsperado() {
    static const std::vector<TMenuEsperado> menu = {
        {"Libros1",
         "&Libros",
         1100,
         {{"Nuevolibros1", "&Nuevo libro", 1101, "Nuevolibros1Click"},
          {"Cambiardelibroactual1", "&Cambiar de libro activo", 1102, "Cambiardelibroactual1Click"},
          {"Modificarlibro1", "Propiedades ..", 1103, "Modificarlibro1Click"},
          {"Importarlibro1", "&Importar libro", 1104, "Importarlibro1Click"},
          {"Exportarlibro1", "&Exportar libro", 1105, "Exportarlibro1Click"},
          {"Eliminarlibro1", "E&liminar libro", 1106, "Eliminarlibro1Click"},
          {"Convertirdocumentos1", "Con&vertir documentos…", 1120, "Convertirdocumentos1Click"},
          {"-", "", 0, ""},
          {"ImportardeMoodle1", "Importar &de Moodle…", 1110, "ImportardeMoodle1Click"},
          {"ExportaraMoodle1", "Exportar a &Moodle…", 1109, "ExportaraMoodle1Click"},
          {"-", "", 0, ""},
          {"Opcionesgenerales1", "&Opciones generales ..", 1107, "BOpcionesClick"},
          {"-", "", 0, ""},
          {"Salir1", "&Salir", 1108, "Salir1Click"}}},
        {"Arbol1",
         "Arbol",
         1200,
         {{"Anadirnodo1", "Añadir &nodo", 1201, "SBNuevoNodoClick"},
          {"Anadirnodohijo1", "Añadir nodo &hijo", 1202, "SBNuevoSubNodoClick"},
          {"Borrarnodo1", "&Borrar nodo", 1203, "SBBorraNodoClick"}}},
        {"Documentos1",
         "Documentos",
         1300,
         {{"Abrireditor1", "Abrir edi&tor", 1310, "BEditarClick"},
          {"-", "", 0, ""},
          {"Anadirdocumento1", "&Añadir documento", 1302, "SBNuevoDocClick"},
          {"Borrardocumento1", "&Borrar documento", 1303, "SBBorraDocClick"},
          {"Propiedades1", "&Propiedades ..", 1305, "BPropPregClick"},
          {"-", "", 0, ""},
          {"Importardocumentos1", "&Importar documentos…", 1320, "Importardocumentos1Click"},
          {"Exportardocumento1", "E&xportar documento…", 1321, "Exportardocumento1Click"}}},
        {"Examen1",
         "&Examen",
         1400,
         {{"Verlistadedocumentosparaexamen1", "&Ver lista de documentos para examen", 1401,
           "BVerExamenClick"},
          {"-", "", 0, ""},
          {"Borrardocumentodeexamen1", "&Borrar documento de examen", 1402, "SBBorraPregExamClick"},
          {"Trasladardocumentosmarcadosaexamen1", "&Trasladar documentos marcados a examen", 1403,
           "SBPregsAExamenClick"},
          {"Seleccionautomatica1", "&Selección automática…", 1405, "Seleccionautomatica1Click"},
          {"Crearexamen1", "&Crear examen", 1404, "BCrearExamenClick"},
          {"-", "", 0, ""},
          {"ExportaraMoodle2", "Exportar a &Moodle…", 1406, "ExportaraMoodle2Click"}}},
        {"Ayuda1",
         "&Ayuda",
         1500,
         {{"Contenido1", "&Contenido", 1501, "ContenidoClick"},
          {"Acercade1", "Acerca de ..", 1502, "AcercadeClick"}}},
    };
    return menu;
}

struct TBotonEsperado {
    const char* Barra;
    const char* Nombre;
    int X;
    int Ancho;
    QString Hint;
    const char* Manejador;
};

const std::vector<TBotonEsperado>& BotonesEsperados() {
    static const std::vector<TBotonEsperado> botones = {
        {"Panel5", "SBNuevoNodo", 0, 19, "Nuevo nodo", "SBNuevoNodoClick"},
        {"Panel5", "SBNuevoSubNodo", 19, 19, "Nuevo nodo hijo", "SBNuevoSubNodoClick"},
        {"Panel5", "SBBorraNodo", 38, 19, "Borra nodo y sus descendientes", "SBBorraNodoClick"},
        {"Panel5", "SBEditor", 67, 19, "Abrir editor ", "BEditarClick"},
        {"Panel5", "SBOpciones", 91, 19, "Establecer opciones generales", "BOpcionesClick"},
        {"Panel4", "SBNuevoDoc", 0, 19, "Nuevo documento", "SBNuevoDocClick"},
        {"Panel4", "SBBorraDoc", 18, 19, "Borrar documento", "SBBorraDocClick"},
        {"Panel4", "SBVerExamen", 47, 19, "Ver lista de documentos para crear examen",
         "BVerExamenClick"},
        {"Panel4", "SBPropDoc", 69, 19, "Propiedades del documento", "BPropPregClick"},
        {"Panel6", "SBPregsAExamen", 0, 19, "Añadir preguntas marcadas a examen",
         "SBPregsAExamenClick"},
        {"Panel6", "SBBorraPregExam", 18, 19, "Borrar pregunta de examen", "SBBorraPregExamClick"},
        {"Panel6", "SBCrearExamen", 44, 20, "Crear examen", "BCrearExamenClick"},
    };
    return botones;
}

} // namespace

TEST(Menu, TitulosAtajosSeparadoresYContextos) {
    TCarpeta carpeta;
    TEspia form(carpeta.Ruta());
    const QList<QAction*> titulos = form.menuBar()->actions();
    ASSERT_EQ(titulos.size(), int(MenuEsperado().size()));
    for (size_t m = 0; m < MenuEsperado().size(); ++m) {
        const TMenuEsperado& esperado = MenuEsperado()[m];
        QAction* titulo = titulos[int(m)];
        ASSERT_NE(titulo->menu(), nullptr);
        EXPECT_EQ(titulo->text(), esperado.Titulo);
        EXPECT_EQ(titulo->menu()->objectName(), QLatin1String(esperado.Nombre));
        EXPECT_EQ(Numero(TMainForm::ContextoDe(titulo->menu())), esperado.Contexto);
        // Every menu title but "Arbol" and "Documentos" has an accelerator.
        const bool sinAtajo = esperado.Titulo == "Arbol" || esperado.Titulo == "Documentos";
        EXPECT_EQ(titulo->text().contains('&'), !sinAtajo) << esperado.Nombre;

        const QList<QAction*> items = titulo->menu()->actions();
        ASSERT_EQ(items.size(), int(esperado.Items.size())) << esperado.Nombre;
        for (size_t i = 0; i < esperado.Items.size(); ++i) {
            const TItem& e = esperado.Items[i];
            QAction* a = items[int(i)];
            if (QLatin1String(e.Nombre) == QLatin1String("-")) {
                EXPECT_TRUE(a->isSeparator()) << esperado.Nombre << " " << i;
                continue;
            }
            EXPECT_FALSE(a->isSeparator());
            EXPECT_EQ(a->objectName(), QLatin1String(e.Nombre));
            EXPECT_EQ(a->text(), e.Texto) << e.Nombre;
            EXPECT_EQ(a->property(TMainForm::PropiedadAyuda).toInt(), e.Contexto) << e.Nombre;
            EXPECT_TRUE(a->isEnabled()) << e.Nombre; // no command is ever disabled
            form.Llamadas.clear();
            a->trigger();
            EXPECT_EQ(form.Llamadas, QStringList{QLatin1String(e.Manejador)}) << e.Nombre;
        }
    }
}

TEST(Menu, CadaItemYCadaBotonLlegaASuManejador) {
    TCarpeta carpeta;
    TEspia form(carpeta.Ruta());
    for (const TMenuEsperado& m : MenuEsperado()) {
        for (const TItem& e : m.Items) {
            if (QLatin1String(e.Nombre) == QLatin1String("-"))
                continue;
            auto* accion = form.findChild<QAction*>(QLatin1String(e.Nombre));
            ASSERT_NE(accion, nullptr) << e.Nombre;
            form.Llamadas.clear();
            accion->trigger();
            EXPECT_EQ(form.Llamadas, QStringList{QLatin1String(e.Manejador)}) << e.Nombre;
        }
    }
    for (const TBotonEsperado& b : BotonesEsperados()) {
        auto* boton = form.findChild<QToolButton*>(QLatin1String(b.Nombre));
        ASSERT_NE(boton, nullptr) << b.Nombre;
        form.Llamadas.clear();
        boton->click();
        EXPECT_EQ(form.Llamadas, QStringList{QLatin1String(b.Manejador)}) << b.Nombre;
    }
}

TEST(Menu, EnSoloConsultaSeRechazanLasOrdenesQueCambianLaBiblioteca) {
    // The handlers of the commands that change the library.
    const QStringList cambian = {
        "Nuevolibros1Click", "Modificarlibro1Click", "Importarlibro1Click", "Exportarlibro1Click",
        "Eliminarlibro1Click", "BOpcionesClick", "SBNuevoNodoClick", "SBNuevoSubNodoClick",
        "SBBorraNodoClick", "SBNuevoDocClick", "SBBorraDocClick", "BPropPregClick",
        "SBPregsAExamenClick", "BCrearExamenClick", "ImportardeMoodle1Click",
        // Converting and importing documents change the library; exporting
        // one reads it only.
        "Convertirdocumentos1Click", "Importardocumentos1Click"};
    TCarpeta carpeta;
    TEspia form(carpeta.Ruta());
    form.Almacen().SoloConsulta = true;
    ui::TGuion guion;
    // Each command, from its menu item and from its button: refused with the
    // one message when it would change the library, run without a word
    // otherwise.
    const auto comprobar = [&](const std::function<void()>& disparar, const char* nombre,
                               const char* manejador) {
        form.Llamadas.clear();
        guion.Mensajes.clear();
        disparar();
        if (cambian.contains(QLatin1String(manejador))) {
            EXPECT_TRUE(form.Llamadas.isEmpty()) << nombre;
            ASSERT_EQ(guion.Mensajes.size(), 1) << nombre;
            EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Informacion) << nombre;
            EXPECT_EQ(guion.Mensajes[0].Texto, QString::fromUtf8(TMainForm::MensajeSoloConsulta));
        } else {
            EXPECT_EQ(form.Llamadas, QStringList{QLatin1String(manejador)}) << nombre;
            EXPECT_TRUE(guion.Mensajes.isEmpty()) << nombre;
        }
    };
    int rechazadas = 0;
    for (const TMenuEsperado& m : MenuEsperado()) {
        for (const TItem& e : m.Items) {
            if (QLatin1String(e.Nombre) == QLatin1String("-"))
                continue;
            auto* accion = form.findChild<QAction*>(QLatin1String(e.Nombre));
            ASSERT_NE(accion, nullptr) << e.Nombre;
            comprobar([accion] { accion->trigger(); }, e.Nombre, e.Manejador);
            rechazadas += cambian.contains(QLatin1String(e.Manejador));
        }
    }
    for (const TBotonEsperado& b : BotonesEsperados()) {
        auto* boton = form.findChild<QToolButton*>(QLatin1String(b.Nombre));
        ASSERT_NE(boton, nullptr) << b.Nombre;
        comprobar([boton] { boton->click(); }, b.Nombre, b.Manejador);
        rechazadas += cambian.contains(QLatin1String(b.Manejador));
    }
    EXPECT_EQ(rechazadas, 17 + 9); // menu items and buttons
}

TEST(Barras, BotonesEnSuSitioConHintNombreAccesibleEImagen) {
    TCarpeta carpeta;
    TMainForm form(carpeta.Ruta());
    for (const char* nombre : {"Panel5", "Panel4", "Panel6"}) {
        auto* barra = form.findChild<QFrame*>(QLatin1String(nombre));
        ASSERT_NE(barra, nullptr) << nombre;
        EXPECT_EQ(barra->height(), 20);
        EXPECT_EQ(barra->palette().color(QPalette::Window), QColor(Qt::black));
    }
    for (const TBotonEsperado& b : BotonesEsperados()) {
        auto* boton = form.findChild<QToolButton*>(QLatin1String(b.Nombre));
        ASSERT_NE(boton, nullptr) << b.Nombre;
        EXPECT_EQ(boton->parentWidget()->objectName(), QLatin1String(b.Barra)) << b.Nombre;
        EXPECT_EQ(boton->geometry(), QRect(b.X, 0, b.Ancho, 19)) << b.Nombre;
        EXPECT_EQ(boton->toolTip(), b.Hint);
        EXPECT_EQ(boton->accessibleName(), b.Hint);
        EXPECT_FALSE(boton->icon().isNull()) << b.Nombre;
        EXPECT_TRUE(boton->autoRaise()) << b.Nombre;
        EXPECT_TRUE(boton->focusPolicy() & Qt::TabFocus) << b.Nombre;
    }
}

TEST(Ventana, ElIconoDeLaVentanaEsElDelPrograma) {
    TCarpeta carpeta;
    TMainForm form(carpeta.Ruta());
    const QIcon programa = recursos::IconoPrograma();
    ASSERT_FALSE(programa.isNull());
    for (int lado : {16, 32, 48})
        EXPECT_EQ(form.windowIcon().pixmap(lado, lado).toImage(),
                  programa.pixmap(lado, lado).toImage())
            << lado;
}

TEST(Ventana, PanelesConSusNombresYMedidas) {
    TCarpeta carpeta;
    ui::TGuion guion;
    guion.Dialogo(CrearLibro("Uno", "uno"));
    auto form = Arrancar(carpeta);
    for (const char* nombre :
         {"Panel1", "PanelArbol", "Panel5", "Arbol", "Splitter1", "PanelPreg", "Panel4", "GridPreg",
          "Splitter2", "PanelExamen", "Panel6", "GridExamen"}) {
        auto* w = form->findChild<QWidget*>(QLatin1String(nombre));
        ASSERT_NE(w, nullptr) << nombre;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << nombre;
    }
    EXPECT_EQ(form->PanelArbol->width(), 185);
    EXPECT_EQ(form->Splitter1->handleWidth(), 2);
    EXPECT_EQ(form->Splitter2->handleWidth(), 2);
    EXPECT_EQ(form->PanelArbol->minimumWidth(), 100);
    EXPECT_EQ(form->PanelPreg->minimumWidth(), 100);
    EXPECT_EQ(form->LabNoHayDocumentos->text(), QStringLiteral("No hay documentos"));
    EXPECT_EQ(form->Arbol->indentation(), 19);
    EXPECT_TRUE(form->Arbol->rootIsDecorated());
    EXPECT_EQ(form->Arbol->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(form->Arbol->font().pointSize(), 8);
    for (QWidget* parte :
         {static_cast<QWidget*>(form->Arbol), static_cast<QWidget*>(form->GridPreg),
          static_cast<QWidget*>(form->GridExamen)})
        EXPECT_TRUE(parte->focusPolicy() & Qt::TabFocus) << parte->objectName().toStdString();

    // Exam grid: two columns, nine empty data rows after the load.
    EXPECT_EQ(form->GridExamen->model()->rowCount(), 9);
    EXPECT_EQ(form->GridExamen->model()->headerData(0, Qt::Horizontal).toString(), "Nº");
    EXPECT_EQ(form->GridExamen->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Descripción"));
    EXPECT_EQ(form->GridExamen->columnWidth(0), 35);
    EXPECT_EQ(form->GridExamen->columnWidth(1), 250);
    EXPECT_FALSE(form->GridExamen->model()->index(0, 0).data().isValid());
}

TEST(Ventana, ArbolConImagenesYEdicionEnSitio) {
    TCarpeta carpeta;
    ui::TGuion guion;
    guion.Dialogo(CrearLibro("Uno", "uno"));
    auto form = Arrancar(carpeta);
    TModeloArbol* modelo = form->ModeloArbol;
    TNodo* seleccionado = form->NodoSeleccionado();
    ASSERT_NE(seleccionado, nullptr);
    const QModelIndex isel = modelo->Indice(seleccionado);
    const QModelIndex iotro = modelo->index(0, 0); // "Útiles"
    ASSERT_NE(isel, iotro);
    const auto clave = [](const QModelIndex& i) {
        return qvariant_cast<QIcon>(i.data(Qt::DecorationRole)).cacheKey();
    };
    EXPECT_EQ(clave(isel), modelo->Imagen(1).cacheKey());
    EXPECT_EQ(clave(iotro), modelo->Imagen(0).cacheKey());
    EXPECT_NE(modelo->Imagen(0).cacheKey(), modelo->Imagen(1).cacheKey());

    // Selecting another node moves image 1 and lists that node.
    form->Arbol->setCurrentIndex(iotro);
    EXPECT_EQ(clave(iotro), modelo->Imagen(1).cacheKey());
    EXPECT_EQ(clave(isel), modelo->Imagen(0).cacheKey());
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Útiles"));

    // In-place editing of any node text, the protected ones included.
    EXPECT_TRUE(modelo->flags(iotro) & Qt::ItemIsEditable);
    EXPECT_TRUE(modelo->setData(iotro, QStringLiteral("Utilidades")));
    EXPECT_EQ(form->Almacen().Arbol.Raices().front()->Texto, QStringLiteral("Utilidades"));
    EXPECT_EQ(form->Almacen().Arbol.Raices().front()->Identificador, QStringLiteral("1"));

    // Adding and deleting through the model keeps the view in step.
    TNodo* raiz = form->Almacen().Arbol.Raices().back().get();
    const int antes = modelo->rowCount(modelo->Indice(raiz));
    TNodo* nuevo = modelo->Anadir(raiz, QStringLiteral("Tema nuevo"), QStringLiteral("123456789"));
    EXPECT_EQ(modelo->rowCount(modelo->Indice(raiz)), antes + 1);
    EXPECT_EQ(modelo->Indice(nuevo).data().toString(), QStringLiteral("Tema nuevo"));
    EXPECT_EQ(modelo->parent(modelo->Indice(nuevo)), modelo->Indice(raiz));
    modelo->Borrar(nuevo);
    EXPECT_EQ(modelo->rowCount(modelo->Indice(raiz)), antes);
}

TEST(Ayuda, F1AbreElContextoDeLaParteConFoco) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        PonerDocumento(a, 1, 444444, 2, 0, 0);
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    ASSERT_FALSE(form->GridPreg->isHidden());

    const auto f1 = [&](QWidget* w) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
        return guion.AyudasAbiertas.isEmpty() ? 0 : guion.AyudasAbiertas.takeLast();
    };
    EXPECT_EQ(f1(form->Arbol), 1200);
    EXPECT_EQ(f1(form->GridPreg), 1300);
    EXPECT_EQ(f1(form->GridExamen), 1400);
    EXPECT_EQ(f1(form->SBNuevoDoc), 1300); // a toolbar button helps with its pane
    EXPECT_EQ(Numero(TMainForm::ContextoDe(form.get())), 1);
    EXPECT_EQ(Numero(TMainForm::ContextoDe(form->menuBar())), 1);

    // F1 in an open menu: the highlighted item's context.
    form->Libros1->setActiveAction(form->Eliminarlibro1);
    QTest::keyClick(form->Libros1, Qt::Key_F1);
    EXPECT_EQ(guion.AyudasAbiertas.value(0), 1106);
    guion.AyudasAbiertas.clear();

    form->Contenido1->trigger();
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1});

    guion.Dialogo([](QDialog& d) {
        d.accept();
        return int(QDialog::Accepted);
    });
    form->Acercade1->trigger();
    EXPECT_EQ(guion.DialogosMostrados, QStringList{QStringLiteral("TAcercaDeBox")});
}
