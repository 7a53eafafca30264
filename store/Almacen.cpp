// The library in memory, and its loading and saving.
#include "Almacen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <functional>
#include <vector>

#include "Archivos.h"
#include "Listas.h"
#include "TextosComunes.h"

namespace brivo {

TAlmacen::TAlmacen() {
    if (QCoreApplication::instance())
        CarpetaPrograma = QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

TLibro TAlmacen::BuscarLibro(std::int32_t identificador) const {
    if (identificador != 0) {
        for (int i = 1; i <= MaxLibros; ++i) {
            if (Libros[i].Identificador == identificador)
                return Libros[i];
        }
    }
    return TLibro{};
}

int TAlmacen::LibroLibre() const {
    for (int i = 1; i <= MaxLibros; ++i) {
        if (!Libros[i].Usado())
            return i;
    }
    return 0;
}

int TAlmacen::DocumentoLibre() const {
    for (int i = 1; i <= MaxDocumentos; ++i) {
        if (!Documentos[i].Usado())
            return i;
    }
    return 0;
}

bool TAlmacen::HayLibros() const {
    for (int i = 1; i <= MaxLibros; ++i) {
        if (Libros[i].Usado())
            return true;
    }
    return false;
}

bool TAlmacen::LibroActivoValido() const {
    return LibroActivo >= 1 && LibroActivo <= MaxLibros && Libros[LibroActivo].Usado();
}

int TAlmacen::QuitarDeListaExamen(int numero) {
    if (numero < 1)
        return 0;
    int destino = 1;
    for (int i = 1; i <= MaxExamen; ++i) {
        if (ListaExamen[i] != numero)
            ListaExamen[destino++] = ListaExamen[i];
    }
    const int quitadas = MaxExamen + 1 - destino;
    for (int i = destino; i <= MaxExamen; ++i)
        ListaExamen[i] = 0;
    return quitadas;
}

int TAlmacen::EntradasExamen() const {
    int usadas = 0;
    for (int i = 1; i <= MaxExamen; ++i)
        if (ListaExamen[i] > 0)
            ++usadas;
    return usadas;
}

QString RutaDocumento(const TAlmacen& almacen, int numero) {
    if (numero < 1 || numero > MaxDocumentos)
        return {};
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[size_t(numero)].IdLibro);
    if (libro.Identificador == 0)
        return {};
    return RutaDocumentoEnCarpeta(almacen, libro.Carpeta.Texto(), numero);
}

QString NombreArchivoDocumento(int numero) {
    return QStringLiteral("K%1.doc").arg(numero, 6, 10, QLatin1Char('0'));
}

QString RutaDocs(const TAlmacen& almacen) {
    return almacen.CarpetaPrograma + QStringLiteral("Docs/");
}

QString RutaCarpetaLibro(const TAlmacen& almacen, const QString& carpeta) {
    return RutaDocs(almacen) + carpeta;
}

QString RutaDocumentoEnCarpeta(const TAlmacen& almacen, const QString& carpeta, int numero) {
    return RutaCarpetaLibro(almacen, carpeta) + QLatin1Char('/') + NombreArchivoDocumento(numero);
}

const TLibro* TAlmacen::LibroActivoPtr() const {
    return LibroActivoValido() ? &Libros[LibroActivo] : nullptr;
}

int TAlmacen::ModeloEnPosicion(int tema, int posicion) const {
    int actual = 0;
    for (int i = 1; i <= MaxDocumentos; ++i) {
        const TDocumento& d = Documentos[i];
        if (d.Numero >= 1 && d.IdMateria == 1 && d.IdTema == tema) {
            if (actual == posicion)
                return i;
            ++actual;
        }
    }
    return 0;
}

void TAlmacen::BuscarModelos() {
    ModeloPreguntas = ModeloEnPosicion(1, Ajustes.NumModeloPreguntas);
    ModeloExamenes = ModeloEnPosicion(2, Ajustes.NumModeloExamenes);
}

QString TAlmacen::RutaDelPrograma(const QString& nombre) const {
    const QString propia = Ruta(nombre);
    if (CarpetaInstalados.isEmpty() || QFileInfo::exists(propia))
        return propia;
    return CarpetaInstalados + nombre;
}

int TAlmacen::LimpiarTemporales() const {
    int borrados = archivos::BorrarTemporalesPropios(CarpetaPrograma);
    const QString docs = Ruta(QStringLiteral("Docs"));
    borrados += archivos::BorrarTemporalesPropios(docs);
    for (const QString& carpeta :
         QDir(docs).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        borrados += archivos::BorrarTemporalesPropios(docs + QLatin1Char('/') + carpeta);
    const QDir temp(Ruta(QStringLiteral("Temp")));
    borrados += archivos::BorrarTemporalesPropios(temp.path());
    for (const QString& carpeta :
         temp.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (archivos::EsPreparacionPropia(carpeta) &&
            QDir(temp.filePath(carpeta)).removeRecursively())
            ++borrados;
    }
    return borrados;
}

void TAlmacen::CargarLibreria() {
    if (!SoloConsulta)
        LimpiarTemporales(); // a writer elsewhere may be in the middle of a save
    for (int i = 1; i <= MaxExamen; ++i)
        ListaExamen[i] = -1;
    for (int i = 1; i <= MaxLibros; ++i)
        Libros[i] = TLibro::Libre();
    // The readers leave a table as it is when its file is missing.
    LeerLibros(Ruta(QStringLiteral("Libros.lst")), *this);
    LeerDocumentos(Ruta(QStringLiteral("Docs.lst")), *this);
    LeerOrigenes(Ruta(QLatin1String(NombreOrigenes)), *this);
    const QString arbol = Ruta(QStringLiteral("Arbol.tvw"));
    Arbol.Cargar(QFileInfo::exists(arbol) ? arbol : RutaDelPrograma(QStringLiteral("Arbol0.tvw")));
    Ajustes = LeerAjustes(Ruta(QStringLiteral("BRIVO_II.INI")));
    LibroActivo = Ajustes.LibroActivo;
    BuscarModelos();
}

void TAlmacen::GuardarLibreria() const {
    if (SoloConsulta)
        throw ErrorBrivo(QStringLiteral("La biblioteca está abierta sólo para consulta: no se "
                                        "guarda ningún cambio."));
    // Every file goes first to a temporary file beside it; the files are then
    // flushed to disk together and put in place in the order of the steps. A
    // step that fails puts in place what the steps before it wrote and stops.
    archivos::TEscrituraEnGrupo grupo;
    // Each step's failure, thrown with the step's own message.
    using Error = std::function<void(const archivos::ResultadoEscritura&)>;
    std::vector<Error> errores; // for each prepared file, its failure (empty: a copy)

    const Error deLista = [](const archivos::ResultadoEscritura& r) {
        throw archivos::ErrorDeSistema(r.error);
    };
    auto deArbol = [](const QString& ruta) -> Error {
        return [ruta](const archivos::ResultadoEscritura& r) {
            if (r.alCrear)
                throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeCrearArchivo).arg(ruta));
            throw archivos::ErrorDeSistema(r.error);
        };
    };
    auto confirmar = [&] {
        const archivos::TEscrituraEnGrupo::Fallo f = grupo.Confirmar();
        if (f.indice >= 0)
            errores[static_cast<size_t>(f.indice)](f.resultado);
    };
    auto paso = [&](const QString& ruta, const QByteArray& datos, const Error& error) {
        const archivos::ResultadoEscritura r = grupo.Preparar(ruta, datos);
        errores.push_back(error);
        if (r.error != 0) {
            confirmar();
            error(r);
        }
    };
    // The previous version of a list goes to Docs/ before the list is
    // rewritten; a copy that cannot be made (no file yet, no Docs/) is skipped.
    auto copia = [&](const QString& origen, const QString& destino) {
        QByteArray datos;
        const archivos::ResultadoLectura r = archivos::Leer(origen, datos);
        if (!r.abierto || r.error != 0)
            return;
        grupo.Preparar(destino, datos, true);
        errores.push_back(Error());
    };

