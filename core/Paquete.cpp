#include "Paquete.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "Almacen.h"
#include "Archivos.h"
#include "ArchivosPaquete.h"
#include "CursorOcupado.h"
#include "DialogoUsuario.h"
#include "Errores.h"
#include "IncorporacionPaquete.h"
#include "Libros.h"
#include "Listas.h"
#include "PaqueteWord.h"
#include "UnzipFile.h"
#include "VentanaPrincipal.h"
#include "ZipFile.h"

namespace brivo {

namespace {

using paquete::CarpetaDeOtroLibro;
using paquete::Existe;

// A path typed by the user: a name without a folder is taken relative to the
// program's folder.
QString RutaAbsoluta(const TAlmacen& a, const QString& ruta) {
    if (QFileInfo(ruta).isRelative())
        return a.CarpetaPrograma + ruta;
    return ruta;
}

// A comment as it can be shown in a message.
QString Visible(const QString& texto) {
    QString t = texto.left(120);
    for (QChar& c : t) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return t;
}

} // namespace

QString CarpetaTemp(const TAlmacen& almacen) {
    return almacen.CarpetaPrograma + QStringLiteral("Temp/");
}

QString CarpetaBak(const TAlmacen& almacen) {
    return almacen.CarpetaPrograma + QStringLiteral("BAK/");
}

QString FiltroPaquetes() {
    return QStringLiteral("Archivos zip (*.zip *.ZIP);;Todos (*)");
}

// ---------------------------------------------------------------------------
// Export

QString ArchivoExportacionPredeterminado(const TAlmacen& almacen, const TLibro& libro) {
    QString titulo = libro.Titulo.Texto();
    titulo.replace(QLatin1Char(' '), QLatin1Char('_'));
    titulo.replace(QLatin1Char('/'), QLatin1Char('_'));
    return CarpetaBak(almacen) + titulo;
}

QString ArchivoDeExportacion(const TAlmacen& almacen, const QString& tecleado) {
    return TZipFile::NombreConExtension(RutaAbsoluta(almacen, tecleado));
}

void PrepararPaquete(const TAlmacen& a, std::int32_t identificador,
                     const TOpcionesPaquete& opciones) {
    const QString temp = CarpetaTemp(a);
    QDir().mkpath(temp);

    QByteArray libros;
    if (identificador != 0) {
        for (int i = 1; i <= MaxLibros; ++i) {
            if (a.Libros[i].Identificador != identificador)
                continue;
            TLibro copia = a.Libros[i];
            copia.ClaveEnDoc = opciones.ClaveEnDoc;
            copia.PermitirCambiosEnDoc = opciones.PermitirCambiosEnDoc;
            copia.PermitirMasDoc = opciones.PermitirMasDoc;
            libros += ABytes(copia);
        }
    }
    QByteArray docs;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = a.Documentos[k];
        if (d.Usado() && d.IdLibro == identificador)
            docs += ABytes(d);
    }
    for (const auto& [nombre, datos] :
         {std::pair{paquete::Libros, libros}, std::pair{paquete::Docs, docs}}) {
        const archivos::ResultadoEscritura r = archivos::EscribirSeguro(temp + nombre, datos);
        if (r.error != 0)
            throw archivos::ErrorDeSistema(r.error);
    }
    a.Arbol.Guardar(temp + paquete::Arbol);
    // Everything in Temp travels, so an older list of origins must not stay.
    const QByteArray origenes = OrigenesEnBytes(a, identificador);
    const QString rutaOrigenes = temp + paquete::Origenes;
    if (!origenes.isEmpty()) {
        const archivos::ResultadoEscritura r = archivos::EscribirSeguro(rutaOrigenes, origenes);
        if (r.error != 0)
            throw archivos::ErrorDeSistema(r.error);
    } else if (std::remove(QFile::encodeName(rutaOrigenes).constData()) != 0 && errno != ENOENT) {
        throw archivos::ErrorDeSistema(errno);
    }
}

