#include "Iconos.h"

#include <cmath>
#include <functional>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace brivo::iconos {

namespace {

const QColor Papel(245, 245, 235);
const QColor Tinta(40, 40, 40);
const QColor Verde(60, 200, 80);
const QColor Rojo(235, 60, 50);
const QColor Amarillo(250, 210, 70);
const QColor Azul(90, 160, 250);

// Draws on a 16x16 grid scaled to the requested size.
QIcon Dibujar(const std::function<void(QPainter&)>& dibujo) {
    QIcon icono;
    for (int lado : {16, 32}) {
        QPixmap mapa(lado, lado);
        mapa.fill(Qt::transparent);
        QPainter p(&mapa);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(lado / 16.0, lado / 16.0);
        dibujo(p);
        p.end();
        icono.addPixmap(mapa);
    }
    return icono;
}

void Hoja(QPainter& p, const QRectF& r) {
    QPainterPath camino;
    camino.moveTo(r.left(), r.top());
    camino.lineTo(r.right() - 3, r.top());
    camino.lineTo(r.right(), r.top() + 3);
    camino.lineTo(r.right(), r.bottom());
    camino.lineTo(r.left(), r.bottom());
    camino.closeSubpath();
    p.setPen(QPen(Tinta, 0.8));
    p.setBrush(Papel);
    p.drawPath(camino);
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    for (qreal y = r.top() + 4; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Mas(QPainter& p, QPointF centro, const QColor& color) {
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centro + QPointF(-3, 0), centro + QPointF(3, 0));
    p.drawLine(centro + QPointF(0, -3), centro + QPointF(0, 3));
}

void Cruz(QPainter& p, QPointF centro, qreal r) {
    p.setPen(QPen(Rojo, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centro + QPointF(-r, -r), centro + QPointF(r, r));
    p.drawLine(centro + QPointF(-r, r), centro + QPointF(r, -r));
}

void Nodo(QPainter& p, const QRectF& r, const QColor& color) {
    p.setPen(QPen(Papel, 0.8));
    p.setBrush(color);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void Carpeta(QPainter& p, bool abierta) {
    p.setPen(QPen(QColor(120, 90, 20), 0.8));
    p.setBrush(QColor(235, 190, 80));
    QPainterPath fondo;
    fondo.moveTo(1.5, 3.5);
    fondo.lineTo(6, 3.5);
    fondo.lineTo(7.5, 5);
    fondo.lineTo(13.5, 5);
    fondo.lineTo(13.5, 13.5);
    fondo.lineTo(1.5, 13.5);
    fondo.closeSubpath();
    p.drawPath(fondo);
    if (abierta) {
        QPainterPath tapa;
        tapa.moveTo(3.5, 7.5);
        tapa.lineTo(15.5, 7.5);
        tapa.lineTo(13.5, 13.5);
        tapa.lineTo(1.5, 13.5);
        tapa.closeSubpath();
        p.setBrush(QColor(255, 225, 130));
        p.drawPath(tapa);
    }
}

// A node with one child below it, the child's left side at x.
void Rama(QPainter& p, qreal x, const QColor& colorHijo) {
    p.setPen(QPen(Papel, 1));
    p.drawLine(QPointF(3, 6), QPointF(3, 11.5));
    p.drawLine(QPointF(3, 11.5), QPointF(x, 11.5));
    Nodo(p, QRectF(1, 1.5, 5, 5), Amarillo);
    Nodo(p, QRectF(x, 9.5, 4, 4), colorHijo);
}

} // namespace

QIcon NodoCerrado() {
    return Dibujar([](QPainter& p) { Carpeta(p, false); });
}

QIcon NodoAbierto() {
    return Dibujar([](QPainter& p) { Carpeta(p, true); });
}

QIcon NuevoNodo() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(Papel, 1));
        p.drawLine(QPointF(3, 2), QPointF(3, 12));
        p.drawLine(QPointF(3, 4.5), QPointF(6, 4.5));
        p.drawLine(QPointF(3, 11.5), QPointF(6, 11.5));
        Nodo(p, QRectF(6, 2.5, 4, 4), Amarillo);
        Nodo(p, QRectF(6, 9.5, 4, 4), Amarillo);
        Mas(p, QPointF(12.5, 12), Verde);
    });
}

QIcon NuevoSubNodo() {
    return Dibujar([](QPainter& p) {
        Rama(p, 7, Azul);
        Mas(p, QPointF(12.5, 4.5), Verde);
    });
}

QIcon BorraNodo() {
    return Dibujar([](QPainter& p) {
        Rama(p, 6, Amarillo);
        Cruz(p, QPointF(12, 5), 2.8);
    });
}

