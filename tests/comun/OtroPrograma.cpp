#include "OtroPrograma.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace brivo::pruebas {

TOtroPrograma::~TOtroPrograma() {
    Matar();
}

bool TOtroPrograma::Tomar(const QString& carpeta) {
    proceso.start(QStringLiteral(BRIVO_TOMAR_BIBLIOTECA), {carpeta});
    if (!proceso.waitForStarted(10000))
        return false;
    while (!proceso.canReadLine()) {
        if (!proceso.waitForReadyRead(10000))
            return false;
    }
    return proceso.readLine().trimmed() == "tomada";
}

void TOtroPrograma::Matar() {
    if (proceso.state() == QProcess::NotRunning)
        return;
    proceso.kill(); // SIGKILL: nothing is cleaned up
    proceso.waitForFinished(10000);
}

TFotoCarpeta Fotografiar(const QString& carpeta) {
    TFotoCarpeta foto;
    QDirIterator it(carpeta, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        TEstadoArchivo estado;
        struct stat datos {};
        if (::stat(QFile::encodeName(ruta).constData(), &datos) == 0)
            estado.Modificado = qint64(datos.st_mtim.tv_sec) * 1000000000 + datos.st_mtim.tv_nsec;
        QFile f(ruta);
        if (QFileInfo(ruta).isFile() && f.open(QIODevice::ReadOnly))
            estado.Contenido = f.readAll();
        foto.insert(QDir(carpeta).relativeFilePath(ruta), estado);
    }
    return foto;
}

} // namespace brivo::pruebas