QString ListaDeElementos(const TAlmacen& a, const TLibro& libro, const QString& carpetaWord) {
    auto entre = [](const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); };
    const QString temp = CarpetaTemp(a);
    QStringList lista{entre(temp + QStringLiteral("*.*"))};
    const QString carpeta = libro.Carpeta.Texto();
    if (CarpetaDePaqueteValida(carpeta))
        lista << entre(RutaCarpetaLibro(a, carpeta) + QStringLiteral("/*.*"));
    if (!carpetaWord.isEmpty())
        lista << entre(carpetaWord + QStringLiteral("/*.*"));
    // Later patterns win over earlier ones of the same entry name.
    for (const QString& n : {paquete::Libros, paquete::Docs, paquete::Arbol})
        lista << entre(temp + n);
    if (QFileInfo::exists(temp + paquete::Origenes))
        lista << entre(temp + paquete::Origenes);
    return lista.join(QLatin1Char(' '));
}

TResultadoExportacion ExportarPaquete(const TAlmacen& a, std::int32_t identificador,
                                      const TOpcionesPaquete& opciones, const QString& archivo,
                                      const QString& clave, const TProgreso& progreso,
                                      word::IConversionDocumentos* documentosWord) {
    TResultadoExportacion r;
    const TLibro libro = a.BuscarLibro(identificador);
    r.Archivo = ArchivoDeExportacion(a, archivo);
    if (libro.Identificador == 0) {
        r.Codigo = ZipParametroNoValido;
        r.Mensaje = QStringLiteral("No hay ningún libro que exportar.");
        return r;
    }
    const QString carpeta = libro.Carpeta.Texto();
    if (!CarpetaDePaqueteValida(carpeta)) {
        r.Codigo = ZipParametroNoValido;
        r.Mensaje = QStringLiteral("La carpeta del libro (\"%1\") no es un nombre de carpeta "
                                   "válido. No se ha exportado el libro.")
                        .arg(Visible(carpeta));
        return r;
    }
    PrepararPaquete(a, identificador, opciones);
    // Files left behind by interrupted writes never travel.
    archivos::BorrarTemporalesPropios(CarpetaTemp(a));
    archivos::BorrarTemporalesPropios(RutaCarpetaLibro(a, carpeta));

    // The Word copies are written into a folder inside Temp, which the
    // package takes files from only at its top level.
    std::optional<QTemporaryDir> copiasWord;
    if (documentosWord) {
        copiasWord.emplace(CarpetaTemp(a) + QStringLiteral(".word-XXXXXX"));
        try {
            if (!copiasWord->isValid())
                throw ErrorBrivo(QStringLiteral("No se puede crear una carpeta de trabajo en %1.")
                                     .arg(CarpetaTemp(a)));
            EscribirDocumentosWord(a, libro, copiasWord->path(), *documentosWord, progreso);
        } catch (const ErrorBrivo& e) {
            r.Codigo = ZipErrorLectura;
            r.Mensaje = e.Mensaje() + QStringLiteral("\r\nNo se ha exportado el libro.");
            if (dynamic_cast<const word::ErrorSinConversor*>(&e))
                r.Mensaje = e.Mensaje();
            return r;
        }
    }

    TZipFile z;
    z.lpszZipFile = RutaAbsoluta(a, archivo);
    z.lpszItemList = ListaDeElementos(a, libro, copiasWord ? copiasWord->path() : QString());
    z.lpszComment = carpeta;
    z.Options = TZipFile::NoDirectoryNamesFlag | TZipFile::AddCommentFlag |
                TZipFile::NoDirectoryEntriesFlag | TZipFile::NuevoArchivoFlag;
    z.wZipSubOptions = TZipFile::ZSO_EXTPROGCANCEL | TZipFile::ZSO_MANGLELONGNAMES;
    if (!clave.isEmpty()) {
        z.Options |= TZipFile::EncryptFlag;
        z.lpszEncryptCode = clave;
    }
    // A name starting like a floppy drive asks for spanning (written whole here).
    if (!archivo.isEmpty() && QStringLiteral("abAB").contains(archivo[0]))
        z.wMultiVolControl = TZipFile::MV_USEMULTI;
    z.OnMajorCallback = progreso.Mayor;
    z.OnMinorCallback = progreso.Menor;
    r.Correcto = z.Execute(TZipFile::ZIP_ADD);
    r.Codigo = z.Resultado;
    if (!z.ArchivoFinal.isEmpty())
        r.Archivo = z.ArchivoFinal;
    if (!r.Correcto)
        r.Mensaje = QStringLiteral("Error al comprimir: %1.\r\nNo se ha exportado el libro a %2.")
                        .arg(TextoCodigoZip(r.Codigo), r.Archivo);
    return r;
}

