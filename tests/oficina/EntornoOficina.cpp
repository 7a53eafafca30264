#include "EntornoOficina.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace brivo::pruebas {

namespace {

std::shared_ptr<oficina::TConversorLibreOffice>& Suite() {
    static std::shared_ptr<oficina::TConversorLibreOffice> conversor;
    return conversor;
}

class EntornoOficina : public ::testing::Environment {
public:
    void SetUp() override {
        Suite() = std::make_shared<oficina::TConversorLibreOffice>(ConfiguracionReal());
        oficina::EstablecerConversorOficina(Suite());
        Suite()->Preparar(); // the tests need LibreOffice (scripts/dependencias.sh installs it)
    }
    void TearDown() override {
        oficina::EstablecerConversorOficina(nullptr);
        Suite().reset();
    }
};

const auto* registro = ::testing::AddGlobalTestEnvironment(new EntornoOficina);

QTextCharFormat Letra(const std::function<void(QTextCharFormat&)>& poner) {
    QTextCharFormat f;
    poner(f);
    return f;
}

} // namespace

oficina::TConfiguracionLibreOffice ConfiguracionReal() {
    oficina::TConfiguracionLibreOffice c = oficina::TConfiguracionLibreOffice::PorDefecto();
    c.Guion = QStringLiteral(BRIVO_CARPETA_PROGRAMA) + QStringLiteral("conversor-oficina.py");
    return c;
}

oficina::TConversorLibreOffice& ConversorSuite() {
    return *Suite();
}

ConversorCambiado::ConversorCambiado(std::shared_ptr<oficina::IConversorOficina> otro)
    : anterior(oficina::ConversorOficina()) {
    oficina::EstablecerConversorOficina(std::move(otro));
}

ConversorCambiado::~ConversorCambiado() {
    oficina::EstablecerConversorOficina(anterior);
}

void LlenarPregunta(QTextDocument& doc) {
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("#PREG"));
    c.insertBlock();
    c.insertText(QStringLiteral("Negrita"), Letra([](auto& f) { f.setFontWeight(QFont::Bold); }));
    c.insertText(QStringLiteral(" "), QTextCharFormat());
    c.insertText(QStringLiteral("cursiva"), Letra([](auto& f) { f.setFontItalic(true); }));
    c.insertText(QStringLiteral(" "), QTextCharFormat());
    c.insertText(QStringLiteral("subrayado"), Letra([](auto& f) { f.setFontUnderline(true); }));
    c.insertText(QStringLiteral(" "), QTextCharFormat());
    c.insertText(QStringLiteral("grande rojo"), Letra([](auto& f) {
                     f.setFontFamilies({QStringLiteral("Liberation Sans")});
                     f.setFontPointSize(16);
                     f.setForeground(QColor(200, 0, 0));
                 }));
    c.insertText(QStringLiteral(" ¿Qué año? áéíóú ñ ü"), QTextCharFormat());
    QTextBlockFormat centro;
    centro.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centro);
    c.insertText(QStringLiteral("Centrado"));
    c.insertBlock(QTextBlockFormat());
    QTextListFormat lista;
    lista.setStyle(QTextListFormat::ListDecimal);
    c.insertList(lista);
    c.insertText(QStringLiteral("uno"));
    c.insertBlock();
    c.insertText(QStringLiteral("dos"));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("#DESA"));
    c.insertBlock();
    QTextTableFormat formatoTabla;
    formatoTabla.setBorder(1);
    QTextTable* tabla = c.insertTable(2, 2, formatoTabla);
    const char* celdas[] = {"a1", "b1", "a2", "b2"};
    for (int i = 0; i < 4; ++i)
        tabla->cellAt(i / 2, i % 2)
            .firstCursorPosition()
            .insertText(QString::fromLatin1(celdas[i]));
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("#RESP"));
    c.insertBlock();
    QImage imagen(40, 20, QImage::Format_RGB32);
    imagen.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    const QString nombre = NombreImagenIncrustada(png, QStringLiteral("image/png"));
    doc.addResource(QTextDocument::ImageResource, QUrl(nombre), imagen);
    QTextImageFormat formatoImagen;
    formatoImagen.setName(nombre);
    formatoImagen.setWidth(40);
    formatoImagen.setHeight(20);
    c.insertImage(formatoImagen);
    c.insertBlock();
    c.insertText(QStringLiteral("#COMENT"));
    c.insertBlock();
    c.insertText(QStringLiteral("Fin"));
}

