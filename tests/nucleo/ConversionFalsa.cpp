#include "ConversionFalsa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "Errores.h"
#include "MotorFalso.h"

namespace brivo::pruebas {

QString TConversionFalsa::Leer(const QString& ruta, const QString& clave) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorBrivo(QStringLiteral("No se encuentra el archivo \"%1\".").arg(ruta));
    const QByteArray datos = f.readAll();
    if (datos.startsWith("SIN"))
        throw word::ErrorSinConversor();
    if (datos.startsWith("MAL:"))
        throw ErrorBrivo(QString::fromUtf8(datos.mid(4)));
    if (!datos.startsWith("BRIVO-FALSO"))
        return QString::fromUtf8(datos);
    const TArchivoFalso archivo = LeerArchivoFalso(ruta);
    if (!archivo.Clave.isEmpty() && archivo.Clave != clave)
        throw ErrorBrivo(QStringLiteral("La contraseña no es correcta."));
    return archivo.Texto;
}

bool TConversionFalsa::NecesitaConversion(const QString&) const {
    return false;
}

word::ResultadoConversionArchivo TConversionFalsa::ConvertirAlFormatoPropio(const QString&,
                                                                            const QString&) {
    ADD_FAILURE() << "nothing here converts in place";
    return {};
}

void TConversionFalsa::ImportarArchivo(const QString& origen, const QString& clave,
                                       const QString& destino, const QString& claveDestino) {
    Importaciones.push_back({origen, clave, destino, claveDestino});
    const QString texto = Leer(origen, clave);
    QDir().mkpath(QFileInfo(destino).absolutePath());
    EscribirArchivoFalso(destino, {texto, claveDestino, {}});
}

void TConversionFalsa::ExportarArchivo(const QString& ruta, const QString& clave,
                                       const QString& salida, word::FormatoExportacion formato,
                                       const QString& claveSalida) {
    Exportaciones.push_back({ruta, clave, salida, claveSalida, formato});
    const QString texto = Leer(ruta, clave);
    EscribirArchivoFalso(salida,
                         {texto, claveSalida, {{0, QString::number(static_cast<int>(formato))}}});
}

} // namespace brivo::pruebas
