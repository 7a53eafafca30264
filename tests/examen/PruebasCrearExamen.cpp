// "Crear examen" end to end: the dialog, the exam record under "Exámenes",
// the exam file from the model, the sections of each listed document with
// their labels, usage counted and dated, and the final save.
#include <functional>
#include <ostream>
#include <vector>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include "ArchivoDocumento.h"
#include "EntornoExamen.h"
#include "Errores.h"
#include "ModeloArbol.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "MotorTexto.h"
#include "Texto.h"
#include "VistaGridExamen.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

const QString CuatroSecciones = QStringLiteral(
    "#PREG\nQué es un átomo\n#DESA\nDesarrollo uno\nsigue\n#RESP\nLa respuesta\n#COMENT\n"
    "Un comentario");

class CrearExamen : public TEntornoExamen {
protected:
    // Questions 3, 7 and 12 under the materia; the list as given.
    void ConLista(std::initializer_list<int> lista) {
        int i = 1;
        for (int k : lista)
            A().ListaExamen[i++] = k;
    }
    void Crear() { form->BCrearExamenClick(); }
    int Examen() { return A().DocActual; }
};

TEST_F(CrearExamen, CuatroSeccionesConTodasLasOpciones) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0, "Átomo"); });
    EscribirTexto(3, CuatroSecciones);
    ConLista({3});
    guion.Dialogo(Aceptar(TodasLasSecciones));
    Crear();

    // The model, a paragraph break, the heading with its blank, then each
    // label before its section; every section ends with its own mark.
    EXPECT_EQ(ParrafosExamen(),
              QStringLiteral("EXAMEN|Pregunta 1 |Qué es un átomo|Desarrollo|Desarrollo uno|sigue|"
                             "Respuesta|La respuesta|Comentario|Un comentario|"));
    const int k = Examen();
    ASSERT_EQ(k, 1); // the first free slot
    const TDocumento& e = A().Documentos[k];
    EXPECT_EQ(e.IdMateria, 1);
    EXPECT_EQ(e.IdTema, 3);
    EXPECT_EQ(e.IdContenido, 0);
    EXPECT_EQ(e.IdLibro, IdLibro);
    EXPECT_EQ(e.Descripcion.Texto(), QStringLiteral("Examen 1"));
    // Usage of the question.
    EXPECT_EQ(A().Documentos[3].Usos, 1);
    EXPECT_EQ(A().Documentos[3].FechaUso.Texto(), Hoy());
    EXPECT_EQ(e.Usos, 0);
    // Saved under the exam's own name, and the editor shows it.
    EXPECT_EQ(ParrafosArchivo(RutaDoc(k)), ParrafosExamen());
    EXPECT_EQ(QFileInfo(form->Banco().WordDocument->FullName()).fileName(),
              QStringLiteral("K000001.doc"));
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->SBEditor->toolTip(), QStringLiteral("Cerrar editor"));
    EXPECT_EQ(form->Banco().WordApplication->DocumentsCount(), 1);
    EXPECT_FALSE(form->Banco().CreandoExamen);
    // "Exámenes" is selected with the exam listed and its row active.
    ASSERT_NE(form->NodoSeleccionado(), nullptr);
    EXPECT_EQ(form->NodoSeleccionado()->Texto, QStringLiteral("Exámenes"));
    ASSERT_EQ(A().NumListados, 1);
    EXPECT_EQ(A().ListaPreg[1], k);
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 0);
    // The list, the marks and the options are left as they were; the
    // options chosen in the dialog stay for the next exam.
    EXPECT_EQ(A().ListaExamen[1], 3);
    EXPECT_EQ(A().ListaExamen[2], -1);
    EXPECT_TRUE(A().Ajustes.PonComentario);
    EXPECT_EQ(guion.DialogosMostrados, QStringList{"TFormPropExamen"});
}

// Documents 3 and 4 with their texts, the exam list and the dialog's
// options: the paragraphs of the exam.
struct CasoTextos {
    const char* nombre;
    QString texto3, texto4;
    std::vector<int> lista;
    std::function<void(TFormPropExamen&)> opciones; // unset: every section
    QString esperado;
};

void PrintTo(const CasoTextos& c, std::ostream* os) {
    *os << c.nombre;
}

