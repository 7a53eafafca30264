// Moodle XML files read into the active book: the documents each question
// type gives, where in the tree they go, and the rules of new documents
// (permissions, the 500 slots, a leftover file in a new document's place,
// the question model, the password).
#include <QDir>
#include <QFile>

#include "EntornoMoodle.h"
#include "ImportacionMoodle.h"
#include "MontajeExamen.h"
#include "ProcesadorTextos.h"

using namespace brivo::pruebas;
using namespace brivo::moodle;

namespace {

constexpr int Destino = 777777;

const char* const Cabecera = R"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
)";

QString PngBase64(int ancho, int alto, Qt::GlobalColor color) {
    return QString::fromLatin1(Png(ancho, alto, color).toBase64());
}

// A question of each type the import takes and three of types it leaves
// out, all under a category of two levels below "top".
const QString CadaTipo = QStringLiteral(R"(
<question type="category"><category><text>$course$/top/Ciencias/Física</text></category></question>
<question type="multichoice"><name><text>Varias</text></name>
  <questiontext format="html"><text><![CDATA[<p>¿Cuáles son <b>primos</b>?</p>]]></text></questiontext>
  <generalfeedback format="html"><text><![CDATA[<p>Los que sólo se dividen por 1 y por sí mismos.</p>]]></text></generalfeedback>
  <defaultgrade>2.5</defaultgrade><single>false</single>
  <answer fraction="50" format="html"><text>2</text></answer>
  <answer fraction="-100" format="html"><text>4</text></answer>
  <answer fraction="50" format="html"><text><![CDATA[<p>7</p>]]></text></answer>
  <tags><tag><text>dificultad-6</text></tag><tag><text>Prob</text></tag></tags>
</question>
<question type="truefalse"><name><text>Sol</text></name>
  <questiontext format="moodle_auto_format"><text>El Sol gira
alrededor de la Tierra.</text></questiontext>
  <answer fraction="0"><text>true</text></answer><answer fraction="100"><text>false</text></answer>
</question>
<question type="shortanswer"><name><text>Río</text></name>
  <questiontext format="plain_text"><text>Río de &lt;Sevilla&gt;</text></questiontext>
  <answer fraction="100"><text>Guadalquivir</text></answer><answer fraction="50"><text>Betis</text></answer>
  <answer fraction="0"><text>Ebro</text></answer>
</question>
<question type="numerical"><name><text>Pi</text></name>
  <questiontext format="html"><text>Valor de pi</text></questiontext>
  <answer fraction="100"><text>3.14</text><tolerance>0.01</tolerance></answer>
  <answer fraction="0"><text>*</text><tolerance>0</tolerance></answer>
</question>
<question type="essay"><name><text>Ensayo</text></name>
  <questiontext format="html"><text>Explica la gravedad.</text></questiontext>
  <graderinfo format="html"><text><![CDATA[<p>Debe citar a <i>Newton</i>.</p>]]></text></graderinfo>
  <tags><tag><text>Preg</text></tag></tags>
</question>
<question type="description"><name><text>Lee</text></name>
  <questiontext format="html"><text>Lee el texto siguiente.</text></questiontext>
</question>
<question type="matching"><name><text>Empareja</text></name><questiontext><text>x</text></questiontext></question>
<question type="cloze"><name><text>Huecos</text></name><questiontext><text>x</text></questiontext></question>
<question type="matching"><name><text>Otra</text></name><questiontext><text>x</text></questiontext></question>
)");

// What each imported question of CadaTipo becomes.
struct Esperado {
    const char* descripcion;
    int tipo;
    const char* respuesta;
    double puntos;
    int dificultad;
    QStringList secciones; // #PREG, #DESA, #RESP, #COMENT
};

const Esperado EsperadosDeCadaTipo[] = {
    {"Varias",
     1,
     "a,c",
     2.5,
     6,
     {"¿Cuáles son primos?|a) 2|b) 4|c) 7", "", "a) 2 (50 %)|c) 7 (50 %)",
      "Los que sólo se dividen por 1 y por sí mismos."}},
    {"Sol",
     1,
     "b",
     1,
     0,
     {QStringLiteral("El Sol gira\u2028alrededor de la Tierra.|a) Verdadero|b) Falso"), "",
      "b) Falso", ""}},
    {"Río", 0, "", 1, 0, {"Río de <Sevilla>", "", "Guadalquivir|Betis (50 %)", ""}},
    {"Pi", 0, "", 1, 0, {"Valor de pi", "", "3.14 ± 0.01", ""}},
    {"Ensayo", 3, "", 1, 0, {"Explica la gravedad.", "", "Debe citar a Newton.", ""}},
    {"Lee", 0, "", 1, 0, {"Lee el texto siguiente.", "", "", ""}},
};

