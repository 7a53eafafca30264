#pragma once
// The merge of an extracted book package into the library, in named steps
// that each leave their counts and notes in the result:
//
//   LeerPaquete          checks the book table and the folder name, reads the
//                        book record, the document records, the numbers of
//                        origin and the topic tree; nothing changes yet;
//   DecidirPlazas        the book's slot and folder, which document records
//                        the library already holds and the slot each new one
//                        takes (its own number when free, else the first
//                        free slot); still nothing changes;
//   MoverArchivos        a replaced book's files into its new folder, then
//                        the package's files into the book's folder under
//                        the names of their slots;
//   IncorporarRegistros  the new document records and the book record into
//                        the tables;
//   IncorporarNodos      the package's tree nodes into the main tree;
//   Informe              the closing notes of the counts.
//
// Incorporar runs them in this order and stops where a step fails. A step
// may be run on its own once the steps before it have run.
//
//   TIncorporacionPaquete inc(almacen, {carpeta, listas, archivos});
//   const TResultadoImportacion r = inc.Incorporar();
//   // r.Fin, r.DocumentosAnadidos ..., r.Avisos (lines for the user)
#include <cstdint>
#include <vector>

#include <QHash>
#include <QString>

#include "Arbol.h"
#include "Paquete.h"
#include "Registros.h"

namespace brivo {

class TAlmacen;

class TIncorporacionPaquete {
public:
    // A document record of the package and where it goes.
    struct TColocacion {
        TDocumento Doc;
        int NumeroPaquete = 0; // its Numero in the package (names its extracted file)
        int Origen = 0;        // the number its book knows it by
        int Slot = 0;          // local slot: the listed document's, or the one it takes
        bool Listado = false;  // the library holds it already (same book and origin)
    };

    TIncorporacionPaquete(TAlmacen& almacen, const TPaqueteExtraido& paquete,
                          const TOpcionesImportacion& opciones = {});
    // It points into itself (the package's tree).
    TIncorporacionPaquete(const TIncorporacionPaquete&) = delete;
    TIncorporacionPaquete& operator=(const TIncorporacionPaquete&) = delete;

    // False with Resultado().Fin set when the merge cannot go on:
    // TablaLibrosLlena, CarpetaNoValida, NoEsPaquete, IdentificadorNoValido.
    // An unreadable tree is only noted. Throws ErrorBrivo when a list that
    // exists cannot be read.
    bool LeerPaquete();
    // False (CarpetaNoValida) when no folder name is left for the book.
    bool DecidirPlazas();
    void MoverArchivos();
    void IncorporarRegistros();
    void IncorporarNodos();
    void Informe();

    // Every step in order.
    TResultadoImportacion Incorporar();

    const TResultadoImportacion& Resultado() const { return r; }
    // What LeerPaquete read and DecidirPlazas decided.
    const TLibro& Libro() const { return libro; }
    const std::vector<TDocumento>& Registros() const { return registros; }
    const QHash<int, int>& Origenes() const { return origenes; }
    const std::vector<TColocacion>& Colocaciones() const { return colocaciones; }

private:
    void DecidirCarpeta();
    void DecidirDocumentos();
    void ColocarNuevos();
    bool CarpetaOcupada(const QString& nombre) const;
    // The file a listed or placed document will have once merged ("" for
    // none), for the rule that no stray file takes its place.
    QString RutaFinal(int numero) const;

    TAlmacen& a;
    TPaqueteExtraido paquete;
    TOpcionesImportacion opciones;
    TResultadoImportacion r;

    TLibro libro;
    std::vector<TDocumento> registros;
    QHash<int, int> origenes;
    TArbol arbolLocal;
    TArbol* arbolPaquete = nullptr;
    bool hayArbol = false;

    int slotReemplazado = 0; // the book's slot when it is already in the table
    QString anterior;        // that book's folder before the merge
    std::vector<TColocacion> colocaciones;
};

} // namespace brivo
