// brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift [--libro N] [--nodo IDENTIFICADORES]
//                                                   [--examen --documentos 3,1,2]
//
// The book is the one in slot N of the book list (the "ranura" that
// "brivo2-datos CARPETA libros" prints), the active book when --libro is not
// given. IDENTIFICADORES is the place of a node of the tree: the identifiers
// of its materia, tema and contenido separated by commas ("2", "2,1",
// "2,1,1"; "1,4" is "No asignados"); only the book's documents listed under
// that node go out. --examen --documentos takes the documents by number, in
// that order, whatever their book. The command only reads the library, so it
// takes no lock and runs while the program has the library open (it sees
// the files as last saved).
#include "DatosMoodle.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "Almacen.h"
#include "Carpetas.h"
#include "Errores.h"
#include "ExportacionMoodle.h"
#include "ProcesadorTextos.h"

using namespace brivo;

namespace {

constexpr int ErrorDeUso = 2;

void Escribir(const QString& texto, FILE* destino) {
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), destino);
    std::fflush(destino);
}

int Fallo(const QString& mensaje) {
    Escribir(mensaje + QLatin1Char('\n'), stderr);
    return ErrorDeUso;
}

int Uso() {
    return Fallo(QStringLiteral("Uso: brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift "
                                "[--libro N] [--nodo IDENTIFICADORES]\n"
                                "     brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift "
                                "--examen --documentos 3,1,2"));
}

void SoloErrores(QtMsgType tipo, const QMessageLogContext&, const QString& mensaje) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        Escribir(mensaje + QLatin1Char('\n'), stderr);
}

struct TArgumentos {
    QString carpeta;
    QString salida;
    QString libro;
    QString nodo;
    QString documentos;
    bool examen = false;
};

// The options after the output; false on a usage error.
bool LeerOpciones(const QStringList& a, TArgumentos& r) {
    if (a.size() < 4)
        return false;
    r.carpeta = a[1];
    r.salida = a[3];
    for (qsizetype i = 4; i < a.size(); ++i) {
        QString opcion = a[i];
        QString valor;
        const qsizetype igual = opcion.indexOf(QLatin1Char('='));
        if (opcion.startsWith(QLatin1String("--")) && igual > 0) {
            valor = opcion.mid(igual + 1);
            opcion.truncate(igual);
        } else if (opcion != QLatin1String("--examen")) {
            if (i + 1 >= a.size())
                return false;
            valor = a[++i];
        }
        if (opcion == QLatin1String("--examen") && valor.isEmpty())
            r.examen = true;
        else if (opcion == QLatin1String("--libro") && r.libro.isEmpty())
            r.libro = valor;
        else if (opcion == QLatin1String("--nodo") && r.nodo.isEmpty())
            r.nodo = valor;
        else if (opcion == QLatin1String("--documentos") && r.documentos.isEmpty())
            r.documentos = valor;
        else
            return false;
    }
    // The exam list is given by numbers alone; a book or a node goes without them.
    if (r.examen)
        return !r.documentos.isEmpty() && r.libro.isEmpty() && r.nodo.isEmpty();
    return r.documentos.isEmpty();
}

// "3,1,2" (blanks allowed); false when an entry is not a number above 0.
bool Numeros(const QString& texto, std::vector<int>& numeros) {
    for (const QString& parte : texto.split(QLatin1Char(','))) {
        bool valido = false;
        const int n = parte.trimmed().toInt(&valido);
        if (!valido || n < 1)
            return false;
        numeros.push_back(n);
    }
    return !numeros.empty();
}

// The book: slot N, or the active one.
const TLibro* Libro(const TAlmacen& almacen, const QString& ranura, QString& error) {
    if (ranura.isEmpty()) {
        if (const TLibro* activo = almacen.LibroActivoPtr())
            return activo;
        error = QStringLiteral("No hay libro activo en %1: indique el libro con --libro N.")
                    .arg(almacen.CarpetaPrograma);
        return nullptr;
    }
    bool valido = false;
    const int n = ranura.toInt(&valido);
    if (!valido || n < 1 || n > MaxLibros || !almacen.Libros[size_t(n)].Usado()) {
        error = QStringLiteral("No hay ningún libro en la ranura %1 (las ranuras son las que "
                               "muestra «brivo2-datos CARPETA libros»).")
                    .arg(ranura);
        return nullptr;
    }
    return &almacen.Libros[size_t(n)];
}

