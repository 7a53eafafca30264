// An exam assembled through the automation interface alone, the way the exam
// command does it: sections found by their marker paragraphs, labels written
// with InsertAfter, sections appended through Copy and Paste.
#include <array>

#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

#include "ComunPruebas.h"
#include "ModelosDocumento.h"

using namespace brivo::pruebas;

namespace {

struct Opciones {
    bool PonPregunta = true, PonDesarrollo = true, PonRespuesta = true, PonComentario = true;
    QString TextoPregunta = "Pregunta % ";
    QString TextoDesarrollo = "Desarrollo";
    QString TextoRespuesta = "Respuesta";
    QString TextoComentario = "Comentario";
};

enum { Preg, Desa, Resp, Coment };
const std::array<QString, 4> Marcas = {"#PREG", "#DESA", "#RESP", "#COMENT"};

bool BuscarTexto(IRangoWord& rango, const QString& texto, bool adelante) {
    return rango.FindExecute(texto, adelante);
}

struct Secciones {
    std::array<int, 4> inicio{-1, -1, -1, -1};
    std::array<int, 4> fin{-1, -1, -1, -1};
};

// End of a section: the end of the last paragraph mark before the next marker
// (or of the text); -1 when no mark is there.
int FinAntesDe(IDocumentoWord& aux, const QString* siguiente) {
    auto rango = aux.Content();
    if (siguiente) {
        auto marca = aux.Content();
        if (BuscarTexto(*marca, *siguiente, true))
            rango->SetRange(0, marca->Start());
    }
    return BuscarTexto(*rango, "^p", false) ? rango->End() : -1;
}

Secciones BuscarSecciones(IDocumentoWord& aux) {
    Secciones s;
    for (int m = Preg; m <= Coment; ++m) {
        auto rango = aux.Content();
        const int finTexto = rango->End();
        if (BuscarTexto(*rango, Marcas[m], true)) {
            int p = rango->Start();
            auto marca = aux.Content();
            marca->SetRange(p, finTexto);
            BuscarTexto(*marca, "^p", true);
            p = marca->Start();
            auto letra = aux.Content();
            letra->SetRange(p, finTexto);
            BuscarTexto(*letra, "^$", true);
            s.inicio[m] = letra->Start();
        } else if (m == Preg) {
            auto letra = aux.Content();
            s.inicio[m] = BuscarTexto(*letra, "^$", true) ? letra->Start() : -1;
        }
    }
    if (s.inicio[Coment] != -1) {
        auto rango = aux.Content();
        s.fin[Coment] = BuscarTexto(*rango, "^p", false) ? rango->End() : -1;
    }
    if (s.inicio[Resp] != -1) {
        const QString come = "#COME";
        s.fin[Resp] = FinAntesDe(aux, s.inicio[Coment] != -1 ? &come : nullptr);
    }
    auto siguienteDe = [&](int desde) -> const QString* {
        for (int m = desde; m <= Coment; ++m)
            if (s.inicio[m] != -1)
                return &Marcas[m];
        return nullptr;
    };
    if (s.inicio[Desa] != -1)
        s.fin[Desa] = FinAntesDe(aux, siguienteDe(Resp));
    if (s.inicio[Preg] != -1)
        s.fin[Preg] = FinAntesDe(aux, siguienteDe(Desa));
    return s;
}

void Anadir(IDocumentoWord& examen, IDocumentoWord& aux, const Secciones& s, int seccion,
            const QString& etiqueta, bool conSaltoDelante) {
    auto rango = examen.Content();
    rango->Collapse();
    if (conSaltoDelante)
        rango->InsertAfter("\r");
    rango->InsertAfter(etiqueta);
    rango->InsertAfter("\r");
    if (s.inicio[seccion] != -1 && s.fin[seccion] > s.inicio[seccion]) {
        auto fuente = aux.Content();
        fuente->SetRange(s.inicio[seccion], s.fin[seccion]);
        fuente->Copy();
        rango = examen.Content();
        rango->Collapse();
        rango->Paste();
    }
}

// The assembly loop over the listed files; returns the final question number.
int ArmarExamen(IAplicacionWord& app, IDocumentoWord& examen, const QStringList& rutas,
                const QString& clave, const Opciones& o) {
    int n = 1;
    for (const QString& ruta : rutas) {
        auto aux = app.DocumentsOpen(ruta, Con(clave));
        examen.Window().SetWindowState(EstadoVentana::Normal);
        aux->Window().SetWindowState(EstadoVentana::Minimizada);
        const Secciones s = BuscarSecciones(*aux);
        if (o.PonPregunta) {
            QString etiqueta = o.TextoPregunta;
            const qsizetype pos = etiqueta.indexOf('%');
            if (pos >= 0)
                etiqueta.replace(pos, 1, QString::number(n));
            ++n;
            Anadir(examen, *aux, s, Preg, etiqueta, true);
        }
        if (o.PonDesarrollo)
            Anadir(examen, *aux, s, Desa, o.TextoDesarrollo, false);
        if (o.PonRespuesta)
            Anadir(examen, *aux, s, Resp, o.TextoRespuesta, false);
        if (o.PonComentario)
            Anadir(examen, *aux, s, Coment, o.TextoComentario, false);
        aux->Close(GuardarCambios::NoGuardar);
    }
    return n;
}

class Examen : public Motor {
protected:
    void SetUp() override {
        Motor::SetUp();
        EscribirModelos(carpeta.path());
    }
    std::shared_ptr<IDocumentoWord> NuevoExamen() {
        auto modelo = Abrir(Ruta("nuevoexamen.doc"));
        modelo->SaveAs(Ruta("K000100.doc"), QString());
        return modelo;
    }
    // The paragraphs that the assembly added after the model's heading.
    QString Anadido(IDocumentoWord& examen) {
        const QStringList todos = Parrafos(examen).split('|');
        return todos.mid(3).join('|');
    }
};

} // namespace