// ---------------------------------------------------------------------------
// Import

bool CarpetaDePaqueteValida(const QString& comentario) {
    // The rules of the book dialog, and the length a book record can hold.
    return NombreCarpetaValido(comentario) &&
           ACp1252(comentario).size() <= paquete::LargoMaximoCarpeta;
}

QString CarpetaDerivada(const TAlmacen& a, const QString& carpeta) {
    const QByteArray base = ACp1252(carpeta);
    for (int n = 2; n < 100000; ++n) {
        const QByteArray sufijo = "_" + QByteArray::number(n);
        CadenaCorta<100> c;
        c.AsignarBytes(base.left(paquete::LargoMaximoCarpeta - sufijo.size()) + sufijo);
        const QString nombre = c.Texto();
        if (!CarpetaDePaqueteValida(nombre) || CarpetaDeOtroLibro(a, c, 0) ||
            Existe(RutaCarpetaLibro(a, nombre)))
            continue;
        return nombre;
    }
    return {};
}

bool LeerLibroDePaquete(const QString& ruta, TLibro& libro) {
    QByteArray datos;
    const archivos::ResultadoLectura r = archivos::Leer(ruta, datos);
    if (!r.abierto || r.error != 0 || datos.size() < TamRegistroLibro)
        return false;
    libro = LibroDeBytes(datos.constData());
    return IdentificadorValido(libro.Identificador);
}

int IncorporarArbol(TArbol& principal, const TArbol& delPaquete, const TAnadirNodo& anadir,
                    int* sinSitio) {
    const TAnadirNodo nuevo =
        anadir ? anadir : [&principal](TNodo* padre, const QString& texto, const QString& id) {
            return principal.Anadir(padre, texto, id);
        };
    int anadidos = 0;
    int fuera = 0;
    std::function<int(const TNodo*)> contar = [&](const TNodo* n) {
        int total = 1;
        for (const auto& h : n->Hijos)
            total += contar(h.get());
        return total;
    };
    // destinoPadre: the main-tree node that the package node's parent matched
    // or was added as (nullptr for a top-level node). Small identifiers repeat
    // across the tree, so a node is looked for among that node's children
    // only, as documents' places are matched level by level.
    // The children of each main-tree node by identifier (the first of
    // each), built when first needed: a linear search per node made a tree
    // with many siblings take time growing with their square.
    QHash<const TNodo*, QHash<QString, TNodo*>> indices;
    auto hijosDe = [&](TNodo* padre) -> QHash<QString, TNodo*>& {
        auto it = indices.find(padre);
        if (it == indices.end()) {
            it = indices.insert(padre, {});
            for (const auto& h : padre ? padre->Hijos : principal.Raices()) {
                if (!it->contains(h->Identificador))
                    it->insert(h->Identificador, h.get());
            }
        }
        return *it;
    };
    std::function<void(const TNodo*, TNodo*)> visitar = [&](const TNodo* n, TNodo* destinoPadre) {
        TNodo* destino = hijosDe(destinoPadre).value(n->Identificador);
        if (!destino) {
            destino = nuevo(destinoPadre, n->Texto, n->Identificador);
            if (!destino) {
                fuera += contar(n); // left out with its whole subtree
                return;
            }
            hijosDe(destinoPadre).insert(n->Identificador, destino);
            ++anadidos;
        }
        for (const auto& h : n->Hijos)
            visitar(h.get(), destino);
    };
    for (const auto& raiz : delPaquete.Raices())
        visitar(raiz.get(), nullptr);
    if (sinSitio)
        *sinSitio = fuera;
    return anadidos;
}

