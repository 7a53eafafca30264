#include "Cerrojo.h"

#include <QDir>
#include <QLockFile>

namespace brivo {

TCerrojoBiblioteca::TCerrojoBiblioteca(const QString& carpeta)
    : ruta(QDir(carpeta).absoluteFilePath(QLatin1String(NombreArchivo))),
      archivo(std::make_unique<QLockFile>(ruta)) {
    // A library stays open for hours: the age of the file says nothing about
    // its holder. Only a holder known to have ended makes the lock stale.
    archivo->setStaleLockTime(0);
}

TCerrojoBiblioteca::~TCerrojoBiblioteca() = default; // QLockFile unlocks itself

TCerrojoBiblioteca::Resultado TCerrojoBiblioteca::Tomar() {
    if (archivo->isLocked())
        return Resultado::Tomado;
    if (archivo->tryLock(0))
        return Resultado::Tomado;
    return archivo->error() == QLockFile::LockFailedError ? Resultado::EnUso
                                                          : Resultado::NoEscribible;
}

bool TCerrojoBiblioteca::Tomado() const {
    return archivo->isLocked();
}

void TCerrojoBiblioteca::Soltar() {
    if (archivo->isLocked())
        archivo->unlock();
}

bool TCerrojoBiblioteca::Dueno(TDueno& dueno) const {
    qint64 proceso = 0;
    QString equipo;
    QString programa;
    if (!archivo->getLockInfo(&proceso, &equipo, &programa))
        return false;
    dueno.Proceso = proceso;
    dueno.Equipo = equipo;
    dueno.Programa = programa;
    return true;
}

} // namespace brivo
