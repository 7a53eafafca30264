#pragma once
// Another program on the same library, for the tests of the library lock: a
// child process that takes the lock of a folder and holds it until it is
// killed; and a record of a folder's files, to prove that nothing in it was
// written.
#include <QMap>
#include <QProcess>
#include <QString>

namespace brivo::pruebas {

class TOtroPrograma {
public:
    TOtroPrograma() = default;
    TOtroPrograma(const TOtroPrograma&) = delete;
    TOtroPrograma& operator=(const TOtroPrograma&) = delete;
    ~TOtroPrograma(); // kills the child when it still runs

    // Starts the child on a library folder; true once it holds the lock.
    bool Tomar(const QString& carpeta);
    qint64 Proceso() const { return proceso.processId(); }
    // Kills the child without letting it release anything (a crash).
    void Matar();

private:
    QProcess proceso;
};

// Every file under a folder: relative path -> size, modification time (ns)
// and contents.
struct TEstadoArchivo {
    QByteArray Contenido;
    qint64 Modificado = 0;
    bool operator==(const TEstadoArchivo&) const = default;
};
using TFotoCarpeta = QMap<QString, TEstadoArchivo>;
TFotoCarpeta Fotografiar(const QString& carpeta);

} // namespace brivo::pruebas