class Importacion : public ::testing::Test {
protected:
    void SetUp() override {
        b.Libro(1, Destino, QStringLiteral("Destino"), QStringLiteral("destino"));
    }

    TInformeImportacion Importar(const QString& cuerpo, TOpcionesImportacion opciones = {}) {
        const QString ruta = b.Ruta(QStringLiteral("entrada.xml"));
        Escribir(ruta,
                 (QString::fromUtf8(Cabecera) + cuerpo + QStringLiteral("</quiz>\n")).toUtf8());
        auto motor = word::CrearMotorIncrustado();
        return moodle::Importar(b.almacen, *motor, ruta, opciones);
    }
    const TDocumento& Doc(int k) const { return b.almacen.Documentos[size_t(k)]; }
    QStringList Textos(const TNodo* padre) const {
        QStringList t;
        for (const auto& h : padre ? padre->Hijos : b.almacen.Arbol.Raices())
            t << h->Texto;
        return t;
    }

    // Document k as e describes it, from the target book, placed at lugar.
    void ComprobarDocumento(int k, const Esperado& e, const TLugar& lugar) const {
        SCOPED_TRACE(e.descripcion);
        const TDocumento& d = Doc(k);
        EXPECT_EQ(d.Descripcion.Texto(), QString::fromUtf8(e.descripcion));
        EXPECT_EQ(d.Tipo, e.tipo);
        EXPECT_EQ(d.Respuesta.Texto(), QString::fromUtf8(e.respuesta));
        EXPECT_EQ(d.Puntos, e.puntos);
        EXPECT_EQ(d.Dificultad, e.dificultad);
        EXPECT_EQ(d.IdLibro, Destino);
        EXPECT_EQ(d.FechaUso.Texto(), "01/01/1900");
        EXPECT_EQ(d.FechaCreacion.Texto(), Hoy());
        EXPECT_EQ(d.Formato.Texto(), "DOC9");
        EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), lugar);
        EXPECT_EQ(ContenidoDe(b.almacen, k).Secciones, e.secciones);
    }

    TBiblioteca b;
};

TEST_F(Importacion, CadaTipoSeHaceDocumento) {
    const TInformeImportacion r = Importar(CadaTipo);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa) << r.Mensaje.toStdString();
    EXPECT_EQ(r.PreguntasEnArchivo, 9);
    EXPECT_EQ(r.TotalImportadas(), 6);
    EXPECT_EQ(r.TiposOmitidos, (std::map<QString, int>{{"cloze", 1}, {"matching", 2}}));
    ASSERT_EQ(r.Documentos, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    const TLugar lugar = Doc(1).IdMateria ? TLugar{Doc(1).IdMateria, Doc(1).IdTema, 0} : TLugar{};
    for (int k = 1; k <= 6; ++k)
        ComprobarDocumento(k, EsperadosDeCadaTipo[k - 1], lugar);
    QString materia, tema, contenido;
    b.almacen.Arbol.NombresDeLugar(lugar, materia, tema, contenido);
    EXPECT_EQ(materia, "Ciencias");
    EXPECT_EQ(tema, "Física");
    EXPECT_EQ(r.NodosAnadidos, 2);
}

