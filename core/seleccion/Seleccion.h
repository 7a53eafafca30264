#pragma once
// Automatic choice of the questions of an exam from a blueprint. Each row asks
// for so many documents filed under a tree node (a materia, tema or contenido
// with everything below it), within a range of difficulty and of one type. The
// options leave out documents used since a date, allow at most one document of
// each similarity group in the whole exam, and prefer the least used ones; the
// remaining ties are broken by a shuffle drawn from a seed, so the same seed
// on the same library always gives the same choice. Choosing changes nothing;
// AnadirElegidosAListaExamen appends the result to the exam list.
#include <cstdint>
#include <vector>

#include <QDate>
#include <QString>

#include "Almacen.h"

namespace brivo {

// Type of a row: any, or the document type it asks for (1 "Test", 2 "Prob",
// 3 "Preg").
constexpr int TipoCualquiera = 0;
constexpr int TipoTest = 1;
constexpr int TipoMaximo = 3;
constexpr int DificultadMinima = 0;
constexpr int DificultadMaxima = 9;

struct TFilaSeleccion {
    const TNodo* Nodo = nullptr; // materia, tema or contenido
    int DificultadDesde = DificultadMinima;
    int DificultadHasta = DificultadMaxima;
    int Tipo = TipoCualquiera;
    int Cantidad = 1; // 1..MaxExamen
};

struct TOpcionesSeleccion {
    // Identificador of the book whose documents are chosen (the active book);
    // 0 chooses nothing.
    std::int32_t IdLibro = 0;
    // "No usadas desde": documents whose FechaUso is this date or later are
    // left out. An invalid date sets no limit.
    QDate NoUsadasDesde;
    // At most one document of each similarity group (same non-zero
    // Similitud) in the whole exam, the documents already listed included.
    bool UnaPorGrupo = false;
    // Fewest Usos first, then the oldest FechaUso, the seed's shuffle among
    // equals; off: the seed's shuffle alone.
    bool PreferirMenosUsadas = true;
    std::uint64_t Semilla = 0;
    // Documents already in the exam list: never chosen again, and their
    // similarity groups count as taken.
    std::vector<int> YaEnExamen;
};

// What one row asked for and got.
struct TInformeFila {
    int Pedidas = 0;
    // Documents the row could take: those that pass every filter, with a
    // similarity group counted once when one per group is asked for.
    int Encontradas = 0;
    int Tomadas = 0;
    std::vector<int> Documentos; // taken, in the order they were chosen
    int Faltan() const { return Pedidas - Tomadas; }
};

struct TResultadoSeleccion {
    std::vector<int> Documentos; // every row's documents, row after row
    std::vector<TInformeFila> Filas;
    bool Completa() const;
};

// A node a row can name: a materia (level 0, identifier above 1), or a tema or
// contenido outside "Útiles". The special nodes never give questions.
bool NodoSeleccionable(const TNodo* nodo);
// Whether document d is filed under nodo, as the document grid lists the
// node: a materia holds every place with its identifier, a tema every place
// with its materia and its own identifier, a contenido its exact place.
// Documents of free slots and of the special nodes are never under a node.
bool DocumentoBajoNodo(const TNodo& nodo, const TDocumento& d);
// The documents under nodo, ascending: those the document grid lists for it
// (ElegirDocumentos); empty for a node that cannot be chosen.
std::vector<int> DocumentosBajoNodo(const TAlmacen& almacen, const TNodo* nodo);

// Empty when the row can be used, else the Spanish text that says what is
// wrong with it; numero is the row's number as the user sees it (1, 2, ...).
QString ComprobarFila(const TFilaSeleccion& fila, int numero);

// The day a FechaUso names, read as dd/MM/yyyy (day and month with one or two
// digits). Empty text and "01/01/1900" mean never used and give 1 January
// 1900; text that is not such a date gives an invalid QDate.
QDate LeerFechaUso(const QString& texto);

// The choice. Rows are filled in order; each takes, among the used documents
// of the book that lie under its node, have a difficulty within its range and
// its type, were not used since the date (a FechaUso that cannot be read
// counts as used at an unknown time, so such a document is left out when a
// date is given and comes after every readable date in the order) and were
// not taken by an earlier row or listed already, the first Cantidad in the
// order of the options, skipping documents of a group already taken. Exam
// models, exams and every other document of "Útiles" are never chosen. A row
// that ComprobarFila refuses takes nothing.
TResultadoSeleccion Seleccionar(const TAlmacen& almacen, const std::vector<TFilaSeleccion>& filas,
                                const TOpcionesSeleccion& opciones);

// The documents of the exam list in list order (entries above 0).
std::vector<int> DocumentosDeListaExamen(const TAlmacen& almacen);

// Appends the documents to the exam list in their order, after the entries it
// holds, as long as there is room in its MaxExamen entries; nothing else
// changes. Returns how many did not fit.
int AnadirElegidosAListaExamen(TAlmacen& almacen, const std::vector<int>& documentos);
// The message for documents that did not fit in the exam list; empty for 0.
QString MensajeElegidosSinSitio(int sinSitio);

} // namespace brivo
