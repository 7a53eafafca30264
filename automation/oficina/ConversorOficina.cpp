#include "ConversorOficina.h"

#include <QCoreApplication>

#include "ConversorLibreOffice.h"
#include "TextosComunes.h"

namespace brivo::oficina {

namespace {

std::shared_ptr<IConversorOficina>& Compartido() {
    static std::shared_ptr<IConversorOficina> conversor;
    return conversor;
}

// Runs when the application object is destroyed: LibreOffice stops with it.
void DetenerCompartido() {
    std::shared_ptr<IConversorOficina> conversor = std::move(Compartido());
    Compartido().reset();
    if (conversor)
        conversor->Detener();
}

void VigilarFinal() {
    static bool registrado = false;
    if (!registrado && QCoreApplication::instance()) {
        qAddPostRoutine(DetenerCompartido);
        registrado = true;
    }
}

} // namespace

QString MensajeFallo(MotivoFallo motivo, const QString& archivo, int segundos) {
    switch (motivo) {
    case MotivoFallo::Arranque:
        return QStringLiteral("LibreOffice no ha podido ponerse en marcha para convertir "
                              "\"%1\".")
            .arg(archivo);
    case MotivoFallo::Clave:
        return QString::fromUtf8(textos::ContrasenaIncorrecta);
    case MotivoFallo::Danado:
        return QString::fromUtf8(textos::ArchivoDanado).arg(archivo);
    case MotivoFallo::Abrir:
        return QStringLiteral("LibreOffice no ha podido abrir el archivo \"%1\".").arg(archivo);
    case MotivoFallo::Guardar:
        return QStringLiteral("LibreOffice no ha podido guardar el archivo \"%1\".").arg(archivo);
    case MotivoFallo::Tiempo:
        return QStringLiteral("LibreOffice no ha terminado de convertir \"%1\" en %2 %3 y se ha "
                              "detenido.")
            .arg(archivo)
            .arg(segundos)
            .arg(segundos == 1 ? QStringLiteral("segundo") : QStringLiteral("segundos"));
    case MotivoFallo::Caido:
        return QStringLiteral("LibreOffice se ha cerrado mientras convertía \"%1\".").arg(archivo);
    }
    return {};
}

std::shared_ptr<IConversorOficina> ConversorOficina() {
    VigilarFinal();
    if (!Compartido())
        Compartido() = std::make_shared<TConversorLibreOffice>();
    return Compartido();
}

void EstablecerConversorOficina(std::shared_ptr<IConversorOficina> conversor) {
    VigilarFinal();
    std::shared_ptr<IConversorOficina> anterior = std::move(Compartido());
    Compartido() = std::move(conversor);
    if (anterior && anterior.use_count() == 1)
        anterior->Detener();
}

} // namespace brivo::oficina
