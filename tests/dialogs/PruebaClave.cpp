// Identifier prompt: three tries, exact comparison, the close box counts.
#include <ostream>
#include <vector>

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

namespace {

// The tries of one prompt: each text typed, then OK or the close box.
struct Intento {
    const char* texto;
    bool cerrar = false; // the close box instead of OK
};

struct CasoIntentos {
    const char* nombre;
    int slot; // of the active book 345678
    std::vector<Intento> intentos;
    bool aceptado;
    int errores; // "Clave errónea." messages
};

void PrintTo(const CasoIntentos& c, std::ostream* os) {
    *os << c.nombre;
}

class IntentosDelIdentificador : public ::testing::TestWithParam<CasoIntentos> {};

} // namespace

TEST_P(IntentosDelIdentificador, TresIntentosYComparacionExacta) {
    const CasoIntentos& c = GetParam();
    TVentanaPrueba v;
    v.PonerLibro(c.slot, 345678, "Historia", "Historia");
    v.almacen.LibroActivo = c.slot;
    ui::TGuion g;
    for (const Intento& i : c.intentos)
        g.Dialogo(i.cerrar ? Cerrar(QString::fromUtf8(i.texto))
                           : Teclear(QString::fromUtf8(i.texto)));
    EXPECT_EQ(PedirIdentificador(v), c.aceptado);
    EXPECT_EQ(g.DialogosMostrados, QStringList(static_cast<qsizetype>(c.intentos.size()),
                                               QStringLiteral("TClaveDialog")));
    EXPECT_EQ(ErroresDeClave(g), c.errores);
    EXPECT_EQ(g.Mensajes.size(), c.errores); // no other message
    for (const auto& m : g.Mensajes)
        EXPECT_EQ(m.Tipo, ui::TipoMensaje::Informacion);
}

INSTANTIATE_TEST_SUITE_P(
    PedirIdentificador, IntentosDelIdentificador,
    ::testing::Values(
        CasoIntentos{"AciertoALaPrimera", 4, {{"345678"}}, true, 0},
        // A leading zero or blank makes another text: failed tries.
        CasoIntentos{"CeroOEspacioDelanteSonIntentosFallidos",
                     1,
                     {{"0345678"}, {" 345678"}, {"345678"}},
                     true,
                     2},
        CasoIntentos{"TresFallosRechazan", 1, {{"345678 "}, {""}, {"345679"}}, false, 3},
        CasoIntentos{"CerrarConLaCajaDeCierreCuentaComoIntento",
                     1,
                     {{"12", true}, {"", true}, {"9", true}},
                     false,
                     3},
        // Whatever was typed is the try, however the prompt was closed.
        CasoIntentos{"CerrarTrasEscribirElIdentificadorLoAcepta", 1, {{"345678", true}}, true, 0}),
    [](const auto& info) { return std::string(info.param.nombre); });

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
