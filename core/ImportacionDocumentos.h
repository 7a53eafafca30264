#pragma once
// Files made new documents of the active book: "Importar documentos…" of the
// main window. Each chosen file (Word 97–2003 or 2007+, OpenDocument Text,
// RTF, HTML or plain text, told apart by its content) becomes a document
// under the selected node, as "Añadir documento" would make it: the active
// book must allow new documents, the record takes the first free slot with
// the defaults of a new document at the node's place, a leftover file in
// that slot's place is moved aside first; its description is the file's
// name without extension, and its file the imported content in the
// program's format, protected with the book's identifier when the book
// keeps passwords in its documents.
//
// Every file is converted first, into a staging folder inside Temp; only
// then do the converted files take their slots, so a missing LibreOffice
// (word::ErrorSinConversor, thrown before any record or file of the library
// changes) or a cancelled run leaves no half-made document.
//
//   const auto r = OrdenImportarDocumentos(banco, nodo, *conversion,
//       [&](int n, int total, const QString& archivo) { ...; return !cancelado; });
//   if (r) // shown to the user with InformeImportacion(*r)
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "ProcesadorTextos.h"

namespace brivo {

class TBancoDocumentos;
struct TNodo;

enum class EstadoImportacion {
    Importado, // a new document (Numero)
    Fallido,   // could not be read or written; Motivo says why
    SinSitio,  // every document slot was in use
    Pendiente, // not reached: the run was cancelled before it
};

struct TArchivoImportado {
    QString Archivo; // the chosen file
    EstadoImportacion Estado = EstadoImportacion::Pendiente;
    int Numero = 0; // the new document's number (Importado)
    QString Motivo; // the error's text (Fallido)
};

struct TResultadoImportacionDocumentos {
    std::vector<TArchivoImportado> Archivos; // in the order chosen
    bool Cancelado = false;
    int Cuantos(EstadoImportacion estado) const;
};

// Called before each file is read with its position n (from 1) among total;
// returning false stops the import before that file (those read so far are
// still added).
using ProgresoImportacion = std::function<bool(int n, int total, const QString& archivo)>;

// Caption and filter of the file dialog.
QString TituloImportacion();
QString FiltroImportacion();

// Whether the active book takes new documents under nodo: false, after the
// notice, in consultation-only mode or when the book does not allow adding
// documents; false without a word when there is no active book or no node.
// Fills LibroConsultado.
bool PuedeImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo);

// Imports archivos under nodo (PuedeImportarDocumentos must have been
// true). Lists the node again when something was added and, with the editor
// open, moves the editor to the last new document, which becomes DocActual.
// Throws word::ErrorSinConversor (nothing changed) when a file needs
// LibreOffice and it is not installed.
TResultadoImportacionDocumentos ImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo,
                                                   const QStringList& archivos,
                                                   word::IConversionDocumentos& conversion,
                                                   const ProgresoImportacion& progreso = {});

// The whole command: the checks, the file dialog (ui::ArchivosParaAbrir),
// the import. None when nothing was tried (refused or cancelled).
std::optional<TResultadoImportacionDocumentos>
OrdenImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo,
                        word::IConversionDocumentos& conversion,
                        const ProgresoImportacion& progreso = {});

} // namespace brivo
