// Libros.lst and Docs.lst: the identifier codec, decoys and fillers, slots,
// and what damaged files do.
#include <gtest/gtest.h>

#include <set>

#include <QDir>

#include "Almacen.h"
#include "Ayudas.h"
#include "Errores.h"
#include "Listas.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

std::vector<int> Codigos(const QByteArray& b) {
    std::vector<int> v;
    for (char c : b)
        v.push_back(static_cast<unsigned char>(c));
    return v;
}

TLibro Libro(int id, const QString& titulo, const QString& carpeta) {
    TLibro l;
    l.Identificador = id;
    l.Titulo = titulo;
    l.Autor = QStringLiteral("Autor ") + titulo;
    l.Materia = QStringLiteral("Materia");
    l.Comentario = QStringLiteral("Comentario largo de ") + titulo;
    l.Carpeta = carpeta;
    l.PermitirExportar = false;
    return l;
}

TDocumento Documento(int n, int libro) {
    TDocumento d;
    d.Numero = n;
    d.Descripcion = QStringLiteral("Documento %1").arg(n);
    d.Dificultad = n % 10;
    d.Puntos = n / 4.0;
    d.Tipo = n % 4;
    d.Respuesta = QStringLiteral("r%1").arg(n);
    d.Usos = n * 2;
    d.Similitud = n * 3;
    d.FechaCreacion = QStringLiteral("08/12/2026");
    d.FechaUso = QStringLiteral("01/01/1900");
    d.IdLibro = libro;
    d.IdMateria = 2;
    d.IdTema = n % 3;
    d.Formato = QStringLiteral("DOC9");
    return d;
}

bool MismoContenido(const TLibro& a, const TLibro& b) {
    return a.Identificador == b.Identificador && a.Titulo == b.Titulo && a.Autor == b.Autor &&
           a.Materia == b.Materia && a.Comentario == b.Comentario && a.Carpeta == b.Carpeta &&
           a.ClaveEnDoc == b.ClaveEnDoc && a.PermitirCambiosEnDoc == b.PermitirCambiosEnDoc &&
           a.PermitirMasDoc == b.PermitirMasDoc && a.PermitirExportar == b.PermitirExportar;
}

} // namespace

TEST(Identificador, FormaGuardadaCalculadaAMano) {
    EXPECT_EQ(Codigos(CifrarIdentificador(123456)),
              (std::vector<int>{181, 184, 187, 184, 189, 191, 192, 199, 195, 200, 200, 201}));
    // A five-digit identifier has a leading 0 digit.
    EXPECT_EQ(Codigos(CifrarIdentificador(54321)),
              (std::vector<int>{178, 187, 182, 189, 186, 196, 191, 196, 196, 203, 198, 208}));
    EXPECT_EQ(DescifrarIdentificador(CifrarIdentificador(54321)), 54321);
}

TEST(Identificador, CadaIdentificadorVaYVuelve) {
    for (int id = 0; id <= 999999; ++id) {
        const QByteArray clave = CifrarIdentificador(id);
        ASSERT_EQ(clave.size(), 12) << id;
        for (char c : clave) {
            const int codigo = static_cast<unsigned char>(c);
            ASSERT_TRUE(codigo >= 177 && codigo <= 208) << id;
        }
        ASSERT_EQ(DescifrarIdentificador(clave), id) << id;
        if (id % 997 == 0) {
            ASSERT_EQ(clave, ClaveDe(id)) << id;
        }
    }
}

TEST(Identificador, UnaFormaGuardadaQueNoEsNumeroEsErrorDeConversion) {
    QByteArray clave = CifrarIdentificador(123456);
    clave[1] = static_cast<char>('x' + 127 + 4); // second character decodes to 'x'
    try {
        DescifrarIdentificador(clave);
        FAIL() << "sin error";
    } catch (const ErrorBrivo& e) {
        EXPECT_EQ(e.Mensaje(), QStringLiteral("'4x' no es un valor entero válido"));
    }
    // An empty stored form has an empty first pair.
    try {
        DescifrarIdentificador(QByteArray());
        FAIL() << "sin error";
    } catch (const ErrorBrivo& e) {
        EXPECT_EQ(e.Mensaje(), QStringLiteral("'' no es un valor entero válido"));
    }
}

