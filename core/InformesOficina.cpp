#include "InformesOficina.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "Almacen.h"
#include "DocumentosOficina.h"
#include "ImportacionDocumentos.h"

namespace brivo {

namespace {

QString Relativa(const TAlmacen& almacen, const QString& ruta) {
    if (ruta.isEmpty())
        return ruta;
    return QDir::toNativeSeparators(QDir(almacen.CarpetaPrograma).relativeFilePath(ruta));
}

// "Documento 7 «Descripción» (Docs/Fisica/K000007.doc)".
QString Documento(const TAlmacen& almacen, const TDocumentoConvertido& d) {
    const QString descripcion = d.Numero >= 1 && d.Numero <= MaxDocumentos
                                    ? almacen.Documentos[size_t(d.Numero)].Descripcion.Texto()
                                    : QString();
    return QStringLiteral("Documento %1 «%2» (%3)")
        .arg(d.Numero)
        .arg(descripcion, Relativa(almacen, d.Ruta));
}

// "Título (n):" followed by one indented line per entry; nothing when empty.
void Grupo(QStringList& lineas, const QString& titulo, const QStringList& entradas) {
    if (entradas.isEmpty())
        return;
    if (!lineas.isEmpty())
        lineas << QString();
    lineas << QStringLiteral("%1 (%2):").arg(titulo).arg(entradas.size());
    for (const QString& e : entradas)
        lineas << QStringLiteral("    ") + e;
}

// "Título (n): 2, 3, 9." on one line; nothing when empty.
void Numeros(QStringList& lineas, const QString& titulo, const QStringList& numeros) {
    if (numeros.isEmpty())
        return;
    if (!lineas.isEmpty())
        lineas << QString();
    lineas << QStringLiteral("%1 (%2): %3.")
                  .arg(titulo)
                  .arg(numeros.size())
                  .arg(numeros.join(QStringLiteral(", ")));
}

// The documents ConvertirDocumentosLibros looks at.
int DocumentosConArchivo(const TAlmacen& almacen) {
    int n = 0;
    for (int k = 1; k <= MaxDocumentos; ++k)
        n += almacen.Documentos[size_t(k)].Usado() && !RutaDocumento(almacen, k).isEmpty();
    return n;
}

} // namespace

TInforme InformeConversion(const TAlmacen& almacen, const TResultadoConversion& r) {
    TInforme informe;
    informe.Titulo = QStringLiteral("Convertir documentos");
    QStringList convertidos, fallidos, enFormato, sinArchivo;
    for (const TDocumentoConvertido& d : r.Documentos) {
        switch (d.Estado) {
        case EstadoConversion::Convertido:
            convertidos << QStringLiteral("%1: era %2; el original está en %3.")
                               .arg(Documento(almacen, d), d.Formato, Relativa(almacen, d.Copia));
            break;
        case EstadoConversion::Fallido:
            fallidos << Documento(almacen, d) + QStringLiteral(": ") + d.Motivo;
            break;
        case EstadoConversion::YaEnFormato:
            enFormato << QString::number(d.Numero);
            break;
        case EstadoConversion::SinArchivo:
            sinArchivo << QString::number(d.Numero);
            break;
        }
    }
    informe.Resumen = QStringLiteral("Convertidos: %1. Ya en el formato del programa: %2. Sin "
                                     "archivo: %3. Con error: %4.")
                          .arg(convertidos.size())
                          .arg(enFormato.size())
                          .arg(sinArchivo.size())
                          .arg(fallidos.size());
    if (r.Cancelado) {
        const int quedan = DocumentosConArchivo(almacen) - int(r.Documentos.size());
        informe.Resumen +=
            SegunCantidad(quedan,
                          QStringLiteral("\nConversión cancelada: %1 documento queda sin revisar."),
                          QStringLiteral("\nConversión cancelada: %1 documentos quedan sin "
                                         "revisar."))
                .arg(quedan);
    } else if (r.Documentos.empty()) {
        informe.Resumen = QStringLiteral("No hay documentos que convertir.");
    }
    QStringList lineas;
    Grupo(lineas, QStringLiteral("Convertidos al formato del programa"), convertidos);
    Grupo(lineas, QStringLiteral("Con error (el archivo queda como estaba)"), fallidos);
    Numeros(lineas, QStringLiteral("Ya estaban en el formato del programa: documentos"), enFormato);
    Numeros(lineas, QStringLiteral("Todavía sin archivo: documentos"), sinArchivo);
    informe.Detalle = lineas.join(QLatin1Char('\n'));
    return informe;
}

TInforme InformeImportacion(const TAlmacen& almacen, const TResultadoImportacionDocumentos& r) {
    TInforme informe;
    informe.Titulo = TituloImportacion();
    QStringList importados, fallidos, sinSitio, pendientes;
    for (const TArchivoImportado& a : r.Archivos) {
        const QString archivo = QDir::toNativeSeparators(a.Archivo);
        switch (a.Estado) {
        case EstadoImportacion::Importado:
            importados << QStringLiteral("%1: documento %2 «%3»")
                              .arg(archivo)
                              .arg(a.Numero)
                              .arg(almacen.Documentos[size_t(a.Numero)].Descripcion.Texto());
            break;
        case EstadoImportacion::Fallido:
            fallidos << archivo + QStringLiteral(": ") + a.Motivo;
            break;
        case EstadoImportacion::SinSitio:
            sinSitio << archivo;
            break;
        case EstadoImportacion::Pendiente:
            pendientes << archivo;
            break;
        }
    }
    informe.Resumen = QStringLiteral("Importados: %1. Con error: %2.")
                          .arg(importados.size())
                          .arg(fallidos.size());
    if (!sinSitio.isEmpty())
        informe.Resumen += QStringLiteral("\nSin sitio: %1 (la tabla de documentos está llena: "
                                          "caben %2 documentos).")
                               .arg(sinSitio.size())
                               .arg(MaxDocumentos);
    if (r.Cancelado)
        informe.Resumen +=
            SegunCantidad(
                pendientes.size(),
                QStringLiteral("\nImportación cancelada: %1 archivo queda sin importar."),
                QStringLiteral("\nImportación cancelada: %1 archivos quedan sin importar."))
                .arg(pendientes.size());
    QStringList lineas;
    Grupo(lineas, QStringLiteral("Importados"), importados);
    Grupo(lineas, QStringLiteral("Con error"), fallidos);
    Grupo(lineas, QStringLiteral("Sin sitio en la tabla de documentos"), sinSitio);
    Grupo(lineas, QStringLiteral("Sin importar por la cancelación"), pendientes);
    informe.Detalle = lineas.join(QLatin1Char('\n'));
    return informe;
}

} // namespace brivo
