// brivo2-datos CARPETA seleccionar: the automatic choice of exam questions on
// the library of CARPETA, printed as JSON with the report of each row. It
// only reads the library (no lock is taken, nothing is written), so it can run
// while brivo2 has the library open.
#include "DatosSeleccion.h"

#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "Almacen.h"
#include "Azar.h"
#include "Carpetas.h"
#include "Errores.h"
#include "Listas.h"
#include "Seleccion.h"
#include "TextosComunes.h"

using namespace brivo;

namespace {

const char* const TextoAyuda =
    R"(Uso: brivo2-datos CARPETA seleccionar --libro N --fila NODO:DIFMIN-DIFMAX:TIPO:CANTIDAD
                   [--fila ...] [--no-usadas-desde dd/mm/aaaa] [--similitud]
                   [--semilla S] [--menos-usadas | --al-azar]

Elige preguntas para un examen entre los documentos de un libro de la
biblioteca de CARPETA y muestra en JSON los números elegidos, fila a fila, con
lo pedido, lo encontrado y lo tomado. No cambia nada: ni la lista de examen,
ni las marcas, ni los registros.

  --libro N     la ranura del libro, tal como la muestra «brivo2-datos CARPETA
                libros» en el campo "ranura"
  --fila NODO:DIFMIN-DIFMAX:TIPO:CANTIDAD
                una fila del examen; se puede repetir y las filas se llenan en
                orden, sin repetir documentos:
                NODO      el camino de identificadores del nodo: "5" es la
                          materia 5, "5/12" el tema 12 de esa materia y
                          "5/12/30" el contenido 30 de ese tema (los
                          identificadores de "brivo2-datos CARPETA arbol";
                          también vale "5,12,30");
                          entran todos los documentos que hay debajo, como
                          los muestra la rejilla; los nodos de «Útiles» no
                          valen
                DIFMIN-DIFMAX  dificultad de 0 a 9 ("3-6", o "4" sola)
                TIPO      cualquiera, Test, Prob o Preg (o 0, 1, 2, 3)
                CANTIDAD  cuántos documentos, de 1 a 100
  --no-usadas-desde dd/mm/aaaa
                deja fuera los documentos usados ese día o después; una fecha
                de uso ilegible cuenta como uso reciente
  --similitud   como máximo un documento de cada grupo de similitud (los que
                tienen el mismo valor de Simil distinto de 0)
  --semilla S   la semilla (de 0 a 18446744073709551615) que decide los
                empates; sin ella se sortea una y se muestra, para poder
                repetir la misma elección
  --menos-usadas
                prefiere las menos usadas (lo que se hace sin --al-azar): van
                primero los documentos de menos usos y, entre ellos, los de
                uso más antiguo; la semilla decide entre iguales
  --al-azar     no prefiere las menos usadas: el orden es sólo el sorteo de
                la semilla

Códigos de salida: 0 todas las filas llenas, 1 alguna fila se quedó corta,
2 error de uso, carpeta ilegible o archivo dañado.
)";

void Escribir(const QString& texto, FILE* destino) {
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), destino);
}

int ErrorDeUso(const QString& mensaje) {
    Escribir(mensaje + QStringLiteral("\nPruebe «brivo2-datos CARPETA seleccionar --help» para "
                                      "ver la ayuda.\n"),
             stderr);
    return 2;
}

// A row as typed: the node's path is resolved once the tree is read.
struct TFilaPedida {
    QString Camino;
    TLugar Lugar;
    int Niveles = 0;
    TFilaSeleccion Fila;
};

struct TPeticion {
    QString Carpeta;
    int Libro = 0;
    std::vector<TFilaPedida> Filas;
    QDate Desde;
    bool Similitud = false;
    bool MenosUsadas = true;
    bool ConSemilla = false;
    std::uint64_t Semilla = 0;
};

// A whole number from minimo to maximo written with digits alone.
bool Numero(const QString& t, int minimo, int maximo, int& valor) {
    if (t.isEmpty() || t.size() > 10)
        return false;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const qint64 v = t.toLongLong();
    if (v < minimo || v > maximo)
        return false;
    valor = static_cast<int>(v);
    return true;
}

bool LeerTipo(const QString& texto, int& tipo) {
    static const QStringList nombres{QStringLiteral("cualquiera"), QStringLiteral("test"),
                                     QStringLiteral("prob"), QStringLiteral("preg")};
    const qsizetype i = nombres.indexOf(texto.toLower());
    if (i >= 0) {
        tipo = static_cast<int>(i);
        return true;
    }
    return Numero(texto, TipoCualquiera, TipoMaximo, tipo);
}

