// brivo2-datos run on program folders written by hand from the byte layouts.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "Ayudas.h"

using namespace brivo::pruebas;

namespace {

struct Salida {
    int codigo = -1;
    QByteArray salida;
    QString error;
    QJsonDocument Json() const { return QJsonDocument::fromJson(salida); }
};

Salida Ejecutar(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(BRIVO_CARPETA_PROGRAMA) + "brivo2-datos", argumentos);
    Salida s;
    if (!p.waitForFinished(60000))
        return s;
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.salida = p.readAllStandardOutput();
    s.error = QString::fromUtf8(p.readAllStandardError());
    return s;
}

// A consistent library: two books, three documents with their files.
void Biblioteca(const CarpetaPrueba& c) {
    LibroEnBytes uno;
    uno.titulo = "F\xEDsica";
    uno.autor = "Ana";
    uno.carpeta = "Fisica";
    uno.permisos[3] = false;
    uno.clave = ClaveDe(123456);
    Escribir(c.Ruta("Libros.lst"), RegistroLibro(uno) + RegistroLibro(54321, "Qu\xEDmica", "Quim"));
    DocumentoEnBytes d;
    d.numero = 3;
    d.marcado = true;
    d.descripcion = "\xBFQu\xE9 es?";
    d.puntos = 1.5;
    d.tipo = 1;
    d.libro = 123456;
    d.materia = 2;
    d.tema = 1;
    Escribir(c.Ruta("Docs.lst"), RegistroDocumento(d) + RegistroDocumento(10, 123456, "Diez") +
                                     RegistroDocumento(11, 54321, "Once"));
    QDir(c.Ruta("Docs")).mkpath("Fisica");
    QDir(c.Ruta("Docs")).mkpath("Quim");
    Escribir(c.Ruta("Docs/Fisica/K000003.doc"), "tres");
    Escribir(c.Ruta("Docs/Fisica/K000010.doc"), "diez");
    Escribir(c.Ruta("Docs/Quim/K000011.doc"), "once");
    Escribir(c.Ruta("Docs/Quim/notas.txt"), "no es un documento");
}

} // namespace

TEST(Datos, LibrosYDocumentosEnJson) {
    CarpetaPrueba c;
    Biblioteca(c);
    const Salida l = Ejecutar({c.Ruta(), "libros"});
    ASSERT_EQ(l.codigo, 0) << l.error.toStdString();
    const QJsonArray libros = l.Json().array();
    ASSERT_EQ(libros.size(), 2);
    const QJsonObject f = libros[0].toObject();
    EXPECT_EQ(f["ranura"].toInt(), 1);
    EXPECT_EQ(f["Identificador"].toInt(), 123456);
    EXPECT_EQ(f["Titulo"].toString(), QStringLiteral("Física"));
    EXPECT_EQ(f["Autor"].toString(), QStringLiteral("Ana"));
    EXPECT_EQ(f["Carpeta"].toString(), QStringLiteral("Fisica"));
    EXPECT_TRUE(f["ClaveEnDoc"].toBool());
    EXPECT_FALSE(f["PermitirExportar"].toBool());
    EXPECT_EQ(f["Cifrado"].toInt(), 1);
    EXPECT_EQ(f["Relleno1"].toString().size(), 100);
    EXPECT_EQ(libros[1].toObject()["Identificador"].toInt(), 54321);
    EXPECT_EQ(libros[1].toObject()["ranura"].toInt(), 2);

    const Salida d = Ejecutar({c.Ruta(), "documentos"});
    ASSERT_EQ(d.codigo, 0) << d.error.toStdString();
    const QJsonArray docs = d.Json().array();
    ASSERT_EQ(docs.size(), 3);
    const QJsonObject tres = docs[0].toObject();
    EXPECT_EQ(tres["ranura"].toInt(), 3);
    EXPECT_EQ(tres["Numero"].toInt(), 3);
    EXPECT_FALSE(tres["Marcado"].toBool());
    EXPECT_EQ(tres["Descripcion"].toString(), QStringLiteral("¿Qué es?"));
    EXPECT_DOUBLE_EQ(tres["Puntos"].toDouble(), 1.5);
    EXPECT_EQ(tres["Tipo"].toInt(), 1);
    EXPECT_EQ(tres["IdLibro"].toInt(), 123456);
    EXPECT_EQ(tres["IdTema"].toInt(), 1);
    EXPECT_EQ(tres["FechaUso"].toString(), QStringLiteral("01/01/1900"));
    EXPECT_EQ(tres["Reservado"].toArray().size(), 5);
    EXPECT_EQ(tres["Formato"].toString(), QStringLiteral("DOC9"));
    EXPECT_EQ(docs[2].toObject()["ranura"].toInt(), 11);
}

