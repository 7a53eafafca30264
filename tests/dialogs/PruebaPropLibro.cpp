// Book properties: controls, checks and their order, folder rules in both
// modes, the identifier draw and the announcement boxes.
#include <set>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "Clave.h"
#include "EntornoDialogos.h"
#include "Interaccion.h"
#include "PropLibro.h"
#include "eliminar.h"

using namespace brivo;
using brivo::pruebas::EscribirArchivo;
using brivo::pruebas::TVentanaPrueba;

namespace {

struct TDatos {
    QString titulo, autor, materia, comentario, carpeta;
};

void Rellenar(TFormPropLibro& f, const TDatos& d) {
    f.EdTitulo->setText(d.titulo);
    f.EdAutor->setText(d.autor);
    f.EdMateria->setText(d.materia);
    f.EdComentario->setText(d.comentario);
    f.EdCarpeta->setText(d.carpeta);
}

QStringList Textos(const ui::TGuion& g) {
    QStringList r;
    for (const auto& m : g.Mensajes)
        r.append(m.Texto);
    return r;
}

QString LabelDe(const QDialog& d, QWidget* campo) {
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == campo)
            return l->text();
    return {};
}

// Creates a book through the dialog in new mode; returns the messages shown.
QStringList CrearLibro(TVentanaPrueba& v, const TDatos& d, bool* aceptado = nullptr) {
    ui::TGuion g;
    TFormPropLibro f(v, TFormPropLibro::ModoNuevo);
    Rellenar(f, d);
    f.BOK->click();
    if (aceptado)
        *aceptado = f.result() == QDialog::Accepted;
    return Textos(g);
}

} // namespace

TEST(PropLibro, ControlesYTextos) {
    TVentanaPrueba v;
    v.PonerLibro(1, 234567, "Física", "Fisica");
    v.almacen.LibroActivo = 1;
    TFormPropLibro f(v, 1);
    EXPECT_EQ(f.objectName(), "TFormPropLibro");
    EXPECT_EQ(f.windowTitle(), "Propiedades de libro activo");
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f.LabId->text(), "Identificador:");
    EXPECT_EQ(f.LabId2->text(), "Número entero de 6 cifras");
    EXPECT_EQ(LabelDe(f, f.EdTitulo), "Título:");
    EXPECT_EQ(LabelDe(f, f.EdAutor), "Autor:");
    EXPECT_EQ(LabelDe(f, f.EdMateria), "Materia:");
    EXPECT_EQ(LabelDe(f, f.EdComentario), "Comentarios:");
    EXPECT_EQ(LabelDe(f, f.EdCarpeta), "Carpeta:");
    EXPECT_EQ(f.CBClaveEnDoc->text(),
              "Guardar clave en documentos (Impide modificar doc desde fuera del programa).");
    EXPECT_EQ(f.CBPermitirCambiosEnDoc->text(), "Permitir cambios en documentos.");
    EXPECT_EQ(f.CBPrmitirMasDoc->text(), "Permitir añadir documentos.");
    EXPECT_EQ(f.CBPermitirExportar->text(), "Permitir exportar.");
    EXPECT_EQ(f.BOK->text(), "&OK");
    EXPECT_TRUE(f.BOK->isDefault());
    EXPECT_EQ(f.BCancelar->text(), "&Cancelar");
    EXPECT_EQ(f.BAyuda->text(), "&Ayuda");
    for (const char* nombre :
         {"EdId", "LabId", "LabId2", "EdTitulo", "EdAutor", "EdMateria", "EdComentario",
          "EdCarpeta", "CBClaveEnDoc", "CBPermitirCambiosEnDoc", "CBPrmitirMasDoc",
          "CBPermitirExportar", "BOK", "BAyuda"})
        EXPECT_NE(f.findChild<QWidget*>(nombre), nullptr) << nombre;
    EXPECT_EQ(f.EdTitulo->maxLength(), 100);
    EXPECT_EQ(f.EdAutor->maxLength(), 100);
    EXPECT_EQ(f.EdMateria->maxLength(), 100);
    EXPECT_EQ(f.EdComentario->maxLength(), 200);
    EXPECT_GT(f.EdCarpeta->maxLength(), 1000);
    EXPECT_FALSE(f.EdId->isEnabled());
    EXPECT_EQ(f.EdId->minimum(), 10000);
    EXPECT_EQ(f.EdId->maximum(), 999000);
    EXPECT_EQ(f.EdId->singleStep(), 100);
    // Modify mode shows the book's data and its identifier.
    EXPECT_EQ(f.SlotEditado, 1);
    EXPECT_EQ(f.EdId->value(), 234567);
    EXPECT_FALSE(f.EdId->isHidden());
    EXPECT_FALSE(f.LabId->isHidden());
    EXPECT_EQ(f.EdTitulo->text(), "Física");
    EXPECT_EQ(f.EdCarpeta->text(), "Fisica");
}

