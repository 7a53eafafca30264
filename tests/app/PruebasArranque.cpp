// Start-up, active book, caption, closing and saving of the main window.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "Aplicacion.h"
#include "EntornoApp.h"
#include "Errores.h"
#include "Listas.h"
#include "ModeloArbol.h"
#include "PropLibro.h"

using namespace brivo;
using namespace brivo::pruebas;
using ui::TipoMensaje;

namespace {

const QString NoQuedaLibro =
    QStringLiteral("No queda ningún libro. Debe crear uno para seguir trabajando.");

int SlotConTitulo(const TAlmacen& a, const QString& titulo) {
    for (int i = 1; i <= MaxLibros; ++i)
        if (a.Libros[i].Usado() && a.Libros[i].Titulo.Texto() == titulo)
            return i;
    return 0;
}

} // namespace

TEST(Arranque, PrimeraEjecucionPideUnLibroYLoNombraEnElTitulo) {
    TCarpeta carpeta;
    ui::TGuion guion;
    // The first answer cancels: the message and the dialog come back.
    guion.Dialogo(Cancelar());
    guion.Dialogo(CrearLibro(QStringLiteral("Historia de España"), QStringLiteral("Historia")));
    auto form = Arrancar(carpeta);

    EXPECT_EQ(guion.DialogosMostrados,
              QStringList({QStringLiteral("TFormPropLibro"), QStringLiteral("TFormPropLibro")}));
    const QStringList info = Textos(guion, TipoMensaje::Informacion);
    ASSERT_GE(info.size(), 2);
    EXPECT_EQ(info[0], NoQuedaLibro);
    EXPECT_EQ(info[1], NoQuedaLibro);
    EXPECT_EQ(info.count(NoQuedaLibro), 2);

    TAlmacen& a = form->Almacen();
    ASSERT_TRUE(a.LibroActivoValido());
    EXPECT_EQ(a.Libros[a.LibroActivo].Titulo.Texto(), QStringLiteral("Historia de España"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Historia de España"));
    EXPECT_TRUE(QDir(carpeta.Archivo("Docs/Historia")).exists());

    // The first materia is selected and listed (no documents yet).
    TNodo* nodo = form->NodoSeleccionado();
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(nodo->Nivel(), 0);
    EXPECT_GT(nodo->Id(), 1);
    EXPECT_EQ(form->ModeloArbol->Seleccionado(), nodo);
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_FALSE(form->LabNoHayDocumentos->isHidden());

    // Placed along the top of the screen, 200 high, exam pane hidden.
    const QRect pantalla = form->screen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().top(), pantalla.top());
    EXPECT_EQ(form->frameGeometry().width(), pantalla.width());
    EXPECT_EQ(form->frameGeometry().height(), 200);
    EXPECT_EQ(form->Splitter2->sizes().value(0), form->frameGeometry().width() - 10);
}

TEST(Arranque, LibroActivoLiberadoPideElegirLibroAntesQueNada) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 111111, QStringLiteral("Álgebra"), QStringLiteral("alg"));
        PonerLibro(a, 2, 222222, QStringLiteral("Biología"), QStringLiteral("bio"));
        a.LibroActivo = 3; // the list closed up after a deletion
    });
    ui::TGuion guion;
    guion.Dialogo(ElegirLibro(QStringLiteral("Biología")));
    auto form = Arrancar(carpeta);

    EXPECT_EQ(guion.DialogosMostrados, QStringList{QStringLiteral("TFormListaLibros")});
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    EXPECT_EQ(form->Almacen().LibroActivo, 2);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Biología"));
}

TEST(Arranque, LibroActivoValidoNoMuestraNingunDialogo) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 111111, QStringLiteral("Álgebra"), QStringLiteral("alg"));
        PonerLibro(a, 2, 222222, QStringLiteral("Biología"), QStringLiteral("bio"));
        a.LibroActivo = 2;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Biología"));
}

