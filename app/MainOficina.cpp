// Office documents in and out, from the main window: converting every
// document of the library into the program's format, importing files as new
// documents of the active book, and exporting the current document. The
// rules are in the core library (DocumentosOficina.h,
// ImportacionDocumentos.h, ExportarDocumento.h); the window shows the
// progress and the report.
#include <QDir>
#include <QFileInfo>
#include <QTableView>

#include "ClaveExportacion.h"
#include "DocumentosOficina.h"
#include "ExportarDocumento.h"
#include "ImportacionDocumentos.h"
#include "InformeDocumentos.h"
#include "InformesOficina.h"
#include "Interaccion.h"
#include "Main.h"
#include "ModeloGridPreg.h"
#include "ProgresoDocumentos.h"

namespace brivo {

void TMainForm::Convertirdocumentos1Click() {
    // The document in the editor is closed first, its changes kept by its
    // book's rules: its file may be converted. The editor shows it again
    // at the end.
    const bool reabrir = banco->EditorAbierto() && banco->DocumentosAbiertos() > 0;
    banco->CerrarDocumento();
    const auto volver = [this, reabrir] {
        const int k = almacen.DocActual;
        if (reabrir && banco->EditorAbierto() && k >= 1 &&
            QFileInfo(RutaDocumento(almacen, k)).isFile())
            banco->AbrirDocumento(k, true);
    };
    const auto conversion = CrearConversion();
    TResultadoConversion resultado;
    {
        TFormProgreso progreso(this, QStringLiteral("Convertir documentos"),
                               ContextoAyuda::ConvertirDocumentos, QStringLiteral("Documento"));
        try {
            resultado =
                ConvertirDocumentosLibros(almacen, *conversion, [&](int n, int total, int numero) {
                    const QString ruta = QDir(almacen.CarpetaPrograma)
                                             .relativeFilePath(RutaDocumento(almacen, numero));
                    return progreso.Avanzar(
                        n, total,
                        QStringLiteral("%1 «%2»").arg(
                            QDir::toNativeSeparators(ruta),
                            almacen.Documentos[size_t(numero)].Descripcion.Texto()));
                });
        } catch (const word::ErrorSinConversor& e) {
            progreso.hide();
            ui::Error(this, e.Mensaje());
            volver();
            return;
        }
    }
    MostrarInforme(this, InformeConversion(almacen, resultado), ContextoAyuda::ConvertirDocumentos);
    volver();
}

void TMainForm::Importardocumentos1Click() {
    TerminarEdicionGridPreg();
    const auto conversion = CrearConversion();
    std::optional<TResultadoImportacionDocumentos> resultado;
    {
        TFormProgreso progreso(this, TituloImportacion(), ContextoAyuda::ImportarDocumentos,
                               QStringLiteral("Archivo"));
        try {
            resultado = OrdenImportarDocumentos(
                *banco, NodoSeleccionado(), *conversion,
                [&](int n, int total, const QString& archivo) {
                    return progreso.Avanzar(n, total, QDir::toNativeSeparators(archivo));
                });
        } catch (const word::ErrorSinConversor& e) {
            progreso.hide();
            ui::Error(this, e.Mensaje());
            return;
        }
    }
    if (!resultado)
        return;
    // The grid lists the new documents; the last one is the current row.
    if (!GridPreg->isHidden()) {
        for (int fila = 1; fila <= almacen.NumListados; ++fila) {
            if (almacen.ListaPreg[size_t(fila)] == almacen.DocActual) {
                PonerFilaActiva(fila);
                break;
            }
        }
    }
    MostrarInforme(this, InformeImportacion(almacen, *resultado),
                   ContextoAyuda::ImportarDocumentos);
}

void TMainForm::Exportardocumento1Click() {
    TerminarEdicionGridPreg();
    const auto conversion = CrearConversion();
    try {
        OrdenExportarDocumento(*banco, PedirClaveExportacion, *conversion);
    } catch (const word::ErrorSinConversor& e) {
        // Said like the other office commands; nothing has been written.
        ui::Error(this, e.Mensaje());
    }
}

} // namespace brivo
