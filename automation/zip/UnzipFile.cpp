#include "UnzipFile.h"

#include "Colocacion.h"
#include "LectorAes.h"
#include "ZipInterno.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace brivo {

using namespace zipinterno;

namespace {

// One entry chosen for extraction.
struct Plan {
    zip_uint64_t indice = 0;
    QString nombre;     // name as stored, for the progress text
    QString relativa;   // path under the destination, folders separated by "/"
    QByteArray destino; // full path of the file to write
    qint64 tamano = 0;
    time_t mtime = 0;
    zip_uint16_t cifrado = ZIP_EM_NONE;
    bool sinCrc = false;    // WinZip AES entry of the kind that stores no CRC (AE-2)
    bool aesPropio = false; // read by TLectorAes rather than by libzip
    zip_stat_t st{};
    QByteArray temporal; // temporary file beside the target, while staged
};

// Does the entry name match one of the patterns? A pattern with a
// folder is compared with the whole name, any other with the bare file name.
bool EntradaCoincide(const QStringList& especs, QString nombre) {
    if (especs.isEmpty())
        return true;
    nombre.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype barra = nombre.lastIndexOf(QLatin1Char('/'));
    const QString simple = barra >= 0 ? nombre.mid(barra + 1) : nombre;
    for (QString espec : especs) {
        espec.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (espec.contains(QLatin1Char('/')) ? CoincideComodin(espec, nombre)
                                             : CoincideComodin(espec, simple))
            return true;
    }
    return false;
}

mode_t PermisosNuevos() {
    static const mode_t permisos = [] {
        const mode_t mascara = ::umask(0);
        ::umask(mascara);
        return static_cast<mode_t>(0666 & ~mascara);
    }();
    return permisos;
}

// Sends the whole buffer to the file; returns 0 or the failing errno.
int EscribirTodo(int fd, const char* datos, size_t largo) {
    while (largo > 0) {
        const ssize_t n = ::write(fd, datos, largo);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        datos += n;
        largo -= static_cast<size_t>(n);
    }
    return 0;
}

int CodigoDeLectura(int ze, zip_uint16_t cifrado) {
    switch (ze) {
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_NOPASSWD:
        return ZipClaveErronea;
    case ZIP_ER_CRC:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB: // this libzip's word for a deflate stream that is not one
    case ZIP_ER_INCONS:
        // Traditional encryption checks the password with one byte only; a
        // wrong password that slips through shows up as damaged data.
        return cifrado == ZIP_EM_TRAD_PKWARE ? ZipClaveErronea : ZipArchivoNoValido;
    case ZIP_ER_CANCELLED:
        return ZipCancelado;
    default:
        return ZipArchivoNoValido;
    }
}

// An entry read through libzip, which decrypts and inflates it.
class TLectorLibzip final : public ILectorEntrada {
public:
    explicit TLectorLibzip(const Plan& plan) : p(plan) {}
    ~TLectorLibzip() override {
        if (zf)
            zip_fclose(zf);
    }

    int Abrir(zip_t* za, const QList<QByteArray>& claves) {
        if (claves.isEmpty()) {
            zf = zip_fopen_index_encrypted(za, p.indice, 0, nullptr);
        } else {
            for (const QByteArray& clave : claves) {
                zf = zip_fopen_index_encrypted(za, p.indice, 0, clave.constData());
                if (zf || zip_error_code_zip(zip_get_error(za)) != ZIP_ER_WRONGPASSWD)
                    break;
            }
        }
        if (!zf)
            codigo = CodigoDeLectura(zip_error_code_zip(zip_get_error(za)), p.cifrado);
        return codigo;
    }

