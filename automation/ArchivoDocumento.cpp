#include "ArchivoDocumento.h"

#include <cstring>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>
#include <sodium.h>

#include "Archivos.h"
#include "Errores.h"
#include "LimitesDocumento.h"
#include "TextosComunes.h"

namespace brivo::word {

namespace {

constexpr char Firma[] = "BRIVOCIF";
constexpr int LargoFirma = 8;
constexpr unsigned char VersionCifrado = 1;
constexpr int LargoSal = crypto_pwhash_SALTBYTES;
constexpr int LargoNonce = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr int LargoCabecera = LargoFirma + 1 + 4 + 4 + LargoSal + LargoNonce;
constexpr int LargoClave = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;

// Mark of the engine's own files, written in the head of every file.
const QString MarcaGenerador = QStringLiteral("Brivo II procesador de textos 9.0");

void IniciarSodium() {
    static const bool listo = sodium_init() >= 0;
    if (!listo)
        throw ErrorBrivo(QStringLiteral("No se puede iniciar el cifrado de documentos."));
}

void EscribirU32(char* destino, quint32 valor) {
    for (int i = 0; i < 4; ++i)
        destino[i] = char((valor >> (8 * i)) & 0xFF);
}

quint32 LeerU32(const char* origen) {
    quint32 valor = 0;
    for (int i = 0; i < 4; ++i)
        valor |= quint32(static_cast<unsigned char>(origen[i])) << (8 * i);
    return valor;
}

void DerivarClave(unsigned char* clave, const QString& contrasena, const unsigned char* sal,
                  unsigned long long pasadas, size_t memoria) {
    const QByteArray texto = contrasena.toUtf8();
    if (crypto_pwhash(clave, LargoClave, texto.constData(), quint64(texto.size()), sal, pasadas,
                      memoria, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw ErrorBrivo(QStringLiteral("No hay memoria suficiente para descifrar el documento."));
}

QString ErrorDanado(const QString& ruta) {
    return QString::fromUtf8(textos::ArchivoDanado).arg(ruta);
}

QString ErrorGrande(const QString& ruta) {
    return QStringLiteral("El archivo \"%1\" es demasiado grande para abrirlo.").arg(ruta);
}

void Limitar(ExcesoDocumento exceso, const QString& ruta) {
    if (exceso == ExcesoDocumento::Danado)
        throw ErrorBrivo(ErrorDanado(ruta));
    if (exceso == ExcesoDocumento::DemasiadoGrande)
        throw ErrorBrivo(ErrorGrande(ruta));
}

QString EscaparAtributo(const QString& texto) {
    QString r = texto.toHtmlEscaped();
    r.replace(QLatin1Char('\n'), QStringLiteral("&#10;"));
    r.replace(QLatin1Char('\r'), QStringLiteral("&#13;"));
    return r;
}

QString DesescaparAtributo(const QString& texto) {
    static const QRegularExpression entidad(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
    QString r;
    r.reserve(texto.size());
    qsizetype desde = 0;
    auto it = entidad.globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        r += QStringView(texto).mid(desde, m.capturedStart() - desde);
        const QString nombre = m.captured(1);
        if (nombre.startsWith(QLatin1String("#x")))
            r += QChar(char16_t(nombre.mid(2).toUInt(nullptr, 16)));
        else if (nombre.startsWith(QLatin1Char('#')))
            r += QChar(char16_t(nombre.mid(1).toUInt()));
        else if (nombre == QLatin1String("amp"))
            r += QLatin1Char('&');
        else if (nombre == QLatin1String("lt"))
            r += QLatin1Char('<');
        else if (nombre == QLatin1String("gt"))
            r += QLatin1Char('>');
        else if (nombre == QLatin1String("quot"))
            r += QLatin1Char('"');
        else if (nombre == QLatin1String("apos"))
            r += QLatin1Char('\'');
        else
            r += m.captured(0);
        desde = m.capturedEnd();
    }
    r += QStringView(texto).mid(desde);
    return r;
}

// Head of an HTML text (everything before <body), where the meta entries live.
QStringView Cabeza(const QString& html) {
    const qsizetype cuerpo = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    return cuerpo < 0 ? QStringView(html) : QStringView(html).left(cuerpo);
}

bool EsHtmlDelMotor(const QString& html) {
    return Cabeza(html).contains(MarcaGenerador);
}

PropiedadesDocumento LeerPropiedades(const QString& html) {
    static const QRegularExpression meta(
        QStringLiteral("<meta name=\"brivo:([0-9]+)\" content=\"([^\"]*)\""));
    PropiedadesDocumento propiedades;
    const QString cabeza = Cabeza(html).toString();
    auto it = meta.globalMatch(cabeza);
    while (it.hasNext()) {
        const auto m = it.next();
        propiedades[m.captured(1).toInt()] = DesescaparAtributo(m.captured(2));
    }
    return propiedades;
}

bool PareceHtml(const QByteArray& datos) {
    const QByteArray inicio = datos.left(1024).trimmed().toLower();
    if (inicio.startsWith("<!doctype html") || inicio.startsWith("<html") ||
        inicio.startsWith("<?xml") || inicio.startsWith("<head") || inicio.startsWith("<body") ||
        inicio.startsWith("<meta"))
        return true;
    return datos.left(4096).toLower().contains("<html");
}

bool PareceBinario(const QByteArray& datos) {
    const QByteArray inicio = datos.left(4096);
    // Compound files of other word processors, RTF, zip containers and any text with NULs.
    if (inicio.startsWith("\xD0\xCF\x11\xE0") || inicio.startsWith("{\\rtf") ||
        inicio.startsWith("PK\x03\x04"))
        return true;
    if (inicio.startsWith("\xFF\xFE") || inicio.startsWith("\xFE\xFF"))
        return false; // UTF-16 text
    return inicio.contains('\0');
}

QString DecodificarTexto(const QByteArray& datos) {
    if (datos.startsWith("\xFF\xFE") || datos.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16.decode(datos);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(datos);
    if (!utf8.hasError())
        return texto;
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid())
        return ansi.decode(datos);
    return QString::fromLatin1(datos);
}

QString DecodificarHtml(const QByteArray& datos) {
    QStringDecoder decodificador = QStringDecoder::decoderForHtml(datos);
    if (!decodificador.isValid())
        return DecodificarTexto(datos);
    return decodificador.decode(datos);
}

QByteArray BytesDeRecurso(const QVariant& recurso, QString& mime) {
    QImage imagen;
    if (recurso.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = recurso.toByteArray();
        if (imagen.loadFromData(bytes)) {
            mime = QStringLiteral("image/png");
        } else {
            return {};
        }
    } else if (recurso.typeId() == QMetaType::QImage) {
        imagen = recurso.value<QImage>();
    } else if (recurso.typeId() == QMetaType::QPixmap) {
        imagen = recurso.value<QPixmap>().toImage();
    }
    if (imagen.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    mime = QStringLiteral("image/png");
    return png;
}

} // namespace

namespace {

// The bytes a name stands for: a data: URI, or a regular file of at most
// MaxBytesImagen; nothing for anything else.
QByteArray BytesDeNombre(const QUrl& nombre, const QString& documento) {
    if (nombre.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0) {
        const QByteArray uri = QByteArray::fromPercentEncoding(
            nombre.url(QUrl::FullyEncoded | QUrl::RemoveScheme).toLatin1());
        const qsizetype coma = uri.indexOf(',');
        if (coma < 0)
            return {};
        const QByteArray datos = uri.mid(coma + 1);
        return uri.left(coma).endsWith(";base64") ? QByteArray::fromBase64(datos) : datos;
    }
    // A relative name is taken beside the document (foreign pages only know
    // where they are); other schemes are never fetched.
    QUrl url = nombre;
    if (url.isRelative()) {
        const QUrl base(documento);
        if (!base.isLocalFile())
            return {};
        url = base.resolved(nombre);
    }
    if (!url.isLocalFile())
        return {};
    const QFileInfo info(url.toLocalFile());
    QFile archivo(info.absoluteFilePath());
    if (!info.isFile() || info.size() > MaxBytesImagen || !archivo.open(QIODevice::ReadOnly))
        return {};
    return archivo.read(MaxBytesImagen);
}

} // namespace

QVariant TDocumentoTexto::loadResource(int tipo, const QUrl& nombre) {
    const QByteArray bytes = BytesDeNombre(nombre, metaInformation(QTextDocument::DocumentUrl));
    if (bytes.isEmpty())
        return {};
    // As Qt's own loader: images decoded, style sheets as text, kept for
    // the next time the name is asked for.
    QVariant r = bytes;
    if (tipo == QTextDocument::ImageResource) {
        const QImage imagen = QImage::fromData(bytes);
        if (imagen.isNull())
            return {};
        r = imagen;
    } else if (tipo == QTextDocument::StyleSheetResource) {
        r = QString::fromUtf8(bytes);
    }
    addResource(tipo, nombre, r);
    return r;
}

bool EsContenidoCifrado(const QByteArray& datos) {
    return datos.size() >= LargoFirma && std::memcmp(datos.constData(), Firma, LargoFirma) == 0;
}

QByteArray CifrarContenido(const QByteArray& claro, const QString& clave, quint32 pasadas,
                           quint32 memoriaKiB) {
    IniciarSodium();
    QByteArray salida(LargoCabecera + claro.size() + crypto_aead_xchacha20poly1305_ietf_ABYTES,
                      Qt::Uninitialized);
    char* p = salida.data();
    std::memcpy(p, Firma, LargoFirma);
    p[LargoFirma] = char(VersionCifrado);
    EscribirU32(p + LargoFirma + 1, pasadas);
    EscribirU32(p + LargoFirma + 5, memoriaKiB);
    auto* sal = reinterpret_cast<unsigned char*>(p + LargoFirma + 9);
    auto* nonce = sal + LargoSal;
    randombytes_buf(sal, LargoSal);
    randombytes_buf(nonce, LargoNonce);
    unsigned char clave32[LargoClave];
    DerivarClave(clave32, clave, sal, pasadas, size_t(memoriaKiB) * 1024);
    unsigned long long largo = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        reinterpret_cast<unsigned char*>(p + LargoCabecera), &largo,
        reinterpret_cast<const unsigned char*>(claro.constData()), quint64(claro.size()),
        reinterpret_cast<const unsigned char*>(p), LargoCabecera, nullptr, nonce, clave32);
    sodium_memzero(clave32, sizeof clave32);
    salida.resize(LargoCabecera + qsizetype(largo));
    return salida;
}

QByteArray DescifrarContenido(const QByteArray& cifrado, const QString& clave,
                              const QString& rutaParaMensajes) {
    IniciarSodium();
    if (cifrado.size() < LargoCabecera + int(crypto_aead_xchacha20poly1305_ietf_ABYTES) ||
        !EsContenidoCifrado(cifrado))
        throw ErrorBrivo(ErrorDanado(rutaParaMensajes));
    const char* p = cifrado.constData();
    if (static_cast<unsigned char>(p[LargoFirma]) != VersionCifrado)
        throw ErrorBrivo(ErrorDanado(rutaParaMensajes));
    const quint32 pasadas = LeerU32(p + LargoFirma + 1);
    const quint32 memoriaKiB = LeerU32(p + LargoFirma + 5);
    // The program writes PasadasArgon2 and MemoriaArgon2KiB; a cost far from
    // them comes from a damaged file (or a hostile one).
    if (pasadas < 1 || pasadas > MaxPasadasArgon2 || memoriaKiB < 8 ||
        memoriaKiB > MaxMemoriaArgon2KiB)
        throw ErrorBrivo(ErrorDanado(rutaParaMensajes));
    if (clave.isEmpty())
        throw ErrorBrivo(QString::fromUtf8(textos::ContrasenaIncorrecta));
    const auto* sal = reinterpret_cast<const unsigned char*>(p + LargoFirma + 9);
    const auto* nonce = sal + LargoSal;
    unsigned char clave32[LargoClave];
    DerivarClave(clave32, clave, sal, pasadas, size_t(memoriaKiB) * 1024);
    QByteArray claro(cifrado.size() - LargoCabecera, Qt::Uninitialized);
    unsigned long long largo = 0;
    const int resultado = crypto_aead_xchacha20poly1305_ietf_decrypt(
        reinterpret_cast<unsigned char*>(claro.data()), &largo, nullptr,
        reinterpret_cast<const unsigned char*>(p + LargoCabecera),
        quint64(cifrado.size() - LargoCabecera), reinterpret_cast<const unsigned char*>(p),
        LargoCabecera, nonce, clave32);
    sodium_memzero(clave32, sizeof clave32);
    if (resultado != 0)
        throw ErrorBrivo(QString::fromUtf8(textos::ContrasenaIncorrecta));
    claro.resize(qsizetype(largo));
    return claro;
}

QString NombreImagenIncrustada(const QByteArray& bytes, const QString& tipoMime) {
    return QStringLiteral("data:") + tipoMime + QStringLiteral(";base64,") +
           QString::fromLatin1(bytes.toBase64());
}

void IncrustarImagenes(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    bool editando = false;
    for (QTextBlock bloque = doc.begin(); bloque.isValid(); bloque = bloque.next()) {
        for (auto it = bloque.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragmento = it.fragment();
            if (!fragmento.isValid() || !fragmento.charFormat().isImageFormat())
                continue;
            QTextImageFormat formato = fragmento.charFormat().toImageFormat();
            const QString nombre = formato.name();
            if (nombre.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                continue;
            QString mime;
            const QByteArray bytes =
                BytesDeRecurso(doc.resource(QTextDocument::ImageResource, QUrl(nombre)), mime);
            if (bytes.isEmpty())
                continue; // an image that cannot be found stays a reference
            const QString nuevo = NombreImagenIncrustada(bytes, mime);
            QImage imagen;
            imagen.loadFromData(bytes);
            doc.addResource(QTextDocument::ImageResource, QUrl(nuevo), imagen);
            formato.setName(nuevo);
            if (!editando) {
                cursor.beginEditBlock();
                editando = true;
            }
            cursor.setPosition(fragmento.position());
            cursor.setPosition(fragmento.position() + fragmento.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(formato);
        }
    }
    if (editando)
        cursor.endEditBlock();
}

QByteArray HtmlDeDocumento(QTextDocument& doc, const PropiedadesDocumento& propiedades) {
    IncrustarImagenes(doc);
    QString html = doc.toHtml();
    QString metas = QStringLiteral("<meta name=\"generator\" content=\"") + MarcaGenerador +
                    QStringLiteral("\" />");
    for (const auto& [numero, valor] : propiedades) {
        if (valor.isEmpty())
            continue;
        metas += QStringLiteral("<meta name=\"brivo:%1\" content=\"%2\" />")
                     .arg(numero)
                     .arg(EscaparAtributo(valor));
    }
    const qsizetype cabeza = html.indexOf(QLatin1String("<head>"), 0, Qt::CaseInsensitive);
    if (cabeza >= 0)
        html.insert(cabeza + 6, metas);
    else
        html.prepend(QStringLiteral("<html><head>") + metas + QStringLiteral("</head>"));
    return html.toUtf8();
}

void GuardarArchivoDocumento(const QString& ruta, const QString& clave, QTextDocument& doc,
                             const PropiedadesDocumento& propiedades) {
    QByteArray datos = HtmlDeDocumento(doc, propiedades);
    if (!clave.isEmpty())
        datos = CifrarContenido(datos, clave);
    // Written beside the file and renamed over it, under a temporary name
    // that the start of the next run recognises if this one is cut short.
    if (archivos::EscribirSeguro(ruta, datos).error != 0)
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeGuardarArchivo).arg(ruta));
}

ResultadoLectura LeerArchivoDocumento(const QString& ruta, const QString& clave,
                                      QTextDocument& doc) {
    const QFileInfo info(ruta);
    if (!info.exists())
        throw ErrorBrivo(QStringLiteral("No se encuentra el archivo \"%1\".").arg(ruta));
    QFile archivo(ruta);
    if (!info.isFile() || !archivo.open(QIODevice::ReadOnly))
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeLeerArchivo).arg(ruta));
    if (archivo.size() > MaxBytesDocumento)
        throw ErrorBrivo(ErrorGrande(ruta));
    // Read with a bound, in case the file grows meanwhile.
    QByteArray datos = archivo.read(MaxBytesDocumento + 1);
    if (datos.size() > MaxBytesDocumento)
        throw ErrorBrivo(ErrorGrande(ruta));
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeLeerArchivo).arg(ruta));
    archivo.close();

    ResultadoLectura resultado;
    if (EsContenidoCifrado(datos)) {
        datos = DescifrarContenido(datos, clave, ruta);
        resultado.cifrado = true;
    }
    if (PareceBinario(datos))
        throw ErrorBrivo(QString::fromUtf8(textos::FormatoNoLegible).arg(ruta));
    if (PareceHtml(datos)) {
        Limitar(ComprobarHtml(datos), ruta);
        const QString html = DecodificarHtml(datos);
        if (EsHtmlDelMotor(html)) {
            resultado.formato = FormatoArchivo::Motor;
            resultado.propiedades = LeerPropiedades(html);
            doc.setHtml(html);
        } else {
            resultado.formato = FormatoArchivo::Html;
            // Relative images of foreign pages are found beside the file, then embedded.
            doc.setMetaInformation(QTextDocument::DocumentUrl,
                                   QUrl::fromLocalFile(info.absoluteFilePath()).toString());
            doc.setHtml(html);
            const QString titulo = doc.metaInformation(QTextDocument::DocumentTitle);
            if (!titulo.isEmpty())
                resultado.propiedades[1] = titulo;
            IncrustarImagenes(doc);
        }
    } else {
        resultado.formato = FormatoArchivo::TextoPlano;
        Limitar(ComprobarTextoPlano(datos), ruta);
        QString texto = DecodificarTexto(datos);
        texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        // A final line break ends the last paragraph; it does not start a new one.
        if (texto.endsWith(QLatin1Char('\n')))
            texto.chop(1);
        doc.setPlainText(texto);
    }
    doc.setModified(false);
    return resultado;
}

} // namespace brivo::word
