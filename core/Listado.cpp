#include "Listado.h"

#include <algorithm>
#include <tuple>

namespace brivo {

namespace {

using Clave = std::tuple<int, int, int>;

Clave ClaveDe(const TDocumento& d) {
    return {d.IdMateria, d.IdTema, d.IdContenido};
}

int IdDe(const TNodo* n) {
    return n ? n->Id() : 0;
}

// Places of the nodes below `nodo` (whose own place is m, t, c at `nivel`),
// added to `lugares`. Nodes deeper than level 2 have the place (0, 0, 0).
void LugaresBajo(const TNodo& nodo, int nivel, int m, int t, std::vector<Clave>& lugares) {
    for (const auto& h : nodo.Hijos) {
        const int id = h->Id();
        switch (nivel + 1) {
        case 1:
            lugares.emplace_back(m, id, 0);
            LugaresBajo(*h, 1, m, id, lugares);
            break;
        case 2:
            lugares.emplace_back(m, t, id);
            LugaresBajo(*h, 2, m, t, lugares);
            break;
        default:
            lugares.emplace_back(0, 0, 0);
            LugaresBajo(*h, nivel + 1, 0, 0, lugares);
            break;
        }
    }
}

// The place of every node of the tree, sorted for binary search. Built once
// per listing: the identifiers of each node are read once, and each
// document is then looked up in logarithmic time.
std::vector<Clave> LugaresDelArbol(const TArbol& arbol) {
    std::vector<Clave> lugares;
    lugares.reserve(static_cast<size_t>(arbol.Raices().size()) * 16);
    for (const auto& r : arbol.Raices()) {
        const int m = r->Id();
        lugares.emplace_back(m, 0, 0);
        LugaresBajo(*r, 0, m, 0, lugares);
    }
    std::sort(lugares.begin(), lugares.end());
    lugares.erase(std::unique(lugares.begin(), lugares.end()), lugares.end());
    return lugares;
}

} // namespace

std::vector<int> ElegirDocumentos(const TAlmacen& almacen, const TNodo* nodo, int& m, int& t) {
    std::vector<int> lista;
    m = 0;
    t = 0;
    if (!nodo)
        return lista;
    const auto& docs = almacen.Documentos;
    // Every choice below lists documents in use only: a free slot has the
    // place (0, 0, 0) and must never show as a row, whatever the node's
    // identifiers read as.
    auto elegir = [&](auto&& condicion) {
        for (int k = 1; k <= MaxDocumentos; ++k) {
            const TDocumento& d = docs[static_cast<size_t>(k)];
            if (d.Numero > 0 && condicion(d))
                lista.push_back(k);
        }
    };
    switch (nodo->Nivel()) {
    case 2: {
        const int c = nodo->Id();
        t = IdDe(nodo->Padre);
        m = IdDe(nodo->Padre->Padre);
        elegir([&](const TDocumento& d) {
            return d.IdMateria == m && d.IdTema == t && d.IdContenido == c;
        });
        break;
    }
    case 1:
        t = nodo->Id();
        m = IdDe(nodo->Padre);
        if (m == 1 && t == 4) {
            // "No asignados": places that no node of the tree has; (0, 0, 0)
            // always counts as unassigned.
            const std::vector<Clave> lugares = LugaresDelArbol(almacen.Arbol);
            elegir([&](const TDocumento& d) {
                const Clave lugar = ClaveDe(d);
                return lugar == Clave{0, 0, 0} ||
                       !std::binary_search(lugares.begin(), lugares.end(), lugar);
            });
        } else if (m == 1 && t == 5) {
            elegir([](const TDocumento&) { return true; });
        } else {
            elegir([&](const TDocumento& d) { return d.IdMateria == m && d.IdTema == t; });
        }
        break;
    case 0:
        m = nodo->Id();
        if (m > 1)
            elegir([&](const TDocumento& d) { return d.IdMateria == m; });
        break;
    default:
        break; // deeper nodes list nothing
    }
    return lista;
}

TListado ListarEnAlmacen(TAlmacen& almacen, const TNodo* nodo) {
    for (int r = 1; r <= MaxDocumentos; ++r)
        almacen.ListaPreg[static_cast<size_t>(r)] = -1;
    TListado listado;
    const std::vector<int> lista = ElegirDocumentos(almacen, nodo, listado.Materia, listado.Tema);
    for (size_t i = 0; i < lista.size(); ++i)
        almacen.ListaPreg[i + 1] = lista[i];
    almacen.NumListados = static_cast<int>(lista.size());
    // Under "Útiles" and its first three children only number, description
    // and creation date show.
    listado.Reducido = listado.Materia == 1 && listado.Tema <= 3;
    return listado;
}

} // namespace brivo
