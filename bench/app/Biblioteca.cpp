#include "Biblioteca.h"

#include <QDir>

#include "Almacen.h"

namespace brivo::banco {

int CrearBiblioteca(const QString& carpeta, const TTamano& t) {
    QDir(carpeta).mkpath(QStringLiteral("Docs"));
    TAlmacen a;
    a.CarpetaPrograma = carpeta;
    for (int i = 1; i <= 100; ++i)
        a.ListaExamen[i] = -1;

    // Tree: the built-in "Útiles" branch, then the materias.
    a.Arbol.Vaciar();
    TNodo* utiles = a.Arbol.Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    const char* especiales[] = {"Modelos de pregunta", "Modelos de examen", "Exámenes",
                                "No asignados", "Todos"};
    for (int i = 0; i < 5; ++i)
        a.Arbol.Anadir(utiles, QString::fromUtf8(especiales[i]), QString::number(i + 1));
    static const char* nombres[] = {"Historia",  "Geografía", "Matemáticas", "Física", "Química",
                                    "Biología",  "Lengua",    "Literatura",  "Inglés", "Francés",
                                    "Filosofía", "Economía",  "Tecnología",  "Dibujo", "Música",
                                    "Latín",     "Griego",    "Informática"};
    int id = 1000;
    for (int m = 0; m < t.Materias; ++m) {
        const QString nombre =
            m < 18 ? QString::fromUtf8(nombres[m]) : QStringLiteral("Materia %1").arg(m + 1);
        TNodo* materia = a.Arbol.Anadir(nullptr, nombre, QString::number(++id));
        for (int te = 0; te < t.Temas; ++te) {
            TNodo* tema = a.Arbol.Anadir(materia, QStringLiteral("Tema %1").arg(te + 1),
                                         QString::number(++id));
            for (int c = 0; c < t.Contenidos; ++c)
                a.Arbol.Anadir(tema, QStringLiteral("Contenido %1.%2").arg(te + 1).arg(c + 1),
                               QString::number(++id));
        }
    }

    for (int i = 1; i <= t.Libros && i <= MaxLibros; ++i) {
        TLibro& l = a.Libros[i];
        l.Identificador = 100000 + i * 7;
        l.Titulo =
            QStringLiteral("%1 — curso %2").arg(QString::fromUtf8(nombres[(i - 1) % 18])).arg(i);
        l.Autor =
            QStringLiteral("Departamento de %1").arg(QString::fromUtf8(nombres[(i - 1) % 18]));
        l.Materia = QString::fromUtf8(nombres[(i - 1) % 18]);
        l.Carpeta = QStringLiteral("libro%1").arg(i);
        QDir(carpeta).mkpath(QStringLiteral("Docs/libro%1").arg(i));
    }

    // Documents spread over the first materia's places and the others.
    const auto& raices = a.Arbol.Raices();
    for (int k = 1; k <= t.Documentos && k <= MaxDocumentos; ++k) {
        TDocumento& d = a.Documentos[k];
        d.Numero = k;
        const int libros = std::max(1, std::min(t.Libros, MaxLibros));
        d.IdLibro = a.Libros[1 + (k - 1) % libros].Identificador;
        const TNodo* materia = raices[1 + (k - 1) % (raices.size() - 1)].get();
        const TNodo* tema =
            materia->Hijos.empty() ? nullptr : materia->Hijos[k % materia->Hijos.size()].get();
        const TNodo* contenido = tema && !tema->Hijos.empty() && k % 3 == 0
                                     ? tema->Hijos[k % tema->Hijos.size()].get()
                                     : nullptr;
        d.IdMateria = materia->Id();
        d.IdTema = tema ? tema->Id() : 0;
        d.IdContenido = contenido ? contenido->Id() : 0;
        d.Descripcion = QStringLiteral("Pregunta %1 sobre %2").arg(k).arg(materia->Texto);
        d.Dificultad = k % 10;
        d.Puntos = (k % 4) * 0.5 + 1;
        d.Tipo = k % 4;
        d.Respuesta = k % 4 == 1 ? QStringLiteral("b") : QString();
        d.Usos = k % 5;
        d.FechaCreacion = QStringLiteral("%1/03/2024").arg(1 + k % 28, 2, 10, QLatin1Char('0'));
        d.FechaUso = d.Usos ? QStringLiteral("15/05/2024") : QStringLiteral("01/01/1900");
    }
    a.LibroActivo = 1;
    a.GuardarLibreria();
    return a.Arbol.NumNodos();
}

} // namespace brivo::banco
