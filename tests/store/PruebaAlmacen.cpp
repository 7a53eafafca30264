// The tables in memory and the loading and saving of the whole library.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "Almacen.h"
#include "Ayudas.h"
#include "Errores.h"
#include "Listas.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

QString MensajeDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorBrivo& e) {
        return e.Mensaje();
    }
    return QStringLiteral("(sin error)");
}

TDocumento Doc(int n, int libro, int materia, int tema) {
    TDocumento d;
    d.Numero = n;
    d.IdLibro = libro;
    d.IdMateria = materia;
    d.IdTema = tema;
    d.Descripcion = QStringLiteral("Documento %1").arg(n);
    return d;
}

// A program folder holding Arbol0.tvw, as the build ships it.
struct Programa {
    CarpetaPrueba c;
    TAlmacen a;
    Programa() {
        TArbol inicial;
        inicial.Guardar(c.Ruta("Arbol0.tvw"));
        a.CarpetaPrograma = c.Ruta();
    }
    QString R(const char* n) const { return c.Ruta(QString::fromUtf8(n)); }
};

void Poblar(TAlmacen& a) {
    for (int i = 1; i <= 6; ++i) {
        a.Libros[i].Identificador = 100000 + i;
        a.Libros[i].Titulo = QStringLiteral("Libro %1").arg(i);
        a.Libros[i].Carpeta = QStringLiteral("L%1").arg(i);
    }
    a.Libros[3] = TLibro::Libre(); // a deleted book
    for (int n : {1, 2, 4, 7, 500})
        a.Documentos[n] = Doc(n, 100001, 2, 1);
    a.Documentos[2].Marcado = true;
    a.Arbol.Anadir(a.Arbol.Raices()[1].get(), QStringLiteral("Tema nuevo"),
                   QStringLiteral("555555555"));
    a.LibroActivo = 4;
    a.Ajustes.PonComentario = true;
    a.Ajustes.TextoPregunta = QStringLiteral("P. %");
}

} // namespace

TEST(Almacen, BuscarLibroYHuecosLibres) {
    TAlmacen a;
    EXPECT_EQ(a.LibroLibre(), 1);
    EXPECT_EQ(a.DocumentoLibre(), 1);
    for (int i = 1; i <= MaxLibros; ++i) {
        a.Libros[i].Identificador = 200000 + i;
        a.Libros[i].Titulo = QStringLiteral("T%1").arg(i);
    }
    EXPECT_EQ(a.LibroLibre(), 0);
    EXPECT_EQ(a.BuscarLibro(200050).Titulo.Texto(), QStringLiteral("T50"));
    const TLibro nada = a.BuscarLibro(999999);
    EXPECT_EQ(nada.Identificador, 0);
    EXPECT_TRUE(nada.Titulo.Vacia());
    EXPECT_EQ(a.BuscarLibro(0).Identificador, 0);
    a.Libros[7] = TLibro::Libre();
    EXPECT_EQ(a.LibroLibre(), 7);
    a.Documentos[1].Numero = 1;
    a.Documentos[2].Numero = 2;
    EXPECT_EQ(a.DocumentoLibre(), 3);
}

TEST(Almacen, LibroActivoSoloSiSuPlazaEstaOcupada) {
    TAlmacen a;
    a.Libros[4].Identificador = 123;
    for (int activo : {0, -1, 3, 101, 5000}) {
        a.LibroActivo = activo;
        EXPECT_FALSE(a.LibroActivoValido()) << activo;
        EXPECT_EQ(a.LibroActivoPtr(), nullptr);
    }
    a.LibroActivo = 4;
    ASSERT_NE(a.LibroActivoPtr(), nullptr);
    EXPECT_EQ(a.LibroActivoPtr()->Identificador, 123);
    EXPECT_TRUE(a.HayLibros());
}

