#include "IncorporacionPaquete.h"

#include <array>

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "Almacen.h"
#include "Archivos.h"
#include "ArchivosPaquete.h"
#include "Errores.h"
#include "Listas.h"
#include "Texto.h"

namespace brivo {

namespace {

using paquete::Existe;
using paquete::Mover;

QByteArray LeerLista(const QString& ruta) {
    QByteArray datos;
    const archivos::ResultadoLectura lr = archivos::Leer(ruta, datos);
    if (!lr.abierto || lr.error != 0)
        throw archivos::ErrorDeSistema(lr.error);
    return datos;
}

// The slot of the book's document known by that number, 0 when none.
int SlotDeOrigen(const TAlmacen& a, std::int32_t idLibro, int origen) {
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = a.Documentos[k];
        if (d.Usado() && d.IdLibro == idLibro && d.Origen() == origen)
            return k;
    }
    return 0;
}

} // namespace

TIncorporacionPaquete::TIncorporacionPaquete(TAlmacen& almacen, const TPaqueteExtraido& p,
                                             const TOpcionesImportacion& o)
    : a(almacen), paquete(p), opciones(o) {
    arbolPaquete = opciones.ArbolTemp ? opciones.ArbolTemp : &arbolLocal;
}

// ---------------------------------------------------------------------------
// Reading

