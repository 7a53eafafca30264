// Import between two installations: round trips, passwords, replacing a
// book, skipped and added documents, renumbering, folder collisions, full
// tables.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "DialogoUsuario.h"
#include "EntornoPaquetes.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

constexpr std::int32_t IdLibro = 246810;

class Importacion : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Ruta(const QString& n) { return tmp.path() + "/" + n; }

    // A book with documents 1, 2 and 5, and a new materia with a tema.
    void LibroDeOrigen(TInstalacion& o, const QString& titulo = "Libro de Física",
                       const QString& carpeta = "Física general") {
        TLibro& l = o.PonerLibro(4, IdLibro, titulo, carpeta);
        l.PermitirMasDoc = false;
        o.almacen.LibroActivo = 4;
        for (int n : {1, 2, 5})
            o.PonerDocumento(n, IdLibro, Contenido("origen", n));
        o.almacen.Documentos[5].Descripcion = "Quinto";
        TNodo* m = o.almacen.Arbol.Anadir(nullptr, "Mecánica", "500000001");
        o.almacen.Arbol.Anadir(m, "Cinemática", "500000002");
    }

    // The package of LibroDeOrigen's book ("p.zip"), exported from an
    // installation of its own; empty when the export failed.
    QString PaqueteDeOrigen(const QString& titulo = "Libro de Física",
                            const QString& carpeta = "Física general") {
        TInstalacion o(Ruta("origen"));
        LibroDeOrigen(o, titulo, carpeta);
        const TResultadoExportacion e = ExportarActivo(o, Ruta("p.zip"));
        EXPECT_TRUE(e.Correcto) << e.Mensaje.toStdString();
        return e.Correcto ? e.Archivo : QString();
    }

    TResultadoImportacion Importar(TInstalacion& d, const QString& archivo,
                                   const QString& clave = QString(),
                                   QStringList* mensajes = nullptr) {
        ui::TGuion guion;
        const TResultadoImportacion r = ImportarPaquete(d, archivo, clave, {}, nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "cursor not restored";
        if (mensajes)
            *mensajes = Textos(guion.Mensajes);
        return r;
    }

    // Nothing of the package reached the library or Docs.
    void SinCambios(TInstalacion& d, int libros, int documentos, const QStringList& archivos) {
        EXPECT_EQ(d.LibrosUsados(), libros);
        EXPECT_EQ(d.DocumentosUsados(), documentos);
        EXPECT_EQ(ArbolDeArchivos(d.Docs()), archivos);
        // No staging folder is left in Temp.
        EXPECT_TRUE(QDir(d.almacen.CarpetaPrograma + "Temp")
                        .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty());
    }
};

} // namespace

TEST_F(Importacion, IdaYVueltaSinClave) {
    TInstalacion o(Ruta("origen"));
    LibroDeOrigen(o);
    const TResultadoExportacion e = ExportarActivo(o, Ruta("paquete"));
    ASSERT_TRUE(e.Correcto) << e.Mensaje;

    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Local", "local");
    d.almacen.LibroActivo = 1;
    d.editorAbierto = true;
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, e.Archivo, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join("|");
    EXPECT_GE(d.cierresDocumento, 1);
    EXPECT_EQ(d.almacen.LibroActivo, 1); // the active book does not change

    EXPECT_EQ(r.SlotLibro, 2);
    EXPECT_FALSE(r.LibroReemplazado);
    const TLibro& l = d.almacen.Libros[2];
    EXPECT_EQ(l.Identificador, IdLibro);
    EXPECT_EQ(l.Titulo.Texto(), "Libro de Física");
    EXPECT_EQ(l.Carpeta.Texto(), "Física general");
    EXPECT_FALSE(l.PermitirMasDoc);
    EXPECT_EQ(r.DocumentosAnadidos, 3);
    for (int n : {1, 2, 5}) {
        const TDocumento& doc = d.almacen.Documentos[n];
        EXPECT_EQ(doc.Numero, n);
        EXPECT_EQ(doc.IdLibro, IdLibro);
        EXPECT_EQ(d.LeerDocumento(n), Contenido("origen", n)) << n;
    }
    EXPECT_EQ(d.almacen.Documentos[5].Descripcion.Texto(), "Quinto");
    EXPECT_DOUBLE_EQ(d.almacen.Documentos[5].Puntos, 1.5);
    // The tree gained the new materia with its tema; nothing else.
    EXPECT_EQ(r.NodosAnadidos, 2);
    EXPECT_EQ(d.almacen.Arbol.Raices().back()->Texto, "Mecánica");
    EXPECT_EQ(d.almacen.Arbol.NumNodos(), o.almacen.Arbol.NumNodos());
    // The extracted lists stay in Temp.
    for (const char* n : {"Libros.lst", "Docs.lst", "Arbol.tvw"})
        EXPECT_TRUE(QFileInfo::exists(d.almacen.CarpetaPrograma + "Temp/" + n)) << n;
    SinCambios(
        d, 2, 3,
        {"Física general/K000001.doc", "Física general/K000002.doc", "Física general/K000005.doc"});
}

