#pragma once
// Book import: the "&Importar libro" command and the import dialog, which
// reads a package (see Paquete.h) and merges it into the library.
#include "Arbol.h"
#include "ContextoAyuda.h"
#include "FormPaquete.h"
#include "Paquete.h"

namespace brivo {

class IVentanaPrincipal;

class TFormImportar : public TFormPaquete {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::ImportarLibro;

    explicit TFormImportar(IVentanaPrincipal& ventana, QWidget* padre = nullptr);

    // "Explorar": the open dialog "Exportar desde archivo", starting in BAK.
    void BExplorarClick() override;
    // "&Importar": the whole import with its messages, then the dialog
    // closes whatever the outcome.
    void BCopiarClick() override;

    // How new tree nodes reach the main tree (the main window passes its tree
    // model, so the view shows them at once). Unset: straight into the tree.
    TAnadirNodo AnadirNodo;

    // The package's topic tree, loaded during the merge; never shown.
    TArbol ArbolTemp;

    // Outcome of the last "&Importar".
    TResultadoImportacion Resultado;
};

// "&Importar libro": shows the import dialog modally.
void ImportarLibro(IVentanaPrincipal& ventana, TAnadirNodo anadirNodo = {});

} // namespace brivo
