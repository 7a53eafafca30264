#pragma once
// Documents of the bank as questions of Moodle's question bank, written as a
// Moodle XML file or a GIFT file.
//
// Each document gives one question, filed under the category of its place in
// the tree ("$course$/materia/tema/contenido"; a place that no node has goes
// under "$course$/<title of its book>"). The question's name is the
// document's description, its text the question section ("#PREG") and its
// general feedback the comment section ("#COMENT"); the grade is the points
// (1 when there are none); the tags are "dificultad-N" and the type's name.
// A "Test" document whose question ends in options "a) …", "b) …" and whose
// answer is one of their letters is a multiple-choice question; any other
// document is an essay question with the answer and development sections as
// the grader's information. Documents are read with their book's identifier
// as password, opened read-only: nothing of the library is written.
//
// "Libros › Exportar a Moodle…" in the main window, after the permission
// check and the identifier prompt of the book export:
//
//   auto motor = word::CrearMotorIncrustado(); // an engine of its own: the
//   motor->Connect();                          // editor's documents stay as they are
//   const std::vector<int> documentos =
//       nodo ? moodle::DocumentosDeNodo(almacen, nodo, libro.Identificador)
//            : moodle::DocumentosDeLibro(almacen, libro.Identificador);
//   const auto formato = moodle::FormatoPorExtension(archivo); // or the dialog's filter
//   const moodle::TInformeExportacion informe = moodle::Exportar(
//       almacen, *motor, documentos, archivo, *formato,
//       [&](int n, int total, int) { progreso.setValue(n * 100 / total); return true; });
//   ui::Informacion(this, informe.Lineas().join("\r\n"));
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "Almacen.h"
#include "ProcesadorTextos.h"

namespace brivo::moodle {

enum class TFormato { Xml, Gift };

// Filters of the save dialog (Qt's form), Moodle XML first.
inline const QString FiltroExportacion = QStringLiteral("Moodle XML (*.xml);;GIFT (*.gift *.txt)");

// Moodle XML for ".xml", GIFT for ".gift" and ".txt" (in any case); none
// for any other extension.
std::optional<TFormato> FormatoPorExtension(const QString& ruta);

// Where an export goes, from the name chosen in the save dialog and the
// entry of FiltroExportacion chosen with it: a name whose extension names a
// format keeps it and that format; any other name takes the format of the
// entry (GIFT for the entry of "*.gift", else Moodle XML) and its extension
// (".xml" or ".gift") added.
struct TDestinoExportacion {
    QString Ruta;
    TFormato Formato = TFormato::Xml;
};
TDestinoExportacion DestinoExportacion(const QString& elegido, const QString& filtroElegido);

// The name the save dialog proposes: the BAK folder and the text given (a
// book's title, "examen"), with blanks and the characters no file name
// takes made "_", and ".xml".
QString ArchivoPropuesto(const TAlmacen& almacen, const QString& nombre);

// The documents of the exam list, in list order (entries of 0 or less skipped).
std::vector<int> DocumentosDeListaExamen(const TAlmacen& almacen);

// The documents of a book that are questions: used slots of the book in
// slot order, without question models, exam models and exams.
std::vector<int> DocumentosDeLibro(const TAlmacen& almacen, std::int32_t identificador);

// The documents the document grid lists for the node (every book's, in slot
// order), kept to those of the book and to questions as DocumentosDeLibro.
std::vector<int> DocumentosDeNodo(const TAlmacen& almacen, const TNodo* nodo,
                                  std::int32_t identificador);

// A document that did not go out as asked, and why.
struct TDocumentoInforme {
    int Numero = 0;
    QString Descripcion;
    QString Motivo;
};

struct TInformeExportacion {
    QString Archivo;
    TFormato Formato = TFormato::Xml;
    bool Escrito = false;   // the file was written (some question went out)
    bool Cancelado = false; // stopped by the progress callback; nothing written
    int OpcionMultiple = 0; // questions written as multichoice
    int Ensayo = 0;         // questions written as essay
    int Categorias = 0;
    int ImagenesOmitidas = 0;                      // GIFT: images left out
    std::vector<TDocumentoInforme> TestComoEnsayo; // "Test" documents written as essay
    std::vector<TDocumentoInforme> Fallos;         // documents that could not be read
    int Preguntas() const { return OpcionMultiple + Ensayo; }
    // The closing report, in Spanish, one line per entry.
    QStringList Lineas() const;
};

// Called before each document with its position n (from 1) among total and
// its number; false stops the export before it, and nothing is written.
using TProgreso = std::function<bool(int n, int total, int numero)>;

// Writes the documents (in the order given; a number repeated goes out once)
// as the file salida in the format given. The engine is connected when it is
// not (and disconnected again at the end); a fresh engine is best, since a
// document that it holds open already is read as it stands there and left
// open. A document that cannot be read (no such document, no book, its book
// does not allow export, no file, wrong password, damaged file) is reported
// in Fallos and the others still go out. When no question goes out, no file
// is written. Throws ErrorBrivo before reading anything when salida is
// empty or one of the library's own files, and when the file cannot be
// written.
TInformeExportacion Exportar(const TAlmacen& almacen, word::IAplicacionWord& word,
                             const std::vector<int>& documentos, const QString& salida,
                             TFormato formato, const TProgreso& progreso = {});

} // namespace brivo::moodle
