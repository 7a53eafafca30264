#pragma once
// The word-processor side of exam assembly: finding the sections of a question
// document by its marker paragraphs and appending the chosen sections to the
// exam after their labels. Everything goes through the automation interface,
// so any engine behind it gives the same exam.
#include <array>

#include <QString>

#include "Ajustes.h"
#include "ProcesadorTextos.h"

namespace brivo {

// The four sections of a question document, in the order they are searched.
enum SeccionExamen { SecPregunta = 0, SecDesarrollo = 1, SecRespuesta = 2, SecComentario = 3 };
constexpr int NumSecciones = 4;

// Marker paragraphs: "#PREG", "#DESA", "#RESP", "#COMENT".
const std::array<QString, NumSecciones>& MarcadoresSeccion();

// Find.Execute on the range with every match option off, the given direction,
// no wrap and no replacement; the result is Found. On success the range has
// become the match, on failure it is unchanged.
bool BuscarTexto(word::IRangoWord& rango, const QString& texto, bool adelante = true);

// Start and end positions of each section; -1 means absent.
struct TSecciones {
    std::array<int, NumSecciones> Inicio{-1, -1, -1, -1};
    std::array<int, NumSecciones> Fin{-1, -1, -1, -1};
    // A section exists when it starts and ends after its start.
    bool Existe(int seccion) const {
        return Inicio[seccion] != -1 && Fin[seccion] > Inicio[seccion];
    }
};

// The sections of a question document. A section starts at the first letter
// after its marker's paragraph (a document without "#PREG" has its question
// from its first letter) and ends with the last paragraph mark before the next
// marker present, the last one with the end of the text. A section whose end
// search finds no paragraph mark is absent.
TSecciones BuscarSecciones(word::IDocumentoWord& documento);

// TextoPregunta with its first "%" replaced by the question number.
QString EtiquetaPregunta(const QString& texto, int numero);

// Appends the sections that the options ask for to the end of the exam, each
// after its label; the question block starts with a paragraph break and its
// label takes the number n. Returns the next question number (n + 1 when the
// question label was written, else n). The sections travel through the
// system clipboard.
int AnadirSecciones(word::IDocumentoWord& examen, word::IDocumentoWord& documento,
                    const TSecciones& secciones, const TAjustes& opciones, int n);

} // namespace brivo
