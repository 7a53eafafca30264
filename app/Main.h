#pragma once
// TMainForm, the program's single main window (instance MainForm). It owns
// the library tables (TAlmacen) for the whole run, shows the topic tree, the
// document grid and the exam list, and carries out every command from its
// menu, its three toolbars and the panes. The rules the commands follow
// live in the core library: the window gathers input from its panes and
// dialogs, hands it to the operations and shows their results. The document
// files and the editor belong to its TBancoDocumentos, to which the window
// lends its panes through IVistaDocumentos.
//
// Handlers are public virtual slots named after the control and the event.
// Menu items and toolbar buttons run them through the command table of
// MainAcciones.cpp, which names each handler by pointer to member and says
// whether its command changes the library: such a command is refused while
// the library is open for consultation only (PermitirCambio), so the
// handlers themselves do not ask. The panes are made in MainPaneles.cpp;
// handlers of the document bank, the tree editing and the exam list are
// defined in their own files (MainArbol.cpp, MainDocumentos.cpp,
// MainExamen.cpp, MainLibros.cpp).
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QString>

#include "Almacen.h"
#include "BancoDocumentos.h"
#include "Cerrojo.h"
#include "ContextoAyuda.h"
#include "CreacionVersiones.h"
#include "ProcesadorTextos.h"
#include "TextosComunes.h"
#include "VentanaPrincipal.h"
#include "VistaDocumentos.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMimeData;
class QPoint;
class QSplitter;
class QTableView;
class QToolButton;
class QTreeView;
class QWidget;

namespace brivo {

class TModeloArbol;

class TModeloGridPreg;
class TModeloGridExamen;

class TMainForm : public QMainWindow, public IVentanaPrincipal, public IVistaDocumentos {
    Q_OBJECT
public:
    // Help context of a menu, menu item or part of the window (the number
    // of a ContextoAyuda).
    static constexpr const char* PropiedadAyuda = "contextoAyuda";
    static constexpr const char* TituloInicial = textos::NombrePrograma;
    static constexpr const char* PrefijoTitulo = "Brivo II  Libro activo: ";
    static constexpr int LargoMaximoTitulo = 124;

    // Creation step. carpetaPrograma: folder of the data files, ending in
    // "/"; empty for the folder of the program file.
    explicit TMainForm(const QString& carpetaPrograma = QString(), QWidget* padre = nullptr);
    ~TMainForm() override;

    // IVentanaPrincipal
    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return this; }
    bool EditorAbierto() const override { return banco->EditorAbierto(); }
    void CerrarDocumento() override { banco->CerrarDocumento(); }
    void PonerTitulo() override;
    void SeleccionarPrimerNodo() override;

    // The document files, the editor and the word-processor automation
    // objects (WordApplication, WordDocument, WordDocumentAux, WordFont).
    TBancoDocumentos& Banco() { return *banco; }

    // IVistaDocumentos (the other members are those of the tree and grid below)
    int AltoVentana() const override;
    QRect Pantalla() const override;
    void PonerFilaActiva(int fila) override;
    void RepintarDocumentos() override;
    // The exam grid shows one data row per used entry.
    void ListaExamenCambiada() override;
    // The caption of the editor menu item and the hint of SBEditor follow
    // the editor ("Cerrar editor" / "Abrir editor").
    void EditorCambiado(bool abierto) override;

    // Activation step: runs once, the first time the window is shown (it is
    // queued from the first show event; calling it again does nothing).
    void FormActivate();
    bool Activado() const { return activado; }
    // Whether CargarLibreria completed. Without a complete load the closing
    // step does not write the library files, so that a failed or missing
    // load never overwrites the data on disk.
    bool LibreriaCargada() const { return libreriaCargada; }

    // Insists on an active book, then sets the caption, selects the first
    // materia and lists its documents. A library open for consultation only
    // that has no book is shown as it is.
    void AsegurarLibroActivo();

    // One writer per library. The activation step takes the library's lock
    // before loading; when another program holds it (or the folder cannot be
    // written) the user is told and the library is opened for consultation
    // only: nothing is written to it, the closing step included.
    // (MainBiblioteca.cpp)
    void TomarBiblioteca();
    bool SoloConsulta() const { return almacen.SoloConsulta; }
    // The guard of every command that changes the library: true when it may
    // go ahead; in consultation-only mode it tells the user why not and
    // gives false.
    bool PermitirCambio() { return brivo::PermitirCambio(almacen, this); }
    static constexpr const char* MensajeSoloConsulta = TextoSoloConsulta;
    // Added to the caption while the library is open for consultation only.
    static constexpr const char* MarcaSoloConsulta = textos::MarcaSoloConsulta;

