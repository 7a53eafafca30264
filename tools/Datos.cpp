// brivo2-datos: the library of a program folder as JSON, and a check of its
// consistency, read with the program's own store code.
//
//   brivo2-datos CARPETA libros|documentos|arbol|ajustes
//   brivo2-datos CARPETA comprobar
//   brivo2-datos [--carpeta CARPETA] orden   (without CARPETA: the library
//                                              brivo2 would open)
//   brivo2-datos --help
//   brivo2-datos CARPETA convertir | exportar-documento N SALIDA  (DatosDocumentos.cpp)
//   brivo2-datos CARPETA seleccionar --libro N --fila ...          (DatosSeleccion.cpp)
//   brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift [...]     (DatosMoodle.cpp)
//
// Exit codes: 0 done (comprobar: nothing found), 1 comprobar found
// inconsistencies, 2 usage error, unreadable folder or damaged file.
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "Ajustes.h"
#include "Almacen.h"
#include "Arbol.h"
#include "Carpetas.h"
#include "DatosDocumentos.h"
#include "DatosMoodle.h"
#include "DatosSeleccion.h"
#include "Errores.h"
#include "Listas.h"

using namespace brivo;

namespace {

// Writes JSON with the fields in the order given, two blanks per level.
class EscritorJson {
public:
    void AbrirObjeto() { Abrir('{'); }
    void CerrarObjeto() { Cerrar('}'); }
    void AbrirLista() { Abrir('['); }
    void CerrarLista() { Cerrar(']'); }
    void Clave(const char* nombre) {
        Separar();
        salida += Texto(QString::fromUtf8(nombre)) + ": ";
        trasClave = true;
    }
    void Cadena(const QString& s) {
        Separar();
        salida += Texto(s);
    }
    void Entero(qint64 v) {
        Separar();
        salida += QByteArray::number(v);
    }
    void Logico(bool v) {
        Separar();
        salida += v ? "true" : "false";
    }
    void Real(double v) {
        Separar();
        salida += std::isfinite(v) ? QByteArray::number(v, 'g', 17) : QByteArray("null");
    }
    template <class F> void Campo(const char* nombre, F&& valor) {
        Clave(nombre);
        valor();
    }
    const QByteArray& Resultado() {
        if (!salida.endsWith('\n'))
            salida += '\n';
        return salida;
    }

private:
    static QByteArray Texto(const QString& s) {
        QByteArray r = "\"";
        for (QChar c : s) {
            const char16_t u = c.unicode();
            if (u == '"' || u == '\\') {
                r += '\\';
                r += static_cast<char>(u);
            } else if (u == '\n') {
                r += "\\n";
            } else if (u == '\r') {
                r += "\\r";
            } else if (u == '\t') {
                r += "\\t";
            } else if (u < 0x20) {
                r += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
            } else {
                r += QString(c).toUtf8();
            }
        }
        return r + '"';
    }
    void Separar() {
        if (trasClave) {
            trasClave = false;
            return;
        }
        if (!cuentas.empty()) {
            if (cuentas.back()++ > 0)
                salida += ',';
            salida += '\n' + QByteArray(2 * static_cast<int>(cuentas.size()), ' ');
        }
    }
    void Abrir(char c) {
        Separar();
        salida += c;
        cuentas.push_back(0);
    }
    void Cerrar(char c) {
        const bool vacio = cuentas.back() == 0;
        cuentas.pop_back();
        if (!vacio)
            salida += '\n' + QByteArray(2 * static_cast<int>(cuentas.size()), ' ');
        salida += c;
    }