TEST_F(Importacion, ConClaveErroneaYCorrecta) {
    TInstalacion o(Ruta("origen"));
    LibroDeOrigen(o);
    const TResultadoExportacion e = ExportarActivo(o, Ruta("cifrado.zip"), "Clave 2024");
    ASSERT_TRUE(e.Correcto) << e.Mensaje;

    TInstalacion d(Ruta("destino"));
    for (const QString& clave : {QString(), QStringLiteral("otra"), QStringLiteral("clave 2024")}) {
        QStringList mensajes;
        const TResultadoImportacion r = Importar(d, e.Archivo, clave, &mensajes);
        EXPECT_EQ(r.Fin, TFinImportacion::ClaveErronea) << clave;
        EXPECT_EQ(mensajes, QStringList{"Clave errónea. Se interrumpe el proceso."});
        SinCambios(d, 0, 0, {});
    }
    const TResultadoImportacion r = Importar(d, e.Archivo, "Clave 2024");
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(d.LeerDocumento(2), Contenido("origen", 2));
    EXPECT_EQ(d.LibrosUsados(), 1);
}

TEST_F(Importacion, BlancosEnTitulosYRutasYOtrosArchivosDeLaCarpeta) {
    TInstalacion o(Ruta("programa de origen"));
    LibroDeOrigen(o, "Mi libro con blancos", "Carpeta con blancos");
    pruebas::EscribirArchivo(o.Docs() + "Carpeta con blancos/Kapitel.txt", "kapitel");
    pruebas::EscribirArchivo(o.Docs() + "Carpeta con blancos/notas.txt", "notas");
    TOpcionesPaquete op;
    const QString archivo = ArchivoExportacionPredeterminado(o.almacen, o.almacen.Libros[4]);
    EXPECT_TRUE(archivo.endsWith("BAK/Mi_libro_con_blancos"));
    QDir().mkpath(o.almacen.CarpetaPrograma + "BAK");
    const TResultadoExportacion e = ExportarPaquete(o.almacen, IdLibro, op, archivo, "a b c");
    ASSERT_TRUE(e.Correcto) << e.Mensaje;
    EXPECT_TRUE(e.Archivo.endsWith("BAK/Mi_libro_con_blancos.zip"));

    TInstalacion d(Ruta("programa de destino"));
    ASSERT_EQ(Importar(d, e.Archivo, "a b c").Fin, TFinImportacion::Completa);
    EXPECT_EQ(d.almacen.Libros[1].Titulo.Texto(), "Mi libro con blancos");
    // Only the files whose names begin with K come out, as the import asks.
    EXPECT_EQ(ArbolDeArchivos(d.Docs() + "Carpeta con blancos"),
              QStringList({"K000001.doc", "K000002.doc", "K000005.doc", "Kapitel.txt"}));
    EXPECT_EQ(pruebas::LeerArchivo(d.Docs() + "Carpeta con blancos/Kapitel.txt"), "kapitel");
}