    // Document grid. ListarDocumentos rebuilds ListaPreg / NumListados, the
    // column set and the grid's visibility for a node.
    void ListarDocumentos(TNodo* nodo) override;
    // Follows the grid's active cell (row 1-based) and sets DocActual.
    void GridPregActiveCellChanged(int fila, int columna);
    // The tree's selected node changed: list its documents and make row 1
    // current.
    void ArbolChange();

    // The properties dialog of the current document (nothing when there is
    // none), then the grid repainted. Run by BPropPregClick.
    void PropiedadesDocumentoActual();
    // Ends an edit in progress in the grid, keeping its value.
    void TerminarEdicionGridPreg();
    // GridPregEndDrag: a drag of the grid ended; repaints it when it ended
    // on a target.
    void GridPregEndDrag(bool enDestino);
    // ArbolDragOver: whether a drag carrying these data comes from the
    // document grid and a node lies under the point (tree viewport
    // coordinates).
    bool ArbolDragOver(const QMimeData* datos, const QPoint& punto) const;
    // ArbolDragDrop: the drop of marked documents on the node under a point.
    void ArbolDragDrop(const QPoint& punto);
    // The drop itself, without a drag: asks, gives every marked document in
    // use the node's place, clears the marks and selects the node.
    void SoltarDocumentosEnNodo(TNodo* destino);

    // Tree selection.
    TNodo* NodoSeleccionado() const override;
    // Selects a node and lists its documents (also when it was already selected).
    void SeleccionarNodo(TNodo* nodo) override;

    // Exam list (MainExamen.cpp). GridExamenRowsChanged: rows a and b
    // (1-based) of the exam grid were exchanged; their entries swap.
    void GridExamenRowsChanged(int filaA, int filaB);
    // The exam grid's active cell changed (row 1-based, every column counts):
    // the row's document becomes current and the editor follows it.
    void GridExamenActiveCellChanged(int fila, int columna);

    // Width of Panel1 (tree and document grid); the exam pane takes the rest.
    int AnchoPanel1() const;
    void PonerAnchoPanel1(int ancho);

    // The help context of a widget: its own or its nearest ancestor's, else
    // the main window's (ContextoAyuda::Indice).
    static ContextoAyuda ContextoDe(const QObject* objeto);
    // F1: opens the help at the context of the focused part.
    void AyudaContextual();

    // Office documents (MainOficina.cpp): the conversions of document files
    // that the office commands use, made afresh for each command (tests put
    // a stand-in here).
    std::function<std::unique_ptr<word::IConversionDocumentos>()> CrearConversion =
        word::CrearConversionDocumentos;

    // Models behind the views.
    TModeloArbol* ModeloArbol = nullptr;
    TModeloGridPreg* ModeloGridPreg = nullptr;
    TModeloGridExamen* ModeloGridExamen = nullptr;

    // Controls, named as their objectName.
    QWidget* Panel1 = nullptr;
    QWidget* PanelArbol = nullptr;
    QFrame* Panel5 = nullptr;
    QTreeView* Arbol = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PanelPreg = nullptr;
    QLabel* LabNoHayDocumentos = nullptr; // the caption of PanelPreg
    QFrame* Panel4 = nullptr;
    QTableView* GridPreg = nullptr;
    QSplitter* Splitter2 = nullptr;
    QWidget* PanelExamen = nullptr;
    QFrame* Panel6 = nullptr;
    QTableView* GridExamen = nullptr;

    QToolButton* SBNuevoNodo = nullptr;
    QToolButton* SBNuevoSubNodo = nullptr;
    QToolButton* SBBorraNodo = nullptr;
    QToolButton* SBEditor = nullptr;
    QToolButton* SBOpciones = nullptr;
    QToolButton* SBNuevoDoc = nullptr;
    QToolButton* SBBorraDoc = nullptr;
    QToolButton* SBVerExamen = nullptr;
    QToolButton* SBPropDoc = nullptr;
    QToolButton* SBPregsAExamen = nullptr;
    QToolButton* SBBorraPregExam = nullptr;
    QToolButton* SBCrearExamen = nullptr;

    QMenu* Libros1 = nullptr;
    QMenu* Arbol1 = nullptr;
    QMenu* Documentos1 = nullptr;
    QMenu* Examen1 = nullptr;
    QMenu* Ayuda1 = nullptr;

