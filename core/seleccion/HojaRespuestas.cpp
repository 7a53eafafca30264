#include "HojaRespuestas.h"

#include "Seleccion.h"

namespace brivo {

TLineaHoja LineaHoja(const TDocumento& d, int pregunta, const TSecciones& secciones) {
    TLineaHoja l;
    l.Pregunta = pregunta;
    l.Documento = d.Numero;
    l.Texto = QString::number(pregunta) + QLatin1Char('.');
    const QString letra = d.Respuesta.Texto().trimmed();
    if (secciones.Existe(SecRespuesta)) {
        l.Contenido = ContenidoLineaHoja::Seccion;
    } else if (d.Tipo == TipoTest && !letra.isEmpty()) {
        l.Contenido = ContenidoLineaHoja::Letra;
        l.Texto += QLatin1Char(' ') + letra;
    }
    return l;
}

std::vector<TLineaHoja> ContenidoHojaRespuestas(const TAlmacen& almacen,
                                                const std::vector<int>& orden,
                                                const SeccionesDeDocumento& secciones) {
    std::vector<TLineaHoja> lineas;
    int n = 1;
    for (int k : orden) {
        // A free slot has no file: the exam leaves it out, and so does its sheet.
        if (k < 1 || k > MaxDocumentos || almacen.Documentos[static_cast<size_t>(k)].Numero != k)
            continue;
        const std::optional<TSecciones> s = secciones(k);
        if (!s)
            continue;
        lineas.push_back(LineaHoja(almacen.Documentos[static_cast<size_t>(k)], n++, *s));
    }
    return lineas;
}

} // namespace brivo
