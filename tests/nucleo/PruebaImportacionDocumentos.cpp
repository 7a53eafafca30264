// Files imported as new documents of the active book, over the fake word
// processor and a stand-in for the conversions: the records and files made,
// the permission, slot and leftover-file rules of a new document, failures
// per file, a missing LibreOffice, cancelling, the editor following, and the
// closing report.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ConversionFalsa.h"
#include "EntornoNucleo.h"
#include "ImportacionDocumentos.h"
#include "InformesOficina.h"
#include "Texto.h"

namespace brivo::pruebas {

namespace {

const QString AvisoNoPermitido =
    QStringLiteral("No está permitido añadir documentos al libro activo. \r\nPuede modificar "
                   "este comportamiento en Libro/Propiedades\r\nsi dispone del identificador de "
                   "este libro");

class ImportacionDocumentos : public TBaseBanco {
protected:
    // A file of the user's, outside the library, holding contenido.
    QString Archivo(const QString& nombre, const QByteArray& contenido) {
        const QString ruta = fuera.filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        return ruta;
    }
    TResultadoImportacionDocumentos Importar(const QStringList& archivos,
                                             const ProgresoImportacion& progreso = {}) {
        return ImportarDocumentos(*banco, Nodo(QStringLiteral("Mecánica")), archivos, conversion,
                                  progreso);
    }
    // Folders left in Temp (the staging folder must never stay).
    QStringList CarpetasEnTemp() const {
        return QDir(almacen.CarpetaPrograma + QStringLiteral("Temp"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir fuera;
    TConversionFalsa conversion;
};

} // namespace

TEST_F(ImportacionDocumentos, CadaArchivoEsUnDocumentoNuevoEnElNodo) {
    for (int k : {1, 2, 4})
        PonerDocumento(k, IdOtro, 11, 0);
    almacen.Libros[1].ClaveEnDoc = true;
    banco->VersionEditor = 9.0;
    vista.SeleccionarNodo(Nodo(QStringLiteral("Mecánica")));
    const QStringList archivos{Archivo(QStringLiteral("Energía.docx"), "Define la energía."),
                               Archivo(QStringLiteral("Tema 2.final.odt"), "Segundo"),
                               Archivo(QStringLiteral("notas.txt"), "Tercero")};
    const TResultadoImportacionDocumentos r = Importar(archivos);

    ASSERT_EQ(r.Archivos.size(), 3u);
    EXPECT_EQ(r.Cuantos(EstadoImportacion::Importado), 3);
    EXPECT_FALSE(r.Cancelado);
    // The first free slots, in the order the files were chosen.
    const int numeros[] = {3, 5, 6};
    const char* descripciones[] = {"Energía", "Tema 2.final", "notas"};
    const char* textos[] = {"Define la energía.", "Segundo", "Tercero"};
    for (int i = 0; i < 3; ++i) {
        const int k = numeros[i];
        EXPECT_EQ(r.Archivos[size_t(i)].Numero, k);
        const TDocumento& d = almacen.Documentos[size_t(k)];
        EXPECT_EQ(d.Numero, k);
        EXPECT_EQ(d.Descripcion.Texto(), QString::fromUtf8(descripciones[i]));
        EXPECT_EQ(d.IdLibro, IdFisica);
        EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), (TLugar{10, 20, 0}));
        EXPECT_EQ(d.FechaCreacion.Texto(), Hoy());
        EXPECT_EQ(d.FechaUso.Texto(), QStringLiteral("01/01/1900"));
        EXPECT_EQ(d.Formato.Texto(), QStringLiteral("DOC9"));
        // Its file holds the imported text, protected with the book's identifier.
        const TArchivoFalso archivo = LeerArchivoFalso(Ruta(k));
        EXPECT_EQ(archivo.Texto, QString::fromUtf8(textos[i]));
        EXPECT_EQ(archivo.Clave, Clave());
        // The user's file is read with the identifier too (a protected file
        // of this book opens), and is not changed.
        EXPECT_EQ(conversion.Importaciones[size_t(i)].Clave, Clave());
        EXPECT_TRUE(QFileInfo::exists(archivos[i]));
    }
    // The node is listed again with the new documents; the last is current.
    EXPECT_EQ(almacen.NumListados, 3);
    EXPECT_EQ(almacen.ListaPreg[3], 6);
    EXPECT_EQ(almacen.DocActual, 6);
    EXPECT_TRUE(CarpetasEnTemp().isEmpty());
}

TEST_F(ImportacionDocumentos, SinClaveEnDocLosArchivosVanSinContrasena) {
    almacen.Libros[1].ClaveEnDoc = false;
    Importar({Archivo(QStringLiteral("a.rtf"), "Uno")});
    EXPECT_EQ(LeerArchivoFalso(Ruta(1)).Clave, QString());
    EXPECT_EQ(conversion.Importaciones[0].ClaveDestino, QString());
}

TEST_F(ImportacionDocumentos, UnArchivoQueFallaNoOcupaNumero) {
    const TResultadoImportacionDocumentos r =
        Importar({Archivo(QStringLiteral("a.doc"), "Uno"),
                  Archivo(QStringLiteral("roto.doc"), "MAL:El archivo está dañado."),
                  Archivo(QStringLiteral("c.doc"), "Tres")});
    EXPECT_EQ(r.Archivos[0].Numero, 1);
    EXPECT_EQ(r.Archivos[1].Estado, EstadoImportacion::Fallido);
    EXPECT_EQ(r.Archivos[1].Motivo, QStringLiteral("El archivo está dañado."));
    EXPECT_EQ(r.Archivos[1].Numero, 0);
    EXPECT_EQ(r.Archivos[2].Numero, 2);
    EXPECT_FALSE(almacen.Documentos[3].Usado());
    EXPECT_FALSE(QFileInfo::exists(Ruta(3)));
}

TEST_F(ImportacionDocumentos, ConLaTablaLlenaLosQueNoCabenNiSeLeen) {
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (k != 100 && k != 300)
            PonerDocumento(k, IdOtro, 11, 0);
    const TResultadoImportacionDocumentos r =
        Importar({Archivo(QStringLiteral("a.txt"), "a"), Archivo(QStringLiteral("b.txt"), "b"),
                  Archivo(QStringLiteral("c.txt"), "c")});
    EXPECT_EQ(r.Archivos[0].Numero, 100);
    EXPECT_EQ(r.Archivos[1].Numero, 300);
    EXPECT_EQ(r.Archivos[2].Estado, EstadoImportacion::SinSitio);
    EXPECT_EQ(conversion.Importaciones.size(), 2u);
}

TEST_F(ImportacionDocumentos, SinLibreOfficeNoCambiaNada) {
    PonerDocumento(1, IdFisica, 10, 20);
    almacen.DocActual = 1;
    const QStringList archivos{Archivo(QStringLiteral("a.txt"), "a"),
                               Archivo(QStringLiteral("b.docx"), "SIN")};
    EXPECT_THROW(Importar(archivos), word::ErrorSinConversor);
    for (int k = 2; k <= MaxDocumentos; ++k)
        ASSERT_FALSE(almacen.Documentos[size_t(k)].Usado()) << k;
    EXPECT_EQ(almacen.DocActual, 1);
    EXPECT_TRUE(QDir(almacen.CarpetaPrograma + QStringLiteral("Docs/Fisica"))
                    .entryList(QDir::Files)
                    .isEmpty());
    EXPECT_TRUE(CarpetasEnTemp().isEmpty());
}

TEST_F(ImportacionDocumentos, CancelarDejaLosYaLeidosYNadaMas) {
    std::vector<std::pair<int, int>> pasos;
    const TResultadoImportacionDocumentos r =
        Importar({Archivo(QStringLiteral("a.txt"), "a"), Archivo(QStringLiteral("b.txt"), "b"),
                  Archivo(QStringLiteral("c.txt"), "c")},
                 [&](int n, int total, const QString& archivo) {
                     pasos.emplace_back(n, total);
                     EXPECT_TRUE(archivo.endsWith(QStringLiteral(".txt")));
                     return n < 2;
                 });
    EXPECT_TRUE(r.Cancelado);
    EXPECT_EQ(pasos, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));
    EXPECT_EQ(r.Archivos[0].Numero, 1);
    EXPECT_EQ(r.Archivos[1].Estado, EstadoImportacion::Pendiente);
    EXPECT_EQ(r.Archivos[2].Estado, EstadoImportacion::Pendiente);
    EXPECT_EQ(conversion.Importaciones.size(), 1u);
    EXPECT_FALSE(almacen.Documentos[2].Usado());
}

TEST_F(ImportacionDocumentos, ElInformeDeUnaCancelacionCuentaLosQueQuedan) {
    const struct {
        int leidos;
        const char* final;
    } casos[] = {
        {1, "Importación cancelada: 2 archivos quedan sin importar."},
        {2, "Importación cancelada: 1 archivo queda sin importar."},
    };
    for (const auto& c : casos) {
        const TResultadoImportacionDocumentos r =
            Importar({Archivo(QStringLiteral("a.txt"), "a"), Archivo(QStringLiteral("b.txt"), "b"),
                      Archivo(QStringLiteral("c.txt"), "c")},
                     [&](int n, int, const QString&) { return n <= c.leidos; });
        const TInforme i = InformeImportacion(almacen, r);
        EXPECT_TRUE(i.Resumen.endsWith(QString::fromUtf8(c.final))) << i.Resumen;
    }
}

TEST_F(ImportacionDocumentos, UnArchivoSueltoEnElSitioSeAparta) {
    // No record names slot 1, but its file is there.
    const QString suelto = almacen.CarpetaPrograma + QStringLiteral("Docs/Fisica/K000001.doc");
    QDir().mkpath(QFileInfo(suelto).absolutePath());
    EscribirArchivoFalso(suelto, {QStringLiteral("viejo"), {}, {}});
    Importar({Archivo(QStringLiteral("nuevo.txt"), "nuevo")});
    EXPECT_EQ(LeerArchivoFalso(suelto).Texto, QStringLiteral("nuevo"));
    EXPECT_EQ(
        LeerArchivoFalso(almacen.CarpetaPrograma + QStringLiteral("BAK/Fisica/K000001.doc")).Texto,
        QStringLiteral("viejo"));
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_TRUE(guion.Mensajes[0].Texto.contains(QStringLiteral("Se ha movido a")));
}

TEST_F(ImportacionDocumentos, ConElEditorAbiertoPasaAlUltimoNuevo) {
    PonerDocumento(1, IdFisica, 10, 20);
    EscribirDocumento(1, QStringLiteral("Primero"));
    almacen.DocActual = 1;
    AbrirEditor();
    Importar({Archivo(QStringLiteral("a.txt"), "a"), Archivo(QStringLiteral("b.txt"), "b")});
    EXPECT_EQ(almacen.DocActual, 3);
    ASSERT_EQ(motor->Documentos().size(), 1u);
    EXPECT_EQ(motor->Documentos()[0]->FullName(), Ruta(3));
}

TEST_F(ImportacionDocumentos, LaOrdenRespetaElPermisoYElCuadroDeArchivos) {
    TNodo* mecanica = Nodo(QStringLiteral("Mecánica"));
    almacen.Libros[1].PermitirMasDoc = false;
    // No file dialog is scripted: asking for files would fail the test.
    EXPECT_FALSE(OrdenImportarDocumentos(*banco, mecanica, conversion));
    EXPECT_EQ(TextosDe(guion), QStringList{AvisoNoPermitido});

    almacen.Libros[1].PermitirMasDoc = true;
    almacen.SoloConsulta = true;
    guion.Mensajes.clear();
    EXPECT_FALSE(OrdenImportarDocumentos(*banco, mecanica, conversion));
    EXPECT_EQ(TextosDe(guion), QStringList{QString::fromUtf8(TextoSoloConsulta)});

    almacen.SoloConsulta = false;
    EXPECT_FALSE(OrdenImportarDocumentos(*banco, nullptr, conversion));
    guion.Archivos({}); // cancelled
    EXPECT_FALSE(OrdenImportarDocumentos(*banco, mecanica, conversion));
    guion.Archivos({Archivo(QStringLiteral("x.html"), "<p>x</p>")});
    const auto r = OrdenImportarDocumentos(*banco, mecanica, conversion);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Archivos[0].Numero, 1);
    EXPECT_EQ(guion.TitulosArchivo, (QStringList{QStringLiteral("Importar documentos"),
                                                 QStringLiteral("Importar documentos")}));
}

