// Book deletion: the dialog and its export button (BorrarLibro itself is
// tested in tests/nucleo).
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "AcercaDe.h"
#include "Clave.h"
#include "EntornoDialogos.h"
#include "Interaccion.h"
#include "eliminar.h"

using namespace brivo;
using brivo::pruebas::EscribirArchivo;
using brivo::pruebas::TVentanaPrueba;

namespace {

ui::TGuion::AccionDialogo Clave(const QString& texto) {
    return [texto](QDialog& d) {
        auto& c = dynamic_cast<TClaveDialog&>(d);
        c.ClaveEdit->setText(texto);
        c.BOK->click();
        return d.result();
    };
}

} // namespace

TEST(EliminarLibro, ControlesYTextos) {
    TVentanaPrueba v;
    v.PonerLibro(3, 333333, "Historia de España", "h");
    v.almacen.LibroActivo = 3;
    TFormEliminarLibro f(v);
    EXPECT_EQ(f.objectName(), "TFormEliminarLibro");
    EXPECT_EQ(f.windowTitle(), "Eliminar libro");
    QStringList textos;
    for (QLabel* l : f.findChildren<QLabel*>())
        textos.append(l->text());
    EXPECT_TRUE(textos.contains("¡ATENCIÓN!"));
    EXPECT_TRUE(textos.contains("Está a punto de eliminar el libro."));
    EXPECT_TRUE(textos.contains("Si quiere tener la posibilidad de reutilizarlo en el futuro, "
                                "debe exportarlo antes de eliminarlo"));
    EXPECT_EQ(f.LabLibro->objectName(), "LabLibro");
    EXPECT_EQ(f.LabLibro->text(), "Historia de España");
    EXPECT_EQ(f.BExportar->text(), "&Exportar libro");
    EXPECT_EQ(f.BCancelar->text(), "&Cancelar");
    EXPECT_EQ(f.BEliminar->text(), "E&liminar libro");
    EXPECT_EQ(f.BEliminar->objectName(), "BEliminar");
    EXPECT_EQ(f.BAyuda->text(), "&Ayuda");
}

TEST(EliminarLibro, BotonEliminarCierraElDocumentoYBorra) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.almacen.LibroActivo = 1;
    v.PonerDocumento(1, 111111, true);
    v.editorAbierto = true;
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TFormEliminarLibro&>(d).BEliminar->click();
        return d.result();
    });
    EXPECT_TRUE(EliminarLibro(v));
    EXPECT_EQ(g.DialogosMostrados, QStringList{"TFormEliminarLibro"});
    EXPECT_EQ(v.cierresDocumento, 1);
    EXPECT_EQ(v.almacen.Libros[1].Identificador, 0);
    EXPECT_EQ(v.almacen.Documentos[1].Numero, 0);
    EXPECT_TRUE(g.Mensajes.isEmpty()); // no identifier asked to delete
}

TEST(EliminarLibro, CancelarNoCambiaNada) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.almacen.LibroActivo = 1;
    v.PonerDocumento(1, 111111, true);
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TFormEliminarLibro&>(d).BCancelar->click();
        return d.result();
    });
    EXPECT_FALSE(EliminarLibro(v));
    EXPECT_EQ(v.almacen.Libros[1].Identificador, 111111);
    EXPECT_EQ(v.almacen.Documentos[1].Numero, 1);
    EXPECT_TRUE(QFileInfo::exists(v.RutaDocumento(1)));
}

TEST(EliminarLibro, ExportarPideElIdentificadorAunqueNoSePermita) {
    TVentanaPrueba v;
    TLibro& l = v.PonerLibro(1, 111111, "Uno", "uno");
    l.PermitirExportar = false;
    v.almacen.LibroActivo = 1;
    int exportaciones = 0;
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormEliminarLibro&>(d);
        f.BExportar->click(); // right identifier: exported
        f.BExportar->click(); // three wrong ones: not exported
        f.BCancelar->click();
        return d.result();
    });
    g.Dialogo(Clave("111111"));
    g.Dialogo(Clave("1"));
    g.Dialogo(Clave("2"));
    g.Dialogo(Clave("3"));
    EXPECT_FALSE(EliminarLibro(v, [&exportaciones] { ++exportaciones; }));
    EXPECT_EQ(exportaciones, 1);
    EXPECT_EQ(g.DialogosMostrados.count("TClaveDialog"), 4);
    EXPECT_EQ(g.Mensajes.size(), 3);
    EXPECT_EQ(v.almacen.Libros[1].Identificador, 111111);
}

TEST(AcercaDe, Creditos) {
    TAcercaDeBox caja;
    EXPECT_EQ(caja.objectName(), "TAcercaDeBox");
    EXPECT_EQ(caja.windowTitle(), "Créditos");
    EXPECT_EQ(caja.ProductName->text(), "Brivo II");
    EXPECT_EQ(caja.Version->text(), "Version 1.00");
    EXPECT_FALSE(caja.ProgramIcon->pixmap().isNull());
    EXPECT_FALSE(IconoPrograma().isNull());
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TAcercaDeBox&>(d).OKButton->click();
        return d.result();
    });
    MostrarAcercaDe(nullptr);
    EXPECT_EQ(g.DialogosMostrados, QStringList{"TAcercaDeBox"});
}
