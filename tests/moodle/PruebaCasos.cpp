// Golden files: each folder of tests/datos/moodle is a library (books, tree,
// documents) and the Moodle XML and GIFT files, with their reports, that
// exporting it must give, compared after normalising (line breaks, image
// encodings, the output's path). BRIVO_REGENERAR_MOODLE=1 writes the
// expected files instead, to be read through before they are committed.
#include "EntornoMoodle.h"
#include "ExportacionMoodle.h"
#include "ProcesadorTextos.h"

using namespace brivo::pruebas;

namespace {

class Caso : public ::testing::TestWithParam<QString> {
protected:
    // Exports the case in one format; compares (or writes) the file and the report.
    void Comprobar(moodle::TFormato formato, const QString& archivo, const QString& informe) {
        TBiblioteca b;
        CargarCaso(b, GetParam());
        const QStringList antes = Instantanea(b.Ruta());
        const QString salida = b.Ruta(QStringLiteral("Salida/") + archivo);
        QDir().mkpath(b.Ruta(QStringLiteral("Salida")));
        auto motor = word::CrearMotorIncrustado();
        const moodle::TInformeExportacion r =
            moodle::Exportar(b.almacen, *motor, b.aExportar, salida, formato);
        const QString escrito = Normalizar(Leer(salida), salida);
        const QString lineas =
            Normalizar(r.Lineas().join(QLatin1Char('\n')).toUtf8() + '\n', salida);
        // Nothing but the output was written.
        QStringList despues = Instantanea(b.Ruta());
        despues.removeIf([](const QString& f) { return f.startsWith(QLatin1String("Salida/")); });
        EXPECT_EQ(despues, antes);

        const QString carpeta = CarpetaCasos() + QLatin1Char('/') + GetParam() + QLatin1Char('/');
        if (qEnvironmentVariableIntValue("BRIVO_REGENERAR_MOODLE") == 1) {
            Escribir(carpeta + QStringLiteral("esperado.") + archivo.section('.', -1),
                     escrito.toUtf8());
            Escribir(carpeta + informe, lineas.toUtf8());
            return;
        }
        EXPECT_EQ(escrito, Normalizar(Leer(carpeta + QStringLiteral("esperado.") +
                                           archivo.section('.', -1))));
        EXPECT_EQ(lineas, Normalizar(Leer(carpeta + informe)));
    }
};

TEST_P(Caso, MoodleXml) {
    Comprobar(moodle::TFormato::Xml, QStringLiteral("preguntas.xml"),
              QStringLiteral("informe-xml.txt"));
}

TEST_P(Caso, Gift) {
    Comprobar(moodle::TFormato::Gift, QStringLiteral("preguntas.gift"),
              QStringLiteral("informe-gift.txt"));
}

INSTANTIATE_TEST_SUITE_P(Moodle, Caso, ::testing::ValuesIn(Casos().toVector()),
                         [](const ::testing::TestParamInfo<QString>& i) {
                             return i.param.toStdString();
                         });

} // namespace
