#include "ImportacionDocumentos.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "Almacen.h"
#include "Archivos.h"
#include "BancoDocumentos.h"
#include "DialogoUsuario.h"
#include "Errores.h"
#include "VistaDocumentos.h"

namespace brivo {

namespace {

// The folder the file dialog starts in: the last one files were taken from.
QString& UltimaCarpeta() {
    static QString carpeta;
    return carpeta;
}

QString Identificador(const TLibro& libro) {
    return QString::number(libro.Identificador);
}

// Reads every file into the staging folder as a file of the program's own,
// at most libres of them; the others are left without a place.
void LeerArchivos(TResultadoImportacionDocumentos& r, const QString& preparacion, int libres,
                  const TLibro& libro, word::IConversionDocumentos& conversion,
                  const ProgresoImportacion& progreso) {
    const QString clave = libro.ClaveEnDoc ? Identificador(libro) : QString();
    const int total = int(r.Archivos.size());
    int leidos = 0;
    for (int i = 0; i < total; ++i) {
        TArchivoImportado& a = r.Archivos[size_t(i)];
        if (leidos >= libres) {
            a.Estado = EstadoImportacion::SinSitio;
            continue;
        }
        if (progreso && !progreso(i + 1, total, a.Archivo)) {
            r.Cancelado = true;
            return; // this one and the rest stay Pendiente
        }
        try {
            // A file protected by this program (or with the book's
            // identifier) opens with the identifier.
            conversion.ImportarArchivo(a.Archivo, Identificador(libro),
                                       preparacion + QStringLiteral("/%1").arg(i), clave);
            a.Estado = EstadoImportacion::Importado; // placed below
            ++leidos;
        } catch (const word::ErrorSinConversor&) {
            throw;
        } catch (const ErrorBrivo& e) {
            a.Estado = EstadoImportacion::Fallido;
            a.Motivo = e.Mensaje();
        } catch (const std::exception& e) {
            a.Estado = EstadoImportacion::Fallido;
            a.Motivo = QString::fromLocal8Bit(e.what());
        }
    }
}

// Gives each file read a slot, its record and its place in the book's folder.
void Colocar(TResultadoImportacionDocumentos& r, const QString& preparacion,
             TBancoDocumentos& banco, const TLibro& libro, const TLugar& lugar) {
    TAlmacen& almacen = banco.Almacen();
    const QString carpeta = libro.Carpeta.Texto();
    QString bloqueo; // set when a slot's place cannot be cleared: nothing more fits
    for (size_t i = 0; i < r.Archivos.size(); ++i) {
        TArchivoImportado& a = r.Archivos[i];
        if (a.Estado != EstadoImportacion::Importado)
            continue;
        const int k = almacen.DocumentoLibre();
        if (k < 1) {
            a.Estado = EstadoImportacion::SinSitio;
            continue;
        }
        if (bloqueo.isEmpty() && !banco.ApartarArchivoDePlaza(k))
            bloqueo =
                QStringLiteral("El archivo %1 ocupa el sitio del documento nuevo.")
                    .arg(QDir::toNativeSeparators(RutaDocumentoEnCarpeta(almacen, carpeta, k)));
        if (!bloqueo.isEmpty()) {
            a.Estado = EstadoImportacion::Fallido;
            a.Motivo = bloqueo;
            continue;
        }
        const QString destino = RutaDocumentoEnCarpeta(almacen, carpeta, k);
        QDir().mkpath(QFileInfo(destino).absolutePath());
        // rename never replaces a file; the place was just cleared.
        if (!QFile::rename(preparacion + QStringLiteral("/%1").arg(i), destino)) {
            a.Estado = EstadoImportacion::Fallido;
            a.Motivo = QStringLiteral("No se puede escribir el archivo %1.")
                           .arg(QDir::toNativeSeparators(destino));
            continue;
        }
        banco.CrearDocumento(lugar.Materia, lugar.Tema, lugar.Contenido);
        almacen.Documentos[size_t(k)].Descripcion = QFileInfo(a.Archivo).completeBaseName();
        a.Numero = k;
    }
}

} // namespace

int TResultadoImportacionDocumentos::Cuantos(EstadoImportacion estado) const {
    return int(std::count_if(Archivos.begin(), Archivos.end(),
                             [estado](const TArchivoImportado& a) { return a.Estado == estado; }));
}

QString TituloImportacion() {
    return QStringLiteral("Importar documentos");
}

QString FiltroImportacion() {
    return QStringLiteral("Documentos (*.doc *.docx *.odt *.rtf *.html *.htm *.txt);;"
                          "Word (*.doc *.docx);;OpenDocument (*.odt);;RTF (*.rtf);;"
                          "HTML (*.html *.htm);;Texto (*.txt);;Todos (*)");
}

bool PuedeImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo) {
    return banco.PuedeAnadirDocumentos() && nodo != nullptr;
}

TResultadoImportacionDocumentos ImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo,
                                                   const QStringList& archivos,
                                                   word::IConversionDocumentos& conversion,
                                                   const ProgresoImportacion& progreso) {
    TAlmacen& almacen = banco.Almacen();
    TResultadoImportacionDocumentos r;
    for (const QString& archivo : archivos)
        r.Archivos.push_back({archivo, EstadoImportacion::Pendiente, 0, {}});
    const TLibro* activo = almacen.LibroActivoPtr();
    const TLibro libro = almacen.BuscarLibro(activo ? activo->Identificador : 0);
    if (libro.Identificador == 0 || !nodo || archivos.isEmpty())
        return r;

    int libres = 0;
    for (int k = 1; k <= MaxDocumentos; ++k)
        libres += almacen.Documentos[size_t(k)].Usado() ? 0 : 1;
    const QString temp = almacen.CarpetaPrograma + QStringLiteral("Temp/");
    QDir().mkpath(temp);
    QTemporaryDir preparacion(temp + QLatin1String(archivos::PrefijoPreparacion) +
                              QStringLiteral("XXXXXX"));
    if (!preparacion.isValid())
        throw ErrorBrivo(QStringLiteral("No se puede crear una carpeta de trabajo en %1.")
                             .arg(QDir::toNativeSeparators(temp)));
    LeerArchivos(r, preparacion.path(), libres, libro, conversion, progreso);

    const int anterior = almacen.DocActual;
    Colocar(r, preparacion.path(), banco, libro, almacen.Arbol.LugarDeNodo(nodo));
    if (r.Cuantos(EstadoImportacion::Importado) == 0)
        return r;
    almacen.DocAnterior = anterior;
    banco.Vista().ListarDocumentos(nodo);
    banco.CambiarDocumento(anterior);
    return r;
}

std::optional<TResultadoImportacionDocumentos>
OrdenImportarDocumentos(TBancoDocumentos& banco, TNodo* nodo,
                        word::IConversionDocumentos& conversion,
                        const ProgresoImportacion& progreso) {
    if (!PuedeImportarDocumentos(banco, nodo))
        return std::nullopt;
    QString& carpeta = UltimaCarpeta();
    if (carpeta.isEmpty())
        carpeta = QDir::homePath();
    const QStringList archivos = ui::ArchivosParaAbrir(banco.Vista().Ventana(), TituloImportacion(),
                                                       carpeta, FiltroImportacion());
    if (archivos.isEmpty())
        return std::nullopt;
    carpeta = QFileInfo(archivos.constFirst()).absolutePath();
    return ImportarDocumentos(banco, nodo, archivos, conversion, progreso);
}

} // namespace brivo
