#pragma once
// Automation interface of the word processor. The rest of the program talks to
// the word processor only through these classes; the engine behind them (the
// embedded one of CrearMotorIncrustado, or another one later) stays hidden.
//
// Positions are character offsets in the main text of a document. Every
// paragraph, the last one included, ends with one paragraph mark, so a document
// whose text is "ab" followed by "c" as a second paragraph has the positions
// 0 'a', 1 'b', 2 mark, 3 'c', 4 final mark, and its content range is [0, 5).
//
// Every failure is thrown as brivo::ErrorBrivo with a Spanish message.
//
// Typical use by the main window:
//
//   std::unique_ptr<IAplicacionWord> WordApplication = CrearMotorIncrustado();
//   std::shared_ptr<IDocumentoWord> WordDocument, WordDocumentAux;
//   FuenteWord WordFont;
//   WordApplication->Connect();              // throws when it cannot start
//   WordFont.Connect(*WordApplication);
//   WordApplication->Window().SetTop(...);   // placement, SetVisible(true), SetCaption("Brivo II")
//   WordApplication->Activate();
//   WordDocument = WordApplication->DocumentsOpen(ruta, opciones);
//   auto rango = WordDocument->Content();
//   rango->Collapse();
//   rango->InsertAfter("\r");
//   WordDocument->Close(GuardarCambios::Guardar);
//   WordApplication->Quit();                 // closes every document without saving
//
// A document closed by the user in its window reports Abierto() false, and
// any further call on it throws.
//
// Office documents (Word 97–2003, Word 2007+, RTF, OpenDocument Text) are
// converted through LibreOffice when it is installed: DocumentsOpen turns such
// a file into the engine's own format in place (the original kept in BAK/),
// IDocumentoWord::ExportAs and IConversionDocumentos write the other formats.
#include <memory>

#include <QString>

#include "Errores.h"

