#include "UnzipFile.h"

#include "ZipInterno.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <vector>

namespace brivo {

using namespace zipinterno;

namespace {

// One entry chosen for extraction.
struct Plan {
    zip_uint64_t indice = 0;
    QString nombre;  // name as stored, for the progress text
    QString destino; // full path of the file to write
    qint64 tamano = 0;
    time_t mtime = 0;
    zip_uint16_t cifrado = ZIP_EM_NONE;
    bool sinCrc = false; // WinZip AES entry of the kind that stores no CRC (AE-2)
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
    int largo = 0;
    const char* c = zip_get_archive_comment(za.get(), &largo, ZIP_FL_ENC_GUESS);
    const QString comentario = c ? QString::fromUtf8(c, largo) : QString();
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

    const QString carpeta = lpszDestination.isEmpty() ? QStringLiteral(".") : lpszDestination;
    if (!QDir().mkpath(carpeta))
        return ZipErrorEscritura;
    const QDir destino(carpeta);
    const bool soloNombre = Options & NoDirectoryNamesFlag;
    const bool sobrescribir = Options & OverWriteFlag;

    // 1. Choose the entries and check every one of them before writing.
    const zip_int64_t total = zip_get_num_entries(za.get(), 0);
    std::vector<zip_uint64_t> indices;
    if (IndexofItem >= 0) {
        if (IndexofItem >= total)
            return ZipParametroNoValido;
        indices.push_back(static_cast<zip_uint64_t>(IndexofItem));
    } else {
        const QStringList especs = SepararPatrones(lpszFileSpec);
        for (zip_int64_t i = 0; i < total; ++i) {
            if (EntradaCoincide(especs, NombreEntrada(za.get(), i)))
                indices.push_back(static_cast<zip_uint64_t>(i));
        }
    }

    std::vector<Plan> planes;
    QStringList carpetasVacias;
    QHash<QString, size_t> porDestino;
    qint64 totalBytes = 0;
    for (const zip_uint64_t i : indices) {
        const QString nombre = NombreEntrada(za.get(), i);
        zip_stat_t st;
        if (zip_stat_index(za.get(), i, 0, &st) != 0)
            return ZipArchivoNoValido;
        const bool esCarpeta =
            nombre.endsWith(QLatin1Char('/')) || nombre.endsWith(QLatin1Char('\\'));
        if (esCarpeta && soloNombre)
            continue;
        const std::optional<QString> relativa = RutaSeguraDeEntrada(nombre, soloNombre);
        if (!relativa)
            return ZipNombreInseguro;
        if (esCarpeta) {
            carpetasVacias.append(destino.filePath(*relativa));
            continue;
        }
        Plan p;
        p.indice = i;
        p.nombre = nombre;
        p.destino = destino.filePath(*relativa);
        p.tamano = (st.valid & ZIP_STAT_SIZE) ? static_cast<qint64>(st.size) : 0;
        p.mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        p.cifrado = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) ? st.encryption_method : ZIP_EM_NONE;
        if (p.tamano < 0)
            return ZipDemasiadoGrande;
        p.sinCrc = (p.cifrado == ZIP_EM_AES_128 || p.cifrado == ZIP_EM_AES_192 ||
                    p.cifrado == ZIP_EM_AES_256) &&
                   (st.valid & ZIP_STAT_CRC) && st.crc == 0 && p.tamano > 0;

        struct stat existente {};
        if (::lstat(RutaLocal(p.destino).constData(), &existente) == 0) {
            if (S_ISDIR(existente.st_mode))
                return ZipErrorEscritura;
            if (!sobrescribir)
                continue; // existing files are kept
            // A file without any write permission counts as read-only.
            const bool soloLectura = S_ISREG(existente.st_mode) &&
                                     (existente.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
            if (soloLectura && !(wUnzipSubOptions & USO_OVERWRITE_RO))
                return ZipErrorEscritura;
        }
        // Two entries for one target: the later one wins.
        auto it = porDestino.find(p.destino);
        if (it != porDestino.end()) {
            totalBytes -= planes[it.value()].tamano;
            planes[it.value()] = p;
        } else {
            porDestino.insert(p.destino, planes.size());
            planes.push_back(p);
        }
        totalBytes += p.tamano;
        if (totalBytes > LimiteDescomprimido)
            return ZipDemasiadoGrande;
    }

    std::error_code ec;
    const auto espacio =
        std::filesystem::space(RutaLocal(destino.absolutePath()).toStdString(), ec);
    if (!ec && static_cast<std::uintmax_t>(totalBytes) > espacio.available)
        return ZipSinEspacio;

    // 2. Stage every entry in a temporary file beside its target.
    auto borrarTemporales = [&planes] {
        for (Plan& p : planes) {
            if (!p.temporal.isEmpty()) {
                ::unlink(p.temporal.constData());
                p.temporal.clear();
            }
        }
    };
    struct Limpieza {
        std::function<void()> f;
        ~Limpieza() { f(); }
    } limpieza{borrarTemporales};

    QList<QByteArray> claves;
    if ((Options & DecryptFlag) && !lpszDecryptCode.isEmpty()) {
        claves.append(lpszDecryptCode.toUtf8());
        // Older Windows programs encode the password in the ANSI code page.
        const QByteArray latina = lpszDecryptCode.toLatin1();
        if (latina != claves.first() && QString::fromLatin1(latina) == lpszDecryptCode)
            claves.append(latina);
    }

