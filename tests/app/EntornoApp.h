#pragma once
// Shared pieces of the main-window tests: a program folder of their own for
// each test, prepared libraries, and scripted answers for the book dialogs.
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "Almacen.h"
#include "Interaccion.h"
#include "Main.h"

namespace brivo::pruebas {

// A temporary program folder with Docs/ and (optionally) Arbol0.tvw copied
// from the build folder.
class TCarpeta {
public:
    explicit TCarpeta(bool conArbol0 = true);
    QString Ruta() const { return dir.path() + "/"; }
    QString Archivo(const QString& nombre) const { return Ruta() + nombre; }
    QByteArray Leer(const QString& nombre) const;
    bool Existe(const QString& nombre) const;

private:
    QTemporaryDir dir;
};

// Loads the folder's library into a store, lets the caller change it, and
// saves it (the way a previous run of the program leaves it).
void Preparar(const TCarpeta& carpeta, const std::function<void(brivo::TAlmacen&)>& cambio);

// Puts a used book into a slot.
void PonerLibro(brivo::TAlmacen& a, int slot, int identificador, const QString& titulo,
                const QString& carpeta);

// Puts a used document into a slot.
void PonerDocumento(brivo::TAlmacen& a, int numero, int idLibro, int materia, int tema,
                    int contenido, const QString& descripcion = QString());

// The main window on a folder, shown and activated.
std::unique_ptr<brivo::TMainForm> Arrancar(const TCarpeta& carpeta);

// Dialog scripts.
// New-book dialog: fills author, title and folder and presses OK.
brivo::ui::TGuion::AccionDialogo CrearLibro(const QString& titulo, const QString& carpeta);
// Any dialog: closes it with Cancel.
brivo::ui::TGuion::AccionDialogo Cancelar();
// Book list: selects the line with that title and presses OK.
brivo::ui::TGuion::AccionDialogo ElegirLibro(const QString& titulo);
// Delete dialog: presses "E&liminar libro".
brivo::ui::TGuion::AccionDialogo EliminarLibro();

// Messages of one kind recorded by a script.
QStringList Textos(const brivo::ui::TGuion& guion, brivo::ui::TipoMensaje tipo);

} // namespace brivo::pruebas
