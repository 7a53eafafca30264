// Editor windows: placement from automation, hidden documents, the question on
// closing, and the editor's own commands.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>
#include <QToolBar>
#include <QWindow>

#include "ComunPruebas.h"
#include "DialogosEditor.h"
#include "EditorVentana.h"
#include "Interaccion.h"

using namespace brivo::pruebas;
using brivo::dialogos::TPreguntaGuardar;

namespace {

class Ventanas : public Motor {
protected:
    void SetUp() override {
        Motor::SetUp();
        IVentanaWord& v = aplicacion->Window();
        v.SetWindowState(EstadoVentana::Normal);
        v.SetTop(30);
        v.SetLeft(0);
        v.SetWidth(700);
        v.SetHeight(500);
        v.SetVisible(true);
        v.SetCaption("Brivo II");
    }
    void TearDown() override {
        Motor::TearDown();
        QApplication::processEvents();
    }
    static EditorVentana* EditorDe(IDocumentoWord& doc) {
        return dynamic_cast<DocumentoMotor&>(doc).Editor();
    }

    // The answer to the next question on closing a window with changes, given
    // with the question's button; the question's text is kept in preguntas.
    void Responder(QPushButton* TPreguntaGuardar::*boton) {
        guion.Dialogo([this, boton](QDialog& d) {
            auto& pregunta = dynamic_cast<TPreguntaGuardar&>(d);
            preguntas << pregunta.LabPregunta->text();
            (pregunta.*boton)->click();
            return pregunta.result();
        });
    }
    // The error messages shown so far.
    QStringList Errores() const {
        QStringList r;
        for (const auto& m : guion.Mensajes)
            if (m.Tipo == brivo::ui::TipoMensaje::Error)
                r << m.Texto;
        return r;
    }

    // Every action has its Spanish hint; toolbar buttons have accessible
    // names; every button of the file, edit and format toolbars shows a
    // picture.
    static void ComprobarPistasEImagenes(EditorVentana& editor) {
        for (QAction* accion : editor.findChildren<QAction*>()) {
            if (accion->objectName().startsWith("acc")) {
                EXPECT_FALSE(accion->toolTip().isEmpty()) << accion->objectName().toStdString();
            }
        }
        int botones = 0;
        for (QToolBar* barra : editor.findChildren<QToolBar*>())
            for (QAction* accion : barra->actions())
                if (QWidget* w = barra->widgetForAction(accion);
                    w && !accion->isSeparator() && accion->objectName().startsWith("acc")) {
                    EXPECT_FALSE(w->accessibleName().isEmpty())
                        << accion->objectName().toStdString();
                    EXPECT_TRUE(w->objectName().startsWith("SB"));
                    ++botones;
                }
        EXPECT_GE(botones, 18);
        for (const char* nombre : {"BarraArchivo", "BarraEdicion", "BarraFormato"}) {
            auto* barra = editor.findChild<QToolBar*>(QLatin1String(nombre));
            ASSERT_NE(barra, nullptr) << nombre;
            for (QAction* accion : barra->actions()) {
                if (!accion->isSeparator() && accion->objectName().startsWith("acc")) {
                    EXPECT_FALSE(accion->icon().pixmap(barra->iconSize()).isNull())
                        << accion->objectName().toStdString();
                }
            }
        }
    }

