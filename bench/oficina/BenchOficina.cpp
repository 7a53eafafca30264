// Benchmark of the office converter: the start of LibreOffice (a fresh
// private profile each time), and the conversion in place of 100 Word 97–2003
// questions with the converter warm, as the engine does when it opens them,
// both protected with the book's identifier and without password. Prints the
// time per document and the part of it spent in LibreOffice.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "ConversorLibreOffice.h"
#include "ExportacionDocumento.h"
#include "ImportacionOficina.h"
#include "PreguntaLarga.h"

using namespace brivo;
using Reloj = std::chrono::steady_clock;

namespace {

double Ms(Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The converter with the time spent in it added up.
class ConversorCronometrado : public oficina::IConversorOficina {
public:
    explicit ConversorCronometrado(oficina::IConversorOficina& c) : conversor(c) {}
    oficina::TResultadoOficina Convertir(const oficina::TPeticionConversion& p) override {
        const auto inicio = Reloj::now();
        auto r = conversor.Convertir(p);
        total += Reloj::now() - inicio;
        return r;
    }
    void Preparar() override { conversor.Preparar(); }
    void Detener() override { conversor.Detener(); }
    Reloj::duration total{};

private:
    oficina::IConversorOficina& conversor;
};

QString Frase(int i) {
    return QStringLiteral("Frase %1 de un enunciado, con palabras acentuadas: camión, árbol, "
                          "pingüino. ")
        .arg(i);
}

struct Cifras {
    std::vector<double> ms;
    double libreOffice = 0;
};

void Informe(const char* nombre, Cifras c) {
    std::sort(c.ms.begin(), c.ms.end());
    double suma = 0;
    for (double v : c.ms)
        suma += v;
    const double media = suma / double(c.ms.size());
    std::printf("%-28s media %6.1f ms  mediana %6.1f ms  p95 %6.1f ms  máx %6.1f ms  "
                "(LibreOffice %5.1f ms, resto %5.1f ms)\n",
                nombre, media, c.ms[c.ms.size() / 2], c.ms[c.ms.size() * 95 / 100], c.ms.back(),
                c.libreOffice / double(c.ms.size()), media - c.libreOffice / double(c.ms.size()));
}

Cifras Convertir100(const QString& modelo, const QString& carpeta, const QString& clave,
                    oficina::IConversorOficina& conversor) {
    ConversorCronometrado cronometro(conversor);
    QDir().mkpath(carpeta);
    Cifras c;
    for (int k = 1; k <= 100; ++k) {
        const QString ruta = carpeta + QStringLiteral("/K%1.doc").arg(k, 6, 10, QLatin1Char('0'));
        QFile::copy(modelo, ruta);
        const auto inicio = Reloj::now();
        const word::ResultadoConversionArchivo r =
            word::ConvertirAlFormatoPropio(ruta, clave, cronometro);
        c.ms.push_back(Ms(Reloj::now() - inicio));
        if (!r.Convertido) {
            std::fprintf(stderr, "no se convirtió %s\n", qPrintable(ruta));
            std::exit(1);
        }
    }
    c.libreOffice = Ms(cronometro.total);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    oficina::TConfiguracionLibreOffice config = oficina::TConfiguracionLibreOffice::PorDefecto();
    config.Guion = QStringLiteral(BRIVO_CARPETA_PROGRAMA "conversor-oficina.py");

    // Start: each round a new converter process, LibreOffice and profile.
    std::vector<double> arranques;
    for (int i = 0; i < 5; ++i) {
        oficina::TConversorLibreOffice frio(config);
        const auto inicio = Reloj::now();
        frio.Preparar();
        arranques.push_back(Ms(Reloj::now() - inicio));
    }
    std::sort(arranques.begin(), arranques.end());
    std::printf("Arranque de LibreOffice: mínimo %.0f ms, mediana %.0f ms, máximo %.0f ms\n",
                arranques.front(), arranques[arranques.size() / 2], arranques.back());

    QTemporaryDir carpeta;
    oficina::TConversorLibreOffice conversor(config);
    conversor.Preparar();
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCursor cursor(&doc);
    bench::LlenarPregunta(cursor, {{"#PREG", "#DESA", "#RESP", "#COMENT"},
                                   QColor(0, 90, 160),
                                   Frase,
                                   0,
                                   QStringLiteral("Opción %1"),
                                   bench::ImagenPng(Qt::red)});
    const QString conClave = carpeta.filePath(QStringLiteral("con-clave.doc"));
    const QString sinClave = carpeta.filePath(QStringLiteral("sin-clave.doc"));
    word::ExportarDocumento(doc, {}, conClave, word::FormatoExportacion::Doc,
                            QStringLiteral("123456"), conversor);
    word::ExportarDocumento(doc, {}, sinClave, word::FormatoExportacion::Doc, {}, conversor);
    std::printf("Pregunta de unas dos páginas (lista, tabla, imagen): %lld bytes en Word 97-2003\n",
                static_cast<long long>(QFileInfo(sinClave).size()));

    Informe("Word 97 con contraseña",
            Convertir100(conClave, carpeta.filePath(QStringLiteral("Docs/A")),
                         QStringLiteral("123456"), conversor));
    Informe("Word 97 sin contraseña",
            Convertir100(sinClave, carpeta.filePath(QStringLiteral("Docs/B")),
                         QStringLiteral("123456"), conversor));
    return 0;
}