TEST_F(Examen, CuatroSeccionesConEtiquetas) {
    const QString ruta = EscribirTexto(
        "q1.txt", "#PREG\n¿Qué es un átomo?\n#DESA\nDesarrollo uno\nsigue\n#RESP\nLa respuesta\n"
                  "#COMENT\nUn comentario");
    auto examen = NuevoExamen();
    EXPECT_EQ(ArmarExamen(*aplicacion, *examen, {ruta}, {}, {}), 2);
    // The model's last empty paragraph, then a paragraph break and the heading
    // "Pregunta 1 "; "¿" is not copied; each section ends with its own mark and
    // the comment brings the final mark, which leaves an empty last paragraph.
    EXPECT_EQ(Anadido(*examen),
              QStringLiteral("|Pregunta 1 |Qué es un átomo?|Desarrollo|Desarrollo uno|sigue|"
                             "Respuesta|La respuesta|Comentario|Un comentario|"));
    EXPECT_EQ(aplicacion->DocumentsCount(), 1);
    EXPECT_EQ(aplicacion->ActiveDocument(), examen);
}

TEST_F(Examen, DocumentoSinMarcadores) {
    const QString ruta = EscribirTexto("q.txt", "\n12. ¿Cuál es la capital?\nMadrid");
    auto examen = NuevoExamen();
    ArmarExamen(*aplicacion, *examen, {ruta}, {}, {});
    // The whole text from its first letter is the question; the other labels still appear.
    EXPECT_EQ(Anadido(*examen),
              QStringLiteral("|Pregunta 1 |Cuál es la capital?|Madrid|Desarrollo|Respuesta|"
                             "Comentario|"));
}

