// Moodle XML files written to do harm, or just damaged: each ends with a
// clear Spanish message or leaves out the questions it spoils, never
// crashes or hangs, and nothing is ever written outside the book's folder.
#include <QDir>
#include <QElapsedTimer>
#include <QUrl>

#include "EntornoMoodle.h"
#include "ImportacionMoodle.h"
#include "LectorMoodle.h"
#include "ProcesadorTextos.h"

using namespace brivo::pruebas;
using namespace brivo::moodle;

namespace {

QByteArray Repetir(const QByteArray& trozo, int veces) {
    QByteArray r;
    r.reserve(trozo.size() * veces);
    for (int i = 0; i < veces; ++i)
        r += trozo;
    return r;
}

QByteArray Quiz(const QByteArray& cuerpo) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + cuerpo + "\n</quiz>\n";
}

QByteArray Ensayo(const QByteArray& nombre, const QByteArray& texto) {
    return "<question type=\"essay\"><name><text>" + nombre +
           "</text></name><questiontext format=\"html\"><text><![CDATA[" + texto +
           "]]></text></questiontext></question>";
}

QByteArray BombaDeEntidades() {
    QByteArray x = "<?xml version=\"1.0\"?><!DOCTYPE quiz [<!ENTITY a \"aaaaaaaaaa\">";
    for (int i = 1; i <= 9; ++i)
        x += "<!ENTITY a" + QByteArray::number(i) + " \"" +
             Repetir("&a" + (i > 1 ? QByteArray::number(i - 1) : QByteArray()) + ";", 10) + "\">";
    return x + "]><quiz>" + Ensayo("x", "&a9;") + "</quiz>";
}

// ------------------------------------------------ files that are refused whole

struct CasoArchivo {
    const char* nombre;
    QByteArray datos;
    const char* mensaje; // part of the message
};

class ArchivoRechazado : public ::testing::TestWithParam<CasoArchivo> {};