TEST(Almacen, ModelosEncontradosPorPosicionEnOrdenDePlaza) {
    TAlmacen a;
    for (int n : {4, 9, 12})
        a.Documentos[n] = Doc(n, 1, 1, 1);
    a.Documentos[6] = Doc(6, 1, 1, 2);
    a.Documentos[8] = Doc(8, 1, 2, 1); // materia 2: no model
    a.Ajustes.NumModeloPreguntas = 1;
    a.BuscarModelos();
    EXPECT_EQ(a.ModeloPreguntas, 9);
    EXPECT_EQ(a.ModeloExamenes, 6);
    a.Ajustes.NumModeloPreguntas = 5;
    a.Ajustes.NumModeloExamenes = 1;
    a.BuscarModelos();
    EXPECT_EQ(a.ModeloPreguntas, 0);
    EXPECT_EQ(a.ModeloExamenes, 0);
    EXPECT_EQ(a.ModeloEnPosicion(1, 2), 12);
    EXPECT_EQ(a.ModeloEnPosicion(1, -1), 0);
}

TEST(CargarLibreria, PrimeraEjecucionSoloConArbol0) {
    Programa p;
    p.a.Documentos[3] = Doc(3, 1, 2, 0); // the document table is not cleared by a load
    p.a.Arbol.Vaciar();
    p.a.CargarLibreria();
    EXPECT_FALSE(p.a.HayLibros());
    EXPECT_EQ(p.a.LibroActivo, 0);
    EXPECT_FALSE(p.a.LibroActivoValido());
    EXPECT_EQ(p.a.Arbol.NumNodos(), 9);
    EXPECT_TRUE(p.a.Ajustes.PonPregunta);
    EXPECT_EQ(p.a.Ajustes.TextoPregunta, QStringLiteral("Pregunta % "));
    for (int i = 1; i <= MaxExamen; ++i)
        EXPECT_EQ(p.a.ListaExamen[i], -1);
    EXPECT_EQ(p.a.Documentos[3].Numero, 3);
}

TEST(CargarLibreria, SinArbol0SeDetieneAntesDeLosAjustes) {
    Programa p;
    QFile::remove(p.R("Arbol0.tvw"));
    Escribir(p.R("Libros.lst"), RegistroLibro(123456, "Uno", "uno"));
    Escribir(p.R("BRIVO_II.INI"), "[General]\r\nLibroActivo=1\r\n");
    p.a.Ajustes.LibroActivo = 77;
    p.a.Arbol.Raices()[0]->Texto = QStringLiteral("antes");
    EXPECT_EQ(MensajeDe([&] { p.a.CargarLibreria(); }),
              QStringLiteral("No se puede abrir el archivo %1").arg(p.R("Arbol0.tvw")));
    EXPECT_EQ(p.a.Libros[1].Identificador, 123456); // read before the failure
    EXPECT_EQ(p.a.Arbol.Raices()[0]->Texto, QStringLiteral("antes"));
    EXPECT_EQ(p.a.Ajustes.LibroActivo, 77); // step 6 did not run
    EXPECT_EQ(p.a.LibroActivo, 0);
}

TEST(CargarLibreria, UnFalloEnLaListaDeLibrosDetieneLosPasosSiguientes) {
    Programa p;
    QByteArray rota = RegistroLibro(222222, "Dos", "dos");
    rota[625] = 'z';
    Escribir(p.R("Libros.lst"), RegistroLibro(111111, "Uno", "uno") + rota);
    Escribir(p.R("Docs.lst"), RegistroDocumento(5, 111111, "cinco"));
    for (int i = 1; i <= 3; ++i)
        p.a.Libros[i].Identificador = 900 + i; // cleared by step 2
    EXPECT_TRUE(MensajeDe([&] { p.a.CargarLibreria(); }).endsWith("no es un valor entero válido"));
    EXPECT_EQ(p.a.Libros[1].Identificador, 111111);
    EXPECT_FALSE(p.a.Libros[2].Usado());
    EXPECT_FALSE(p.a.Libros[3].Usado());
    EXPECT_FALSE(p.a.Documentos[5].Usado()); // step 4 did not run
}

