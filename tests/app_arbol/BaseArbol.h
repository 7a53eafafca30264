#pragma once
// A library for the tree, grid and properties tests:
//   Útiles (1) { Modelos de pregunta 1, Modelos de examen 2, Exámenes 3,
//                No asignados 4, Todos 5 }
//   Materia A (10) { Tema (20) { Contenido (30) }, Tema vacío (21) }
//   Materia B (11)
//   Materia C (12) { Tema C (22) }
// Documents: 1 (10,0,0), 2 (10,20,0), 3 (10,20,30), 4 (0,0,0),
// 5 (10,20,99) whose contenido was deleted, 6 (1,1,0) a question model,
// 7 (11,0,0) of another book, 8 (1,5,0), 9 (12,22,0), 40 (10,0,0).
#include <memory>

#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include "EntornoApp.h"

namespace brivo::pruebas {

class BaseArbol : public ::testing::Test {
protected:
    void SetUp() override;

    brivo::TAlmacen& A() { return form->Almacen(); }
    brivo::TDocumento& Doc(int k) { return form->Almacen().Documentos[k]; }
    brivo::TLugar Lugar(int k) {
        const auto& d = Doc(k);
        return {d.IdMateria, d.IdTema, d.IdContenido};
    }
    // The first node with that text (depth-first), nullptr when none.
    brivo::TNodo* Nodo(const QString& texto);
    // Selects a node (as a click in the tree does) and gives its rows.
    QList<int> Listados(const QString& texto);
    QList<int> FilasActuales();

    TCarpeta carpeta{false};
    brivo::ui::TGuion guion;
    std::unique_ptr<brivo::TMainForm> form;
};

} // namespace brivo::pruebas
