#pragma once
// The main window over a library whose documents are Word 97–2003 files
// protected with their book's identifier, as an installation that used Word
// as its word processor leaves them. The library is made at test time: each
// question is written by the engine, turned into a Word file by the
// program's own export through LibreOffice (ExportarDocumentoWord97) and put
// over its K file; then the lists are saved.
//
// Tree: Útiles (1) {1..5}, Física (10) { Mecánica (20) }. Book 1 "Física"
// (123456, folder Fisica, passwords in documents, changes and new documents
// allowed) is active. Documents 1..3 under Mecánica: 1 the full question of
// LlenarPregunta, 2 and 3 short questions; 4 a Word file cut short.
#include <memory>

#include <QString>

#include "EntornoApp.h"
#include "EntornoOficina.h"
#include "Main.h"

namespace brivo::pruebas {

constexpr int IdWord = 123456;

class VentanaOficina : public ::testing::Test {
protected:
    void SetUp() override;

    brivo::TAlmacen& A() { return form->Almacen(); }
    QString Ruta(int k) const;
    QString Identificador() const { return QString::number(IdWord); }
    brivo::TNodo* Nodo(const QString& texto);
    // Makes grid row r (1-based) the active row, as a click on it does.
    void Mover(int fila);
    // The plain text of a document file of the program (with the identifier).
    QString TextoArchivo(const QString& ruta, const QString& clave);
    // The plain text of any document file, office files through LibreOffice.
    QString TextoCualquiera(const QString& ruta, const QString& clave = {});

    // Dialog scripts: the closing report (its summary and detail are kept
    // in resumen and detalle), and the password of a Word export.
    brivo::ui::TGuion::AccionDialogo LeerInforme();
    // The current document exported in every format from the main window
    // (PruebaVentanaOficina.cpp).
    void EntregarDocumentoActual(const QString& texto);
    static brivo::ui::TGuion::AccionDialogo ClaveExportacion(const QString& clave);
    // "Exportar libro" scripted: the book's identifier typed, then the
    // package written to archivo with "Documentos en formato Word (.doc)".
    void GuionExportarLibroEnWord(const QString& archivo);

    TCarpeta carpeta{false};
    brivo::ui::TGuion guion;
    std::unique_ptr<brivo::TMainForm> form;
    QTemporaryDir fuera; // the user's files
    QString resumen, detalle;
};

} // namespace brivo::pruebas