TEST(CargarLibreria, LeeCadaArchivoYElLibroActivo) {
    Programa p;
    Escribir(p.R("Libros.lst"),
             RegistroLibro(111111, "Uno", "uno") + RegistroLibro(222222, "Dos", "dos"));
    DocumentoEnBytes d;
    d.numero = 3;
    d.marcado = true;
    d.libro = 222222;
    d.materia = 1;
    d.tema = 2;
    Escribir(p.R("Docs.lst"), RegistroDocumento(d));
    TArbol propio;
    propio.Vaciar();
    propio.Anadir(nullptr, QStringLiteral("Propio"), QStringLiteral("9"));
    propio.Guardar(p.R("Arbol.tvw"));
    Escribir(p.R("BRIVO_II.INI"), "[General]\r\nLibroActivo=2\r\n");
    p.a.CargarLibreria();
    EXPECT_EQ(p.a.LibroActivo, 2);
    ASSERT_NE(p.a.LibroActivoPtr(), nullptr);
    EXPECT_EQ(p.a.LibroActivoPtr()->Titulo.Texto(), QStringLiteral("Dos"));
    EXPECT_FALSE(p.a.Documentos[3].Marcado);
    EXPECT_EQ(p.a.ModeloExamenes, 3);
    EXPECT_EQ(p.a.ModeloPreguntas, 0);
    ASSERT_EQ(p.a.Arbol.Raices().size(), 1u); // Arbol.tvw wins over Arbol0.tvw
    EXPECT_EQ(p.a.Arbol.Raices()[0]->Texto, QStringLiteral("Propio"));
}

TEST(GuardarLibreria, LaPrimeraVezEscribeCadaArchivoYLaCopiaDelArbol) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    p.a.GuardarLibreria();
    EXPECT_EQ(QFileInfo(p.R("Libros.lst")).size(), 5 * 844);
    EXPECT_EQ(QFileInfo(p.R("Docs.lst")).size(), 5 * 232);
    EXPECT_FALSE(QFileInfo::exists(p.R("Docs/Libros.lst"))); // nothing to copy yet
    EXPECT_FALSE(QFileInfo::exists(p.R("Docs/Docs.lst")));
    EXPECT_EQ(Leer(p.R("Docs/Arbol.tvw")), Leer(p.R("Arbol.tvw")));
    EXPECT_EQ(Leer(p.R("Arbol.tvw")), p.a.Arbol.Serializar());
    EXPECT_TRUE(Leer(p.R("BRIVO_II.INI")).contains("LibroActivo=4\r\n"));

    TAlmacen b;
    b.CarpetaPrograma = p.c.Ruta();
    b.CargarLibreria();
    // Books close up: slot 3 was free, so books 4, 5, 6 move down one slot.
    EXPECT_EQ(b.Libros[3].Identificador, 100004);
    EXPECT_EQ(b.Libros[5].Titulo.Texto(), QStringLiteral("Libro 6"));
    EXPECT_FALSE(b.Libros[6].Usado());
    EXPECT_EQ(b.LibroActivo, 4); // a slot number, not adjusted
    for (int n : {1, 2, 4, 7, 500})
        EXPECT_EQ(b.Documentos[n].Descripcion.Texto(), QStringLiteral("Documento %1").arg(n));
    EXPECT_FALSE(b.Documentos[2].Marcado);
    EXPECT_FALSE(b.Documentos[3].Usado());
    EXPECT_EQ(b.Arbol.Serializar(), p.a.Arbol.Serializar());
    EXPECT_TRUE(b.Ajustes.PonComentario);
    EXPECT_EQ(b.Ajustes.TextoPregunta, QStringLiteral("P. %"));
}

