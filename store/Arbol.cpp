// The topic tree and its binary file.
#include "Arbol.h"

#include <algorithm>

#include <QRandomGenerator>

#include "Archivos.h"
#include "Errores.h"
#include "Texto.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

constexpr int TamInfoFijo = 39;                  // information part without the text
constexpr int TamInfoMaximo = TamInfoFijo + 255; // longest information part

// Decimal text to a number, -1 when it is not one (blanks around it and a
// sign are accepted, as the runtime's conversion does).
int IdDeTexto(const QString& texto) {
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok, 10);
    if (!ok || texto.trimmed().isEmpty())
        return -1;
    return v;
}

void PonerEntero(QByteArray& b, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    char c[4];
    for (int i = 0; i < 4; ++i)
        c[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    b.append(c, 4);
}

std::int32_t LeerEntero(const char* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

void EscribirNodo(QByteArray& b, const TNodo& n) {
    const QByteArray texto = ACp1252(n.Texto).left(255);
    const QByteArray id = ACp1252(n.Identificador);
    const QByteArray dato2 = ACp1252(n.Dato2);
    PonerEntero(b, TamInfoFijo + static_cast<int>(texto.size()));
    PonerEntero(b, n.Imagen);
    PonerEntero(b, n.ImagenSeleccion);
    PonerEntero(b, n.ImagenEstado);
    PonerEntero(b, n.Superpuesta);
    b.append(static_cast<char>(n.TipoCasilla));
    b.append(static_cast<char>((n.Marcada ? 1 : 0) | (n.Atenuada ? 2 : 0)));
    PonerEntero(b, 0);
    PonerEntero(b, n.Datos);
    PonerEntero(b, static_cast<std::int32_t>(id.size()));
    PonerEntero(b, static_cast<std::int32_t>(dato2.size()));
    PonerEntero(b, static_cast<std::int32_t>(n.Hijos.size()));
    b.append(static_cast<char>(texto.size()));
    b.append(texto);
    b.append(id);
    b.append(dato2);
    for (const auto& h : n.Hijos)
        EscribirNodo(b, *h);
}

} // namespace

int TNodo::Nivel() const {
    int nivel = 0;
    for (const TNodo* p = Padre; p; p = p->Padre)
        ++nivel;
    return nivel;
}

int TNodo::Id() const {
    return IdDeTexto(Identificador);
}

int TNodo::Indice() const {
    if (!Padre && !Arbol)
        return -1; // a node that belongs to no tree
    const auto& hermanos = Padre ? Padre->Hijos : Arbol->Raices();
    for (size_t i = 0; i < hermanos.size(); ++i) {
        if (hermanos[i].get() == this)
            return static_cast<int>(i);
    }
    return -1;
}

TNodo* TNodo::SiguienteHermano() const {
    if (!Padre && !Arbol)
        return nullptr;
    const auto& hermanos = Padre ? Padre->Hijos : Arbol->Raices();
    const int i = Indice();
    if (i < 0 || i + 1 >= static_cast<int>(hermanos.size()))
        return nullptr;
    return hermanos[static_cast<size_t>(i + 1)].get();
}

TArbol::TArbol() {
    CargarInicial();
}

TArbol::~TArbol() = default;

int TArbol::NumNodos() const {
    int n = 0;
    Recorrer([&n](TNodo*) { ++n; });
    return n;
}

void TArbol::CargarInicial() {
    Vaciar();
    TNodo* utiles = Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    Anadir(utiles, QStringLiteral("Modelos de pregunta"), QStringLiteral("1"));
    Anadir(utiles, QStringLiteral("Modelos de examen"), QStringLiteral("2"));
    Anadir(utiles, QStringLiteral("Exámenes"), QStringLiteral("3"));
    Anadir(utiles, QStringLiteral("No asignados"), QStringLiteral("4"));
    Anadir(utiles, QStringLiteral("Todos"), QStringLiteral("5"));
    TNodo* materia = Anadir(nullptr, QString::fromUtf8(textos::NuevaMateria), QStringLiteral("2"));
    TNodo* tema = Anadir(materia, QString::fromUtf8(textos::NuevoTema), QStringLiteral("1"));
    Anadir(tema, QString::fromUtf8(textos::NuevoContenido), QStringLiteral("1"));
}

void TArbol::Vaciar() {
    raices.clear();
}

TNodo* TArbol::Anadir(TNodo* padre, const QString& texto, const QString& identificador) {
    const int fin = static_cast<int>(padre ? padre->Hijos.size() : raices.size());
    return Insertar(padre, fin, texto, identificador);
}

TNodo* TArbol::Insertar(TNodo* padre, int posicion, const QString& texto,
                        const QString& identificador) {
    auto& lista = padre ? padre->Hijos : raices;
    auto nodo = std::make_unique<TNodo>();
    nodo->Texto = texto;
    nodo->Identificador = identificador;
    nodo->Padre = padre;
    nodo->Arbol = this;
    TNodo* p = nodo.get();
    posicion = std::clamp(posicion, 0, static_cast<int>(lista.size()));
    lista.insert(lista.begin() + posicion, std::move(nodo));
    return p;
}

void TArbol::Borrar(TNodo* nodo) {
    if (!nodo)
        return;
    auto& lista = nodo->Padre ? nodo->Padre->Hijos : raices;
    auto it = std::find_if(lista.begin(), lista.end(),
                           [nodo](const std::unique_ptr<TNodo>& n) { return n.get() == nodo; });
    if (it != lista.end())
        lista.erase(it);
}

namespace {
void RecorrerDesde(TNodo* n, const std::function<void(TNodo*)>& visita) {
    visita(n);
    for (const auto& h : n->Hijos)
        RecorrerDesde(h.get(), visita);
}
} // namespace

void TArbol::Recorrer(const std::function<void(TNodo*)>& visita) const {
    for (const auto& r : raices)
        RecorrerDesde(r.get(), visita);
}

std::vector<TNodo*> TArbol::EnOrden() const {
    std::vector<TNodo*> nodos;
    Recorrer([&nodos](TNodo* n) { nodos.push_back(n); });
    return nodos;
}

TLugar TArbol::LugarDeNodo(const TNodo* nodo) const {
    TLugar l;
    if (!nodo)
        return l;
    switch (nodo->Nivel()) {
    case 0:
        l.Materia = nodo->Id();
        break;
    case 1:
        l.Materia = nodo->Padre->Id();
        l.Tema = nodo->Id();
        break;
    case 2:
        l.Materia = nodo->Padre->Padre->Id();
        l.Tema = nodo->Padre->Id();
        l.Contenido = nodo->Id();
        break;
    default:
        break;
    }
    return l;
}

namespace {
TNodo* BuscarEntre(const std::vector<std::unique_ptr<TNodo>>& lista, int id) {
    for (const auto& n : lista) {
        if (n->Id() == id)
            return n.get();
    }
    return nullptr;
}
} // namespace

void TArbol::NombresDeLugar(const TLugar& lugar, QString& materia, QString& tema,
                            QString& contenido) const {
    materia.clear();
    tema.clear();
    contenido.clear();
    if (lugar.Materia <= 0)
        return;
    const TNodo* m = BuscarEntre(raices, lugar.Materia);
    if (!m)
        return;
    materia = m->Texto;
    if (lugar.Tema <= 0)
        return;
    const TNodo* t = BuscarEntre(m->Hijos, lugar.Tema);
    if (!t)
        return;
    tema = t->Texto;
    if (lugar.Contenido <= 0)
        return;
    const TNodo* c = BuscarEntre(t->Hijos, lugar.Contenido);
    if (c)
        contenido = c->Texto;
}

TNodo* TArbol::NodoDeLugar(const TLugar& lugar) const {
    if (lugar.Materia <= 0)
        return nullptr;
    TNodo* n = BuscarEntre(raices, lugar.Materia);
    if (!n || lugar.Tema <= 0)
        return n;
    n = BuscarEntre(n->Hijos, lugar.Tema);
    if (!n || lugar.Contenido <= 0)
        return n;
    return BuscarEntre(n->Hijos, lugar.Contenido);
}

bool TArbol::ExisteIdentificador(const QString& identificador) const {
    bool existe = false;
    Recorrer([&](TNodo* n) {
        if (n->Identificador == identificador)
            existe = true;
    });
    return existe;
}

QString TArbol::NuevoIdNodo() const {
    for (;;) {
        const quint32 v = 100000000u + QRandomGenerator::system()->bounded(899000000u);
        const QString texto = QString::number(v);
        if (!ExisteIdentificador(texto))
            return texto;
    }
}

QByteArray TArbol::Serializar() const {
    QByteArray b;
    PonerEntero(b, static_cast<std::int32_t>(raices.size()));
    for (const auto& r : raices)
        EscribirNodo(b, *r);
    return b;
}

void TArbol::Deserializar(const QByteArray& datos) {
    Deserializar(datos, QString());
}

void TArbol::Deserializar(const QByteArray& datos, const QString& nombre) {
    Vaciar();
    const char* p = datos.constData();
    const qsizetype total = datos.size();
    qsizetype pos = 0;

    auto dano = [&nombre]() {
        return ErrorBrivo(nombre.isEmpty()
                              ? QStringLiteral("El árbol está dañado")
                              : QStringLiteral("El archivo %1 está dañado").arg(nombre));
    };
    auto tomar = [&](qsizetype n) {
        if (n < 0 || total - pos < n)
            throw ErrorBrivo(QStringLiteral("Error de lectura"));
        const char* q = p + pos;
        pos += n;
        return q;
    };

    const std::int32_t numRaices = LeerEntero(tomar(4));
    if (numRaices < 0)
        throw dano();

    // Explicit stack: one frame per open parent, with the children still to read.
    struct Marco {
        TNodo* padre;
        std::int32_t restantes;
        int nivel;
    };
    std::vector<Marco> pila{{nullptr, numRaices, 0}};
    int leidos = 0;
    while (!pila.empty()) {
        if (pila.back().restantes == 0) {
            pila.pop_back();
            continue;
        }
        --pila.back().restantes;
        if (++leidos > MaxNodosArchivo)
            throw dano();
        TNodo* padre = pila.back().padre;
        const int nivel = pila.back().nivel;

        const std::int32_t tam = LeerEntero(tomar(4));
        if (tam < TamInfoFijo || tam > TamInfoMaximo)
            throw dano();
        const char* info = tomar(tam);
        const int longitud = static_cast<unsigned char>(info[38]);
        if (TamInfoFijo + longitud > tam)
            throw dano();
        const std::int32_t largoId = LeerEntero(info + 26);
        const std::int32_t largoDato2 = LeerEntero(info + 30);
        const std::int32_t hijos = LeerEntero(info + 34);
        if (largoId < 0 || largoDato2 < 0 || hijos < 0)
            throw dano();
        const char* id = tomar(largoId);
        const char* dato2 = tomar(largoDato2);

        TNodo* n = Anadir(padre, DeCp1252(info + TamInfoFijo, longitud), DeCp1252(id, largoId));
        n->Dato2 = DeCp1252(dato2, largoDato2);
        n->Imagen = LeerEntero(info);
        n->ImagenSeleccion = LeerEntero(info + 4);
        n->ImagenEstado = LeerEntero(info + 8);
        n->Superpuesta = LeerEntero(info + 12);
        n->TipoCasilla = static_cast<std::uint8_t>(info[16]);
        n->Marcada = (info[17] & 1) != 0;
        n->Atenuada = (info[17] & 2) != 0;
        n->Datos = LeerEntero(info + 22);
        if (hijos > 0) {
            if (nivel + 1 > MaxNivelArchivo)
                throw dano();
            pila.push_back({n, hijos, nivel + 1});
        }
    }
    // Bytes after the last block are not part of the tree and are ignored.
}

void TArbol::Cargar(const QString& ruta) {
    QByteArray datos;
    const archivos::ResultadoLectura r = archivos::Leer(ruta, datos);
    if (!r.abierto)
        throw ErrorBrivo(QStringLiteral("No se puede abrir el archivo %1").arg(ruta));
    if (r.error != 0) {
        // Keep the nodes that the bytes read so far hold, then report the failure.
        try {
            Deserializar(datos, ruta);
        } catch (const ErrorBrivo&) {
        }
        throw archivos::ErrorDeSistema(r.error);
    }
    Deserializar(datos, ruta);
}

void TArbol::Guardar(const QString& ruta) const {
    const archivos::ResultadoEscritura r = archivos::EscribirSeguro(ruta, Serializar());
    if (r.alCrear)
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeCrearArchivo).arg(ruta));
    if (r.error != 0)
        throw archivos::ErrorDeSistema(r.error);
}

bool TArbol::EsUtiles(const TNodo* n) {
    return n && !n->Padre && n->Id() == 1;
}

bool TArbol::EsHijoDeUtiles(const TNodo* n) {
    return n && n->Padre && EsUtiles(n->Padre);
}

} // namespace brivo
