#pragma once
// Shared pieces of the package tests: a QApplication for the whole run and
// "installations", each a program folder of its own (its path may hold
// blanks) with its own library, standing in for the main window.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "Almacen.h"
#include "Interaccion.h"
#include "Paquete.h"
#include "VentanaPrincipal.h"

#include "Ayudas.h" // printing of Qt texts, archive helpers

namespace brivo::pruebas {

class TInstalacion : public IVentanaPrincipal {
public:
    // carpeta: the program folder (created, with Docs inside); the library
    // starts with the initial topic tree.
    explicit TInstalacion(const QString& carpeta);

    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return &ventana; }
    bool EditorAbierto() const override { return editorAbierto; }
    void CerrarDocumento() override { ++cierresDocumento; }
    void PonerTitulo() override { ++titulosPuestos; }
    QString RutaDocumento(int numero) override;

    TLibro& PonerLibro(int slot, std::int32_t id, const QString& titulo, const QString& carpeta);
    // A document of a book in a slot; its file holds contenido (no file when empty).
    TDocumento& PonerDocumento(int numero, std::int32_t idLibro, const QByteArray& contenido);
    QByteArray LeerDocumento(int numero);

    QString Docs() const { return almacen.CarpetaPrograma + QStringLiteral("Docs/"); }
    int LibrosUsados() const;
    int DocumentosUsados() const;

    TAlmacen almacen;
    QWidget ventana;
    bool editorAbierto = false;
    int cierresDocumento = 0;
    int titulosPuestos = 0;
};

// Contents of a test document file.
QByteArray Contenido(const QString& quien, int numero);

// Every file below a folder (relative paths, sorted).
QStringList ArbolDeArchivos(const QString& carpeta);

// The package of the active book with the book's own flags.
TResultadoExportacion ExportarActivo(TInstalacion& origen, const QString& archivo,
                                     const QString& clave = QString());

// Texts of the messages recorded by a script.
QStringList Textos(const QList<ui::TGuion::Mensaje>& mensajes);

} // namespace brivo::pruebas
