// "Examen › Exportar a Moodle…" and "Libros › Exportar a Moodle…" through the
// main window: the documents chosen, the file and its format, the report,
// cancelling, and a library left as it was.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "EntornoMoodleVentana.h"
#include "Exportar.h"
#include "Moodle.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

const QString FiltroXml = QStringLiteral("Moodle XML (*.xml)");
const QString FiltroGift = QStringLiteral("GIFT (*.gift *.txt)");

} // namespace

TEST_F(MoodleVentana, LaListaDeExamenSaleEnSuOrdenConSuInformeYSinCambiarNada) {
    // A repeated document goes out once; the other book does not allow export.
    int entrada = 0;
    for (int k : {2, 1, 3, 4, 2})
        A().ListaExamen[size_t(++entrada)] = k;
    form->ListaExamenCambiada();
    const QString huella = Huella();
    const QStringList archivos = ArchivosDocs();

    const QString salida = carpeta.Archivo(QStringLiteral("BAK/examen"));
    guion.Archivo(salida, FiltroXml);
    LeerInformeEnVentana();
    form->ExportaraMoodle2->trigger();

    EXPECT_EQ(guion.TitulosArchivo, QStringList{QStringLiteral("Exportar a Moodle")});
    EXPECT_EQ(guion.DialogosMostrados, QStringList{QStringLiteral("TFormInforme")});
    const QString xml = Leer(salida + QStringLiteral(".xml"));
    EXPECT_EQ(Nombres(xml), QStringList({"Trayectoria", "Velocidad", "Fuerza"}));
    EXPECT_EQ(xml.count(QStringLiteral("<question type=\"multichoice\">")), 1);
    EXPECT_TRUE(informe.contains(QStringLiteral("Opción múltiple: 1. Ensayo: 2.")))
        << informe.toStdString();
    EXPECT_TRUE(informe.contains(QStringLiteral("Documento 3 «Fuerza»"))) << informe.toStdString();
    EXPECT_TRUE(informe.contains(QStringLiteral("Documento 4 «Ajena»: su libro, «Otro», no "
                                                "permite exportar")))
        << informe.toStdString();
    EXPECT_EQ(Huella(), huella);
    EXPECT_EQ(ArchivosDocs(), archivos);
}

TEST_F(MoodleVentana, ElLibroEnteroOSoloElNodoSeleccionado) {
    const struct {
        const char* nodo;
        bool soloNodo;
        QString filtro;   // the dialog's entry; the name is given without extension
        bool hayEleccion; // the choice is offered
        QStringList nombres;
    } casos[] = {
        {"Mecánica", true, FiltroXml, true, {"Velocidad", "Trayectoria"}},
        {"Mecánica", false, FiltroXml, true, {"Velocidad", "Trayectoria", "Fuerza"}},
        {"Útiles", false, FiltroXml, false, {"Velocidad", "Trayectoria", "Fuerza"}},
        {"Cinemática", true, FiltroGift, true, {"Trayectoria"}},
    };
    int i = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.nodo) + (c.soloNodo ? " (nodo)" : " (libro)"));
        Seleccionar(QString::fromUtf8(c.nodo));
        guion.DialogosMostrados.clear();
        guion.Mensajes.clear();
        ResponderIdentificador();
        QString textoLibro, textoNodo;
        if (c.hayEleccion)
            guion.Dialogo([&, soloNodo = c.soloNodo](QDialog& d) {
                auto* f = dynamic_cast<TFormExportarMoodle*>(&d);
                EXPECT_NE(f, nullptr);
                if (!f)
                    return int(QDialog::Rejected);
                EXPECT_TRUE(f->RBLibro->isChecked()); // the whole book at first
                textoLibro = f->RBLibro->text();
                textoNodo = f->RBNodo->text();
                (soloNodo ? f->RBNodo : f->RBLibro)->setChecked(true);
                f->BOK->click();
                return d.result();
            });
        const QString salida = carpeta.Archivo(QStringLiteral("BAK/salida%1").arg(++i));
        guion.Archivo(salida, c.filtro);
        form->ExportaraMoodle1->trigger();

        QStringList esperados{QStringLiteral("TClaveDialog")};
        if (c.hayEleccion)
            esperados << QStringLiteral("TFormExportarMoodle");
        EXPECT_EQ(guion.DialogosMostrados, esperados);
        if (c.filtro == FiltroGift) {
            const QString gift = Leer(salida + QStringLiteral(".gift"));
            EXPECT_TRUE(gift.contains(QStringLiteral("$CATEGORY:"))) << gift.toStdString();
            EXPECT_TRUE(gift.contains(QStringLiteral("::Trayectoria::"))) << gift.toStdString();
            EXPECT_FALSE(gift.contains(QStringLiteral("::Velocidad::"))) << gift.toStdString();
        } else {
            EXPECT_EQ(Nombres(Leer(salida + QStringLiteral(".xml"))), c.nombres);
        }
        if (QLatin1String(c.nodo) == QLatin1String("Mecánica")) {
            EXPECT_EQ(textoLibro, QStringLiteral("&Todo el libro (3 preguntas)"));
            EXPECT_EQ(textoNodo,
                      QStringLiteral("&Sólo el nodo seleccionado: «Mecánica» (2 preguntas)"));
        }
        EXPECT_TRUE(Informe().startsWith(QStringLiteral("Archivo "))) << Informe().toStdString();
    }
}

