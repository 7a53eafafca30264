#include "EditorVentana.h"

#include <stdexcept>
#include <string>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QImage>
#include <QImageReader>
#include <QPrinter>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>

#include "ArchivoDocumento.h"
#include "Errores.h"
#include "MotorTexto.h"

namespace brivo::word {

namespace {

// The hook that asks a question, which the program must have installed: an
// editor asking without one is a fault of the program and fails loudly.
template <typename Gancho>
const Gancho& Dialogo(Gancho DialogosEditor::*gancho, const char* nombre) {
    const Gancho& f = DialogosDelEditor().*gancho;
    if (!f)
        throw std::logic_error(std::string("El editor no tiene instalado el diálogo ") + nombre);
    return f;
}

QString TipoMimeImagen(const QByteArray& formato) {
    const QByteArray f = formato.toLower();
    if (f == "png")
        return QStringLiteral("image/png");
    if (f == "jpg" || f == "jpeg")
        return QStringLiteral("image/jpeg");
    if (f == "gif")
        return QStringLiteral("image/gif");
    return {};
}

} // namespace

DialogosEditor& DialogosDelEditor() {
    static DialogosEditor dialogos;
    return dialogos;
}

EditorVentana::EditorVentana(DocumentoMotor& doc) : documento(&doc) {
    setObjectName(QStringLiteral("EditorVentana"));
    setAttribute(Qt::WA_DeleteOnClose);
    texto = new QTextEdit(this);
    texto->setObjectName(QStringLiteral("TextoDocumento"));
    texto->setAccessibleName(QStringLiteral("Texto del documento"));
    texto->setDocument(&doc.Documento());
    texto->setAcceptRichText(true);
    // A document opened read-only can be read, searched, copied and printed.
    texto->setReadOnly(doc.SoloLectura());
    texto->setTextInteractionFlags(doc.SoloLectura()
                                       ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                       : Qt::TextEditorInteraction);
    setCentralWidget(texto);
    CrearAcciones();
    statusBar()->setObjectName(QStringLiteral("BarraEstado"));
    connect(texto, &QTextEdit::currentCharFormatChanged, this, &EditorVentana::FormatoCambiado);
    connect(texto, &QTextEdit::cursorPositionChanged, this, &EditorVentana::ParrafoCambiado);
    connect(&doc.Documento(), &QTextDocument::modificationChanged, this,
            &QWidget::setWindowModified);
    setWindowModified(doc.Documento().isModified());
    FormatoCambiado(texto->currentCharFormat());
    ParrafoCambiado();
    resize(800, 600);
}

EditorVentana::~EditorVentana() = default;

void EditorVentana::Combinar(const QTextCharFormat& formato) {
    QTextCursor cursor = texto->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(formato);
    texto->mergeCurrentCharFormat(formato);
}

void EditorVentana::FormatoCambiado(const QTextCharFormat& recibido) {
    // Before the cursor first moves the editor reports an empty format: the
    // text at the cursor, or its paragraph, tells the real one.
    QTextCharFormat formato = recibido;
    if (formato.properties().isEmpty()) {
        const QTextCursor cursor = texto->textCursor();
        formato = cursor.charFormat();
        if (formato.properties().isEmpty())
            formato = cursor.block().charFormat();
    }
    accNegrita->setChecked(formato.fontWeight() >= QFont::Bold);
    accCursiva->setChecked(formato.fontItalic());
    accSubrayado->setChecked(formato.fontUnderline());
    // What the format leaves unset comes from the document's default font.
    const QFont fuente = formato.font().resolve(texto->document()->defaultFont());
    const QSignalBlocker bloqueo(comboFuente);
    comboFuente->setCurrentFont(fuente);
    comboTamano->setEditText(QString::number(fuente.pointSizeF()));
}

void EditorVentana::ParrafoCambiado() {
    const Qt::Alignment alineacion = texto->alignment();
    if (alineacion & Qt::AlignHCenter)
        accCentro->setChecked(true);
    else if (alineacion & Qt::AlignRight)
        accDerecha->setChecked(true);
    else if (alineacion & Qt::AlignJustify)
        accJustificar->setChecked(true);
    else
        accIzquierda->setChecked(true);
    const QTextList* lista = texto->textCursor().currentList();
    const int estilo = lista ? lista->format().style() : 0;
    accVinetas->setChecked(lista && estilo == QTextListFormat::ListDisc);
    accNumeracion->setChecked(lista && estilo == QTextListFormat::ListDecimal);
}

void EditorVentana::AlternarLista(int estilo) {
    QTextCursor cursor = texto->textCursor();
    cursor.beginEditBlock();
    QTextList* lista = cursor.currentList();
    if (lista && lista->format().style() == estilo) {
        // Leaving the list: the paragraphs of the selection go back to plain ones.
        const QTextBlock fin = texto->document()->findBlock(cursor.selectionEnd());
        for (QTextBlock b = texto->document()->findBlock(cursor.selectionStart()); b.isValid();
             b = b.next()) {
            if (QTextList* l = b.textList())
                l->remove(b);
            QTextBlockFormat f = b.blockFormat();
            f.setIndent(0);
            QTextCursor(b).setBlockFormat(f);
            if (b == fin)
                break;
        }
    } else {
        QTextListFormat formato;
        formato.setStyle(QTextListFormat::Style(estilo));
        formato.setIndent(1);
        cursor.createList(formato);
    }
    cursor.endEditBlock();
    ParrafoCambiado();
}

void EditorVentana::MostrarError(const QString& mensaje) {
    Dialogo(&DialogosEditor::MostrarError, "MostrarError")(this, mensaje);
}

bool EditorVentana::Guardar() {
    if (soltado)
        return false;
    try {
        documento->Guardar();
        statusBar()->showMessage(QStringLiteral("Documento guardado."), 3000);
        return true;
    } catch (const ErrorBrivo& error) {
        MostrarError(error.Mensaje());
        return false;
    }
}

void EditorVentana::GuardarComo() {
    if (soltado)
        return;
    const QString ruta = Dialogo(&DialogosEditor::ElegirGuardarComo,
                                 "ElegirGuardarComo")(this, documento->FullName());
    if (ruta.isEmpty())
        return;
    try {
        documento->SaveAs(ruta, documento->Clave());
    } catch (const ErrorBrivo& error) {
        MostrarError(error.Mensaje());
    }
}

void EditorVentana::CambiarContrasena() {
    if (soltado)
        return;
    if (const auto clave = Dialogo(&DialogosEditor::PedirContrasena, "PedirContrasena")(this)) {
        documento->SetPassword(*clave);
        // The new password only reaches the file with the next save.
        texto->document()->setModified(true);
    }
}

void EditorVentana::Imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(windowTitle());
    if (Dialogo(&DialogosEditor::ConfigurarImpresora, "ConfigurarImpresora")(this, impresora))
        texto->print(&impresora);
}

