#include "ModelosDocumento.h"

#include <QDir>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace brivo::word {

namespace {

void Parrafo(QTextCursor& cursor, bool primero, const QString& texto, const QTextCharFormat& letra,
             Qt::Alignment alineacion = Qt::AlignLeft) {
    QTextBlockFormat bloque;
    bloque.setAlignment(alineacion);
    bloque.setBottomMargin(6);
    if (primero)
        cursor.setBlockFormat(bloque);
    else
        cursor.insertBlock(bloque);
    cursor.setBlockCharFormat(letra);
    cursor.insertText(texto, letra);
}

} // namespace

void CrearModeloPregunta(QTextDocument& doc) {
    doc.clear();
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCharFormat marca;
    marca.setFontWeight(QFont::Bold);
    marca.setForeground(QColor(0x1F, 0x3A, 0x93));
    QTextCharFormat aviso;
    aviso.setFontItalic(true);
    aviso.setForeground(QColor(0x60, 0x60, 0x60));
    QTextCursor cursor(&doc);
    const struct {
        const char* marcador;
        QString indicacion;
    } secciones[] = {
        {"#PREG", QStringLiteral("Escriba aquí el enunciado de la pregunta.")},
        {"#DESA", QStringLiteral("Escriba aquí el desarrollo de la pregunta.")},
        {"#RESP", QStringLiteral("Escriba aquí la respuesta.")},
        {"#COMENT", QStringLiteral("Escriba aquí un comentario sobre la pregunta.")},
    };
    bool primero = true;
    for (const auto& seccion : secciones) {
        Parrafo(cursor, primero, QString::fromLatin1(seccion.marcador), marca);
        primero = false;
        Parrafo(cursor, false, seccion.indicacion, aviso);
    }
    doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Modelo de pregunta"));
    doc.setModified(false);
}

void CrearModeloExamen(QTextDocument& doc) {
    doc.clear();
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCharFormat titulo;
    titulo.setFontWeight(QFont::Bold);
    titulo.setFontPointSize(14);
    QTextCharFormat normal;
    normal.setFontPointSize(12);
    QTextCursor cursor(&doc);
    Parrafo(cursor, true, QStringLiteral("Centro: ______________________________________________"),
            titulo, Qt::AlignHCenter);
    Parrafo(cursor, false,
            QStringLiteral("Asignatura: ______________________________   Curso: ____________"),
            normal, Qt::AlignHCenter);
    Parrafo(cursor, false,
            QStringLiteral("Alumno: ______________________________   Fecha: ____________"), normal,
            Qt::AlignHCenter);
    // The questions are appended after this last, left-aligned, empty paragraph.
    Parrafo(cursor, false, QString(), normal, Qt::AlignLeft);
    doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Modelo de examen"));
    doc.setModified(false);
}

void EscribirModelos(const QString& carpeta) {
    const QString base = QDir(carpeta).absolutePath() + QLatin1Char('/');
    QTextDocument pregunta;
    CrearModeloPregunta(pregunta);
    GuardarArchivoDocumento(base + NombreModeloPregunta, QString(), pregunta,
                            {{1, QStringLiteral("Modelo de pregunta")}});
    QTextDocument examen;
    CrearModeloExamen(examen);
    GuardarArchivoDocumento(base + NombreModeloExamen, QString(), examen,
                            {{1, QStringLiteral("Modelo de examen")}});
}

} // namespace brivo::word
