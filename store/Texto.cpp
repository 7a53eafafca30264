// Windows-1252 conversion, Spanish numbers and dates.
#include "Texto.h"

#include <cmath>

#include <QDate>
#include <QLocale>

namespace brivo {

namespace {

// Unicode value of the bytes 0x80..0x9F. The five positions that the code
// page leaves undefined keep their C1 control value, as the system's own
// conversion does, so that any byte survives a round trip.
constexpr char16_t TablaAlta[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteDe(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (TablaAlta[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray ACp1252(const QString& texto) {
    QByteArray salida;
    salida.reserve(texto.size());
    const int n = static_cast<int>(texto.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        if (c.isHighSurrogate() && i + 1 < n && texto.at(i + 1).isLowSurrogate()) {
            // One character outside the basic plane: no single-byte form.
            salida.append('?');
            ++i;
            continue;
        }
        salida.append(ByteDe(c.unicode()));
    }
    return salida;
}

QString DeCp1252(const char* datos, int longitud) {
    QString salida;
    if (longitud <= 0)
        return salida;
    salida.resize(longitud);
    QChar* destino = salida.data();
    for (int i = 0; i < longitud; ++i) {
        const auto b = static_cast<unsigned char>(datos[i]);
        destino[i] = (b >= 0x80 && b < 0xA0) ? QChar(TablaAlta[b - 0x80]) : QChar(char16_t(b));
    }
    return salida;
}

QString DeCp1252(const QByteArray& bytes) {
    return DeCp1252(bytes.constData(), static_cast<int>(bytes.size()));
}

QString TextoGuardable(const QString& texto, int capacidad) {
    return DeCp1252(ACp1252(texto).left(capacidad));
}

QString SegunCantidad(qint64 cantidad, const QString& uno, const QString& varios) {
    return cantidad == 1 ? uno : varios;
}

QString NumeroCorto(double valor) {
    if (!std::isfinite(valor))
        return std::isnan(valor) ? QStringLiteral("NAN")
                                 : (valor > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    QString t = QString::number(valor, 'g', 15);
    // Exponent form as the system prints it: 1E20, 1,5E-7.
    const qsizetype e = t.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantisa = t.left(e);
        QString exponente = t.mid(e + 1);
        bool negativo = exponente.startsWith(QLatin1Char('-'));
        if (exponente.startsWith(QLatin1Char('+')) || negativo)
            exponente.remove(0, 1);
        while (exponente.size() > 1 && exponente.startsWith(QLatin1Char('0')))
            exponente.remove(0, 1);
        t = mantisa + QLatin1Char('E') + (negativo ? QStringLiteral("-") : QString()) + exponente;
    }
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

bool LeerNumero(const QString& texto, double& valor) {
    QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    if (t.count(QLatin1Char(',')) + t.count(QLatin1Char('.')) > 1)
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    for (QChar c : t) {
        // Only digits, one separator, a sign and an exponent.
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
              c == QLatin1Char('+') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return false;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    valor = v;
    return true;
}

bool EnteroDecimal(const QByteArray& t, qsizetype i, std::int32_t& valor) {
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        negativo = t[i] == '-';
        ++i;
    }
    if (i >= t.size())
        return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        v = v * 10 + (t[i] - '0');
        if (v > (qint64(1) << 31))
            return false;
    }
    v = negativo ? -v : v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    valor = static_cast<std::int32_t>(v);
    return true;
}

QString FechaCorta(const QDate& fecha) {
    return fecha.toString(QStringLiteral("dd/MM/yyyy"));
}

QString Hoy() {
    return FechaCorta(QDate::currentDate());
}

} // namespace brivo
