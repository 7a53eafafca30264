#include "AplicacionPrueba.h"

#include <QApplication>
#include <QByteArray>

#include "Interaccion.h"

namespace brivo::pruebas {

namespace {

class TEntornoQt : public ::testing::Environment {
public:
    explicit TEntornoQt(const char* n) : nombre(n) {}
    void SetUp() override {
        // QApplication keeps argc and argv for its whole life.
        static int argc = 1;
        static QByteArray copia;
        static char* argv[] = {nullptr, nullptr};
        // Unscripted messages show real widgets, as in the program.
        ui::UsarPresentadorQt();
        if (QApplication::instance())
            return;
        copia = nombre;
        argv[0] = copia.data();
        new QApplication(argc, argv);
    }

private:
    QByteArray nombre;
};

} // namespace

::testing::Environment* RegistrarAplicacion(const char* nombre) {
    return ::testing::AddGlobalTestEnvironment(new TEntornoQt(nombre));
}

} // namespace brivo::pruebas
