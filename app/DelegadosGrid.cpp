#include "DelegadosGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>

#include "ModeloGridPreg.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

using M = TModeloGridPreg;

QLineEdit* CampoTexto(QWidget* padre, int largo, Qt::Alignment alineacion,
                      const QString& forma = QString()) {
    auto* e = new QLineEdit(padre);
    e->setFrame(false);
    e->setMaxLength(largo);
    e->setAlignment(alineacion | Qt::AlignVCenter);
    if (!forma.isEmpty())
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(forma), e));
    return e;
}

// What an editor shows, to tell whether the user changed it: the text of a
// line or of an editable combo box, the chosen item of a pick list.
QString ContenidoEditor(const QWidget* editor) {
    if (auto* e = qobject_cast<const QLineEdit*>(editor))
        return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(editor))
        return c->isEditable() ? c->currentText() : QString::number(c->currentIndex());
    return {};
}

// The property of an editor that keeps what it showed when it was filled.
constexpr const char* ContenidoInicial = "contenidoInicial";

// The rectangle of a check indicator centred in a cell.
QRect RectCasilla(const QStyleOptionViewItem& opcion) {
    const QWidget* w = opcion.widget;
    const QStyle* s = w ? w->style() : QApplication::style();
    const int ancho = s->pixelMetric(QStyle::PM_IndicatorWidth, &opcion, w);
    const int alto = s->pixelMetric(QStyle::PM_IndicatorHeight, &opcion, w);
    QRect r(0, 0, ancho, alto);
    r.moveCenter(opcion.rect.center());
    return r;
}

} // namespace

TDelegadoGridPreg::TDelegadoGridPreg(QObject* padre) : QStyledItemDelegate(padre) {}

QWidget* TDelegadoGridPreg::createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                                         const QModelIndex& indice) const {
    QWidget* editor = nullptr;
    switch (indice.column()) {
    case M::ColDescripcion:
        editor = CampoTexto(padre, M::LargoDescripcion, Qt::AlignLeft);
        break;
    case M::ColDificultad: {
        // Editable style: the user may type the digit or drop the list down.
        auto* c = new QComboBox(padre);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(M::ItemsDificultad());
        c->setMaxVisibleItems(8);
        editor = c;
        break;
    }
    case M::ColPuntos:
        editor = CampoTexto(padre, M::LargoPuntos, Qt::AlignRight,
                            QStringLiteral(R"(-?\d*([,.]\d{0,2})?)"));
        break;
    case M::ColTipo: {
        // Pick-list style: only the items can be chosen, and choosing one
        // writes it at once.
        auto* c = new QComboBox(padre);
        c->setEditable(false);
        c->addItems(M::ItemsTipo());
        c->setMaxVisibleItems(4);
        connect(c, &QComboBox::activated, this, [this, c](int) {
            auto* yo = const_cast<TDelegadoGridPreg*>(this);
            emit yo->commitData(c);
            emit yo->closeEditor(c, QAbstractItemDelegate::NoHint);
        });
        editor = c;
        break;
    }
    case M::ColRespuesta:
        editor = CampoTexto(padre, M::LargoRespuesta, Qt::AlignLeft);
        break;
    case M::ColContador:
    case M::ColSimil:
        editor = CampoTexto(padre, M::CifrasEntero, Qt::AlignRight, QStringLiteral(R"(-?\d{0,6})"));
        break;
    default:
        return nullptr; // number, mark and dates are not edited in a text box
    }
    editor->setFont(opcion.font);
    // Qt lists the editor under no cell of the grid: its name (the column)
    // and description (the row's document) tell a screen reader what it edits.
    editor->setAccessibleName(M::Encabezado(indice.column()));
    editor->setAccessibleDescription(
        QString::fromUtf8(textos::FilaDocumento)
            .arg(indice.row() + 1)
            .arg(indice.siblingAtColumn(M::ColNumero).data().toString()));
    editorAbierto = editor;
    return editor;
}

void TDelegadoGridPreg::destroyEditor(QWidget* editor, const QModelIndex& indice) const {
    if (editorAbierto == editor)
        editorAbierto = nullptr;
    QStyledItemDelegate::destroyEditor(editor, indice);
}

