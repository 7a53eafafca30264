// Identifier prompt: three tries, exact comparison, the close box counts.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "Clave.h"
#include "EntornoDialogos.h"
#include "Interaccion.h"

using namespace brivo;
using brivo::pruebas::TVentanaPrueba;

namespace {

// A script that types a text and presses OK.
ui::TGuion::AccionDialogo Teclear(const QString& texto) {
    return [texto](QDialog& d) {
        auto& c = dynamic_cast<TClaveDialog&>(d);
        c.ClaveEdit->setText(texto);
        c.BOK->click();
        return d.result();
    };
}

// A script that types a text and closes the window with its close box.
ui::TGuion::AccionDialogo Cerrar(const QString& texto) {
    return [texto](QDialog& d) {
        auto& c = dynamic_cast<TClaveDialog&>(d);
        c.ClaveEdit->setText(texto);
        c.close();
        return d.result();
    };
}

int ErroresDeClave(const ui::TGuion& g) {
    int n = 0;
    for (const auto& m : g.Mensajes)
        if (m.Texto == QStringLiteral("Clave errónea."))
            ++n;
    return n;
}

} // namespace

TEST(PedirIdentificador, DialogoComoLoMuestraElSistema) {
    TClaveDialog d;
    EXPECT_EQ(d.objectName(), "TClaveDialog");
    EXPECT_EQ(d.windowTitle(), "Identificador de libro");
    EXPECT_EQ(d.Etiqueta->text(), "Escriba el identificador");
    EXPECT_EQ(d.Etiqueta->buddy(), d.ClaveEdit);
    EXPECT_EQ(d.ClaveEdit->objectName(), "ClaveEdit");
    EXPECT_EQ(d.ClaveEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.BOK->text(), "OK");
    EXPECT_TRUE(d.BOK->isDefault());
    EXPECT_EQ(d.findChildren<QPushButton*>().size(), 1);
    // A fixed dialog.
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
}

TEST(PedirIdentificador, AciertoALaPrimera) {
    TVentanaPrueba v;
    v.PonerLibro(4, 345678, "Historia", "Historia");
    v.almacen.LibroActivo = 4;
    ui::TGuion g;
    g.Dialogo(Teclear("345678"));
    EXPECT_TRUE(PedirIdentificador(v));
    EXPECT_EQ(g.DialogosMostrados, QStringList{"TClaveDialog"});
    EXPECT_TRUE(g.Mensajes.isEmpty());
}

TEST(PedirIdentificador, CeroOEspacioDelanteSonIntentosFallidos) {
    TVentanaPrueba v;
    v.PonerLibro(1, 345678, "Historia", "Historia");
    v.almacen.LibroActivo = 1;
    ui::TGuion g;
    g.Dialogo(Teclear("0345678"));
    g.Dialogo(Teclear(" 345678"));
    g.Dialogo(Teclear("345678"));
    EXPECT_TRUE(PedirIdentificador(v));
    EXPECT_EQ(g.DialogosMostrados.size(), 3);
    EXPECT_EQ(ErroresDeClave(g), 2);
    for (const auto& m : g.Mensajes)
        EXPECT_EQ(m.Tipo, ui::TipoMensaje::Informacion);
}

TEST(PedirIdentificador, TresFallosRechazan) {
    TVentanaPrueba v;
    v.PonerLibro(1, 345678, "Historia", "Historia");
    v.almacen.LibroActivo = 1;
    ui::TGuion g;
    g.Dialogo(Teclear("345678 "));
    g.Dialogo(Teclear(""));
    g.Dialogo(Teclear("345679"));
    EXPECT_FALSE(PedirIdentificador(v));
    EXPECT_EQ(g.DialogosMostrados.size(), 3);
    EXPECT_EQ(ErroresDeClave(g), 3);
}

TEST(PedirIdentificador, CerrarConLaCajaDeCierreCuentaComoIntento) {
    TVentanaPrueba v;
    v.PonerLibro(1, 345678, "Historia", "Historia");
    v.almacen.LibroActivo = 1;
    {
        ui::TGuion g;
        g.Dialogo(Cerrar("12"));
        g.Dialogo(Cerrar(""));
        g.Dialogo(Cerrar("9"));
        EXPECT_FALSE(PedirIdentificador(v));
        EXPECT_EQ(g.DialogosMostrados.size(), 3);
        EXPECT_EQ(ErroresDeClave(g), 3);
    }
    {
        // Whatever was typed is the try, however the prompt was closed.
        ui::TGuion g;
        g.Dialogo(Cerrar("345678"));
        EXPECT_TRUE(PedirIdentificador(v));
        EXPECT_EQ(ErroresDeClave(g), 0);
    }
}

TEST(PedirIdentificador, SinLibroActivoNoHayNadaQueComparar) {
    TVentanaPrueba v;
    v.PonerLibro(2, 345678, "Historia", "Historia");
    ui::TGuion g; // any prompt shown would fail: no script for it
    v.almacen.LibroActivo = 0;
    EXPECT_FALSE(PedirIdentificador(v)); // "0" must not open a book without one
    v.almacen.LibroActivo = 3;           // a free slot
    EXPECT_FALSE(PedirIdentificador(v));
    v.almacen.LibroActivo = 101; // a value read from a damaged settings file
    EXPECT_FALSE(PedirIdentificador(v));
    EXPECT_TRUE(g.DialogosMostrados.isEmpty());
}