TEST(GuardarLibreria, ElSegundoGuardadoCopiaLasListasAnterioresEnDocs) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    p.a.GuardarLibreria();
    const QByteArray libros1 = Leer(p.R("Libros.lst"));
    const QByteArray docs1 = Leer(p.R("Docs.lst"));
    TAlmacen b;
    b.CarpetaPrograma = p.c.Ruta();
    b.CargarLibreria();
    b.GuardarLibreria(); // closing twice without changes
    EXPECT_EQ(Leer(p.R("Docs/Libros.lst")), libros1);
    EXPECT_EQ(Leer(p.R("Docs/Docs.lst")), docs1);
    const QByteArray libros2 = Leer(p.R("Libros.lst"));
    EXPECT_EQ(libros2.size(), libros1.size());
    EXPECT_NE(libros2, libros1);             // fresh decoys and fillers
    EXPECT_NE(Leer(p.R("Docs.lst")), docs1); // the mark of document 2 is gone
    TAlmacen c2;
    c2.CarpetaPrograma = p.c.Ruta();
    c2.CargarLibreria();
    for (int i = 1; i <= MaxLibros; ++i) {
        EXPECT_EQ(c2.Libros[i].Identificador, b.Libros[i].Identificador);
        EXPECT_EQ(c2.Libros[i].Titulo, b.Libros[i].Titulo);
        EXPECT_EQ(c2.Libros[i].Carpeta, b.Libros[i].Carpeta);
    }
}

TEST(GuardarLibreria, NuncaCambiaLasTablasEnMemoria) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    QByteArray antes;
    for (int i = 1; i <= MaxLibros; ++i)
        antes += ABytes(p.a.Libros[i]);
    for (int i = 1; i <= MaxDocumentos; ++i)
        antes += ABytes(p.a.Documentos[i]);
    const QByteArray arbol = p.a.Arbol.Serializar();
    const TAjustes ajustes = p.a.Ajustes;
    p.a.GuardarLibreria();
    QByteArray despues;
    for (int i = 1; i <= MaxLibros; ++i)
        despues += ABytes(p.a.Libros[i]);
    for (int i = 1; i <= MaxDocumentos; ++i)
        despues += ABytes(p.a.Documentos[i]);
    EXPECT_EQ(despues, antes);
    EXPECT_EQ(p.a.Arbol.Serializar(), arbol);
    EXPECT_TRUE(p.a.Ajustes == ajustes);
}

TEST(GuardarLibreria, SinCarpetaDocsSeDetieneEnLaCopiaDelArbol) {
    Programa p;
    p.a.CargarLibreria();
    Escribir(p.R("Arbol.tvw"), p.a.Arbol.Serializar());
    const QByteArray arbolViejo = Leer(p.R("Arbol.tvw"));
    QDir(p.R("Docs")).removeRecursively();
    Poblar(p.a);
    EXPECT_EQ(MensajeDe([&] { p.a.GuardarLibreria(); }),
              QStringLiteral("No se puede crear el archivo %1").arg(p.R("Docs/Arbol.tvw")));
    // The lists were already rewritten; the tree and the settings were not.
    EXPECT_EQ(QFileInfo(p.R("Libros.lst")).size(), 5 * 844);
    EXPECT_EQ(QFileInfo(p.R("Docs.lst")).size(), 5 * 232);
    EXPECT_EQ(Leer(p.R("Arbol.tvw")), arbolViejo);
    EXPECT_FALSE(QFileInfo::exists(p.R("BRIVO_II.INI")));
    // Once the folder is back the same save can be repeated.
    QDir(p.c.Ruta()).mkdir("Docs");
    p.a.GuardarLibreria();
    EXPECT_TRUE(QFileInfo::exists(p.R("BRIVO_II.INI")));
    EXPECT_TRUE(QDir(p.c.Ruta()).entryList({"*.tmp*"}, QDir::Files).isEmpty());
}

