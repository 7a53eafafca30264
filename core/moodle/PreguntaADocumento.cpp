#include "PreguntaADocumento.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QUrl>

#include "DocumentoAPregunta.h"
#include "HtmlMoodle.h"
#include "LectorMoodle.h"
#include "LimitesDocumento.h"

namespace brivo::moodle {

namespace {

constexpr int MaxOpciones = 26; // a to z

QString Letra(int i) {
    return QString(QChar(u'a' + i));
}

// The images of one question on their way into a document: the question's
// own files and embedded data, checked to be images, as data: URIs.
class TImagenesEntrada {
public:
    TImagenesEntrada(const TPreguntaMoodle& pregunta, int& omitidas)
        : propias(pregunta.Enunciado.Archivos), cuenta(omitidas) {}

    TFuenteImagen Para(const TTextoMoodle& texto) {
        return [this, &texto](const QString& nombre) -> QString {
            QByteArray bytes;
            const QString prefijo = QStringLiteral("@@PLUGINFILE@@");
            if (nombre.startsWith(prefijo, Qt::CaseInsensitive)) {
                bytes = Archivo(texto, nombre.mid(prefijo.size()));
            } else if (nombre.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
                const qsizetype coma = nombre.indexOf(QLatin1Char(','));
                if (coma > 0 &&
                    nombre.left(coma).endsWith(QLatin1String(";base64"), Qt::CaseInsensitive))
                    bytes = QByteArray::fromBase64(nombre.mid(coma + 1).toLatin1());
            }
            const QString uri = ComoDatos(bytes);
            if (uri.isEmpty())
                ++cuenta;
            return uri;
        };
    }

private:
    // The file a reference names ("/dir/name.png", maybe percent-encoded,
    // maybe with a query), among the text's files and then the question
    // text's.
    QByteArray Archivo(const TTextoMoodle& texto, QString referencia) const {
        referencia = referencia.section(QLatin1Char('?'), 0, 0);
        const QString decodificada = QUrl::fromPercentEncoding(referencia.toUtf8());
        const QStringList partes = decodificada.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (partes.isEmpty())
            return {};
        const QString nombre = partes.back();
        const QString ruta = partes.size() == 1
                                 ? QStringLiteral("/")
                                 : QLatin1Char('/') +
                                       partes.mid(0, partes.size() - 1).join(QLatin1Char('/')) +
                                       QLatin1Char('/');
        for (const auto* lista : {&texto.Archivos, &propias})
            for (const TArchivoMoodle& a : *lista)
                if (a.Nombre == nombre && a.Ruta == ruta)
                    return a.Datos;
        return {};
    }

    QString ComoDatos(const QByteArray& bytes) {
        if (bytes.isEmpty() || bytes.size() > MaxBytesImagenesDocumento - usados)
            return {};
        QByteArray copia = bytes;
        QBuffer buffer(&copia);
        buffer.open(QIODevice::ReadOnly);
        const QByteArray formato = QImageReader::imageFormat(&buffer);
        if (formato.isEmpty() || QImage::fromData(bytes).isNull())
            return {};
        usados += bytes.size();
        const QString mime = formato == "svg"
                                 ? QStringLiteral("image/svg+xml")
                                 : QStringLiteral("image/") + QString::fromLatin1(formato);
        return QStringLiteral("data:") + mime + QStringLiteral(";base64,") +
               QString::fromLatin1(bytes.toBase64());
    }

