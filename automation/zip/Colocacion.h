#pragma once
// Everything an extraction writes goes through one TColocacion: the folders it
// creates, the temporary files it fills and the files it moves into place,
// together with the files those replace. Unless Confirmar is called, the
// destructor undoes all of it in reverse order: replaced files get their old
// content back, placed and temporary files are removed, and the folders the
// extraction created are removed again. Paths are in the operating system's
// form (see RutaLocal).
#include <QByteArray>

#include <vector>

namespace brivo::zipinterno {

class TColocacion {
public:
    TColocacion() = default;
    TColocacion(const TColocacion&) = delete;
    TColocacion& operator=(const TColocacion&) = delete;
    ~TColocacion();

    // Creates the folder and its missing parents; returns 0 or an errno.
    int CrearCarpeta(const QByteArray& ruta);

    // Creates an empty temporary file inside carpeta, open for writing; its
    // path goes into ruta. Returns the descriptor, or -1 with errno set.
    int CrearTemporal(const QByteArray& carpeta, QByteArray& ruta);

    // Moves a temporary file made by CrearTemporal to destino. An existing
    // file there is kept aside until Confirmar, so it can be put back.
    // Returns 0 or an errno.
    int Colocar(const QByteArray& temporal, const QByteArray& destino);

    // The extraction succeeded: the replaced files are dropped and nothing
    // is undone any more.
    void Confirmar();

private:
    struct Colocado {
        QByteArray destino;
        QByteArray anterior; // the replaced file kept aside; empty when there was none
    };
    std::vector<QByteArray> carpetas;   // created, parents first
    std::vector<QByteArray> temporales; // created and not placed yet
    std::vector<Colocado> colocados;
    bool confirmada = false;

    void Deshacer();
};

} // namespace brivo::zipinterno