TEST(GuardarLibreria, UnaListaDeLibrosQueNoSePuedeEscribirLoDetieneTodo) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    QDir(p.c.Ruta()).mkdir("Docs.lst"); // the document list cannot be put in place
    try {
        p.a.GuardarLibreria();
        FAIL() << "sin error";
    } catch (const ErrorES& e) {
        EXPECT_EQ(e.Codigo(), 21); // a file cannot replace a folder
        EXPECT_EQ(e.Mensaje(), QStringLiteral("Error de E/S 21"));
    }
    EXPECT_TRUE(QFileInfo(p.R("Libros.lst")).isFile());
    EXPECT_FALSE(QFileInfo::exists(p.R("Arbol.tvw")));
    EXPECT_FALSE(QFileInfo::exists(p.R("BRIVO_II.INI")));
    EXPECT_EQ(QDir(p.c.Ruta()).entryList({"*.tmp*"}, QDir::Files).size(), 0);
    EXPECT_EQ(QDir(p.R("Docs")).entryList({"*.tmp*"}, QDir::Files).size(), 0);
}

// The numbers of origin of renumbered documents are saved beside Docs.lst,
// never inside its records, and come back at the next load; a deleted
// document takes its line with it. An installation without any gets no file.
TEST(GuardarLibreria, LosNumerosDeOrigenVanJuntoALaListaDeDocumentos) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    p.a.GuardarLibreria();
    EXPECT_FALSE(QFileInfo::exists(p.R("Origenes.lst")));

    p.a.Documentos[4].NumeroOrigen = 1;
    p.a.Documentos[7].NumeroOrigen = 2;
    p.a.GuardarLibreria();
    EXPECT_EQ(Leer(p.R("Origenes.lst")), QByteArray("4 1\r\n7 2\r\n"));
    const QByteArray docs = Leer(p.R("Docs.lst"));
    ASSERT_EQ(docs.size(), 5 * 232);
    for (qsizetype r = 0; r < 5; ++r)
        EXPECT_EQ(docs.mid(r * 232 + 166, 2), QByteArray(2, '\0')) << r;

    TAlmacen b;
    b.CarpetaPrograma = p.c.Ruta();
    b.CargarLibreria();
    EXPECT_EQ(b.Documentos[4].NumeroOrigen, 1);
    EXPECT_EQ(b.Documentos[4].Origen(), 1);
    EXPECT_EQ(b.Documentos[7].Origen(), 2);
    EXPECT_EQ(b.Documentos[1].Origen(), 1);
    EXPECT_EQ(b.Documentos[1].NumeroOrigen, 0);

    b.Documentos[7].Vaciar(); // deleted
    b.GuardarLibreria();
    EXPECT_EQ(Leer(p.R("Origenes.lst")), QByteArray("4 1\r\n"));
    b.Documentos[4].NumeroOrigen = 0;
    b.GuardarLibreria();
    EXPECT_TRUE(Leer(p.R("Origenes.lst")).isEmpty());
}

TEST(CargarLibreria, LasLineasDanadasDeLosOrigenesSeOmiten) {
    Programa p;
    Escribir(p.R("Docs.lst"),
             RegistroDocumento(4, 111111, "cuatro") + RegistroDocumento(5, 111111, "cinco") +
                 RegistroDocumento(6, 111111, "seis") + RegistroDocumento(8, 111111, "ocho"));
    Escribir(p.R("Origenes.lst"),
             "4 1\r\nbasura\r\n5 32768\r\n6 6\n7 3\n8 2\n8 3\n  9\t1  \n-4 1\n4 1 2\n");
    p.a.Documentos[9] = Doc(9, 111111, 2, 0); // a slot the load leaves as it was
    p.a.CargarLibreria();
    EXPECT_EQ(p.a.Documentos[4].NumeroOrigen, 1);
    EXPECT_EQ(p.a.Documentos[5].NumeroOrigen, 0); // outside 1..32767
    EXPECT_EQ(p.a.Documentos[6].NumeroOrigen, 0); // its own number
    EXPECT_FALSE(p.a.Documentos[7].Usado());      // no record, no document
    EXPECT_EQ(p.a.Documentos[7].NumeroOrigen, 0);
    EXPECT_EQ(p.a.Documentos[8].NumeroOrigen, 0); // named twice
    EXPECT_EQ(p.a.Documentos[9].NumeroOrigen, 1); // blanks and tabs around the numbers
}

