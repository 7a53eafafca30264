#include "LectorMoodle.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>

#include "Errores.h"
#include "EscritorMoodle.h"

namespace brivo::moodle {

namespace {

// One element of a question, read whole.
struct TNodoXml {
    QString Nombre;
    QXmlStreamAttributes Atributos;
    QString Texto;
    bool Cortado = false; // a file whose contents were too large (left out alone)
    std::vector<TNodoXml> Hijos;

    const TNodoXml* Hijo(QLatin1StringView nombre) const {
        for (const TNodoXml& h : Hijos)
            if (h.Nombre == nombre)
                return &h;
        return nullptr;
    }
    QString Atributo(QLatin1StringView nombre) const {
        return Atributos.value(nombre).toString().trimmed();
    }
    // The text of the child <text>, trimmed as Moodle trims it.
    QString TextoHijo() const {
        const TNodoXml* t = Hijo(QLatin1StringView("text"));
        return t ? t->Texto.trimmed() : QString();
    }
};

// What spoils a question while it is read.
struct TCuenta {
    int elementos = 0;
    bool profunda = false;
    bool larga = false;
};

void LeerNodo(QXmlStreamReader& r, TNodoXml& nodo, int profundidad, TCuenta& cuenta) {
    nodo.Nombre = r.name().toString();
    nodo.Atributos = r.attributes();
    // A <file> holds base64: four characters for three bytes, line breaks aside.
    const qsizetype maximo = nodo.Nombre == QLatin1String("file")
                                 ? MaxBytesArchivoPregunta / 3 * 4 + MaxBytesArchivoPregunta / 16
                                 : MaxBytesTextoMoodle;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            if (profundidad >= MaxProfundidadPregunta ||
                ++cuenta.elementos > MaxElementosPregunta) {
                cuenta.profunda = true;
                r.skipCurrentElement();
            } else {
                nodo.Hijos.emplace_back();
                LeerNodo(r, nodo.Hijos.back(), profundidad + 1, cuenta);
            }
            break;
        case QXmlStreamReader::Characters:
            if (nodo.Cortado)
                break;
            if (nodo.Texto.size() + r.text().size() <= maximo) {
                nodo.Texto += r.text();
            } else if (nodo.Nombre == QLatin1String("file")) {
                nodo.Cortado = true;
                nodo.Texto.clear();
            } else {
                cuenta.larga = true;
            }
            break;
        case QXmlStreamReader::EndElement:
            return;
        default:
            break;
        }
    }
}

QString HtmlDeTextoPlano(const QString& texto) {
    if (texto.isEmpty())
        return {};
    QString html = texto.toHtmlEscaped();
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    html.replace(QLatin1Char('\n'), QStringLiteral("<br />"));
    return QStringLiteral("<p>") + html + QStringLiteral("</p>");
}

// A text of Moodle in any of its formats as HTML.
QString HtmlSegunFormato(const QString& texto, const QString& formato) {
    if (formato == QLatin1String("plain_text") || formato == QLatin1String("markdown"))
        return HtmlDeTextoPlano(texto);
    if (formato == QLatin1String("moodle_auto_format")) {
        if (!texto.contains(QLatin1Char('<')))
            return HtmlDeTextoPlano(texto);
        QString html = texto;
        html.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return html.replace(QLatin1Char('\n'), QStringLiteral("<br />"));
    }
    return texto; // html, and formats Moodle itself would read as html
}

// A folder of a file element as "/.../" (blanks and repeated slashes gone).
QString RutaNormal(const QString& ruta) {
    const QStringList partes = ruta.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return partes.isEmpty() ? QStringLiteral("/")
                            : QLatin1Char('/') + partes.join(QLatin1Char('/')) + QLatin1Char('/');
}

class TInterprete {
public:
    explicit TInterprete(TLecturaMoodle& l) : lectura(l) {}

    void Archivos(const TNodoXml& nodo, TTextoMoodle& texto) {
        for (const TNodoXml& h : nodo.Hijos) {
            if (h.Nombre != QLatin1String("file"))
                continue;
            const QString nombre = h.Atributo(QLatin1StringView("name"));
            const QString ruta = RutaNormal(h.Atributo(QLatin1StringView("path")));
            const bool base64 = h.Atributo(QLatin1StringView("encoding"))
                                    .compare(QLatin1String("base64"), Qt::CaseInsensitive) == 0;
            const bool repetido =
                std::any_of(texto.Archivos.begin(), texto.Archivos.end(),
                            [&](const auto& a) { return a.Nombre == nombre && a.Ruta == ruta; });
            QByteArray datos = base64 ? QByteArray::fromBase64(h.Texto.toLatin1()) : QByteArray();
            if (nombre.isEmpty() || repetido || h.Cortado || datos.isEmpty() ||
                datos.size() > MaxBytesArchivoPregunta) {
                ++lectura.ArchivosOmitidos;
                continue;
            }
            texto.Archivos.push_back({nombre, ruta, std::move(datos)});
        }
    }