TEST_F(Importacion, LasCategoriasEncuentranSusNodosOLosAnaden) {
    b.Nodo({2}, QStringLiteral("Historia"));
    b.Nodo({2, 5}, QStringLiteral("Edad Media"));
    // A materia that shares its name with "Útiles" is a new one, never the special node.
    const QString xml = QStringLiteral(R"(
<question type="category"><category><text>$course$/Historia/Edad Media</text></category></question>
<question type="essay"><name><text>Uno</text></name><questiontext><text>1</text></questiontext></question>
<question type="category"><category><text>$course$/Historia/Edad Moderna/Siglo XVI/Carlos V//Felipe II</text></category></question>
<question type="essay"><name><text>Dos</text></name><questiontext><text>2</text></questiontext></question>
<question type="category"><category><text>$course$/top</text></category></question>
<question type="essay"><name><text>Tres</text></name><questiontext><text>3</text></questiontext></question>
<question type="category"><category><text>$course$/Útiles/No asignados</text></category></question>
<question type="essay"><name><text>Cuatro</text></name><questiontext><text>4</text></questiontext></question>
)");
    const TInformeImportacion r = Importar(QStringLiteral(R"(
<question type="essay"><name><text>Cero</text></name><questiontext><text>0</text></questiontext></question>)") +
                                           xml);
    ASSERT_EQ(r.TotalImportadas(), 5);
    // Before any category question, and under "top" alone: no place ("No asignados").
    EXPECT_EQ((TLugar{Doc(1).IdMateria, Doc(1).IdTema, Doc(1).IdContenido}), TLugar{});
    EXPECT_EQ((TLugar{Doc(4).IdMateria, Doc(4).IdTema, Doc(4).IdContenido}), TLugar{});
    EXPECT_EQ((TLugar{Doc(2).IdMateria, Doc(2).IdTema, Doc(2).IdContenido}), (TLugar{2, 5, 0}));
    QString materia, tema, contenido;
    b.almacen.Arbol.NombresDeLugar({Doc(3).IdMateria, Doc(3).IdTema, Doc(3).IdContenido}, materia,
                                   tema, contenido);
    EXPECT_EQ(QStringList({materia, tema, contenido}),
              QStringList({"Historia", "Edad Moderna", "Siglo XVI / Carlos V/Felipe II"}));
    EXPECT_EQ(Textos(nullptr), QStringList({"Útiles", "Historia", "Útiles"}));
    EXPECT_EQ(Doc(5).IdMateria, b.almacen.Arbol.Raices().back()->Id());
    EXPECT_GT(Doc(5).IdMateria, 1);
    EXPECT_EQ(r.NodosAnadidos, 4);
}

TEST_F(Importacion, LosNodosPasanPorLaFuncionYUnoFallidoDejaFueraLaPregunta) {
    QStringList anadidos;
    TOpcionesImportacion o;
    o.AnadirNodo = [&](TNodo* padre, const QString& texto, const QString& id) -> TNodo* {
        anadidos << texto;
        if (texto == QLatin1String("Prohibido"))
            return nullptr;
        return b.almacen.Arbol.Anadir(padre, texto, id);
    };
    const TInformeImportacion r = Importar(QStringLiteral(R"(
<question type="category"><category><text>$course$/Permitido</text></category></question>
<question type="essay"><name><text>Sí</text></name><questiontext><text>1</text></questiontext></question>
<question type="category"><category><text>$course$/Prohibido/Tema</text></category></question>
<question type="essay"><name><text>No</text></name><questiontext><text>2</text></questiontext></question>
)"),
                                           o);
    EXPECT_EQ(anadidos, QStringList({"Permitido", "Prohibido"}));
    EXPECT_EQ(r.Documentos, std::vector<int>{1});
    ASSERT_EQ(r.Omitidas.size(), 1u);
    EXPECT_EQ(r.Omitidas[0].Posicion, 2);
    EXPECT_EQ(r.Omitidas[0].Motivo, "no se ha podido añadir al árbol el nodo «Prohibido»");
}

