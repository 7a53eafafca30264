#pragma once
// A Moodle XML file of questions read into the active book: every
// multichoice, truefalse, shortanswer, numerical, essay and description
// question becomes a new document, filed under the tree place its category
// names (missing materia, tema and contenido nodes are added; deeper levels
// go into the contenido's name), its file made from the question model as a
// new document's is. Questions of other types are counted and left out.
//
// "Libros › Importar de Moodle…" in the main window, after closing the
// document in the editor (CerrarDocumento) and checking PermitirCambio:
//
//   auto motor = word::CrearMotorIncrustado(); // an engine of its own
//   moodle::TOpcionesImportacion opciones;
//   opciones.AnadirNodo = [&](TNodo* padre, const QString& texto, const QString& id) {
//       return ModeloArbol->AnadirNodo(padre, texto, id); // the tree view shows it at once
//   };
//   opciones.Progreso = [&](int n, int total, int) { ...; return !cancelado; };
//   const moodle::TInformeImportacion informe =
//       moodle::Importar(almacen, *motor, archivo, opciones);
//   if (informe.Fin == moodle::TFinImportacion::SinPermiso) // and the other early ends
//       ui::Informacion(this, informe.Mensaje);
//   else
//       ui::Informacion(this, informe.Lineas().join("\r\n"));
//   ListarDocumentos(NodoSeleccionado());
#include <functional>
#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "Almacen.h"
#include "ExportacionMoodle.h"
#include "LectorMoodle.h"
#include "ProcesadorTextos.h"

namespace brivo::moodle {

// Filters of the open dialog (Qt's form).
inline const QString FiltroImportacion = QStringLiteral("Moodle XML (*.xml *.XML);;Todos (*)");

// Adds a node to the main tree (the main window passes its tree model's
// method, as the book package import does); nullptr when it could not.
using TAnadirNodo =
    std::function<TNodo*(TNodo* padre, const QString& texto, const QString& identificador)>;

struct TOpcionesImportacion {
    TAnadirNodo AnadirNodo; // unset: straight into the library's tree
    TProgreso Progreso;     // (n, total, 0) before each question; false stops there
};

enum class TFinImportacion {
    Completa,
    Cancelada,       // stopped by the progress callback; what was imported stays
    SinLibroActivo,  // nothing imported
    SoloConsulta,    // the library is open for consultation only
    SinPermiso,      // the active book does not allow adding documents
    CarpetaNoValida, // the active book's folder is not a plain folder name
    ArchivoNoValido, // the file cannot be read as Moodle XML (Mensaje says why)
    SinModelo,       // neither the question model nor "nuevodoc.doc" opens
    Interrumpida,    // a file in a new document's place could not be moved aside
};

struct TInformeImportacion {
    TFinImportacion Fin = TFinImportacion::Completa;
    QString Mensaje; // what to tell when the import ended early
    int PreguntasEnArchivo = 0;
    std::map<QString, int> Importadas;    // by Moodle type
    std::map<QString, int> TiposOmitidos; // questions of other types, by type
    std::vector<TPreguntaOmitida> Omitidas;
    int SinSitio = 0; // no free document slot left (500 documents)
    int NodosAnadidos = 0;
    int ImagenesOmitidas = 0;    // images not taken, files of the file not taken
    QStringList Apartados;       // files found in a new document's place, moved aside
    std::vector<int> Documentos; // numbers of the new documents
    int TotalImportadas() const;
    // The closing report, in Spanish, one line per entry: for an import that
    // ended before reading the file, Mensaje alone; for one interrupted
    // half-way, Mensaje followed by the counts of what it made.
    QStringList Lineas() const;
};

// The message of a book that does not allow adding documents (as for a new document).
QString MensajeSinPermisoAnadir();

// Reads archivo into the active book. Records, tree nodes and document
// files are made as new documents' are: the first free slot, the active
// book's identifier, today's date, the file in the book's folder under the
// slot's name, saved with the book's password rule; a file already lying in
// that place that no record names is moved to BAK/<folder>/ first. The
// records stay in memory (the library is saved as usual). Nothing is written
// outside the book's folder and BAK. The engine is connected when it is not.
TInformeImportacion Importar(TAlmacen& almacen, word::IAplicacionWord& word, const QString& archivo,
                             const TOpcionesImportacion& opciones = {});

} // namespace brivo::moodle
