// The editor: opening and closing it, the model choice, placement and
// caption, the editor following the grid, the book's rules for changes and
// passwords, failures of the word processor.
#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>

#include "EntornoDocumentos.h"
#include "Errores.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Editor : public BaseDocumentos {
protected:
    void PrepararLibreria(TAlmacen& a) override {
        PonerDocumento(a, 1, IdFisica, 11, 0, 0);
        PonerDocumento(a, 2, IdFisica, 11, 0, 0);
        PonerDocumento(a, 3, IdFisica, 11, 0, 0);
        PonerDocumento(a, 4, IdOtro, 11, 0, 0);
        PonerDocumento(a, 5, 999999, 11, 0, 0); // its book is gone
        PonerDocumento(a, 16, IdFisica, 10, 20, 0);
        PonerDocumento(a, 20, IdFisica, 1, 1, 0, QStringLiteral("Modelo propio"));
        PonerDocumento(a, 21, IdFisica, 1, 2, 0, QStringLiteral("Examen propio"));
        PonerDocumento(a, 30, IdFisica, 1, 3, 0);
    }
    QString Clave() const { return QString::number(IdFisica); }
    // Runs a command from the event loop, so that a failure reaches the
    // program's top-level handler.
    void DesdeElBucle(const char* manejador) {
        QMetaObject::invokeMethod(form.get(), manejador, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    }
};

TEST_F(Editor, ElMandoCambiaTextoYConsejo) {
    EXPECT_EQ(form->SBEditor->toolTip(), QStringLiteral("Abrir editor "));
    EXPECT_EQ(form->Abrireditor1->text(), QStringLiteral("Abrir edi&tor"));
    form->Abrireditor1->trigger();
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->SBEditor->toolTip(), QStringLiteral("Cerrar editor"));
    EXPECT_EQ(form->Abrireditor1->text(), QStringLiteral("Cerrar editor"));
    form->SBEditor->click();
    EXPECT_FALSE(form->EditorAbierto());
    EXPECT_EQ(form->SBEditor->toolTip(), QStringLiteral("Abrir editor"));
    EXPECT_EQ(form->Abrireditor1->text(), QStringLiteral("Abrir editor"));
    EXPECT_FALSE(form->Banco().WordApplication->Conectado());
    EXPECT_EQ(A().DocActual, 0);
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(Editor, AbrirElEditorCreaElArchivoDesdeElModeloDePreguntas) {
    // Física lists document 16; it has no file yet.
    ASSERT_EQ(A().DocActual, 16);
    ASSERT_FALSE(QFile::exists(Ruta(16)));
    AbrirEditor();
    ASSERT_TRUE(QFile::exists(Ruta(16)));
    EXPECT_TRUE(TextoDe(Ruta(16), Clave()).contains("#PREG"));
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(16));
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 1);

    // The application window below the main window, named "Brivo II".
    const int alto = form->frameGeometry().height();
    const QRect pantalla = form->screen()->geometry();
    word::IVentanaWord& app = form->Banco().WordApplication->Window();
    EXPECT_EQ(app.Caption(), QStringLiteral("Brivo II"));
    EXPECT_TRUE(app.Visible());
    EXPECT_EQ(app.Top(), alto * 30 / 40);
    EXPECT_EQ(app.Height(), (pantalla.height() - alto) * 30 / 42);

    // The document's own window, placed the same way, with the book's title.
    word::IVentanaWord& v = form->Banco().WordDocument->Window();
    EXPECT_EQ(v.WindowState(), word::EstadoVentana::Normal);
    EXPECT_EQ(v.Left(), 0);
    EXPECT_EQ(v.Top(), alto * 30 / 40);
    EXPECT_EQ(v.Width(), pantalla.width() * 200 / 267);
    EXPECT_EQ(v.Height(), (pantalla.height() - alto) * 30 / 42);
    EXPECT_EQ(v.Caption(), QStringLiteral("[Física general] K000016.doc"));
    // The engine shows it once control returns to the event loop.
    QCoreApplication::processEvents();
}