    zip_int64_t Leer(char* destino, size_t n) override {
        if (codigo != ZipCorrecto)
            return -1;
        if (!zf)
            return 0;
        const zip_int64_t r = zip_fread(zf, destino, n);
        // AES entries written by 7-Zip and WinZip (AE-2) store 0 as their
        // CRC and rely on the AES authentication instead; this libzip
        // compares that 0 with the data and reports a CRC error at the end.
        // Once every declared byte has arrived that report is not a fault.
        if (r < 0 && p.sinCrc && leidos == p.tamano &&
            zip_error_code_zip(zip_file_get_error(zf)) == ZIP_ER_CRC)
            return Cerrar();
        if (r < 0) {
            codigo = CodigoDeLectura(zip_error_code_zip(zip_file_get_error(zf)), p.cifrado);
            return -1;
        }
        if (r == 0)
            return Cerrar();
        leidos += r;
        return r;
    }

    int Codigo() const override { return codigo; }

private:
    const Plan& p;
    zip_file_t* zf = nullptr;
    qint64 leidos = 0;
    int codigo = ZipCorrecto;

    zip_int64_t Cerrar() {
        const int cierre = zip_fclose(zf);
        zf = nullptr;
        if (cierre != 0 && !(p.sinCrc && cierre == ZIP_ER_CRC)) {
            codigo = CodigoDeLectura(cierre, p.cifrado);
            return -1;
        }
        return 0;
    }
};

// One run of UNZIP_EXTRACT: chooses and checks the entries, stages each one
// in a temporary file beside its target and moves them all into place. All
// that is written goes through one TColocacion, so any failure undoes it.
class TExtraccion {
public:
    TExtraccion(TUnzipFile& u, zip_t* z) : unzip(u), za(z) {}
    int Ejecutar();

private:
    TUnzipFile& unzip;
    zip_t* za;
    QDir destino;
    std::vector<Plan> planes;
    QStringList carpetasVacias; // folder entries, relative to the destination
    qint64 totalBytes = 0;
    qint64 hechos = 0;
    QList<QByteArray> claves;
    TColocacion colocacion;
    bool cancelado = false;
    int ultimoMayor = -1;

