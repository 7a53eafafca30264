#include "ArbolPrueba.h"

namespace brivo::pruebas {

void EmpezarConUtiles(TArbol& arbol) {
    arbol.Vaciar();
    TNodo* utiles = arbol.Anadir(nullptr, QStringLiteral("Útiles"), "1");
    int id = 1;
    for (const char* t :
         {"Modelos de pregunta", "Modelos de examen", "Exámenes", "No asignados", "Todos"})
        arbol.Anadir(utiles, QString::fromUtf8(t), QString::number(id++));
}

} // namespace brivo::pruebas
