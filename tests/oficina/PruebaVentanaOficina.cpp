// A library of Word 97–2003 questions protected with the book's identifier,
// used end to end from the main window: "Convertir documentos", editing,
// "Crear examen" and the exam handed out as PDF, OpenDocument, Word 2007+ and
// Word 97–2003; the same library converted and exported from brivo2-datos;
// the conversion cancelled from its progress window and without LibreOffice.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>

#include "Clave.h"
#include "EntornoVentanaOficina.h"
#include "Exportar.h"
#include "FormatoOficina.h"
#include "ImportacionOficina.h"
#include "MotorTexto.h"
#include "OtroPrograma.h"
#include "ProgresoDocumentos.h"
#include "PropExam.h"

using namespace brivo;
using namespace brivo::pruebas;
using oficina::FormatoOficina;

namespace {

ui::TGuion::AccionDialogo TodasLasSecciones() {
    return [](QDialog& d) {
        auto& f = dynamic_cast<TFormPropExamen&>(d);
        for (QCheckBox* c : {f.CBPregunta, f.CBDesarrollo, f.CBRespuesta, f.CBComentarios})
            c->setChecked(true);
        f.BOK->click();
        return d.result();
    };
}

// A converter that presses "Cancelar" in the progress window while it
// converts its first file, then converts as the suite's does.
class ConversorQueCancela : public oficina::IConversorOficina {
public:
    oficina::TResultadoOficina Convertir(const oficina::TPeticionConversion& p) override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progreso = qobject_cast<TFormProgreso*>(w);
            if (progreso && progreso->isVisible() && Pulsados == 0) {
                progreso->BCancelar->click();
                ++Pulsados;
            }
        }
        return ConversorSuite().Convertir(p);
    }
    void Preparar() override {}
    void Detener() override {}
    int Pulsados = 0;
};

class SinLibreOffice : public oficina::IConversorOficina {
public:
    oficina::TResultadoOficina Convertir(const oficina::TPeticionConversion&) override {
        throw word::ErrorSinConversor();
    }
    void Preparar() override { throw word::ErrorSinConversor(); }
    void Detener() override {}
};

} // namespace

