// A library whose documents are Word files: an exam assembled from them
// through the automation interface, and the command-line conversion and export.
#include <QDir>
#include <QProcess>
#include <QTextCursor>
#include <QTextDocument>

#include "Almacen.h"
#include "ArchivoDocumento.h"
#include "EntornoOficina.h"
#include "FormatoOficina.h"
#include "ImportacionOficina.h"
#include "Listas.h"
#include "MontajeExamen.h"
#include "MotorTexto.h"

using namespace brivo::pruebas;
using oficina::FormatoOficina;

namespace {

constexpr int Identificador = 123456;

class LibreriaWord : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        almacen.CarpetaPrograma = carpeta.path() + QLatin1Char('/');
        almacen.Libros[1].Identificador = Identificador;
        almacen.Libros[1].Titulo = QStringLiteral("Física");
        almacen.Libros[1].Carpeta = QStringLiteral("Fisica");
    }
    // A question document n whose question says texto, in the given format.
    void Pregunta(int n, const QString& texto, FormatoExportacion formato,
                  const QString& clave = {}) {
        almacen.Documentos[size_t(n)].Numero = n;
        almacen.Documentos[size_t(n)].IdLibro = Identificador;
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("#PREG\r") + texto + QStringLiteral("\r#RESP\rSí, ") + texto);
        QDir().mkpath(carpeta.filePath(QStringLiteral("Docs/Fisica")));
        ExportarDocumento(doc, {}, RutaDocumento(almacen, n), formato, clave, ConversorSuite());
    }
    void GuardarListas() {
        EscribirLibros(almacen.Ruta(QStringLiteral("Libros.lst")), almacen);
        EscribirDocumentos(almacen.Ruta(QStringLiteral("Docs.lst")), almacen);
    }

    struct Salida {
        int codigo = -1;
        QString texto;
        QString error;
    };
    Salida Datos(const QStringList& argumentos) {
        QProcess p;
        p.start(QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2-datos"),
                QStringList{carpeta.path()} + argumentos);
        Salida s;
        if (!p.waitForFinished(120000))
            return s;
        s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        s.texto = QString::fromUtf8(p.readAllStandardOutput());
        s.error = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    QTemporaryDir carpeta;
    TAlmacen almacen;
};

TEST_F(LibreriaWord, ExamenMontadoConPreguntasDeWord) {
    Pregunta(1, QStringLiteral("Define la energía."), FormatoExportacion::Doc,
             QString::number(Identificador));
    Pregunta(2, QStringLiteral("Define la masa."), FormatoExportacion::Docx);
    auto app = CrearMotorIncrustado();
    app->Connect();
    const QString rutaExamen = carpeta.filePath(QStringLiteral("examen.txt"));
    Escribir(rutaExamen, "Examen de Física");
    auto examen = app->DocumentsOpen(rutaExamen, {});
    TAjustes opciones;
    opciones.PonRespuesta = true;
    int n = 1;
    OpcionesApertura o;
    o.PasswordDocument = QString::number(Identificador);
    for (int k : {1, 2}) {
        auto pregunta = app->DocumentsOpen(RutaDocumento(almacen, k), o);
        n = AnadirSecciones(*examen, *pregunta, BuscarSecciones(*pregunta), opciones, n);
        pregunta->Close(GuardarCambios::NoGuardar);
    }
    const QString texto = dynamic_cast<DocumentoMotor&>(*examen).Documento().toPlainText();
    EXPECT_EQ(texto, QStringLiteral("Examen de Física\nPregunta 1 \nDefine la energía.\n"
                                    "Respuesta\nSí, Define la energía.\n\nPregunta 2 \n"
                                    "Define la masa.\nRespuesta\nSí, Define la masa.\n"));
    // Both questions were converted in place on their first opening.
    for (int k : {1, 2})
        EXPECT_EQ(oficina::FormatoDeArchivo(RutaDocumento(almacen, k)),
                  oficina::FormatoOficina::Ninguno);
    EXPECT_TRUE(QFileInfo::exists(carpeta.filePath(QStringLiteral("BAK/Fisica/K000002.doc"))));
    app->Quit();
}

