#pragma once
// The office converter: turns a file of one office format into another one
// through LibreOffice's filters. One converter serves a whole batch or
// session; the program's is shared (ConversorOficina) and stopped when the
// application ends.
//
//   auto conversor = oficina::ConversorOficina();
//   TPeticionConversion p;
//   p.Entrada = "/tmp/x/entrada.doc";     // opened read-only
//   p.Salida = "/tmp/x/salida.html";       // written by the converter
//   p.Filtro = oficina::FiltroHtml;
//   p.Opciones = QStringLiteral("EmbedImages");
//   p.Clave = "123456";                    // used when the file asks for a password
//   TResultadoOficina r = conversor->Convertir(p);   // throws ErrorConversion
#include <memory>

#include <QString>

#include "Errores.h"
#include "ProcesadorTextos.h"

namespace brivo::oficina {

// Export filters of LibreOffice Writer that the program uses.
inline const QString FiltroHtml = QStringLiteral("HTML (StarWriter)");
inline const QString FiltroWord97 = QStringLiteral("MS Word 97");
inline const QString FiltroWord2007 = QStringLiteral("MS Word 2007 XML");
inline const QString FiltroOdt = QStringLiteral("writer8");
inline const QString FiltroRtf = QStringLiteral("Rich Text Format");

// Built-in properties that travel with a converted document.
struct TPropiedadesOficina {
    QString Titulo;
    QString Asunto;
    QString Autor;
    QString Comentarios;
};

struct TPeticionConversion {
    QString Entrada;
    QString Salida;
    QString Filtro;
    QString Opciones; // the filter's options (empty: none)
    // Password tried when the input asks for one (a file that asks for none
    // opens without it).
    QString Clave;
    // Password of the output (Word 97–2003 and Word 2007+ only; empty: none).
    QString ClaveSalida;
    // Written into the output when set.
    bool PonerPropiedades = false;
    TPropiedadesOficina Propiedades;
    // The file named in messages (the user's file, not a temporary copy).
    QString NombreParaMensajes;
};

struct TResultadoOficina {
    bool Cifrado = false;            // the input needed its password
    TPropiedadesOficina Propiedades; // those of the input
};

// A missing LibreOffice (or bridge) is word::ErrorSinConversor, not one of these.
enum class MotivoFallo {
    Arranque, // LibreOffice did not start
    Clave,    // the file needs a password and the one given is not right
    Danado,   // the file is damaged or not a document
    Abrir,    // LibreOffice could not open the file
    Guardar,  // LibreOffice could not write the output
    Tiempo,   // the time limit ran out; the converter was stopped
    Caido,    // the converter stopped during the conversion
};

// A failed conversion. The converter is usable again afterwards (a stopped one
// starts again on the next request).
class ErrorConversion : public ErrorBrivo {
public:
    ErrorConversion(MotivoFallo motivo, const QString& mensaje)
        : ErrorBrivo(mensaje), causa(motivo) {}
    MotivoFallo Motivo() const noexcept { return causa; }

private:
    MotivoFallo causa;
};

// Exact texts of the failures that the user sees.
QString MensajeFallo(MotivoFallo motivo, const QString& archivo, int segundos = 0);

class IConversorOficina {
public:
    virtual ~IConversorOficina() = default;
    // Converts one file, with a time limit. Throws ErrorConversion, or
    // word::ErrorSinConversor when LibreOffice or its bridge is missing.
    virtual TResultadoOficina Convertir(const TPeticionConversion& peticion) = 0;
    // Starts the converter now if it is not running (a warm converter makes
    // the first conversion as fast as the next ones). Throws like Convertir.
    virtual void Preparar() = 0;
    // Stops the converter; the next conversion starts it again.
    virtual void Detener() = 0;
};

// The converter that the whole program uses: LibreOffice with the default
// settings, created on first use and stopped when the application ends.
std::shared_ptr<IConversorOficina> ConversorOficina();

// Replaces the shared converter (tests and tools; null goes back to the
// default one). The one replaced is stopped when nothing else holds it.
void EstablecerConversorOficina(std::shared_ptr<IConversorOficina> conversor);

} // namespace brivo::oficina
