#include "LimitesDocumento.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::word {

namespace {

// Elements that never hold others.
constexpr std::array<std::string_view, 15> Vacios{"area",  "base",   "br",    "col",  "embed",
                                                  "hr",    "img",    "input", "link", "meta",
                                                  "param", "source", "track", "wbr",  "basefont"};

// Elements that the next one of their kind closes (an unclosed <p> or <td>
// does not nest), and the document's frame.
constexpr std::array<std::string_view, 15> SinAnidar{
    "p",     "li",    "dt",    "dd",       "tr",   "td",   "th",  "option",
    "thead", "tbody", "tfoot", "colgroup", "html", "head", "body"};

template <size_t N>
bool Entre(const std::array<std::string_view, N>& lista, std::string_view nombre) {
    return std::find(lista.begin(), lista.end(), nombre) != lista.end();
}

bool EsEspacio(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Letters and digits of a tag name; bytes of other scripts count as letters.
bool EsDeNombre(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
           u >= 0x80 || c == '-' || c == ':' || c == '_';
}

// The part of v from pos, at most n bytes long (clamped to v).
QByteArrayView Trozo(QByteArrayView v, qsizetype pos, qsizetype n = -1) {
    pos = std::clamp<qsizetype>(pos, 0, v.size());
    const qsizetype resto = v.size() - pos;
    return v.sliced(pos, n < 0 ? resto : std::min(n, resto));
}

bool Igual(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), size_t(a.size())) == 0;
}

// The grid a table declares: Qt builds rows times columns cells.
struct Tabla {
    qint64 filas = 0;
    qint64 filasOcupadas = 0; // reached by cells that span rows
    qint64 columnasFila = 0;
    qint64 columnas = 0;
    qint64 Celdas() const {
        return std::max<qint64>(1, std::max(filas, filasOcupadas)) * std::max<qint64>(1, columnas);
    }
};

struct Etiqueta {
    std::string nombre; // in lower case
    bool cierre = false;
    bool autocierre = false;
    qint64 colspan = 1;
    qint64 rowspan = 1;
};

class TRevisor {
public:
    explicit TRevisor(QByteArrayView h) : html(h) {}
    ExcesoDocumento Revisar();

private:
    QByteArrayView html;
    qsizetype i = 0;
    qsizetype enUris = 0; // bytes of data: attribute values
    qsizetype enEstilos = 0;
    qint64 elementos = 0;
    std::vector<std::string> abiertos;
    std::vector<Tabla> tablas;
    bool danado = false;

    bool Leer(Etiqueta& e);
    void Atributo(Etiqueta& e);
    // Position of the next "</" + nombre (any case), or the end.
    qsizetype SaltarHastaCierre(const std::string& nombre, qsizetype desde) const {
        const QByteArrayView buscado(nombre.data(), qsizetype(nombre.size()));
        for (qsizetype f = html.indexOf("</", desde); f >= 0; f = html.indexOf("</", f + 2)) {
            if (Igual(Trozo(html, f + 2, buscado.size()), buscado))
                return f;
        }
        return html.size();
    }
    void Abrir(const Etiqueta& e);
    void Cerrar(const std::string& nombre);
    void CerrarTabla();
};

// Reads the attribute at i; notes data: URIs and the spans of table cells.
void TRevisor::Atributo(Etiqueta& e) {
    const qsizetype inicioNombre = i;
    while (i < html.size() && !EsEspacio(html[i]) && html[i] != '=' && html[i] != '>' &&
           html[i] != '/')
        ++i;
    if (i == inicioNombre) {
        ++i; // a lone "/" inside the tag
        return;
    }
    const QByteArrayView nombre = Trozo(html, inicioNombre, i - inicioNombre);
    while (i < html.size() && EsEspacio(html[i]))
        ++i;
    if (i >= html.size() || html[i] != '=')
        return;
    ++i;
    while (i < html.size() && EsEspacio(html[i]))
        ++i;
    qsizetype inicio = i, fin = i;
    if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        const char comilla = html[i];
        inicio = i + 1;
        const qsizetype f = html.indexOf(comilla, inicio);
        fin = f < 0 ? html.size() : f;
        i = f < 0 ? html.size() : f + 1;
    } else {
        while (i < html.size() && !EsEspacio(html[i]) && html[i] != '>')
            ++i;
        fin = i;
    }
    const QByteArrayView valor = Trozo(html, inicio, fin - inicio);
    if (Igual(Trozo(valor, 0, 5), "data:"))
        enUris += valor.size();
    const bool col = Igual(nombre, "colspan");
    if (col || Igual(nombre, "rowspan")) {
        // Digits only count up to the limit; a larger span is refused.
        qint64 n = 0;
        for (const char c : valor.trimmed()) {
            if (c < '0' || c > '9')
                break;
            n = n * 10 + (c - '0');
            if (n > MaxExtensionCelda) {
                danado = true;
                break;
            }
        }
        (col ? e.colspan : e.rowspan) = std::max<qint64>(1, n);
    }
}

