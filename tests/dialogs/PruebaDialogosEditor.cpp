// The editor window's questions through the dialog seam: what each installed
// hook shows, what each answer gives back, and that a question nobody
// scripted fails instead of waiting.
#include <stdexcept>

#include <QColorDialog>
#include <QInputDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "DialogosEditor.h"
#include "EditorVentana.h"
#include "Interaccion.h"

using namespace brivo;
using dialogos::TDialogoTabla;
using dialogos::TPreguntaGuardar;
using word::DialogosDelEditor;
using word::DialogosEditor;

namespace {

class DialogosDelEditorInstalados : public ::testing::Test {
protected:
    void SetUp() override {
        guardados = DialogosDelEditor();
        dialogos::InstalarDialogosEditor();
    }
    void TearDown() override { DialogosDelEditor() = guardados; }

    DialogosEditor guardados;
    ui::TGuion guion;
};

} // namespace

TEST_F(DialogosDelEditorInstalados, LaPreguntaDeGuardarDaLaRespuestaDeSuBoton) {
    struct Caso {
        QPushButton* TPreguntaGuardar::*Boton;
        DialogosEditor::Respuesta Esperada;
    };
    for (const Caso& c :
         {Caso{&TPreguntaGuardar::BSi, DialogosEditor::Respuesta::Si},
          Caso{&TPreguntaGuardar::BNo, DialogosEditor::Respuesta::No},
          Caso{&TPreguntaGuardar::BCancelar, DialogosEditor::Respuesta::Cancelar}}) {
        QString texto;
        bool siPorDefecto = false;
        guion.Dialogo([&](QDialog& d) {
            auto& p = dynamic_cast<TPreguntaGuardar&>(d);
            texto = p.LabPregunta->text();
            siPorDefecto = p.BSi->isDefault();
            (p.*c.Boton)->click();
            return p.result();
        });
        EXPECT_EQ(DialogosDelEditor().PreguntarGuardar(nullptr, QStringLiteral("K000004.doc")),
                  c.Esperada);
        EXPECT_EQ(texto, QStringLiteral("¿Desea guardar los cambios en K000004.doc?"));
        EXPECT_TRUE(siPorDefecto);
    }
    EXPECT_EQ(guion.DialogosMostrados, QStringList(3, QStringLiteral("TPreguntaGuardar")));

    // The buttons say what they do, in Spanish, with their accelerators.
    TPreguntaGuardar p(nullptr, QStringLiteral("X.doc"));
    EXPECT_EQ(p.BSi->text(), QStringLiteral("&Sí"));
    EXPECT_EQ(p.BNo->text(), QStringLiteral("&No"));
    EXPECT_EQ(p.BCancelar->text(), QStringLiteral("Cancelar"));
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Brivo II"));
}

TEST_F(DialogosDelEditorInstalados, LaTablaDevuelveFilasYColumnasSoloAlAceptar) {
    guion.Dialogo([](QDialog& d) {
        auto& t = dynamic_cast<TDialogoTabla&>(d);
        EXPECT_EQ(t.SpinEditFilas->value(), 2); // the sizes it was given
        EXPECT_EQ(t.SpinEditColumnas->value(), 5);
        t.SpinEditFilas->setValue(300); // beyond the limits: kept at them
        t.SpinEditColumnas->setValue(0);
        t.BOK->click();
        return t.result();
    });
    int filas = 2;
    int columnas = 5;
    EXPECT_TRUE(DialogosDelEditor().PedirTabla(nullptr, filas, columnas));
    EXPECT_EQ(filas, 100);
    EXPECT_EQ(columnas, 1);

    guion.Dialogo([](QDialog& d) {
        auto& t = dynamic_cast<TDialogoTabla&>(d);
        t.SpinEditFilas->setValue(7);
        t.BCancelar->click();
        return t.result();
    });
    EXPECT_FALSE(DialogosDelEditor().PedirTabla(nullptr, filas, columnas));
    EXPECT_EQ(filas, 100);
    EXPECT_EQ(columnas, 1);
}

