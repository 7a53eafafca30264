#include "ImportacionOficina.h"

#include <map>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "Errores.h"
#include "TextosComunes.h"

namespace brivo::word {

using oficina::FormatoOficina;

namespace {

QByteArray LeerBytes(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeLeerArchivo).arg(ruta));
    QByteArray datos = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeLeerArchivo).arg(ruta));
    return datos;
}

void EscribirBytes(const QString& ruta, const QByteArray& datos) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() ||
        !archivo.flush())
        throw ErrorBrivo(QStringLiteral("No se puede escribir el archivo \"%1\".").arg(ruta));
}

// The font families of the style sheet's rules for elements and classes
// ("p.western { font-family: … }") written into the style attribute of the
// elements they select, and taken out of the style sheet: Qt applies such a
// rule to the text inside the element too, over the text's own font.
QString FamiliasEnLinea(const QString& html) {
    static const QRegularExpression bloqueEstilo(
        QStringLiteral("<style[^>]*>(.*?)</style>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression regla(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    static const QRegularExpression familia(QStringLiteral("font-family\\s*:\\s*([^;}]*);?"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selector(
        QStringLiteral("(?:^|\\s)([a-z][a-z0-9]*)(?:\\.([-\\w]+))?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch estilo = bloqueEstilo.match(html);
    if (!estilo.hasMatch())
        return html;
    std::map<std::pair<QString, QString>, QString> familias; // (element, class) -> families
    auto reglas = regla.globalMatch(estilo.captured(1));
    while (reglas.hasNext()) {
        const QRegularExpressionMatch r = reglas.next();
        const QRegularExpressionMatch f = familia.match(r.captured(2));
        if (!f.hasMatch())
            continue;
        for (const QString& s : r.captured(1).split(QLatin1Char(','))) {
            const QRegularExpressionMatch m = selector.match(s.trimmed());
            if (m.hasMatch())
                familias[{m.captured(1).toLower(), m.captured(2)}] = f.captured(1).trimmed();
        }
    }
    if (familias.empty())
        return html;
    QString hoja = estilo.captured(1);
    hoja.remove(familia);
    QString resultado = html.left(estilo.capturedStart(1)) + hoja + html.mid(estilo.capturedEnd(1));

    static const QRegularExpression etiqueta(QStringLiteral("<([a-z][a-z0-9]*)\\b([^<>]*)>"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression clase(QStringLiteral("\\bclass=\"([^\"]*)\""));
    static const QRegularExpression atributoEstilo(QStringLiteral("\\bstyle=\""));
    QString salida;
    qsizetype desde = 0;
    auto it = etiqueta.globalMatch(resultado, estilo.capturedStart(0) + hoja.size());
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString elemento = m.captured(1).toLower();
        const QString nombreClase = clase.match(m.captured(2)).captured(1);
        auto f = familias.find({elemento, nombreClase});
        if (f == familias.end())
            f = familias.find({elemento, QString()});
        if (f == familias.end())
            continue;
        QString atributos = m.captured(2);
        const QString declaracion =
            QStringLiteral("font-family: ") +
            QString(f->second).replace(QLatin1Char('"'), QLatin1Char('\'')) + QStringLiteral("; ");
        const QRegularExpressionMatch e = atributoEstilo.match(atributos);
        if (e.hasMatch())
            atributos.insert(e.capturedEnd(), declaracion);
        else
            atributos += QStringLiteral(" style=\"") + declaracion + QLatin1Char('"');
        salida += QStringView(resultado).mid(desde, m.capturedStart() - desde);
        salida += QLatin1Char('<') + m.captured(1) + atributos + QLatin1Char('>');
        desde = m.capturedEnd();
    }
    salida += QStringView(resultado).mid(desde);
    return salida;
}

void AnadirPropiedad(PropiedadesDocumento& propiedades, int numero, const QString& valor) {
    if (!valor.trimmed().isEmpty())
        propiedades[numero] = valor;
}

} // namespace

void CargarHtmlDeOficina(const QString& html, QTextDocument& doc) {
    // LibreOffice breaks its lines and indents its tags for people to read;
    // "white-space: pre" from a style sheet would make that layout text.
    static const QRegularExpression espaciosPre(
        QStringLiteral("white-space\\s*:\\s*pre[-a-z]*\\s*;?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression espacioAnteBloque(
        QStringLiteral("\\s+(?=</?(?:p|li|ol|ul|dl|dd|dt|div|table|tr|td|th|h[1-6]|body)\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    // <font size="3" style="font-size: 12pt">: the size in points is the one
    // meant; Qt would take the relative HTML size instead.
    static const QRegularExpression tamanoRelativo(
        QStringLiteral("(<font)\\s+size=\"[^\"]*\"(?=\\s+style=\"[^\"]*font-size)"),
        QRegularExpression::CaseInsensitiveOption);
    QString limpio = FamiliasEnLinea(html);
    limpio.replace(tamanoRelativo, QStringLiteral("\\1"));
    limpio.remove(espaciosPre);
    limpio.remove(espacioAnteBloque);

    // Paragraphs without margins of their own have none in a word processor.
    const QString hojaAnterior = doc.defaultStyleSheet();
    doc.setDefaultStyleSheet(QStringLiteral(
        "p, li { margin-top: 0px; } ol, ul { margin-top: 0px; margin-bottom: 0px; }"));
    doc.setHtml(limpio);
    doc.setDefaultStyleSheet(hojaAnterior);

    // An empty paragraph arrives as one holding a line break only.
    QTextCursor cursor(&doc);
    for (QTextBlock bloque = doc.begin(); bloque.isValid(); bloque = bloque.next()) {
        if (bloque.text() != QString(QChar::LineSeparator))
            continue;
        cursor.setPosition(bloque.position());
        cursor.setPosition(bloque.position() + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    doc.setModified(false);
}

LecturaOficina LeerDatosOficina(const QString& ruta, const QByteArray& datos,
                                FormatoOficina formato, const QString& clave, QTextDocument& doc,
                                oficina::IConversorOficina& conversor) {
    if (!oficina::ContenidoCompleto(datos, formato))
        throw oficina::ErrorConversion(oficina::MotivoFallo::Danado,
                                       oficina::MensajeFallo(oficina::MotivoFallo::Danado, ruta));
    QTemporaryDir temporal(QDir::temp().filePath(QStringLiteral("brivo2-conversion-XXXXXX")));
    if (!temporal.isValid())
        throw ErrorBrivo(QStringLiteral("No se puede crear una carpeta temporal para convertir "
                                        "\"%1\".")
                             .arg(ruta));
    oficina::TPeticionConversion peticion;
    peticion.Entrada = temporal.filePath(QStringLiteral("entrada") + ExtensionFormato(formato));
    peticion.Salida = temporal.filePath(QStringLiteral("salida.html"));
    peticion.Filtro = oficina::FiltroHtml;
    peticion.Opciones = QStringLiteral("EmbedImages");
    peticion.Clave = clave;
    peticion.NombreParaMensajes = ruta;
    EscribirBytes(peticion.Entrada, datos);
    const oficina::TResultadoOficina resultado = conversor.Convertir(peticion);

    const QByteArray html = LeerBytes(peticion.Salida);
    QStringDecoder decodificador = QStringDecoder::decoderForHtml(html);
    CargarHtmlDeOficina(
        decodificador.isValid() ? decodificador.decode(html) : QString::fromUtf8(html), doc);

    LecturaOficina lectura;
    lectura.Formato = formato;
    lectura.Cifrado = resultado.Cifrado;
    AnadirPropiedad(lectura.Propiedades, PropTitulo, resultado.Propiedades.Titulo);
    AnadirPropiedad(lectura.Propiedades, PropAsunto, resultado.Propiedades.Asunto);
    AnadirPropiedad(lectura.Propiedades, PropAutor, resultado.Propiedades.Autor);
    AnadirPropiedad(lectura.Propiedades, PropComentarios, resultado.Propiedades.Comentarios);
    return lectura;
}

PropiedadesDocumento CargarDocumento(const QString& ruta, const QString& clave, QTextDocument& doc,
                                     oficina::IConversorOficina& conversor) {
    const FormatoOficina formato = oficina::FormatoDeArchivo(ruta);
    if (formato == FormatoOficina::Ninguno)
        return LeerArchivoDocumento(ruta, clave, doc).propiedades;
    return LeerDatosOficina(ruta, LeerBytes(ruta), formato, clave, doc, conversor).Propiedades;
}

void ImportarArchivo(const QString& origen, const QString& clave, const QString& destino,
                     const QString& claveDestino, oficina::IConversorOficina& conversor) {
    if (QFileInfo(origen).absoluteFilePath() == QFileInfo(destino).absoluteFilePath())
        throw ErrorBrivo(
            QStringLiteral("No se puede importar el archivo \"%1\" sobre sí mismo.").arg(origen));
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    const PropiedadesDocumento propiedades = CargarDocumento(origen, clave, doc, conversor);
    // A book folder removed by hand is made again.
    QDir().mkpath(QFileInfo(destino).absolutePath());
    GuardarArchivoDocumento(destino, claveDestino, doc, propiedades);
}

QString CarpetaCopias(const QString& ruta) {
    const QString carpeta = QFileInfo(ruta).absolutePath();
    const QFileInfo libro(carpeta);
    const QFileInfo docs(libro.path());
    if (docs.fileName() == QLatin1String("Docs") && libro.fileName() != QLatin1String("Docs"))
        return docs.path() + QStringLiteral("/BAK/") + libro.fileName();
    return carpeta + QStringLiteral("/BAK");
}

QString GuardarCopiaOriginal(const QString& ruta, const QByteArray& datos) {
    const QDir carpeta(CarpetaCopias(ruta));
    const auto fallo = [&] {
        return ErrorBrivo(
            QStringLiteral("No se puede guardar una copia del original de \"%1\" en \"%2\".")
                .arg(ruta, carpeta.path()));
    };
    if (!QDir().mkpath(carpeta.path()))
        throw fallo();
    QTemporaryFile temporal(carpeta.filePath(QStringLiteral(".copia-XXXXXX")));
    if (!temporal.open() || temporal.write(datos) != datos.size() || !temporal.flush())
        throw fallo();
    temporal.close();
    const QFileInfo info(ruta);
    const QString base = info.completeBaseName();
    const QString extension =
        info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1; n < 10000; ++n) {
        const QString nombre =
            n == 1 ? info.fileName() : QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(extension);
        const QString destino = carpeta.filePath(nombre);
        if (QFileInfo::exists(destino))
            continue;
        // rename never replaces a file that exists.
        if (temporal.rename(destino)) {
            temporal.setAutoRemove(false);
            return destino;
        }
    }
    throw fallo();
}

ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta, const QString& clave,
                                                    oficina::IConversorOficina& conversor) {
    ResultadoConversionArchivo resultado;
    {
        QFile archivo(ruta);
        if (!archivo.open(QIODevice::ReadOnly) || !oficina::PuedeSerDeOficina(archivo.peek(8)))
            return resultado;
    }
    const QByteArray original = LeerBytes(ruta);
    const FormatoOficina formato = oficina::FormatoDeContenido(original);
    // A compound file or a zip that holds no text document is nothing the
    // program can open, converted or not.
    if (formato == FormatoOficina::Ninguno)
        throw ErrorBrivo(QString::fromUtf8(textos::FormatoNoLegible).arg(ruta));

    // Everything that can fail without changing a file comes first.
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    const LecturaOficina lectura = LeerDatosOficina(ruta, original, formato, clave, doc, conversor);
    QByteArray datos = HtmlDeDocumento(doc, lectura.Propiedades);
    // A file that was protected stays protected, with the same password.
    if (lectura.Cifrado && !clave.isEmpty())
        datos = CifrarContenido(datos, clave);

    resultado.Copia = GuardarCopiaOriginal(ruta, original);
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() ||
        !archivo.commit())
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeGuardarArchivo).arg(ruta));
    resultado.Convertido = true;
    resultado.Formato = oficina::NombreFormato(formato);
    return resultado;
}

} // namespace brivo::word