class TextosDelExamen : public CrearExamen, public ::testing::WithParamInterface<CasoTextos> {};

TEST_P(TextosDelExamen, SeccionesEtiquetasYNumeros) {
    const CasoTextos& c = GetParam();
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, c.texto3);
    EscribirTexto(4, c.texto4);
    int i = 1;
    for (int k : c.lista)
        A().ListaExamen[i++] = k;
    guion.Dialogo(Aceptar(c.opciones ? c.opciones : TodasLasSecciones));
    Crear();
    EXPECT_EQ(ParrafosExamen(), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    CrearExamen, TextosDelExamen,
    ::testing::Values(
        // Without markers the whole text from its first letter is the
        // question. "¿", digits and empty paragraphs before the first letter
        // are lost. Labels of absent sections still appear; the answer "1984"
        // has no letter, so its start stays on the marker paragraph's mark.
        CasoTextos{"SinMarcadoresYTextoPerdidoAlEmpezar",
                   QStringLiteral("\n12. ¿Cuál es la capital?\nMadrid"),
                   QStringLiteral("#PREG\n\n¿3) Qué pasa?\n#RESP\n1984"),
                   {3, 4},
                   {},
                   QStringLiteral("EXAMEN|Pregunta 1 |Cuál es la capital?|Madrid|Desarrollo|"
                                  "Respuesta|Comentario||Pregunta 2 |Qué pasa?|Desarrollo|"
                                  "Respuesta||1984|Comentario|")},
        CasoTextos{"MarcadoresEnMinusculasYDentroDePalabras",
                   QStringLiteral("Antes\n#preg\nPrimera\n#desa\nD1"),
                   QStringLiteral("#PREGUNTA\nSegunda\n#Respuestas\nR2"),
                   {3, 4},
                   [](TFormPropExamen& f) {
                       f.CBDesarrollo->setChecked(true);
                       f.CBRespuesta->setChecked(true);
                   },
                   QStringLiteral("EXAMEN|Pregunta 1 |Primera|Desarrollo|D1|Respuesta|"
                                  "|Pregunta 2 |Segunda|Desarrollo|Respuesta|R2|")},
        // Entries of 0 or less are skipped and the walk goes on past them.
        CasoTextos{"EntradasVaciasNoTomanNumero",
                   QStringLiteral("#PREG\nTres"),
                   QStringLiteral("#PREG\nCuatro"),
                   {-1, 3, 0, -1, 4},
                   [](TFormPropExamen&) {}, // the options as they are
                   QStringLiteral("EXAMEN|Pregunta 1 |Tres||Pregunta 2 |Cuatro|")}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CrearExamen, EtiquetasConPorcentaje) {
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, "#PREG\nUno");
    EscribirTexto(4, "#PREG\nDos");
    ConLista({3, 4});
    guion.Dialogo(Aceptar([](TFormPropExamen& f) { f.EdNumeraPreg->setText("P%."); }));
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|P1.|Uno||P2.|Dos|"));

    // Only the first "%" takes the number; a label without "%" is unnumbered.
    guion.Dialogo(Aceptar([](TFormPropExamen& f) { f.EdNumeraPreg->setText("Ej %: vale %"); }));
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|Ej 1: vale %|Uno||Ej 2: vale %|Dos|"));
    guion.Dialogo(Aceptar([](TFormPropExamen& f) { f.EdNumeraPreg->setText("Pregunta"); }));
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|Pregunta|Uno||Pregunta|Dos|"));
    // Three exams, each with its own record and file.
    EXPECT_EQ(A().Documentos[3].Usos, 3);
    EXPECT_EQ(A().NumListados, 3);
    EXPECT_EQ(A().Documentos[A().DocActual].Descripcion.Texto(), QStringLiteral("Examen 3"));
}

TEST_F(CrearExamen, SinPreguntaNiNumeroYDocumentoRepetido) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0); });
    EscribirTexto(3, "#PREG\nP\n#RESP\nR");
    // The same document listed twice is copied twice and counted twice.
    ConLista({3, 3});
    guion.Dialogo(Aceptar([](TFormPropExamen& f) {
        f.CBPregunta->setChecked(false);
        f.CBRespuesta->setChecked(true);
    }));
    Crear();
    // Only the question block starts with a paragraph break of its own: the
    // first label joins the model's last paragraph.
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMENRespuesta|R|Respuesta|R|"));
    EXPECT_EQ(A().Documentos[3].Usos, 2);
    EXPECT_FALSE(A().Ajustes.PonPregunta);
}