// NODO:DIFMIN-DIFMAX:TIPO:CANTIDAD; empty error when it reads.
QString LeerFila(const QString& texto, TFilaPedida& f) {
    const QString mal = QStringLiteral("La fila «%1» no es válida: ").arg(texto);
    const QStringList partes = texto.split(QLatin1Char(':'));
    if (partes.size() != 4)
        return mal + QStringLiteral("ha de ser NODO:DIFMIN-DIFMAX:TIPO:CANTIDAD.");
    f.Camino = partes[0];
    // "5/12/30", or "5,12,30" as the moodle command writes a node.
    const QStringList ids =
        QString(partes[0]).replace(QLatin1Char(','), QLatin1Char('/')).split(QLatin1Char('/'));
    int id[3] = {0, 0, 0};
    bool caminoBien = ids.size() <= 3;
    for (qsizetype i = 0; caminoBien && i < ids.size(); ++i)
        caminoBien = Numero(ids[i], 1, 2147483647, id[i]);
    if (!caminoBien)
        return mal + QStringLiteral("el nodo es un camino de uno a tres identificadores, como "
                                    "5, 5/12 o 5/12/30.");
    f.Lugar = {id[0], id[1], id[2]};
    f.Niveles = static_cast<int>(ids.size());
    const QStringList dif = partes[1].split(QLatin1Char('-'));
    TFilaSeleccion& fila = f.Fila;
    if (dif.size() > 2 || !Numero(dif[0], 0, 9, fila.DificultadDesde) ||
        !Numero(dif.back(), 0, 9, fila.DificultadHasta) ||
        fila.DificultadDesde > fila.DificultadHasta)
        return mal + QStringLiteral("la dificultad es DIFMIN-DIFMAX, de 0 a 9, con DIFMIN no "
                                    "mayor que DIFMAX.");
    if (!LeerTipo(partes[2], fila.Tipo))
        return mal + QStringLiteral("el tipo es cualquiera, Test, Prob o Preg (o 0 a 3).");
    if (!Numero(partes[3], 1, MaxExamen, fila.Cantidad))
        return mal + QStringLiteral("la cantidad va de 1 a %1.").arg(MaxExamen);
    return {};
}

// The value of an option given as "--x V" or "--x=V"; false when it is missing.
bool Valor(const QStringList& a, qsizetype& i, const QString& nombre, QString& valor) {
    if (a[i] == nombre) {
        if (i + 1 >= a.size())
            return false;
        valor = a[++i];
        return true;
    }
    valor = a[i].mid(nombre.size() + 1);
    return true;
}

// -1 to go on, else the exit code.
int LeerArgumentos(const QStringList& a, TPeticion& p) {
    for (qsizetype i = 3; i < a.size(); ++i) {
        const QString& x = a[i];
        const QString nombre = x.section(QLatin1Char('='), 0, 0);
        QString v;
        if (x == QLatin1String("-h") || x == QLatin1String("--help") ||
            x == QLatin1String("--ayuda")) {
            Escribir(QString::fromUtf8(TextoAyuda), stdout);
            return 0;
        } else if (x == QLatin1String("--similitud")) {
            p.Similitud = true;
        } else if (x == QLatin1String("--al-azar")) {
            p.MenosUsadas = false;
        } else if (x == QLatin1String("--menos-usadas")) {
            p.MenosUsadas = true;
        } else if (nombre == QLatin1String("--libro")) {
            if (!Valor(a, i, nombre, v) || !Numero(v, 1, MaxLibros, p.Libro))
                return ErrorDeUso(QStringLiteral("--libro pide la ranura de un libro, de 1 a %1.")
                                      .arg(MaxLibros));
        } else if (nombre == QLatin1String("--fila")) {
            TFilaPedida f;
            if (!Valor(a, i, nombre, v))
                return ErrorDeUso(QStringLiteral("Falta la fila detrás de --fila."));
            if (const QString error = LeerFila(v, f); !error.isEmpty())
                return ErrorDeUso(error);
            p.Filas.push_back(f);
        } else if (nombre == QLatin1String("--no-usadas-desde")) {
            if (!Valor(a, i, nombre, v) || v.trimmed().isEmpty() ||
                !(p.Desde = LeerFechaUso(v)).isValid())
                return ErrorDeUso(QStringLiteral("--no-usadas-desde pide una fecha dd/mm/aaaa."));
        } else if (nombre == QLatin1String("--semilla")) {
            if (!Valor(a, i, nombre, v) || !LeerSemilla(v, p.Semilla))
                return ErrorDeUso(QStringLiteral("--semilla pide un número entero de 0 a "
                                                 "18446744073709551615."));
            p.ConSemilla = true;
        } else {
            return ErrorDeUso(QStringLiteral("Opción desconocida: %1").arg(x));
        }
    }
    if (p.Libro == 0)
        return ErrorDeUso(QStringLiteral("Falta --libro N."));
    if (p.Filas.empty())
        return ErrorDeUso(QStringLiteral("Falta al menos una --fila."));
    return -1;
}

