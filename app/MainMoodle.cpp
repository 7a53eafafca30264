// Questions to and from Moodle: the main window's three commands. The
// questions are read and written by the core library (core/moodle/) with a
// word-processor engine of their own, so that the editor's documents are
// left as they are; the window chooses the documents and the file, shows the
// progress and the report, and brings the tree and the grid up to date
// after an import.
#include <functional>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QTreeView>

#include "Clave.h"
#include "CursorOcupado.h"
#include "ExportacionMoodle.h"
#include "Exportar.h"
#include "ImportacionMoodle.h"
#include "Interaccion.h"
#include "Main.h"
#include "ModeloArbol.h"
#include "Moodle.h"
#include "Paquete.h"
#include "ProgresoDocumentos.h"

namespace brivo {

namespace {

const QString TituloExportar = QStringLiteral("Exportar a Moodle");
const QString TituloImportar = QStringLiteral("Importar de Moodle");

// Runs a function when it goes out of scope, an exception included.
class TAlSalir {
public:
    explicit TAlSalir(std::function<void()> f) : funcion(std::move(f)) {}
    ~TAlSalir() { funcion(); }
    TAlSalir(const TAlSalir&) = delete;
    TAlSalir& operator=(const TAlSalir&) = delete;

private:
    std::function<void()> funcion;
};

// The save dialog, the file and its format; then the export with its
// progress window and the report. Nothing of the library changes.
void ExportarDocumentos(TMainForm& ventana, const std::vector<int>& documentos,
                        const QString& propuesto, ContextoAyuda contexto) {
    const TAlmacen& almacen = ventana.Almacen();
    QDir().mkpath(CarpetaBak(almacen));
    QString filtro;
    const QString elegido = ui::ArchivoParaGuardar(&ventana, TituloExportar, propuesto,
                                                   moodle::FiltroExportacion, filtro);
    if (elegido.isEmpty())
        return;
    const moodle::TDestinoExportacion destino = moodle::DestinoExportacion(elegido, filtro);
    // The save dialog asked about the name chosen, not about the one with
    // the extension added.
    if (destino.Ruta != elegido && QFileInfo::exists(destino.Ruta) &&
        !ui::Preguntar(&ventana, QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?")
                                     .arg(QDir::toNativeSeparators(destino.Ruta))))
        return;

    moodle::TInformeExportacion informe;
    {
        TFormProgreso progreso(&ventana, TituloExportar, contexto, QStringLiteral("Pregunta"));
        TCursorOcupado cursor;
        const auto motor = word::CrearMotorIncrustado();
        informe = moodle::Exportar(almacen, *motor, documentos, destino.Ruta, destino.Formato,
                                   [&](int n, int total, int numero) {
                                       return progreso.Avanzar(
                                           n, total, QStringLiteral("Documento %1").arg(numero));
                                   });
    }
    MostrarInformeMoodle(&ventana, TituloExportar, informe.Lineas(), contexto);
}

// The node whose documents may go out instead of the whole book: any
// selected node but the first top-level one ("Útiles", which lists none).
bool OfreceNodo(const TAlmacen& almacen, const TNodo* nodo) {
    const auto& raices = almacen.Arbol.Raices();
    return nodo && !(raices.size() > 0 && raices.front().get() == nodo);
}

// Shows the new nodes: their ancestors are expanded.
void MostrarNodos(TMainForm& ventana, const std::vector<TNodo*>& nodos) {
    for (const TNodo* n : nodos)
        for (const TNodo* p = n->Padre; p; p = p->Padre)
            ventana.Arbol->expand(ventana.ModeloArbol->Indice(p));
}

// An import that ended before reading the file: its message, as an error
// when the file or the model could not be used.
void MostrarFinImportacion(QWidget* padre, const moodle::TInformeImportacion& informe) {
    using F = moodle::TFinImportacion;
    switch (informe.Fin) {
    case F::ArchivoNoValido:
    case F::SinModelo:
        ui::Error(padre, informe.Mensaje);
        break;
    default:
        ui::Informacion(padre, informe.Mensaje);
        break;
    }
}

} // namespace

void TMainForm::ExportaraMoodle1Click() {
    TerminarEdicionGridPreg();
    // The active book, its permission and its identifier, as the book export asks them.
    const std::int32_t id =
        almacen.LibroActivoValido() ? almacen.Libros[almacen.LibroActivo].Identificador : 0;
    almacen.LibroConsultado = almacen.BuscarLibro(id);
    if (!almacen.LibroConsultado.Usado())
        return;
    if (!almacen.LibroConsultado.PermitirExportar) {
        ui::Informacion(this, TextoExportarNoPermitido());
        return;
    }
    if (!PedirIdentificador(*this))
        return;
    const QString titulo = almacen.LibroConsultado.Titulo.Texto();
    std::vector<int> documentos = moodle::DocumentosDeLibro(almacen, id);
    QString propuesto = titulo;
    TNodo* nodo = NodoSeleccionado();
    if (OfreceNodo(almacen, nodo)) {
        const std::vector<int> delNodo = moodle::DocumentosDeNodo(almacen, nodo, id);
        TFormExportarMoodle eleccion(int(documentos.size()), nodo->Texto, int(delNodo.size()),
                                     this);
        if (ui::Ejecutar(eleccion) != QDialog::Accepted)
            return;
        if (eleccion.SoloNodo()) {
            if (delNodo.empty()) {
                ui::Informacion(this, QStringLiteral("El nodo «%1» no tiene preguntas del libro "
                                                     "activo: no hay nada que exportar.")
                                          .arg(nodo->Texto.trimmed()));
                return;
            }
            documentos = delNodo;
            propuesto = titulo + QLatin1Char(' ') + nodo->Texto;
        }
    }
    if (documentos.empty()) {
        ui::Informacion(this, QStringLiteral("El libro activo no tiene preguntas: no hay nada que "
                                             "exportar."));
        return;
    }
    ExportarDocumentos(*this, documentos, moodle::ArchivoPropuesto(almacen, propuesto),
                       ContextoAyuda::ExportarAMoodle);
}

void TMainForm::ExportaraMoodle2Click() {
    TerminarEdicionGridPreg();
    const std::vector<int> documentos = moodle::DocumentosDeListaExamen(almacen);
    if (documentos.empty()) {
        ui::Informacion(this, QStringLiteral("La lista de documentos para examen está vacía: no "
                                             "hay nada que exportar."));
        return;
    }
    ExportarDocumentos(*this, documentos,
                       moodle::ArchivoPropuesto(almacen, QStringLiteral("examen")),
                       ContextoAyuda::ExportarExamenAMoodle);
}

void TMainForm::ImportardeMoodle1Click() {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (!libro)
        return;
    // Asked before the file, as a new document asks it.
    if (!libro->PermitirMasDoc) {
        ui::Informacion(this, moodle::MensajeSinPermisoAnadir());
        return;
    }
    QDir().mkpath(CarpetaBak(almacen));
    const QString archivo =
        ui::ArchivoParaAbrir(this, TituloImportar, CarpetaBak(almacen), moodle::FiltroImportacion);
    if (archivo.isEmpty())
        return;
    TerminarEdicionGridPreg();
    CerrarDocumento();

    // New nodes go through the tree model, so the view shows them at once;
    // the selected node's documents are listed again on every way out.
    std::vector<TNodo*> nuevos;
    TNodo* seleccionado = NodoSeleccionado();
    moodle::TOpcionesImportacion opciones;
    opciones.AnadirNodo = [&](TNodo* padre, const QString& texto, const QString& id) {
        TNodo* n = ModeloArbol->Anadir(padre, texto, id);
        if (n)
            nuevos.push_back(n);
        return n;
    };
    moodle::TInformeImportacion informe;
    {
        const TAlSalir alSalir([&] {
            MostrarNodos(*this, nuevos);
            ListarDocumentos(seleccionado);
        });
        TFormProgreso progreso(this, TituloImportar, ContextoAyuda::ImportarDeMoodle,
                               QStringLiteral("Pregunta"));
        opciones.Progreso = [&](int n, int total, int) {
            return progreso.Avanzar(n, total, QFileInfo(archivo).fileName());
        };
        TCursorOcupado cursor;
        const auto motor = word::CrearMotorIncrustado();
        informe = moodle::Importar(almacen, *motor, archivo, opciones);
    }
    const bool leido = informe.Fin == moodle::TFinImportacion::Completa ||
                       informe.Fin == moodle::TFinImportacion::Cancelada ||
                       informe.Fin == moodle::TFinImportacion::Interrumpida;
    if (leido)
        MostrarInformeMoodle(this, TituloImportar, informe.Lineas(),
                             ContextoAyuda::ImportarDeMoodle);
    else
        MostrarFinImportacion(this, informe);
}

} // namespace brivo
