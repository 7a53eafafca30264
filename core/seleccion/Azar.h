#pragma once
// A pseudo-random generator that gives the same sequence on every compiler and
// platform, so that a seed always makes the same choice of questions and the
// same orders of an exam's versions. The raw numbers come from SplitMix64, a
// bounded draw rejects the few values that would favour the low results, and a
// shuffle is Fisher–Yates from the last position down. The standard library's
// distributions and std::shuffle are not used: their results differ between
// implementations.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <QString>

namespace brivo {

class TAzar {
public:
    explicit TAzar(std::uint64_t semilla) : estado(semilla) {}

    // The next raw 64-bit number.
    std::uint64_t Siguiente();
    // A number drawn uniformly from 0 to n - 1; n must be at least 1.
    std::uint64_t Hasta(std::uint64_t n);
    // Puts the elements in an order drawn uniformly among all orders.
    template <class T> void Barajar(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i) {
            const auto j = static_cast<std::size_t>(Hasta(i));
            std::swap(v[i - 1], v[j]);
        }
    }

private:
    std::uint64_t estado;
};

// A seed for a new choice, drawn from the system's random source: from 1 to
// 999999999, short enough to read out and type again.
std::uint64_t NuevaSemilla();

// A seed as the user types it: decimal digits only (blanks around them are
// ignored), from 0 to 18446744073709551615. False, with semilla untouched,
// for anything else.
bool LeerSemilla(const QString& texto, std::uint64_t& semilla);
// What the dialogs say of a seed that LeerSemilla refuses.
QString MensajeSemillaNoValida();

} // namespace brivo
