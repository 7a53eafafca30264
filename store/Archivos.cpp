#include "Archivos.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace brivo::archivos {

namespace {

int EscribirTodo(int fd, const char* datos, qsizetype n) {
    while (n > 0) {
        const ssize_t hecho = ::write(fd, datos, static_cast<size_t>(n));
        if (hecho < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        datos += hecho;
        n -= hecho;
    }
    return 0;
}

} // namespace

ResultadoLectura Leer(const QString& ruta, QByteArray& datos) {
    ResultadoLectura r;
    datos.clear();
    const QByteArray nombre = QFile::encodeName(ruta);
    const int fd = ::open(nombre.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.error = errno;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        // A folder under the file's name cannot be opened as a file.
        ::close(fd);
        r.error = EISDIR;
        return r;
    }
    r.abierto = true;
    if (S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size < (qint64(1) << 30))
        datos.reserve(static_cast<qsizetype>(st.st_size));
    char bloque[65536];
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.error = errno;
            break;
        }
        if (n == 0)
            break;
        if (datos.size() > (qsizetype(1) << 30)) {
            // No data file of the system comes near this size.
            r.error = EFBIG;
            break;
        }
        datos.append(bloque, n);
    }
    ::close(fd);
    return r;
}

ResultadoEscritura EscribirSeguro(const QString& ruta, const QByteArray& datos) {
    ResultadoEscritura r;
    const QByteArray destino = QFile::encodeName(ruta);
    QByteArray temporal;
    int fd = -1;
    for (int intento = 0; intento < 100 && fd < 0; ++intento) {
        temporal =
            destino + ".tmp" + QByteArray::number(QRandomGenerator::system()->generate(), 16);
        fd = ::open(temporal.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        r.error = errno;
        r.alCrear = true;
        return r;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat st {};
    if (::stat(destino.constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 07777);

    int error = EscribirTodo(fd, datos.constData(), datos.size());
    // The data reaches the disk before the new file takes the old one's name.
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporal.constData());
        r.error = error;
        return r;
    }
    if (::rename(temporal.constData(), destino.constData()) != 0) {
        r.error = errno;
        r.alCrear = true;
        ::unlink(temporal.constData());
        return r;
    }
    return r;
}

ErrorES ErrorDeSistema(int codigo) {
    if (codigo == ENOENT)
        return ErrorES(QStringLiteral("No se encuentra el archivo"), codigo);
    return ErrorES(QStringLiteral("Error de E/S %1").arg(codigo), codigo);
}

} // namespace brivo::archivos
