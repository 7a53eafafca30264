#pragma once
// Item-model adapter that shows the topic tree (TArbol) in a QTreeView. Each
// index carries the TNodo it stands for. Changes to the tree's shape go
// through the methods below, so that the view is told before and after.
#include <QAbstractItemModel>
#include <QFont>
#include <QIcon>

#include "Almacen.h"
#include "Arbol.h"

namespace brivo {

class TModeloArbol : public QAbstractItemModel {
    Q_OBJECT
public:
    // The tree of a library; node texts are edited in place unless the library
    // is open for consultation only.
    explicit TModeloArbol(TAlmacen& almacen, QObject* padre = nullptr);

    TArbol& Arbol() const { return arbol; }

    // Node <-> index (nullptr <-> invalid index).
    TNodo* Nodo(const QModelIndex& indice) const;
    QModelIndex Indice(const TNodo* nodo) const;

    // The node shown with image 1 (the tree view's selected node).
    void PonerSeleccionado(const TNodo* nodo);
    const TNodo* Seleccionado() const { return seleccionado; }

    // Image list of the tree: image 0 for every node, 1 for the selected one.
    QIcon Imagen(int numero) const { return numero == 1 ? imagen1 : imagen0; }

    // Tree changes that keep the view in step.
    TNodo* Anadir(TNodo* padre, const QString& texto, const QString& identificador);
    void Borrar(TNodo* nodo);
    // Wraps a change that replaces the whole tree (loading a file).
    void EmpezarCambioTotal();
    void TerminarCambioTotal();

    QModelIndex index(int fila, int columna, const QModelIndex& padre = {}) const override;
    QModelIndex parent(const QModelIndex& hijo) const override;
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

signals:
    // A node's text was edited in place.
    void TextoCambiado(brivo::TNodo* nodo);

private:
    TAlmacen& almacen;
    TArbol& arbol;
    const TNodo* seleccionado = nullptr;
    QIcon imagen0;
    QIcon imagen1;
    QFont fuente;
    bool cambioTotal = false;
};

} // namespace brivo
