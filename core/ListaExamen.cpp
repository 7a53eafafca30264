#include "ListaExamen.h"

#include <utility>

#include "Almacen.h"
#include "Texto.h"

namespace brivo {

int TrasladarMarcados(TAlmacen& almacen) {
    int n = 1 + almacen.EntradasExamen();
    int sinSitio = 0;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Numero <= 0 || !d.Marcado)
            continue;
        if (n > MaxExamen) {
            // The list is full: the document stays marked.
            ++sinSitio;
            continue;
        }
        d.Marcado = false;
        almacen.ListaExamen[static_cast<size_t>(n)] = d.Numero;
        ++n;
    }
    return sinSitio;
}

QString TextoListaLlena(int sinSitio) {
    return SegunCantidad(sinSitio,
                         QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                        "%2 documento marcado no se ha añadido y sigue marcado."),
                         QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                        "%2 documentos marcados no se han añadido y siguen "
                                        "marcados."))
        .arg(MaxExamen)
        .arg(sinSitio);
}

bool QuitarEntrada(TAlmacen& almacen, int r) {
    // Only a row that holds a document is removed; the heading row stays.
    if (r < 1 || r > MaxExamen || almacen.ListaExamen[static_cast<size_t>(r)] <= 0)
        return false;
    for (int j = r; j < MaxExamen; ++j)
        almacen.ListaExamen[static_cast<size_t>(j)] =
            almacen.ListaExamen[static_cast<size_t>(j + 1)];
    almacen.ListaExamen[MaxExamen] = 0;
    return true;
}

bool IntercambiarEntradas(TAlmacen& almacen, int a, int b) {
    if (a < 1 || a > MaxExamen || b < 1 || b > MaxExamen)
        return false;
    std::swap(almacen.ListaExamen[static_cast<size_t>(a)],
              almacen.ListaExamen[static_cast<size_t>(b)]);
    return true;
}

int DocumentoDeEntrada(const TAlmacen& almacen, int fila) {
    return fila >= 1 && fila <= MaxExamen ? almacen.ListaExamen[static_cast<size_t>(fila)] : -1;
}

} // namespace brivo
