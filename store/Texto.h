#pragma once
// Stored texts are single-byte Windows-1252; the interface works in Unicode.
// CadenaCorta<N> is the fixed-capacity "string[N]" field of the records: one
// length byte followed by N character bytes. Storing text into it converts to
// Windows-1252 (a character with no such form becomes '?') and cuts to N bytes
// silently.
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QDate>
#include <QString>

namespace brivo {

QByteArray ACp1252(const QString& texto);
QString DeCp1252(const QByteArray& bytes);
QString DeCp1252(const char* datos, int longitud);
// The text as a field of that capacity keeps it: converted to Windows-1252
// and cut to capacidad characters, read back.
QString TextoGuardable(const QString& texto, int capacidad);

// Messages that give a count agree with it: uno for exactly one, varios for
// any other count (0 included). The caller fills in the placeholders.
QString SegunCantidad(qint64 cantidad, const QString& uno, const QString& varios);

template <int N> struct CadenaCorta {
    static_assert(N > 0 && N <= 255);
    std::uint8_t Longitud = 0;
    char Datos[N] = {};

    static constexpr int Capacidad = N;

    // Significant bytes; a length byte above the capacity (damaged file) is
    // never trusted past the field.
    int Tamano() const { return Longitud > N ? N : Longitud; }
    QByteArray Bytes() const { return QByteArray(Datos, Tamano()); }
    QString Texto() const { return DeCp1252(Datos, Tamano()); }
    bool Vacia() const { return Tamano() == 0; }

    void AsignarBytes(const QByteArray& b) {
        const int n = b.size() > N ? N : static_cast<int>(b.size());
        std::memset(Datos, 0, N);
        std::memcpy(Datos, b.constData(), static_cast<size_t>(n));
        Longitud = static_cast<std::uint8_t>(n);
    }
    void Asignar(const QString& texto) { AsignarBytes(ACp1252(texto)); }
    void Vaciar() { AsignarBytes(QByteArray()); }
    CadenaCorta& operator=(const QString& texto) {
        Asignar(texto);
        return *this;
    }
    bool operator==(const CadenaCorta& o) const { return Bytes() == o.Bytes(); }
};

// Shortest decimal form with the Spanish comma: 8 -> "8", 9.5 -> "9,5".
QString NumeroCorto(double valor);
// Reads a number written with the Spanish comma (a point is accepted too);
// returns false when the text is not a number.
bool LeerNumero(const QString& texto, double& valor);

// Integer text from position desde to the end: an optional sign and at least
// one decimal digit, within 32 bits; false (valor untouched) otherwise.
bool EnteroDecimal(const QByteArray& texto, qsizetype desde, std::int32_t& valor);

// The system's short date format: dd/MM/yyyy.
QString FechaCorta(const class QDate& fecha);
QString Hoy();

} // namespace brivo
