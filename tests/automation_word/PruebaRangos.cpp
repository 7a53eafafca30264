// Positions, Collapse, InsertAfter, SetRange and Find.
#include <QTextBlock>

#include "ComunPruebas.h"

using namespace brivo::pruebas;

TEST_F(Motor, PosicionesYMarcaFinal) {
    auto doc = Abrir(EscribirTexto("p.txt", "ab\nc"));
    auto rango = doc->Content();
    // a b mark c final-mark
    EXPECT_EQ(rango->Start(), 0);
    EXPECT_EQ(rango->End(), 5);
    rango->Collapse();
    EXPECT_EQ(rango->Start(), 4);
    EXPECT_EQ(rango->End(), 4);
    rango->InsertAfter("x");
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("ab|cx"));
    EXPECT_EQ(rango->Start(), 4);
    EXPECT_EQ(rango->End(), 5);
    // The range keeps growing over each insertion; "\r" breaks the paragraph.
    rango->InsertAfter("\r");
    rango->InsertAfter("Pregunta 1 ");
    rango->InsertAfter("\r");
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("ab|cx|Pregunta 1 |"));
    EXPECT_EQ(rango->End(), 18);
    EXPECT_EQ(doc->Content()->End(), 19);
    // The whole content grows with an insertion and still ends after the final mark.
    auto todo = doc->Content();
    todo->InsertAfter("fin");
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("ab|cx|Pregunta 1 |fin"));
    EXPECT_EQ(todo->Start(), 0);
    EXPECT_EQ(todo->End(), doc->Content()->End());
    // Collapse to the start, and SetRange keeps positions inside the text.
    todo->SetRange(1, 3);
    todo->Collapse(Direccion::Inicio);
    EXPECT_EQ(todo->Start(), 1);
    EXPECT_EQ(todo->End(), 1);
    todo->SetRange(-5, 1000);
    EXPECT_EQ(todo->Start(), 0);
    EXPECT_EQ(todo->End(), doc->Content()->End());
    // "\r\n" and "\n" are one paragraph break each.
    auto otro = doc->Content();
    otro->Collapse();
    otro->InsertAfter("a\r\nb\nc");
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("ab|cx|Pregunta 1 |fina|b|c"));
}

TEST_F(Motor, BuscarMarcadoresEnCualquierCaso) {
    auto doc = Abrir(EscribirTexto("m.txt", "Intro\n#preguntA de examen\nTexto\n#Desa\nfin"));
    auto r = doc->Content();
    EXPECT_TRUE(r->FindExecute("#PREG"));
    EXPECT_TRUE(r->Found());
    EXPECT_EQ(r->Start(), 6);
    EXPECT_EQ(r->End(), 11);
    r = doc->Content();
    EXPECT_TRUE(r->FindExecute("#desa"));
    EXPECT_EQ(r->Start(), 32);
    // Not found: the range stays as it was and Found reports false.
    r = doc->Content();
    r->SetRange(2, 20);
    EXPECT_FALSE(r->FindExecute("#RESP"));
    EXPECT_FALSE(r->Found());
    EXPECT_EQ(r->Start(), 2);
    EXPECT_EQ(r->End(), 20);
    // The search stays inside the range: a match crossing its end is not found.
    r->SetRange(0, 9);
    EXPECT_FALSE(r->FindExecute("#PREG"));
    r->SetRange(7, 40);
    EXPECT_FALSE(r->FindExecute("#PREG")); // no wrap to the start either
    // Backwards finds the last match inside the range.
    auto d2 = Abrir(EscribirTexto("b.txt", "xa ya za"));
    auto atras = d2->Content();
    EXPECT_TRUE(atras->FindExecute("A", false));
    EXPECT_EQ(atras->Start(), 7);
    atras->SetRange(0, 7);
    EXPECT_TRUE(atras->FindExecute("a", false));
    EXPECT_EQ(atras->Start(), 4);
    // Accented capitals match their small letters.
    auto d3 = Abrir(EscribirTexto("c.txt", "PREGUNTA ÁRBOL"));
    auto r3 = d3->Content();
    EXPECT_TRUE(r3->FindExecute("árbol"));
    EXPECT_EQ(r3->Start(), 9);
    EXPECT_EQ(MensajeDe([&] { d3->Content()->FindExecute("^x"); }),
              QStringLiteral("\"^x\" no es un carácter especial válido para buscar."));
}

