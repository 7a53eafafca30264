// Benchmark of the embedded word processor in the exam assembly's pattern:
// open a two-page formatted question (plain and encrypted), find its four
// sections by their markers, and copy each one after its label into an open
// exam document. Prints the time per question.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "ArchivoDocumento.h"
#include "ModelosDocumento.h"
#include "ProcesadorTextos.h"

#include "PreguntaLarga.h"

using namespace brivo::word;
using Reloj = std::chrono::steady_clock;

namespace {

const std::array<QString, 4> Marcas = {"#PREG", "#DESA", "#RESP", "#COMENT"};
const std::array<QString, 4> Etiquetas = {"Pregunta % ", "Desarrollo", "Respuesta", "Comentario"};

QString Frase(int i) {
    return QStringLiteral("Frase %1 de un enunciado con bastante texto para ocupar la línea, "
                          "con números como 3,14 y palabras acentuadas: camión, árbol, pingüino. ")
        .arg(i);
}

// About two pages: four sections with bold, italics, colours, a list, a table and an image.
void LlenarPregunta(QTextCursor& c) {
    brivo::bench::LlenarPregunta(c, {QStringList(Marcas.begin(), Marcas.end()), QColor(0, 90, 160),
                                     Frase, 0, QStringLiteral("Opción %1 de la lista"),
                                     brivo::bench::ImagenPng(Qt::red)});
}

int FinAntesDe(IDocumentoWord& aux, const QString* siguiente) {
    auto rango = aux.Content();
    if (siguiente) {
        auto marca = aux.Content();
        if (marca->FindExecute(*siguiente, true))
            rango->SetRange(0, marca->Start());
    }
    return rango->FindExecute("^p", false) ? rango->End() : -1;
}

// Sections found exactly as the exam assembly does, then appended to the exam.
void CopiarPregunta(IDocumentoWord& aux, IDocumentoWord& examen, int numero) {
    std::array<int, 4> inicio{-1, -1, -1, -1};
    std::array<int, 4> fin{-1, -1, -1, -1};
    for (size_t m = 0; m < 4; ++m) {
        auto rango = aux.Content();
        const int finTexto = rango->End();
        if (rango->FindExecute(Marcas[m], true)) {
            auto marca = aux.Content();
            marca->SetRange(rango->Start(), finTexto);
            marca->FindExecute("^p", true);
            auto letra = aux.Content();
            letra->SetRange(marca->Start(), finTexto);
            letra->FindExecute("^$", true);
            inicio[m] = letra->Start();
        } else if (m == 0) {
            auto letra = aux.Content();
            inicio[m] = letra->FindExecute("^$", true) ? letra->Start() : -1;
        }
    }
    if (inicio[3] != -1) {
        auto r = aux.Content();
        fin[3] = r->FindExecute("^p", false) ? r->End() : -1;
    }
    const QString come = "#COME";
    if (inicio[2] != -1)
        fin[2] = FinAntesDe(aux, inicio[3] != -1 ? &come : nullptr);
    auto siguiente = [&](size_t desde) -> const QString* {
        for (size_t m = desde; m < 4; ++m)
            if (inicio[m] != -1)
                return &Marcas[m];
        return nullptr;
    };
    if (inicio[1] != -1)
        fin[1] = FinAntesDe(aux, siguiente(2));
    if (inicio[0] != -1)
        fin[0] = FinAntesDe(aux, siguiente(1));
    for (size_t m = 0; m < 4; ++m) {
        auto rango = examen.Content();
        rango->Collapse();
        if (m == 0) {
            rango->InsertAfter("\r");
            rango->InsertAfter(QString(Etiquetas[0]).replace('%', QString::number(numero)));
        } else {
            rango->InsertAfter(Etiquetas[m]);
        }
        rango->InsertAfter("\r");
        if (inicio[m] != -1 && fin[m] > inicio[m]) {
            auto fuente = aux.Content();
            fuente->SetRange(inicio[m], fin[m]);
            fuente->Copy();
            rango = examen.Content();
            rango->Collapse();
            rango->Paste();
        }
    }
}

struct Cifras {
    double media, mediana, p95, maxima;
    double abrir, copiar, cerrar; // means of the three steps
};

Cifras Medir(IAplicacionWord& app, IDocumentoWord& examen, const QString& ruta,
             const QString& clave, int veces) {
    OpcionesApertura opciones;
    opciones.PasswordDocument = opciones.PasswordTemplate = opciones.WritePasswordDocument =
        opciones.WritePasswordTemplate = clave;
    std::vector<double> tiempos;
    auto ms = [](Reloj::time_point a, Reloj::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    double abrir = 0, copiar = 0, cerrar = 0;
    for (int i = 0; i < veces; ++i) {
        const auto t0 = Reloj::now();
        auto aux = app.DocumentsOpen(ruta, opciones);
        aux->Window().SetWindowState(EstadoVentana::Minimizada);
        const auto t1 = Reloj::now();
        CopiarPregunta(*aux, examen, i + 1);
        const auto t2 = Reloj::now();
        aux->Close(GuardarCambios::NoGuardar);
        aux.reset();
        const auto t3 = Reloj::now();
        abrir += ms(t0, t1);
        copiar += ms(t1, t2);
        cerrar += ms(t2, t3);
        tiempos.push_back(ms(t0, t3));
    }
    std::sort(tiempos.begin(), tiempos.end());
    double suma = 0;
    for (double t : tiempos)
        suma += t;
    const double n = double(tiempos.size());
    return {suma / n,
            tiempos[tiempos.size() / 2],
            tiempos[size_t(n * 0.95)],
            tiempos.back(),
            abrir / n,
            copiar / n,
            cerrar / n};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const int veces = argc > 1 ? std::max(10, atoi(argv[1])) : 100;
    QTemporaryDir carpeta;
    EscribirModelos(carpeta.path());
    QTextDocument pregunta;
    QTextCursor cursor(&pregunta);
    LlenarPregunta(cursor);
    const QString claro = carpeta.filePath("K000001.doc");
    const QString cifrado = carpeta.filePath("K000002.doc");
    GuardarArchivoDocumento(claro, QString(), pregunta, {{1, "Pregunta de prueba"}});
    GuardarArchivoDocumento(cifrado, "654321", pregunta, {{1, "Pregunta de prueba"}});
    std::printf("Pregunta: %d caracteres, %d párrafos, archivo de %lld bytes\n",
                pregunta.characterCount(), pregunta.blockCount(),
                static_cast<long long>(QFileInfo(claro).size()));
    std::printf("Argon2id: %llu pasadas, %u KiB\n", PasadasArgon2, MemoriaArgon2KiB);

    auto app = CrearMotorIncrustado();
    app->Connect();
    // Rounds: plain files, encrypted files, and encrypted files with the exam
    // shown in its editor window (as it is while the exam command runs).
    for (int ronda = 0; ronda < 3; ++ronda) {
        auto examen = app->DocumentsOpen(carpeta.filePath("nuevoexamen.doc"), {});
        examen->SaveAs(carpeta.filePath("K000100.doc"), QString());
        if (ronda == 2) {
            app->Window().SetVisible(true);
            app->Window().SetCaption("Brivo II");
            examen->Window().SetWindowState(EstadoVentana::Normal);
            app->Activate();
            QApplication::processEvents();
        }
        // One question to warm up, then the measured runs.
        Medir(*app, *examen, claro, "654321", 1);
        const bool conClave = ronda >= 1;
        const Cifras c = Medir(*app, *examen, conClave ? cifrado : claro, "654321", veces);
        std::printf("%s: media %.2f ms, mediana %.2f ms, p95 %.2f ms, máxima %.2f ms por pregunta "
                    "(%d preguntas; examen final de %d caracteres)\n",
                    ronda == 0 ? "Sin cifrar"
                               : (ronda == 1 ? "Cifrada" : "Cifrada, examen a la vista"),
                    c.media, c.mediana, c.p95, c.maxima, veces, examen->Content()->End());
        const auto t0 = Reloj::now();
        examen->Close(GuardarCambios::Guardar);
        std::printf("  por pasos: abrir %.2f ms, buscar y copiar las secciones %.2f ms, cerrar "
                    "%.2f ms\n",
                    c.abrir, c.copiar, c.cerrar);
        std::printf("  guardar el examen: %.1f ms\n",
                    std::chrono::duration<double, std::milli>(Reloj::now() - t0).count());
    }
    app->Quit();
    return 0;
}
