#pragma once
// "Crear examen" in several versions, or with answer sheets. Each version is
// an exam of its own under "Exámenes" ("Examen N - Versión A", ...) holding
// the same questions in an order of its own drawn from a seed, numbered from
// 1; each answer sheet ("Respuestas - Versión A", ...) holds, in its
// version's order, every question's number and its "#RESP" section, or the
// Respuesta letter of a "Test" question without one. In named steps:
//
//   Comprobar       every record fits in the document table (else the message
//                   says how many it needs and nothing is made), an exam
//                   model can be opened, leftover files in the slots the
//                   records will take are moved aside; the entries of the
//                   exam list that name no document are left out of every
//                   version; the orders are drawn (a list with fewer
//                   different orders than versions asks first);
//   PrepararEditor  the current document closed, the editor connected;
//   CrearVersion    one version: its record and file from the model,
//                   "Versión A" under the model's first paragraph, the
//                   questions appended, saved. The questions are opened
//                   hidden once for the whole creation and stay open until
//                   Terminar; version A counts and dates each question it
//                   reads, so Usos grows once per creation, not per version;
//   CrearHoja       one answer sheet, from the exam model too, its title
//                   under the model's first paragraph;
//   Terminar        the questions closed; version A in the editor, its grid
//                   row active;
//   Informe         the entries left out, if any.
//
// An exam of one version without a sheet is made by TCreacionExamen, exactly
// as always; CrearExamen picks the one that applies. Word-processor failures
// are thrown to the caller with what was done kept (records made so far stay,
// the questions read keep their count), as in an exam of one version.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

#include "MontajeExamen.h"
#include "ProcesadorTextos.h"
#include "Versiones.h"

namespace brivo {

class TAlmacen;
class TBancoDocumentos;
class TCreacionExamen;

// What the "Crear examen" dialog adds to the exam options.
struct TOpcionesCreacion {
    int Versiones = 1; // 1..MaxVersiones
    bool HojaRespuestas = false;
    std::uint64_t Semilla = 0; // the orders of the versions
    // An exam of one version without a sheet: the creation of always.
    bool Sencilla() const { return Versiones <= 1 && !HojaRespuestas; }
};

// The command once its dialog was accepted.
void CrearExamen(TBancoDocumentos& banco, const TOpcionesCreacion& opciones);

// Writes linea as a paragraph of its own right after the document's first
// paragraph (it takes that paragraph's format).
void EscribirBajoPrimerParrafo(word::IDocumentoWord& documento, const QString& linea);

class TCreacionVersiones {
public:
    TCreacionVersiones(TBancoDocumentos& banco, const TOpcionesCreacion& opciones);
    // Closes the questions left open when a step failed.
    ~TCreacionVersiones();
    TCreacionVersiones(const TCreacionVersiones&) = delete;
    TCreacionVersiones& operator=(const TCreacionVersiones&) = delete;

    // False (with the message, or after the user declined) when nothing may
    // be made.
    bool Comprobar();
    // False when the word processor cannot be reached.
    bool PrepararEditor();
    // Version v (0 = A). False when its record or file could not be made.
    bool CrearVersion(int v);
    // The answer sheet of version v.
    bool CrearHoja(int v);
    void Terminar();
    void Informe();
    // Every step in order, stopping where one fails.
    void Ejecutar();

    int Versiones() const { return versiones; }
    // N of "Examen N", taken before any record is made.
    int NumeroExamen() const { return numero; }
    const TPlanVersiones& Plan() const { return plan; }
    // Record numbers of the versions and of the sheets made so far.
    const std::vector<int>& Examenes() const { return examenes; }
    const std::vector<int>& Hojas() const { return hojas; }
    int Omitidas() const { return omitidas; }

private:
    struct TLeido {
        std::shared_ptr<word::IDocumentoWord> Documento;
        TSecciones Secciones;
    };
    // Question k, opened hidden the first time it is asked for; nullptr when
    // it cannot be opened (it then takes no number in any version).
    const TLeido* Leer(int k);
    void CerrarLeidos();
    // A new record under "Exámenes" with its file from the model and linea
    // under the model's first paragraph; its number, 0 when it failed.
    int NuevoRegistro(TCreacionExamen& paso, const QString& descripcion, const QString& linea);

    TBancoDocumentos& banco;
    TAlmacen& almacen;
    TOpcionesCreacion opciones;
    int versiones = 1;
    int numero = 0;
    int omitidas = 0;
    TPlanVersiones plan;
    std::map<int, std::optional<TLeido>> leidos;
    std::vector<int> examenes;
    std::vector<int> hojas;
};

} // namespace brivo
