#pragma once
// Copy and paste of formatted text between documents of the engine.
//
// A piece of text copied from a range keeps, besides Qt's fragment, what a
// paragraph mark carries in a word processor: the format of the first copied
// paragraph and whether the range took the document's final mark with it.
// Pasting gives each paragraph the format of the mark that ends it: the pasted
// marks bring the source formats, and the text after the last pasted mark keeps
// the destination paragraph's own mark and format.
#include <optional>

#include <QMimeData>
#include <QTextBlockFormat>
#include <QTextDocumentFragment>
#include <QTextListFormat>

class QTextDocument;

namespace brivo::word {

struct FragmentoWord {
    QTextDocumentFragment fragmento;
    int largo = 0;            // characters of the fragment (paragraph marks included)
    int bloques = 1;          // paragraphs the fragment touches
    bool conFormatos = false; // formatoPrimero and the list data below are known
    QTextBlockFormat formatoPrimero;
    std::optional<QTextListFormat> listaPrimero;
    bool primeroYSegundoMismaLista = false;
    bool marcaFinal = false; // the copied range ended after the document's final mark
};

// Copies [inicio, fin) of doc; fin may be characterCount() (the final mark).
FragmentoWord CopiarRango(const QTextDocument& doc, int inicio, int fin);

// Inserts the fragment at posicion and returns the position after it.
int PegarFragmento(QTextDocument& doc, int posicion, const FragmentoWord& fragmento);

// Clipboard data of the engine: rich text produced on demand (HTML with
// embedded images, plain text) and, inside this program, the fragment itself.
class DatosPortapapeles : public QMimeData {
    Q_OBJECT
public:
    explicit DatosPortapapeles(FragmentoWord fragmento);
    const FragmentoWord& Fragmento() const { return contenido; }
    QStringList formats() const override;
    bool hasFormat(const QString& tipo) const override;

protected:
    QVariant retrieveData(const QString& tipo, QMetaType preferido) const override;

private:
    FragmentoWord contenido;
};

// Puts the fragment on the system clipboard.
void CopiarAlPortapapeles(FragmentoWord fragmento);

// What the clipboard holds, as a fragment for doc (empty when it holds nothing usable).
FragmentoWord FragmentoDelPortapapeles(QTextDocument& doc);

} // namespace brivo::word
