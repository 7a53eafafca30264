// The commands of the editor window: made in groups (file, edit, character,
// paragraph, insert), then placed in the menus and the toolbars, in that
// order. Every action has a Spanish hint; a toolbar button is named "SB"
// followed by its action's name without "acc", and says its hint.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

#include "EditorVentana.h"
#include "Recursos.h"
#include "TextosComunes.h"

namespace brivo::word {

// The actions that go to several places (menus, toolbars, the window's own
// shortcuts); those that the window follows are its members.
struct EditorVentana::TAcciones {
    QAction* Guardar = nullptr;
    QAction* GuardarComo = nullptr;
    QAction* Contrasena = nullptr;
    QAction* Imprimir = nullptr;
    QAction* Pdf = nullptr;
    QAction* Exportar = nullptr;
    QAction* Cerrar = nullptr;
    QAction* Deshacer = nullptr;
    QAction* Rehacer = nullptr;
    QAction* Cortar = nullptr;
    QAction* Copiar = nullptr;
    QAction* Pegar = nullptr;
    QAction* Buscar = nullptr;
    QAction* Color = nullptr;
    QAction* Imagen = nullptr;
    QAction* Tabla = nullptr;
};

namespace {

// A picture of the editor's toolbars (recursos/iconos/editor): 24 x 24, the
// size of the toolbars' buttons, and twice that for dense screens.
QIcon Icono(const char* nombre) {
    return recursos::Icono(QStringLiteral("editor/") + QLatin1String(nombre), {24, 48});
}

// Names the toolbar buttons of a toolbar's actions after them.
void NombrarBotones(QToolBar* barra) {
    for (QAction* accion : barra->actions()) {
        if (accion->isSeparator() || accion->objectName().isEmpty())
            continue;
        if (QWidget* boton = barra->widgetForAction(accion)) {
            boton->setObjectName(QStringLiteral("SB") + accion->objectName().mid(3));
            boton->setAccessibleName(accion->toolTip());
        }
    }
}

} // namespace

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
    TAcciones a;
    CrearAccionesArchivo(a);
    CrearAccionesEdicion(a);
    CrearAccionesCaracter(a);
    CrearAccionesParrafo();
    CrearAccionesInsertar(a);
    CrearMenus(a);
    CrearBarras(a);
    CrearBarraBuscar(a.Buscar);
    // Reached by their shortcuts also when no menu is open.
    for (QAction* accion : {a.GuardarComo, a.Contrasena, a.Cerrar, a.Cortar, a.Copiar, a.Pegar})
        addAction(accion);
}

void EditorVentana::CrearAccionesArchivo(TAcciones& a) {
    QStyle* estilo = style();
    a.Guardar = Accion(QStringLiteral("accGuardar"), QStringLiteral("&Guardar"),
                       QStringLiteral("Guardar el documento"), QKeySequence::Save);
    a.Guardar->setIcon(estilo->standardIcon(QStyle::SP_DialogSaveButton));
    connect(a.Guardar, &QAction::triggered, this, [this] { Guardar(); });
    a.GuardarComo = Accion(QStringLiteral("accGuardarComo"), QStringLiteral("Guardar &como..."),
                           QStringLiteral("Guardar el documento con otro nombre"));
    connect(a.GuardarComo, &QAction::triggered, this, &EditorVentana::GuardarComo);
    a.Contrasena =
        Accion(QStringLiteral("accContrasena"), QStringLiteral("C&ontraseña..."),
               QStringLiteral("Cambiar la contraseña con la que se guarda el documento"));
    connect(a.Contrasena, &QAction::triggered, this, &EditorVentana::CambiarContrasena);
    a.Imprimir = Accion(QStringLiteral("accImprimir"), QStringLiteral("&Imprimir..."),
                        QStringLiteral("Imprimir el documento"), QKeySequence::Print);
    a.Imprimir->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), Icono("Imprimir")));
    connect(a.Imprimir, &QAction::triggered, this, &EditorVentana::Imprimir);
    a.Pdf = Accion(QStringLiteral("accExportarPdf"), QStringLiteral("E&xportar a PDF..."),
                   QStringLiteral("Exportar el documento a un archivo PDF"));
    a.Pdf->setIcon(Icono("ExportarPdf"));
    connect(a.Pdf, &QAction::triggered, this, &EditorVentana::ExportarPdfPreguntando);
    a.Exportar = Accion(QStringLiteral("accExportar"), QStringLiteral("Expor&tar…"),
                        QStringLiteral("Exportar el documento a PDF, OpenDocument, Word o HTML"));
    connect(a.Exportar, &QAction::triggered, this, &EditorVentana::ExportarPreguntando);
    a.Cerrar = Accion(QStringLiteral("accCerrar"), QStringLiteral("C&errar"),
                      QStringLiteral("Cerrar el documento"), QKeySequence::Close);
    connect(a.Cerrar, &QAction::triggered, this, &QWidget::close);
}