bool EditorVentana::ExportarPdf(const QString& ruta) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    texto->document()->print(&impresora);
    const QFileInfo info(ruta);
    if (!info.exists() || info.size() == 0) {
        MostrarError(QStringLiteral("No se puede crear el archivo PDF \"%1\".").arg(ruta));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Documento exportado a %1.").arg(ruta), 3000);
    return true;
}

void EditorVentana::ExportarPdfPreguntando() {
    if (soltado)
        return;
    const QFileInfo info(documento->FullName());
    const QString sugerido =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".pdf");
    const QString ruta = Dialogo(&DialogosEditor::ElegirPdf, "ElegirPdf")(this, sugerido);
    if (!ruta.isEmpty())
        ExportarPdf(ruta);
}

bool EditorVentana::Exportar(const DestinoExportacion& destino) {
    if (soltado)
        return false;
    try {
        documento->ExportAs(destino.Ruta, destino.Formato, destino.Clave);
    } catch (const ErrorBrivo& error) {
        MostrarError(error.Mensaje());
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Documento exportado a %1.").arg(destino.Ruta), 3000);
    return true;
}

void EditorVentana::ExportarPreguntando() {
    if (soltado)
        return;
    // The document's title names the file, else its own file's name.
    QString nombre = documento->BuiltInDocumentProperty(PropTitulo).trimmed();
    if (nombre.isEmpty())
        nombre = QFileInfo(documento->FullName()).completeBaseName();
    const auto destino =
        Dialogo(&DialogosEditor::ElegirExportacion, "ElegirExportacion")(this, nombre);
    if (destino)
        Exportar(*destino);
}

bool EditorVentana::InsertarImagen(const QString& ruta) {
    QFile archivo(ruta);
    QByteArray bytes;
    if (archivo.open(QIODevice::ReadOnly))
        bytes = archivo.readAll();
    QImage imagen;
    const QByteArray formato = QImageReader::imageFormat(ruta);
    if (bytes.isEmpty() || !imagen.loadFromData(bytes)) {
        MostrarError(QStringLiteral("No se puede leer la imagen \"%1\".").arg(ruta));
        return false;
    }
    QString mime = TipoMimeImagen(formato);
    if (mime.isEmpty()) {
        // Formats that browsers may not show are stored as PNG.
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        imagen.save(&buffer, "PNG");
        mime = QStringLiteral("image/png");
    }
    QTextImageFormat formatoImagen;
    formatoImagen.setName(NombreImagenIncrustada(bytes, mime));
    double ancho = imagen.width();
    double alto = imagen.height();
    constexpr double AnchoMaximo = 600.0;
    if (ancho > AnchoMaximo) {
        alto = alto * AnchoMaximo / ancho;
        ancho = AnchoMaximo;
    }
    formatoImagen.setWidth(ancho);
    formatoImagen.setHeight(alto);
    texto->document()->addResource(QTextDocument::ImageResource, QUrl(formatoImagen.name()),
                                   imagen);
    texto->textCursor().insertImage(formatoImagen);
    return true;
}

void EditorVentana::InsertarImagenPreguntando() {
    if (soltado)
        return;
    const QString ruta = Dialogo(&DialogosEditor::ElegirImagen, "ElegirImagen")(this);
    if (!ruta.isEmpty())
        InsertarImagen(ruta);
}

void EditorVentana::InsertarTabla(int filas, int columnas) {
    QTextTableFormat formato;
    formato.setBorder(1);
    formato.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    formato.setCellPadding(4);
    formato.setCellSpacing(0);
    formato.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextCursor cursor = texto->textCursor();
    cursor.insertTable(filas, columnas, formato);
    texto->setTextCursor(cursor);
}

void EditorVentana::InsertarTablaPreguntando() {
    if (soltado)
        return;
    int filas = 2;
    int columnas = 2;
    if (Dialogo(&DialogosEditor::PedirTabla, "PedirTabla")(this, filas, columnas))
        InsertarTabla(filas, columnas);
}

void EditorVentana::ElegirColor() {
    if (soltado)
        return;
    const QColor actual = texto->currentCharFormat().foreground().color();
    if (const auto color = Dialogo(&DialogosEditor::ElegirColor, "ElegirColor")(this, actual)) {
        QTextCharFormat f;
        f.setForeground(*color);
        Combinar(f);
    }
}

bool EditorVentana::Buscar(const QString& buscado, bool adelante) {
    if (buscado.isEmpty())
        return false;
    QTextDocument::FindFlags opciones;
    if (!adelante)
        opciones |= QTextDocument::FindBackward;
    const QTextCursor encontrado = texto->document()->find(buscado, texto->textCursor(), opciones);
    if (encontrado.isNull()) {
        statusBar()->showMessage(QStringLiteral("No se encuentra «%1».").arg(buscado), 3000);
        return false;
    }
    texto->setTextCursor(encontrado);
    return true;
}

void EditorVentana::Colocar(bool maximizada, const QRect& geometria, const QString& titulo) {
    // The caption is shown exactly as automation set it: no program name is
    // added, and a "[*]" in it is doubled so that Qt shows it as written
    // instead of taking it for the unsaved-changes marker.
    QString exacto = titulo;
    exacto.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(exacto);
    if (maximizada) {
        if (!isMaximized() || !isVisible())
            showMaximized();
        return;
    }
    if (geometria.isValid() && geometria != geometry()) {
        if (isMaximized())
            showNormal();
        setGeometry(geometria);
    }
    if (!isVisible() || isMaximized() || isMinimized())
        showNormal();
    // Some window systems move a window when it is first shown; the placement wins.
    if (geometria.isValid() && geometria != geometry())
        setGeometry(geometria);
}

void EditorVentana::SoltarDocumento() {
    if (soltado)
        return;
    soltado = true;
    documento = nullptr;
    disconnect(texto, nullptr, this, nullptr);
    texto->setDocument(nullptr);
    close();
}

void EditorVentana::closeEvent(QCloseEvent* evento) {
    if (soltado || !documento) {
        evento->accept();
        return;
    }
    if (texto->document()->isModified()) {
        const QString nombre = QFileInfo(documento->FullName()).fileName();
        switch (Dialogo(&DialogosEditor::PreguntarGuardar, "PreguntarGuardar")(this, nombre)) {
        case DialogosEditor::Respuesta::Si:
            if (!Guardar()) {
                evento->ignore();
                return;
            }
            break;
        case DialogosEditor::Respuesta::No:
            break;
        case DialogosEditor::Respuesta::Cancelar:
            evento->ignore();
            return;
        }
    }
    evento->accept();
    DocumentoMotor* cerrado = documento;
    soltado = true;
    documento = nullptr;
    disconnect(texto, nullptr, this, nullptr);
    texto->setDocument(nullptr);
    cerrado->CerrarDesdeVentana();
}

void EditorVentana::changeEvent(QEvent* evento) {
    QMainWindow::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow() && documento)
        documento->AplicacionActivada();
}

} // namespace brivo::word
