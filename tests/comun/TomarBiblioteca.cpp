// Test helper: takes the lock of the library folder given as its argument,
// writes "tomada" (or "ocupada") on its standard output and holds the lock
// until it is killed.
#include <cstdio>

#include <QCoreApplication>
#include <QThread>

#include "Cerrojo.h"

int main(int argc, char** argv) {
    QCoreApplication aplicacion(argc, argv);
    if (argc != 2)
        return 2;
    brivo::TCerrojoBiblioteca cerrojo(QString::fromLocal8Bit(argv[1]));
    if (cerrojo.Tomar() != brivo::TCerrojoBiblioteca::Resultado::Tomado) {
        std::puts("ocupada");
        return 1;
    }
    std::puts("tomada");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(60);
}
