#pragma once
// Timing helpers shared by the benchmarks that race the program's zip code
// against Info-ZIP and 7-Zip.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

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

// Runs an external program in carpeta; true when it ended normally with 0.
inline bool Ejecutar(const QString& programa, const QStringList& args, const QString& carpeta) {
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start(programa, args);
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace brivo::bench