TEST(PropLibro, ModoNuevoUsaElPrimerHuecoYOcultaElIdentificador) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.PonerLibro(3, 333333, "Tres", "tres");
    TFormPropLibro f(v, TFormPropLibro::ModoNuevo);
    EXPECT_EQ(f.SlotEditado, 2);
    EXPECT_TRUE(f.EdId->isHidden());
    EXPECT_TRUE(f.LabId->isHidden());
    EXPECT_TRUE(f.LabId2->isHidden());
    EXPECT_TRUE(f.EdTitulo->text().isEmpty());
    for (QCheckBox* c :
         {f.CBClaveEnDoc, f.CBPermitirCambiosEnDoc, f.CBPrmitirMasDoc, f.CBPermitirExportar})
        EXPECT_TRUE(c->isChecked());
}

TEST(PropLibro, ModoNuevoMuestraLosPermisosDeUnLibroBorrado) {
    TVentanaPrueba v;
    TLibro& l = v.PonerLibro(1, 111111, "Uno", "uno");
    l.ClaveEnDoc = false;
    l.PermitirMasDoc = false;
    v.almacen.LibroActivo = 1;
    BorrarLibro(v);
    ASSERT_EQ(v.almacen.Libros[1].Identificador, 0);
    TFormPropLibro f(v, TFormPropLibro::ModoNuevo);
    EXPECT_EQ(f.SlotEditado, 1);
    EXPECT_FALSE(f.CBClaveEnDoc->isChecked());
    EXPECT_TRUE(f.CBPermitirCambiosEnDoc->isChecked());
    EXPECT_FALSE(f.CBPrmitirMasDoc->isChecked());
    EXPECT_TRUE(f.CBPermitirExportar->isChecked());
    EXPECT_TRUE(f.EdTitulo->text().isEmpty());
    EXPECT_TRUE(f.EdCarpeta->text().isEmpty());
}

TEST(PropLibro, ComprobacionesEnOrden) {
    TVentanaPrueba v;
    const auto comprobar = [&v](const TDatos& d, const QString& esperado) {
        bool aceptado = true;
        const QStringList mensajes = CrearLibro(v, d, &aceptado);
        EXPECT_EQ(mensajes, QStringList{esperado});
        EXPECT_FALSE(aceptado);
        EXPECT_FALSE(v.almacen.HayLibros());
        EXPECT_EQ(v.almacen.LibroActivo, 0);
    };
    comprobar({"", "", "", "", ""}, "Debe escribir el nombre del autor");
    comprobar({"", "Ana", "", "", ""}, "Debe escribir el título del libro");
    comprobar({"", "Ana", "", "", "carpeta"}, "Debe escribir el título del libro");
    comprobar({"Libro", "Ana", "", "", ""},
              "Debe escribir el nombre de la carpeta donde se guardarán los documentos");
    comprobar({"Libro", "", "", "", "carpeta"}, "Debe escribir el nombre del autor");
    // A folder name may not leave Docs nor reach into another folder, nor be
    // blanks alone or hold control characters (the export would refuse it).
    for (const QString carpeta :
         {"../fuera", "a/b", "..", ".", "a\\b", " ", "   ", "\t", "a\tb", "a\nb"})
        comprobar({"Libro", "Ana", "", "", carpeta}, "El nombre de la carpeta no es válido");
    EXPECT_FALSE(QFileInfo::exists(v.almacen.CarpetaPrograma + "fuera"));
}

