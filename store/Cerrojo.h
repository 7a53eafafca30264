#pragma once
// One writer per library. Whoever changes a library folder first takes its
// lock, a file in the folder ("Brivo2.lock") that names the computer and the
// process holding it. The lock is released when its holder ends; a holder
// that crashed leaves the file behind, and the next program on the same
// computer finds that process gone and takes the lock over. A lock taken on
// another computer is never taken over (there is no way to tell from here
// whether that program still runs): it goes away when that program ends.
#include <memory>

#include <QString>

class QLockFile;

namespace brivo {

class TCerrojoBiblioteca {
public:
    static constexpr const char* NombreArchivo = "Brivo2.lock";

    enum class Resultado {
        Tomado,      // this process holds the lock
        EnUso,       // another program holds it
        NoEscribible // the lock file cannot be created in the folder
    };

    // Who holds a lock taken elsewhere.
    struct TDueno {
        QString Equipo; // host name
        qint64 Proceso = 0;
        QString Programa;
    };

    explicit TCerrojoBiblioteca(const QString& carpeta);
    ~TCerrojoBiblioteca(); // releases the lock when held
    TCerrojoBiblioteca(const TCerrojoBiblioteca&) = delete;
    TCerrojoBiblioteca& operator=(const TCerrojoBiblioteca&) = delete;

    // Takes the lock without waiting; a stale lock of a process that ended on
    // this computer is taken over. Taking a lock already held gives Tomado.
    Resultado Tomar();
    bool Tomado() const;
    // Releases the lock (removes the file); nothing when not held.
    void Soltar();

    // The holder named in the lock file; false when there is no lock file or
    // it cannot be read.
    bool Dueno(TDueno& dueno) const;

    QString Ruta() const { return ruta; }

private:
    QString ruta;
    std::unique_ptr<QLockFile> archivo;
};

} // namespace brivo
