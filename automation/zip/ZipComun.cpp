#include "ZipComun.h"

#include "Errores.h"
#include "Texto.h"
#include "TextosComunes.h"
#include "ZipInterno.h"

#include <sys/stat.h>

#include <QStringDecoder>

namespace brivo {

namespace zipinterno {

zip_t* AbrirParaLeer(const QString& ruta, int& codigo) {
    const QByteArray local = RutaLocal(ruta);
    struct stat st {};
    if (ruta.isEmpty() || ::stat(local.constData(), &st) != 0) {
        codigo = ZipNoEncontrado;
        return nullptr;
    }
    // libzip opens a zero-length file as a new, empty archive; for reading
    // that is not an archive at all.
    if (!S_ISREG(st.st_mode) || st.st_size == 0) {
        codigo = ZipArchivoNoValido;
        return nullptr;
    }
    int error = 0;
    zip_t* za = zip_open(local.constData(), ZIP_RDONLY, &error);
    if (!za) {
        codigo = (error == ZIP_ER_NOENT) ? ZipNoEncontrado : ZipArchivoNoValido;
        return nullptr;
    }
    codigo = ZipCorrecto;
    return za;
}

QString NombreEntrada(zip_t* za, zip_uint64_t indice) {
    const char* nombre = zip_get_name(za, indice, ZIP_FL_ENC_GUESS);
    return nombre ? QString::fromUtf8(nombre) : QString();
}

QString ComentarioArchivo(zip_t* za) {
    // Packages made here keep their comment in UTF-8; those of programs of
    // the Windows era keep it in the system's code page, Windows-1252, and
    // libzip's guess would read those bytes as the old DOS page instead.
    int largo = 0;
    const char* texto = zip_get_archive_comment(za, &largo, ZIP_FL_ENC_RAW);
    if (!texto || largo <= 0)
        return {};
    const QByteArray bytes(texto, largo);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString comentario = utf8.decode(bytes);
    return utf8.hasError() ? DeCp1252(bytes) : comentario;
}

} // namespace zipinterno

using namespace zipinterno;

QString TextoCodigoZip(int codigo) {
    switch (codigo) {
    case ZipCorrecto:
        return QStringLiteral("Operación correcta");
    case ZipAccionNoValida:
        return QStringLiteral("Operación no disponible");
    case ZipArchivoNoValido:
        return QStringLiteral("El archivo no es un zip válido o está dañado");
    case ZipNoEncontrado:
        return QString::fromUtf8(textos::NoSeEncuentraArchivo);
    case ZipErrorEscritura:
        return QStringLiteral("No se pudo escribir en el disco");
    case ZipErrorLectura:
        return QStringLiteral("No se pudo leer un archivo");
    case ZipParametroNoValido:
        return QStringLiteral("Parámetros no válidos");
    case ZipNadaQueHacer:
        return QStringLiteral("Ningún archivo coincide con la lista");
    case ZipNombreInseguro:
        return QStringLiteral("El zip contiene nombres que saldrían de la carpeta de destino");
    case ZipDemasiadoGrande:
        return QStringLiteral("El contenido descomprimido supera el tamaño admitido");
    case ZipSinEspacio:
        return QStringLiteral("No hay espacio suficiente en el disco");
    case ZipCancelado:
        return QStringLiteral("Operación cancelada");
    case ZipClaveErronea:
        return QStringLiteral("Clave errónea");
    default:
        return QStringLiteral("Error de zip %1").arg(codigo);
    }
}

bool EsZipLegible(const QString& archivo) {
    int codigo = 0;
    Archivo za(AbrirParaLeer(archivo, codigo));
    return static_cast<bool>(za);
}

static zip_t* AbrirOLanzar(const QString& archivo) {
    int codigo = 0;
    zip_t* za = AbrirParaLeer(archivo, codigo);
    if (!za) {
        if (codigo == ZipNoEncontrado)
            throw ErrorBrivo(QStringLiteral("No se encuentra el archivo %1").arg(archivo));
        throw ErrorBrivo(QStringLiteral("El archivo %1 no es un zip válido").arg(archivo));
    }
    return za;
}

QString LeerComentarioZip(const QString& archivo) {
    Archivo za(AbrirOLanzar(archivo));
    return ComentarioArchivo(za.get());
}

QList<EntradaZip> ListarEntradasZip(const QString& archivo) {
    Archivo za(AbrirOLanzar(archivo));
    QList<EntradaZip> lista;
    const zip_int64_t total = zip_get_num_entries(za.get(), 0);
    for (zip_int64_t i = 0; i < total; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za.get(), i, ZIP_FL_ENC_GUESS, &st) != 0)
            continue;
        EntradaZip e;
        e.Nombre = NombreEntrada(za.get(), i);
        e.Tamano = (st.valid & ZIP_STAT_SIZE) ? static_cast<qint64>(st.size) : 0;
        e.TamanoComprimido =
            (st.valid & ZIP_STAT_COMP_SIZE) ? static_cast<qint64>(st.comp_size) : 0;
        e.Cifrada = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        e.EsCarpeta = e.Nombre.endsWith(QLatin1Char('/'));
        lista.append(e);
    }
    return lista;
}

