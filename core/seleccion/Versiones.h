#pragma once
// Planning an exam made in several versions, before the word processor is
// reached: the order of the questions in each version, the descriptions of
// the records that creation adds under "Exámenes", whether they fit in the
// document table, and the count of use that creation raises once however many
// versions it writes.
#include <cstdint>
#include <vector>

#include <QString>

#include "Almacen.h"

namespace brivo {

constexpr int MaxVersiones = 4;

struct TPlanVersiones {
    // One order per version, version A first. Version A keeps the list's own
    // order; every later version is a shuffle of it that differs from every
    // earlier version while the list has orders left to give.
    std::vector<std::vector<int>> Ordenes;
    // How many of the orders differ from each other. Below the number of
    // versions only when the list has fewer different orders than versions
    // (one question, two questions and four versions, or a list that repeats
    // one document): the versions after the last different order repeat the
    // orders from version A on.
    int OrdenesDistintos = 0;
    bool Repetidas() const { return OrdenesDistintos < static_cast<int>(Ordenes.size()); }
};

// The orders of the versions of list (the documents of the exam list in list
// order) drawn from semilla; versiones is taken within 1..MaxVersiones. The
// same list, number and seed always give the same plan.
TPlanVersiones PlanearVersiones(const std::vector<int>& lista, int versiones,
                                std::uint64_t semilla);

// Version letters: 0 -> "A", 1 -> "B", ...
QString LetraVersion(int version);
// The line written under the model's first paragraph of a version: "Versión A".
QString TextoVersion(int version);
// The number N of "Examen N" that the next exam takes: the documents filed
// under "Exámenes" plus one, as a new exam record is numbered.
int NumeroNuevoExamen(const TAlmacen& almacen);
// Description of version `version` (0-based) of exam n: "Examen n" for an exam
// of one version, "Examen n - Versión A", "Examen n - Versión B", ... otherwise.
QString DescripcionExamen(int n, int version, int versiones);
// Description of the answer sheet of a version: "Respuestas - Versión A", ...;
// for an exam of one version "Respuestas - Examen n".
QString DescripcionHojaRespuestas(int n, int version, int versiones);

// Records the creation adds: one exam per version, and one answer sheet per
// version when they are asked for.
int RegistrosNecesarios(int versiones, bool hojas);
// Free slots of the document table.
int HuecosLibres(const TAlmacen& almacen);
// Empty when the records of the creation fit in the free slots; otherwise the
// message that says how many it needs, and the creation makes nothing.
QString ComprobarHuecos(const TAlmacen& almacen, int versiones, bool hojas);

// Records one use of each document of the list: Usos + 1 and FechaUso :=
// fecha (cut to its 10 characters). A document listed twice counts twice, as
// in an exam of one version; entries that name no used slot are skipped.
// Creation calls it once, with the documents it read for the exam, however
// many versions it writes. Returns how many uses were recorded.
int RegistrarUsos(TAlmacen& almacen, const std::vector<int>& documentos, const QString& fecha);

} // namespace brivo