void EditorVentana::CrearAccionesEdicion(TAcciones& a) {
    QStyle* estilo = style();
    a.Deshacer = Accion(QStringLiteral("accDeshacer"), QStringLiteral("&Deshacer"),
                        QStringLiteral("Deshacer la última acción"), QKeySequence::Undo);
    a.Deshacer->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), Icono("Deshacer")));
    connect(a.Deshacer, &QAction::triggered, texto, &QTextEdit::undo);
    a.Rehacer = Accion(QStringLiteral("accRehacer"), QStringLiteral("&Rehacer"),
                       QStringLiteral("Rehacer la acción deshecha"), QKeySequence::Redo);
    a.Rehacer->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), Icono("Rehacer")));
    connect(a.Rehacer, &QAction::triggered, texto, &QTextEdit::redo);
    connect(texto, &QTextEdit::undoAvailable, a.Deshacer, &QAction::setEnabled);
    connect(texto, &QTextEdit::redoAvailable, a.Rehacer, &QAction::setEnabled);
    a.Deshacer->setEnabled(texto->document()->isUndoAvailable());
    a.Rehacer->setEnabled(texto->document()->isRedoAvailable());
    a.Cortar = Accion(QStringLiteral("accCortar"), QStringLiteral("Cor&tar"),
                      QStringLiteral("Cortar la selección"), QKeySequence::Cut);
    connect(a.Cortar, &QAction::triggered, texto, &QTextEdit::cut);
    a.Copiar = Accion(QStringLiteral("accCopiar"), QStringLiteral("&Copiar"),
                      QStringLiteral("Copiar la selección"), QKeySequence::Copy);
    connect(a.Copiar, &QAction::triggered, texto, &QTextEdit::copy);
    a.Pegar = Accion(QStringLiteral("accPegar"), QStringLiteral("&Pegar"),
                     QStringLiteral("Pegar el contenido del portapapeles"), QKeySequence::Paste);
    connect(a.Pegar, &QAction::triggered, texto, &QTextEdit::paste);
    a.Buscar = Accion(QStringLiteral("accBuscar"), QStringLiteral("&Buscar..."),
                      QStringLiteral("Buscar un texto en el documento"), QKeySequence::Find);
    a.Buscar->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                       estilo->standardIcon(QStyle::SP_FileDialogContentsView)));
}

void EditorVentana::CrearAccionesCaracter(TAcciones& a) {
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
    a.Color = Accion(QStringLiteral("accColor"), QStringLiteral("C&olor del texto..."),
                     QString::fromUtf8(textos::ColorDelTexto));
    a.Color->setIcon(Icono("Color"));
    connect(a.Color, &QAction::triggered, this, &EditorVentana::ElegirColor);
}

void EditorVentana::CrearAccionesParrafo() {
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
}