TEST_F(Motor, BuscarParrafosYLetras) {
    // #PREG | (empty) | ¿12 Cuánto? | fin
    auto doc = Abrir(EscribirTexto("l.txt", "#PREG\n\n¿12 Cuánto?\nfin"));
    const int total = doc->Content()->End();
    ASSERT_EQ(total, 23);
    auto r = doc->Content();
    ASSERT_TRUE(r->FindExecute("#PREG"));
    auto desde = doc->Content();
    desde->SetRange(r->Start(), total);
    ASSERT_TRUE(desde->FindExecute("^p"));
    EXPECT_EQ(desde->Start(), 5);
    EXPECT_EQ(desde->End(), 6);
    auto letra = doc->Content();
    letra->SetRange(desde->Start(), total);
    ASSERT_TRUE(letra->FindExecute("^$"));
    // "¿", the digits, the blank and the empty paragraph are skipped.
    EXPECT_EQ(letra->Start(), 11);
    EXPECT_EQ(QDoc(*doc).characterAt(11), QChar('C'));
    // Backwards "^p" over the whole text matches the final mark: its end is the end of the text.
    auto atras = doc->Content();
    ASSERT_TRUE(atras->FindExecute("^p", false));
    EXPECT_EQ(atras->Start(), total - 1);
    EXPECT_EQ(atras->End(), total);
    // Backwards inside [0, 7) finds the mark of the empty paragraph.
    atras->SetRange(0, 7);
    ASSERT_TRUE(atras->FindExecute("^p", false));
    EXPECT_EQ(atras->Start(), 6);
    // A text without letters has no "^$".
    auto vacio = Abrir(EscribirTexto("v.txt", "¿?\n123\n"));
    EXPECT_FALSE(vacio->Content()->FindExecute("^$"));
    // Special codes combine with text, and "^^" is a caret.
    auto mezcla = Abrir(EscribirTexto("x.txt", "a^b\nC9"));
    auto rm = mezcla->Content();
    EXPECT_TRUE(rm->FindExecute("b^p^$^#"));
    EXPECT_EQ(rm->Start(), 2);
    EXPECT_EQ(rm->End(), 6);
    rm = mezcla->Content();
    EXPECT_TRUE(rm->FindExecute("^^"));
    EXPECT_EQ(rm->Start(), 1);
}

TEST_F(Motor, TextoSinFormatoTomaLaLetraDelCuerpoDelDocumento) {
    // A plain file and text added at its end (an exam label after pasted
    // questions) have no font of their own: they show in the documents' body
    // font, as the model documents do, not in the interface's font.
    auto doc = Abrir(EscribirTexto("K000009.doc", "Primera línea\n"));
    doc->Content()->InsertAfter("Pregunta 2");
    const QTextDocument& q = QDoc(*doc);
    const QTextBlock ultimo =
        q.lastBlock().text().isEmpty() ? q.lastBlock().previous() : q.lastBlock();
    ASSERT_TRUE(ultimo.text().endsWith(QStringLiteral("Pregunta 2")));
    for (auto it = ultimo.begin(); !it.atEnd(); ++it) {
        const QFont letra = it.fragment().charFormat().font().resolve(q.defaultFont());
        EXPECT_EQ(letra.family(), QStringLiteral("Liberation Serif"));
        EXPECT_EQ(letra.pointSize(), 12);
    }
}
