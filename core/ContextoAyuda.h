#pragma once
// The help contexts of the program. Each one names a section of the help
// file Brivo2.hlp, which marks the section with an anchor <a name="N">, N
// being the context's number. F1, the "&Ayuda" buttons of the dialogs and
// the "&Ayuda" menu open the help viewer at one of them (ui::MostrarAyuda).
#include <algorithm>
#include <array>

namespace brivo {

enum class ContextoAyuda : int {
    Indice = 1,                // the contents of the help; also the main window's context
    IdentificadorLibro = 1001, // the identifier prompt (TClaveDialog)

    Libros = 1100, // menu "&Libros"
    NuevoLibro = 1101,
    CambiarLibroActivo = 1102, // and the book list (TFormListaLibros)
    PropiedadesLibro = 1103,   // and TFormPropLibro
    ImportarLibro = 1104,      // and TFormImportar
    ExportarLibro = 1105,      // and TFormExportar
    EliminarLibro = 1106,      // and TFormEliminarLibro
    OpcionesGenerales = 1107,  // and TFormOpciones
    Salir = 1108,
    // Questions to and from Moodle
    ExportarAMoodle = 1109,     // "Libros › Exportar a Moodle…", its choice and report
    ImportarDeMoodle = 1110,    // "Libros › Importar de Moodle…" and its report
    ConvertirDocumentos = 1120, // and its progress and report windows

    Arbol = 1200, // menu "Arbol" and the topic tree
    AnadirNodo = 1201,
    AnadirNodoHijo = 1202,
    BorrarNodo = 1203,

    Documentos = 1300, // menu "Documentos" and the document grid
    AnadirDocumento = 1302,
    BorrarDocumento = 1303,
    PropiedadesDocumento = 1305, // and TFormPropPreg
    AbrirEditor = 1310,
    ImportarDocumentos = 1320,      // and its progress and report windows
    ExportarDocumento = 1321,       // also "Archivo › Exportar…" of the editor window
    ClaveDocumentoExportado = 1322, // the password of an exported Word document

    Examen = 1400, // menu "&Examen" and the exam list
    VerListaExamen = 1401,
    BorrarDocumentoExamen = 1402,
    TrasladarMarcados = 1403,
    CrearExamen = 1404,         // and TFormPropExamen
    SeleccionAutomatica = 1405, // and TFormSeleccion
    // Questions to Moodle
    ExportarExamenAMoodle = 1406, // "Examen › Exportar a Moodle…" and its report

    Ayuda = 1500, // menu "&Ayuda"
    Contenido = 1501,
    AcercaDe = 1502,
};

// Every context above, in increasing order (the help file has a section for
// each, and no other).
inline constexpr std::array TodosLosContextos{
    ContextoAyuda::Indice,
    ContextoAyuda::IdentificadorLibro,
    ContextoAyuda::Libros,
    ContextoAyuda::NuevoLibro,
    ContextoAyuda::CambiarLibroActivo,
    ContextoAyuda::PropiedadesLibro,
    ContextoAyuda::ImportarLibro,
    ContextoAyuda::ExportarLibro,
    ContextoAyuda::EliminarLibro,
    ContextoAyuda::OpcionesGenerales,
    ContextoAyuda::Salir,
    ContextoAyuda::ExportarAMoodle,
    ContextoAyuda::ImportarDeMoodle,
    ContextoAyuda::ConvertirDocumentos,
    ContextoAyuda::Arbol,
    ContextoAyuda::AnadirNodo,
    ContextoAyuda::AnadirNodoHijo,
    ContextoAyuda::BorrarNodo,
    ContextoAyuda::Documentos,
    ContextoAyuda::AnadirDocumento,
    ContextoAyuda::BorrarDocumento,
    ContextoAyuda::PropiedadesDocumento,
    ContextoAyuda::AbrirEditor,
    ContextoAyuda::ImportarDocumentos,
    ContextoAyuda::ExportarDocumento,
    ContextoAyuda::ClaveDocumentoExportado,
    ContextoAyuda::Examen,
    ContextoAyuda::VerListaExamen,
    ContextoAyuda::BorrarDocumentoExamen,
    ContextoAyuda::TrasladarMarcados,
    ContextoAyuda::CrearExamen,
    ContextoAyuda::SeleccionAutomatica,
    ContextoAyuda::ExportarExamenAMoodle,
    ContextoAyuda::Ayuda,
    ContextoAyuda::Contenido,
    ContextoAyuda::AcercaDe,
};
static_assert(std::ranges::is_sorted(TodosLosContextos) &&
                  std::ranges::adjacent_find(TodosLosContextos) == TodosLosContextos.end(),
              "TodosLosContextos: in increasing order, each context once");

// The number of a context: the anchor of its section in the help file.
constexpr int Numero(ContextoAyuda contexto) {
    return static_cast<int>(contexto);
}

} // namespace brivo