TResultadoImportacion IncorporarPaquete(IVentanaPrincipal& ventana, const TPaqueteExtraido& p,
                                        const TOpcionesImportacion& opciones) {
    if (ventana.EditorAbierto())
        ventana.CerrarDocumento();
    return TIncorporacionPaquete(ventana.Almacen(), p, opciones).Incorporar();
}

namespace {

// How an import that stops early ends, with its message.
struct TFinConMensaje {
    TFinImportacion Fin;
    QString Texto;
};

TFinConMensaje FinDeExtraccion(const TUnzipFile& u) {
    if (u.Resultado == ZipClaveErronea)
        return {TFinImportacion::ClaveErronea, paquete::ClaveErronea};
    return {TFinImportacion::ErrorDescomprimir, paquete::ErrorDescomprimir};
}

void PrepararLector(TUnzipFile& u, const QString& archivo, const QString& clave,
                    const TOpcionesImportacion& opciones) {
    u.lpszZipFile = archivo;
    // Extraction goes into an empty staging folder; replacing is still asked
    // for so that two entries of one name end as the later one.
    u.Options =
        TUnzipFile::OverWriteFlag | TUnzipFile::QuietFlag | TUnzipFile::NoDirectoryNamesFlag;
    u.wUnzipSubOptions = TUnzipFile::USO_OVERWRITE_RO;
    if (!clave.isEmpty()) {
        u.lpszDecryptCode = clave;
        u.Options =
            TUnzipFile::DecryptFlag | TUnzipFile::OverWriteFlag | TUnzipFile::NoDirectoryNamesFlag;
    }
    u.LimiteDescomprimido = opciones.LimiteDescomprimido;
    u.OnMajorCallback = opciones.Progreso.Mayor;
    u.OnMinorCallback = opciones.Progreso.Menor;
}

// The comment names the book's folder: it must be there and be a plain
// folder name, and a book slot must be free for the package's book.
std::optional<TFinConMensaje> LeerComentario(TUnzipFile& u, const TAlmacen& a,
                                             const QString& archivo, QString& comentario) {
    if (!u.Execute(TUnzipFile::UNZIP_GETCOMMENTSIZE))
        return TFinConMensaje{TFinImportacion::NoLegible,
                              QStringLiteral("No se puede leer el archivo %1 como paquete de "
                                             "libro (%2). Se interrumpe el proceso.")
                                  .arg(archivo, TextoCodigoZip(u.Resultado))};
    if (u.Cuenta > 0 && u.Execute(TUnzipFile::UNZIP_GETCOMMENT))
        comentario = u.lpszReturnString;
    if (comentario.isEmpty())
        return TFinConMensaje{TFinImportacion::NoEsPaquete,
                              QStringLiteral("El archivo %1 no es un paquete de libro: no indica "
                                             "la carpeta del libro. Se interrumpe el proceso.")
                                  .arg(archivo)};
    if (!CarpetaDePaqueteValida(comentario))
        return TFinConMensaje{TFinImportacion::CarpetaNoValida,
                              QStringLiteral("El paquete indica como carpeta del libro \"%1\", "
                                             "que no es un nombre de carpeta válido. Se "
                                             "interrumpe el proceso.")
                                  .arg(Visible(comentario))};
    if (a.LibroLibre() == 0)
        return TFinConMensaje{TFinImportacion::TablaLibrosLlena,
                              QStringLiteral("No se puede importar el libro: la lista de libros "
                                             "está llena (%1 libros). Elimine algún libro antes "
                                             "de importar. Se interrumpe el proceso.")
                                  .arg(MaxLibros)};
    return std::nullopt;
}

// Extracts the lists (with a small size limit) into listas, checks the book
// record, then extracts the document files into extraidos.
std::optional<TFinConMensaje> Extraer(TUnzipFile& u, const TOpcionesImportacion& opciones,
                                      const QString& archivo, const QString& listas,
                                      const QString& extraidos) {
    auto extraer = [&](const QString& patron, const QString& carpeta) {
        u.lpszFileSpec = patron;
        u.lpszDestination = carpeta;
        return u.Execute(TUnzipFile::UNZIP_EXTRACT);
    };
    u.LimiteDescomprimido = qMin(opciones.LimiteDescomprimido, paquete::LimiteListas);
    if (!extraer(QStringLiteral("Docs.lst Libros.lst Arbol.tvw Origenes.lst"), listas))
        return FinDeExtraccion(u);
    u.LimiteDescomprimido = opciones.LimiteDescomprimido;
    TLibro libro;
    const bool libroLeido = LeerLibroDePaquete(listas + QLatin1Char('/') + paquete::Libros, libro);
    if (!libroLeido && libro.Identificador != 0)
        return TFinConMensaje{TFinImportacion::IdentificadorNoValido,
                              paquete::IdentificadorIncorrecto};
    if (!libroLeido)
        return TFinConMensaje{TFinImportacion::NoEsPaquete,
                              QStringLiteral("El archivo %1 no es un paquete de libro: no "
                                             "contiene el registro del libro. Se interrumpe el "
                                             "proceso.")
                                  .arg(archivo)};
    if (!extraer(QStringLiteral("K*.*"), extraidos))
        return FinDeExtraccion(u);
    return std::nullopt;
}

// The extracted lists stay in Temp as well.
void CopiarListas(const QString& listas, const QString& temp) {
    for (const QString& n : {paquete::Libros, paquete::Docs, paquete::Arbol}) {
        if (QFileInfo::exists(listas + QLatin1Char('/') + n)) {
            QFile::remove(temp + n);
            QFile::copy(listas + QLatin1Char('/') + n, temp + n);
        }
    }
}

} // namespace

