#pragma once
// The command "Selección automática…" without its window: the checks of a
// blueprint, the choice, the report of every row that the teacher sees
// before anything is written, and the documents chosen appended to the exam
// list. The dialog gathers the rows and options and calls these; tests call
// them directly.
#include <vector>

#include <QString>

#include "Seleccion.h"

class QWidget;

namespace brivo {

// A node as the selection shows it: its texts from the materia down, joined
// by " / " ("Álgebra / Ecuaciones / Lineales"); empty for no node.
QString RutaNodo(const TNodo* nodo);

// The date "No usadas desde" starts at: the 1st of September that began the
// school year hoy lies in (the same year from September on, the year before
// until August).
QDate InicioDeCurso(const QDate& hoy);

// The nodes a row can name, in tree order.
std::vector<const TNodo*> NodosSeleccionables(const TArbol& arbol);

// The first row that cannot be used: its index (from 0) and the message,
// or -1 and no message when every row can be used. No rows at all is a
// fault of its own (index -1, with its message).
struct TFaltaFila {
    int Fila = -1;
    QString Mensaje;
    bool Hay() const { return !Mensaje.isEmpty(); }
};
TFaltaFila ComprobarFilas(const std::vector<TFilaSeleccion>& filas);

// The report of a choice, one line per row ("Fila 1, Álgebra: pedidas 5,
// encontradas 12, tomadas 5."), a row that could not be filled saying so,
// and a last line with what OK will do. Lines end in CR LF.
QString InformeSeleccion(const std::vector<TFilaSeleccion>& filas,
                         const TResultadoSeleccion& resultado);

// Shows the report and asks whether to write the choice: OK writes it,
// Cancel goes back to the blueprint. A choice that found nothing is only
// reported (false).
bool ConfirmarSeleccion(QWidget* padre, const std::vector<TFilaSeleccion>& filas,
                        const TResultadoSeleccion& resultado);

} // namespace brivo