QIcon Editor() {
    return Dibujar([](QPainter& p) {
        Hoja(p, QRectF(1.5, 1.5, 10, 13));
        p.setPen(QPen(Amarillo, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 12), QPointF(14, 4));
        p.setPen(QPen(Tinta, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6.2, 13), QPointF(7, 12));
    });
}

QIcon Opciones() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(Papel, 1.5, Qt::SolidLine, Qt::RoundCap));
        for (qreal y : {3.5, 8.0, 12.5})
            p.drawLine(QPointF(2, y), QPointF(14, y));
        p.setPen(QPen(Tinta, 0.8));
        p.setBrush(Azul);
        p.drawEllipse(QPointF(5, 3.5), 2, 2);
        p.drawEllipse(QPointF(11, 8), 2, 2);
        p.drawEllipse(QPointF(7, 12.5), 2, 2);
    });
}

QIcon NuevoDoc() {
    return Dibujar([](QPainter& p) {
        Hoja(p, QRectF(1.5, 1.5, 10, 13));
        Mas(p, QPointF(12, 11.5), Verde);
    });
}

QIcon BorraDoc() {
    return Dibujar([](QPainter& p) {
        Hoja(p, QRectF(1.5, 1.5, 10, 13));
        Cruz(p, QPointF(12, 11.5), 2.6);
    });
}

QIcon VerExamen() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(Papel, 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 13.5));
        p.setPen(QPen(Azul, 1.5, Qt::SolidLine, Qt::RoundCap));
        for (qreal y : {5.5, 8.0, 10.5})
            p.drawLine(QPointF(11, y), QPointF(13, y));
        p.setPen(QPen(Amarillo, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 8), QPointF(7.5, 8));
        p.drawLine(QPointF(5.5, 6), QPointF(7.5, 8));
        p.drawLine(QPointF(5.5, 10), QPointF(7.5, 8));
    });
}

QIcon PropDoc() {
    return Dibujar([](QPainter& p) {
        Hoja(p, QRectF(1.5, 1.5, 10, 13));
        p.setPen(QPen(Tinta, 0.8));
        p.setBrush(Azul);
        p.drawEllipse(QPointF(11.5, 11), 4, 4);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11.5, 10.5), QPointF(11.5, 13));
        p.drawPoint(QPointF(11.5, 8.5));
    });
}

QIcon PregsAExamen() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(Tinta, 0.8));
        p.setBrush(Papel);
        p.drawRect(QRectF(1.5, 3.5, 5, 5));
        p.setPen(QPen(Verde, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5, 6), QPointF(3.8, 7.3));
        p.drawLine(QPointF(3.8, 7.3), QPointF(5.8, 4.3));
        p.setPen(QPen(Amarillo, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 12), QPointF(13, 12));
        p.drawLine(QPointF(10, 9), QPointF(13, 12));
        p.drawLine(QPointF(10, 15), QPointF(13, 12));
    });
}

QIcon BorraPregExam() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(Papel, 1.5, Qt::SolidLine, Qt::RoundCap));
        for (qreal y : {3.0, 6.0, 9.0, 12.0})
            p.drawLine(QPointF(2, y), QPointF(9, y));
        Cruz(p, QPointF(12, 11), 2.6);
    });
}

QIcon CrearExamen() {
    return Dibujar([](QPainter& p) {
        Hoja(p, QRectF(1.5, 1.5, 11, 13));
        p.setPen(QPen(QColor(150, 100, 0), 0.6));
        p.setBrush(Amarillo);
        QPainterPath estrella;
        const QPointF c(11.5, 11.5);
        for (int i = 0; i < 10; ++i) {
            const qreal radio = (i % 2 == 0) ? 4.2 : 1.8;
            const qreal angulo = -M_PI / 2 + i * M_PI / 5;
            const QPointF punto = c + QPointF(radio * std::cos(angulo), radio * std::sin(angulo));
            if (i == 0)
                estrella.moveTo(punto);
            else
                estrella.lineTo(punto);
        }
        estrella.closeSubpath();
        p.drawPath(estrella);
    });
}

QIcon Programa() {
    return Dibujar([](QPainter& p) {
        p.setPen(QPen(QColor(30, 60, 120), 0.8));
        p.setBrush(QColor(50, 100, 190));
        p.drawRoundedRect(QRectF(1, 2, 14, 12), 2, 2);
        p.setPen(QPen(Qt::white, 0.8));
        p.setBrush(Papel);
        p.drawRect(QRectF(3, 4, 4.5, 8));
        p.drawRect(QRectF(8.5, 4, 4.5, 8));
        p.setPen(QPen(Rojo, 1.4));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
    });
}

} // namespace brivo::iconos
