// Supervision of the converter process, with a stand-in process that speaks
// the same protocol: time limit, crash, restart, and a missing LibreOffice.
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "EntornoOficina.h"

using namespace brivo::pruebas;

namespace {

class Supervision : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        config = ConfiguracionReal();
        config.Guion = QStringLiteral(BRIVO_FUENTES "tests/oficina/conversor-falso.py");
        config.Soffice = QStringLiteral("/bin/sleep"); // the stand-in's "LibreOffice" child
        config.MsConversion = 1500;
    }
    // A request for the file nombre (which the stand-in copies, or hangs on, or dies on).
    oficina::TPeticionConversion Peticion(const QString& nombre) {
        const QString entrada = carpeta.filePath(nombre);
        Escribir(entrada, nombre.toUtf8());
        oficina::TPeticionConversion p;
        p.Entrada = entrada;
        p.Salida = entrada + QStringLiteral(".salida");
        p.Filtro = oficina::FiltroHtml;
        p.NombreParaMensajes = QStringLiteral("/biblioteca/") + nombre;
        return p;
    }
    static oficina::MotivoFallo MotivoDe(oficina::IConversorOficina& c,
                                         const oficina::TPeticionConversion& p) {
        try {
            c.Convertir(p);
        } catch (const oficina::ErrorConversion& e) {
            return e.Motivo();
        }
        ADD_FAILURE() << "sin error";
        return oficina::MotivoFallo::Abrir;
    }
    static bool Vivo(qint64 id) {
        const QByteArray estado = Leer(QStringLiteral("/proc/%1/stat").arg(id));
        // A process that is gone, or a zombie waiting for its parent, is not running.
        return !estado.isEmpty() && !estado.contains(") Z ");
    }

    QTemporaryDir carpeta;
    oficina::TConfiguracionLibreOffice config;
};

TEST_F(Supervision, ConversionColgadaSeMataConSuGrupoYLaSiguienteArrancaOtraVez) {
    oficina::TConversorLibreOffice c(config);
    c.Convertir(Peticion(QStringLiteral("uno.doc")));
    EXPECT_EQ(Leer(carpeta.filePath(QStringLiteral("uno.doc.salida"))), QByteArray("uno.doc"));
    const qint64 primero = c.Proceso();
    ASSERT_GT(primero, 0);

    const auto colgada = Peticion(QStringLiteral("colgado.doc"));
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_EQ(MensajeDe([&] { c.Convertir(colgada); }),
              QStringLiteral("LibreOffice no ha terminado de convertir \"/biblioteca/colgado.doc\" "
                             "en 2 segundos y se ha detenido."));
    EXPECT_LT(reloj.elapsed(), 10000);
    EXPECT_FALSE(c.EnMarcha());
    // The child that stands for LibreOffice went with the process that hung.
    const qint64 hijo = Leer(colgada.Salida + QStringLiteral(".hijo")).toLongLong();
    ASSERT_GT(hijo, 0);
    QDeadlineTimer espera(5000);
    while (Vivo(hijo) && !espera.hasExpired())
        QThread::msleep(20);
    EXPECT_FALSE(Vivo(hijo));
    EXPECT_FALSE(Vivo(primero));

    c.Convertir(Peticion(QStringLiteral("dos.doc")));
    EXPECT_EQ(Leer(carpeta.filePath(QStringLiteral("dos.doc.salida"))), QByteArray("dos.doc"));
    EXPECT_EQ(c.Arranques(), 2);
}

TEST_F(Supervision, ConversorQueSeCaeFallaEseArchivoYSeRecupera) {
    oficina::TConversorLibreOffice c(config);
    EXPECT_EQ(MotivoDe(c, Peticion(QStringLiteral("caido.doc"))), oficina::MotivoFallo::Caido);
    EXPECT_FALSE(c.EnMarcha());
    c.Convertir(Peticion(QStringLiteral("tres.doc")));
    EXPECT_EQ(c.Arranques(), 2);
    c.Detener();
    EXPECT_FALSE(c.EnMarcha());
}

TEST_F(Supervision, SinLibreOfficeSinPythonOSinGuion) {
    const QString ausente = carpeta.filePath(QStringLiteral("no-existe"));
    oficina::TConfiguracionLibreOffice sinSoffice = config, sinPython = config, sinGuion = config;
    sinSoffice.Soffice = ausente;
    sinPython.Python = ausente;
    sinGuion.Guion = ausente;
    for (const auto& c : {sinSoffice, sinPython}) {
        oficina::TConversorLibreOffice conversor(c);
        EXPECT_THROW(conversor.Convertir(Peticion(QStringLiteral("a.doc"))), ErrorSinConversor);
        EXPECT_THROW(conversor.Preparar(), ErrorSinConversor);
    }
    oficina::TConversorLibreOffice conversor(sinGuion);
    EXPECT_EQ(MensajeDe([&] { conversor.Preparar(); }),
              QStringLiteral("No se encuentra el conversor de documentos \"%1\".").arg(ausente));
}

TEST_F(Supervision, ElConversorRealDistingueClaveYSalidaImposible) {
    // Reasons given by LibreOffice itself. It remembers the password of a file
    // it wrote, so the file it reads is a copy, as the program's always are.
    const QString escrito = carpeta.filePath(QStringLiteral("escrito.doc"));
    ExportarPregunta(escrito, FormatoExportacion::Doc, QStringLiteral("secreta"));
    oficina::TPeticionConversion p;
    p.Entrada = carpeta.filePath(QStringLiteral("copia.doc"));
    ASSERT_TRUE(QFile::copy(escrito, p.Entrada));
    p.Salida = carpeta.filePath(QStringLiteral("p.html"));
    p.Filtro = oficina::FiltroHtml;
    p.Clave = QStringLiteral("otra");
    EXPECT_EQ(MotivoDe(ConversorSuite(), p), oficina::MotivoFallo::Clave);
    p.Clave = QStringLiteral("secreta");
    const oficina::TResultadoOficina r = ConversorSuite().Convertir(p);
    EXPECT_TRUE(r.Cifrado);
    EXPECT_EQ(r.Propiedades.Titulo, QStringLiteral("Pregunta de prueba"));
    // A folder that cannot be made: its place is taken by a file.
    Escribir(carpeta.filePath(QStringLiteral("archivo")), "x");
    p.Salida = carpeta.filePath(QStringLiteral("archivo/p.html"));
    EXPECT_EQ(MotivoDe(ConversorSuite(), p), oficina::MotivoFallo::Guardar);
    EXPECT_TRUE(ConversorSuite().EnMarcha());
}

} // namespace
