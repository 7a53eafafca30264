#pragma once
// The content of an exam version's answer sheet: for each question, in the
// version's order, its number and either the question's "#RESP" section or,
// for a "Test" question without one, the letter of its Respuesta. The
// sections come from the word processor (BuscarSecciones); this part decides
// what goes where, and the caller writes the lines and copies the sections.
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "Almacen.h"
#include "MontajeExamen.h"

namespace brivo {

enum class ContenidoLineaHoja {
    Seccion,     // the question's answer section is copied after the line
    Letra,       // the line carries the Respuesta letter
    SinRespuesta // the question has neither: only its number
};

struct TLineaHoja {
    int Pregunta = 0;  // number of the question in the version, from 1
    int Documento = 0; // document number
    ContenidoLineaHoja Contenido = ContenidoLineaHoja::SinRespuesta;
    // The paragraph written for the question: "3." or, with a letter, "3. B".
    QString Texto;
};

// The line of question number `pregunta`, document d, whose sections were found.
TLineaHoja LineaHoja(const TDocumento& d, int pregunta, const TSecciones& secciones);

// The sections found in a document while its version was assembled; no
// value for a document that was not read (it takes no number, as in the exam).
using SeccionesDeDocumento = std::function<std::optional<TSecciones>(int documento)>;

// The lines of a version's sheet, orden being the version's documents in order.
// Numbering starts at 1 in each version and counts the documents read.
std::vector<TLineaHoja> ContenidoHojaRespuestas(const TAlmacen& almacen,
                                                const std::vector<int>& orden,
                                                const SeccionesDeDocumento& secciones);

} // namespace brivo
