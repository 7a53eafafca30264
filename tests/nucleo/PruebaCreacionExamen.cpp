// Exam assembly without a window, step by step, over the fake word
// processor: the checks before anything is written, the editor, the exam's
// record and file, the listed documents appended, the save and the notice.
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>

#include "CreacionExamen.h"
#include "EntornoNucleo.h"
#include "Errores.h"
#include "Texto.h"

namespace brivo::pruebas {

namespace {

// Questions 1, 2 and 3 of Física under Mecánica, each with its file.
class CreacionExamen : public TBaseBanco {
protected:
    CreacionExamen() {
        const char* textos[] = {"#PREG\nUno\n#RESP\nA", "#PREG\nDos", "Tres sin marcas"};
        for (int k = 1; k <= 3; ++k) {
            PonerDocumento(k, IdFisica, 10, 20);
            EscribirDocumento(k, QString::fromUtf8(textos[k - 1]));
        }
        almacen.ListaExamen.fill(-1);
    }
    void Lista(std::initializer_list<int> entradas) {
        almacen.ListaExamen.fill(-1);
        int i = 1;
        for (int k : entradas)
            almacen.ListaExamen[i++] = k;
    }
    // The exam's paragraphs without the empty ones, joined by "|".
    static QString Parrafos(const QString& texto) {
        QStringList p = texto.split(QRegularExpression(QStringLiteral("[\r\n]")));
        p.removeAll(QString());
        return p.join(QLatin1Char('|'));
    }
    TDocumentoFalso& Examen(TCreacionExamen& c) {
        return dynamic_cast<TDocumentoFalso&>(*c.Examen());
    }
    // The steps up to the exam's record, each of which must succeed.
    void HastaElRegistro(TCreacionExamen& c) {
        ASSERT_TRUE(c.Comprobar());
        ASSERT_TRUE(c.PrepararEditor());
        ASSERT_TRUE(c.CrearRegistro());
    }
};

} // namespace

TEST_F(CreacionExamen, ComprobarAntesDeEscribirNada) {
    TCreacionExamen c(*banco);
    EXPECT_TRUE(c.Comprobar());
    QFile::remove(almacen.Ruta(QStringLiteral("nuevoexamen.doc")));
    EXPECT_FALSE(c.Comprobar());
    // A model document of the library serves when its file is there.
    PonerDocumento(40, IdFisica, 1, 2);
    almacen.ModeloExamenes = 40;
    EXPECT_FALSE(c.Comprobar());
    EscribirDocumento(40, QStringLiteral("MODELO"));
    EXPECT_TRUE(c.Comprobar());
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (!almacen.Documentos[k].Usado())
            PonerDocumento(k, IdOtro, 11, 0);
    EXPECT_FALSE(c.Comprobar());
    EXPECT_EQ(TextosDe(guion),
              (QStringList{"No se puede abrir el modelo de examen: no se puede crear el examen.",
                           "No se puede abrir el modelo de examen: no se puede crear el examen.",
                           "La tabla de documentos está llena: no se puede crear el examen. Borre "
                           "algún documento para poder crear otro."}));
    EXPECT_FALSE(motor->Window().Visible()); // the editor was never reached
}

TEST_F(CreacionExamen, PrepararEditorCierraElDocumentoActual) {
    almacen.DocActual = 2;
    AbrirEditor();
    dynamic_cast<TDocumentoFalso&>(*banco->WordDocument).Texto.prepend(QStringLiteral("Ya "));
    dynamic_cast<TDocumentoFalso&>(*banco->WordDocument).Modificado = true;
    TCreacionExamen c(*banco);
    ASSERT_TRUE(c.PrepararEditor());
    EXPECT_EQ(almacen.DocActual, 0);
    EXPECT_EQ(motor->DocumentsCount(), 0);
    EXPECT_EQ(LeerArchivoFalso(Ruta(2)).Texto, QStringLiteral("Ya #PREG\nDos"));

    // An editor left marked open by a failed connection connects again, or
    // the command stops with the notice.
    banco->CerrarEditorConDocumento();
    motor->FallaConectar = true;
    EXPECT_FALSE(c.PrepararEditor());
    EXPECT_TRUE(banco->EditorAbierto());
    motor->FallaConectar = false;
    EXPECT_TRUE(c.PrepararEditor());
    EXPECT_TRUE(motor->Conectado());
    EXPECT_EQ(TextosDe(guion), QStringList{"Word puede no estar instalado"});
}

TEST_F(CreacionExamen, ElRegistroVaAExamenesConElModeloPorArchivo) {
    PonerDocumento(5, IdFisica, 1, 3); // an older exam
    TCreacionExamen c(*banco);
    HastaElRegistro(c);
    EXPECT_EQ(vista.seleccionado, Nodo(QStringLiteral("Exámenes")));
    EXPECT_EQ(vista.CreandoExamenAlSeleccionar, std::vector<bool>{true});
    EXPECT_FALSE(banco->CreandoExamen);
    const int examen = almacen.DocActual;
    ASSERT_EQ(examen, 4);
    const TDocumento& d = almacen.Documentos[examen];
    EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), (TLugar{1, 3, 0}));
    EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Examen 2"));
    EXPECT_EQ(almacen.NumListados, 2);
    EXPECT_EQ(c.Examen()->FullName(), Ruta(examen));
    EXPECT_EQ(LeerArchivoFalso(Ruta(examen)).Texto, QStringLiteral("EXAMEN"));
}

