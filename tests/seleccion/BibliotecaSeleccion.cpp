#include "BibliotecaSeleccion.h"

namespace brivo::pruebas {

void PrepararBiblioteca(TAlmacen& a) {
    a.Libros[1].Identificador = LibroA;
    a.Libros[1].Carpeta = QStringLiteral("libroa");
    a.Libros[2].Identificador = LibroB;
    a.Libros[2].Carpeta = QStringLiteral("librob");
    a.LibroActivo = 1;
    TArbol& t = a.Arbol;
    t.Vaciar();
    TNodo* utiles = t.Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    const char* especiales[] = {"Modelos de pregunta", "Modelos de examen", "Exámenes",
                                "No asignados", "Todos"};
    for (int i = 0; i < 5; ++i)
        t.Anadir(utiles, QString::fromUtf8(especiales[i]), QString::number(i + 1));
    TNodo* algebra = t.Anadir(nullptr, QStringLiteral("Álgebra"), QStringLiteral("2"));
    TNodo* ecuaciones = t.Anadir(algebra, QStringLiteral("Ecuaciones"), QStringLiteral("1"));
    t.Anadir(ecuaciones, QStringLiteral("Lineales"), QStringLiteral("1"));
    t.Anadir(ecuaciones, QStringLiteral("Cuadráticas"), QStringLiteral("2"));
    t.Anadir(algebra, QStringLiteral("Funciones"), QStringLiteral("2"));
    TNodo* historia = t.Anadir(nullptr, QStringLiteral("Historia"), QStringLiteral("7"));
    TNodo* media = t.Anadir(historia, QStringLiteral("Edad Media"), QStringLiteral("2"));
    t.Anadir(media, QStringLiteral("Reinos"), QStringLiteral("1"));
}

void PonerDocumento(TAlmacen& a, const TDocPrueba& p) {
    TDocumento& d = a.Documentos[static_cast<size_t>(p.Numero)];
    d = TDocumento{};
    d.Numero = p.Numero;
    d.Descripcion = QStringLiteral("Documento %1").arg(p.Numero);
    d.IdLibro = p.Libro;
    d.IdMateria = p.Lugar.Materia;
    d.IdTema = p.Lugar.Tema;
    d.IdContenido = p.Lugar.Contenido;
    d.Dificultad = p.Dificultad;
    d.Tipo = p.Tipo;
    d.Usos = p.Usos;
    d.FechaUso = p.FechaUso;
    d.Similitud = p.Similitud;
    d.FechaCreacion = QStringLiteral("01/02/2024");
}

const TNodo* Nodo(const TAlmacen& a, int materia, int tema, int contenido) {
    return a.Arbol.NodoDeLugar({materia, tema, contenido});
}

} // namespace brivo::pruebas
