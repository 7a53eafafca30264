// The export and import dialogs and the commands behind them, driven through
// the scripted seam.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "AplicacionPrueba.h"
#include "Clave.h"
#include "EntornoPaquetes.h"
#include "Exportar.h"
#include "Interaccion.h"
#include "Registros.h"
#include "ZipComun.h"
#include "eliminar.h"
#include "importar.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

[[maybe_unused]] ::testing::Environment* const entorno =
    pruebas::RegistrarAplicacion("prueba_paquetes");

constexpr std::int32_t Id = 424242;

ui::TGuion::AccionDialogo Clave(const QString& texto) {
    return [texto](QDialog& d) {
        auto& c = dynamic_cast<TClaveDialog&>(d);
        c.ClaveEdit->setText(texto);
        c.BOK->click();
        return d.result();
    };
}

// Fills the export dialog and presses "Exportar".
ui::TGuion::AccionDialogo Exportar(const QString& archivo, const QString& clave = QString()) {
    return [archivo, clave](QDialog& d) {
        auto& f = dynamic_cast<TFormExportar&>(d);
        f.EdArchivo->setText(archivo);
        f.EdClave->setText(clave);
        f.BCopiar->click();
        return d.result();
    };
}

class Dialogos : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Ruta(const QString& n) { return tmp.path() + "/" + n; }
    TInstalacion ins{tmp.path() + "/programa con blancos"};

    void SetUp() override {
        TLibro& l = ins.PonerLibro(2, Id, "Mi libro", "Mi carpeta");
        l.ClaveEnDoc = false;
        l.PermitirCambiosEnDoc = true;
        l.PermitirMasDoc = false;
        ins.almacen.LibroActivo = 2;
        ins.PonerDocumento(1, Id, Contenido("dialogo", 1));
        ins.PonerDocumento(2, Id, Contenido("dialogo", 2));
    }
};

QStringList TextosDeEtiquetas(const QWidget& w) {
    QStringList t;
    for (const QLabel* l : w.findChildren<QLabel*>())
        t << l->text();
    return t;
}

} // namespace

TEST_F(Dialogos, FormularioDeExportacionAlAbrirse) {
    ASSERT_FALSE(QFileInfo::exists(ins.almacen.CarpetaPrograma + "BAK"));
    TFormExportar f(ins);
    EXPECT_EQ(f.objectName(), "TFormExportar");
    EXPECT_EQ(f.windowTitle(), "Exportar libro:  Mi libro");
    EXPECT_TRUE(QFileInfo(ins.almacen.CarpetaPrograma + "BAK").isDir());
    EXPECT_EQ(f.EdArchivo->text(), ins.almacen.CarpetaPrograma + "BAK/Mi_libro");
    EXPECT_FALSE(f.CBClaveEnDoc->isChecked());
    EXPECT_TRUE(f.CBPermitirCambiosEnDoc->isChecked());
    EXPECT_FALSE(f.CBPrmitirMasDoc->isChecked());
    EXPECT_EQ(f.CBPermitirCambiosEnDoc->text(), "Permitir cambios en documentos.");
    EXPECT_EQ(f.CBPrmitirMasDoc->text(), "Permitir añadir documentos.");
    const QStringList etiquetas = TextosDeEtiquetas(f);
    for (const char* t : {"Nombre del archivo:", "Clave:", "ATENCIÓN: la clave es opcional.",
                          "Si la utiliza, debe anotarla porque será necesaria para descomprimir "
                          "e instalar (importar) este libro."})
        EXPECT_TRUE(etiquetas.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(f.BExplorar->text(), "Explorar");
    EXPECT_EQ(f.BCopiar->text(), "Exportar");
    EXPECT_EQ(f.BCancelar->text(), "Cancelar");
    EXPECT_EQ(f.BAyuda->text(), "&Ayuda");
    EXPECT_EQ(f.MajorStat->objectName(), "MajorStat");
    EXPECT_EQ(f.MinorStat->objectName(), "MinorStat");
    EXPECT_EQ(f.ProgressText->objectName(), "ProgressText");

    ui::TGuion guion;
    f.BAyuda->click();
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1105});
    guion.Archivo(Ruta("elegido.zip"));
    guion.Archivo("");
    f.BExplorar->click();
    EXPECT_EQ(f.EdArchivo->text(), Ruta("elegido.zip"));
    f.BExplorar->click(); // cancelled: the name stays
    EXPECT_EQ(f.EdArchivo->text(), Ruta("elegido.zip"));
    EXPECT_EQ(guion.TitulosArchivo, QStringList({"Exportar a archivo", "Exportar a archivo"}));
    EXPECT_EQ(FiltroPaquetes(), "Archivos zip (*.zip *.ZIP);;Todos (*)");
}

