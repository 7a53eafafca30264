#include "EditorVentana.h"

#include <stdexcept>
#include <string>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>
#include <QToolBar>

#include "ArchivoDocumento.h"
#include "Errores.h"
#include "MotorTexto.h"
#include "Recursos.h"
#include "TextosComunes.h"

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

// A picture of the editor's toolbars (recursos/iconos/editor): 24 x 24, the
// size of the toolbars' buttons, and twice that for dense screens.
QIcon Icono(const char* nombre) {
    return recursos::Icono(QStringLiteral("editor/") + QLatin1String(nombre), {24, 48});
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

QAction* EditorVentana::Accion(const QString& nombre, const QString& textoAccion,
                               const QString& consejo, const QKeySequence& atajo) {
    auto* accion = new QAction(textoAccion, this);
    accion->setObjectName(nombre);
    accion->setToolTip(consejo);
    accion->setStatusTip(consejo);
    if (!atajo.isEmpty())
        accion->setShortcut(atajo);
    return accion;
}

void EditorVentana::CrearAcciones() {
    QStyle* estilo = style();
    auto nombrarBoton = [](QToolBar* barra, QAction* accion) {
        if (QWidget* boton = barra->widgetForAction(accion)) {
            boton->setObjectName(QStringLiteral("SB") + accion->objectName().mid(3));
            boton->setAccessibleName(accion->toolTip());
        }
    };

    // Archivo
    auto* accGuardar = Accion(QStringLiteral("accGuardar"), QStringLiteral("&Guardar"),
                              QStringLiteral("Guardar el documento"), QKeySequence::Save);
    accGuardar->setIcon(estilo->standardIcon(QStyle::SP_DialogSaveButton));
    connect(accGuardar, &QAction::triggered, this, [this] { Guardar(); });
    auto* accGuardarComo =
        Accion(QStringLiteral("accGuardarComo"), QStringLiteral("Guardar &como..."),
               QStringLiteral("Guardar el documento con otro nombre"));
    connect(accGuardarComo, &QAction::triggered, this, &EditorVentana::GuardarComo);
    auto* accContrasena =
        Accion(QStringLiteral("accContrasena"), QStringLiteral("C&ontraseña..."),
               QStringLiteral("Cambiar la contraseña con la que se guarda el documento"));
    connect(accContrasena, &QAction::triggered, this, &EditorVentana::CambiarContrasena);
    auto* accImprimir = Accion(QStringLiteral("accImprimir"), QStringLiteral("&Imprimir..."),
                               QStringLiteral("Imprimir el documento"), QKeySequence::Print);
    accImprimir->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), Icono("Imprimir")));
    connect(accImprimir, &QAction::triggered, this, &EditorVentana::Imprimir);
    auto* accPdf = Accion(QStringLiteral("accExportarPdf"), QStringLiteral("E&xportar a PDF..."),
                          QStringLiteral("Exportar el documento a un archivo PDF"));
    accPdf->setIcon(Icono("ExportarPdf"));
    connect(accPdf, &QAction::triggered, this, &EditorVentana::ExportarPdfPreguntando);
    auto* accCerrar = Accion(QStringLiteral("accCerrar"), QStringLiteral("C&errar"),
                             QStringLiteral("Cerrar el documento"), QKeySequence::Close);
    connect(accCerrar, &QAction::triggered, this, &QWidget::close);

    // Edición
    auto* accDeshacer = Accion(QStringLiteral("accDeshacer"), QStringLiteral("&Deshacer"),
                               QStringLiteral("Deshacer la última acción"), QKeySequence::Undo);
    accDeshacer->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), Icono("Deshacer")));
    connect(accDeshacer, &QAction::triggered, texto, &QTextEdit::undo);
    auto* accRehacer = Accion(QStringLiteral("accRehacer"), QStringLiteral("&Rehacer"),
                              QStringLiteral("Rehacer la acción deshecha"), QKeySequence::Redo);
    accRehacer->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), Icono("Rehacer")));
    connect(accRehacer, &QAction::triggered, texto, &QTextEdit::redo);
    connect(texto, &QTextEdit::undoAvailable, accDeshacer, &QAction::setEnabled);
    connect(texto, &QTextEdit::redoAvailable, accRehacer, &QAction::setEnabled);
    accDeshacer->setEnabled(texto->document()->isUndoAvailable());
    accRehacer->setEnabled(texto->document()->isRedoAvailable());
    auto* accCortar = Accion(QStringLiteral("accCortar"), QStringLiteral("Cor&tar"),
                             QStringLiteral("Cortar la selección"), QKeySequence::Cut);
    connect(accCortar, &QAction::triggered, texto, &QTextEdit::cut);
    auto* accCopiar = Accion(QStringLiteral("accCopiar"), QStringLiteral("&Copiar"),
                             QStringLiteral("Copiar la selección"), QKeySequence::Copy);
    connect(accCopiar, &QAction::triggered, texto, &QTextEdit::copy);
    auto* accPegar =
        Accion(QStringLiteral("accPegar"), QStringLiteral("&Pegar"),
               QStringLiteral("Pegar el contenido del portapapeles"), QKeySequence::Paste);
    connect(accPegar, &QAction::triggered, texto, &QTextEdit::paste);
    auto* accBuscar = Accion(QStringLiteral("accBuscar"), QStringLiteral("&Buscar..."),
                             QStringLiteral("Buscar un texto en el documento"), QKeySequence::Find);
    accBuscar->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                        estilo->standardIcon(QStyle::SP_FileDialogContentsView)));

    // Formato
    accNegrita = Accion(QStringLiteral("accNegrita"), QStringLiteral("&Negrita"),
                        QStringLiteral("Negrita"), QKeySequence::Bold);
    accNegrita->setIcon(Icono("Negrita"));
    accNegrita->setCheckable(true);
    connect(accNegrita, &QAction::triggered, this, [this](bool activa) {
        QTextCharFormat f;
        f.setFontWeight(activa ? QFont::Bold : QFont::Normal);
        Combinar(f);
    });
    accCursiva = Accion(QStringLiteral("accCursiva"), QStringLiteral("C&ursiva"),
                        QStringLiteral("Cursiva"), QKeySequence::Italic);
    accCursiva->setIcon(Icono("Cursiva"));
    accCursiva->setCheckable(true);
    connect(accCursiva, &QAction::triggered, this, [this](bool activa) {
        QTextCharFormat f;
        f.setFontItalic(activa);
        Combinar(f);
    });
    accSubrayado = Accion(QStringLiteral("accSubrayado"), QStringLiteral("&Subrayado"),
                          QStringLiteral("Subrayado"), QKeySequence::Underline);
    accSubrayado->setIcon(Icono("Subrayado"));
    accSubrayado->setCheckable(true);
    connect(accSubrayado, &QAction::triggered, this, [this](bool activa) {
        QTextCharFormat f;
        f.setFontUnderline(activa);
        Combinar(f);
    });
    auto* accColor = Accion(QStringLiteral("accColor"), QStringLiteral("C&olor del texto..."),
                            QString::fromUtf8(textos::ColorDelTexto));
    accColor->setIcon(Icono("Color"));
    connect(accColor, &QAction::triggered, this, &EditorVentana::ElegirColor);

    auto* grupoAlineacion = new QActionGroup(this);
    auto alinear = [this, grupoAlineacion](const QString& nombre, const QString& textoAcc,
                                           const QString& consejo, const char* icono,
                                           Qt::Alignment alineacion, const QKeySequence& atajo) {
        QAction* accion = Accion(nombre, textoAcc, consejo, atajo);
        accion->setIcon(Icono(icono));
        accion->setCheckable(true);
        grupoAlineacion->addAction(accion);
        connect(accion, &QAction::triggered, this, [this, alineacion] {
            QTextBlockFormat f;
            f.setAlignment(alineacion);
            texto->textCursor().mergeBlockFormat(f);
        });
        return accion;
    };
    accIzquierda =
        alinear(QStringLiteral("accAlinearIzquierda"), QStringLiteral("Alinear a la &izquierda"),
                QStringLiteral("Alinear a la izquierda"), "AlinearIzquierda",
                Qt::AlignLeft | Qt::AlignAbsolute, QKeySequence(Qt::CTRL | Qt::Key_L));
    accCentro =
        alinear(QStringLiteral("accCentrar"), QStringLiteral("C&entrar"), QStringLiteral("Centrar"),
                "Centrar", Qt::AlignHCenter, QKeySequence(Qt::CTRL | Qt::Key_E));
    accDerecha =
        alinear(QStringLiteral("accAlinearDerecha"), QStringLiteral("Alinear a la &derecha"),
                QStringLiteral("Alinear a la derecha"), "AlinearDerecha",
                Qt::AlignRight | Qt::AlignAbsolute, QKeySequence(Qt::CTRL | Qt::Key_R));
    accJustificar = alinear(QStringLiteral("accJustificar"), QStringLiteral("&Justificar"),
                            QStringLiteral("Justificar"), "Justificar", Qt::AlignJustify,
                            QKeySequence(Qt::CTRL | Qt::Key_J));
    accVinetas = Accion(QStringLiteral("accVinetas"), QStringLiteral("&Viñetas"),
                        QStringLiteral("Lista con viñetas"));
    accVinetas->setIcon(Icono("Vinetas"));
    accVinetas->setCheckable(true);
    connect(accVinetas, &QAction::triggered, this,
            [this] { AlternarLista(QTextListFormat::ListDisc); });
    accNumeracion = Accion(QStringLiteral("accNumeracion"), QStringLiteral("Nu&meración"),
                           QStringLiteral("Lista numerada"));
    accNumeracion->setIcon(Icono("Numeracion"));
    accNumeracion->setCheckable(true);
    connect(accNumeracion, &QAction::triggered, this,
            [this] { AlternarLista(QTextListFormat::ListDecimal); });

    // Insertar
    auto* accImagen = Accion(QStringLiteral("accInsertarImagen"), QStringLiteral("&Imagen..."),
                             QStringLiteral("Insertar una imagen"));
    accImagen->setIcon(QIcon::fromTheme(QStringLiteral("insert-image"), Icono("InsertarImagen")));
    connect(accImagen, &QAction::triggered, this, &EditorVentana::InsertarImagenPreguntando);
    auto* accTabla = Accion(QStringLiteral("accInsertarTabla"), QStringLiteral("&Tabla..."),
                            QStringLiteral("Insertar una tabla"));
    accTabla->setIcon(QIcon::fromTheme(QStringLiteral("insert-table"), Icono("InsertarTabla")));
    connect(accTabla, &QAction::triggered, this, &EditorVentana::InsertarTablaPreguntando);

    // Menus
    QMenu* menuArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    menuArchivo->setObjectName(QStringLiteral("MenuArchivo"));
    menuArchivo->addActions({accGuardar, accGuardarComo, accContrasena});
    menuArchivo->addSeparator();
    menuArchivo->addActions({accImprimir, accPdf});
    menuArchivo->addSeparator();
    menuArchivo->addAction(accCerrar);
    QMenu* menuEdicion = menuBar()->addMenu(QStringLiteral("&Edición"));
    menuEdicion->setObjectName(QStringLiteral("MenuEdicion"));
    menuEdicion->addActions({accDeshacer, accRehacer});
    menuEdicion->addSeparator();
    menuEdicion->addActions({accCortar, accCopiar, accPegar});
    menuEdicion->addSeparator();
    menuEdicion->addAction(accBuscar);
    QMenu* menuFormato = menuBar()->addMenu(QStringLiteral("&Formato"));
    menuFormato->setObjectName(QStringLiteral("MenuFormato"));
    menuFormato->addActions({accNegrita, accCursiva, accSubrayado, accColor});
    menuFormato->addSeparator();
    menuFormato->addActions({accIzquierda, accCentro, accDerecha, accJustificar});
    menuFormato->addSeparator();
    menuFormato->addActions({accVinetas, accNumeracion});
    QMenu* menuInsertar = menuBar()->addMenu(QStringLiteral("&Insertar"));
    menuInsertar->setObjectName(QStringLiteral("MenuInsertar"));
    menuInsertar->addActions({accImagen, accTabla});

    // Toolbars
    QToolBar* barraArchivo = addToolBar(QStringLiteral("Archivo"));
    barraArchivo->setObjectName(QStringLiteral("BarraArchivo"));
    barraArchivo->addActions({accGuardar, accImprimir, accPdf});
    QToolBar* barraEdicion = addToolBar(QStringLiteral("Edición"));
    barraEdicion->setObjectName(QStringLiteral("BarraEdicion"));
    barraEdicion->addActions({accDeshacer, accRehacer, accBuscar});
    QToolBar* barraFormato = addToolBar(QStringLiteral("Formato"));
    barraFormato->setObjectName(QStringLiteral("BarraFormato"));
    comboFuente = new QFontComboBox(barraFormato);
    comboFuente->setObjectName(QStringLiteral("CBFuente"));
    comboFuente->setToolTip(QStringLiteral("Fuente"));
    comboFuente->setAccessibleName(QStringLiteral("Fuente"));
    barraFormato->addWidget(comboFuente);
    connect(comboFuente, &QFontComboBox::textActivated, this, [this](const QString& familia) {
        QTextCharFormat f;
        f.setFontFamilies({familia});
        Combinar(f);
    });
    comboTamano = new QComboBox(barraFormato);
    comboTamano->setObjectName(QStringLiteral("CBTamano"));
    comboTamano->setToolTip(QStringLiteral("Tamaño de la fuente"));
    comboTamano->setAccessibleName(QStringLiteral("Tamaño de la fuente"));
    comboTamano->setEditable(true);
    for (int tamano : QFontDatabase::standardSizes())
        comboTamano->addItem(QString::number(tamano));
    barraFormato->addWidget(comboTamano);
    connect(comboTamano, &QComboBox::textActivated, this, [this](const QString& valor) {
        bool ok = false;
        const double puntos = valor.toDouble(&ok);
        if (ok && puntos > 0) {
            QTextCharFormat f;
            f.setFontPointSize(puntos);
            Combinar(f);
        }
    });
    barraFormato->addActions({accNegrita, accCursiva, accSubrayado, accColor});
    barraFormato->addSeparator();
    barraFormato->addActions({accIzquierda, accCentro, accDerecha, accJustificar});
    barraFormato->addSeparator();
    barraFormato->addActions({accVinetas, accNumeracion, accImagen, accTabla});
    for (QToolBar* barra : {barraArchivo, barraEdicion, barraFormato})
        for (QAction* accion : barra->actions())
            if (!accion->isSeparator() && !accion->objectName().isEmpty())
                nombrarBoton(barra, accion);

    // Find bar
    barraBuscar = new QToolBar(QStringLiteral("Buscar"), this);
    barraBuscar->setObjectName(QStringLiteral("BarraBuscar"));
    addToolBar(Qt::BottomToolBarArea, barraBuscar);
    campoBuscar = new QLineEdit(barraBuscar);
    campoBuscar->setObjectName(QStringLiteral("EdBuscar"));
    campoBuscar->setToolTip(QStringLiteral("Texto que se busca"));
    campoBuscar->setAccessibleName(QStringLiteral("Texto que se busca"));
    campoBuscar->setPlaceholderText(QStringLiteral("Buscar"));
    barraBuscar->addWidget(campoBuscar);
    auto* accSiguiente = Accion(QStringLiteral("accBuscarSiguiente"), QStringLiteral("Siguiente"),
                                QStringLiteral("Buscar hacia delante"), QKeySequence::FindNext);
    connect(accSiguiente, &QAction::triggered, this, [this] { Buscar(campoBuscar->text(), true); });
    auto* accAnterior = Accion(QStringLiteral("accBuscarAnterior"), QStringLiteral("Anterior"),
                               QStringLiteral("Buscar hacia atrás"), QKeySequence::FindPrevious);
    connect(accAnterior, &QAction::triggered, this, [this] { Buscar(campoBuscar->text(), false); });
    auto* accCerrarBuscar = Accion(QStringLiteral("accCerrarBuscar"), QStringLiteral("Cerrar"),
                                   QStringLiteral("Cerrar la búsqueda"));
    connect(accCerrarBuscar, &QAction::triggered, barraBuscar, &QWidget::hide);
    barraBuscar->addActions({accSiguiente, accAnterior, accCerrarBuscar});
    for (QAction* accion : barraBuscar->actions())
        if (!accion->objectName().isEmpty())
            nombrarBoton(barraBuscar, accion);
    connect(campoBuscar, &QLineEdit::returnPressed, this,
            [this] { Buscar(campoBuscar->text(), true); });
    barraBuscar->hide();
    connect(accBuscar, &QAction::triggered, this, [this] {
        barraBuscar->show();
        campoBuscar->setFocus();
        campoBuscar->selectAll();
    });
    for (QAction* accion :
         {accGuardarComo, accContrasena, accCerrar, accCortar, accCopiar, accPegar})
        addAction(accion);
}

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
