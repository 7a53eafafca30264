// HTML in and out of a range of the embedded engine: the formatted text of a
// range as an HTML document of its own, and HTML pasted over a range; and
// the replacement of a range by a fragment that pasting shares.
#include <algorithm>
#include <utility>
#include <vector>

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "ArchivoDocumento.h"
#include "Errores.h"
#include "LimitesDocumento.h"
#include "MotorTexto.h"
#include "Portapapeles.h"

namespace brivo::word {

namespace {

// A document that loads images embedded as data: URIs and nothing else: HTML
// handed to the engine never makes it read a file.
class DocumentoSoloDatos : public QTextDocument {
protected:
    QVariant loadResource(int tipo, const QUrl& nombre) override {
        if (tipo != QTextDocument::ImageResource ||
            nombre.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) != 0)
            return {};
        const QByteArray uri = QByteArray::fromPercentEncoding(
            nombre.url(QUrl::FullyEncoded | QUrl::RemoveScheme).toLatin1());
        const qsizetype coma = uri.indexOf(',');
        if (coma < 0 || !uri.left(coma).endsWith(";base64") || uri.size() > 2 * MaxBytesImagen)
            return {};
        const QImage imagen = QImage::fromData(QByteArray::fromBase64(uri.mid(coma + 1)));
        if (imagen.isNull())
            return {};
        addResource(tipo, nombre, imagen);
        return imagen;
    }
};

// Images whose name is not a data: URI would be loaded from wherever they
// name once the document shows or saves them.
void QuitarImagenesNoIncrustadas(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    for (QTextBlock bloque = doc.lastBlock(); bloque.isValid(); bloque = bloque.previous()) {
        std::vector<std::pair<int, int>> quitar;
        for (auto it = bloque.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid() && f.charFormat().isImageFormat() &&
                !f.charFormat().toImageFormat().name().startsWith(QLatin1String("data:"),
                                                                  Qt::CaseInsensitive))
                quitar.emplace_back(f.position(), f.length());
        }
        for (auto q = quitar.rbegin(); q != quitar.rend(); ++q) {
            cursor.setPosition(q->first);
            cursor.setPosition(q->first + q->second, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
}

} // namespace

QString RangoMotor::Html() {
    const QTextDocument& doc = Doc();
    Ajustar();
    // The copied paragraphs rebuilt in a document of their own, as the
    // clipboard gives them to other programs.
    QTextDocument temporal;
    PegarFragmento(temporal, 0, CopiarRango(doc, inicio, fin));
    return QString::fromUtf8(HtmlDeDocumento(temporal, {}));
}

void RangoMotor::Reemplazar(FragmentoWord fragmento, bool marcaSegunDestino) {
    QTextDocument& doc = Doc();
    const int ultimo = doc.characterCount() - 1;
    const int desde = std::min(inicio, ultimo);
    const int hasta = std::min(fin, ultimo);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    if (hasta > desde) {
        cursor.setPosition(desde);
        cursor.setPosition(hasta, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (marcaSegunDestino) {
        const QTextBlock destino = doc.findBlock(desde);
        fragmento.marcaFinal =
            !fragmento.fragmento.isEmpty() && destino.position() == desde && destino.length() > 1;
    }
    const int final = PegarFragmento(doc, desde, fragmento);
    cursor.endEditBlock();
    inicio = desde;
    fin = final;
}

void RangoMotor::InsertarHtml(const QString& html) {
    Doc();
    Ajustar();
    if (ComprobarHtml(html.toUtf8()) != ExcesoDocumento::Ninguno)
        throw ErrorBrivo(QStringLiteral("El texto HTML es demasiado grande o está dañado: no se "
                                        "puede insertar en el documento."));
    // Read apart, where only embedded images load and images of any other
    // name are taken out, then pasted as formatted text.
    DocumentoSoloDatos lectura;
    lectura.setHtml(html);
    QuitarImagenesNoIncrustadas(lectura);
    FragmentoWord fragmento;
    fragmento.fragmento = QTextDocumentFragment(&lectura);
    fragmento.largo = int(fragmento.fragmento.toRawText().size());
    Reemplazar(std::move(fragmento), true);
}

} // namespace brivo::word
