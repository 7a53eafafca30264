#include "Azar.h"

#include <limits>

#include <QRandomGenerator>

namespace brivo {

std::uint64_t TAzar::Siguiente() {
    std::uint64_t z = (estado += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t TAzar::Hasta(std::uint64_t n) {
    if (n <= 1)
        return 0;
    // 2^64 mod n raw values at the bottom would make the low results a little
    // more likely; they are drawn again.
    const std::uint64_t umbral = (0 - n) % n;
    for (;;) {
        const std::uint64_t x = Siguiente();
        if (x >= umbral)
            return x % n;
    }
}

std::uint64_t NuevaSemilla() {
    return 1 + QRandomGenerator::system()->bounded(999999999u);
}

bool LeerSemilla(const QString& texto, std::uint64_t& semilla) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    std::uint64_t valor = 0;
    constexpr std::uint64_t maximo = std::numeric_limits<std::uint64_t>::max();
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        const auto cifra = static_cast<std::uint64_t>(c.unicode() - u'0');
        if (valor > (maximo - cifra) / 10)
            return false;
        valor = valor * 10 + cifra;
    }
    semilla = valor;
    return true;
}

QString MensajeSemillaNoValida() {
    return QStringLiteral("La semilla ha de ser un número entero sin signo, de 0 a "
                          "18446744073709551615.");
}

} // namespace brivo
