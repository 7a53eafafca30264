#pragma once
// LibreOffice as the office converter. The program starts its converter
// process (conversor-oficina.py, beside the program, run by the Python that
// has the UNO bridge), which starts LibreOffice without a window on a private
// profile in a temporary folder and converts one file per request, over UNO
// so that files protected with a password open. Requests and answers are one
// JSON object per line on the process's standard input and output.
//
// The process and LibreOffice run in a process group of their own: when a
// conversion passes its time limit, or the process dies, the whole group is
// killed and the next request starts a new one. Detener, the destructor, and
// the end of the program's own input (the program ended) close LibreOffice.
#include <memory>

#include <QByteArray>
#include <QJsonObject>

#include "ConversorOficina.h"

class QProcess;
class QTemporaryDir;

namespace brivo::oficina {

struct TConfiguracionLibreOffice {
    QString Python;  // interpreter with the UNO bridge (python3-uno)
    QString Guion;   // the converter process's script
    QString Soffice; // LibreOffice's program
    int MsArranque = 120000;
    int MsConversion = 60000;

    // Debian's python3 and soffice, and the script beside the running program.
    static TConfiguracionLibreOffice PorDefecto();
};

class TConversorLibreOffice final : public IConversorOficina {
public:
    explicit TConversorLibreOffice(
        TConfiguracionLibreOffice configuracion = TConfiguracionLibreOffice::PorDefecto());
    ~TConversorLibreOffice() override;
    TConversorLibreOffice(const TConversorLibreOffice&) = delete;
    TConversorLibreOffice& operator=(const TConversorLibreOffice&) = delete;

    TResultadoOficina Convertir(const TPeticionConversion& peticion) override;
    void Preparar() override;
    void Detener() override;

    bool EnMarcha() const;
    // Id of the converter process, leader of the group that holds
    // LibreOffice (0 when stopped).
    qint64 Proceso() const;
    // How many times the converter has been started.
    int Arranques() const { return arranques; }
    const TConfiguracionLibreOffice& Configuracion() const { return config; }

private:
    void Arrancar(const QString& archivo);
    // The next line of the process's output; false when the time runs out
    // or the process ends first.
    bool LeerLinea(QByteArray& linea, int milisegundos);
    QJsonObject LeerObjeto(int milisegundos, bool& aTiempo);
    [[noreturn]] void Fallar(MotivoFallo motivo, const QString& archivo, int milisegundos = 0);
    void Matar();

    TConfiguracionLibreOffice config;
    std::unique_ptr<QProcess> proceso;
    std::unique_ptr<QTemporaryDir> perfil;
    QByteArray pendiente;
    int arranques = 0;
};

} // namespace brivo::oficina
