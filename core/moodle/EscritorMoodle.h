#pragma once
// Writing questions as the two files Moodle's question bank imports:
//
// - Moodle XML: <quiz> with a <question type="category"> before the
//   questions of each category, every text as HTML in a CDATA section and
//   its images as base64 <file> elements.
// - GIFT: text lines; "$CATEGORY:" lines for the categories, each question
//   as "::name::[html]text{answers}" on its own lines, questions apart by a
//   blank line. GIFT has no files, so images are left out.
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "PreguntaMoodle.h"

namespace brivo::moodle {

// The category path of Moodle files: "$course$/" and the names joined by
// "/", a "/" inside a name written "//" (a name that would then start or
// end with "/" gets a blank there, so the separators stay apart).
QString RutaCategoria(const QStringList& nombres);

// The names of a category path: split at every "/" that is not part of
// "//", each "//" read as "/", names trimmed. The context at its head
// ("$course$", "$system$" ...) and Moodle's own "top" category under it are
// left out.
QStringList PartirRutaCategoria(const QString& ruta);

// GIFT text with its special characters escaped: "\" as "\\", and
// "~ = # { } :" with a backslash before them; a line break as "\n".
QString EscaparGift(const QString& texto);

// The Moodle XML file of the questions, a category question before every
// question whose category differs from the one before it. Numbers use a
// decimal point.
QByteArray EscribirXmlMoodle(const std::vector<TPreguntaMoodle>& preguntas);

// The GIFT file of the questions (UTF-8). Multiple-choice and essay
// questions are written; the images of their texts are left out and
// counted in imagenesOmitidas (an option that was an image alone reads
// "(imagen)").
QByteArray EscribirGift(const std::vector<TPreguntaMoodle>& preguntas,
                        int* imagenesOmitidas = nullptr);

// The number of category questions EscribirXmlMoodle writes.
int CategoriasEscritas(const std::vector<TPreguntaMoodle>& preguntas);

} // namespace brivo::moodle
