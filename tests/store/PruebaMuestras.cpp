// The sample files of tests/datos, written byte by byte without the program's
// code, read through the store's readers: every field as the sample holds it,
// and the bytes the writers give back.
#include <gtest/gtest.h>

#include "Ajustes.h"
#include "Almacen.h"
#include "Arbol.h"
#include "Listas.h"
#include "Muestras.h"
#include "TextosQt.h"

#include "Ayudas.h"

using namespace brivo;
using namespace brivo::pruebas;
using namespace brivo::pruebas::muestras;

namespace {

QByteArray Muestra(const char* relativa) {
    const QByteArray datos = Leer(Archivo(relativa));
    EXPECT_FALSE(datos.isEmpty()) << "falta la muestra " << relativa;
    return datos;
}

// The library of the samples: books, documents and tree.
struct Biblioteca {
    TAlmacen almacen;
    Biblioteca() {
        LeerLibros(Archivo("biblioteca/Libros.lst"), almacen);
        LeerDocumentos(Archivo("biblioteca/Docs.lst"), almacen);
        almacen.Arbol.Cargar(Archivo("biblioteca/Arbol.tvw"));
    }
};

// ---------------------------------------------------------------------------
// Libros.lst

class LibroDeMuestra : public ::testing::TestWithParam<LibroEsperado> {};

TEST_P(LibroDeMuestra, CadaCampoComoElArchivo) {
    const LibroEsperado& e = GetParam();
    Biblioteca b;
    const TLibro& l = b.almacen.Libros[e.Slot];
    EXPECT_EQ(l.Identificador, e.Identificador); // decoded from the stored form
    EXPECT_EQ(l.Titulo.Texto(), e.Titulo);
    EXPECT_EQ(l.Autor.Texto(), e.Autor);
    EXPECT_EQ(l.Materia.Texto(), e.Materia);
    EXPECT_EQ(l.Comentario.Texto(), e.Comentario);
    EXPECT_EQ(l.Carpeta.Texto(), e.Carpeta);
    EXPECT_EQ(l.ClaveEnDoc, e.ClaveEnDoc);
    EXPECT_EQ(l.PermitirCambiosEnDoc, e.PermitirCambiosEnDoc);
    EXPECT_EQ(l.PermitirMasDoc, e.PermitirMasDoc);
    EXPECT_EQ(l.PermitirExportar, e.PermitirExportar);
    EXPECT_EQ(l.Cifrado, 1);
    EXPECT_EQ(l.ClaveCifrada.Tamano(), 12);
    EXPECT_EQ(l.Relleno1.Tamano(), 100);
    EXPECT_EQ(l.Relleno2.Tamano(), 100);
    EXPECT_EQ(b.almacen.BuscarLibro(e.Identificador).Titulo.Texto(), e.Titulo);
}

INSTANTIATE_TEST_SUITE_P(Muestras, LibroDeMuestra, ::testing::ValuesIn(LibrosEsperados()),
                         [](const auto& info) {
                             return "Hueco" + std::to_string(info.param.Slot);
                         });

TEST(LibrosDeMuestra, LosHuecosQueElArchivoNoLlenaQuedanLibres) {
    Biblioteca b;
    for (int i = 5; i <= MaxLibros; ++i)
        EXPECT_FALSE(b.almacen.Libros[i].Usado()) << i;
}

TEST(LibrosDeMuestra, ClaveGuardadaDe123456) {
    // b1..b6 = 45 61 44 38 25 32; each digit code plus 127 + 2·i.
    const QByteArray esperada = QByteArray::fromHex("b5b8bbb8bdbfc0c7c3c8c8c9");
    EXPECT_EQ(Muestra("biblioteca/Libros.lst").mid(621, 12), esperada);
    EXPECT_EQ(CifrarIdentificador(123456), esperada);
    EXPECT_EQ(DescifrarIdentificador(esperada), 123456);
}

// Rewriting keeps every field but the decoy and the fillers, which are drawn
// anew at every save.
TEST(LibrosDeMuestra, ReescritoSoloCambianSenuelosYRellenos) {
    const QByteArray original = Muestra("biblioteca/Libros.lst");
    Biblioteca b;
    const QByteArray escrito = LibrosEnBytes(b.almacen);
    ASSERT_EQ(escrito.size(), original.size());
    for (int r = 0; r < original.size() / TamRegistroLibro; ++r) {
        const int base = r * TamRegistroLibro;
        const QByteArray o = original.mid(base, TamRegistroLibro);
        const QByteArray e = escrito.mid(base, TamRegistroLibro);
        EXPECT_EQ(e.mid(4, 637), o.mid(4, 637)) << "registro " << r; // texts to ClaveCifrada
        EXPECT_EQ(e[843], '\0');
        const std::int32_t senuelo = Entero(e, 0);
        EXPECT_GE(senuelo, 100000);
        EXPECT_LE(senuelo, 998999);
        for (int campo : {641, 742}) {
            const QByteArray relleno = Cadena(e, campo);
            ASSERT_EQ(relleno.size(), 100);
            for (char c : relleno) {
                EXPECT_GE(static_cast<unsigned char>(c), 130);
                EXPECT_LE(static_cast<unsigned char>(c), 229);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Docs.lst

class DocumentoDeMuestra : public ::testing::TestWithParam<DocumentoEsperado> {};

TEST_P(DocumentoDeMuestra, CadaCampoComoElArchivo) {
    const DocumentoEsperado& e = GetParam();
    Biblioteca b;
    const TDocumento& d = b.almacen.Documentos[e.Numero];
    EXPECT_EQ(d.Numero, e.Numero);
    EXPECT_FALSE(d.Marcado);
    EXPECT_EQ(d.Descripcion.Texto(), e.Descripcion);
    EXPECT_EQ(d.Dificultad, e.Dificultad);
    EXPECT_EQ(d.Puntos, e.Puntos);
    EXPECT_EQ(d.Tipo, e.Tipo);
    EXPECT_EQ(d.Respuesta.Texto(), e.Respuesta);
    EXPECT_EQ(d.Usos, e.Usos);
    EXPECT_EQ(d.Similitud, e.Similitud);
    EXPECT_EQ(d.FechaCreacion.Texto(), e.FechaCreacion);
    EXPECT_EQ(d.FechaUso.Texto(), e.FechaUso);
    EXPECT_EQ(d.IdLibro, e.IdLibro);
    EXPECT_EQ(d.IdMateria, e.IdMateria);
    EXPECT_EQ(d.IdTema, e.IdTema);
    EXPECT_EQ(d.IdContenido, e.IdContenido);
    for (std::int32_t r : d.Reservado)
        EXPECT_EQ(r, 0);
    EXPECT_EQ(d.Formato.Texto(), e.Formato);
    EXPECT_EQ(d.Origen(), e.Numero);
}

INSTANTIATE_TEST_SUITE_P(Muestras, DocumentoDeMuestra, ::testing::ValuesIn(DocumentosEsperados()),
                         [](const auto& info) {
                             return "Documento" + std::to_string(info.param.Numero);
                         });

TEST(DocumentosDeMuestra, SoloLosHuecosDelArchivoEstanUsados) {
    Biblioteca b;
    std::vector<int> usados;
    for (int i = 1; i <= MaxDocumentos; ++i) {
        if (b.almacen.Documentos[i].Usado())
            usados.push_back(i);
    }
    std::vector<int> esperados;
    for (const DocumentoEsperado& e : DocumentosEsperados())
        esperados.push_back(e.Numero);
    EXPECT_EQ(usados, esperados);
}

// Written back record for record as read: the only byte that changes is the
// mark of document 7, which a load clears.
TEST(DocumentosDeMuestra, ReescritoDaLosMismosBytesSalvoLaMarca) {
    QByteArray esperado = Muestra("biblioteca/Docs.lst");
    int marcados = 0;
    const std::vector<DocumentoEsperado> docs = DocumentosEsperados();
    for (size_t r = 0; r < docs.size(); ++r) {
        const int marca = static_cast<int>(r) * TamRegistroDocumento + 4;
        ASSERT_EQ(esperado[marca], docs[r].MarcadoEnArchivo ? '\1' : '\0') << "registro " << r;
        marcados += docs[r].MarcadoEnArchivo;
        esperado[marca] = '\0';
    }
    ASSERT_EQ(marcados, 1);
    Biblioteca b;
    EXPECT_EQ(DocumentosEnBytes(b.almacen), esperado);
}

// The places of the sample documents in the sample tree.
TEST(DocumentosDeMuestra, LugaresEnElArbolDeMuestra) {
    Biblioteca b;
    struct Caso {
        int numero;
        const char *materia, *tema, *contenido;
    };
    const Caso casos[] = {
        {1, "Útiles", "Modelos de pregunta", ""},
        {2, "Útiles", "Modelos de examen", ""},
        {4, "Matemáticas", "Álgebra", "Ecuaciones de 2º grado"},
        {5, "Útiles", "Exámenes", ""},
        {7, "Matemáticas", "", ""},
        {8, "", "", ""},
        {500, "", "", ""},
    };
    for (const Caso& c : casos) {
        const TDocumento& d = b.almacen.Documentos[c.numero];
        QString m, t, k;
        b.almacen.Arbol.NombresDeLugar({d.IdMateria, d.IdTema, d.IdContenido}, m, t, k);
        EXPECT_EQ(m, QString::fromUtf8(c.materia)) << c.numero;
        EXPECT_EQ(t, QString::fromUtf8(c.tema)) << c.numero;
        EXPECT_EQ(k, QString::fromUtf8(c.contenido)) << c.numero;
    }
    QString m, t, k;
    const TDocumento& d6 = b.almacen.Documentos[6];
    b.almacen.Arbol.NombresDeLugar({d6.IdMateria, d6.IdTema, d6.IdContenido}, m, t, k);
    EXPECT_EQ(t, QStringLiteral("Análisis"));
    EXPECT_EQ(k.size(), 255);
}

// ---------------------------------------------------------------------------
// Arbol.tvw and Arbol0.tvw

void ComprobarNodos(const TArbol& arbol, const std::vector<NodoEsperado>& esperados) {
    const std::vector<TNodo*> nodos = arbol.EnOrden();
    ASSERT_EQ(nodos.size(), esperados.size());
    for (size_t i = 0; i < nodos.size(); ++i) {
        const TNodo& n = *nodos[i];
        const NodoEsperado& e = esperados[i];
        SCOPED_TRACE(testing::Message() << "nodo " << i << " " << e.Texto);
        EXPECT_EQ(n.Nivel(), e.Nivel);
        EXPECT_EQ(n.Texto, e.Texto);
        EXPECT_EQ(n.Identificador, e.Identificador);
        EXPECT_EQ(n.Id(), e.Id);
        EXPECT_EQ(static_cast<int>(n.Hijos.size()), e.Hijos);
        EXPECT_EQ(n.Imagen, e.Imagen);
        EXPECT_EQ(n.ImagenSeleccion, e.ImagenSeleccion);
        EXPECT_EQ(n.ImagenEstado, e.ImagenEstado);
        EXPECT_EQ(n.Superpuesta, e.Superpuesta);
        EXPECT_EQ(n.TipoCasilla, e.TipoCasilla);
        EXPECT_EQ(n.Marcada, e.Marcada);
        EXPECT_EQ(n.Atenuada, e.Atenuada);
        EXPECT_EQ(n.Datos, e.Datos);
        EXPECT_EQ(n.Dato2, e.Dato2);
    }
}

struct ArbolDeMuestra {
    const char* archivo;
    std::vector<NodoEsperado> (*nodos)();
    int bytes; // length of the file
};

void PrintTo(const ArbolDeMuestra& a, std::ostream* os) {
    *os << a.archivo;
}

class ArbolesDeMuestra : public ::testing::TestWithParam<ArbolDeMuestra> {};

TEST_P(ArbolesDeMuestra, CadaNodoComoElArchivo) {
    ASSERT_EQ(Muestra(GetParam().archivo).size(), GetParam().bytes);
    TArbol arbol;
    arbol.Cargar(Archivo(GetParam().archivo));
    ComprobarNodos(arbol, GetParam().nodos());
}

TEST_P(ArbolesDeMuestra, ReescritoDaLosMismosBytes) {
    TArbol arbol;
    arbol.Cargar(Archivo(GetParam().archivo));
    EXPECT_EQ(arbol.Serializar(), Muestra(GetParam().archivo));
}

INSTANTIATE_TEST_SUITE_P(
    Muestras, ArbolesDeMuestra,
    ::testing::Values(ArbolDeMuestra{"biblioteca/Arbol.tvw", &NodosEsperados, 1210},
                      ArbolDeMuestra{"arbol_inicial/Arbol0.tvw", &NodosIniciales, 505}),
    [](const auto& info) { return info.index == 0 ? std::string("Arbol") : "Arbol0"; });

// The tree a new installation starts from is the one in the sample.
TEST(ArbolesDeMuestra, ElArbolInicialEsElDeLaMuestra) {
    TArbol arbol;
    arbol.CargarInicial();
    EXPECT_EQ(arbol.Serializar(), Muestra("arbol_inicial/Arbol0.tvw"));
}

// ---------------------------------------------------------------------------
// BRIVO_II.INI

TEST(AjustesDeMuestra, CadaValorComoElArchivo) {
    TAjustes esperados;
    esperados.NumModeloPreguntas = 1;
    esperados.NumModeloExamenes = 2; // "0x2"
    esperados.LibroActivo = 3;
    esperados.PonPregunta = false;
    esperados.PonDesarrollo = true; // "2"
    esperados.PonRespuesta = false; // "yes": the default
    esperados.PonComentario = true;
    esperados.TextoPregunta = QStringLiteral("Cuestión nº % ");
    esperados.TextoDesarrollo = QStringLiteral("Desarrollo muy largo ").repeated(8).left(100);
    esperados.TextoRespuesta = QStringLiteral("Solución");
    esperados.TextoComentario = QStringLiteral("Comentario"); // missing: the default
    const QString ruta = Archivo("biblioteca/BRIVO_II.INI");
    const TAjustes leidos = LeerAjustes(ruta);
    EXPECT_EQ(leidos.NumModeloPreguntas, esperados.NumModeloPreguntas);
    EXPECT_EQ(leidos.NumModeloExamenes, esperados.NumModeloExamenes);
    EXPECT_EQ(leidos.LibroActivo, esperados.LibroActivo);
    EXPECT_EQ(leidos.PonPregunta, esperados.PonPregunta);
    EXPECT_EQ(leidos.PonDesarrollo, esperados.PonDesarrollo);
    EXPECT_EQ(leidos.PonRespuesta, esperados.PonRespuesta);
    EXPECT_EQ(leidos.PonComentario, esperados.PonComentario);
    EXPECT_EQ(leidos.TextoPregunta, esperados.TextoPregunta);
    EXPECT_EQ(leidos.TextoDesarrollo, esperados.TextoDesarrollo);
    EXPECT_EQ(leidos.TextoRespuesta, esperados.TextoRespuesta);
    EXPECT_EQ(leidos.TextoComentario, esperados.TextoComentario);
    // The file as written back reads the same values again.
    EXPECT_EQ(LeerAjustes(Archivo("biblioteca/BRIVO_II.esperado.INI")), esperados);
}

// Writing the values back changes only the lines whose value the reader
// corrected, adds the missing key to its section and keeps every other line.
TEST(AjustesDeMuestra, ReescritoComoLaMuestraEsperada) {
    const QString ruta = Archivo("biblioteca/BRIVO_II.INI");
    EXPECT_EQ(AjustesEnBytes(ruta, LeerAjustes(ruta)), Muestra("biblioteca/BRIVO_II.esperado.INI"));
    const QString escrito = Archivo("biblioteca/BRIVO_II.esperado.INI");
    EXPECT_EQ(AjustesEnBytes(escrito, LeerAjustes(escrito)),
              Muestra("biblioteca/BRIVO_II.esperado.INI"));
}

} // namespace
