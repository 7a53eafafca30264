#include "FormatoOficina.h"

#include <vector>

#include <QFile>

namespace brivo::oficina {

namespace {

const QByteArray FirmaOle("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
const QByteArray FirmaZip("PK\x03\x04", 4);
const QByteArray FirmaFinZip("PK\x05\x06", 4);
const QByteArray FirmaRtf("{\\rtf");
const QByteArray TipoOdt("application/vnd.oasis.opendocument.text");

constexpr quint32 SectorLibre = 0xFFFFFFFF;
constexpr quint32 PrimerEspecial = 0xFFFFFFFA; // values from here on mark ends and special sectors

quint32 U32(const QByteArray& d, qsizetype p) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(d.at(p + i));
    return v;
}

quint16 U16(const QByteArray& d, qsizetype p) {
    return quint16(static_cast<unsigned char>(d.at(p)) |
                   (static_cast<unsigned char>(d.at(p + 1)) << 8));
}

// An OpenDocument package stores its mimetype, uncompressed, as its first entry.
bool EsOdt(const QByteArray& d) {
    if (d.size() < 30 + 8 + TipoOdt.size())
        return false;
    const quint16 metodo = U16(d, 8);
    const quint32 largo = U32(d, 18);
    const quint16 largoNombre = U16(d, 26);
    const quint16 largoExtra = U16(d, 28);
    if (metodo != 0 || largoNombre != 8 || d.mid(30, 8) != "mimetype")
        return false;
    return largo == quint32(TipoOdt.size()) && d.mid(30 + 8 + largoExtra, largo) == TipoOdt;
}

// The end-of-central-directory record of a whole zip: at the very end of the
// data (after its comment), with the directory before it.
bool ZipCompleto(const QByteArray& d) {
    constexpr qsizetype LargoFin = 22;
    if (d.size() < LargoFin)
        return false;
    const qsizetype desde = std::max<qsizetype>(0, d.size() - LargoFin - 0xFFFF);
    for (qsizetype p = d.size() - LargoFin; p >= desde; --p) {
        if (d.at(p) != 'P' || d.mid(p, 4) != FirmaFinZip)
            continue;
        if (p + LargoFin + U16(d, p + 20) != d.size())
            continue;
        const quint64 tamano = U32(d, p + 12);
        const quint64 inicio = U32(d, p + 16);
        return inicio + tamano <= quint64(p);
    }
    return false;
}

// The sectors of the allocation table, from the header's list and the chain
// of extra list sectors. Empty when the header is inconsistent.
std::vector<quint32> SectoresTabla(const QByteArray& d, qsizetype tamanoSector, quint32 sectores) {
    const quint32 cuantos = U32(d, 0x2C);
    if (cuantos == 0 || cuantos > sectores)
        return {};
    std::vector<quint32> lista;
    for (int i = 0; i < 109 && lista.size() < cuantos; ++i)
        lista.push_back(U32(d, 0x4C + 4 * i));
    quint32 extra = U32(d, 0x44);
    const qsizetype porSector = tamanoSector / 4 - 1;
    for (quint32 vueltas = 0; lista.size() < cuantos; ++vueltas) {
        if (extra >= sectores || vueltas > sectores)
            return {};
        const qsizetype base = (qsizetype(extra) + 1) * tamanoSector;
        for (qsizetype i = 0; i < porSector && lista.size() < cuantos; ++i)
            lista.push_back(U32(d, base + 4 * i));
        extra = U32(d, base + 4 * porSector);
    }
    return lista;
}

// A compound file is whole when every sector that its allocation table uses
// lies inside the file.
bool OleCompleto(const QByteArray& d) {
    if (d.size() < 512)
        return false;
    const int desplazamiento = U16(d, 0x1E);
    if (desplazamiento != 9 && desplazamiento != 12)
        return false;
    const qsizetype tamanoSector = qsizetype(1) << desplazamiento;
    if (d.size() < 2 * tamanoSector)
        return false;
    // Only whole sectors count: a cut file loses the tail of its last one.
    const auto sectores = quint32(d.size() / tamanoSector - 1);
    const std::vector<quint32> tabla = SectoresTabla(d, tamanoSector, sectores);
    if (tabla.empty() || U32(d, 0x30) >= sectores)
        return false;
    const qsizetype entradas = tamanoSector / 4;
    for (size_t t = 0; t < tabla.size(); ++t) {
        if (tabla[t] >= sectores)
            return false;
        const qsizetype base = (qsizetype(tabla[t]) + 1) * tamanoSector;
        for (qsizetype i = 0; i < entradas; ++i) {
            const quint64 sector = quint64(t) * quint64(entradas) + quint64(i);
            const quint32 siguiente = U32(d, base + 4 * i);
            if (sector >= sectores) {
                if (siguiente != SectorLibre)
                    return false;
            } else if (siguiente < PrimerEspecial && siguiente >= sectores) {
                return false;
            }
        }
    }
    return true;
}

// RTF groups open with "{" and close with "}"; escaped braces and the bytes
// of \binN do not count. The text is whole when the outer group closes.
bool RtfCompleto(const QByteArray& d) {
    int profundidad = 0;
    for (qsizetype i = 0; i < d.size(); ++i) {
        const char c = d.at(i);
        if (c == '{') {
            ++profundidad;
        } else if (c == '}') {
            if (--profundidad == 0)
                return true;
        } else if (c == '\\' && i + 1 < d.size()) {
            if (d.mid(i + 1, 3) == "bin") {
                qsizetype j = i + 4;
                qint64 largo = 0;
                while (j < d.size() && d.at(j) >= '0' && d.at(j) <= '9' && largo < (1LL << 40))
                    largo = largo * 10 + (d.at(j++) - '0');
                if (j < d.size() && d.at(j) == ' ')
                    ++j;
                i = j + qsizetype(largo) - 1;
            } else {
                ++i; // an escaped character, or the first letter of a control word
            }
        }
    }
    return false;
}

// A compound file's header that a writer filled in: little-endian byte order
// mark and a sector size of 512 or 4096 bytes.
bool CabeceraOle(const QByteArray& d) {
    return d.size() >= 512 && U16(d, 0x1C) == 0xFFFE && (U16(d, 0x1E) == 9 || U16(d, 0x1E) == 12);
}

// The name of a stream in a compound file's directory (UTF-16LE).
bool TieneFlujo(const QByteArray& d, const char* nombre) {
    QByteArray utf16;
    for (const char* c = nombre; *c; ++c)
        utf16.append(*c).append('\0');
    return d.contains(utf16);
}

// The first part of a zip package, as its first local header names it.
QByteArray PrimeraParte(const QByteArray& d) {
    if (d.size() < 30)
        return {};
    return d.mid(30, U16(d, 26));
}

} // namespace

bool PuedeSerDeOficina(const QByteArray& inicio) {
    return inicio.startsWith(FirmaOle) || inicio.startsWith(FirmaZip) ||
           inicio.startsWith(FirmaRtf);
}

FormatoOficina FormatoDeContenido(const QByteArray& datos) {
    if (datos.startsWith(FirmaOle)) {
        // A Word file holds the stream WordDocument; a Word 2007+ file
        // encrypted with a password becomes a compound file with EncryptedPackage.
        // A cut file (with a real header) may have lost its directory: it is
        // taken for Word too, and found damaged afterwards.
        if (TieneFlujo(datos, "WordDocument") || TieneFlujo(datos, "EncryptedPackage") ||
            (CabeceraOle(datos) && !OleCompleto(datos)))
            return FormatoOficina::Word97;
        return FormatoOficina::Ninguno;
    }
    if (datos.startsWith(FirmaRtf))
        return FormatoOficina::Rtf;
    if (datos.startsWith(FirmaZip)) {
        if (EsOdt(datos))
            return FormatoOficina::Odt;
        // The part's name appears in its local header and in the central directory.
        if (datos.contains("word/document.xml"))
            return FormatoOficina::Word2007;
        // A package cut before its document part starts like any Word 2007+ file.
        const QByteArray primera = PrimeraParte(datos);
        if (!ZipCompleto(datos) && (primera == "[Content_Types].xml" ||
                                    primera.startsWith("_rels/") || primera.startsWith("word/")))
            return FormatoOficina::Word2007;
    }
    return FormatoOficina::Ninguno;
}

FormatoOficina FormatoDeArchivo(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return FormatoOficina::Ninguno;
    if (!PuedeSerDeOficina(archivo.peek(8)))
        return FormatoOficina::Ninguno;
    return FormatoDeContenido(archivo.readAll());
}

bool ContenidoCompleto(const QByteArray& datos, FormatoOficina formato) {
    switch (formato) {
    case FormatoOficina::Word97:
        return OleCompleto(datos);
    case FormatoOficina::Word2007:
    case FormatoOficina::Odt:
        return ZipCompleto(datos);
    case FormatoOficina::Rtf:
        return RtfCompleto(datos);
    case FormatoOficina::Ninguno:
        break;
    }
    return false;
}

QString NombreFormato(FormatoOficina formato) {
    switch (formato) {
    case FormatoOficina::Word97:
        return QStringLiteral("Word 97-2003");
    case FormatoOficina::Word2007:
        return QStringLiteral("Word 2007");
    case FormatoOficina::Rtf:
        return QStringLiteral("RTF");
    case FormatoOficina::Odt:
        return QStringLiteral("OpenDocument");
    case FormatoOficina::Ninguno:
        break;
    }
    return {};
}

QString ExtensionFormato(FormatoOficina formato) {
    switch (formato) {
    case FormatoOficina::Word97:
        return QStringLiteral(".doc");
    case FormatoOficina::Word2007:
        return QStringLiteral(".docx");
    case FormatoOficina::Rtf:
        return QStringLiteral(".rtf");
    case FormatoOficina::Odt:
        return QStringLiteral(".odt");
    case FormatoOficina::Ninguno:
        break;
    }
    return {};
}

} // namespace brivo::oficina
