// The library-wide conversion and the export by number, with a stand-in for
// the conversions of the automation interface: which documents are handled,
// in which order, with which password, how progress and cancelling work, and
// how failures are reported.
#include <map>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "DocumentosOficina.h"
#include "Errores.h"

using namespace brivo;

namespace {

// Converts the files whose content starts with "WORD"; fails with the rest
// of the content of those starting with "MAL:"; has no LibreOffice for
// "SIN"; leaves the others alone.
class ConversionFalsa : public word::IConversionDocumentos {
public:
    bool NecesitaConversion(const QString& ruta) const override {
        return Contenido(ruta).startsWith("WORD");
    }
    word::ResultadoConversionArchivo ConvertirAlFormatoPropio(const QString& ruta,
                                                              const QString& clave) override {
        llamadas.push_back({ruta, clave});
        const QByteArray datos = Contenido(ruta);
        if (datos.startsWith("SIN"))
            throw word::ErrorSinConversor();
        if (datos.startsWith("MAL:"))
            throw ErrorBrivo(QString::fromUtf8(datos.mid(4)));
        word::ResultadoConversionArchivo r;
        if (datos.startsWith("WORD")) {
            r.Convertido = true;
            r.Formato = QStringLiteral("Word 97-2003");
            r.Copia = ruta + QStringLiteral(".bak");
        }
        return r;
    }
    void ImportarArchivo(const QString&, const QString&, const QString&, const QString&) override {
        ADD_FAILURE() << "the library rules import nothing";
    }
    void ExportarArchivo(const QString& ruta, const QString& clave, const QString& salida,
                         word::FormatoExportacion formato, const QString& claveSalida) override {
        exportaciones.push_back({ruta, clave, salida, formato, claveSalida});
    }

