#include "HtmlMoodle.h"

#include <algorithm>

#include <QRegularExpression>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace brivo::moodle {

namespace {

constexpr QChar Objeto = QChar::ObjectReplacementCharacter;
// Larger sizes in a text are taken for damage and left to the image itself.
constexpr double MaxLadoImagen = 10000;

void Aplanar(QTextFrame* marco, std::vector<TElementoTexto>& elementos);

void AplanarDesde(QTextFrame::iterator it, std::vector<TElementoTexto>& elementos) {
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* hijo = it.currentFrame()) {
            if (auto* tabla = qobject_cast<QTextTable*>(hijo))
                elementos.push_back({{}, tabla});
            else
                Aplanar(hijo, elementos);
        } else if (it.currentBlock().isValid()) {
            elementos.push_back({it.currentBlock(), nullptr});
        }
    }
}

void Aplanar(QTextFrame* marco, std::vector<TElementoTexto>& elementos) {
    AplanarDesde(marco->begin(), elementos);
}

bool ElementoVacio(const TElementoTexto& e) {
    return !e.Tabla && ParrafoVacio(e.Bloque);
}

// The marks of characters that the HTML keeps.
struct TMarcas {
    bool negrita = false;
    bool cursiva = false;
    bool subrayado = false;
    bool tachado = false;
    int posicion = 0; // 1 superscript, -1 subscript
    QString enlace;
    bool operator==(const TMarcas&) const = default;
};

TMarcas MarcasDe(const QTextCharFormat& f) {
    TMarcas m;
    m.negrita = f.fontWeight() >= QFont::DemiBold;
    m.cursiva = f.fontItalic();
    m.subrayado = f.fontUnderline();
    m.tachado = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        m.posicion = 1;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        m.posicion = -1;
    if (f.isAnchor()) {
        const QString destino = f.anchorHref().trimmed();
        const QString esquema = QUrl(destino).scheme().toLower();
        if (esquema == QLatin1String("http") || esquema == QLatin1String("https") ||
            esquema == QLatin1String("mailto"))
            m.enlace = destino;
    }
    return m;
}

QString Abrir(const TMarcas& m) {
    QString r;
    if (!m.enlace.isEmpty())
        r += QStringLiteral("<a href=\"") + m.enlace.toHtmlEscaped() + QStringLiteral("\">");
    if (m.negrita)
        r += QStringLiteral("<strong>");
    if (m.cursiva)
        r += QStringLiteral("<em>");
    if (m.subrayado)
        r += QStringLiteral("<u>");
    if (m.tachado)
        r += QStringLiteral("<s>");
    if (m.posicion > 0)
        r += QStringLiteral("<sup>");
    if (m.posicion < 0)
        r += QStringLiteral("<sub>");
    return r;
}

QString Cerrar(const TMarcas& m) {
    QString r;
    if (m.posicion < 0)
        r += QStringLiteral("</sub>");
    if (m.posicion > 0)
        r += QStringLiteral("</sup>");
    if (m.tachado)
        r += QStringLiteral("</s>");
    if (m.subrayado)
        r += QStringLiteral("</u>");
    if (m.cursiva)
        r += QStringLiteral("</em>");
    if (m.negrita)
        r += QStringLiteral("</strong>");
    if (!m.enlace.isEmpty())
        r += QStringLiteral("</a>");
    return r;
}

QString Imagen(const QTextImageFormat& f, const TFuenteImagen& fuente) {
    const QString src = fuente ? fuente(f.name()) : QString();
    if (src.isEmpty())
        return {};
    QString r = QStringLiteral("<img src=\"") + src.toHtmlEscaped() + QStringLiteral("\" alt=\"\"");
    if (f.width() > 0 && f.width() <= MaxLadoImagen)
        r += QStringLiteral(" width=\"%1\"").arg(qRound(f.width()));
    if (f.height() > 0 && f.height() <= MaxLadoImagen)
        r += QStringLiteral(" height=\"%1\"").arg(qRound(f.height()));
    return r + QStringLiteral(" />");
}