void EditorVentana::CrearAccionesInsertar(TAcciones& a) {
    a.Imagen = Accion(QStringLiteral("accInsertarImagen"), QStringLiteral("&Imagen..."),
                      QStringLiteral("Insertar una imagen"));
    a.Imagen->setIcon(QIcon::fromTheme(QStringLiteral("insert-image"), Icono("InsertarImagen")));
    connect(a.Imagen, &QAction::triggered, this, &EditorVentana::InsertarImagenPreguntando);
    a.Tabla = Accion(QStringLiteral("accInsertarTabla"), QStringLiteral("&Tabla..."),
                     QStringLiteral("Insertar una tabla"));
    a.Tabla->setIcon(QIcon::fromTheme(QStringLiteral("insert-table"), Icono("InsertarTabla")));
    connect(a.Tabla, &QAction::triggered, this, &EditorVentana::InsertarTablaPreguntando);
}

void EditorVentana::CrearMenus(const TAcciones& a) {
    QMenu* menuArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    menuArchivo->setObjectName(QStringLiteral("MenuArchivo"));
    menuArchivo->addActions({a.Guardar, a.GuardarComo, a.Contrasena});
    menuArchivo->addSeparator();
    menuArchivo->addActions({a.Imprimir, a.Pdf, a.Exportar});
    menuArchivo->addSeparator();
    menuArchivo->addAction(a.Cerrar);
    QMenu* menuEdicion = menuBar()->addMenu(QStringLiteral("&Edición"));
    menuEdicion->setObjectName(QStringLiteral("MenuEdicion"));
    menuEdicion->addActions({a.Deshacer, a.Rehacer});
    menuEdicion->addSeparator();
    menuEdicion->addActions({a.Cortar, a.Copiar, a.Pegar});
    menuEdicion->addSeparator();
    menuEdicion->addAction(a.Buscar);
    QMenu* menuFormato = menuBar()->addMenu(QStringLiteral("&Formato"));
    menuFormato->setObjectName(QStringLiteral("MenuFormato"));
    menuFormato->addActions({accNegrita, accCursiva, accSubrayado, a.Color});
    menuFormato->addSeparator();
    menuFormato->addActions({accIzquierda, accCentro, accDerecha, accJustificar});
    menuFormato->addSeparator();
    menuFormato->addActions({accVinetas, accNumeracion});
    QMenu* menuInsertar = menuBar()->addMenu(QStringLiteral("&Insertar"));
    menuInsertar->setObjectName(QStringLiteral("MenuInsertar"));
    menuInsertar->addActions({a.Imagen, a.Tabla});
}

void EditorVentana::CrearBarras(const TAcciones& a) {
    QToolBar* barraArchivo = addToolBar(QStringLiteral("Archivo"));
    barraArchivo->setObjectName(QStringLiteral("BarraArchivo"));
    barraArchivo->addActions({a.Guardar, a.Imprimir, a.Pdf});
    QToolBar* barraEdicion = addToolBar(QStringLiteral("Edición"));
    barraEdicion->setObjectName(QStringLiteral("BarraEdicion"));
    barraEdicion->addActions({a.Deshacer, a.Rehacer, a.Buscar});
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
    barraFormato->addActions({accNegrita, accCursiva, accSubrayado, a.Color});
    barraFormato->addSeparator();
    barraFormato->addActions({accIzquierda, accCentro, accDerecha, accJustificar});
    barraFormato->addSeparator();
    barraFormato->addActions({accVinetas, accNumeracion, a.Imagen, a.Tabla});
    for (QToolBar* barra : {barraArchivo, barraEdicion, barraFormato})
        NombrarBotones(barra);
}

void EditorVentana::CrearBarraBuscar(QAction* accionBuscar) {
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
    NombrarBotones(barraBuscar);
    connect(campoBuscar, &QLineEdit::returnPressed, this,
            [this] { Buscar(campoBuscar->text(), true); });
    barraBuscar->hide();
    connect(accionBuscar, &QAction::triggered, this, [this] {
        barraBuscar->show();
        campoBuscar->setFocus();
        campoBuscar->selectAll();
    });
}

} // namespace brivo::word
