#include "EscritorMoodle.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>

namespace brivo::moodle {

namespace {

const QString ContextoCurso = QStringLiteral("$course$");

// XML 1.0 has no place for control characters other than tab and line
// breaks, nor for lone surrogates and the two non-characters.
QString ParaXml(const QString& texto) {
    QString limpio;
    limpio.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) {
            limpio += c;
            limpio += texto.at(++i);
            continue;
        }
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            continue;
        limpio += c;
    }
    return limpio;
}

QString Numero(double valor) {
    return QString::number(valor, 'f', 7);
}

bool EsOpcionMultiple(const TPreguntaMoodle& p) {
    return p.Tipo == TipoOpcionMultiple;
}

void Archivos(QXmlStreamWriter& x, const std::vector<TArchivoMoodle>& archivos) {
    for (const TArchivoMoodle& a : archivos) {
        x.writeStartElement(QStringLiteral("file"));
        x.writeAttribute(QStringLiteral("name"), ParaXml(a.Nombre));
        x.writeAttribute(QStringLiteral("path"), ParaXml(a.Ruta));
        x.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        x.writeCharacters(QString::fromLatin1(a.Datos.toBase64()));
        x.writeEndElement();
    }
}

// <text> with the HTML in a CDATA section (<text></text> when empty), then
// the files.
void TextoHtml(QXmlStreamWriter& x, const TTextoMoodle& texto) {
    x.writeStartElement(QStringLiteral("text"));
    if (texto.Html.isEmpty())
        x.writeCharacters(QString());
    else
        x.writeCDATA(ParaXml(texto.Html));
    x.writeEndElement();
    Archivos(x, texto.Archivos);
}

// <elemento format="html"><text>CDATA</text><file .../>...</elemento>
void Texto(QXmlStreamWriter& x, const QString& elemento, const TTextoMoodle& texto,
           const QString& fraccion = {}) {
    x.writeStartElement(elemento);
    if (!fraccion.isEmpty())
        x.writeAttribute(QStringLiteral("fraction"), fraccion);
    x.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    TextoHtml(x, texto);
    x.writeEndElement();
}

void TextoSimple(QXmlStreamWriter& x, const QString& elemento, const QString& texto) {
    x.writeStartElement(elemento);
    x.writeTextElement(QStringLiteral("text"), ParaXml(texto));
    x.writeEndElement();
}

void Categoria(QXmlStreamWriter& x, const QStringList& nombres) {
    x.writeStartElement(QStringLiteral("question"));
    x.writeAttribute(QStringLiteral("type"), TipoCategoria);
    TextoSimple(x, QStringLiteral("category"), RutaCategoria(nombres));
    x.writeEndElement();
}

void OpcionMultiple(QXmlStreamWriter& x, const TPreguntaMoodle& p) {
    x.writeTextElement(QStringLiteral("single"),
                       p.Unica ? QStringLiteral("true") : QStringLiteral("false"));
    // The options keep the order and the letters they have on paper.
    x.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
    x.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
    x.writeTextElement(QStringLiteral("showstandardinstruction"), QStringLiteral("0"));
    for (const char* comentario :
         {"correctfeedback", "partiallycorrectfeedback", "incorrectfeedback"})
        Texto(x, QString::fromLatin1(comentario), {});
    for (const TRespuestaMoodle& r : p.Respuestas) {
        x.writeStartElement(QStringLiteral("answer"));
        x.writeAttribute(QStringLiteral("fraction"), QString::number(r.Fraccion));
        x.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        TextoHtml(x, r.Texto);
        Texto(x, QStringLiteral("feedback"), r.Comentario);
        x.writeEndElement();
    }
}

void Ensayo(QXmlStreamWriter& x, const TPreguntaMoodle& p) {
    x.writeTextElement(QStringLiteral("responseformat"), QStringLiteral("editor"));
    x.writeTextElement(QStringLiteral("responserequired"), QStringLiteral("1"));
    x.writeTextElement(QStringLiteral("responsefieldlines"), QStringLiteral("15"));
    x.writeTextElement(QStringLiteral("attachments"), QStringLiteral("0"));
    x.writeTextElement(QStringLiteral("attachmentsrequired"), QStringLiteral("0"));
    Texto(x, QStringLiteral("graderinfo"), p.InfoCorrector);
    Texto(x, QStringLiteral("responsetemplate"), {});
}