TEST(PropLibro, CrearLibroAnunciaElIdentificadorYLoActiva) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.editorAbierto = true;
    TDatos d{"Química orgánica", "Ana Pérez", "Química", "Segundo curso", "Quimica"};
    bool aceptado = false;
    const QStringList mensajes = CrearLibro(v, d, &aceptado);
    EXPECT_TRUE(aceptado);
    EXPECT_EQ(v.cierresDocumento, 1);
    const TLibro& l = v.almacen.Libros[2];
    const int id = l.Identificador;
    EXPECT_GE(id, 100000);
    EXPECT_LE(id, 998999);
    ASSERT_EQ(mensajes.size(), 2);
    EXPECT_EQ(mensajes[0],
              QStringLiteral("El identificador del libro que se acaba de crear es: %1.\r\n"
                             "Dede anotar este número para poder modificar las propiedades\r\n"
                             "de este libro")
                  .arg(id));
    EXPECT_EQ(mensajes[1], QStringLiteral("¿Seguro que ha anotado el número %1?.").arg(id));
    EXPECT_EQ(v.almacen.LibroActivo, 2);
    EXPECT_EQ(l.Titulo.Texto(), d.titulo);
    EXPECT_EQ(l.Autor.Texto(), d.autor);
    EXPECT_EQ(l.Materia.Texto(), d.materia);
    EXPECT_EQ(l.Comentario.Texto(), d.comentario);
    EXPECT_EQ(l.Carpeta.Texto(), d.carpeta);
    EXPECT_TRUE(QFileInfo(v.Docs() + "Quimica").isDir());
}

TEST(PropLibro, PermisosGuardadosDesdeLasCasillas) {
    TVentanaPrueba v;
    ui::TGuion g;
    TFormPropLibro f(v, TFormPropLibro::ModoNuevo);
    Rellenar(f, {"T", "A", "", "", "c"});
    f.CBClaveEnDoc->setChecked(false);
    f.CBPermitirExportar->setChecked(false);
    f.BOK->click();
    const TLibro& l = v.almacen.Libros[1];
    EXPECT_FALSE(l.ClaveEnDoc);
    EXPECT_TRUE(l.PermitirCambiosEnDoc);
    EXPECT_TRUE(l.PermitirMasDoc);
    EXPECT_FALSE(l.PermitirExportar);
}

TEST(PropLibro, CarpetaDeOtroLibroRechazadaEnModoNuevo) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "Historia");
    bool aceptado = true;
    EXPECT_EQ(CrearLibro(v, {"Dos", "Ana", "", "", "Historia"}, &aceptado),
              QStringList{"La carpeta pertenece a otro libro"});
    EXPECT_FALSE(aceptado);
    EXPECT_FALSE(v.almacen.Libros[2].Usado());
    // The comparison is exact: another letter case is another folder.
    EXPECT_EQ(CrearLibro(v, {"Dos", "Ana", "", "", "historia"}, &aceptado).size(), 2);
    EXPECT_TRUE(aceptado);
    EXPECT_EQ(v.almacen.Libros[2].Carpeta.Texto(), "historia");
}

TEST(PropLibro, CarpetaDeUnLibroBorradoSeReutiliza) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "Historia");
    v.almacen.LibroActivo = 1;
    // A file that is no listed document keeps the folder on disk.
    EscribirArchivo(v.Docs() + "Historia/notas.txt");
    BorrarLibro(v);
    ASSERT_TRUE(QFileInfo(v.Docs() + "Historia").isDir());
    bool aceptado = false;
    EXPECT_EQ(CrearLibro(v, {"Nuevo", "Ana", "", "", "Historia"}, &aceptado).size(), 2);
    EXPECT_TRUE(aceptado);
    EXPECT_EQ(v.almacen.LibroActivo, 1);
    EXPECT_EQ(v.almacen.Libros[1].Carpeta.Texto(), "Historia");
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "Historia/notas.txt"));
}

TEST(PropLibro, CarpetaLargaSeGuardaCortadaYEsLaQueSeCrea) {
    TVentanaPrueba v;
    const QString larga = QString(150, QLatin1Char('c'));
    EXPECT_EQ(CrearLibro(v, {"T", "A", "", "", larga}).size(), 2);
    EXPECT_EQ(v.almacen.Libros[1].Carpeta.Texto(), larga.left(100));
    EXPECT_TRUE(QFileInfo(v.Docs() + larga.left(100)).isDir());
    // Another name that stores alike names the same folder.
    bool aceptado = true;
    EXPECT_EQ(CrearLibro(v, {"T2", "A", "", "", larga + "xyz"}, &aceptado),
              QStringList{"La carpeta pertenece a otro libro"});
    EXPECT_FALSE(aceptado);
}