TEST(Arranque, LaVentanaSeColocaArribaAntesDeAparecer) {
    // The place is set by the show event, before the window system maps the
    // window and before the activation step runs, so that a window manager
    // has no reason to put it elsewhere.
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 111111, QStringLiteral("Álgebra"), QStringLiteral("alg"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    TMainForm form(carpeta.Ruta());
    form.show();
    EXPECT_FALSE(form.Activado());
    const QRect zona = form.screen()->availableGeometry();
    EXPECT_EQ(form.pos(), zona.topLeft());
    EXPECT_EQ(form.width(), zona.width());
    EXPECT_EQ(form.height(), 200);
}

TEST(Arranque, TextosDeQtEnCastellano) {
    auto* aplicacion = qobject_cast<TAplicacion*>(QCoreApplication::instance());
    ASSERT_NE(aplicacion, nullptr);
    aplicacion->CargarTraducciones();
    // Qt's own translation: the standard buttons of message boxes.
    QDialogButtonBox botones(QDialogButtonBox::Cancel);
    EXPECT_EQ(botones.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Cancelar"));
    // The kind of a folder in the file dialogs, which that translation lacks.
    QTemporaryDir dir;
    QFileIconProvider tipos;
    EXPECT_EQ(tipos.type(QFileInfo(dir.path())), QStringLiteral("Carpeta"));
}

TEST(Arranque, TituloDeCienCaracteresSeVeEnteroYElTituloNoPasaDe124) {
    TCarpeta carpeta;
    const QString cien = QString(99, QLatin1Char('x')) + QStringLiteral("Z");
    Preparar(carpeta, [&](TAlmacen& a) {
        PonerLibro(a, 1, 333333, cien, QStringLiteral("largo"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    EXPECT_EQ(form->windowTitle().size(), 124);
    EXPECT_TRUE(form->windowTitle().endsWith(cien));

    // A longer text in the record (not possible through the dialogs) is cut.
    form->Almacen().Libros[1].Titulo.Asignar(QString(100, QLatin1Char('y')));
    form->PonerTitulo();
    EXPECT_EQ(form->windowTitle().size(), 124);
}

TEST(Cierre, CerrarDosVecesCambiaLosBytesPeroNoElContenido) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        PonerLibro(a, 4, 555555, QStringLiteral("Química"), QStringLiteral("qui"));
        PonerDocumento(a, 3, 444444, 2, 0, 0);
        a.LibroActivo = 1;
    });
    ui::TGuion guion;

    auto primera = Arrancar(carpeta);
    ASSERT_TRUE(primera->close());
    const QByteArray libros1 = carpeta.Leer("Libros.lst");
    const QByteArray docs1 = carpeta.Leer("Docs.lst");
    ASSERT_FALSE(libros1.isEmpty());
    primera.reset();

    auto segunda = Arrancar(carpeta);
    ASSERT_TRUE(segunda->close());
    const QByteArray libros2 = carpeta.Leer("Libros.lst");
    segunda.reset();

    EXPECT_NE(libros1, libros2); // fresh decoys and fillers at every save
    EXPECT_EQ(libros1.size(), libros2.size());
    EXPECT_EQ(carpeta.Leer("Docs/Libros.lst"), libros1);
    EXPECT_EQ(carpeta.Leer("Docs/Docs.lst"), docs1);
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
    EXPECT_TRUE(guion.Mensajes.isEmpty());

    TAlmacen a1, a2;
    a1.CarpetaPrograma = a2.CarpetaPrograma = carpeta.Ruta();
    LeerLibros(carpeta.Archivo("Docs/Libros.lst"), a1);
    LeerLibros(carpeta.Archivo("Libros.lst"), a2);
    for (int i = 1; i <= MaxLibros; ++i) {
        EXPECT_EQ(a1.Libros[i].Identificador, a2.Libros[i].Identificador) << i;
        EXPECT_EQ(a1.Libros[i].Titulo.Texto(), a2.Libros[i].Titulo.Texto()) << i;
        EXPECT_EQ(a1.Libros[i].Carpeta.Texto(), a2.Libros[i].Carpeta.Texto()) << i;
    }
    EXPECT_EQ(a2.Libros[1].Identificador, 444444);
    EXPECT_EQ(a2.Libros[2].Identificador, 555555); // slots close up in the file
    EXPECT_EQ(LeerAjustes(carpeta.Archivo("BRIVO_II.INI")).LibroActivo, 1);
}

TEST(Cierre, GuardadoFallidoDejaLaVentanaAbiertaYSePuedeRepetir) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    form->Almacen().Libros[1].Titulo = QStringLiteral("Física II");

    ASSERT_TRUE(QDir(carpeta.Ruta()).rename("Docs", "DocsFuera"));
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    const QStringList errores = Textos(guion, TipoMensaje::Error);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(errores[0].contains("Arbol.tvw")) << errores[0].toStdString();
    // Nothing changed in memory by the failed save.
    EXPECT_EQ(form->Almacen().Libros[1].Identificador, 444444);

    ASSERT_TRUE(QDir(carpeta.Ruta()).rename("DocsFuera", "Docs"));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    TAlmacen a;
    a.CarpetaPrograma = carpeta.Ruta();
    a.CargarLibreria();
    EXPECT_EQ(a.Libros[1].Titulo.Texto(), QStringLiteral("Física II"));
    EXPECT_EQ(a.Libros[1].Identificador, 444444);
}

TEST(Cierre, SalirCierraLaVentanaConElMismoPasoDeCierre) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    form->Almacen().Libros[1].Autor = QStringLiteral("Otro autor");
    form->Salir1->trigger();
    EXPECT_FALSE(form->isVisible());
    TAlmacen a;
    a.CarpetaPrograma = carpeta.Ruta();
    a.CargarLibreria();
    EXPECT_EQ(a.Libros[1].Autor.Texto(), QStringLiteral("Otro autor"));
}

TEST(Arranque, SinArbol0NiArbolMuestraElErrorYDetieneLaActivacion) {
    TCarpeta carpeta(false);
    ui::TGuion guion;
    auto form = Arrancar(carpeta);

    const QStringList errores = Textos(guion, TipoMensaje::Error);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_EQ(errores[0],
              QStringLiteral("No se puede abrir el archivo %1").arg(carpeta.Archivo("Arbol0.tvw")));
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty()); // no book was asked for
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II"));
    // The tree built into the window stays, and the view shows it.
    ASSERT_FALSE(form->Almacen().Arbol.Vacio());
    EXPECT_EQ(form->Almacen().Arbol.Raices().front()->Texto, QStringLiteral("Útiles"));
    EXPECT_EQ(form->ModeloArbol->rowCount(), int(form->Almacen().Arbol.Raices().size()));

    // Without a complete load, closing writes nothing over the data files.
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(carpeta.Existe("Libros.lst"));
    EXPECT_FALSE(carpeta.Existe("Arbol.tvw"));
}

