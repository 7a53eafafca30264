// An exam made in several versions, and answer sheets, without a window over
// the fake word processor: the records and their descriptions, the order of
// the questions in each version's file, numbering from 1 in each, use counted
// once, the sheets' lines, the room check, and what the editor shows at the
// end.
#include <QFile>
#include <QRegularExpression>
#include <set>

#include "CreacionExamen.h"
#include "CreacionVersiones.h"
#include "EntornoNucleo.h"
#include "Errores.h"
#include "Texto.h"
#include "TextosQt.h"

namespace brivo::pruebas {

namespace {

// Each question's text in the exam, by document number.
const std::map<int, QString> Enunciados = {{1, QStringLiteral("Uno")},
                                           {2, QStringLiteral("Dos")},
                                           {3, QStringLiteral("Tres sin marcas")},
                                           {4, QStringLiteral("Cuatro")}};

class CreacionVersiones : public TBaseBanco {
protected:
    CreacionVersiones() {
        PonerDocumento(1, IdFisica, 10, 20).Tipo = 3;
        EscribirDocumento(1, QStringLiteral("#PREG\nUno\n#RESP\nRespuesta uno\nsigue"));
        TDocumento& dos = PonerDocumento(2, IdFisica, 10, 20);
        dos.Tipo = 1;
        dos.Respuesta = QStringLiteral("B");
        EscribirDocumento(2, QStringLiteral("#PREG\nDos"));
        PonerDocumento(3, IdFisica, 10, 20).Tipo = 2;
        EscribirDocumento(3, QStringLiteral("Tres sin marcas"));
        // A "Test" question with an answer section: the section wins.
        TDocumento& cuatro = PonerDocumento(4, IdFisica, 10, 20);
        cuatro.Tipo = 1;
        cuatro.Respuesta = QStringLiteral("C");
        EscribirDocumento(4, QStringLiteral("#PREG\nCuatro\n#RESP\nR cuatro"));
        PonerDocumento(6, IdFisica, 1, 3); // an older exam: the new one is "Examen 2"
        Lista({1, 2, 3, 4});
    }
    void Lista(std::initializer_list<int> entradas) {
        almacen.ListaExamen.fill(-1);
        int i = 1;
        for (int k : entradas)
            almacen.ListaExamen[i++] = k;
    }
    // A file's paragraphs without the empty ones.
    QStringList Parrafos(int k) {
        QStringList p = LeerArchivoFalso(Ruta(k)).Texto.split(QLatin1Char('\n'));
        p.removeAll(QString());
        return p;
    }
    // The order of the questions in an exam's file, read from their texts,
    // and whether they are numbered 1, 2, 3... in that order.
    std::vector<int> OrdenEnArchivo(int k, bool& numeradas) {
        std::vector<int> orden;
        numeradas = true;
        const QStringList p = Parrafos(k);
        for (qsizetype i = 0; i < p.size(); ++i) {
            for (const auto& [d, texto] : Enunciados) {
                if (p[i] != texto)
                    continue;
                orden.push_back(d);
                const QString esperado =
                    QStringLiteral("Pregunta %1 ").arg(static_cast<int>(orden.size()));
                numeradas = numeradas && i > 0 && p[i - 1] == esperado;
            }
        }
        return orden;
    }
    TOpcionesCreacion Opciones(int versiones, bool hojas, std::uint64_t semilla = 7) {
        return {versiones, hojas, semilla};
    }
    int Usados() const {
        int n = 0;
        for (int k = 1; k <= MaxDocumentos; ++k)
            n += almacen.Documentos[k].Usado() ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(CreacionVersiones, CadaVersionEsUnExamenConSuOrdenYSuNumeracion) {
    almacen.Documentos[2].Usos = 4;
    TCreacionVersiones c(*banco, Opciones(4, false));
    c.Ejecutar();
    ASSERT_EQ(c.Examenes().size(), 4u);
    EXPECT_TRUE(c.Hojas().empty());
    EXPECT_EQ(c.NumeroExamen(), 2);

    const std::vector<int> lista{1, 2, 3, 4};
    std::set<std::vector<int>> ordenes;
    for (int v = 0; v < 4; ++v) {
        const int k = c.Examenes()[static_cast<size_t>(v)];
        const TDocumento& d = almacen.Documentos[k];
        EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), (TLugar{1, 3, 0}));
        EXPECT_EQ(d.IdLibro, IdFisica);
        const QString letra(QChar(u'A' + v));
        EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Examen 2 - Versión ") + letra);
        // The version's line right under the model's first paragraph.
        const QStringList p = Parrafos(k);
        ASSERT_GE(p.size(), 2);
        EXPECT_EQ(p[0], QStringLiteral("EXAMEN"));
        EXPECT_EQ(p[1], QStringLiteral("Versión ") + letra);
        bool numeradas = false;
        std::vector<int> orden = OrdenEnArchivo(k, numeradas);
        EXPECT_TRUE(numeradas) << "versión " << v;
        ordenes.insert(orden);
        if (v == 0) {
            EXPECT_EQ(orden, lista); // version A keeps the list's order
        }
        std::sort(orden.begin(), orden.end());
        EXPECT_EQ(orden, lista) << "versión " << v << " no es una permutación de la lista";
    }
    EXPECT_EQ(ordenes.size(), 4u);
    // The same seed gives the same orders again.
    EXPECT_EQ(PlanearVersiones(lista, 4, 7).Ordenes, c.Plan().Ordenes);