TEST_F(DialogosDelEditorInstalados, ContrasenaColorEImpresoraPasanPorElGuion) {
    // Password: a text, none (empty), or cancelled.
    const auto contrasena = [&](const QString& texto, int resultado) {
        guion.Dialogo([=](QDialog& d) {
            auto& e = dynamic_cast<QInputDialog&>(d);
            EXPECT_EQ(e.textEchoMode(), QLineEdit::Password);
            e.setTextValue(texto);
            return resultado;
        });
        return DialogosDelEditor().PedirContrasena(nullptr);
    };
    EXPECT_EQ(contrasena(QStringLiteral("777777"), QDialog::Accepted), QStringLiteral("777777"));
    EXPECT_EQ(contrasena(QString(), QDialog::Accepted), QString());
    EXPECT_EQ(contrasena(QStringLiteral("777777"), QDialog::Rejected), std::nullopt);

    // Colour: the chosen one, starting from the current; nothing when cancelled.
    const auto color = [&](const QColor& elegido, int resultado) {
        guion.Dialogo([=](QDialog& d) {
            auto& c = dynamic_cast<QColorDialog&>(d);
            EXPECT_EQ(c.currentColor(), QColor(Qt::blue));
            c.setCurrentColor(elegido);
            if (resultado == QDialog::Accepted)
                c.accept();
            else
                c.reject();
            return resultado;
        });
        return DialogosDelEditor().ElegirColor(nullptr, Qt::blue);
    };
    EXPECT_EQ(color(Qt::red, QDialog::Accepted), QColor(Qt::red));
    EXPECT_EQ(color(Qt::red, QDialog::Rejected), std::nullopt);

    // Printer set-up: true only when accepted.
    QPrinter impresora;
    guion.Dialogo([](QDialog& d) {
        EXPECT_NE(dynamic_cast<QPrintDialog*>(&d), nullptr);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(DialogosDelEditor().ConfigurarImpresora(nullptr, impresora));
    guion.Dialogo([](QDialog&) { return int(QDialog::Accepted); });
    EXPECT_TRUE(DialogosDelEditor().ConfigurarImpresora(nullptr, impresora));
}

TEST_F(DialogosDelEditorInstalados, ArchivosYErroresSonLosDeLaInteraccion) {
    guion.Archivo(QStringLiteral("/tmp/foto.png"));
    guion.Archivo(QStringLiteral("/tmp/doc.pdf"));
    guion.Archivo(QString()); // cancelled
    EXPECT_EQ(DialogosDelEditor().ElegirImagen(nullptr), QStringLiteral("/tmp/foto.png"));
    EXPECT_EQ(DialogosDelEditor().ElegirPdf(nullptr, QStringLiteral("/tmp/K000001.pdf")),
              QStringLiteral("/tmp/doc.pdf"));
    EXPECT_EQ(DialogosDelEditor().ElegirGuardarComo(nullptr, QStringLiteral("/tmp/K000001.doc")),
              QString());
    EXPECT_EQ(guion.TitulosArchivo,
              (QStringList{"Insertar imagen", "Exportar a PDF", "Guardar como"}));

    DialogosDelEditor().MostrarError(nullptr, QStringLiteral("No se puede leer la imagen."));
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_EQ(guion.Mensajes[0].Texto, QStringLiteral("No se puede leer la imagen."));
}

TEST_F(DialogosDelEditorInstalados, UnaPreguntaSinGuionFallaEnVezDeEsperar) {
    int filas = 2;
    int columnas = 2;
    EXPECT_THROW(DialogosDelEditor().PedirTabla(nullptr, filas, columnas), std::logic_error);
    EXPECT_THROW(DialogosDelEditor().PreguntarGuardar(nullptr, QStringLiteral("K.doc")),
                 std::logic_error);
    EXPECT_THROW(DialogosDelEditor().ElegirImagen(nullptr), std::logic_error);
}
