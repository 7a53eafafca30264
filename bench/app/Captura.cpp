// Screenshot of the main window for the README: a few books, documents and
// an exam list. Usage: captura_ventana <file.png>
#include <cstdio>

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeView>

#include "Aplicacion.h"
#include "Biblioteca.h"
#include "Main.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    brivo::TAplicacion aplicacion(argc, argv);
    aplicacion.CargarTraducciones();
    const QString salida =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("ventana.png");

    QTemporaryDir dir;
    const QString carpeta = dir.path() + "/";
    brivo::banco::TTamano tamano;
    tamano.Libros = 4;
    tamano.Documentos = 60;
    tamano.Materias = 5;
    tamano.Temas = 3;
    tamano.Contenidos = 2;
    brivo::banco::CrearBiblioteca(carpeta, tamano);

    brivo::TMainForm form(carpeta);
    form.show();
    form.FormActivate();
    form.resize(1100, 330);
    brivo::TAlmacen& a = form.Almacen();
    // A short exam list in the exam pane.
    const int lista[] = {3, 8, 13, 23};
    for (int i = 0; i < 4; ++i)
        a.ListaExamen[i + 1] = lista[i];
    form.ModeloGridExamen->PonerNumFilas(5);
    form.Arbol->expandToDepth(0);
    form.Arbol->expand(form.ModeloArbol->index(0, 0));
    QCoreApplication::processEvents();
    form.PonerAnchoPanel1(form.width() - 300);
    QCoreApplication::processEvents();
    const QPixmap imagen = form.grab();
    if (!imagen.save(salida)) {
        std::fprintf(stderr, "No se puede escribir %s\n", qPrintable(salida));
        return 1;
    }
    std::printf("%s: %dx%d\n", qPrintable(salida), imagen.width(), imagen.height());
    return 0;
}