TEST(PropLibro, ModoModificarConservaLaPropiaCarpetaYRechazaLaAjena) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.PonerLibro(2, 222222, "Dos", "dos");
    QDir().mkpath(v.Docs() + "dos");
    v.almacen.LibroActivo = 2;
    {
        ui::TGuion g;
        TFormPropLibro f(v, 2);
        f.EdTitulo->setText("Dos bis");
        f.EdCarpeta->setText("uno");
        f.BOK->click();
        EXPECT_EQ(Textos(g), QStringList{"La carpeta pertenece a otro libro"});
        EXPECT_NE(f.result(), QDialog::Accepted);
        EXPECT_EQ(v.almacen.Libros[2].Titulo.Texto(), "Dos");
    }
    {
        ui::TGuion g;
        TFormPropLibro f(v, 2);
        f.EdTitulo->setText("Dos bis");
        f.BOK->click();
        EXPECT_TRUE(g.Mensajes.isEmpty()); // no announcement in modify mode
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(v.almacen.Libros[2].Titulo.Texto(), "Dos bis");
        EXPECT_EQ(v.almacen.Libros[2].Identificador, 222222);
        EXPECT_EQ(v.almacen.LibroActivo, 2);
        EXPECT_TRUE(QFileInfo(v.Docs() + "dos").isDir());
    }
}

TEST(PropLibro, RenombrarMueveLaCarpetaConSusDocumentos) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "viejo");
    v.almacen.LibroActivo = 1;
    v.PonerDocumento(5, 111111, true);
    ui::TGuion g;
    TFormPropLibro f(v, 1);
    f.EdCarpeta->setText("nuevo");
    f.BOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(v.almacen.Libros[1].Carpeta.Texto(), "nuevo");
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "viejo"));
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "nuevo/K000005.doc"));
    EXPECT_EQ(v.RutaDocumento(5), v.Docs() + "nuevo/K000005.doc");
}

// A rename to a name that is already in Docs (an empty folder, one with
// someone's files, or a file) is refused: the dialog stays open and neither
// the record nor the folders change.
TEST(PropLibro, RenombrarSobreUnaCarpetaExistenteSeRechaza) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "viejo");
    v.almacen.LibroActivo = 1;
    v.PonerDocumento(5, 111111, true);
    QDir().mkpath(v.Docs() + "vacia"); // the system call would replace it
    EscribirArchivo(v.Docs() + "llena/K000005.doc", "ajeno");
    EscribirArchivo(v.Docs() + "archivo", "no es una carpeta");
    for (const QString destino : {"vacia", "llena", "archivo"}) {
        ui::TGuion g;
        TFormPropLibro f(v, 1);
        f.EdTitulo->setText("Otro título");
        f.EdCarpeta->setText(destino);
        f.BOK->click();
        EXPECT_NE(f.result(), QDialog::Accepted) << destino.toStdString();
        EXPECT_EQ(Textos(g), QStringList{"Ya existe una carpeta llamada \"" + destino +
                                         "\" en Docs. Escriba otro nombre de carpeta para el "
                                         "libro."});
        EXPECT_EQ(v.almacen.Libros[1].Carpeta.Texto(), "viejo");
        EXPECT_EQ(v.almacen.Libros[1].Titulo.Texto(), "Uno");
        EXPECT_TRUE(QFileInfo::exists(v.Docs() + "viejo/K000005.doc"));
        EXPECT_EQ(v.RutaDocumento(5), v.Docs() + "viejo/K000005.doc");
    }
    EXPECT_TRUE(QDir(v.Docs() + "vacia").isEmpty());
    EXPECT_EQ(QDir(v.Docs() + "llena").entryList(QDir::Files), QStringList{"K000005.doc"});
    // Another name goes through, with the documents.
    ui::TGuion g;
    TFormPropLibro f(v, 1);
    f.EdCarpeta->setText("libre");
    f.BOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo::exists(v.Docs() + "libre/K000005.doc"));
}

