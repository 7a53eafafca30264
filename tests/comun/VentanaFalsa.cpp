#include "VentanaFalsa.h"

#include <QDir>

namespace brivo::apoyo {

void TVentanaFalsa::PonerCarpeta(const QString& carpeta) {
    almacen.CarpetaPrograma = carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + "/";
    QDir().mkpath(Docs());
}

QString TVentanaFalsa::RutaDocumento(int numero) {
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[numero].IdLibro);
    if (libro.Identificador == 0)
        return {};
    return Docs() + libro.Carpeta.Texto() +
           QStringLiteral("/K%1.doc").arg(numero, 6, 10, QLatin1Char('0'));
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

} // namespace brivo::apoyo
