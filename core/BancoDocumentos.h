#pragma once
// The document bank's files and the editor: the automation objects of the
// word processor and the life of every document's file in it. A document is
// a record of the library plus one file, Docs/<book folder>/K + six digits +
// ".doc" (RutaDocumento); this class creates the records, connects and
// quits the editor, opens, saves and closes the files with their book's
// password rule, and moves the editor along as the current document changes.
// The main window owns one and wires its panes to it through
// IVistaDocumentos; the tests drive it with any engine behind the
// automation interface.
//
//   TBancoDocumentos banco(almacen, vista, word::CrearMotorIncrustado());
//   banco.PonerEditorAbierto(true);
//   if (banco.IniciarEditor())            // "Word puede no estar instalado" otherwise
//       banco.CambiarDocumento(anterior); // the editor follows DocActual
//
// Word-processor failures are thrown as ErrorBrivo to the caller.
#include <cstdint>
#include <memory>

#include <QString>

#include "ProcesadorTextos.h"

class QWidget;

namespace brivo {

class IVistaDocumentos;
class TAlmacen;
struct TNodo;

// The text of the read-only guard, and the guard of every command that
// changes the library: true when it may go ahead; in consultation-only mode
// it tells the user why not and gives false.
inline constexpr const char* TextoSoloConsulta =
    "La biblioteca está abierta sólo para consulta: esta orden la modificaría y no se "
    "puede usar.";
bool PermitirCambio(const TAlmacen& almacen, QWidget* padre);

// The number of origin of a new document of book idLibro that takes slot
// numero: 0 (it goes by its own number) unless another document of the book
// already goes by that number, after an import renumbered it; then the first
// number above the slots that no document of the book goes by, so that a
// book never has two documents known by one number.
std::int16_t OrigenDeDocumentoNuevo(const TAlmacen& almacen, std::int32_t idLibro, int numero);

class TBancoDocumentos {
public:
    // Numbers that AbrirDocumento takes for the two model files.
    static constexpr int ArchivoModeloPreguntas = -11; // "nuevodoc.doc"
    static constexpr int ArchivoModeloExamenes = -22;  // "nuevoexamen.doc"

    // Takes the engine and connects it (a failure is thrown: the program
    // cannot start without its word processor).
    TBancoDocumentos(TAlmacen& almacen, IVistaDocumentos& vista,
                     std::unique_ptr<word::IAplicacionWord> motor);

    TAlmacen& Almacen() { return almacen; }
    IVistaDocumentos& Vista() { return vista; }

    // Word-processor automation objects. WordDocument is the document shown
    // in the editor, WordDocumentAux a document read hidden (exam assembly).
    std::unique_ptr<word::IAplicacionWord> WordApplication;
    std::shared_ptr<word::IDocumentoWord> WordDocument;
    std::shared_ptr<word::IDocumentoWord> WordDocumentAux;
    word::FuenteWord WordFont;
    double VersionEditor = 0.0; // read when the editor connects
    bool CreandoExamen = false; // while exam assembly moves the tree selection

    bool EditorAbierto() const { return editorAbierto; }
    // Also switches the editor command's caption (IVistaDocumentos::EditorCambiado).
    void PonerEditorAbierto(bool abierto);
    // The number of documents the word processor has open (0 while it is
    // not connected).
    int DocumentosAbiertos() const;

    // Takes the first free slot, fills a new record at that place with its
    // defaults (the active book's, today's date, "DOC" + VersionEditor, a
    // description by the place) and makes it DocActual (DocAnterior keeps
    // the old one). No file is created. Result: the new number, 0 when
    // every slot is in use.
    int CrearDocumento(int materia, int tema, int contenido);
    // Before a new record takes slot k of the active book: a file already
    // at that slot's path, which no record names, is moved into BAK/ under a
    // name that overwrites nothing, and the user is told where it went.
    // False (with an error shown) when the file could not be moved: the
    // record must not be created then.
    bool ApartarArchivoDePlaza(int k);

    // Connects the word processor and places its window; reads VersionEditor.
    // On failure shows "Word puede no estar instalado" and returns false.
    bool IniciarEditor();
    // Quits the word processor without saving and disconnects (a failure
    // while quitting is shown, and the connection is dropped anyway).
    void CerrarEditor();
    // Opens document k's file (or a model file for -11 / -22) in the editor,
    // visible and placed, or minimised. False when nothing was opened.
    bool AbrirDocumento(int numero, bool visible);
    // Whether the selected node asks for the exam model ("Modelos de
    // examen" or "Exámenes").
    bool NodoPideModeloExamen() const;
    // Opens the model that the selected node calls for: the model document
    // first, the model file second. False when neither opened.
    bool AbrirModeloDelNodo(bool visible);
    // Saves the editor's active document under a path with the password rule
    // of DocActual's book.
    void GuardarDocumentoComo(const QString& ruta);
    // Stamps the current document's properties and closes it in the editor,
    // keeping its changes when its book allows them. Only the document the
    // editor shows for DocActual is closed.
    void CerrarDocumento();
    // Moves the editor from document anterior to DocActual: the previous
    // document is closed, the current one opened, or created from the model
    // when it has no file yet.
    void CambiarDocumento(int anterior);
    // Exam assembly: opens document k's file hidden, with the password of
    // the current document's book, into WordDocumentAux. False when the
    // editor is closed or no book has the current document's IdLibro; a file
    // that cannot be read throws the word processor's error.
    bool AbrirDocumentoOculto(int k);
    // Closes WordDocumentAux discarding its changes.
    void CerrarDocumentoOculto();

    // Commands. A grid row (or an exam entry) became active: DocAnterior :=
    // DocActual, DocActual := documento, and the editor follows it when open.
    void SeguirDocumento(int documento);
    // "Abrir editor" once DocActual follows the grid: the editor connects
    // and shows the current document, made from the model when it has no
    // file yet. The editor counts as open even when it cannot connect.
    void AbrirEditor();
    // "Cerrar editor": the current document is closed by its book's rules,
    // the word processor quits and no document is current.
    void CerrarEditorConDocumento();
    // "Añadir documento" on a node: the active book must allow it (else the
    // three-line notice); a leftover file in the new slot's place is moved
    // aside; the record is created, the node listed again and the editor
    // follows. False when nothing was created.
    bool AnadirDocumento(TNodo* nodo);
    // Whether documents can be added to the active book now: the library is
    // not open for consultation only and the book allows more documents
    // (else the three-line notice). Leaves the book in LibroConsultado.
    bool PuedeAnadirDocumentos();
    // "Borrar documento": the current document is closed, its file deleted
    // and its record cleared; it leaves the exam list. False when there is
    // no current document.
    bool BorrarDocumentoActual();

private:
    // A word-processor window placed below the main window.
    void ColocarBajoLaVentana(word::IVentanaWord& ventana) const;

    TAlmacen& almacen;
    IVistaDocumentos& vista;
    bool editorAbierto = false;
};

} // namespace brivo