// Reads the tag that starts after the "<" at i - 1.
bool TRevisor::Leer(Etiqueta& e) {
    if (i < html.size() && html[i] == '/') {
        e.cierre = true;
        ++i;
    }
    const qsizetype inicio = i;
    while (i < html.size() && EsDeNombre(html[i]))
        ++i;
    if (i == inicio)
        return false; // a "<" that starts no tag
    e.nombre.assign(html.data() + inicio, size_t(i - inicio));
    for (char& c : e.nombre)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    while (i < html.size() && html[i] != '>') {
        if (EsEspacio(html[i])) {
            ++i;
        } else if (html[i] == '/' && i + 1 < html.size() && html[i + 1] == '>') {
            e.autocierre = true;
            ++i;
        } else {
            Atributo(e);
        }
    }
    ++i;
    return true;
}

void TRevisor::CerrarTabla() {
    elementos += tablas.back().Celdas();
    tablas.pop_back();
}

void TRevisor::Abrir(const Etiqueta& e) {
    if (!tablas.empty()) {
        Tabla& t = tablas.back();
        if (e.nombre == "tr") {
            ++t.filas;
            t.columnasFila = 0;
        } else if (e.nombre == "td" || e.nombre == "th") {
            t.filas = std::max<qint64>(t.filas, 1);
            t.columnasFila += e.colspan;
            t.columnas = std::max(t.columnas, t.columnasFila);
            t.filasOcupadas = std::max(t.filasOcupadas, t.filas + e.rowspan - 1);
        }
    }
    if (e.nombre == "table")
        tablas.push_back({});
    if (e.autocierre || Entre(Vacios, e.nombre) || Entre(SinAnidar, e.nombre))
        return;
    abiertos.push_back(e.nombre);
    if (abiertos.size() > size_t(MaxProfundidadHtml))
        danado = true;
}

void TRevisor::Cerrar(const std::string& nombre) {
    if (nombre == "table" && !tablas.empty())
        CerrarTabla();
    // The closing tag ends its element and any left open inside it; a
    // closing tag without its element changes nothing.
    const auto it = std::find(abiertos.rbegin(), abiertos.rend(), nombre);
    if (it != abiertos.rend())
        abiertos.erase(std::prev(it.base()), abiertos.end());
}

ExcesoDocumento TRevisor::Revisar() {
    while (!danado && elementos <= MaxElementosHtml) {
        const qsizetype menor = html.indexOf('<', i);
        if (menor < 0)
            break;
        i = menor + 1;
        if (Trozo(html, i).startsWith("!--")) {
            const qsizetype f = html.indexOf("-->", i + 3);
            i = f < 0 ? html.size() : f + 3;
            continue;
        }
        if (i < html.size() && (html[i] == '!' || html[i] == '?')) {
            const qsizetype f = html.indexOf('>', i);
            i = f < 0 ? html.size() : f + 1;
            continue;
        }
        Etiqueta e;
        if (!Leer(e))
            continue;
        if (e.cierre) {
            Cerrar(e.nombre);
            continue;
        }
        ++elementos;
        Abrir(e);
        // Style sheets and scripts are text up to their closing tag.
        if (!e.autocierre && (e.nombre == "style" || e.nombre == "script")) {
            const qsizetype fin = SaltarHastaCierre(e.nombre, i);
            if (e.nombre == "style")
                enEstilos += fin - i;
            i = fin;
        }
    }
    while (!tablas.empty())
        CerrarTabla();
    if (danado)
        return ExcesoDocumento::Danado;
    if (elementos > MaxElementosHtml || html.size() - enUris > MaxMarcadoHtml ||
        enEstilos > MaxEstiloHtml)
        return ExcesoDocumento::DemasiadoGrande;
    return ExcesoDocumento::Ninguno;
}

} // namespace

ExcesoDocumento ComprobarHtml(QByteArrayView html) {
    return TRevisor(html).Revisar();
}

ExcesoDocumento ComprobarTextoPlano(QByteArrayView texto) {
    if (texto.size() > MaxMarcadoHtml)
        return ExcesoDocumento::DemasiadoGrande;
    qsizetype lineas = 1;
    for (qsizetype i = texto.indexOf('\n'); i >= 0; i = texto.indexOf('\n', i + 1)) {
        if (++lineas > MaxLineasTexto)
            return ExcesoDocumento::DemasiadoGrande;
    }
    // Lone carriage returns end lines as well.
    for (qsizetype i = texto.indexOf('\r'); i >= 0; i = texto.indexOf('\r', i + 1)) {
        if (i + 1 < texto.size() && texto[i + 1] == '\n')
            continue;
        if (++lineas > MaxLineasTexto)
            return ExcesoDocumento::DemasiadoGrande;
    }
    return ExcesoDocumento::Ninguno;
}

} // namespace brivo::word
