// Damaged and hostile document files: a key-derivation cost far from the
// program's, truncated headers, nesting, table spans and sizes beyond what the
// engine takes are refused at once, before any key is derived or any HTML is
// parsed; files within the limits still open.
#include <QImage>
#include <QTextDocument>

#include <sys/stat.h>

#include "ComunPruebas.h"
#include "LimitesDocumento.h"

using namespace brivo::pruebas;

namespace {

const QString Clave = QStringLiteral("314159");
const QByteArray Cabeza = "<html><head><meta name=\"generator\" content=\"Brivo II procesador de "
                          "textos 9.0\" /></head><body>";
const QByteArray Pie = "</body></html>";

QString Danado(const QString& ruta) {
    return QStringLiteral("El archivo \"%1\" está dañado o no es un documento válido.").arg(ruta);
}

QString Grande(const QString& ruta) {
    return QStringLiteral("El archivo \"%1\" es demasiado grande para abrirlo.").arg(ruta);
}

// A file encrypted with a small cost whose header then claims another one.
QByteArray ConCosteFalso(quint32 pasadas, quint32 memoriaKiB) {
    QByteArray c = CifrarContenido(Cabeza + "<p>hola</p>" + Pie, Clave, 1, 8);
    for (int i = 0; i < 4; ++i) {
        c[9 + i] = char((pasadas >> (8 * i)) & 0xFF);
        c[13 + i] = char((memoriaKiB >> (8 * i)) & 0xFF);
    }
    return c;
}

class Hostiles : public ::testing::Test {
protected:
    QTemporaryDir carpeta;

