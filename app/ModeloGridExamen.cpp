#include "ModeloGridExamen.h"
#include "TextosComunes.h"

#include <algorithm>

#include <QFont>

namespace brivo {

QString TModeloGridExamen::Encabezado(int columna) {
    if (columna == 0)
        return QStringLiteral("Nº");
    if (columna == 1)
        return QString::fromUtf8(textos::Descripcion);
    return {};
}

int TModeloGridExamen::Ancho(int columna) {
    return columna == 0 ? 35 : columna == 1 ? 250 : 0;
}

TModeloGridExamen::TModeloGridExamen(TAlmacen& a, QObject* padre)
    : QAbstractTableModel(padre), almacen(a) {}

void TModeloGridExamen::PonerNumFilas(int filas) {
    const int nuevas = std::clamp(filas - 1, 0, MaxExamen);
    if (nuevas == filasDatos)
        return;
    beginResetModel();
    filasDatos = nuevas;
    endResetModel();
}

void TModeloGridExamen::Repintar() {
    if (filasDatos > 0)
        emit dataChanged(index(0, 0), index(filasDatos - 1, NumColumnas - 1));
}

int TModeloGridExamen::EntradaDeFila(int fila) const {
    if (fila < 1 || fila > MaxExamen)
        return -1;
    const int entrada = almacen.ListaExamen[static_cast<size_t>(fila)];
    return entrada > 0 ? entrada : -1;
}

QVariant TModeloGridExamen::GridExamenGetCellData(int fila, int columna) const {
    const int entrada = EntradaDeFila(fila);
    if (entrada < 1)
        return {};
    if (columna == 0)
        return entrada;
    if (columna == 1) {
        // An entry may keep the number of a slot freed since; it never
        // points outside the table.
        if (entrada > MaxDocumentos)
            return QString();
        return almacen.Documentos[static_cast<size_t>(entrada)].Descripcion.Texto();
    }
    return {};
}

int TModeloGridExamen::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : filasDatos;
}

int TModeloGridExamen::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

QVariant TModeloGridExamen::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    if (rol == Qt::TextAlignmentRole)
        return indice.column() == 0 ? int(Qt::AlignRight | Qt::AlignVCenter)
                                    : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole && rol != Qt::EditRole && rol != Qt::ToolTipRole &&
        rol != Qt::AccessibleTextRole)
        return {};
    const QVariant valor = GridExamenGetCellData(indice.row() + 1, indice.column());
    if (!valor.isValid())
        return {};
    return rol == Qt::EditRole ? valor : QVariant(valor.toString());
}

QVariant TModeloGridExamen::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && (rol == Qt::DisplayRole || rol == Qt::AccessibleTextRole))
        return Encabezado(seccion);
    // The headings are drawn in the cells' small font, for which the design
    // widths of the columns are measured, a little narrowed so that the
    // longest heading in the narrowest column ("Contador") fits between the
    // section's margins.
    if (orientacion == Qt::Horizontal && rol == Qt::FontRole) {
        QFont letra(QStringLiteral("Arial"), 8);
        letra.setStretch(88);
        return letra;
    }
    if (orientacion == Qt::Vertical && rol == Qt::DisplayRole)
        return seccion + 1;
    return {};
}

Qt::ItemFlags TModeloGridExamen::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int entrada = EntradaDeFila(indice.row() + 1);
    if (indice.column() == 1 && entrada >= 1 && entrada <= MaxDocumentos && !almacen.SoloConsulta)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TModeloGridExamen::PonerDescripcion(int fila, const QString& texto) {
    const int entrada = EntradaDeFila(fila);
    if (entrada < 1 || entrada > MaxDocumentos)
        return false;
    almacen.Documentos[static_cast<size_t>(entrada)].Descripcion = texto.left(LargoDescripcion);
    const QModelIndex celda = index(fila - 1, 1);
    if (celda.isValid())
        emit dataChanged(celda, celda);
    emit DescripcionEditada(entrada);
    return true;
}

int TModeloGridExamen::FilasUsadas() const {
    int filas = 0;
    while (filas < MaxExamen && EntradaDeFila(filas + 1) > 0)
        ++filas;
    return filas;
}

bool TModeloGridExamen::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || rol != Qt::EditRole || indice.column() != 1 || almacen.SoloConsulta)
        return false;
    return PonerDescripcion(indice.row() + 1, valor.toString());
}

} // namespace brivo
