#include "VistaGridPreg.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

#include "DelegadosGrid.h"

namespace brivo {

TVistaGridPreg::TVistaGridPreg(QWidget* padre) : QTableView(padre) {
    delegado = new TDelegadoGridPreg(this);
    setItemDelegate(delegado);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // The drag is started here by hand (see mouseMoveEvent), never by the view.
    setDragEnabled(false);

    // Column 0 drawn by a second view laid over the left edge, which shares
    // the model, the current cell and the vertical scrolling but never
    // scrolls sideways.
    fija = new QTableView(this);
    fija->setObjectName(QStringLiteral("GridPregNumeros"));
    fija->setAccessibleName(QStringLiteral("Números de documento"));
    fija->setFocusPolicy(Qt::NoFocus);
    fija->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fija->setSelectionMode(QAbstractItemView::NoSelection);
    fija->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija->setVerticalScrollMode(verticalScrollMode());
    fija->verticalHeader()->hide();
    fija->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fija->setWordWrap(false);
    fija->setFrameShape(QFrame::NoFrame);
    fija->hide();
    connect(fija->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fija->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int columna, int, int ancho) {
                if (columna == 0) {
                    fija->setColumnWidth(0, ancho);
                    ColocarColumnaFija();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int fila, int, int alto) { fija->setRowHeight(fila, alto); });
}

void TVistaGridPreg::setModel(QAbstractItemModel* modelo) {
    QTableView::setModel(modelo);
    fija->setModel(modelo);
    fija->setSelectionModel(selectionModel());
    if (modelo) {
        for (int c = 1; c < modelo->columnCount(); ++c)
            fija->setColumnHidden(c, true);
        // Columns added by a reset stay hidden in the fixed view.
        connect(modelo, &QAbstractItemModel::modelReset, fija, [this] {
            for (int c = 1; c < fija->model()->columnCount(); ++c)
                fija->setColumnHidden(c, true);
        });
    }
    fija->show();
    ColocarColumnaFija();
}

void TVistaGridPreg::ColocarColumnaFija() {
    if (!fija || !model())
        return;
    fija->setFont(font());
    fija->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    fija->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    fija->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fija->setColumnWidth(0, columnWidth(0));
    const int x = frameWidth() + (verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
    fija->setGeometry(x, frameWidth(), columnWidth(0),
                      viewport()->height() + horizontalHeader()->height());
    fija->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void TVistaGridPreg::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    ColocarColumnaFija();
}

void TVistaGridPreg::updateGeometries() {
    QTableView::updateGeometries();
    ColocarColumnaFija();
}

void TVistaGridPreg::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dy != 0 && fija)
        fija->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

bool TVistaGridPreg::Editando() const {
    return state() == QAbstractItemView::EditingState && delegado->EditorAbierto();
}

void TVistaGridPreg::TerminarEdicion() {
    QWidget* editor = delegado->EditorAbierto();
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TVistaGridPreg::mousePressEvent(QMouseEvent* evento) {
    arrastrePosible = false;
    if (evento->button() == Qt::LeftButton) {
        const int columna = columnAt(evento->position().toPoint().x());
        // Column 0 and the space right of the last column start no drag.
        if (columna > 0) {
            arrastrePosible = true;
            inicioArrastre = evento->position().toPoint();
        }
    }
    QTableView::mousePressEvent(evento);
}

void TVistaGridPreg::mouseMoveEvent(QMouseEvent* evento) {
    if (arrastrePosible && (evento->buttons() & Qt::LeftButton) &&
        (evento->position().toPoint() - inicioArrastre).manhattanLength() >=
            QApplication::startDragDistance()) {
        arrastrePosible = false;
        EmpezarArrastre();
        return;
    }
    QTableView::mouseMoveEvent(evento);
}

void TVistaGridPreg::mouseReleaseEvent(QMouseEvent* evento) {
    arrastrePosible = false;
    QTableView::mouseReleaseEvent(evento);
}

void TVistaGridPreg::EmpezarArrastre() {
    auto* datos = new QMimeData;
    datos->setData(QString::fromLatin1(FormatoArrastre), QByteArray());
    auto* arrastre = new QDrag(this);
    arrastre->setMimeData(datos);
    const Qt::DropAction resultado = arrastre->exec(Qt::MoveAction, Qt::MoveAction);
    emit ArrastreTerminado(resultado != Qt::IgnoreAction);
}

} // namespace brivo
