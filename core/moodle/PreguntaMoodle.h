#pragma once
// Questions as Moodle's question bank keeps them, the common ground of the
// Moodle XML and GIFT files the program writes and of the Moodle XML files it
// reads. Texts are HTML; the images a text shows are files of that text,
// named in the HTML as "@@PLUGINFILE@@/" followed by the file's path and name.
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace brivo::moodle {

// Question types by Moodle's names.
inline const QString TipoCategoria = QStringLiteral("category");
inline const QString TipoOpcionMultiple = QStringLiteral("multichoice");
inline const QString TipoVerdaderoFalso = QStringLiteral("truefalse");
inline const QString TipoRespuestaCorta = QStringLiteral("shortanswer");
inline const QString TipoNumerica = QStringLiteral("numerical");
inline const QString TipoEnsayo = QStringLiteral("essay");
inline const QString TipoDescripcion = QStringLiteral("description");

// A file of a text: "@@PLUGINFILE@@" + Ruta + Nombre in the HTML.
struct TArchivoMoodle {
    QString Nombre;
    QString Ruta = QStringLiteral("/");
    QByteArray Datos;
};

struct TTextoMoodle {
    QString Html;
    std::vector<TArchivoMoodle> Archivos;
    bool Vacio() const { return Html.trimmed().isEmpty(); }
};

struct TRespuestaMoodle {
    TTextoMoodle Texto;
    double Fraccion = 0;     // percent of the grade: 100 right, 0 wrong
    QString Tolerancia;      // numerical answers
    TTextoMoodle Comentario; // feedback of this answer
};

struct TPreguntaMoodle {
    QString Tipo;
    QString Nombre;
    // The category below "$course$", one name per level.
    QStringList Categoria;
    TTextoMoodle Enunciado;     // questiontext
    TTextoMoodle Comentario;    // generalfeedback
    TTextoMoodle InfoCorrector; // graderinfo of an essay
    std::vector<TRespuestaMoodle> Respuestas;
    double Nota = 1;         // defaultgrade
    double Penalizacion = 0; // penalty
    bool Unica = true;       // single answer (multichoice)
    QStringList Etiquetas;
    int Documento = 0; // the document it came from (export), 0 when none
};

} // namespace brivo::moodle