TEST_F(MoodleVentana, CuandoNoHayNadaQueExportarNoSePideArchivo) {
    // The book forbids export: the notice, and no identifier prompt.
    A().Libros[1].PermitirExportar = false;
    form->ExportaraMoodle1->trigger();
    // The exam list is empty.
    form->ExportaraMoodle2->trigger();
    // The node chosen holds no question of the book.
    A().Libros[1].PermitirExportar = true;
    Seleccionar(QStringLiteral("Química"));
    ResponderIdentificador();
    guion.Dialogo([](QDialog& d) {
        auto* f = dynamic_cast<TFormExportarMoodle*>(&d);
        if (f)
            f->RBNodo->setChecked(true);
        d.accept();
        return int(QDialog::Accepted);
    });
    form->ExportaraMoodle1->trigger();

    ASSERT_EQ(guion.Mensajes.size(), 3);
    EXPECT_EQ(guion.Mensajes[0].Texto, TextoExportarNoPermitido());
    EXPECT_EQ(guion.Mensajes[1].Texto,
              QStringLiteral("La lista de documentos para examen está vacía: no hay nada que "
                             "exportar."));
    EXPECT_EQ(guion.Mensajes[2].Texto, QStringLiteral("El nodo «Química» no tiene preguntas del "
                                                      "libro activo: no hay nada que exportar."));
    EXPECT_TRUE(guion.TitulosArchivo.isEmpty());
}

TEST_F(MoodleVentana, ExportarSePuedeEnSoloConsultaYCancelarNoEscribeNada) {
    A().SoloConsulta = true;
    A().ListaExamen[1] = 1;
    A().ListaExamen[2] = 2;
    const QString salida = carpeta.Archivo(QStringLiteral("BAK/consulta.gift"));
    guion.Archivo(salida, FiltroXml); // the extension decides over the filter
    form->ExportaraMoodle2->trigger();
    EXPECT_TRUE(Leer(salida).contains(QStringLiteral("::Velocidad::")));

    // Cancelled after the first document: nothing written, and the report says so.
    const QString otra = carpeta.Archivo(QStringLiteral("BAK/cancelada.xml"));
    guion.Archivo(otra, FiltroXml);
    CancelarTras(1);
    form->ExportaraMoodle2->trigger();
    EXPECT_FALSE(QFile::exists(otra));
    EXPECT_EQ(Informe(), QStringLiteral("Exportación cancelada: no se ha escrito ningún archivo."));
}

TEST_F(MoodleVentana, UnNombreSinExtensionQueYaExisteSePregunta) {
    A().ListaExamen[1] = 2;
    QDir(carpeta.Ruta()).mkpath(QStringLiteral("BAK"));
    const QString elegido = carpeta.Archivo(QStringLiteral("BAK/prueba"));
    QFile existente(elegido + QStringLiteral(".gift"));
    ASSERT_TRUE(existente.open(QIODevice::WriteOnly));
    existente.write("anterior");
    existente.close();

    guion.Archivo(elegido, FiltroGift);
    guion.Confirmaciones({false});
    form->ExportaraMoodle2->trigger();
    EXPECT_EQ(Leer(elegido + QStringLiteral(".gift")), QStringLiteral("anterior"));
    ASSERT_EQ(guion.Mensajes.size(), 1); // the question, and no report
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Pregunta);
    EXPECT_TRUE(guion.Mensajes[0].Texto.contains(QStringLiteral("prueba.gift ya existe")));

    guion.Archivo(elegido, FiltroGift);
    guion.Confirmaciones({true});
    form->ExportaraMoodle2->trigger();
    EXPECT_TRUE(
        Leer(elegido + QStringLiteral(".gift")).contains(QStringLiteral("::Trayectoria::")));
}