TEST_F(CrearExamen, ListaVaciaDaElModeloSolo) {
    Arrancar();
    guion.Dialogo(Aceptar(TodasLasSecciones));
    Crear();
    const int k = Examen();
    ASSERT_GE(k, 1);
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(k)), QStringLiteral("EXAMEN"));
}

TEST_F(CrearExamen, SinSeccionesSoloElModeloPeroSeCuentan) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0); });
    EscribirTexto(3, CuatroSecciones);
    ConLista({3, 3});
    guion.Dialogo(Aceptar([](TFormPropExamen& f) {
        for (QCheckBox* c : {f.CBPregunta, f.CBDesarrollo, f.CBRespuesta, f.CBComentarios})
            c->setChecked(false);
    }));
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN"));
    EXPECT_EQ(A().Documentos[3].Usos, 2);
    EXPECT_EQ(A().Documentos[3].FechaUso.Texto(), Hoy());
}

TEST_F(CrearExamen, SinPermisoDeAnadirSeCreaIgual) {
    Arrancar([](TAlmacen& a) {
        a.Libros[1].PermitirMasDoc = false;
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, "#PREG\nUna");
    ConLista({3});
    guion.Dialogo(Aceptar());
    Crear();
    ASSERT_EQ(Examen(), 1);
    EXPECT_EQ(A().Documentos[1].IdTema, 3);
    EXPECT_TRUE(QFile::exists(RutaDoc(1)));
    EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Informacion).isEmpty());
}

TEST_F(CrearExamen, CancelarNoCambiaNada) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0); });
    EscribirTexto(3, "#PREG\nUna");
    ConLista({3});
    const int actual = A().DocActual;
    guion.Dialogo([](QDialog& d) {
        auto* f = dynamic_cast<TFormPropExamen*>(&d);
        EXPECT_NE(f, nullptr);
        if (f)
            f->CBComentarios->setChecked(true);
        d.reject();
        return d.result();
    });
    Crear();
    EXPECT_FALSE(form->EditorAbierto());
    EXPECT_EQ(A().DocActual, actual);
    EXPECT_EQ(A().DocumentoLibre(), 1);
    EXPECT_EQ(A().Documentos[3].Usos, 0);
    EXPECT_FALSE(A().Ajustes.PonComentario);
}

TEST_F(CrearExamen, PreguntasCifradasYConFormato) {
    Arrancar([](TAlmacen& a) {
        a.Libros[1].ClaveEnDoc = true;
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
    });
    // Document 3 with a bold word, both encrypted with the book's identifier.
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText("#PREG");
        c.insertBlock();
        QTextCharFormat negrita;
        negrita.setFontWeight(QFont::Bold);
        c.insertText("Negrita", negrita);
        c.insertText(" normal", QTextCharFormat());
        word::GuardarArchivoDocumento(RutaDoc(3), QString::number(IdLibro), doc, {});
    }
    EscribirTexto(4, "#PREG\nCifrada", true);
    ConLista({3, 4});
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(ParrafosExamen(),
              QStringLiteral("EXAMEN|Pregunta 1 |Negrita normal||Pregunta 2 |Cifrada|"));
    QTextDocument& q = dynamic_cast<word::DocumentoMotor&>(*form->Banco().WordDocument).Documento();
    const QTextBlock bloque = q.findBlockByNumber(2);
    ASSERT_EQ(bloque.text(), QStringLiteral("Negrita normal"));
    QTextCursor c(bloque);
    c.setPosition(bloque.position() + 1);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
    c.setPosition(bloque.position() + 10);
    EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
    // The book keeps its identifier as the documents' password: the exam is
    // saved encrypted.
    const int k = Examen();
    EXPECT_THROW(ParrafosArchivo(RutaDoc(k)), ErrorBrivo);
    EXPECT_EQ(ParrafosArchivo(RutaDoc(k), QString::number(IdLibro)), ParrafosExamen());
}

