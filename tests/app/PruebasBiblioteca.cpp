// The main window and its library: a second program opens it for
// consultation only and writes nothing, a crashed first program gives the
// library back, and a first start in a new per-user folder reads the shipped
// files from where they are installed.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include "AcercaDe.h"
#include "ArchivoDocumento.h"
#include "Carpetas.h"
#include "EntornoApp.h"
#include "Errores.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "OtroPrograma.h"
#include "VistaGridPreg.h"

using namespace brivo;
using namespace brivo::pruebas;
using ui::TipoMensaje;

namespace {

const QString Rechazo = QString::fromUtf8(TMainForm::MensajeSoloConsulta);

// A library with one book, two documents under the first materia (the first
// with its file) and that book active.
void PrepararBiblioteca(const TCarpeta& carpeta) {
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        a.Libros[1].ClaveEnDoc = false;
        PonerDocumento(a, 3, 444444, 2, 0, 0, QStringLiteral("Átomo"));
        PonerDocumento(a, 4, 444444, 2, 0, 0, QStringLiteral("Ion"));
        a.LibroActivo = 1;
    });
    QDir(carpeta.Ruta()).mkpath("Docs/fis");
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("#PREG\nEl átomo"));
    word::GuardarArchivoDocumento(carpeta.Archivo("Docs/fis/K000003.doc"), QString(), doc, {});
}

QString MensajeEnUso(const TCarpeta& carpeta, qint64 proceso) {
    return QStringLiteral("La biblioteca de %1 ya está abierta en %2 (proceso %3). Se abrirá "
                          "sólo para consulta.")
        .arg(carpetas::Visible(carpeta.Ruta()), QSysInfo::machineHostName())
        .arg(proceso);
}

// The commands that change the library, by the name of their menu item or
// toolbar button.
const char* const OrdenesQueCambian[] = {
    "Nuevolibros1",
    "Modificarlibro1",
    "Importarlibro1",
    "Exportarlibro1",
    "Eliminarlibro1",
    "Opcionesgenerales1",
    "Anadirnodo1",
    "Anadirnodohijo1",
    "Borrarnodo1",
    "Anadirdocumento1",
    "Borrardocumento1",
    "Propiedades1",
    "Trasladardocumentosmarcadosaexamen1",
    "Crearexamen1",
    "Convertirdocumentos1",
    "Importardocumentos1",
    "SBOpciones",
    "SBNuevoNodo",
    "SBNuevoSubNodo",
    "SBBorraNodo",
    "SBNuevoDoc",
    "SBBorraDoc",
    "SBPropDoc",
    "SBPregsAExamen",
    "SBCrearExamen",
};

// Every command that would change the library is refused with one message,
// and changes nothing, from its menu item and from its button; so is a drop
// of documents on a node.
void ComprobarOrdenesRechazadas(TMainForm& form, ui::TGuion& guion) {
    TAlmacen& a = form.Almacen();
    const QByteArray arbolAntes = a.Arbol.Serializar();
    for (const char* orden : OrdenesQueCambian) {
        guion.Mensajes.clear();
        if (auto* accion = form.findChild<QAction*>(QLatin1String(orden)))
            accion->trigger();
        else if (auto* boton = form.findChild<QToolButton*>(QLatin1String(orden)))
            boton->click();
        else
            ADD_FAILURE() << "sin orden " << orden;
        EXPECT_EQ(Textos(guion, TipoMensaje::Informacion), QStringList{Rechazo}) << orden;
        EXPECT_EQ(guion.Mensajes.size(), 1) << orden;
    }
    guion.Mensajes.clear();
    form.SoltarDocumentosEnNodo(a.Arbol.Raices().front().get());
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion), QStringList{Rechazo});
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
    EXPECT_EQ(a.Arbol.Serializar(), arbolAntes);
    EXPECT_TRUE(a.Documentos[3].Usado());
    EXPECT_EQ(a.LibroLibre(), 2);
}

