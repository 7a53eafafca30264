#pragma once
// Shared pieces of the package tests: "installations", each a program folder
// of its own (its path may hold blanks) with its own library, standing in
// for the main window. The suite that uses them makes its application.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Almacen.h"
#include "DialogoUsuario.h"
#include "Paquete.h"
#include "VentanaFalsa.h"

#include "Ayudas.h" // printing of Qt texts, archive helpers

namespace brivo::pruebas {

class TInstalacion : public pruebas::TVentanaFalsa {
public:
    // carpeta: the program folder (created, with Docs inside); the library
    // starts with the initial topic tree.
    explicit TInstalacion(const QString& carpeta);

    // A book in a slot, with its folder under Docs created.
    TLibro& PonerLibro(int slot, std::int32_t id, const QString& titulo, const QString& carpeta);
    // A document of a book in a slot; its file holds contenido (no file when empty).
    TDocumento& PonerDocumento(int numero, std::int32_t idLibro, const QByteArray& contenido);
    QByteArray LeerDocumento(int numero);

    int LibrosUsados() const;
    int DocumentosUsados() const;
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
