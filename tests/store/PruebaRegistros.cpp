// Record layouts against hand-built bytes, Windows-1252 texts, fixed-capacity
// fields, Spanish numbers and dates.
#include <gtest/gtest.h>

#include <utility>

#include <QDate>

#include "Ayudas.h"
#include "Registros.h"
#include "Texto.h"

using namespace brivo;
using namespace brivo::pruebas;

TEST(Cp1252, CadaByteSeDescodificaYVuelveACodificar) {
    for (int b = 0; b < 256; ++b) {
        const QByteArray uno(1, static_cast<char>(b));
        EXPECT_EQ(ACp1252(DeCp1252(uno)), uno) << "byte " << b;
    }
}

// Text <-> Windows-1252 bytes, both ways.
struct CasoCp1252 {
    QString texto;
    QByteArray bytes;
};

TEST(Cp1252, CaracteresDeLaMitadSuperior) {
    const CasoCp1252 casos[] = {
        {QStringLiteral("€"), "\x80"},
        {QStringLiteral("Œœ‰™"), "\x8C\x9C\x89\x99"},
        {QStringLiteral("Útiles ñ"), "\xDAtiles \xF1"},
        {QStringLiteral("“hola”"), "\x93hola\x94"},
        {QStringLiteral("Exámenes"), "Ex\xE1menes"},
    };
    for (const CasoCp1252& c : casos) {
        EXPECT_EQ(ACp1252(c.texto), c.bytes) << c.texto.toStdString();
        EXPECT_EQ(DeCp1252(c.bytes), c.texto) << c.texto.toStdString();
    }
}

TEST(Cp1252, CaracteresSinCorrespondenciaSeVuelvenInterrogaciones) {
    const CasoCp1252 casos[] = {
        {QStringLiteral("a\u0100b"), "a?b"},
        {QStringLiteral("日本"), "??"},
        // A character outside the basic plane is one character, one '?'.
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), "x?y"},
        // Control characters 0x80..0x9F that the code page defines elsewhere.
        {QString(QChar(0x80)), "?"},
    };
    for (const CasoCp1252& c : casos)
        EXPECT_EQ(ACp1252(c.texto), c.bytes) << c.texto.toStdString();
}

TEST(CadenaCorta, CortaSinAvisarTrasConvertir) {
    CadenaCorta<10> c;
    c = QStringLiteral("Desarrollo largo");
    EXPECT_EQ(c.Tamano(), 10);
    EXPECT_EQ(c.Texto(), QStringLiteral("Desarrollo"));
    c = QStringLiteral("€uro");
    EXPECT_EQ(c.Bytes(), QByteArray("\x80uro"));
    EXPECT_EQ(c.Texto(), QStringLiteral("€uro"));
    c.Vaciar();
    EXPECT_TRUE(c.Vacia());
}

TEST(CadenaCorta, ByteDeLongitudMayorQueLaCapacidadQuedaDentroDelCampo) {
    struct {
        CadenaCorta<4> c;
        char centinela[4] = {'X', 'X', 'X', 'X'};
    } bloque;
    bloque.c.AsignarBytes("abcd");
    bloque.c.Longitud = 200;
    EXPECT_EQ(bloque.c.Tamano(), 4);
    EXPECT_EQ(bloque.c.Bytes(), QByteArray("abcd"));
}

