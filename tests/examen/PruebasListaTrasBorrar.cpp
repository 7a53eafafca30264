// The exam list after documents leave the bank: a deleted document leaves
// the list, and the assembly never reads a free slot nor the exam itself.
#include <QDir>
#include <QFile>
#include <QTableView>

#include "EntornoExamen.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "Texto.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class ListaTrasBorrar : public TEntornoExamen {
protected:
    // Documents under the first materia, each with a question of its own.
    void ConPreguntas(std::initializer_list<int> docs) {
        Arrancar([docs](TAlmacen& a) {
            for (int k : docs)
                PonerDocumento(a, k, IdLibro, 2, 0, 0);
        });
        for (int k : docs)
            EscribirTexto(k, QStringLiteral("#PREG\nPregunta del %1").arg(k));
    }
    QList<int> Lista() {
        QList<int> r;
        for (int i = 1; i <= MaxExamen; ++i)
            if (A().ListaExamen[i] > 0)
                r << A().ListaExamen[i];
        return r;
    }
    void PonerLista(std::initializer_list<int> docs) {
        int i = 1;
        for (int k : docs)
            A().ListaExamen[i++] = k;
        form->ModeloGridExamen->PonerNumFilas(int(docs.size()) + 1);
    }
    // Marks every listed row of the grid and moves the marks into the list.
    void MarcarTodoYTrasladar() {
        for (int r = 1; r <= A().NumListados; ++r)
            ASSERT_TRUE(form->ModeloGridPreg->PonerCelda(r, TModeloGridPreg::ColMarca, true));
        form->SBPregsAExamenClick();
    }
    // Makes the grid row of document k current, as a click on it.
    void HacerActual(int k) {
        for (int r = 1; r <= A().NumListados; ++r)
            if (A().ListaPreg[r] == k)
                form->GridPreg->setCurrentIndex(
                    form->ModeloGridPreg->index(r - 1, TModeloGridPreg::ColDescripcion));
        ASSERT_EQ(A().DocActual, k);
    }
    void Crear() {
        guion.Dialogo(Aceptar());
        form->BCrearExamenClick();
    }
};

TEST_F(ListaTrasBorrar, BorrarUnDocumentoListadoYCrearElExamen) {
    ConPreguntas({1, 2, 3});
    MarcarTodoYTrasladar();
    ASSERT_EQ(Lista(), (QList<int>{1, 2, 3}));
    HacerActual(1);
    form->Borrardocumento1->trigger();
    // The list closes up over the deleted document, and the grid with it.
    EXPECT_EQ(Lista(), (QList<int>{2, 3}));
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 3);
    EXPECT_EQ(form->GridExamen->model()->index(0, 0).data().toInt(), 2);

    Crear();
    // The exam took the freed slot 1; it reads documents 2 and 3 only.
    const int examen = A().DocActual;
    ASSERT_EQ(examen, 1);
    EXPECT_EQ(ParrafosExamen(),
              QStringLiteral("EXAMEN|Pregunta 1 |Pregunta del 2||Pregunta 2 |Pregunta del 3|"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(examen)), ParrafosExamen());
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_TRUE(form->Banco().WordDocument->Abierto());
    EXPECT_EQ(A().Documentos[examen].Usos, 0);
    EXPECT_EQ(A().Documentos[2].Usos, 1);
    EXPECT_EQ(A().Documentos[3].Usos, 1);
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(ListaTrasBorrar, UnHuecoReutilizadoNoEntraEnElExamen) {
    ConPreguntas({1, 2});
    PonerLista({1, 2, 1});
    HacerActual(1);
    form->SBBorraDocClick();
    EXPECT_EQ(Lista(), QList<int>{2});
    // A new question takes slot 1 again; it was never listed.
    form->SBNuevoDocClick();
    ASSERT_EQ(A().Documentos[1].Numero, 1);
    EscribirTexto(1, QStringLiteral("#PREG\nNo listada"));
    Crear();
    EXPECT_EQ(ParrafosExamen(), QStringLiteral("EXAMEN|Pregunta 1 |Pregunta del 2|"));
    EXPECT_EQ(A().Documentos[1].Usos, 0);
}