    const std::vector<TArchivoMoodle>& propias;
    int& cuenta;
    qsizetype usados = 0;
};

// A text as the HTML of paragraphs, or in line (its paragraphs joined by
// line breaks) for an option. False when it is beyond the limits.
bool Convertir(const TTextoMoodle& texto, const TFuenteImagen& fuente, QString& html,
               bool enLinea = false) {
    html.clear();
    if (texto.Vacio())
        return true;
    if (texto.Html.size() > MaxBytesTextoMoodle ||
        word::ComprobarHtml(texto.Html.toUtf8()) != word::ExcesoDocumento::Ninguno)
        return false;
    TDocumentoCerrado doc;
    doc.setHtml(texto.Html);
    if (!enLinea) {
        const std::vector<TElementoTexto> elementos = ElementosDe(doc);
        html = HtmlDeElementos(elementos, 0, elementos.size(), fuente);
        return true;
    }
    QStringList lineas;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (!ParrafoVacio(b))
            lineas << HtmlEnLinea(b, 0, fuente);
    html = lineas.join(QStringLiteral("<br />"));
    return true;
}

QString Porcentaje(double fraccion) {
    return fraccion < 100 ? QStringLiteral(" (%1 %)").arg(QString::number(fraccion)) : QString();
}

QString TextoPlano(const QString& html) {
    TDocumentoCerrado doc;
    doc.setHtml(html);
    return doc.toPlainText().trimmed();
}

bool EsVerdadero(const TRespuestaMoodle& r) {
    const QString texto = TextoPlano(r.Texto.Html).toLower();
    return texto == QLatin1String("true") || texto == QLatin1String("verdadero");
}

void TipoYDificultad(const TPreguntaMoodle& p, TDocumentoMoodle& d) {
    static const QRegularExpression dificultad(QStringLiteral("^dificultad-([0-9])$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& etiqueta : p.Etiquetas) {
        const QString e = etiqueta.trimmed();
        if (const QRegularExpressionMatch m = dificultad.match(e); m.hasMatch())
            d.Dificultad = m.captured(1).toInt();
        for (int tipo = 1; tipo <= 3; ++tipo)
            if (d.Tipo == 0 && e.compare(NombreTipo(tipo), Qt::CaseInsensitive) == 0)
                d.Tipo = tipo;
    }
    if (p.Tipo == TipoOpcionMultiple || p.Tipo == TipoVerdaderoFalso)
        d.Tipo = 1;
}

// Options in the question and the right ones in the answer.
bool Opciones(const TPreguntaMoodle& p, TImagenesEntrada& imagenes, TDocumentoMoodle& d) {
    QStringList correctas;
    const int cuantas = std::min<int>(int(p.Respuestas.size()), MaxOpciones);
    for (int i = 0; i < cuantas; ++i) {
        const TRespuestaMoodle& r = p.Respuestas[size_t(i)];
        QString texto;
        if (p.Tipo == TipoVerdaderoFalso)
            texto = (EsVerdadero(r) ? QStringLiteral("Verdadero") : QStringLiteral("Falso"));
        else if (!Convertir(r.Texto, imagenes.Para(r.Texto), texto, true))
            return false;
        const QString parrafo = QStringLiteral("<p>") + Letra(i) + QStringLiteral(") ") + texto;
        d.Html[SecPregunta] += parrafo + QStringLiteral("</p>");
        if (r.Fraccion > 0) {
            correctas << Letra(i);
            d.Html[SecRespuesta] += parrafo + Porcentaje(r.Fraccion) + QStringLiteral("</p>");
        }
    }
    d.Respuesta = correctas.join(QLatin1Char(','));
    return true;
}

// The accepted answers of a shortanswer or numerical question.
void Aceptadas(const TPreguntaMoodle& p, TDocumentoMoodle& d) {
    for (const TRespuestaMoodle& r : p.Respuestas) {
        const QString valor = TextoPlano(r.Texto.Html);
        if (r.Fraccion <= 0 || valor.isEmpty() || valor == QLatin1String("*"))
            continue;
        QString linea = valor;
        bool numero = false;
        const double tolerancia = r.Tolerancia.toDouble(&numero);
        if (p.Tipo == TipoNumerica && numero && tolerancia != 0)
            linea += QStringLiteral(" ± ") + r.Tolerancia;
        d.Html[SecRespuesta] += QStringLiteral("<p>") + linea.toHtmlEscaped() +
                                Porcentaje(r.Fraccion) + QStringLiteral("</p>");
    }
}

// Paragraphs spaced as in the model documents, not as a web page's.
QString ConMargenes(QString html) {
    const QString margenes = QStringLiteral("margin-top:0px; margin-bottom:6px;");
    html.replace(QStringLiteral("<p>"),
                 QStringLiteral("<p style=\"") + margenes + QStringLiteral("\">"));
    html.replace(QStringLiteral("<p style=\"text-align"),
                 QStringLiteral("<p style=\"") + margenes + QStringLiteral(" text-align"));
    return html;
}

QString HtmlCompleto(const TDocumentoMoodle& d) {
    QString html;
    for (int m = SecPregunta; m <= SecComentario; ++m)
        html += QStringLiteral("<p><strong>") + MarcadoresSeccion()[size_t(m)] +
                QStringLiteral("</strong></p>") + d.Html[size_t(m)];
    return html;
}

bool MarcadoresEnOrden(word::IDocumentoWord& documento) {
    int anterior = -1;
    for (const QString& marcador : MarcadoresSeccion()) {
        auto rango = documento.Content();
        if (!BuscarTexto(*rango, marcador) || rango->Start() <= anterior)
            return false;
        anterior = rango->Start();
    }
    return true;
}

} // namespace

bool DocumentoDe(const TPreguntaMoodle& p, TDocumentoMoodle& d, QString& motivo) {
    d = {};
    d.Descripcion = p.Nombre.trimmed();
    d.Puntos = p.Nota;
    TipoYDificultad(p, d);
    TImagenesEntrada imagenes(p, d.ImagenesOmitidas);
    const auto fallo = [&] {
        motivo = QStringLiteral("un texto es demasiado grande o está dañado");
        return false;
    };
    if (!Convertir(p.Enunciado, imagenes.Para(p.Enunciado), d.Html[SecPregunta]))
        return fallo();
    if (p.Tipo == TipoOpcionMultiple || p.Tipo == TipoVerdaderoFalso) {
        if (!Opciones(p, imagenes, d))
            return fallo();
    } else {
        Aceptadas(p, d);
    }
    QString info;
    if (!Convertir(p.InfoCorrector, imagenes.Para(p.InfoCorrector), info))
        return fallo();
    d.Html[SecRespuesta] += info;
    if (!Convertir(p.Comentario, imagenes.Para(p.Comentario), d.Html[SecComentario]))
        return fallo();
    for (QString& html : d.Html)
        html = ConMargenes(html);
    return true;
}

void LlenarDocumento(word::IDocumentoWord& documento, const TDocumentoMoodle& contenido) {
    if (!MarcadoresEnOrden(documento)) {
        documento.Content()->InsertarHtml(HtmlCompleto(contenido));
        return;
    }
    // From the last section to the first, so that each replacement leaves
    // the positions of the sections before it as they were.
    for (int m = SecComentario; m >= SecPregunta; --m) {
        const TSecciones s = RangosDeSecciones(documento);
        int inicio = s.Inicio[m];
        auto rango = documento.Content();
        if (inicio >= rango->End()) {
            // The marker's paragraph ends the text: a paragraph after it.
            rango->Collapse(word::Direccion::Final);
            rango->InsertAfter(QStringLiteral("\r"));
            inicio = rango->End();
            rango = documento.Content();
        }
        rango->SetRange(inicio, std::max(s.Fin[m], inicio));
        rango->InsertarHtml(contenido.Html[size_t(m)]);
    }
}

} // namespace brivo::moodle
