#pragma once
// A stand-in for the main window over a library in a program folder of the
// test's own; it counts the calls the dialogs and operations make to it. It
// has no window of its own (Ventana() is null), so the core tests use it
// without widgets.
#include <cstdint>

#include <QString>

#include "Almacen.h"
#include "VentanaPrincipal.h"

namespace brivo::pruebas {

class TVentanaFalsa : public IVentanaPrincipal {
public:
    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return nullptr; }
    bool EditorAbierto() const override { return editorAbierto; }
    void CerrarDocumento() override { ++cierresDocumento; }
    void PonerTitulo() override { ++titulosPuestos; }
    // Docs/<book folder>/K<number in six digits>.doc; empty for a document
    // whose book is not in the library.
    QString RutaDocumento(int numero) const { return brivo::RutaDocumento(almacen, numero); }

    // Puts a used book into a slot (its author "Autor de <titulo>").
    TLibro& PonerLibro(int slot, std::int32_t id, const QString& titulo, const QString& carpeta);

    QString Docs() const { return almacen.CarpetaPrograma + QStringLiteral("Docs/"); }

    TAlmacen almacen;
    bool editorAbierto = false;
    int cierresDocumento = 0;
    int titulosPuestos = 0;

protected:
    // Makes carpeta the program folder and creates Docs inside.
    void PonerCarpeta(const QString& carpeta);
};

} // namespace brivo::pruebas