TEST_P(ArchivoRechazado, ConUnMensajeClaroYSinImportarNada) {
    TBiblioteca b;
    b.Libro(1, 121212, QStringLiteral("Libro"), QStringLiteral("libro"));
    const QString ruta = b.Ruta(QStringLiteral("hostil.xml"));
    Escribir(ruta, GetParam().datos);
    const QStringList antes = Instantanea(b.Ruta());
    auto motor = word::CrearMotorIncrustado();
    QElapsedTimer reloj;
    reloj.start();
    const TInformeImportacion r = moodle::Importar(b.almacen, *motor, ruta);
    EXPECT_LT(reloj.elapsed(), 5000);
    EXPECT_EQ(r.Fin, TFinImportacion::ArchivoNoValido);
    EXPECT_TRUE(r.Mensaje.contains(QString::fromUtf8(GetParam().mensaje)))
        << r.Mensaje.toStdString();
    EXPECT_TRUE(r.Mensaje.contains("hostil.xml"));
    EXPECT_EQ(Instantanea(b.Ruta()), antes);
    EXPECT_TRUE(r.Documentos.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Hostiles, ArchivoRechazado,
    ::testing::Values(
        CasoArchivo{"Cortado", "<?xml version=\"1.0\"?><quiz><question type=\"essay\"><name>",
                    "se acaba antes de tiempo"},
        CasoArchivo{"Vacio", "", "se acaba antes de tiempo"},
        CasoArchivo{"EtiquetasCruzadas", "<quiz><question></quiz></question>",
                    "no es un XML bien formado (línea 1"},
        CasoArchivo{"BombaDeEntidades", BombaDeEntidades(), "declara un tipo de documento"},
        CasoArchivo{"EntidadExterna",
                    "<?xml version=\"1.0\"?><!DOCTYPE quiz [<!ENTITY x SYSTEM "
                    "\"file:///etc/passwd\">]><quiz>&x;</quiz>",
                    "declara un tipo de documento"},
        CasoArchivo{"EntidadSinDeclarar", Quiz(Ensayo("&nada;", "x")), "no es un XML bien formado"},
        CasoArchivo{"OtraRaiz", "<html><body>hola</body></html>",
                    "su elemento principal no es <quiz>"},
        CasoArchivo{"Binario", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                    "no es un XML bien formado"},
        CasoArchivo{"Utf8Roto", Quiz(Ensayo("\xff\xfe", "x")), "no es un XML bien formado"}),
    [](const ::testing::TestParamInfo<CasoArchivo>& i) { return std::string(i.param.nombre); });

TEST(Hostiles, UnArchivoMayorQueElLimiteNoSeLee) {
    const QByteArray enorme(MaxBytesArchivoMoodle + 1, ' ');
    try {
        LeerXmlMoodle(enorme, QStringLiteral("grande.xml"));
        FAIL() << "read";
    } catch (const ErrorBrivo& e) {
        EXPECT_TRUE(e.Mensaje().contains("es demasiado grande")) << e.Mensaje().toStdString();
    }
}

// --------------------------------------------- questions that are left out

struct CasoPregunta {
    const char* nombre;
    QByteArray cuerpo;    // the questions after a first good one
    const char* motivo;   // reason of the question left out ("" none left out)
    int importadas;       // questions imported, the good one included
    int archivosOmitidos; // files or images not taken
};

class PreguntaHostil : public ::testing::TestWithParam<CasoPregunta> {};

TEST_P(PreguntaHostil, SeOmiteYLasDemasEntran) {
    TBiblioteca b;
    b.Libro(1, 121212, QStringLiteral("Libro"), QStringLiteral("libro"));
    // A picture beside the library that no question may take in.
    Escribir(b.Ruta("secreto.png"), Png(7, 7, Qt::magenta));
    const QString ruta = b.Ruta(QStringLiteral("hostil.xml"));
    QByteArray cuerpo = GetParam().cuerpo;
    cuerpo.replace("SECRETO", QUrl::fromLocalFile(b.Ruta("secreto.png")).toEncoded());
    Escribir(ruta, Quiz(Ensayo("Buena", "<p>Bien</p>") + cuerpo));
    QStringList fuera = Instantanea(b.Ruta());
    auto motor = word::CrearMotorIncrustado();
    QElapsedTimer reloj;
    reloj.start();
    const TInformeImportacion r = moodle::Importar(b.almacen, *motor, ruta);
    EXPECT_LT(reloj.elapsed(), 20000);
    EXPECT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.TotalImportadas(), GetParam().importadas);
    EXPECT_EQ(r.ImagenesOmitidas, GetParam().archivosOmitidos);
    const QString motivo = QString::fromUtf8(GetParam().motivo);
    if (motivo.isEmpty()) {
        EXPECT_TRUE(r.Omitidas.empty()) << r.Omitidas.front().Motivo.toStdString();
    } else {
        ASSERT_EQ(r.Omitidas.size(), 1u);
        EXPECT_EQ(r.Omitidas[0].Posicion, 2);
        EXPECT_TRUE(r.Omitidas[0].Motivo.contains(motivo)) << r.Omitidas[0].Motivo.toStdString();
    }
    // Only new K files in the book's folder.
    QStringList despues = Instantanea(b.Ruta());
    for (int k : r.Documentos)
        despues.removeIf([&](const QString& f) {
            return f.startsWith("Docs/libro/" + NombreArchivoDocumento(k) + ' ');
        });
    EXPECT_EQ(despues, fuera);
    // No imported document shows the picture beside the library.
    for (int k : r.Documentos)
        EXPECT_FALSE(ContenidoDe(b.almacen, k).Todas().contains("7x7"));
}

const QByteArray Png4 = Png(4, 4, Qt::blue).toBase64();

