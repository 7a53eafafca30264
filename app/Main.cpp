#include "Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

#include "AcercaDe.h"
#include "Carpetas.h"
#include "DialogosEditor.h"
#include "Errores.h"
#include "Iconos.h"
#include "Interaccion.h"
#include "ListaLibros.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "PropLibro.h"
#include "TextosComunes.h"

namespace brivo {

namespace {} // namespace

TMainForm::TMainForm(const QString& carpetaPrograma, QWidget* padre) : QMainWindow(padre) {
    // Creation step: the tables start empty, nothing is read from disk.
    QString carpeta =
        carpetaPrograma.isEmpty() ? QCoreApplication::applicationDirPath() : carpetaPrograma;
    if (!carpeta.endsWith(QLatin1Char('/')))
        carpeta += QLatin1Char('/');
    almacen.CarpetaPrograma = carpeta;
    almacen.LibroActivo = 0;
    almacen.DocActual = 0;
    almacen.NumListados = 0;
    // The automation objects connect with the window (a failure ends the start).
    // The editor's questions go through the program's dialog seam.
    dialogos::InstalarDialogosEditor();
    banco = std::make_unique<TBancoDocumentos>(almacen, *this, word::CrearMotorIncrustado());
    // The tree built into the window, kept when no tree file can be read.
    if (almacen.Arbol.Vacio())
        almacen.Arbol.CargarInicial();

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QLatin1String(TituloInicial));
    setWindowIcon(iconos::Programa());
    setAccessibleName(QString::fromUtf8(textos::NombrePrograma));
    setProperty(PropiedadAyuda, Numero(ContextoAyuda::Indice));
    resize(797, 211);

    CrearPaneles();
    CrearMenu();
}

TMainForm::~TMainForm() = default;

// ---------------------------------------------------------------------------
// Start-up

void TMainForm::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!activado && !activacionPendiente) {
        // The show event comes before the window is mapped: placing it now
        // along the top of the screen keeps a window manager from choosing
        // another place (the frame is not known yet; the activation step
        // corrects the size for it).
        if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
            const QRect zona = pantalla->availableGeometry();
            resize(zona.width(), 200);
            move(zona.topLeft());
        }
        // The activation step runs from the event loop, once the window is
        // on screen, so that its dialogs have a visible owner.
        activacionPendiente = true;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TMainForm::FormActivate() {
    if (activado)
        return;
    activado = true;

    // The window lies along the top of the screen at full width, 200 pixels
    // high, with the exam pane hidden behind Panel1.
    if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect zona = pantalla->availableGeometry();
        const QMargins marco = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        resize(zona.width() - marco.left() - marco.right(), 200 - marco.top() - marco.bottom());
        move(zona.topLeft());
    }
    PonerAnchoPanel1(frameGeometry().width() - 10);

    // The lock comes before the files are read, so that what is read is
    // what the writer last saved.
    TomarBiblioteca();
    ModeloArbol->EmpezarCambioTotal();
    try {
        almacen.CargarLibreria();
    } catch (const ErrorBrivo& e) {
        ModeloArbol->TerminarCambioTotal();
        ModeloGridExamen->Repintar();
        ui::Error(this, e.Mensaje());
        return;
    }
    ModeloArbol->TerminarCambioTotal();
    ModeloGridExamen->Repintar();
    libreriaCargada = true;

    AsegurarLibroActivo();
    // An editor left open is started again (at start-up it is closed).
    if (banco->EditorAbierto())
        banco->IniciarEditor();
}

void TMainForm::AsegurarLibroActivo() {
    while (!almacen.LibroActivoValido()) {
        if (SoloConsulta() && !almacen.HayLibros()) {
            // No book can be made in a library that may not be changed.
            ui::Informacion(this, QStringLiteral("La biblioteca no tiene ningún libro y está "
                                                 "abierta sólo para consulta."));
            break;
        }
        if (almacen.HayLibros()) {
            Cambiardelibroactual1Click();
        } else {
            ui::Informacion(this, QStringLiteral("No queda ningún libro. Debe crear uno para "
                                                 "seguir trabajando."));
            Nuevolibros1Click();
        }
    }
    PonerTitulo();

    // The first materia (a top-level node with an identifier above 1), else
    // the first top-level node.
    TNodo* primero = nullptr;
    for (const auto& raiz : almacen.Arbol.Raices()) {
        if (raiz->Id() > 1) {
            primero = raiz.get();
            break;
        }
    }
    if (!primero && !almacen.Arbol.Raices().empty())
        primero = almacen.Arbol.Raices().front().get();
    SeleccionarNodo(primero);
}

