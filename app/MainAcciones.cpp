// The commands of the main window's menu and toolbars, written once each as
// an entry of the tables below and connected to their handlers by pointer to
// member (a handler that does not exist, or has another signature, does not
// compile). The dispatcher refuses the commands that change the library while
// it is open for consultation only, with the same message as every other
// guard of the window.
#include <span>

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "Iconos.h"
#include "Main.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

constexpr int LadoBoton = 19;
constexpr int LadoIcono = 16;

// One command: the handler that carries it out and whether it changes the
// library.
struct TOrden {
    void (TMainForm::*Manejador)();
    bool CambiaBiblioteca;
};

constexpr TOrden NuevoLibro{&TMainForm::Nuevolibros1Click, true};
constexpr TOrden CambiarLibroActivo{&TMainForm::Cambiardelibroactual1Click, false};
constexpr TOrden ModificarLibro{&TMainForm::Modificarlibro1Click, true};
constexpr TOrden ImportarLibro{&TMainForm::Importarlibro1Click, true};
constexpr TOrden ExportarLibro{&TMainForm::Exportarlibro1Click, true};
constexpr TOrden EliminarLibro{&TMainForm::Eliminarlibro1Click, true};
constexpr TOrden Opciones{&TMainForm::BOpcionesClick, true};
constexpr TOrden Salir{&TMainForm::Salir1Click, false};
constexpr TOrden NuevoNodo{&TMainForm::SBNuevoNodoClick, true};
constexpr TOrden NuevoSubNodo{&TMainForm::SBNuevoSubNodoClick, true};
constexpr TOrden BorraNodo{&TMainForm::SBBorraNodoClick, true};
constexpr TOrden Editar{&TMainForm::BEditarClick, false};
constexpr TOrden NuevoDoc{&TMainForm::SBNuevoDocClick, true};
constexpr TOrden BorraDoc{&TMainForm::SBBorraDocClick, true};
constexpr TOrden PropPreg{&TMainForm::BPropPregClick, true};
constexpr TOrden VerExamen{&TMainForm::BVerExamenClick, false};
constexpr TOrden BorraPregExam{&TMainForm::SBBorraPregExamClick, false};
constexpr TOrden PregsAExamen{&TMainForm::SBPregsAExamenClick, true};
constexpr TOrden CrearExamen{&TMainForm::BCrearExamenClick, true};
// The automatic choice writes only the exam list, which lives in memory and is
// no part of the library's files (as removing an entry): it is allowed while
// the library is open for consultation only. Moving marked documents does
// change the library, as it clears their marks.
constexpr TOrden SeleccionAutomatica{&TMainForm::Seleccionautomatica1Click, false};
constexpr TOrden Contenido{&TMainForm::ContenidoClick, false};
constexpr TOrden Acercade{&TMainForm::AcercadeClick, false};
// Office documents in and out.
constexpr TOrden ConvertirDocumentos{&TMainForm::Convertirdocumentos1Click, true};
constexpr TOrden ImportarDocumentos{&TMainForm::Importardocumentos1Click, true};
constexpr TOrden ExportarDocumento{&TMainForm::Exportardocumento1Click, false};
// Questions to and from Moodle: an export only reads the library.
constexpr TOrden ExportarMoodleLibro{&TMainForm::ExportaraMoodle1Click, false};
constexpr TOrden ImportarMoodle{&TMainForm::ImportardeMoodle1Click, true};
constexpr TOrden ExportarMoodleExamen{&TMainForm::ExportaraMoodle2Click, false};

// A menu item: the window's field that keeps it, its objectName, caption
// (UTF-8, "&" before the accelerator), help context and command. An entry
// without a field is a separator.
struct TItem {
    QAction* TMainForm::*Campo;
    const char* Nombre;
    const char* Texto;
    ContextoAyuda Contexto;
    TOrden Orden;
};
constexpr TItem Separador{nullptr, "", "", ContextoAyuda::Indice, {nullptr, false}};

struct TMenu {
    QMenu* TMainForm::*Campo;
    const char* Nombre;
    const char* Titulo;
    ContextoAyuda Contexto;
    std::span<const TItem> Items;
};

// A toolbar button: its toolbar, field, objectName, x and width within the
// toolbar, hint (also its accessible name), picture and command.
struct TBoton {
    QFrame* TMainForm::*Barra;
    QToolButton* TMainForm::*Campo;
    const char* Nombre;
    int X;
    int Ancho;
    const char* Hint;
    QIcon (*Icono)();
    TOrden Orden;
};

using C = ContextoAyuda;
using M = TMainForm;

