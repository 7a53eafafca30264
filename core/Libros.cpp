#include "Libros.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include "Almacen.h"
#include "VentanaPrincipal.h"

namespace brivo {

std::int32_t SortearIdentificador(const TAlmacen& almacen) {
    auto usado = [&almacen](std::int32_t id) {
        for (int i = 1; i <= MaxLibros; ++i)
            if (almacen.Libros[i].Identificador == id)
                return true;
        return false;
    };
    std::int32_t id;
    do {
        id = 100000 + static_cast<std::int32_t>(QRandomGenerator::system()->bounded(899000));
    } while (usado(id));
    return id;
}

bool NombreCarpetaValido(const QString& carpeta) {
    if (carpeta.trimmed().isEmpty())
        return false; // blanks alone name no folder one could find again
    if (carpeta == QLatin1String(".") || carpeta == QLatin1String(".."))
        return false;
    for (const QChar c : carpeta) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

void BorrarLibro(IVentanaPrincipal& ventana) {
    TAlmacen& a = ventana.Almacen();
    // With no valid active book the identifier would be 0, which every free
    // document slot carries: nothing may be deleted then.
    if (!a.LibroActivoValido())
        return;
    const std::int32_t idBorrado = a.Libros[a.LibroActivo].Identificador;

    ventana.SeleccionarPrimerNodo();

    for (int k = 1; k <= MaxDocumentos; ++k) {
        if (a.Documentos[k].IdLibro != idBorrado)
            continue;
        const QString ruta = RutaDocumento(a, k);
        if (!ruta.isEmpty())
            QFile::remove(ruta); // a file that cannot be deleted stays
        a.Documentos[k].Vaciar();
        a.QuitarDeListaExamen(k);
    }

    int slot = 0;
    for (int i = 1; i <= MaxLibros; ++i) {
        if (a.Libros[i].Identificador == idBorrado) {
            slot = i;
            break;
        }
    }
    if (slot == 0)
        return;
    TLibro& libro = a.Libros[slot];
    // Only an empty folder goes; an empty name would name Docs itself.
    if (!libro.Carpeta.Vacia())
        QDir().rmdir(RutaCarpetaLibro(a, libro.Carpeta.Texto()));
    libro.Identificador = 0;
    libro.Titulo.Vaciar();
    libro.Autor.Vaciar();
    libro.Materia.Vaciar();
    libro.Carpeta.Vaciar();
    libro.Comentario.Vaciar();
}

} // namespace brivo