TEST_F(Editor, ElModeloSegunElNodoPrimeroElDocumentoModelo) {
    EscribirTexto(Ruta(20), QStringLiteral("MODELO PROPIO DE PREGUNTA"));
    EscribirTexto(Ruta(21), QStringLiteral("MODELO PROPIO DE EXAMEN"));
    AbrirEditor();
    A().ModeloPreguntas = 20;
    A().ModeloExamenes = 21;

    // Question model document under a user node.
    Seleccionar("Química");
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("MODELO PROPIO DE PREGUNTA"));
    // Exam model document under "Exámenes" and under "Modelos de examen".
    Seleccionar("Exámenes");
    EXPECT_TRUE(TextoDe(Ruta(30), Clave()).contains("MODELO PROPIO DE EXAMEN"));
    Seleccionar("Modelos de examen");
    const int nuevo = A().DocumentoLibre();
    form->SBNuevoDocClick();
    ASSERT_EQ(A().Documentos[nuevo].IdTema, 2);
    EXPECT_TRUE(TextoDe(Ruta(nuevo), Clave()).contains("MODELO PROPIO DE EXAMEN"));
    // The model documents' own files are untouched.
    EXPECT_EQ(TextoDe(Ruta(20)), QStringLiteral("MODELO PROPIO DE PREGUNTA"));

    // Without a model document (or with one whose file is missing) the model
    // files serve.
    A().ModeloPreguntas = 0;
    QFile::remove(Ruta(21));
    Seleccionar("Química");
    Mover(2);
    EXPECT_TRUE(TextoDe(Ruta(2), Clave()).contains("#PREG"));
    Seleccionar("Exámenes");
    const int examen = A().DocumentoLibre();
    form->SBNuevoDocClick();
    ASSERT_EQ(A().Documentos[examen].IdTema, 3);
    EXPECT_TRUE(TextoDe(Ruta(examen), Clave()).contains("Alumno:"));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(Editor, AbrirDocumentoOcultoOSinArchivo) {
    EXPECT_FALSE(form->Banco().AbrirDocumento(16, true)); // the editor is closed
    Seleccionar("Química");
    AbrirEditor();
    ASSERT_TRUE(QFile::exists(Ruta(1)));
    Seleccionar("Mecánica"); // document 1 closes, 16 gets its file
    ASSERT_TRUE(QFile::exists(Ruta(16)));
    EXPECT_FALSE(form->Banco().AbrirDocumento(2, true)); // no file yet
    EXPECT_FALSE(form->Banco().AbrirDocumento(5, true)); // no book
    EXPECT_FALSE(form->Banco().AbrirDocumento(-1, true));
    EXPECT_FALSE(form->Banco().AbrirDocumento(0, true));
    ASSERT_TRUE(form->Banco().AbrirDocumento(1, false));
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(1));
    EXPECT_EQ(form->Banco().WordDocument->Window().WindowState(), word::EstadoVentana::Minimizada);
    ASSERT_TRUE(form->Banco().AbrirDocumento(TBancoDocumentos::ArchivoModeloExamenes, true));
    EXPECT_EQ(form->Banco().WordDocument->FullName(), carpeta.Archivo("nuevoexamen.doc"));
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 3);
}

TEST_F(Editor, ElEditorSigueAlGridYGuardaLosCambios) {
    Seleccionar("Química");
    AbrirEditor();
    Escribir(QStringLiteral("Primera pregunta escrita"));
    Mover(2);
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 1);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(2));
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Primera pregunta escrita"));
    // The built-in properties were stamped with the record and the book.
    auto leido = LeerDoc(Ruta(1), Clave());
    EXPECT_EQ(leido.propiedades[word::PropTitulo], QStringLiteral("Documento 1"));
    EXPECT_EQ(leido.propiedades[word::PropAsunto], QStringLiteral("Física general"));
    EXPECT_EQ(leido.propiedades[word::PropAutor], QStringLiteral("Autora"));
    EXPECT_EQ(leido.propiedades[word::PropCategoria], QStringLiteral("Física"));
    EXPECT_EQ(leido.propiedades[word::PropComentarios], QStringLiteral("Libro de pruebas"));
    EXPECT_EQ(leido.propiedades[word::PropCompania], QString());

    // Back on document 1: the edit is there.
    Mover(1);
    auto rango = form->Banco().WordDocument->Content();
    EXPECT_TRUE(rango->FindExecute(QStringLiteral("Primera pregunta escrita")));
}

TEST_F(Editor, SinPermisoDeCambiosSeDescartanAlMoverse) {
    A().Libros[1].PermitirCambiosEnDoc = false;
    Seleccionar("Química");
    AbrirEditor();
    const QByteArray antes = carpeta.Leer("Docs/Fisica/K000001.doc");
    ASSERT_FALSE(antes.isEmpty());
    Escribir(QStringLiteral("Cambio no permitido"));
    Mover(2);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(2));
    EXPECT_FALSE(TextoDe(Ruta(1), Clave()).contains("Cambio no permitido"));
    EXPECT_EQ(carpeta.Leer("Docs/Fisica/K000001.doc"), antes);
}