    QByteArray salida;
    std::vector<int> cuentas;
    bool trasClave = false;
};

void Escribir(const QByteArray& texto, FILE* destino) {
    std::fwrite(texto.constData(), 1, static_cast<size_t>(texto.size()), destino);
}

void Avisos(const QStringList& avisos) {
    for (const QString& a : avisos)
        Escribir((QStringLiteral("Aviso: ") + a + QLatin1Char('\n')).toUtf8(), stderr);
}

void JsonLibros(const TAlmacen& a, EscritorJson& j) {
    j.AbrirLista();
    for (int i = 1; i <= MaxLibros; ++i) {
        const TLibro& l = a.Libros[i];
        if (!l.Usado())
            continue;
        j.AbrirObjeto();
        j.Campo("ranura", [&] { j.Entero(i); });
        j.Campo("Identificador", [&] { j.Entero(l.Identificador); });
        j.Campo("Titulo", [&] { j.Cadena(l.Titulo.Texto()); });
        j.Campo("Autor", [&] { j.Cadena(l.Autor.Texto()); });
        j.Campo("Materia", [&] { j.Cadena(l.Materia.Texto()); });
        j.Campo("Comentario", [&] { j.Cadena(l.Comentario.Texto()); });
        j.Campo("Carpeta", [&] { j.Cadena(l.Carpeta.Texto()); });
        j.Campo("ClaveEnDoc", [&] { j.Logico(l.ClaveEnDoc); });
        j.Campo("PermitirCambiosEnDoc", [&] { j.Logico(l.PermitirCambiosEnDoc); });
        j.Campo("PermitirMasDoc", [&] { j.Logico(l.PermitirMasDoc); });
        j.Campo("PermitirExportar", [&] { j.Logico(l.PermitirExportar); });
        j.Campo("Cifrado", [&] { j.Entero(l.Cifrado); });
        j.Campo("ClaveCifrada", [&] { j.Cadena(l.ClaveCifrada.Texto()); });
        j.Campo("Relleno1", [&] { j.Cadena(l.Relleno1.Texto()); });
        j.Campo("Relleno2", [&] { j.Cadena(l.Relleno2.Texto()); });
        j.CerrarObjeto();
    }
    j.CerrarLista();
}

void JsonDocumentos(const TAlmacen& a, EscritorJson& j) {
    j.AbrirLista();
    for (int i = 1; i <= MaxDocumentos; ++i) {
        const TDocumento& d = a.Documentos[i];
        if (!d.Usado())
            continue;
        j.AbrirObjeto();
        j.Campo("ranura", [&] { j.Entero(i); });
        j.Campo("Numero", [&] { j.Entero(d.Numero); });
        j.Campo("Marcado", [&] { j.Logico(d.Marcado); });
        j.Campo("Descripcion", [&] { j.Cadena(d.Descripcion.Texto()); });
        j.Campo("Dificultad", [&] { j.Entero(d.Dificultad); });
        j.Campo("Puntos", [&] { j.Real(d.Puntos); });
        j.Campo("Tipo", [&] { j.Entero(d.Tipo); });
        j.Campo("Respuesta", [&] { j.Cadena(d.Respuesta.Texto()); });
        j.Campo("Usos", [&] { j.Entero(d.Usos); });
        j.Campo("Similitud", [&] { j.Entero(d.Similitud); });
        j.Campo("FechaCreacion", [&] { j.Cadena(d.FechaCreacion.Texto()); });
        j.Campo("FechaUso", [&] { j.Cadena(d.FechaUso.Texto()); });
        j.Campo("IdLibro", [&] { j.Entero(d.IdLibro); });
        j.Campo("IdMateria", [&] { j.Entero(d.IdMateria); });
        j.Campo("IdTema", [&] { j.Entero(d.IdTema); });
        j.Campo("IdContenido", [&] { j.Entero(d.IdContenido); });
        j.Campo("Reservado", [&] {
            j.AbrirLista();
            for (int r : d.Reservado)
                j.Entero(r);
            j.CerrarLista();
        });
        j.Campo("Formato", [&] { j.Cadena(d.Formato.Texto()); });
        j.CerrarObjeto();
    }
    j.CerrarLista();
}

void JsonNodo(const TNodo& n, EscritorJson& j) {
    j.AbrirObjeto();
    j.Campo("texto", [&] { j.Cadena(n.Texto); });
    j.Campo("identificador", [&] { j.Cadena(n.Identificador); });
    j.Campo("hijos", [&] {
        j.AbrirLista();
        for (const auto& h : n.Hijos)
            JsonNodo(*h, j);
        j.CerrarLista();
    });
    j.CerrarObjeto();
}

void JsonAjustes(const TAjustes& a, EscritorJson& j) {
    j.AbrirObjeto();
    j.Campo("NumModeloPreguntas", [&] { j.Entero(a.NumModeloPreguntas); });
    j.Campo("NumModeloExamenes", [&] { j.Entero(a.NumModeloExamenes); });
    j.Campo("LibroActivo", [&] { j.Entero(a.LibroActivo); });
    j.Campo("PonPregunta", [&] { j.Logico(a.PonPregunta); });
    j.Campo("PonDesarrollo", [&] { j.Logico(a.PonDesarrollo); });
    j.Campo("PonRespuesta", [&] { j.Logico(a.PonRespuesta); });
    j.Campo("PonComentario", [&] { j.Logico(a.PonComentario); });
    j.Campo("TextoPregunta", [&] { j.Cadena(a.TextoPregunta); });
    j.Campo("TextoDesarrollo", [&] { j.Cadena(a.TextoDesarrollo); });
    j.Campo("TextoRespuesta", [&] { j.Cadena(a.TextoRespuesta); });
    j.Campo("TextoComentario", [&] { j.Cadena(a.TextoComentario); });
    j.CerrarObjeto();
}

struct Inconsistencia {
    QString tipo;
    QString mensaje;
};

std::vector<Inconsistencia> Comprobar(const TAlmacen& a, const QStringList& avisos) {
    std::vector<Inconsistencia> lista;
    for (const QString& aviso : avisos)
        lista.push_back({QStringLiteral("registro_ignorado"), aviso});

    // Books that share a folder or an identifier.
    std::map<QString, std::vector<int>> porCarpeta;
    std::map<std::int32_t, std::vector<int>> porIdentificador;
    for (int i = 1; i <= MaxLibros; ++i) {
        if (!a.Libros[i].Usado())
            continue;
        porCarpeta[a.Libros[i].Carpeta.Texto()].push_back(i);
        porIdentificador[a.Libros[i].Identificador].push_back(i);
    }
    auto ranuras = [](const std::vector<int>& v) {
        QStringList t;
        for (int r : v)
            t << QString::number(r);
        return t.join(QStringLiteral(", "));
    };
    for (const auto& [carpeta, libros] : porCarpeta) {
        if (libros.size() > 1)
            lista.push_back(
                {QStringLiteral("carpeta_compartida"),
                 QStringLiteral("Los libros de las ranuras %1 comparten la carpeta '%2'")
                     .arg(ranuras(libros), carpeta)});
    }
    for (const auto& [id, libros] : porIdentificador) {
        if (libros.size() > 1)
            lista.push_back(
                {QStringLiteral("identificador_repetido"),
                 QStringLiteral("Los libros de las ranuras %1 tienen el mismo identificador %2")
                     .arg(ranuras(libros))
                     .arg(id)});
    }

    // Documents against their books and files.
    std::map<QString, std::set<int>> nombrados; // folder -> document numbers it should hold
    for (int i = 1; i <= MaxDocumentos; ++i) {
        const TDocumento& d = a.Documentos[i];
        if (!d.Usado())
            continue;
        const TLibro libro = a.BuscarLibro(d.IdLibro);
        if (!libro.Usado()) {
            lista.push_back({QStringLiteral("documento_sin_libro"),
                             QStringLiteral("El documento %1 pertenece al libro %2, que no existe")
                                 .arg(i)
                                 .arg(d.IdLibro)});
            continue;
        }
        const QString carpeta = libro.Carpeta.Texto();
        nombrados[carpeta].insert(i);
        const QString ruta = RutaDocumento(a, i);
        if (!QFileInfo(ruta).isFile())
            lista.push_back(
                {QStringLiteral("archivo_ausente"),
                 QStringLiteral("Falta el archivo %1 del documento %2").arg(ruta).arg(i)});
    }

    // K files in the books' folders that no document names.
    static const QRegularExpression patron(QStringLiteral("^K(\\d{6})\\.doc$"));
    for (const auto& [carpeta, libros] : porCarpeta) {
        const QDir dir(RutaCarpetaLibro(a, carpeta));
        const QStringList archivos = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        const std::set<int>& esperados = nombrados[carpeta];
        for (const QString& f : archivos) {
            const QRegularExpressionMatch m = patron.match(f);
            if (!m.hasMatch())
                continue;
            if (!esperados.count(m.captured(1).toInt()))
                lista.push_back({QStringLiteral("archivo_sin_documento"),
                                 QStringLiteral("El archivo %1 no corresponde a ningún documento")
                                     .arg(dir.filePath(f))});
        }
    }
    return lista;
}

int Uso() {
    Escribir("Uso: brivo2-datos CARPETA libros|documentos|arbol|ajustes|comprobar\n"
             "Pruebe «brivo2-datos --help» para ver la ayuda.\n",
             stderr);
    return 2;
}

const char* const TextoAyuda = R"(Uso: brivo2-datos CARPETA ORDEN
     brivo2-datos [--carpeta CARPETA] ORDEN
     brivo2-datos CARPETA convertir
     brivo2-datos CARPETA exportar-documento N SALIDA
     brivo2-datos CARPETA seleccionar --libro N --fila NODO:DIFMIN-DIFMAX:TIPO:CANTIDAD ...
     brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift [--libro N] [--nodo IDENTIFICADORES]
     brivo2-datos CARPETA moodle SALIDA.xml|SALIDA.gift --examen --documentos 3,1,2

Muestra en JSON la biblioteca de Brivo II de CARPETA, o comprueba su coherencia.
Estas órdenes sólo leen: no cambian ningún archivo de la biblioteca.

Órdenes:
  libros       los libros (Libros.lst)
  documentos   los documentos (Docs.lst)
  arbol        el árbol de temas (Arbol.tvw, o Arbol0.tvw mientras no exista)
  ajustes      los ajustes (BRIVO_II.INI)
  comprobar    busca incoherencias entre libros, documentos y archivos
  seleccionar  elige preguntas para un examen y muestra los números elegidos
               (sólo lee; «brivo2-datos CARPETA seleccionar --help» explica
               sus opciones)

Órdenes de documentos (hace falta LibreOffice para los formatos de oficina):
  convertir    pasa al formato del programa los documentos de Word, RTF u
               OpenDocument de todos los libros (el original queda en
               BAK/<carpeta>/); toma la biblioteca como el programa, así que
               no se puede usar mientras brivo2 la tiene abierta
  exportar-documento N SALIDA
               escribe el documento N en el formato de la extensión de SALIDA
               (.pdf .odt .docx .doc .html)

Preguntas para Moodle (sólo lee la biblioteca; se puede usar con brivo2 abierto,
y entonces ve los documentos tal como se guardaron por última vez):
  moodle SALIDA.xml|SALIDA.gift
               escribe los documentos como preguntas del banco de preguntas de
               Moodle: Moodle XML (.xml, con imágenes) o GIFT (.gift, sólo
               texto). Sin más opciones, las preguntas del libro activo.
    --libro N  las del libro de la ranura N, la que muestra «libros»
    --nodo IDENTIFICADORES
               sólo las del libro que se listan en el nodo del árbol cuyos
               identificadores de materia, tema y contenido se dan separados
               por comas, como los muestra «arbol»: 2 (una materia), 2,1 (un
               tema), 2,1,1 (un contenido), 1,4 (No asignados); también
               con barras, como en seleccionar: 2/1/1
    --examen --documentos 3,1,2
               los documentos de esos números, en ese orden (la lista de
               examen no se guarda en la biblioteca), de cualquier libro

Sin CARPETA se lee la biblioteca que abriría brivo2: la de la variable de
entorno BRIVO2_CARPETA, la carpeta del programa si contiene Arbol0.tvw, o
$XDG_DATA_HOME/brivo2 (de ordinario ~/.local/share/brivo2).

Códigos de salida: 0 hecho (comprobar: nada que señalar), 1 comprobar encontró
incoherencias o algún documento no se pudo convertir o exportar (moodle: los
demás se exportan), 2 error de uso, carpeta ilegible, archivo dañado, biblioteca
abierta en otro programa o nada que exportar.
)";