QStringList SepararPatrones(const QString& lista) {
    QStringList partes;
    QString actual;
    bool entreComillas = false;
    bool hayParte = false;
    for (const QChar c : lista) {
        if (c == QLatin1Char('"')) {
            entreComillas = !entreComillas;
            hayParte = true;
        } else if (!entreComillas && c.isSpace()) {
            if (hayParte && !actual.isEmpty())
                partes.append(actual);
            actual.clear();
            hayParte = false;
        } else {
            actual.append(c);
            hayParte = true;
        }
    }
    if (hayParte && !actual.isEmpty())
        partes.append(actual);
    return partes;
}

static bool CoincideExacto(const QString& patron, const QString& nombre) {
    // Iterative glob with backtracking to the last "*".
    qsizetype p = 0, n = 0, estrella = -1, marca = 0;
    while (n < nombre.size()) {
        if (p < patron.size() && (patron[p] == QLatin1Char('?') ||
                                  (patron[p] != QLatin1Char('*') &&
                                   patron[p].toCaseFolded() == nombre[n].toCaseFolded()))) {
            ++p;
            ++n;
        } else if (p < patron.size() && patron[p] == QLatin1Char('*')) {
            estrella = p++;
            marca = n;
        } else if (estrella >= 0) {
            p = estrella + 1;
            n = ++marca;
        } else {
            return false;
        }
    }
    while (p < patron.size() && patron[p] == QLatin1Char('*'))
        ++p;
    return p == patron.size();
}

bool CoincideComodin(const QString& patron, const QString& nombre) {
    if (CoincideExacto(patron, nombre))
        return true;
    // "name.*" also takes "name" without extension, so "*.*" takes everything.
    if (patron.endsWith(QLatin1String(".*")) && !nombre.contains(QLatin1Char('.')))
        return CoincideExacto(patron.left(patron.size() - 2), nombre);
    return false;
}

std::optional<QString> RutaSeguraDeEntrada(const QString& nombreEntrada, bool soloNombre) {
    QString nombre = nombreEntrada;
    nombre.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (nombre.isEmpty())
        return std::nullopt;
    for (const QChar c : nombre) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char(':'))
            return std::nullopt;
    }
    const QStringList partes = nombre.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (partes.isEmpty())
        return std::nullopt;
    // A name the file system cannot hold would fail only when the files are
    // moved into place, after others were already written.
    for (const QString& parte : partes) {
        if (parte.toLocal8Bit().size() > 255)
            return std::nullopt;
    }
    if (soloNombre) {
        const QString& ultimo = partes.last();
        if (ultimo == QLatin1String(".") || ultimo == QLatin1String(".."))
            return std::nullopt;
        return ultimo;
    }
    if (nombre.startsWith(QLatin1Char('/')))
        return std::nullopt;
    QStringList limpias;
    for (const QString& parte : partes) {
        if (parte == QLatin1String(".."))
            return std::nullopt;
        if (parte != QLatin1String("."))
            limpias.append(parte);
    }
    if (limpias.isEmpty())
        return std::nullopt;
    return limpias.join(QLatin1Char('/'));
}

} // namespace brivo
