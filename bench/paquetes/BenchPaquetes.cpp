// Exports a book of 500 documents of about 50 KB into a package and imports
// it into a fresh installation, against Info-ZIP "zip -q" and "unzip -q" on
// the same files in the same run, without and with a password. The import
// also races 7-Zip ("7zz x", or "7z x" where 7zz is missing) extracting the
// very package the export wrote, AES-256 included; the target for the import
// with a password is at most 1.3 times 7-Zip. Prints the best wall time of
// each over several rounds and, for the import, the best processor time
// (this process, or the external program), which a busy machine disturbs less.
//
//   bench_paquetes [rounds]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <tuple>

#include "Almacen.h"
#include "Interaccion.h"
#include "Paquete.h"
#include "VentanaPrincipal.h"

#include "Medida.h"

using namespace brivo;
using bench::Ejecutar;
using bench::Mejor;

namespace {

constexpr int NumDocumentos = 500;
constexpr std::int32_t Id = 314159;
const QString Clave = QStringLiteral("Clave de la prueba");

// An installation standing in for the main window.
class TInstalacion : public IVentanaPrincipal {
public:
    explicit TInstalacion(const QString& carpeta) {
        almacen.CarpetaPrograma = carpeta + "/";
        QDir().mkpath(carpeta + "/Docs");
        almacen.Arbol.CargarInicial();
    }
    TAlmacen& Almacen() override { return almacen; }
    QWidget* Ventana() override { return nullptr; }
    bool EditorAbierto() const override { return false; }
    void CerrarDocumento() override {}
    void PonerTitulo() override {}
    QString RutaDocumento(int numero) const { return brivo::RutaDocumento(almacen, numero); }
    TAlmacen almacen;
};

// A document of the word processor: HTML text, compressible and varied.
QByteArray Documento(int n) {
    static const char* palabras[] = {"pregunta", "respuesta", "desarrollo", "comentario",
                                     "tema",     "materia",   "examen",     "ecuación",
                                     "función",  "derivada",  "integral",   "energía",
                                     "Calcule",  "Explique",  "siguiente",  "resultado"};
    const int tamano = 40000 + (n * 7919) % 20000; // 40 to 60 KB
    QByteArray t = "<!DOCTYPE HTML><html><head><meta charset=\"utf-8\"></head><body>\n"
                   "<p><b>#PREG</b></p>\n";
    quint32 x = 2463534242u ^ static_cast<quint32>(n * 2654435761u + 1);
    while (t.size() < tamano) {
        t += "<p style=\"margin-bottom:6px; text-indent:12px;\"><span style=\"font-size:12pt;\">";
        for (int i = 0; i < 12 + static_cast<int>(x % 20); ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            t += palabras[x % 16];
            t += (x & 0x300) ? " " : " " + QByteArray::number((x >> 10) % 10000) + ", ";
        }
        t += "</span></p>\n";
    }
    t.truncate(tamano - 15);
    t += "</body></html>\n";
    return t;
}

// The run's installation with its book, the files every measurement writes,
// the external programs found and the progress handlers the dialogs have.
struct TEntorno {
    explicit TEntorno(int rondas_) : rondas(rondas_), origen(tmp.path() + "/origen") {
        carpetaLibro = origen.almacen.CarpetaPrograma + "Docs/Libro de prueba";
        propio = tmp.path() + "/paquete.zip";
        infozip = tmp.path() + "/infozip.zip";
        temp = origen.almacen.CarpetaPrograma + "Temp";
        destinoInfo = tmp.path() + "/unzip";
        hayInfoZip = !QStandardPaths::findExecutable("zip").isEmpty() &&
                     !QStandardPaths::findExecutable("unzip").isEmpty();
        sieteZip = !QStandardPaths::findExecutable("7zz").isEmpty()  ? QStringLiteral("7zz")
                   : !QStandardPaths::findExecutable("7z").isEmpty() ? QStringLiteral("7z")
                                                                     : QString();
        // Progress handlers as the dialogs have them: they let events through.
        progreso.Mayor = [](const QString&, int, bool&) { QCoreApplication::processEvents(); };
        progreso.Menor = [](const QString&, int, bool&) { QCoreApplication::processEvents(); };
    }
    // A new folder under the run's one, never used before.
    QString CarpetaNueva(const QString& prefijo) {
        return tmp.path() + QStringLiteral("/%1%2").arg(prefijo).arg(++ronda);
    }