    // One use per creation, not per version.
    EXPECT_EQ(almacen.Documentos[1].Usos, 1);
    EXPECT_EQ(almacen.Documentos[2].Usos, 5);
    EXPECT_EQ(almacen.Documentos[4].FechaUso.Texto(), Hoy());

    // Version A ends in the editor with its row active; the questions read
    // hidden are all closed.
    const int a = c.Examenes().front();
    EXPECT_EQ(almacen.DocActual, a);
    ASSERT_TRUE(banco->WordDocument);
    EXPECT_EQ(banco->WordDocument->FullName(), Ruta(a));
    EXPECT_EQ(motor->DocumentsCount(), 1);
    ASSERT_GE(vista.FilaActiva, 1);
    EXPECT_EQ(almacen.ListaPreg[vista.FilaActiva], a);
    // The exam list and the questions are left as they were.
    EXPECT_EQ(almacen.ListaExamen[1], 1);
    EXPECT_EQ(almacen.ListaExamen[5], -1);
    EXPECT_TRUE(TextosDe(guion).isEmpty()) << TextosDe(guion).join(QLatin1Char('/')).toStdString();
}

TEST_F(CreacionVersiones, HojasDeRespuestasEnElOrdenDeCadaVersion) {
    TCreacionVersiones c(*banco, Opciones(2, true, 11));
    c.Ejecutar();
    ASSERT_EQ(c.Examenes().size(), 2u);
    ASSERT_EQ(c.Hojas().size(), 2u);
    const auto linea = [](int pregunta, int d) -> QStringList {
        const QString n = QString::number(pregunta) + QLatin1Char('.');
        switch (d) {
        case 1:
            return {n, QStringLiteral("Respuesta uno"), QStringLiteral("sigue")};
        case 2:
            return {n + QStringLiteral(" B")};
        case 4:
            return {n, QStringLiteral("R cuatro")};
        default:
            return {n}; // a "Prob" without an answer section
        }
    };
    for (int v = 0; v < 2; ++v) {
        const int examen = c.Examenes()[static_cast<size_t>(v)];
        const int hoja = c.Hojas()[static_cast<size_t>(v)];
        EXPECT_GT(hoja, c.Examenes().back()); // sheets after every version
        const QString letra(QChar(u'A' + v));
        const TDocumento& d = almacen.Documentos[hoja];
        EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), (TLugar{1, 3, 0}));
        EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Respuestas - Versión ") + letra);
        bool numeradas = false;
        const std::vector<int> orden = OrdenEnArchivo(examen, numeradas);
        ASSERT_EQ(orden.size(), 4u);
        QStringList esperado{QStringLiteral("EXAMEN"),
                             QStringLiteral("Respuestas - Examen 2 - Versión ") + letra};
        for (size_t i = 0; i < orden.size(); ++i)
            esperado += linea(static_cast<int>(i) + 1, orden[i]);
        EXPECT_EQ(Parrafos(hoja), esperado) << "hoja " << v;
    }
    EXPECT_EQ(almacen.Documentos[1].Usos, 1);
    EXPECT_EQ(almacen.DocActual, c.Examenes().front());
    EXPECT_EQ(motor->DocumentsCount(), 1);
}

