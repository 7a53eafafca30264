#pragma once
// Support of the Moodle tests: a library in a temporary folder filled from a
// case description (tests/datos/moodle/<case>/biblioteca.txt and its
// documents as HTML files), the normalising of written files for golden
// comparisons, and small file helpers.
//
// biblioteca.txt, one entry per line ("#" starts a comment), fields apart
// by " | ":
//   libro RANURA | IDENTIFICADOR | TÍTULO | CARPETA | CLAVE_EN_DOC si/no | EXPORTAR si/no
//   nodo ID[,ID[,ID]] | TEXTO          (a node under the place of the ids before the last)
//   documento N | LIBRO | LUGAR m,t,c | TIPO | RESPUESTA | PUNTOS | DIFICULTAD | DESCRIPCIÓN [|
//   ARCHIVO] exportar libro | exportar nodo m[,t[,c]] | exportar documentos 3,1,2
// Document N's text is KNNNNNN.html of the case (images beside it), written
// into the book's folder in the engine's format, encrypted with the book's
// identifier when the book keeps it in its documents. ARCHIVO "sin-archivo"
// leaves the document without file; "clave=NNNNNN" encrypts it with another
// password. The "Útiles" branch of the tree is always there.
#include <array>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Almacen.h"
#include "ProcesadorTextos.h"

#include "TextosQt.h"

namespace brivo::pruebas {

using namespace brivo;

class TBiblioteca {
public:
    TBiblioteca();
    QString Ruta(const QString& relativa = {}) const { return carpeta.path() + '/' + relativa; }

    TLibro& Libro(int ranura, int identificador, const QString& titulo, const QString& carpetaLibro,
                  bool claveEnDoc = false);
    // A node under the node of the place given by ids without their last one.
    TNodo* Nodo(const std::vector<int>& ids, const QString& texto);
    // A document record and its file, written from HTML (relative images
    // found beside base), encrypted with clave when it is not empty.
    TDocumento& Documento(int numero, int idLibro, const TLugar& lugar, const QString& html,
                          const QString& clave = {}, const QString& base = {});

    TAlmacen almacen;
    // What a case asks to export: the documents chosen.
    std::vector<int> aExportar;

private:
    QTemporaryDir carpeta;
};

// tests/datos/moodle in the sources.
QString CarpetaCasos();
QStringList Casos();
// Fills the library from a case folder.
void CargarCaso(TBiblioteca& biblioteca, const QString& caso);

QByteArray Leer(const QString& ruta);
void Escribir(const QString& ruta, const QByteArray& datos);

// A written Moodle XML or GIFT file, compared as text: line breaks as "\n",
// the base64 contents of <file> elements as "[imagen PNG 40x20]" (their
// encoding depends on the image library), the output's path as SALIDA.
QString Normalizar(const QByteArray& datos, const QString& salida = {});

// Every file under carpeta with its size and a hash of its contents,
// sorted: two snapshots differ when anything was written there.
QStringList Instantanea(const QString& carpeta);

// A document of the library as the engine reads it (with its book's
// identifier): the plain text of each section ("#PREG", "#DESA", "#RESP",
// "#COMENT"), paragraphs joined by "|", and the sizes of its images.
struct TContenido {
    QStringList Secciones;
    std::array<QStringList, 4> Imagenes; // "WxH" of each image of each section, in order
    QStringList Todas() const {
        QStringList t;
        for (const QStringList& s : Imagenes)
            t += s;
        return t;
    }
};
TContenido ContenidoDe(const TAlmacen& almacen, int numero);

// A small PNG of one colour.
QByteArray Png(int ancho, int alto, Qt::GlobalColor color);

} // namespace brivo::pruebas