    int Elegir(std::vector<zip_uint64_t>& indices) const;
    int Planificar();
    int ComprobarChoques() const;
    int Preparar(Plan& p, char* bufer, size_t bloque);
    void Avisar(const TStatusCallback& cb, const QString& item, int porcentaje);
    void AvisarMayor(const QString& item);
    QByteArray Local(const QString& relativa) const {
        return RutaLocal(destino.filePath(relativa));
    }
};

int TExtraccion::Ejecutar() {
    const QString carpeta =
        unzip.lpszDestination.isEmpty() ? QStringLiteral(".") : unzip.lpszDestination;
    destino = QDir(carpeta);
    // A destination created here is removed again if the extraction fails.
    if (colocacion.CrearCarpeta(RutaLocal(carpeta)) != 0)
        return ZipErrorEscritura;
    if (const int r = Planificar(); r != ZipCorrecto)
        return r;
    std::error_code ec;
    const auto espacio =
        std::filesystem::space(RutaLocal(destino.absolutePath()).toStdString(), ec);
    if (!ec && static_cast<std::uintmax_t>(totalBytes) > espacio.available)
        return ZipSinEspacio;

    if ((unzip.Options & TUnzipFile::DecryptFlag) && !unzip.lpszDecryptCode.isEmpty()) {
        claves.append(unzip.lpszDecryptCode.toUtf8());
        // Older Windows programs encode the password in the ANSI code page.
        const QByteArray latina = unzip.lpszDecryptCode.toLatin1();
        if (latina != claves.first() && QString::fromLatin1(latina) == unzip.lpszDecryptCode)
            claves.append(latina);
    }

    // 1. Stage every entry in a temporary file beside its target.
    constexpr size_t Bloque = 256 * 1024;
    std::unique_ptr<char[]> bufer(new char[Bloque]);
    for (Plan& p : planes) {
        if (const int r = Preparar(p, bufer.get(), Bloque); r != ZipCorrecto)
            return r;
    }
    for (const QString& c : carpetasVacias) {
        if (colocacion.CrearCarpeta(Local(c)) != 0)
            return ZipErrorEscritura;
    }

    // 2. Every entry was read correctly: move the files into place.
    for (const Plan& p : planes) {
        if (colocacion.Colocar(p.temporal, p.destino) != 0)
            return ZipErrorEscritura;
    }
    colocacion.Confirmar();
    unzip.Cuenta = static_cast<int>(planes.size());
    AvisarMayor(QString());
    if (ultimoMayor != 100)
        Avisar(unzip.OnMajorCallback, QString(), 100);
    return ZipCorrecto;
}

int TExtraccion::Elegir(std::vector<zip_uint64_t>& indices) const {
    const zip_int64_t total = zip_get_num_entries(za, 0);
    if (unzip.IndexofItem >= 0) {
        if (unzip.IndexofItem >= total)
            return ZipParametroNoValido;
        indices.push_back(static_cast<zip_uint64_t>(unzip.IndexofItem));
        return ZipCorrecto;
    }
    const QStringList especs = SepararPatrones(unzip.lpszFileSpec);
    for (zip_int64_t i = 0; i < total; ++i) {
        if (EntradaCoincide(especs, NombreEntrada(za, i)))
            indices.push_back(static_cast<zip_uint64_t>(i));
    }
    return ZipCorrecto;
}

// Chooses the entries and checks every one of them before anything is written.
int TExtraccion::Planificar() {
    std::vector<zip_uint64_t> indices;
    if (const int r = Elegir(indices); r != ZipCorrecto)
        return r;
    const bool soloNombre = unzip.Options & TUnzipFile::NoDirectoryNamesFlag;
    const bool sobrescribir = unzip.Options & TUnzipFile::OverWriteFlag;
    QHash<QString, size_t> porDestino;
    for (const zip_uint64_t i : indices) {
        const QString nombre = NombreEntrada(za, i);
        zip_stat_t st;
        if (zip_stat_index(za, i, 0, &st) != 0)
            return ZipArchivoNoValido;
        const bool esCarpeta =
            nombre.endsWith(QLatin1Char('/')) || nombre.endsWith(QLatin1Char('\\'));
        if (esCarpeta && soloNombre)
            continue;
        const std::optional<QString> relativa = RutaSeguraDeEntrada(nombre, soloNombre);
        if (!relativa)
            return ZipNombreInseguro;
        if (esCarpeta) {
            carpetasVacias.append(*relativa);
            continue;
        }
        Plan p;
        p.indice = i;
        p.nombre = nombre;
        p.relativa = *relativa;
        p.destino = Local(*relativa);
        p.tamano = (st.valid & ZIP_STAT_SIZE) ? static_cast<qint64>(st.size) : 0;
        p.mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        p.cifrado = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) ? st.encryption_method : ZIP_EM_NONE;
        if (p.tamano < 0)
            return ZipDemasiadoGrande;
        p.sinCrc = (p.cifrado == ZIP_EM_AES_128 || p.cifrado == ZIP_EM_AES_192 ||
                    p.cifrado == ZIP_EM_AES_256) &&
                   (st.valid & ZIP_STAT_CRC) && st.crc == 0 && p.tamano > 0;
        p.aesPropio = EsEntradaAesLegible(st);
        p.st = st;

        struct stat existente {};
        if (::lstat(p.destino.constData(), &existente) == 0) {
            if (S_ISDIR(existente.st_mode))
                return ZipErrorEscritura;
            if (!sobrescribir)
                continue; // existing files are kept
            // A file without any write permission counts as read-only.
            const bool soloLectura = S_ISREG(existente.st_mode) &&
                                     (existente.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
            if (soloLectura && !(unzip.wUnzipSubOptions & TUnzipFile::USO_OVERWRITE_RO))
                return ZipErrorEscritura;
        }
        // Two entries for one target: the later one wins.
        auto it = porDestino.find(p.relativa);
        if (it != porDestino.end()) {
            totalBytes -= planes[it.value()].tamano;
            planes[it.value()] = p;
        } else {
            porDestino.insert(p.relativa, planes.size());
            planes.push_back(p);
        }
        totalBytes += p.tamano;
        if (totalBytes > unzip.LimiteDescomprimido)
            return ZipDemasiadoGrande;
    }
    return ComprobarChoques();
}

// The folders the files need must not be files of the same extraction nor
// anything but folders on disk ("a/b" with "a", or a file "a" already there),
// so that no conflict shows up after some files were written. A folder that
// is a link could lead outside the destination and is refused as well.
int TExtraccion::ComprobarChoques() const {
    QSet<QString> archivos;
    for (const Plan& p : planes)
        archivos.insert(p.relativa);
    QSet<QString> vistas;
    auto carpeta = [&](const QString& relativa) {
        if (vistas.contains(relativa))
            return int(ZipCorrecto);
        if (archivos.contains(relativa))
            return int(ZipErrorEscritura);
        struct stat st {};
        if (::lstat(Local(relativa).constData(), &st) == 0) {
            if (S_ISLNK(st.st_mode))
                return int(ZipNombreInseguro);
            if (!S_ISDIR(st.st_mode))
                return int(ZipErrorEscritura);
        }
        vistas.insert(relativa);
        return int(ZipCorrecto);
    };
    auto padres = [&](const QString& relativa) {
        for (qsizetype i = relativa.indexOf(QLatin1Char('/')); i >= 0;
             i = relativa.indexOf(QLatin1Char('/'), i + 1)) {
            if (const int r = carpeta(relativa.left(i)); r != ZipCorrecto)
                return r;
        }
        return int(ZipCorrecto);
    };
    for (const Plan& p : planes) {
        if (const int r = padres(p.relativa); r != ZipCorrecto)
            return r;
    }
    for (const QString& c : carpetasVacias) {
        if (const int r = padres(c); r != ZipCorrecto)
            return r;
        if (const int r = carpeta(c); r != ZipCorrecto)
            return r;
    }
    return ZipCorrecto;
}

void TExtraccion::Avisar(const TStatusCallback& cb, const QString& item, int porcentaje) {
    if (cb && !cancelado) {
        bool cancelar = false;
        cb(item, porcentaje, cancelar);
        cancelado = cancelar;
    }
}

void TExtraccion::AvisarMayor(const QString& item) {
    const int p =
        totalBytes > 0 ? static_cast<int>(qMin<qint64>(100, hechos * 100 / totalBytes)) : 100;
    if (p != ultimoMayor) {
        ultimoMayor = p;
        Avisar(unzip.OnMajorCallback, item, p);
    }
}

// Writes one entry into a new temporary file beside its target.
int TExtraccion::Preparar(Plan& p, char* bufer, size_t bloque) {
    AvisarMayor(p.nombre);
    Avisar(unzip.OnMinorCallback, p.nombre, 0);
    if (cancelado)
        return ZipCancelado;

    const qsizetype barra = p.destino.lastIndexOf('/');
    const QByteArray padre = barra >= 0 ? p.destino.left(barra) : QByteArray(".");
    if (colocacion.CrearCarpeta(padre) != 0)
        return ZipErrorEscritura;

    std::unique_ptr<ILectorEntrada> lector;
    if (p.aesPropio) {
        auto aes = std::make_unique<TLectorAes>();
        if (const int r = aes->Abrir(za, p.indice, p.st, claves); r != ZipCorrecto)
            return r;
        lector = std::move(aes);
    } else {
        auto libzip = std::make_unique<TLectorLibzip>(p);
        if (const int r = libzip->Abrir(za, claves); r != ZipCorrecto)
            return r;
        lector = std::move(libzip);
    }

    const int fd = colocacion.CrearTemporal(padre, p.temporal);
    if (fd < 0)
        return errno == ENOSPC ? ZipSinEspacio : ZipErrorEscritura;
    struct Cierre {
        int fd;
        ~Cierre() {
            if (fd >= 0)
                ::close(fd);
        }
    } cierre{fd};

    qint64 leidos = 0;
    int ultimoMenor = 0;
    for (;;) {
        const zip_int64_t n = lector->Leer(bufer, bloque);
        if (n < 0)
            return lector->Codigo();
        if (n == 0)
            break;
        leidos += n;
        hechos += n;
        // Data that inflates beyond its declared size is refused, so a
        // forged header cannot get past the size checks above.
        if (leidos > p.tamano || hechos > unzip.LimiteDescomprimido)
            return ZipDemasiadoGrande;
        if (const int e = EscribirTodo(fd, bufer, static_cast<size_t>(n)); e != 0)
            return e == ENOSPC ? ZipSinEspacio : ZipErrorEscritura;
        const int pm = p.tamano > 0 ? static_cast<int>(leidos * 100 / p.tamano) : 100;
        if (pm != ultimoMenor) {
            ultimoMenor = pm;
            Avisar(unzip.OnMinorCallback, p.nombre, pm);
        }
        AvisarMayor(p.nombre);
        if (cancelado)
            return ZipCancelado;
    }
    if (leidos != p.tamano)
        return ZipArchivoNoValido;
    ::fchmod(fd, PermisosNuevos());
    if (p.mtime > 0) {
        const struct timespec tiempos[2] = {{p.mtime, 0}, {p.mtime, 0}};
        ::futimens(fd, tiempos);
    }
    cierre.fd = -1;
    if (::close(fd) != 0)
        return ZipErrorEscritura;
    if (ultimoMenor != 100)
        Avisar(unzip.OnMinorCallback, p.nombre, 100);
    if (cancelado)
        return ZipCancelado;
    return ZipCorrecto;
}

} // namespace

