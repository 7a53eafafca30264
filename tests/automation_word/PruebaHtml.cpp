// HTML out of a range and into it, and a document opened read-only that is
// never written, office documents included.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include "ComunPruebas.h"
#include "ConversorOficina.h"

using namespace brivo::pruebas;

namespace {

QString PngDatos(int ancho, int alto) {
    QImage imagen(ancho, alto, QImage::Format_RGB32);
    imagen.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return NombreImagenIncrustada(png, QStringLiteral("image/png"));
}

// The image names of a document, in order.
QStringList Imagenes(const QTextDocument& doc) {
    QStringList nombres;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                nombres << it.fragment().charFormat().toImageFormat().name();
    return nombres;
}

class Html : public Motor {
protected:
    std::shared_ptr<IDocumentoWord> Documento(const QString& html) {
        const QString ruta =
            EscribirDocumento(QStringLiteral("d.doc"), [&](QTextCursor& c) { c.insertHtml(html); });
        return Abrir(ruta);
    }
};

TEST_F(Html, UnRangoDaSuTextoConFormatoEImagenesIncrustadas) {
    const QString imagen = PngDatos(6, 4);
    auto doc = Documento(QStringLiteral("<p>antes</p><p>Texto <b>negrita</b> e <i>cursiva</i></p>"
                                        "<ul><li>uno</li><li>dos</li></ul>"
                                        "<table><tr><td>celda</td></tr></table>"
                                        "<p><img src=\"%1\"></p><p>después</p>")
                             .arg(imagen));
    auto rango = doc->Content();
    ASSERT_TRUE(rango->FindExecute(QStringLiteral("Texto")));
    const int inicio = rango->Start();
    auto fin = doc->Content();
    ASSERT_TRUE(fin->FindExecute(QStringLiteral("después")));
    rango->SetRange(inicio, fin->Start());
    const QString html = rango->Html();

    QTextDocument leido;
    leido.setHtml(html);
    QStringList parrafos;
    for (QTextBlock b = leido.begin(); b.isValid(); b = b.next())
        parrafos << b.text().remove(QChar::ObjectReplacementCharacter);
    EXPECT_EQ(parrafos.mid(0, 4), QStringList({"Texto negrita e cursiva", "uno", "dos", "celda"}));
    EXPECT_FALSE(html.contains("antes"));
    EXPECT_FALSE(html.contains("después"));
    const QTextBlock primero = leido.begin();
    bool negrita = false;
    for (auto it = primero.begin(); !it.atEnd(); ++it)
        negrita |= it.fragment().text() == "negrita" &&
                   it.fragment().charFormat().fontWeight() >= QFont::Bold;
    EXPECT_TRUE(negrita);
    EXPECT_NE(primero.next().textList(), nullptr);
    EXPECT_EQ(Imagenes(leido), QStringList{imagen});
    EXPECT_TRUE(doc->Saved()) << "reading a range changes nothing";
}

TEST_F(Html, LosParrafosInsertadosSiguenSiendoParrafos) {
    // The document "X" | "Y": 0 'X', 1 mark, 2 'Y', 3 final mark.
    const struct {
        const char* nombre;
        int inicio, fin;
        const char* html;
        const char* resultado;
        const char* cubierto; // text of the range afterwards
    } casos[] = {
        {"AlEmpezarUnParrafo", 2, 2, "<p>A</p><p>B</p>", "X|A|B|Y", "A|B|"},
        {"EnMedioDeUnParrafo", 1, 1, "<p>A</p>", "XA|Y", "A"},
        {"SustituyeElRango", 2, 3, "<p><i>Z</i></p>", "X|Z", "Z"},
        {"TodoElTexto", 0, 4, "<p>A</p><p><b>B</b></p>", "A|B", "A|B"},
        {"Vacio", 2, 2, "", "X|Y", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto doc = Documento(QStringLiteral("<p>X</p><p>Y</p>"));
        auto rango = doc->Content();
        rango->SetRange(c.inicio, c.fin);
        rango->InsertarHtml(QString::fromLatin1(c.html));
        EXPECT_EQ(Parrafos(*doc), QString::fromLatin1(c.resultado));
        QString cubierto = dynamic_cast<DocumentoMotor&>(*doc).Texto().mid(
            rango->Start(), rango->End() - rango->Start());
        cubierto.replace(QChar::ParagraphSeparator, QLatin1Char('|'));
        EXPECT_EQ(cubierto, QString::fromLatin1(c.cubierto));
        doc->Close(GuardarCambios::NoGuardar);
    }
}

TEST_F(Html, SoloEntranLasImagenesIncrustadas) {
    const QString fuera = Ruta(QStringLiteral("fuera.png"));
    QImage(3, 3, QImage::Format_RGB32).save(fuera);
    const QString incrustada = PngDatos(2, 2);
    auto doc = Documento(QStringLiteral("<p>X</p>"));
    doc->Content()->InsertarHtml(QStringLiteral("<p><img src=\"%1\"> <img src=\"%2\"> <img "
                                                "src=\"/dev/zero\"> fin</p>")
                                     .arg(QUrl::fromLocalFile(fuera).toString(), incrustada));
    EXPECT_EQ(Imagenes(QDoc(*doc)), QStringList{incrustada});
    EXPECT_TRUE(Parrafos(*doc).endsWith("fin"));
}

TEST_F(Html, HtmlFueraDeLosLimitesNoCambiaNada) {
    auto doc = Documento(QStringLiteral("<p>X</p>"));
    QString profundo;
    for (int i = 0; i < 5000; ++i)
        profundo += QStringLiteral("<b>");
    EXPECT_EQ(MensajeDe([&] { doc->Content()->InsertarHtml(profundo + "x"); }),
              "El texto HTML es demasiado grande o está dañado: no se puede insertar en el "
              "documento.");
    EXPECT_EQ(Parrafos(*doc), "X");
    EXPECT_TRUE(doc->Saved());
}

// A converter that turns any office file into one paragraph.
class ConversorFalso : public brivo::oficina::IConversorOficina {
public:
    brivo::oficina::TResultadoOficina
    Convertir(const brivo::oficina::TPeticionConversion& p) override {
        QFile salida(p.Salida);
        EXPECT_TRUE(salida.open(QIODevice::WriteOnly));
        salida.write("<html><body><p>convertido</p></body></html>");
        ++conversiones;
        return {};
    }
    void Preparar() override {}
    void Detener() override {}
    int conversiones = 0;
};

TEST_F(Html, UnDocumentoDeOficinaDeSoloLecturaNoSeConvierteEnSuSitio) {
    auto conversor = std::make_shared<ConversorFalso>();
    brivo::oficina::EstablecerConversorOficina(conversor);
    const QByteArray rtf = "{\\rtf1\\ansi hola}";
    const QString ruta = Ruta(QStringLiteral("Docs/libro/K000001.doc"));
    QDir().mkpath(Ruta(QStringLiteral("Docs/libro")));
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(rtf);
    archivo.close();

    OpcionesApertura soloLectura;
    soloLectura.ReadOnly = true;
    auto doc = aplicacion->DocumentsOpen(ruta, soloLectura);
    EXPECT_EQ(Parrafos(*doc), "convertido");
    doc->Close(GuardarCambios::NoGuardar);
    EXPECT_EQ(conversor->conversiones, 1);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(archivo.readAll(), rtf);
    archivo.close();
    EXPECT_FALSE(QFileInfo::exists(Ruta(QStringLiteral("BAK"))));

    // Opened to be edited, it becomes a file of the engine's own, the original kept in BAK.
    doc = aplicacion->DocumentsOpen(ruta, {});
    doc->Close(GuardarCambios::NoGuardar);
    EXPECT_TRUE(QFileInfo::exists(Ruta(QStringLiteral("BAK/libro/K000001.doc"))));
    brivo::oficina::EstablecerConversorOficina(nullptr);
}

} // namespace