TEST(Identificador, RellenosYSenuelosQuedanEnSusIntervalos) {
    std::set<QByteArray> rellenos;
    for (int i = 0; i < 200; ++i) {
        const QByteArray r = GenerarRelleno();
        ASSERT_EQ(r.size(), 100);
        for (char c : r) {
            const int codigo = static_cast<unsigned char>(c);
            ASSERT_TRUE(codigo >= 130 && codigo <= 229);
        }
        rellenos.insert(r);
    }
    EXPECT_GT(rellenos.size(), 190u);
    int minimo = 1 << 30, maximo = 0;
    for (int i = 0; i < 100000; ++i) {
        const int s = GenerarSenuelo();
        minimo = std::min(minimo, s);
        maximo = std::max(maximo, s);
    }
    EXPECT_GE(minimo, 100000);
    EXPECT_LE(maximo, 998999);
    EXPECT_LT(minimo, 110000);
    EXPECT_GT(maximo, 990000);
}

TEST(Libros, LeeUnArchivoHechoAManoEnPlazasPorOrdenDelArchivo) {
    CarpetaPrueba c;
    LibroEnBytes e;
    e.senuelo = 777777;
    e.titulo = "Geograf\xED"
               "a";
    e.carpeta = "Geo";
    e.permisos[2] = false;
    e.clave = ClaveDe(98765);
    Escribir(c.Ruta("Libros.lst"), RegistroLibro(111111, "Uno", "uno") + RegistroLibro(e) +
                                       RegistroLibro(999999, "Tres", "tres"));
    TAlmacen a;
    LeerLibros(c.Ruta("Libros.lst"), a);
    EXPECT_EQ(a.Libros[1].Identificador, 111111);
    EXPECT_EQ(a.Libros[2].Identificador, 98765); // the decoy is not the identifier
    EXPECT_EQ(a.Libros[2].Titulo.Texto(), QStringLiteral("Geografía"));
    EXPECT_FALSE(a.Libros[2].PermitirMasDoc);
    EXPECT_TRUE(a.Libros[2].PermitirExportar);
    EXPECT_EQ(a.Libros[2].Cifrado, 1);
    EXPECT_EQ(a.Libros[3].Identificador, 999999);
    EXPECT_FALSE(a.Libros[4].Usado());
}

TEST(Libros, ArchivoVacioOAusenteDejaLibreCadaPlaza) {
    CarpetaPrueba c;
    TAlmacen a;
    LeerLibros(c.Ruta("Libros.lst"), a);
    Escribir(c.Ruta("Libros.lst"), QByteArray());
    LeerLibros(c.Ruta("Libros.lst"), a);
    EXPECT_FALSE(a.HayLibros());
}

