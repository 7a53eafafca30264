#include "Paquete.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "Almacen.h"
#include "Archivos.h"
#include "Errores.h"
#include "Interaccion.h"
#include "Listas.h"
#include "PaqueteDocumentos.h"
#include "PropLibro.h"
#include "UnzipFile.h"
#include "VentanaPrincipal.h"
#include "ZipFile.h"

namespace brivo {

namespace {

using paquete::Existe;
using paquete::Mover;
using paquete::NombreDocumento;

QString CarpetaDocs(const TAlmacen& a) {
    return a.CarpetaPrograma + QStringLiteral("Docs/");
}

// A path typed by the user: a name without a folder is taken relative to the
// program's folder.
QString RutaAbsoluta(const TAlmacen& a, const QString& ruta) {
    if (QFileInfo(ruta).isRelative())
        return a.CarpetaPrograma + ruta;
    return ruta;
}

// Does a book other than the one with that identifier keep its files in
// that folder?
bool CarpetaDeOtroLibro(const TAlmacen& a, const CadenaCorta<100>& carpeta,
                        std::int32_t identificador) {
    for (int i = 1; i <= MaxLibros; ++i) {
        const TLibro& l = a.Libros[i];
        if (l.Usado() && l.Identificador != identificador && l.Carpeta == carpeta)
            return true;
    }
    return false;
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

// Moves a replaced book's files from its old folder to its new one: the
// whole folder when no other book shares it and the new name is free, else
// the book's document files one by one.
bool MoverArchivosDeLibro(const TAlmacen& a, std::int32_t identificador, const QString& anterior,
                          const QString& nueva) {
    if (!CarpetaDePaqueteValida(anterior))
        return false; // no folder of its own to move from
    const QString origen = CarpetaDocs(a) + anterior;
    const QString destino = CarpetaDocs(a) + nueva;
    if (!QFileInfo(origen).isDir() || QFileInfo(origen).isSymLink())
        return false;
    CadenaCorta<100> clave;
    clave.Asignar(anterior);
    if (!CarpetaDeOtroLibro(a, clave, identificador) && !Existe(destino) &&
        QDir().rename(origen, destino))
        return true;
    QDir().mkpath(destino);
    bool alguno = false;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = a.Documentos[k];
        if (!d.Usado() || d.IdLibro != identificador)
            continue;
        const QString archivo = origen + QLatin1Char('/') + NombreDocumento(k);
        if (Existe(archivo) && Mover(archivo, destino + QLatin1Char('/') + NombreDocumento(k)))
            alguno = true;
    }
    return alguno;
}

void Mensaje(QWidget* padre, const QString& texto) {
    ui::Informacion(padre, texto);
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

TCursorOcupado::TCursorOcupado() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        puesto = true;
    }
}

TCursorOcupado::~TCursorOcupado() {
    if (puesto)
        QGuiApplication::restoreOverrideCursor();
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

QString ListaDeElementos(const TAlmacen& a, const TLibro& libro) {
    auto entre = [](const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); };
    const QString temp = CarpetaTemp(a);
    QStringList lista{entre(temp + QStringLiteral("*.*"))};
    const QString carpeta = libro.Carpeta.Texto();
    if (CarpetaDePaqueteValida(carpeta))
        lista << entre(CarpetaDocs(a) + carpeta + QStringLiteral("/*.*"));
    // Later patterns win over earlier ones of the same entry name.
    for (const QString& n : {paquete::Libros, paquete::Docs, paquete::Arbol})
        lista << entre(temp + n);
    if (QFileInfo::exists(temp + paquete::Origenes))
        lista << entre(temp + paquete::Origenes);
    return lista.join(QLatin1Char(' '));
}

TResultadoExportacion ExportarPaquete(const TAlmacen& a, std::int32_t identificador,
                                      const TOpcionesPaquete& opciones, const QString& archivo,
                                      const QString& clave, const TProgreso& progreso) {
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
    archivos::BorrarTemporalesPropios(CarpetaDocs(a) + carpeta);

    TZipFile z;
    z.lpszZipFile = RutaAbsoluta(a, archivo);
    z.lpszItemList = ListaDeElementos(a, libro);
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
            Existe(CarpetaDocs(a) + nombre))
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
    TResultadoImportacion r;
    TAlmacen& a = ventana.Almacen();
    if (ventana.EditorAbierto())
        ventana.CerrarDocumento();
    if (a.LibroLibre() == 0) {
        r.Fin = TFinImportacion::TablaLibrosLlena;
        return r;
    }
    if (!CarpetaDePaqueteValida(p.Carpeta)) {
        r.Fin = TFinImportacion::CarpetaNoValida;
        return r;
    }
    TLibro libro;
    if (!LeerLibroDePaquete(p.CarpetaListas + QLatin1Char('/') + paquete::Libros, libro)) {
        r.Fin = libro.Identificador != 0 ? TFinImportacion::IdentificadorNoValido
                                         : TFinImportacion::NoEsPaquete;
        return r;
    }
    const std::int32_t id = libro.Identificador;

