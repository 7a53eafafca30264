#include "ExportarDocumento.h"

#include <QDir>
#include <QFileInfo>

#include "Almacen.h"
#include "BancoDocumentos.h"
#include "CursorOcupado.h"
#include "DialogoUsuario.h"
#include "DocumentosOficina.h"
#include "VistaDocumentos.h"

namespace brivo {

namespace {

// The folder of the last export, where the next save dialog starts.
QString& UltimaCarpeta() {
    static QString carpeta;
    return carpeta;
}

bool MismaRuta(const QString& a, const QString& b) {
    return !a.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

QString TituloExportacionDocumento() {
    return QStringLiteral("Exportar documento");
}

QString FiltroExportacionDocumento() {
    return QStringLiteral("PDF (*.pdf);;OpenDocument (*.odt);;Word 2007+ (*.docx);;"
                          "Word 97–2003 (*.doc);;HTML (*.html)");
}

bool FormatoConClave(word::FormatoExportacion formato) {
    return formato == word::FormatoExportacion::Doc || formato == word::FormatoExportacion::Docx;
}

QString PreguntaReemplazar(const QString& ruta) {
    return QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?")
        .arg(QDir::toNativeSeparators(ruta));
}

QString RutaSugerida(const QString& nombre) {
    QString limpio = nombre.trimmed();
    for (QChar& c : limpio) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    if (limpio.isEmpty() || limpio.startsWith(QLatin1Char('.')))
        limpio.prepend(QStringLiteral("documento"));
    const QString carpeta = UltimaCarpeta().isEmpty() ? QDir::homePath() : UltimaCarpeta();
    return QDir(carpeta).filePath(limpio + QStringLiteral(".pdf"));
}

std::optional<word::DestinoExportacion>
ElegirDestinoExportacion(QWidget* padre, const QString& nombre,
                         const TPedirClaveExportacion& pedirClave) {
    const QString ruta = ui::ArchivoParaExportar(
        padre, TituloExportacionDocumento(), RutaSugerida(nombre), FiltroExportacionDocumento());
    if (ruta.isEmpty())
        return std::nullopt;
    const std::optional<word::FormatoExportacion> formato = FormatoPorExtension(ruta);
    if (!formato) {
        ui::Error(padre, MensajeExtensionExportacion(ruta));
        return std::nullopt;
    }
    const QFileInfo existente(ruta);
    if ((existente.exists() || existente.isSymLink()) &&
        !ui::Preguntar(padre, PreguntaReemplazar(ruta)))
        return std::nullopt;
    word::DestinoExportacion destino{ruta, *formato, {}};
    if (FormatoConClave(*formato) && pedirClave) {
        const std::optional<QString> clave = pedirClave(padre, *formato);
        if (!clave)
            return std::nullopt;
        destino.Clave = *clave;
    }
    UltimaCarpeta() = existente.absolutePath();
    return destino;
}

namespace {

// Whether the editor shows document numero's own file.
bool EnElEditor(TBancoDocumentos& banco, int numero) {
    const auto& enEditor = banco.WordDocument;
    return banco.EditorAbierto() && enEditor && enEditor->Abierto() &&
           MismaRuta(RutaDocumento(banco.Almacen(), numero), enEditor->FullName());
}

} // namespace

void ExportarDocumentoDelBanco(TBancoDocumentos& banco, int numero,
                               const word::DestinoExportacion& destino,
                               word::IConversionDocumentos& conversion) {
    if (EnElEditor(banco, numero)) {
        banco.WordDocument->ExportAs(destino.Ruta, destino.Formato, destino.Clave);
        return;
    }
    ExportarDocumentoNumero(banco.Almacen(), numero, destino.Ruta, conversion, destino.Clave);
}

bool OrdenExportarDocumento(TBancoDocumentos& banco, const TPedirClaveExportacion& pedirClave,
                            word::IConversionDocumentos& conversion) {
    TAlmacen& almacen = banco.Almacen();
    QWidget* padre = banco.Vista().Ventana();
    const int numero = almacen.DocActual;
    if (numero < 1 || numero > MaxDocumentos || !almacen.Documentos[size_t(numero)].Usado()) {
        ui::Informacion(padre, QStringLiteral("No hay ningún documento elegido. Elija en la lista "
                                              "el documento que quiere exportar."));
        return false;
    }
    // A record whose document was never written has nothing to hand out
    // yet; said before any file is asked for.
    if (!EnElEditor(banco, numero) && !QFileInfo(RutaDocumento(almacen, numero)).isFile()) {
        ui::Informacion(padre, QStringLiteral("El documento %1 todavía no tiene archivo: ábralo "
                                              "en el editor y guárdelo antes de exportarlo.")
                                   .arg(numero));
        return false;
    }
    const auto destino = ElegirDestinoExportacion(
        padre, almacen.Documentos[size_t(numero)].Descripcion.Texto(), pedirClave);
    if (!destino)
        return false;
    {
        TCursorOcupado cursor;
        ExportarDocumentoDelBanco(banco, numero, *destino, conversion);
    }
    ui::Informacion(padre, QStringLiteral("El documento %1 se ha exportado a %2.")
                               .arg(numero)
                               .arg(QDir::toNativeSeparators(destino->Ruta)));
    return true;
}

} // namespace brivo
