#pragma once
// A stand-in for the main window over a library in a program folder of the
// test's own; it counts the calls the dialogs make to it.
#include <cstdint>

#include <QString>
#include <QWidget>

#include "Almacen.h"
#include "VentanaPrincipal.h"

namespace brivo::apoyo {

class TVentanaFalsa : public IVentanaPrincipal {
public:
    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return &ventana; }
    bool EditorAbierto() const override { return editorAbierto; }
    void CerrarDocumento() override { ++cierresDocumento; }
    void PonerTitulo() override { ++titulosPuestos; }
    // Docs/<book folder>/K<number in six digits>.doc; empty for a document
    // whose book is not in the library.
    QString RutaDocumento(int numero) override;

    // Puts a used book into a slot (its author "Autor de <titulo>").
    TLibro& PonerLibro(int slot, std::int32_t id, const QString& titulo, const QString& carpeta);

    QString Docs() const { return almacen.CarpetaPrograma + QStringLiteral("Docs/"); }

    TAlmacen almacen;
    QWidget ventana;
    bool editorAbierto = false;
    int cierresDocumento = 0;
    int titulosPuestos = 0;

protected:
    // Makes carpeta the program folder and creates Docs inside.
    void PonerCarpeta(const QString& carpeta);
};

} // namespace brivo::apoyo