    // Everything is read before anything changes.
    std::vector<TDocumento> registros;
    const QString rutaDocs = p.CarpetaListas + QLatin1Char('/') + paquete::Docs;
    if (QFileInfo::exists(rutaDocs)) {
        QByteArray datos;
        const archivos::ResultadoLectura lr = archivos::Leer(rutaDocs, datos);
        if (!lr.abierto || lr.error != 0)
            throw archivos::ErrorDeSistema(lr.error);
        for (qsizetype i = 0; i + TamRegistroDocumento <= datos.size(); i += TamRegistroDocumento)
            registros.push_back(DocumentoDeBytes(datos.constData() + i));
    }
    QHash<int, int> origenes;
    const QString rutaOrigenes = p.CarpetaListas + QLatin1Char('/') + paquete::Origenes;
    if (QFileInfo::exists(rutaOrigenes)) {
        QByteArray datos;
        const archivos::ResultadoLectura lr = archivos::Leer(rutaOrigenes, datos);
        if (!lr.abierto || lr.error != 0)
            throw archivos::ErrorDeSistema(lr.error);
        origenes = OrigenesDeBytes(datos);
    }
    TArbol arbolLocal;
    TArbol& arbolPaquete = opciones.ArbolTemp ? *opciones.ArbolTemp : arbolLocal;
    bool hayArbol = false;
    const QString rutaArbol = p.CarpetaListas + QLatin1Char('/') + paquete::Arbol;
    if (QFileInfo::exists(rutaArbol)) {
        try {
            arbolPaquete.Cargar(rutaArbol);
            hayArbol = true;
        } catch (const ErrorBrivo& e) {
            r.Avisos << QStringLiteral("El árbol de temas del paquete no se puede leer (%1); no "
                                       "se ha incorporado ningún nodo.")
                            .arg(e.Mensaje());
        }
    }

    // The book's slot and folder.
    int slot = 0;
    for (int i = 1; i <= MaxLibros; ++i) {
        if (a.Libros[i].Identificador == id) {
            slot = i;
            break;
        }
    }
    r.LibroReemplazado = slot != 0;
    CadenaCorta<100> delPaquete;
    delPaquete.Asignar(p.Carpeta);
    r.CarpetaPaquete = delPaquete.Texto();
    const QString anterior = slot ? a.Libros[slot].Carpeta.Texto() : QString();
    // A folder another book owns, or a name in Docs that is not a plain
    // folder, cannot take this book's files.
    auto ocupada = [&](const QString& nombre) {
        CadenaCorta<100> c;
        c.Asignar(nombre);
        if (CarpetaDeOtroLibro(a, c, id))
            return true;
        const QFileInfo fi(CarpetaDocs(a) + nombre);
        return fi.isSymLink() || (fi.exists() && !fi.isDir());
    };
    QString carpeta = r.CarpetaPaquete;
    if (ocupada(carpeta)) {
        // A replaced book keeps its own folder when it can; otherwise the
        // package's name gets a suffix.
        if (slot && CarpetaDePaqueteValida(anterior) && !ocupada(anterior))
            carpeta = anterior;
        else
            carpeta = CarpetaDerivada(a, r.CarpetaPaquete);
        if (carpeta.isEmpty()) {
            r.Fin = TFinImportacion::CarpetaNoValida;
            return r;
        }
        r.Avisos << QStringLiteral("La carpeta \"%1\" del paquete pertenece a otro libro; los "
                                   "documentos del libro importado se guardan en la carpeta "
                                   "\"%2\".")
                        .arg(r.CarpetaPaquete, carpeta);
    }
    r.CarpetaUsada = carpeta;
    const QString destino = CarpetaDocs(a) + carpeta;
    if (slot && anterior != carpeta)
        r.CarpetaCambiada = MoverArchivosDeLibro(a, id, anterior, carpeta);
    QDir().mkpath(destino);

