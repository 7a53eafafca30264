#include "PaqueteDocumentos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>

#include "Almacen.h"
#include "Archivos.h"
#include "Paquete.h"
#include "VentanaPrincipal.h"

namespace brivo::paquete {

namespace {

// The number of a document file name ("K" + six digits + ".doc"), else 0.
int NumeroDeNombre(const QString& nombre) {
    if (nombre.size() != 11 || nombre[0] != QLatin1Char('K') ||
        !nombre.endsWith(QLatin1String(".doc")))
        return 0;
    for (int i = 1; i <= 6; ++i) {
        if (!nombre[i].isDigit())
            return 0;
    }
    bool ok = false;
    const int n = nombre.mid(1, 6).toInt(&ok);
    return ok && n >= 1 && n <= MaxDocumentos ? n : 0;
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

// A package record and where it goes.
struct TColocacion {
    TDocumento doc;
    int numeroPaquete = 0; // its Numero in the package (names its extracted file)
    int origen = 0;        // the number its book knows it by
    int slot = 0;          // local slot: the listed document's, or the one it takes
};

// Sorts the package records into those already listed and the new ones.
void Clasificar(const TAlmacen& a, std::int32_t idLibro, const std::vector<TDocumento>& registros,
                const QHash<int, int>& origenes, std::vector<TColocacion>& listados,
                std::vector<TColocacion>& nuevos, TResultadoImportacion& r) {
    QSet<int> vistos; // numbers of origin already taken by an earlier record
    for (const TDocumento& d : registros) {
        const int origen = origenes.value(d.Numero, d.Numero);
        if (d.IdLibro != idLibro || d.Numero < 1 || d.Numero > MaxDocumentos ||
            vistos.contains(origen)) {
            ++r.DocumentosAjenos;
            continue;
        }
        vistos.insert(origen);
        TColocacion c{d, d.Numero, origen, SlotDeOrigen(a, idLibro, origen)};
        if (c.slot != 0) {
            ++r.DocumentosOmitidos;
            listados.push_back(c);
        } else {
            nuevos.push_back(c);
        }
    }
}

// Gives the new records their slots: first every record whose own number's
// slot is free, so that renumbering one never takes the slot of another;
// then the rest in the first free slots.
void Colocar(TAlmacen& a, std::vector<TColocacion>& nuevos, TResultadoImportacion& r) {
    auto colocar = [&](TColocacion& c, int s) {
        c.slot = s;
        TDocumento doc = c.doc;
        doc.Numero = s;
        doc.NumeroOrigen = static_cast<std::int16_t>(s == c.origen ? 0 : c.origen);
        doc.Marcado = false;
        a.Documentos[s] = doc;
        ++r.DocumentosAnadidos;
    };
    for (TColocacion& c : nuevos) {
        if (!a.Documentos[c.origen].Usado())
            colocar(c, c.origen);
    }
    for (TColocacion& c : nuevos) {
        if (c.slot != 0)
            continue;
        const int s = a.DocumentoLibre();
        if (s == 0) {
            ++r.DocumentosSinSitio;
            continue;
        }
        colocar(c, s);
        ++r.DocumentosRenumerados;
    }
}

} // namespace

QString NombreDocumento(int numero) {
    return QStringLiteral("K%1.doc").arg(numero, 6, 10, QLatin1Char('0'));
}

bool Existe(const QString& ruta) {
    const QFileInfo fi(ruta);
    return fi.exists() || fi.isSymLink();
}

bool Mover(const QString& origen, const QString& destino) {
    if (std::rename(QFile::encodeName(origen).constData(),
                    QFile::encodeName(destino).constData()) == 0)
        return true;
    const QString temporal = destino + QStringLiteral(".brivo-tmp");
    QFile::remove(temporal);
    if (!QFile::copy(origen, temporal))
        return false;
    if (std::rename(QFile::encodeName(temporal).constData(),
                    QFile::encodeName(destino).constData()) != 0) {
        QFile::remove(temporal);
        return false;
    }
    QFile::remove(origen);
    return true;
}

void IncorporarDocumentos(IVentanaPrincipal& ventana, std::int32_t idLibro,
                          const std::vector<TDocumento>& registros, const QHash<int, int>& origenes,
                          const QString& extraidos, const QString& destino,
                          TResultadoImportacion& r) {
    TAlmacen& a = ventana.Almacen();
    std::vector<TColocacion> listados;
    std::vector<TColocacion> nuevos;
    Clasificar(a, idLibro, registros, origenes, listados, nuevos, r);
    Colocar(a, nuevos, r);

    // Files: each extracted document file goes to the name of its record's
    // slot. A slot that was free names no other document's file, and a listed
    // document's file is replaced by its own newer copy.
    const QString desde = extraidos + QLatin1Char('/');
    const QString hacia = destino + QLatin1Char('/');
    QSet<QString> usados;
    for (const std::vector<TColocacion>* grupo : {&nuevos, &listados}) {
        for (const TColocacion& c : *grupo) {
            const QString nombre = NombreDocumento(c.numeroPaquete);
            usados.insert(nombre); // a record without a slot leaves its file out
            if (c.slot == 0 || !Existe(desde + nombre))
                continue;
            if (!Mover(desde + nombre, hacia + NombreDocumento(c.slot)))
                ++r.ArchivosNoColocados;
        }
    }
    // Other extracted files: a document file without a record never takes the
    // place of an existing file or of a listed document's file, and a file
    // left over from an interrupted write never comes in; anything else
    // replaces a file of the same name.
    const QStringList resto = QDir(extraidos).entryList(QDir::Files | QDir::Hidden);
    for (const QString& nombre : resto) {
        if (usados.contains(nombre) || archivos::EsTemporalPropio(nombre))
            continue;
        const QString objetivo = hacia + nombre;
        if (const int n = NumeroDeNombre(nombre); n > 0) {
            const TDocumento& d = a.Documentos[n];
            const bool reservado = d.Usado() && ventana.RutaDocumento(n) == objetivo;
            if (reservado || Existe(objetivo))
                continue;
        } else if (QFileInfo(objetivo).isDir()) {
            continue;
        }
        if (!Mover(desde + nombre, objetivo))
            ++r.ArchivosNoColocados;
    }
}

} // namespace brivo::paquete
