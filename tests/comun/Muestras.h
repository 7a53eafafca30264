#pragma once
// The sample library files under tests/datos, written field by field by
// tests/datos/generar.py, and the values each of them holds, written out here
// by hand as the generator puts them in: the suites that read the files
// compare what the program reads with these tables, never with values the
// program worked out.
#include <cstdint>
#include <ostream>
#include <vector>

#include <QString>

namespace brivo::pruebas::muestras {

// Path of a sample file, relative to tests/datos.
inline QString Archivo(const char* relativa) {
    return QString::fromUtf8(BRIVO_DATOS_PRUEBA) + QString::fromUtf8(relativa);
}

// biblioteca/Libros.lst, in file order (so in slots 1, 2, 3, 4).
struct LibroEsperado {
    int Slot;
    std::int32_t Identificador;
    QString Titulo, Autor, Materia, Comentario, Carpeta;
    bool ClaveEnDoc, PermitirCambiosEnDoc, PermitirMasDoc, PermitirExportar;
};

inline std::vector<LibroEsperado> LibrosEsperados() {
    auto t = [](const char* s) { return QString::fromUtf8(s); };
    return {
        {1, 123456, t("Matemáticas de 1º de Bachillerato"), t("Ana Núñez Peña"), t("Matemáticas"),
         t("Ejercicios de álgebra y cálculo"), t("Matematicas1"), true, true, true, true},
        {2, 7, t("Libro cerrado"), t("Departamento"), t("Latín"), QString(), t("Cerrado"), true,
         false, false, false},
        {3, 999999,
         t("Historia de España: de la Prehistoria a la Transición, con mapas, cronologías y "
           "comentarios de texto"),
         t("José Ángel Muñoz"), t("Historia"),
         t("Comentario de doscientos caracteres. ").repeated(6).left(200), t("Historia de España"),
         false, true, false, true},
        {4, 10203, t("Sin autor"), QString(), QString(), QString(), t("sin_autor"), false, false,
         true, true},
    };
}

// biblioteca/Docs.lst, in file order; slot 3 and slots 9..499 are free.
struct DocumentoEsperado {
    std::int32_t Numero;
    bool MarcadoEnArchivo; // a load clears it
    QString Descripcion;
    std::int32_t Dificultad;
    double Puntos;
    std::int32_t Tipo;
    QString Respuesta;
    std::int32_t Usos, Similitud;
    QString FechaCreacion, FechaUso;
    std::int32_t IdLibro, IdMateria, IdTema, IdContenido;
    QString Formato;
};

inline void PrintTo(const LibroEsperado& l, std::ostream* os) {
    *os << "libro " << l.Identificador;
}
inline void PrintTo(const DocumentoEsperado& d, std::ostream* os) {
    *os << "documento " << d.Numero;
}

inline std::vector<DocumentoEsperado> DocumentosEsperados() {
    auto t = [](const char* s) { return QString::fromUtf8(s); };
    const QString creado = t("15/09/2003");
    const QString nunca = t("01/01/1900");
    const QString largo = t("Descripción de cien caracteres, con acentos: á é í ó ú ñ ü ¿¡ y el "
                            "resto de relleno hasta el 100....");
    return {
        {1, false, t("Modelo de documento 1"), 0, 0.0, 0, QString(), 0, 0, creado, nunca, 123456, 1,
         1, 0, t("DOC8")},
        {2, false, t("Modelo de examen 2"), 0, 0.0, 0, QString(), 0, 0, creado, nunca, 123456, 1, 2,
         0, t("DOC8")},
        {4, false, t("¿Cuál es la raíz cuadrada de 2?"), 3, 1.5, 1, t("b"), 2, 1, t("01/10/2003"),
         t("12/11/2003"), 123456, 2, 1, 1, t("DOC8")},
        {5, false, t("Examen 5"), 0, 0.0, 0, QString(), 0, 0, t("12/11/2003"), nunca, 123456, 1, 3,
         0, t("DOC9")},
        {6, false, t("Problema de Latín"), 9, 10.0, 2, QString(), 0, 0, creado, nunca, 7, 2, 2,
         987654321, t("DOC8")},
        {7, true, t("Pregunta de la materia"), 0, 0.25, 3, QString(), 0, 0, creado, nunca, 10203, 2,
         0, 0, t("DOC8")},
        {8, false, t("Sin nodo"), -1, -2.5, 3, QString(), 0, 0, creado, nunca, 999999, 777, 3, 0,
         t("DOC8")},
        {500, false, largo, 2147483647, 1.0e300, 0, t("ñáéíóú¿?¡!"), 2147483647, -2147483647 - 1,
         t("31/12/9999"), t("29/02/2000"), 999999, 998999999, 100000000, 555555555,
         t("DOC12345678901234567")},
    };
}

// biblioteca/Arbol.tvw, node by node in depth-first order.
struct NodoEsperado {
    int Nivel;
    QString Texto;
    QString Identificador;
    int Id; // the identifier as a number, -1 when there is none
    int Hijos;
    std::int32_t Imagen = 0, ImagenSeleccion = 0, ImagenEstado = -1, Superpuesta = -1;
    int TipoCasilla = 0;
    bool Marcada = false, Atenuada = false;
    std::int32_t Datos = 0;
    QString Dato2 = QString();
};

// The five nodes under "Útiles", at level 1.
inline std::vector<NodoEsperado> NodosDeUtiles() {
    auto t = [](const char* s) { return QString::fromUtf8(s); };
    return {{0, t("Útiles"), t("1"), 1, 5},
            {1, t("Modelos de pregunta"), t("1"), 1, 0},
            {1, t("Modelos de examen"), t("2"), 2, 0},
            {1, t("Exámenes"), t("3"), 3, 0},
            {1, t("No asignados"), t("4"), 4, 0},
            {1, t("Todos"), t("5"), 5, 0}};
}

inline std::vector<NodoEsperado> NodosEsperados() {
    auto t = [](const char* s) { return QString::fromUtf8(s); };
    std::vector<NodoEsperado> n = NodosDeUtiles();
    const std::vector<NodoEsperado> resto = {
        {0, t("Matemáticas"), t("2"), 2, 2},
        {1, t("Álgebra"), t("1"), 1, 2},
        {2, t("Ecuaciones de 2º grado"), t("1"), 1, 0},
        {2, t("Matrices y determinantes"), t("123456789"), 123456789, 0},
        {1, t("Análisis"), t("2"), 2, 1},
        {2, t("Contenido de doscientos cincuenta y cinco caracteres. ").repeated(5).left(255),
         t("987654321"), 987654321, 0},
        {0, t("Física y Química"), t("500000001"), 500000001, 1, 1, 1},
        {1, t("Óptica"), t("500000002"), 500000002, 1, 0, 0, 2, 3, 1, true, true, -7, t("nota")},
        {2, t("Refracción — ley de Snell"), t("500000003"), 500000003, 0},
        {0, t("Señales sin número"), QString(), -1, 0},
    };
    n.insert(n.end(), resto.begin(), resto.end());
    return n;
}

// arbol_inicial/Arbol0.tvw: the tree of a new installation.
inline std::vector<NodoEsperado> NodosIniciales() {
    auto t = [](const char* s) { return QString::fromUtf8(s); };
    std::vector<NodoEsperado> n = NodosDeUtiles();
    n.push_back({0, t("Nueva materia"), t("2"), 2, 1});
    n.push_back({1, t("Nuevo tema"), t("1"), 1, 1});
    n.push_back({2, t("Nuevo contenido"), t("1"), 1, 0});
    return n;
}

// paquete/Fisica_y_Quimica.zip: a package without password of the book
// 314159, whose comment is its folder "Física y Química".
inline const std::int32_t IdLibroPaquete = 314159;

} // namespace brivo::pruebas::muestras