TEST_F(Dialogos, ExportarSinNombreDejaElDialogoAbierto) {
    TFormExportar f(ins);
    ui::TGuion guion;
    f.EdArchivo->setText(Ruta("carpeta/"));
    f.BCopiar->click();
    EXPECT_EQ(Textos(guion.Mensajes), QStringList{"No hay nombre de archivo"});
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(ins.almacen.CarpetaPrograma + "Temp/Libros.lst"));
}

TEST_F(Dialogos, ExportarConProgresoYCasillasDelDialogo) {
    TFormExportar f(ins);
    ui::TGuion guion;
    f.EdArchivo->setText(Ruta("salida"));
    f.CBPermitirCambiosEnDoc->setChecked(false);
    f.CBPrmitirMasDoc->setChecked(true);
    f.BCopiar->click();
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(f.BCopiar->isEnabled());
    ASSERT_TRUE(f.Resultado.Correcto);
    EXPECT_EQ(f.Resultado.Archivo, Ruta("salida.zip"));
    EXPECT_EQ(f.MajorStat->value(), 100);
    EXPECT_EQ(f.MinorStat->value(), 100);
    EXPECT_FALSE(f.ProgressText->text().isEmpty());
    const TLibro r = LibroDeBytes(
        pruebas::LeerArchivo(ins.almacen.CarpetaPrograma + "Temp/Libros.lst").constData());
    EXPECT_FALSE(r.PermitirCambiosEnDoc);
    EXPECT_TRUE(r.PermitirMasDoc);
    EXPECT_FALSE(r.ClaveEnDoc);
    EXPECT_TRUE(ins.almacen.Libros[2].PermitirCambiosEnDoc); // the book keeps its own flags
}

// A typed name whose archive exists (".zip" added or not) is replaced only
// after "Sí"; "No" writes nothing and leaves the dialog open. A file chosen
// with "Explorar" was asked about by the save dialog itself.
TEST_F(Dialogos, ExportarSobreUnArchivoExistentePregunta) {
    const QString temp = ins.almacen.CarpetaPrograma + "Temp/";
    pruebas::EscribirArchivo(Ruta("viejo.zip"), "archivo anterior");
    pruebas::EscribirArchivo(Ruta("sinzip"), "otro archivo");
    const QString pregunta = "El archivo " + Ruta("viejo.zip") + " ya existe. ¿Desea reemplazarlo?";
    for (const QString& tecleado : {Ruta("viejo"), Ruta("viejo.zip")}) {
        TFormExportar f(ins);
        ui::TGuion guion;
        guion.Confirmaciones({false});
        f.EdArchivo->setText(tecleado);
        f.BCopiar->click();
        ASSERT_EQ(guion.Mensajes.size(), 1) << tecleado.toStdString();
        EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Pregunta);
        EXPECT_EQ(guion.Mensajes[0].Texto, pregunta);
        EXPECT_NE(f.result(), QDialog::Accepted);
        EXPECT_EQ(pruebas::LeerArchivo(Ruta("viejo.zip")), "archivo anterior");
        EXPECT_FALSE(QFileInfo::exists(temp + "Libros.lst")); // nothing prepared either
    }
    {
        TFormExportar f(ins);
        ui::TGuion guion;
        guion.Confirmaciones({true});
        f.EdArchivo->setText(Ruta("viejo"));
        f.BCopiar->click();
        EXPECT_EQ(Textos(guion.Mensajes), QStringList{pregunta});
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(LeerComentarioZip(Ruta("viejo.zip")), "Mi carpeta");
    }
    {
        // "sinzip" exists, but the archive is sinzip.zip, which does not.
        TFormExportar f(ins);
        ui::TGuion guion;
        f.EdArchivo->setText(Ruta("sinzip"));
        f.BCopiar->click();
        EXPECT_TRUE(guion.Mensajes.isEmpty()) << Textos(guion.Mensajes).join("|").toStdString();
        EXPECT_EQ(pruebas::LeerArchivo(Ruta("sinzip")), "otro archivo");
        EXPECT_TRUE(QFileInfo::exists(Ruta("sinzip.zip")));
    }
    {
        TFormExportar f(ins);
        ui::TGuion guion;
        guion.Archivo(Ruta("viejo.zip"));
        f.BExplorar->click();
        f.BCopiar->click();
        EXPECT_TRUE(guion.Mensajes.isEmpty());
        EXPECT_EQ(f.result(), QDialog::Accepted);
        // The same file reached by typing its name without extension is asked about.
        TFormExportar g(ins);
        guion.Archivo(Ruta("viejo"));
        guion.Confirmaciones({false});
        g.BExplorar->click();
        g.BCopiar->click();
        EXPECT_EQ(Textos(guion.Mensajes), QStringList{pregunta});
    }
}

