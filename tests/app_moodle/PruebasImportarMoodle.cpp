// "Libros › Importar de Moodle…" through the main window: the editor's
// document closed first, the records and the tree nodes made, the tree and
// the grid brought up to date, the report, the refusals and cancelling.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTreeView>

#include "EntornoMoodleVentana.h"
#include "ImportacionMoodle.h"
#include "ModeloArbol.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// Two questions for places of the tree (the second's category adds three
// nodes, its fourth level joined into the contenido) and one of a type
// that is not imported.
const char* const Banco = R"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
<question type="category"><category><text>$course$/top/Física/Mecánica</text></category></question>
<question type="multichoice"><name><text>Aceleración</text></name>
  <questiontext format="html"><text>¿Unidad de la aceleración?</text></questiontext>
  <single>true</single>
  <answer fraction="0"><text>m/s</text></answer>
  <answer fraction="100"><text>m/s²</text></answer>
</question>
<question type="category"><category><text>$course$/Historia/Edad Media/Castillos/Torres</text></category></question>
<question type="truefalse"><name><text>Homenaje</text></name>
  <questiontext format="html"><text>La torre del homenaje es la principal.</text></questiontext>
  <answer fraction="100"><text>true</text></answer><answer fraction="0"><text>false</text></answer>
</question>
<question type="matching"><name><text>Parejas</text></name><questiontext><text>x</text></questiontext></question>
</quiz>
)";

} // namespace

class ImportarMoodle : public MoodleVentana {
protected:
    QString Archivo(const QByteArray& contenido = Banco) {
        const QString ruta = carpeta.Archivo(QStringLiteral("banco.xml"));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
        return ruta;
    }
    const TDocumento& Doc(int k) { return A().Documentos[size_t(k)]; }
};

TEST_F(ImportarMoodle, LasPreguntasEntranEnElLibroActivoYSeVenEnElArbolYLaLista) {
    // The editor shows document 1 with a change not yet saved.
    Seleccionar(QStringLiteral("Mecánica"));
    ASSERT_EQ(A().DocActual, 1);
    AbrirEditor();
    Escribir(QStringLiteral("Cambio sin guardar"));

    guion.Archivo(Archivo());
    form->ImportardeMoodle1->trigger();

    EXPECT_EQ(guion.TitulosArchivo, QStringList{QStringLiteral("Importar de Moodle")});
    // The editor's document was closed, its change kept, before the import.
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_TRUE(TextoDe(Ruta(1), QString::number(IdFisica)).contains("Cambio sin guardar"));

    // The records, in the first free slots, of the active book.
    EXPECT_EQ(Doc(5).Descripcion.Texto(), QStringLiteral("Aceleración"));
    EXPECT_EQ(Doc(5).IdLibro, IdFisica);
    EXPECT_EQ((TLugar{Doc(5).IdMateria, Doc(5).IdTema, Doc(5).IdContenido}), (TLugar{10, 20, 0}));
    EXPECT_EQ(Doc(5).Tipo, 1);
    EXPECT_EQ(Doc(5).Respuesta.Texto(), QStringLiteral("b"));
    EXPECT_EQ(Doc(6).Descripcion.Texto(), QStringLiteral("Homenaje"));
    EXPECT_FALSE(Doc(7).Usado());
    EXPECT_TRUE(QFile::exists(Ruta(5)));
    EXPECT_TRUE(QFile::exists(Ruta(6)));

    // The new nodes are in the tree view, their branch open; document 6 is in the last.
    TNodo* torres = Nodo(QStringLiteral("Castillos / Torres"));
    ASSERT_NE(torres, nullptr);
    ASSERT_EQ(torres->Nivel(), 2);
    EXPECT_EQ(torres->Padre->Texto, QStringLiteral("Edad Media"));
    EXPECT_TRUE(form->ModeloArbol->Indice(torres).isValid());
    EXPECT_TRUE(form->Arbol->isExpanded(form->ModeloArbol->Indice(torres->Padre)));
    EXPECT_TRUE(form->Arbol->isExpanded(form->ModeloArbol->Indice(torres->Padre->Padre)));
    EXPECT_EQ(A().Arbol.LugarDeNodo(torres),
              (TLugar{Doc(6).IdMateria, Doc(6).IdTema, Doc(6).IdContenido}));

    // The selected node is listed again, with the new document.
    EXPECT_EQ(form->NodoSeleccionado(), Nodo(QStringLiteral("Mecánica")));
    EXPECT_EQ(Listados(), QList<int>({1, 2, 5}));

    EXPECT_EQ(Informe(), QStringLiteral("Preguntas en el archivo: 3.\r\n"
                                        "Preguntas importadas: 2 (opción múltiple: 1, verdadero o "
                                        "falso: 1).\r\n"
                                        "Nodos añadidos al árbol: 3.\r\n"
                                        "Preguntas de otros tipos, no importadas: 1 (matching: "
                                        "1)."));
}

