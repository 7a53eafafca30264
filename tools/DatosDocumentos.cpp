// The document commands of brivo2-datos, which convert and write document
// files (through LibreOffice for office formats):
//
//   brivo2-datos CARPETA convertir
//       converts every document of every book that is an office document
//       into the program's format; one line per document and a summary.
//       Exit 0 when none failed, 1 otherwise.
//   brivo2-datos CARPETA exportar-documento N SALIDA
//       writes document N as SALIDA, in the format of its extension
//       (.pdf .odt .docx .doc .html). Exit 0 when written, 1 otherwise.
//
// Usage errors and unreadable lists exit with 2, as the other commands do.
#include "DatosDocumentos.h"

#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "Almacen.h"
#include "Cerrojo.h"
#include "DocumentosOficina.h"
#include "Errores.h"
#include "Listas.h"
#include "ProcesadorTextos.h"

using namespace brivo;

namespace {

void Escribir(const QString& texto, FILE* destino) {
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), destino);
    std::fflush(destino);
}

QString Relativa(const QString& carpeta, const QString& ruta) {
    return ruta.isEmpty() ? ruta : QDir(carpeta).relativeFilePath(ruta);
}

QString Linea(const QString& carpeta, const TDocumentoConvertido& d) {
    const QString inicio =
        QStringLiteral("%1 (documento %2): ").arg(Relativa(carpeta, d.Ruta)).arg(d.Numero);
    switch (d.Estado) {
    case EstadoConversion::Convertido:
        return inicio + QStringLiteral("convertido de %1, original en %2")
                            .arg(d.Formato, Relativa(carpeta, d.Copia));
    case EstadoConversion::YaEnFormato:
        return inicio + QStringLiteral("ya está en el formato del programa");
    case EstadoConversion::SinArchivo:
        return inicio + QStringLiteral("no tiene archivo");
    case EstadoConversion::Fallido:
        return inicio + QStringLiteral("error: ") + d.Motivo;
    }
    return inicio;
}

// Qt's own notices (a missing runtime folder under the offscreen platform)
// are not the command's output; only errors go to the error output.
void SoloErrores(QtMsgType tipo, const QMessageLogContext&, const QString& mensaje) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        Escribir(mensaje + QLatin1Char('\n'), stderr);
}

int Convertir(const TAlmacen& almacen) {
    const auto conversion = word::CrearConversionDocumentos();
    const TResultadoConversion r = ConvertirDocumentosLibros(almacen, *conversion);
    for (const TDocumentoConvertido& d : r.Documentos)
        Escribir(Linea(almacen.CarpetaPrograma, d) + QLatin1Char('\n'), stdout);
    Escribir(QStringLiteral("Convertidos: %1. Ya en el formato del programa: %2. Sin archivo: "
                            "%3. Con error: %4.\n")
                 .arg(r.Cuantos(EstadoConversion::Convertido))
                 .arg(r.Cuantos(EstadoConversion::YaEnFormato))
                 .arg(r.Cuantos(EstadoConversion::SinArchivo))
                 .arg(r.Cuantos(EstadoConversion::Fallido)),
             stdout);
    return r.Cuantos(EstadoConversion::Fallido) == 0 ? 0 : 1;
}

int Exportar(const TAlmacen& almacen, int numero, const QString& salida) {
    const auto conversion = word::CrearConversionDocumentos();
    ExportarDocumentoNumero(almacen, numero, salida, *conversion);
    Escribir(QStringLiteral("Documento %1 exportado a %2\n").arg(numero).arg(salida), stdout);
    return 0;
}

} // namespace

bool EsOrdenDeDocumentos(const char* orden) {
    const QByteArray o(orden);
    return o == "convertir" || o == "exportar-documento";
}

int OrdenDeDocumentos(int argc, char** argv) {
    const QByteArray orden(argv[2]);
    const bool exportar = orden == "exportar-documento";
    bool numeroValido = true;
    const int numero = exportar && argc == 5 ? QByteArray(argv[3]).toInt(&numeroValido) : 0;
    if (argc != (exportar ? 5 : 3) || !numeroValido) {
        Escribir(QStringLiteral("Uso: brivo2-datos CARPETA convertir\n"
                                "     brivo2-datos CARPETA exportar-documento N SALIDA\n"),
                 stderr);
        return 2;
    }
    // QTextDocument needs a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(SoloErrores);
    int argcQt = 1;
    QGuiApplication aplicacion(argcQt, argv);
    const QString carpeta = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo(carpeta).isDir()) {
        Escribir(QStringLiteral("No se puede leer la carpeta %1\n").arg(carpeta), stderr);
        return 2;
    }
    TAlmacen almacen;
    almacen.CarpetaPrograma = QDir(carpeta).absolutePath() + QLatin1Char('/');
    // Both commands may write into the library (a document in an office
    // format is converted where it lies), so they take it as the program does.
    TCerrojoBiblioteca cerrojo(almacen.CarpetaPrograma);
    if (cerrojo.Tomar() != TCerrojoBiblioteca::Resultado::Tomado) {
        TCerrojoBiblioteca::TDueno dueno;
        Escribir(cerrojo.Dueno(dueno)
                     ? QStringLiteral("La biblioteca de %1 ya está abierta en %2 (proceso %3): "
                                      "no se puede cambiar ahora.\n")
                           .arg(carpeta, dueno.Equipo)
                           .arg(dueno.Proceso)
                     : QStringLiteral("No se puede tomar la biblioteca de %1 para cambiarla.\n")
                           .arg(carpeta),
                 stderr);
        return 2;
    }
    try {
        LeerLibros(almacen.Ruta(QStringLiteral("Libros.lst")), almacen);
        LeerDocumentos(almacen.Ruta(QStringLiteral("Docs.lst")), almacen);
    } catch (const ErrorBrivo& e) {
        Escribir(e.Mensaje() + QLatin1Char('\n'), stderr);
        return 2;
    }
    try {
        if (exportar)
            return Exportar(almacen, numero, QString::fromLocal8Bit(argv[4]));
        return Convertir(almacen);
    } catch (const ErrorBrivo& e) {
        Escribir(e.Mensaje() + QLatin1Char('\n'), stderr);
        return 1;
    }
}
