// One document exported for handing out, over the fake word processor and a
// stand-in for the conversions: the questions (file, unknown extension,
// existing file, password of the Word formats), the document in the editor
// exported with its unsaved changes, a closed one from its file, and the
// suggested name.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ConversionFalsa.h"
#include "EntornoNucleo.h"
#include "ExportarDocumento.h"

namespace brivo::pruebas {

namespace {

using word::FormatoExportacion;

class ExportarDocumento : public TBaseBanco {
protected:
    ExportarDocumento() {
        PonerDocumento(4, IdFisica, 10, 20).Descripcion = QStringLiteral("Energía: 1/2");
        EscribirDocumento(4, QStringLiteral("#PREG\nDefine la energía."), true);
        almacen.DocActual = 4;
    }
    // The password dialog: records the formats it is asked for and answers.
    TPedirClaveExportacion PedirClave(std::optional<QString> respuesta) {
        return [this, respuesta](QWidget*, FormatoExportacion formato) {
            pedidas.push_back(formato);
            return respuesta;
        };
    }
    QString Salida(const QString& nombre) const { return fuera.filePath(nombre); }

    QTemporaryDir fuera;
    TConversionFalsa conversion;
    std::vector<FormatoExportacion> pedidas;
};

struct CasoDestino {
    const char* archivo;     // chosen in the save dialog ("" = cancelled)
    bool existe;             // the file is there already
    bool reemplazar;         // the answer to the question (when asked)
    const char* clave;       // the password dialog's answer (nullptr = cancelled)
    bool esperado;           // a destination comes out
    int formato;             // its format (when it does)
    const char* claveSalida; // and password
    int clavesPedidas;       // times the password dialog was shown
};

class DestinoExportacion : public ExportarDocumento,
                           public ::testing::WithParamInterface<CasoDestino> {};

} // namespace

TEST_P(DestinoExportacion, PreguntasDelArchivoYLaClave) {
    const CasoDestino& c = GetParam();
    const QString ruta = *c.archivo ? Salida(QString::fromUtf8(c.archivo)) : QString();
    if (c.existe)
        EscribirArchivoFalso(ruta, {QStringLiteral("antes"), {}, {}});
    guion.Archivo(ruta);
    if (c.existe)
        guion.Confirmaciones({c.reemplazar});
    const auto destino = ElegirDestinoExportacion(
        nullptr, QStringLiteral("Documento"),
        PedirClave(c.clave ? std::optional<QString>(QString::fromUtf8(c.clave)) : std::nullopt));
    ASSERT_EQ(destino.has_value(), c.esperado);
    EXPECT_EQ(int(pedidas.size()), c.clavesPedidas);
    EXPECT_EQ(guion.TitulosArchivo, QStringList{QStringLiteral("Exportar documento")});
    if (c.existe) {
        ASSERT_FALSE(guion.Mensajes.isEmpty());
        EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Pregunta);
        EXPECT_EQ(guion.Mensajes[0].Texto,
                  QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?")
                      .arg(QDir::toNativeSeparators(ruta)));
    }
    if (destino) {
        EXPECT_EQ(destino->Ruta, ruta);
        EXPECT_EQ(int(destino->Formato), c.formato);
        EXPECT_EQ(destino->Clave, QString::fromUtf8(c.claveSalida));
    }
    // Nothing is written by the questions.
    if (c.existe) {
        EXPECT_EQ(LeerArchivoFalso(ruta).Texto, QStringLiteral("antes"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Exportar, DestinoExportacion,
    ::testing::Values(
        CasoDestino{"", false, false, "x", false, 0, "", 0},
        CasoDestino{"a.pdf", false, false, "x", true, int(FormatoExportacion::Pdf), "", 0},
        CasoDestino{"a.ODT", false, false, "x", true, int(FormatoExportacion::Odt), "", 0},
        CasoDestino{"a.html", false, false, "x", true, int(FormatoExportacion::Html), "", 0},
        CasoDestino{"a.doc", false, false, "secreta", true, int(FormatoExportacion::Doc), "secreta",
                    1},
        CasoDestino{"a.docx", false, false, "", true, int(FormatoExportacion::Docx), "", 1},
        CasoDestino{"a.doc", false, false, nullptr, false, 0, "", 1},
        CasoDestino{"a.pdf", true, false, "x", false, 0, "", 0},
        CasoDestino{"a.docx", true, true, "k", true, int(FormatoExportacion::Docx), "k", 1}));

TEST_F(ExportarDocumento, ExtensionDesconocidaDaUnError) {
    guion.Archivo(Salida(QStringLiteral("a.rtf")));
    EXPECT_FALSE(ElegirDestinoExportacion(nullptr, QStringLiteral("x"), PedirClave(QString())));
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_TRUE(guion.Mensajes[0].Texto.endsWith(
        QStringLiteral("la extensión debe ser .pdf, .odt, .docx, .doc o .html.")));
}

TEST_F(ExportarDocumento, CerradoSeLeeDeSuArchivoConElIdentificador) {
    guion.Archivo(Salida(QStringLiteral("e.doc")));
    EXPECT_TRUE(OrdenExportarDocumento(*banco, PedirClave(QStringLiteral("abc")), conversion));
    ASSERT_EQ(conversion.Exportaciones.size(), 1u);
    EXPECT_EQ(conversion.Exportaciones[0].Origen, Ruta(4));
    EXPECT_EQ(conversion.Exportaciones[0].Clave, Clave());
    const TArchivoFalso salida = LeerArchivoFalso(Salida(QStringLiteral("e.doc")));
    EXPECT_EQ(salida.Texto, QStringLiteral("#PREG\nDefine la energía."));
    EXPECT_EQ(salida.Clave, QStringLiteral("abc"));
    EXPECT_EQ(TextosDe(guion),
              QStringList{QStringLiteral("El documento 4 se ha exportado a %1.")
                              .arg(QDir::toNativeSeparators(Salida(QStringLiteral("e.doc"))))});
}

TEST_F(ExportarDocumento, AbiertoEnElEditorSeExportaConSusCambios) {
    AbrirEditor();
    auto rango = banco->WordDocument->Content();
    rango->Collapse();
    rango->InsertAfter(QStringLiteral("\rSin guardar"));
    guion.Archivo(Salida(QStringLiteral("e.pdf")));
    ASSERT_TRUE(OrdenExportarDocumento(*banco, PedirClave(QString()), conversion));
    EXPECT_TRUE(conversion.Exportaciones.empty());
    const TArchivoFalso salida = LeerArchivoFalso(Salida(QStringLiteral("e.pdf")));
    EXPECT_EQ(salida.Texto, QStringLiteral("#PREG\nDefine la energía.\nSin guardar"));
    EXPECT_EQ(salida.Propiedades.at(0), QString::number(int(FormatoExportacion::Pdf)));
    // The document's own file keeps what was saved.
    EXPECT_EQ(LeerArchivoFalso(Ruta(4)).Texto, QStringLiteral("#PREG\nDefine la energía."));

    // The editor showing another document: this one comes from its file.
    PonerDocumento(5, IdFisica, 10, 20);
    EscribirDocumento(5, QStringLiteral("Cinco"));
    guion.Archivo(Salida(QStringLiteral("cinco.odt")));
    almacen.DocActual = 5;
    ASSERT_TRUE(OrdenExportarDocumento(*banco, PedirClave(QString()), conversion));
    ASSERT_EQ(conversion.Exportaciones.size(), 1u);
    EXPECT_EQ(conversion.Exportaciones[0].Origen, Ruta(5));
}

TEST_F(ExportarDocumento, SinDocumentoActualSoloAvisa) {
    almacen.DocActual = 0;
    EXPECT_FALSE(OrdenExportarDocumento(*banco, PedirClave(QString()), conversion));
    EXPECT_EQ(TextosDe(guion), QStringList{QStringLiteral("No hay ningún documento elegido. "
                                                          "Elija en la lista el documento que "
                                                          "quiere exportar.")});
    EXPECT_TRUE(guion.TitulosArchivo.isEmpty());
}

TEST_F(ExportarDocumento, SinArchivoTodaviaSoloAvisa) {
    // A record whose document was never written, and no editor showing it.
    PonerDocumento(6, IdFisica, 10, 20);
    almacen.DocActual = 6;
    EXPECT_FALSE(OrdenExportarDocumento(*banco, PedirClave(QString()), conversion));
    EXPECT_EQ(TextosDe(guion),
              QStringList{QString::fromUtf8("El documento 6 todavía no tiene archivo: ábralo en el "
                                            "editor y guárdelo antes de exportarlo.")});
    EXPECT_TRUE(guion.TitulosArchivo.isEmpty());
    EXPECT_TRUE(pedidas.empty());
}

TEST_F(ExportarDocumento, NombreSugeridoSinCaracteresDeRuta) {
    const struct {
        const char* nombre;
        const char* archivo;
    } casos[] = {{"Energía: 1/2", "Energía_ 1_2.pdf"},
                 {"  Examen 3 ", "Examen 3.pdf"},
                 {"", "documento.pdf"},
                 {"..", "documento...pdf"},
                 {"a\\b*c?\"<>|", "a_b_c_____.pdf"}};
    for (const auto& c : casos)
        EXPECT_EQ(QFileInfo(RutaSugerida(QString::fromUtf8(c.nombre))).fileName(),
                  QString::fromUtf8(c.archivo))
            << c.nombre;
    // After an export the next one starts in the same folder.
    guion.Archivo(Salida(QStringLiteral("e.html")));
    ASSERT_TRUE(ElegirDestinoExportacion(nullptr, QStringLiteral("x"), PedirClave(QString())));
    EXPECT_EQ(QFileInfo(RutaSugerida(QStringLiteral("y"))).absolutePath(),
              QFileInfo(Salida(QStringLiteral("e.html"))).absolutePath());
}

} // namespace brivo::pruebas
