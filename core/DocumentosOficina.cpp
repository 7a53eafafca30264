#include "DocumentosOficina.h"

#include <algorithm>

#include <QFileInfo>

#include "Errores.h"

namespace brivo {

namespace {

// The book of a used document, checked.
TLibro LibroDelDocumento(const TAlmacen& almacen, int numero) {
    if (numero < 1 || numero > MaxDocumentos || !almacen.Documentos[size_t(numero)].Usado())
        throw ErrorBrivo(QStringLiteral("No existe el documento %1.").arg(numero));
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[size_t(numero)].IdLibro);
    if (!libro.Usado())
        throw ErrorBrivo(
            QStringLiteral("El documento %1 no pertenece a ningún libro.").arg(numero));
    return libro;
}

QString Clave(const TLibro& libro) {
    return QString::number(libro.Identificador);
}

TDocumentoConvertido ConvertirUno(const TAlmacen& almacen, int numero,
                                  word::IConversionDocumentos& conversion) {
    TDocumentoConvertido d;
    d.Numero = numero;
    d.Ruta = RutaDocumento(almacen, numero);
    if (!QFileInfo(d.Ruta).isFile()) {
        d.Estado = EstadoConversion::SinArchivo;
        return d;
    }
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[size_t(numero)].IdLibro);
    try {
        const word::ResultadoConversionArchivo r =
            conversion.ConvertirAlFormatoPropio(d.Ruta, Clave(libro));
        d.Estado = r.Convertido ? EstadoConversion::Convertido : EstadoConversion::YaEnFormato;
        d.Formato = r.Formato;
        d.Copia = r.Copia;
    } catch (const word::ErrorSinConversor&) {
        throw;
    } catch (const ErrorBrivo& e) {
        d.Estado = EstadoConversion::Fallido;
        d.Motivo = e.Mensaje();
    } catch (const std::exception& e) {
        d.Estado = EstadoConversion::Fallido;
        d.Motivo = QString::fromLocal8Bit(e.what());
    }
    return d;
}

} // namespace

int TResultadoConversion::Cuantos(EstadoConversion estado) const {
    return int(
        std::count_if(Documentos.begin(), Documentos.end(),
                      [estado](const TDocumentoConvertido& d) { return d.Estado == estado; }));
}

TResultadoConversion ConvertirDocumentosLibros(const TAlmacen& almacen,
                                               word::IConversionDocumentos& conversion,
                                               const ProgresoConversion& progreso) {
    std::vector<int> numeros;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        if (almacen.Documentos[size_t(k)].Usado() && !RutaDocumento(almacen, k).isEmpty())
            numeros.push_back(k);
    }
    TResultadoConversion resultado;
    const int total = int(numeros.size());
    for (int i = 0; i < total; ++i) {
        if (progreso && !progreso(i + 1, total, numeros[size_t(i)])) {
            resultado.Cancelado = true;
            break;
        }
        resultado.Documentos.push_back(ConvertirUno(almacen, numeros[size_t(i)], conversion));
    }
    return resultado;
}

std::optional<word::FormatoExportacion> FormatoPorExtension(const QString& ruta) {
    const QString extension = QFileInfo(ruta).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return word::FormatoExportacion::Pdf;
    if (extension == QLatin1String("odt"))
        return word::FormatoExportacion::Odt;
    if (extension == QLatin1String("docx"))
        return word::FormatoExportacion::Docx;
    if (extension == QLatin1String("doc"))
        return word::FormatoExportacion::Doc;
    if (extension == QLatin1String("html") || extension == QLatin1String("htm"))
        return word::FormatoExportacion::Html;
    return std::nullopt;
}

QString MensajeExtensionExportacion(const QString& salida) {
    return QStringLiteral("No se puede exportar a \"%1\": la extensión debe ser "
                          ".pdf, .odt, .docx, .doc o .html.")
        .arg(salida);
}

void ExportarDocumentoNumero(const TAlmacen& almacen, int numero, const QString& salida,
                             word::IConversionDocumentos& conversion, const QString& claveSalida) {
    const TLibro libro = LibroDelDocumento(almacen, numero);
    const std::optional<word::FormatoExportacion> formato = FormatoPorExtension(salida);
    if (!formato)
        throw ErrorBrivo(MensajeExtensionExportacion(salida));
    conversion.ExportarArchivo(RutaDocumento(almacen, numero), Clave(libro), salida, *formato,
                               claveSalida);
}

void ExportarDocumentoWord97(const TAlmacen& almacen, int numero, const QString& salida,
                             word::IConversionDocumentos& conversion) {
    const TLibro libro = LibroDelDocumento(almacen, numero);
    conversion.ExportarArchivo(RutaDocumento(almacen, numero), Clave(libro), salida,
                               word::FormatoExportacion::Doc,
                               libro.ClaveEnDoc ? Clave(libro) : QString());
}

} // namespace brivo
