// The rules between a document and a question, without files: category
// paths both ways, GIFT's escapes, and which documents become multiple
// choice questions.
#include "DocumentoAPregunta.h"
#include "EntornoMoodle.h"
#include "EscritorMoodle.h"
#include "ExportacionMoodle.h"

using namespace brivo::pruebas;
using namespace brivo::moodle;

namespace {

// ------------------------------------------------------------ category paths

struct CasoRuta {
    QStringList nombres;
    QString ruta;
};

class Ruta : public ::testing::TestWithParam<CasoRuta> {};

TEST_P(Ruta, EscritaYLeidaDeNuevo) {
    EXPECT_EQ(RutaCategoria(GetParam().nombres), GetParam().ruta);
    EXPECT_EQ(PartirRutaCategoria(GetParam().ruta), GetParam().nombres);
}

INSTANTIATE_TEST_SUITE_P(
    Categorias, Ruta,
    ::testing::Values(CasoRuta{{"Física", "Cinemática"}, "$course$/Física/Cinemática"},
                      CasoRuta{{"Física/Química"}, "$course$/Física//Química"},
                      CasoRuta{{"a / b // c"}, "$course$/a // b //// c"},
                      CasoRuta{{"acaba en /", "/ empieza"}, "$course$/acaba en // / // empieza"},
                      CasoRuta{{"C:\\datos", "«comillas» & <x>"},
                               "$course$/C:\\datos/«comillas» & <x>"},
                      CasoRuta{{}, "$course$"}));

struct CasoLectura {
    const char* ruta;
    QStringList nombres;
};

class LecturaRuta : public ::testing::TestWithParam<CasoLectura> {};

TEST_P(LecturaRuta, ContextoYTopSeOmiten) {
    EXPECT_EQ(PartirRutaCategoria(QString::fromUtf8(GetParam().ruta)), GetParam().nombres);
}

INSTANTIATE_TEST_SUITE_P(Categorias, LecturaRuta,
                         ::testing::Values(CasoLectura{"$course$/top/Default for Historia/Tema 1",
                                                       {"Default for Historia", "Tema 1"}},
                                           CasoLectura{"$system$/Banco", {"Banco"}},
                                           CasoLectura{"$cat1$/A", {"A"}},
                                           CasoLectura{"Sin contexto/B", {"Sin contexto", "B"}},
                                           CasoLectura{"  $course$ /  A  /  B  ", {"A", "B"}},
                                           CasoLectura{"", {}}, CasoLectura{"$course$/top", {}}));

// ------------------------------------------------------------------- GIFT

TEST(Gift, CadaCaracterReservadoSeEscapa) {
    const struct {
        const char* texto;
        const char* escapado;
    } casos[] = {
        {"a~b=c#d{e}f:g", "a\\~b\\=c\\#d\\{e\\}f\\:g"},
        {"C:\\ruta\\n", "C\\:\\\\ruta\\\\n"},
        {"dos\nlíneas\r\n", "dos\\nlíneas\\n"},
        {"<p style=\"x: y\">ñ</p>", "<p style\\=\"x\\: y\">ñ</p>"},
        {"sin nada especial", "sin nada especial"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(EscaparGift(QString::fromUtf8(c.texto)), QString::fromUtf8(c.escapado))
            << c.texto;
}

// ----------------------------------------------------- multiple choice or essay

struct CasoTipo {
    const char* nombre;
    int tipo;               // Tipo of the record
    const char* respuesta;  // Respuesta of the record
    const char* pregunta;   // HTML of the question section
    const char* tipoMoodle; // multichoice or essay
    int correcta;           // index of the right option (multichoice)
    const char* motivo;     // start of the reason a Test goes out as essay ("" none)
};

class Tipo : public ::testing::TestWithParam<CasoTipo> {};

TEST_P(Tipo, ComoDicenLasReglas) {
    const CasoTipo& c = GetParam();
    TDocumento d;
    d.Numero = 8;
    d.Tipo = c.tipo;
    d.Respuesta = QString::fromUtf8(c.respuesta);
    TSeccionesHtml s;
    s.Html[SecPregunta] = QString::fromUtf8(c.pregunta);
    QString motivo;
    const TPreguntaMoodle p = PreguntaDe(d, s, motivo);
    EXPECT_EQ(p.Tipo, QString::fromLatin1(c.tipoMoodle));
    if (QByteArray(c.motivo).isEmpty())
        EXPECT_TRUE(motivo.isEmpty()) << motivo.toStdString();
    else
        EXPECT_TRUE(motivo.startsWith(QString::fromUtf8(c.motivo))) << motivo.toStdString();
    if (p.Tipo == TipoOpcionMultiple) {
        ASSERT_GT(int(p.Respuestas.size()), c.correcta);
        for (int i = 0; i < int(p.Respuestas.size()); ++i)
            EXPECT_EQ(p.Respuestas[size_t(i)].Fraccion, i == c.correcta ? 100 : 0);
        EXPECT_FALSE(p.Enunciado.Html.contains(QLatin1String("a) "))) << "options left in the text";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reglas, Tipo,
    ::testing::Values(
        CasoTipo{"MayusculaYParentesis", 1, " B) ", "<p>¿?</p><p>a) x</p><p>b) y</p>",
                 "multichoice", 1, ""},
        CasoTipo{"PuntoTrasLaLetra", 1, "c.", "<p>P</p><p>A. x</p><p>b.y</p><p>C . z</p>",
                 "multichoice", 2, ""},
        CasoTipo{"ListaMayusculas", 1, "a", "<p>P</p><ol type=\"A\"><li>uno</li><li>dos</li></ol>",
                 "multichoice", 0, ""},
        CasoTipo{"ListaNumerada", 1, "a", "<p>P</p><ol><li>uno</li><li>dos</li></ol>", "essay", 0,
                 "la pregunta no termina"},
        CasoTipo{"OtroTipoConOpciones", 2, "a", "<p>P</p><p>a) x</p><p>b) y</p>", "essay", 0, ""},
        CasoTipo{"SinTipo", 0, "", "<p>P</p>", "essay", 0, ""},
        CasoTipo{"LetraNoLatina", 1, "ñ", "<p>P</p><p>a) x</p><p>b) y</p>", "essay", 0,
                 "la respuesta «ñ» no es la letra"},
        CasoTipo{"OpcionSoloImagen", 1, "b",
                 "<p>P</p><p>a) x</p><p>b) <img src=\"data:image/png;base64,"
                 "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAA"
                 "AABJRU5ErkJggg==\"></p>",
                 "multichoice", 1, ""},
        CasoTipo{"SinTexto", 1, "a", "", "essay", 0, "la pregunta no termina"}),
    [](const ::testing::TestParamInfo<CasoTipo>& i) { return std::string(i.param.nombre); });

TEST(Pregunta, NombreNotaYEtiquetasDelRegistro) {
    TDocumento d;
    d.Numero = 12;
    d.Dificultad = 7;
    d.Tipo = 3;
    d.Puntos = 0;
    QString motivo;
    TPreguntaMoodle p = PreguntaDe(d, {}, motivo);
    EXPECT_EQ(p.Nombre, "Documento 12");
    EXPECT_EQ(p.Nota, 1);
    EXPECT_EQ(p.Etiquetas, QStringList({"dificultad-7", "Preg"}));
    d.Descripcion = QStringLiteral("  Con blancos  ");
    d.Puntos = 0.75;
    d.Tipo = 9;
    p = PreguntaDe(d, {}, motivo);
    EXPECT_EQ(p.Nombre, "Con blancos");
    EXPECT_EQ(p.Nota, 0.75);
    EXPECT_EQ(p.Etiquetas, QStringList({"dificultad-7"}));
}

TEST(Pregunta, LaInformacionDelCorrectorEsLaRespuestaYLuegoElDesarrollo) {
    TDocumento d;
    d.Numero = 1;
    d.Tipo = 2;
    TSeccionesHtml s;
    s.Html[SecPregunta] = QStringLiteral("<p>Calcula</p>");
    s.Html[SecDesarrollo] = QStringLiteral("<p>Paso 1</p>");
    s.Html[SecRespuesta] = QStringLiteral("<p>42</p>");
    s.Html[SecComentario] = QStringLiteral("<p>Fácil</p>");
    QString motivo;
    const TPreguntaMoodle p = PreguntaDe(d, s, motivo);
    EXPECT_EQ(p.InfoCorrector.Html, "<p>42</p><p><strong>Desarrollo</strong></p><p>Paso 1</p>");
    EXPECT_EQ(p.Comentario.Html, "<p>Fácil</p>");
}

TEST(Seleccion, LaListaDeExamenEnSuOrden) {
    TAlmacen a;
    for (int i = 1; i <= MaxExamen; ++i)
        a.ListaExamen[size_t(i)] = -1;
    a.ListaExamen[1] = 7;
    a.ListaExamen[2] = 0;
    a.ListaExamen[3] = 3;
    a.ListaExamen[MaxExamen] = 7;
    EXPECT_EQ(DocumentosDeListaExamen(a), (std::vector<int>{7, 3, 7}));
}

TEST(Seleccion, LaExtensionNombraElFormato) {
    EXPECT_EQ(FormatoPorExtension("/a/b.XML"), TFormato::Xml);
    EXPECT_EQ(FormatoPorExtension("b.gift"), TFormato::Gift);
    EXPECT_EQ(FormatoPorExtension("b.Txt"), TFormato::Gift);
    EXPECT_EQ(FormatoPorExtension("b.xml.pdf"), std::nullopt);
    EXPECT_EQ(FormatoPorExtension("xml"), std::nullopt);
}

TEST(Seleccion, ElNombreYElFiltroDelDialogoDanArchivoYFormato) {
    const QString xml = QStringLiteral("Moodle XML (*.xml)");
    const QString gift = QStringLiteral("GIFT (*.gift *.txt)");
    const struct {
        QString elegido, filtro, ruta;
        TFormato formato;
    } casos[] = {
        {"/bak/examen", xml, "/bak/examen.xml", TFormato::Xml},
        {"/bak/examen", gift, "/bak/examen.gift", TFormato::Gift},
        {"/bak/examen", "", "/bak/examen.xml", TFormato::Xml},       // no entry: the first
        {"/bak/examen.TXT", xml, "/bak/examen.TXT", TFormato::Gift}, // the extension decides
        {"/bak/examen.xml", gift, "/bak/examen.xml", TFormato::Xml},
        {"/bak/tema 1.v2", gift, "/bak/tema 1.v2.gift", TFormato::Gift}, // not a format's
    };
    for (const auto& c : casos) {
        const TDestinoExportacion d = DestinoExportacion(c.elegido, c.filtro);
        EXPECT_EQ(d.Ruta, c.ruta) << c.elegido.toStdString();
        EXPECT_EQ(d.Formato, c.formato) << c.elegido.toStdString();
    }
}

TEST(Seleccion, ElNombrePropuestoEsUnArchivoSencilloEnBak) {
    TAlmacen a;
    a.CarpetaPrograma = QStringLiteral("/programa/");
    EXPECT_EQ(ArchivoPropuesto(a, QStringLiteral(" Física general ")),
              QStringLiteral("/programa/BAK/Física_general.xml"));
    EXPECT_EQ(ArchivoPropuesto(a, QStringLiteral("a/b\\c:d*e?\"f<g>h|i")),
              QStringLiteral("/programa/BAK/a_b_c_d_e__f_g_h_i.xml"));
    for (const char* vacio : {"", "  ", "..", "."})
        EXPECT_EQ(ArchivoPropuesto(a, QString::fromUtf8(vacio)),
                  QStringLiteral("/programa/BAK/preguntas.xml"))
            << vacio;
}

TEST(Seleccion, UnNodoDaLoQueListaLaRejillaDelLibroSinModelos) {
    TBiblioteca b;
    b.Libro(1, 11, QStringLiteral("Uno"), QStringLiteral("uno"));
    b.Libro(2, 22, QStringLiteral("Dos"), QStringLiteral("dos"));
    b.Nodo({2}, QStringLiteral("M"));
    b.Nodo({2, 1}, QStringLiteral("T"));
    b.Nodo({2, 1, 1}, QStringLiteral("C"));
    b.Nodo({2, 1, 1, 7}, QStringLiteral("Profundo"));
    const TLugar lugares[] = {{2, 0, 0}, {2, 1, 0}, {2, 1, 1}, {0, 0, 0},
                              {9, 9, 9}, {1, 1, 0}, {2, 1, 5}, {2, 1, 1}};
    for (int k = 1; k <= 8; ++k)
        b.Documento(k, k == 8 ? 22 : 11, lugares[k - 1], QString());
    const auto nodo = [&](TLugar l) { return b.almacen.Arbol.NodoDeLugar(l); };
    TNodo* profundo = nodo({2, 1, 1})->PrimerHijo();
    ASSERT_NE(profundo, nullptr);
    ASSERT_EQ(profundo->Nivel(), 3);
    const struct {
        const TNodo* nodo;
        std::vector<int> documentos;
    } casos[] = {
        {nodo({2, 0, 0}), {1, 2, 3, 7}},
        {nodo({2, 1, 0}), {2, 3, 7}},
        {nodo({2, 1, 1}), {3}},
        {profundo, {}},
        {nodo({1, 4, 0}), {4, 5, 7}},          // No asignados
        {nodo({1, 5, 0}), {1, 2, 3, 4, 5, 7}}, // Todos, without the model
        {nodo({1, 1, 0}), {}},
        {nodo({1, 0, 0}), {}},
        {nullptr, {}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(DocumentosDeNodo(b.almacen, c.nodo, 11), c.documentos)
            << (c.nodo ? c.nodo->Texto.toStdString() : "(ninguno)");
    EXPECT_EQ(DocumentosDeLibro(b.almacen, 11), (std::vector<int>{1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(DocumentosDeLibro(b.almacen, 22), std::vector<int>{8});
    EXPECT_TRUE(DocumentosDeLibro(b.almacen, 0).empty());
}

} // namespace