TEST_F(ImportacionDocumentos, InformeConCadaArchivoYElMotivo) {
    for (int k = 1; k <= MaxDocumentos - 1; ++k)
        PonerDocumento(k, IdOtro, 11, 0);
    const QString bueno = Archivo(QStringLiteral("Bueno.doc"), "Bien");
    const QString malo = Archivo(QStringLiteral("Malo.doc"), "MAL:No se puede leer.");
    const QString sinSitio = Archivo(QStringLiteral("Tarde.doc"), "Tarde");
    const TInforme i = InformeImportacion(almacen, Importar({malo, bueno, sinSitio}));
    EXPECT_EQ(i.Titulo, QStringLiteral("Importar documentos"));
    EXPECT_EQ(i.Resumen, QStringLiteral("Importados: 1. Con error: 1.\nSin sitio: 1 (la tabla de "
                                        "documentos está llena: caben 500 documentos)."));
    const QStringList lineas = i.Detalle.split(QLatin1Char('\n'));
    EXPECT_EQ(
        lineas,
        (QStringList{
            QStringLiteral("Importados (1):"),
            QStringLiteral("    %1: documento 500 «Bueno»").arg(QDir::toNativeSeparators(bueno)),
            QString(), QStringLiteral("Con error (1):"),
            QStringLiteral("    %1: No se puede leer.").arg(QDir::toNativeSeparators(malo)),
            QString(), QStringLiteral("Sin sitio en la tabla de documentos (1):"),
            QStringLiteral("    ") + QDir::toNativeSeparators(sinSitio)}));
}

} // namespace brivo::pruebas
