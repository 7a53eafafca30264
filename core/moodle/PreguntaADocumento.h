#pragma once
// One Moodle question as one question document: the contents of its four
// sections, its catalogue fields, and the sections written into a document
// through the automation interface.
#include <array>

#include <QString>

#include "MontajeExamen.h"
#include "PreguntaMoodle.h"
#include "ProcesadorTextos.h"

namespace brivo::moodle {

// Largest amount of image data one document takes in: more would make a
// file the engine does not open again.
inline constexpr qsizetype MaxBytesImagenesDocumento = 32 * 1024 * 1024;

struct TDocumentoMoodle {
    // HTML of each section ("" for none), images embedded as data: URIs.
    std::array<QString, NumSecciones> Html;
    QString Descripcion;
    int Tipo = 0;      // 1 "Test", 2 "Prob", 3 "Preg"
    QString Respuesta; // the letters of the right options
    int Dificultad = 0;
    double Puntos = 0;
    int ImagenesOmitidas = 0; // images that are not the question's own files, or not images
};

// The document of a question:
// - question: the text, and for multichoice and truefalse the options as
//   paragraphs "a) …", "b) …" (true and false as "Verdadero" and "Falso");
// - answer: the right options ("b) …"), the accepted answers of a
//   shortanswer or numerical question (with their tolerance, and their part
//   of the grade when it is not all of it), and the grader's information;
// - comment: the general feedback.
// Type "Test" for multichoice and truefalse, with Respuesta the letters of
// the options worth something ("b", or "a,c"); other questions take the
// type named by one of their tags ("Test", "Prob", "Preg"), else none.
// Dificultad comes from a tag "dificultad-N" (0–9), Puntos from the grade.
// Only the question's own files and embedded data that are images go in.
// False, with motivo, when a text is beyond what the program reads.
bool DocumentoDe(const TPreguntaMoodle& pregunta, TDocumentoMoodle& documento, QString& motivo);

// Writes the sections into a document made from the question model: each
// marker's section is replaced (an empty one emptied) when the model has
// the four markers in order; otherwise the whole text becomes the four
// marker paragraphs, each followed by its section.
void LlenarDocumento(word::IDocumentoWord& documento, const TDocumentoMoodle& contenido);

} // namespace brivo::moodle