TEST(Datos, ArbolYAjustesEnJson) {
    CarpetaPrueba c;
    Escribir(c.Ruta("Arbol0.tvw"), Cuenta(2) + BloqueNodo("\xDAtiles", "1", 1) +
                                       BloqueNodo("Todos", "5", 0) + BloqueNodo("Historia", "", 1) +
                                       BloqueNodo("Roma", "123456789", 0));
    Escribir(c.Ruta("BRIVO_II.INI"), "[general]\nLibroActivo=0x2\n[Examen]\nPonRespuesta=2\n"
                                     "TextoPregunta=Ejercicio\n");
    const Salida a = Ejecutar({c.Ruta(), "arbol"});
    ASSERT_EQ(a.codigo, 0) << a.error.toStdString();
    const QJsonArray raices = a.Json().array();
    ASSERT_EQ(raices.size(), 2);
    EXPECT_EQ(raices[0].toObject()["texto"].toString(), QStringLiteral("Útiles"));
    EXPECT_EQ(raices[0].toObject()["hijos"].toArray()[0].toObject()["identificador"].toString(),
              QStringLiteral("5"));
    const QJsonObject historia = raices[1].toObject();
    EXPECT_EQ(historia["identificador"].toString(), QString());
    EXPECT_EQ(historia["hijos"].toArray()[0].toObject()["texto"].toString(),
              QStringLiteral("Roma"));
    EXPECT_TRUE(historia["hijos"].toArray()[0].toObject()["hijos"].toArray().isEmpty());

    const Salida s = Ejecutar({c.Ruta(), "ajustes"});
    ASSERT_EQ(s.codigo, 0) << s.error.toStdString();
    const QJsonObject aj = s.Json().object();
    EXPECT_EQ(aj.size(), 11);
    EXPECT_EQ(aj["LibroActivo"].toInt(), 2);
    EXPECT_TRUE(aj["PonRespuesta"].toBool());
    EXPECT_TRUE(aj["PonPregunta"].toBool());
    EXPECT_EQ(aj["TextoPregunta"].toString(), QStringLiteral("Ejercicio"));
    EXPECT_EQ(aj["TextoComentario"].toString(), QStringLiteral("Comentario"));
}

TEST(Datos, ComprobarUnaBibliotecaCoherente) {
    CarpetaPrueba c;
    Biblioteca(c);
    const Salida s = Ejecutar({c.Ruta(), "comprobar"});
    EXPECT_EQ(s.codigo, 0) << s.salida.toStdString();
    EXPECT_TRUE(s.Json().object()["inconsistencias"].toArray().isEmpty());
}

TEST(Datos, ComprobarEncuentraCadaTipoDeIncoherencia) {
    CarpetaPrueba c;
    Biblioteca(c);
    // A third book in the folder of the first, a document of a missing book,
    // a document without its file and a file without its document.
    Escribir(c.Ruta("Libros.lst"),
             Leer(c.Ruta("Libros.lst")) + RegistroLibro(777777, "Otra f\xEDsica", "Fisica"));
    Escribir(c.Ruta("Docs.lst"), Leer(c.Ruta("Docs.lst")) +
                                     RegistroDocumento(20, 999999, "Hu\xE9rfano") +
                                     RegistroDocumento(21, 54321, "Sin archivo"));
    Escribir(c.Ruta("Docs/Quim/K000099.doc"), "suelto");
    const Salida s = Ejecutar({c.Ruta(), "comprobar"});
    EXPECT_EQ(s.codigo, 1);
    QStringList tipos;
    QString mensajes;
    for (const QJsonValue& v : s.Json().object()["inconsistencias"].toArray()) {
        tipos << v.toObject()["tipo"].toString();
        mensajes += v.toObject()["mensaje"].toString() + '\n';
    }
    tipos.sort();
    EXPECT_EQ(tipos, (QStringList{"archivo_ausente", "archivo_sin_documento", "carpeta_compartida",
                                  "documento_sin_libro"}))
        << mensajes.toStdString();
    EXPECT_TRUE(mensajes.contains("K000021.doc"));
    EXPECT_TRUE(mensajes.contains("K000099.doc"));
    EXPECT_TRUE(mensajes.contains("999999"));
}

