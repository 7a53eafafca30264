#include "ZipFile.h"

#include "ZipInterno.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace brivo {

using namespace zipinterno;

namespace {

// One file to be archived.
struct ArchivoOrigen {
    QString ruta;
    QString nombreEntrada;
    qint64 tamano = 0;
    time_t mtime = 0;
};

// State shared by every file source of one job: totals for the overall
// progress, the callbacks and the first failure seen by a source.
struct Trabajo {
    const TStatusCallback* mayor = nullptr;
    const TStatusCallback* menor = nullptr;
    qint64 totalBytes = 0;
    qint64 hechos = 0;
    int ultimoMayor = -1;
    bool cancelado = false;
    int fallo = ZipCorrecto;

    void Avisar(const TStatusCallback* cb, const QString& item, int porcentaje) {
        if (cb && *cb && !cancelado) {
            bool cancelar = false;
            (*cb)(item, porcentaje, cancelar);
            if (cancelar) {
                cancelado = true;
                fallo = ZipCancelado;
            }
        }
    }
    void AvisarMayor(const QString& item) {
        const int p =
            totalBytes > 0 ? static_cast<int>(qMin<qint64>(100, hechos * 100 / totalBytes)) : 100;
        if (p != ultimoMayor) {
            ultimoMayor = p;
            Avisar(mayor, item, p);
        }
    }
};

// A libzip source that reads one file from disk and reports its progress.
// Files are opened only when libzip compresses them, so any number of files
// can be added without running out of file descriptors.
struct FuenteArchivo {
    Trabajo* trabajo = nullptr;
    ArchivoOrigen origen;
    int fd = -1;
    qint64 leidos = 0;
    int ultimoMenor = -1;
    zip_error_t error;

