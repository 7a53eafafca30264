#include "Recursos.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources of a static library are registered by hand, from outside any
// namespace; Icono does it before its first use.
static void RegistrarRecursos() {
    Q_INIT_RESOURCE(Recursos);
}

namespace brivo::recursos {

QString Ruta(const QString& nombre) {
    return QStringLiteral(":/iconos/") + nombre + QStringLiteral(".svg");
}

QIcon Icono(const QString& nombre, std::initializer_list<int> lados) {
    static const bool registrados = (RegistrarRecursos(), true);
    (void)registrados;
    QSvgRenderer dibujo(Ruta(nombre));
    if (!dibujo.isValid())
        return {};
    QIcon icono;
    for (int lado : lados) {
        QPixmap imagen(lado, lado);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        dibujo.render(&pintor, QRectF(0, 0, lado, lado));
        pintor.end();
        icono.addPixmap(imagen);
    }
    return icono;
}

QIcon IconoPrograma() {
    return Icono(QStringLiteral("programa"), {16, 24, 32, 48, 64, 128, 256});
}

} // namespace brivo::recursos
