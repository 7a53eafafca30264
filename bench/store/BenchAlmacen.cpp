// Load plus save of a full library (100 books, 500 documents, a tree of
// 2,000 nodes) in a temporary program folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include "Almacen.h"

using namespace brivo;

int main(int argc, char** argv) {
    const int vueltas = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Docs"));
    TAlmacen a;
    a.CarpetaPrograma = dir.path() + QLatin1Char('/');

    for (int i = 1; i <= MaxLibros; ++i) {
        TLibro& l = a.Libros[i];
        l.Identificador = 100000 + i * 7919 % 899999;
        l.Titulo = QStringLiteral("Libro de prueba número %1").arg(i);
        l.Autor = QStringLiteral("Autora %1").arg(i);
        l.Materia = QStringLiteral("Materia %1").arg(i);
        l.Comentario = QString(180, QLatin1Char('c'));
        l.Carpeta = QStringLiteral("Libro%1").arg(i);
    }
    // 100 materias x 4 temas x 4 contenidos = 2,000 nodes after the initial 9.
    a.Arbol.Vaciar();
    int nodos = 0;
    std::vector<QString> ids;
    for (int m = 0; m < 80 && nodos < 2000; ++m) {
        TNodo* mat =
            a.Arbol.Anadir(nullptr, QStringLiteral("Materia %1").arg(m), a.Arbol.NuevoIdNodo());
        ++nodos;
        for (int t = 0; t < 4 && nodos < 2000; ++t) {
            TNodo* tem =
                a.Arbol.Anadir(mat, QStringLiteral("Tema %1").arg(t), a.Arbol.NuevoIdNodo());
            ++nodos;
            for (int c = 0; c < 5 && nodos < 2000; ++c) {
                a.Arbol.Anadir(tem, QStringLiteral("Contenido %1").arg(c), a.Arbol.NuevoIdNodo());
                ++nodos;
            }
        }
    }
    for (int n = 1; n <= MaxDocumentos; ++n) {
        TDocumento& d = a.Documentos[n];
        d.Numero = n;
        d.Descripcion = QStringLiteral("Documento %1 de la colección de prueba").arg(n);
        d.Puntos = n / 3.0;
        d.FechaCreacion = QStringLiteral("08/12/2026");
        d.FechaUso = QStringLiteral("01/01/1900");
        d.IdLibro = a.Libros[1 + n % MaxLibros].Identificador;
        d.IdMateria = 2;
        d.Formato = QStringLiteral("DOC9");
    }
    a.LibroActivo = 1;
    a.GuardarLibreria(); // the files exist before the first timed round

    std::vector<double> ms, carga;
    for (int v = 0; v < vueltas; ++v) {
        TAlmacen b;
        b.CarpetaPrograma = a.CarpetaPrograma;
        const auto t0 = std::chrono::steady_clock::now();
        b.CargarLibreria();
        const auto tc = std::chrono::steady_clock::now();
        b.GuardarLibreria();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        carga.push_back(std::chrono::duration<double, std::milli>(tc - t0).count());
        if (b.Arbol.NumNodos() != nodos || !b.Libros[MaxLibros].Usado() ||
            !b.Documentos[MaxDocumentos].Usado()) {
            std::fprintf(stderr, "La biblioteca cargada no es la guardada\n");
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::sort(carga.begin(), carga.end());
    std::printf("Carga + guardado (100 libros, 500 documentos, %d nodos), %d vueltas:\n", nodos,
                vueltas);
    std::printf("  mediana %.2f ms, mínimo %.2f ms, máximo %.2f ms (objetivo < 20 ms)\n",
                ms[ms.size() / 2], ms.front(), ms.back());
    std::printf("  de ello, la carga: mediana %.2f ms; el resto es el guardado, que lleva cada "
                "archivo al disco antes de ponerlo en su sitio\n",
                carga[carga.size() / 2]);
    return 0;
}