bool TUnzipFile::Execute(int accion) {
    if (accion < 1 || accion > 9)
        return false;
    Cuenta = 0;
    switch (accion) {
    case UNZIP_COUNTALLZIPMEMBERS:
        Resultado = Contar(false);
        break;
    case UNZIP_COUNTNAMEDZIPMEMBERS:
        Resultado = Contar(true);
        break;
    case UNZIP_GETCOMMENTSIZE:
        Resultado = Comentario(false);
        break;
    case UNZIP_GETCOMMENT:
        Resultado = Comentario(true);
        break;
    case UNZIP_EXTRACT:
        Resultado = Extraer();
        break;
    default:
        Resultado = ZipAccionNoValida;
        break;
    }
    return Resultado == ZipCorrecto;
}

int TUnzipFile::Contar(bool soloNombradas) {
    int codigo = 0;
    Archivo za(AbrirParaLeer(lpszZipFile, codigo));
    if (!za)
        return codigo;
    const zip_int64_t total = zip_get_num_entries(za.get(), 0);
    if (!soloNombradas) {
        Cuenta = static_cast<int>(total);
        return ZipCorrecto;
    }
    const QStringList especs = SepararPatrones(lpszFileSpec);
    int n = 0;
    for (zip_int64_t i = 0; i < total; ++i) {
        if (EntradaCoincide(especs, NombreEntrada(za.get(), i)))
            ++n;
    }
    Cuenta = n;
    return ZipCorrecto;
}

int TUnzipFile::Comentario(bool texto) {
    lpszReturnString.clear();
    int codigo = 0;
    Archivo za(AbrirParaLeer(lpszZipFile, codigo));
    if (!za)
        return codigo;
    const QString comentario = ComentarioArchivo(za.get());
    Cuenta = static_cast<int>(comentario.toUtf8().size());
    if (texto)
        lpszReturnString = comentario;
    return ZipCorrecto;
}

int TUnzipFile::Extraer() {
    int codigo = 0;
    Archivo za(AbrirParaLeer(lpszZipFile, codigo));
    if (!za)
        return codigo;
    TExtraccion extraccion(*this, za.get());
    return extraccion.Ejecutar();
}

} // namespace brivo