TEST_F(LibreriaWord, ConvertirDosVecesDesdeLaLineaDeOrdenes) {
    Pregunta(1, QStringLiteral("Uno"), FormatoExportacion::Doc, QString::number(Identificador));
    Pregunta(2, QStringLiteral("Dos"), FormatoExportacion::Docx);
    Pregunta(3, QStringLiteral("Tres"), FormatoExportacion::Html);
    almacen.Documentos[4].Numero = 4; // a document without a file yet
    almacen.Documentos[4].IdLibro = Identificador;
    Pregunta(5, QStringLiteral("Cinco"), FormatoExportacion::Docx);
    const QString cinco = RutaDocumento(almacen, 5);
    const QByteArray cortado = Leer(cinco).left(300);
    Escribir(cinco, cortado);
    GuardarListas();

    const Salida primera = Datos({QStringLiteral("convertir")});
    EXPECT_EQ(primera.codigo, 1) << primera.error.toStdString();
    const QStringList lineas = primera.texto.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 6) << primera.texto.toStdString();
    EXPECT_EQ(lineas[0], QStringLiteral("Docs/Fisica/K000001.doc (documento 1): convertido de "
                                        "Word 97-2003, original en BAK/Fisica/K000001.doc"));
    EXPECT_EQ(lineas[1], QStringLiteral("Docs/Fisica/K000002.doc (documento 2): convertido de "
                                        "Word 2007, original en BAK/Fisica/K000002.doc"));
    EXPECT_EQ(lineas[2], QStringLiteral("Docs/Fisica/K000003.doc (documento 3): ya está en el "
                                        "formato del programa"));
    EXPECT_EQ(lineas[3], QStringLiteral("Docs/Fisica/K000004.doc (documento 4): no tiene archivo"));
    EXPECT_EQ(lineas[4], QStringLiteral("Docs/Fisica/K000005.doc (documento 5): error: El archivo "
                                        "\"%1\" está dañado o no es un documento válido.")
                             .arg(cinco));
    EXPECT_EQ(lineas[5], QStringLiteral("Convertidos: 2. Ya en el formato del programa: 1. Sin "
                                        "archivo: 1. Con error: 1."));
    EXPECT_EQ(Leer(cinco), cortado);
    QTextDocument uno;
    // The protected Word file became a protected file of the program.
    EXPECT_THROW(LeerArchivoDocumento(RutaDocumento(almacen, 1), {}, uno), ErrorBrivo);
    LeerArchivoDocumento(RutaDocumento(almacen, 1), QString::number(Identificador), uno);
    EXPECT_TRUE(Parrafos(uno).contains(QStringLiteral("Uno")));

    QFile::remove(cinco);
    const Salida segunda = Datos({QStringLiteral("convertir")});
    EXPECT_EQ(segunda.codigo, 0) << segunda.error.toStdString();
    EXPECT_TRUE(
        segunda.texto.endsWith(QStringLiteral("Convertidos: 0. Ya en el formato del "
                                              "programa: 3. Sin archivo: 2. Con error: 0.\n")))
        << segunda.texto.toStdString();
    EXPECT_EQ(QDir(carpeta.filePath(QStringLiteral("BAK/Fisica"))).entryList(QDir::Files).size(),
              2);
}

TEST_F(LibreriaWord, ExportarDocumentoPorSuNumero) {
    Pregunta(1, QStringLiteral("Exportable"), FormatoExportacion::Doc,
             QString::number(Identificador));
    GuardarListas();
    const QByteArray original = Leer(RutaDocumento(almacen, 1));
    const struct {
        const char* nombre;
        FormatoOficina formato;
    } casos[] = {{"s.docx", FormatoOficina::Word2007},
                 {"s.doc", FormatoOficina::Word97},
                 {"s.odt", FormatoOficina::Odt}};
    for (const auto& caso : casos) {
        const QString salida = carpeta.filePath(QString::fromLatin1(caso.nombre));
        const Salida s = Datos({QStringLiteral("exportar-documento"), QStringLiteral("1"), salida});
        EXPECT_EQ(s.codigo, 0) << caso.nombre << s.error.toStdString();
        EXPECT_EQ(oficina::FormatoDeArchivo(salida), caso.formato) << caso.nombre;
        QTextDocument doc;
        CargarDocumento(salida, {}, doc, ConversorSuite());
        EXPECT_TRUE(Parrafos(doc).contains(QStringLiteral("Exportable"))) << caso.nombre;
    }
    const QString pdf = carpeta.filePath(QStringLiteral("s.pdf"));
    EXPECT_EQ(Datos({QStringLiteral("exportar-documento"), QStringLiteral("1"), pdf}).codigo, 0);
    EXPECT_TRUE(Leer(pdf).startsWith("%PDF-"));
    const QString html = carpeta.filePath(QStringLiteral("s.html"));
    EXPECT_EQ(Datos({QStringLiteral("exportar-documento"), QStringLiteral("1"), html}).codigo, 0);
    EXPECT_TRUE(QString::fromUtf8(Leer(html)).contains(QStringLiteral("Exportable")));
    // Exporting reads the document; its own file stays a Word file.
    EXPECT_EQ(Leer(RutaDocumento(almacen, 1)), original);

    const Salida mala = Datos({QStringLiteral("exportar-documento"), QStringLiteral("1"),
                               carpeta.filePath(QStringLiteral("s.xyz"))});
    EXPECT_EQ(mala.codigo, 1);
    EXPECT_TRUE(mala.error.contains(QStringLiteral(".pdf, .odt, .docx, .doc o .html")));
    EXPECT_EQ(Datos({QStringLiteral("exportar-documento"), QStringLiteral("9"), pdf}).error,
              QStringLiteral("No existe el documento 9.\n"));
    EXPECT_EQ(Datos({QStringLiteral("exportar-documento"), QStringLiteral("x"), pdf}).codigo, 2);
}

} // namespace
