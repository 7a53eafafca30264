#pragma once
// One question document as one Moodle question: its sections read as HTML
// through the automation interface, and the rules that make the question.
#include <array>

#include <QString>

#include "MontajeExamen.h"
#include "PreguntaMoodle.h"
#include "ProcesadorTextos.h"
#include "Registros.h"

namespace brivo::moodle {

// The four sections of a question document as HTML documents (empty when
// the document lacks the section).
struct TSeccionesHtml {
    std::array<QString, NumSecciones> Html;
};

// Where the sections of a question document lie for the question bank. The
// markers are found as exam assembly finds them (any letter case, first
// occurrence), and a section ends, as there, with the last paragraph mark
// before the next marker the document has after it, the last one with the
// text. But a section starts with the paragraph after its marker's
// paragraph, not at its first letter, so that a question that begins with
// "¿", a number or an image keeps it and an answer of figures alone is
// there; a document without "#PREG" has its question from the start of its
// text. Start -1: the marker is not in the text.
TSecciones RangosDeSecciones(word::IDocumentoWord& documento);

TSeccionesHtml LeerSecciones(word::IDocumentoWord& documento);

// Where the paragraph after the marker's paragraph starts (the end of the
// text when the marker's paragraph is the last one); -1 when the marker is
// not in the text.
int InicioTrasParrafoMarcador(word::IDocumentoWord& documento, const QString& marcador);

// The type names of the document grid: "Test", "Prob", "Preg"; empty for 0
// and any other value.
QString NombreTipo(int tipo);

// The question of a document record and its sections. A "Test" document
// whose question ends in options a), b)… (BuscarOpciones) and whose answer
// (Respuesta: a letter, maybe followed by ")" or ".") is one of them becomes
// a multichoice question with that option right and the options taken out
// of the text; any other document an essay question whose grader's
// information is the answer section, and the development section after it
// under the label "Desarrollo". motivo tells, for a "Test" document written
// as essay, why (in Spanish, starting in lower case); it is empty otherwise.
// Images become files named "imagen1.png", "imagen2.jpg"… in the order they
// first appear in the question; the same image in a text is one file.
TPreguntaMoodle PreguntaDe(const TDocumento& documento, const TSeccionesHtml& secciones,
                           QString& motivo);

} // namespace brivo::moodle