namespace brivo::word {

// Window states with the numeric values that the callers use.
enum class EstadoVentana { Normal = 0, Maximizada = 1, Minimizada = 2 };

// SaveChanges of Close.
enum class GuardarCambios { NoGuardar = 0, Guardar = -1 };

// Collapse direction (the end is 0, the start 1).
enum class Direccion { Final = 0, Inicio = 1 };

// Formats a document can be exported to.
enum class FormatoExportacion { Pdf, Odt, Html, Docx, Doc };

// Where and how a document is exported, as the user chose it.
struct DestinoExportacion {
    QString Ruta;
    FormatoExportacion Formato = FormatoExportacion::Pdf;
    QString Clave; // protects Word output (empty: none)
};

// The failure of every operation that needs LibreOffice where it is not
// installed; nothing has been changed when it is thrown.
inline QString MensajeSinConversor() {
    return QStringLiteral("Para abrir o guardar documentos de Word u OpenDocument hace falta "
                          "LibreOffice (paquete libreoffice-writer-nogui).");
}

class ErrorSinConversor : public ErrorBrivo {
public:
    ErrorSinConversor() : ErrorBrivo(MensajeSinConversor()) {}
};

// Built-in document properties, by their numbers.
enum PropiedadDocumento : int {
    PropTitulo = 1,
    PropAsunto = 2,
    PropAutor = 3,
    PropComentarios = 5,
    PropCategoria = 18,
    PropCompania = 21,
};

// A window: the application window or the window of one document.
class IVentanaWord {
public:
    virtual ~IVentanaWord() = default;
    virtual EstadoVentana WindowState() const = 0;
    virtual void SetWindowState(EstadoVentana estado) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetLeft(int valor) = 0;
    virtual void SetTop(int valor) = 0;
    virtual void SetWidth(int valor) = 0;
    virtual void SetHeight(int valor) = 0;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& texto) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// A range of the main text of a document: [Start, End).
class IRangoWord {
public:
    virtual ~IRangoWord() = default;
    virtual int Start() const = 0;
    virtual int End() const = 0;
    virtual void SetRange(int inicio, int fin) = 0;
    // Collapse(Final) leaves an empty range at the end; a range that ends after
    // the final paragraph mark collapses to just before that mark.
    virtual void Collapse(Direccion direccion = Direccion::Final) = 0;
    // Inserts text at the end of the range, which grows over it; "\r" is a
    // paragraph break.
    virtual void InsertAfter(const QString& texto) = 0;
    // Formatted text through the system clipboard. Paste replaces the range.
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    // Find.Execute with every match option off, no wrap and no replacement:
    // a case-insensitive plain search inside the range, forwards or backwards.
    // "^p" matches a paragraph mark and "^$" any letter. On success the range
    // becomes the match. The result is what Found reports afterwards.
    virtual bool FindExecute(const QString& texto, bool adelante = true) = 0;
    virtual bool Found() const = 0;
    // The formatted text of the range as an HTML document of its own, its
    // images embedded as data: URIs, for programs that take HTML (question
    // banks, web pages). An engine that cannot give it throws ErrorBrivo.
    virtual QString Html();
    // Replaces the range with the formatted text of an HTML document, which
    // the range covers afterwards. Its paragraphs go in as paragraphs: put at
    // the start of a paragraph that has text, the last one keeps its mark;
    // anywhere else the last one joins the text that follows. Only images
    // embedded as data: URIs are taken; names of files or of the network are
    // never followed. A document beyond the engine's limits (size, nesting)
    // throws ErrorBrivo and changes nothing.
    virtual void InsertarHtml(const QString& html);
};

inline QString IRangoWord::Html() {
    throw ErrorBrivo(QStringLiteral("El procesador de textos no puede dar el texto como HTML."));
}

inline void IRangoWord::InsertarHtml(const QString&) {
    throw ErrorBrivo(QStringLiteral("El procesador de textos no puede insertar texto HTML."));
}

// Arguments of Documents.Open. The four passwords are the open and write
// passwords of the document and of its template.
struct OpcionesApertura {
    bool ConfirmConversions = true;
    // The file is never written: it cannot be saved under its own name, and
    // an office document is read through the converter without being
    // converted in place.
    bool ReadOnly = false;
    bool AddToRecentFiles = true;
    QString PasswordDocument;
    QString PasswordTemplate;
    QString WritePasswordDocument;
    QString WritePasswordTemplate;
    bool Revert = false;
    int Format = 0; // 0: detected from the file
};

// One open document.
class IDocumentoWord {
public:
    virtual ~IDocumentoWord() = default;
    virtual QString FullName() const = 0;
    virtual IVentanaWord& Window() = 0;
    // True when nothing is left unsaved.
    virtual bool Saved() const = 0;
    // Password for the next save (empty: none).
    virtual void SetPassword(const QString& clave) = 0;
    // "BuiltInDocumentProperties"(numero)."Value".
    virtual QString BuiltInDocumentProperty(int numero) const = 0;
    virtual void SetBuiltInDocumentProperty(int numero, const QString& valor) = 0;
    virtual void Close(GuardarCambios guardar) = 0;
    // Saves under ruta (encrypted when clave is not empty); ruta becomes FullName.
    virtual void SaveAs(const QString& ruta, const QString& clave) = 0;
    // Range over the whole main text.
    virtual std::unique_ptr<IRangoWord> Content() = 0;
    // Writes the document as it is now (unsaved changes included) under ruta
    // in another format; clave protects Word files (empty: none). The
    // document keeps its own file. Throws ErrorBrivo (ErrorSinConversor for
    // Word formats without LibreOffice); ruta is never left half-written.
    virtual void ExportAs(const QString& ruta, FormatoExportacion formato,
                          const QString& clave = {}) = 0;
    // False once the document has been closed (by a call or by the user).
    virtual bool Abierto() const = 0;
};

// The word processor.
class IAplicacionWord {
public:
    virtual ~IAplicacionWord() = default;
    // Connect reaches the word processor; failures are exceptions.
    virtual void Connect() = 0;
    virtual void Disconnect() = 0;
    virtual bool Conectado() const = 0;
    // The application window (placement, Visible, Caption). Its placement is
    // kept and given to document windows that have none of their own.
    virtual IVentanaWord& Window() = 0;
    // The last call of the placement: brings the active document to the front.
    virtual void Activate() = 0;
    virtual QString Version() const = 0;
    virtual int DocumentsCount() const = 0;
    // Opens a file; the opened document becomes the active document.
    virtual std::shared_ptr<IDocumentoWord> DocumentsOpen(const QString& ruta,
                                                          const OpcionesApertura& opciones) = 0;
    // The active document (null when none is open).
    virtual std::shared_ptr<IDocumentoWord> ActiveDocument() const = 0;
    // Closes every document (saving or not) and disconnects.
    virtual void Quit(GuardarCambios guardar = GuardarCambios::NoGuardar) = 0;
};

// The font object of the automation set. It only keeps its connection.
class FuenteWord {
public:
    void Connect(IAplicacionWord& aplicacion) { conectada = &aplicacion; }
    void Disconnect() { conectada = nullptr; }
    bool Conectado() const { return conectada != nullptr; }

private:
    IAplicacionWord* conectada = nullptr;
};

// The embedded engine (rich-text documents, editor windows). Needs a running
// QApplication; Connect fails without one.
std::unique_ptr<IAplicacionWord> CrearMotorIncrustado();

// What ConvertirAlFormatoPropio did with a file.
struct ResultadoConversionArchivo {
    bool Convertido = false; // false: the file was not an office document
    // The office format it had: "Word 97-2003", "Word 2007", "RTF", "OpenDocument".
    QString Formato;
    QString Copia; // where its original was kept
};

// Conversions of document files without opening them, for batch work (needs
// a QGuiApplication, not a QApplication). Failures are exceptions: ErrorSinConversor
// when LibreOffice is missing, ErrorBrivo with the reason otherwise; in both
// cases the files are left as they were.
class IConversionDocumentos {
public:
    virtual ~IConversionDocumentos() = default;
    // Whether the file is an office document, which the engine converts before opening it.
    virtual bool NecesitaConversion(const QString& ruta) const = 0;
    // Turns an office document into the engine's own format in place: the
    // original is copied to the BAK folder first (Docs/<carpeta>/K…doc keeps
    // it in BAK/<carpeta>/ under the program folder, any other file in BAK/
    // beside it) under a name that never replaces another file, then the
    // converted file takes its place at once. A file that asks for a password
    // is opened with clave and converted encrypted with it. A file the engine
    // opens as it is (its own format, HTML, text) is left alone (Convertido
    // false); a compound file or zip that holds no text document throws.
    virtual ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta,
                                                                const QString& clave) = 0;
    // Writes the document file origen (any kind the engine reads, office
    // documents opened with clave) as a new file of the engine's own at
    // destino (its folder made when missing), protected with claveDestino
    // when it is not empty; the properties of origen go with it. origen is
    // never changed.
    virtual void ImportarArchivo(const QString& origen, const QString& clave,
                                 const QString& destino, const QString& claveDestino) = 0;
    // Writes the document file ruta (opened with clave) as salida in the given
    // format; claveSalida protects Word output. ruta itself is never changed
    // and salida must be another file.
    virtual void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                                 FormatoExportacion formato, const QString& claveSalida = {}) = 0;
};

// The conversions with the program's shared office converter.
std::unique_ptr<IConversionDocumentos> CrearConversionDocumentos();

} // namespace brivo::word