TEST_F(ImportarMoodle, SeRechazaSinPermisoOEnSoloConsultaYUnArchivoNoValidoNoCambiaNada) {
    const QString huella = Huella();
    const struct {
        const char* caso;
        bool soloConsulta;
        bool permitirMasDoc;
        QString mensaje;
    } casos[] = {
        {"sólo consulta", true, true, QString::fromUtf8(TMainForm::MensajeSoloConsulta)},
        {"sin permiso", false, false, moodle::MensajeSinPermisoAnadir()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        A().SoloConsulta = c.soloConsulta;
        A().Libros[1].PermitirMasDoc = c.permitirMasDoc;
        guion.Mensajes.clear();
        form->ImportardeMoodle1->trigger();
        ASSERT_EQ(guion.Mensajes.size(), 1);
        EXPECT_EQ(guion.Mensajes[0].Texto, c.mensaje);
        EXPECT_TRUE(guion.TitulosArchivo.isEmpty()); // no file was asked
    }
    A().SoloConsulta = false;
    A().Libros[1].PermitirMasDoc = true;

    guion.Mensajes.clear();
    guion.Archivo(Archivo("<quiz><question type=\"essay\">"));
    form->ImportardeMoodle1->trigger();
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_FALSE(guion.Mensajes[0].Texto.isEmpty());
    EXPECT_EQ(Huella(), huella);
}

TEST_F(ImportarMoodle, CancelarDejaLoImportadoYUnaInterrupcionDiceLoQueHizo) {
    Seleccionar(QStringLiteral("Mecánica"));
    guion.Archivo(Archivo());
    CancelarTras(1);
    form->ImportardeMoodle1->trigger();
    EXPECT_TRUE(Doc(5).Usado());
    EXPECT_FALSE(Doc(6).Usado());
    EXPECT_EQ(Listados(), QList<int>({1, 2, 5}));
    EXPECT_TRUE(Informe().startsWith(QStringLiteral("Importación cancelada")));
    EXPECT_TRUE(Informe().contains(QStringLiteral("Preguntas importadas: 1 ")));

    // A file no record names lies in the next new document's place and
    // cannot be moved aside (BAK cannot be made): the import stops there,
    // and the report tells what it had made.
    ASSERT_TRUE(QDir(carpeta.Archivo(QStringLiteral("BAK"))).removeRecursively());
    QFile bak(carpeta.Archivo(QStringLiteral("BAK")));
    ASSERT_TRUE(bak.open(QIODevice::WriteOnly));
    bak.close();
    QFile sobrante(Ruta(7));
    ASSERT_TRUE(sobrante.open(QIODevice::WriteOnly));
    sobrante.write("sobrante");
    sobrante.close();
    guion.Archivo(Archivo());
    LeerInformeEnVentana();
    form->ImportardeMoodle1->trigger();
    EXPECT_TRUE(Doc(6).Usado());
    EXPECT_FALSE(Doc(7).Usado());
    const QString informe = Informe();
    EXPECT_TRUE(informe.contains(QStringLiteral("Se interrumpe la importación")))
        << informe.toStdString();
    EXPECT_TRUE(informe.contains(QStringLiteral("Preguntas importadas: 1 ")))
        << informe.toStdString();
    EXPECT_EQ(Listados(), QList<int>({1, 2, 5, 6}));
}
