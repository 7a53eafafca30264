// Office formats told apart by content, cut files told from whole ones, and
// where and under which name the original of a converted file is kept.
#include <QDir>
#include <QProcess>

#include "EntornoOficina.h"
#include "FormatoOficina.h"
#include "ImportacionOficina.h"

using namespace brivo::pruebas;
using oficina::FormatoOficina;

namespace {

class Formatos : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(carpeta.isValid()); }
    QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
    QTemporaryDir carpeta;
};

TEST_F(Formatos, ElContenidoDecideNoElNombre) {
    const struct {
        const char* nombre;
        FormatoExportacion formato;
        const char* clave;
        FormatoOficina esperado;
    } casos[] = {
        {"a.txt", FormatoExportacion::Doc, "", FormatoOficina::Word97},
        {"b.doc", FormatoExportacion::Docx, "", FormatoOficina::Word2007},
        // A Word 2007+ file with a password is a compound file, like Word 97.
        {"c.docx", FormatoExportacion::Docx, "1", FormatoOficina::Word97},
        {"d.doc", FormatoExportacion::Odt, "", FormatoOficina::Odt},
        {"e.doc", FormatoExportacion::Html, "", FormatoOficina::Ninguno},
        {"f.doc", FormatoExportacion::Pdf, "", FormatoOficina::Ninguno},
    };
    for (const auto& caso : casos) {
        ExportarPregunta(Ruta(QString::fromLatin1(caso.nombre)), caso.formato,
                         QString::fromLatin1(caso.clave));
        const QByteArray datos = Leer(Ruta(QString::fromLatin1(caso.nombre)));
        EXPECT_EQ(oficina::FormatoDeContenido(datos), caso.esperado) << caso.nombre;
        if (caso.esperado != FormatoOficina::Ninguno) {
            EXPECT_TRUE(oficina::ContenidoCompleto(datos, caso.esperado)) << caso.nombre;
            // Cut anywhere, the file is no longer whole.
            for (const double parte : {0.3, 0.6, 0.95})
                EXPECT_FALSE(oficina::ContenidoCompleto(datos.left(qsizetype(datos.size() * parte)),
                                                        caso.esperado))
                    << caso.nombre << " " << parte;
        }
    }
    EXPECT_EQ(oficina::FormatoDeContenido("{\\rtf1\\ansi hola}"), FormatoOficina::Rtf);
    EXPECT_EQ(oficina::FormatoDeContenido("#PREG\r\nhola"), FormatoOficina::Ninguno);
    EXPECT_EQ(oficina::FormatoDeArchivo(Ruta(QStringLiteral("no-existe"))),
              FormatoOficina::Ninguno);
}

TEST_F(Formatos, UnZipCualquieraNoEsUnDocumento) {
    Escribir(Ruta(QStringLiteral("nota.txt")), "hola");
    QProcess zip;
    zip.setWorkingDirectory(carpeta.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-q"), QStringLiteral("x.zip"), QStringLiteral("nota.txt")});
    ASSERT_TRUE(zip.waitForFinished(10000));
    const QString ruta = Ruta(QStringLiteral("x.zip"));
    EXPECT_EQ(oficina::FormatoDeArchivo(ruta), FormatoOficina::Ninguno);
    // The engine cannot open it either: converting it says so and changes nothing.
    const QByteArray antes = Leer(ruta);
    EXPECT_EQ(MensajeDe([&] { ConvertirAlFormatoPropio(ruta, {}, ConversorSuite()); }),
              QStringLiteral("El archivo \"%1\" no tiene un formato que el procesador de textos "
                             "pueda abrir.")
                  .arg(ruta));
    EXPECT_EQ(Leer(ruta), antes);
}

TEST_F(Formatos, RtfCompletoCuandoSusGruposSeCierran) {
    const struct {
        const char* texto;
        bool completo;
    } casos[] = {
        {"{\\rtf1 hola}", true},
        {"{\\rtf1 {\\b hola} mundo}\r\n", true},
        {"{\\rtf1 llave escapada \\} sigue", false},
        {"{\\rtf1 {\\b hola} mundo", false},
        // The bytes of \bin are data, braces included.
        {"{\\rtf1 {\\bin3 }}}x}}", true},
        {"{\\rtf1 {\\bin3 }}}x}", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(oficina::ContenidoCompleto(caso.texto, FormatoOficina::Rtf), caso.completo)
            << caso.texto;
}

TEST_F(Formatos, CarpetaDeCopias) {
    const QString base = carpeta.path();
    EXPECT_EQ(CarpetaCopias(base + QStringLiteral("/Docs/Fisica/K000007.doc")),
              base + QStringLiteral("/BAK/Fisica"));
    // Outside a book folder (a model file beside the program), BAK/ beside the file.
    EXPECT_EQ(CarpetaCopias(base + QStringLiteral("/nuevodoc.doc")), base + QStringLiteral("/BAK"));
    EXPECT_EQ(CarpetaCopias(base + QStringLiteral("/otra/Fisica/K000007.doc")),
              base + QStringLiteral("/otra/Fisica/BAK"));
}

TEST_F(Formatos, LaCopiaDelOriginalNuncaSustituyeOtra) {
    const QString ruta = Ruta(QStringLiteral("Docs/Quim/K000002.doc"));
    const QString primera = GuardarCopiaOriginal(ruta, "uno");
    const QString segunda = GuardarCopiaOriginal(ruta, "dos");
    const QString tercera = GuardarCopiaOriginal(ruta, "tres");
    EXPECT_EQ(primera, Ruta(QStringLiteral("BAK/Quim/K000002.doc")));
    EXPECT_EQ(segunda, Ruta(QStringLiteral("BAK/Quim/K000002 (2).doc")));
    EXPECT_EQ(tercera, Ruta(QStringLiteral("BAK/Quim/K000002 (3).doc")));
    EXPECT_EQ(Leer(primera), QByteArray("uno"));
    EXPECT_EQ(Leer(segunda), QByteArray("dos"));
    EXPECT_EQ(QDir(Ruta(QStringLiteral("BAK/Quim"))).entryList(QDir::Files | QDir::Hidden).size(),
              3);
}

TEST_F(Formatos, ArchivosQueNoSonDeOficinaNoSeConvierten) {
    const QString texto = Ruta(QStringLiteral("Docs/Quim/K000003.doc"));
    Escribir(texto, "#PREG\nsolo texto");
    const ResultadoConversionArchivo r =
        ConvertirAlFormatoPropio(texto, QStringLiteral("123456"), ConversorSuite());
    EXPECT_FALSE(r.Convertido);
    EXPECT_EQ(Leer(texto), QByteArray("#PREG\nsolo texto"));
    EXPECT_FALSE(QDir(Ruta(QStringLiteral("BAK"))).exists());
}

} // namespace
