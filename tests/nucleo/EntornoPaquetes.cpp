#include "EntornoPaquetes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace brivo::pruebas {

TInstalacion::TInstalacion(const QString& carpeta) {
    PonerCarpeta(carpeta);
    almacen.Arbol.CargarInicial();
}

TLibro& TInstalacion::PonerLibro(int slot, std::int32_t id, const QString& titulo,
                                 const QString& carpeta) {
    TLibro& l = TVentanaFalsa::PonerLibro(slot, id, titulo, carpeta);
    QDir().mkpath(Docs() + carpeta);
    return l;
}

TDocumento& TInstalacion::PonerDocumento(int numero, std::int32_t idLibro,
                                         const QByteArray& contenido) {
    TDocumento& d = almacen.Documentos[numero];
    d.Vaciar();
    d.Numero = numero;
    d.IdLibro = idLibro;
    d.Descripcion = QStringLiteral("Documento %1 del libro %2").arg(numero).arg(idLibro);
    d.FechaCreacion = QStringLiteral("08/12/2026");
    d.FechaUso = QStringLiteral("01/01/1900");
    d.IdMateria = 2;
    d.IdTema = 1;
    d.Puntos = 1.5;
    d.Formato = QStringLiteral("DOC9");
    if (!contenido.isEmpty())
        pruebas::EscribirArchivo(RutaDocumento(numero), contenido);
    return d;
}

QByteArray TInstalacion::LeerDocumento(int numero) {
    return pruebas::LeerArchivo(RutaDocumento(numero));
}

int TInstalacion::LibrosUsados() const {
    int n = 0;
    for (int i = 1; i <= MaxLibros; ++i)
        n += almacen.Libros[i].Usado();
    return n;
}

int TInstalacion::DocumentosUsados() const {
    int n = 0;
    for (int i = 1; i <= MaxDocumentos; ++i)
        n += almacen.Documentos[i].Usado();
    return n;
}

QByteArray Contenido(const QString& quien, int numero) {
    return (QStringLiteral("<html><body><p>#PREG</p><p>%1, documento %2</p></body></html>")
                .arg(quien)
                .arg(numero))
        .toUtf8();
}

QStringList ArbolDeArchivos(const QString& carpeta) {
    QStringList lista;
    QDirIterator it(carpeta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        lista << QDir(carpeta).relativeFilePath(it.next());
    lista.sort();
    return lista;
}

TResultadoExportacion ExportarActivo(TInstalacion& origen, const QString& archivo,
                                     const QString& clave) {
    const TLibro& l = origen.almacen.Libros[origen.almacen.LibroActivo];
    TOpcionesPaquete op;
    op.ClaveEnDoc = l.ClaveEnDoc;
    op.PermitirCambiosEnDoc = l.PermitirCambiosEnDoc;
    op.PermitirMasDoc = l.PermitirMasDoc;
    return ExportarPaquete(origen.almacen, l.Identificador, op, archivo, clave);
}

QStringList Textos(const QList<ui::TGuion::Mensaje>& mensajes) {
    QStringList t;
    for (const auto& m : mensajes)
        t << m.Texto;
    return t;
}

} // namespace brivo::pruebas
