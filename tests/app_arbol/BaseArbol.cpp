#include "BaseArbol.h"

#include <QTableView>
#include <QTreeView>

#include "ArbolPrueba.h"
#include "ModeloArbol.h"

using namespace brivo;

namespace brivo::pruebas {

void BaseArbol::SetUp() {
    TArbol arbol;
    pruebas::EmpezarConUtiles(arbol);
    TNodo* a = arbol.Anadir(nullptr, "Materia A", "10");
    TNodo* tema = arbol.Anadir(a, "Tema", "20");
    arbol.Anadir(tema, "Contenido", "30");
    arbol.Anadir(a, QStringLiteral("Tema vacío"), "21");
    arbol.Anadir(nullptr, "Materia B", "11");
    TNodo* c = arbol.Anadir(nullptr, "Materia C", "12");
    arbol.Anadir(c, "Tema C", "22");
    arbol.Guardar(carpeta.Archivo("Arbol0.tvw"));

    Preparar(carpeta, [](TAlmacen& al) {
        PonerLibro(al, 1, 444444, "Uno", "uno");
        PonerLibro(al, 2, 555555, "Dos", "dos");
        PonerDocumento(al, 1, 444444, 10, 0, 0);
        PonerDocumento(al, 2, 444444, 10, 20, 0);
        PonerDocumento(al, 3, 444444, 10, 20, 30);
        PonerDocumento(al, 4, 444444, 0, 0, 0);
        PonerDocumento(al, 5, 444444, 10, 20, 99);
        PonerDocumento(al, 6, 444444, 1, 1, 0);
        PonerDocumento(al, 7, 555555, 11, 0, 0);
        PonerDocumento(al, 8, 444444, 1, 5, 0);
        PonerDocumento(al, 9, 444444, 12, 22, 0);
        PonerDocumento(al, 40, 444444, 10, 0, 0);
        al.Documentos[40].Puntos = 2.5;
        al.Documentos[40].Dificultad = 7;
        al.Documentos[40].Tipo = 2;
        al.Documentos[40].Usos = 3;
        al.Documentos[40].Similitud = 4;
        al.Documentos[40].Respuesta = QStringLiteral("b");
        al.LibroActivo = 1;
    });
    form = Arrancar(carpeta);
}

TNodo* BaseArbol::Nodo(const QString& texto) {
    TNodo* r = nullptr;
    form->Almacen().Arbol.Recorrer([&](TNodo* n) {
        if (!r && n->Texto == texto)
            r = n;
    });
    return r;
}

QList<int> BaseArbol::FilasActuales() {
    QList<int> r;
    const TAlmacen& a = form->Almacen();
    for (int i = 1; i <= a.NumListados; ++i)
        r << a.ListaPreg[i];
    EXPECT_EQ(form->GridPreg->model()->rowCount(), a.NumListados);
    return r;
}

QList<int> BaseArbol::Listados(const QString& texto) {
    TNodo* n = Nodo(texto);
    EXPECT_NE(n, nullptr) << texto.toStdString();
    // As a click in the tree: the view's current index changes.
    form->Arbol->setCurrentIndex(form->ModeloArbol->Indice(n));
    EXPECT_EQ(form->NodoSeleccionado(), n);
    return FilasActuales();
}

} // namespace brivo::pruebas
