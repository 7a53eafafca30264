// "brivo2-datos CARPETA seleccionar" run on a library written to a folder:
// its JSON against the choice made in this process, the seed it draws and
// prints, its exit codes, its errors, and a folder left as it was.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "BibliotecaSeleccion.h"
#include "Seleccion.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

const QString Datos = QStringLiteral(BRIVO_CARPETA_PROGRAMA "brivo2-datos");

struct Salida {
    int codigo = -1;
    QJsonObject json;
    QString error;
};

// Every file of the folder with a hash of its bytes.
QMap<QString, QByteArray> Huella(const QString& carpeta) {
    QMap<QString, QByteArray> h;
    QDirIterator it(carpeta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        f.open(QIODevice::ReadOnly);
        h[it.filePath()] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
    }
    return h;
}

std::vector<int> Numeros(const QJsonValue& v) {
    std::vector<int> r;
    for (const QJsonValue& x : v.toArray())
        r.push_back(x.toInt());
    return r;
}

class OrdenSeleccionar : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        carpeta = dir.path() + QLatin1Char('/');
        QDir(carpeta).mkpath(QStringLiteral("Docs"));
        a.CarpetaPrograma = carpeta;
        PrepararBiblioteca(a);
        for (int k = 1; k <= 60; ++k)
            PonerDocumento(a, {k,
                               {k % 2 ? 2 : 7, 1 + k % 2, k % 3 == 0 ? 1 : 0},
                               k % 10,
                               1 + k % 3,
                               k % 4,
                               k % 5 ? "01/01/1900" : "10/10/2024",
                               k % 7,
                               k % 11 ? LibroA : LibroB});
        PonerDocumento(a, {61, {1, 3, 0}}); // an exam
        a.GuardarLibreria();
    }

    Salida Ejecutar(QStringList args) {
        args.prepend(QStringLiteral("seleccionar"));
        args.prepend(carpeta);
        QProcess p;
        p.start(Datos, args);
        Salida s;
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return s;
        s.codigo = p.exitCode();
        s.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        s.error = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    QTemporaryDir dir;
    QString carpeta;
    TAlmacen a;
};

TEST_F(OrdenSeleccionar, EligeLoMismoQueElNucleoYNoCambiaNada) {
    const auto antes = Huella(carpeta);
    const Salida s = Ejecutar({"--libro", "1", "--fila", "2/2:0-9:cualquiera:4", "--fila",
                               "2:3-8:test:30", "--fila=7/2/1:5:2:1", "--similitud",
                               "--no-usadas-desde", "1/10/2024", "--semilla=4242"});
    EXPECT_EQ(Huella(carpeta), antes);
    ASSERT_EQ(s.codigo, 1) << s.error.toStdString(); // the second row falls short

    TOpcionesSeleccion o;
    o.IdLibro = LibroA;
    o.Semilla = 4242;
    o.UnaPorGrupo = true;
    o.NoUsadasDesde = QDate(2024, 10, 1);
    const TResultadoSeleccion r = Seleccionar(
        a, {{Nodo(a, 2, 2), 0, 9, 0, 4}, {Nodo(a, 2), 3, 8, 1, 30}, {Nodo(a, 7, 2, 1), 5, 5, 2, 1}},
        o);
    EXPECT_EQ(Numeros(s.json["documentos"]), r.Documentos);
    EXPECT_EQ(s.json["semilla"].toInteger(), 4242);
    EXPECT_EQ(s.json["libro"].toInt(), 1);
    EXPECT_EQ(s.json["no_usadas_desde"].toString(), QStringLiteral("01/10/2024"));
    EXPECT_TRUE(s.json["similitud"].toBool());
    EXPECT_TRUE(s.json["menos_usadas"].toBool());
    EXPECT_FALSE(s.json["completa"].toBool());
    const QJsonArray filas = s.json["filas"].toArray();
    ASSERT_EQ(filas.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject f = filas[i].toObject();
        const TInformeFila& esperado = r.Filas[static_cast<size_t>(i)];
        EXPECT_EQ(f["fila"].toInt(), i + 1);
        EXPECT_EQ(f["pedidas"].toInt(), esperado.Pedidas);
        EXPECT_EQ(f["encontradas"].toInt(), esperado.Encontradas);
        EXPECT_EQ(f["tomadas"].toInt(), esperado.Tomadas);
        EXPECT_EQ(f["faltan"].toInt(), esperado.Faltan());
        EXPECT_EQ(Numeros(f["documentos"]), esperado.Documentos);
    }
    EXPECT_EQ(filas[0]["nodo"].toString(), QStringLiteral("2/2"));
    EXPECT_EQ(filas[0]["texto"].toString(), QStringLiteral("Funciones"));
    EXPECT_EQ(filas[1]["tipo"].toString(), QStringLiteral("Test"));
    EXPECT_EQ(filas[2]["dificultad_desde"].toInt(), 5);
    EXPECT_EQ(filas[2]["dificultad_hasta"].toInt(), 5);
    EXPECT_EQ(filas[2]["tipo"].toString(), QStringLiteral("Prob"));
    EXPECT_GT(filas[1]["faltan"].toInt(), 0);
}

