#pragma once
// Exam assembly, the command "Crear examen" once its options dialog was
// accepted, in named steps:
//
//   Comprobar          a free record and an exam model, both before anything
//                      is written; a leftover file in the exam's place is
//                      moved aside;
//   PrepararEditor     the current document closed, the editor connected;
//   CrearRegistro      "Exámenes" selected, the exam record created there and
//                      listed, the editor on it: the model saved as its file;
//   AnadirLista        the chosen sections of every listed document appended,
//                      each document counted and dated;
//   Guardar            the exam's grid row active, the exam saved under its
//                      own path;
//   Informe            the entries left out, if any.
//
// Ejecutar runs them in order and stops where one fails (its message
// shown). Word-processor failures are thrown to the caller, with what was
// done kept, as the command's failure handling asks.
#include <memory>

#include "ProcesadorTextos.h"

namespace brivo {

class TAlmacen;
class TBancoDocumentos;
struct TNodo;

// Whether the exam model (the model document, else "nuevoexamen.doc") has a
// file to open.
bool ModeloExamenDisponible(const TAlmacen& almacen);

// "Exámenes": the first level-1 node with identifier 3 under node 1, in tree
// order; nullptr when the tree has none.
TNodo* NodoExamenes(const TAlmacen& almacen);

// The notice for entries of the exam list left out of an exam because their
// document no longer exists (or is the exam itself); empty for 0.
QString MensajeEntradasOmitidas(int omitidas);

class TCreacionExamen {
public:
    explicit TCreacionExamen(TBancoDocumentos& banco);

    // False (with the message) when the table is full or no exam model can
    // be opened, or when a leftover file cannot be moved aside.
    bool Comprobar();
    // False when the word processor cannot be reached.
    bool PrepararEditor();
    // False when no record was created, or (with the message) when the
    // model did not open as the exam's file.
    bool CrearRegistro();
    // Appends the listed documents in list order. Entries whose slot is free
    // or is the exam's own are left out (counted for Informe); documents
    // that cannot be opened take no number.
    void AnadirLista();
    void Guardar();
    void Informe();

    // Every step in order.
    void Ejecutar();

    // The exam being assembled (after CrearRegistro) and the entries left out.
    const std::shared_ptr<word::IDocumentoWord>& Examen() const { return examen; }
    int Omitidas() const { return omitidas; }

private:
    TBancoDocumentos& banco;
    TAlmacen& almacen;
    std::shared_ptr<word::IDocumentoWord> examen;
    QString ruta;
    int omitidas = 0;
};

} // namespace brivo