    void AvisarMenor() {
        const int p = origen.tamano > 0
                          ? static_cast<int>(qMin<qint64>(100, leidos * 100 / origen.tamano))
                          : 0;
        if (p != ultimoMenor) {
            ultimoMenor = p;
            trabajo->Avisar(trabajo->menor, origen.nombreEntrada, p);
        }
    }
    zip_int64_t Fallar(int codigoZip, int errnoSistema, int codigoPropio) {
        zip_error_set(&error, codigoZip, errnoSistema);
        if (trabajo->fallo == ZipCorrecto)
            trabajo->fallo = codigoPropio;
        return -1;
    }
    zip_int64_t Cancelada() { return Fallar(ZIP_ER_CANCELLED, 0, ZipCancelado); }
};

zip_int64_t LlamadaFuente(void* estado, void* datos, zip_uint64_t largo, zip_source_cmd_t orden) {
    auto* f = static_cast<FuenteArchivo*>(estado);
    switch (orden) {
    case ZIP_SOURCE_OPEN: {
        if (f->trabajo->cancelado)
            return f->Cancelada();
        f->fd = ::open(RutaLocal(f->origen.ruta).constData(), O_RDONLY | O_CLOEXEC);
        if (f->fd < 0)
            return f->Fallar(ZIP_ER_OPEN, errno, ZipErrorLectura);
        f->leidos = 0;
        f->ultimoMenor = -1;
        f->AvisarMenor();
        f->trabajo->AvisarMayor(f->origen.nombreEntrada);
        return f->trabajo->cancelado ? f->Cancelada() : 0;
    }
    case ZIP_SOURCE_READ: {
        if (f->trabajo->cancelado)
            return f->Cancelada();
        ssize_t n;
        do {
            n = ::read(f->fd, datos, largo);
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            return f->Fallar(ZIP_ER_READ, errno, ZipErrorLectura);
        f->leidos += n;
        f->trabajo->hechos += n;
        if (n > 0) {
            f->AvisarMenor();
            f->trabajo->AvisarMayor(f->origen.nombreEntrada);
        }
        return f->trabajo->cancelado ? f->Cancelada() : n;
    }
    case ZIP_SOURCE_CLOSE:
        if (f->fd >= 0) {
            ::close(f->fd);
            f->fd = -1;
        }
        if (!f->trabajo->cancelado) {
            f->ultimoMenor = -1;
            f->trabajo->Avisar(f->trabajo->menor, f->origen.nombreEntrada, 100);
        }
        return 0;
    case ZIP_SOURCE_STAT: {
        zip_stat_t* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, datos, largo, &f->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->size = static_cast<zip_uint64_t>(f->origen.tamano);
        st->mtime = f->origen.mtime;
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&f->error, datos, largo);
    case ZIP_SOURCE_FREE:
        if (f->fd >= 0)
            ::close(f->fd);
        zip_error_fini(&f->error);
        delete f;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&f->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

bool TieneComodines(const QString& patron) {
    return patron.contains(QLatin1Char('*')) || patron.contains(QLatin1Char('?'));
}

// Entry name that keeps the folders of a path, without a leading "/" and
// without "." or ".." parts, so the entry can never point outside a folder.
QString NombreConCarpetas(const QString& ruta) {
    QStringList limpias;
    for (const QString& parte : ruta.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (parte != QLatin1String(".") && parte != QLatin1String(".."))
            limpias.append(parte);
    }
    return limpias.join(QLatin1Char('/'));
}

bool DatosDeArchivo(const QString& ruta, ArchivoOrigen& a) {
    struct stat st {};
    if (::stat(RutaLocal(ruta).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    a.ruta = ruta;
    a.tamano = st.st_size;
    a.mtime = st.st_mtime;
    return true;
}

int CodigoDeErrorLibzip(int ze) {
    switch (ze) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
        return ZipArchivoNoValido;
    case ZIP_ER_NOENT:
        return ZipNoEncontrado;
    case ZIP_ER_CANCELLED:
        return ZipCancelado;
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_NOPASSWD:
        return ZipClaveErronea;
    default:
        return ZipErrorEscritura;
    }
}

// The files of a job, in the order of the patterns. When two files would
// get the same entry name the later one is kept, in the place of the first.
class TListaArchivos {
public:
    explicit TListaArchivos(bool soloNombre) : soloNombre_(soloNombre) {}

    void Anadir(ArchivoOrigen a) {
        a.nombreEntrada = soloNombre_ ? QFileInfo(a.ruta).fileName() : NombreConCarpetas(a.ruta);
        if (a.nombreEntrada.isEmpty())
            return;
        auto it = porNombre_.find(a.nombreEntrada);
        if (it != porNombre_.end()) {
            archivos_[it.value()] = a;
        } else {
            porNombre_.insert(a.nombreEntrada, archivos_.size());
            archivos_.push_back(a);
        }
    }
    const std::vector<ArchivoOrigen>& Archivos() const { return archivos_; }

private:
    bool soloNombre_;
    std::vector<ArchivoOrigen> archivos_;
    QHash<QString, size_t> porNombre_;
};

// The files of one pattern with wildcards: those of its folder whose names
// match, never the archive being written (archivoAbsoluto).
void AnadirComodin(const QFileInfo& fi, const QString& archivoAbsoluto, TListaArchivos& lista) {
    const QDir carpeta(fi.path());
    if (!carpeta.exists())
        return;
    const QStringList nombres =
        carpeta.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& nombre : nombres) {
        if (!CoincideComodin(fi.fileName(), nombre))
            continue;
        const QString ruta = carpeta.filePath(nombre);
        if (QFileInfo(ruta).absoluteFilePath() == archivoAbsoluto)
            continue; // never archive the archive being written
        ArchivoOrigen a;
        if (DatosDeArchivo(ruta, a))
            lista.Anadir(a);
    }
}

// Gathers the files the patterns name. A plain file name that does not exist
// gives ZipNoEncontrado; otherwise ZipCorrecto.
int ReunirArchivos(const QString& patrones, const QString& archivoAbsoluto, TListaArchivos& lista) {
    for (const QString& espec : SepararPatrones(patrones)) {
        const QFileInfo fi(espec);
        const QString patron = fi.fileName();
        if (patron.isEmpty())
            continue;
        if (TieneComodines(patron)) {
            AnadirComodin(fi, archivoAbsoluto, lista);
        } else {
            ArchivoOrigen a;
            if (!DatosDeArchivo(espec, a))
                return ZipNoEncontrado;
            if (QFileInfo(espec).absoluteFilePath() != archivoAbsoluto)
                lista.Anadir(a);
        }
    }
    return ZipCorrecto;
}

// Adds one file as an entry read through a FuenteArchivo, with its
// compression, encryption (when clave is not null), time and permissions.
int AnadirEntrada(zip_t* za, const ArchivoOrigen& a, Trabajo& trabajo, int nivel,
                  const char* clave) {
    auto* fuente = new FuenteArchivo;
    fuente->trabajo = &trabajo;
    fuente->origen = a;
    zip_error_init(&fuente->error);
    zip_source_t* src = zip_source_function(za, LlamadaFuente, fuente);
    if (!src) {
        zip_error_fini(&fuente->error);
        delete fuente;
        return ZipErrorEscritura;
    }
    const zip_int64_t indice = zip_file_add(za, a.nombreEntrada.toUtf8().constData(), src,
                                            ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (indice < 0) {
        zip_source_free(src);
        return ZipErrorEscritura;
    }
    const auto idx = static_cast<zip_uint64_t>(indice);
    const bool fallo =
        zip_set_file_compression(za, idx, nivel == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(nivel)) != 0 ||
        (clave && zip_file_set_encryption(za, idx, ZIP_EM_AES_256, clave) != 0) ||
        zip_file_set_mtime(za, idx, a.mtime, 0) != 0 ||
        zip_file_set_external_attributes(za, idx, 0, ZIP_OPSYS_UNIX,
                                         static_cast<zip_uint32_t>(S_IFREG | 0644) << 16) != 0;
    return fallo ? ZipErrorEscritura : ZipCorrecto;
}

// The archive comment; more than 65535 bytes gives ZipParametroNoValido.
int PonerComentario(zip_t* za, const QString& texto) {
    const QByteArray comentario = texto.toUtf8();
    if (comentario.size() > 0xFFFF)
        return ZipParametroNoValido;
    if (zip_set_archive_comment(za, comentario.isEmpty() ? nullptr : comentario.constData(),
                                static_cast<zip_uint16_t>(comentario.size())) != 0)
        return ZipErrorEscritura;
    return ZipCorrecto;
}

} // namespace

QString TZipFile::NombreConExtension(const QString& archivo) {
    const QFileInfo fi(archivo);
    if (!fi.fileName().isEmpty() && fi.suffix().isEmpty())
        return archivo + QStringLiteral(".zip");
    return archivo;
}

bool TZipFile::Execute(int accion) {
    if (accion < 1 || accion > 9)
        return false;
    Procesados = 0;
    switch (accion) {
    case ZIP_ADD:
        Resultado = Agregar();
        break;
    default:
        Resultado = ZipAccionNoValida;
        break;
    }
    return Resultado == ZipCorrecto;
}

int TZipFile::Agregar() {
    ArchivoFinal.clear();
    if (lpszZipFile.trimmed().isEmpty() || QFileInfo(lpszZipFile).fileName().isEmpty())
        return ZipParametroNoValido;
    const bool cifrar = Options & EncryptFlag;
    if (cifrar && lpszEncryptCode.isEmpty())
        return ZipParametroNoValido;
    ArchivoFinal = NombreConExtension(lpszZipFile);

    TListaArchivos lista(Options & NoDirectoryNamesFlag);
    if (const int r =
            ReunirArchivos(lpszItemList, QFileInfo(ArchivoFinal).absoluteFilePath(), lista);
        r != ZipCorrecto)
        return r;
    const std::vector<ArchivoOrigen>& archivos = lista.Archivos();
    if (archivos.empty())
        return ZipNadaQueHacer;

    int error = 0;
    const int banderas = ZIP_CREATE | ((Options & NuevoArchivoFlag) ? ZIP_TRUNCATE : 0);
    Archivo za(zip_open(RutaLocal(ArchivoFinal).constData(), banderas, &error));
    if (!za)
        return (error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS) ? ZipArchivoNoValido
                                                                 : ZipErrorEscritura;

    Trabajo trabajo;
    trabajo.mayor = &OnMajorCallback;
    trabajo.menor = &OnMinorCallback;
    for (const ArchivoOrigen& a : archivos)
        trabajo.totalBytes += a.tamano;

    const QByteArray clave = lpszEncryptCode.toUtf8();
    const int nivel = qBound(0, CompFactor, 9);
    for (const ArchivoOrigen& a : archivos)
        if (const int r =
                AnadirEntrada(za.get(), a, trabajo, nivel, cifrar ? clave.constData() : nullptr);
            r != ZipCorrecto)
            return r;
    if (Options & AddCommentFlag)
        if (const int r = PonerComentario(za.get(), lpszComment); r != ZipCorrecto)
            return r;

    // libzip writes the whole archive into a temporary file beside the target
    // and renames it into place only when everything went well; on failure the
    // temporary file is removed and an existing archive stays untouched.
    if (zip_close(za.get()) != 0) {
        const int ze = zip_error_code_zip(zip_get_error(za.get()));
        if (trabajo.fallo != ZipCorrecto)
            return trabajo.fallo;
        return CodigoDeErrorLibzip(ze);
    }
    za.soltar();
    Procesados = static_cast<int>(archivos.size());
    bool cancelar = false;
    if (OnMajorCallback && trabajo.ultimoMayor != 100)
        OnMajorCallback(ArchivoFinal, 100, cancelar);
    return ZipCorrecto;
}

} // namespace brivo
