#pragma once
// BRIVO_II.INI: the values that outlive a run and belong to no book.
#include <cstdint>

#include <QByteArray>
#include <QList>
#include <QString>

namespace brivo {

struct TAjustes {
    std::int32_t NumModeloPreguntas = 0;
    std::int32_t NumModeloExamenes = 0;
    std::int32_t LibroActivo = 0;
    bool PonPregunta = true;
    bool PonDesarrollo = false;
    bool PonRespuesta = false;
    bool PonComentario = false;
    QString TextoPregunta = QStringLiteral("Pregunta % ");
    QString TextoDesarrollo = QStringLiteral("Desarrollo");
    QString TextoRespuesta = QStringLiteral("Respuesta");
    QString TextoComentario = QStringLiteral("Comentario");

    bool operator==(const TAjustes&) const = default;
};

// A heading text as the settings file keeps it: single-byte Windows-1252
// (a character without such a form becomes '?'), line breaks as blanks, cut
// to 100 characters. Texts typed by the user go through it when they are
// stored, so the text shown during the run is the one the next run reads.
QString TextoDeAjuste(const QString& texto);

// Reads the eleven values, each with its default (missing file, section, key
// or a value that is not valid). Texts are cut to 100 characters.
TAjustes LeerAjustes(const QString& ruta);
// Writes the eleven values, keeping every other line of the file; throws
// ErrorBrivo "No se puede escribir en %s" on failure.
void EscribirAjustes(const QString& ruta, const TAjustes& ajustes);
// The contents the file at ruta would have after EscribirAjustes.
QByteArray AjustesEnBytes(const QString& ruta, const TAjustes& ajustes);

// Profile-file access for single values, with the rules of the platform the
// format comes from: case-insensitive names, foreign lines kept, CR LF written.
class TArchivoIni {
public:
    explicit TArchivoIni(const QString& ruta);
    // Returns the default when the file, section or key is missing.
    QString LeerCadena(const QString& seccion, const QString& clave, const QString& defecto) const;
    std::int32_t LeerEntero(const QString& seccion, const QString& clave,
                            std::int32_t defecto) const;
    void EscribirCadena(const QString& seccion, const QString& clave, const QString& valor);
    // Writes the file atomically; throws "No se puede escribir en %s".
    void Guardar() const;
    // The lines of the file, each ended by CR LF.
    QByteArray Contenido() const;

private:
    QString ruta;
    QList<QByteArray> lineas;
};

} // namespace brivo