void TDelegadoGridPreg::setEditorData(QWidget* editor, const QModelIndex& indice) const {
    const QVariant valor = indice.data(Qt::EditRole);
    switch (indice.column()) {
    case M::ColDificultad: {
        auto* c = static_cast<QComboBox*>(editor);
        const int i = valor.toInt();
        if (i >= 0 && i < c->count())
            c->setCurrentIndex(i);
        else
            c->setEditText(QString::number(i));
        break;
    }
    case M::ColTipo: {
        auto* c = static_cast<QComboBox*>(editor);
        const int i = valor.toInt();
        c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1);
        break;
    }
    case M::ColPuntos:
        static_cast<QLineEdit*>(editor)->setText(M::TextoPuntos(valor.toDouble()));
        break;
    default:
        if (auto* e = qobject_cast<QLineEdit*>(editor))
            e->setText(valor.toString());
        break;
    }
    // The editor may show the value shortened (the answer cut to the
    // cell's 5 characters, points with two decimals): what it showed is
    // kept, and leaving it unchanged writes nothing back.
    editor->setProperty(ContenidoInicial, ContenidoEditor(editor));
}

void TDelegadoGridPreg::setModelData(QWidget* editor, QAbstractItemModel* modelo,
                                     const QModelIndex& indice) const {
    const QVariant inicial = editor->property(ContenidoInicial);
    if (inicial.isValid() && inicial.toString() == ContenidoEditor(editor))
        return; // nothing typed or chosen: the record keeps its value
    switch (indice.column()) {
    case M::ColDificultad: {
        // The item index of the typed or chosen digit; any other text
        // leaves the difficulty as it was.
        auto* c = static_cast<QComboBox*>(editor);
        const int i = c->findText(c->currentText().trimmed(), Qt::MatchExactly);
        if (i >= 0)
            modelo->setData(indice, i, Qt::EditRole);
        break;
    }
    case M::ColTipo: {
        auto* c = static_cast<QComboBox*>(editor);
        if (c->currentIndex() >= 0)
            modelo->setData(indice, c->currentIndex(), Qt::EditRole);
        break;
    }
    default:
        if (auto* e = qobject_cast<QLineEdit*>(editor))
            modelo->setData(indice, e->text(), Qt::EditRole);
        break;
    }
}

void TDelegadoGridPreg::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& opcion,
                                             const QModelIndex&) const {
    editor->setGeometry(opcion.rect);
}

void TDelegadoGridPreg::paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
                              const QModelIndex& indice) const {
    if (indice.column() != M::ColMarca) {
        QStyledItemDelegate::paint(pintor, opcion, indice);
        return;
    }
    QStyleOptionViewItem fondo = opcion;
    initStyleOption(&fondo, indice);
    const QVariant marca = indice.data(Qt::CheckStateRole);
    fondo.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    fondo.text.clear();
    const QWidget* w = opcion.widget;
    QStyle* s = w ? w->style() : QApplication::style();
    s->drawControl(QStyle::CE_ItemViewItem, &fondo, pintor, w);
    if (!marca.isValid())
        return; // a row without a document
    QStyleOptionViewItem casilla = opcion;
    casilla.rect = RectCasilla(opcion);
    casilla.state &= ~QStyle::State_HasFocus;
    casilla.state |= marca.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    s->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &casilla, pintor, w);
}

bool TDelegadoGridPreg::editorEvent(QEvent* evento, QAbstractItemModel* modelo,
                                    const QStyleOptionViewItem& opcion, const QModelIndex& indice) {
    if (indice.column() != M::ColMarca || !(indice.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(evento, modelo, opcion, indice);
    bool cambiar = false;
    switch (evento->type()) {
    case QEvent::MouseButtonRelease: {
        auto* raton = static_cast<QMouseEvent*>(evento);
        cambiar =
            raton->button() == Qt::LeftButton && opcion.rect.contains(raton->position().toPoint());
        break;
    }
    case QEvent::MouseButtonDblClick:
        // The second click of a double click turns the mark over on its release.
        return true;
    case QEvent::KeyPress: {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        cambiar = tecla == Qt::Key_Space || tecla == Qt::Key_Select;
        break;
    }
    default:
        break;
    }
    if (!cambiar)
        return false;
    const bool marcado = indice.data(Qt::EditRole).toBool();
    return modelo->setData(indice, !marcado, Qt::EditRole);
}

} // namespace brivo