    QString Escribir(const QByteArray& datos) {
        const QString ruta = carpeta.filePath(QStringLiteral("K%1.doc").arg(++n));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(datos);
        return ruta;
    }
    // The message of opening the file, or "<sin error>".
    QString Abrir(const QString& ruta) {
        return MensajeDe([&] {
            TDocumentoTexto doc;
            LeerArchivoDocumento(ruta, Clave, doc);
        });
    }

private:
    int n = 0;
};

TEST_F(Hostiles, CostesDeClaveLejosDeLosDelProgramaSonDanoAntesDeDerivarNinguna) {
    // Real files within the bounds open; their neighbours outside do not.
    const QByteArray claro = Cabeza + "<p>hola</p>" + Pie;
    for (const auto& [pasadas, memoria] :
         {std::pair<quint32, quint32>{MaxPasadasArgon2, MaxMemoriaArgon2KiB}, {1, 8}}) {
        EXPECT_EQ(Abrir(Escribir(CifrarContenido(claro, Clave, pasadas, memoria))), "<sin error>")
            << pasadas << " " << memoria;
    }
    // A header claiming 64 passes over 64 MiB took seconds of key derivation
    // before ending in a wrong password; 64 passes over 1 GiB took minutes.
    const std::pair<quint32, quint32> costes[] = {{MaxPasadasArgon2 + 1, MemoriaArgon2KiB},
                                                  {PasadasArgon2, MaxMemoriaArgon2KiB + 1},
                                                  {64, 64 * 1024},
                                                  {64, 1024 * 1024},
                                                  {0, MemoriaArgon2KiB},
                                                  {PasadasArgon2, 7},
                                                  {0xFFFFFFFFu, 0xFFFFFFFFu}};
    for (const auto& [pasadas, memoria] : costes) {
        const QString ruta = Escribir(ConCosteFalso(pasadas, memoria));
        EXPECT_EQ(Abrir(ruta), Danado(ruta)) << pasadas << " " << memoria;
    }
}

TEST_F(Hostiles, CabecerasTruncadasOAjenasSonDano) {
    const QByteArray bueno = CifrarContenido(Cabeza + "<p>hola</p>" + Pie, Clave);
    for (const int largo : {8, 9, 17, 33, 57, 72}) {
        const QString ruta = Escribir(bueno.left(largo));
        EXPECT_EQ(Abrir(ruta), Danado(ruta)) << largo;
    }
    QByteArray version = bueno;
    version[8] = 2;
    const QString ruta = Escribir(version);
    EXPECT_EQ(Abrir(ruta), Danado(ruta));
    // Cut inside the encrypted text: the authentication fails.
    EXPECT_EQ(Abrir(Escribir(bueno.left(bueno.size() - 3))),
              QStringLiteral("La contraseña no es correcta."));
}

TEST_F(Hostiles, HtmlQueQtTardariaEnLeerSeRechaza) {
    struct Caso {
        const char* que;
        QByteArray datos;
        bool grande; // false: damaged
    };
    const Caso casos[] = {
        {"65 niveles", Cabeza + QByteArray("<div>").repeated(65) + "x" + Pie, false},
        {"5.000 listas", Cabeza + QByteArray("<ul><li>").repeated(5000) + "x" + Pie, false},
        {"colspan 1001", Cabeza + "<table><tr><td colspan=\"1001\">x</td></tr></table>" + Pie,
         false},
        {"rowspan enorme", Cabeza + "<table><tr><td ROWSPAN=99999999999999999999>x</table>" + Pie,
         false},
        {"100 filas de 1000 columnas",
         Cabeza + "<table>" + QByteArray("<tr><td colspan='1000'>x</td></tr>").repeated(100) +
             "</table>" + Pie,
         true},
        {"100.001 elementos", Cabeza + QByteArray("<br>").repeated(100001 - 4) + Pie, true},
        {"texto de más de 8 MiB", Cabeza + QByteArray(MaxMarcadoHtml, 'x') + Pie, true},
        {"hoja de estilo de más de 256 KiB",
         Cabeza + "<style>" + QByteArray(MaxEstiloHtml + 1, ' ') + "</style>x" + Pie, true},
        {"texto de 100.001 líneas", QByteArray("x\r\n").repeated(100000) + "x", true},
    };
    for (const Caso& c : casos) {
        const QString ruta = Escribir(c.datos);
        EXPECT_EQ(Abrir(ruta), c.grande ? Grande(ruta) : Danado(ruta)) << c.que;
    }
    // A file over the size limit is refused without being read.
    const QString enorme = Escribir("x");
    QFile(enorme).resize(MaxBytesDocumento + 1);
    EXPECT_EQ(Abrir(enorme), Grande(enorme));
}

TEST_F(Hostiles, LosDocumentosDentroDeLosLimitesSeAbren) {
    // 64 levels, a wide table, unclosed paragraphs, and 9 MiB of image data
    // (data: URIs do not count as markup).
    const QByteArray imagen =
        "<img src=\"data:image/png;base64," + QByteArray(9 * 1024 * 1024, 'A') + "\" />";
    const QByteArray casos[] = {
        Cabeza + QByteArray("<div>").repeated(62) + "x" + Pie,
        Cabeza + "<table><tr><td colspan=\"1000\">x</td></tr><tr><td>y</td></tr></table>" + Pie,
        Cabeza + QByteArray("<p>x").repeated(5000) + Pie,
        Cabeza + "<p>" + imagen + "</p>" + Pie,
        QByteArray("x\n").repeated(50000),
    };
    for (const QByteArray& datos : casos)
        EXPECT_EQ(Abrir(Escribir(datos)), "<sin error>") << datos.left(200).constData();
}

TEST_F(Motor, LosNombresDeUnDocumentoNuncaHacenLeerDispositivos) {
    // A pipe nobody writes to blocks, /dev/zero never ends and a huge file
    // fills the memory: none of them is read, while an image beside a
    // foreign page is still embedded.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta("tuberia")).constData(), 0600), 0);
    QFile grande(Ruta("grande.png"));
    ASSERT_TRUE(grande.open(QIODevice::WriteOnly));
    grande.resize(MaxBytesImagen + 1);
    grande.close();
    QImage foto(8, 6, QImage::Format_RGB32);
    foto.fill(Qt::blue);
    foto.save(Ruta("foto.png"));
    const QByteArray nombres = "<link rel=\"stylesheet\" type=\"text/css\" href=\"/dev/zero\">"
                               "<style>@import url(\"/dev/zero\");</style></head><body>"
                               "<p><img src=\"/dev/zero\"><img src=\"file:///dev/urandom\">"
                               "<img src=\"tuberia\"><img src=\"grande.png\">"
                               "<img src=\"foto.png\"></p>";
    EscribirTexto("ajena.html", "<html><head>" + nombres + "</body></html>");
    auto ajena = Abrir(Ruta("ajena.html"));
    ajena->SaveAs(Ruta("ajena.doc"), QString());
    QFile guardada(Ruta("ajena.doc"));
    ASSERT_TRUE(guardada.open(QIODevice::ReadOnly));
    const QByteArray texto = guardada.readAll();
    EXPECT_EQ(texto.count("src=\"data:image/png;base64,"), 1);
    EXPECT_TRUE(texto.contains("src=\"tuberia\""));

    // The engine's own files show their images on demand: the same names.
    const QString propia = EscribirTexto(
        "propia.doc", "<html><head><meta name=\"generator\" content=\"Brivo II procesador de "
                      "textos 9.0\" />" +
                          nombres + "</body></html>");
    QTextDocument& q = QDoc(*Abrir(propia));
    for (const char* n : {"/dev/zero", "file:///dev/urandom", "tuberia", "grande.png"})
        EXPECT_FALSE(q.resource(QTextDocument::ImageResource, QUrl(n)).isValid()) << n;
}

TEST(LimitesHtml, ReglasDeRecuento) {
    struct Caso {
        const char* que;
        QByteArray html;
        ExcesoDocumento esperado;
    };
    using E = ExcesoDocumento;
    const QByteArray b64 = QByteArray("<b>").repeated(64);
    const Caso casos[] = {
        {"64 abiertos", b64, E::Ninguno},
        {"65 abiertos", b64 + "<i>", E::Danado},
        {"cerrados no se acumulan", QByteArray("<b>x</b>").repeated(1000), E::Ninguno},
        {"el cierre cierra lo de dentro",
         ("<div>" + QByteArray("<b>").repeated(63) + "</div>").repeated(1000), E::Ninguno},
        {"un cierre cierra uno solo", (b64 + "</b>").repeated(2), E::Danado},
        {"cierres sueltos", QByteArray("</div>").repeated(500) + b64, E::Ninguno},
        {"cierre mal anidado", QByteArray("<b><i>x</b>").repeated(100), E::Ninguno},
        {"elementos vacíos y que se cierran solos",
         QByteArray("<p><li><td><br><img src=x><hr/><span/>").repeated(100), E::Ninguno},
        {"comentarios, scripts y declaraciones",
         "<!DOCTYPE html>" + QByteArray("<!-- <div> -->").repeated(100) + "<script>" +
             QByteArray("<div>").repeated(100) + "</SCRIPT>",
         E::Ninguno},
        {"menor que sin etiqueta", QByteArray("a < b <= c <").repeated(100), E::Ninguno},
        {"100.000 elementos", QByteArray("<br>").repeated(100000), E::Ninguno},
        {"100.001 elementos", QByteArray("<br>").repeated(100001), E::DemasiadoGrande},
        {"colspan 1000", "<table><tr><td colspan=1000>x</table>", E::Ninguno},
        {"colspan 1001 sin comillas", "<table><tr><td colspan=1001>x</table>", E::Danado},
        {"colspan con signo", "<table><tr><td colspan=\"-5\">x</table>", E::Ninguno},
        {"filas por columnas", "<table><tr><td rowspan='1000' colspan='101'>x</table>",
         E::DemasiadoGrande},
        {"tabla sin cerrar", "<table>" + QByteArray("<tr><td colspan=1000>").repeated(101),
         E::DemasiadoGrande},
        {"datos de imagen fuera del marcado",
         "<img src='data:image/png;base64," + QByteArray(MaxMarcadoHtml, 'A') + "'>", E::Ninguno},
        {"atributo largo sin datos", "<p title='" + QByteArray(MaxMarcadoHtml, 'A') + "'>",
         E::DemasiadoGrande},
        {"comillas sin cerrar", "<p title='" + QByteArray(1000, '<'), E::Ninguno},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ComprobarHtml(c.html), c.esperado) << c.que;
}

} // namespace
