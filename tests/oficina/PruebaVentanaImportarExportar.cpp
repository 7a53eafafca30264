// Office files in and out of the main window and the editor window, through
// LibreOffice: "Importar documentos…" with files of every kind (one of them
// damaged), "Archivo › Exportar…" of the editor with unsaved changes, and a
// book package whose documents go as Word 97–2003 files.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>

#include "Clave.h"
#include "EditorVentana.h"
#include "EntornoVentanaOficina.h"
#include "Exportar.h"
#include "FormatoOficina.h"
#include "MotorTexto.h"

using namespace brivo;
using namespace brivo::pruebas;
using oficina::FormatoOficina;

TEST_F(VentanaOficina, ImportarArchivosDeCadaClase) {
    auto archivo = [&](const char* nombre) { return fuera.filePath(QString::fromUtf8(nombre)); };
    ExportarPregunta(archivo("Pregunta completa.docx"), FormatoExportacion::Docx);
    ExportarPregunta(archivo("Otra.odt"), FormatoExportacion::Odt);
    Escribir(archivo("Escrita a mano.rtf"),
             "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0 #PREG\\par "
             "{\\b Qu\\'e9 es} un \\'e1tomo\\par}");
    Escribir(archivo("notas.txt"), QStringLiteral("Texto llano: ñandú\n").toUtf8());
    Escribir(archivo("página.html"), "<html><body><p>Una <b>página</b></p></body></html>");
    const QByteArray docx = Leer(archivo("Pregunta completa.docx"));
    Escribir(archivo("rota.docx"), docx.left(docx.size() / 3));

    form->SeleccionarNodo(Nodo(QStringLiteral("Mecánica")));
    const QStringList elegidos{
        archivo("Pregunta completa.docx"), archivo("rota.docx"), archivo("Otra.odt"),
        archivo("Escrita a mano.rtf"),     archivo("notas.txt"), archivo("página.html")};
    guion.Archivos(elegidos);
    guion.Dialogo(LeerInforme());
    form->Importardocumentos1->trigger();

    EXPECT_EQ(resumen, QStringLiteral("Importados: 5. Con error: 1.")) << detalle.toStdString();
    EXPECT_TRUE(detalle.contains(QStringLiteral("rota.docx: El archivo"))) << detalle.toStdString();
    // Slots 5 to 9, in the order chosen, without the damaged file.
    const char* descripciones[] = {"Pregunta completa", "Otra", "Escrita a mano", "notas",
                                   "página"};
    for (int i = 0; i < 5; ++i) {
        const TDocumento& d = A().Documentos[size_t(5 + i)];
        EXPECT_EQ(d.Descripcion.Texto(), QString::fromUtf8(descripciones[i]));
        EXPECT_EQ(d.IdMateria, 10);
        EXPECT_EQ(d.IdTema, 20);
        EXPECT_EQ(d.IdLibro, IdWord);
        EXPECT_EQ(oficina::FormatoDeArchivo(Ruta(5 + i)), FormatoOficina::Ninguno);
    }
    EXPECT_FALSE(A().Documentos[10].Usado());
    QTextDocument completa;
    word::LeerArchivoDocumento(Ruta(5), Identificador(), completa);
    ComprobarPregunta(completa);
    EXPECT_TRUE(TextoArchivo(Ruta(7), Identificador()).contains(QStringLiteral("Qué es un átomo")));
    EXPECT_EQ(TextoArchivo(Ruta(8), Identificador()), QStringLiteral("Texto llano: ñandú"));
    EXPECT_EQ(TextoArchivo(Ruta(9), Identificador()), QStringLiteral("Una página"));
    // The grid lists them, the last one current.
    EXPECT_EQ(A().NumListados, 9);
    EXPECT_EQ(A().DocActual, 9);
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 8);
}

