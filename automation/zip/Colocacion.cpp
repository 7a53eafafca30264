#include "Colocacion.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo::zipinterno {

namespace {

bool EsCarpeta(const QByteArray& ruta) {
    struct stat st {};
    return ::stat(ruta.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Existe(const QByteArray& ruta) {
    struct stat st {};
    return ::lstat(ruta.constData(), &st) == 0;
}

// rename() that never replaces an existing file; falls back to a plain rename
// on file systems that do not offer the flag (the target was checked before).
int MoverSinReemplazar(const QByteArray& origen, const QByteArray& destino) {
    if (::renameat2(AT_FDCWD, origen.constData(), AT_FDCWD, destino.constData(),
                    RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (Existe(destino))
        return EEXIST;
    return ::rename(origen.constData(), destino.constData()) == 0 ? 0 : errno;
}

} // namespace

TColocacion::~TColocacion() {
    if (!confirmada)
        Deshacer();
}

int TColocacion::CrearCarpeta(const QByteArray& ruta) {
    // The missing folders, from the deepest up to the first that exists.
    std::vector<QByteArray> faltan;
    QByteArray actual = ruta;
    while (actual.size() > 1 && actual.endsWith('/'))
        actual.chop(1);
    while (!actual.isEmpty() && !EsCarpeta(actual)) {
        faltan.push_back(actual);
        const qsizetype barra = actual.lastIndexOf('/');
        if (barra < 0)
            break;
        actual = barra == 0 ? QByteArray("/") : actual.left(barra);
    }
    for (auto it = faltan.rbegin(); it != faltan.rend(); ++it) {
        if (::mkdir(it->constData(), 0777) == 0)
            carpetas.push_back(*it);
        else if (errno != EEXIST || !EsCarpeta(*it))
            return errno == EEXIST ? ENOTDIR : errno;
    }
    return 0;
}

int TColocacion::CrearTemporal(const QByteArray& carpeta, QByteArray& ruta) {
    ruta = carpeta + "/.brivo-zip-XXXXXX";
    const int fd = ::mkstemp(ruta.data());
    if (fd >= 0)
        temporales.push_back(ruta);
    return fd;
}

int TColocacion::Colocar(const QByteArray& temporal, const QByteArray& destino) {
    struct stat st {};
    if (::lstat(destino.constData(), &st) != 0) {
        if (const int e = MoverSinReemplazar(temporal, destino); e != 0)
            return e;
        colocados.push_back({destino, {}});
    } else {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        // The old file goes aside under a fresh name in the same folder.
        const qsizetype barra = destino.lastIndexOf('/');
        QByteArray aparte =
            (barra >= 0 ? destino.left(barra) : QByteArray(".")) + "/.brivo-zip-XXXXXX";
        const int fd = ::mkstemp(aparte.data());
        if (fd < 0)
            return errno;
        ::close(fd);
        if (::rename(destino.constData(), aparte.constData()) != 0) {
            const int e = errno;
            ::unlink(aparte.constData());
            return e;
        }
        // Recorded at once: from here on undoing puts the old file back.
        colocados.push_back({destino, aparte});
        if (::rename(temporal.constData(), destino.constData()) != 0)
            return errno;
    }
    std::erase(temporales, temporal);
    return 0;
}

void TColocacion::Confirmar() {
    for (const Colocado& c : colocados) {
        if (!c.anterior.isEmpty())
            ::unlink(c.anterior.constData());
    }
    colocados.clear();
    temporales.clear();
    carpetas.clear();
    confirmada = true;
}

void TColocacion::Deshacer() {
    for (const QByteArray& t : temporales)
        ::unlink(t.constData());
    for (auto it = colocados.rbegin(); it != colocados.rend(); ++it) {
        if (it->anterior.isEmpty())
            ::unlink(it->destino.constData());
        else
            ::rename(it->anterior.constData(), it->destino.constData());
    }
    // A folder that is not empty now holds something that is not ours.
    for (auto it = carpetas.rbegin(); it != carpetas.rend(); ++it)
        ::rmdir(it->constData());
    temporales.clear();
    colocados.clear();
    carpetas.clear();
}

} // namespace brivo::zipinterno
