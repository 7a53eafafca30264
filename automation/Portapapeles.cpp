#include "Portapapeles.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "ArchivoDocumento.h"

namespace brivo::word {

namespace {

QTextBlockFormat SinLista(QTextBlockFormat formato) {
    formato.clearProperty(QTextFormat::ObjectIndex);
    return formato;
}

bool EnTabla(const QTextBlock& bloque) {
    QTextCursor cursor(bloque);
    return cursor.currentTable() != nullptr;
}

} // namespace

FragmentoWord CopiarRango(const QTextDocument& doc, int inicio, int fin) {
    FragmentoWord f;
    const int ultimo = doc.characterCount() - 1; // position of the final mark
    inicio = std::clamp(inicio, 0, ultimo);
    f.marcaFinal = fin > ultimo;
    fin = std::clamp(fin, inicio, ultimo);
    QTextCursor cursor(const_cast<QTextDocument*>(&doc));
    cursor.setPosition(inicio);
    cursor.setPosition(fin, QTextCursor::KeepAnchor);
    f.fragmento = cursor.selection();
    // A range that starts or ends inside a table takes the whole table, as Qt
    // widens the selection to it.
    const int desde = cursor.selectionStart();
    const int hasta = cursor.selectionEnd();
    f.largo = hasta - desde;
    const QTextBlock primero = doc.findBlock(desde);
    const QTextBlock ultimoBloque = doc.findBlock(hasta);
    f.bloques = ultimoBloque.blockNumber() - primero.blockNumber() + 1;
    f.conFormatos = !EnTabla(primero);
    f.formatoPrimero = SinLista(primero.blockFormat());
    if (const QTextList* lista = primero.textList()) {
        f.listaPrimero = lista->format();
        f.primeroYSegundoMismaLista = f.bloques >= 2 && primero.next().textList() == lista;
    }
    return f;
}

int PegarFragmento(QTextDocument& doc, int posicion, const FragmentoWord& f) {
    posicion = std::clamp(posicion, 0, doc.characterCount() - 1);
    QTextCursor cursor(&doc);
    cursor.setPosition(posicion);
    const QTextBlock destino = cursor.block();
    const QTextBlockFormat formatoDestino = destino.blockFormat();
    const bool destinoEnTabla = cursor.currentTable() != nullptr;

    cursor.beginEditBlock();
    const int antes = doc.characterCount();
    if (!f.fragmento.isEmpty())
        cursor.insertFragment(f.fragmento);
    int insertados = doc.characterCount() - antes;
    // Qt opens a paragraph of its own before text of a list item pasted into a
    // paragraph outside lists; the pasted paragraph takes the list format below.
    if (f.conFormatos && insertados == f.largo + 1 && f.largo > 0 &&
        doc.characterAt(posicion) == QChar::ParagraphSeparator) {
        QTextCursor extra(&doc);
        extra.setPosition(posicion);
        extra.deleteChar();
        --insertados;
    }
    int fin = posicion + insertados;
    int bloques = f.bloques;
    if (f.marcaFinal) {
        QTextCursor marca(&doc);
        marca.setPosition(fin);
        marca.insertBlock();
        ++fin;
        ++bloques;
    }
    if (bloques >= 2 && !destinoEnTabla) {
        const QTextBlock cola = doc.findBlock(fin);
        if (!EnTabla(cola)) {
            QTextCursor(cola).setBlockFormat(formatoDestino);
        }
        const QTextBlock primero = doc.findBlock(posicion);
        if (f.conFormatos && !EnTabla(primero)) {
            QTextCursor enPrimero(primero);
            if (f.listaPrimero) {
                QTextList* siguiente = primero.next().textList();
                if (f.primeroYSegundoMismaLista && siguiente) {
                    QTextBlockFormat formato = f.formatoPrimero;
                    formato.setObjectIndex(siguiente->objectIndex());
                    enPrimero.setBlockFormat(formato);
                } else {
                    enPrimero.setBlockFormat(f.formatoPrimero);
                    enPrimero.createList(*f.listaPrimero);
                }
            } else {
                enPrimero.setBlockFormat(f.formatoPrimero);
            }
        }
    }
    cursor.endEditBlock();
    return fin;
}

DatosPortapapeles::DatosPortapapeles(FragmentoWord fragmento) : contenido(std::move(fragmento)) {}

QStringList DatosPortapapeles::formats() const {
    return {QStringLiteral("text/html"), QStringLiteral("text/plain")};
}

bool DatosPortapapeles::hasFormat(const QString& tipo) const {
    return formats().contains(tipo);
}

QVariant DatosPortapapeles::retrieveData(const QString& tipo, QMetaType) const {
    if (tipo == QLatin1String("text/html")) {
        // Rebuild the copied paragraphs in a document of their own, so that the
        // final mark, when copied, becomes a paragraph break of the HTML.
        QTextDocument temporal;
        PegarFragmento(temporal, 0, contenido);
        return HtmlDeDocumento(temporal, {});
    }
    if (tipo == QLatin1String("text/plain")) {
        QString texto = contenido.fragmento.toPlainText();
        if (contenido.marcaFinal)
            texto += QLatin1Char('\n');
        return texto;
    }
    return {};
}

void CopiarAlPortapapeles(FragmentoWord fragmento) {
    QGuiApplication::clipboard()->setMimeData(new DatosPortapapeles(std::move(fragmento)));
}

FragmentoWord FragmentoDelPortapapeles(QTextDocument& doc) {
    FragmentoWord f;
    const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
    if (!datos)
        return f;
    if (const auto* propios = qobject_cast<const DatosPortapapeles*>(datos))
        return propios->Fragmento();
    if (datos->hasHtml()) {
        f.fragmento = QTextDocumentFragment::fromHtml(datos->html(), &doc);
    } else if (datos->hasImage()) {
        const QImage imagen = qvariant_cast<QImage>(datos->imageData());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        imagen.save(&buffer, "PNG");
        QTextDocument temporal;
        QTextImageFormat formato;
        formato.setName(NombreImagenIncrustada(png, QStringLiteral("image/png")));
        formato.setWidth(imagen.width());
        formato.setHeight(imagen.height());
        temporal.addResource(QTextDocument::ImageResource, QUrl(formato.name()), imagen);
        QTextCursor(&temporal).insertImage(formato);
        f.fragmento = QTextDocumentFragment(&temporal);
    } else if (datos->hasText()) {
        f.fragmento = QTextDocumentFragment::fromPlainText(datos->text());
    }
    f.largo = int(f.fragmento.toRawText().size());
    return f;
}

} // namespace brivo::word