TEST(Registros, LosBytesDelLibroSiguenLaDisposicion) {
    TLibro l;
    l.Identificador = 123456;
    l.Titulo = QStringLiteral("Álgebra");
    l.Autor = QStringLiteral("Autora");
    l.Materia = QStringLiteral("Matemáticas");
    l.Comentario = QString(250, QLatin1Char('c'));
    l.Carpeta = QStringLiteral("Algebra");
    l.ClaveEnDoc = false;
    l.PermitirCambiosEnDoc = true;
    l.PermitirMasDoc = false;
    l.PermitirExportar = true;
    l.Cifrado = 1;
    l.ClaveCifrada.AsignarBytes("\xB5\xB8");
    const QByteArray b = ABytes(l);
    ASSERT_EQ(b.size(), 844);
    EXPECT_EQ(Entero(b, 0), 123456);
    EXPECT_EQ(Cadena(b, 4), QByteArray("\xC1lgebra"));
    EXPECT_EQ(Cadena(b, 105), QByteArray("Autora"));
    EXPECT_EQ(Cadena(b, 206), QByteArray("Matem\xE1ticas"));
    EXPECT_EQ(static_cast<unsigned char>(b[307]), 200);
    EXPECT_EQ(Cadena(b, 307), QByteArray(200, 'c'));
    EXPECT_EQ(Cadena(b, 508), QByteArray("Algebra"));
    EXPECT_EQ(b.mid(609, 4), QByteArray("\x00\x01\x00\x01", 4));
    EXPECT_EQ(b.mid(613, 3), QByteArray(3, '\0'));
    EXPECT_EQ(Entero(b, 616), 1);
    EXPECT_EQ(Cadena(b, 620), QByteArray("\xB5\xB8"));
    EXPECT_EQ(b[641], 0);
    EXPECT_EQ(b[742], 0);
    EXPECT_EQ(b[843], 0);
}

TEST(Registros, LibroDesdeBytesHechosAMano) {
    LibroEnBytes e;
    e.senuelo = 654321;
    e.titulo = "T\xEDtulo";
    e.autor = "Yo";
    e.materia = "Historia";
    e.comentario = QByteArray(200, 'z');
    e.carpeta = "Hist";
    e.permisos[1] = false;
    e.permisos[3] = false;
    e.clave = ClaveDe(42);
    const QByteArray b = RegistroLibro(e);
    const TLibro l = LibroDeBytes(b.constData());
    EXPECT_EQ(l.Identificador, 654321);
    EXPECT_EQ(l.Titulo.Texto(), QStringLiteral("Título"));
    EXPECT_EQ(l.Autor.Texto(), QStringLiteral("Yo"));
    EXPECT_EQ(l.Materia.Texto(), QStringLiteral("Historia"));
    EXPECT_EQ(l.Comentario.Tamano(), 200);
    EXPECT_EQ(l.Carpeta.Texto(), QStringLiteral("Hist"));
    EXPECT_TRUE(l.ClaveEnDoc);
    EXPECT_FALSE(l.PermitirCambiosEnDoc);
    EXPECT_TRUE(l.PermitirMasDoc);
    EXPECT_FALSE(l.PermitirExportar);
    EXPECT_EQ(l.Cifrado, 1);
    EXPECT_EQ(l.ClaveCifrada.Bytes(), ClaveDe(42));
    EXPECT_EQ(l.Relleno1.Bytes(), QByteArray(100, char(150)));
    EXPECT_EQ(l.Relleno2.Bytes(), QByteArray(100, char(200)));
    // And back to the same bytes.
    EXPECT_EQ(ABytes(l), b);
}

TEST(Registros, LosBytesDelDocumentoSiguenLaDisposicion) {
    DocumentoEnBytes e;
    e.numero = 17;
    e.marcado = true;
    e.descripcion = "Pregunta de \xF3ptica";
    e.dificultad = 7;
    e.puntos = 2.5;
    e.tipo = 3;
    e.respuesta = "b";
    e.usos = 4;
    e.similitud = -2;
    e.libro = 123456;
    e.materia = 987654321;
    e.tema = 5;
    e.contenido = 6;
    QByteArray b = RegistroDocumento(e);
    PonerEntero(b, 184 + 8, 99); // a reserved value survives
    const TDocumento d = DocumentoDeBytes(b.constData());
    EXPECT_EQ(d.Numero, 17);
    EXPECT_TRUE(d.Marcado);
    EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Pregunta de óptica"));
    EXPECT_EQ(d.Dificultad, 7);
    EXPECT_DOUBLE_EQ(d.Puntos, 2.5);
    EXPECT_EQ(d.Tipo, 3);
    EXPECT_EQ(d.Respuesta.Texto(), QStringLiteral("b"));
    EXPECT_EQ(d.Usos, 4);
    EXPECT_EQ(d.Similitud, -2);
    EXPECT_EQ(d.FechaCreacion.Texto(), QStringLiteral("08/12/2026"));
    EXPECT_EQ(d.FechaUso.Texto(), QStringLiteral("01/01/1900"));
    EXPECT_EQ(d.IdLibro, 123456);
    EXPECT_EQ(d.IdMateria, 987654321);
    EXPECT_EQ(d.IdTema, 5);
    EXPECT_EQ(d.IdContenido, 6);
    EXPECT_EQ(d.Reservado[2], 99);
    EXPECT_EQ(d.Formato.Texto(), QStringLiteral("DOC9"));
    EXPECT_EQ(ABytes(d), b);
}

