#include "Versiones.h"

#include <algorithm>
#include <map>

#include "Azar.h"
#include "Texto.h"

namespace brivo {

namespace {

// Up to this many different orders, the orders left are counted out and one
// is drawn among them; above it a shuffle is drawn again until it is new,
// which almost never takes a second draw.
constexpr std::uint64_t OrdenesContables = 720;

// The number of different orders of the list (its multinomial), or anything
// above OrdenesContables once it passes that.
std::uint64_t OrdenesPosibles(const std::vector<int>& lista) {
    std::map<int, int> veces;
    for (int k : lista)
        ++veces[k];
    std::uint64_t total = 1;
    std::uint64_t colocados = 0;
    for (const auto& [k, c] : veces) {
        // Ways to place c equal documents among colocados + c places: C(n, c).
        std::uint64_t binomial = 1;
        for (std::uint64_t i = 1; i <= static_cast<std::uint64_t>(c); ++i) {
            binomial = binomial * (colocados + i) / i; // exact at every step
            if (binomial > OrdenesContables)
                return OrdenesContables + 1;
        }
        colocados += static_cast<std::uint64_t>(c);
        total *= binomial;
        if (total > OrdenesContables)
            return OrdenesContables + 1;
    }
    return total;
}

bool Usado(const std::vector<std::vector<int>>& ordenes, const std::vector<int>& orden) {
    return std::find(ordenes.begin(), ordenes.end(), orden) != ordenes.end();
}

// An order of the list that no earlier version has.
std::vector<int> OrdenNuevo(const std::vector<int>& lista,
                            const std::vector<std::vector<int>>& ordenes, std::uint64_t posibles,
                            TAzar& azar) {
    if (posibles <= OrdenesContables) {
        std::vector<std::vector<int>> libres;
        std::vector<int> orden = lista;
        std::sort(orden.begin(), orden.end());
        do {
            if (!Usado(ordenes, orden))
                libres.push_back(orden);
        } while (std::next_permutation(orden.begin(), orden.end()));
        return libres[static_cast<size_t>(azar.Hasta(libres.size()))];
    }
    for (;;) {
        std::vector<int> orden = lista;
        azar.Barajar(orden);
        if (!Usado(ordenes, orden))
            return orden;
    }
}

} // namespace

TPlanVersiones PlanearVersiones(const std::vector<int>& lista, int versiones,
                                std::uint64_t semilla) {
    versiones = std::clamp(versiones, 1, MaxVersiones);
    TPlanVersiones plan;
    plan.Ordenes.push_back(lista);
    const std::uint64_t posibles = OrdenesPosibles(lista);
    TAzar azar(semilla);
    for (int v = 1; v < versiones; ++v) {
        if (static_cast<std::uint64_t>(v) < posibles)
            plan.Ordenes.push_back(OrdenNuevo(lista, plan.Ordenes, posibles, azar));
        else
            plan.Ordenes.push_back(plan.Ordenes[static_cast<size_t>(v) - posibles]);
    }
    plan.OrdenesDistintos =
        static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(versiones), posibles));
    return plan;
}

QString LetraVersion(int version) {
    return QString(QChar(u'A' + version));
}

QString TextoVersion(int version) {
    return QStringLiteral("Versión ") + LetraVersion(version);
}

int NumeroNuevoExamen(const TAlmacen& almacen) {
    int n = 0;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Numero > 0 && d.IdMateria == 1 && d.IdTema == 3)
            ++n;
    }
    return n + 1;
}

QString DescripcionExamen(int n, int version, int versiones) {
    const QString examen = QStringLiteral("Examen %1").arg(n);
    return versiones <= 1 ? examen : examen + QStringLiteral(" - ") + TextoVersion(version);
}

QString DescripcionHojaRespuestas(int n, int version, int versiones) {
    return versiones <= 1 ? QStringLiteral("Respuestas - Examen %1").arg(n)
                          : QStringLiteral("Respuestas - ") + TextoVersion(version);
}

int RegistrosNecesarios(int versiones, bool hojas) {
    versiones = std::clamp(versiones, 1, MaxVersiones);
    return hojas ? 2 * versiones : versiones;
}

int HuecosLibres(const TAlmacen& almacen) {
    int libres = 0;
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (almacen.Documentos[static_cast<size_t>(k)].Numero == 0)
            ++libres;
    return libres;
}

QString ComprobarHuecos(const TAlmacen& almacen, int versiones, bool hojas) {
    const int necesarios = RegistrosNecesarios(versiones, hojas);
    const int libres = HuecosLibres(almacen);
    if (necesarios <= libres)
        return {};
    const QString pide = SegunCantidad(necesarios, QStringLiteral("%1 documento nuevo"),
                                       QStringLiteral("%1 documentos nuevos"))
                             .arg(necesarios);
    const QString queda = libres == 0
                              ? QStringLiteral("no queda ningún hueco libre")
                              : SegunCantidad(libres, QStringLiteral("solo queda %1 hueco libre"),
                                              QStringLiteral("solo quedan %1 huecos libres"))
                                    .arg(libres);
    return QStringLiteral("Crear el examen necesita %1 y en la tabla de documentos %2. "
                          "No se ha creado nada.")
        .arg(pide, queda);
}

int RegistrarUsos(TAlmacen& almacen, const std::vector<int>& documentos, const QString& fecha) {
    int registrados = 0;
    for (int k : documentos) {
        if (k < 1 || k > MaxDocumentos)
            continue;
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Numero != k)
            continue;
        d.Usos = d.Usos + 1;
        d.FechaUso = fecha;
        ++registrados;
    }
    return registrados;
}

} // namespace brivo
