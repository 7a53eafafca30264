#include "DocumentoAPregunta.h"

#include <algorithm>

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QUrl>

#include "HtmlMoodle.h"
#include "TextosComunes.h"

namespace brivo::moodle {

namespace {

constexpr int TipoTest = 1;

struct TImagenDatos {
    QByteArray Bytes;
    QString Mime;
};

// The bytes of a data: URI ("data:image/png;base64,....").
bool DecodificarDatos(const QString& nombre, TImagenDatos& imagen) {
    if (!nombre.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return false;
    const qsizetype coma = nombre.indexOf(QLatin1Char(','));
    if (coma < 0)
        return false;
    const QString cabecera = nombre.mid(5, coma - 5);
    const QByteArray datos = nombre.mid(coma + 1).toLatin1();
    imagen.Mime = cabecera.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    imagen.Bytes = cabecera.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)
                       ? QByteArray::fromBase64(QByteArray::fromPercentEncoding(datos))
                       : QByteArray::fromPercentEncoding(datos);
    return !imagen.Bytes.isEmpty();
}

QString Extension(const TImagenDatos& imagen) {
    static const QHash<QString, QString> porMime = {
        {QStringLiteral("image/png"), QStringLiteral("png")},
        {QStringLiteral("image/jpeg"), QStringLiteral("jpg")},
        {QStringLiteral("image/jpg"), QStringLiteral("jpg")},
        {QStringLiteral("image/gif"), QStringLiteral("gif")},
        {QStringLiteral("image/bmp"), QStringLiteral("bmp")},
        {QStringLiteral("image/svg+xml"), QStringLiteral("svg")},
        {QStringLiteral("image/webp"), QStringLiteral("webp")}};
    if (const auto it = porMime.find(imagen.Mime); it != porMime.end())
        return *it;
    QByteArray bytes = imagen.Bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray formato = QImageReader::imageFormat(&buffer);
    if (formato == "jpeg")
        return QStringLiteral("jpg");
    return formato.isEmpty() ? QStringLiteral("img") : QString::fromLatin1(formato);
}

// The images of one question: each becomes a file of every text that shows
// it, under one name for the whole question.
class TImagenes {
public:
    TFuenteImagen Para(TTextoMoodle& texto) {
        return [this, &texto](const QString& nombre) -> QString {
            TImagenDatos imagen;
            if (!DecodificarDatos(nombre, imagen))
                return {};
            const QByteArray huella =
                QCryptographicHash::hash(imagen.Bytes, QCryptographicHash::Sha1);
            QString& archivo = nombres[huella];
            if (archivo.isEmpty())
                archivo = QStringLiteral("imagen%1.%2").arg(++cuenta).arg(Extension(imagen));
            const bool tiene =
                std::any_of(texto.Archivos.begin(), texto.Archivos.end(),
                            [&](const TArchivoMoodle& a) { return a.Nombre == archivo; });
            if (!tiene)
                texto.Archivos.push_back({archivo, QStringLiteral("/"), imagen.Bytes});
            return QStringLiteral("@@PLUGINFILE@@/") +
                   QString::fromLatin1(QUrl::toPercentEncoding(archivo));
        };
    }

private:
    QHash<QByteArray, QString> nombres;
    int cuenta = 0;
};

void AnadirTexto(TTextoMoodle& texto, const QString& html, TImagenes& imagenes) {
    if (html.isEmpty())
        return;
    TDocumentoCerrado doc;
    doc.setHtml(html);
    const std::vector<TElementoTexto> elementos = ElementosDe(doc);
    texto.Html += HtmlDeElementos(elementos, 0, elementos.size(), imagenes.Para(texto));
}

// The letter of an answer: "b", "B", "b)", "b." (blanks around allowed).
QChar LetraRespuesta(const QString& respuesta) {
    static const QRegularExpression patron(QStringLiteral("^\\s*([A-Za-z])\\s*[).]?\\s*$"));
    const QRegularExpressionMatch m = patron.match(respuesta);
    return m.hasMatch() ? m.captured(1).at(0).toLower() : QChar();
}

// The multiple-choice form of a "Test" document; false with motivo when it
// has none.
bool OpcionMultiple(const TDocumento& d, const QString& htmlPregunta, TPreguntaMoodle& p,
                    TImagenes& imagenes, QString& motivo) {
    TDocumentoCerrado doc;
    doc.setHtml(htmlPregunta);
    const std::vector<TElementoTexto> elementos = ElementosDe(doc);
    TOpcionesPregunta opciones;
    if (!BuscarOpciones(elementos, opciones, motivo))
        return false;
    const QString respuesta = d.Respuesta.Texto().trimmed();
    const QChar letra = LetraRespuesta(respuesta);
    const int cuantas = int(opciones.Elementos.size());
    if (respuesta.isEmpty()) {
        motivo = QStringLiteral("no tiene respuesta (columna «Resp.»)");
        return false;
    }
    if (letra.isNull()) {
        motivo = QStringLiteral("la respuesta «%1» no es la letra de una opción").arg(respuesta);
        return false;
    }
    const int correcta = letra.unicode() - u'a';
    if (correcta >= cuantas) {
        motivo = QStringLiteral("la respuesta «%1» no es ninguna de sus %2 opciones (a–%3)")
                     .arg(respuesta)
                     .arg(cuantas)
                     .arg(QChar(u'a' + cuantas - 1));
        return false;
    }
    p.Tipo = TipoOpcionMultiple;
    p.Enunciado.Html =
        HtmlDeElementos(elementos, 0, opciones.Elementos.front(), imagenes.Para(p.Enunciado));
    for (int i = 0; i < cuantas; ++i) {
        TRespuestaMoodle r;
        r.Fraccion = i == correcta ? 100 : 0;
        r.Texto.Html = HtmlEnLinea(elementos[opciones.Elementos[size_t(i)]].Bloque,
                                   opciones.Prefijo[size_t(i)], imagenes.Para(r.Texto));
        p.Respuestas.push_back(std::move(r));
    }
    p.Penalizacion = 1.0 / 3.0;
    return true;
}

} // namespace

int InicioTrasParrafoMarcador(word::IDocumentoWord& documento, const QString& marcador) {
    auto rango = documento.Content();
    const int finTexto = rango->End();
    if (!BuscarTexto(*rango, marcador))
        return -1;
    auto parrafo = documento.Content();
    parrafo->SetRange(rango->Start(), finTexto);
    if (!BuscarTexto(*parrafo, QStringLiteral("^p")))
        return -1;
    return parrafo->End();
}

TSecciones RangosDeSecciones(word::IDocumentoWord& documento) {
    const auto& marcadores = MarcadoresSeccion();
    const int finTexto = documento.Content()->End();
    TSecciones s;
    std::array<int, NumSecciones> marca{-1, -1, -1, -1};
    for (int m = SecPregunta; m <= SecComentario; ++m) {
        auto rango = documento.Content();
        if (!BuscarTexto(*rango, marcadores[size_t(m)]))
            continue;
        marca[size_t(m)] = rango->Start();
        s.Inicio[m] = InicioTrasParrafoMarcador(documento, marcadores[size_t(m)]);
    }
    if (s.Inicio[SecPregunta] == -1)
        s.Inicio[SecPregunta] = 0; // no "#PREG": the question is the start of the text
    for (int m = SecPregunta; m <= SecComentario; ++m) {
        if (s.Inicio[m] < 0)
            continue;
        int fin = finTexto;
        for (int siguiente = m + 1; siguiente <= SecComentario; ++siguiente) {
            if (marca[size_t(siguiente)] >= s.Inicio[m]) {
                fin = marca[size_t(siguiente)];
                break;
            }
        }
        if (fin < finTexto) {
            // The section ends with the last paragraph mark before the marker.
            auto rango = documento.Content();
            rango->SetRange(s.Inicio[m], fin);
            fin = BuscarTexto(*rango, QStringLiteral("^p"), false) ? rango->End() : s.Inicio[m];
        }
        s.Fin[m] = fin;
    }
    return s;
}

TSeccionesHtml LeerSecciones(word::IDocumentoWord& documento) {
    const TSecciones s = RangosDeSecciones(documento);
    TSeccionesHtml r;
    for (int m = SecPregunta; m <= SecComentario; ++m) {
        if (!s.Existe(m))
            continue;
        auto rango = documento.Content();
        rango->SetRange(s.Inicio[m], s.Fin[m]);
        r.Html[size_t(m)] = rango->Html();
    }
    return r;
}

QString NombreTipo(int tipo) {
    return tipo > 0 && tipo < textos::TiposDocumento
               ? QString::fromLatin1(textos::NombresTipo[tipo])
               : QString();
}

TPreguntaMoodle PreguntaDe(const TDocumento& d, const TSeccionesHtml& secciones, QString& motivo) {
    motivo.clear();
    TPreguntaMoodle base;
    base.Documento = d.Numero;
    base.Nombre = d.Descripcion.Texto().trimmed();
    if (base.Nombre.isEmpty())
        base.Nombre = QStringLiteral("Documento %1").arg(d.Numero);
    base.Nota = d.Puntos > 0 ? d.Puntos : 1;
    base.Etiquetas << QStringLiteral("dificultad-%1").arg(d.Dificultad);
    if (!NombreTipo(d.Tipo).isEmpty())
        base.Etiquetas << NombreTipo(d.Tipo);

    TPreguntaMoodle p = base;
    TImagenes imagenes;
    if (d.Tipo != TipoTest ||
        !OpcionMultiple(d, secciones.Html[SecPregunta], p, imagenes, motivo)) {
        p = base;
        imagenes = TImagenes();
        p.Tipo = TipoEnsayo;
        AnadirTexto(p.Enunciado, secciones.Html[SecPregunta], imagenes);
        AnadirTexto(p.InfoCorrector, secciones.Html[SecRespuesta], imagenes);
        if (!secciones.Html[SecDesarrollo].isEmpty()) {
            p.InfoCorrector.Html += QStringLiteral("<p><strong>Desarrollo</strong></p>");
            AnadirTexto(p.InfoCorrector, secciones.Html[SecDesarrollo], imagenes);
        }
    }
    AnadirTexto(p.Comentario, secciones.Html[SecComentario], imagenes);
    return p;
}

} // namespace brivo::moodle
