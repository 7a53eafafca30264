#pragma once
// A program folder with the shipped model documents, a small tree and two
// books, and the main window started on it; helpers to read document files
// back and to move in the grid.
#include <memory>

#include <QString>

#include <gtest/gtest.h>

#include "ArchivoDocumento.h"
#include "EntornoApp.h"
#include "Main.h"

namespace brivo::pruebas {

// Book identifiers and folders of the prepared library.
constexpr int IdFisica = 123456;
constexpr int IdOtro = 654321;

// Útiles(1) {1..5}, Física (10) { Mecánica (20) { Cinemática (30) } },
// Química (11). Book 1 "Física general" (folder Fisica) is active.
class BaseDocumentos : public ::testing::Test {
protected:
    void SetUp() override;
    // Runs before the window starts, on the library being prepared.
    virtual void PrepararLibreria(brivo::TAlmacen& a);

    brivo::TAlmacen& A() { return form->Almacen(); }
    brivo::TNodo* Nodo(const QString& texto);
    void Seleccionar(const QString& texto);
    // Makes grid row r (1-based) the active row, as a click on its description.
    void Mover(int fila);
    QList<int> Listados() const;
    // Opens the editor with the command (checks it did not fail).
    void AbrirEditor();
    // Path of document k in the Fisica book's folder.
    QString Ruta(int k) const;
    // Appends a paragraph to the document shown in the editor.
    void Escribir(const QString& texto);

    TCarpeta carpeta{false};
    brivo::ui::TGuion guion;
    std::unique_ptr<brivo::TMainForm> form;
};

// Plain text and built-in properties of a document file (throws on a wrong password).
QString TextoDe(const QString& ruta, const QString& clave = QString());
brivo::word::ResultadoLectura LeerDoc(const QString& ruta, const QString& clave = QString());
bool Cifrado(const QString& ruta);
// Writes a plain-text document file.
void EscribirTexto(const QString& ruta, const QString& texto);

} // namespace brivo::pruebas

namespace brivo::pruebas {

// The embedded engine with failures switched on at will: connecting, quitting.
class TMotorConFallos : public brivo::word::IAplicacionWord {
public:
    bool FallaConectar = false;
    bool FallaQuit = false;
    int Quits = 0;

    void Connect() override;
    void Disconnect() override { real->Disconnect(); }
    bool Conectado() const override { return real->Conectado(); }
    brivo::word::IVentanaWord& Window() override { return real->Window(); }
    void Activate() override { real->Activate(); }
    QString Version() const override { return real->Version(); }
    int DocumentsCount() const override { return real->DocumentsCount(); }
    std::shared_ptr<brivo::word::IDocumentoWord>
    DocumentsOpen(const QString& ruta, const brivo::word::OpcionesApertura& opciones) override {
        return real->DocumentsOpen(ruta, opciones);
    }
    std::shared_ptr<brivo::word::IDocumentoWord> ActiveDocument() const override {
        return real->ActiveDocument();
    }
    void Quit(brivo::word::GuardarCambios guardar) override;

private:
    std::unique_ptr<brivo::word::IAplicacionWord> real = brivo::word::CrearMotorIncrustado();
};

// Puts an engine with failures into the window (the window's own is dropped).
TMotorConFallos& MotorConFallos(brivo::TMainForm& form);

} // namespace brivo::pruebas