namespace brivo::pruebas {

// A new document whose slot number another document of its book already
// goes by gets a number of origin above the slots: the list keeps it whole,
// and the largest one a record can hold.
TEST(GuardarLibreria, NumerosDeOrigenMayoresQueLasPlazasVanYVuelven) {
    Programa p;
    p.a.CargarLibreria();
    Poblar(p.a);
    p.a.Documentos[4].NumeroOrigen = 501;
    p.a.Documentos[7].NumeroOrigen = MaxNumeroOrigen;
    p.a.GuardarLibreria();
    EXPECT_EQ(Leer(p.R("Origenes.lst")), QByteArray("4 501\r\n7 32767\r\n"));

    TAlmacen b;
    b.CarpetaPrograma = p.c.Ruta();
    b.CargarLibreria();
    EXPECT_EQ(b.Documentos[4].Origen(), 501);
    EXPECT_EQ(b.Documentos[7].Origen(), MaxNumeroOrigen);
}

} // namespace brivo::pruebas

// What interrupted writes leave behind goes at the start; names that only
// look alike, and every other file, stay.
TEST(CargarLibreria, QuitaLosRestosDeEscriturasInterrumpidas) {
    Programa p;
    Escribir(p.R("Libros.lst"), RegistroLibro(111111, "Uno", "uno"));
    QDir(p.R("Docs")).mkpath(QStringLiteral("uno"));
    QDir(p.R("Docs")).mkpath(QStringLiteral("borrado"));
    QDir(p.R("")).mkpath(QStringLiteral("Temp/.importacion-Ab12Cd/K"));
    QDir(p.R("")).mkpath(QStringLiteral("Temp/.importacion-corto"));
    const QStringList sobrantes{"Libros.lst.tmp3fa9c2e1",
                                "Docs.lst.tmp0",
                                "BRIVO_II.INI.tmpabc",
                                "Arbol.tvw.tmp7",
                                "Origenes.lst.tmpdeadbeef",
                                "Docs/Docs.lst.tmp12",
                                "Docs/Arbol.tvw.tmpff",
                                "Docs/uno/K000001.doc.tmp5c1",
                                "Docs/uno/K000002.doc.brivo-tmp",
                                "Docs/uno/.brivo-zip-x1Y2z3",
                                "Docs/borrado/K000009.doc.tmp99",
                                "Temp/Docs.lst.tmp1a2b",
                                "Temp/Libros.lst.tmp9",
                                "Temp/.importacion-Ab12Cd/K/K000001.doc"};
    const QStringList propios{"Docs/uno/K000001.doc",
                              "Docs/uno/notas.tmp1",
                              "Docs/uno/K000001.doc.bak",
                              "Docs/uno/K000001.doc.copia1",
                              "Docs/uno/k000001.doc.tmp1",
                              "Docs/uno/K000001.doc.AbC123",
                              "Libros.lst.tmpXYZ",
                              "Libros.lst.tmp123456789",
                              "Libros.lst.tmp",
                              "Otro.lst.tmp12",
                              "Temp/notas.txt",
                              "Temp/.importacion-corto/x"};
    for (const QString& n : sobrantes + propios)
        Escribir(p.R(n.toUtf8().constData()), "x");
    p.a.CargarLibreria();
    EXPECT_EQ(p.a.Libros[1].Identificador, 111111);
    for (const QString& n : sobrantes)
        EXPECT_FALSE(QFileInfo::exists(p.R(n.toUtf8().constData()))) << n.toStdString();
    EXPECT_FALSE(QFileInfo::exists(p.R("Temp/.importacion-Ab12Cd")));
    for (const QString& n : propios)
        EXPECT_TRUE(QFileInfo::exists(p.R(n.toUtf8().constData()))) << n.toStdString();
    EXPECT_TRUE(QFileInfo::exists(p.R("Libros.lst")));
    // Nothing is left to remove a second time.
    EXPECT_EQ(p.a.LimpiarTemporales(), 0);
}
