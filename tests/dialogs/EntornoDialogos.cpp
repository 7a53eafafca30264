#include "EntornoDialogos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "AplicacionPrueba.h"

namespace brivo::pruebas {

namespace {
[[maybe_unused]] ::testing::Environment* const entorno =
    pruebas::RegistrarAplicacion("prueba_dialogos");
} // namespace

TVentanaPrueba::TVentanaPrueba() {
    PonerCarpeta(carpeta.path());
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