TEST_F(VentanaOficina, ExportarDesdeElEditorConLosCambiosSinGuardar) {
    form->SeleccionarNodo(Nodo(QStringLiteral("Mecánica")));
    form->BEditarClick(); // document 1, converted as it opens
    ASSERT_TRUE(form->Banco().WordDocument);
    auto& documento = dynamic_cast<word::DocumentoMotor&>(*form->Banco().WordDocument);
    QTextCursor(&documento.Documento()).insertText(QStringLiteral("Sin guardar. "));
    QApplication::processEvents(); // the editor window is placed after the event loop turns
    word::EditorVentana* editor = documento.Editor();
    ASSERT_NE(editor, nullptr);
    auto* exportar = editor->findChild<QAction*>(QStringLiteral("accExportar"));
    ASSERT_NE(exportar, nullptr);

    const QString salida = fuera.filePath(QStringLiteral("desde el editor.doc"));
    guion.Archivo(salida);
    guion.Dialogo(ClaveExportacion(QStringLiteral("abc")));
    exportar->trigger();
    EXPECT_EQ(guion.DialogosMostrados.last(), QStringLiteral("TFormClaveExportacion"));
    EXPECT_EQ(oficina::FormatoDeArchivo(salida), FormatoOficina::Word97);
    EXPECT_TRUE(
        TextoCualquiera(salida, QStringLiteral("abc")).startsWith(QStringLiteral("Sin guardar. ")));
    // The document itself was not saved by the export.
    EXPECT_FALSE(TextoArchivo(Ruta(1), Identificador()).contains(QStringLiteral("Sin guardar")));
    // A cancelled password dialog writes nothing.
    const QString otra = fuera.filePath(QStringLiteral("otra.docx"));
    guion.Archivo(otra);
    guion.Dialogo([](QDialog& d) {
        d.reject();
        return d.result();
    });
    exportar->trigger();
    EXPECT_FALSE(QFileInfo::exists(otra));
}

TEST_F(VentanaOficina, PaqueteConLosDocumentosEnFormatoWord) {
    // The library converted first, so its files are the program's own.
    guion.Dialogo(LeerInforme());
    form->Convertirdocumentos1->trigger();
    const QByteArray uno = Leer(Ruta(1));
    const QString archivo = fuera.filePath(QStringLiteral("fisica.zip"));
    GuionExportarLibroEnWord(archivo);
    form->Exportarlibro1->trigger();
    // Document 4 cannot be read: nothing is written and the message says why.
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_TRUE(guion.Mensajes[0].Texto.startsWith(
        QStringLiteral("No se puede convertir a Word el documento 4 «Pregunta 4» (K000004.doc): ")))
        << guion.Mensajes[0].Texto.toStdString();
    EXPECT_TRUE(
        guion.Mensajes[0].Texto.endsWith(QStringLiteral("\r\nNo se ha exportado el libro.")));
    EXPECT_FALSE(QFileInfo::exists(archivo));

    // Without document 4 the package is written, each document a Word file
    // protected with the identifier.
    QFile::remove(Ruta(4));
    A().Documentos[4].Vaciar();
    guion.Mensajes.clear();
    GuionExportarLibroEnWord(archivo);
    form->Exportarlibro1->trigger();
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    const QString extraidos = fuera.filePath(QStringLiteral("extraidos"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("unzip"),
                                {QStringLiteral("-q"), archivo, QStringLiteral("-d"), extraidos}),
              0);
    for (int k = 1; k <= 3; ++k) {
        const QString entrada =
            extraidos + QStringLiteral("/K%1.doc").arg(k, 6, 10, QLatin1Char('0'));
        EXPECT_EQ(oficina::FormatoDeArchivo(entrada), FormatoOficina::Word97) << k;
        EXPECT_THROW(TextoCualquiera(entrada), ErrorBrivo) << k;
        EXPECT_TRUE(TextoCualquiera(entrada, Identificador()).startsWith(QStringLiteral("#PREG")))
            << k;
    }
    EXPECT_TRUE(QFileInfo::exists(extraidos + QStringLiteral("/Libros.lst")));
    // The library's own files stay as they were.
    EXPECT_EQ(Leer(Ruta(1)), uno);
}