    // The editing commands on the text "Texto": bold, numbering on and off, a
    // table and an image at the end (a missing image is an error), undo and
    // redo, find.
    void EditarConLasOrdenes(EditorVentana& editor) {
        QTextEdit* texto = editor.Texto();
        // Bold through its action on a selection.
        QTextCursor c = texto->textCursor();
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        texto->setTextCursor(c);
        editor.findChild<QAction*>("accNegrita")->trigger();
        QTextCursor comprobar(texto->document());
        comprobar.setPosition(3);
        EXPECT_EQ(comprobar.charFormat().fontWeight(), QFont::Bold);
        // Numbering, then a table and an image at the end.
        editor.findChild<QAction*>("accNumeracion")->trigger();
        ASSERT_NE(texto->textCursor().currentList(), nullptr);
        EXPECT_EQ(texto->textCursor().currentList()->format().style(),
                  QTextListFormat::ListDecimal);
        editor.findChild<QAction*>("accNumeracion")->trigger();
        EXPECT_EQ(texto->textCursor().currentList(), nullptr);
        texto->moveCursor(QTextCursor::End);
        editor.InsertarTabla(2, 3);
        EXPECT_NE(texto->textCursor().currentTable(), nullptr);
        texto->moveCursor(QTextCursor::End);
        QImage imagen(40, 20, QImage::Format_RGB32);
        imagen.fill(Qt::yellow);
        ASSERT_TRUE(imagen.save(Ruta("dibujo.png")));
        EXPECT_TRUE(editor.InsertarImagen(Ruta("dibujo.png")));
        EXPECT_FALSE(editor.InsertarImagen(Ruta("no-existe.png")));
        EXPECT_EQ(Errores().size(), 1);
        // Undo takes the image back, redo brings it again.
        const int conImagen = texto->document()->characterCount();
        texto->undo();
        EXPECT_LT(texto->document()->characterCount(), conImagen);
        texto->redo();
        EXPECT_EQ(texto->document()->characterCount(), conImagen);
        // Find in the window.
        texto->moveCursor(QTextCursor::Start);
        EXPECT_TRUE(editor.Buscar("xto", true));
        EXPECT_EQ(texto->textCursor().selectedText(), QStringLiteral("xto"));
        EXPECT_FALSE(editor.Buscar("inexistente", true));
    }

    brivo::ui::TGuion guion;
    QStringList preguntas;
};

} // namespace

TEST_F(Ventanas, ColocacionDesdeLaAutomatizacion) {
    auto visible = Abrir(EscribirTexto("K000001.doc", "Visible"));
    auto oculto = Abrir(EscribirTexto("K000002.doc", "Oculto"));
    oculto->Window().SetWindowState(EstadoVentana::Normal);
    oculto->Window().SetWindowState(EstadoVentana::Minimizada);
    IVentanaWord& v = visible->Window();
    v.SetWindowState(EstadoVentana::Normal);
    v.SetLeft(0);
    v.SetTop(150);
    v.SetWidth(600);
    v.SetHeight(300);
    v.SetCaption("[Historia] K000001.doc");
    aplicacion->Activate();
    EditorVentana* editor = EditorDe(*visible);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), QRect(0, 150, 600, 300));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("[Historia] K000001.doc"));
    EXPECT_EQ(editor->Texto()->toPlainText(), QStringLiteral("Visible"));
    // The hidden document has no visible window.
    EXPECT_TRUE(EditorDe(*oculto) == nullptr || !EditorDe(*oculto)->isVisible());
    // Maximised and minimised follow the automation calls.
    v.SetWindowState(EstadoVentana::Maximizada);
    QApplication::processEvents();
    EXPECT_TRUE(editor->isMaximized());
    v.SetWindowState(EstadoVentana::Minimizada);
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    // A document without a placement of its own takes the application's.
    auto tercero = Abrir(EscribirTexto("K000003.doc", "Tercero"));
    QApplication::processEvents();
    ASSERT_NE(EditorDe(*tercero), nullptr);
    // The size is exact; the window system may shift a new window by its frame.
    const QRect g = EditorDe(*tercero)->geometry();
    EXPECT_EQ(g.size(), QSize(700, 500));
    EXPECT_LE(std::abs(g.x() - 0) + std::abs(g.y() - 30), 4);
    // Closing from automation closes the window without questions.
    tercero->Content()->InsertAfter("cambio");
    QPointer<EditorVentana> ventana = EditorDe(*tercero);
    tercero->Close(GuardarCambios::NoGuardar);
    QApplication::processEvents();
    EXPECT_TRUE(preguntas.isEmpty());
    EXPECT_TRUE(ventana.isNull() || !ventana->isVisible());
    // The hidden application window shows no document.
    aplicacion->Window().SetVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(Ventanas, ElTituloEsExactamenteElQueSePone) {
    auto doc = Abrir(EscribirTexto("K000005.doc", "Texto"));
    IVentanaWord& v = doc->Window();
    v.SetWindowState(EstadoVentana::Normal);
    aplicacion->Activate();
    QApplication::processEvents();
    EditorVentana* editor = EditorDe(*doc);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->windowHandle(), nullptr);
    // What the window system shows and a screen reader says, with and
    // without unsaved changes; "[*]" in a book's title is kept as written.
    for (const QString& titulo :
         {QStringLiteral("[Historia] K000005.doc"), QStringLiteral("[*] K000005.doc"),
          QStringLiteral("[Año [*][*]] K000005.doc")}) {
        v.SetCaption(titulo);
        QApplication::processEvents();
        for (bool cambiado : {false, true}) {
            editor->setWindowModified(cambiado);
            EXPECT_EQ(editor->windowHandle()->title(), titulo) << cambiado;
            EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Name),
                      titulo);
        }
    }
    doc->Close(GuardarCambios::NoGuardar);
}

