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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rondas = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const bool hayInfoZip = !QStandardPaths::findExecutable("zip").isEmpty() &&
                            !QStandardPaths::findExecutable("unzip").isEmpty();
    const QString sieteZip =
        !QStandardPaths::findExecutable("7zz").isEmpty()  ? QStringLiteral("7zz")
        : !QStandardPaths::findExecutable("7z").isEmpty() ? QStringLiteral("7z")
                                                          : QString();
    ui::TGuion guion; // any message would be recorded, never shown
    guion.HayConfirmacionPorDefecto = true;

    QTemporaryDir tmp;
    TInstalacion origen(tmp.path() + "/origen");
    TLibro& libro = origen.almacen.Libros[1];
    libro.Identificador = Id;
    libro.Titulo = "Libro de prueba";
    libro.Carpeta = "Libro de prueba";
    origen.almacen.LibroActivo = 1;
    const QString carpetaLibro = origen.almacen.CarpetaPrograma + "Docs/Libro de prueba";
    QDir().mkpath(carpetaLibro);
    qint64 bytes = 0;
    for (int n = 1; n <= NumDocumentos; ++n) {
        TDocumento& d = origen.almacen.Documentos[n];
        d.Numero = n;
        d.IdLibro = Id;
        d.Descripcion = QStringLiteral("Documento %1").arg(n);
        d.IdMateria = 2;
        d.IdTema = 1;
        QFile f(origen.RutaDocumento(n));
        const QByteArray datos = Documento(n);
        if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
            return 1;
        bytes += datos.size();
    }
    // Progress handlers as the dialogs have them: they let events through.
    TProgreso progreso;
    progreso.Mayor = [](const QString&, int, bool&) { QCoreApplication::processEvents(); };
    progreso.Menor = [](const QString&, int, bool&) { QCoreApplication::processEvents(); };
    std::printf("%d documentos, %.1f MB, mejor de %d rondas\n", NumDocumentos, bytes / 1e6, rondas);

    const QString propio = tmp.path() + "/paquete.zip";
    const QString infozip = tmp.path() + "/infozip.zip";
    const QString temp = origen.almacen.CarpetaPrograma + "Temp";
    int ronda = 0;
    std::unique_ptr<TInstalacion> destino;
    const QString destinoInfo = tmp.path() + "/unzip";

    for (const bool cifrar : {false, true}) {
        const QString clave = cifrar ? Clave : QString();
        const double exportar = Mejor(
            rondas, [&] { QFile::remove(propio); },
            [&] {
                return ExportarPaquete(origen.almacen, Id, {}, propio, clave, progreso).Correcto;
            });
        const qint64 tamPropio = QFileInfo(propio).size();
        auto prepararImportacion = [&] {
            destino.reset();
            const QString c = tmp.path() + QStringLiteral("/destino%1").arg(++ronda);
            destino = std::make_unique<TInstalacion>(c);
        };
        auto importarPropio = [&] {
            TOpcionesImportacion op;
            op.Progreso = progreso;
            const TResultadoImportacion r = ImportarPaquete(*destino, propio, clave, op, nullptr);
            return r.Fin == TFinImportacion::Completa && r.DocumentosAnadidos == NumDocumentos;
        };
        // 7-Zip extracts the same package into a fresh folder every round.
        QString destino7z;
        auto preparar7z = [&] { destino7z = tmp.path() + QStringLiteral("/7z%1").arg(++ronda); };
        auto extraer7z = [&] {
            QStringList args{"x", "-y", "-bd", "-o" + destino7z};
            if (cifrar)
                args << "-p" + clave;
            args << propio;
            return Ejecutar(sieteZip, args, tmp.path());
        };
        bench::Tiempos importar, con7z;
        if (sieteZip.isEmpty()) {
            importar = bench::Carrera(
                           rondas, prepararImportacion, importarPropio, [] {}, [] { return true; })
                           .first;
        } else {
            std::tie(importar, con7z) =
                bench::Carrera(rondas, prepararImportacion, importarPropio, preparar7z, extraer7z);
        }
        destino.reset();
        double zipT = 0, unzipT = 0;
        qint64 tamInfo = 0;
        if (hayInfoZip) {
            // The same files: the three lists and the book's folder, bare names.
            QStringList args{"-q", "-j"};
            if (cifrar)
                args << "-P" << Clave;
            args << infozip << temp + "/Libros.lst" << temp + "/Docs.lst" << temp + "/Arbol.tvw";
            for (const QString& n : QDir(carpetaLibro).entryList(QDir::Files))
                args << carpetaLibro + "/" + n;
            zipT = Mejor(
                rondas, [&] { QFile::remove(infozip); },
                [&] { return Ejecutar("zip", args, tmp.path()); });
            tamInfo = QFileInfo(infozip).size();
            QStringList argsU{"-q", "-o"};
            if (cifrar)
                argsU << "-P" << Clave;
            argsU << infozip << "-d" << destinoInfo;
            unzipT = Mejor(
                rondas,
                [&] {
                    QDir(destinoInfo).removeRecursively();
                    QDir().mkpath(destinoInfo);
                },
                [&] { return Ejecutar("unzip", argsU, tmp.path()); });
        }
        const char* que = cifrar ? "con clave (AES-256 / Info-ZIP: ZipCrypto)" : "sin clave";
        std::printf("\n%s\n", que);
        std::printf("  exportar  %8.1f ms  (%.1f MB)", exportar, tamPropio / 1e6);
        if (hayInfoZip)
            std::printf("   zip -q   %8.1f ms  (%.1f MB)   razón %.2f", zipT, tamInfo / 1e6,
                        exportar / zipT);
        std::printf("\n  importar  %8.1f ms", importar.pared);
        if (hayInfoZip)
            std::printf("              unzip -q %8.1f ms              razón %.2f", unzipT,
                        importar.pared / unzipT);
        std::printf("\n");
        if (!sieteZip.isEmpty()) {
            const double razon = importar.pared / con7z.pared;
            std::printf("  importar  %8.1f ms (procesador %6.1f ms)   %s x %8.1f ms (procesador "
                        "%6.1f ms)   razón %.2f (procesador %.2f)\n",
                        importar.pared, importar.procesador, qPrintable(sieteZip), con7z.pared,
                        con7z.procesador, razon, importar.procesador / con7z.procesador);
            if (cifrar)
                std::printf("  objetivo con clave (hasta 1,3 veces %s x): %s\n",
                            qPrintable(sieteZip), razon <= 1.3 ? "cumplido" : "NO cumplido");
        }
    }
    if (!guion.Mensajes.isEmpty()) {
        std::fprintf(stderr, "mensajes inesperados: %s\n",
                     qPrintable(guion.Mensajes.first().Texto));
        return 1;
    }
    return 0;
}