TEST(PropLibro, CancelarNoGuardaNada) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.almacen.LibroActivo = 1;
    const TLibro antes = v.almacen.Libros[1];
    ui::TGuion g;
    g.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormPropLibro&>(d);
        f.EdTitulo->setText("Otro");
        f.CBPermitirExportar->setChecked(false);
        f.BCancelar->click();
        return d.result();
    });
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TClaveDialog&>(d).ClaveEdit->setText("111111");
        return int(QDialog::Accepted);
    });
    g.Dialogo([](QDialog& d) {
        dynamic_cast<TFormPropLibro&>(d).BCancelar->click();
        return d.result();
    });
    EXPECT_FALSE(NuevoLibro(v));
    EXPECT_FALSE(ModificarLibro(v));
    EXPECT_EQ(g.DialogosMostrados,
              (QStringList{"TFormPropLibro", "TClaveDialog", "TFormPropLibro"}));
    EXPECT_EQ(ABytes(antes), ABytes(v.almacen.Libros[1]));
    EXPECT_EQ(v.almacen.Libros[2].Identificador, 0);
    EXPECT_EQ(v.titulosPuestos, 1); // the new-book command always resets the caption
}

TEST(PropLibro, ModificarPideElIdentificador) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.almacen.LibroActivo = 1;
    {
        ui::TGuion g;
        for (int i = 0; i < 3; ++i)
            g.Dialogo([](QDialog& d) {
                dynamic_cast<TClaveDialog&>(d).ClaveEdit->setText("011111");
                return int(QDialog::Accepted);
            });
        EXPECT_FALSE(ModificarLibro(v));
        EXPECT_EQ(g.DialogosMostrados.count("TFormPropLibro"), 0);
    }
    {
        ui::TGuion g;
        g.Dialogo([](QDialog& d) {
            dynamic_cast<TClaveDialog&>(d).ClaveEdit->setText("111111");
            return int(QDialog::Accepted);
        });
        g.Dialogo([](QDialog& d) {
            auto& f = dynamic_cast<TFormPropLibro&>(d);
            EXPECT_FALSE(f.ModoNuevoLibro());
            EXPECT_EQ(f.SlotEditado, 1);
            f.EdAutor->setText("Otra autora");
            f.BOK->click();
            return d.result();
        });
        EXPECT_TRUE(ModificarLibro(v));
        EXPECT_EQ(v.almacen.Libros[1].Autor.Texto(), "Otra autora");
    }
}

TEST(PropLibro, SinHuecoNoSeMuestraElDialogo) {
    TVentanaPrueba v;
    for (int i = 1; i <= MaxLibros; ++i)
        v.PonerLibro(i, 100000 + i, QStringLiteral("L%1").arg(i), QStringLiteral("c%1").arg(i));
    ui::TGuion g;
    EXPECT_FALSE(NuevoLibro(v));
    EXPECT_TRUE(g.DialogosMostrados.isEmpty());
    // Even built directly, the dialog stores nothing without a slot.
    TFormPropLibro f(v, TFormPropLibro::ModoNuevo);
    EXPECT_EQ(f.SlotEditado, 0);
    Rellenar(f, {"T", "A", "", "", "nueva"});
    f.BOK->click();
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_TRUE(g.Mensajes.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(v.Docs() + "nueva"));
}

TEST(PropLibro, SorteoDelIdentificador) {
    TVentanaPrueba v;
    // 99 books with identifiers spread over the range; the draw must avoid them.
    std::set<std::int32_t> usados;
    for (int i = 1; i < MaxLibros; ++i) {
        const std::int32_t id = 100000 + i * 9000;
        v.PonerLibro(i, id, QStringLiteral("L%1").arg(i), QStringLiteral("c%1").arg(i));
        usados.insert(id);
    }
    std::set<std::int32_t> vistos;
    for (int n = 0; n < 5000; ++n) {
        const std::int32_t id = SortearIdentificador(v.almacen);
        ASSERT_GE(id, 100000);
        ASSERT_LE(id, 998999);
        ASSERT_EQ(usados.count(id), 0u);
        vistos.insert(id);
    }
    EXPECT_GT(vistos.size(), 4900u); // spread over the range, not a fixed sequence

    // Books created one after another through the dialog never share one.
    TVentanaPrueba w;
    std::set<std::int32_t> creados;
    for (int i = 0; i < 30; ++i) {
        CrearLibro(w, {QStringLiteral("L%1").arg(i), "A", "", "", QStringLiteral("c%1").arg(i)});
        creados.insert(w.almacen.Libros[i + 1].Identificador);
    }
    EXPECT_EQ(creados.size(), 30u);
    EXPECT_EQ(creados.count(0), 0u);
}