TEST_F(CrearExamen, DocumentoQueFaltaDetieneElComando) {
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
        PonerDocumento(a, 5, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, "#PREG\nTres");
    EscribirTexto(5, "#PREG\nCinco");
    ConLista({3, 4, 5});
    guion.Dialogo(Aceptar());
    QString mensaje;
    try {
        Crear();
    } catch (const ErrorBrivo& e) {
        mensaje = e.Mensaje();
    }
    // The engine's own message; what was done so far stays.
    EXPECT_EQ(mensaje, QStringLiteral("No se encuentra el archivo \"%1\".").arg(RutaDoc(4)));
    const int k = Examen();
    ASSERT_EQ(k, 1);
    EXPECT_EQ(A().Documentos[k].IdTema, 3);
    EXPECT_EQ(A().Documentos[3].Usos, 1);
    EXPECT_EQ(A().Documentos[4].Usos, 0);
    EXPECT_EQ(A().Documentos[5].Usos, 0);
    // The file holds the model; the text appended so far is in the open exam.
    EXPECT_EQ(ParrafosArchivo(RutaDoc(k)), QStringLiteral("EXAMEN"));
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|Pregunta 1 |Tres|"));
}

TEST_F(CrearExamen, SinModeloDeExamenNoSeEscribeNada) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0); });
    EscribirTexto(3, "#PREG\nTres");
    ConLista({3});
    ASSERT_TRUE(QFile::remove(carpeta.Archivo("nuevoexamen.doc")));
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{"No se puede abrir el modelo de examen: no se puede crear el examen."});
    EXPECT_EQ(A().DocumentoLibre(), 1);
    EXPECT_EQ(A().Documentos[3].Usos, 0);
    EXPECT_FALSE(form->EditorAbierto());
    EXPECT_FALSE(QFile::exists(RutaDoc(1)));
}

TEST_F(CrearExamen, ModeloDeExamenElegido) {
    // An exam model document in slot 9 serves instead of "nuevoexamen.doc".
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 9, IdLibro, 1, 2, 0, "Mi modelo");
        a.Ajustes.NumModeloExamenes = 0;
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
    });
    EscribirTexto(9, "MODELO PROPIO");
    EscribirTexto(3, "#PREG\nTres");
    ASSERT_EQ(A().ModeloExamenes, 9);
    ASSERT_TRUE(QFile::remove(carpeta.Archivo("nuevoexamen.doc")));
    ConLista({3});
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("MODELO PROPIO|Pregunta 1 |Tres|"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(9)), QStringLiteral("MODELO PROPIO"));
}

TEST_F(CrearExamen, TablaDeDocumentosLlena) {
    Arrancar([](TAlmacen& a) {
        for (int k = 1; k <= MaxDocumentos; ++k)
            PonerDocumento(a, k, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, "#PREG\nTres");
    ConLista({3});
    const int actual = A().DocActual;
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion),
              QStringList{"La tabla de documentos está llena: no se puede crear el examen. "
                          "Borre algún documento para poder crear otro."});
    EXPECT_EQ(A().DocActual, actual);
    EXPECT_EQ(A().Documentos[3].Usos, 0);
    EXPECT_FALSE(form->EditorAbierto());
}

TEST_F(CrearExamen, ConElEditorAbiertoCierraElDocumentoActual) {
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
    });
    EscribirTexto(3, "#PREG\nTres");
    EscribirTexto(4, "#PREG\nCuatro");
    // The editor shows document 4 (row 2 of the materia), changed by the user.
    form->GridPreg->setCurrentIndex(form->GridPreg->model()->index(1, 2));
    ASSERT_EQ(A().DocActual, 4);
    form->BEditarClick();
    ASSERT_TRUE(form->EditorAbierto());
    ASSERT_TRUE(form->Banco().WordDocument);
    auto r = form->Banco().WordDocument->Content();
    r->Collapse();
    r->InsertAfter("cambio");
    ConLista({3});
    guion.Dialogo(Aceptar());
    Crear();
    // Document 4 was closed with its changes kept; the exam alone is open.
    EXPECT_EQ(ParrafosArchivo(RutaDoc(4)), QStringLiteral("#PREG|Cuatrocambio"));
    EXPECT_EQ(form->Banco().WordApplication->DocumentsCount(), 1);
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|Pregunta 1 |Tres|"));
}

