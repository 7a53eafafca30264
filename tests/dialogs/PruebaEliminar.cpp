// Book deletion: the dialog, its export button and BorrarLibro.
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

TEST(EliminarLibro, BorraDocumentosArchivosYCarpeta) {
    TVentanaPrueba v;
    TLibro& l = v.PonerLibro(2, 222222, "Historia", "Historia");
    l.PermitirCambiosEnDoc = false;
    l.PermitirExportar = false;
    l.Materia = "Sociales";
    l.Comentario = "Un comentario";
    v.PonerLibro(5, 555555, "Física", "Fisica");
    v.almacen.LibroActivo = 2;
    v.PonerDocumento(1, 222222, true);
    v.PonerDocumento(2, 555555, true);
    v.PonerDocumento(3, 222222, true);
    v.PonerDocumento(4, 222222, false); // never shown in the editor: no file
    const QString ruta1 = v.RutaDocumento(1);
    const QString ruta2 = v.RutaDocumento(2);
    const QString ruta3 = v.RutaDocumento(3);

    BorrarLibro(v);

    EXPECT_EQ(v.seleccionesPrimerNodo, 1);
    for (int k : {1, 3, 4}) {
        EXPECT_EQ(v.almacen.Documentos[k].Numero, 0) << k;
        EXPECT_EQ(v.almacen.Documentos[k].IdLibro, 0) << k;
        EXPECT_TRUE(v.almacen.Documentos[k].Descripcion.Vacia()) << k;
    }
    EXPECT_FALSE(QFileInfo::exists(ruta1));
    EXPECT_FALSE(QFileInfo::exists(ruta3));
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "Historia"));
    // The other book and its document are untouched.
    EXPECT_EQ(v.almacen.Documentos[2].Numero, 2);
    EXPECT_TRUE(QFileInfo::exists(ruta2));
    EXPECT_EQ(v.almacen.Libros[5].Identificador, 555555);

    const TLibro& b = v.almacen.Libros[2];
    EXPECT_EQ(b.Identificador, 0);
    EXPECT_TRUE(b.Titulo.Vacia());
    EXPECT_TRUE(b.Autor.Vacia());
    EXPECT_TRUE(b.Materia.Vacia());
    EXPECT_TRUE(b.Carpeta.Vacia());
    EXPECT_TRUE(b.Comentario.Vacia());
    // The permission flags stay as they were.
    EXPECT_TRUE(b.ClaveEnDoc);
    EXPECT_FALSE(b.PermitirCambiosEnDoc);
    EXPECT_TRUE(b.PermitirMasDoc);
    EXPECT_FALSE(b.PermitirExportar);
    // The active slot is now free: the caller's AsegurarLibroActivo asks again.
    EXPECT_EQ(v.almacen.LibroActivo, 2);
    EXPECT_FALSE(v.almacen.LibroActivoValido());
}

TEST(EliminarLibro, OtrosArchivosDejanLaCarpeta) {
    TVentanaPrueba v;
    v.PonerLibro(MaxLibros, 100100, "Último", "ultimo");
    v.almacen.LibroActivo = MaxLibros;
    v.PonerDocumento(7, 100100, true);
    EscribirArchivo(v.Docs() + "ultimo/apuntes.txt");
    EscribirArchivo(v.Docs() + "ultimo/K000099.doc"); // a file with no record
    BorrarLibro(v);
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "ultimo/K000007.doc"));
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "ultimo/apuntes.txt"));
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "ultimo/K000099.doc"));
    EXPECT_EQ(v.almacen.Documentos[7].Numero, 0);
    EXPECT_EQ(v.almacen.Libros[MaxLibros].Identificador, 0);
}

TEST(EliminarLibro, SinLibroActivoNoSeBorraNada) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.PonerDocumento(3, 0, false); // a document whose book is gone
    v.PonerDocumento(4, 111111, true);
    v.almacen.LibroActivo = 2; // free slot, identifier 0
    BorrarLibro(v);
    EXPECT_EQ(v.almacen.Documentos[3].Numero, 3);
    EXPECT_EQ(v.almacen.Documentos[4].Numero, 4);
    EXPECT_TRUE(QFileInfo::exists(v.RutaDocumento(4)));
    EXPECT_TRUE(QFileInfo(v.Docs()).isDir());
    EXPECT_EQ(v.seleccionesPrimerNodo, 0);
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