    int rondas;
    QTemporaryDir tmp;
    TInstalacion origen;
    QString carpetaLibro;
    QString propio;  // the package the export writes and the import reads
    QString infozip; // the same files written by Info-ZIP
    QString temp;    // where the export leaves the lists it packs
    QString destinoInfo;
    bool hayInfoZip = false;
    QString sieteZip; // empty when 7-Zip is missing
    TProgreso progreso;
    int ronda = 0;
};

// The best times of one pass, without or with a password.
struct TMedidas {
    double exportar = 0;
    qint64 tamPropio = 0;
    bench::Tiempos importar, con7z;
    double zip = 0, unzip = 0;
    qint64 tamInfo = 0;
};

// The book with its documents in the source installation; the bytes written,
// or -1 when a document cannot be written.
qint64 CrearLibro(TEntorno& e) {
    TLibro& libro = e.origen.almacen.Libros[1];
    libro.Identificador = Id;
    libro.Titulo = "Libro de prueba";
    libro.Carpeta = "Libro de prueba";
    e.origen.almacen.LibroActivo = 1;
    QDir().mkpath(e.carpetaLibro);
    qint64 bytes = 0;
    for (int n = 1; n <= NumDocumentos; ++n) {
        TDocumento& d = e.origen.almacen.Documentos[n];
        d.Numero = n;
        d.IdLibro = Id;
        d.Descripcion = QStringLiteral("Documento %1").arg(n);
        d.IdMateria = 2;
        d.IdTema = 1;
        QFile f(e.origen.RutaDocumento(n));
        const QByteArray datos = Documento(n);
        if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
            return -1;
        bytes += datos.size();
    }
    return bytes;
}

// The export of the book into the package, the size it ends with.
void MedirExportacion(TEntorno& e, const QString& clave, TMedidas& m) {
    m.exportar = Mejor(
        e.rondas, [&] { QFile::remove(e.propio); },
        [&] {
            return ExportarPaquete(e.origen.almacen, Id, {}, e.propio, clave, e.progreso).Correcto;
        });
    m.tamPropio = QFileInfo(e.propio).size();
}

// The import of the package into a fresh installation every round, raced
// against 7-Zip extracting the same package into a fresh folder.
void MedirImportacion(TEntorno& e, bool cifrar, const QString& clave, TMedidas& m) {
    std::unique_ptr<TInstalacion> destino;
    auto prepararImportacion = [&] {
        destino.reset();
        destino = std::make_unique<TInstalacion>(e.CarpetaNueva(QStringLiteral("destino")));
    };
    auto importarPropio = [&] {
        TOpcionesImportacion op;
        op.Progreso = e.progreso;
        const TResultadoImportacion r = ImportarPaquete(*destino, e.propio, clave, op, nullptr);
        return r.Fin == TFinImportacion::Completa && r.DocumentosAnadidos == NumDocumentos;
    };
    QString destino7z;
    auto preparar7z = [&] { destino7z = e.CarpetaNueva(QStringLiteral("7z")); };
    auto extraer7z = [&] {
        QStringList args{"x", "-y", "-bd", "-o" + destino7z};
        if (cifrar)
            args << "-p" + clave;
        args << e.propio;
        return Ejecutar(e.sieteZip, args, e.tmp.path());
    };
    if (e.sieteZip.isEmpty()) {
        m.importar = bench::Carrera(
                         e.rondas, prepararImportacion, importarPropio, [] {}, [] { return true; })
                         .first;
    } else {
        std::tie(m.importar, m.con7z) =
            bench::Carrera(e.rondas, prepararImportacion, importarPropio, preparar7z, extraer7z);
    }
}

// Info-ZIP on the same files: the three lists and the book's folder, bare
// names; with a password it can only use the traditional encryption.
void MedirInfoZip(TEntorno& e, bool cifrar, TMedidas& m) {
    QStringList args{"-q", "-j"};
    if (cifrar)
        args << "-P" << Clave;
    args << e.infozip << e.temp + "/Libros.lst" << e.temp + "/Docs.lst" << e.temp + "/Arbol.tvw";
    for (const QString& n : QDir(e.carpetaLibro).entryList(QDir::Files))
        args << e.carpetaLibro + "/" + n;
    m.zip = Mejor(
        e.rondas, [&] { QFile::remove(e.infozip); },
        [&] { return Ejecutar("zip", args, e.tmp.path()); });
    m.tamInfo = QFileInfo(e.infozip).size();
    QStringList argsU{"-q", "-o"};
    if (cifrar)
        argsU << "-P" << Clave;
    argsU << e.infozip << "-d" << e.destinoInfo;
    m.unzip = Mejor(
        e.rondas,
        [&] {
            QDir(e.destinoInfo).removeRecursively();
            QDir().mkpath(e.destinoInfo);
        },
        [&] { return Ejecutar("unzip", argsU, e.tmp.path()); });
}

void Imprimir(const TEntorno& e, bool cifrar, const TMedidas& m) {
    const char* que = cifrar ? "con clave (AES-256 / Info-ZIP: ZipCrypto)" : "sin clave";
    std::printf("\n%s\n", que);
    std::printf("  exportar  %8.1f ms  (%.1f MB)", m.exportar, m.tamPropio / 1e6);
    if (e.hayInfoZip)
        std::printf("   zip -q   %8.1f ms  (%.1f MB)   razón %.2f", m.zip, m.tamInfo / 1e6,
                    m.exportar / m.zip);
    std::printf("\n  importar  %8.1f ms", m.importar.pared);
    if (e.hayInfoZip)
        std::printf("              unzip -q %8.1f ms              razón %.2f", m.unzip,
                    m.importar.pared / m.unzip);
    std::printf("\n");
    if (!e.sieteZip.isEmpty()) {
        const double razon = m.importar.pared / m.con7z.pared;
        std::printf("  importar  %8.1f ms (procesador %6.1f ms)   %s x %8.1f ms (procesador "
                    "%6.1f ms)   razón %.2f (procesador %.2f)\n",
                    m.importar.pared, m.importar.procesador, qPrintable(e.sieteZip), m.con7z.pared,
                    m.con7z.procesador, razon, m.importar.procesador / m.con7z.procesador);
        if (cifrar)
            std::printf("  objetivo con clave (hasta 1,3 veces %s x): %s\n", qPrintable(e.sieteZip),
                        razon <= 1.3 ? "cumplido" : "NO cumplido");
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ui::TGuion guion; // any message would be recorded, never shown
    guion.HayConfirmacionPorDefecto = true;

    TEntorno e(argc > 1 ? std::max(1, atoi(argv[1])) : 5);
    const qint64 bytes = CrearLibro(e);
    if (bytes < 0)
        return 1;
    std::printf("%d documentos, %.1f MB, mejor de %d rondas\n", NumDocumentos, bytes / 1e6,
                e.rondas);

    for (const bool cifrar : {false, true}) {
        const QString clave = cifrar ? Clave : QString();
        TMedidas m;
        MedirExportacion(e, clave, m);
        MedirImportacion(e, cifrar, clave, m);
        if (e.hayInfoZip)
            MedirInfoZip(e, cifrar, m);
        Imprimir(e, cifrar, m);
    }
    if (!guion.Mensajes.isEmpty()) {
        std::fprintf(stderr, "mensajes inesperados: %s\n",
                     qPrintable(guion.Mensajes.first().Texto));
        return 1;
    }
    return 0;
}