TEST_F(Examen, MarcadoresEnMinusculasYDentroDePalabras) {
    const QString a = EscribirTexto("a.txt", "#preg\n\n123 Primera\n#respuestas\nR1");
    const QString b = EscribirTexto("b.txt", "#PREGUNTA\nSegunda\n#coment\nC2\n");
    auto examen = NuevoExamen();
    Opciones o;
    o.TextoPregunta = "Ejercicio %: vale %";
    o.PonDesarrollo = false;
    EXPECT_EQ(ArmarExamen(*aplicacion, *examen, {a, b}, {}, o), 3);
    // Only the first "%" takes the number; the empty paragraph and "123 " are lost.
    EXPECT_EQ(Anadido(*examen),
              QStringLiteral("|Ejercicio 1: vale %|Primera|Respuesta|R1|Comentario|"
                             "|Ejercicio 2: vale %|Segunda|Respuesta|Comentario|C2|"));
}

TEST_F(Examen, SinPreguntaNoSeNumera) {
    const QString a = EscribirTexto("a.txt", "#PREG\nP\n#RESP\nR");
    auto examen = NuevoExamen();
    Opciones o;
    o.PonPregunta = false;
    o.PonComentario = false;
    o.PonDesarrollo = false;
    EXPECT_EQ(ArmarExamen(*aplicacion, *examen, {a, a}, {}, o), 1);
    EXPECT_EQ(Anadido(*examen), QStringLiteral("Respuesta|R|Respuesta|R|"));
}

TEST_F(Examen, MarcadorAlPrincipioConSeccionDelante) {
    // "#RESP" opens the text and "#PREG" comes later: the question has no mark
    // before the answer marker, so it counts as absent instead of looping.
    const QString a = EscribirTexto("a.txt", "#RESP\nRespuesta primero\n#PREG\nLa pregunta");
    auto examen = NuevoExamen();
    ArmarExamen(*aplicacion, *examen, {a}, {}, {});
    EXPECT_EQ(Anadido(*examen),
              QStringLiteral("|Pregunta 1 |Desarrollo|Respuesta|Respuesta primero|#PREG|"
                             "La pregunta|Comentario|"));
}

TEST_F(Examen, TresPreguntasConFormato) {
    // Three question files saved with the book's password, built in the model.
    auto pregunta = [&](const QString& nombre, const QString& enunciado, bool lista) {
        auto modelo = Abrir(Ruta("nuevodoc.doc"));
        QTextDocument& q = QDoc(*modelo);
        auto escribir = [&](int bloque, const QString& texto) {
            QTextCursor c(q.findBlockByNumber(bloque));
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat f;
            c.insertText(texto, f);
            return c;
        };
        QTextCursor c = escribir(1, enunciado);
        c.movePosition(QTextCursor::StartOfBlock);
        c.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        QTextCharFormat negrita;
        negrita.setFontWeight(QFont::Bold);
        c.mergeCharFormat(negrita);
        escribir(3, "Desarrollo de " + nombre);
        QTextCursor r = escribir(5, "Respuesta de " + nombre);
        if (lista) {
            r.movePosition(QTextCursor::EndOfBlock);
            r.insertBlock();
            r.insertText("segunda línea");
            QTextListFormat numerada;
            numerada.setStyle(QTextListFormat::ListDecimal);
            r.movePosition(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor);
            r.createList(numerada);
        }
        escribir(lista ? 8 : 7, "Comentario de " + nombre);
        modelo->SaveAs(Ruta(nombre + ".doc"), "654321");
        modelo->Close(GuardarCambios::NoGuardar);
        return Ruta(nombre + ".doc");
    };
    const QStringList rutas = {pregunta("uno", "Primera pregunta", false),
                               pregunta("dos", "Segunda pregunta", true),
                               pregunta("tres", "Tercera pregunta", false)};
    auto examen = NuevoExamen();
    EXPECT_EQ(ArmarExamen(*aplicacion, *examen, rutas, "654321", {}), 4);
    EXPECT_EQ(
        Anadido(*examen),
        QStringLiteral("|Pregunta 1 |Primera pregunta|Desarrollo|Desarrollo de uno|Respuesta|"
                       "Respuesta de uno|Comentario|Comentario de uno|"
                       "|Pregunta 2 |Segunda pregunta|Desarrollo|Desarrollo de dos|Respuesta|"
                       "Respuesta de dos|segunda línea|Comentario|Comentario de dos|"
                       "|Pregunta 3 |Tercera pregunta|Desarrollo|Desarrollo de tres|Respuesta|"
                       "Respuesta de tres|Comentario|Comentario de tres|"));
    QTextDocument& q = QDoc(*examen);
    // The first word of each question stays bold, the rest and the labels do not.
    for (const QString palabra : {"Primera", "Segunda", "Tercera"}) {
        auto r = examen->Content();
        ASSERT_TRUE(r->FindExecute(QString(palabra) + " pregunta"));
        QTextCursor c(&q);
        c.setPosition(r->Start() + 1);
        EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold) << palabra.toStdString();
        c.setPosition(r->End() - 1);
        EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold) << palabra.toStdString();
    }
    auto r = examen->Content();
    ASSERT_TRUE(r->FindExecute("Pregunta 2"));
    QTextCursor c(&q);
    c.setPosition(r->Start() + 1);
    EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
    // The numbered answer of the second question is still one two-item list,
    // and the label after it is not part of it.
    r = examen->Content();
    ASSERT_TRUE(r->FindExecute("Respuesta de dos"));
    const QTextBlock item = q.findBlock(r->Start());
    ASSERT_NE(item.textList(), nullptr);
    EXPECT_EQ(item.textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(item.next().textList(), item.textList());
    EXPECT_EQ(item.next().next().textList(), nullptr);
    EXPECT_EQ(item.next().next().text(), QStringLiteral("Comentario"));
    // Saved as the exam's file, the result reopens the same.
    const QString antes = Parrafos(*examen);
    examen->Close(GuardarCambios::Guardar);
    EXPECT_EQ(Parrafos(*Abrir(Ruta("K000100.doc"))), antes);
}

