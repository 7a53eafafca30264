#pragma once
// The topic tree (materia, tema, contenido) as a plain model, with its binary
// file format (Arbol.tvw / Arbol0.tvw). The main window's tree view shows this
// model through an item-model adapter; all mutations go through TArbol so
// that identifiers and places stay consistent.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

namespace brivo {

class TArbol;

// A document's place: the identifiers of its materia, tema and contenido.
struct TLugar {
    std::int32_t Materia = 0;
    std::int32_t Tema = 0;
    std::int32_t Contenido = 0;
    bool operator==(const TLugar&) const = default;
};

struct TNodo {
    QString Texto;
    QString Identificador; // first data string: decimal digits
    QString Dato2;         // second data string, always empty in practice
    std::int32_t Imagen = 0;
    std::int32_t ImagenSeleccion = 0;
    std::int32_t ImagenEstado = -1;
    std::int32_t Superpuesta = -1;
    std::uint8_t TipoCasilla = 0;
    bool Marcada = false;
    bool Atenuada = false;
    std::int32_t Datos = 0;

    TNodo* Padre = nullptr;
    std::vector<std::unique_ptr<TNodo>> Hijos;
    const TArbol* Arbol = nullptr; // the tree that holds the node (its top-level siblings)

    int Nivel() const;  // number of ancestors
    int Id() const;     // identifier as a number, -1 when it is not one
    int Indice() const; // position among its siblings
    TNodo* PrimerHijo() const { return Hijos.empty() ? nullptr : Hijos.front().get(); }
    TNodo* SiguienteHermano() const;
};

class TArbol {
public:
    TArbol();
    ~TArbol();
    TArbol(const TArbol&) = delete;
    TArbol& operator=(const TArbol&) = delete;

    const std::vector<std::unique_ptr<TNodo>>& Raices() const { return raices; }
    bool Vacio() const { return raices.empty(); }
    int NumNodos() const;

    // The tree the window holds before any file is read.
    void CargarInicial();
    void Vaciar();

    // Appends a node as the last child of padre (nullptr: a new top-level node).
    TNodo* Anadir(TNodo* padre, const QString& texto, const QString& identificador);
    // Inserts at a position among the siblings (for the item-model adapter).
    TNodo* Insertar(TNodo* padre, int posicion, const QString& texto, const QString& identificador);
    // Deletes the node and all its descendants.
    void Borrar(TNodo* nodo);

    // Depth-first, each node before its children, siblings in order.
    void Recorrer(const std::function<void(TNodo*)>& visita) const;
    std::vector<TNodo*> EnOrden() const;

    TLugar LugarDeNodo(const TNodo* nodo) const;
    // Texts of the materia, tema and contenido of a place; empty where not found.
    void NombresDeLugar(const TLugar& lugar, QString& materia, QString& tema,
                        QString& contenido) const;
    // The node that a place names, or nullptr (matched level by level).
    TNodo* NodoDeLugar(const TLugar& lugar) const;
    bool ExisteIdentificador(const QString& identificador) const;
    // A fresh nine-digit identifier that no node of the tree carries.
    QString NuevoIdNodo() const;

    // File format. Cargar throws ErrorBrivo: "No se puede abrir el archivo %s"
    // (tree unchanged), "Error de lectura" (nodes read so far stay), or a
    // message for a damaged file. Guardar throws "No se puede crear el archivo
    // %s" or an input/output error; it writes atomically.
    void Cargar(const QString& ruta);
    void Guardar(const QString& ruta) const;
    QByteArray Serializar() const;
    void Deserializar(const QByteArray& datos); // same failures as Cargar
    // The same, naming the file in the message for a damaged file.
    void Deserializar(const QByteArray& datos, const QString& nombre);

    // Deepest level a file may hold; deeper nesting marks the file as damaged.
    static constexpr int MaxNivelArchivo = 64;
    // Most nodes a file may hold (a real tree has a few thousand); more mark
    // the file as damaged, so a hostile file cannot fill the memory with
    // nodes nor make the merge of an imported tree take hours.
    static constexpr int MaxNodosArchivo = 100000;

    // Special nodes.
    static bool EsUtiles(const TNodo* n);       // level 0, identifier 1
    static bool EsHijoDeUtiles(const TNodo* n); // level 1 under "Útiles"
    static bool EsProtegido(const TNodo* n) { return EsUtiles(n) || EsHijoDeUtiles(n); }

private:
    std::vector<std::unique_ptr<TNodo>> raices;
};

} // namespace brivo