QString TextoEscapado(const QString& texto) {
    QString r = texto.toHtmlEscaped();
    r.replace(QChar::LineSeparator, QStringLiteral("<br />"));
    return r;
}

QString EstiloParrafo(const QTextBlockFormat& f) {
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        return QStringLiteral(" style=\"text-align: center;\"");
    if (a & Qt::AlignJustify)
        return QStringLiteral(" style=\"text-align: justify;\"");
    if (a & Qt::AlignRight)
        return QStringLiteral(" style=\"text-align: right;\"");
    return {};
}

QString Parrafo(const QTextBlock& b, const TFuenteImagen& imagen) {
    const int nivel = b.blockFormat().headingLevel();
    const QString etiqueta =
        nivel >= 1 && nivel <= 6 ? QStringLiteral("h%1").arg(nivel) : QStringLiteral("p");
    return QLatin1Char('<') + etiqueta + EstiloParrafo(b.blockFormat()) + QLatin1Char('>') +
           HtmlEnLinea(b, 0, imagen) + QStringLiteral("</") + etiqueta + QLatin1Char('>');
}

QString EtiquetaLista(const QTextListFormat& f) {
    switch (f.style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return QStringLiteral("ul");
    default:
        return QStringLiteral("ol");
    }
}

QString AperturaLista(const QTextListFormat& f) {
    switch (f.style()) {
    case QTextListFormat::ListLowerAlpha:
        return QStringLiteral("<ol type=\"a\">");
    case QTextListFormat::ListUpperAlpha:
        return QStringLiteral("<ol type=\"A\">");
    case QTextListFormat::ListLowerRoman:
        return QStringLiteral("<ol type=\"i\">");
    case QTextListFormat::ListUpperRoman:
        return QStringLiteral("<ol type=\"I\">");
    default:
        return QLatin1Char('<') + EtiquetaLista(f) + QLatin1Char('>');
    }
}

// Lists open around the current paragraph, innermost last.
class TListas {
public:
    explicit TListas(QString& salida) : html(salida) {}
    void Item(const QTextBlock& b, const TFuenteImagen& imagen) {
        QTextList* lista = b.textList();
        const int sangria = lista->format().indent();
        while (!abiertas.empty() &&
               (abiertas.back().sangria > sangria ||
                (abiertas.back().sangria == sangria && abiertas.back().lista != lista)))
            CerrarUna();
        if (!abiertas.empty() && abiertas.back().lista == lista) {
            html += QStringLiteral("</li>");
        } else {
            html += AperturaLista(lista->format());
            abiertas.push_back({lista, sangria});
        }
        html += QStringLiteral("<li>") + HtmlEnLinea(b, 0, imagen);
    }
    void CerrarTodas() {
        while (!abiertas.empty())
            CerrarUna();
    }

private:
    struct Abierta {
        QTextList* lista;
        int sangria;
    };
    void CerrarUna() {
        html += QStringLiteral("</li></") + EtiquetaLista(abiertas.back().lista->format()) +
                QLatin1Char('>');
        abiertas.pop_back();
    }
    QString& html;
    std::vector<Abierta> abiertas;
};

QString Tabla(QTextTable* tabla, const TFuenteImagen& imagen);

QString Elementos(const std::vector<TElementoTexto>& elementos, size_t desde, size_t hasta,
                  const TFuenteImagen& imagen) {
    QString html;
    TListas listas(html);
    for (size_t i = desde; i < hasta; ++i) {
        const TElementoTexto& e = elementos[i];
        if (!e.Tabla && e.Bloque.textList()) {
            listas.Item(e.Bloque, imagen);
            continue;
        }
        listas.CerrarTodas();
        // The text goes on after a table in a paragraph of its own, which
        // Qt opens even when the text has none there.
        if (!e.Tabla && i > desde && elementos[i - 1].Tabla && ParrafoVacio(e.Bloque))
            continue;
        html += e.Tabla ? Tabla(e.Tabla, imagen) : Parrafo(e.Bloque, imagen);
    }
    listas.CerrarTodas();
    return html;
}

