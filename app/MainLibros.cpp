// The "&Libros" menu of the main window: new book, active book, properties,
// deletion, transfer and general options.
#include "Main.h"

#include "Exportar.h"
#include "Interaccion.h"
#include "ListaLibros.h"
#include "ModeloArbol.h"
#include "Opciones.h"
#include "PropLibro.h"
#include "eliminar.h"
#include "importar.h"

namespace brivo {

void TMainForm::Nuevolibros1Click() {
    if (almacen.LibroLibre() == 0) {
        ui::Informacion(this, QStringLiteral("No se pueden crear más libros: están ocupados los "
                                             "%1 libros posibles. Elimine alguno para crear "
                                             "otro.")
                                  .arg(MaxLibros));
        return;
    }
    NuevoLibro(*this);
    PonerTitulo();
}

void TMainForm::Cambiardelibroactual1Click() {
    CambiarLibroActivo(*this);
}

void TMainForm::Modificarlibro1Click() {
    if (ModificarLibro(*this))
        PonerTitulo(); // the title may have changed
}

void TMainForm::Salir1Click() {
    close();
}

void TMainForm::Eliminarlibro1Click() {
    const auto lista = almacen.ListaExamen;
    EliminarLibro(*this, [this] { MostrarExportar(*this); });
    // The deleted book's documents left the exam list.
    if (almacen.ListaExamen != lista)
        ListaExamenCambiada();
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