TEST(Datos, LosErroresVanALaSalidaDeErroresConCodigo2) {
    CarpetaPrueba c;
    const Salida sinCarpeta = Ejecutar({c.Ruta("no-existe"), "libros"});
    EXPECT_EQ(sinCarpeta.codigo, 2);
    EXPECT_TRUE(sinCarpeta.error.startsWith("No se puede leer la carpeta"));
    EXPECT_TRUE(sinCarpeta.salida.isEmpty());

    QByteArray rota = RegistroLibro(123456, "Uno", "u");
    rota[621] = 'Q';
    Escribir(c.Ruta("Libros.lst"), rota);
    const Salida libros = Ejecutar({c.Ruta(), "libros"});
    EXPECT_EQ(libros.codigo, 2);
    EXPECT_TRUE(libros.error.contains("no es un valor entero válido"))
        << libros.error.toStdString();
    EXPECT_EQ(Ejecutar({c.Ruta(), "comprobar"}).codigo, 2);

    Escribir(c.Ruta("Arbol.tvw"), Cuenta(-3));
    const Salida arbol = Ejecutar({c.Ruta(), "arbol"});
    EXPECT_EQ(arbol.codigo, 2);
    EXPECT_TRUE(arbol.error.contains("está dañado"));

    QFile::remove(c.Ruta("Arbol.tvw"));
    // A library without a tree of its own shows the initial tree shipped with
    // the program, as the program would load it.
    const Salida inicial = Ejecutar({c.Ruta(), "arbol"});
    EXPECT_EQ(inicial.codigo, 0) << inicial.error.toStdString();
    EXPECT_TRUE(inicial.salida.contains("\"Útiles\"")) << inicial.salida.toStdString();
    // An initial tree of the library's own that cannot be opened is an error.
    QDir(c.Ruta()).mkdir("Arbol0.tvw");
    const Salida sinArbol = Ejecutar({c.Ruta(), "arbol"});
    EXPECT_EQ(sinArbol.codigo, 2);
    EXPECT_TRUE(sinArbol.error.startsWith("No se puede abrir el archivo"));

    EXPECT_EQ(Ejecutar({c.Ruta(), "otra"}).codigo, 2);
    EXPECT_EQ(Ejecutar({c.Ruta()}).codigo, 2);
}

TEST(Datos, LosRegistrosOmitidosSeAvisanYLosInformaLaComprobacion) {
    CarpetaPrueba c;
    Biblioteca(c);
    Escribir(c.Ruta("Docs.lst"), Leer(c.Ruta("Docs.lst")) + RegistroDocumento(3, 123456, "Otra"));
    const Salida d = Ejecutar({c.Ruta(), "documentos"});
    EXPECT_EQ(d.codigo, 0);
    EXPECT_EQ(d.Json().array().size(), 3);
    EXPECT_TRUE(d.error.contains("repite el número de documento 3")) << d.error.toStdString();
    const Salida s = Ejecutar({c.Ruta(), "comprobar"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.Json().object()["inconsistencias"].toArray()[0].toObject()["tipo"].toString(),
              QStringLiteral("registro_ignorado"));
}

TEST(Datos, ComprobarInformaDeUnLibroCuyoIdentificadorNoCabeEnSeisCifras) {
    CarpetaPrueba c;
    Biblioteca(c);
    LibroEnBytes danado;
    danado.titulo = "Siete cifras";
    danado.carpeta = "Siete";
    danado.clave = ClaveDeValores({45, 61, 44, 38, 25, 54}); // decodes to 1223456
    Escribir(c.Ruta("Libros.lst"), Leer(c.Ruta("Libros.lst")) + RegistroLibro(danado));
    const Salida l = Ejecutar({c.Ruta(), "libros"});
    EXPECT_EQ(l.codigo, 0);
    EXPECT_EQ(l.Json().array().size(), 2);
    const Salida s = Ejecutar({c.Ruta(), "comprobar"});
    EXPECT_EQ(s.codigo, 1);
    const QJsonArray lista = s.Json().object()["inconsistencias"].toArray();
    ASSERT_EQ(lista.size(), 1);
    EXPECT_EQ(lista[0].toObject()["tipo"].toString(), QStringLiteral("registro_ignorado"));
    EXPECT_TRUE(lista[0].toObject()["mensaje"].toString().contains(
        QStringLiteral("identificador de libro 1223456, fuera de 1..999999")));
}