TResultadoImportacion ImportarPaquete(IVentanaPrincipal& ventana, const QString& archivoTecleado,
                                      const QString& clave, const TOpcionesImportacion& opciones,
                                      QWidget* padre) {
    TCursorOcupado cursor;
    TResultadoImportacion r;
    TAlmacen& a = ventana.Almacen();
    if (ventana.EditorAbierto())
        ventana.CerrarDocumento();
    const QString temp = CarpetaTemp(a);
    QDir().mkpath(temp);
    auto terminar = [&](const TFinConMensaje& fin) {
        r.Fin = fin.Fin;
        ui::Informacion(padre, fin.Texto);
        return r;
    };

    if (QFileInfo(archivoTecleado).fileName().isEmpty())
        return terminar({TFinImportacion::SinNombre, paquete::NoHayNombre});
    const QString archivo = RutaAbsoluta(a, archivoTecleado);
    TUnzipFile u;
    PrepararLector(u, archivo, clave, opciones);
    QString comentario;
    if (const auto fin = LeerComentario(u, a, archivo, comentario))
        return terminar(*fin);

    // Everything is extracted into a staging folder inside Temp first; the
    // files reach the book's folder only through the merge.
    QTemporaryDir preparacion(temp + QLatin1String(archivos::PrefijoPreparacion) +
                              QStringLiteral("XXXXXX"));
    if (!preparacion.isValid())
        return terminar({TFinImportacion::ErrorDescomprimir, paquete::ErrorDescomprimir});
    const QString listas = preparacion.path();
    const QString extraidos = listas + QStringLiteral("/K");
    if (const auto fin = Extraer(u, opciones, archivo, listas, extraidos))
        return terminar(*fin);
    CopiarListas(listas, temp);

    r = IncorporarPaquete(ventana, {comentario, listas, extraidos}, opciones);
    if (r.Fin == TFinImportacion::CarpetaNoValida)
        return terminar({r.Fin, QStringLiteral("No queda ningún nombre de carpeta libre para el "
                                               "libro. Se interrumpe el proceso.")});
    if (!r.Avisos.isEmpty())
        ui::Informacion(padre, r.Avisos.join(QStringLiteral("\r\n")));
    return r;
}

} // namespace brivo
