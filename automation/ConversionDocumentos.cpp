// The conversions of document files that batch work reaches through the
// automation interface, with the program's shared office converter.
#include "ExportacionDocumento.h"
#include "ImportacionOficina.h"

namespace brivo::word {

namespace {

class TConversionDocumentos final : public IConversionDocumentos {
public:
    bool NecesitaConversion(const QString& ruta) const override {
        return oficina::FormatoDeArchivo(ruta) != oficina::FormatoOficina::Ninguno;
    }
    ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta,
                                                        const QString& clave) override {
        return word::ConvertirAlFormatoPropio(ruta, clave, *oficina::ConversorOficina());
    }
    void ImportarArchivo(const QString& origen, const QString& clave, const QString& destino,
                         const QString& claveDestino) override {
        word::ImportarArchivo(origen, clave, destino, claveDestino, *oficina::ConversorOficina());
    }
    void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                         FormatoExportacion formato, const QString& claveSalida) override {
        word::ExportarArchivo(ruta, clave, salida, formato, claveSalida,
                              *oficina::ConversorOficina());
    }
};

} // namespace

std::unique_ptr<IConversionDocumentos> CrearConversionDocumentos() {
    return std::make_unique<TConversionDocumentos>();
}

} // namespace brivo::word
