// Help file and viewer: a real section for every context, a contents page
// that reaches them all, and the viewer opening the right anchor.
#include <algorithm>

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <gtest/gtest.h>

#include "Ayuda.h"
#include "Clave.h"
#include "EntornoDialogos.h"
#include "Interaccion.h"
#include "ListaLibros.h"
#include "PropLibro.h"
#include "eliminar.h"

using namespace brivo;
using brivo::pruebas::TVentanaPrueba;

namespace {

const QString archivoPrograma = QStringLiteral(BRIVO_CARPETA_PROGRAMA "Brivo2.hlp");

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Ayuda : public ::testing::Test {
protected:
    void SetUp() override { ayuda::PonerRutaArchivo(archivoPrograma); }
    void TearDown() override { ayuda::PonerRutaArchivo({}); }
};

} // namespace

TEST_F(Ayuda, ElArchivoEstaJuntoAlPrograma) {
    const QByteArray fuente = Leer(QStringLiteral(BRIVO_FUENTES "recursos/Brivo2.hlp"));
    ASSERT_FALSE(fuente.isEmpty());
    EXPECT_EQ(Leer(archivoPrograma), fuente);
    // Without a path of its own the viewer looks beside the running program.
    ayuda::PonerRutaArchivo({});
    EXPECT_EQ(ayuda::RutaArchivo(), QCoreApplication::applicationDirPath() + "/Brivo2.hlp");
}

TEST_F(Ayuda, CadaContextoTieneUnaSeccionReal) {
    const QString html = ayuda::LeerArchivo();
    ASSERT_FALSE(html.isEmpty());
    QSet<QString> textos;
    for (int c : ayuda::Contextos()) {
        const QString seccion = ayuda::Seccion(html, c);
        ASSERT_FALSE(seccion.isEmpty()) << "sin sección " << c;
        const QString texto = ayuda::TextoPlano(seccion);
        // A heading and at least a few sentences of help.
        EXPECT_TRUE(seccion.contains("</h1>") || seccion.contains("</h2>")) << c;
        EXPECT_GE(texto.size(), 150) << c << ": " << texto.toStdString();
        EXPECT_FALSE(texto.contains("TODO") || texto.contains("Lorem")) << c;
        EXPECT_FALSE(textos.contains(texto)) << "sección repetida " << c;
        textos.insert(texto);
        // Each anchor appears once.
        EXPECT_EQ(html.count(QStringLiteral("<a name=\"%1\"").arg(c)), 1) << c;
    }
    // Every context number the program's windows and dialogs use is there.
    for (int c :
         {1,    1001, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108, 1200, 1201, 1202,
          1203, 1300, 1302, 1303, 1305, 1310, 1400, 1401, 1402, 1403, 1404, 1500, 1501, 1502})
        EXPECT_TRUE(ayuda::Contextos().contains(c)) << c;
}

TEST_F(Ayuda, LasAnclasDelArchivoSonLosContextosDelPrograma) {
    const QString html =
        QString::fromUtf8(Leer(QStringLiteral(BRIVO_FUENTES "recursos/Brivo2.hlp")));
    static const QRegularExpression ancla(QStringLiteral("<a name=\"(\\d+)\""));
    QList<int> anclas;
    for (auto it = ancla.globalMatch(html); it.hasNext();)
        anclas.append(it.next().captured(1).toInt());
    std::sort(anclas.begin(), anclas.end());
    // Each context once in the file and no anchor the program cannot open.
    QList<int> contextos;
    for (ContextoAyuda c : TodosLosContextos)
        contextos.append(Numero(c));
    EXPECT_EQ(anclas, contextos);
    // Each context's section is a titled one of its own.
    for (ContextoAyuda c : TodosLosContextos) {
        const QString seccion = ayuda::Seccion(html, Numero(c));
        EXPECT_TRUE(seccion.contains("</h1>") || seccion.contains("</h2>")) << Numero(c);
        EXPECT_FALSE(ayuda::TextoPlano(seccion).isEmpty()) << Numero(c);
    }
}

TEST_F(Ayuda, ElContenidoEnlazaConTodasLasSecciones) {
    const QString html = ayuda::LeerArchivo();
    const QList<int> enlaces = ayuda::Enlaces(ayuda::Seccion(html, 1));
    for (int c : ayuda::Contextos()) {
        if (c != 1) {
            EXPECT_TRUE(enlaces.contains(c)) << "el contenido no enlaza con " << c;
        }
    }
    // And every link of the file leads to an existing section.
    for (int destino : ayuda::Enlaces(html))
        EXPECT_FALSE(ayuda::Seccion(html, destino).isEmpty()) << destino;
}

TEST_F(Ayuda, LasSeccionesDicenLosMensajesDelSistema) {
    EXPECT_TRUE(ayuda::TextoPlano(ayuda::Seccion(1001)).contains("Clave errónea."));
    const QString nuevo = ayuda::TextoPlano(ayuda::Seccion(1101));
    for (const char* m : {"Debe escribir el nombre del autor", "Debe escribir el título del libro",
                          "La carpeta pertenece a otro libro"})
        EXPECT_TRUE(nuevo.contains(QString::fromUtf8(m))) << m;
    EXPECT_TRUE(ayuda::TextoPlano(ayuda::Seccion(1106))
                    .contains("No queda ningún libro. Debe crear uno para seguir trabajando."));
}

