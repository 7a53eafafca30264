#include "FilasSeleccion.h"

#include <algorithm>

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSpinBox>
#include <QStandardItemModel>

#include "SeleccionAutomatica.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

constexpr int AltoFila = 21;

int* Campo(TFilaSeleccion& f, int columna) {
    switch (columna) {
    case TModeloFilasSeleccion::ColDesde:
        return &f.DificultadDesde;
    case TModeloFilasSeleccion::ColHasta:
        return &f.DificultadHasta;
    case TModeloFilasSeleccion::ColTipo:
        return &f.Tipo;
    case TModeloFilasSeleccion::ColCantidad:
        return &f.Cantidad;
    default:
        return nullptr;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Model

int TModeloFilasSeleccion::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas.size());
}

int TModeloFilasSeleccion::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

QString TModeloFilasSeleccion::TextoTipo(int tipo) {
    return tipo > 0 && tipo < textos::TiposDocumento
               ? QString::fromLatin1(textos::NombresTipo[tipo])
               : QStringLiteral("Cualquiera");
}

QString TModeloFilasSeleccion::Titulo(int columna) {
    switch (columna) {
    case ColNodo:
        return QStringLiteral("Nodo del árbol");
    case ColDesde:
        return QStringLiteral("Dificultad desde");
    case ColHasta:
        return QStringLiteral("Dificultad hasta");
    case ColTipo:
        return QStringLiteral("Tipo");
    default:
        return QStringLiteral("Cantidad");
    }
}

QVariant TModeloFilasSeleccion::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    const TFilaSeleccion& f = filas[static_cast<size_t>(indice.row())];
    const int c = indice.column();
    if (rol == Qt::TextAlignmentRole)
        return c == ColNodo || c == ColTipo ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole && rol != Qt::EditRole)
        return {};
    if (c == ColNodo)
        return f.Nodo ? RutaNodo(f.Nodo) : QStringLiteral("(elija un nodo)");
    if (c == ColTipo && rol == Qt::DisplayRole)
        return TextoTipo(f.Tipo);
    return *Campo(const_cast<TFilaSeleccion&>(f), c);
}

bool TModeloFilasSeleccion::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || indice.row() >= rowCount() || rol != Qt::EditRole ||
        indice.column() == ColNodo)
        return false;
    bool ok = false;
    const int v = valor.toInt(&ok);
    if (!ok)
        return false;
    *Campo(filas[static_cast<size_t>(indice.row())], indice.column()) = v;
    emit dataChanged(indice, indice);
    return true;
}

Qt::ItemFlags TModeloFilasSeleccion::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TModeloFilasSeleccion::headerData(int seccion, Qt::Orientation orientacion,
                                           int rol) const {
    if (rol != Qt::DisplayRole)
        return {};
    if (orientacion == Qt::Horizontal)
        return Titulo(seccion);
    return seccion + 1;
}

int TModeloFilasSeleccion::Anadir(const TFilaSeleccion& fila, int posicion) {
    if (posicion < 0 || posicion > rowCount())
        posicion = rowCount();
    beginInsertRows({}, posicion, posicion);
    filas.insert(filas.begin() + posicion, fila);
    endInsertRows();
    return posicion;
}

void TModeloFilasSeleccion::Quitar(int fila) {
    if (fila < 0 || fila >= rowCount())
        return;
    beginRemoveRows({}, fila, fila);
    filas.erase(filas.begin() + fila);
    endRemoveRows();
}

void TModeloFilasSeleccion::PonerNodo(int fila, const TNodo* nodo) {
    if (fila < 0 || fila >= rowCount())
        return;
    filas[static_cast<size_t>(fila)].Nodo = nodo;
    emit dataChanged(index(fila, ColNodo), index(fila, ColNodo));
}

// ---------------------------------------------------------------------------
// Editors

TDelegadoFilas::TDelegadoFilas(std::vector<const TNodo*> n, QObject* padre)
    : QStyledItemDelegate(padre), nodos(std::move(n)) {
    // Each node by its whole path, in tree order: nodes of the same name
    // under different parents are told apart, and typing the start of a
    // path finds it.
    listaNodos = new QStandardItemModel(this);
    for (const TNodo* nodo : nodos)
        listaNodos->appendRow(new QStandardItem(RutaNodo(nodo)));
}

