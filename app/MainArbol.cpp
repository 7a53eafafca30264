// Topic tree editing commands of the main window, and the drag of marked
// documents from the document grid onto a tree node.
#include <QMimeData>
#include <QPoint>
#include <QTreeView>

#include "DelegadosGrid.h"
#include "Interaccion.h"
#include "Main.h"
#include "ModeloArbol.h"
#include "ModeloGridPreg.h"
#include "PropPreg.h"
#include "TextosComunes.h"
#include "VistaArbol.h"
#include "VistaGridPreg.h"

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

} // namespace

void TMainForm::PrepararGridYArbol() {
    auto* grid = static_cast<TVistaGridPreg*>(GridPreg);
    connect(grid, &TVistaGridPreg::ArrastreTerminado, this, &TMainForm::GridPregEndDrag);

    auto* arbol = static_cast<TVistaArbol*>(Arbol);
    arbol->AceptaArrastre = [this](const QMimeData* datos, const QPoint& punto) {
        return ArbolDragOver(datos, punto);
    };
    arbol->Soltar = [this](const QPoint& punto) { ArbolDragDrop(punto); };
}

// ---------------------------------------------------------------------------
// Tree editing

void TMainForm::SBNuevoNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    TNodo* padre = nullptr;
    QString texto = QString::fromUtf8(textos::NuevaMateria);
    if (seleccionado) {
        // The special nodes under "Útiles" take no siblings.
        if (TArbol::EsHijoDeUtiles(seleccionado))
            return;
        switch (seleccionado->Nivel()) {
        case 0:
            texto = QString::fromUtf8(textos::NuevaMateria);
            break;
        case 1:
            texto = QString::fromUtf8(textos::NuevoTema);
            break;
        case 2:
            texto = QString::fromUtf8(textos::NuevoContenido);
            break;
        default:
            texto = QStringLiteral("Nuevo nodo");
            break;
        }
        padre = seleccionado->Padre;
    }
    // With no node selected (an empty tree) the new node is a new materia.
    TNodo* nuevo = ModeloArbol->Anadir(padre, texto, almacen.Arbol.NuevoIdNodo());
    SeleccionarNodo(nuevo);
    Arbol->scrollTo(ModeloArbol->Indice(nuevo));
}

void TMainForm::SBNuevoSubNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    if (!seleccionado || TArbol::EsProtegido(seleccionado))
        return;
    QString texto;
    switch (seleccionado->Nivel()) {
    case 0:
        texto = QString::fromUtf8(textos::NuevoTema);
        break;
    case 1:
        texto = QString::fromUtf8(textos::NuevoContenido);
        break;
    default:
        return; // no nodes below the contenido level
    }
    TNodo* nuevo = ModeloArbol->Anadir(seleccionado, texto, almacen.Arbol.NuevoIdNodo());
    SeleccionarNodo(nuevo);
    Arbol->scrollTo(ModeloArbol->Indice(nuevo));
}

