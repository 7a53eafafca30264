// The library in memory, and its loading and saving.
#include "Almacen.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "Archivos.h"
#include "Listas.h"

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

void TAlmacen::CargarLibreria() {
    for (int i = 1; i <= MaxExamen; ++i)
        ListaExamen[i] = -1;
    for (int i = 1; i <= MaxLibros; ++i)
        Libros[i] = TLibro::Libre();
    // The readers leave a table as it is when its file is missing.
    LeerLibros(Ruta(QStringLiteral("Libros.lst")), *this);
    LeerDocumentos(Ruta(QStringLiteral("Docs.lst")), *this);
    const QString arbol = Ruta(QStringLiteral("Arbol.tvw"));
    Arbol.Cargar(QFileInfo::exists(arbol) ? arbol : Ruta(QStringLiteral("Arbol0.tvw")));
    Ajustes = LeerAjustes(Ruta(QStringLiteral("BRIVO_II.INI")));
    LibroActivo = Ajustes.LibroActivo;
    BuscarModelos();
}

namespace {
// The previous version of a list file goes to Docs/ just before the file is
// rewritten; a copy that cannot be made (no file yet, no Docs/) is skipped.
void CopiarAnterior(const QString& origen, const QString& destino) {
    QByteArray datos;
    const archivos::ResultadoLectura r = archivos::Leer(origen, datos);
    if (!r.abierto || r.error != 0)
        return;
    archivos::EscribirSeguro(destino, datos);
}
} // namespace

void TAlmacen::GuardarLibreria() const {
    CopiarAnterior(Ruta(QStringLiteral("Libros.lst")), Ruta(QStringLiteral("Docs/Libros.lst")));
    EscribirLibros(Ruta(QStringLiteral("Libros.lst")), *this);
    CopiarAnterior(Ruta(QStringLiteral("Docs.lst")), Ruta(QStringLiteral("Docs/Docs.lst")));
    EscribirDocumentos(Ruta(QStringLiteral("Docs.lst")), *this);
    Arbol.Guardar(Ruta(QStringLiteral("Docs/Arbol.tvw")));
    Arbol.Guardar(Ruta(QStringLiteral("Arbol.tvw")));
    TAjustes ajustes = Ajustes;
    ajustes.LibroActivo = LibroActivo;
    EscribirAjustes(Ruta(QStringLiteral("BRIVO_II.INI")), ajustes);
}

} // namespace brivo
