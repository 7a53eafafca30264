#pragma once
// Helpers of the store tests: temporary program folders and records built
// byte by byte from the file layouts, independently of the store's own code.
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace brivo::pruebas {

inline void PonerEntero(QByteArray& b, int desplazamiento, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b[desplazamiento + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

inline std::int32_t Entero(const QByteArray& b, int desplazamiento) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(static_cast<unsigned char>(b[desplazamiento + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

// Length byte plus the text bytes (Latin-1 here stands for Windows-1252 in the
// range the tests use).
inline void PonerCadena(QByteArray& b, int desplazamiento, const QByteArray& texto) {
    b[desplazamiento] = static_cast<char>(texto.size());
    std::memcpy(b.data() + desplazamiento + 1, texto.constData(), texto.size());
}

inline QByteArray Cadena(const QByteArray& b, int desplazamiento) {
    return b.mid(desplazamiento + 1, static_cast<unsigned char>(b[desplazamiento]));
}

// A stored form made of six two-digit values b1..b6 as they stand in the
// file, whatever digits they decode to (a damaged file).
inline QByteArray ClaveDeValores(const int (&b)[6]) {
    QByteArray s;
    for (int v : b)
        s += QByteArray::number(v).rightJustified(2, '0');
    for (int i = 0; i < 12; ++i)
        s[i] = static_cast<char>(s[i] + 127 + 2 * (i + 1));
    return s;
}

// The stored form of an identifier, worked out from the six digits.
inline QByteArray ClaveDe(int identificador) {
    const QByteArray t = QByteArray::number(identificador).rightJustified(6, '0');
    int a[7];
    for (int i = 0; i < 6; ++i)
        a[i + 1] = t[i] - '0';
    const int b[6] = {9 * a[5],
                      5 * a[5] + 6 * a[6],
                      2 * a[5] + 3 * a[6] + 4 * a[4],
                      2 * a[3] + 3 * a[4] + 4 * a[5],
                      4 * a[2] + 3 * a[3] + 2 * a[4],
                      2 * a[1] + 3 * a[2] + 4 * a[6]};
    QByteArray s;
    for (int v : b)
        s += QByteArray::number(v).rightJustified(2, '0');
    for (int i = 0; i < 12; ++i)
        s[i] = static_cast<char>(s[i] + 127 + 2 * (i + 1));
    return s;
}

struct LibroEnBytes {
    int senuelo = 500000;
    QByteArray titulo, autor, materia, comentario, carpeta;
    bool permisos[4] = {true, true, true, true};
    QByteArray clave; // stored form
};

inline QByteArray RegistroLibro(const LibroEnBytes& l) {
    QByteArray b(844, '\0');
    PonerEntero(b, 0, l.senuelo);
    PonerCadena(b, 4, l.titulo);
    PonerCadena(b, 105, l.autor);
    PonerCadena(b, 206, l.materia);
    PonerCadena(b, 307, l.comentario);
    PonerCadena(b, 508, l.carpeta);
    for (int i = 0; i < 4; ++i)
        b[609 + i] = l.permisos[i] ? 1 : 0;
    PonerEntero(b, 616, 1);
    PonerCadena(b, 620, l.clave);
    PonerCadena(b, 641, QByteArray(100, char(150)));
    PonerCadena(b, 742, QByteArray(100, char(200)));
    return b;
}

inline QByteArray RegistroLibro(int identificador, const QByteArray& titulo,
                                const QByteArray& carpeta) {
    LibroEnBytes l;
    l.titulo = titulo;
    l.carpeta = carpeta;
    l.clave = ClaveDe(identificador);
    return RegistroLibro(l);
}

struct DocumentoEnBytes {
    int numero = 1;
    bool marcado = false;
    QByteArray descripcion;
    int dificultad = 0;
    double puntos = 0;
    int tipo = 0;
    QByteArray respuesta;
    int usos = 0, similitud = 0;
    QByteArray creacion = "08/12/2026", uso = "01/01/1900";
    int libro = 0, materia = 2, tema = 0, contenido = 0;
    QByteArray formato = "DOC9";
};

inline QByteArray RegistroDocumento(const DocumentoEnBytes& d) {
    QByteArray b(232, '\0');
    PonerEntero(b, 0, d.numero);
    b[4] = d.marcado ? 1 : 0;
    PonerCadena(b, 5, d.descripcion);
    PonerEntero(b, 108, d.dificultad);
    std::uint64_t u;
    std::memcpy(&u, &d.puntos, 8);
    for (int i = 0; i < 8; ++i)
        b[112 + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    PonerEntero(b, 120, d.tipo);
    PonerCadena(b, 124, d.respuesta);
    PonerEntero(b, 136, d.usos);
    PonerEntero(b, 140, d.similitud);
    PonerCadena(b, 144, d.creacion);
    PonerCadena(b, 155, d.uso);
    PonerEntero(b, 168, d.libro);
    PonerEntero(b, 172, d.materia);
    PonerEntero(b, 176, d.tema);
    PonerEntero(b, 180, d.contenido);
    PonerCadena(b, 204, d.formato);
    return b;
}

inline QByteArray RegistroDocumento(int numero, int libro, const QByteArray& descripcion) {
    DocumentoEnBytes d;
    d.numero = numero;
    d.libro = libro;
    d.descripcion = descripcion;
    return RegistroDocumento(d);
}

// One node block of the tree file.
inline QByteArray BloqueNodo(const QByteArray& texto, const QByteArray& id, int hijos,
                             int imagen = 0, int seleccion = 0) {
    QByteArray info(39, '\0');
    PonerEntero(info, 0, imagen);
    PonerEntero(info, 4, seleccion);
    PonerEntero(info, 8, -1);
    PonerEntero(info, 12, -1);
    PonerEntero(info, 26, static_cast<int>(id.size()));
    PonerEntero(info, 30, 0);
    PonerEntero(info, 34, hijos);
    info[38] = static_cast<char>(texto.size());
    info += texto;
    QByteArray b(4, '\0');
    PonerEntero(b, 0, static_cast<int>(info.size()));
    return b + info + id;
}

inline QByteArray Cuenta(int n) {
    QByteArray b(4, '\0');
    PonerEntero(b, 0, n);
    return b;
}

inline void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("no se pudo escribir el archivo de prueba");
    f.write(datos);
}

inline QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// A program folder with its Docs/ sub-folder.
class CarpetaPrueba {
public:
    CarpetaPrueba() { QDir(dir.path()).mkpath(QStringLiteral("Docs")); }
    QString Ruta(const QString& nombre = QString()) const { return dir.path() + '/' + nombre; }

private:
    QTemporaryDir dir;
};

} // namespace brivo::pruebas