TEST(Libros, LosRegistrosEscritosLlevanSenueloIdentificadorGuardadoYRellenos) {
    CarpetaPrueba c;
    TAlmacen a;
    a.Libros[2] = Libro(123456, QStringLiteral("Física"), QStringLiteral("fis"));
    a.Libros[5] = Libro(54321, QStringLiteral("Química"), QStringLiteral("qui"));
    a.Libros[5].ClaveCifrada.AsignarBytes("basura"); // memory values are not written
    EscribirLibros(c.Ruta("Libros.lst"), a);
    const QByteArray b = Leer(c.Ruta("Libros.lst"));
    ASSERT_EQ(b.size(), 2 * 844);
    for (int r = 0; r < 2; ++r) {
        const QByteArray reg = b.mid(r * 844, 844);
        const int senuelo = Entero(reg, 0);
        EXPECT_GE(senuelo, 100000);
        EXPECT_LE(senuelo, 998999);
        EXPECT_EQ(Entero(reg, 616), 1);
        EXPECT_EQ(Cadena(reg, 620), ClaveDe(r == 0 ? 123456 : 54321));
        for (int campo : {641, 742}) {
            const QByteArray relleno = Cadena(reg, campo);
            ASSERT_EQ(relleno.size(), 100);
            for (char ch : relleno)
                EXPECT_GE(static_cast<unsigned char>(ch), 130);
        }
        EXPECT_NE(Cadena(reg, 641), Cadena(reg, 742));
    }
    EXPECT_EQ(Cadena(b, 4), QByteArray("F\xEDsica"));
    EXPECT_EQ(Cadena(b.mid(844), 508), QByteArray("qui"));
    EXPECT_EQ(b[612], 0);
    // Saving did not touch the table.
    EXPECT_EQ(a.Libros[2].Identificador, 123456);
    EXPECT_EQ(a.Libros[5].ClaveCifrada.Bytes(), QByteArray("basura"));
    EXPECT_EQ(a.Libros[2].Cifrado, 0);
    EXPECT_TRUE(QDir(c.Ruta()).entryList({"*.tmp*"}, QDir::Files).isEmpty());
}

TEST(Libros, DosGuardadosDifierenEnBytesPeroCarganLoMismo) {
    CarpetaPrueba c;
    TAlmacen a;
    for (int i = 1; i <= 100; i += 9)
        a.Libros[i] =
            Libro(100000 + i * 37, QStringLiteral("Libro %1").arg(i), QStringLiteral("c%1").arg(i));
    a.Libros[4] = Libro(7, QStringLiteral("Pequeño"), QStringLiteral("p"));
    EscribirLibros(c.Ruta("uno.lst"), a);
    EscribirLibros(c.Ruta("dos.lst"), a);
    EXPECT_NE(Leer(c.Ruta("uno.lst")), Leer(c.Ruta("dos.lst")));
    TAlmacen b1, b2;
    LeerLibros(c.Ruta("uno.lst"), b1);
    LeerLibros(c.Ruta("dos.lst"), b2);
    // Free slots close up: slot 1, then 4, then 10, 19, ... in order.
    int ranura = 1;
    for (int i = 1; i <= 100; ++i) {
        if (!a.Libros[i].Usado())
            continue;
        EXPECT_TRUE(MismoContenido(b1.Libros[ranura], a.Libros[i])) << i;
        EXPECT_TRUE(MismoContenido(b2.Libros[ranura], a.Libros[i])) << i;
        ++ranura;
    }
    EXPECT_FALSE(b1.Libros[ranura].Usado());
    EXPECT_EQ(b1.Libros[2].Identificador, 7);
    EXPECT_EQ(b1.Libros[2].Titulo.Texto(), QStringLiteral("Pequeño"));
}

TEST(Libros, LosArchivosDanadosConservanLoQueSePuedeLeer) {
    CarpetaPrueba c;
    // An incomplete last record is left out.
    Escribir(c.Ruta("Libros.lst"),
             RegistroLibro(111111, "Uno", "u") + RegistroLibro(222222, "Dos", "d").left(500));
    TAlmacen a;
    QStringList avisos;
    LeerLibros(c.Ruta("Libros.lst"), a, &avisos);
    EXPECT_EQ(a.Libros[1].Identificador, 111111);
    EXPECT_FALSE(a.Libros[2].Usado());
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(QStringLiteral("los últimos 500 bytes no forman un registro "
                                                  "completo; se ignoran")));
    // One stray byte is told in the singular.
    Escribir(c.Ruta("Libros.lst"), RegistroLibro(111111, "Uno", "u") + QByteArray(1, 'x'));
    avisos.clear();
    LeerLibros(c.Ruta("Libros.lst"), a, &avisos);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].endsWith(
        QStringLiteral(": 1 byte final no forma un registro completo; se ignora")))
        << avisos[0].toStdString();

    // More books than slots: the first hundred are read.
    QByteArray muchos;
    for (int i = 1; i <= 103; ++i)
        muchos += RegistroLibro(100000 + i, "L", "c");
    Escribir(c.Ruta("Libros.lst"), muchos);
    TAlmacen b;
    avisos.clear();
    LeerLibros(c.Ruta("Libros.lst"), b, &avisos);
    EXPECT_EQ(b.Libros[100].Identificador, 100100);
    EXPECT_EQ(avisos.size(), 1);

    // A stored identifier that does not decode stops the reading there.
    QByteArray rota = RegistroLibro(333333, "Tres", "t");
    rota[621] = 'A';
    Escribir(c.Ruta("Libros.lst"), RegistroLibro(111111, "Uno", "u") +
                                       RegistroLibro(222222, "Dos", "d") + rota +
                                       RegistroLibro(444444, "Cuatro", "c"));
    TAlmacen d;
    EXPECT_THROW(LeerLibros(c.Ruta("Libros.lst"), d), ErrorBrivo);
    EXPECT_EQ(d.Libros[1].Identificador, 111111);
    EXPECT_EQ(d.Libros[2].Identificador, 222222);
    EXPECT_FALSE(d.Libros[3].Usado());
    EXPECT_FALSE(d.Libros[4].Usado());
}

