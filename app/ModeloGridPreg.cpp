#include "ModeloGridPreg.h"

#include <cmath>

#include <QFont>
#include <QSize>

#include "PropPreg.h"
#include "Texto.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

bool EnteroDe(const QVariant& valor, int& entero) {
    bool ok = false;
    if (valor.typeId() == QMetaType::QString) {
        const QString t = valor.toString().trimmed();
        entero = t.isEmpty() ? 0 : t.toInt(&ok);
        return t.isEmpty() || ok;
    }
    entero = valor.toInt(&ok);
    return ok;
}

} // namespace

QString TModeloGridPreg::Encabezado(int columna) {
    static const QStringList encabezados = {QStringLiteral("Nº"),
                                            QString(),
                                            QString::fromUtf8(textos::Descripcion),
                                            QStringLiteral("Dif."),
                                            QStringLiteral("Punt."),
                                            QStringLiteral("Tipo"),
                                            QStringLiteral("Resp."),
                                            QStringLiteral("Contador"),
                                            QStringLiteral("Simil"),
                                            QStringLiteral("Creado"),
                                            QStringLiteral("Usado")};
    return columna >= 0 && columna < NumColumnas ? encabezados[columna] : QString();
}

int TModeloGridPreg::Ancho(int columna) {
    static const int anchos[NumColumnas] = {35, 21, 250, 38, 33, 37, 33, 46, 46, 70, 70};
    return columna >= 0 && columna < NumColumnas ? anchos[columna] : 0;
}

const QStringList& TModeloGridPreg::ItemsDificultad() {
    static const QStringList items = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                      QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                                      QStringLiteral("9")};
    return items;
}

const QStringList& TModeloGridPreg::ItemsTipo() {
    return ItemsTipoDocumento();
}

QString TModeloGridPreg::TextoPuntos(double puntos) {
    return QString::number(puntos, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
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
    return numero > 0 && numero <= MaxDocumentos ? numero : -1;
}

QVariant TModeloGridPreg::GridPregGetCellData(int fila, int columna) const {
    const int numero = DocumentoDeFila(fila);
    if (numero < 1)
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

bool TModeloGridPreg::PonerCelda(int fila, int columna, const QVariant& valor) {
    const int numero = DocumentoDeFila(fila);
    if (numero < 1 || !valor.isValid())
        return false;
    TDocumento& d = almacen.Documentos[static_cast<size_t>(numero)];
    int entero = 0;
    switch (columna) {
    case ColMarca:
        d.Marcado = valor.toBool();
        return true;
    case ColDescripcion:
        d.Descripcion.Asignar(valor.toString().left(LargoDescripcion));
        return true;
    case ColDificultad:
        if (!EnteroDe(valor, entero) || entero < 0 || entero >= ItemsDificultad().size())
            return false;
        d.Dificultad = entero;
        return true;
    case ColPuntos: {
        double puntos = 0.0;
        if (valor.typeId() == QMetaType::QString) {
            const QString texto = valor.toString().trimmed();
            if (!texto.isEmpty() && !LeerNumero(texto, puntos))
                return false;
        } else {
            bool ok = false;
            puntos = valor.toDouble(&ok);
            if (!ok || !std::isfinite(puntos))
                return false;
        }
        d.Puntos = puntos;
        return true;
    }
    case ColTipo:
        if (!EnteroDe(valor, entero) || entero < 0 || entero >= ItemsTipo().size())
            return false;
        d.Tipo = entero;
        return true;
    case ColRespuesta:
        d.Respuesta.Asignar(valor.toString().trimmed().left(LargoRespuesta));
        return true;
    case ColContador:
    case ColSimil:
        if (!EnteroDe(valor, entero) || entero > 999999 || entero < -99999)
            return false;
        (columna == ColContador ? d.Usos : d.Similitud) = entero;
        return true;
    default:
        return false; // number and dates are read-only
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
        if (rol == Qt::EditRole)
            return valor;
        if (rol == Qt::AccessibleTextRole || rol == Qt::ToolTipRole)
            return valor.toBool() ? QStringLiteral("Marcado") : QStringLiteral("Sin marcar");
        return {};
    }
    if (rol == Qt::EditRole)
        return valor;
    if (rol != Qt::DisplayRole && rol != Qt::ToolTipRole && rol != Qt::AccessibleTextRole)
        return {};
    switch (columna) {
    case ColDificultad: {
        // A difficulty outside the items (the properties dialog takes any
        // integer) still shows its number.
        const int i = valor.toInt();
        return i >= 0 && i < ItemsDificultad().size() ? ItemsDificultad()[i] : QString::number(i);
    }
    case ColTipo: {
        const int i = valor.toInt();
        return i >= 0 && i < ItemsTipo().size() ? ItemsTipo()[i] : QString();
    }
    case ColPuntos:
        return TextoPuntos(valor.toDouble());
    default:
        return valor.toString();
    }
}

bool TModeloGridPreg::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || indice.model() != this || almacen.SoloConsulta)
        return false;
    QVariant v = valor;
    if (indice.column() == ColMarca) {
        if (rol == Qt::CheckStateRole)
            v = valor.toInt() == Qt::Checked;
        else if (rol != Qt::EditRole)
            return false;
    } else if (rol != Qt::EditRole) {
        return false;
    }
    if (!PonerCelda(indice.row() + 1, indice.column(), v))
        return false;
    emit dataChanged(indice, indice);
    return true;
}

QVariant TModeloGridPreg::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && (rol == Qt::DisplayRole || rol == Qt::AccessibleTextRole))
        return seccion == ColMarca && rol == Qt::AccessibleTextRole ? QStringLiteral("Marca")
                                                                    : Encabezado(seccion);
    // The headings are drawn in the cells' small font, for which the design
    // widths of the columns are measured, a little narrowed so that the
    // longest heading in the narrowest column ("Contador") fits between the
    // section's margins.
    if (orientacion == Qt::Horizontal && rol == Qt::FontRole) {
        QFont letra(QStringLiteral("Arial"), 8);
        letra.setStretch(88);
        return letra;
    }
    if (orientacion == Qt::Horizontal && rol == Qt::SizeHintRole)
        return QSize(Ancho(seccion), 19);
    if (orientacion == Qt::Vertical && rol == Qt::DisplayRole)
        return seccion + 1;
    return {};
}

Qt::ItemFlags TModeloGridPreg::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (DocumentoDeFila(indice.row() + 1) < 1 || almacen.SoloConsulta)
        return f;
    switch (indice.column()) {
    case ColMarca:
        return f | Qt::ItemIsUserCheckable;
    case ColDescripcion:
    case ColDificultad:
    case ColPuntos:
    case ColTipo:
    case ColRespuesta:
    case ColContador:
    case ColSimil:
        return f | Qt::ItemIsEditable;
    default:
        return f;
    }
}

} // namespace brivo