void Pregunta(QXmlStreamWriter& x, const TPreguntaMoodle& p) {
    x.writeStartElement(QStringLiteral("question"));
    x.writeAttribute(QStringLiteral("type"), EsOpcionMultiple(p) ? TipoOpcionMultiple : TipoEnsayo);
    TextoSimple(x, QStringLiteral("name"), p.Nombre);
    Texto(x, QStringLiteral("questiontext"), p.Enunciado);
    Texto(x, QStringLiteral("generalfeedback"), p.Comentario);
    x.writeTextElement(QStringLiteral("defaultgrade"), Numero(p.Nota));
    x.writeTextElement(QStringLiteral("penalty"), Numero(p.Penalizacion));
    x.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    if (EsOpcionMultiple(p))
        OpcionMultiple(x, p);
    else
        Ensayo(x, p);
    if (!p.Etiquetas.isEmpty()) {
        x.writeStartElement(QStringLiteral("tags"));
        for (const QString& etiqueta : p.Etiquetas)
            TextoSimple(x, QStringLiteral("tag"), etiqueta);
        x.writeEndElement();
    }
    x.writeEndElement();
}

// GIFT keeps no files: the images of the HTML go, and are counted, with
// the blanks they leave at the end of their element and the paragraphs
// they leave empty.
QString SinImagenes(const QString& html, int& omitidas) {
    static const QRegularExpression imagen(QStringLiteral("<img\\b[^>]*>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression blancos(QStringLiteral("\\s+(</(p|li|td|h[1-6])>)"));
    static const QRegularExpression vacio(QStringLiteral("<p[^>]*></p>"));
    const int cuantas = int(html.count(imagen));
    if (cuantas == 0)
        return html;
    omitidas += cuantas;
    QString r = html;
    r.remove(imagen);
    r.replace(blancos, QStringLiteral("\\1"));
    r.remove(vacio);
    return r.trimmed();
}

QString GiftHtml(const TTextoMoodle& texto, int& omitidas) {
    return EscaparGift(SinImagenes(texto.Html, omitidas));
}

QString PreguntaGift(const TPreguntaMoodle& p, int& omitidas) {
    QString s;
    if (p.Documento > 0)
        s += QStringLiteral("// Documento %1\n").arg(p.Documento);
    s += QStringLiteral("::") + EscaparGift(p.Nombre) + QStringLiteral("::[html]") +
         GiftHtml(p.Enunciado, omitidas);
    const QString comentario = p.Comentario.Vacio()
                                   ? QString()
                                   : QStringLiteral("####") + GiftHtml(p.Comentario, omitidas);
    if (!EsOpcionMultiple(p))
        return s + QLatin1Char('{') + comentario + QStringLiteral("}\n");
    s += QStringLiteral("{\n");
    for (const TRespuestaMoodle& r : p.Respuestas) {
        QString marca;
        if (r.Fraccion >= 100 && p.Unica)
            marca = QStringLiteral("=");
        else if (r.Fraccion == 0)
            marca = QStringLiteral("~");
        else
            marca = QStringLiteral("~%") + QString::number(r.Fraccion) + QLatin1Char('%');
        QString texto = GiftHtml(r.Texto, omitidas);
        // An option that was an image alone still needs a text to be an option.
        if (texto.isEmpty() && !r.Texto.Html.isEmpty())
            texto = QStringLiteral("(imagen)");
        s += QLatin1Char('\t') + marca + texto + QLatin1Char('\n');
    }
    if (!comentario.isEmpty())
        s += QLatin1Char('\t') + comentario + QLatin1Char('\n');
    return s + QStringLiteral("}\n");
}

} // namespace

QString RutaCategoria(const QStringList& nombres) {
    QString ruta = ContextoCurso;
    for (const QString& nombre : nombres) {
        QString escapado = nombre;
        escapado.replace(QLatin1Char('/'), QStringLiteral("//"));
        if (escapado.startsWith(QLatin1Char('/')))
            escapado.prepend(QLatin1Char(' '));
        if (escapado.endsWith(QLatin1Char('/')))
            escapado.append(QLatin1Char(' '));
        ruta += QLatin1Char('/') + escapado;
    }
    return ruta;
}

QStringList PartirRutaCategoria(const QString& ruta) {
    QStringList nombres;
    QString actual;
    for (qsizetype i = 0; i < ruta.size(); ++i) {
        if (ruta.at(i) != QLatin1Char('/')) {
            actual += ruta.at(i);
            continue;
        }
        if (i + 1 < ruta.size() && ruta.at(i + 1) == QLatin1Char('/')) {
            actual += QLatin1Char('/');
            ++i;
            continue;
        }
        nombres << actual.trimmed();
        actual.clear();
    }
    nombres << actual.trimmed();
    // "$course$", "$system$", "$module$", "$cat1$"...: where the category
    // lives in Moodle, not a category of its own.
    if (!nombres.isEmpty() && nombres.front().size() >= 2 &&
        nombres.front().startsWith(QLatin1Char('$')) && nombres.front().endsWith(QLatin1Char('$')))
        nombres.removeFirst();
    if (!nombres.isEmpty() && nombres.front() == QLatin1String("top"))
        nombres.removeFirst();
    nombres.removeAll(QString());
    return nombres;
}

QString EscaparGift(const QString& texto) {
    QString r;
    r.reserve(texto.size() + texto.size() / 8);
    for (const QChar c : texto) {
        switch (c.unicode()) {
        case '\\':
        case '~':
        case '=':
        case '#':
        case '{':
        case '}':
        case ':':
            r += QLatin1Char('\\');
            r += c;
            break;
        case '\n':
            r += QStringLiteral("\\n");
            break;
        case '\r':
            break;
        default:
            r += c;
        }
    }
    return r;
}

int CategoriasEscritas(const std::vector<TPreguntaMoodle>& preguntas) {
    int n = 0;
    const QStringList* anterior = nullptr;
    for (const TPreguntaMoodle& p : preguntas) {
        if (!anterior || *anterior != p.Categoria)
            ++n;
        anterior = &p.Categoria;
    }
    return n;
}

QByteArray EscribirXmlMoodle(const std::vector<TPreguntaMoodle>& preguntas) {
    QByteArray salida;
    QXmlStreamWriter x(&salida);
    x.setAutoFormatting(true);
    x.setAutoFormattingIndent(2);
    x.writeStartDocument();
    x.writeStartElement(QStringLiteral("quiz"));
    const QStringList* anterior = nullptr;
    for (const TPreguntaMoodle& p : preguntas) {
        if (!anterior || *anterior != p.Categoria)
            Categoria(x, p.Categoria);
        anterior = &p.Categoria;
        Pregunta(x, p);
    }
    x.writeEndElement();
    x.writeEndDocument();
    return salida;
}

QByteArray EscribirGift(const std::vector<TPreguntaMoodle>& preguntas, int* imagenesOmitidas) {
    QString s;
    int omitidas = 0;
    const QStringList* anterior = nullptr;
    for (const TPreguntaMoodle& p : preguntas) {
        if (!anterior || *anterior != p.Categoria) {
            // Moodle reads the category line as it is; only a backslash
            // could join the next character into an escape.
            QString ruta = RutaCategoria(p.Categoria);
            ruta.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
            ruta.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
            s += QStringLiteral("$CATEGORY: ") + ruta + QStringLiteral("\n\n");
        }
        anterior = &p.Categoria;
        s += PreguntaGift(p, omitidas) + QLatin1Char('\n');
    }
    if (imagenesOmitidas)
        *imagenesOmitidas = omitidas;
    return s.toUtf8();
}

} // namespace brivo::moodle