    TTextoMoodle Texto(const TNodoXml* nodo, const QString& formatoPorDefecto = {}) {
        TTextoMoodle t;
        if (!nodo)
            return t;
        QString formato = nodo->Atributo(QLatin1StringView("format"));
        if (formato.isEmpty())
            formato = formatoPorDefecto;
        t.Html = HtmlSegunFormato(nodo->TextoHijo(), formato);
        Archivos(*nodo, t);
        return t;
    }

    // The image of files written before Moodle 2: <image> and <image_base64>.
    void ImagenAntigua(const TNodoXml& q, TTextoMoodle& enunciado) {
        const TNodoXml* nombre = q.Hijo(QLatin1StringView("image"));
        const TNodoXml* datos = q.Hijo(QLatin1StringView("image_base64"));
        if (!nombre || !datos || nombre->Texto.trimmed().isEmpty())
            return;
        const QString archivo = QFileInfo(nombre->Texto.trimmed()).fileName();
        QByteArray bytes = QByteArray::fromBase64(datos->Texto.toLatin1());
        if (archivo.isEmpty() || bytes.isEmpty() || bytes.size() > MaxBytesArchivoPregunta) {
            ++lectura.ArchivosOmitidos;
            return;
        }
        enunciado.Archivos.push_back({archivo, QStringLiteral("/"), std::move(bytes)});
        enunciado.Html += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/") +
                          QString::fromLatin1(QUrl::toPercentEncoding(archivo)) +
                          QStringLiteral("\" /></p>");
    }

    TRespuestaMoodle Respuesta(const TNodoXml& a, bool conFormato) {
        TRespuestaMoodle r;
        bool valida = false;
        r.Fraccion = a.Atributo(QLatin1StringView("fraction")).toDouble(&valida);
        if (!valida || !std::isfinite(r.Fraccion))
            r.Fraccion = 0;
        r.Texto = conFormato ? Texto(&a, QStringLiteral("html"))
                             : TTextoMoodle{HtmlDeTextoPlano(a.TextoHijo()), {}};
        if (const TNodoXml* t = a.Hijo(QLatin1StringView("tolerance")))
            r.Tolerancia = t->Texto.trimmed();
        r.Comentario = Texto(a.Hijo(QLatin1StringView("feedback")), QStringLiteral("html"));
        return r;
    }

    // The question, or a reason to leave it out.
    QString Pregunta(const TNodoXml& q, const QString& tipo, TPreguntaMoodle& p) {
        p.Tipo = tipo;
        p.Categoria = categoria;
        const TNodoXml* nombre = q.Hijo(QLatin1StringView("name"));
        p.Nombre = nombre ? nombre->TextoHijo() : QString();
        const TNodoXml* enunciado = q.Hijo(QLatin1StringView("questiontext"));
        if (!enunciado)
            return QStringLiteral("falta el texto de la pregunta (<questiontext>)");
        p.Enunciado = Texto(enunciado, QStringLiteral("html"));
        ImagenAntigua(q, p.Enunciado);
        p.Comentario = Texto(q.Hijo(QLatin1StringView("generalfeedback")), QStringLiteral("html"));
        p.InfoCorrector = Texto(q.Hijo(QLatin1StringView("graderinfo")), QStringLiteral("html"));
        if (const TNodoXml* nota = q.Hijo(QLatin1StringView("defaultgrade"))) {
            bool valida = false;
            const double valor = nota->Texto.trimmed().toDouble(&valida);
            if (valida && std::isfinite(valor) && valor >= 0 && valor <= 1e6)
                p.Nota = valor;
        }
        if (const TNodoXml* unica = q.Hijo(QLatin1StringView("single"))) {
            const QString valor = unica->Texto.trimmed().toLower();
            p.Unica = !(valor == QLatin1String("false") || valor == QLatin1String("0"));
        }
        if (const TNodoXml* etiquetas = q.Hijo(QLatin1StringView("tags")))
            for (const TNodoXml& e : etiquetas->Hijos)
                if (e.Nombre == QLatin1String("tag") && !e.TextoHijo().isEmpty())
                    p.Etiquetas << e.TextoHijo();
        const bool conFormato = tipo == TipoOpcionMultiple;
        for (const TNodoXml& h : q.Hijos)
            if (h.Nombre == QLatin1String("answer"))
                p.Respuestas.push_back(Respuesta(h, conFormato));
        if (tipo == TipoOpcionMultiple && p.Respuestas.size() < 2)
            return QStringLiteral(
                "una pregunta de opción múltiple necesita al menos dos respuestas");
        if (tipo == TipoVerdaderoFalso && p.Respuestas.size() != 2)
            return QStringLiteral("una pregunta de verdadero o falso necesita sus dos respuestas");
        return {};
    }

