// The Moodle XML the export writes, read element by element against Moodle's
// documented question format ("Moodle XML format" in MoodleDocs): the XML
// declaration alone on the first line, UTF-8, <quiz> holding <question
// type="...">; category questions with <category><text>$course$/...; for
// every question <name><text>, <questiontext format="html"> with its HTML in
// a CDATA section and its images as <file name path encoding="base64">,
// <generalfeedback>, <defaultgrade>, <penalty>, <hidden>; multichoice with
// <single>, <shuffleanswers>, <answernumbering> and <answer fraction> each
// with <text> and <feedback>; essay with <responseformat>,
// <responsefieldlines>, <attachments>, <graderinfo>, <responsetemplate>;
// <tags><tag><text>.
#include <QDomDocument>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include "EntornoMoodle.h"
#include "ExportacionMoodle.h"
#include "ProcesadorTextos.h"

using namespace brivo::pruebas;

namespace {

QDomElement Hijo(const QDomElement& e, const char* nombre) {
    return e.firstChildElement(QString::fromLatin1(nombre));
}

QStringList NombresHijos(const QDomElement& e) {
    QStringList nombres;
    for (QDomElement h = e.firstChildElement(); !h.isNull(); h = h.nextSiblingElement())
        nombres << h.tagName();
    return nombres;
}

bool EsNumero(const QString& texto) {
    bool valido = false;
    texto.trimmed().toDouble(&valido);
    return valido;
}

// A text field: <text> whose HTML is a CDATA section (or empty), its files
// named and referred to both ways.
void ComprobarTextoHtml(const QDomElement& campo, const QString& donde) {
    SCOPED_TRACE(donde.toStdString());
    ASSERT_FALSE(campo.isNull());
    EXPECT_EQ(campo.attribute("format"), "html");
    const QDomElement texto = Hijo(campo, "text");
    ASSERT_FALSE(texto.isNull());
    QString html;
    if (texto.hasChildNodes()) {
        ASSERT_TRUE(texto.firstChild().isCDATASection()) << "HTML fuera de CDATA";
        html = texto.text();
    }
    QStringList referidos;
    static const QRegularExpression referencia(QStringLiteral("@@PLUGINFILE@@/([^\"'> ]+)"));
    for (auto it = referencia.globalMatch(html); it.hasNext();)
        referidos << QUrl::fromPercentEncoding(it.next().captured(1).toUtf8());
    QStringList archivos;
    for (QDomElement f = campo.firstChildElement("file"); !f.isNull();
         f = f.nextSiblingElement("file")) {
        EXPECT_FALSE(f.attribute("name").isEmpty());
        EXPECT_EQ(f.attribute("path"), "/");
        EXPECT_EQ(f.attribute("encoding"), "base64");
        const QByteArray datos =
            QByteArray::fromBase64(f.text().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        EXPECT_FALSE(datos.isEmpty())
            << "base64 no válido en " << f.attribute("name").toStdString();
        EXPECT_FALSE(QImage::fromData(datos).isNull());
        archivos << f.attribute("name");
    }
    referidos.removeDuplicates();
    referidos.sort();
    archivos.sort();
    EXPECT_EQ(referidos, archivos) << "cada imagen del texto es un <file> del mismo elemento";
}

void ComprobarComunes(const QDomElement& q) {
    EXPECT_FALSE(Hijo(Hijo(q, "name"), "text").text().trimmed().isEmpty());
    ComprobarTextoHtml(Hijo(q, "questiontext"), "questiontext");
    ComprobarTextoHtml(Hijo(q, "generalfeedback"), "generalfeedback");
    const QString nota = Hijo(q, "defaultgrade").text();
    EXPECT_TRUE(EsNumero(nota)) << nota.toStdString();
    EXPECT_GT(nota.toDouble(), 0);
    const double penalizacion = Hijo(q, "penalty").text().toDouble();
    EXPECT_TRUE(EsNumero(Hijo(q, "penalty").text()));
    EXPECT_GE(penalizacion, 0);
    EXPECT_LE(penalizacion, 1);
    EXPECT_TRUE(Hijo(q, "hidden").text() == "0" || Hijo(q, "hidden").text() == "1");
    const QDomElement etiquetas = Hijo(q, "tags");
    if (!etiquetas.isNull())
        for (QDomElement t = etiquetas.firstChildElement(); !t.isNull();
             t = t.nextSiblingElement()) {
            EXPECT_EQ(t.tagName(), "tag");
            EXPECT_FALSE(Hijo(t, "text").text().isEmpty());
        }
}

void ComprobarOpcionMultiple(const QDomElement& q) {
    const QString unica = Hijo(q, "single").text();
    ASSERT_TRUE(unica == "true" || unica == "false");
    const QString barajar = Hijo(q, "shuffleanswers").text();
    EXPECT_TRUE(QStringList({"true", "false", "1", "0"}).contains(barajar));
    EXPECT_TRUE(QStringList({"abc", "ABCD", "123", "iii", "IIII", "none"})
                    .contains(Hijo(q, "answernumbering").text()));
    int respuestas = 0;
    int enteras = 0;
    for (QDomElement a = q.firstChildElement("answer"); !a.isNull();
         a = a.nextSiblingElement("answer")) {
        ++respuestas;
        ASSERT_TRUE(EsNumero(a.attribute("fraction")));
        const double fraccion = a.attribute("fraction").toDouble();
        EXPECT_GE(fraccion, -100);
        EXPECT_LE(fraccion, 100);
        if (fraccion == 100)
            ++enteras;
        ComprobarTextoHtml(a, "answer");
        EXPECT_FALSE(Hijo(a, "feedback").isNull());
    }
    EXPECT_GE(respuestas, 2);
    if (unica == "true") {
        EXPECT_EQ(enteras, 1) << "una sola respuesta vale el 100 %";
    }
}

void ComprobarEnsayo(const QDomElement& q) {
    EXPECT_TRUE(QStringList({"editor", "editorfilepicker", "plain", "monospaced", "noinline"})
                    .contains(Hijo(q, "responseformat").text()));
    bool entero = false;
    EXPECT_GT(Hijo(q, "responsefieldlines").text().toInt(&entero), 0);
    EXPECT_TRUE(entero);
    Hijo(q, "attachments").text().toInt(&entero);
    EXPECT_TRUE(entero);
    ComprobarTextoHtml(Hijo(q, "graderinfo"), "graderinfo");
    EXPECT_FALSE(Hijo(q, "responsetemplate").isNull());
    EXPECT_TRUE(q.firstChildElement("answer").isNull());
}

// Exports a case's library as Moodle XML and checks the file.
void ComprobarCaso(const QString& caso, int categoriasEsperadas) {
    TBiblioteca b;
    CargarCaso(b, caso);
    const QString salida = b.Ruta("preguntas.xml");
    auto motor = word::CrearMotorIncrustado();
    moodle::Exportar(b.almacen, *motor, b.aExportar, salida, moodle::TFormato::Xml);
    const QByteArray datos = Leer(salida);

    // The XML declaration is the whole first line, in UTF-8.
    EXPECT_EQ(datos.left(datos.indexOf('\n')), R"(<?xml version="1.0" encoding="UTF-8"?>)");
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(datos));
    EXPECT_FALSE(utf8.hasError());

    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(datos)) << "XML mal formado";
    const QDomElement quiz = doc.documentElement();
    ASSERT_EQ(quiz.tagName(), "quiz");
    int categorias = 0;
    int preguntas = 0;
    bool hayCategoria = false;
    for (QDomElement q = quiz.firstChildElement(); !q.isNull(); q = q.nextSiblingElement()) {
        ASSERT_EQ(q.tagName(), "question");
        const QString tipo = q.attribute("type");
        SCOPED_TRACE((tipo + " " + Hijo(Hijo(q, "name"), "text").text()).toStdString());
        if (tipo == "category") {
            ++categorias;
            hayCategoria = true;
            EXPECT_EQ(NombresHijos(q).front(), "category");
            EXPECT_TRUE(Hijo(Hijo(q, "category"), "text").text().startsWith("$course$/"));
            continue;
        }
        EXPECT_TRUE(hayCategoria) << "cada pregunta va tras su categoría";
        ++preguntas;
        ComprobarComunes(q);
        if (tipo == "multichoice")
            ComprobarOpcionMultiple(q);
        else if (tipo == "essay")
            ComprobarEnsayo(q);
        else
            ADD_FAILURE() << "tipo inesperado " << tipo.toStdString();
    }
    EXPECT_EQ(categorias, categoriasEsperadas);
    EXPECT_EQ(preguntas, int(b.aExportar.size()));
}

TEST(FormatoMoodle, CadaTipoYLugarSiguenElFormatoDocumentado) {
    ComprobarCaso(QStringLiteral("tipos"), 4);
}

TEST(FormatoMoodle, LasImagenesSonArchivosDelTextoQueLasMuestra) {
    ComprobarCaso(QStringLiteral("imagenes"), 1);
}

TEST(FormatoMoodle, LosCaracteresEspecialesQuedanBienFormados) {
    ComprobarCaso(QStringLiteral("gift_especiales"), 4);
}

} // namespace
