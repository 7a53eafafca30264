#include "EdicionArbol.h"

#include "Almacen.h"
#include "BancoDocumentos.h"
#include "DialogoUsuario.h"
#include "Listado.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

const QString SaltoLinea = QStringLiteral("\r\n");

// The materia, tema and contenido texts of a place joined by single blanks
// (an empty text still leaves its blank).
QString TextoDeLugar(const TArbol& arbol, const TLugar& lugar) {
    QString materia, tema, contenido;
    arbol.NombresDeLugar(lugar, materia, tema, contenido);
    return materia + QLatin1Char(' ') + tema + QLatin1Char(' ') + contenido;
}

void PonerLugar(TDocumento& d, const TLugar& lugar) {
    d.IdMateria = lugar.Materia;
    d.IdTema = lugar.Tema;
    d.IdContenido = lugar.Contenido;
}

} // namespace

QString TextoNodoHermano(const TNodo* seleccionado) {
    if (!seleccionado)
        return QString::fromUtf8(textos::NuevaMateria);
    // The special nodes under "Útiles" take no siblings.
    if (TArbol::EsHijoDeUtiles(seleccionado))
        return {};
    switch (seleccionado->Nivel()) {
    case 0:
        return QString::fromUtf8(textos::NuevaMateria);
    case 1:
        return QString::fromUtf8(textos::NuevoTema);
    case 2:
        return QString::fromUtf8(textos::NuevoContenido);
    default:
        return QStringLiteral("Nuevo nodo");
    }
}

QString TextoNodoHijo(const TNodo* seleccionado) {
    if (!seleccionado || TArbol::EsProtegido(seleccionado))
        return {};
    switch (seleccionado->Nivel()) {
    case 0:
        return QString::fromUtf8(textos::NuevoTema);
    case 1:
        return QString::fromUtf8(textos::NuevoContenido);
    default:
        return {}; // no nodes below the contenido level
    }
}

bool PrepararBorradoNodo(TAlmacen& almacen, TNodo* nodo, QWidget* padre) {
    if (!PermitirCambio(almacen, padre) || !nodo)
        return false;
    if (TArbol::EsProtegido(nodo)) {
        ui::Informacion(padre, QStringLiteral("No se puede borrar este nodo"));
        return false;
    }
    // The documents the node lists: its own and, for a materia or tema, its
    // descendants'.
    int m = 0;
    int t = 0;
    if (ElegirDocumentos(almacen, nodo, m, t).empty())
        return true;
    if (!ui::Confirmar(padre, QStringLiteral("Este nodo contiene documentos") + SaltoLinea +
                                  QStringLiteral("¿Seguro que quiere borrarlo?")))
        return false;
    const TLugar viejo = almacen.Arbol.LugarDeNodo(nodo);
    const TLugar nuevo = nodo->Nivel() == 0 ? TLugar{} : almacen.Arbol.LugarDeNodo(nodo->Padre);
    // Only the documents filed at the node itself move; those of its
    // descendants keep their places.
    for (int k = 1; k <= MaxDocumentos; ++k) {
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Usado() && TLugar{d.IdMateria, d.IdTema, d.IdContenido} == viejo)
            PonerLugar(d, nuevo);
    }
    QString informe = QStringLiteral("Los documentos del nodo borrado están en:") + SaltoLinea;
    if (nuevo == TLugar{}) {
        informe += QStringLiteral("Útiles Todos") + SaltoLinea + QStringLiteral("o en") +
                   SaltoLinea + QStringLiteral("Útiles No asignados");
    } else {
        informe += QStringLiteral("Todos") + SaltoLinea + QStringLiteral("o en") + SaltoLinea +
                   TextoDeLugar(almacen.Arbol, nuevo);
    }
    ui::Informacion(padre, informe);
    return true;
}

bool SoltarMarcados(TAlmacen& almacen, const TNodo* destino, QWidget* padre) {
    if (!destino || !PermitirCambio(almacen, padre))
        return false;
    bool hayMarcados = false;
    for (int k = 1; k <= MaxDocumentos && !hayMarcados; ++k) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        hayMarcados = d.Usado() && d.Marcado;
    }
    if (!hayMarcados) {
        ui::Informacion(padre, QStringLiteral("No hay documentos marcados"));
        return false;
    }
    const TLugar lugar = almacen.Arbol.LugarDeNodo(destino);
    if (!ui::Confirmar(padre,
                       QStringLiteral("¿Seguro que quiere mover los documentos marcados al nodo") +
                           SaltoLinea + TextoDeLugar(almacen.Arbol, lugar) + QLatin1Char('?')))
        return false;
    // Every marked document in use, of any book and wherever it is filed.
    for (int k = 1; k <= MaxDocumentos; ++k) {
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Usado() && d.Marcado) {
            PonerLugar(d, lugar);
            d.Marcado = false;
        }
    }
    return true;
}

} // namespace brivo