    void Elemento(const TNodoXml& q, const TCuenta& cuenta) {
        const QString tipo = q.Atributo(QLatin1StringView("type")).toLower();
        if (tipo == TipoCategoria) {
            const TNodoXml* c = q.Hijo(QLatin1StringView("category"));
            categoria = PartirRutaCategoria(c ? c->TextoHijo() : QString());
            return;
        }
        const int posicion = ++lectura.Total;
        if (!TipoAdmitido(tipo)) {
            ++lectura.TiposOmitidos[tipo.isEmpty() ? QStringLiteral("(sin tipo)") : tipo];
            return;
        }
        TPreguntaMoodle p;
        QString motivo;
        if (cuenta.profunda)
            motivo = QStringLiteral("tiene demasiados elementos o demasiado anidados");
        else if (cuenta.larga)
            motivo = QStringLiteral("un texto o un archivo es demasiado grande");
        else
            motivo = Pregunta(q, tipo, p);
        if (!motivo.isEmpty()) {
            const TNodoXml* nombre = q.Hijo(QLatin1StringView("name"));
            lectura.Omitidas.push_back(
                {posicion, nombre ? nombre->TextoHijo() : QString(), motivo});
            return;
        }
        lectura.Preguntas.push_back(std::move(p));
        lectura.Posiciones.push_back(posicion);
    }

private:
    TLecturaMoodle& lectura;
    QStringList categoria;
};

QString ErrorXml(const QXmlStreamReader& r, const QString& nombre) {
    const QString donde =
        QStringLiteral(" (línea %1, columna %2)").arg(r.lineNumber()).arg(r.columnNumber());
    switch (r.error()) {
    case QXmlStreamReader::PrematureEndOfDocumentError:
        return QStringLiteral("El archivo «%1» se acaba antes de tiempo: está cortado o dañado%2.")
            .arg(nombre, donde);
    case QXmlStreamReader::UnexpectedElementError:
        return QStringLiteral("El archivo «%1» tiene un elemento inesperado%2.").arg(nombre, donde);
    default:
        return QStringLiteral("El archivo «%1» no es un XML bien formado%2: no se puede leer.")
            .arg(nombre, donde);
    }
}

TLecturaMoodle Leer(QXmlStreamReader& r, const QString& nombre) {
    const QString noEsMoodle =
        QStringLiteral("El archivo «%1» no es un archivo de preguntas de Moodle en formato XML "
                       "(su elemento principal no es <quiz>).")
            .arg(nombre);
    TLecturaMoodle lectura;
    TInterprete interprete(lectura);
    bool enQuiz = false;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType t = r.readNext();
        if (t == QXmlStreamReader::DTD)
            throw ErrorBrivo(QStringLiteral("El archivo «%1» declara un tipo de documento "
                                            "(<!DOCTYPE>): los archivos de preguntas de Moodle no "
                                            "lo llevan, y no se lee porque podría multiplicar su "
                                            "contenido.")
                                 .arg(nombre));
        if (t == QXmlStreamReader::EndElement && enQuiz)
            break;
        if (t != QXmlStreamReader::StartElement)
            continue;
        if (!enQuiz) {
            if (r.name() != QLatin1String("quiz"))
                throw ErrorBrivo(noEsMoodle);
            enQuiz = true;
            continue;
        }
        if (r.name() != QLatin1String("question")) {
            r.skipCurrentElement();
            continue;
        }
        TNodoXml q;
        TCuenta cuenta;
        LeerNodo(r, q, 1, cuenta);
        if (r.hasError())
            break;
        interprete.Elemento(q, cuenta);
    }
    if (r.hasError())
        throw ErrorBrivo(ErrorXml(r, nombre));
    if (!enQuiz)
        throw ErrorBrivo(noEsMoodle);
    return lectura;
}

} // namespace

bool TipoAdmitido(const QString& tipo) {
    return tipo == TipoOpcionMultiple || tipo == TipoVerdaderoFalso || tipo == TipoRespuestaCorta ||
           tipo == TipoNumerica || tipo == TipoEnsayo || tipo == TipoDescripcion;
}

TLecturaMoodle LeerXmlMoodle(const QString& ruta) {
    const QString nombre = QDir::toNativeSeparators(ruta);
    const QFileInfo info(ruta);
    QFile archivo(ruta);
    if (!info.isFile() || !archivo.open(QIODevice::ReadOnly))
        throw ErrorBrivo(QStringLiteral("No se puede leer el archivo «%1».").arg(nombre));
    if (archivo.size() > MaxBytesArchivoMoodle)
        throw ErrorBrivo(QStringLiteral("El archivo «%1» es demasiado grande (más de %2 MB): no "
                                        "se lee.")
                             .arg(nombre)
                             .arg(MaxBytesArchivoMoodle / (1024 * 1024)));
    QXmlStreamReader r(&archivo);
    return Leer(r, nombre);
}

TLecturaMoodle LeerXmlMoodle(const QByteArray& datos, const QString& nombre) {
    if (datos.size() > MaxBytesArchivoMoodle)
        throw ErrorBrivo(QStringLiteral("El archivo «%1» es demasiado grande (más de %2 MB): no "
                                        "se lee.")
                             .arg(nombre)
                             .arg(MaxBytesArchivoMoodle / (1024 * 1024)));
    QXmlStreamReader r(datos);
    return Leer(r, nombre);
}

} // namespace brivo::moodle
