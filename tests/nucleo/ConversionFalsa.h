#pragma once
// A stand-in for the conversions of document files, over the files of the
// fake word processor (MotorFalso.h), for the office rules of the core
// library. By the content of a file read:
//   "SIN..."          LibreOffice is missing (word::ErrorSinConversor);
//   "MAL:<reason>"    the file cannot be read (ErrorBrivo with the reason);
//   a fake-engine file whose password is not the one given: "La contraseña
//                     no es correcta.";
//   anything else     read: an imported file becomes a fake-engine file with
//                     that text, an exported one a fake-engine file with the
//                     document's text, the output's password and the
//                     format's number as property 0.
// Every call is recorded.
#include <vector>

#include <QString>

#include "ProcesadorTextos.h"

namespace brivo::pruebas {

class TConversionFalsa : public word::IConversionDocumentos {
public:
    bool NecesitaConversion(const QString& ruta) const override;
    word::ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta,
                                                              const QString& clave) override;
    void ImportarArchivo(const QString& origen, const QString& clave, const QString& destino,
                         const QString& claveDestino) override;
    void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                         word::FormatoExportacion formato, const QString& claveSalida) override;

    struct Llamada {
        QString Origen, Clave, Destino, ClaveDestino;
        word::FormatoExportacion Formato = word::FormatoExportacion::Pdf;
    };
    std::vector<Llamada> Importaciones;
    std::vector<Llamada> Exportaciones;

private:
    // The text of a file read with clave, or the failure its content asks for.
    static QString Leer(const QString& ruta, const QString& clave);
};

} // namespace brivo::pruebas