constexpr TItem ItemsLibros[] = {
    {&M::Nuevolibros1, "Nuevolibros1", "&Nuevo libro", C::NuevoLibro, NuevoLibro},
    {&M::Cambiardelibroactual1, "Cambiardelibroactual1", "&Cambiar de libro activo",
     C::CambiarLibroActivo, CambiarLibroActivo},
    {&M::Modificarlibro1, "Modificarlibro1", "Propiedades ..", C::PropiedadesLibro, ModificarLibro},
    {&M::Importarlibro1, "Importarlibro1", "&Importar libro", C::ImportarLibro, ImportarLibro},
    {&M::Exportarlibro1, "Exportarlibro1", textos::ExportarLibro, C::ExportarLibro, ExportarLibro},
    {&M::Eliminarlibro1, "Eliminarlibro1", textos::EliminarLibro, C::EliminarLibro, EliminarLibro},
    {&M::Convertirdocumentos1, "Convertirdocumentos1", "Con&vertir documentos…",
     C::ConvertirDocumentos, ConvertirDocumentos},
    Separador,
    {&M::ImportardeMoodle1, "ImportardeMoodle1", "Importar &de Moodle…", C::ImportarDeMoodle,
     ImportarMoodle},
    {&M::ExportaraMoodle1, "ExportaraMoodle1", "Exportar a &Moodle…", C::ExportarAMoodle,
     ExportarMoodleLibro},
    Separador,
    {&M::Opcionesgenerales1, "Opcionesgenerales1", "&Opciones generales ..", C::OpcionesGenerales,
     Opciones},
    Separador,
    {&M::Salir1, "Salir1", "&Salir", C::Salir, Salir},
};

constexpr TItem ItemsArbol[] = {
    {&M::Anadirnodo1, "Anadirnodo1", "Añadir &nodo", C::AnadirNodo, NuevoNodo},
    {&M::Anadirnodohijo1, "Anadirnodohijo1", "Añadir nodo &hijo", C::AnadirNodoHijo, NuevoSubNodo},
    {&M::Borrarnodo1, "Borrarnodo1", "&Borrar nodo", C::BorrarNodo, BorraNodo},
};

constexpr TItem ItemsDocumentos[] = {
    {&M::Abrireditor1, "Abrireditor1", "Abrir edi&tor", C::AbrirEditor, Editar},
    Separador,
    {&M::Anadirdocumento1, "Anadirdocumento1", "&Añadir documento", C::AnadirDocumento, NuevoDoc},
    {&M::Borrardocumento1, "Borrardocumento1", "&Borrar documento", C::BorrarDocumento, BorraDoc},
    {&M::Propiedades1, "Propiedades1", "&Propiedades ..", C::PropiedadesDocumento, PropPreg},
    Separador,
    {&M::Importardocumentos1, "Importardocumentos1", "&Importar documentos…", C::ImportarDocumentos,
     ImportarDocumentos},
    {&M::Exportardocumento1, "Exportardocumento1", "E&xportar documento…", C::ExportarDocumento,
     ExportarDocumento},
};

constexpr TItem ItemsExamen[] = {
    {&M::Verlistadedocumentosparaexamen1, "Verlistadedocumentosparaexamen1",
     "&Ver lista de documentos para examen", C::VerListaExamen, VerExamen},
    Separador,
    {&M::Borrardocumentodeexamen1, "Borrardocumentodeexamen1", "&Borrar documento de examen",
     C::BorrarDocumentoExamen, BorraPregExam},
    {&M::Trasladardocumentosmarcadosaexamen1, "Trasladardocumentosmarcadosaexamen1",
     "&Trasladar documentos marcados a examen", C::TrasladarMarcados, PregsAExamen},
    {&M::Seleccionautomatica1, "Seleccionautomatica1", "&Selección automática…",
     C::SeleccionAutomatica, SeleccionAutomatica},
    {&M::Crearexamen1, "Crearexamen1", "&Crear examen", C::CrearExamen, CrearExamen},
    Separador,
    {&M::ExportaraMoodle2, "ExportaraMoodle2", "Exportar a &Moodle…", C::ExportarExamenAMoodle,
     ExportarMoodleExamen},
};

constexpr TItem ItemsAyuda[] = {
    {&M::Contenido1, "Contenido1", "&Contenido", C::Contenido, Contenido},
    {&M::Acercade1, "Acercade1", "Acerca de ..", C::AcercaDe, Acercade},
};

// "Arbol" and "Documentos" have no accelerator.
constexpr TMenu Menus[] = {
    {&M::Libros1, "Libros1", "&Libros", C::Libros, ItemsLibros},
    {&M::Arbol1, "Arbol1", "Arbol", C::Arbol, ItemsArbol},
    {&M::Documentos1, "Documentos1", "Documentos", C::Documentos, ItemsDocumentos},
    {&M::Examen1, "Examen1", "&Examen", C::Examen, ItemsExamen},
    {&M::Ayuda1, "Ayuda1", textos::BotonAyuda, C::Ayuda, ItemsAyuda},
};