bool TIncorporacionPaquete::LeerPaquete() {
    if (a.LibroLibre() == 0) {
        r.Fin = TFinImportacion::TablaLibrosLlena;
        return false;
    }
    if (!CarpetaDePaqueteValida(paquete.Carpeta)) {
        r.Fin = TFinImportacion::CarpetaNoValida;
        return false;
    }
    const QString listas = paquete.CarpetaListas + QLatin1Char('/');
    if (!LeerLibroDePaquete(listas + paquete::Libros, libro)) {
        r.Fin = libro.Identificador != 0 ? TFinImportacion::IdentificadorNoValido
                                         : TFinImportacion::NoEsPaquete;
        return false;
    }
    // Everything is read before anything changes.
    if (QFileInfo::exists(listas + paquete::Docs)) {
        const QByteArray datos = LeerLista(listas + paquete::Docs);
        for (qsizetype i = 0; i + TamRegistroDocumento <= datos.size(); i += TamRegistroDocumento)
            registros.push_back(DocumentoDeBytes(datos.constData() + i));
    }
    if (QFileInfo::exists(listas + paquete::Origenes))
        origenes = OrigenesDeBytes(LeerLista(listas + paquete::Origenes));
    if (QFileInfo::exists(listas + paquete::Arbol)) {
        try {
            arbolPaquete->Cargar(listas + paquete::Arbol);
            hayArbol = true;
        } catch (const ErrorBrivo& e) {
            r.Avisos << QStringLiteral("El árbol de temas del paquete no se puede leer (%1); no "
                                       "se ha incorporado ningún nodo.")
                            .arg(e.Mensaje());
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Deciding

bool TIncorporacionPaquete::DecidirPlazas() {
    DecidirCarpeta();
    if (r.CarpetaUsada.isEmpty()) {
        r.Fin = TFinImportacion::CarpetaNoValida;
        return false;
    }
    r.SlotLibro = slotReemplazado ? slotReemplazado : a.LibroLibre();
    DecidirDocumentos();
    ColocarNuevos();
    return true;
}

bool TIncorporacionPaquete::CarpetaOcupada(const QString& nombre) const {
    // A folder another book owns, or a name in Docs that is not a plain
    // folder, cannot take this book's files.
    CadenaCorta<100> c;
    c.Asignar(nombre);
    if (paquete::CarpetaDeOtroLibro(a, c, libro.Identificador))
        return true;
    const QFileInfo fi(RutaCarpetaLibro(a, nombre));
    return fi.isSymLink() || (fi.exists() && !fi.isDir());
}

void TIncorporacionPaquete::DecidirCarpeta() {
    slotReemplazado = 0;
    for (int i = 1; i <= MaxLibros && !slotReemplazado; ++i) {
        if (a.Libros[i].Identificador == libro.Identificador)
            slotReemplazado = i;
    }
    r.LibroReemplazado = slotReemplazado != 0;
    CadenaCorta<100> delPaquete;
    delPaquete.Asignar(paquete.Carpeta);
    r.CarpetaPaquete = delPaquete.Texto();
    anterior = slotReemplazado ? a.Libros[slotReemplazado].Carpeta.Texto() : QString();
    QString carpeta = r.CarpetaPaquete;
    if (CarpetaOcupada(carpeta)) {
        // A replaced book keeps its own folder when it can; otherwise the
        // package's name gets a suffix.
        if (slotReemplazado && CarpetaDePaqueteValida(anterior) && !CarpetaOcupada(anterior))
            carpeta = anterior;
        else
            carpeta = CarpetaDerivada(a, r.CarpetaPaquete);
        if (carpeta.isEmpty())
            return;
        r.Avisos << QStringLiteral("La carpeta \"%1\" del paquete pertenece a otro libro; los "
                                   "documentos del libro importado se guardan en la carpeta "
                                   "\"%2\".")
                        .arg(r.CarpetaPaquete, carpeta);
    }
    r.CarpetaUsada = carpeta;
}

void TIncorporacionPaquete::DecidirDocumentos() {
    // A document is known by the number its book gives it: its Numero, or
    // the number of origin the package lists for it.
    const std::int32_t id = libro.Identificador;
    QSet<int> vistos; // numbers of origin already taken by an earlier record
    colocaciones.clear();
    for (const TDocumento& d : registros) {
        const int origen = origenes.value(d.Numero, d.Numero);
        if (d.IdLibro != id || d.Numero < 1 || d.Numero > MaxDocumentos ||
            vistos.contains(origen)) {
            ++r.DocumentosAjenos;
            continue;
        }
        vistos.insert(origen);
        TColocacion c{d, d.Numero, origen, SlotDeOrigen(a, id, origen), false};
        c.Listado = c.Slot != 0;
        if (c.Listado)
            ++r.DocumentosOmitidos;
        colocaciones.push_back(c);
    }
}

void TIncorporacionPaquete::ColocarNuevos() {
    // First every record whose number of origin names a free slot, so that
    // renumbering one never takes the slot of another; then a record whose
    // origin lies beyond the slots keeps its package number when that slot
    // is free; the rest take the first free slots.
    std::array<bool, MaxDocumentos + 1> ocupado{};
    for (int k = 1; k <= MaxDocumentos; ++k)
        ocupado[k] = a.Documentos[k].Usado();
    auto colocar = [&](TColocacion& c, int s) {
        c.Slot = s;
        ocupado[s] = true;
        ++r.DocumentosAnadidos;
    };
    for (TColocacion& c : colocaciones) {
        if (!c.Listado && c.Origen <= MaxDocumentos && !ocupado[c.Origen])
            colocar(c, c.Origen);
    }
    for (TColocacion& c : colocaciones) {
        if (!c.Listado && c.Slot == 0 && c.Origen > MaxDocumentos && !ocupado[c.NumeroPaquete])
            colocar(c, c.NumeroPaquete);
    }
    for (TColocacion& c : colocaciones) {
        if (c.Listado || c.Slot != 0)
            continue;
        int s = 1;
        while (s <= MaxDocumentos && ocupado[s])
            ++s;
        if (s > MaxDocumentos) {
            ++r.DocumentosSinSitio;
            continue;
        }
        colocar(c, s);
        ++r.DocumentosRenumerados;
    }
}

// ---------------------------------------------------------------------------
// Files

QString TIncorporacionPaquete::RutaFinal(int numero) const {
    for (const TColocacion& c : colocaciones) {
        if (c.Slot == numero)
            return RutaDocumentoEnCarpeta(a, r.CarpetaUsada, numero);
    }
    const TDocumento& d = a.Documentos[numero];
    if (!d.Usado())
        return {};
    if (d.IdLibro == libro.Identificador)
        return RutaDocumentoEnCarpeta(a, r.CarpetaUsada, numero);
    return RutaDocumento(a, numero);
}

void TIncorporacionPaquete::MoverArchivos() {
    const QString destino = RutaCarpetaLibro(a, r.CarpetaUsada);
    if (slotReemplazado && anterior != r.CarpetaUsada)
        r.CarpetaCambiada =
            paquete::MoverArchivosDeLibro(a, libro.Identificador, anterior, r.CarpetaUsada);
    QDir().mkpath(destino);

    // Each extracted document file goes to the name of its record's slot. A
    // slot that was free names no other document's file, and a listed
    // document's file is replaced by its own newer copy. New records first.
    const QString desde = paquete.CarpetaArchivos + QLatin1Char('/');
    const QString hacia = destino + QLatin1Char('/');
    QSet<QString> usados;
    for (const bool listados : {false, true}) {
        for (const TColocacion& c : colocaciones) {
            if (c.Listado != listados)
                continue;
            const QString nombre = NombreArchivoDocumento(c.NumeroPaquete);
            usados.insert(nombre); // a record without a slot leaves its file out
            if (c.Slot == 0 || !Existe(desde + nombre))
                continue;
            if (!Mover(desde + nombre, hacia + NombreArchivoDocumento(c.Slot)))
                ++r.ArchivosNoColocados;
        }
    }
    // Other extracted files: a document file without a record never takes the
    // place of an existing file or of a listed document's file, and a file
    // left over from an interrupted write never comes in; anything else
    // replaces a file of the same name.
    const QStringList resto = QDir(paquete.CarpetaArchivos).entryList(QDir::Files | QDir::Hidden);
    for (const QString& nombre : resto) {
        if (usados.contains(nombre) || archivos::EsTemporalPropio(nombre))
            continue;
        const QString objetivo = hacia + nombre;
        if (const int n = paquete::NumeroDeNombre(nombre); n > 0) {
            if (RutaFinal(n) == objetivo || Existe(objetivo))
                continue;
        } else if (QFileInfo(objetivo).isDir()) {
            continue;
        }
        if (!Mover(desde + nombre, objetivo))
            ++r.ArchivosNoColocados;
    }
}

// ---------------------------------------------------------------------------
// Records and tree

void TIncorporacionPaquete::IncorporarRegistros() {
    for (const TColocacion& c : colocaciones) {
        if (c.Listado || c.Slot == 0)
            continue;
        TDocumento doc = c.Doc;
        doc.Numero = c.Slot;
        doc.NumeroOrigen = static_cast<std::int16_t>(c.Slot == c.Origen ? 0 : c.Origen);
        doc.Marcado = false;
        a.Documentos[c.Slot] = doc;
    }
    // The book record, with the folder its files are in.
    TLibro registro = libro;
    registro.Carpeta.Asignar(r.CarpetaUsada);
    a.Libros[r.SlotLibro] = registro;
}

void TIncorporacionPaquete::IncorporarNodos() {
    if (hayArbol)
        r.NodosAnadidos =
            IncorporarArbol(a.Arbol, *arbolPaquete, opciones.AnadirNodo, &r.NodosSinSitio);
}

void TIncorporacionPaquete::Informe() {
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
                        .arg(RutaCarpetaLibro(a, r.CarpetaUsada));
}

TResultadoImportacion TIncorporacionPaquete::Incorporar() {
    if (!LeerPaquete() || !DecidirPlazas())
        return r;
    MoverArchivos();
    IncorporarRegistros();
    IncorporarNodos();
    Informe();
    return r;
}

} // namespace brivo