    copia(Ruta(QStringLiteral("Libros.lst")), Ruta(QStringLiteral("Docs/Libros.lst")));
    paso(Ruta(QStringLiteral("Libros.lst")), LibrosEnBytes(*this), deLista);
    copia(Ruta(QStringLiteral("Docs.lst")), Ruta(QStringLiteral("Docs/Docs.lst")));
    paso(Ruta(QStringLiteral("Docs.lst")), DocumentosEnBytes(*this), deLista);
    // The origins of renumbered documents; an installation that never had
    // any gets no file.
    const QString origenes = Ruta(QLatin1String(NombreOrigenes));
    const QByteArray lineasOrigenes = OrigenesEnBytes(*this);
    if (!lineasOrigenes.isEmpty() || QFileInfo::exists(origenes))
        paso(origenes, lineasOrigenes, deLista);
    const QByteArray arbol = Arbol.Serializar();
    paso(Ruta(QStringLiteral("Docs/Arbol.tvw")), arbol,
         deArbol(Ruta(QStringLiteral("Docs/Arbol.tvw"))));
    paso(Ruta(QStringLiteral("Arbol.tvw")), arbol, deArbol(Ruta(QStringLiteral("Arbol.tvw"))));
    TAjustes ajustes = Ajustes;
    ajustes.LibroActivo = LibroActivo;
    const QString ini = Ruta(QStringLiteral("BRIVO_II.INI"));
    paso(ini, AjustesEnBytes(ini, ajustes), [ini](const archivos::ResultadoEscritura&) {
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeEscribirEn).arg(ini));
    });
    confirmar();
}

} // namespace brivo
