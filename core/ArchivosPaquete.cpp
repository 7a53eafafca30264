#include "ArchivosPaquete.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "Almacen.h"
#include "Paquete.h"

namespace brivo::paquete {

int NumeroDeNombre(const QString& nombre) {
    if (nombre.size() != 11 || nombre[0] != QLatin1Char('K') ||
        !nombre.endsWith(QLatin1String(".doc")))
        return 0;
    for (int i = 1; i <= 6; ++i) {
        if (!nombre[i].isDigit())
            return 0;
    }
    bool ok = false;
    const int n = nombre.mid(1, 6).toInt(&ok);
    return ok && n >= 1 && n <= MaxDocumentos ? n : 0;
}

bool Existe(const QString& ruta) {
    const QFileInfo fi(ruta);
    return fi.exists() || fi.isSymLink();
}

bool Mover(const QString& origen, const QString& destino) {
    if (std::rename(QFile::encodeName(origen).constData(),
                    QFile::encodeName(destino).constData()) == 0)
        return true;
    const QString temporal = destino + QStringLiteral(".brivo-tmp");
    QFile::remove(temporal);
    if (!QFile::copy(origen, temporal))
        return false;
    if (std::rename(QFile::encodeName(temporal).constData(),
                    QFile::encodeName(destino).constData()) != 0) {
        QFile::remove(temporal);
        return false;
    }
    QFile::remove(origen);
    return true;
}

bool CarpetaDeOtroLibro(const TAlmacen& a, const CadenaCorta<100>& carpeta,
                        std::int32_t identificador) {
    for (int i = 1; i <= MaxLibros; ++i) {
        const TLibro& l = a.Libros[i];
        if (l.Usado() && l.Identificador != identificador && l.Carpeta == carpeta)
            return true;
    }
    return false;
}

bool MoverArchivosDeLibro(const TAlmacen& a, std::int32_t identificador, const QString& anterior,
                          const QString& nueva) {
    if (!CarpetaDePaqueteValida(anterior))
        return false; // no folder of its own to move from
    const QString origen = RutaCarpetaLibro(a, anterior);
    const QString destino = RutaCarpetaLibro(a, nueva);
    if (!QFileInfo(origen).isDir() || QFileInfo(origen).isSymLink())
        return false;
    CadenaCorta<100> clave;
    clave.Asignar(anterior);
    if (!CarpetaDeOtroLibro(a, clave, identificador) && !Existe(destino) &&
        QDir().rename(origen, destino))
        return true;
    QDir().mkpath(destino);
    bool alguno = false;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = a.Documentos[k];
        if (!d.Usado() || d.IdLibro != identificador)
            continue;
        const QString archivo = RutaDocumentoEnCarpeta(a, anterior, k);
        if (Existe(archivo) && Mover(archivo, RutaDocumentoEnCarpeta(a, nueva, k)))
            alguno = true;
    }
    return alguno;
}

} // namespace brivo::paquete