// Nothing is edited in place: grid cells, marks, node texts, drops.
void ComprobarNadaSeEditaEnSuSitio(TMainForm& form) {
    TModeloGridPreg& grid = *form.ModeloGridPreg;
    for (int c :
         {TModeloGridPreg::ColDescripcion, TModeloGridPreg::ColMarca, TModeloGridPreg::ColPuntos}) {
        const QModelIndex celda = grid.index(0, c);
        EXPECT_FALSE(grid.flags(celda) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) << c;
        EXPECT_FALSE(grid.setData(celda, QStringLiteral("1"))) << c;
    }
    EXPECT_EQ(form.Almacen().Documentos[3].Descripcion.Texto(), QStringLiteral("Átomo"));
    const QModelIndex nodo = form.ModeloArbol->index(0, 0);
    EXPECT_FALSE(form.ModeloArbol->flags(nodo) & Qt::ItemIsEditable);
    EXPECT_FALSE(form.ModeloArbol->setData(nodo, QStringLiteral("Otro nombre")));
    QMimeData arrastre;
    arrastre.setData(QString::fromLatin1(TVistaGridPreg::FormatoArrastre), QByteArray());
    EXPECT_FALSE(form.ArbolDragOver(&arrastre, form.Arbol->visualRect(nodo).center()));
}

// The documents can be read in the editor, not saved; moving to a document
// without a file makes none.
void ComprobarEditorSinGuardar(TMainForm& form, ui::TGuion& guion, const TCarpeta& carpeta) {
    guion.Mensajes.clear();
    form.BEditarClick();
    ASSERT_TRUE(form.Banco().WordDocument);
    EXPECT_EQ(form.Banco().WordDocument->FullName(), carpeta.Archivo("Docs/fis/K000003.doc"));
    form.Banco().WordDocument->Content()->InsertAfter(QStringLiteral(" y sus partes"));
    EXPECT_THROW(form.Banco().WordDocument->Close(word::GuardarCambios::Guardar), ErrorBrivo);
    form.GridPregActiveCellChanged(2, TModeloGridPreg::ColDescripcion);
    EXPECT_FALSE(carpeta.Existe("Docs/fis/K000004.doc"));
}

// The library line of the "Créditos" box.
QString BibliotecaEnCreditos(TMainForm& form, ui::TGuion& guion) {
    QString creditos;
    guion.Dialogo([&](QDialog& d) {
        if (auto* caja = dynamic_cast<TAcercaDeBox*>(&d))
            creditos = caja->LabBiblioteca->text();
        return int(QDialog::Accepted);
    });
    form.AcercadeClick();
    return creditos;
}

TEST(Biblioteca, SegundoProgramaSoloConsultaYNoEscribeNada) {
    TCarpeta carpeta;
    PrepararBiblioteca(carpeta);
    pruebas::TOtroPrograma otro;
    ASSERT_TRUE(otro.Tomar(carpeta.Ruta()));
    const pruebas::TFotoCarpeta antes = pruebas::Fotografiar(carpeta.Ruta());

    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    ASSERT_TRUE(form->SoloConsulta());
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion),
              QStringList{MensajeEnUso(carpeta, otro.Proceso())});
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Brivo II  Libro activo: Física (sólo consulta)"));
    ASSERT_EQ(form->Almacen().NumListados, 2); // the library was read

    ComprobarOrdenesRechazadas(*form, guion);
    ComprobarNadaSeEditaEnSuSitio(*form);
    ASSERT_NO_FATAL_FAILURE(ComprobarEditorSinGuardar(*form, guion, carpeta));
    // "Créditos" names the library and its mode.
    EXPECT_EQ(BibliotecaEnCreditos(*form, guion),
              "Biblioteca: " + carpetas::Visible(carpeta.Ruta()) + " (sólo consulta)");

    EXPECT_TRUE(form->close());
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    form.reset();
    EXPECT_EQ(pruebas::Fotografiar(carpeta.Ruta()), antes);
}

TEST(Biblioteca, SinLibrosYSoloConsultaNoPideCrearUno) {
    TCarpeta carpeta;
    pruebas::TOtroPrograma otro;
    ASSERT_TRUE(otro.Tomar(carpeta.Ruta()));
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion),
              (QStringList{MensajeEnUso(carpeta, otro.Proceso()),
                           QStringLiteral("La biblioteca no tiene ningún libro y está abierta "
                                          "sólo para consulta.")}));
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II"));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(carpeta.Existe("Libros.lst"));
}

