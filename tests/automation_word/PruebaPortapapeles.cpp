// Copy and Paste through the clipboard between documents.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

#include "ComunPruebas.h"

using namespace brivo::pruebas;

namespace {

QString ImagenDatos(int ancho, int alto) {
    QImage imagen(ancho, alto, QImage::Format_RGB32);
    imagen.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return NombreImagenIncrustada(png, "image/png");
}

// A source with every kind of formatting: paragraphs 0 "Título" (centred, bold
// red Serif 16), 1 "Texto con cursiva" ("cursiva" in italics), 2-3 a bulleted
// list, 4 an image paragraph, 5 a 2x2 table, then "Fin".
void LlenarFormateado(QTextCursor& c) {
    QTextBlockFormat centrado;
    centrado.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centrado);
    QTextCharFormat titulo;
    titulo.setFontWeight(QFont::Bold);
    titulo.setForeground(QColor(200, 0, 0));
    titulo.setFontFamilies({QStringLiteral("Liberation Serif")});
    titulo.setFontPointSize(16);
    c.insertText("Título", titulo);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText("Texto con ", QTextCharFormat());
    QTextCharFormat cursiva;
    cursiva.setFontItalic(true);
    c.insertText("cursiva", cursiva);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextListFormat lista;
    lista.setStyle(QTextListFormat::ListDisc);
    c.createList(lista);
    c.insertText("uno", QTextCharFormat());
    c.insertBlock();
    c.insertText("dos");
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextImageFormat imagen;
    imagen.setName(ImagenDatos(5, 4));
    imagen.setWidth(5);
    imagen.setHeight(4);
    c.insertImage(imagen);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable* tabla = c.insertTable(2, 2);
    tabla->cellAt(0, 0).firstCursorPosition().insertText("celda");
    c.movePosition(QTextCursor::End);
    c.insertText("Fin");
}

int PosicionDe(IDocumentoWord& doc, const QString& texto) {
    auto r = doc.Content();
    return r->FindExecute(texto) ? r->Start() : -1;
}

} // namespace