// Resolves the rows' nodes in the tree; empty when all are there.
QString ResolverNodos(const TAlmacen& a, TPeticion& p) {
    for (TFilaPedida& f : p.Filas) {
        const TNodo* nodo = a.Arbol.NodoDeLugar(f.Lugar);
        if (!nodo || nodo->Nivel() + 1 != f.Niveles)
            return QStringLiteral("El nodo %1 no está en el árbol.").arg(f.Camino);
        if (!NodoSeleccionable(nodo))
            return QStringLiteral("El nodo %1 («%2») no es una materia, un tema ni un contenido "
                                  "de los que se eligen preguntas.")
                .arg(f.Camino, nodo->Texto);
        f.Fila.Nodo = nodo;
    }
    return {};
}

// JSON with the fields in a fixed order; lists of numbers on one line.
class TJson {
public:
    void Abrir(const char* clave, char c) {
        Clave(clave);
        texto += QLatin1Char(c);
        primero.push_back(true);
    }
    void Cerrar(char c) {
        primero.pop_back();
        texto += QLatin1Char('\n') +
                 QString(2 * static_cast<int>(primero.size()), QLatin1Char(' ')) + QLatin1Char(c);
    }
    void Valor(const char* clave, const QString& crudo) {
        Clave(clave);
        texto += crudo;
    }
    void Numero(const char* clave, qint64 v) { Valor(clave, QString::number(v)); }
    void Logico(const char* clave, bool v) {
        Valor(clave, v ? QStringLiteral("true") : QStringLiteral("false"));
    }
    void Cadena(const char* clave, const QString& s) { Valor(clave, Comillas(s)); }
    void Numeros(const char* clave, const std::vector<int>& v) {
        QStringList t;
        for (int k : v)
            t << QString::number(k);
        Valor(clave, QLatin1Char('[') + t.join(QStringLiteral(", ")) + QLatin1Char(']'));
    }
    QString Resultado() const { return texto + QLatin1Char('\n'); }

    static QString Comillas(const QString& s) {
        QString r = QStringLiteral("\"");
        for (const QChar c : s) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
                r += QLatin1Char('\\') + QString(c);
            else if (c.unicode() < 0x20)
                r += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                r += c;
        }
        return r + QLatin1Char('"');
    }

private:
    void Clave(const char* clave) {
        if (!primero.empty()) {
            if (!primero.back())
                texto += QLatin1Char(',');
            primero.back() = false;
            texto += QLatin1Char('\n') + QString(2 * static_cast<int>(primero.size()), u' ');
        }
        if (clave)
            texto += Comillas(QString::fromUtf8(clave)) + QStringLiteral(": ");
    }

    QString texto;
    std::vector<bool> primero;
};

QString NombreTipo(int tipo) {
    return tipo > 0 && tipo < textos::TiposDocumento
               ? QString::fromLatin1(textos::NombresTipo[tipo])
               : QStringLiteral("cualquiera");
}