void TMainForm::PonerTitulo() {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (!libro)
        return; // no book to name: the caption stays as it is
    const QString titulo = QLatin1String(PrefijoTitulo) + libro->Titulo.Texto();
    setWindowTitle(titulo.left(LargoMaximoTitulo) +
                   (SoloConsulta() ? QString::fromUtf8(MarcaSoloConsulta) : QString()));
    // A screen reader names the window by its title, and so the active book.
    setAccessibleName(windowTitle());
}

// ---------------------------------------------------------------------------
// Panes

int TMainForm::AnchoPanel1() const {
    return Panel1->width();
}

void TMainForm::PonerAnchoPanel1(int ancho) {
    const int total = std::max(Splitter2->width(), ancho + Splitter2->handleWidth());
    Splitter2->setSizes({ancho, std::max(0, total - ancho - Splitter2->handleWidth())});
}

// ---------------------------------------------------------------------------
// Closing

void TMainForm::closeEvent(QCloseEvent* evento) {
    try {
        CerrarDocumento();
    } catch (const ErrorBrivo& e) {
        // The editor could not close the document: nothing is saved and the
        // window stays open.
        ui::Error(this, e.Mensaje());
        evento->ignore();
        return;
    }
    // The word processor quits only when it has no documents open; a
    // failure while quitting is shown and the closing goes on.
    try {
        if (banco->DocumentosAbiertos() == 0)
            banco->CerrarEditor();
    } catch (const ErrorBrivo& e) {
        ui::Error(this, e.Mensaje());
        banco->CerrarEditor();
    }
    if (libreriaCargada && !SoloConsulta()) {
        try {
            almacen.GuardarLibreria();
        } catch (const ErrorBrivo& e) {
            // The tables are untouched by a failed save: the user can try again.
            ui::Error(this, e.Mensaje());
            evento->ignore();
            return;
        }
    }
    evento->accept();
    // The next program may take the library as soon as this one is done with it.
    if (cerrojo)
        cerrojo->Soltar();
}

// ---------------------------------------------------------------------------
// Help

ContextoAyuda TMainForm::ContextoDe(const QObject* objeto) {
    for (const QObject* o = objeto; o; o = o->parent()) {
        const QVariant v = o->property(PropiedadAyuda);
        if (v.isValid() && v.toInt() > 0)
            return static_cast<ContextoAyuda>(v.toInt());
    }
    return ContextoAyuda::Indice;
}

void TMainForm::AyudaContextual() {
    // The window's focus child: the part the user works in, also while
    // another window of the program is active.
    QWidget* foco = focusWidget();
    if (!foco)
        foco = this;
    ui::MostrarAyuda(this, ContextoDe(foco));
}

void TMainForm::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1 && evento->modifiers() == Qt::NoModifier) {
        AyudaContextual();
        evento->accept();
        return;
    }
    QMainWindow::keyPressEvent(evento);
}

bool TMainForm::eventFilter(QObject* objeto, QEvent* evento) {
    // F1 in an open menu: the context of the highlighted item, else the menu's.
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_F1) {
            if (auto* menu = qobject_cast<QMenu*>(objeto)) {
                const ContextoAyuda contexto =
                    menu->activeAction() ? ContextoDe(menu->activeAction()) : ContextoDe(menu);
                menu->close();
                ui::MostrarAyuda(this, contexto);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

// ---------------------------------------------------------------------------
// Commands of the "&Ayuda" menu

void TMainForm::ContenidoClick() {
    ui::MostrarAyuda(this, ContextoAyuda::Indice);
}

void TMainForm::AcercadeClick() {
    MostrarAcercaDe(this, carpetas::Visible(almacen.CarpetaPrograma), SoloConsulta());
}

} // namespace brivo