// The library folder and the command from the arguments. Gives the exit
// code when the program ends here (help, usage error), -1 to go on.
int LeerArgumentos(const QStringList& argumentos, QString& carpeta, QString& orden) {
    QString opcion;
    QStringList resto;
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("-h") || a == QLatin1String("--help") ||
            a == QLatin1String("--ayuda")) {
            Escribir(TextoAyuda, stdout);
            return 0;
        }
        if (a == QLatin1String("--carpeta")) {
            if (i + 1 >= argumentos.size())
                return Uso();
            opcion = argumentos[++i];
        } else if (a.startsWith(QLatin1String("--carpeta="))) {
            opcion = a.mid(10);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return Uso();
        } else {
            resto << a;
        }
    }
    if (resto.size() == 2 && opcion.isEmpty()) {
        carpeta = resto[0];
        orden = resto[1];
        return -1;
    }
    if (resto.size() != 1)
        return Uso();
    orden = resto[0];
    carpeta = carpetas::Elegir(carpetas::TDatosEleccion::Leer(opcion)).Biblioteca;
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // The document commands need a GUI application of their own.
    if (argc >= 3 && EsOrdenDeDocumentos(argv[2]))
        return OrdenDeDocumentos(argc, argv);
    if (argc >= 3 && EsOrdenDeSeleccion(argv[2]))
        return OrdenDeSeleccion(argc, argv);
    if (argc >= 3 && EsOrdenMoodle(argv[2]))
        return OrdenMoodle(argc, argv);
    const QCoreApplication nucleo(argc, argv); // the program's own folder
    QString carpeta;
    QString orden;
    if (const int codigo = LeerArgumentos(QCoreApplication::arguments(), carpeta, orden);
        codigo >= 0)
        return codigo;
    const QStringList ordenes{QStringLiteral("libros"), QStringLiteral("documentos"),
                              QStringLiteral("arbol"), QStringLiteral("ajustes"),
                              QStringLiteral("comprobar")};
    if (!ordenes.contains(orden))
        return Uso();

    const QFileInfo info(carpeta);
    if (!info.isDir() || !info.isReadable() || !QDir(carpeta).isReadable()) {
        Escribir(QStringLiteral("No se puede leer la carpeta %1\n").arg(carpeta).toUtf8(), stderr);
        return 2;
    }

    TAlmacen almacen;
    almacen.CarpetaPrograma = QDir(carpeta).absolutePath() + QLatin1Char('/');
    almacen.CarpetaInstalados = carpetas::CarpetaInstalados(QCoreApplication::applicationDirPath());
    EscritorJson j;
    QStringList avisos;
    try {
        if (orden == QLatin1String("libros")) {
            LeerLibros(almacen.Ruta(QStringLiteral("Libros.lst")), almacen, &avisos);
            JsonLibros(almacen, j);
        } else if (orden == QLatin1String("documentos")) {
            LeerDocumentos(almacen.Ruta(QStringLiteral("Docs.lst")), almacen, &avisos);
            JsonDocumentos(almacen, j);
        } else if (orden == QLatin1String("arbol")) {
            const QString arbol = almacen.Ruta(QStringLiteral("Arbol.tvw"));
            almacen.Arbol.Cargar(QFileInfo::exists(arbol)
                                     ? arbol
                                     : almacen.RutaDelPrograma(QStringLiteral("Arbol0.tvw")));
            j.AbrirLista();
            for (const auto& r : almacen.Arbol.Raices())
                JsonNodo(*r, j);
            j.CerrarLista();
        } else if (orden == QLatin1String("ajustes")) {
            JsonAjustes(LeerAjustes(almacen.Ruta(QStringLiteral("BRIVO_II.INI"))), j);
        } else {
            LeerLibros(almacen.Ruta(QStringLiteral("Libros.lst")), almacen, &avisos);
            LeerDocumentos(almacen.Ruta(QStringLiteral("Docs.lst")), almacen, &avisos);
            const std::vector<Inconsistencia> lista = Comprobar(almacen, avisos);
            j.AbrirObjeto();
            j.Campo("inconsistencias", [&] {
                j.AbrirLista();
                for (const Inconsistencia& i : lista) {
                    j.AbrirObjeto();
                    j.Campo("tipo", [&] { j.Cadena(i.tipo); });
                    j.Campo("mensaje", [&] { j.Cadena(i.mensaje); });
                    j.CerrarObjeto();
                }
                j.CerrarLista();
            });
            j.CerrarObjeto();
            Escribir(j.Resultado(), stdout);
            return lista.empty() ? 0 : 1;
        }
    } catch (const ErrorBrivo& e) {
        Escribir((e.Mensaje() + QLatin1Char('\n')).toUtf8(), stderr);
        return 2;
    }
    Avisos(avisos);
    Escribir(j.Resultado(), stdout);
    return 0;
}
