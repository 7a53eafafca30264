// The automatic choice of questions over a full library: 500 documents of one
// book (every one a candidate) and a tree of about 2,000 nodes, five rows with
// every option on. Target: under 5 ms per choice. Also the nodes the selection
// dialog offers, the version plan of 25 questions in 4 versions, and
// "brivo2-datos seleccionar" end to end (reading the library included).
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "Almacen.h"
#include "Biblioteca.h"
#include "Listas.h"
#include "Seleccion.h"
#include "SeleccionAutomatica.h"
#include "Versiones.h"

using namespace brivo;

namespace {

struct TMedida {
    double mediana = 0;
    double p99 = 0; // 99th percentile: the odd run the shared machine delays is left out
    double maximo = 0;
};

template <typename F> TMedida Medir(int veces, F&& f) {
    std::vector<double> t;
    QElapsedTimer reloj;
    for (int i = 0; i < veces; ++i) {
        reloj.start();
        f(i);
        t.push_back(reloj.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return {t[t.size() / 2], t[t.size() * 99 / 100], t.back()};
}

const TNodo* Hijo(const TNodo* n, size_t i) {
    return n->Hijos[i].get();
}

// Reads the library the bench made in carpeta, with similarities that leave
// every third document apart.
void LeerBiblioteca(TAlmacen& a, const QString& carpeta) {
    a.CarpetaPrograma = carpeta;
    LeerLibros(a.Ruta(QStringLiteral("Libros.lst")), a);
    LeerDocumentos(a.Ruta(QStringLiteral("Docs.lst")), a);
    a.Arbol.Cargar(a.Ruta(QStringLiteral("Arbol.tvw")));
    for (int k = 1; k <= MaxDocumentos; ++k)
        a.Documentos[k].Similitud = k % 3 ? k % 37 : 0;
}

// The automatic choice of five rows with every option on, 2,000 times with a
// new seed each; prints wall and processor times and returns the former.
TMedida MedirSeleccion(const TAlmacen& a, int nodos) {
    const auto& raices = a.Arbol.Raices();
    const TNodo* historia = raices[1].get();
    const TNodo* geografia = raices[2].get();
    const std::vector<TFilaSeleccion> filas{
        {historia, 0, 9, 0, 10},
        {Hijo(historia, 3), 2, 8, 0, 5},
        {Hijo(Hijo(geografia, 1), 1), 0, 9, 0, 2},
        {raices[3].get(), 3, 6, 1, 20},
        {raices[4].get(), 0, 9, 0, 100},
    };
    TOpcionesSeleccion o;
    o.IdLibro = a.Libros[1].Identificador;
    o.NoUsadasDesde = QDate(2024, 6, 1); // leaves every document in
    o.UnaPorGrupo = true;
    std::size_t elegidos = 0;
    const std::clock_t cpu = std::clock();
    const TMedida seleccion = Medir(2000, [&](int i) {
        o.Semilla = static_cast<std::uint64_t>(i);
        elegidos += Seleccionar(a, filas, o).Documentos.size();
    });
    const double cpuMedia = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / 2000;
    std::printf("Biblioteca: %d documentos, %d nodos\n", MaxDocumentos, nodos);
    std::printf("Selección de 5 filas (media %.1f elegidos): mediana %.3f ms, p99 %.3f ms, "
                "máximo %.3f ms; procesador %.3f ms de media (objetivo < 5 ms)\n",
                double(elegidos) / 2000, seleccion.mediana, seleccion.p99, seleccion.maximo,
                cpuMedia);
    return seleccion;
}

// What the selection dialog lists for the node column: every node a row can
// name, by its path.
void MedirNodosDelDialogo(const TAlmacen& a) {
    std::size_t caracteres = 0;
    const TMedida nodosDialogo = Medir(200, [&](int) {
        for (const TNodo* n : NodosSeleccionables(a.Arbol))
            caracteres += static_cast<std::size_t>(RutaNodo(n).size());
    });
    std::printf("Nodos que ofrece el diálogo de selección (%zu, con su ruta): mediana %.3f ms, "
                "máximo %.3f ms\n",
                NodosSeleccionables(a.Arbol).size(), nodosDialogo.mediana, nodosDialogo.maximo);
}

// The plan of 4 versions of a list of 25 questions.
void MedirPlanDeVersiones() {
    std::vector<int> lista;
    for (int k = 1; k <= 25; ++k)
        lista.push_back(k * 7);
    const TMedida plan = Medir(2000, [&](int i) { PlanearVersiones(lista, 4, std::uint64_t(i)); });
    std::printf("Plan de 4 versiones de 25 preguntas: mediana %.3f ms, máximo %.3f ms\n",
                plan.mediana, plan.maximo);
}

// "brivo2-datos seleccionar" on the library in carpeta, the program started
// every time; a failed run ends the bench.
void MedirOrdenSeleccionar(const QString& carpeta, const TAlmacen& a) {
    const auto& raices = a.Arbol.Raices();
    const QString datos = QStringLiteral(BRIVO_CARPETA_PROGRAMA "/brivo2-datos");
    const QStringList args{
        carpeta,      QStringLiteral("seleccionar"),
        "--libro",    "1",
        "--fila",     QStringLiteral("%1:0-9:cualquiera:10").arg(raices[1]->Id()),
        "--fila",     QStringLiteral("%1:3-6:Test:20").arg(raices[3]->Id()),
        "--semilla",  "7",
        "--similitud"};
    const TMedida orden = Medir(20, [&](int) {
        QProcess p;
        p.start(datos, args);
        p.waitForFinished(60000);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() > 1) {
            std::fprintf(stderr, "brivo2-datos falló: %s\n", p.readAllStandardError().constData());
            std::exit(1);
        }
    });
    std::printf("brivo2-datos seleccionar (leer la biblioteca incluido): mediana %.1f ms, "
                "máximo %.1f ms\n",
                orden.mediana, orden.maximo);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacion(argc, argv);
    QTemporaryDir dir;
    const QString carpeta = dir.path() + QLatin1Char('/');
    banco::TTamano tamano;
    tamano.Libros = 1; // every document in the book the choice is made from
    const int nodos = banco::CrearBiblioteca(carpeta, tamano);

    TAlmacen a;
    LeerBiblioteca(a, carpeta);
    const TMedida seleccion = MedirSeleccion(a, nodos);
    MedirNodosDelDialogo(a);
    MedirPlanDeVersiones();
    MedirOrdenSeleccionar(carpeta, a);
    return seleccion.mediana < 5.0 ? 0 : 1;
}
