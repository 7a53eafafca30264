// BRIVO_II.INI: defaults, value encoding and the profile-file rules.
#include <gtest/gtest.h>

#include "Ajustes.h"
#include "Ayudas.h"
#include "Errores.h"

using namespace brivo;
using namespace brivo::pruebas;

TEST(Ajustes, SinArchivoSeTomanLosValoresPorOmision) {
    CarpetaPrueba c;
    const TAjustes a = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_EQ(a.LibroActivo, 0);
    EXPECT_EQ(a.NumModeloPreguntas, 0);
    EXPECT_TRUE(a.PonPregunta);
    EXPECT_FALSE(a.PonDesarrollo);
    EXPECT_FALSE(a.PonRespuesta);
    EXPECT_FALSE(a.PonComentario);
    EXPECT_EQ(a.TextoPregunta, QStringLiteral("Pregunta % "));
    EXPECT_EQ(a.TextoComentario, QStringLiteral("Comentario"));
}

TEST(Ajustes, ArchivoNuevoConGeneralAntesQueExamenYCrLf) {
    CarpetaPrueba c;
    TAjustes a;
    a.LibroActivo = 3;
    a.PonRespuesta = true;
    a.TextoRespuesta = QStringLiteral("Solución");
    EscribirAjustes(c.Ruta("BRIVO_II.INI"), a);
    EXPECT_EQ(Leer(c.Ruta("BRIVO_II.INI")),
              QByteArray("[General]\r\nNumModeloPreguntas=0\r\nNumModeloExamenes=0\r\n"
                         "LibroActivo=3\r\n[Examen]\r\nPonPregunta=1\r\nPonDesarrollo=0\r\n"
                         "PonRespuesta=1\r\nPonComentario=0\r\nTextoPregunta=\"Pregunta % \"\r\n"
                         "TextoDesarrollo=Desarrollo\r\nTextoRespuesta=Soluci\xF3n\r\n"
                         "TextoComentario=Comentario\r\n"));
    EXPECT_EQ(LeerAjustes(c.Ruta("BRIVO_II.INI")), a);
}

TEST(Ajustes, CodificacionDeLosValoresAlLeer) {
    CarpetaPrueba c;
    Escribir(c.Ruta("BRIVO_II.INI"), "[General]\n"
                                     "NumModeloPreguntas=0x1F\n"
                                     "NumModeloExamenes=  -4  \n"
                                     "LibroActivo=12abc\n"
                                     "[Examen]\n"
                                     "PonPregunta=0\n"
                                     "PonDesarrollo=0X0\n"
                                     "PonRespuesta=yes\n"
                                     "PonComentario=2\n"
                                     "TextoPregunta=\n"
                                     "TextoDesarrollo=  Desarrollo con blancos  \n");
    const TAjustes a = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_EQ(a.NumModeloPreguntas, 31);
    EXPECT_EQ(a.NumModeloExamenes, -4);
    EXPECT_EQ(a.LibroActivo, 0); // not an integer: the default
    EXPECT_FALSE(a.PonPregunta);
    EXPECT_FALSE(a.PonDesarrollo);
    EXPECT_FALSE(a.PonRespuesta); // "yes" is no integer: the default, false
    EXPECT_TRUE(a.PonComentario); // any integer other than 0
    EXPECT_EQ(a.TextoPregunta, QString());
    EXPECT_EQ(a.TextoDesarrollo, QStringLiteral("Desarrollo con blancos"));
    EXPECT_EQ(a.TextoRespuesta, QStringLiteral("Respuesta"));

    Escribir(c.Ruta("BRIVO_II.INI"), "[Examen]\nPonPregunta=yes\nPonRespuesta=99999999999\n"
                                     "[General]\nLibroActivo=0xFFFFFFFF\n");
    const TAjustes b = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_TRUE(b.PonPregunta);   // default true
    EXPECT_FALSE(b.PonRespuesta); // beyond 32 bits: the default
    EXPECT_EQ(b.LibroActivo, -1);
}

TEST(Ajustes, EncabezadoLargoSeCortaA100YAsiSeEscribe) {
    CarpetaPrueba c;
    const QByteArray largo(150, 'h');
    Escribir(c.Ruta("BRIVO_II.INI"), "[Examen]\r\nTextoComentario=" + largo + "\r\n");
    TAjustes a = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_EQ(a.TextoComentario, QString(100, QLatin1Char('h')));
    EscribirAjustes(c.Ruta("BRIVO_II.INI"), a);
    EXPECT_TRUE(
        Leer(c.Ruta("BRIVO_II.INI")).contains("TextoComentario=" + largo.left(100) + "\r\n"));
    EXPECT_FALSE(Leer(c.Ruta("BRIVO_II.INI")).contains(largo.left(101)));

    // One read takes at most 2047 characters.
    Escribir(c.Ruta("x.ini"), "[S]\nk=" + QByteArray(3000, 'v') + "\n");
    EXPECT_EQ(TArchivoIni(c.Ruta("x.ini")).LeerCadena("S", "k", QString()).size(), 2047);
}