TEST_F(Ventanas, CerrarConCambiosPregunta) {
    const QString ruta = EscribirTexto("K000004.doc", "Original");
    auto doc = Abrir(ruta);
    aplicacion->Activate();
    EditorVentana* editor = EditorDe(*doc);
    ASSERT_NE(editor, nullptr);
    editor->Texto()->textCursor().insertText("Nuevo ");
    EXPECT_FALSE(doc->Saved());
    EXPECT_TRUE(editor->isWindowModified());

    Responder(&TPreguntaGuardar::BCancelar);
    EXPECT_FALSE(editor->close());
    EXPECT_EQ(preguntas, QStringList{QStringLiteral("¿Desea guardar los cambios en K000004.doc?")});
    EXPECT_TRUE(doc->Abierto());

    Responder(&TPreguntaGuardar::BSi);
    EXPECT_TRUE(editor->close());
    EXPECT_FALSE(doc->Abierto());
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);
    QApplication::processEvents();
    auto reabierto = Abrir(ruta);
    EXPECT_EQ(Parrafos(*reabierto), QStringLiteral("Nuevo Original"));

    // "No" closes without saving; an unchanged document asks nothing.
    aplicacion->Activate();
    EditorDe(*reabierto)->Texto()->textCursor().insertText("Descartado ");
    Responder(&TPreguntaGuardar::BNo);
    EXPECT_TRUE(EditorDe(*reabierto)->close());
    EXPECT_EQ(preguntas.size(), 3);
    auto otra = Abrir(ruta);
    EXPECT_EQ(Parrafos(*otra), QStringLiteral("Nuevo Original"));
    aplicacion->Activate();
    EXPECT_TRUE(EditorDe(*otra)->close());
    EXPECT_EQ(preguntas.size(), 3);
}

