// Benchmark of the Moodle export: a book of 500 question documents (a
// statement in bold and italics, four options "a) …", a 160x90 image, an
// answer and a comment; every fifth one a two-page problem with a list and a
// table instead) exported to Moodle XML and to GIFT, with plain files and
// with every file encrypted with the book's identifier; then the Moodle XML
// read back into an empty book. Five runs each; the median and the best are
// printed, with the processor time of the median run.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "Almacen.h"
#include "ArchivoDocumento.h"
#include "ExportacionMoodle.h"
#include "ImportacionMoodle.h"
#include "Medida.h"
#include "PreguntaLarga.h"
#include "ProcesadorTextos.h"

using namespace brivo;

namespace {

constexpr int Identificador = 314159;
constexpr int NumDocumentos = 500;

QString Frase(int i) {
    return QStringLiteral("Frase %1 de un enunciado con acentos (camión, árbol) y cifras 3,14. ")
        .arg(i);
}

void LlenarTest(QTextCursor& c, int k, const QByteArray& png) {
    QTextCharFormat normal, negrita, cursiva;
    negrita.setFontWeight(QFont::Bold);
    cursiva.setFontItalic(true);
    c.insertText(QStringLiteral("#PREG"), negrita);
    c.insertBlock(QTextBlockFormat(), normal);
    c.insertText(QStringLiteral("Pregunta %1: ").arg(k), negrita);
    c.insertText(Frase(k), normal);
    c.insertText(Frase(k + 1), cursiva);
    QTextImageFormat imagen;
    imagen.setName(word::NombreImagenIncrustada(png, QStringLiteral("image/png")));
    imagen.setWidth(160);
    imagen.setHeight(90);
    c.insertImage(imagen);
    for (const char* opcion : {"a) ", "b) ", "c) ", "d) "}) {
        c.insertBlock(QTextBlockFormat(), normal);
        c.insertText(QString::fromLatin1(opcion) + Frase(k + 2), normal);
    }
    c.insertBlock(QTextBlockFormat(), normal);
    c.insertText(QStringLiteral("#RESP"), negrita);
    c.insertBlock(QTextBlockFormat(), normal);
    c.insertText(QStringLiteral("c"), normal);
    c.insertBlock(QTextBlockFormat(), normal);
    c.insertText(QStringLiteral("#COMENT"), negrita);
    c.insertBlock(QTextBlockFormat(), normal);
    c.insertText(Frase(k + 3), normal);
}

// A library folder with one book of NumDocumentos questions.
void Preparar(TAlmacen& a, const QString& carpeta, bool cifrado) {
    a.CarpetaPrograma = carpeta;
    a.CarpetaInstalados = QStringLiteral(BRIVO_CARPETA_PROGRAMA);
    a.Arbol.CargarInicial();
    QDir(carpeta).mkpath(QStringLiteral("Docs/banco"));
    TLibro& libro = a.Libros[1];
    libro.Identificador = Identificador;
    libro.Titulo = QStringLiteral("Banco");
    libro.Carpeta = QStringLiteral("banco");
    libro.ClaveEnDoc = cifrado;
    a.LibroActivo = 1;
    const QByteArray png = bench::ImagenPng(Qt::darkRed);
    const QString clave = cifrado ? QString::number(Identificador) : QString();
    for (int k = 1; k <= NumDocumentos; ++k) {
        TDocumento& d = a.Documentos[size_t(k)];
        d.Numero = k;
        d.IdLibro = Identificador;
        d.IdMateria = 2;
        d.IdTema = 1;
        d.IdContenido = k % 2;
        d.Tipo = k % 5 == 0 ? 2 : 1;
        d.Respuesta = QStringLiteral("c");
        d.Puntos = 1.5;
        d.Descripcion = QStringLiteral("Pregunta %1").arg(k);
        QTextDocument doc;
        QTextCursor c(&doc);
        if (d.Tipo == 1)
            LlenarTest(c, k, png);
        else
            bench::LlenarPregunta(c, {{"#PREG", "#DESA", "#RESP", "#COMENT"},
                                      QColor(20, 20, 120),
                                      Frase,
                                      k,
                                      QStringLiteral("Opción %1"),
                                      png});
        word::GuardarArchivoDocumento(RutaDocumento(a, k), clave, doc, {});
    }
}

struct Medida {
    double mediana = 0, mejor = 0, cpu = 0;
    qint64 bytes = 0;
};

Medida Medir(const std::function<qint64()>& tarea) {
    std::vector<std::pair<double, double>> rondas;
    qint64 bytes = 0;
    for (int i = 0; i < 5; ++i) {
        const double c0 = bench::MsProcesador();
        QElapsedTimer reloj;
        reloj.start();
        bytes = tarea();
        rondas.push_back({reloj.nsecsElapsed() / 1e6, bench::MsProcesador() - c0});
    }
    std::sort(rondas.begin(), rondas.end());
    return {rondas[2].first, rondas[0].first, rondas[2].second, bytes};
}

void Exportacion(bool cifrado) {
    QTemporaryDir dir;
    TAlmacen a;
    QElapsedTimer preparacion;
    preparacion.start();
    Preparar(a, dir.path() + QLatin1Char('/'), cifrado);
    std::printf("%s: %d documentos preparados en %.0f ms\n", cifrado ? "Cifrados" : "Sin cifrar",
                NumDocumentos, preparacion.nsecsElapsed() / 1e6);
    const std::vector<int> documentos = moodle::DocumentosDeLibro(a, Identificador);
    for (const moodle::TFormato formato : {moodle::TFormato::Xml, moodle::TFormato::Gift}) {
        const QString salida =
            dir.filePath(formato == moodle::TFormato::Xml ? "banco.xml" : "banco.gift");
        int preguntas = 0;
        const Medida m = Medir([&] {
            auto motor = word::CrearMotorIncrustado();
            const moodle::TInformeExportacion r =
                moodle::Exportar(a, *motor, documentos, salida, formato);
            preguntas = r.Preguntas();
            return QFileInfo(salida).size();
        });
        std::printf("  %s de %d preguntas (%.1f MB): mediana %.0f ms, mejor %.0f ms, procesador "
                    "%.0f ms (%.2f ms por documento)\n",
                    formato == moodle::TFormato::Xml ? "Moodle XML" : "GIFT", preguntas,
                    m.bytes / 1048576.0, m.mediana, m.mejor, m.cpu, m.mediana / NumDocumentos);
    }
    if (cifrado)
        return;
    // The file read back into an empty book of another library.
    const QString xml = dir.filePath("banco.xml");
    int importadas = 0;
    const Medida m = Medir([&] {
        QTemporaryDir otra;
        TAlmacen b;
        b.CarpetaPrograma = otra.path() + QLatin1Char('/');
        b.CarpetaInstalados = QStringLiteral(BRIVO_CARPETA_PROGRAMA);
        b.Arbol.CargarInicial();
        b.Libros[1].Identificador = 271828;
        b.Libros[1].Carpeta = QStringLiteral("copia");
        b.Libros[1].ClaveEnDoc = false;
        b.LibroActivo = 1;
        auto motor = word::CrearMotorIncrustado();
        importadas = moodle::Importar(b, *motor, xml).TotalImportadas();
        return QFileInfo(xml).size();
    });
    std::printf("  Importación del Moodle XML (%d preguntas): mediana %.0f ms, mejor %.0f ms, "
                "procesador %.0f ms\n",
                importadas, m.mediana, m.mejor, m.cpu);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    Exportacion(false);
    Exportacion(true);
    return 0;
}
