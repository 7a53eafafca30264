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

    // Folder of the program, ending in "/"; every data path is built on it.
    QString CarpetaPrograma;

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
    const TLibro* LibroActivoPtr() const; // nullptr when not valid
    // ModeloPreguntas / ModeloExamenes from the two positions of the settings.
    void BuscarModelos();
    // Position -> slot walk for one kind of model (tema 1 questions, 2 exams).
    int ModeloEnPosicion(int tema, int posicion) const;

    // Paths of the data files.
    QString Ruta(const QString& nombre) const { return CarpetaPrograma + nombre; }

    // Loading and saving, every step in order. Failures throw ErrorBrivo with
    // the exact message; what was read or written before stays and later
    // steps do not run.
    void CargarLibreria();
    void GuardarLibreria() const;
};

// File of document numero: CarpetaPrograma + "Docs/" + its book's Carpeta +
// "/K" + six digits + ".doc"; empty when the slot is out of range or its
// book does not exist.
QString RutaDocumento(const TAlmacen& almacen, int numero);

} // namespace brivo