TEST_F(Ventanas, OrdenesDelEditor) {
    const QString ruta = EscribirTexto("K000005.doc", "Texto");
    auto doc = Abrir(ruta, "123456");
    doc->SaveAs(ruta, "123456");
    aplicacion->Activate();
    EditorVentana* editor = EditorDe(*doc);
    ASSERT_NE(editor, nullptr);

    ASSERT_NO_FATAL_FAILURE(ComprobarPistasEImagenes(*editor));
    ASSERT_NO_FATAL_FAILURE(EditarConLasOrdenes(*editor));

    // Ctrl+S saves to FullName with the document's password.
    ASSERT_TRUE(editor->Guardar());
    EXPECT_TRUE(doc->Saved());
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(archivo.readAll().startsWith("BRIVOCIF"));
    // PDF export.
    ASSERT_TRUE(editor->ExportarPdf(Ruta("salida.pdf")));
    QFile pdf(Ruta("salida.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    doc->Close(GuardarCambios::NoGuardar);
    auto reabierto = Abrir(ruta, "123456");
    const QString html = QDoc(*reabierto).toHtml();
    EXPECT_TRUE(html.contains("data:image/png;base64,"));
    EXPECT_TRUE(html.contains("<table"));
}

TEST_F(Ventanas, ContrasenaYGuardarComoDesdeLaVentana) {
    auto doc = Abrir(EscribirTexto("K000006.doc", "Con clave"));
    aplicacion->Activate();
    EditorVentana* editor = EditorDe(*doc);
    ASSERT_NE(editor, nullptr);
    guion.Dialogo([](QDialog& d) {
        dynamic_cast<QInputDialog&>(d).setTextValue("777777");
        return int(QDialog::Accepted);
    });
    // The file dialog is offered the document's own path.
    const DialogosEditor instalados = DialogosDelEditor();
    DialogosDelEditor().ElegirGuardarComo = [&](QWidget* w, const QString& sugerido) {
        EXPECT_TRUE(sugerido.endsWith("K000006.doc"));
        return instalados.ElegirGuardarComo(w, sugerido);
    };
    guion.Archivo(Ruta("otra.doc"));
    editor->findChild<QAction*>("accContrasena")->trigger();
    EXPECT_FALSE(doc->Saved());
    editor->findChild<QAction*>("accGuardarComo")->trigger();
    DialogosDelEditor() = instalados;
    EXPECT_EQ(guion.TitulosArchivo, QStringList{"Guardar como"});
    EXPECT_EQ(doc->FullName(), QFileInfo(Ruta("otra.doc")).absoluteFilePath());
    EXPECT_TRUE(doc->Saved());
    doc->Close(GuardarCambios::NoGuardar);
    EXPECT_EQ(MensajeDe([&] { Abrir(Ruta("otra.doc")); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(Parrafos(*Abrir(Ruta("otra.doc"), "777777")), QStringLiteral("Con clave"));
    // A cancelled password prompt changes nothing.
    auto libre = Abrir(EscribirTexto("K000007.doc", "Libre"));
    aplicacion->Activate();
    guion.Dialogo([](QDialog&) { return int(QDialog::Rejected); });
    EditorDe(*libre)->findChild<QAction*>("accContrasena")->trigger();
    EXPECT_TRUE(libre->Saved());
    EXPECT_TRUE(EditorDe(*libre)->Guardar());
    QFile archivo(Ruta("K000007.doc"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_FALSE(archivo.readAll().startsWith("BRIVOCIF"));
}

TEST_F(Ventanas, UnaPreguntaSinDialogoInstaladoFalla) {
    auto doc = Abrir(EscribirTexto("K000008.doc", "Texto"));
    aplicacion->Activate();
    EditorVentana* editor = EditorDe(*doc);
    ASSERT_NE(editor, nullptr);
    const DialogosEditor instalados = DialogosDelEditor();
    DialogosDelEditor() = DialogosEditor{};
    EXPECT_THROW(editor->InsertarTablaPreguntando(), std::logic_error);
    EXPECT_THROW(editor->ExportarPdfPreguntando(), std::logic_error);
    // The error of a failed command is told through a hook as well.
    EXPECT_THROW(editor->InsertarImagen(Ruta("no-existe.png")), std::logic_error);
    DialogosDelEditor() = instalados;
    // Nothing was inserted or written meanwhile.
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("Texto"));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    doc->Close(GuardarCambios::NoGuardar);
}

TEST_F(Ventanas, UnDocumentoAbiertoDesdeOtraVentanaNoSeLlevaElFoco) {
    // The user works in another window of the program (the main window's
    // grid); the editor follows with a new document, whose window must not
    // take the keyboard away from that window.
    QWidget principal;
    principal.show();
    principal.activateWindow();
    QApplication::setActiveWindow(&principal);
    ASSERT_EQ(QApplication::activeWindow(), &principal);
    auto siguiente = Abrir(EscribirTexto("K000004.doc", "Siguiente"));
    QApplication::processEvents();
    ASSERT_NE(EditorDe(*siguiente), nullptr);
    EXPECT_TRUE(EditorDe(*siguiente)->isVisible());
    EXPECT_TRUE(EditorDe(*siguiente)->testAttribute(Qt::WA_ShowWithoutActivating));
    siguiente->Close(GuardarCambios::NoGuardar);
    QApplication::processEvents();

    // Opening the editor by its command activates the word processor first:
    // the next window to appear comes forward with the focus.
    QApplication::setActiveWindow(&principal);
    aplicacion->Activate();
    auto primero = Abrir(EscribirTexto("K000005.doc", "Primero"));
    QApplication::processEvents();
    ASSERT_NE(EditorDe(*primero), nullptr);
    EXPECT_FALSE(EditorDe(*primero)->testAttribute(Qt::WA_ShowWithoutActivating));
}