    bool cancelado = false;
    auto avisar = [&cancelado](const TStatusCallback& cb, const QString& item, int porcentaje) {
        if (cb && !cancelado) {
            bool cancelar = false;
            cb(item, porcentaje, cancelar);
            cancelado = cancelar;
        }
    };
    int ultimoMayor = -1;
    qint64 hechos = 0;
    auto avisarMayor = [&](const QString& item) {
        const int p =
            totalBytes > 0 ? static_cast<int>(qMin<qint64>(100, hechos * 100 / totalBytes)) : 100;
        if (p != ultimoMayor) {
            ultimoMayor = p;
            avisar(OnMajorCallback, item, p);
        }
    };

    constexpr size_t Bloque = 256 * 1024;
    std::unique_ptr<char[]> bufer(new char[Bloque]);
    for (Plan& p : planes) {
        avisarMayor(p.nombre);
        avisar(OnMinorCallback, p.nombre, 0);
        if (cancelado)
            return ZipCancelado;

        const QString padre = QFileInfo(p.destino).path();
        if (!QDir().mkpath(padre))
            return ZipErrorEscritura;

        zip_file_t* zf = nullptr;
        if (claves.isEmpty()) {
            zf = zip_fopen_index_encrypted(za.get(), p.indice, 0, nullptr);
        } else {
            for (const QByteArray& clave : claves) {
                zf = zip_fopen_index_encrypted(za.get(), p.indice, 0, clave.constData());
                if (zf || zip_error_code_zip(zip_get_error(za.get())) != ZIP_ER_WRONGPASSWD)
                    break;
            }
        }
        if (!zf)
            return CodigoDeLectura(zip_error_code_zip(zip_get_error(za.get())), p.cifrado);
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> entrada(zf, zip_fclose);

        QByteArray plantilla = RutaLocal(padre) + "/.brivo-zip-XXXXXX";
        const int fd = ::mkstemp(plantilla.data());
        if (fd < 0)
            return errno == ENOSPC ? ZipSinEspacio : ZipErrorEscritura;
        p.temporal = plantilla;
        auto cerrar = [fd] { return ::close(fd); };

        qint64 leidos = 0;
        int ultimoMenor = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(zf, bufer.get(), Bloque);
            // AES entries written by 7-Zip and WinZip (AE-2) store 0 as their
            // CRC and rely on the AES authentication instead; this libzip
            // compares that 0 with the data and reports a CRC error at the end.
            // Once every declared byte has arrived that report is not a fault.
            if (n < 0 && p.sinCrc && leidos == p.tamano &&
                zip_error_code_zip(zip_file_get_error(zf)) == ZIP_ER_CRC)
                break;
            if (n < 0) {
                cerrar();
                return CodigoDeLectura(zip_error_code_zip(zip_file_get_error(zf)), p.cifrado);
            }
            if (n == 0)
                break;
            leidos += n;
            hechos += n;
            // Data that inflates beyond its declared size is refused, so a
            // forged header cannot get past the size checks above.
            if (leidos > p.tamano || hechos > LimiteDescomprimido) {
                cerrar();
                return ZipDemasiadoGrande;
            }
            if (const int e = EscribirTodo(fd, bufer.get(), static_cast<size_t>(n)); e != 0) {
                cerrar();
                return e == ENOSPC ? ZipSinEspacio : ZipErrorEscritura;
            }
            const int pm = p.tamano > 0 ? static_cast<int>(leidos * 100 / p.tamano) : 100;
            if (pm != ultimoMenor) {
                ultimoMenor = pm;
                avisar(OnMinorCallback, p.nombre, pm);
            }
            avisarMayor(p.nombre);
            if (cancelado) {
                cerrar();
                return ZipCancelado;
            }
        }
        const int cierre = zip_fclose(entrada.release());
        if (cierre != 0 && !(p.sinCrc && cierre == ZIP_ER_CRC)) {
            cerrar();
            return CodigoDeLectura(cierre, p.cifrado);
        }
        if (leidos != p.tamano) {
            cerrar();
            return ZipArchivoNoValido;
        }
        ::fchmod(fd, PermisosNuevos());
        if (p.mtime > 0) {
            const struct timespec tiempos[2] = {{p.mtime, 0}, {p.mtime, 0}};
            ::futimens(fd, tiempos);
        }
        if (cerrar() != 0)
            return ZipErrorEscritura;
        if (ultimoMenor != 100)
            avisar(OnMinorCallback, p.nombre, 100);
    }

    // 3. Every entry was read correctly: move the files into place.
    for (Plan& p : planes) {
        if (::rename(p.temporal.constData(), RutaLocal(p.destino).constData()) != 0)
            return ZipErrorEscritura;
        p.temporal.clear();
        ++Cuenta;
    }
    for (const QString& c : carpetasVacias)
        QDir().mkpath(c);
    avisarMayor(QString());
    if (ultimoMayor != 100)
        avisar(OnMajorCallback, QString(), 100);
    return ZipCorrecto;
}

} // namespace brivo
