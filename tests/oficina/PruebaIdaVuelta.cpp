// A question written in each office format and opened again by the engine,
// which converts it in place and keeps the original in BAK/; protected files,
// wrong passwords, cut files and a missing or hung converter.
#include <QDir>
#include <QTextDocument>

#include "ArchivoDocumento.h"
#include "EntornoOficina.h"
#include "FormatoOficina.h"
#include "ImportacionOficina.h"
#include "MotorTexto.h"

using namespace brivo::pruebas;

namespace {

// A library folder with one book folder (a name with an accent, as users
// give them); documents open through the engine.
class Biblioteca : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        app = CrearMotorIncrustado();
        app->Connect();
    }
    void TearDown() override { app->Quit(); }

    QString Documento(int n = 1) const {
        return carpeta.filePath(
            QStringLiteral("Docs/Física/K%1.doc").arg(n, 6, 10, QLatin1Char('0')));
    }
    QString Copia(const QString& nombre = QStringLiteral("K000001.doc")) const {
        return carpeta.filePath(QStringLiteral("BAK/Física/") + nombre);
    }
    std::shared_ptr<IDocumentoWord> Abrir(const QString& ruta, const QString& clave) {
        OpcionesApertura o;
        o.PasswordDocument = o.WritePasswordDocument = clave;
        return app->DocumentsOpen(ruta, o);
    }
    static QTextDocument& QDoc(IDocumentoWord& d) {
        return dynamic_cast<DocumentoMotor&>(d).Documento();
    }
    // After a failure: the file as it was and no copy made.
    void NadaCambiado(const QByteArray& antes) {
        EXPECT_EQ(Leer(Documento()), antes);
        EXPECT_EQ(QDir(QFileInfo(Documento()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                  QStringList(QStringLiteral("K000001.doc")));
        EXPECT_FALSE(QDir(carpeta.filePath(QStringLiteral("BAK"))).exists());
        EXPECT_EQ(app->DocumentsCount(), 0);
    }

    QTemporaryDir carpeta;
    std::unique_ptr<IAplicacionWord> app;
};

struct CasoFormato {
    const char* nombre;
    FormatoExportacion formato;
    oficina::FormatoOficina detectado;
};

class IdaVuelta : public Biblioteca, public ::testing::WithParamInterface<CasoFormato> {};

TEST_P(IdaVuelta, LaPreguntaSobreviveYElOriginalQuedaEnBak) {
    const CasoFormato caso = GetParam();
    // Whatever the content, the file is named K000001.doc: the format comes from the bytes.
    ExportarPregunta(Documento(), caso.formato);
    const QByteArray original = Leer(Documento());
    ASSERT_EQ(oficina::FormatoDeContenido(original), caso.detectado);

    auto d = Abrir(Documento(), QStringLiteral("123456"));
    ComprobarPregunta(QDoc(*d));
    d->Close(GuardarCambios::NoGuardar);

    QTextDocument releido;
    EXPECT_EQ(LeerArchivoDocumento(Documento(), {}, releido).formato, FormatoArchivo::Motor);
    EXPECT_EQ(Leer(Copia()), original);
    // A document not protected is not protected after its conversion.
    EXPECT_FALSE(EsContenidoCifrado(Leer(Documento())));
}

INSTANTIATE_TEST_SUITE_P(Formatos, IdaVuelta,
                         ::testing::Values(CasoFormato{"Word97", FormatoExportacion::Doc,
                                                       oficina::FormatoOficina::Word97},
                                           CasoFormato{"Word2007", FormatoExportacion::Docx,
                                                       oficina::FormatoOficina::Word2007},
                                           CasoFormato{"OpenDocument", FormatoExportacion::Odt,
                                                       oficina::FormatoOficina::Odt}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Biblioteca, RtfEscritoPorLibreOfficeSeAbre) {
    const QString odt = carpeta.filePath(QStringLiteral("pregunta.odt"));
    ExportarPregunta(odt, FormatoExportacion::Odt);
    oficina::TPeticionConversion p;
    p.Entrada = odt;
    p.Salida = Documento();
    p.Filtro = oficina::FiltroRtf;
    QDir().mkpath(QFileInfo(Documento()).absolutePath());
    ConversorSuite().Convertir(p);
    ASSERT_EQ(oficina::FormatoDeArchivo(Documento()), oficina::FormatoOficina::Rtf);
    auto d = Abrir(Documento(), {});
    ComprobarPregunta(QDoc(*d));
}

TEST_F(Biblioteca, HtmlYOdtExportadosGuardanLaPregunta) {
    // HTML is read back by the engine itself; the ODT written by Qt by LibreOffice.
    const QString html = carpeta.filePath(QStringLiteral("pregunta.html"));
    ExportarPregunta(html, FormatoExportacion::Html);
    EXPECT_FALSE(EsContenidoCifrado(Leer(html)));
    auto d = Abrir(html, {});
    ComprobarPregunta(QDoc(*d));
    const QString pdf = carpeta.filePath(QStringLiteral("pregunta.pdf"));
    ExportarPregunta(pdf, FormatoExportacion::Pdf);
    EXPECT_TRUE(Leer(pdf).startsWith("%PDF-"));
}

struct CasoClave {
    const char* nombre;
    FormatoExportacion formato;
};

class ConClave : public Biblioteca, public ::testing::WithParamInterface<CasoClave> {};

TEST_P(ConClave, SeAbreConElIdentificadorYSigueProtegido) {
    ExportarPregunta(Documento(), GetParam().formato, QStringLiteral("123456"));
    const QByteArray original = Leer(Documento());
    // Without the password LibreOffice cannot read it, and nothing changes.
    EXPECT_EQ(MensajeDe([&] { Abrir(Documento(), {}); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(MensajeDe([&] { Abrir(Documento(), QStringLiteral("654321")); }),
              QStringLiteral("La contraseña no es correcta."));
    NadaCambiado(original);

    auto d = Abrir(Documento(), QStringLiteral("123456"));
    ComprobarPregunta(QDoc(*d));
    d->Close(GuardarCambios::NoGuardar);
    EXPECT_EQ(Leer(Copia()), original);
    // The converted file keeps the protection, with the same password.
    EXPECT_TRUE(EsContenidoCifrado(Leer(Documento())));
    QTextDocument releido;
    EXPECT_EQ(MensajeDe([&] { LeerArchivoDocumento(Documento(), QStringLiteral("1"), releido); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_NO_THROW(LeerArchivoDocumento(Documento(), QStringLiteral("123456"), releido));
}

INSTANTIATE_TEST_SUITE_P(Word, ConClave,
                         ::testing::Values(CasoClave{"Word97", FormatoExportacion::Doc},
                                           CasoClave{"Word2007", FormatoExportacion::Docx}),
                         [](const auto& info) { return std::string(info.param.nombre); });

class Cortado : public Biblioteca, public ::testing::WithParamInterface<CasoClave> {};

TEST_P(Cortado, EsUnArchivoDanadoYNoSeToca) {
    ExportarPregunta(Documento(), GetParam().formato);
    const QByteArray entero = Leer(Documento());
    const QByteArray cortado = entero.left(entero.size() * 2 / 3);
    Escribir(Documento(), cortado);
    EXPECT_EQ(MensajeDe([&] { Abrir(Documento(), QStringLiteral("123456")); }),
              QStringLiteral("El archivo \"%1\" está dañado o no es un documento válido.")
                  .arg(QFileInfo(Documento()).absoluteFilePath()));
    NadaCambiado(cortado);
}

INSTANTIATE_TEST_SUITE_P(Formatos, Cortado,
                         ::testing::Values(CasoClave{"Word97", FormatoExportacion::Doc},
                                           CasoClave{"Word2007", FormatoExportacion::Docx},
                                           CasoClave{"OpenDocument", FormatoExportacion::Odt}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Biblioteca, SinLibreOfficeElMensajeLoDiceYNadaCambia) {
    ExportarPregunta(Documento(), FormatoExportacion::Doc);
    const QByteArray original = Leer(Documento());
    oficina::TConfiguracionLibreOffice sin = ConfiguracionReal();
    sin.Soffice = carpeta.filePath(QStringLiteral("no-instalado/soffice"));
    ConversorCambiado cambio(std::make_shared<oficina::TConversorLibreOffice>(sin));
    EXPECT_EQ(MensajeDe([&] { Abrir(Documento(), {}); }), MensajeSinConversor());
    EXPECT_EQ(MensajeSinConversor(),
              QStringLiteral("Para abrir o guardar documentos de Word u OpenDocument hace falta "
                             "LibreOffice (paquete libreoffice-writer-nogui)."));
    NadaCambiado(original);
    // Word output fails the same way without leaving a file behind.
    QTextDocument doc;
    LlenarPregunta(doc);
    const QString salida = carpeta.filePath(QStringLiteral("salida.docx"));
    EXPECT_THROW(ExportarDocumento(doc, {}, salida, FormatoExportacion::Docx, {},
                                   *oficina::ConversorOficina()),
                 ErrorSinConversor);
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(Biblioteca, ConversorColgadoSeDetieneYNadaSePierde) {
    // The hung converter is the test's stand-in process; the file is a real Word file.
    ExportarPregunta(Documento(), FormatoExportacion::Doc);
    const QByteArray original = Leer(Documento());
    // Named "…colgado…", the stand-in hangs on every request.
    const QString guion = carpeta.filePath(QStringLiteral("conversor-colgado.py"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(BRIVO_FUENTES "tests/oficina/conversor-falso.py"), guion));
    oficina::TConfiguracionLibreOffice falso = ConfiguracionReal();
    falso.Guion = guion;
    falso.Soffice = QStringLiteral("/bin/sleep");
    falso.MsConversion = 1000;
    ConversorCambiado cambio(std::make_shared<oficina::TConversorLibreOffice>(falso));
    EXPECT_EQ(MensajeDe([&] { Abrir(Documento(), {}); }),
              QStringLiteral("LibreOffice no ha terminado de convertir \"%1\" en 1 segundo y se "
                             "ha detenido.")
                  .arg(QFileInfo(Documento()).absoluteFilePath()));
    NadaCambiado(original);
}

TEST_F(Biblioteca, ImportarHaceUnDocumentoNuevoSinTocarElArchivo) {
    // A teacher's files: a protected Word document and a text file.
    const QString word = carpeta.filePath(QStringLiteral("mis preguntas/tema 1.doc"));
    ExportarPregunta(word, FormatoExportacion::Doc, QStringLiteral("mía"));
    const QString texto = carpeta.filePath(QStringLiteral("mis preguntas/tema 2.txt"));
    Escribir(texto, "#PREG\nDefine la masa.");
    const QByteArray original = Leer(word);
    const auto conversion = CrearConversionDocumentos();
    conversion->ImportarArchivo(word, QStringLiteral("mía"), Documento(1),
                                QStringLiteral("123456"));
    conversion->ImportarArchivo(texto, {}, Documento(2), {});
    EXPECT_EQ(Leer(word), original);
    EXPECT_FALSE(QDir(carpeta.filePath(QStringLiteral("BAK"))).exists());
    QTextDocument uno, dos;
    const ResultadoLectura lectura =
        LeerArchivoDocumento(Documento(1), QStringLiteral("123456"), uno);
    EXPECT_TRUE(lectura.cifrado);
    EXPECT_EQ(lectura.propiedades.at(PropTitulo), QStringLiteral("Pregunta de prueba"));
    ComprobarPregunta(uno);
    EXPECT_EQ(LeerArchivoDocumento(Documento(2), {}, dos).formato, FormatoArchivo::Motor);
    EXPECT_EQ(Parrafos(dos),
              QStringList({QStringLiteral("#PREG"), QStringLiteral("Define la masa.")}));
}

TEST_F(Biblioteca, ExportarSobreElPropioArchivoNoSePermite) {
    ExportarPregunta(Documento(), FormatoExportacion::Html);
    auto d = Abrir(Documento(), {});
    const QByteArray antes = Leer(Documento());
    EXPECT_THROW(d->ExportAs(Documento(), FormatoExportacion::Doc), ErrorBrivo);
    EXPECT_THROW(ExportarArchivo(Documento(), {}, Documento(), FormatoExportacion::Odt, {},
                                 ConversorSuite()),
                 ErrorBrivo);
    EXPECT_EQ(Leer(Documento()), antes);
    // Unsaved changes go into an export; the document's own file keeps its content.
    d->Content()->InsertAfter(QStringLiteral("\rañadido"));
    const QString docx = carpeta.filePath(QStringLiteral("cambiado.docx"));
    d->ExportAs(docx, FormatoExportacion::Docx, QStringLiteral("7"));
    EXPECT_EQ(Leer(Documento()), antes);
    QTextDocument releido;
    CargarDocumento(docx, QStringLiteral("7"), releido, ConversorSuite());
    EXPECT_EQ(Parrafos(releido).last(), QStringLiteral("añadido"));
}

} // namespace