// The current document (the exam, open in the editor) handed out in every
// format through "Exportar documento…": each file of its format, with its
// password when it has one, holding texto; replacing a file is asked first.
void VentanaOficina::EntregarDocumentoActual(const QString& texto) {
    const int numero = A().DocActual;
    const struct {
        const char* nombre;
        FormatoOficina formato; // as detected (a protected .docx is a compound file)
        const char* clave;
    } salidas[] = {{"examen.odt", FormatoOficina::Odt, nullptr},
                   {"examen.docx", FormatoOficina::Word2007, ""},
                   {"examen.doc", FormatoOficina::Word97, "s3creta"},
                   {"examen protegido.docx", FormatoOficina::Word97, "otra"}};
    for (const auto& s : salidas) {
        const QString ruta = fuera.filePath(QString::fromUtf8(s.nombre));
        guion.Archivo(ruta);
        if (s.clave)
            guion.Dialogo(ClaveExportacion(QString::fromUtf8(s.clave)));
        form->Exportardocumento1->trigger();
        EXPECT_EQ(oficina::FormatoDeArchivo(ruta), s.formato) << s.nombre;
        const QString clave = s.clave ? QString::fromUtf8(s.clave) : QString();
        EXPECT_TRUE(TextoCualquiera(ruta, clave).contains(texto)) << s.nombre;
        if (!clave.isEmpty()) {
            EXPECT_THROW(TextoCualquiera(ruta, QStringLiteral("mala")), ErrorBrivo) << s.nombre;
        }
    }
    const QString pdf = fuera.filePath(QStringLiteral("examen.pdf"));
    guion.Archivo(pdf);
    form->Exportardocumento1->trigger();
    EXPECT_TRUE(Leer(pdf).startsWith("%PDF-"));
    EXPECT_EQ(guion.Mensajes.last().Texto,
              QStringLiteral("El documento %1 se ha exportado a %2.").arg(numero).arg(pdf));
    // Replacing an existing file is asked first; "No" leaves it alone.
    guion.Archivo(pdf);
    guion.Confirmaciones({false});
    const QByteArray antes = Leer(pdf);
    form->Exportardocumento1->trigger();
    EXPECT_EQ(guion.Mensajes.last().Texto,
              QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?").arg(pdf));
    EXPECT_EQ(Leer(pdf), antes);
}

TEST_F(VentanaOficina, BibliotecaDeWordConvertidaEditadaExamenYExportado) {
    for (int k = 1; k <= 3; ++k)
        ASSERT_EQ(oficina::FormatoDeArchivo(Ruta(k)), FormatoOficina::Word97) << k;

    // Libros › Convertir documentos…
    guion.Dialogo(LeerInforme());
    form->Convertirdocumentos1->trigger();
    EXPECT_EQ(guion.DialogosMostrados, QStringList{QStringLiteral("TFormInforme")});
    EXPECT_EQ(resumen, QStringLiteral("Convertidos: 3. Ya en el formato del programa: 0. Sin "
                                      "archivo: 0. Con error: 1."));
    EXPECT_TRUE(detalle.startsWith(
        QStringLiteral("Convertidos al formato del programa (3):\n    Documento 1 «Pregunta 1» "
                       "(Docs/Fisica/K000001.doc): era Word 97-2003; el original está en "
                       "BAK/Fisica/K000001.doc.")))
        << detalle.toStdString();
    EXPECT_TRUE(detalle.contains(QStringLiteral("    Documento 4 «Pregunta 4» "
                                                "(Docs/Fisica/K000004.doc): El archivo")))
        << detalle.toStdString();
    for (int k = 1; k <= 3; ++k) {
        // Now files of the program, still protected with the identifier;
        // the Word originals wait in BAK.
        EXPECT_EQ(oficina::FormatoDeArchivo(Ruta(k)), FormatoOficina::Ninguno) << k;
        EXPECT_THROW(TextoArchivo(Ruta(k), QString()), ErrorBrivo) << k;
        EXPECT_EQ(oficina::FormatoDeArchivo(carpeta.Archivo(
                      QStringLiteral("BAK/Fisica/K%1.doc").arg(k, 6, 10, QLatin1Char('0')))),
                  FormatoOficina::Word97)
            << k;
    }
    {
        QTextDocument uno;
        word::LeerArchivoDocumento(Ruta(1), Identificador(), uno);
        ComprobarPregunta(uno); // formats, list, table, image and markers came through
    }

    // Editing: the editor on document 2, a paragraph added, the editor moves on.
    form->SeleccionarNodo(Nodo(QStringLiteral("Mecánica")));
    Mover(2);
    ASSERT_EQ(A().DocActual, 2);
    form->BEditarClick();
    ASSERT_TRUE(form->EditorAbierto());
    auto rango = form->Banco().WordDocument->Content();
    rango->Collapse();
    rango->InsertAfter(QStringLiteral("\rEditado en Brivo"));
    Mover(3);
    EXPECT_TRUE(
        TextoArchivo(Ruta(2), Identificador()).endsWith(QStringLiteral("Editado en Brivo")));

    // Crear examen with questions 1 and 2.
    A().Documentos[1].Marcado = true;
    A().Documentos[2].Marcado = true;
    form->SBPregsAExamenClick();
    guion.Dialogo(TodasLasSecciones());
    form->BCrearExamenClick();
    const int examen = A().DocActual;
    ASSERT_EQ(examen, 5);
    const QString textoExamen =
        dynamic_cast<word::DocumentoMotor&>(*form->Banco().WordDocument).Documento().toPlainText();
    for (const char* parte : {"Pregunta 1", "Negrita cursiva subrayado", "Pregunta 2 de Word",
                              "Respuesta 2", "Editado en Brivo"})
        EXPECT_TRUE(textoExamen.contains(QString::fromUtf8(parte))) << parte;

    EntregarDocumentoActual(QStringLiteral("Editado en Brivo"));
}

TEST_F(VentanaOficina, LaMismaBibliotecaDesdeLaLineaDeOrdenes) {
    form.reset(); // the window lets the library go
    const auto datos = [&](const QStringList& argumentos) {
        QProcess p;
        p.start(QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2-datos"),
                QStringList{carpeta.Ruta()} + argumentos);
        EXPECT_TRUE(p.waitForFinished(120000));
        return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    };
    const auto [codigo, salida] = datos({QStringLiteral("convertir")});
    EXPECT_EQ(codigo, 1); // document 4 cannot be read
    EXPECT_TRUE(salida.endsWith(QStringLiteral("Convertidos: 3. Ya en el formato del programa: "
                                               "0. Sin archivo: 0. Con error: 1.\n")))
        << salida.toStdString();
    const QString docx = fuera.filePath(QStringLiteral("uno.docx"));
    EXPECT_EQ(datos({QStringLiteral("exportar-documento"), QStringLiteral("1"), docx}).first, 0);
    EXPECT_EQ(oficina::FormatoDeArchivo(docx), FormatoOficina::Word2007);
    QTextDocument uno;
    word::CargarDocumento(docx, {}, uno, ConversorSuite());
    ComprobarPregunta(uno);
    // Run again, nothing is left to convert.
    EXPECT_TRUE(datos({QStringLiteral("convertir")})
                    .second.endsWith(QStringLiteral("Convertidos: 0. Ya en el formato del "
                                                    "programa: 3. Sin archivo: 0. Con error: "
                                                    "1.\n")));
}

TEST_F(VentanaOficina, CancelarEntreDocumentosDejaLosDemasComoEstaban) {
    auto conversor = std::make_shared<ConversorQueCancela>();
    ConversorCambiado cambio(conversor);
    const QByteArray dos = Leer(Ruta(2));
    guion.Dialogo(LeerInforme());
    form->Convertirdocumentos1->trigger();
    EXPECT_EQ(conversor->Pulsados, 1);
    // The document in hand is finished; the others are not touched.
    EXPECT_EQ(oficina::FormatoDeArchivo(Ruta(1)), FormatoOficina::Ninguno);
    EXPECT_EQ(Leer(Ruta(2)), dos);
    EXPECT_EQ(resumen, QStringLiteral("Convertidos: 1. Ya en el formato del programa: 0. Sin "
                                      "archivo: 0. Con error: 0.\nConversión cancelada: 3 "
                                      "documentos quedan sin revisar."));
}

TEST_F(VentanaOficina, SinLibreOfficeCadaOrdenLoDiceYNadaCambia) {
    ConversorCambiado cambio(std::make_shared<SinLibreOffice>());
    const QString docx = fuera.filePath(QStringLiteral("nueva.docx"));
    Escribir(docx, Leer(Ruta(2))); // a Word file: reading it needs LibreOffice
    const QString doc = fuera.filePath(QStringLiteral("salida.doc"));
    const QString zip = fuera.filePath(QStringLiteral("fisica.zip"));
    form->SeleccionarNodo(Nodo(QStringLiteral("Mecánica")));
    Mover(1);
    const struct {
        const char* orden;
        std::function<void()> guionar; // the dialogs before the converter is needed
        QAction* accion;
    } ordenes[] = {
        {"Convertir documentos", [] {}, form->Convertirdocumentos1},
        {"Importar documentos", [&] { guion.Archivos({docx}); }, form->Importardocumentos1},
        {"Exportar documento",
         [&] {
             guion.Archivo(doc);
             guion.Dialogo(ClaveExportacion(QStringLiteral("abc")));
         },
         form->Exportardocumento1},
        {"Exportar libro en Word", [&] { GuionExportarLibroEnWord(zip); }, form->Exportarlibro1},
    };
    // The library's files; Temp and BAK are the program's working folders,
    // which the export dialog fills (package lists, default folder) before
    // any document is converted.
    const auto Biblioteca = [&] {
        pruebas::TFotoCarpeta foto = pruebas::Fotografiar(carpeta.Ruta());
        foto.removeIf([](auto it) {
            return it.key().startsWith(QStringLiteral("Temp")) ||
                   it.key().startsWith(QStringLiteral("BAK"));
        });
        return foto;
    };
    const pruebas::TFotoCarpeta antes = Biblioteca();
    const int listados = A().NumListados;
    for (const auto& o : ordenes) {
        guion.Mensajes.clear();
        guion.DialogosMostrados.clear();
        o.guionar();
        o.accion->trigger();
        ASSERT_EQ(guion.Mensajes.size(), 1) << o.orden;
        EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error) << o.orden;
        EXPECT_EQ(guion.Mensajes[0].Texto,
                  QStringLiteral("Para abrir o guardar documentos de Word u OpenDocument hace "
                                 "falta LibreOffice (paquete libreoffice-writer-nogui)."))
            << o.orden;
        EXPECT_FALSE(guion.DialogosMostrados.contains(QStringLiteral("TFormInforme"))) << o.orden;
        EXPECT_TRUE(Biblioteca() == antes) << o.orden;
        EXPECT_EQ(A().NumListados, listados) << o.orden;
    }
    EXPECT_FALSE(A().Documentos[5].Usado());
    EXPECT_FALSE(QFileInfo::exists(doc));
    EXPECT_FALSE(QFileInfo::exists(zip));
}

TEST_F(VentanaOficina, SinLibreOfficeElMensajeYNadaCambia) {
    ConversorCambiado cambio(std::make_shared<SinLibreOffice>());
    QByteArray antes[5];
    for (int k = 1; k <= 4; ++k)
        antes[k] = Leer(Ruta(k));
    form->Convertirdocumentos1->trigger();
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_EQ(guion.Mensajes[0].Texto,
              QStringLiteral("Para abrir o guardar documentos de Word u OpenDocument hace falta "
                             "LibreOffice (paquete libreoffice-writer-nogui)."));
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty()); // no report
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(Leer(Ruta(k)), antes[k]) << k;
    EXPECT_FALSE(QFileInfo::exists(carpeta.Archivo(QStringLiteral("BAK/Fisica"))));
}