INSTANTIATE_TEST_SUITE_P(
    Hostiles, PreguntaHostil,
    ::testing::Values(
        CasoPregunta{"SinTextoDePregunta",
                     "<question type=\"essay\"><name><text>x</text></name></question>",
                     "falta el texto de la pregunta", 1, 0},
        CasoPregunta{"OpcionMultipleDeUnaRespuesta",
                     "<question type=\"multichoice\"><name><text>x</text></name><questiontext>"
                     "<text>x</text></questiontext><answer fraction=\"100\"><text>a</text>"
                     "</answer></question>",
                     "al menos dos respuestas", 1, 0},
        CasoPregunta{"DemasiadoAnidada",
                     "<question type=\"essay\"><questiontext><text>x</text></questiontext>" +
                         Repetir("<a>", 40) + Repetir("</a>", 40) + "</question>",
                     "demasiado anidados", 1, 0},
        CasoPregunta{"DemasiadosElementos",
                     "<question type=\"essay\"><questiontext><text>x</text></questiontext>" +
                         Repetir("<tag/>", MaxElementosPregunta + 5) + "</question>",
                     "demasiados elementos", 1, 0},
        CasoPregunta{"TextoEnorme", Ensayo("x", QByteArray(MaxBytesTextoMoodle + 10, 'x')),
                     "demasiado grande", 1, 0},
        CasoPregunta{"HtmlMuyAnidado", Ensayo("x", Repetir("<b>", 5000) + "x"),
                     "demasiado grande o está dañado", 1, 0},
        CasoPregunta{"CeldaGigante",
                     Ensayo("x", "<table><tr><td colspan=\"100000000\">x</td></tr></table>"),
                     "demasiado grande o está dañado", 1, 0},
        CasoPregunta{"Base64Enorme",
                     "<question type=\"essay\"><questiontext><text><![CDATA[<img "
                     "src=\"@@PLUGINFILE@@/g.png\">]]></text><file name=\"g.png\" "
                     "encoding=\"base64\">" +
                         QByteArray(MaxBytesArchivoPregunta / 3 * 4 + 100, 'A') +
                         "</file></questiontext></question>",
                     "", 2, 2},
        CasoPregunta{"Base64Roto",
                     "<question type=\"essay\"><questiontext><text><![CDATA[<img "
                     "src=\"@@PLUGINFILE@@/g.png\">]]></text><file name=\"g.png\" "
                     "encoding=\"base64\">!!!!</file></questiontext></question>",
                     "", 2, 2},
        CasoPregunta{"NoEsImagen",
                     "<question type=\"essay\"><questiontext><text><![CDATA[<img "
                     "src=\"@@PLUGINFILE@@/g.png\">]]></text><file name=\"g.png\" "
                     "encoding=\"base64\">" +
                         QByteArray("#!/bin/sh\nrm -rf /\n").toBase64() +
                         "</file></questiontext></question>",
                     "", 2, 1},
        CasoPregunta{"RutasEnLosArchivos",
                     "<question type=\"essay\"><questiontext><text><![CDATA[<img "
                     "src=\"@@PLUGINFILE@@/../../../fuera.png\">]]></text><file "
                     "name=\"../../fuera.png\" path=\"/../../\" encoding=\"base64\">" +
                         Png4 + "</file><file name=\"/etc/passwd\" encoding=\"base64\">" + Png4 +
                         "</file></questiontext></question>",
                     "", 2, 1},
        CasoPregunta{"ArchivoRepetido",
                     "<question type=\"essay\"><questiontext><text><![CDATA[<img "
                     "src=\"@@PLUGINFILE@@/a.png\">]]></text><file name=\"a.png\" "
                     "encoding=\"base64\">" +
                         Png4 + "</file><file name=\"a.png\" encoding=\"base64\">" + Png4 +
                         "</file></questiontext></question>",
                     "", 2, 1},
        CasoPregunta{"ImagenDelOrdenador", Ensayo("x", "<p><img src=\"SECRETO\"></p>"), "", 2, 1},
        CasoPregunta{"HojasDeEstilo",
                     Ensayo("x", "<style>@import url(file:///dev/zero);</style><link "
                                 "rel=\"stylesheet\" href=\"file:///dev/zero\"><p>x</p>"),
                     "", 2, 0},
        CasoPregunta{"Dispositivo", Ensayo("x", "<p><img src=\"/dev/zero\"> x</p>"), "", 2, 1},
        CasoPregunta{"GuionesYMarcos",
                     Ensayo("x", "<script>alert(1)</script><iframe src=\"SECRETO\"></iframe><p "
                                 "onclick=\"x()\">texto</p>"),
                     "", 2, 0},
        CasoPregunta{"NombresRepetidos", Ensayo("Buena", "<p>Otra</p>") + Ensayo("Buena", "x"), "",
                     3, 0},
        CasoPregunta{"SinNombreNiTipo",
                     "<question><questiontext><text>x</text></questiontext></question>"
                     "<question type=\"essay\"><questiontext><text>sin nombre</text>"
                     "</questiontext></question>",
                     "", 2, 0}),
    [](const ::testing::TestParamInfo<CasoPregunta>& i) { return std::string(i.param.nombre); });

} // namespace