QString Celda(const QTextTableCell& celda, const TFuenteImagen& imagen) {
    std::vector<TElementoTexto> dentro;
    AplanarDesde(celda.begin(), dentro);
    // A cell of one paragraph holds its text alone.
    if (dentro.size() == 1 && !dentro.front().Tabla && !dentro.front().Bloque.textList())
        return HtmlEnLinea(dentro.front().Bloque, 0, imagen);
    return HtmlDeElementos(dentro, 0, dentro.size(), imagen);
}

QString Tabla(QTextTable* tabla, const TFuenteImagen& imagen) {
    QString html = QStringLiteral("<table border=\"1\"><tbody>");
    for (int f = 0; f < tabla->rows(); ++f) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < tabla->columns(); ++c) {
            const QTextTableCell celda = tabla->cellAt(f, c);
            if (!celda.isValid() || celda.row() != f || celda.column() != c)
                continue; // covered by a cell that spans it
            html += QStringLiteral("<td");
            if (celda.rowSpan() > 1)
                html += QStringLiteral(" rowspan=\"%1\"").arg(celda.rowSpan());
            if (celda.columnSpan() > 1)
                html += QStringLiteral(" colspan=\"%1\"").arg(celda.columnSpan());
            html += QLatin1Char('>') + Celda(celda, imagen) + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

// The letter of an option paragraph (0 when it is none) and the characters
// of its prefix.
QChar LetraOpcion(const QTextBlock& b, int& prefijo) {
    static const QRegularExpression patron(QStringLiteral("^\\s*([A-Za-z])\\s*[).]\\s*"));
    prefijo = 0;
    if (const QTextList* lista = b.textList()) {
        const QTextListFormat::Style estilo = lista->format().style();
        const int n = lista->itemNumber(b);
        if ((estilo == QTextListFormat::ListLowerAlpha ||
             estilo == QTextListFormat::ListUpperAlpha) &&
            n >= 0 && n < 26)
            return QChar(u'a' + n);
    }
    const QRegularExpressionMatch m = patron.match(b.text());
    if (!m.hasMatch())
        return {};
    prefijo = int(m.capturedLength(0));
    return m.captured(1).at(0).toLower();
}

struct TCandidata {
    size_t elemento;
    QChar letra;
    int prefijo;
};

} // namespace

QVariant TDocumentoCerrado::loadResource(int, const QUrl&) {
    return {};
}

bool ParrafoVacio(const QTextBlock& bloque) {
    const QString texto = bloque.text();
    return texto.trimmed().isEmpty() && !texto.contains(Objeto);
}

std::vector<TElementoTexto> ElementosDe(const QTextDocument& doc) {
    std::vector<TElementoTexto> elementos;
    Aplanar(doc.rootFrame(), elementos);
    while (!elementos.empty() && ElementoVacio(elementos.back()))
        elementos.pop_back();
    size_t primero = 0;
    while (primero < elementos.size() && ElementoVacio(elementos[primero]))
        ++primero;
    elementos.erase(elementos.begin(), elementos.begin() + qsizetype(primero));
    return elementos;
}

QString HtmlDeElementos(const std::vector<TElementoTexto>& elementos, size_t desde, size_t hasta,
                        const TFuenteImagen& imagen) {
    hasta = std::min(hasta, elementos.size());
    while (hasta > desde && ElementoVacio(elementos[hasta - 1]))
        --hasta;
    while (desde < hasta && ElementoVacio(elementos[desde]))
        ++desde;
    return Elementos(elementos, desde, hasta, imagen);
}

