// Export then import: a book with every type, images, accents and GIFT's
// characters (tests/datos/moodle/ida_vuelta) goes out as Moodle XML and
// comes back into another book of the same library; the documents it gives
// carry the same catalogue fields, places, texts and images, and exporting
// them again gives the same files.
#include <QRegularExpression>

#include "EntornoMoodle.h"
#include "ExportacionMoodle.h"
#include "ImportacionMoodle.h"
#include "MontajeExamen.h"
#include "ProcesadorTextos.h"

using namespace brivo::pruebas;
using namespace brivo::moodle;

namespace {

constexpr int LibroB = 246802;

class IdaVuelta : public ::testing::Test {
protected:
    void SetUp() override {
        CargarCaso(b, QStringLiteral("ida_vuelta"));
        motor = word::CrearMotorIncrustado();
        ASSERT_EQ(
            Exportar(b.almacen, *motor, b.aExportar, b.Ruta("a.xml"), TFormato::Xml).Fallos.size(),
            0u);
        Exportar(b.almacen, *motor, b.aExportar, b.Ruta("a.gift"), TFormato::Gift);
        b.Libro(2, LibroB, QStringLiteral("Copia"), QStringLiteral("copia"), true);
        b.almacen.LibroActivo = 2;
        importados = Importar(b.almacen, *motor, b.Ruta("a.xml"));
        ASSERT_EQ(importados.Fin, TFinImportacion::Completa);
        ASSERT_EQ(importados.Documentos.size(), b.aExportar.size());
    }
    // The imported copy of document n of the first book (descriptions are unique).
    int Copia(int n) const {
        for (int k : importados.Documentos)
            if (b.almacen.Documentos[size_t(k)].Descripcion ==
                b.almacen.Documentos[size_t(n)].Descripcion)
                return k;
        return 0;
    }

    TBiblioteca b;
    std::unique_ptr<word::IAplicacionWord> motor;
    TInformeImportacion importados;
};

TEST_F(IdaVuelta, LosRegistrosVuelvenConSusCamposYLugares) {
    for (int n : b.aExportar) {
        const TDocumento& a = b.almacen.Documentos[size_t(n)];
        SCOPED_TRACE(a.Descripcion.Texto().toStdString());
        const int k = Copia(n);
        ASSERT_NE(k, 0);
        const TDocumento& c = b.almacen.Documentos[size_t(k)];
        EXPECT_EQ(c.IdLibro, LibroB);
        EXPECT_EQ(c.Tipo, a.Tipo);
        EXPECT_EQ(c.Dificultad, a.Dificultad);
        EXPECT_EQ(c.Puntos, a.Puntos > 0 ? a.Puntos : 1);
        // A multiple-choice question keeps its letter; a "Test" that went out
        // as essay comes back without one.
        const QString letra = a.Respuesta.Texto().trimmed().toLower();
        EXPECT_EQ(c.Respuesta.Texto(), a.Tipo == 1 && n != 4 ? letra : QString());
        QString materia, tema, contenido;
        b.almacen.Arbol.NombresDeLugar({c.IdMateria, c.IdTema, c.IdContenido}, materia, tema,
                                       contenido);
        if (n == 5) {
            // Out of the tree, it went under its book's title, which becomes a materia.
            EXPECT_EQ(materia, "Banco «común»: 2º");
            EXPECT_EQ(c.IdTema, 0);
        } else {
            EXPECT_EQ((TLugar{c.IdMateria, c.IdTema, c.IdContenido}),
                      (TLugar{a.IdMateria, a.IdTema, a.IdContenido}));
        }
    }
    EXPECT_EQ(importados.NodosAnadidos, 1);
}

TEST_F(IdaVuelta, TextosEImagenesVuelven) {
    for (int n : b.aExportar) {
        SCOPED_TRACE(b.almacen.Documentos[size_t(n)].Descripcion.Texto().toStdString());
        const TContenido a = ContenidoDe(b.almacen, n);
        const TContenido c = ContenidoDe(b.almacen, Copia(n));
        EXPECT_EQ(c.Secciones[SecPregunta], a.Secciones[SecPregunta]);
        EXPECT_EQ(c.Secciones[SecComentario], a.Secciones[SecComentario]);
        EXPECT_EQ(c.Secciones[SecDesarrollo], "");
        const bool opcionMultiple = n == 1 || n == 6;
        if (!opcionMultiple) {
            // The grader's information: the answer, then the development.
            QString resp = a.Secciones[SecRespuesta];
            if (!a.Secciones[SecDesarrollo].isEmpty())
                resp += QStringLiteral("|Desarrollo|") + a.Secciones[SecDesarrollo];
            EXPECT_EQ(c.Secciones[SecRespuesta], resp);
        }
        QStringList imagenesA = a.Todas();
        QStringList imagenesC = c.Todas();
        if (opcionMultiple) { // the right option is written in the answer too
            imagenesA = a.Imagenes[SecPregunta] + a.Imagenes[SecComentario];
            imagenesC = c.Imagenes[SecPregunta] + c.Imagenes[SecComentario];
        }
        imagenesA.sort();
        imagenesC.sort();
        EXPECT_EQ(imagenesC, imagenesA);
    }
}

TEST_F(IdaVuelta, ExportarLaCopiaDaLosMismosArchivos) {
    std::vector<int> copia = importados.Documentos;
    Exportar(b.almacen, *motor, copia, b.Ruta("b.xml"), TFormato::Xml);
    Exportar(b.almacen, *motor, copia, b.Ruta("b.gift"), TFormato::Gift);
    EXPECT_EQ(Normalizar(Leer(b.Ruta("b.xml"))), Normalizar(Leer(b.Ruta("a.xml"))));
    // GIFT names each question's document, whose number differs.
    const auto sinNumeros = [](QString gift) {
        return gift.remove(QRegularExpression(QStringLiteral("// Documento \\d+\\n")));
    };
    EXPECT_EQ(sinNumeros(Normalizar(Leer(b.Ruta("b.gift")))),
              sinNumeros(Normalizar(Leer(b.Ruta("a.gift")))));
}

} // namespace
