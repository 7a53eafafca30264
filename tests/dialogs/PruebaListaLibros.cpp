// Book choice: sorted titles, last matching slot wins, the command's steps
// whatever button closed the list.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include "EntornoDialogos.h"
#include "Interaccion.h"
#include "ListaLibros.h"

using namespace brivo;
using brivo::pruebas::TVentanaPrueba;

namespace {

QStringList Lineas(const TFormListaLibros& f) {
    QStringList r;
    for (int i = 0; i < f.ListLibros->count(); ++i)
        r.append(f.ListLibros->item(i)->text());
    return r;
}

// A script that selects the line with a title and presses OK.
ui::TGuion::AccionDialogo Elegir(const QString& titulo) {
    return [titulo](QDialog& d) {
        auto& f = dynamic_cast<TFormListaLibros&>(d);
        const auto lineas = f.ListLibros->findItems(titulo, Qt::MatchExactly);
        EXPECT_FALSE(lineas.isEmpty()) << titulo.toStdString();
        if (!lineas.isEmpty())
            f.ListLibros->setCurrentItem(lineas.first());
        f.BOK->click();
        return d.result();
    };
}

} // namespace

TEST(ListaLibros, ControlesYOrdenAlfabetico) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Zoología", "z");
    v.PonerLibro(2, 222222, "botánica", "b");
    v.PonerLibro(4, 444444, "Álgebra", "a");
    v.PonerLibro(5, 555555, "Biología", "bi");
    v.PonerLibro(7, 777777, "Cálculo", "c");
    v.almacen.LibroActivo = 4;
    TFormListaLibros f(v.almacen);
    EXPECT_EQ(f.objectName(), "TFormListaLibros");
    EXPECT_EQ(f.windowTitle(), "Lista de Libros");
    EXPECT_EQ(f.Label1->text(), "Seleccionar un libro");
    EXPECT_EQ(f.Label1->buddy(), f.ListLibros);
    EXPECT_EQ(f.ListLibros->objectName(), "ListLibros");
    EXPECT_EQ(f.BOK->text(), "&OK");
    EXPECT_TRUE(f.BOK->isDefault());
    EXPECT_EQ(f.BCancelar->text(), "&Cancelar");
    EXPECT_EQ(f.SlotElegido, 4);
    // Free slots are not listed; letter case and accents sort as a reader expects.
    EXPECT_EQ(Lineas(f), (QStringList{"Álgebra", "Biología", "botánica", "Cálculo", "Zoología"}));
}

TEST(ListaLibros, MismoTituloEligeLaPlazaMasAlta) {
    TVentanaPrueba v;
    v.PonerLibro(3, 333333, "Historia", "h1");
    v.PonerLibro(7, 777777, "Historia", "h2");
    v.PonerLibro(9, 999999, "Arte", "a");
    v.almacen.LibroActivo = 9;
    ui::TGuion g;
    g.Dialogo(Elegir("Historia"));
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, 7);
    EXPECT_EQ(g.DialogosMostrados, QStringList{"TFormListaLibros"});
    EXPECT_EQ(v.cierresDocumento, 1);
    EXPECT_EQ(v.titulosPuestos, 1);
}

TEST(ListaLibros, OkSinSeleccionOCancelarConservanElLibroActivo) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "u");
    v.PonerLibro(2, 222222, "Dos", "d");
    v.almacen.LibroActivo = 2;
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TFormListaLibros&>(d).BOK->click();
        return d.result();
    });
    g.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormListaLibros&>(d);
        f.ListLibros->setCurrentRow(0); // "Dos" chosen, then the dialog is cancelled
        f.BCancelar->click();
        return d.result();
    });
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, 2);
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, 2);
    // Both ways still close the document and reset the caption.
    EXPECT_EQ(v.cierresDocumento, 2);
    EXPECT_EQ(v.titulosPuestos, 2);
}

TEST(ListaLibros, ElLibroDeLaUltimaPlazaSeListaYSeElige) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Primero", "p");
    v.PonerLibro(MaxLibros, 100100, "Último", "u");
    v.almacen.LibroActivo = 1;
    {
        TFormListaLibros f(v.almacen);
        EXPECT_TRUE(Lineas(f).contains("Último"));
    }
    ui::TGuion g;
    g.Dialogo(Elegir("Último"));
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, MaxLibros);
}

TEST(ListaLibros, UnHuecoLibreNuncaSeElige) {
    // A free slot has an empty title; a used book with an empty title must
    // not lose to it.
    TVentanaPrueba v;
    v.PonerLibro(2, 222222, "", "sin");
    v.PonerLibro(3, 333333, "Otro", "o");
    v.almacen.LibroActivo = 3;
    ui::TGuion g;
    g.Dialogo(Elegir(""));
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, 2);
}

TEST(ListaLibros, EligeElLibroActivoTrasUnaListaCerrada) {
    // The active slot was freed (the list closed up): the choice settles it.
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "u");
    v.almacen.LibroActivo = 5;
    ui::TGuion g;
    g.Dialogo(Elegir("Uno"));
    CambiarLibroActivo(v);
    EXPECT_EQ(v.almacen.LibroActivo, 1);
    EXPECT_TRUE(v.almacen.LibroActivoValido());
}