TEST_F(Importacion, ReemplazaElLibroDelMismoIdentificadorYMueveSusArchivos) {
    const QString paquete = PaqueteDeOrigen("Título nuevo", "Nueva");
    ASSERT_FALSE(paquete.isEmpty());

    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Otro", "otro");
    TLibro& viejo = d.PonerLibro(3, IdLibro, "Título viejo", "Vieja");
    viejo.Comentario = "se pierde";
    d.almacen.LibroActivo = 1;
    d.PonerDocumento(1, IdLibro, Contenido("destino", 1)); // same book and number: kept
    d.PonerDocumento(3, IdLibro, Contenido("destino", 3)); // only here
    d.almacen.Documentos[1].Descripcion = "Descripción local";
    pruebas::EscribirArchivo(d.Docs() + "Vieja/apuntes.txt", "apuntes");

    const TResultadoImportacion r = Importar(d, paquete);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_TRUE(r.LibroReemplazado);
    EXPECT_EQ(r.SlotLibro, 3);
    EXPECT_TRUE(r.CarpetaCambiada);
    EXPECT_EQ(d.LibrosUsados(), 2);
    const TLibro& l = d.almacen.Libros[3];
    EXPECT_EQ(l.Titulo.Texto(), "Título nuevo");
    EXPECT_TRUE(l.Comentario.Vacia());
    EXPECT_EQ(l.Carpeta.Texto(), "Nueva");
    EXPECT_EQ(r.DocumentosOmitidos, 1);
    EXPECT_EQ(r.DocumentosAnadidos, 2);
    EXPECT_EQ(d.almacen.Documentos[1].Descripcion.Texto(), "Descripción local");
    // Every document of the book still has its file, in the new folder: the
    // listed one with the package's copy, the local-only one moved.
    EXPECT_EQ(d.LeerDocumento(1), Contenido("origen", 1));
    EXPECT_EQ(d.LeerDocumento(3), Contenido("destino", 3));
    EXPECT_EQ(d.LeerDocumento(2), Contenido("origen", 2));
    EXPECT_EQ(d.LeerDocumento(5), Contenido("origen", 5));
    EXPECT_FALSE(QFileInfo::exists(d.Docs() + "Vieja"));
    EXPECT_EQ(pruebas::LeerArchivo(d.Docs() + "Nueva/apuntes.txt"), "apuntes");
}

TEST_F(Importacion, ReemplazoConCarpetaDeOtroLibroConservaLaPropia) {
    const QString paquete = PaqueteDeOrigen("Libro", "Compartida");
    ASSERT_FALSE(paquete.isEmpty());

    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Dueño", "Compartida");
    d.PonerDocumento(1, 111111, Contenido("dueño", 1));
    d.PonerLibro(2, IdLibro, "Libro", "Propia");
    d.PonerDocumento(2, IdLibro, Contenido("destino", 2));
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, paquete, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(d.almacen.Libros[2].Carpeta.Texto(), "Propia");
    EXPECT_EQ(d.LeerDocumento(2), Contenido("origen", 2));
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].contains("\"Compartida\" del paquete pertenece a otro libro"));
    EXPECT_TRUE(mensajes[0].contains("\"Propia\""));
    // The other book's document keeps its file; the package's document 1
    // (same number, other book) is renumbered.
    EXPECT_EQ(d.LeerDocumento(1), Contenido("dueño", 1));
}

TEST_F(Importacion, CarpetaDeOtroLibroLlevaAUnaCarpetaDerivada) {
    const QString paquete = PaqueteDeOrigen("Libro", "Comun");
    ASSERT_FALSE(paquete.isEmpty());

    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Dueño", "Comun");
    d.PonerDocumento(7, 111111, Contenido("dueño", 7));
    QDir().mkpath(d.Docs() + "Comun_2"); // a leftover folder is not taken either
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, paquete, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.CarpetaPaquete, "Comun");
    EXPECT_EQ(r.CarpetaUsada, "Comun_3");
    EXPECT_EQ(d.almacen.Libros[2].Carpeta.Texto(), "Comun_3");
    EXPECT_EQ(ArbolDeArchivos(d.Docs() + "Comun"), QStringList{"K000007.doc"});
    EXPECT_EQ(d.LeerDocumento(5), Contenido("origen", 5));
    EXPECT_TRUE(QFileInfo::exists(d.Docs() + "Comun_3/K000005.doc"));
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].contains("\"Comun_3\""));
}

TEST_F(Importacion, RenumeraLosDocumentosCuyoNumeroEstaOcupado) {
    const QString paquete = PaqueteDeOrigen();
    ASSERT_FALSE(paquete.isEmpty());

    // Slots 1 to 3 hold another book's documents.
    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Otro", "otro");
    for (int n = 1; n <= 3; ++n)
        d.PonerDocumento(n, 111111, Contenido("otro", n));
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, paquete, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAnadidos, 3);
    EXPECT_EQ(r.DocumentosRenumerados, 2);
    // 5 keeps its slot; 1 and 2 take the first free slots 4 and 6.
    const TDocumento& d4 = d.almacen.Documentos[4];
    const TDocumento& d5 = d.almacen.Documentos[5];
    const TDocumento& d6 = d.almacen.Documentos[6];
    EXPECT_EQ(d4.Numero, 4);
    EXPECT_EQ(d5.Numero, 5);
    EXPECT_EQ(d6.Numero, 6);
    for (const TDocumento* doc : {&d4, &d5, &d6})
        EXPECT_EQ(doc->IdLibro, IdLibro);
    EXPECT_EQ(d5.Descripcion.Texto(), "Quinto");
    EXPECT_EQ(d.LeerDocumento(4), Contenido("origen", 1));
    EXPECT_EQ(d.LeerDocumento(6), Contenido("origen", 2));
    EXPECT_EQ(d.LeerDocumento(5), Contenido("origen", 5));
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(d.LeerDocumento(n), Contenido("otro", n));
    // No file named after a package number that moved stays behind.
    EXPECT_FALSE(QFileInfo::exists(d.Docs() + "Física general/K000001.doc"));
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].startsWith("2 documentos importados han recibido otro número"));
}

