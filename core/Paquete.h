#pragma once
// Book packages: one zip archive holding a book's record (Libros.lst), its
// documents' records (Docs.lst), the whole topic tree (Arbol.tvw) and the
// book's document files, with the book's folder name as the archive comment
// and an optional password. This unit holds the export and the import; the
// export and import dialogs only gather their input and show the result.
#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

#include "ProcesadorTextos.h"
#include "ZipComun.h"

class QWidget;

namespace brivo {

class IVentanaPrincipal;
class TAlmacen;
class TArbol;
struct TLibro;
struct TNodo;

namespace paquete {

// Texts shown by the export and the import.
inline const QString NoHayNombre = QStringLiteral("No hay nombre de archivo");
inline const QString ClaveErronea = QStringLiteral("Clave errónea. Se interrumpe el proceso.");
inline const QString ErrorDescomprimir =
    QStringLiteral("Error al descomprimir. Se interrumpe el proceso.");
inline const QString IdentificadorIncorrecto =
    QStringLiteral("El paquete no es válido: identificador de libro incorrecto.");

// Package entries.
inline const QString Libros = QStringLiteral("Libros.lst");
inline const QString Docs = QStringLiteral("Docs.lst");
inline const QString Arbol = QStringLiteral("Arbol.tvw");
// The numbers of origin of the book's renumbered documents (see Listas.h);
// only in packages of books that have such documents.
inline const QString Origenes = QStringLiteral("Origenes.lst");

// Longest folder name a book record can hold.
constexpr int LargoMaximoCarpeta = 100;

// Largest total of the three lists of a package once extracted: a book
// record, at most 500 document records and a topic tree of up to
// TArbol::MaxNodosArchivo nodes fit many times over.
constexpr qint64 LimiteListas = 32LL * 1024 * 1024;

} // namespace paquete

// Folders inside CarpetaPrograma, with their trailing "/".
QString CarpetaTemp(const TAlmacen& almacen);
QString CarpetaBak(const TAlmacen& almacen);
// Filter of the "Explorar" file dialogs.
QString FiltroPaquetes();

// Progress handlers handed to the zip components.
struct TProgreso {
    TStatusCallback Mayor;
    TStatusCallback Menor;
};

// ---------------------------------------------------------------------------
// Export

// The default archive of a book: CarpetaPrograma + "BAK/" + the title with
// every blank (and every "/", which would name a folder) turned into "_",
// without extension.
QString ArchivoExportacionPredeterminado(const TAlmacen& almacen, const TLibro& libro);

// The archive a typed name makes the export write: a name without a folder
// is taken in the program's folder, and ".zip" is added to a name without
// extension.
QString ArchivoDeExportacion(const TAlmacen& almacen, const QString& tecleado);

// The three permissions the export dialog lets the user set for the package.
struct TOpcionesPaquete {
    bool ClaveEnDoc = true;
    bool PermitirCambiosEnDoc = true;
    bool PermitirMasDoc = true;
};

// Writes the package lists into Temp (created with its parents): Libros.lst
// with the book record as held in memory (plain identifier) and the three
// flags put into its copy, Docs.lst with every used document of the book in
// slot order, the whole topic tree as Arbol.tvw, and Origenes.lst with the
// numbers of origin of the book's renumbered documents (removed from Temp
// when the book has none). Throws ErrorBrivo.
void PrepararPaquete(const TAlmacen& almacen, std::int32_t identificador,
                     const TOpcionesPaquete& opciones);

// The zip item list of a book's package: every file of Temp, every file of
// the book's folder, then every file of carpetaWord (when given: the Word
// copies of the documents, which take the place of the files of the same
// name), and the three lists once more so that a file of the same name in
// the book's folder can never stand in for them.
QString ListaDeElementos(const TAlmacen& almacen, const TLibro& libro,
                         const QString& carpetaWord = {});

struct TResultadoExportacion {
    bool Correcto = false;
    int Codigo = ZipCorrecto; // result of the zip writer
    QString Archivo;          // archive written (with ".zip" when added)
    QString Mensaje;          // why it failed ("" after success)
};

// Prepares the lists and writes the package of the book with that
// identifier into archivo, encrypted with clave when it is not empty. A new
// archive replaces an older one of the same name; a failed write leaves no
// archive behind (an older one stays as it was). Throws ErrorBrivo when the
// lists cannot be written.
// With documentosWord, the book's documents go into the package as Word
// 97–2003 files written by it (see PaqueteWord.h); a document that cannot be
// converted stops the export before any archive is written (Mensaje names
// it and the reason; without LibreOffice it is word::MensajeSinConversor).
TResultadoExportacion ExportarPaquete(const TAlmacen& almacen, std::int32_t identificador,
                                      const TOpcionesPaquete& opciones, const QString& archivo,
                                      const QString& clave, const TProgreso& progreso = {},
                                      word::IConversionDocumentos* documentosWord = nullptr);

// ---------------------------------------------------------------------------
// Import

// Adds a node to the main tree: the main window passes its tree model's
// method, so that the tree view shows the node at once.
using TAnadirNodo =
    std::function<TNodo*(TNodo* padre, const QString& texto, const QString& identificador)>;

struct TOpcionesImportacion {
    TProgreso Progreso;
    qint64 LimiteDescomprimido = LimiteDescomprimidoPredeterminado;
    TAnadirNodo AnadirNodo;      // unset: straight into the library's tree
    TArbol* ArbolTemp = nullptr; // where the package's tree is loaded (unset: a local one)
};

enum class TFinImportacion {
    Completa,
    SinNombre,             // empty file name
    NoLegible,             // missing file, or not a readable zip archive
    NoEsPaquete,           // no comment or no valid book record
    IdentificadorNoValido, // the book record's identifier is outside 1..999999
    CarpetaNoValida,       // the comment is not a plain folder name
    TablaLibrosLlena,      // all 100 book slots are used
    ClaveErronea,          // reader result 41
    ErrorDescomprimir,     // any other extraction failure
};

struct TResultadoImportacion {
    TFinImportacion Fin = TFinImportacion::Completa;
    int SlotLibro = 0;
    bool LibroReemplazado = false;
    QString CarpetaPaquete;       // folder named by the package
    QString CarpetaUsada;         // folder the book's files went into (its Carpeta)
    bool CarpetaCambiada = false; // a replaced book's files moved to another folder
    int DocumentosAnadidos = 0;
    int DocumentosOmitidos = 0;    // already listed (same book and number of origin)
    int DocumentosRenumerados = 0; // their number's slot was taken
    int DocumentosSinSitio = 0;    // no free document slot left
    int DocumentosAjenos = 0;      // not of the package's book, or number outside 1..500
    int ArchivosNoColocados = 0;   // files that could not be put in the book's folder
    int NodosAnadidos = 0;
    int NodosSinSitio = 0; // their parent could not be placed
    QStringList Avisos;    // lines of the closing note (empty: nothing to tell)
};

// A comment that may name a book folder inside Docs: not empty after
// trimming, no "/" or "\", not "." or "..", no control character, and at
// most 100 characters as stored.
bool CarpetaDePaqueteValida(const QString& comentario);

// A folder name for a book that belongs to no other book and does not exist
// in Docs yet: carpeta + "_2", "_3", ... cut to fit the record.
QString CarpetaDerivada(const TAlmacen& almacen, const QString& carpeta);

// Reads the first record of a package's Libros.lst. False when the file is
// missing or shorter than one record (libro is then left as it was), or when
// the record's identifier lies outside 1..999999 (libro then holds it: an
// identifier 0 is no book at all, any other a damaged or foreign record).
bool LeerLibroDePaquete(const QString& ruta, TLibro& libro);

// Merges a package tree into the main tree, walking the package in
// depth-first order, each node before its children: a top-level node is
// present when a top-level node of the main tree has its identifier, any
// other node when the node its parent matched (or was added as) has a child
// with its identifier; present nodes are skipped. A missing node becomes the
// last top-level node, or the last child of that node, taking the package
// node's caption and identifier; captions are never compared. When adding
// fails (anadir gives nullptr) the node is left out with its whole subtree.
// Returns the nodes added; sinSitio counts those left out.
int IncorporarArbol(TArbol& principal, const TArbol& delPaquete, const TAnadirNodo& anadir,
                    int* sinSitio = nullptr);

// An extracted package: its folder name (the comment), the folder holding
// the extracted lists and the folder holding the other extracted files.
struct TPaqueteExtraido {
    QString Carpeta;
    QString CarpetaListas;
    QString CarpetaArchivos;
};

// The merge (TIncorporacionPaquete, IncorporacionPaquete.h): the book record
// replaces the book with its identifier or takes the first free slot,
// keeping the folder it is given here (the package's, or one derived from it
// when another book owns that name); the documents not yet listed are added
// and the files moved into the book's folder (a document is known by its
// number of origin, so importing a package again, or an updated one, adds
// only what is new, however often its documents were renumbered); the tree
// nodes are merged. Stops with TablaLibrosLlena when every book slot is
// used, with NoEsPaquete when Libros.lst holds no book and with
// IdentificadorNoValido when its identifier lies outside 1..999999. Runs
// CerrarDocumento first when the editor is open.
TResultadoImportacion IncorporarPaquete(IVentanaPrincipal& ventana, const TPaqueteExtraido& paquete,
                                        const TOpcionesImportacion& opciones = {});

// The whole import of an archive, with its messages (through the ui seam,
// parented to padre): closes the document in the editor, reads the comment,
// checks it and the book table, extracts the lists and the files into a
// staging folder inside Temp, merges them, and tells what went wrong or what
// the user must know. The busy cursor is shown throughout.
TResultadoImportacion ImportarPaquete(IVentanaPrincipal& ventana, const QString& archivo,
                                      const QString& clave, const TOpcionesImportacion& opciones,
                                      QWidget* padre);

} // namespace brivo