TEST_F(CreacionVersiones, UnaVersionConHoja) {
    CrearExamen(*banco, Opciones(1, true));
    // Slots 5 and 7 were free: the exam and its sheet.
    EXPECT_EQ(almacen.Documentos[5].Descripcion.Texto(), QStringLiteral("Examen 2"));
    EXPECT_EQ(almacen.Documentos[7].Descripcion.Texto(), QStringLiteral("Respuestas - Examen 2"));
    const QStringList examen = Parrafos(5);
    EXPECT_EQ(examen.mid(0, 3), (Utf8({"EXAMEN", "Pregunta 1 ", "Uno"})));
    EXPECT_EQ(Parrafos(7), (Utf8({"EXAMEN", "Respuestas - Examen 2", "1.", "Respuesta uno", "sigue",
                                  "2. B", "3.", "4.", "R cuatro"})));
    EXPECT_EQ(almacen.Documentos[3].Usos, 1);
}

TEST_F(CreacionVersiones, UnaVersionSinHojaEsElExamenDeSiempre) {
    CrearExamen(*banco, Opciones(1, false));
    EXPECT_EQ(almacen.Documentos[5].Descripcion.Texto(), QStringLiteral("Examen 2"));
    EXPECT_EQ(Parrafos(5), (Utf8({"EXAMEN", "Pregunta 1 ", "Uno", "Pregunta 2 ", "Dos",
                                  "Pregunta 3 ", "Tres sin marcas", "Pregunta 4 ", "Cuatro"})));
    EXPECT_FALSE(almacen.Documentos[7].Usado());
}

TEST_F(CreacionVersiones, SiNoCabenTodosLosRegistrosNoSeCreaNada) {
    // 5 slots left; 3 versions with sheets need 6.
    int libres = 0;
    for (int k = MaxDocumentos; k >= 1; --k) {
        if (almacen.Documentos[k].Usado())
            continue;
        if (++libres > 5)
            PonerDocumento(k, IdOtro, 11, 0);
    }
    const int usados = Usados();
    TCreacionVersiones(*banco, Opciones(3, true)).Ejecutar();
    EXPECT_EQ(TextosDe(guion),
              Utf8({"Crear el examen necesita 6 documentos nuevos y en la tabla de "
                    "documentos solo quedan 5 huecos libres. No se ha creado nada."}));
    EXPECT_EQ(Usados(), usados);
    EXPECT_EQ(almacen.Documentos[1].Usos, 0);
    EXPECT_FALSE(motor->Window().Visible()); // the editor was never reached
    EXPECT_EQ(vista.CreandoExamenAlSeleccionar.size(), 0u);

    // Without the sheets three records fit.
    guion.Mensajes.clear();
    TCreacionVersiones c(*banco, Opciones(3, false));
    c.Ejecutar();
    EXPECT_EQ(c.Examenes().size(), 3u);
    EXPECT_EQ(Usados(), usados + 3);
    EXPECT_TRUE(TextosDe(guion).isEmpty());
}

TEST_F(CreacionVersiones, LasEntradasSinDocumentoQuedanFueraDeTodasLasVersiones) {
    Lista({9, 2, 1, 8, 2}); // 8 and 9 are free slots; 2 is listed twice
    TCreacionVersiones c(*banco, Opciones(3, false));
    c.Ejecutar();
    EXPECT_EQ(c.Omitidas(), 2);
    EXPECT_EQ(TextosDe(guion), QStringList{MensajeEntradasOmitidas(2)});
    ASSERT_EQ(c.Examenes().size(), 3u);
    for (int k : c.Examenes()) {
        bool numeradas = false;
        std::vector<int> orden = OrdenEnArchivo(k, numeradas);
        EXPECT_TRUE(numeradas);
        std::sort(orden.begin(), orden.end());
        EXPECT_EQ(orden, (std::vector<int>{1, 2, 2}));
    }
    // Listed twice, counted twice, but once for all the versions.
    EXPECT_EQ(almacen.Documentos[2].Usos, 2);
    EXPECT_EQ(almacen.Documentos[1].Usos, 1);
    // The records took slots 5, 7 and 8: an entry naming a slot free before
    // the creation never becomes one of its own records.
    EXPECT_EQ(c.Examenes(), (std::vector<int>{5, 7, 8}));
}

