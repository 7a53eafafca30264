#pragma once
// Timing helpers shared by the benchmarks that race the program's zip code
// against Info-ZIP and 7-Zip.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <utility>

#include <sys/resource.h>
#include <time.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace brivo::bench {

// Best wall time in milliseconds of tarea over rondas rounds, preparar run
// untimed before each; a failed round ends the program.
inline double Mejor(int rondas, const std::function<void()>& preparar,
                    const std::function<bool()>& tarea) {
    double mejor = std::numeric_limits<double>::max();
    for (int i = 0; i < rondas; ++i) {
        preparar();
        QElapsedTimer reloj;
        reloj.start();
        if (!tarea()) {
            std::fprintf(stderr, "fallo en la tarea\n");
            std::exit(1);
        }
        mejor = std::min(mejor, reloj.nsecsElapsed() / 1e6);
    }
    return mejor;
}

// Processor time used so far by this process and by the programs it ran and
// waited for, in milliseconds. On a shared machine it tells a program's own
// work from the time spent waiting for a core.
inline double MsProcesador() {
    timespec propio{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &propio);
    rusage hijos{};
    getrusage(RUSAGE_CHILDREN, &hijos);
    auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0;
    };
    return double(propio.tv_sec) * 1000.0 + double(propio.tv_nsec) / 1e6 + ms(hijos.ru_utime) +
           ms(hijos.ru_stime);
}

// Best wall time and best processor time (both in milliseconds) of a task.
struct Tiempos {
    double pared = std::numeric_limits<double>::max();
    double procesador = std::numeric_limits<double>::max();
};

// Races two tasks over rondas rounds, alternating which one goes first, and
// keeps the best times of each; preparar runs untimed before each task. A
// failed round ends the program.
inline std::pair<Tiempos, Tiempos> Carrera(int rondas, const std::function<void()>& prepararA,
                                           const std::function<bool()>& tareaA,
                                           const std::function<void()>& prepararB,
                                           const std::function<bool()>& tareaB) {
    Tiempos a, b;
    auto medir = [](const std::function<void()>& preparar, const std::function<bool()>& tarea,
                    Tiempos& t) {
        preparar();
        const double cpu = MsProcesador();
        QElapsedTimer reloj;
        reloj.start();
        if (!tarea()) {
            std::fprintf(stderr, "fallo en la tarea\n");
            std::exit(1);
        }
        t.pared = std::min(t.pared, reloj.nsecsElapsed() / 1e6);
        t.procesador = std::min(t.procesador, MsProcesador() - cpu);
    };
    for (int i = 0; i < rondas; ++i) {
        if (i % 2 == 0) {
            medir(prepararA, tareaA, a);
            medir(prepararB, tareaB, b);
        } else {
            medir(prepararB, tareaB, b);
            medir(prepararA, tareaA, a);
        }
    }
    return {a, b};
}

// Runs an external program in carpeta; true when it ended normally with 0.
inline bool Ejecutar(const QString& programa, const QStringList& args, const QString& carpeta) {
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start(programa, args);
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace brivo::bench
