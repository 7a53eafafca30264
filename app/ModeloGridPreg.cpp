#include "ModeloGridPreg.h"

#include <QSize>
#include <set>
#include <tuple>

#include "Texto.h"

namespace brivo {

namespace {

using Clave = std::tuple<int, int, int>;

Clave ClaveDe(const TDocumento& d) {
    return {d.IdMateria, d.IdTema, d.IdContenido};
}

int IdDe(const TNodo* n) {
    return n ? n->Id() : 0;
}

} // namespace

std::vector<int> ElegirDocumentos(const TAlmacen& almacen, const TNodo* nodo, int& m, int& t) {
    std::vector<int> lista;
    m = 0;
    t = 0;
    if (!nodo)
        return lista;
    const auto& docs = almacen.Documentos;
    const int nivel = nodo->Nivel();
    if (nivel == 2) {
        const int c = nodo->Id();
        t = IdDe(nodo->Padre);
        m = IdDe(nodo->Padre ? nodo->Padre->Padre : nullptr);
        for (int k = 1; k <= MaxDocumentos; ++k) {
            const TDocumento& d = docs[k];
            if (d.IdMateria == m && d.IdTema == t && d.IdContenido == c)
                lista.push_back(k);
        }
    } else if (nivel == 1) {
        t = nodo->Id();
        m = IdDe(nodo->Padre);
        if (m == 1 && t == 4) {
            // Places of every node of the tree, all levels.
            std::set<Clave> lugares;
            almacen.Arbol.Recorrer([&](TNodo* n) {
                const TLugar l = almacen.Arbol.LugarDeNodo(n);
                lugares.insert({l.Materia, l.Tema, l.Contenido});
            });
            for (int k = 1; k <= MaxDocumentos; ++k) {
                const TDocumento& d = docs[k];
                if (d.Numero <= 0)
                    continue;
                const Clave lugar = ClaveDe(d);
                if (lugar == Clave{0, 0, 0} || !lugares.count(lugar))
                    lista.push_back(k);
            }
        } else if (m == 1 && t == 5) {
            for (int k = 1; k <= MaxDocumentos; ++k)
                if (docs[k].Numero > 0)
                    lista.push_back(k);
        } else {
            for (int k = 1; k <= MaxDocumentos; ++k)
                if (docs[k].IdMateria == m && docs[k].IdTema == t)
                    lista.push_back(k);
        }
    } else if (nivel == 0) {
        m = nodo->Id();
        if (m > 1) {
            for (int k = 1; k <= MaxDocumentos; ++k)
                if (docs[k].IdMateria == m)
                    lista.push_back(k);
        }
    }
    return lista;
}

QString TModeloGridPreg::Encabezado(int columna) {
    static const QStringList encabezados = {
        QStringLiteral("Nº"),          QString(),
        QStringLiteral("Descripción"), QStringLiteral("Dif."),
        QStringLiteral("Punt."),       QStringLiteral("Tipo"),
        QStringLiteral("Resp."),       QStringLiteral("Contador"),
        QStringLiteral("Simil"),       QStringLiteral("Creado"),
        QStringLiteral("Usado")};
    return columna >= 0 && columna < NumColumnas ? encabezados[columna] : QString();
}

int TModeloGridPreg::Ancho(int columna) {
    static const int anchos[NumColumnas] = {35, 21, 250, 38, 33, 37, 33, 46, 46, 70, 70};
    return columna >= 0 && columna < NumColumnas ? anchos[columna] : 0;
}

const QStringList& TModeloGridPreg::ItemsDificultad() {
    static const QStringList items = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    return items;
}

const QStringList& TModeloGridPreg::ItemsTipo() {
    static const QStringList items = {QString(), QStringLiteral("Test"), QStringLiteral("Prob"),
                                      QStringLiteral("Preg")};
    return items;
}

TModeloGridPreg::TModeloGridPreg(TAlmacen& a, QObject* padre)
    : QAbstractTableModel(padre), almacen(a) {}

void TModeloGridPreg::Refrescar() {
    beginResetModel();
    endResetModel();
}

void TModeloGridPreg::Repintar() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, NumColumnas - 1));
}

int TModeloGridPreg::DocumentoDeFila(int fila) const {
    if (fila < 1 || fila > almacen.NumListados || fila > MaxDocumentos)
        return -1;
    const int numero = almacen.ListaPreg[static_cast<size_t>(fila)];
    return numero > 0 ? numero : -1;
}

QVariant TModeloGridPreg::GridPregGetCellData(int fila, int columna) const {
    const int numero = DocumentoDeFila(fila);
    if (numero < 1 || numero > MaxDocumentos)
        return {};
    const TDocumento& d = almacen.Documentos[static_cast<size_t>(numero)];
    switch (columna) {
    case ColNumero:
        return numero;
    case ColMarca:
        return d.Marcado;
    case ColDescripcion:
        return d.Descripcion.Texto();
    case ColDificultad:
        return d.Dificultad;
    case ColPuntos:
        return d.Puntos;
    case ColTipo:
        return d.Tipo;
    case ColRespuesta:
        return d.Respuesta.Texto();
    case ColContador:
        return d.Usos;
    case ColSimil:
        return d.Similitud;
    case ColCreado:
        return d.FechaCreacion.Texto();
    case ColUsado:
        return d.FechaUso.Texto();
    default:
        return {};
    }
}

int TModeloGridPreg::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : almacen.NumListados;
}

int TModeloGridPreg::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

QVariant TModeloGridPreg::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    const int fila = indice.row() + 1;
    const int columna = indice.column();
    if (rol == Qt::TextAlignmentRole) {
        switch (columna) {
        case ColNumero:
        case ColPuntos:
        case ColContador:
        case ColSimil:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case ColMarca:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    const QVariant valor = GridPregGetCellData(fila, columna);
    if (!valor.isValid())
        return {};
    if (columna == ColMarca) {
        if (rol == Qt::CheckStateRole)
            return valor.toBool() ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (rol == Qt::EditRole)
        return valor;
    if (rol != Qt::DisplayRole && rol != Qt::ToolTipRole && rol != Qt::AccessibleTextRole)
        return {};
    switch (columna) {
    case ColDificultad: {
        const int i = valor.toInt();
        return i >= 0 && i < ItemsDificultad().size() ? ItemsDificultad()[i] : QString();
    }
    case ColTipo: {
        const int i = valor.toInt();
        return i >= 0 && i < ItemsTipo().size() ? ItemsTipo()[i] : QString();
    }
    case ColPuntos:
        return QString::number(valor.toDouble(), 'f', 2).replace('.', ',');
    default:
        return valor.toString();
    }
}

QVariant TModeloGridPreg::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && (rol == Qt::DisplayRole || rol == Qt::AccessibleTextRole))
        return Encabezado(seccion);
    if (orientacion == Qt::Horizontal && rol == Qt::SizeHintRole)
        return QSize(Ancho(seccion), 19);
    if (orientacion == Qt::Vertical && rol == Qt::DisplayRole)
        return seccion + 1;
    return {};
}

Qt::ItemFlags TModeloGridPreg::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace brivo