QStringList Parrafos(const QTextDocument& doc) {
    QStringList lista;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lista << b.text();
    return lista;
}

namespace {

// The fragment whose text is texto, or an invalid one.
QTextFragment Fragmento(const QTextDocument& doc, const QString& texto) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().trimmed() == texto)
                return it.fragment();
        }
    }
    return {};
}

QTextBlock Bloque(const QTextDocument& doc, const QString& texto) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text() == texto)
            return b;
    }
    return {};
}

void ComprobarTablaEImagen(const QTextDocument& doc) {
    const QTextBlock a1 = Bloque(doc, QStringLiteral("a1"));
    ASSERT_TRUE(a1.isValid());
    auto* tabla = qobject_cast<QTextTable*>(QTextCursor(a1).currentFrame());
    ASSERT_NE(tabla, nullptr);
    EXPECT_EQ(tabla->rows(), 2);
    EXPECT_EQ(tabla->columns(), 2);
    EXPECT_EQ(tabla->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("b2"));

    int imagenes = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            ++imagenes;
            const QString nombre = it.fragment().charFormat().toImageFormat().name();
            const QImage imagen =
                doc.resource(QTextDocument::ImageResource, QUrl(nombre)).value<QImage>();
            EXPECT_EQ(imagen.size(), QSize(40, 20));
            if (!imagen.isNull()) {
                EXPECT_EQ(imagen.pixelColor(20, 10), QColor(Qt::blue));
            }
        }
    }
    EXPECT_EQ(imagenes, 1);
}

} // namespace

void ComprobarPregunta(const QTextDocument& doc) {
    const QStringList p = Parrafos(doc);
    // Each marker stays a paragraph of its own, in its order.
    qsizetype anterior = -1;
    for (const char* marca : {"#PREG", "#DESA", "#RESP", "#COMENT"}) {
        const qsizetype i = p.indexOf(QString::fromLatin1(marca));
        EXPECT_GT(i, anterior) << marca << " en " << p.join(QLatin1Char('|')).toStdString();
        anterior = i;
    }
    EXPECT_TRUE(p.contains(QStringLiteral("Negrita cursiva subrayado grande rojo ¿Qué año? "
                                          "áéíóú ñ ü")))
        << p.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(Fragmento(doc, QStringLiteral("Negrita")).charFormat().font().bold());
    EXPECT_TRUE(Fragmento(doc, QStringLiteral("cursiva")).charFormat().fontItalic());
    EXPECT_TRUE(Fragmento(doc, QStringLiteral("subrayado")).charFormat().fontUnderline());
    const QTextCharFormat grande = Fragmento(doc, QStringLiteral("grande rojo")).charFormat();
    EXPECT_EQ(grande.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(grande.fontPointSize(), 16);
    EXPECT_EQ(grande.foreground().color(), QColor(200, 0, 0));
    // Sizes stay sizes in points, not sizes relative to the document's font.
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            EXPECT_FALSE(it.fragment().charFormat().hasProperty(QTextFormat::FontSizeAdjustment))
                << it.fragment().text().toStdString();
    }
    EXPECT_TRUE(Bloque(doc, QStringLiteral("Centrado")).blockFormat().alignment() &
                Qt::AlignHCenter);
    const QTextBlock uno = Bloque(doc, QStringLiteral("uno"));
    const QTextBlock dos = Bloque(doc, QStringLiteral("dos"));
    ASSERT_TRUE(uno.textList() && dos.textList());
    EXPECT_EQ(uno.textList(), dos.textList());
    EXPECT_EQ(uno.textList()->format().style(), QTextListFormat::ListDecimal);
    ComprobarTablaEImagen(doc);
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QString MensajeDe(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const ErrorBrivo& error) {
        return error.Mensaje();
    }
    return QStringLiteral("<sin error>");
}

void ExportarPregunta(const QString& ruta, FormatoExportacion formato, const QString& clave) {
    QTextDocument doc;
    LlenarPregunta(doc);
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    ExportarDocumento(doc, {{PropTitulo, QStringLiteral("Pregunta de prueba")}}, ruta, formato,
                      clave, ConversorSuite());
}

} // namespace brivo::pruebas