TEST_F(Dialogos, ExportacionFallidaSeInformaYElDialogoSigueAbierto) {
    TFormExportar f(ins);
    ui::TGuion guion;
    f.EdArchivo->setText(Ruta("no existe/salida.zip"));
    f.BCopiar->click();
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_TRUE(guion.Mensajes[0].Texto.startsWith("Error al comprimir: "));
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_TRUE(f.BCopiar->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Dialogos, OrdenExportarLibro) {
    // Not allowed: the three-line notice, no identifier prompt.
    ins.almacen.Libros[2].PermitirExportar = false;
    {
        ui::TGuion guion;
        ExportarLibro(ins);
        EXPECT_EQ(Textos(guion.Mensajes),
                  QStringList{"No está permitido exportar el libro activo. \r\n"
                              "Puede modificar este comportamiento en Libro/Propiedades\r\n"
                              "si dispone del identificador de este libro"});
        EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
        EXPECT_EQ(ins.almacen.LibroConsultado.Identificador, Id);
    }
    ins.almacen.Libros[2].PermitirExportar = true;
    // Three wrong identifiers: no export dialog.
    {
        ui::TGuion guion;
        guion.Dialogo(Clave("1"));
        guion.Dialogo(Clave("2"));
        guion.Dialogo(Clave("3"));
        ExportarLibro(ins);
        EXPECT_EQ(guion.DialogosMostrados.size(), 3);
        EXPECT_FALSE(guion.DialogosMostrados.contains("TFormExportar"));
    }
    // The right identifier: the dialog, and the package.
    {
        ui::TGuion guion;
        guion.Dialogo(Clave("424242"));
        guion.Dialogo(Exportar(Ruta("orden"), "secreta"));
        ExportarLibro(ins);
        EXPECT_EQ(guion.DialogosMostrados.last(), "TFormExportar");
        EXPECT_TRUE(guion.Mensajes.isEmpty());
        EXPECT_EQ(LeerComentarioZip(Ruta("orden.zip")), "Mi carpeta");
    }
    // No active book: nothing at all.
    ins.almacen.LibroActivo = 0;
    {
        ui::TGuion guion;
        ExportarLibro(ins);
        EXPECT_TRUE(guion.Mensajes.isEmpty());
        EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
        EXPECT_EQ(ins.almacen.LibroConsultado.Identificador, 0);
    }
}

TEST_F(Dialogos, DialogoEliminarExportaAunqueNoEsteePermitido) {
    ins.almacen.Libros[2].PermitirExportar = false;
    ui::TGuion guion;
    guion.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormEliminarLibro&>(d);
        f.BExportar->click();
        f.BCancelar->click();
        return d.result();
    });
    guion.Dialogo(Clave("424242"));
    guion.Dialogo(Exportar(Ruta("antes de borrar")));
    EXPECT_FALSE(EliminarLibro(ins, [this] { MostrarExportar(ins); }));
    EXPECT_EQ(guion.DialogosMostrados,
              QStringList({"TFormEliminarLibro", "TClaveDialog", "TFormExportar"}));
    EXPECT_TRUE(QFileInfo::exists(Ruta("antes de borrar.zip")));
    EXPECT_EQ(ins.almacen.Libros[2].Identificador, Id); // not deleted

    // The package holds the book, which another installation can import.
    TInstalacion otra(Ruta("otra"));
    const TResultadoImportacion r =
        ImportarPaquete(otra, Ruta("antes de borrar.zip"), QString(), {}, nullptr);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_FALSE(otra.almacen.Libros[1].PermitirExportar);
    EXPECT_EQ(otra.LeerDocumento(2), Contenido("dialogo", 2));
}