TEST(Arranque, ArbolTvwPresenteSeUsaEnLugarDeArbol0) {
    TCarpeta carpeta(false);
    TArbol arbol;
    arbol.Vaciar();
    TNodo* utiles = arbol.Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    arbol.Anadir(utiles, QStringLiteral("Todos"), QStringLiteral("5"));
    arbol.Anadir(nullptr, QStringLiteral("Geografía"), QStringLiteral("777"));
    arbol.Guardar(carpeta.Archivo("Arbol.tvw"));
    ui::TGuion guion;
    guion.Dialogo(CrearLibro(QStringLiteral("Mapas"), QStringLiteral("mapas")));
    auto form = Arrancar(carpeta);
    EXPECT_TRUE(Textos(guion, TipoMensaje::Error).isEmpty());
    ASSERT_NE(form->NodoSeleccionado(), nullptr);
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Geografía"));
    EXPECT_EQ(form->ModeloArbol->rowCount(), 2);
}

TEST(Arranque, SinMateriasSeSeleccionaElPrimerNodo) {
    TCarpeta carpeta(false);
    TArbol arbol;
    arbol.Vaciar();
    TNodo* utiles = arbol.Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    arbol.Anadir(utiles, QStringLiteral("Todos"), QStringLiteral("5"));
    arbol.Guardar(carpeta.Archivo("Arbol0.tvw"));
    ui::TGuion guion;
    guion.Dialogo(CrearLibro(QStringLiteral("Mapas"), QStringLiteral("mapas")));
    auto form = Arrancar(carpeta);
    ASSERT_NE(form->NodoSeleccionado(), nullptr);
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Útiles"));
    EXPECT_TRUE(form->GridPreg->isHidden());
}