TEST_F(CrearExamen, ExamenEnUnHuecoAnteriorSigueSiendoElActual) {
    // Exam 5 already exists; the new exam takes the free slot 1, listed
    // before it: the exam's own row is made active and it stays current.
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 2, IdLibro, 2, 0, 0);
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
        PonerDocumento(a, 5, IdLibro, 1, 3, 0, "Examen 1");
    });
    EscribirTexto(5, "EXAMEN ANTERIOR");
    EscribirTexto(3, "#PREG\nTres");
    ConLista({3});
    guion.Dialogo(Aceptar());
    Crear();
    ASSERT_EQ(Examen(), 1);
    EXPECT_EQ(A().Documentos[1].Descripcion.Texto(), QStringLiteral("Examen 2"));
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 0);
    EXPECT_EQ(ParrafosArchivo(RutaDoc(1)), QStringLiteral("EXAMEN|Pregunta 1 |Tres|"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(5)), QStringLiteral("EXAMEN ANTERIOR"));
}

// A word processor that cannot be reached.
class MotorInalcanzable : public word::AplicacionMotor {
public:
    void Connect() override { throw ErrorBrivo(QStringLiteral("sin conexión")); }
};

TEST_F(CrearExamen, WordInalcanzableNoCreaNada) {
    Arrancar([](TAlmacen& a) { PonerDocumento(a, 3, IdLibro, 2, 0, 0); });
    EscribirTexto(3, "#PREG\nTres");
    ConLista({3});
    form->Banco().WordApplication = std::make_unique<MotorInalcanzable>();
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error), QStringList{"Word puede no estar instalado"});
    // The editor counts as open; no record was created and nothing counted.
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(A().DocumentoLibre(), 1);
    EXPECT_EQ(A().Documentos[3].Usos, 0);
}

TEST_F(CrearExamen, DeMarcarAExamenEnOrdenElegido) {
    // Questions under the materia and under its tema, marked in the grid,
    // moved into the list node by node, reordered by dragging, then the exam.
    Arrancar([](TAlmacen& a) {
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 4, IdLibro, 2, 0, 0);
        PonerDocumento(a, 6, IdLibro, 2, 1, 0);
    });
    EscribirTexto(3, "#PREG\nTres");
    EscribirTexto(4, "#PREG\nCuatro");
    EscribirTexto(6, "#PREG\nSeis");
    auto nodo = [&](const QString& texto) {
        TNodo* r = nullptr;
        A().Arbol.Recorrer([&](TNodo* n) {
            if (!r && n->Texto == texto)
                r = n;
        });
        return r;
    };
    // The materia lists its tema's documents too: 3, 4, 6.
    form->SeleccionarNodo(nodo("Nueva materia"));
    ASSERT_EQ(A().NumListados, 3);
    ASSERT_TRUE(form->ModeloGridPreg->PonerCelda(2, TModeloGridPreg::ColMarca, true));
    ASSERT_TRUE(form->ModeloGridPreg->PonerCelda(1, TModeloGridPreg::ColMarca, true));
    form->SBPregsAExamenClick();
    form->SeleccionarNodo(nodo("Nuevo tema"));
    ASSERT_EQ(A().NumListados, 1);
    ASSERT_TRUE(form->ModeloGridPreg->PonerCelda(1, TModeloGridPreg::ColMarca, true));
    form->SBPregsAExamenClick();
    ASSERT_EQ(form->ModeloGridExamen->NumFilas(), 4);
    // [3, 4, 6]: the last row dragged to the top.
    static_cast<TVistaGridExamen*>(form->GridExamen)->MoverFila(3, 1);
    guion.Dialogo(Aceptar());
    Crear();
    EXPECT_EQ(ParrafosExamen(),
              QStringLiteral("EXAMEN|Pregunta 1 |Seis||Pregunta 2 |Tres||Pregunta 3 |Cuatro|"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(1)), ParrafosExamen());
    for (int k : {3, 4, 6})
        EXPECT_EQ(A().Documentos[k].Usos, 1) << k;
}

} // namespace
