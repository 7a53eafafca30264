#include "VentanaFalsa.h"

#include <QDir>

namespace brivo::pruebas {

void TVentanaFalsa::PonerCarpeta(const QString& carpeta) {
    almacen.CarpetaPrograma = carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + "/";
    QDir().mkpath(Docs());
}

TLibro& TVentanaFalsa::PonerLibro(int slot, std::int32_t id, const QString& titulo,
                                  const QString& carpeta) {
    TLibro& l = almacen.Libros[slot];
    l = TLibro::Libre();
    l.Identificador = id;
    l.Titulo = titulo;
    l.Autor = QStringLiteral("Autor de %1").arg(titulo);
    l.Carpeta = carpeta;
    return l;
}

} // namespace brivo::pruebas
