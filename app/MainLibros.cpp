// Book deletion, transfer and general options commands of the main window.
#include "Main.h"

#include "Exportar.h"
#include "ModeloArbol.h"
#include "Opciones.h"
#include "eliminar.h"
#include "importar.h"

namespace brivo {

void TMainForm::Eliminarlibro1Click() {
    const auto lista = almacen.ListaExamen;
    EliminarLibro(*this, [this] { MostrarExportar(*this); });
    // The deleted book's documents left the exam list.
    if (almacen.ListaExamen != lista)
        RefrescarListaExamen();
    AsegurarLibroActivo();
}

void TMainForm::Importarlibro1Click() {
    // New tree nodes go through the tree model, so the tree view shows them at once.
    ImportarLibro(*this, [this](TNodo* padre, const QString& texto, const QString& id) {
        return ModeloArbol ? ModeloArbol->Anadir(padre, texto, id)
                           : almacen.Arbol.Anadir(padre, texto, id);
    });
}

void TMainForm::Exportarlibro1Click() {
    ExportarLibro(*this);
}

void TMainForm::BOpcionesClick() {
    OpcionesGenerales(almacen, this);
}

} // namespace brivo