TEST_F(Ayuda, ElVisorAbreElAnclaDelContexto) {
    ui::TGuion g;
    ui::MostrarAyuda(nullptr, ContextoAyuda::PropiedadesLibro);
    ui::MostrarAyuda(nullptr, ContextoAyuda::CrearExamen);
    EXPECT_EQ(g.AyudasAbiertas, (QList<int>{1103, 1404}));
    ayuda::TVisorAyuda* visor = ayuda::Visor();
    ASSERT_NE(visor, nullptr);
    EXPECT_FALSE(visor->isVisible()); // scripted runs show no window
    EXPECT_EQ(visor->Contexto(), 1404);
    EXPECT_EQ(visor->Texto->source().fragment(), "1404");
    EXPECT_TRUE(visor->Texto->toPlainText().contains("Crear examen"));
    // The viewer is reused and follows the contents button and the links.
    ui::MostrarAyuda(nullptr, ContextoAyuda::IdentificadorLibro);
    EXPECT_EQ(ayuda::Visor(), visor);
    EXPECT_EQ(visor->Contexto(), 1001);
    visor->BContenido->click();
    EXPECT_EQ(visor->Contexto(), 1);
    visor->Texto->setSource(QUrl(QStringLiteral("#1203")));
    EXPECT_EQ(visor->Contexto(), 1203);
    visor->BAtras->click();
    EXPECT_EQ(visor->Contexto(), 1);
}

TEST_F(Ayuda, SinArchivoElVisorLoDice) {
    ayuda::PonerRutaArchivo(QStringLiteral("/no/existe/Brivo2.hlp"));
    ui::TGuion g;
    ui::MostrarAyuda(nullptr, ContextoAyuda::Indice);
    EXPECT_EQ(ayuda::Visor()->Contexto(), 0);
    EXPECT_TRUE(
        ayuda::Visor()->Texto->toPlainText().contains("No se encuentra el archivo de ayuda"));
}

TEST_F(Ayuda, BotonesAyudaDeLosDialogos) {
    TVentanaPrueba v;
    v.PonerLibro(1, 111111, "Uno", "uno");
    v.almacen.LibroActivo = 1;
    ui::TGuion g;
    TFormPropLibro(v, 1).BAyuda->click();
    TFormEliminarLibro(v).BAyuda->click();
    TFormListaLibros(v.almacen).BAyuda->click();
    EXPECT_EQ(g.AyudasAbiertas, (QList<int>{1103, 1106, 1102}));
    EXPECT_TRUE(g.DialogosMostrados.isEmpty());
}

TEST_F(Ayuda, F1AbreElContextoDelDialogo) {
    ui::TGuion g;
    TClaveDialog d;
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.activateWindow();
    d.ClaveEdit->setFocus();
    QTest::keyClick(d.ClaveEdit, Qt::Key_F1);
    EXPECT_EQ(g.AyudasAbiertas, QList<int>{1001});
    d.close();
}

TEST_F(Ayuda, ElVisorSigueUsableDesdeUnDialogoModal) {
    TClaveDialog d;
    d.setModal(true);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.BOK->setFocus();
    ui::MostrarAyuda(d.BOK, TClaveDialog::Contexto); // no script: the real viewer
    ayuda::TVisorAyuda* visor = ayuda::Visor();
    ASSERT_NE(visor, nullptr);
    EXPECT_TRUE(visor->isVisible());
    EXPECT_EQ(visor->Contexto(), 1001);
    ASSERT_NE(visor->windowHandle(), nullptr);
    EXPECT_EQ(visor->windowHandle()->transientParent(), d.windowHandle());
    visor->close();
    d.close();
}

TEST_F(Ayuda, LaAyudaDeUnDialogoSiempreEncimaSeVeEncimaDeEl) {
    // Without a script the viewer really shows; it goes above a dialog that
    // stays on top, owned by it, and back to a normal window afterwards.
    QDialog encima;
    encima.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    encima.show();
    ui::MostrarAyuda(&encima, ContextoAyuda::OpcionesGenerales);
    ayuda::TVisorAyuda* visor = ayuda::Visor();
    ASSERT_NE(visor, nullptr);
    EXPECT_TRUE(visor->isVisible());
    EXPECT_TRUE(visor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_NE(visor->windowHandle(), nullptr);
    EXPECT_EQ(visor->windowHandle()->transientParent(), encima.windowHandle());

    QWidget normal;
    normal.show();
    ui::MostrarAyuda(&normal, ContextoAyuda::Indice);
    EXPECT_TRUE(visor->isVisible());
    EXPECT_FALSE(visor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(visor->windowHandle()->transientParent(), normal.windowHandle());
    // Help left open does not keep the program running once the last other
    // window closes.
    EXPECT_FALSE(visor->testAttribute(Qt::WA_QuitOnClose));
    visor->close();
}
