#pragma once
// Shared pieces of the dialog tests: a QApplication for the whole run, and a
// stand-in main window over a library in a scratch program folder.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include "Almacen.h"
#include "VentanaPrincipal.h"

namespace brivo::pruebas {

class TVentanaPrueba : public IVentanaPrincipal {
public:
    TVentanaPrueba();

    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return &ventana; }
    bool EditorAbierto() const override { return editorAbierto; }
    void CerrarDocumento() override { ++cierresDocumento; }
    void PonerTitulo() override { ++titulosPuestos; }
    QString RutaDocumento(int numero) override;
    void SeleccionarPrimerNodo() override { ++seleccionesPrimerNodo; }

    // Puts a used book into a slot.
    TLibro& PonerLibro(int slot, std::int32_t id, const QString& titulo, const QString& carpeta);
    // Puts a document of a book into a slot and writes its file when asked.
    void PonerDocumento(int numero, std::int32_t idLibro, bool conArchivo);

    QString Docs() const { return almacen.CarpetaPrograma + QStringLiteral("Docs/"); }

    QTemporaryDir carpeta;
    TAlmacen almacen;
    QWidget ventana;
    bool editorAbierto = false;
    int cierresDocumento = 0;
    int titulosPuestos = 0;
    int seleccionesPrimerNodo = 0;
};

// Writes a small file (creating its folder).
void EscribirArchivo(const QString& ruta, const QByteArray& contenido = "x");

} // namespace brivo::pruebas