TEST(Libros, EliminarElUnicoLibroObligaACrearOtro) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        PonerDocumento(a, 5, 444444, 2, 0, 0);
        a.LibroActivo = 1;
    });
    QDir(carpeta.Ruta()).mkpath("Docs/fis");
    {
        QFile f(carpeta.Archivo("Docs/fis/K000005.doc"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    ASSERT_FALSE(form->GridPreg->isHidden()); // document 5 listed under the materia
    guion.Dialogo(EliminarLibro());
    guion.Dialogo(Cancelar());
    guion.Dialogo(Cancelar());
    guion.Dialogo(CrearLibro(QStringLiteral("Nuevo"), QStringLiteral("nuevo")));
    form->Eliminarlibro1->trigger();

    EXPECT_EQ(guion.DialogosMostrados, QStringList({"TFormEliminarLibro", "TFormPropLibro",
                                                    "TFormPropLibro", "TFormPropLibro"}));
    EXPECT_EQ(Textos(guion, TipoMensaje::Informacion).count(NoQuedaLibro), 3);
    TAlmacen& a = form->Almacen();
    EXPECT_EQ(a.Documentos[5].Numero, 0);
    EXPECT_FALSE(carpeta.Existe("Docs/fis/K000005.doc"));
    ASSERT_TRUE(a.LibroActivoValido());
    EXPECT_EQ(a.Libros[a.LibroActivo].Titulo.Texto(), QStringLiteral("Nuevo"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Nuevo"));
    // The grid was listed again: the deleted document is gone from it.
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_EQ(a.NumListados, 0);
}

TEST(Libros, EliminarConOtrosLibrosPideElegirUno) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        PonerLibro(a, 2, 555555, QStringLiteral("Química"), QStringLiteral("qui"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    guion.Dialogo(EliminarLibro());
    guion.Dialogo(ElegirLibro(QStringLiteral("Química")));
    form->Eliminarlibro1Click();
    EXPECT_EQ(guion.DialogosMostrados, QStringList({"TFormEliminarLibro", "TFormListaLibros"}));
    EXPECT_EQ(form->Almacen().LibroActivo, 2);
    EXPECT_FALSE(form->Almacen().Libros[1].Usado());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Química"));
}

TEST(Libros, NuevoLibroYCambioDeLibroActualizanElTitulo) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);

    guion.Dialogo(CrearLibro(QStringLiteral("Lengua"), QStringLiteral("len")));
    form->Nuevolibros1->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Lengua"));
    EXPECT_EQ(SlotConTitulo(form->Almacen(), "Lengua"), form->Almacen().LibroActivo);

    // Cancelling the new-book dialog keeps the active book and the caption.
    guion.Dialogo(Cancelar());
    form->Nuevolibros1->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Lengua"));

    guion.Dialogo(ElegirLibro(QStringLiteral("Física")));
    form->Cambiardelibroactual1->trigger();
    EXPECT_EQ(form->Almacen().LibroActivo, 1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Física"));
}

TEST(Libros, PropiedadesConElIdentificadorCambianElTitulo) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("fis"));
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    guion.Dialogo([](QDialog& d) {
        auto* campo = d.findChild<QLineEdit*>("ClaveEdit");
        EXPECT_NE(campo, nullptr);
        if (campo)
            campo->setText("444444");
        d.accept();
        return int(QDialog::Accepted);
    });
    guion.Dialogo([](QDialog& d) {
        auto* f = dynamic_cast<TFormPropLibro*>(&d);
        EXPECT_NE(f, nullptr);
        if (!f)
            return int(QDialog::Rejected);
        f->EdTitulo->setText(QStringLiteral("Física general"));
        f->BOKClick();
        return d.result();
    });
    form->Modificarlibro1->trigger();
    EXPECT_EQ(guion.DialogosMostrados, QStringList({"TClaveDialog", "TFormPropLibro"}));
    EXPECT_EQ(form->Almacen().Libros[1].Titulo.Texto(), QStringLiteral("Física general"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Física general"));
}

TEST(Libros, ConLosCienLibrosOcupadosNoSeAbreElDialogo) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        for (int i = 1; i <= MaxLibros; ++i)
            PonerLibro(a, i, 100000 + i, QStringLiteral("Libro %1").arg(i),
                       QStringLiteral("l%1").arg(i));
        a.LibroActivo = 100;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brivo II  Libro activo: Libro 100"));
    form->Nuevolibros1->trigger();
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
    const QStringList info = Textos(guion, TipoMensaje::Informacion);
    ASSERT_EQ(info.size(), 1);
    EXPECT_TRUE(info[0].startsWith(QStringLiteral("No se pueden crear más libros")));
    EXPECT_EQ(form->Almacen().LibroActivo, 100);
}

TEST(Errores, ElManejadorGeneralMuestraElErrorYSigue) {
    ui::TGuion guion;
    bool despues = false;
    QTimer::singleShot(0, [] { throw ErrorBrivo(QStringLiteral("Error de E/S 5")); });
    QTimer::singleShot(0, [&] { despues = true; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QStringList errores = Textos(guion, TipoMensaje::Error);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_EQ(errores[0], QStringLiteral("Error de E/S 5"));
    EXPECT_TRUE(despues);
}

TEST(Documentos, RutaDocumento) {
    TCarpeta carpeta;
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, 444444, QStringLiteral("Física"), QStringLiteral("Historia"));
        PonerDocumento(a, 12, 444444, 2, 0, 0);
        PonerDocumento(a, 13, 999999, 2, 0, 0); // book that does not exist
        a.LibroActivo = 1;
    });
    ui::TGuion guion;
    auto form = Arrancar(carpeta);
    EXPECT_EQ(RutaDocumento(form->Almacen(), 12), carpeta.Ruta() + "Docs/Historia/K000012.doc");
    EXPECT_EQ(RutaDocumento(form->Almacen(), 13), QString());
    EXPECT_EQ(RutaDocumento(form->Almacen(), 0), QString());
    EXPECT_EQ(RutaDocumento(form->Almacen(), 501), QString());
}