// The node whose place is "m[,t[,c]]" (or "m/t/c", as seleccionar writes it).
const TNodo* Nodo(const TAlmacen& almacen, const QString& texto) {
    std::vector<int> ids;
    if (!Numeros(QString(texto).replace(QLatin1Char('/'), QLatin1Char(',')), ids) || ids.size() > 3)
        return nullptr;
    TLugar lugar;
    lugar.Materia = ids[0];
    lugar.Tema = ids.size() > 1 ? ids[1] : 0;
    lugar.Contenido = ids.size() > 2 ? ids[2] : 0;
    const TNodo* nodo = almacen.Arbol.NodoDeLugar(lugar);
    return nodo && almacen.Arbol.LugarDeNodo(nodo) == lugar ? nodo : nullptr;
}

int Exportar(const TAlmacen& almacen, const TArgumentos& a, moodle::TFormato formato) {
    std::vector<int> documentos;
    if (a.examen) {
        if (!Numeros(a.documentos, documentos))
            return Fallo(QStringLiteral("«%1» no es una lista de números de documento como "
                                        "3,1,2.")
                             .arg(a.documentos));
    } else {
        QString error;
        const TLibro* libro = Libro(almacen, a.libro, error);
        if (!libro)
            return Fallo(error);
        if (!libro->PermitirExportar)
            return Fallo(QStringLiteral("No está permitido exportar el libro «%1».")
                             .arg(libro->Titulo.Texto()));
        if (a.nodo.isEmpty()) {
            documentos = moodle::DocumentosDeLibro(almacen, libro->Identificador);
        } else {
            const TNodo* nodo = Nodo(almacen, a.nodo);
            if (!nodo)
                return Fallo(QStringLiteral("No hay ningún nodo con los identificadores %1 en el "
                                            "árbol (materia[,tema[,contenido]]).")
                                 .arg(a.nodo));
            documentos = moodle::DocumentosDeNodo(almacen, nodo, libro->Identificador);
        }
    }
    if (documentos.empty())
        return Fallo(QStringLiteral("No hay documentos que exportar."));
    const auto motor = word::CrearMotorIncrustado();
    const moodle::TInformeExportacion informe =
        moodle::Exportar(almacen, *motor, documentos, a.salida, formato);
    Escribir(informe.Lineas().join(QLatin1Char('\n')) + QLatin1Char('\n'), stdout);
    return informe.Escrito && informe.Fallos.empty() ? 0 : 1;
}

} // namespace

bool EsOrdenMoodle(const char* orden) {
    return QByteArray(orden) == "moodle";
}

int OrdenMoodle(int argc, char** argv) {
    // The engine needs an application with widgets; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(SoloErrores);
    QApplication aplicacion(argc, argv);
    TArgumentos a;
    if (!LeerOpciones(QApplication::arguments(), a))
        return Uso();
    const std::optional<moodle::TFormato> formato = moodle::FormatoPorExtension(a.salida);
    if (!formato)
        return Fallo(QStringLiteral("La salida debe terminar en .xml (Moodle XML) o en .gift "
                                    "(GIFT): %1")
                         .arg(a.salida));
    if (!QFileInfo(a.carpeta).isDir())
        return Fallo(QStringLiteral("No se puede leer la carpeta %1").arg(a.carpeta));
    TAlmacen almacen;
    almacen.CarpetaPrograma = QDir(a.carpeta).absolutePath() + QLatin1Char('/');
    almacen.CarpetaInstalados = carpetas::CarpetaInstalados(QApplication::applicationDirPath());
    // Only read: no leftovers cleaned, nothing saved, no lock taken.
    almacen.SoloConsulta = true;
    try {
        almacen.CargarLibreria();
        return Exportar(almacen, a, *formato);
    } catch (const ErrorBrivo& e) {
        return Fallo(e.Mensaje());
    }
}
