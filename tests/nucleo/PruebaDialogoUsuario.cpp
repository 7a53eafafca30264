// The dialog seam without widgets: every call reaches the installed
// presenter with its kind, text and parent, a script takes precedence and
// records, and with neither the call fails loudly; and the busy cursor.
#include <stdexcept>

#include <QCursor>
#include <QGuiApplication>

#include "CursorOcupado.h"
#include "EntornoNucleo.h"

namespace brivo::pruebas {

namespace {

// Records what it is asked and answers as told.
class TPresentadorFalso : public ui::IPresentador {
public:
    bool Mensaje(QWidget* padre, ui::TipoMensaje tipo, const QString& texto) override {
        Llamadas << QStringLiteral("%1:%2").arg(int(tipo)).arg(texto);
        Padres.push_back(padre);
        return Respuesta;
    }
    QString ArchivoParaGuardar(QWidget*, const QString& titulo, const QString& carpeta,
                               const QString& filtro) override {
        Llamadas << QStringLiteral("guardar:%1|%2|%3").arg(titulo, carpeta, filtro);
        return QStringLiteral("elegido.zip");
    }
    QString ArchivoParaAbrir(QWidget*, const QString& titulo, const QString&,
                             const QString&) override {
        Llamadas << QStringLiteral("abrir:%1").arg(titulo);
        return {};
    }
    void MostrarAyuda(QWidget*, int contexto, bool mostrar) override {
        Llamadas << QStringLiteral("ayuda:%1:%2").arg(contexto).arg(mostrar);
    }

    QStringList Llamadas;
    std::vector<QWidget*> Padres;
    bool Respuesta = true;
};

// Installs a presenter for the length of a test and takes it away after.
class DialogoUsuario : public ::testing::Test {
protected:
    void SetUp() override { ui::PonerPresentador(&presentador); }
    void TearDown() override { ui::PonerPresentador(nullptr); }
    TPresentadorFalso presentador;
};

} // namespace

TEST_F(DialogoUsuario, CadaLlamadaLlegaAlPresentadorConSuTipoYSuRespuesta) {
    auto* padre = reinterpret_cast<QWidget*>(0x10); // only handed on, never used
    ui::Informacion(padre, QStringLiteral("i"));
    ui::Error(padre, QStringLiteral("e"));
    EXPECT_TRUE(ui::Confirmar(padre, QStringLiteral("c")));
    presentador.Respuesta = false;
    EXPECT_FALSE(ui::Preguntar(padre, QStringLiteral("p")));
    EXPECT_EQ(ui::ArchivoParaGuardar(padre, QStringLiteral("T"), QStringLiteral("/bak"),
                                     QStringLiteral("*.zip")),
              QStringLiteral("elegido.zip"));
    EXPECT_TRUE(ui::ArchivoParaAbrir(padre, QStringLiteral("A"), {}, {}).isEmpty());
    ui::MostrarAyuda(padre, ContextoAyuda::ImportarLibro);
    EXPECT_EQ(presentador.Llamadas, (QStringList{"0:i", "2:e", "1:c", "3:p", "guardar:T|/bak|*.zip",
                                                 "abrir:A", "ayuda:1104:1"}));
    EXPECT_EQ(presentador.Padres, std::vector<QWidget*>(4, padre));
}

TEST_F(DialogoUsuario, UnGuionContestaAntesQueElPresentador) {
    ui::TGuion guion;
    guion.Confirmaciones({false, true});
    guion.Archivo(QStringLiteral("paquete.zip"));
    ui::Informacion(nullptr, QStringLiteral("aviso"));
    EXPECT_FALSE(ui::Confirmar(nullptr, QStringLiteral("¿Seguro?")));
    EXPECT_TRUE(ui::Preguntar(nullptr, QStringLiteral("¿Reemplazar?")));
    EXPECT_EQ(ui::ArchivoParaAbrir(nullptr, QStringLiteral("Exportar desde archivo"), {}, {}),
              QStringLiteral("paquete.zip"));
    // Scripted help still moves the viewer, without showing it.
    ui::MostrarAyuda(nullptr, ContextoAyuda::ExportarLibro);
    EXPECT_EQ(presentador.Llamadas, QStringList{"ayuda:1105:0"});
    EXPECT_EQ(TextosDe(guion), (QStringList{"aviso", "¿Seguro?", "¿Reemplazar?"}));
    EXPECT_EQ(guion.Mensajes[2].Tipo, ui::TipoMensaje::Pregunta);
    EXPECT_EQ(guion.TitulosArchivo, QStringList{"Exportar desde archivo"});
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1105});
    // A question nobody scripted fails instead of blocking.
    EXPECT_THROW(ui::Confirmar(nullptr, QStringLiteral("otra")), std::logic_error);
    EXPECT_THROW(guion.SiguienteAccionDialogo(QStringLiteral("TFormOpciones")), std::logic_error);
    EXPECT_EQ(guion.DialogosMostrados, QStringList{"TFormOpciones"});
}

TEST_F(DialogoUsuario, ElDialogoDeGuardarDiceQueEntradaDelFiltroSeEligio) {
    const QString filtro = QStringLiteral("A (*.a);;B (*.b)");
    // A presenter that knows no filter entries leaves the one given.
    QString entrada = QStringLiteral("B (*.b)");
    EXPECT_EQ(ui::ArchivoParaGuardar(nullptr, QStringLiteral("T"), {}, filtro, entrada),
              QStringLiteral("elegido.zip"));
    EXPECT_EQ(entrada, QStringLiteral("B (*.b)"));
    EXPECT_EQ(presentador.Llamadas.value(0), QStringLiteral("guardar:T||") + filtro);
    // A script answers with the entry it was given, or leaves it.
    ui::TGuion guion;
    guion.Archivo(QStringLiteral("uno"), QStringLiteral("A (*.a)"));
    guion.Archivo(QStringLiteral("dos"));
    EXPECT_EQ(ui::ArchivoParaGuardar(nullptr, QStringLiteral("T1"), {}, filtro, entrada),
              QStringLiteral("uno"));
    EXPECT_EQ(entrada, QStringLiteral("A (*.a)"));
    entrada = QStringLiteral("B (*.b)");
    EXPECT_EQ(ui::ArchivoParaGuardar(nullptr, QStringLiteral("T2"), {}, filtro, entrada),
              QStringLiteral("dos"));
    EXPECT_EQ(entrada, QStringLiteral("B (*.b)"));
    EXPECT_EQ(guion.TitulosArchivo, QStringList({"T1", "T2"}));
}

TEST(DialogoUsuarioSinPresentador, SinGuionNiPresentadorFallaEnVezDeCallar) {
    ASSERT_EQ(ui::Presentador(), nullptr);
    EXPECT_THROW(ui::Informacion(nullptr, QStringLiteral("nadie lo vería")), std::logic_error);
    EXPECT_THROW(ui::ArchivoParaGuardar(nullptr, QStringLiteral("T"), {}, {}), std::logic_error);
    EXPECT_THROW(ui::MostrarAyuda(nullptr, ContextoAyuda::Indice), std::logic_error);
    ui::TGuion guion;
    ui::MostrarAyuda(nullptr, ContextoAyuda::Indice); // a script alone records it
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1});
}

TEST(CursorOcupado, SeAnidaYVuelveAunqueSalgaUnaExcepcion) {
    ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        TCursorOcupado fuera;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        { TCursorOcupado dentro; }
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr); // the outer one still shows
        throw std::runtime_error("fallo de la orden");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace brivo::pruebas