TEST_F(OrdenSeleccionar, ElNodoTambienSeEscribeConComas) {
    const QStringList resto{"--similitud", "--semilla=77"};
    const Salida barras =
        Ejecutar(QStringList{"--libro", "1", "--fila", "2/2:0-9:cualquiera:2"} + resto);
    const Salida comas =
        Ejecutar(QStringList{"--libro", "1", "--fila", "2,2:0-9:cualquiera:2"} + resto);
    ASSERT_NE(barras.codigo, 2) << barras.error.toStdString();
    EXPECT_EQ(comas.codigo, barras.codigo) << comas.error.toStdString();
    EXPECT_EQ(Numeros(comas.json["documentos"]), Numeros(barras.json["documentos"]));
    EXPECT_FALSE(Numeros(comas.json["documentos"]).empty());
}

TEST_F(OrdenSeleccionar, SinSemillaSorteaUnaYLaMuestra) {
    const QStringList args{"--libro", "1", "--fila", "2:0-9:cualquiera:5", "--al-azar"};
    const Salida s = Ejecutar(args);
    ASSERT_EQ(s.codigo, 0) << s.error.toStdString();
    EXPECT_FALSE(s.json["menos_usadas"].toBool());
    EXPECT_TRUE(s.json["no_usadas_desde"].isNull());
    const qint64 semilla = s.json["semilla"].toInteger();
    EXPECT_GE(semilla, 1);
    const Salida otra = Ejecutar(args + QStringList{"--semilla", QString::number(semilla)});
    EXPECT_EQ(Numeros(otra.json["documentos"]), Numeros(s.json["documentos"]));
    EXPECT_EQ(Numeros(s.json["documentos"]).size(), 5u);
}

TEST_F(OrdenSeleccionar, ErroresDeUso) {
    const QStringList casos[] = {
        {},
        {"--fila", "2:0-9:Test:1"},
        {"--libro", "1"},
        {"--libro", "3", "--fila", "2:0-9:Test:1"},
        {"--libro", "0", "--fila", "2:0-9:Test:1"},
        {"--libro", "1", "--fila", "2:0-9:Test"},
        {"--libro", "1", "--fila", "9:0-9:Test:1"},
        {"--libro", "1", "--fila", "2/5:0-9:Test:1"},
        {"--libro", "1", "--fila", "1/5:0-9:Test:1"},
        {"--libro", "1", "--fila", "1:0-9:Test:1"},
        {"--libro", "1", "--fila", "2/1/1/1:0-9:Test:1"},
        {"--libro", "1", "--fila", "2/x:0-9:Test:1"},
        {"--libro", "1", "--fila", "2:6-3:Test:1"},
        {"--libro", "1", "--fila", "2:0-10:Test:1"},
        {"--libro", "1", "--fila", "2:0-9:Otro:1"},
        {"--libro", "1", "--fila", "2:0-9:Test:0"},
        {"--libro", "1", "--fila", "2:0-9:Test:101"},
        {"--libro", "1", "--fila", "2:0-9:Test:1", "--no-usadas-desde", "31/02/2024"},
        {"--libro", "1", "--fila", "2:0-9:Test:1", "--semilla", "-4"},
        {"--libro", "1", "--fila", "2:0-9:Test:1", "--semilla"},
        {"--libro", "1", "--fila", "2:0-9:Test:1", "--todas"},
    };
    for (const QStringList& args : casos) {
        const Salida s = Ejecutar(args);
        EXPECT_EQ(s.codigo, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(s.error.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(s.json.isEmpty());
    }
    carpeta = dir.path() + QStringLiteral("/no-existe");
    EXPECT_EQ(Ejecutar({"--libro", "1", "--fila", "2:0-9:Test:1"}).codigo, 2);
}

} // namespace
