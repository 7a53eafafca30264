// Sections of a question document and the blocks appended to an exam, through
// the automation interface and the embedded engine alone.
#include <QFile>
#include <QTemporaryDir>

#include "EntornoExamen.h"
#include "MontajeExamen.h"
#include "MotorTexto.h"

using namespace brivo;
using namespace brivo::word;

namespace {

class Montaje : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        app = CrearMotorIncrustado();
        app->Connect();
    }
    void TearDown() override { app->Quit(); }

    std::shared_ptr<IDocumentoWord> Abrir(const QString& texto) {
        const QString ruta = carpeta.filePath(QStringLiteral("d%1.txt").arg(++numero));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto.toUtf8());
        f.close();
        return app->DocumentsOpen(ruta, {});
    }
    // The text of a section, paragraph marks written as "|".
    static QString Seccion(IDocumentoWord& d, const TSecciones& s, int seccion) {
        if (!s.Existe(seccion))
            return QStringLiteral("<ausente>");
        QString t = dynamic_cast<DocumentoMotor&>(d).Texto().mid(
            s.Inicio[seccion], s.Fin[seccion] - s.Inicio[seccion]);
        return t.replace(QChar::ParagraphSeparator, QLatin1Char('|'));
    }

    QTemporaryDir carpeta;
    std::unique_ptr<IAplicacionWord> app;
    int numero = 0;
};

TEST_F(Montaje, BuscarTextoDejaElRangoEnLaCoincidencia) {
    auto d = Abrir("uno\ndos #Preg tres");
    auto r = d->Content();
    EXPECT_TRUE(BuscarTexto(*r, "#PREG"));
    EXPECT_EQ(r->Start(), 8);
    EXPECT_EQ(r->End(), 13);
    // A failed search leaves the range as it was.
    auto s = d->Content();
    s->SetRange(2, 6);
    EXPECT_FALSE(BuscarTexto(*s, "#PREG"));
    EXPECT_EQ(s->Start(), 2);
    EXPECT_EQ(s->End(), 6);
    // Backwards finds the last paragraph mark of the range.
    auto p = d->Content();
    p->SetRange(0, 8);
    EXPECT_TRUE(BuscarTexto(*p, "^p", false));
    EXPECT_EQ(p->Start(), 3);
    EXPECT_EQ(p->End(), 4);
}

TEST_F(Montaje, CuatroSecciones) {
    auto d = Abrir("#PREG\nQ1\nQ2\n#DESA\nD\n#RESP\nR\n#COMENT\nC");
    const TSecciones s = BuscarSecciones(*d);
    EXPECT_EQ(Seccion(*d, s, SecPregunta), "Q1|Q2|");
    EXPECT_EQ(Seccion(*d, s, SecDesarrollo), "D|");
    EXPECT_EQ(Seccion(*d, s, SecRespuesta), "R|");
    EXPECT_EQ(Seccion(*d, s, SecComentario), "C|");
}

TEST_F(Montaje, SeccionesAusentesYSiguienteMarcador) {
    // Without development the question ends before "#RESP"; without answer
    // and comment the development runs to the end.
    auto a = Abrir("#PREG\nQ\n#RESP\nR");
    TSecciones s = BuscarSecciones(*a);
    EXPECT_EQ(Seccion(*a, s, SecPregunta), "Q|");
    EXPECT_EQ(s.Inicio[SecDesarrollo], -1);
    EXPECT_EQ(s.Fin[SecDesarrollo], -1);
    EXPECT_EQ(s.Fin[SecComentario], -1);
    EXPECT_EQ(Seccion(*a, s, SecRespuesta), "R|");

    auto b = Abrir("#PREG\nQ\n#COMENTARIO\nC");
    s = BuscarSecciones(*b);
    EXPECT_EQ(Seccion(*b, s, SecPregunta), "Q|");
    EXPECT_EQ(Seccion(*b, s, SecComentario), "C|");

    // The answer ends before the first "#COME", even one inside its own text.
    auto c = Abrir("#RESP\nR #comestible\nmas\n#COMENT\nC");
    s = BuscarSecciones(*c);
    EXPECT_EQ(Seccion(*c, s, SecRespuesta), "<ausente>");
}

TEST_F(Montaje, SinMarcaDeParrafoLaSeccionFalta) {
    // "#RESP" opens the text and "#PREG" comes later: the question would end
    // before "#RESP", where no paragraph mark lies; it counts as absent.
    auto d = Abrir("#RESP\nRespuesta primero\n#PREG\nLa pregunta");
    const TSecciones s = BuscarSecciones(*d);
    EXPECT_NE(s.Inicio[SecPregunta], -1);
    EXPECT_EQ(s.Fin[SecPregunta], -1);
    EXPECT_FALSE(s.Existe(SecPregunta));
    EXPECT_EQ(Seccion(*d, s, SecRespuesta), "Respuesta primero|#PREG|La pregunta|");
}

TEST_F(Montaje, SinLetrasNoHayPregunta) {
    auto d = Abrir("123\n\n456");
    const TSecciones s = BuscarSecciones(*d);
    EXPECT_EQ(s.Inicio[SecPregunta], -1);
    EXPECT_FALSE(s.Existe(SecPregunta));
}

TEST_F(Montaje, EtiquetaDePregunta) {
    EXPECT_EQ(EtiquetaPregunta("Pregunta % ", 7), "Pregunta 7 ");
    EXPECT_EQ(EtiquetaPregunta("%-%", 12), "12-%");
    EXPECT_EQ(EtiquetaPregunta("Sin número", 3), "Sin número");
}

TEST_F(Montaje, NumeroSoloConLaPregunta) {
    auto examen = Abrir("E");
    auto d = Abrir("#PREG\nQ\n#DESA\nD");
    const TSecciones s = BuscarSecciones(*d);
    TAjustes o;
    o.PonPregunta = false;
    o.PonDesarrollo = true;
    EXPECT_EQ(AnadirSecciones(*examen, *d, s, o, 1), 1);
    o.PonPregunta = true;
    EXPECT_EQ(AnadirSecciones(*examen, *d, s, o, 1), 2);
    QString t = dynamic_cast<DocumentoMotor&>(*examen).Texto();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('|'));
    EXPECT_EQ(t, "EDesarrollo|D||Pregunta 1 |Q|Desarrollo|D||");
}

} // namespace