    paquete::IncorporarDocumentos(ventana, id, registros, origenes, p.CarpetaArchivos, destino, r);

    // The book record, with the folder its files are in.
    if (slot == 0)
        slot = a.LibroLibre();
    libro.Carpeta.Asignar(carpeta);
    a.Libros[slot] = libro;
    r.SlotLibro = slot;

    if (hayArbol)
        r.NodosAnadidos =
            IncorporarArbol(a.Arbol, arbolPaquete, opciones.AnadirNodo, &r.NodosSinSitio);

    if (r.DocumentosRenumerados > 0)
        r.Avisos << SegunCantidad(r.DocumentosRenumerados,
                                  QStringLiteral("%1 documento importado ha recibido otro número "
                                                 "porque el suyo lo tenía otro documento."),
                                  QStringLiteral("%1 documentos importados han recibido otro "
                                                 "número porque el suyo lo tenía otro documento."))
                        .arg(r.DocumentosRenumerados);
    if (r.DocumentosSinSitio > 0)
        r.Avisos << SegunCantidad(
                        r.DocumentosSinSitio,
                        QStringLiteral("%1 documento del paquete no cabe en la lista de "
                                       "documentos (%2 como máximo) y no se ha importado."),
                        QStringLiteral("%1 documentos del paquete no caben en la lista de "
                                       "documentos (%2 como máximo) y no se han "
                                       "importado."))
                        .arg(r.DocumentosSinSitio)
                        .arg(MaxDocumentos);
    if (r.DocumentosAjenos > 0)
        r.Avisos << SegunCantidad(
                        r.DocumentosAjenos,
                        QStringLiteral("%1 registro de documento del paquete no pertenece "
                                       "al libro o no es válido y se ha descartado."),
                        QStringLiteral("%1 registros de documento del paquete no "
                                       "pertenecen al libro o no son válidos y se han "
                                       "descartado."))
                        .arg(r.DocumentosAjenos);
    if (r.ArchivosNoColocados > 0)
        r.Avisos << SegunCantidad(r.ArchivosNoColocados,
                                  QStringLiteral("No se ha podido colocar %1 archivo en la carpeta "
                                                 "%2."),
                                  QStringLiteral("No se han podido colocar %1 archivos en la "
                                                 "carpeta %2."))
                        .arg(r.ArchivosNoColocados)
                        .arg(destino);
    return r;
}

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
    auto terminar = [&](TFinImportacion fin, const QString& texto) {
        r.Fin = fin;
        Mensaje(padre, texto);
        return r;
    };

    if (QFileInfo(archivoTecleado).fileName().isEmpty())
        return terminar(TFinImportacion::SinNombre, paquete::NoHayNombre);
    const QString archivo = RutaAbsoluta(a, archivoTecleado);

    TUnzipFile u;
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

    // The comment names the book's folder.
    if (!u.Execute(TUnzipFile::UNZIP_GETCOMMENTSIZE))
        return terminar(TFinImportacion::NoLegible,
                        QStringLiteral("No se puede leer el archivo %1 como paquete de libro (%2). "
                                       "Se interrumpe el proceso.")
                            .arg(archivo, TextoCodigoZip(u.Resultado)));
    QString comentario;
    if (u.Cuenta > 0 && u.Execute(TUnzipFile::UNZIP_GETCOMMENT))
        comentario = u.lpszReturnString;
    if (comentario.isEmpty())
        return terminar(TFinImportacion::NoEsPaquete,
                        QStringLiteral("El archivo %1 no es un paquete de libro: no indica la "
                                       "carpeta del libro. Se interrumpe el proceso.")
                            .arg(archivo));
    if (!CarpetaDePaqueteValida(comentario))
        return terminar(TFinImportacion::CarpetaNoValida,
                        QStringLiteral("El paquete indica como carpeta del libro \"%1\", que no es "
                                       "un nombre de carpeta válido. Se interrumpe el proceso.")
                            .arg(Visible(comentario)));
    if (a.LibroLibre() == 0)
        return terminar(TFinImportacion::TablaLibrosLlena,
                        QStringLiteral("No se puede importar el libro: la lista de libros está "
                                       "llena (%1 libros). Elimine algún libro antes de importar. "
                                       "Se interrumpe el proceso.")
                            .arg(MaxLibros));

    // Everything is extracted into a staging folder inside Temp first; the
    // files reach the book's folder only through the merge.
    QTemporaryDir preparacion(temp + QLatin1String(archivos::PrefijoPreparacion) +
                              QStringLiteral("XXXXXX"));
    if (!preparacion.isValid())
        return terminar(TFinImportacion::ErrorDescomprimir, paquete::ErrorDescomprimir);
    const QString listas = preparacion.path();
    const QString extraidos = listas + QStringLiteral("/K");
    auto extraer = [&](const QString& patron, const QString& carpeta) {
        u.lpszFileSpec = patron;
        u.lpszDestination = carpeta;
        return u.Execute(TUnzipFile::UNZIP_EXTRACT);
    };
    auto fallo = [&] {
        return u.Resultado == ZipClaveErronea
                   ? terminar(TFinImportacion::ClaveErronea, paquete::ClaveErronea)
                   : terminar(TFinImportacion::ErrorDescomprimir, paquete::ErrorDescomprimir);
    };
    u.LimiteDescomprimido = qMin(opciones.LimiteDescomprimido, paquete::LimiteListas);
    if (!extraer(QStringLiteral("Docs.lst Libros.lst Arbol.tvw Origenes.lst"), listas))
        return fallo();
    u.LimiteDescomprimido = opciones.LimiteDescomprimido;
    TLibro libro;
    const bool libroLeido = LeerLibroDePaquete(listas + QLatin1Char('/') + paquete::Libros, libro);
    if (!libroLeido && libro.Identificador != 0)
        return terminar(TFinImportacion::IdentificadorNoValido, paquete::IdentificadorIncorrecto);
    if (!libroLeido)
        return terminar(TFinImportacion::NoEsPaquete,
                        QStringLiteral("El archivo %1 no es un paquete de libro: no contiene el "
                                       "registro del libro. Se interrumpe el proceso.")
                            .arg(archivo));
    if (!extraer(QStringLiteral("K*.*"), extraidos))
        return fallo();
    // The extracted lists stay in Temp as well.
    for (const QString& n : {paquete::Libros, paquete::Docs, paquete::Arbol}) {
        if (QFileInfo::exists(listas + QLatin1Char('/') + n)) {
            QFile::remove(temp + n);
            QFile::copy(listas + QLatin1Char('/') + n, temp + n);
        }
    }

    r = IncorporarPaquete(ventana, {comentario, listas, extraidos}, opciones);
    if (r.Fin == TFinImportacion::CarpetaNoValida)
        return terminar(r.Fin, QStringLiteral("No queda ningún nombre de carpeta libre para el "
                                              "libro. Se interrumpe el proceso."));
    if (!r.Avisos.isEmpty())
        Mensaje(padre, r.Avisos.join(QStringLiteral("\r\n")));
    return r;
}

} // namespace brivo
