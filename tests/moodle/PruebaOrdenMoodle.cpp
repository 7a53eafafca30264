// brivo2-datos CARPETA moodle: which documents go out for each option, the
// exit codes, and a library that is only read (also while another program
// holds it).
#include <QDomDocument>
#include <QFileInfo>
#include <QProcess>

#include "Cerrojo.h"
#include "EntornoMoodle.h"

using namespace brivo::pruebas;

namespace {

struct Salida {
    int codigo = -1;
    QString salida;
    QString error;
};

Salida Ejecutar(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2-datos"), argumentos);
    Salida s;
    if (!p.waitForFinished(120000))
        return s;
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.salida = QString::fromUtf8(p.readAllStandardOutput());
    s.error = QString::fromUtf8(p.readAllStandardError());
    return s;
}

// Names of the questions of a Moodle XML file, in order.
QStringList Nombres(const QString& ruta) {
    QDomDocument doc;
    doc.setContent(Leer(ruta));
    QStringList nombres;
    const QDomNodeList preguntas = doc.elementsByTagName("question");
    for (int i = 0; i < preguntas.size(); ++i) {
        const QDomElement q = preguntas.at(i).toElement();
        if (q.attribute("type") != "category")
            nombres << q.firstChildElement("name").firstChildElement("text").text();
    }
    return nombres;
}

class Orden : public ::testing::Test {
protected:
    // A case's library saved in its folder; outputs go to another folder.
    void Preparar(const QString& caso) {
        CargarCaso(b, caso);
        b.almacen.GuardarLibreria();
        antes = Instantanea(b.Ruta());
    }
    Salida Moodle(const QString& archivo, const QStringList& opciones = {}) {
        return Ejecutar(QStringList{b.Ruta(), "moodle", fuera.filePath(archivo)} + opciones);
    }
    QString Fuera(const QString& archivo) const { return fuera.filePath(archivo); }

    TBiblioteca b;
    QTemporaryDir fuera;
    QStringList antes;
};

TEST_F(Orden, ElLibroActivoPorOmisionYLaBibliotecaSoloSeLee) {
    Preparar("tipos");
    // Another program has the library open: this command only reads.
    TCerrojoBiblioteca cerrojo(b.Ruta());
    ASSERT_EQ(cerrojo.Tomar(), TCerrojoBiblioteca::Resultado::Tomado);
    const Salida s = Moodle("preguntas.xml");
    EXPECT_EQ(s.codigo, 0) << s.error.toStdString();
    EXPECT_TRUE(s.salida.contains("5 preguntas en 4 categorías")) << s.salida.toStdString();
    EXPECT_EQ(Nombres(Fuera("preguntas.xml")),
              QStringList({"Velocidad media", "Unidades", "Tiro parabólico", "Número atómico",
                           "Documento 4"}));
    cerrojo.Soltar();
    EXPECT_EQ(Instantanea(b.Ruta()), antes);
}

TEST_F(Orden, UnLibroUnNodoOUnaListaDeDocumentos) {
    Preparar("tipos");
    EXPECT_EQ(Moodle("libro.gift", {"--libro", "1"}).codigo, 0);
    EXPECT_TRUE(
        QString::fromUtf8(Leer(Fuera("libro.gift"))).startsWith("$CATEGORY: $course$/Física"));
    EXPECT_EQ(Moodle("nodo.xml", {"--nodo", "2,20"}).codigo, 0);
    EXPECT_EQ(Nombres(Fuera("nodo.xml")),
              QStringList({"Velocidad media", "Unidades", "Tiro parabólico"}));
    EXPECT_EQ(Moodle("contenido.xml", {"--nodo=2,20,200", "--libro=1"}).codigo, 0);
    EXPECT_EQ(Nombres(Fuera("contenido.xml")), QStringList({"Velocidad media", "Unidades"}));
    // The same node written as seleccionar writes it.
    EXPECT_EQ(Moodle("barras.xml", {"--nodo=2/20/200", "--libro=1"}).codigo, 0);
    EXPECT_EQ(Nombres(Fuera("barras.xml")), QStringList({"Velocidad media", "Unidades"}));
    EXPECT_EQ(Moodle("examen.xml", {"--examen", "--documentos", "3, 1"}).codigo, 0);
    EXPECT_EQ(Nombres(Fuera("examen.xml")), QStringList({"Número atómico", "Velocidad media"}));
    EXPECT_EQ(Instantanea(b.Ruta()), antes);
}

TEST_F(Orden, AlgunDocumentoFallidoSaleConUno) {
    Preparar("fallos");
    const Salida s = Moodle("examen.xml", {"--examen", "--documentos", "2,7"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.salida.contains("Documento 7 «Nunca abierto»: no tiene archivo"))
        << s.salida.toStdString();
    EXPECT_EQ(Nombres(Fuera("examen.xml")), QStringList({"Reyes Católicos"}));
}

TEST_F(Orden, LosErroresSalenConDosYNoEscribenNada) {
    Preparar("fallos");
    const struct {
        QStringList opciones;
        const char* archivo;
        const char* mensaje;
    } casos[] = {
        {{}, "salida.pdf", "debe terminar en .xml"},
        {{"--libro", "9"}, "s.xml", "No hay ningún libro en la ranura 9"},
        {{"--libro", "2"}, "s.xml", "No está permitido exportar el libro «Privado»"},
        {{"--nodo", "7,7"}, "s.xml", "No hay ningún nodo con los identificadores 7,7"},
        {{"--nodo", "1,1"}, "s.xml", "No hay documentos que exportar"},
        {{"--examen"}, "s.xml", "Uso:"},
        {{"--documentos", "1"}, "s.xml", "Uso:"},
        {{"--examen", "--documentos", "1,x"}, "s.xml", "no es una lista de números"},
        {{"--examen", "--documentos", "1", "--libro", "1"}, "s.xml", "Uso:"},
        {{"--libro"}, "s.xml", "Uso:"},
        {{"--otra", "1"}, "s.xml", "Uso:"},
    };
    for (const auto& c : casos) {
        const Salida s = Moodle(QString::fromLatin1(c.archivo), c.opciones);
        SCOPED_TRACE(c.opciones.join(' ').toStdString());
        EXPECT_EQ(s.codigo, 2);
        EXPECT_TRUE(s.error.contains(QString::fromUtf8(c.mensaje))) << s.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Fuera(QString::fromLatin1(c.archivo))));
    }
    EXPECT_EQ(Ejecutar({b.Ruta("no-existe"), "moodle", Fuera("s.xml")}).codigo, 2);
    EXPECT_EQ(Instantanea(b.Ruta()), antes);
}

TEST_F(Orden, LaAyudaNombraLaOrden) {
    const Salida s = Ejecutar({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_TRUE(s.salida.contains("moodle SALIDA.xml|SALIDA.gift [--libro N] [--nodo "
                                  "IDENTIFICADORES]"));
    EXPECT_TRUE(s.salida.contains("--examen --documentos 3,1,2"));
}

} // namespace
