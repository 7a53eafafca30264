#pragma once
// Reading a Moodle XML file of questions. The file is taken for hostile: a
// document type declaration is refused (Qt's reader expands the entities it
// declares, so a few hundred bytes can stand for gigabytes of text), and the
// size of the file, the nesting and number of elements of a question, the
// length of its texts and of its files are bounded. What breaks the XML ends
// the reading with a Spanish message; what only spoils one question leaves
// that question out, with the reason.
#include <map>
#include <vector>

#include <QByteArray>
#include <QString>

#include "PreguntaMoodle.h"

namespace brivo::moodle {

// Bounds of what is read.
inline constexpr qint64 MaxBytesArchivoMoodle = 128LL * 1024 * 1024;
inline constexpr qsizetype MaxBytesTextoMoodle = 4 * 1024 * 1024;      // one text's HTML
inline constexpr qsizetype MaxBytesArchivoPregunta = 16 * 1024 * 1024; // one file, decoded
inline constexpr int MaxProfundidadPregunta = 16;
inline constexpr int MaxElementosPregunta = 20000;

// A question of the file that was left out.
struct TPreguntaOmitida {
    int Posicion = 0; // among the questions of the file (categories not counted), from 1
    QString Nombre;
    QString Motivo; // in Spanish, starting in lower case
};

struct TLecturaMoodle {
    // Questions of the types the program takes, in file order, each with
    // the category of the category question before it.
    std::vector<TPreguntaMoodle> Preguntas;
    std::vector<int> Posiciones;          // of each of Preguntas in the file
    std::map<QString, int> TiposOmitidos; // questions of other types, by type
    std::vector<TPreguntaOmitida> Omitidas;
    int ArchivosOmitidos = 0; // files not taken: too large, not base64, repeated
    int Total = 0;            // questions in the file, categories not counted
};

// The types taken: multichoice, truefalse, shortanswer, numerical, essay,
// description.
bool TipoAdmitido(const QString& tipo);

// Reads the file. Throws ErrorBrivo with a Spanish message when it cannot be
// read, is too large, is not well-formed XML, declares a document type or is
// not a <quiz> of questions.
TLecturaMoodle LeerXmlMoodle(const QString& ruta);

// The same on bytes; nombre names the file in messages.
TLecturaMoodle LeerXmlMoodle(const QByteArray& datos, const QString& nombre);

} // namespace brivo::moodle
