#pragma once
// The library held in memory for the whole run: the book and document tables
// with slots numbered from 1, the grid and exam lists, the topic tree and the
// settings. The main window owns one TAlmacen.
#include <array>
#include <cstdint>

#include <QString>

#include "Ajustes.h"
#include "Arbol.h"
#include "Registros.h"

namespace brivo {

constexpr int MaxLibros = 100;
constexpr int MaxDocumentos = 500;
constexpr int MaxExamen = 100;

class TAlmacen {
public:
    TAlmacen();

    // Folder of the library, ending in "/"; every data path is built on it.
    QString CarpetaPrograma;
    // Folder of the files shipped with the program (Arbol0.tvw, the model
    // documents, Brivo2.hlp), ending in "/"; empty: the library folder.
    QString CarpetaInstalados;
    // The library is open for consultation only (another program is changing
    // it, or its folder cannot be written): nothing may be written to it.
    bool SoloConsulta = false;

    std::array<TLibro, MaxLibros + 1> Libros{};             // [0] unused
    std::array<TDocumento, MaxDocumentos + 1> Documentos{}; // [0] unused
    std::array<std::int32_t, MaxDocumentos + 1> ListaPreg{};
    std::int32_t NumListados = 0;
    std::array<std::int32_t, MaxExamen + 1> ListaExamen{};

    TLibro LibroConsultado;
    std::int32_t LibroActivo = 0;
    std::int32_t DocActual = 0;
    std::int32_t DocAnterior = 0;
    std::int32_t ModeloPreguntas = 0;
    std::int32_t ModeloExamenes = 0;
    TAjustes Ajustes; // LibroActivo is mirrored into the field above at load and back at save

    TArbol Arbol;

    // A copy of the used book with that identifier, or an empty record.
    TLibro BuscarLibro(std::int32_t identificador) const;
    int LibroLibre() const;     // first free book slot, 0 when full
    int DocumentoLibre() const; // first free document slot, 0 when full
    bool HayLibros() const;
    bool LibroActivoValido() const;
    // Removes every entry of document numero from the exam list; the
    // entries after each one close up and the freed tail entries become 0.
    // Returns how many entries were removed.
    int QuitarDeListaExamen(int numero);
    // Number of entries of the exam list that hold a document.
    int EntradasExamen() const;
    const TLibro* LibroActivoPtr() const; // nullptr when not valid
    // ModeloPreguntas / ModeloExamenes from the two positions of the settings.
    void BuscarModelos();
    // Position -> slot walk for one kind of model (tema 1 questions, 2 exams).
    int ModeloEnPosicion(int tema, int posicion) const;

    // Paths of the data files.
    QString Ruta(const QString& nombre) const { return CarpetaPrograma + nombre; }
    // Path of a file shipped with the program: the library folder's own copy
    // when there is one, else the one in CarpetaInstalados.
    QString RutaDelPrograma(const QString& nombre) const;

    // Loading and saving, every step in order. Failures throw ErrorBrivo with
    // the exact message; what was read or written before stays and later
    // steps do not run. Saving a library open for consultation only writes
    // nothing and throws. Loading first removes what writes interrupted in an
    // earlier run left behind (LimpiarTemporales, not in consultation mode),
    // and reads Origenes.lst after Docs.lst; saving writes Origenes.lst after
    // Docs.lst.
    void CargarLibreria();
    void GuardarLibreria() const;

    // Removes the program's own temporary files (archivos::EsTemporalPropio)
    // from the program folder, Docs, every folder inside Docs and Temp, and
    // the staging folders of imports from Temp. Returns how many files and
    // folders were removed.
    int LimpiarTemporales() const;
};

// The one home of the document paths. Every book keeps its document files in
// a folder of its own inside CarpetaPrograma + "Docs/".
//
// File of document numero: CarpetaPrograma + "Docs/" + its book's Carpeta +
// "/K" + six digits + ".doc"; empty when the slot is out of range or its
// book does not exist.
QString RutaDocumento(const TAlmacen& almacen, int numero);
// File name of document numero: "K" + six digits + ".doc".
QString NombreArchivoDocumento(int numero);
// The folder of the books' folders: CarpetaPrograma + "Docs/".
QString RutaDocs(const TAlmacen& almacen);
// Path of a book's folder: CarpetaPrograma + "Docs/" + carpeta.
QString RutaCarpetaLibro(const TAlmacen& almacen, const QString& carpeta);
// File of document numero in a book's folder, whatever its slot holds yet.
QString RutaDocumentoEnCarpeta(const TAlmacen& almacen, const QString& carpeta, int numero);

} // namespace brivo
