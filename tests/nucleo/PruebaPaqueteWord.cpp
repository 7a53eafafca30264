// Book packages whose documents go as Word 97–2003 files, with a stand-in for
// the conversions: which files are replaced in the package and with which
// password, what stays as it is, and a conversion that fails.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ConversionFalsa.h"
#include "EntornoPaquetes.h"
#include "MotorFalso.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

constexpr int IdLibro = 314159;

class PaqueteWord : public ::testing::Test {
protected:
    void SetUp() override {
        TLibro& l = ins.PonerLibro(1, IdLibro, QStringLiteral("Física"), QStringLiteral("fis"));
        l.ClaveEnDoc = true;
        ins.almacen.LibroActivo = 1;
        ins.PonerDocumento(2, IdLibro, "Pregunta dos");
        ins.PonerDocumento(5, IdLibro, "Pregunta cinco");
        ins.PonerDocumento(6, IdLibro, ""); // no file yet
        ins.PonerLibro(2, 271828, QStringLiteral("Otro"), QStringLiteral("otro"));
        ins.PonerDocumento(3, 271828, "Del otro libro");
        // A file of the book's folder that is no document of it.
        pruebas::EscribirArchivo(ins.Docs() + QStringLiteral("fis/notas.txt"), "notas");
    }
    TResultadoExportacion Exportar(const QString& nombre, word::IConversionDocumentos* word) {
        TOpcionesPaquete op;
        return ExportarPaquete(ins.almacen, IdLibro, op, tmp.filePath(nombre), QString(), {}, word);
    }
    // The package's entries extracted into a folder of their own.
    QString Extraer(const QString& archivo) {
        const QString destino = tmp.filePath(QFileInfo(archivo).completeBaseName());
        EXPECT_EQ(pruebas::Ejecutar(QStringLiteral("unzip"),
                                    {QStringLiteral("-q"), archivo, QStringLiteral("-d"), destino}),
                  0);
        return destino + QLatin1Char('/');
    }

    QTemporaryDir tmp;
    TInstalacion ins{tmp.filePath(QStringLiteral("instalacion"))};
    TConversionFalsa conversion;
};

} // namespace

TEST_F(PaqueteWord, LosDocumentosVanConvertidosYLoDemasIgual) {
    const TResultadoExportacion normal = Exportar(QStringLiteral("normal.zip"), nullptr);
    ASSERT_TRUE(normal.Correcto) << normal.Mensaje;
    const TResultadoExportacion word = Exportar(QStringLiteral("word.zip"), &conversion);
    ASSERT_TRUE(word.Correcto) << word.Mensaje;
    const QString a = Extraer(normal.Archivo);
    const QString b = Extraer(word.Archivo);

    // The same entries; only the documents' files differ.
    EXPECT_EQ(ArbolDeArchivos(a), ArbolDeArchivos(b));
    for (const QString& nombre : ArbolDeArchivos(a)) {
        const bool documento =
            nombre == QLatin1String("K000002.doc") || nombre == QLatin1String("K000005.doc");
        if (!documento) {
            EXPECT_EQ(pruebas::LeerArchivo(a + nombre), pruebas::LeerArchivo(b + nombre))
                << nombre.toStdString();
        }
    }
    // Without the option the files travel as they are.
    EXPECT_EQ(pruebas::LeerArchivo(a + QStringLiteral("K000005.doc")), "Pregunta cinco");
    // With it each one is the Word copy, protected with the identifier (the
    // book keeps passwords in its documents), read with the identifier.
    ASSERT_EQ(conversion.Exportaciones.size(), 2u);
    for (const auto& e : conversion.Exportaciones) {
        EXPECT_EQ(e.Formato, word::FormatoExportacion::Doc);
        EXPECT_EQ(e.Clave, QString::number(IdLibro));
    }
    const TArchivoFalso cinco = LeerArchivoFalso(b + QStringLiteral("K000005.doc"));
    EXPECT_EQ(cinco.Texto, QStringLiteral("Pregunta cinco"));
    EXPECT_EQ(cinco.Clave, QString::number(IdLibro));
    EXPECT_EQ(cinco.Propiedades.at(0), QString::number(int(word::FormatoExportacion::Doc)));
    // The book's own files do not change, and no copy stays in Temp.
    EXPECT_EQ(ins.LeerDocumento(5), "Pregunta cinco");
    EXPECT_TRUE(QDir(ins.almacen.CarpetaPrograma + QStringLiteral("Temp"))
                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
}

TEST_F(PaqueteWord, SinClaveEnDocLosWordVanSinContrasena) {
    ins.almacen.Libros[1].ClaveEnDoc = false;
    ASSERT_TRUE(Exportar(QStringLiteral("p.zip"), &conversion).Correcto);
    ASSERT_EQ(conversion.Exportaciones.size(), 2u);
    EXPECT_EQ(conversion.Exportaciones[0].ClaveDestino, QString());
}

TEST_F(PaqueteWord, UnDocumentoQueNoSeConvierteDetieneLaExportacion) {
    const QString archivo = tmp.filePath(QStringLiteral("p.zip"));
    pruebas::EscribirArchivo(archivo, "paquete anterior");
    ins.PonerDocumento(5, IdLibro, "MAL:El archivo está dañado.");
    const TResultadoExportacion r = Exportar(QStringLiteral("p.zip"), &conversion);
    EXPECT_FALSE(r.Correcto);
    EXPECT_EQ(r.Mensaje, QStringLiteral("No se puede convertir a Word el documento 5 «Documento 5 "
                                        "del libro 314159» (K000005.doc): El archivo está "
                                        "dañado.\r\nNo se ha exportado el libro."));
    EXPECT_EQ(pruebas::LeerArchivo(archivo), "paquete anterior");

    ins.PonerDocumento(5, IdLibro, "SIN");
    QFile::remove(archivo);
    const TResultadoExportacion sin = Exportar(QStringLiteral("p.zip"), &conversion);
    EXPECT_FALSE(sin.Correcto);
    EXPECT_EQ(sin.Mensaje, word::MensajeSinConversor());
    EXPECT_FALSE(QFileInfo::exists(archivo));
}