TEST_F(CreacionVersiones, MenosOrdenesQueVersionesPreguntaAntes) {
    Lista({3});
    guion.Confirmaciones({false});
    {
        TCreacionVersiones c(*banco, Opciones(2, true));
        c.Ejecutar();
        EXPECT_TRUE(c.Examenes().empty());
    }
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Confirmacion);
    EXPECT_TRUE(guion.Mensajes[0].Texto.contains(QStringLiteral("solo admiten un orden para 2 "
                                                                "versiones")))
        << guion.Mensajes[0].Texto.toStdString();
    EXPECT_FALSE(almacen.Documentos[5].Usado());
    EXPECT_FALSE(motor->Window().Visible());

    guion.Confirmaciones({true});
    TCreacionVersiones c(*banco, Opciones(2, false));
    c.Ejecutar();
    ASSERT_EQ(c.Examenes().size(), 2u);
    EXPECT_EQ(Parrafos(c.Examenes()[1]),
              (Utf8({"EXAMEN", "Versión B", "Pregunta 1 ", "Tres sin marcas"})));
    EXPECT_EQ(almacen.Documentos[3].Usos, 1);
}

TEST_F(CreacionVersiones, UnaPreguntaIlegibleDetieneLaCreacionYCierraLasLeidas) {
    EscribirArchivoFalso(Ruta(3), {QStringLiteral("Tres"), QStringLiteral("otra"), {}});
    TCreacionVersiones c(*banco, Opciones(2, true));
    EXPECT_THROW(c.Ejecutar(), ErrorBrivo);
    // What was read keeps its count; the records made so far stay.
    EXPECT_EQ(almacen.Documentos[1].Usos, 1);
    EXPECT_EQ(almacen.Documentos[2].Usos, 1);
    EXPECT_EQ(almacen.Documentos[4].Usos, 0);
    EXPECT_EQ(c.Examenes().size(), 1u);
    // Only the version being written stays open, as in an exam of one version.
    EXPECT_EQ(motor->DocumentsCount(), 1);
    EXPECT_EQ(banco->WordDocument->FullName(), Ruta(c.Examenes().front()));
}

TEST_F(CreacionVersiones, SoloConsultaNoCreaNada) {
    almacen.SoloConsulta = true;
    TCreacionVersiones(*banco, Opciones(2, true)).Ejecutar();
    EXPECT_EQ(TextosDe(guion), QStringList{QString::fromUtf8(TextoSoloConsulta)});
    EXPECT_FALSE(almacen.Documentos[5].Usado());
}

TEST(EscribirBajoPrimerParrafo, LaLineaVaDetrasDelPrimerParrafo) {
    const struct {
        const char* texto;
        const char* resultado;
    } casos[] = {
        {"EXAMEN", "EXAMEN\rVersión A\r"},
        {"Título\nNombre:\nFecha:", "Título\rVersión A\rNombre:\rFecha:\r"},
        {"", "\rVersión A\r"},
    };
    for (const auto& c : casos) {
        TMotorFalso motor;
        motor.Connect();
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("m.doc"));
        EscribirArchivoFalso(ruta, {QString::fromUtf8(c.texto), {}, {}});
        auto doc = motor.DocumentsOpen(ruta, {});
        EscribirBajoPrimerParrafo(*doc, QStringLiteral("Versión A"));
        EXPECT_EQ(dynamic_cast<TDocumentoFalso&>(*doc).Texto, QString::fromUtf8(c.resultado))
            << c.texto;
    }
}

} // namespace brivo::pruebas