QString HtmlEnLinea(const QTextBlock& bloque, int desde, const TFuenteImagen& imagen) {
    // Blanks at the ends of the paragraph say nothing in HTML.
    const QString todo = bloque.text();
    int hasta = int(todo.size());
    while (desde < hasta && todo.at(desde).isSpace())
        ++desde;
    while (hasta > desde && todo.at(hasta - 1).isSpace())
        --hasta;
    QString html;
    TMarcas abiertas;
    for (auto it = bloque.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragmento = it.fragment();
        if (!fragmento.isValid())
            continue;
        const int inicio = fragmento.position() - bloque.position();
        QString texto = fragmento.text();
        if (inicio + texto.size() <= desde || inicio >= hasta)
            continue;
        texto = texto.left(hasta - inicio);
        if (inicio < desde)
            texto = texto.mid(desde - inicio);
        const QTextCharFormat formato = fragmento.charFormat();
        const TMarcas marcas = MarcasDe(formato);
        if (!(marcas == abiertas)) {
            html += Cerrar(abiertas) + Abrir(marcas);
            abiertas = marcas;
        }
        if (formato.isImageFormat()) {
            const QString img = Imagen(formato.toImageFormat(), imagen);
            for (const QChar c : texto)
                if (c == Objeto)
                    html += img;
            continue;
        }
        texto.remove(Objeto);
        html += TextoEscapado(texto);
    }
    return html + Cerrar(abiertas);
}

bool BuscarOpciones(const std::vector<TElementoTexto>& elementos, TOpcionesPregunta& opciones,
                    QString& motivo) {
    opciones = {};
    std::vector<TCandidata> racha; // in reverse order
    for (size_t i = elementos.size(); i-- > 0;) {
        const TElementoTexto& e = elementos[i];
        if (e.Tabla)
            break;
        if (ParrafoVacio(e.Bloque))
            continue;
        int prefijo = 0;
        const QChar letra = LetraOpcion(e.Bloque, prefijo);
        if (letra.isNull())
            break;
        racha.push_back({i, letra, prefijo});
    }
    std::reverse(racha.begin(), racha.end());
    if (racha.empty()) {
        motivo = QStringLiteral("la pregunta no termina en opciones «a) …», «b) …»");
        return false;
    }
    // The last "a" from which the letters follow one another to the end.
    size_t inicio = racha.size();
    for (size_t k = racha.size(); k-- > 0;) {
        if (racha[k].letra != QLatin1Char('a'))
            continue;
        bool seguidas = true;
        for (size_t j = k; j < racha.size(); ++j)
            seguidas = seguidas && racha[j].letra == QChar(u'a' + int(j - k));
        if (seguidas)
            inicio = k;
        break;
    }
    if (inicio == racha.size()) {
        motivo = QStringLiteral("las opciones del final no van en orden desde «a)»");
        return false;
    }
    if (racha.size() - inicio < 2) {
        motivo = QStringLiteral("solo tiene una opción, «a)»");
        return false;
    }
    for (size_t j = inicio; j < racha.size(); ++j) {
        const QTextBlock& b = elementos[racha[j].elemento].Bloque;
        const QString resto = b.text().mid(racha[j].prefijo);
        if (resto.trimmed().isEmpty() && !resto.contains(Objeto)) {
            motivo = QStringLiteral("la opción «%1)» está vacía").arg(racha[j].letra);
            return false;
        }
        opciones.Elementos.push_back(racha[j].elemento);
        opciones.Prefijo.push_back(racha[j].prefijo);
    }
    bool conEnunciado = false;
    for (size_t i = 0; i < racha[inicio].elemento && !conEnunciado; ++i)
        conEnunciado = !ElementoVacio(elementos[i]);
    if (!conEnunciado) {
        opciones = {};
        motivo = QStringLiteral("no tiene enunciado antes de las opciones");
        return false;
    }
    return true;
}

} // namespace brivo::moodle