// Stored forms whose digits decode to more than six places (a1 = 12) or to
// a negative number (a1 = -15): the next save would keep other digits and
// the book would lose its documents, so such a book is not loaded.
TEST(Libros, UnIdentificadorDeMasDeSeisCifrasDejaLibreSuPlaza) {
    CarpetaPrueba c;
    auto libro = [](const int(&b)[6], const QByteArray& titulo) {
        LibroEnBytes l;
        l.titulo = titulo;
        l.carpeta = titulo;
        l.clave = ClaveDeValores(b);
        return RegistroLibro(l);
    };
    Escribir(c.Ruta("Libros.lst"),
             RegistroLibro(111111, "Uno", "u") + libro({45, 61, 44, 38, 25, 54}, "Siete") +
                 libro({45, 61, 44, 38, 25, 0}, "Negativo") + RegistroLibro(999999, "Cuatro", "c"));
    TAlmacen a;
    QStringList avisos;
    LeerLibros(c.Ruta("Libros.lst"), a, &avisos);
    EXPECT_EQ(a.Libros[1].Identificador, 111111);
    EXPECT_FALSE(a.Libros[2].Usado());
    EXPECT_TRUE(a.Libros[2].Titulo.Vacia());
    EXPECT_FALSE(a.Libros[3].Usado());
    EXPECT_EQ(a.Libros[4].Identificador, 999999);
    ASSERT_EQ(avisos.size(), 2);
    EXPECT_TRUE(avisos[0].contains(QStringLiteral("registro 2 guarda el identificador de libro "
                                                  "1223456, fuera de 1..999999")))
        << avisos[0].toStdString();
    EXPECT_TRUE(avisos[1].contains(QStringLiteral("identificador de libro -1523456")))
        << avisos[1].toStdString();
}

TEST(Libros, LosFallosDeEntradaSalidaLlevanElMensajeDelSistema) {
    CarpetaPrueba c;
    QDir(c.Ruta()).mkdir("Libros.lst"); // a folder where the file should be
    TAlmacen a;
    try {
        LeerLibros(c.Ruta("Libros.lst"), a);
        FAIL() << "sin error";
    } catch (const ErrorES& e) {
        EXPECT_EQ(e.Codigo(), 21);
        EXPECT_EQ(e.Mensaje(), QStringLiteral("Error de E/S 21"));
    }
    try {
        EscribirLibros(c.Ruta("no/existe/Libros.lst"), a);
        FAIL() << "sin error";
    } catch (const ErrorES& e) {
        EXPECT_EQ(e.Mensaje(), QStringLiteral("No se encuentra el archivo"));
    }
}

