#pragma once
// Contents of the model documents shipped beside the program: "nuevodoc.doc"
// (a question with its four marker paragraphs) and "nuevoexamen.doc" (an exam
// heading with blanks to fill in).
#include <QString>

#include "ArchivoDocumento.h"

class QTextDocument;

namespace brivo::word {

inline const QString NombreModeloPregunta = QStringLiteral("nuevodoc.doc");
inline const QString NombreModeloExamen = QStringLiteral("nuevoexamen.doc");

void CrearModeloPregunta(QTextDocument& doc);
void CrearModeloExamen(QTextDocument& doc);

// Writes both models into carpeta (ending in "/" or not). Throws ErrorBrivo.
void EscribirModelos(const QString& carpeta);

} // namespace brivo::word
