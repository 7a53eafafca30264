#pragma once
// Runtime failures of the program (input/output, conversions, word processor,
// zip). They carry the exact Spanish text that the top-level handler shows.
#include <stdexcept>
#include <string>

#include <QString>

namespace brivo {

class ErrorBrivo : public std::runtime_error {
public:
    explicit ErrorBrivo(const QString& mensaje)
        : std::runtime_error(mensaje.toStdString()), texto(mensaje) {}
    const QString& Mensaje() const noexcept { return texto; }

private:
    QString texto;
};

// Input/output errors keep the system error number so that tests can tell them apart.
class ErrorES : public ErrorBrivo {
public:
    ErrorES(const QString& mensaje, int codigo) : ErrorBrivo(mensaje), numero(codigo) {}
    int Codigo() const noexcept { return numero; }

private:
    int numero;
};

} // namespace brivo
