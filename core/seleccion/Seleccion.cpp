#include "Seleccion.h"

#include <algorithm>
#include <limits>
#include <set>

#include "Azar.h"
#include "Listado.h"
#include "Texto.h"

namespace brivo {

namespace {

// The materia identifier of every document of "Útiles" (models, exams).
constexpr std::int32_t MateriaUtiles = 1;

// A node's level and place, read once per row instead of once per document.
struct TLugarNodo {
    int Nivel = -1; // -1: a node that cannot be chosen
    TLugar Lugar;
};

TLugarNodo LugarDe(const TNodo* nodo) {
    TLugarNodo l;
    if (!NodoSeleccionable(nodo))
        return l;
    l.Nivel = nodo->Nivel();
    const TNodo* n = nodo;
    std::int32_t ids[3] = {0, 0, 0};
    for (int nivel = l.Nivel; nivel >= 0; --nivel, n = n->Padre)
        ids[nivel] = n->Id();
    l.Lugar = {ids[0], ids[1], ids[2]};
    return l;
}

bool EnLugar(const TLugarNodo& l, const TDocumento& d) {
    if (l.Nivel < 0 || d.Numero <= 0 || d.IdMateria == MateriaUtiles)
        return false;
    switch (l.Nivel) {
    case 0:
        return d.IdMateria == l.Lugar.Materia;
    case 1:
        return d.IdMateria == l.Lugar.Materia && d.IdTema == l.Lugar.Tema;
    default:
        return d.IdMateria == l.Lugar.Materia && d.IdTema == l.Lugar.Tema &&
               d.IdContenido == l.Lugar.Contenido;
    }
}

// A FechaUso that cannot be read sorts after every date and is never older
// than a "No usadas desde" limit.
constexpr qint64 FechaIlegible = std::numeric_limits<qint64>::max();

struct TCandidato {
    int Numero = 0;
    std::int32_t Usos = 0;
    qint64 Fecha = 0; // Julian day of FechaUso
    std::int32_t Grupo = 0;
};

// One or two digits (day, month) or exactly four (year).
bool Cifras(QStringView t, int minimo, int maximo, int& valor) {
    if (t.size() < minimo || t.size() > maximo)
        return false;
    valor = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        valor = valor * 10 + (c.unicode() - u'0');
    }
    return true;
}

// The candidates of one row, in the order the row takes them from.
std::vector<TCandidato> CandidatosDeFila(const TAlmacen& almacen,
                                         const std::vector<TCandidato>& libro,
                                         const TFilaSeleccion& fila,
                                         const std::vector<char>& tomado,
                                         const std::set<std::int32_t>& grupos,
                                         const TOpcionesSeleccion& opciones, TAzar& azar) {
    std::vector<char> bajoNodo(MaxDocumentos + 1, 0);
    for (int k : DocumentosBajoNodo(almacen, fila.Nodo))
        bajoNodo[static_cast<size_t>(k)] = 1;
    std::vector<TCandidato> c;
    for (const TCandidato& b : libro) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(b.Numero)];
        if (tomado[static_cast<size_t>(b.Numero)] || !bajoNodo[static_cast<size_t>(b.Numero)] ||
            d.Dificultad < fila.DificultadDesde || d.Dificultad > fila.DificultadHasta ||
            (fila.Tipo != TipoCualquiera && d.Tipo != fila.Tipo) ||
            (opciones.UnaPorGrupo && b.Grupo != 0 && grupos.count(b.Grupo)))
            continue;
        c.push_back(b);
    }
    // The shuffle starts from ascending numbers, so the order depends on the
    // seed and the library alone.
    azar.Barajar(c);
    if (opciones.PreferirMenosUsadas)
        std::stable_sort(c.begin(), c.end(), [](const TCandidato& a, const TCandidato& b) {
            return a.Usos != b.Usos ? a.Usos < b.Usos : a.Fecha < b.Fecha;
        });
    return c;
}

} // namespace

bool TResultadoSeleccion::Completa() const {
    return std::all_of(Filas.begin(), Filas.end(),
                       [](const TInformeFila& f) { return f.Faltan() <= 0; });
}

bool NodoSeleccionable(const TNodo* nodo) {
    if (!nodo)
        return false;
    const int nivel = nodo->Nivel();
    if (nivel > 2)
        return false;
    const TNodo* raiz = nodo;
    while (raiz->Padre)
        raiz = raiz->Padre;
    if (raiz->Id() == MateriaUtiles)
        return false;
    // A level-0 node lists its documents only with an identifier above 1.
    return nivel > 0 || nodo->Id() > MateriaUtiles;
}

bool DocumentoBajoNodo(const TNodo& nodo, const TDocumento& d) {
    return EnLugar(LugarDe(&nodo), d);
}

std::vector<int> DocumentosBajoNodo(const TAlmacen& almacen, const TNodo* nodo) {
    std::vector<int> lista;
    if (!NodoSeleccionable(nodo))
        return lista;
    // What the document grid lists for the node, without "Útiles".
    int m = 0, t = 0;
    for (int k : ElegirDocumentos(almacen, nodo, m, t))
        if (almacen.Documentos[static_cast<size_t>(k)].IdMateria != MateriaUtiles)
            lista.push_back(k);
    return lista;
}