TEST_F(Editor, ClaveEnDocCifraConElIdentificador) {
    Seleccionar("Química");
    AbrirEditor(); // document 1 of Física general (ClaveEnDoc set)
    ASSERT_TRUE(QFile::exists(Ruta(1)));
    EXPECT_TRUE(Cifrado(Ruta(1)));
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("#PREG"));
    try {
        TextoDe(Ruta(1));
        ADD_FAILURE() << "se abrió sin contraseña";
    } catch (const ErrorBrivo& e) {
        EXPECT_EQ(e.Mensaje(), QStringLiteral("La contraseña no es correcta."));
    }
    EXPECT_THROW(TextoDe(Ruta(1), QString::number(IdOtro)), ErrorBrivo);

    // A book without ClaveEnDoc keeps its files plain, also when an edited
    // encrypted file is saved again.
    A().Libros[1].ClaveEnDoc = false;
    Escribir(QStringLiteral("Ahora sin clave"));
    Mover(2);
    EXPECT_FALSE(Cifrado(Ruta(1)));
    EXPECT_TRUE(TextoDe(Ruta(1)).contains("Ahora sin clave"));
    EXPECT_FALSE(Cifrado(Ruta(2)));
    // Another book's document opens with its own identifier.
    A().Libros[2].ClaveEnDoc = true;
    Mover(4);
    EXPECT_TRUE(Cifrado(carpeta.Archivo("Docs/otro/K000004.doc")));
    Mover(1);
    EXPECT_TRUE(TextoDe(carpeta.Archivo("Docs/otro/K000004.doc"), QString::number(IdOtro))
                    .contains("#PREG"));
}

TEST_F(Editor, DocumentoSinLibroNoAbreNiGuardaNada) {
    Seleccionar("Química");
    AbrirEditor();
    Escribir(QStringLiteral("Antes de ir al documento sin libro"));
    Mover(5);
    EXPECT_EQ(A().DocActual, 5);
    // Document 1 was closed and saved; nothing was opened or written for 5.
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Antes de ir al documento sin libro"));
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    // The editor opened on it stays empty as well.
    form->BEditarClick();
    form->BEditarClick();
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    // Moving on opens the next document normally.
    Mover(2);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(2));
}

TEST_F(Editor, CerrarElEditorConElMandoGuardaElDocumento) {
    Seleccionar("Química");
    AbrirEditor();
    Escribir(QStringLiteral("Escrito antes de cerrar el editor"));
    form->BEditarClick();
    EXPECT_FALSE(form->EditorAbierto());
    EXPECT_FALSE(form->Banco().WordApplication->Conectado());
    EXPECT_EQ(A().DocActual, 0);
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Escrito antes de cerrar el editor"));
    // Opening it again shows the active row's document.
    AbrirEditor();
    EXPECT_EQ(A().DocActual, 1);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(1));
}

TEST_F(Editor, SiNoSePuedeConectarSeAvisaYElEditorCuentaComoAbierto) {
    TMotorConFallos& motor = MotorConFallos(*form);
    motor.Disconnect();
    motor.FallaConectar = true;
    form->BEditarClick();
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_EQ(guion.Mensajes[0].Texto, QStringLiteral("Word puede no estar instalado"));
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->SBEditor->toolTip(), QStringLiteral("Cerrar editor"));
    EXPECT_FALSE(QFile::exists(Ruta(16)));
    // Moving in the grid does not reach the word processor.
    Seleccionar("Química");
    Mover(2);
    EXPECT_EQ(guion.Mensajes.size(), 1);
    // The command used again closes the editor without complaint.
    form->BEditarClick();
    EXPECT_FALSE(form->EditorAbierto());
    EXPECT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(motor.Quits, 0);
}

TEST_F(Editor, FallosDelProcesadorLleganAlManejadorGeneral) {
    // Document 2's file is encrypted with another password; document 3's
    // file is damaged.
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("Otro contenido"));
        word::GuardarArchivoDocumento(Ruta(2), QStringLiteral("otra"), doc, {});
    }
    {
        QFile f(Ruta(3));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("BRIVOCIF") + QByteArray(20, '\x01'));
    }
    Seleccionar("Química");
    Mover(2);
    DesdeElBucle("BEditarClick");
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_EQ(guion.Mensajes[0].Texto, QStringLiteral("La contraseña no es correcta."));
    // The command stopped: the editor is open with nothing in it, and the
    // file is as it was.
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_EQ(TextoDe(Ruta(2), QStringLiteral("otra")), QStringLiteral("Otro contenido"));

    // Moving on works; moving to the damaged file shows the engine's text.
    Mover(1);
    ASSERT_EQ(form->Banco().DocumentosAbiertos(), 1);
    Escribir(QStringLiteral("Lo escrito en el 1"));
    QMetaObject::invokeMethod(
        form.get(), [this] { Mover(3); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(guion.Mensajes.size(), 2);
    EXPECT_EQ(guion.Mensajes[1].Tipo, ui::TipoMensaje::Error);
    EXPECT_FALSE(guion.Mensajes[1].Texto.isEmpty());
    EXPECT_EQ(A().DocActual, 3);
    // What was done before the failure is kept: document 1 was saved.
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Lo escrito en el 1"));
}

} // namespace
