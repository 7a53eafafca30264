#pragma once
// The closing reports of the office commands of the main window, as text:
// a one-paragraph summary with the counts and a detail with one line per
// document or file that needs one (converted, imported, failed with the
// reason), the rest by number. The report window shows both.
#include <QString>

namespace brivo {

class TAlmacen;
struct TResultadoConversion;
struct TResultadoImportacionDocumentos;

struct TInforme {
    QString Titulo;
    QString Resumen;
    QString Detalle; // lines joined by "\n"
};

// "Convertir documentos": converted (with the format they had and where the
// original was kept), failed with the reason, already in the program's
// format and without a file yet by number; after a cancel, how many were not
// looked at.
TInforme InformeConversion(const TAlmacen& almacen, const TResultadoConversion& resultado);

// "Importar documentos": each file imported with its new document, each
// failure with its reason, the files that found no free slot and those a
// cancel left out.
TInforme InformeImportacion(const TAlmacen& almacen,
                            const TResultadoImportacionDocumentos& resultado);

} // namespace brivo