TEST(Biblioteca, TrasUnCierreBruscoElSiguienteEscribe) {
    TCarpeta carpeta;
    PrepararBiblioteca(carpeta);
    {
        pruebas::TOtroPrograma otro;
        ASSERT_TRUE(otro.Tomar(carpeta.Ruta()));
        otro.Matar();
    }
    ASSERT_TRUE(carpeta.Existe("Brivo2.lock"));
    const QByteArray libros = carpeta.Leer("Libros.lst");

    ui::TGuion guion;
    auto primera = Arrancar(carpeta);
    EXPECT_FALSE(primera->SoloConsulta());
    EXPECT_TRUE(guion.Mensajes.isEmpty());

    // A second window of this same process is the second program.
    auto segunda = Arrancar(carpeta);
    EXPECT_TRUE(segunda->SoloConsulta());
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion),
              QStringList{MensajeEnUso(carpeta, QCoreApplication::applicationPid())});
    EXPECT_TRUE(segunda->close());
    segunda.reset();
    EXPECT_EQ(carpeta.Leer("Libros.lst"), libros); // the second one saved nothing

    primera->Almacen().Documentos[3].Descripcion = QStringLiteral("Átomo de Bohr");
    EXPECT_TRUE(primera->close());
    EXPECT_NE(carpeta.Leer("Libros.lst"), libros); // fresh fillers: the first one saved
    EXPECT_FALSE(carpeta.Existe("Brivo2.lock")) << "el cerrojo se suelta al cerrar";
    TAlmacen leido;
    leido.CarpetaPrograma = carpeta.Ruta();
    leido.CargarLibreria();
    EXPECT_EQ(leido.Documentos[3].Descripcion.Texto(), QStringLiteral("Átomo de Bohr"));
}

TEST(Biblioteca, PrimerArranqueEnUnaCarpetaNuevaDelUsuario) {
    QTemporaryDir raiz;
    // The shipped files, installed apart from the library.
    const QString instalados = raiz.path() + "/share/brivo2/";
    QDir().mkpath(instalados);
    for (const char* nombre : {"Arbol0.tvw", "nuevodoc.doc", "nuevoexamen.doc", "Brivo2.hlp"})
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(BRIVO_CARPETA_PROGRAMA) + nombre, instalados + nombre))
            << nombre;
    const pruebas::TFotoCarpeta instaladosAntes = pruebas::Fotografiar(instalados);
    const QString biblioteca = raiz.path() + "/xdg/brivo2/";
    carpetas::PrepararBiblioteca(biblioteca);

    ui::TGuion guion;
    guion.Dialogo(CrearLibro(QStringLiteral("Historia"), QStringLiteral("Historia")));
    auto form = std::make_unique<TMainForm>(biblioteca);
    form->Almacen().CarpetaInstalados = instalados;
    form->show();
    form->FormActivate();
    // The usual first start: no book yet, the new-book dialog.
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion).value(0),
              QStringLiteral("No queda ningún libro. Debe crear uno para seguir trabajando."));
    EXPECT_EQ(guion.DialogosMostrados, QStringList{"TFormPropLibro"});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Historia"));
    TArbol inicial;
    inicial.Cargar(instalados + "Arbol0.tvw");
    EXPECT_EQ(form->Almacen().Arbol.Serializar(), inicial.Serializar());

    // A new document's file comes from the installed model.
    form->BEditarClick();
    form->SBNuevoDocClick();
    const int k = form->Almacen().DocActual;
    ASSERT_GE(k, 1);
    const QString ruta = RutaDocumento(form->Almacen(), k);
    EXPECT_TRUE(ruta.startsWith(biblioteca + "Docs/Historia/"));
    EXPECT_TRUE(QFile::exists(ruta));
    EXPECT_TRUE(form->close());
    form.reset();

    for (const char* nombre : {"Libros.lst", "Docs.lst", "Arbol.tvw", "BRIVO_II.INI"})
        EXPECT_TRUE(QFile::exists(biblioteca + nombre)) << nombre;
    for (const char* nombre : {"Arbol0.tvw", "nuevodoc.doc", "nuevoexamen.doc", "Brivo2.hlp"})
        EXPECT_FALSE(QFile::exists(biblioteca + nombre)) << nombre;
    EXPECT_EQ(pruebas::Fotografiar(instalados), instaladosAntes);
}

} // namespace