QString Json(const TPeticion& p, const TOpcionesSeleccion& o, const TResultadoSeleccion& r) {
    TJson j;
    j.Abrir(nullptr, '{');
    j.Numero("libro", p.Libro);
    j.Valor("semilla", QString::number(o.Semilla));
    j.Valor("no_usadas_desde",
            p.Desde.isValid() ? TJson::Comillas(FechaCorta(p.Desde)) : QStringLiteral("null"));
    j.Logico("similitud", o.UnaPorGrupo);
    j.Logico("menos_usadas", o.PreferirMenosUsadas);
    j.Logico("completa", r.Completa());
    j.Numeros("documentos", r.Documentos);
    j.Abrir("filas", '[');
    for (size_t i = 0; i < r.Filas.size(); ++i) {
        const TFilaSeleccion& f = p.Filas[i].Fila;
        const TInformeFila& informe = r.Filas[i];
        j.Abrir(nullptr, '{');
        j.Numero("fila", static_cast<qint64>(i) + 1);
        j.Cadena("nodo", p.Filas[i].Camino);
        j.Cadena("texto", f.Nodo->Texto);
        j.Numero("dificultad_desde", f.DificultadDesde);
        j.Numero("dificultad_hasta", f.DificultadHasta);
        j.Cadena("tipo", NombreTipo(f.Tipo));
        j.Numero("pedidas", informe.Pedidas);
        j.Numero("encontradas", informe.Encontradas);
        j.Numero("tomadas", informe.Tomadas);
        j.Numero("faltan", informe.Faltan());
        j.Numeros("documentos", informe.Documentos);
        j.Cerrar('}');
    }
    j.Cerrar(']');
    j.Cerrar('}');
    return j.Resultado();
}

// Reads the books, the documents and the tree; warnings about skipped records
// go to the error output.
void Cargar(TAlmacen& a) {
    QStringList avisos;
    LeerLibros(a.Ruta(QStringLiteral("Libros.lst")), a, &avisos);
    LeerDocumentos(a.Ruta(QStringLiteral("Docs.lst")), a, &avisos);
    const QString arbol = a.Ruta(QStringLiteral("Arbol.tvw"));
    a.Arbol.Cargar(QFileInfo::exists(arbol) ? arbol
                                            : a.RutaDelPrograma(QStringLiteral("Arbol0.tvw")));
    for (const QString& aviso : avisos)
        Escribir(QStringLiteral("Aviso: ") + aviso + QLatin1Char('\n'), stderr);
}

} // namespace

bool EsOrdenDeSeleccion(const char* orden) {
    return std::strcmp(orden, "seleccionar") == 0;
}

int OrdenDeSeleccion(int argc, char** argv) {
    const QCoreApplication nucleo(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    TPeticion p;
    if (argumentos.size() < 3)
        return ErrorDeUso(QStringLiteral("Falta la carpeta."));
    p.Carpeta = argumentos[1];
    if (p.Carpeta == QLatin1String("-h") || p.Carpeta == QLatin1String("--help") ||
        p.Carpeta == QLatin1String("--ayuda")) {
        Escribir(QString::fromUtf8(TextoAyuda), stdout);
        return 0;
    }
    if (const int codigo = LeerArgumentos(argumentos, p); codigo >= 0)
        return codigo;

    const QFileInfo info(p.Carpeta);
    if (!info.isDir() || !info.isReadable() || !QDir(p.Carpeta).isReadable()) {
        Escribir(QStringLiteral("No se puede leer la carpeta %1\n").arg(p.Carpeta), stderr);
        return 2;
    }
    TAlmacen a;
    a.CarpetaPrograma = QDir(p.Carpeta).absolutePath() + QLatin1Char('/');
    a.CarpetaInstalados = carpetas::CarpetaInstalados(QCoreApplication::applicationDirPath());
    try {
        Cargar(a);
    } catch (const ErrorBrivo& e) {
        Escribir(e.Mensaje() + QLatin1Char('\n'), stderr);
        return 2;
    }
    if (!a.Libros[static_cast<size_t>(p.Libro)].Usado()) {
        Escribir(QStringLiteral("No hay ningún libro en la ranura %1.\n").arg(p.Libro), stderr);
        return 2;
    }
    if (const QString error = ResolverNodos(a, p); !error.isEmpty()) {
        Escribir(error + QLatin1Char('\n'), stderr);
        return 2;
    }

    TOpcionesSeleccion o;
    o.IdLibro = a.Libros[static_cast<size_t>(p.Libro)].Identificador;
    o.NoUsadasDesde = p.Desde;
    o.UnaPorGrupo = p.Similitud;
    o.PreferirMenosUsadas = p.MenosUsadas;
    o.Semilla = p.ConSemilla ? p.Semilla : NuevaSemilla();
    std::vector<TFilaSeleccion> filas;
    for (const TFilaPedida& f : p.Filas)
        filas.push_back(f.Fila);
    const TResultadoSeleccion r = Seleccionar(a, filas, o);
    Escribir(Json(p, o, r), stdout);
    return r.Completa() ? 0 : 1;
}