TEST_F(Motor, CopiarYPegarConservaFormatos) {
    auto origen = Abrir(EscribirDocumento("o.doc", LlenarFormateado));
    auto destino = Abrir(EscribirTexto("d.txt", "Cabecera\n"));
    // Copy everything: the whole content, final mark included.
    origen->Content()->Copy();
    auto r = destino->Content();
    r->Collapse();
    r->Paste();
    EXPECT_TRUE(Parrafos(*destino).startsWith("CabeceraTítulo|Texto con cursiva|uno|dos|"));
    // The pasted final mark leaves an empty paragraph at the end.
    EXPECT_TRUE(Parrafos(*destino).endsWith("Fin|"));

    QTextDocument& q = QDoc(*destino);
    const int pTitulo = PosicionDe(*destino, "Título");
    QTextCursor c(&q);
    c.setPosition(pTitulo + 1);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(c.charFormat().fontPointSize(), 16);
    EXPECT_TRUE(c.charFormat().fontFamilies().toStringList().contains("Liberation Serif"));
    // Pasted into "Cabecera", the first paragraph takes the format of its pasted mark.
    EXPECT_TRUE(q.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHCenter);
    c.setPosition(PosicionDe(*destino, "cursiva") + 1);
    EXPECT_TRUE(c.charFormat().fontItalic());
    c.setPosition(PosicionDe(*destino, "con") + 1);
    EXPECT_FALSE(c.charFormat().fontItalic());
    const QTextBlock uno = q.findBlock(PosicionDe(*destino, "uno"));
    const QTextBlock dos = q.findBlock(PosicionDe(*destino, "dos"));
    ASSERT_NE(uno.textList(), nullptr);
    EXPECT_EQ(uno.textList(), dos.textList());
    EXPECT_EQ(uno.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(q.findBlock(PosicionDe(*destino, "Fin")).textList(), nullptr);
    c.setPosition(PosicionDe(*destino, "celda"));
    ASSERT_NE(c.currentTable(), nullptr);
    EXPECT_EQ(c.currentTable()->rows(), 2);
    bool imagen = false;
    for (QTextBlock b = q.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString nombre = it.fragment().charFormat().toImageFormat().name();
                EXPECT_TRUE(nombre.startsWith("data:image/png;base64,"));
                const QVariant recurso = q.resource(QTextDocument::ImageResource, QUrl(nombre));
                imagen = !recurso.isNull();
            }
    EXPECT_TRUE(imagen);
    // The pasted document keeps all of it through a save and a reopening.
    destino->SaveAs(Ruta("d.doc"), "123456");
    destino->Close(GuardarCambios::NoGuardar);
    auto reabierto = Abrir(Ruta("d.doc"), "123456");
    QTextCursor c2(&QDoc(*reabierto));
    c2.setPosition(PosicionDe(*reabierto, "Título") + 1);
    EXPECT_EQ(c2.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(QDoc(*reabierto).toHtml().contains("data:image/png;base64,"));
}

TEST_F(Motor, ParrafosAlPegarEnUnParrafoVacio) {
    auto origen = Abrir(EscribirDocumento("o.doc", LlenarFormateado));
    // A destination whose last paragraph is empty and right-aligned.
    auto destino = Abrir(EscribirDocumento("d.doc", [](QTextCursor& c) {
        c.insertText("Etiqueta");
        QTextBlockFormat derecha;
        derecha.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        c.insertBlock(derecha);
    }));
    // Copy "Título" with its mark, then the two list items with the mark of "dos".
    auto fuente = origen->Content();
    fuente->SetRange(0, 7);
    fuente->Copy();
    auto r = destino->Content();
    r->Collapse();
    r->Paste();
    EXPECT_EQ(r->Start(), 9);
    EXPECT_EQ(r->End(), 16);
    const int pUno = PosicionDe(*origen, "uno");
    fuente->SetRange(pUno, pUno + 8);
    fuente->Copy();
    r = destino->Content();
    r->Collapse();
    r->Paste();
    r = destino->Content();
    r->Collapse();
    r->InsertAfter("Desarrollo");
    EXPECT_EQ(Parrafos(*destino), QStringLiteral("Etiqueta|Título|uno|dos|Desarrollo"));
    QTextDocument& q = QDoc(*destino);
    EXPECT_TRUE(q.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHCenter);
    ASSERT_NE(q.findBlockByNumber(2).textList(), nullptr);
    EXPECT_EQ(q.findBlockByNumber(2).textList(), q.findBlockByNumber(3).textList());
    EXPECT_EQ(q.findBlockByNumber(2).textList()->count(), 2);
    // The paragraph after the pasted ones keeps the destination's own format.
    EXPECT_EQ(q.findBlockByNumber(4).textList(), nullptr);
    EXPECT_TRUE(q.findBlockByNumber(4).blockFormat().alignment() & Qt::AlignRight);
    // A copy inside one paragraph pastes inline, and Paste replaces its range.
    fuente->SetRange(PosicionDe(*origen, "con"), PosicionDe(*origen, "con") + 3);
    fuente->Copy();
    auto reemplazo = destino->Content();
    reemplazo->SetRange(0, 8);
    reemplazo->Paste();
    EXPECT_EQ(Parrafos(*destino), QStringLiteral("con|Título|uno|dos|Desarrollo"));
}

TEST_F(Motor, PortapapelesDelSistema) {
    auto origen = Abrir(EscribirDocumento("o.doc", LlenarFormateado));
    auto r = origen->Content();
    r->SetRange(0, PosicionDe(*origen, "uno"));
    r->Copy();
    const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(datos, nullptr);
    EXPECT_TRUE(datos->hasHtml());
    EXPECT_TRUE(datos->html().contains("Título"));
    EXPECT_TRUE(datos->html().contains("font-weight:700"));
    EXPECT_EQ(datos->text(), QStringLiteral("Título\nTexto con cursiva\n"));
    // Whatever another program put there is pasted as rich text too.
    auto* ajenos = new QMimeData;
    ajenos->setHtml("<p><i>ajeno</i> y normal</p>");
    QGuiApplication::clipboard()->setMimeData(ajenos);
    auto destino = Abrir(EscribirTexto("d.txt", "X"));
    auto d = destino->Content();
    d->Collapse();
    d->Paste();
    EXPECT_TRUE(Parrafos(*destino).startsWith("Xajeno y normal"));
    QTextCursor c(&QDoc(*destino));
    c.setPosition(3);
    EXPECT_TRUE(c.charFormat().fontItalic());
    QGuiApplication::clipboard()->setText("solo texto");
    d = destino->Content();
    d->Collapse();
    d->Paste();
    EXPECT_TRUE(Parrafos(*destino).contains("solo texto"));
}
