// Writes and reads 500 documents of about 50 KB with TZipFile/TUnzipFile and
// with Info-ZIP zip/unzip on the same files in the same run, plain and with a
// password, and prints the best time of each over several rounds.
//
//   bench_zip [rounds] [compression level]
#include "UnzipFile.h"
#include "ZipFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "Medida.h"

using namespace brivo;
using bench::Ejecutar;
using bench::Mejor;

namespace {

constexpr int NumDocumentos = 500;
const QString Clave = QStringLiteral("Clave de prueba 2024");

QByteArray Documento(int n) {
    static const char* palabras[] = {
        "pregunta",  "respuesta", "desarrollo", "comentario", "tema",     "materia",
        "contenido", "examen",    "ecuación",   "función",    "derivada", "integral",
        "historia",  "célula",    "energía",    "Calcule",    "Explique", "Demuestre",
        "siguiente", "valor",     "resultado",  "apartado",   "figura",   "tabla"};
    const int tamano = 40000 + (n * 7919) % 20000; // 40 to 60 KB, 50 KB on average
    QByteArray t = "<!DOCTYPE HTML><html><head><meta charset=\"utf-8\"><meta name=\"title\" "
                   "content=\"Documento ";
    t += QByteArray::number(n) + "\"><style>p { margin: 0 } .t { font-weight: bold }</style>"
                                 "</head><body style=\"font-family:'Times New Roman'; "
                                 "font-size:12pt;\">\n<p class=\"t\">#PREG</p>\n";
    quint32 x = 2463534242u ^ static_cast<quint32>(n * 2654435761u + 1);
    int parrafo = 0;
    while (t.size() < tamano) {
        if (++parrafo % 9 == 0)
            t += "<p class=\"t\">#RESP</p>\n";
        t += "<p style=\"margin-top:0px; margin-bottom:6px; text-indent:12px;\"><span "
             "style=\"font-size:12pt;\">";
        const int n = 10 + static_cast<int>(x % 25);
        for (int i = 0; i < n; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            t += palabras[x % 24];
            if (x & 0x300)
                t += ' ';
            else
                t += " " + QByteArray::number((x >> 10) % 10000) + ", ";
        }
        t += "</span></p>\n";
    }
    t.truncate(tamano - 15);
    t += "</body></html>\n";
    return t;
}

void Vaciar(const QString& carpeta) {
    QDir(carpeta).removeRecursively();
    QDir().mkpath(carpeta);
}

// The files and folders of the run and the external programs found.
struct TEntorno {
    int rondas = 5;
    int nivel = 5;
    bool hayInfoZip = false;
    bool hay7z = false;
    QTemporaryDir tmp;
    QString docs;        // the book's folder with the documents
    QStringList nombres; // the documents' bare names
    QString zipPropio, zipInfo, zip7z;
    QString destino; // emptied before every extraction
};

// One line of the table: the best times of the program, Info-ZIP and 7-Zip
// for one task, and the archives' sizes where the task writes one.
struct Fila {
    const char* que;
    double propio;
    double infozip;
    double sieteZip;
    qint64 tamPropio;
    qint64 tamInfo;
};

// Writes the documents into the book's folder and counts their bytes; false
// when one cannot be written.
bool CrearDocumentos(TEntorno& e, qint64& bytes) {
    QDir().mkpath(e.docs);
    for (int i = 1; i <= NumDocumentos; ++i) {
        const QString nombre = QStringLiteral("K%1.doc").arg(i, 6, 10, QLatin1Char('0'));
        QFile f(e.docs + "/" + nombre);
        const QByteArray d = Documento(i);
        if (!f.open(QIODevice::WriteOnly) || f.write(d) != d.size())
            return false;
        bytes += d.size();
        e.nombres << nombre;
    }
    return true;
}

// The book's folder into a new archive, as a package is written.
bool Escribir(const TEntorno& e, const QString& archivo, bool cifrar) {
    TZipFile z;
    z.lpszZipFile = archivo;
    z.lpszItemList = "\"" + e.docs + "/*.*\"";
    z.lpszComment = "Libro de prueba";
    z.Options = TZipFile::NoDirectoryNamesFlag | TZipFile::AddCommentFlag |
                TZipFile::NoDirectoryEntriesFlag | TZipFile::NuevoArchivoFlag;
    z.CompFactor = e.nivel;
    if (cifrar) {
        z.Options |= TZipFile::EncryptFlag;
        z.lpszEncryptCode = Clave;
    }
    z.OnMinorCallback = [](const QString&, int, bool&) {};
    z.OnMajorCallback = [](const QString&, int, bool&) {};
    return z.Execute(TZipFile::ZIP_ADD);
}

// Every document of archivo into destino; true when all of them came out.
bool Leer(const QString& archivo, const QString& destino, bool cifrado) {
    TUnzipFile u;
    u.lpszZipFile = archivo;
    u.lpszDestination = destino;
    u.lpszFileSpec = "K*.*";
    u.Options =
        TUnzipFile::OverWriteFlag | TUnzipFile::QuietFlag | TUnzipFile::NoDirectoryNamesFlag;
    if (cifrado) {
        u.Options = TUnzipFile::DecryptFlag | TUnzipFile::OverWriteFlag;
        u.lpszDecryptCode = Clave;
    }
    u.OnMinorCallback = [](const QString&, int, bool&) {};
    u.OnMajorCallback = [](const QString&, int, bool&) {};
    return u.Execute(TUnzipFile::UNZIP_EXTRACT) && u.Cuenta == NumDocumentos;
}

std::function<void()> Borrar(const QString& archivo) {
    return [archivo] { QFile::remove(archivo); };
}

// TZipFile and TUnzipFile.
void MedirPropio(const TEntorno& e, bool cifrar, Fila& zipF, Fila& unzipF) {
    zipF.propio =
        Mejor(e.rondas, Borrar(e.zipPropio), [&] { return Escribir(e, e.zipPropio, cifrar); });
    zipF.tamPropio = QFileInfo(e.zipPropio).size();
    unzipF.propio = Mejor(
        e.rondas, [&] { Vaciar(e.destino); }, [&] { return Leer(e.zipPropio, e.destino, cifrar); });
}

// Info-ZIP at its default level; with a password it can only use the
// traditional encryption.
void MedirInfoZip(const TEntorno& e, bool cifrar, Fila& zipF, Fila& unzipF) {
    QStringList args{"-q"};
    if (cifrar)
        args << "-P" << Clave;
    args << e.zipInfo;
    args += e.nombres;
    zipF.infozip =
        Mejor(e.rondas, Borrar(e.zipInfo), [&] { return Ejecutar("zip", args, e.docs); });
    zipF.tamInfo = QFileInfo(e.zipInfo).size();
    QStringList argsU{"-q", "-o"};
    if (cifrar)
        argsU << "-P" << Clave;
    argsU << e.zipInfo << "-d" << e.destino;
    unzipF.infozip = Mejor(
        e.rondas, [&] { Vaciar(e.destino); },
        [&] { return Ejecutar("unzip", argsU, e.tmp.path()); });
}

// 7-Zip with the same AES-256 encryption, one thread.
void Medir7z(const TEntorno& e, Fila& zipF, Fila& unzipF) {
    QStringList args{"a", "-tzip", "-bd", "-mmt=1", "-mx=5", "-p" + Clave, "-mem=AES256", e.zip7z};
    args += e.nombres;
    zipF.sieteZip = Mejor(e.rondas, Borrar(e.zip7z), [&] { return Ejecutar("7z", args, e.docs); });
    const QStringList argsX{"x", "-y", "-bd", "-mmt=1", "-p" + Clave, "-o" + e.destino, e.zip7z};
    unzipF.sieteZip = Mejor(
        e.rondas, [&] { Vaciar(e.destino); }, [&] { return Ejecutar("7z", argsX, e.tmp.path()); });
}

void ImprimirTabla(const std::vector<Fila>& filas, bool hayInfoZip) {
    std::printf("%-18s %11s %14s %7s %12s %12s %12s\n", "", "Brivo ms", "Info-ZIP ms", "razón",
                "7-Zip AES ms", "zip Brivo", "zip Info-ZIP");
    for (const Fila& f : filas) {
        std::printf("%-18s %11.1f %14.1f %7.2f %12.1f", f.que, f.propio, f.infozip,
                    f.infozip > 0 ? f.propio / f.infozip : 0.0, f.sieteZip);
        if (f.tamPropio)
            std::printf(" %12lld %12lld", static_cast<long long>(f.tamPropio),
                        static_cast<long long>(f.tamInfo));
        std::printf("\n");
    }
    std::printf("Con clave: Brivo y 7-Zip cifran con AES-256; Info-ZIP, con el cifrado "
                "tradicional.\n");
    if (hayInfoZip) {
        const bool cumple =
            filas[0].propio <= 1.3 * filas[0].infozip && filas[1].propio <= 1.3 * filas[1].infozip;
        std::printf("Objetivo sin clave (hasta 1,3 veces Info-ZIP): %s\n",
                    cumple ? "cumplido" : "NO cumplido");
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TEntorno e;
    e.rondas = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    e.nivel = argc > 2 ? atoi(argv[2]) : 5;
    e.hayInfoZip = !QStandardPaths::findExecutable("zip").isEmpty() &&
                   !QStandardPaths::findExecutable("unzip").isEmpty();
    e.hay7z = !QStandardPaths::findExecutable("7z").isEmpty();
    e.docs = e.tmp.path() + "/Docs/Libro de prueba";
    e.zipPropio = e.tmp.path() + "/propio.zip";
    e.zipInfo = e.tmp.path() + "/infozip.zip";
    e.zip7z = e.tmp.path() + "/7z.zip";
    e.destino = e.tmp.path() + "/destino";
    qint64 bytes = 0;
    if (!CrearDocumentos(e, bytes))
        return 1;
    std::printf("%d documentos, %.1f MB, nivel de compresión %d, mejor de %d rondas\n",
                NumDocumentos, bytes / 1e6, e.nivel, e.rondas);

    std::vector<Fila> filas;
    for (const bool cifrar : {false, true}) {
        Fila zipF{cifrar ? "zip, con clave" : "zip, sin clave", 0, 0, 0, 0, 0};
        Fila unzipF{cifrar ? "unzip, con clave" : "unzip, sin clave", 0, 0, 0, 0, 0};
        MedirPropio(e, cifrar, zipF, unzipF);
        if (e.hayInfoZip)
            MedirInfoZip(e, cifrar, zipF, unzipF);
        if (e.hay7z && cifrar)
            Medir7z(e, zipF, unzipF);
        filas.push_back(zipF);
        filas.push_back(unzipF);
    }
    ImprimirTabla(filas, e.hayInfoZip);
    return 0;
}
