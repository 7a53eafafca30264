#include "ExportacionDocumento.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextTable>

#include "Errores.h"
#include "ImportacionOficina.h"
#include "TextosComunes.h"

namespace brivo::word {

namespace {

ErrorBrivo ErrorEscritura(const QString& ruta) {
    return ErrorBrivo(QString::fromUtf8(textos::NoSePuedeGuardarArchivo).arg(ruta));
}

// Qt's OpenDocument writer names a font only when the old single-family
// property is set, and calls every other text "Sans".
void FijarFuente(QTextCharFormat& formato, const QFont& base) {
    QStringList familias = formato.fontFamilies().toStringList();
    if (familias.isEmpty()) {
        familias = QStringList(base.family());
        formato.setFontFamilies(familias);
    }
    formato.setProperty(QTextFormat::FontFamily, familias.first());
    if (!formato.hasProperty(QTextFormat::FontPointSize) && base.pointSizeF() > 0)
        formato.setFontPointSize(base.pointSizeF());
}

void FijarFuentes(QTextDocument& doc) {
    const QFont base = doc.defaultFont();
    QTextCursor cursor(&doc);
    for (QTextBlock bloque = doc.begin(); bloque.isValid(); bloque = bloque.next()) {
        QTextCharFormat formatoBloque = bloque.charFormat();
        FijarFuente(formatoBloque, base);
        cursor.setPosition(bloque.position());
        cursor.setBlockCharFormat(formatoBloque);
        std::vector<std::pair<QTextFragment, QTextCharFormat>> fragmentos;
        for (auto it = bloque.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                fragmentos.emplace_back(it.fragment(), it.fragment().charFormat());
        }
        for (auto& [fragmento, formato] : fragmentos) {
            FijarFuente(formato, base);
            cursor.setPosition(fragmento.position());
            cursor.setPosition(fragmento.position() + fragmento.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(formato);
        }
    }
}

// Qt draws its default table border as a raised frame, which other word
// processors turn into double lines; a plain line is what was meant.
void BordesSencillos(QTextFrame* marco) {
    for (QTextFrame* hijo : marco->childFrames()) {
        if (auto* tabla = qobject_cast<QTextTable*>(hijo)) {
            QTextTableFormat formato = tabla->format();
            if (formato.borderStyle() == QTextFrameFormat::BorderStyle_Outset) {
                formato.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                tabla->setFormat(formato);
            }
        }
        BordesSencillos(hijo);
    }
}

oficina::TPropiedadesOficina PropiedadesOficina(const PropiedadesDocumento& propiedades) {
    const auto valor = [&](int numero) {
        const auto it = propiedades.find(numero);
        return it == propiedades.end() ? QString() : it->second;
    };
    oficina::TPropiedadesOficina p;
    p.Titulo = valor(PropTitulo);
    p.Asunto = valor(PropAsunto);
    p.Autor = valor(PropAutor);
    p.Comentarios = valor(PropComentarios);
    return p;
}

// Writes through a QSaveFile: the file appears whole or not at all.
template <class Escribir> void GuardarEntero(const QString& salida, Escribir&& escribir) {
    QSaveFile archivo(salida);
    if (!archivo.open(QIODevice::WriteOnly))
        throw ErrorEscritura(salida);
    if (!escribir(archivo) || !archivo.commit())
        throw ErrorEscritura(salida);
}

void ExportarPdf(const QTextDocument& doc, const PropiedadesDocumento& propiedades,
                 const QString& salida) {
    GuardarEntero(salida, [&](QSaveFile& archivo) {
        QPdfWriter pdf(&archivo);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        pdf.setCreator(QString::fromUtf8(textos::NombrePrograma));
        if (const auto titulo = propiedades.find(PropTitulo); titulo != propiedades.end())
            pdf.setTitle(titulo->second);
        doc.print(&pdf);
        return true;
    });
}

void ExportarWord(const QTextDocument& doc, const PropiedadesDocumento& propiedades,
                  const QString& salida, FormatoExportacion formato, const QString& claveSalida,
                  oficina::IConversorOficina& conversor) {
    QTemporaryDir temporal(QDir::temp().filePath(QStringLiteral("brivo2-exportacion-XXXXXX")));
    if (!temporal.isValid())
        throw ErrorEscritura(salida);
    oficina::TPeticionConversion peticion;
    peticion.Entrada = temporal.filePath(QStringLiteral("documento.odt"));
    {
        const QByteArray odt = OdtDeDocumento(doc);
        QFile archivo(peticion.Entrada);
        if (!archivo.open(QIODevice::WriteOnly) || archivo.write(odt) != odt.size())
            throw ErrorEscritura(salida);
    }
    // LibreOffice writes beside the output, under a name of its own.
    const QFileInfo destino(salida);
    QTemporaryFile reserva(destino.absoluteDir().filePath(QLatin1Char('.') + destino.fileName() +
                                                          QStringLiteral(".XXXXXX")));
    if (!reserva.open())
        throw ErrorEscritura(salida);
    reserva.close();
    peticion.Salida = reserva.fileName();
    peticion.Filtro =
        formato == FormatoExportacion::Doc ? oficina::FiltroWord97 : oficina::FiltroWord2007;
    peticion.ClaveSalida = claveSalida;
    peticion.PonerPropiedades = true;
    peticion.Propiedades = PropiedadesOficina(propiedades);
    peticion.NombreParaMensajes = salida;
    conversor.Convertir(peticion);
    std::error_code error;
    std::filesystem::rename(reserva.fileName().toStdString(),
                            destino.absoluteFilePath().toStdString(), error);
    if (error)
        throw ErrorEscritura(salida);
    reserva.setAutoRemove(false);
}

} // namespace

bool MismoArchivo(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

QByteArray OdtDeDocumento(const QTextDocument& doc) {
    std::unique_ptr<QTextDocument> copia(doc.clone());
    copia->setDefaultFont(doc.defaultFont());
    FijarFuentes(*copia);
    BordesSencillos(copia->rootFrame());
    // The writer closes its device when it ends, so it writes into memory.
    QByteArray odt;
    QBuffer buffer(&odt);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter escritor(&buffer, "odf");
    if (!escritor.write(copia.get()))
        throw ErrorBrivo(QStringLiteral("No se puede escribir el documento en formato "
                                        "OpenDocument."));
    return odt;
}

void ExportarDocumento(const QTextDocument& doc, const PropiedadesDocumento& propiedades,
                       const QString& salida, FormatoExportacion formato,
                       const QString& claveSalida, oficina::IConversorOficina& conversor) {
    if (salida.isEmpty())
        throw ErrorBrivo(QStringLiteral("No se puede exportar el documento sin nombre de "
                                        "archivo."));
    switch (formato) {
    case FormatoExportacion::Pdf:
        ExportarPdf(doc, propiedades, salida);
        return;
    case FormatoExportacion::Odt: {
        const QByteArray odt = OdtDeDocumento(doc);
        GuardarEntero(salida, [&](QSaveFile& archivo) { return archivo.write(odt) == odt.size(); });
        return;
    }
    case FormatoExportacion::Html: {
        std::unique_ptr<QTextDocument> copia(doc.clone());
        const QByteArray html = HtmlDeDocumento(*copia, propiedades);
        GuardarEntero(salida,
                      [&](QSaveFile& archivo) { return archivo.write(html) == html.size(); });
        return;
    }
    case FormatoExportacion::Docx:
    case FormatoExportacion::Doc:
        ExportarWord(doc, propiedades, salida, formato, claveSalida, conversor);
        return;
    }
}

void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                     FormatoExportacion formato, const QString& claveSalida,
                     oficina::IConversorOficina& conversor) {
    if (MismoArchivo(ruta, salida))
        throw ErrorBrivo(QStringLiteral("No se puede exportar el documento \"%1\" sobre su propio "
                                        "archivo.")
                             .arg(ruta));
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    const PropiedadesDocumento propiedades = CargarDocumento(ruta, clave, doc, conversor);
    ExportarDocumento(doc, propiedades, salida, formato, claveSalida, conversor);
}

void ConvertirAWord97(const QString& ruta, const QString& clave, const QString& salida,
                      const QString& claveSalida, oficina::IConversorOficina& conversor) {
    ExportarArchivo(ruta, clave, salida, FormatoExportacion::Doc, claveSalida, conversor);
}

} // namespace brivo::word