    QAction* Nuevolibros1 = nullptr;
    QAction* Cambiardelibroactual1 = nullptr;
    QAction* Modificarlibro1 = nullptr;
    QAction* Importarlibro1 = nullptr;
    QAction* Exportarlibro1 = nullptr;
    QAction* Eliminarlibro1 = nullptr;
    QAction* Opcionesgenerales1 = nullptr;
    QAction* Salir1 = nullptr;
    QAction* Anadirnodo1 = nullptr;
    QAction* Anadirnodohijo1 = nullptr;
    QAction* Borrarnodo1 = nullptr;
    QAction* Abrireditor1 = nullptr;
    QAction* Anadirdocumento1 = nullptr;
    QAction* Borrardocumento1 = nullptr;
    QAction* Propiedades1 = nullptr;
    QAction* Verlistadedocumentosparaexamen1 = nullptr;
    QAction* Borrardocumentodeexamen1 = nullptr;
    QAction* Trasladardocumentosmarcadosaexamen1 = nullptr;
    QAction* Crearexamen1 = nullptr;
    QAction* Seleccionautomatica1 = nullptr;
    QAction* Contenido1 = nullptr;
    QAction* Acercade1 = nullptr;
    // Office documents in and out.
    QAction* Convertirdocumentos1 = nullptr;
    QAction* Importardocumentos1 = nullptr;
    QAction* Exportardocumento1 = nullptr;
    // Questions to and from Moodle: "&Libros" (1, and Importar) and "&Examen" (2).
    QAction* ExportaraMoodle1 = nullptr;
    QAction* ImportardeMoodle1 = nullptr;
    QAction* ExportaraMoodle2 = nullptr;

public slots:
    // "&Libros"
    virtual void Nuevolibros1Click();
    virtual void Cambiardelibroactual1Click();
    virtual void Modificarlibro1Click();
    virtual void Importarlibro1Click();
    virtual void Exportarlibro1Click();
    virtual void Eliminarlibro1Click();
    virtual void BOpcionesClick();
    virtual void Salir1Click();
    // "Arbol"
    virtual void SBNuevoNodoClick();
    virtual void SBNuevoSubNodoClick();
    virtual void SBBorraNodoClick();
    // "Documentos"
    virtual void BEditarClick();
    virtual void SBNuevoDocClick();
    virtual void SBBorraDocClick();
    virtual void BPropPregClick();
    // "&Examen"
    virtual void BVerExamenClick();
    virtual void SBBorraPregExamClick();
    virtual void SBPregsAExamenClick();
    virtual void BCrearExamenClick();
    // "Selección automática…": the blueprint dialog; the choice it accepts
    // is appended to the exam list (MainExamen.cpp).
    virtual void Seleccionautomatica1Click();
    // "&Ayuda"
    virtual void ContenidoClick();
    virtual void AcercadeClick();
    // Office documents in and out (MainOficina.cpp): "Libros › Convertir
    // documentos…", "Documentos › Importar documentos…" and "Documentos ›
    // Exportar documento…".
    virtual void Convertirdocumentos1Click();
    virtual void Importardocumentos1Click();
    virtual void Exportardocumento1Click();
    // Questions to and from Moodle (MainMoodle.cpp): "&Libros › Exportar a
    // Moodle…" (the active book or the selected node), "&Libros › Importar de
    // Moodle…" (into the active book) and "&Examen › Exportar a Moodle…" (the
    // exam list).
    virtual void ExportaraMoodle1Click();
    virtual void ImportardeMoodle1Click();
    virtual void ExportaraMoodle2Click();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Cell kinds of the grid and drag and drop between grid and tree.
    void PrepararGridYArbol();
    // Wiring of the exam grid: row moves, active cell, edited descriptions.
    void PrepararGridExamen();
    // The exam grid's first row made active, without reporting a change,
    // when the grid has rows and no active cell.
    void PonerFilaActivaInicialExamen();
    // The active cell of the document grid moved by a command, without
    // reporting the change (the command makes the document current itself).
    void MoverCeldaGridPreg(int fila, int columna);
    // The panes (MainPaneles.cpp), each with its toolbar and view.
    void CrearPaneles();
    void CrearPanelArbol();
    void CrearPanelPreg();
    void CrearPanelExamen();
    // The main menu and the buttons of one toolbar, from the command table
    // (MainAcciones.cpp).
    void CrearMenu();
    void CrearBotones(QFrame* barra);

    TAlmacen almacen;
    std::unique_ptr<TBancoDocumentos> banco;
    std::unique_ptr<TCerrojoBiblioteca> cerrojo;
    bool activado = false;
    bool activacionPendiente = false;
    bool libreriaCargada = false;
    bool ignorarCambioCelda = false;
    // Versions and answer sheets of the last "Crear examen", offered again
    // by the next one (the seed is new each time).
    TOpcionesCreacion opcionesCreacion;
};

} // namespace brivo
