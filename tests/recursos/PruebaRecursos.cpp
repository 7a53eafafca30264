// The program's pictures as the resource file holds them.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "AplicacionPrueba.h"
#include "Recursos.h"

using namespace brivo;

namespace {

const auto* const aplicacion = pruebas::RegistrarAplicacion("prueba_recursos");

const QString CarpetaIconos = QStringLiteral(BRIVO_FUENTES "recursos/iconos/");

// The pictures of the source folder, as names for recursos::Icono
// ("barras/NuevoNodo"), of one sub-folder or of all.
QStringList Nombres(const QString& subcarpeta = QString()) {
    QStringList nombres;
    QDirIterator it(CarpetaIconos + subcarpeta, {QStringLiteral("*.svg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString ruta = QDir(CarpetaIconos).relativeFilePath(it.next());
        ruta.chop(4);
        nombres << ruta;
    }
    nombres.sort();
    return nombres;
}

struct TTinta {
    double Cubierto = 0; // share of the square with some paint
    double Claridad = 0; // mean lightness (0 to 255) of the painted pixels, by their opacity
};

TTinta Medir(const QImage& imagen) {
    double opacidad = 0;
    double claridad = 0;
    int pintados = 0;
    for (int y = 0; y < imagen.height(); ++y) {
        for (int x = 0; x < imagen.width(); ++x) {
            const QRgb p = imagen.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            if (a == 0)
                continue;
            ++pintados;
            opacidad += a;
            claridad += a * qGray(p);
        }
    }
    TTinta t;
    t.Cubierto = double(pintados) / (imagen.width() * imagen.height());
    t.Claridad = opacidad > 0 ? claridad / opacidad : 0;
    return t;
}

QImage Imagen(const QIcon& icono, int lado) {
    return icono.pixmap(lado, lado).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(Recursos, CadaDibujoDeLaCarpetaSeDibujaDesdeElArchivoDeRecursos) {
    const QStringList nombres = Nombres();
    ASSERT_GE(nombres.size(), 30);
    for (const QString& nombre : nombres) {
        // The resource holds the file as it is in the source folder.
        QFile fuente(CarpetaIconos + nombre + QStringLiteral(".svg"));
        QFile recurso(recursos::Ruta(nombre));
        ASSERT_TRUE(fuente.open(QIODevice::ReadOnly)) << nombre.toStdString();
        // Icono registers the resources before the first look-up.
        const QIcon icono = recursos::Icono(nombre, {16, 24, 32});
        ASSERT_TRUE(recurso.open(QIODevice::ReadOnly))
            << "falta en Recursos.qrc: " << nombre.toStdString();
        EXPECT_EQ(recurso.readAll(), fuente.readAll()) << nombre.toStdString();
        ASSERT_FALSE(icono.isNull()) << nombre.toStdString();
        for (int lado : {16, 24, 32}) {
            const QImage imagen = Imagen(icono, lado);
            EXPECT_EQ(imagen.size(), QSize(lado, lado)) << nombre.toStdString();
            // Something is drawn, and the picture is not a filled square.
            const TTinta t = Medir(imagen);
            EXPECT_GT(t.Cubierto, 0.1) << nombre.toStdString() << " " << lado;
            EXPECT_LT(t.Cubierto, 0.95) << nombre.toStdString() << " " << lado;
        }
    }
    EXPECT_TRUE(recursos::Icono(QStringLiteral("barras/NoExiste"), {16}).isNull());
}

TEST(Recursos, LosDibujosDeLasBarrasNegrasSonClaros) {
    // The main window's toolbars are black: their pictures are light on
    // transparent, so that they read there.
    const QStringList barras = Nombres(QStringLiteral("barras"));
    ASSERT_EQ(barras.size(), 12);
    for (const QString& nombre : barras) {
        const TTinta t = Medir(Imagen(recursos::Icono(nombre, {16}), 16));
        EXPECT_GT(t.Claridad, 140) << nombre.toStdString();
    }
}

TEST(Recursos, ElIconoDelProgramaEsElDelEscritorio) {
    QFile escritorio(QStringLiteral(BRIVO_FUENTES "recursos/escritorio/brivo2.svg"));
    ASSERT_TRUE(escritorio.open(QIODevice::ReadOnly));
    const QIcon icono = recursos::IconoPrograma();
    QFile recurso(recursos::Ruta(QStringLiteral("programa")));
    ASSERT_TRUE(recurso.open(QIODevice::ReadOnly));
    EXPECT_EQ(recurso.readAll(), escritorio.readAll());
    // Drawn at the sizes of window icons, the large ones included.
    for (int lado : {16, 32, 48, 256}) {
        EXPECT_EQ(Imagen(icono, lado).size(), QSize(lado, lado)) << lado;
        EXPECT_GT(Medir(Imagen(icono, lado)).Cubierto, 0.5) << lado;
    }
}
