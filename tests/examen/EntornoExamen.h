#pragma once
// A program folder with one book ("Libro", identifier 123456, folder "libro"),
// the initial topic tree, a one-paragraph exam model, and question documents
// whose files are written as the test asks; the main window started on it.
#include <functional>
#include <memory>

#include <QString>

#include <gtest/gtest.h>

#include "EntornoApp.h"
#include "PropExam.h"

#include "TextosQt.h"

namespace brivo::pruebas {

constexpr int IdLibro = 123456;

class TEntornoExamen : public ::testing::Test {
protected:
    // Every document of the test is put into the library by this function
    // before the window starts (PonerDocumento and friends).
    void Arrancar(const std::function<void(brivo::TAlmacen&)>& cambio = {});

    // Path of document k's file in the book's folder.
    QString RutaDoc(int k) const;
    // Writes document k's file as plain text (each "\n" separates
    // paragraphs), encrypted with the book's identifier when cifrado.
    void EscribirTexto(int k, const QString& texto, bool cifrado = false);
    // Writes the exam model "nuevoexamen.doc" with one paragraph "EXAMEN".
    void EscribirModeloExamen();

    // The paragraphs of the document in the editor, joined by "|" (the
    // final paragraph mark is not shown).
    QString ParrafosExamen() const;
    // The paragraphs of a file read back with a password.
    QString ParrafosArchivo(const QString& ruta, const QString& clave = {}) const;

    // Script for "Crear examen": lets the test change the controls and
    // presses OK.
    static brivo::ui::TGuion::AccionDialogo
    Aceptar(const std::function<void(brivo::TFormPropExamen&)>& cambio = {});
    // The four switches on.
    static void TodasLasSecciones(brivo::TFormPropExamen& f);

    brivo::TAlmacen& A() { return form->Almacen(); }

    TCarpeta carpeta{false};
    brivo::ui::TGuion guion;
    std::unique_ptr<brivo::TMainForm> form;
};

} // namespace brivo::pruebas
