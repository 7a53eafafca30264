#include "EntornoDialogos.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace brivo::pruebas {

namespace {
class TEntornoQt : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char nombre[] = "prueba_dialogos";
        static char* argv[] = {nombre, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }
};
[[maybe_unused]] ::testing::Environment* const entorno =
    ::testing::AddGlobalTestEnvironment(new TEntornoQt);
} // namespace

TVentanaPrueba::TVentanaPrueba() {
    almacen.CarpetaPrograma = carpeta.path() + QLatin1Char('/');
    QDir().mkpath(Docs());
}

QString TVentanaPrueba::RutaDocumento(int numero) {
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[numero].IdLibro);
    if (libro.Identificador == 0)
        return {};
    return Docs() + libro.Carpeta.Texto() +
           QStringLiteral("/K%1.doc").arg(numero, 6, 10, QLatin1Char('0'));
}

TLibro& TVentanaPrueba::PonerLibro(int slot, std::int32_t id, const QString& titulo,
                                   const QString& carpetaLibro) {
    TLibro& l = almacen.Libros[slot];
    l = TLibro::Libre();
    l.Identificador = id;
    l.Titulo = titulo;
    l.Autor = QStringLiteral("Autor de %1").arg(titulo);
    l.Carpeta = carpetaLibro;
    return l;
}

void TVentanaPrueba::PonerDocumento(int numero, std::int32_t idLibro, bool conArchivo) {
    TDocumento& d = almacen.Documentos[numero];
    d.Vaciar();
    d.Numero = numero;
    d.IdLibro = idLibro;
    d.Descripcion = QStringLiteral("Documento %1").arg(numero);
    if (conArchivo)
        EscribirArchivo(RutaDocumento(numero));
}

void EscribirArchivo(const QString& ruta, const QByteArray& contenido) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write(contenido);
}

} // namespace brivo::pruebas
