#pragma once
// Book export: the "&Exportar libro" command and the export dialog, which
// writes the active book's package (see Paquete.h) with progress gauges.
#include "ContextoAyuda.h"
#include "FormPaquete.h"
#include "Paquete.h"

class QCheckBox;
class QFrame;
class QLabel;

namespace brivo {

class IVentanaPrincipal;

class TFormExportar : public TFormPaquete {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::ExportarLibro;
    static constexpr const char* Titulo = "Exportar libro: ";

    // Opens on the active book (FormCreate runs at once).
    explicit TFormExportar(IVentanaPrincipal& ventana, QWidget* padre = nullptr);

    // Creates BAK, sets the caption with the book's title, the default
    // archive and the three check boxes from the book.
    void FormCreate();
    // "Explorar": the save dialog "Exportar a archivo", starting in BAK.
    void BExplorarClick() override;
    // "Exportar": checks the name, asks before an existing archive is
    // replaced (unless the save dialog of "Explorar" already asked for that
    // very file; "No" leaves the dialog open), writes the package with the
    // busy cursor and closes the dialog; a failed write (or a document that
    // cannot be converted to Word) is reported and the dialog stays open so
    // that another name can be tried.
    void BCopiarClick() override;

    QLabel* LabNota1 = nullptr; // "ATENCIÓN: la clave es opcional."
    QLabel* LabNota2 = nullptr; // "Si la utiliza, debe anotarla..."
    QFrame* Panel1 = nullptr;
    QCheckBox* CBClaveEnDoc = nullptr;
    QCheckBox* CBPermitirCambiosEnDoc = nullptr;
    QCheckBox* CBPrmitirMasDoc = nullptr;
    // "Documentos en formato Word (.doc)": the documents go into the package
    // as Word 97–2003 files, for an installation whose word processor is Word.
    QCheckBox* CBDocumentosWord = nullptr;

    // Outcome of the last "Exportar".
    TResultadoExportacion Resultado;

private:
    // The file chosen in the save dialog, which asked itself before
    // letting an existing file be chosen.
    QString elegidoAlExplorar;
};

// Shows the export dialog modally for the active book (the delete dialog's
// export button runs this once the identifier was typed right).
void MostrarExportar(IVentanaPrincipal& ventana);

// "&Exportar libro": looks the active book up into LibroConsultado; nothing
// happens without one; a book whose export is not allowed gets the
// three-line notice; otherwise the identifier prompt and then the dialog.
void ExportarLibro(IVentanaPrincipal& ventana);

// The notice for a book whose export is not allowed.
QString TextoExportarNoPermitido();

} // namespace brivo
