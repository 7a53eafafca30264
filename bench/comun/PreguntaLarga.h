#pragma once
// The long formatted question of the word-processor benchmarks: about two
// pages in four sections with bold, italics, colour, a numbered list, an
// image and a table. Each benchmark gives it texts and colours of its own.
#include <functional>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "ArchivoDocumento.h"

namespace brivo::bench {

// A 160x90 PNG: a circle of colorCirculo and a blue square on white.
inline QByteArray ImagenPng(const QColor& colorCirculo) {
    QImage imagen(160, 90, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    {
        QPainter p(&imagen);
        p.setBrush(colorCirculo);
        p.drawEllipse(20, 10, 60, 60);
        p.setBrush(Qt::blue);
        p.drawRect(90, 20, 50, 50);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return png;
}

struct TPreguntaLarga {
    QStringList marcas;                // the four section markers
    QColor colorFrase;                 // the italic second sentence of each paragraph
    std::function<QString(int)> frase; // sentence number i
    int primeraFrase = 0;
    QString opcion; // text of a list item, "%1" its number
    QByteArray png; // the image of the first section
};

// Each section is its marker in bold and 8, 10, 6 and 4 paragraphs of a bold
// label and two sentences; the first section ends with a list of four items
// and the image, the second with a 3x3 table.
inline void LlenarPregunta(QTextCursor& c, const TPreguntaLarga& q) {
    QTextCharFormat normal;
    QTextCharFormat negrita;
    negrita.setFontWeight(QFont::Bold);
    QTextCharFormat color;
    color.setForeground(q.colorFrase);
    color.setFontItalic(true);
    const int parrafos[] = {8, 10, 6, 4};
    int frase = q.primeraFrase;
    for (int s = 0; s < 4; ++s) {
        if (s > 0)
            c.insertBlock(QTextBlockFormat(), normal);
        c.insertText(q.marcas.at(s), negrita);
        for (int p = 0; p < parrafos[s]; ++p) {
            c.insertBlock(QTextBlockFormat(), normal);
            c.insertText(QStringLiteral("Párrafo %1: ").arg(p + 1), negrita);
            c.insertText(q.frase(frase++), normal);
            c.insertText(q.frase(frase++), color);
        }
        if (s == 0) {
            QTextListFormat lista;
            lista.setStyle(QTextListFormat::ListDecimal);
            c.insertBlock(QTextBlockFormat(), normal);
            c.createList(lista);
            for (int i = 0; i < 4; ++i) {
                if (i > 0)
                    c.insertBlock();
                c.insertText(q.opcion.arg(i + 1));
            }
            c.insertBlock(QTextBlockFormat(), normal);
            QTextImageFormat formato;
            formato.setName(word::NombreImagenIncrustada(q.png, QStringLiteral("image/png")));
            formato.setWidth(160);
            formato.setHeight(90);
            c.insertImage(formato);
        }
        if (s == 1) {
            c.insertBlock(QTextBlockFormat(), normal);
            QTextTable* tabla = c.insertTable(3, 3);
            for (int f = 0; f < 3; ++f)
                for (int k = 0; k < 3; ++k)
                    tabla->cellAt(f, k).firstCursorPosition().insertText(
                        QStringLiteral("Celda %1,%2").arg(f).arg(k));
            c.movePosition(QTextCursor::End);
        }
    }
}

} // namespace brivo::bench