void TMainForm::SBBorraNodoClick() {
    TNodo* seleccionado = NodoSeleccionado();
    if (!seleccionado)
        return;
    if (TArbol::EsProtegido(seleccionado)) {
        ui::Informacion(this, QStringLiteral("No se puede borrar este nodo"));
        return;
    }
    // The documents the node lists: its own and, for a materia or tema, its
    // descendants'.
    int m = 0;
    int t = 0;
    const bool conDocumentos = !ElegirDocumentos(almacen, seleccionado, m, t).empty();
    if (conDocumentos) {
        if (!ui::Confirmar(this, QStringLiteral("Este nodo contiene documentos") + SaltoLinea +
                                     QStringLiteral("¿Seguro que quiere borrarlo?")))
            return;
        const TLugar viejo = almacen.Arbol.LugarDeNodo(seleccionado);
        const TLugar nuevo =
            seleccionado->Nivel() == 0 ? TLugar{} : almacen.Arbol.LugarDeNodo(seleccionado->Padre);
        // Only the documents filed at the node itself move; those of its
        // descendants keep their places.
        for (int k = 1; k <= MaxDocumentos; ++k) {
            TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
            if (d.Usado() && TLugar{d.IdMateria, d.IdTema, d.IdContenido} == viejo) {
                d.IdMateria = nuevo.Materia;
                d.IdTema = nuevo.Tema;
                d.IdContenido = nuevo.Contenido;
            }
        }
        QString informe = QStringLiteral("Los documentos del nodo borrado están en:") + SaltoLinea;
        if (nuevo == TLugar{}) {
            informe += QStringLiteral("Útiles Todos") + SaltoLinea + QStringLiteral("o en") +
                       SaltoLinea + QStringLiteral("Útiles No asignados");
        } else {
            informe += QStringLiteral("Todos") + SaltoLinea + QStringLiteral("o en") + SaltoLinea +
                       TextoDeLugar(almacen.Arbol, nuevo);
        }
        ui::Informacion(this, informe);
    }

    // The node that takes the selection: the next sibling, else the previous
    // one, else the parent. It is selected before the node goes, so that the
    // view never points into the deleted branch.
    TNodo* siguiente = seleccionado->SiguienteHermano();
    if (!siguiente) {
        const int i = seleccionado->Indice();
        const auto& hermanos =
            seleccionado->Padre ? seleccionado->Padre->Hijos : almacen.Arbol.Raices();
        siguiente = i > 0 ? hermanos[static_cast<size_t>(i - 1)].get() : seleccionado->Padre;
    }
    if (siguiente)
        Arbol->setCurrentIndex(ModeloArbol->Indice(siguiente));
    ModeloArbol->Borrar(seleccionado);
    // Lists the node now selected against the tree as it is now.
    SeleccionarNodo(NodoSeleccionado());
}

// ---------------------------------------------------------------------------
// Document properties

void TMainForm::PropiedadesDocumentoActual() {
    TerminarEdicionGridPreg();
    // The menu item opens it for model and exam documents too, whose
    // toolbar button is hidden.
    if (PropiedadesDocumento(*this))
        ModeloGridPreg->Repintar();
}

// ---------------------------------------------------------------------------
// Grid editing and drag of marked documents

void TMainForm::TerminarEdicionGridPreg() {
    if (auto* grid = qobject_cast<TVistaGridPreg*>(GridPreg))
        grid->TerminarEdicion();
}

void TMainForm::GridPregEndDrag(bool enDestino) {
    if (enDestino)
        ModeloGridPreg->Repintar();
}

bool TMainForm::ArbolDragOver(const QMimeData* datos, const QPoint& punto) const {
    return !SoloConsulta() && datos &&
           datos->hasFormat(QString::fromLatin1(TVistaGridPreg::FormatoArrastre)) &&
           ModeloArbol->Nodo(Arbol->indexAt(punto)) != nullptr;
}

void TMainForm::ArbolDragDrop(const QPoint& punto) {
    SoltarDocumentosEnNodo(ModeloArbol->Nodo(Arbol->indexAt(punto)));
}

void TMainForm::SoltarDocumentosEnNodo(TNodo* destino) {
    if (!destino || !PermitirCambio())
        return;
    TerminarEdicionGridPreg();
    bool hayMarcados = false;
    for (int k = 1; k <= MaxDocumentos && !hayMarcados; ++k) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        hayMarcados = d.Usado() && d.Marcado;
    }
    if (!hayMarcados) {
        ui::Informacion(this, QStringLiteral("No hay documentos marcados"));
        return;
    }
    const TLugar lugar = almacen.Arbol.LugarDeNodo(destino);
    if (!ui::Confirmar(this,
                       QStringLiteral("¿Seguro que quiere mover los documentos marcados al nodo") +
                           SaltoLinea + TextoDeLugar(almacen.Arbol, lugar) + QLatin1Char('?')))
        return;
    // Every marked document in use, of any book and wherever it is filed.
    for (int k = 1; k <= MaxDocumentos; ++k) {
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Usado() && d.Marcado) {
            d.IdMateria = lugar.Materia;
            d.IdTema = lugar.Tema;
            d.IdContenido = lugar.Contenido;
            d.Marcado = false;
        }
    }
    SeleccionarNodo(destino);
    Arbol->scrollTo(ModeloArbol->Indice(destino));
}

} // namespace brivo