    struct Llamada {
        QString ruta, clave;
    };
    struct Exportacion {
        QString ruta, clave, salida;
        word::FormatoExportacion formato;
        QString claveSalida;
    };
    std::vector<Llamada> llamadas;
    std::vector<Exportacion> exportaciones;

private:
    static QByteArray Contenido(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

class Libros : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        almacen.CarpetaPrograma = carpeta.path() + QLatin1Char('/');
        Libro(1, 111111, "Fisica", true);
        Libro(2, 222222, "Quim", false);
    }
    void Libro(int ranura, int id, const char* carpetaLibro, bool claveEnDoc) {
        almacen.Libros[size_t(ranura)].Identificador = id;
        almacen.Libros[size_t(ranura)].Carpeta = QString::fromLatin1(carpetaLibro);
        almacen.Libros[size_t(ranura)].ClaveEnDoc = claveEnDoc;
        QDir(carpeta.path()).mkpath(QStringLiteral("Docs/") + QString::fromLatin1(carpetaLibro));
    }
    // Document n of the book id, with a file holding contenido (none when null).
    void Documento(int n, int id, const char* contenido) {
        almacen.Documentos[size_t(n)].Numero = n;
        almacen.Documentos[size_t(n)].IdLibro = id;
        if (!contenido)
            return;
        QFile f(RutaDocumento(almacen, n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << n;
        f.write(contenido);
    }

    QTemporaryDir carpeta;
    TAlmacen almacen;
    ConversionFalsa conversion;
};

TEST_F(Libros, CadaDocumentoConSuResultadoYLaClaveDeSuLibro) {
    Documento(2, 111111, "WORD uno");
    Documento(5, 222222, "<html>propio</html>");
    Documento(7, 111111, "MAL:La contraseña no es correcta.");
    Documento(9, 222222, nullptr);
    Documento(11, 999999, nullptr); // its book does not exist: it has no path
    const TResultadoConversion r = ConvertirDocumentosLibros(almacen, conversion);

    ASSERT_EQ(r.Documentos.size(), 4u); // document 11 is left out
    EXPECT_FALSE(r.Cancelado);
    EXPECT_EQ(r.Documentos[0].Numero, 2);
    EXPECT_EQ(r.Documentos[0].Estado, EstadoConversion::Convertido);
    EXPECT_EQ(r.Documentos[0].Formato, QStringLiteral("Word 97-2003"));
    EXPECT_EQ(r.Documentos[0].Copia, RutaDocumento(almacen, 2) + QStringLiteral(".bak"));
    EXPECT_EQ(r.Documentos[1].Estado, EstadoConversion::YaEnFormato);
    EXPECT_EQ(r.Documentos[2].Estado, EstadoConversion::Fallido);
    EXPECT_EQ(r.Documentos[2].Motivo, QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(r.Documentos[3].Numero, 9);
    EXPECT_EQ(r.Documentos[3].Estado, EstadoConversion::SinArchivo);
    EXPECT_EQ(r.Cuantos(EstadoConversion::Convertido), 1);
    EXPECT_EQ(r.Cuantos(EstadoConversion::Fallido), 1);

    // Files that exist are handed over with their own book's identifier.
    ASSERT_EQ(conversion.llamadas.size(), 3u);
    EXPECT_EQ(conversion.llamadas[0].clave, QStringLiteral("111111"));
    EXPECT_EQ(conversion.llamadas[1].clave, QStringLiteral("222222"));
    EXPECT_EQ(conversion.llamadas[1].ruta,
              carpeta.filePath(QStringLiteral("Docs/Quim/K000005.doc")));
}

TEST_F(Libros, ProgresoYCancelacionEntreDocumentos) {
    for (int n : {1, 2, 3})
        Documento(n, 111111, "WORD");
    std::vector<std::array<int, 3>> avisos;
    const TResultadoConversion r =
        ConvertirDocumentosLibros(almacen, conversion, [&](int n, int total, int numero) {
            avisos.push_back({n, total, numero});
            return n < 3;
        });
    EXPECT_TRUE(r.Cancelado);
    EXPECT_EQ(r.Documentos.size(), 2u);
    EXPECT_EQ(conversion.llamadas.size(), 2u); // the third document was not touched
    const std::vector<std::array<int, 3>> esperados{{1, 3, 1}, {2, 3, 2}, {3, 3, 3}};
    EXPECT_EQ(avisos, esperados);
}

TEST_F(Libros, SinLibreOfficeSeDetieneTodo) {
    Documento(1, 111111, "<html></html>");
    Documento(2, 111111, "SIN");
    Documento(3, 111111, "WORD");
    EXPECT_THROW(ConvertirDocumentosLibros(almacen, conversion), word::ErrorSinConversor);
    EXPECT_EQ(conversion.llamadas.size(), 2u);
}

TEST_F(Libros, ExportarPorNumeroYFormatoPorExtension) {
    Documento(4, 111111, "WORD");
    Documento(6, 222222, "WORD");
    ExportarDocumentoNumero(almacen, 4, QStringLiteral("/tmp/x.DOCX"), conversion);
    ExportarDocumentoWord97(almacen, 4, QStringLiteral("/tmp/a.doc"), conversion);
    ExportarDocumentoWord97(almacen, 6, QStringLiteral("/tmp/b.doc"), conversion);
    ASSERT_EQ(conversion.exportaciones.size(), 3u);
    EXPECT_EQ(conversion.exportaciones[0].formato, word::FormatoExportacion::Docx);
    EXPECT_EQ(conversion.exportaciones[0].clave, QStringLiteral("111111"));
    EXPECT_EQ(conversion.exportaciones[0].claveSalida, QString());
    // Word 97 files of a book that keeps passwords in its documents are protected with it.
    EXPECT_EQ(conversion.exportaciones[1].claveSalida, QStringLiteral("111111"));
    EXPECT_EQ(conversion.exportaciones[2].claveSalida, QString());
    EXPECT_EQ(conversion.exportaciones[2].formato, word::FormatoExportacion::Doc);

    EXPECT_THROW(ExportarDocumentoNumero(almacen, 4, QStringLiteral("/tmp/x.rtf"), conversion),
                 ErrorBrivo);
    EXPECT_THROW(ExportarDocumentoNumero(almacen, 5, QStringLiteral("/tmp/x.pdf"), conversion),
                 ErrorBrivo);
    EXPECT_THROW(ExportarDocumentoNumero(almacen, 501, QStringLiteral("/tmp/x.pdf"), conversion),
                 ErrorBrivo);
    EXPECT_EQ(conversion.exportaciones.size(), 3u);

    const struct {
        const char* ruta;
        std::optional<word::FormatoExportacion> formato;
    } casos[] = {{"a.pdf", word::FormatoExportacion::Pdf},
                 {"a.ODT", word::FormatoExportacion::Odt},
                 {"a.htm", word::FormatoExportacion::Html},
                 {"a.html", word::FormatoExportacion::Html},
                 {"a.doc.txt", std::nullopt},
                 {"doc", std::nullopt}};
    for (const auto& caso : casos)
        EXPECT_EQ(FormatoPorExtension(QString::fromLatin1(caso.ruta)), caso.formato) << caso.ruta;
}

} // namespace
