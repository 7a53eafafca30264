#pragma once
// Whole-file reading and crash-safe writing for the data files. Writing goes
// to a temporary file in the same folder, is flushed to disk and then renamed
// over the old file, so a crash or a full disk never leaves a torn file.
#include <vector>

#include <QByteArray>
#include <QString>

#include "Errores.h"

namespace brivo::archivos {

struct ResultadoLectura {
    int error = 0;        // errno of the failure, 0 when all went well
    bool abierto = false; // the file could be opened
};

// Reads the whole file into datos; after a read failure datos holds what was
// read before it.
ResultadoLectura Leer(const QString& ruta, QByteArray& datos);

struct ResultadoEscritura {
    int error = 0;        // errno of the failure, 0 when all went well
    bool alCrear = false; // the file could not be created (or put in place)
};

ResultadoEscritura EscribirSeguro(const QString& ruta, const QByteArray& datos);

// Several files written as one save: each is written to its temporary file
// first, then all of them are flushed to disk together (one wait for the disk
// instead of one per file) and renamed into place in the order they were
// prepared. A file that fails to go into place stops the renaming there.
class TEscrituraEnGrupo {
public:
    TEscrituraEnGrupo() = default;
    TEscrituraEnGrupo(const TEscrituraEnGrupo&) = delete;
    TEscrituraEnGrupo& operator=(const TEscrituraEnGrupo&) = delete;
    ~TEscrituraEnGrupo(); // temporary files never put in place are removed

    // Writes the temporary file. A failed optional file is just left out.
    ResultadoEscritura Preparar(const QString& ruta, const QByteArray& datos,
                                bool opcional = false);

    struct Fallo {
        int indice = -1; // position in preparation order; -1 when all went well
        ResultadoEscritura resultado;
    };
    // Flushes and renames everything prepared so far; failures of optional
    // files are ignored.
    Fallo Confirmar();

private:
    struct Pendiente {
        QByteArray temporal;
        QByteArray destino;
        int fd = -1;
        bool opcional = false;
        int indice = 0;
    };
    std::vector<Pendiente> pendientes;
    int preparados = 0;
};

// Temporary names this program gives files while it writes them; a run that
// is stopped in the middle of a write leaves them behind:
//   "<data file>.tmp<hex>" a list, tree, settings or document file being
//                          written (EscribirSeguro, TEscrituraEnGrupo);
//   "<name>.brivo-tmp"     a file being moved into a book's folder from
//                          another file system;
//   ".brivo-zip-XXXXXX"    an entry being extracted from an archive.
// Only the files the program writes this way (the lists, Arbol.tvw,
// BRIVO_II.INI and the K documents) count for the first form, so that a
// user's own file is never taken for a leftover.
bool EsTemporalPropio(const QString& nombre);
// Name of the staging folders an import makes inside Temp (the prefix, and
// whether a name is one of them).
inline constexpr char PrefijoPreparacion[] = ".importacion-";
bool EsPreparacionPropia(const QString& nombre);
// Removes the files directly inside carpeta that have such names; returns
// how many were removed. Failures are ignored.
int BorrarTemporalesPropios(const QString& carpeta);

// The runtime's input/output error for a system error number:
// "No se encuentra el archivo" for a missing file, "Error de E/S %d" otherwise.
ErrorES ErrorDeSistema(int codigo);

} // namespace brivo::archivos