TEST_F(Importacion, LasImagenesDeLaPreguntaVanIncrustadas) {
    const TInformeImportacion r =
        Importar(QStringLiteral(R"(
<question type="multichoice"><name><text>Imágenes</text></name>
  <questiontext format="html"><text><![CDATA[<p>Mira <img src="@@PLUGINFILE@@/sub/mi%20dibujo.png?time=1"> y
  <img src="@@PLUGINFILE@@/falta.png"> <img src="https://ejemplo.org/x.png"></p>]]></text>
  <file name="mi dibujo.png" path="/sub/" encoding="base64">%1</file></questiontext>
  <answer fraction="100" format="html"><text><![CDATA[<img src="@@PLUGINFILE@@/r.png">]]></text>
    <file name="r.png" path="/" encoding="base64">%2</file></answer>
  <answer fraction="0" format="html"><text>Ninguna</text></answer>
</question>
<question type="essay"><name><text>Antigua</text></name><questiontext><text>Con imagen</text></questiontext>
  <image>carpeta/vieja.png</image><image_base64>%3</image_base64></question>
)")
                     .arg(PngBase64(40, 20, Qt::blue), PngBase64(8, 8, Qt::red),
                          PngBase64(5, 6, Qt::green)));
    ASSERT_EQ(r.TotalImportadas(), 2);
    EXPECT_EQ(r.ImagenesOmitidas, 2); // the missing file and the web address
    EXPECT_EQ(ContenidoDe(b.almacen, 1).Imagenes[SecPregunta], QStringList({"40x20", "8x8"}));
    EXPECT_EQ(ContenidoDe(b.almacen, 1).Imagenes[SecRespuesta], QStringList({"8x8"}));
    EXPECT_EQ(ContenidoDe(b.almacen, 1).Secciones[SecRespuesta], "a)");
    EXPECT_EQ(ContenidoDe(b.almacen, 2).Todas(), QStringList({"5x6"}));
}

TEST_F(Importacion, PermisosDeLosDocumentosNuevos) {
    const QString una = QStringLiteral(
        R"(<question type="essay"><name><text>x</text></name><questiontext><text>x</text></questiontext></question>)");
    b.almacen.Libros[1].PermitirMasDoc = false;
    TInformeImportacion r = Importar(una);
    EXPECT_EQ(r.Fin, TFinImportacion::SinPermiso);
    EXPECT_EQ(r.Mensaje, "No está permitido añadir documentos al libro activo. \r\nPuede "
                         "modificar este comportamiento en Libro/Propiedades\r\nsi dispone del "
                         "identificador de este libro");
    EXPECT_EQ(r.Lineas(), QStringList{r.Mensaje});
    b.almacen.Libros[1].PermitirMasDoc = true;
    b.almacen.SoloConsulta = true;
    EXPECT_EQ(Importar(una).Fin, TFinImportacion::SoloConsulta);
    b.almacen.SoloConsulta = false;
    b.almacen.LibroActivo = 0;
    EXPECT_EQ(Importar(una).Fin, TFinImportacion::SinLibroActivo);
    b.almacen.LibroActivo = 1;
    b.almacen.Libros[1].Carpeta = QStringLiteral("..");
    EXPECT_EQ(Importar(una).Fin, TFinImportacion::CarpetaNoValida);
    for (int k = 1; k <= MaxDocumentos; ++k)
        EXPECT_FALSE(Doc(k).Usado());
}

TEST_F(Importacion, SoloSeOcupanHuecosLibres) {
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (k != 250 && k != 499)
            b.Documento(k, Destino, {}, QString());
    QString tres;
    for (int i = 0; i < 3; ++i)
        tres +=
            QStringLiteral(
                R"(<question type="essay"><name><text>P%1</text></name><questiontext><text>x</text></questiontext></question>)")
                .arg(i);
    const TInformeImportacion r = Importar(tres);
    EXPECT_EQ(r.Documentos, (std::vector<int>{250, 499}));
    EXPECT_EQ(r.SinSitio, 1);
    EXPECT_TRUE(r.Lineas().join('\n').contains("la tabla de documentos está llena"));
}

TEST_F(Importacion, UnArchivoSobranteEnElSitioNuevoSeAparta) {
    Escribir(b.Ruta("Docs/destino/K000001.doc"), "sobrante");
    QDir().mkpath(b.Ruta("BAK/destino"));
    Escribir(b.Ruta("BAK/destino/K000001.doc"), "anterior");
    const TInformeImportacion r = Importar(QStringLiteral(
        R"(<question type="essay"><name><text>x</text></name><questiontext><text>Nuevo</text></questiontext></question>)"));
    ASSERT_EQ(r.Documentos, std::vector<int>{1});
    EXPECT_EQ(Leer(b.Ruta("BAK/destino/K000001 (2).doc")), "sobrante");
    EXPECT_EQ(Leer(b.Ruta("BAK/destino/K000001.doc")), "anterior");
    EXPECT_EQ(r.Apartados.size(), 1);
    EXPECT_EQ(ContenidoDe(b.almacen, 1).Secciones[SecPregunta], "Nuevo");
}