constexpr TBoton Botones[] = {
    // Panel5, the tree's toolbar. The editor's hint ends in a blank until the
    // editor is first opened or closed (PonerEditorAbierto).
    {&M::Panel5, &M::SBNuevoNodo, "SBNuevoNodo", 0, LadoBoton, "Nuevo nodo", iconos::NuevoNodo,
     NuevoNodo},
    {&M::Panel5, &M::SBNuevoSubNodo, "SBNuevoSubNodo", 19, LadoBoton, "Nuevo nodo hijo",
     iconos::NuevoSubNodo, NuevoSubNodo},
    {&M::Panel5, &M::SBBorraNodo, "SBBorraNodo", 38, LadoBoton, "Borra nodo y sus descendientes",
     iconos::BorraNodo, BorraNodo},
    {&M::Panel5, &M::SBEditor, "SBEditor", 67, LadoBoton, "Abrir editor ", iconos::Editor, Editar},
    {&M::Panel5, &M::SBOpciones, "SBOpciones", 91, LadoBoton, "Establecer opciones generales",
     iconos::Opciones, Opciones},
    // Panel4, the document grid's toolbar.
    {&M::Panel4, &M::SBNuevoDoc, "SBNuevoDoc", 0, LadoBoton, "Nuevo documento", iconos::NuevoDoc,
     NuevoDoc},
    {&M::Panel4, &M::SBBorraDoc, "SBBorraDoc", 18, LadoBoton, "Borrar documento", iconos::BorraDoc,
     BorraDoc},
    {&M::Panel4, &M::SBVerExamen, "SBVerExamen", 47, LadoBoton,
     "Ver lista de documentos para crear examen", iconos::VerExamen, VerExamen},
    {&M::Panel4, &M::SBPropDoc, "SBPropDoc", 69, LadoBoton, "Propiedades del documento",
     iconos::PropDoc, PropPreg},
    // Panel6, the exam list's toolbar.
    {&M::Panel6, &M::SBPregsAExamen, "SBPregsAExamen", 0, LadoBoton,
     "Añadir preguntas marcadas a examen", iconos::PregsAExamen, PregsAExamen},
    {&M::Panel6, &M::SBBorraPregExam, "SBBorraPregExam", 18, LadoBoton, "Borrar pregunta de examen",
     iconos::BorraPregExam, BorraPregExam},
    {&M::Panel6, &M::SBCrearExamen, "SBCrearExamen", 44, 20, textos::CrearExamen,
     iconos::CrearExamen, CrearExamen},
};

// Carries out a command: one that changes the library goes ahead only when
// the library may be changed (PermitirCambio tells the user why not).
void Ejecutar(TMainForm& ventana, const TOrden& orden) {
    if (orden.CambiaBiblioteca && !ventana.PermitirCambio())
        return;
    (ventana.*orden.Manejador)();
}

} // namespace

void TMainForm::CrearMenu() {
    QMenuBar* barra = menuBar();
    barra->setObjectName(QStringLiteral("MainMenu"));
    barra->setAccessibleName(QStringLiteral("Menú principal"));
    for (const TMenu& m : Menus) {
        QMenu* menu = barra->addMenu(QString::fromUtf8(m.Titulo));
        menu->setObjectName(QLatin1String(m.Nombre));
        menu->setProperty(PropiedadAyuda, Numero(m.Contexto));
        menu->menuAction()->setObjectName(QLatin1String(m.Nombre));
        menu->menuAction()->setProperty(PropiedadAyuda, Numero(m.Contexto));
        // F1 on a highlighted item (eventFilter).
        menu->installEventFilter(this);
        this->*m.Campo = menu;
        for (const TItem& item : m.Items) {
            if (!item.Campo) {
                menu->addSeparator();
                continue;
            }
            const QString texto = QString::fromUtf8(item.Texto);
            auto* accion = new QAction(texto, menu);
            accion->setObjectName(QLatin1String(item.Nombre));
            accion->setProperty(PropiedadAyuda, Numero(item.Contexto));
            accion->setToolTip(QString(texto).remove(QLatin1Char('&')).trimmed());
            connect(accion, &QAction::triggered, this,
                    [this, orden = item.Orden] { Ejecutar(*this, orden); });
            menu->addAction(accion);
            this->*item.Campo = accion;
        }
    }
}

void TMainForm::CrearBotones(QFrame* barra) {
    for (const TBoton& b : Botones) {
        if (this->*b.Barra != barra)
            continue;
        const QString hint = QString::fromUtf8(b.Hint);
        auto* boton = new QToolButton(barra);
        boton->setObjectName(QLatin1String(b.Nombre));
        boton->setGeometry(b.X, 0, b.Ancho, LadoBoton);
        boton->setAutoRaise(true);
        boton->setIcon(b.Icono());
        boton->setIconSize(QSize(LadoIcono, LadoIcono));
        boton->setToolTip(hint);
        boton->setAccessibleName(hint);
        boton->setFocusPolicy(Qt::TabFocus);
        connect(boton, &QToolButton::clicked, this,
                [this, orden = b.Orden] { Ejecutar(*this, orden); });
        this->*b.Campo = boton;
    }
}

} // namespace brivo
