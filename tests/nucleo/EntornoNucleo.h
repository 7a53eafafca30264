#pragma once
// Shared pieces of the core tests: a QGuiApplication for the whole run (the
// busy cursor and the offscreen platform), a stand-in for the main window's
// panes, and a library in a scratch program folder with the fake word
// processor behind its document bank.
//
// The library of TBaseBanco:
//   Útiles (1) { Modelos de pregunta 1, Modelos de examen 2, Exámenes 3,
//                No asignados 4, Todos 5 }
//   Física (10) { Mecánica (20) }, Química (11)
//   Books: 1 "Física general" (123456, folder Fisica, active),
//          2 "Otro" (654321, folder otro).
#include <memory>
#include <vector>

#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Almacen.h"
#include "BancoDocumentos.h"
#include "DialogoUsuario.h"
#include "MotorFalso.h"
#include "VistaDocumentos.h"

#include "TextosQt.h"

namespace brivo::pruebas {

// The panes of a main window, without widgets: they list with ListarEnAlmacen
// and record what the operations asked of them.
class TVistaFalsa : public IVistaDocumentos {
public:
    explicit TVistaFalsa(TAlmacen& a) : almacen(a) {}

    QWidget* Ventana() override { return nullptr; }
    int AltoVentana() const override { return 200; }
    QRect Pantalla() const override { return {0, 0, 1068, 842}; }
    TNodo* NodoSeleccionado() const override { return seleccionado; }
    void SeleccionarNodo(TNodo* nodo) override;
    void ListarDocumentos(TNodo* nodo) override;
    void PonerFilaActiva(int fila) override { FilaActiva = fila; }
    void RepintarDocumentos() override { ++Repintados; }
    void ListaExamenCambiada() override { ++CambiosListaExamen; }
    void EditorCambiado(bool abierto) override { EstadosEditor.push_back(abierto); }

    TNodo* seleccionado = nullptr;
    const TBancoDocumentos* banco = nullptr;
    // What the operations asked.
    std::vector<bool> CreandoExamenAlSeleccionar; // one per selection
    int Listados = 0;
    int FilaActiva = 0;
    int Repintados = 0;
    int CambiosListaExamen = 0;
    std::vector<bool> EstadosEditor;

private:
    TAlmacen& almacen;
};

constexpr std::int32_t IdFisica = 123456;
constexpr std::int32_t IdOtro = 654321;

class TBaseBanco : public ::testing::Test {
protected:
    TBaseBanco();

    TNodo* Nodo(const QString& texto);
    // A used document of a book at a place (its file is not written).
    TDocumento& PonerDocumento(int k, std::int32_t idLibro, int m, int t, int c = 0);
    // Document k's file in its book's folder, with paragraphs separated by
    // "\n", encrypted with its book's identifier when cifrado.
    void EscribirDocumento(int k, const QString& texto, bool cifrado = false);
    QString Ruta(int k) const { return RutaDocumento(almacen, k); }
    QString Clave() const { return QString::number(IdFisica); }
    // The editor opened by the bank, as the command does.
    void AbrirEditor();

    QTemporaryDir carpeta;
    TAlmacen almacen;
    TVistaFalsa vista{almacen};
    TMotorFalso* motor = nullptr; // owned by the bank
    std::unique_ptr<TBancoDocumentos> banco;
    ui::TGuion guion;
};

// Texts of the messages recorded by a script.
QStringList TextosDe(const ui::TGuion& guion);

} // namespace brivo::pruebas