TEST_F(CreacionExamen, SiElModeloNoAbreNoHayExamen) {
    TCreacionExamen c(*banco);
    ASSERT_TRUE(c.Comprobar());
    ASSERT_TRUE(c.PrepararEditor());
    QFile::remove(almacen.Ruta(QStringLiteral("nuevoexamen.doc"))); // gone since the check
    EXPECT_FALSE(c.CrearRegistro());
    EXPECT_FALSE(c.Examen());
    EXPECT_EQ(TextosDe(guion), QStringList{"No se puede abrir el modelo de examen: no se puede "
                                           "crear el examen."});
}

TEST_F(CreacionExamen, AnadirLaListaNumeraSoloLoLeido) {
    almacen.Documentos[1].Usos = 5;
    TCreacionExamen c(*banco);
    HastaElRegistro(c);
    const int propio = almacen.DocActual;
    // A free slot and the exam itself are left out; empty entries skipped.
    Lista({1, 0, 9, 2, propio, 3, 1});
    c.AnadirLista();
    EXPECT_EQ(c.Omitidas(), 2);
    EXPECT_EQ(Parrafos(Examen(c).Texto),
              QStringLiteral("EXAMEN|Pregunta 1 |Uno|Pregunta 2 |Dos|Pregunta 3 |Tres sin "
                             "marcas|Pregunta 4 |Uno"));
    EXPECT_EQ(almacen.Documentos[1].Usos, 7);
    EXPECT_EQ(almacen.Documentos[2].Usos, 1);
    EXPECT_EQ(almacen.Documentos[2].FechaUso.Texto(), Hoy());
    EXPECT_EQ(vista.Repintados, 4);
    EXPECT_EQ(motor->DocumentsCount(), 1); // every question closed again
    EXPECT_EQ(motor->Portapapeles, QStringLiteral("Uno\r"));
}

TEST_F(CreacionExamen, UnaPreguntaIlegibleDetieneElMontajeSinDejarlaAbierta) {
    // A file protected with a password other than its book's identifier.
    EscribirArchivoFalso(Ruta(2), {QStringLiteral("Dos"), QStringLiteral("otra"), {}});
    TCreacionExamen c(*banco);
    HastaElRegistro(c);
    Lista({1, 2, 3});
    EXPECT_THROW(c.AnadirLista(), ErrorBrivo);
    EXPECT_EQ(almacen.Documentos[1].Usos, 1); // what was read keeps its count
    EXPECT_EQ(almacen.Documentos[3].Usos, 0);
    EXPECT_EQ(motor->DocumentsCount(), 1);
}

TEST_F(CreacionExamen, GuardarDejaLaFilaDelExamenYSuClave) {
    PonerDocumento(5, IdFisica, 1, 3); // an exam in a higher slot than the new one
    TCreacionExamen c(*banco);
    HastaElRegistro(c);
    ASSERT_EQ(almacen.DocActual, 4);
    Lista({2});
    c.AnadirLista();
    // Another document brought forward: the save still goes to the exam.
    motor->DocumentsOpen(Ruta(3), {});
    c.Guardar();
    EXPECT_EQ(vista.FilaActiva, 1); // the exam's row, not the last one
    const TArchivoFalso archivo = LeerArchivoFalso(Ruta(4));
    EXPECT_EQ(Parrafos(archivo.Texto), QStringLiteral("EXAMEN|Pregunta 1 |Dos"));
    EXPECT_EQ(archivo.Clave, Clave());
    EXPECT_EQ(banco->WordDocument, c.Examen());
}

TEST_F(CreacionExamen, EjecutarDeUnaVezYAvisarDeLoOmitido) {
    Lista({1, 9, 8, 2});
    TCreacionExamen(*banco).Ejecutar();
    EXPECT_EQ(TextosDe(guion), QStringList{"Se han omitido 2 entradas de la lista de examen: sus "
                                           "documentos ya no existen o son el propio examen."});
    EXPECT_EQ(Parrafos(LeerArchivoFalso(Ruta(4)).Texto),
              QStringLiteral("EXAMEN|Pregunta 1 |Uno|Pregunta 2 |Dos"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    guion.Mensajes.clear();
    Lista({7});
    TCreacionExamen(*banco).Ejecutar();
    EXPECT_EQ(TextosDe(guion), QStringList{"Se ha omitido 1 entrada de la lista de examen: su "
                                           "documento ya no existe o es el propio examen."});
    EXPECT_TRUE(almacen.Documentos[5].Usado());

    almacen.SoloConsulta = true;
    guion.Mensajes.clear();
    TCreacionExamen(*banco).Ejecutar();
    EXPECT_EQ(TextosDe(guion), QStringList{QString::fromUtf8(TextoSoloConsulta)});
    EXPECT_FALSE(almacen.Documentos[6].Usado());
}

} // namespace brivo::pruebas
