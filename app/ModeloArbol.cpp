#include "ModeloArbol.h"

#include "Iconos.h"

namespace brivo {

TModeloArbol::TModeloArbol(TAlmacen& a, QObject* padre)
    : QAbstractItemModel(padre), almacen(a), arbol(a.Arbol), imagen0(iconos::NodoCerrado()),
      imagen1(iconos::NodoAbierto()), fuente(QStringLiteral("Arial"), 8) {}

TNodo* TModeloArbol::Nodo(const QModelIndex& indice) const {
    if (!indice.isValid() || indice.model() != this)
        return nullptr;
    return static_cast<TNodo*>(indice.internalPointer());
}

QModelIndex TModeloArbol::Indice(const TNodo* nodo) const {
    if (!nodo)
        return {};
    return createIndex(nodo->Indice(), 0, const_cast<TNodo*>(nodo));
}

void TModeloArbol::PonerSeleccionado(const TNodo* nodo) {
    const TNodo* anterior = seleccionado;
    seleccionado = nodo;
    if (anterior && anterior != nodo) {
        const QModelIndex i = Indice(anterior);
        emit dataChanged(i, i, {Qt::DecorationRole});
    }
    if (nodo) {
        const QModelIndex i = Indice(nodo);
        emit dataChanged(i, i, {Qt::DecorationRole});
    }
}

TNodo* TModeloArbol::Anadir(TNodo* padre, const QString& texto, const QString& identificador) {
    const int fila =
        padre ? static_cast<int>(padre->Hijos.size()) : static_cast<int>(arbol.Raices().size());
    beginInsertRows(Indice(padre), fila, fila);
    TNodo* nuevo = arbol.Anadir(padre, texto, identificador);
    endInsertRows();
    return nuevo;
}

void TModeloArbol::Borrar(TNodo* nodo) {
    if (!nodo)
        return;
    // The selected node may be the deleted one or one of its descendants.
    for (const TNodo* n = seleccionado; n; n = n->Padre) {
        if (n == nodo) {
            seleccionado = nullptr;
            break;
        }
    }
    const int fila = nodo->Indice();
    beginRemoveRows(Indice(nodo->Padre), fila, fila);
    arbol.Borrar(nodo);
    endRemoveRows();
}

void TModeloArbol::EmpezarCambioTotal() {
    if (cambioTotal)
        return;
    cambioTotal = true;
    beginResetModel();
    seleccionado = nullptr;
}

void TModeloArbol::TerminarCambioTotal() {
    if (!cambioTotal)
        return;
    cambioTotal = false;
    endResetModel();
}

QModelIndex TModeloArbol::index(int fila, int columna, const QModelIndex& padre) const {
    if (columna != 0 || fila < 0)
        return {};
    const TNodo* p = Nodo(padre);
    const auto& hijos = p ? p->Hijos : arbol.Raices();
    if (fila >= static_cast<int>(hijos.size()))
        return {};
    return createIndex(fila, 0, hijos[static_cast<size_t>(fila)].get());
}

QModelIndex TModeloArbol::parent(const QModelIndex& hijo) const {
    const TNodo* n = Nodo(hijo);
    if (!n || !n->Padre)
        return {};
    return Indice(n->Padre);
}

int TModeloArbol::rowCount(const QModelIndex& padre) const {
    if (padre.isValid() && padre.column() != 0)
        return 0;
    const TNodo* p = Nodo(padre);
    return static_cast<int>(p ? p->Hijos.size() : arbol.Raices().size());
}

int TModeloArbol::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TModeloArbol::data(const QModelIndex& indice, int rol) const {
    const TNodo* n = Nodo(indice);
    if (!n)
        return {};
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return n->Texto;
    case Qt::DecorationRole:
        return n == seleccionado ? imagen1 : imagen0;
    case Qt::FontRole:
        return fuente;
    default:
        return {};
    }
}

bool TModeloArbol::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    TNodo* n = Nodo(indice);
    if (!n || rol != Qt::EditRole || almacen.SoloConsulta)
        return false;
    // Node texts are display only (documents refer to identifiers), so any
    // text is accepted, the protected nodes' included.
    n->Texto = valor.toString();
    emit dataChanged(indice, indice, {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
    emit TextoCambiado(n);
    return true;
}

Qt::ItemFlags TModeloArbol::flags(const QModelIndex& indice) const {
    if (almacen.SoloConsulta)
        return Nodo(indice) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    if (!Nodo(indice))
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
}

} // namespace brivo