TEST_F(Examen, TablasAlPrincipioYAlFinalDeUnaSeccion) {
    // "#PREG" followed at once by a table; the development ends in a table that
    // the next marker follows at once.
    const QString ruta = EscribirDocumento("t.doc", [](QTextCursor& c) {
        c.insertText("#PREG");
        QTextTable* t1 = c.insertTable(1, 2);
        t1->cellAt(0, 0).firstCursorPosition().insertText("a1");
        t1->cellAt(0, 1).firstCursorPosition().insertText("b1");
        c.movePosition(QTextCursor::End);
        c.insertText("Texto de la pregunta");
        c.insertBlock();
        c.insertText("#DESA");
        c.insertBlock();
        c.insertText("Desarrollo");
        QTextTable* t2 = c.insertTable(2, 1);
        t2->cellAt(0, 0).firstCursorPosition().insertText("x2");
        t2->cellAt(1, 0).firstCursorPosition().insertText("y2");
        c.movePosition(QTextCursor::End);
        c.insertText("#RESP");
        c.insertBlock();
        c.insertText("R");
    });
    auto examen = NuevoExamen();
    Opciones o;
    o.PonComentario = false;
    ArmarExamen(*aplicacion, *examen, {ruta}, {}, o);
    QTextDocument& q = QDoc(*examen);
    std::vector<QTextTable*> tablas;
    for (QTextFrame* marco : q.rootFrame()->childFrames())
        if (auto* tabla = qobject_cast<QTextTable*>(marco))
            tablas.push_back(tabla);
    ASSERT_EQ(tablas.size(), 2u);
    EXPECT_EQ(tablas[0]->columns(), 2);
    EXPECT_EQ(tablas[0]->cellAt(0, 1).firstCursorPosition().block().text(), "b1");
    EXPECT_EQ(tablas[1]->rows(), 2);
    EXPECT_EQ(tablas[1]->cellAt(1, 0).firstCursorPosition().block().text(), "y2");
    const QString texto = Parrafos(*examen);
    EXPECT_LT(texto.indexOf("Pregunta 1"), texto.indexOf("a1"));
    EXPECT_LT(texto.indexOf("y2"), texto.indexOf("Respuesta"));
    EXPECT_TRUE(texto.contains("Texto de la pregunta"));
    EXPECT_FALSE(texto.contains("#RESP"));
    EXPECT_FALSE(texto.contains("#DESA"));
}
