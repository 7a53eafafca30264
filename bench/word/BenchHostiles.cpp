// Time to open damaged and hostile files, against the program's own largest
// documents. Every crafted document file is opened through the engine's file
// reader and every crafted package through the zip reader (comment, count and
// extraction); each must fail or open within 100 ms. The files at the limits
// the engine accepts and the real documents are timed for comparison.
//
//   bench_hostiles [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "Arbol.h"
#include "ArchivoDocumento.h"
#include "Errores.h"
#include "LimitesDocumento.h"
#include "Paquete.h"
#include "UnzipFile.h"
#include "ZipFile.h"

#include "PreguntaLarga.h"

using namespace brivo;
using namespace brivo::word;
using Reloj = std::chrono::steady_clock;

namespace {

constexpr double Objetivo = 100.0; // ms

const QByteArray Cabeza = "<html><head><meta name=\"generator\" content=\"Brivo II procesador de "
                          "textos 9.0\" /></head><body>";
const QByteArray Pie = "</body></html>";

QString Frase(int i) {
    return QStringLiteral("Frase %1 de un enunciado con bastante texto para ocupar la línea, "
                          "con números como 3,14 y palabras acentuadas: camión, árbol. ")
        .arg(i);
}

QByteArray Cifrado(const QByteArray& claro, quint32 pasadas, quint32 memoriaKiB) {
    QByteArray c = CifrarContenido(claro, QStringLiteral("123456"));
    for (int i = 0; i < 4; ++i) {
        c[9 + i] = char((pasadas >> (8 * i)) & 0xFF);
        c[13 + i] = char((memoriaKiB >> (8 * i)) & 0xFF);
    }
    return c;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(datos);
}

struct Caso {
    QString nombre;
    QByteArray datos;
};

// Best time of opening a file over rondas rounds, and what came of it.
std::pair<double, QString> Medir(const std::function<QString()>& abrir, int rondas) {
    double mejor = 1e300;
    QString resultado;
    for (int r = 0; r < rondas; ++r) {
        const auto t0 = Reloj::now();
        resultado = abrir();
        mejor =
            std::min(mejor, std::chrono::duration<double, std::milli>(Reloj::now() - t0).count());
    }
    return {mejor, resultado};
}

QString AbrirDocumento(const QString& ruta) {
    try {
        TDocumentoTexto doc; // the engine's kind of document
        LeerArchivoDocumento(ruta, QStringLiteral("123456"), doc);
        return QStringLiteral("abierto, %1 párrafos").arg(doc.blockCount());
    } catch (const ErrorBrivo& e) {
        const QString m = e.Mensaje();
        return m.contains(QLatin1Char('"')) ? m.section(QLatin1Char('"'), 2).trimmed() : m;
    }
}

QString AbrirPaquete(const QString& ruta, const QString& destino) {
    TUnzipFile u;
    u.lpszZipFile = ruta;
    u.lpszDestination = destino;
    u.Options =
        TUnzipFile::OverWriteFlag | TUnzipFile::NoDirectoryNamesFlag | TUnzipFile::DecryptFlag;
    u.lpszDecryptCode = QStringLiteral("123456");
    QStringList r;
    for (const int accion : {TUnzipFile::UNZIP_GETCOMMENT, TUnzipFile::UNZIP_COUNTALLZIPMEMBERS,
                             TUnzipFile::UNZIP_EXTRACT}) {
        u.Execute(accion);
        r << QString::number(u.Resultado);
    }
    return QStringLiteral("resultados ") + r.join(QLatin1Char('/'));
}

std::vector<Caso> DocumentosHostiles() {
    const QByteArray claro = Cabeza + "<p>hola</p>" + Pie;
    const QByteArray bueno = CifrarContenido(claro, QStringLiteral("123456"));
    std::vector<Caso> c{
        {"coste 64 pasadas, 1 GiB", Cifrado(claro, 64, 1024 * 1024)},
        {"coste máximo de 32 bits", Cifrado(claro, 0xFFFFFFFFu, 0xFFFFFFFFu)},
        {"coste 4 pasadas, 64 MiB", Cifrado(claro, 4, 64 * 1024)},
        {"coste 0", Cifrado(claro, 0, 0)},
        {"cabecera de 8 bytes", bueno.left(8)},
        {"cabecera de 20 bytes", bueno.left(20)},
        {"cabecera sin datos", bueno.left(9 + 8 + 16 + 24)},
        {"versión desconocida", QByteArray(bueno).replace(8, 1, "\x07")},
        {"datos cifrados cortados", bueno.left(bueno.size() - 5)},
        {"anidado 20.000 niveles", Cabeza + QByteArray("<div>").repeated(20000) + "x" + Pie},
        {"anidado 5.000 listas", Cabeza + QByteArray("<ul>").repeated(5000) + "x" + Pie},
        {"colspan 1e9", Cabeza + "<table><tr><td colspan=\"1000000000\">x</td></tr></table>" + Pie},
        {"100 filas de colspan 1e6",
         Cabeza + "<table>" + QByteArray("<tr><td colspan=\"1000000\">x</td></tr>").repeated(100) +
             "</table>" + Pie},
        {"rowspan 99999999999999999999",
         Cabeza + "<table><tr><td rowspan=\"99999999999999999999\">x</td></tr></table>" + Pie},
        {"tabla de 400 x 250 celdas",
         Cabeza + "<table>" +
             (QByteArray("<tr>") + QByteArray("<td>x</td>").repeated(400)).repeated(250) +
             "</table>" + Pie},
        {"200.000 párrafos", Cabeza + QByteArray("<p>x").repeated(200000) + Pie},
        {"propiedad de 60 MB",
         Cabeza.left(Cabeza.size() - 13) + "<meta name=\"brivo:1\" content=\"" +
             QByteArray("x").repeated(60000000) + "\" /></head><body>x" + Pie},
        {"número de propiedad gigante", Cabeza.left(Cabeza.size() - 13) +
                                            "<meta name=\"brivo:99999999999999999999\" "
                                            "content=\"&#99999999999;\" /></head><body>" +
                                            Pie},
        {"hoja de estilo de 18 MB", Cabeza.left(Cabeza.size() - 13) + "<style>" +
                                        QByteArray("p { color: red; } ").repeated(1000000) +
                                        "</style></head><body>x" + Pie},
        {"texto de 10 millones de líneas", QByteArray("x\n").repeated(10000000)},
        {"archivo de 80 MB", QByteArray(80 * 1024 * 1024, 'a')},
        {"estilo e imagen en /dev/zero",
         "<html><head><link rel=\"stylesheet\" href=\"/dev/zero\"></head><body><img "
         "src=\"/dev/zero\"></body></html>"},
        {"imagen en una tubería", "<html><body><img src=\"tuberia\"></body></html>"},
    };
    return c;
}

std::vector<Caso> DocumentosAlLimite() {
    return {
        {"99.000 párrafos (límite de elementos)",
         Cabeza + QByteArray("<p>x").repeated(99000) + Pie},
        {"8 MB de texto en un párrafo",
         Cabeza + "<p>" + QByteArray("x").repeated(MaxMarcadoHtml - 200) + "</p>" + Pie},
        {"64 niveles de anidado, 98.000 elementos",
         Cabeza +
             (QByteArray("<b>").repeated(62) + "x" + QByteArray("</b>").repeated(62))
                 .repeated(1580) +
             Pie},
        {"coste de clave máximo (6 pasadas, 4 MiB)",
         CifrarContenido(Cabeza + "<p>hola</p>" + Pie, QStringLiteral("123456"), MaxPasadasArgon2,
                         MaxMemoriaArgon2KiB)},
    };
}

// Packages damaged the ways a hostile one could be: cut anywhere, sizes and
// offsets that point past the end, entry counts in the millions.
std::vector<Caso> PaquetesHostiles(const QString& carpeta) {
    const QString origen = carpeta + "/origen";
    QDir().mkpath(origen);
    for (int i = 1; i <= 50; ++i)
        Escribir(origen + QStringLiteral("/K%1.doc").arg(i, 6, 10, QLatin1Char('0')),
                 QByteArray("<p>pregunta ") + QByteArray::number(i).repeated(2000) + "</p>");
    TZipFile z;
    z.lpszZipFile = carpeta + "/bueno.zip";
    z.lpszItemList = "\"" + origen + "/*.*\"";
    z.lpszComment = "Libro";
    z.lpszEncryptCode = "123456";
    z.Options = TZipFile::NoDirectoryNamesFlag | TZipFile::AddCommentFlag |
                TZipFile::NoDirectoryEntriesFlag | TZipFile::EncryptFlag;
    z.Execute(TZipFile::ZIP_ADD);
    const QByteArray bueno = Leer(carpeta + "/bueno.zip");
    const qsizetype fin = bueno.lastIndexOf("PK\x05\x06");
    auto conU32 = [&bueno](qsizetype pos, quint32 v) {
        QByteArray r = bueno;
        for (int i = 0; i < 4; ++i)
            r[pos + i] = char((v >> (8 * i)) & 0xFF);
        return r;
    };
    auto conU16 = [&bueno](qsizetype pos, quint16 v) {
        QByteArray r = bueno;
        r[pos] = char(v & 0xFF);
        r[pos + 1] = char(v >> 8);
        return r;
    };
    const qsizetype central = bueno.indexOf("PK\x01\x02");
    return {
        {"paquete cortado a la mitad", bueno.left(bueno.size() / 2)},
        {"directorio fuera del archivo", conU32(fin + 16, 0x7FFFFFF0u)},
        {"directorio de 4 GB", conU32(fin + 12, 0xFFFFFFF0u)},
        {"65.535 entradas declaradas", conU16(fin + 10, 0xFFFF)},
        {"entrada de 4 GB declarados", conU32(central + 24, 0xFFFFFFF0u)},
        {"entrada que empieza fuera", conU32(central + 42, 0x7FFFFFF0u)},
        {"datos comprimidos de 4 GB", conU32(central + 20, 0xFFFFFFF0u)},
        {"comentario más largo que el archivo", conU16(fin + 20, 0xFFFF)},
    };
}

void Informe(const char* titulo,
             const std::vector<std::pair<QString, std::pair<double, QString>>>& filas,
             bool conObjetivo) {
    std::printf("\n%s\n", titulo);
    double peor = 0;
    for (const auto& [nombre, r] : filas) {
        std::printf("  %-44s %9.2f ms  %s\n", qPrintable(nombre), r.first, qPrintable(r.second));
        peor = std::max(peor, r.first);
    }
    if (conObjetivo)
        std::printf("  peor: %.2f ms; objetivo %.0f ms: %s\n", peor, Objetivo,
                    peor <= Objetivo ? "cumplido" : "NO cumplido");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rondas = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir tmp;
    const QString carpeta = tmp.path();
    std::vector<std::pair<QString, std::pair<double, QString>>> filas;

    ::mkfifo(QFile::encodeName(carpeta + "/tuberia").constData(), 0600);
    for (const Caso& c : DocumentosHostiles()) {
        const QString ruta = carpeta + "/hostil.doc";
        Escribir(ruta, c.datos);
        filas.push_back({c.nombre, Medir([&] { return AbrirDocumento(ruta); }, rondas)});
    }
    Informe("Documentos dañados u hostiles", filas, true);

    filas.clear();
    for (const Caso& c : PaquetesHostiles(carpeta)) {
        const QString ruta = carpeta + "/hostil.zip";
        Escribir(ruta, c.datos);
        filas.push_back(
            {c.nombre, Medir([&] { return AbrirPaquete(ruta, carpeta + "/extraido"); }, rondas)});
    }
    Informe("Paquetes dañados u hostiles (comentario, cuenta y extracción)", filas, true);

    // The tree of a package at the node limit, every node a sibling of the
    // others, merged into the initial tree as the import does.
    filas.clear();
    TArbol delPaquete;
    delPaquete.Vaciar();
    for (int n = 0; n < TArbol::MaxNodosArchivo; ++n)
        delPaquete.Anadir(nullptr, QStringLiteral("Materia"), QString::number(1000 + n));
    filas.push_back({QStringLiteral("árbol de %1 nodos hermanos").arg(TArbol::MaxNodosArchivo),
                     Medir(
                         [&] {
                             TArbol principal;
                             return QStringLiteral("%1 nodos añadidos")
                                 .arg(IncorporarArbol(principal, delPaquete, {}, nullptr));
                         },
                         1)});
    Informe("Árbol de un paquete al límite de nodos", filas, false);

    filas.clear();
    for (const Caso& c : DocumentosAlLimite()) {
        const QString ruta = carpeta + "/limite.doc";
        Escribir(ruta, c.datos);
        filas.push_back({c.nombre, Medir([&] { return AbrirDocumento(ruta); }, rondas)});
    }
    // The program's own documents: one question, and an exam of 100 of them.
    const QByteArray png = bench::ImagenPng(Qt::darkGreen);
    QTextDocument pregunta, examen;
    QTextCursor cp(&pregunta), ce(&examen);
    for (int k = 1; k <= 100; ++k) {
        const bench::TPreguntaLarga q{{"#PREG", "#DESA", "#RESP", "#COMENT"},
                                      QColor(120, 20, 20),
                                      Frase,
                                      k * 100,
                                      QStringLiteral("Opción %1"),
                                      png};
        if (k == 1)
            bench::LlenarPregunta(cp, q);
        bench::LlenarPregunta(ce, q);
    }
    GuardarArchivoDocumento(carpeta + "/pregunta.doc", QStringLiteral("123456"), pregunta, {});
    GuardarArchivoDocumento(carpeta + "/examen.doc", QStringLiteral("123456"), examen, {});
    for (const char* n : {"pregunta.doc", "examen.doc"}) {
        const QString ruta = carpeta + "/" + n;
        filas.push_back({QStringLiteral("%1 cifrado (%2 KB)").arg(n).arg(QFile(ruta).size() / 1024),
                         Medir([&] { return AbrirDocumento(ruta); }, rondas)});
    }
    Informe("Documentos al límite de lo admitido y documentos reales", filas, false);
    return 0;
}