QString ComprobarFila(const TFilaSeleccion& fila, int numero) {
    const QString inicio = QStringLiteral("Fila %1: ").arg(numero);
    if (!fila.Nodo)
        return inicio + QStringLiteral("elija en el árbol una materia, un tema o un contenido.");
    if (!NodoSeleccionable(fila.Nodo))
        return inicio + QStringLiteral("«%1» no es una materia, un tema ni un contenido; elija "
                                       "otro nodo del árbol.")
                            .arg(fila.Nodo->Texto);
    if (fila.DificultadDesde < DificultadMinima || fila.DificultadHasta > DificultadMaxima ||
        fila.DificultadDesde > fila.DificultadHasta)
        return inicio + QStringLiteral("la dificultad va de 0 a 9, y «desde» no puede ser mayor "
                                       "que «hasta».");
    if (fila.Tipo < TipoCualquiera || fila.Tipo > TipoMaximo)
        return inicio + QStringLiteral("el tipo ha de ser cualquiera, «Test», «Prob» o «Preg».");
    if (fila.Cantidad < 1 || fila.Cantidad > MaxExamen)
        return inicio + QStringLiteral("la cantidad va de 1 a %1.").arg(MaxExamen);
    return {};
}

QDate LeerFechaUso(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return QDate(1900, 1, 1);
    const QList<QStringView> partes = QStringView(t).split(QLatin1Char('/'));
    int dia = 0, mes = 0, ano = 0;
    if (partes.size() != 3 || !Cifras(partes[0], 1, 2, dia) || !Cifras(partes[1], 1, 2, mes) ||
        !Cifras(partes[2], 4, 4, ano))
        return {};
    return QDate(ano, mes, dia); // invalid for a day that does not exist
}

TResultadoSeleccion Seleccionar(const TAlmacen& almacen, const std::vector<TFilaSeleccion>& filas,
                                const TOpcionesSeleccion& opciones) {
    TResultadoSeleccion r;
    std::vector<char> tomado(MaxDocumentos + 1, 0);
    std::set<std::int32_t> grupos; // similarity groups already in the exam
    for (int k : opciones.YaEnExamen) {
        if (k < 1 || k > MaxDocumentos)
            continue;
        tomado[static_cast<size_t>(k)] = 1;
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (opciones.UnaPorGrupo && d.Usado() && d.Similitud != 0)
            grupos.insert(d.Similitud);
    }

    // The book's documents that no row can refuse by place, difficulty or
    // type: used, outside "Útiles", not used since the date.
    const qint64 limite =
        opciones.NoUsadasDesde.isValid() ? opciones.NoUsadasDesde.toJulianDay() : FechaIlegible;
    std::vector<TCandidato> libro;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        // A document of no book (IdLibro 0) is never chosen, not even when no
        // book is given.
        if (d.Numero != k || d.IdLibro == 0 || d.IdLibro != opciones.IdLibro ||
            d.IdMateria == MateriaUtiles)
            continue;
        const QDate fecha = LeerFechaUso(d.FechaUso.Texto());
        const qint64 dia = fecha.isValid() ? fecha.toJulianDay() : FechaIlegible;
        if (opciones.NoUsadasDesde.isValid() && dia >= limite)
            continue;
        libro.push_back({k, d.Usos, dia, d.Similitud});
    }

    TAzar azar(opciones.Semilla);
    for (size_t i = 0; i < filas.size(); ++i) {
        const TFilaSeleccion& fila = filas[i];
        TInformeFila informe;
        informe.Pedidas = std::max(0, fila.Cantidad);
        if (!ComprobarFila(fila, static_cast<int>(i) + 1).isEmpty()) {
            r.Filas.push_back(informe);
            continue;
        }
        const std::vector<TCandidato> c =
            CandidatosDeFila(almacen, libro, fila, tomado, grupos, opciones, azar);
        // A group counts once among what the row could take.
        std::set<std::int32_t> gruposFila;
        for (const TCandidato& x : c)
            if (!opciones.UnaPorGrupo || x.Grupo == 0 || gruposFila.insert(x.Grupo).second)
                ++informe.Encontradas;
        gruposFila.clear();
        for (const TCandidato& x : c) {
            if (informe.Tomadas == informe.Pedidas)
                break;
            if (opciones.UnaPorGrupo && x.Grupo != 0 && !gruposFila.insert(x.Grupo).second)
                continue;
            tomado[static_cast<size_t>(x.Numero)] = 1;
            informe.Documentos.push_back(x.Numero);
            ++informe.Tomadas;
        }
        grupos.insert(gruposFila.begin(), gruposFila.end());
        r.Documentos.insert(r.Documentos.end(), informe.Documentos.begin(),
                            informe.Documentos.end());
        r.Filas.push_back(std::move(informe));
    }
    return r;
}

std::vector<int> DocumentosDeListaExamen(const TAlmacen& almacen) {
    std::vector<int> lista;
    for (int i = 1; i <= MaxExamen; ++i)
        if (almacen.ListaExamen[static_cast<size_t>(i)] > 0)
            lista.push_back(almacen.ListaExamen[static_cast<size_t>(i)]);
    return lista;
}

int AnadirElegidosAListaExamen(TAlmacen& almacen, const std::vector<int>& documentos) {
    // After the last entry that holds a document, so that nothing listed is
    // ever overwritten.
    int n = MaxExamen;
    while (n >= 1 && almacen.ListaExamen[static_cast<size_t>(n)] <= 0)
        --n;
    ++n;
    int sinSitio = 0;
    for (int k : documentos) {
        if (n > MaxExamen) {
            ++sinSitio;
            continue;
        }
        almacen.ListaExamen[static_cast<size_t>(n++)] = k;
    }
    return sinSitio;
}

QString MensajeElegidosSinSitio(int sinSitio) {
    if (sinSitio <= 0)
        return {};
    return SegunCantidad(sinSitio,
                         QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                        "%2 documento elegido no se ha añadido."),
                         QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                        "%2 documentos elegidos no se han añadido."))
        .arg(MaxExamen)
        .arg(sinSitio);
}

} // namespace brivo