QWidget* TDelegadoFilas::createEditor(QWidget* padre, const QStyleOptionViewItem&,
                                      const QModelIndex& indice) const {
    QWidget* editor = nullptr;
    switch (indice.column()) {
    case TModeloFilasSeleccion::ColNodo: {
        auto* lista = new QComboBox(padre);
        lista->setModel(listaNodos);
        lista->setMaxVisibleItems(20);
        editor = lista;
        break;
    }
    case TModeloFilasSeleccion::ColTipo: {
        auto* lista = new QComboBox(padre);
        for (int t = TipoCualquiera; t <= TipoMaximo; ++t)
            lista->addItem(TModeloFilasSeleccion::TextoTipo(t));
        editor = lista;
        break;
    }
    default: {
        auto* giro = new QSpinBox(padre);
        if (indice.column() == TModeloFilasSeleccion::ColCantidad)
            giro->setRange(1, MaxExamen);
        else
            giro->setRange(DificultadMinima, DificultadMaxima);
        editor = giro;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("EditorCelda"));
    editor->setAccessibleName(QStringLiteral("Fila %1, %2")
                                  .arg(indice.row() + 1)
                                  .arg(TModeloFilasSeleccion::Titulo(indice.column()).toLower()));
    editor->setAutoFillBackground(true);
    abierto = editor;
    return editor;
}

void TDelegadoFilas::destroyEditor(QWidget* editor, const QModelIndex& indice) const {
    if (abierto == editor)
        abierto = nullptr;
    QStyledItemDelegate::destroyEditor(editor, indice);
}

void TDelegadoFilas::setEditorData(QWidget* editor, const QModelIndex& indice) const {
    const auto* modelo = qobject_cast<const TModeloFilasSeleccion*>(indice.model());
    if (!modelo)
        return;
    const TFilaSeleccion& f = modelo->Filas()[static_cast<size_t>(indice.row())];
    if (indice.column() == TModeloFilasSeleccion::ColNodo) {
        const auto it = std::find(nodos.begin(), nodos.end(), f.Nodo);
        static_cast<QComboBox*>(editor)->setCurrentIndex(
            it == nodos.end() ? -1 : static_cast<int>(it - nodos.begin()));
    } else if (indice.column() == TModeloFilasSeleccion::ColTipo) {
        static_cast<QComboBox*>(editor)->setCurrentIndex(f.Tipo);
    } else {
        static_cast<QSpinBox*>(editor)->setValue(indice.data(Qt::EditRole).toInt());
    }
}

void TDelegadoFilas::setModelData(QWidget* editor, QAbstractItemModel* modelo,
                                  const QModelIndex& indice) const {
    if (indice.column() == TModeloFilasSeleccion::ColNodo) {
        const int i = static_cast<QComboBox*>(editor)->currentIndex();
        if (auto* filas = qobject_cast<TModeloFilasSeleccion*>(modelo);
            filas && i >= 0 && i < static_cast<int>(nodos.size()))
            filas->PonerNodo(indice.row(), nodos[static_cast<size_t>(i)]);
    } else if (indice.column() == TModeloFilasSeleccion::ColTipo) {
        modelo->setData(indice, static_cast<QComboBox*>(editor)->currentIndex(), Qt::EditRole);
    } else {
        auto* giro = static_cast<QSpinBox*>(editor);
        giro->interpretText();
        modelo->setData(indice, giro->value(), Qt::EditRole);
    }
}

bool TDelegadoFilas::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            auto* editor = qobject_cast<QWidget*>(objeto);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(objeto, evento);
}

// ---------------------------------------------------------------------------
// View

TVistaFilas::TVistaFilas(QWidget* padre) : QTableView(padre) {
    // Tab leaves the table for the next control; the arrows move between
    // cells, F2 or typing edits one.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    verticalHeader()->setDefaultSectionSize(AltoFila);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
}

void TVistaFilas::PonerDelegado(TDelegadoFilas* d) {
    delegado = d;
    setItemDelegate(d);
}

void TVistaFilas::TerminarEdicion() {
    QWidget* editor = delegado ? delegado->EditorAbierto() : nullptr;
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TVistaFilas::keyPressEvent(QKeyEvent* evento) {
    if (evento->modifiers() == Qt::NoModifier && evento->key() == Qt::Key_Insert) {
        emit InsertarPedido();
        return;
    }
    if (evento->modifiers() == Qt::NoModifier && evento->key() == Qt::Key_Delete) {
        emit QuitarPedido();
        return;
    }
    QTableView::keyPressEvent(evento);
}

} // namespace brivo
