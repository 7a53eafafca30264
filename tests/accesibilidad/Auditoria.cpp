#include "Auditoria.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWidgetAction>

#include <algorithm>
#include <functional>
#include <memory>

namespace brivo::pruebas::accesibilidad {

namespace {

// English words that must not reach the user. Words that are also Spanish
// ("No", "Test", "Error", "Local", ...) are left out on purpose.
const QSet<QString>& ListaNegra() {
    static const QSet<QString> lista = {
        "ok",         "cancel",    "yes",      "save",     "open",     "close",    "help",
        "file",       "edit",      "apply",    "browse",   "delete",   "remove",   "import",
        "export",     "print",     "undo",     "redo",     "cut",      "copy",     "paste",
        "find",       "search",    "next",     "previous", "back",     "forward",  "contents",
        "about",      "options",   "settings", "exit",     "quit",     "password", "title",
        "author",     "folder",    "book",     "books",    "question", "warning",  "select",
        "the",        "and",       "new",      "view",     "insert",   "format",   "bold",
        "italic",     "underline", "font",     "size",     "table",    "image",    "tree",
        "name",       "date",      "done",     "loading",  "untitled", "document", "exam",
        "properties", "add",       "list",     "clear",    "reset",    "discard",  "abort",
        "retry",      "ignore",    "show",     "hide",     "details",  "step",     "up",
        "down",       "left",      "right",    "center",   "justify",  "colour"};
    return lista;
}

bool EsControlCompuesto(const QWidget* w) {
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// The control a widget belongs to: itself, or the outermost compound control
// (spin box, combo box, item view, text edit) that holds it.
QWidget* Control(QWidget* w, QWidget* raiz) {
    QWidget* resultado = w;
    for (QWidget* p = w->parentWidget(); p && p != raiz; p = p->parentWidget())
        if (EsControlCompuesto(p))
            resultado = p;
    return resultado;
}

QString Nombre(const QObject* o) {
    const QString n = o->objectName();
    return n.isEmpty() ? QStringLiteral("<%1 sin nombre>").arg(o->metaObject()->className()) : n;
}

bool EsInternoDeQt(const QObject* o) {
    return o->objectName().startsWith(QLatin1String("qt_"));
}

// The widgets of the window that the audit looks at: visible within the
// window, not inside a compound control, not Qt's own helpers.
QList<QWidget*> Controles(QWidget& raiz) {
    QList<QWidget*> r;
    QList<QWidget*> pendientes{&raiz};
    while (!pendientes.isEmpty()) {
        QWidget* w = pendientes.takeFirst();
        for (QObject* hijo : w->children()) {
            auto* h = qobject_cast<QWidget*>(hijo);
            if (!h || h->isWindow() || EsInternoDeQt(h) || !h->isVisibleTo(&raiz))
                continue;
            r << h;
            if (!EsControlCompuesto(h))
                pendientes << h;
        }
    }
    return r;
}

bool TieneEtiqueta(QWidget* control, QWidget& raiz) {
    for (QLabel* l : raiz.findChildren<QLabel*>())
        if (l->buddy() == control && !l->text().trimmed().isEmpty())
            return true;
    return false;
}

bool EsEntrada(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

// The letter after the single "&" of a caption ("" when there is none).
QString Atajo(const QString& texto) {
    for (qsizetype k = 0; k + 1 < texto.size(); ++k) {
        if (texto[k] != QLatin1Char('&'))
            continue;
        if (texto[k + 1] == QLatin1Char('&')) {
            ++k;
            continue;
        }
        return texto[k + 1].toLower();
    }
    return {};
}

struct Auditor {
    QWidget& raiz;
    const TOpcionesAuditoria& op;
    QStringList fallos;

    void Fallo(const QObject* o, const QString& texto) {
        fallos << QStringLiteral("%1: %2: %3").arg(Nombre(&raiz), o ? Nombre(o) : QString(), texto);
    }

    void Texto(const QObject* o, const QString& que, const QString& texto) {
        const QStringList ingles = PalabrasInglesas(texto, op.PalabrasPermitidas);
        if (!ingles.isEmpty())
            Fallo(o, QStringLiteral("%1 en inglés «%2» (%3)").arg(que, texto, ingles.join(", ")));
    }

    // Two commands of one menu, or two controls of one window, must not
    // share the letter that Alt reaches them by.
    void Atajos(const QList<QPair<QString, QString>>& pares, const QString& donde) {
        QHash<QString, QString> vistos;
        for (const auto& [nombre, texto] : pares) {
            const QString letra = Atajo(texto);
            if (letra.isEmpty())
                continue;
            if (vistos.contains(letra))
                fallos << QStringLiteral("%1: %2: «%3» y «%4» comparten la tecla Alt+%5")
                              .arg(Nombre(&raiz), donde, vistos[letra], nombre, letra);
            else
                vistos.insert(letra, nombre);
        }
    }

    void AtajosDeMenu(const QList<QAction*>& acciones, const QString& donde) {
        QList<QPair<QString, QString>> pares;
        for (QAction* a : acciones)
            if (!a->isSeparator() && a->isVisible())
                pares.append({a->text(), a->text()});
        Atajos(pares, donde);
    }

    void Accion(QAction* a) {
        if (a->isSeparator())
            return;
        Texto(a, QStringLiteral("texto del menú"), a->text());
        Texto(a, QStringLiteral("consejo"), a->toolTip());
        Texto(a, QStringLiteral("texto de estado"), a->statusTip());
        if (QMenu* sub = a->menu()) {
            Texto(sub, QStringLiteral("título del menú"), sub->title());
            for (QAction* hija : sub->actions())
                Accion(hija);
            AtajosDeMenu(sub->actions(), sub->title());
        }
    }

    void Nombres(QWidget* w) {
        const QString nombre = w->accessibleName();
        const bool conTexto = [&] {
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                return !b->text().remove(QLatin1Char('&')).trimmed().isEmpty();
            return false;
        }();
        if (auto* t = qobject_cast<QToolButton*>(w)) {
            if (t->toolTip().trimmed().isEmpty())
                Fallo(w, QStringLiteral("botón de herramientas sin consejo"));
            else if (nombre != t->toolTip())
                Fallo(w, QStringLiteral("nombre accesible «%1» distinto del consejo «%2»")
                             .arg(nombre, t->toolTip()));
            return;
        }
        if (qobject_cast<QAbstractButton*>(w)) {
            if (!conTexto && nombre.trimmed().isEmpty())
                Fallo(w, QStringLiteral("botón sin texto ni nombre accesible"));
        } else if (EsEntrada(w) && nombre.trimmed().isEmpty() && !TieneEtiqueta(w, raiz)) {
            Fallo(w, QStringLiteral("control sin nombre accesible ni etiqueta compañera"));
        }
        if ((EsEntrada(w) || qobject_cast<QAbstractButton*>(w)) && (w->objectName().isEmpty()))
            Fallo(w, QStringLiteral("control sin objectName"));
        Texto(w, QStringLiteral("nombre accesible"), nombre);
        Texto(w, QStringLiteral("descripción accesible"), w->accessibleDescription());
        Texto(w, QStringLiteral("consejo"), w->toolTip());
    }

    // The buttons of an exclusive group are one Tab stop: Qt gives Tab
    // focus to the checked one only, and the arrows move between them.
    static bool ParadaDeSuGrupo(QWidget* w) {
        auto* b = qobject_cast<QAbstractButton*>(w);
        if (!b)
            return false;
        QList<QAbstractButton*> grupo;
        if (b->group() && b->group()->exclusive())
            grupo = b->group()->buttons();
        else if (b->autoExclusive() && b->parentWidget())
            for (QAbstractButton* o :
                 b->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
                if (o->autoExclusive())
                    grupo << o;
        for (QAbstractButton* o : grupo)
            if (o != b && o->isVisible() && (o->focusPolicy() & Qt::TabFocus))
                return true;
        return false;
    }

    void Tabulacion(QWidget* w) {
        const Qt::FocusPolicy p = w->focusPolicy();
        // Read-only value labels that can be selected with the mouse take
        // click focus only; a screen reader reads them in place.
        if (p != Qt::NoFocus && !(p & Qt::TabFocus) && !qobject_cast<QLabel*>(w) &&
            !ParadaDeSuGrupo(w))
            Fallo(w, QStringLiteral("acepta el foco pero no con Tab"));
        // An input that can be used must be reachable from the keyboard.
        if (EsEntrada(w) && w->isEnabled() && p == Qt::NoFocus && !w->focusProxy())
            Fallo(w, QStringLiteral("control que no recibe el foco"));
    }

    void Textos(QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w))
            Texto(w, QStringLiteral("etiqueta"), l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            Texto(w, QStringLiteral("botón"), b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            Texto(w, QStringLiteral("grupo"), g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            Texto(w, QStringLiteral("texto de ayuda"), e->placeholderText());
            // Qt's own menu of the field (undo, copy, paste...) is translated too.
            std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
            for (QAction* a : menu->actions())
                Accion(a);
        }
        if (auto* t = qobject_cast<QTextEdit*>(w)) {
            std::unique_ptr<QMenu> menu(t->createStandardContextMenu());
            for (QAction* a : menu->actions())
                Accion(a);
        }
        if (auto* t = qobject_cast<QToolBar*>(w)) {
            Texto(w, QStringLiteral("barra"), t->windowTitle());
            for (QAction* a : t->actions()) {
                // A control placed in the bar is audited as a control.
                if (a->isSeparator() || qobject_cast<QWidgetAction*>(a))
                    continue;
                Accion(a);
                if (a->toolTip().trimmed().isEmpty())
                    Fallo(a, QStringLiteral("acción de la barra sin consejo"));
                if (auto* b = qobject_cast<QToolButton*>(t->widgetForAction(a)))
                    if (b->accessibleName() != a->toolTip())
                        Fallo(a, QStringLiteral("el botón de la barra dice «%1» y su consejo «%2»")
                                     .arg(b->accessibleName(), a->toolTip()));
            }
        }
        if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : m->actions())
                Accion(a);
            AtajosDeMenu(m->actions(), QStringLiteral("barra de menús"));
        }
    }

    void Celdas(QAbstractItemView* v) {
        QAbstractItemModel* m = v->model();
        if (!m)
            return;
        auto* tabla = qobject_cast<QTableView*>(v);
        auto* arbol = qobject_cast<QTreeView*>(v);
        const int columnas = m->columnCount();
        for (int c = 0; c < columnas; ++c) {
            if ((tabla && tabla->isColumnHidden(c)) || (arbol && arbol->isColumnHidden(c)))
                continue;
            const bool cabecera = (tabla && tabla->horizontalHeader()->isVisibleTo(&raiz)) ||
                                  (arbol && !arbol->isHeaderHidden());
            const QString titulo = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            if (cabecera) {
                Texto(v, QStringLiteral("encabezado de columna"), titulo);
                if (titulo.trimmed().isEmpty() &&
                    m->headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString().isEmpty())
                    Fallo(v, QStringLiteral("columna %1 sin encabezado que leer").arg(c));
            }
        }
        int vistas = 0;
        std::function<void(const QModelIndex&)> recorrer = [&](const QModelIndex& padre) {
            for (int r = 0; r < m->rowCount(padre) && vistas < 200; ++r) {
                if (tabla && tabla->isRowHidden(r))
                    continue;
                for (int c = 0; c < columnas; ++c) {
                    if ((tabla && tabla->isColumnHidden(c)) || (arbol && arbol->isColumnHidden(c)))
                        continue;
                    const QModelIndex i = m->index(r, c, padre);
                    ++vistas;
                    const QVariant texto = m->data(i, Qt::DisplayRole);
                    const QVariant marca = m->data(i, Qt::CheckStateRole);
                    const QVariant accesible = m->data(i, Qt::AccessibleTextRole);
                    // An empty cell may give nothing; a cell that holds a
                    // value or a picture must say it as text.
                    const bool contenido = m->data(i, Qt::EditRole).isValid() ||
                                           m->data(i, Qt::DecorationRole).isValid();
                    if (contenido && !texto.isValid() && !marca.isValid() && !accesible.isValid())
                        Fallo(v, QStringLiteral("la celda (%1, %2) no da texto").arg(r).arg(c));
                    else if (texto.isValid() && !texto.canConvert<QString>())
                        Fallo(v, QStringLiteral("la celda (%1, %2) no se puede leer como texto")
                                     .arg(r)
                                     .arg(c));
                }
                const QModelIndex hijo = m->index(r, 0, padre);
                if (arbol && m->hasChildren(hijo))
                    recorrer(hijo);
            }
        };
        recorrer(QModelIndex());
    }

    void OrdenVisual() {
        // Tab goes round: the cycle is read from the control that comes
        // first in reading order (the top one, the left one of a row).
        QList<QWidget*> cadena = CadenaTabulacion(raiz);
        auto posicion = [&](QWidget* w) { return w->mapTo(&raiz, QPoint(0, 0)); };
        qsizetype primero = 0;
        for (qsizetype k = 1; k < cadena.size(); ++k) {
            const QPoint p = posicion(cadena[k]), q = posicion(cadena[primero]);
            if (p.y() < q.y() || (p.y() == q.y() && p.x() < q.x()))
                primero = k;
        }
        std::rotate(cadena.begin(), cadena.begin() + primero, cadena.end());
        for (int k = 1; k < cadena.size(); ++k) {
            const QRect a(cadena[k - 1]->mapTo(&raiz, QPoint(0, 0)), cadena[k - 1]->size());
            const QRect b(cadena[k]->mapTo(&raiz, QPoint(0, 0)), cadena[k]->size());
            const int tolerancia = 3;
            // Forward is down (the next row, or the next control of a
            // column) or right (the same row, or the top of the next column).
            const bool debajo = b.top() >= a.bottom() - tolerancia;
            const bool derecha = b.left() >= a.right() - tolerancia;
            if (!(debajo || derecha))
                Fallo(cadena[k], QStringLiteral("Tab llega aquí desde %1, que está después en "
                                                "el orden de lectura")
                                     .arg(Nombre(cadena[k - 1])));
        }
    }

    void Ejecutar() {
        Texto(&raiz, QStringLiteral("título de la ventana"), raiz.windowTitle());
        if (raiz.windowTitle().trimmed().isEmpty())
            Fallo(&raiz, QStringLiteral("ventana sin título"));
        for (QWidget* w : Controles(raiz)) {
            Nombres(w);
            Tabulacion(w);
            Textos(w);
            if (auto* v = qobject_cast<QAbstractItemView*>(w))
                Celdas(v);
        }
        QList<QPair<QString, QString>> rotulos;
        for (QWidget* w : Controles(raiz)) {
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QToolButton*>(w))
                rotulos.append({Nombre(w), b->text()});
            else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
                rotulos.append({Nombre(w), l->text()});
        }
        Atajos(rotulos, QStringLiteral("controles"));
        if (op.OrdenVisual)
            OrdenVisual();
        for (const QString& n : op.NombresEsperados) {
            QObject* o = raiz.findChild<QObject*>(n);
            if (!o)
                fallos << QStringLiteral("%1: falta el control %2").arg(Nombre(&raiz), n);
        }
    }
};

} // namespace

QStringList PalabrasInglesas(const QString& texto, const QSet<QString>& permitidas) {
    QString limpio = texto;
    limpio.remove(QLatin1Char('&'));
    limpio.remove(QRegularExpression(QStringLiteral("<[^>]*>"))); // rich-text tags
    static const QRegularExpression palabra(QStringLiteral("\\b\\w+\\b"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    QStringList r;
    auto it = palabra.globalMatch(limpio);
    while (it.hasNext()) {
        const QString p = it.next().captured();
        if (ListaNegra().contains(p.toLower()) && !permitidas.contains(p))
            r << p;
    }
    return r;
}

QList<QWidget*> CadenaTabulacion(QWidget& ventana) {
    QList<QWidget*> r;
    QWidget* w = &ventana;
    for (int paso = 0; paso < 2000; ++paso) {
        w = w->nextInFocusChain();
        if (!w || w == &ventana)
            break;
        if (!ventana.isAncestorOf(w) || !w->isVisible() || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        QWidget* c = Control(w, &ventana);
        if (!c->isVisible() || !c->isEnabled())
            continue;
        if (r.isEmpty() || r.back() != c)
            if (!r.contains(c))
                r << c;
    }
    return r;
}

QStringList Auditar(QWidget& ventana, const TOpcionesAuditoria& opciones) {
    Auditor a{ventana, opciones, {}};
    a.Ejecutar();
    return a.fallos;
}

} // namespace brivo::pruebas::accesibilidad