TEST_F(Dialogos, FormularioDeImportacion) {
    TFormImportar f(ins);
    EXPECT_EQ(f.objectName(), "TFormImportar");
    EXPECT_EQ(f.windowTitle(), "Importar libro");
    EXPECT_TRUE(f.EdArchivo->text().isEmpty());
    const QStringList etiquetas = TextosDeEtiquetas(f);
    EXPECT_TRUE(etiquetas.contains("Nombre del archivo:"));
    EXPECT_TRUE(etiquetas.contains("Clave:"));
    EXPECT_EQ(f.BExplorar->text(), "Explorar");
    EXPECT_EQ(f.BCopiar->text(), "&Importar");
    EXPECT_EQ(f.BCancelar->text(), "&Cancelar");
    EXPECT_EQ(f.BAyuda->text(), "&Ayuda");
    ui::TGuion guion;
    f.BAyuda->click();
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1104});
    guion.Archivo(Ruta("paquete.zip"));
    f.BExplorar->click();
    EXPECT_EQ(f.EdArchivo->text(), Ruta("paquete.zip"));
    EXPECT_EQ(guion.TitulosArchivo, QStringList{"Exportar desde archivo"});
}

TEST_F(Dialogos, OrdenImportarLibroCierraElDialogoSiempre) {
    TFormExportar exp(ins);
    {
        ui::TGuion guion;
        exp.EdArchivo->setText(Ruta("viaje"));
        exp.EdClave->setText("clave");
        exp.BCopiar->click();
        ASSERT_TRUE(exp.Resultado.Correcto);
    }
    ins.almacen.Arbol.Anadir(nullptr, "Solo en origen", "900000099");
    PrepararPaquete(ins.almacen, Id, {}); // the tree with the new materia
    {
        // Rebuild the package so that it carries the new node.
        ui::TGuion guion;
        guion.Confirmaciones({true});
        exp.EdArchivo->setText(Ruta("viaje"));
        exp.BCopiar->click();
        EXPECT_EQ(Textos(guion.Mensajes), QStringList{"El archivo " + Ruta("viaje.zip") +
                                                      " ya existe. ¿Desea reemplazarlo?"});
    }

    TInstalacion otra(Ruta("otra"));
    otra.editorAbierto = true;
    QStringList anadidos;
    auto anadir = [&otra, &anadidos](TNodo* padre, const QString& texto, const QString& id) {
        anadidos << texto;
        return otra.almacen.Arbol.Anadir(padre, texto, id);
    };
    // Wrong password: the message, and the dialog closes anyway.
    {
        ui::TGuion guion;
        guion.Dialogo([&](QDialog& d) {
            auto& f = dynamic_cast<TFormImportar&>(d);
            f.EdArchivo->setText(Ruta("viaje.zip"));
            f.EdClave->setText("mala");
            f.BCopiar->click();
            EXPECT_EQ(f.Resultado.Fin, TFinImportacion::ClaveErronea);
            EXPECT_FALSE(f.BCopiar->isEnabled() == false);
            return d.result();
        });
        ImportarLibro(otra, anadir);
        EXPECT_EQ(Textos(guion.Mensajes), QStringList{"Clave errónea. Se interrumpe el proceso."});
        EXPECT_EQ(otra.LibrosUsados(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    {
        ui::TGuion guion;
        int resultado = -1;
        int progreso = -1;
        guion.Dialogo([&](QDialog& d) {
            auto& f = dynamic_cast<TFormImportar&>(d);
            f.EdArchivo->setText(Ruta("viaje.zip"));
            f.EdClave->setText("clave");
            f.BCopiar->click();
            resultado = d.result();
            progreso = f.MajorStat->value();
            EXPECT_EQ(f.ArbolTemp.NumNodos(), ins.almacen.Arbol.NumNodos());
            return d.result();
        });
        ImportarLibro(otra, anadir);
        EXPECT_EQ(resultado, QDialog::Accepted);
        EXPECT_EQ(progreso, 100);
        EXPECT_TRUE(guion.Mensajes.isEmpty()) << Textos(guion.Mensajes);
        EXPECT_EQ(anadidos, QStringList{"Solo en origen"});
        EXPECT_EQ(otra.almacen.Libros[1].Identificador, Id);
        EXPECT_EQ(otra.LeerDocumento(1), Contenido("dialogo", 1));
        EXPECT_GE(otra.cierresDocumento, 2);
    }
}
