#pragma once
// The HTML that goes into a question bank, written from Qt's rich text: the
// structure of the text (paragraphs and their alignment, headings, lists,
// tables) and the marks of its characters (bold, italics, underline,
// strike-through, super- and subscript, links), and nothing of fonts, sizes
// or colours, which Moodle's own styles decide. Any HTML read into a
// TDocumentoCerrado and written out again this way holds no scripts, styles
// or names of files: it serves both ways, out of the program's documents and
// into them.
//
// A question of type "Test" is told apart by its last paragraphs: options
// "a) …", "b) …" (or an alphabetic list), which BuscarOpciones finds.
#include <functional>
#include <vector>

#include <QString>
#include <QTextBlock>
#include <QTextDocument>

class QTextTable;

namespace brivo::moodle {

// A rich-text document that loads nothing: the images and style sheets an
// HTML text names are never fetched, whatever they name (a file of the
// computer, a device, the network).
class TDocumentoCerrado : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int tipo, const QUrl& nombre) override;
};

// One element of the main text: a paragraph or a table.
struct TElementoTexto {
    QTextBlock Bloque;
    QTextTable* Tabla = nullptr;
};

// The elements of the document's main text, in order, without the empty
// paragraphs (no text, no image) at its start and at its end.
std::vector<TElementoTexto> ElementosDe(const QTextDocument& doc);

// A paragraph without text (blanks aside) and without images.
bool ParrafoVacio(const QTextBlock& bloque);

// What the HTML names an image of the given name with; empty leaves it out.
using TFuenteImagen = std::function<QString(const QString& nombre)>;

// HTML of the elements [desde, hasta), without the empty paragraphs at the
// ends of that stretch.
QString HtmlDeElementos(const std::vector<TElementoTexto>& elementos, size_t desde, size_t hasta,
                        const TFuenteImagen& imagen);

// The marked text of a paragraph from its character desde on, without the
// paragraph's own element and the blanks at its ends; the line breaks
// inside it as <br />.
QString HtmlEnLinea(const QTextBlock& bloque, int desde, const TFuenteImagen& imagen);

// Options at the end of a question.
struct TOpcionesPregunta {
    std::vector<size_t> Elementos; // element of option a, b, c...
    std::vector<int> Prefijo;      // characters of its "a) " to leave out
};

// Finds the options a question ends with: paragraphs whose text begins with
// a letter a–z (either case) followed by ")" or "." ("a) Madrid", "B. 12"),
// or items of a list lettered a, b, c; empty paragraphs between them are
// passed over. The options are the last run of such paragraphs lettered a,
// b, c… in order, at least two, each with a text, after a statement. When
// there are none, motivo says why (in Spanish, starting in lower case).
bool BuscarOpciones(const std::vector<TElementoTexto>& elementos, TOpcionesPregunta& opciones,
                    QString& motivo);

} // namespace brivo::moodle