TEST(Registros, ElRellenoSeEscribeConCeros) {
    TDocumento d;
    d.Numero = 1;
    d.Descripcion = QString(100, QLatin1Char('d'));
    d.Formato = QString(20, QLatin1Char('f'));
    d.Puntos = -1.0;
    const QByteArray b = ABytes(d);
    ASSERT_EQ(b.size(), 232);
    EXPECT_EQ(b.mid(106, 2), QByteArray(2, '\0'));
    EXPECT_EQ(b[135], 0);
    EXPECT_EQ(b.mid(166, 2), QByteArray(2, '\0'));
    EXPECT_EQ(b.mid(225, 7), QByteArray(7, '\0'));
    // -1.0 as IEEE 754, little-endian.
    EXPECT_EQ(b.mid(112, 8), QByteArray("\x00\x00\x00\x00\x00\x00\xF0\xBF", 8));
}

TEST(Registros, BytesDeLongitudDanadosSeCortanAlCampo) {
    DocumentoEnBytes e;
    e.respuesta = "abc";
    QByteArray b = RegistroDocumento(e);
    b[124] = static_cast<char>(250); // Respuesta claims 250 bytes in an 11-byte field
    b[5] = static_cast<char>(255);   // Descripcion claims 255 of 100
    const TDocumento d = DocumentoDeBytes(b.constData());
    EXPECT_EQ(d.Respuesta.Tamano(), 10);
    EXPECT_EQ(d.Respuesta.Bytes().left(3), QByteArray("abc"));
    EXPECT_EQ(d.Descripcion.Tamano(), 100);
    // The next fields are untouched by the damaged ones.
    EXPECT_EQ(d.Usos, 0);
    EXPECT_EQ(d.Dificultad, 0);
    const QByteArray otra = ABytes(d);
    EXPECT_EQ(static_cast<unsigned char>(otra[124]), 10);
}

TEST(Texto, NumerosYFechasEnCastellano) {
    const std::pair<double, const char*> cortos[] = {{8, "8"}, {9.5, "9,5"}, {-0.25, "-0,25"}};
    for (const auto& [valor, texto] : cortos)
        EXPECT_EQ(NumeroCorto(valor), QString::fromUtf8(texto)) << valor;
    struct Lectura {
        const char* texto;
        bool valido;
        double valor;
    };
    const Lectura lecturas[] = {
        {"9,5", true, 9.5}, {" 3.25 ", true, 3.25}, {"1,2,3", false, 0},
        {"abc", false, 0},  {"", false, 0},
    };
    for (const Lectura& l : lecturas) {
        double v = 0;
        EXPECT_EQ(LeerNumero(QString::fromUtf8(l.texto), v), l.valido) << l.texto;
        if (l.valido)
            EXPECT_DOUBLE_EQ(v, l.valor) << l.texto;
    }
    double nulo = 0;
    EXPECT_FALSE(LeerNumero(QString(), nulo)); // a null text, not only an empty one
    EXPECT_EQ(FechaCorta(QDate(2026, 12, 8)), QStringLiteral("08/12/2026"));
    EXPECT_EQ(FechaCorta(QDate(1900, 1, 1)), QStringLiteral("01/01/1900"));
    EXPECT_EQ(Hoy(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}
