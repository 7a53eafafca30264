#include "PaqueteWord.h"

#include <vector>

#include <QDir>
#include <QFileInfo>

#include "Almacen.h"
#include "DocumentosOficina.h"
#include "Errores.h"
#include "Paquete.h"

namespace brivo {

int EscribirDocumentosWord(const TAlmacen& almacen, const TLibro& libro, const QString& carpeta,
                           word::IConversionDocumentos& conversion, const TProgreso& progreso) {
    std::vector<int> numeros;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = almacen.Documentos[size_t(k)];
        if (d.Usado() && d.IdLibro == libro.Identificador &&
            QFileInfo(RutaDocumento(almacen, k)).isFile())
            numeros.push_back(k);
    }
    const int total = int(numeros.size());
    for (int i = 0; i < total; ++i) {
        const int k = numeros[size_t(i)];
        const QString nombre = QFileInfo(RutaDocumento(almacen, k)).fileName();
        if (progreso.Mayor) {
            bool cancelar = false;
            progreso.Mayor(QStringLiteral("Convirtiendo %1").arg(nombre), i * 100 / total,
                           cancelar);
        }
        try {
            ExportarDocumentoWord97(almacen, k, QDir(carpeta).filePath(nombre), conversion);
        } catch (const word::ErrorSinConversor&) {
            throw;
        } catch (const ErrorBrivo& e) {
            throw ErrorBrivo(
                QStringLiteral("No se puede convertir a Word el documento %1 «%2» "
                               "(%3): %4")
                    .arg(k)
                    .arg(almacen.Documentos[size_t(k)].Descripcion.Texto(), nombre, e.Mensaje()));
        }
    }
    if (progreso.Mayor && total > 0) {
        bool cancelar = false;
        progreso.Mayor(QString(), 100, cancelar);
    }
    return total;
}

} // namespace brivo