TEST_F(Importacion, UnaImportacionInterrumpidaInformaDeLoQueHizo) {
    // The second new document's place holds a file no record names, and BAK
    // is a file, so it cannot be moved aside.
    Escribir(b.Ruta("Docs/destino/K000002.doc"), "sobrante");
    Escribir(b.Ruta("BAK"), "no es una carpeta");
    const QString una = QStringLiteral(
        R"(<question type="essay"><name><text>P%1</text></name><questiontext><text>x</text></questiontext></question>)");
    const TInformeImportacion r = Importar(una.arg(1) + una.arg(2) + una.arg(3));
    EXPECT_EQ(r.Fin, TFinImportacion::Interrumpida);
    ASSERT_EQ(r.Documentos, std::vector<int>{1});
    EXPECT_EQ(Leer(b.Ruta("Docs/destino/K000002.doc")), "sobrante");
    const QStringList lineas = r.Lineas();
    ASSERT_GE(lineas.size(), 3);
    EXPECT_EQ(lineas[0], r.Mensaje);
    EXPECT_TRUE(lineas[0].contains("K000002.doc")) << lineas[0].toStdString();
    EXPECT_EQ(lineas[1], "Preguntas en el archivo: 3.");
    EXPECT_EQ(lineas[2], "Preguntas importadas: 1 (ensayo: 1).");
}

TEST_F(Importacion, ElModeloElegidoDaElArchivoYSeRespetaLaReglaDeLaClave) {
    // A model of another book, encrypted with its identifier, with the four
    // markers and a heading of its own before them.
    b.Libro(2, 888888, QStringLiteral("Modelos"), QStringLiteral("modelos"), true);
    b.Documento(9, 888888, {1, 1, 0},
                QStringLiteral("<p>CABECERA</p><p>#PREG</p><p>escriba</p><p>#DESA</p><p>-</p>"
                               "<p>#RESP</p><p>-</p><p>#COMENT</p><p>fin del modelo</p>"),
                QStringLiteral("888888"));
    b.almacen.ModeloPreguntas = 9;
    b.almacen.Libros[1].ClaveEnDoc = true;
    const TInformeImportacion r = Importar(QStringLiteral(
        R"(<question type="essay"><name><text>x</text></name><questiontext><text>Texto</text></questiontext><generalfeedback><text>Ojo</text></generalfeedback></question>)"));
    ASSERT_EQ(r.Documentos, std::vector<int>{1});
    const TContenido c = ContenidoDe(b.almacen, 1);
    EXPECT_EQ(c.Secciones, QStringList({"Texto", "", "", "Ojo"}));
    // Encrypted with the book's identifier: opening without it fails.
    auto motor = word::CrearMotorIncrustado();
    motor->Connect();
    EXPECT_THROW(motor->DocumentsOpen(RutaDocumento(b.almacen, 1), {}), ErrorBrivo);
    const QString texto = [&] {
        word::OpcionesApertura o;
        o.PasswordDocument = QString::number(Destino);
        auto d = motor->DocumentsOpen(RutaDocumento(b.almacen, 1), o);
        auto rango = d->Content();
        QString t = rango->Html();
        d->Close(word::GuardarCambios::NoGuardar);
        return t;
    }();
    EXPECT_TRUE(texto.contains("CABECERA")) << "the model's own text stays";
    // A model without the markers gives the four marker paragraphs.
    b.Documento(9, 888888, {1, 1, 0}, QStringLiteral("<p>Modelo sin marcas</p>"),
                QStringLiteral("888888"));
    Importar(QStringLiteral(
        R"(<question type="essay"><name><text>y</text></name><questiontext><text>Otro</text></questiontext></question>)"));
    EXPECT_EQ(ContenidoDe(b.almacen, 2).Secciones, QStringList({"Otro", "", "", ""}));
}

TEST_F(Importacion, SinNingunModeloNoSeImportaNada) {
    b.almacen.CarpetaInstalados = b.Ruta("vacia/");
    const TInformeImportacion r = Importar(QStringLiteral(
        R"(<question type="essay"><name><text>x</text></name><questiontext><text>x</text></questiontext></question>)"));
    EXPECT_EQ(r.Fin, TFinImportacion::SinModelo);
    EXPECT_FALSE(Doc(1).Usado());
}

} // namespace