TEST(Documentos, LosRegistrosConservanSuPlazaYPierdenSuMarca) {
    CarpetaPrueba c;
    TAlmacen a;
    for (int n : {1, 2, 4, 5})
        a.Documentos[n] = Documento(n, 123456);
    a.Documentos[4].Marcado = true;
    EscribirDocumentos(c.Ruta("Docs.lst"), a);
    const QByteArray b = Leer(c.Ruta("Docs.lst"));
    ASSERT_EQ(b.size(), 4 * 232);
    EXPECT_EQ(Entero(b, 2 * 232), 4);
    EXPECT_EQ(b[2 * 232 + 4], 1); // written as held in memory
    EXPECT_EQ(b.mid(2 * 232, 232), ABytes(a.Documentos[4]));

    TAlmacen d;
    d.Documentos[3] = Documento(3, 5); // a slot the file does not fill keeps its record
    LeerDocumentos(c.Ruta("Docs.lst"), d);
    for (int n : {1, 2, 4, 5}) {
        EXPECT_EQ(d.Documentos[n].Numero, n);
        EXPECT_FALSE(d.Documentos[n].Marcado);
        EXPECT_EQ(d.Documentos[n].Descripcion.Texto(), QStringLiteral("Documento %1").arg(n));
        EXPECT_EQ(d.Documentos[n].IdTema, n % 3);
        EXPECT_DOUBLE_EQ(d.Documentos[n].Puntos, n / 4.0);
    }
    EXPECT_EQ(d.Documentos[3].IdLibro, 5);
    EXPECT_FALSE(d.Documentos[6].Usado());
}

TEST(Documentos, LosRegistrosHechosAManoVanALaPlazaQueNombraSuNumero) {
    CarpetaPrueba c;
    DocumentoEnBytes e;
    e.numero = 500;
    e.marcado = true;
    e.descripcion = "\xDAltimo";
    Escribir(c.Ruta("Docs.lst"), RegistroDocumento(e) + RegistroDocumento(7, 1, "siete"));
    TAlmacen a;
    LeerDocumentos(c.Ruta("Docs.lst"), a);
    EXPECT_EQ(a.Documentos[500].Descripcion.Texto(), QStringLiteral("Último"));
    EXPECT_FALSE(a.Documentos[500].Marcado);
    EXPECT_EQ(a.Documentos[7].Descripcion.Texto(), QStringLiteral("siete"));
    EXPECT_EQ(a.DocumentoLibre(), 1);
}

TEST(Documentos, NumerosFueraDeLaTablaORepetidosSeOmiten) {
    CarpetaPrueba c;
    Escribir(c.Ruta("Docs.lst"), RegistroDocumento(3, 1, "tres") + RegistroDocumento(0, 1, "cero") +
                                     RegistroDocumento(501, 1, "fuera") +
                                     RegistroDocumento(-7, 1, "negativo") +
                                     RegistroDocumento(3, 1, "repetido") +
                                     RegistroDocumento(9, 1, "nueve") + QByteArray(100, 'x'));
    TAlmacen a;
    QStringList avisos;
    LeerDocumentos(c.Ruta("Docs.lst"), a, &avisos);
    EXPECT_EQ(a.Documentos[3].Descripcion.Texto(), QStringLiteral("tres"));
    EXPECT_EQ(a.Documentos[9].Descripcion.Texto(), QStringLiteral("nueve"));
    int usados = 0;
    for (int i = 1; i <= MaxDocumentos; ++i)
        usados += a.Documentos[i].Usado() ? 1 : 0;
    EXPECT_EQ(usados, 2);
    EXPECT_EQ(avisos.size(), 5); // 0, 501, -7, the repeated 3, the trailing bytes
}

TEST(Documentos, LaTablaLlenaEsUnArchivoDe500Registros) {
    CarpetaPrueba c;
    TAlmacen a;
    for (int n = 1; n <= MaxDocumentos; ++n)
        a.Documentos[n] = Documento(n, 1);
    EXPECT_EQ(a.DocumentoLibre(), 0);
    EscribirDocumentos(c.Ruta("Docs.lst"), a);
    EXPECT_EQ(Leer(c.Ruta("Docs.lst")).size(), 500 * 232);
}