TEST_F(Importacion, SegundaImportacionNoDuplicaDocumentos) {
    const QString paquete = PaqueteDeOrigen();
    ASSERT_FALSE(paquete.isEmpty());
    TInstalacion d(Ruta("destino"));
    ASSERT_EQ(Importar(d, paquete).Fin, TFinImportacion::Completa);
    const TResultadoImportacion r = Importar(d, paquete);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_TRUE(r.LibroReemplazado);
    EXPECT_EQ(r.DocumentosOmitidos, 3);
    EXPECT_EQ(r.DocumentosAnadidos, 0);
    EXPECT_EQ(r.NodosAnadidos, 0);
    EXPECT_EQ(d.DocumentosUsados(), 3);
    EXPECT_EQ(d.LibrosUsados(), 1);
}

TEST_F(Importacion, TablaDeDocumentosLlenaCuentaLosQueNoCaben) {
    const QString paquete = PaqueteDeOrigen();
    ASSERT_FALSE(paquete.isEmpty());
    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Otro", "otro");
    for (int n = 1; n <= MaxDocumentos; ++n) {
        if (n != 300)
            d.PonerDocumento(n, 111111, "");
    }
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, paquete, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAnadidos, 1);
    EXPECT_EQ(r.DocumentosSinSitio, 2);
    EXPECT_EQ(d.almacen.Documentos[300].IdLibro, IdLibro);
    EXPECT_EQ(d.LeerDocumento(300), Contenido("origen", 1));
    EXPECT_TRUE(mensajes.join("\n").contains(
        "2 documentos del paquete no caben en la lista de documentos (500 como máximo)"))
        << mensajes.join("|");
    // Files of documents that found no slot are not left in the folder.
    EXPECT_EQ(ArbolDeArchivos(d.Docs() + "Física general"), QStringList{"K000300.doc"});
}

TEST_F(Importacion, TablaDeLibrosLlenaTerminaAntesDeExtraer) {
    const QString paquete = PaqueteDeOrigen();
    ASSERT_FALSE(paquete.isEmpty());
    TInstalacion d(Ruta("destino"));
    for (int i = 1; i <= MaxLibros; ++i)
        d.PonerLibro(i, 200000 + i, QString("Libro %1").arg(i), QString("c%1").arg(i));
    const QStringList antes = ArbolDeArchivos(d.almacen.CarpetaPrograma);
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, paquete, QString(), &mensajes);
    EXPECT_EQ(r.Fin, TFinImportacion::TablaLibrosLlena);
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].contains("la lista de libros está llena (100 libros)"));
    EXPECT_EQ(ArbolDeArchivos(d.almacen.CarpetaPrograma), antes);
    EXPECT_EQ(d.DocumentosUsados(), 0);
    EXPECT_EQ(d.almacen.Arbol.NumNodos(), 9);
}

TEST_F(Importacion, IncorporarConTablaDeLibrosLlenaNoCambiaNada) {
    TInstalacion d(Ruta("destino"));
    for (int i = 1; i <= MaxLibros; ++i)
        d.PonerLibro(i, 200000 + i, QString("Libro %1").arg(i), QString("c%1").arg(i));
    d.editorAbierto = true;
    const TResultadoImportacion r = IncorporarPaquete(d, {"x", Ruta("nada"), Ruta("nada")});
    EXPECT_EQ(r.Fin, TFinImportacion::TablaLibrosLlena);
    EXPECT_EQ(d.cierresDocumento, 1);
}