// Entries left in the list by other means: a free slot and the slot the new
// exam takes (1, the first free one) are left out and the user is told how
// many, once.
struct CasoOmitidas {
    std::vector<int> lista;
    QString parrafos;
    QString aviso;
};

void PrintTo(const CasoOmitidas& caso, std::ostream* salida) {
    *salida << "lista";
    for (int k : caso.lista)
        *salida << ' ' << k;
}

class ListaConEntradasSinDocumento : public ListaTrasBorrar,
                                     public ::testing::WithParamInterface<CasoOmitidas> {};

TEST_P(ListaConEntradasSinDocumento, SeOmitenYSeAvisaUnaVez) {
    ConPreguntas({3, 4});
    const CasoOmitidas& caso = GetParam();
    for (size_t i = 0; i < caso.lista.size(); ++i)
        A().ListaExamen[i + 1] = caso.lista[i];
    Crear();
    const int examen = A().DocActual;
    ASSERT_EQ(examen, 1);
    // The exam is never closed by its own assembly and is saved whole.
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_TRUE(form->Banco().WordDocument->Abierto());
    EXPECT_EQ(ParrafosExamen(), caso.parrafos);
    EXPECT_EQ(ParrafosArchivo(RutaDoc(examen)), caso.parrafos);
    EXPECT_EQ(A().Documentos[examen].Usos, 0);
    EXPECT_EQ(A().Documentos[examen].FechaUso.Texto(), QStringLiteral("01/01/1900"));
    EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Error).isEmpty());
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion), QStringList{caso.aviso});
}

INSTANTIATE_TEST_SUITE_P(
    Examen, ListaConEntradasSinDocumento,
    ::testing::Values(
        // The exam's own slot as the last entry.
        CasoOmitidas{{3, 1},
                     "EXAMEN|Pregunta 1 |Pregunta del 3|",
                     "Se ha omitido 1 entrada de la lista de examen: su documento ya no existe "
                     "o es el propio examen."},
        // Its own slot first, a free slot between the questions.
        CasoOmitidas{{1, 3, 9, 4},
                     "EXAMEN|Pregunta 1 |Pregunta del 3||Pregunta 2 |Pregunta del 4|",
                     "Se han omitido 2 entradas de la lista de examen: sus documentos ya no "
                     "existen o son el propio examen."}));

TEST_F(ListaTrasBorrar, EliminarUnLibroQuitaSusDocumentosDeLaLista) {
    Arrancar([](TAlmacen& a) {
        PonerLibro(a, 2, 654321, "Otro", "otro");
        a.LibroActivo = 2;
        PonerDocumento(a, 3, IdLibro, 2, 0, 0);
        PonerDocumento(a, 5, 654321, 2, 0, 0);
    });
    PonerLista({5, 3, 5});
    guion.Dialogo(EliminarLibro());
    guion.Dialogo(ElegirLibro("Libro"));
    form->Eliminarlibro1Click();
    ASSERT_FALSE(A().Documentos[5].Usado());
    EXPECT_EQ(Lista(), QList<int>{3});
    EXPECT_EQ(form->ModeloGridExamen->NumFilas(), 2);
}

TEST_F(ListaTrasBorrar, UnArchivoSinRegistroNoSeAdoptaComoExamen) {
    ConPreguntas({3});
    // Slot 1, which the exam takes, has a file that no record names.
    EscribirTexto(1, QStringLiteral("EXAMEN DE OTRO\ncon mucho texto"));
    PonerLista({3});
    Crear();
    ASSERT_EQ(A().DocActual, 1);
    EXPECT_EQ(ParrafosArchivo(RutaDoc(1)), QStringLiteral("EXAMEN|Pregunta 1 |Pregunta del 3|"));
    const QString apartado = carpeta.Archivo("BAK/libro/K000001.doc");
    EXPECT_EQ(ParrafosArchivo(apartado), QStringLiteral("EXAMEN DE OTRO|con mucho texto"));
    const QStringList avisos = Textos(guion, ui::TipoMensaje::Informacion);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(apartado)) << avisos[0].toStdString();
}

} // namespace