TEST(Ajustes, LineasAjenasSeQuedanYLosNombresNoDistinguenMayusculas) {
    CarpetaPrueba c;
    Escribir(c.Ruta("BRIVO_II.INI"), "; ajustes de Brivo\n"
                                     "[Otra]\n"
                                     "Clave=valor\n"
                                     "\n"
                                     "[GENERAL]\n"
                                     "libroactivo=5\n"
                                     "; comentario dentro\n"
                                     "Extra=1\n"
                                     "\n"
                                     "[Final]\n"
                                     "x=y");
    TAjustes a = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_EQ(a.LibroActivo, 5);
    a.LibroActivo = 8;
    a.NumModeloExamenes = 2;
    EscribirAjustes(c.Ruta("BRIVO_II.INI"), a);
    EXPECT_EQ(Leer(c.Ruta("BRIVO_II.INI")), QByteArray("; ajustes de Brivo\r\n"
                                                       "[Otra]\r\n"
                                                       "Clave=valor\r\n"
                                                       "\r\n"
                                                       "[GENERAL]\r\n"
                                                       "libroactivo=8\r\n"
                                                       "; comentario dentro\r\n"
                                                       "Extra=1\r\n"
                                                       "NumModeloPreguntas=0\r\n"
                                                       "NumModeloExamenes=2\r\n"
                                                       "\r\n"
                                                       "[Final]\r\n"
                                                       "x=y\r\n"
                                                       "[Examen]\r\n"
                                                       "PonPregunta=1\r\n"
                                                       "PonDesarrollo=0\r\n"
                                                       "PonRespuesta=0\r\n"
                                                       "PonComentario=0\r\n"
                                                       "TextoPregunta=\"Pregunta % \"\r\n"
                                                       "TextoDesarrollo=Desarrollo\r\n"
                                                       "TextoRespuesta=Respuesta\r\n"
                                                       "TextoComentario=Comentario\r\n"));
    EXPECT_EQ(LeerAjustes(c.Ruta("BRIVO_II.INI")), a);
}

TEST(Ajustes, CuentanLaPrimeraSeccionYClaveDeUnNombre) {
    CarpetaPrueba c;
    Escribir(c.Ruta("a.ini"), "k=fuera\n[S]\nk=primera\nK=segunda\n[s]\nk=otra\n");
    const TArchivoIni ini(c.Ruta("a.ini"));
    EXPECT_EQ(ini.LeerCadena("s", "K", "def"), QStringLiteral("primera"));
    EXPECT_EQ(ini.LeerCadena("T", "k", "def"), QStringLiteral("def"));
    EXPECT_EQ(ini.LeerEntero("S", "nada", 42), 42);
}

TEST(Ajustes, LosTextosSobrevivenBlancosComillasYSaltosDeLinea) {
    CarpetaPrueba c;
    TAjustes a;
    a.TextoPregunta = QStringLiteral("  Pregunta nº % ");
    a.TextoDesarrollo = QStringLiteral("\"citado\"");
    a.TextoRespuesta = QStringLiteral("'a'");
    a.TextoComentario = QStringLiteral("dos\r\nlíneas");
    EscribirAjustes(c.Ruta("BRIVO_II.INI"), a);
    const TAjustes b = LeerAjustes(c.Ruta("BRIVO_II.INI"));
    EXPECT_EQ(b.TextoPregunta, a.TextoPregunta);
    EXPECT_EQ(b.TextoDesarrollo, a.TextoDesarrollo);
    EXPECT_EQ(b.TextoRespuesta, a.TextoRespuesta);
    EXPECT_EQ(b.TextoComentario, QStringLiteral("dos  líneas"));
    // Hand-written quotes around a value are not part of it.
    Escribir(c.Ruta("BRIVO_II.INI"), "[Examen]\nTextoRespuesta=\" R \"\n");
    EXPECT_EQ(LeerAjustes(c.Ruta("BRIVO_II.INI")).TextoRespuesta, QStringLiteral(" R "));
}

TEST(Ajustes, ValorQueNoSePuedeEscribir) {
    CarpetaPrueba c;
    const QString ruta = c.Ruta("falta/BRIVO_II.INI");
    try {
        EscribirAjustes(ruta, TAjustes{});
        FAIL() << "sin error";
    } catch (const ErrorBrivo& e) {
        EXPECT_EQ(e.Mensaje(), QStringLiteral("No se puede escribir en %1").arg(ruta));
    }
}