// A package whose documents were renumbered on the first import, imported
// again and again: nothing is added twice, also across a save and a load;
// a document the colleague added comes in, and a listed document's file
// takes the package's newer copy.
TEST_F(Importacion, ReimportarUnPaqueteRenumeradoNoDuplicaDocumentos) {
    TInstalacion o(Ruta("origen"));
    LibroDeOrigen(o);
    const TResultadoExportacion e = ExportarActivo(o, Ruta("p.zip"));
    ASSERT_TRUE(e.Correcto);
    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Otro", "otro");
    for (int n = 1; n <= 3; ++n)
        d.PonerDocumento(n, 111111, Contenido("otro", n));
    ASSERT_EQ(Importar(d, e.Archivo).DocumentosRenumerados, 2);
    ASSERT_EQ(d.DocumentosUsados(), 6);
    for (int vez = 2; vez <= 3; ++vez) {
        if (vez == 3) {
            // The mapping lives through the end of the run and the next start.
            d.almacen.GuardarLibreria();
            for (TDocumento& doc : d.almacen.Documentos)
                doc.Vaciar();
            d.almacen.CargarLibreria();
            ASSERT_EQ(d.DocumentosUsados(), 6);
        }
        QStringList mensajes;
        const TResultadoImportacion r = Importar(d, e.Archivo, QString(), &mensajes);
        ASSERT_EQ(r.Fin, TFinImportacion::Completa) << vez;
        EXPECT_EQ(r.DocumentosAnadidos, 0) << vez;
        EXPECT_EQ(r.DocumentosOmitidos, 3) << vez;
        EXPECT_TRUE(mensajes.isEmpty()) << mensajes;
        EXPECT_EQ(d.DocumentosUsados(), 6) << vez;
    }
    EXPECT_EQ(d.LeerDocumento(4), Contenido("origen", 1));

    // The colleague adds document 3 and changes document 1.
    o.PonerDocumento(3, IdLibro, Contenido("origen", 3));
    pruebas::EscribirArchivo(o.RutaDocumento(1), Contenido("origen, revisado", 1));
    const TResultadoExportacion e2 = ExportarActivo(o, Ruta("p2.zip"));
    ASSERT_TRUE(e2.Correcto);
    QStringList mensajes;
    const TResultadoImportacion r = Importar(d, e2.Archivo, QString(), &mensajes);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAnadidos, 1);
    EXPECT_EQ(r.DocumentosOmitidos, 3);
    EXPECT_EQ(d.DocumentosUsados(), 7);
    EXPECT_EQ(d.almacen.Documentos[7].IdLibro, IdLibro);
    EXPECT_EQ(d.LeerDocumento(7), Contenido("origen", 3));
    EXPECT_EQ(d.LeerDocumento(4), Contenido("origen, revisado", 1));
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(d.LeerDocumento(n), Contenido("otro", n));
    EXPECT_EQ(mensajes, QStringList{"1 documento importado ha recibido otro número porque el suyo "
                                    "lo tenía otro documento."});
}

// The numbers of origin travel in a later export of the book: sent back to
// the colleague nothing is added twice, and a third installation gets the
// documents under their own numbers again.
TEST_F(Importacion, LosNumerosDeOrigenViajanAlExportarDeNuevo) {
    TInstalacion o(Ruta("origen"));
    LibroDeOrigen(o);
    const TResultadoExportacion e = ExportarActivo(o, Ruta("p.zip"));
    ASSERT_TRUE(e.Correcto);
    TInstalacion d(Ruta("destino"));
    d.PonerLibro(1, 111111, "Otro", "otro");
    for (int n = 1; n <= 3; ++n)
        d.PonerDocumento(n, 111111, Contenido("otro", n));
    ASSERT_EQ(Importar(d, e.Archivo).DocumentosRenumerados, 2);
    d.almacen.LibroActivo = 2;
    const TResultadoExportacion vuelta = ExportarActivo(d, Ruta("vuelta.zip"));
    ASSERT_TRUE(vuelta.Correcto) << vuelta.Mensaje;

    const TResultadoImportacion r = Importar(o, vuelta.Archivo);
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAnadidos, 0);
    EXPECT_EQ(r.DocumentosOmitidos, 3);
    EXPECT_EQ(o.DocumentosUsados(), 3);
    EXPECT_EQ(o.LeerDocumento(1), Contenido("origen", 1));

    TInstalacion t(Ruta("tercera"));
    const TResultadoImportacion r3 = Importar(t, vuelta.Archivo);
    ASSERT_EQ(r3.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r3.DocumentosRenumerados, 0);
    for (int n : {1, 2, 5}) {
        EXPECT_EQ(t.almacen.Documentos[n].IdLibro, IdLibro) << n;
        EXPECT_EQ(t.almacen.Documentos[n].NumeroOrigen, 0) << n;
        EXPECT_EQ(t.LeerDocumento(n), Contenido("origen", n)) << n;
    }
    EXPECT_EQ(t.DocumentosUsados(), 3);
    // Once more from the colleague: still nothing twice.
    EXPECT_EQ(Importar(t, e.Archivo).DocumentosAnadidos, 0);
}
