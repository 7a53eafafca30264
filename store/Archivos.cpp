#include "Archivos.h"
#include "TextosComunes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <thread>

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

namespace {

// Creates the temporary file beside the destination and writes the data.
ResultadoEscritura CrearTemporal(const QByteArray& destino, const QByteArray& datos,
                                 QByteArray& temporal, int& fd) {
    ResultadoEscritura r;
    fd = -1;
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
    const int error = EscribirTodo(fd, datos.constData(), datos.size());
    if (error != 0) {
        ::close(fd);
        fd = -1;
        ::unlink(temporal.constData());
        r.error = error;
    }
    return r;
}

// Flushes the data to disk, closes the file and puts it in place.
ResultadoEscritura Terminar(const QByteArray& temporal, const QByteArray& destino, int fd,
                            bool sincronizado, int errorSincronia) {
    ResultadoEscritura r;
    int error = 0;
    if (!sincronizado && ::fdatasync(fd) != 0)
        error = errno;
    else if (sincronizado)
        error = errorSincronia;
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
    }
    return r;
}

} // namespace

ResultadoEscritura EscribirSeguro(const QString& ruta, const QByteArray& datos) {
    const QByteArray destino = QFile::encodeName(ruta);
    QByteArray temporal;
    int fd = -1;
    const ResultadoEscritura r = CrearTemporal(destino, datos, temporal, fd);
    if (r.error != 0)
        return r;
    return Terminar(temporal, destino, fd, false, 0);
}

TEscrituraEnGrupo::~TEscrituraEnGrupo() {
    for (const Pendiente& p : pendientes) {
        ::close(p.fd);
        ::unlink(p.temporal.constData());
    }
}

ResultadoEscritura TEscrituraEnGrupo::Preparar(const QString& ruta, const QByteArray& datos,
                                               bool opcional) {
    Pendiente p;
    p.destino = QFile::encodeName(ruta);
    p.opcional = opcional;
    p.indice = preparados++;
    const ResultadoEscritura r = CrearTemporal(p.destino, datos, p.temporal, p.fd);
    if (r.error == 0)
        pendientes.push_back(std::move(p));
    return r;
}

TEscrituraEnGrupo::Fallo TEscrituraEnGrupo::Confirmar() {
    // One flush per file, all at once: the disk serves them in one go.
    std::vector<int> errores(pendientes.size(), 0);
    {
        std::vector<std::thread> hilos;
        hilos.reserve(pendientes.size());
        for (size_t i = 0; i < pendientes.size(); ++i) {
            hilos.emplace_back([this, &errores, i] {
                if (::fdatasync(pendientes[i].fd) != 0)
                    errores[i] = errno;
            });
        }
        for (std::thread& h : hilos)
            h.join();
    }
    Fallo fallo;
    std::vector<Pendiente> resto = std::move(pendientes);
    pendientes.clear();
    size_t i = 0;
    for (; i < resto.size(); ++i) {
        const Pendiente& p = resto[i];
        const ResultadoEscritura r = Terminar(p.temporal, p.destino, p.fd, true, errores[i]);
        if (r.error != 0 && !p.opcional) {
            fallo.indice = p.indice;
            fallo.resultado = r;
            ++i;
            break;
        }
    }
    // After a failure the later files stay where they were.
    for (; i < resto.size(); ++i) {
        ::close(resto[i].fd);
        ::unlink(resto[i].temporal.constData());
    }
    return fallo;
}

bool EsTemporalPropio(const QString& nombre) {
    static const QRegularExpression patron(QStringLiteral(
        "^(?:(?:Libros\\.lst|Docs\\.lst|Arbol\\.tvw|BRIVO_II\\.INI|Origenes\\.lst|K[0-9]{6}\\.doc)"
        "\\.tmp[0-9a-f]{1,8}"
        "|.+\\.brivo-tmp"
        "|\\.brivo-zip-[A-Za-z0-9]{6})$"));
    return patron.match(nombre).hasMatch();
}

bool EsPreparacionPropia(const QString& nombre) {
    static const QRegularExpression patron(
        QLatin1Char('^') + QRegularExpression::escape(QLatin1String(PrefijoPreparacion)) +
        QStringLiteral("[A-Za-z0-9]{6}$"));
    return patron.match(nombre).hasMatch();
}

int BorrarTemporalesPropios(const QString& carpeta) {
    int borrados = 0;
    const QDir dir(carpeta);
    for (const QString& nombre : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (EsTemporalPropio(nombre) && QFile::remove(dir.filePath(nombre)))
            ++borrados;
    }
    return borrados;
}

ErrorES ErrorDeSistema(int codigo) {
    if (codigo == ENOENT)
        return ErrorES(QString::fromUtf8(textos::NoSeEncuentraArchivo), codigo);
    return ErrorES(QStringLiteral("Error de E/S %1").arg(codigo), codigo);
}

} // namespace brivo::archivos
