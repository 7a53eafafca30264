// BRIVO_II.INI through the program's own profile-file code.
#include "Ajustes.h"

#include <cctype>

#include "Archivos.h"
#include "Errores.h"
#include "Texto.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

constexpr int MaxValorLeido = 2047; // what one read of a value takes at most
constexpr int MaxTextoAjuste = 100; // capacity of the heading texts

QByteArray SinBlancos(const QByteArray& t) {
    qsizetype i = 0;
    qsizetype j = t.size();
    while (i < j && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    while (j > i && (t[j - 1] == ' ' || t[j - 1] == '\t'))
        --j;
    return t.mid(i, j - i);
}

bool MismoNombre(const QByteArray& a, const QString& b) {
    return DeCp1252(a).compare(b, Qt::CaseInsensitive) == 0;
}

// Section name of a line "[name]", or false when the line is no section.
bool EsSeccion(const QByteArray& linea, QByteArray& nombre) {
    const QByteArray t = SinBlancos(linea);
    if (!t.startsWith('['))
        return false;
    const qsizetype fin = t.indexOf(']');
    nombre = SinBlancos(fin < 0 ? t.mid(1) : t.mid(1, fin - 1));
    return true;
}

// Key and value of a line "key=value", or false when the line holds none.
bool EsClave(const QByteArray& linea, QByteArray& clave, QByteArray& valor) {
    const qsizetype igual = linea.indexOf('=');
    if (igual < 0)
        return false;
    clave = SinBlancos(linea.left(igual));
    valor = SinBlancos(linea.mid(igual + 1));
    return true;
}

bool EsComilla(char c) {
    return c == '"' || c == '\'';
}

// Integer text as the profile functions read it: decimal with an optional
// sign, or hexadecimal after "0x"/"0X" (also "$"), within 32 bits.
bool EnteroDeTexto(const QByteArray& texto, std::int32_t& valor) {
    QByteArray t = SinBlancos(texto);
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t = '$' + t.mid(2);
    if (t.startsWith('$')) {
        const QByteArray h = t.mid(1);
        if (h.isEmpty() || h.size() > 8)
            return false;
        for (char c : h) {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return false;
        }
        valor = static_cast<std::int32_t>(h.toUInt(nullptr, 16));
        return true;
    }
    return EnteroDecimal(t, 0, valor);
}

} // namespace

TArchivoIni::TArchivoIni(const QString& r) : ruta(r) {
    QByteArray datos;
    archivos::Leer(ruta, datos); // a missing or unreadable file reads as empty
    if (datos.isEmpty())
        return;
    lineas = datos.split('\n');
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    for (QByteArray& l : lineas) {
        if (l.endsWith('\r'))
            l.chop(1);
    }
}

QString TArchivoIni::LeerCadena(const QString& seccion, const QString& clave,
                                const QString& defecto) const {
    bool dentro = false;
    for (const QByteArray& l : lineas) {
        QByteArray nombre, k, v;
        if (EsSeccion(l, nombre)) {
            if (dentro)
                break; // only the first section of that name counts
            dentro = MismoNombre(nombre, seccion);
            continue;
        }
        if (!dentro || !EsClave(l, k, v) || !MismoNombre(k, clave))
            continue;
        // One pair of matching quotes around the value is not part of it.
        if (v.size() >= 2 && EsComilla(v.front()) && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return DeCp1252(v.left(MaxValorLeido));
    }
    return defecto;
}

std::int32_t TArchivoIni::LeerEntero(const QString& seccion, const QString& clave,
                                     std::int32_t defecto) const {
    const QString t = LeerCadena(seccion, clave, QString());
    std::int32_t v = 0;
    if (!EnteroDeTexto(ACp1252(t), v))
        return defecto;
    return v;
}

void TArchivoIni::EscribirCadena(const QString& seccion, const QString& clave,
                                 const QString& valor) {
    QByteArray v = ACp1252(valor);
    // A line break would split the line; it is written as a blank.
    v.replace('\r', ' ').replace('\n', ' ');
    // Blanks at either end, or a value between matching quotes, would be
    // lost on reading: such a value is written between quotes.
    if (SinBlancos(v) != v || (v.size() >= 2 && EsComilla(v.front()) && v.back() == v.front()))
        v = '"' + v + '"';

    qsizetype inicio = -1; // line of the section's header
    qsizetype i = 0;
    for (; i < lineas.size(); ++i) {
        QByteArray nombre;
        if (EsSeccion(lineas[i], nombre) && MismoNombre(nombre, seccion)) {
            inicio = i;
            break;
        }
    }
    if (inicio < 0) {
        lineas.append('[' + ACp1252(seccion) + ']');
        lineas.append(ACp1252(clave) + '=' + v);
        return;
    }
    qsizetype ultima = inicio; // last line of the section that is not blank
    for (i = inicio + 1; i < lineas.size(); ++i) {
        QByteArray nombre, k, actual;
        if (EsSeccion(lineas[i], nombre))
            break;
        if (!SinBlancos(lineas[i]).isEmpty())
            ultima = i;
        if (EsClave(lineas[i], k, actual) && MismoNombre(k, clave)) {
            lineas[i] = k + '=' + v;
            return;
        }
    }
    lineas.insert(ultima + 1, ACp1252(clave) + '=' + v);
}

QByteArray TArchivoIni::Contenido() const {
    QByteArray datos;
    for (const QByteArray& l : lineas) {
        datos += l;
        datos += "\r\n";
    }
    return datos;
}

void TArchivoIni::Guardar() const {
    if (archivos::EscribirSeguro(ruta, Contenido()).error != 0)
        throw ErrorBrivo(QString::fromUtf8(textos::NoSePuedeEscribirEn).arg(ruta));
}

QString TextoDeAjuste(const QString& texto) {
    QString t = TextoGuardable(texto, MaxTextoAjuste);
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

TAjustes LeerAjustes(const QString& ruta) {
    const TArchivoIni ini(ruta);
    TAjustes a;
    const QString g = QStringLiteral("General");
    const QString e = QStringLiteral("Examen");
    auto logico = [&](const char* clave, bool defecto) {
        return ini.LeerEntero(e, QLatin1String(clave), defecto ? 1 : 0) != 0;
    };
    auto texto = [&](const char* clave, const QString& defecto) {
        return ini.LeerCadena(e, QLatin1String(clave), defecto).left(MaxTextoAjuste);
    };
    a.NumModeloPreguntas = ini.LeerEntero(g, QStringLiteral("NumModeloPreguntas"), 0);
    a.NumModeloExamenes = ini.LeerEntero(g, QStringLiteral("NumModeloExamenes"), 0);
    a.LibroActivo = ini.LeerEntero(g, QStringLiteral("LibroActivo"), 0);
    a.PonPregunta = logico("PonPregunta", true);
    a.PonDesarrollo = logico("PonDesarrollo", false);
    a.PonRespuesta = logico("PonRespuesta", false);
    a.PonComentario = logico("PonComentario", false);
    a.TextoPregunta = texto("TextoPregunta", QStringLiteral("Pregunta % "));
    a.TextoDesarrollo = texto("TextoDesarrollo", QStringLiteral("Desarrollo"));
    a.TextoRespuesta = texto("TextoRespuesta", QStringLiteral("Respuesta"));
    a.TextoComentario = texto("TextoComentario", QStringLiteral("Comentario"));
    return a;
}

namespace {
void PonerAjustes(TArchivoIni& ini, const TAjustes& a) {
    const QString g = QStringLiteral("General");
    const QString e = QStringLiteral("Examen");
    auto entero = [&](const QString& s, const char* clave, std::int32_t v) {
        ini.EscribirCadena(s, QLatin1String(clave), QString::number(v));
    };
    auto texto = [&](const char* clave, const QString& v) {
        ini.EscribirCadena(e, QLatin1String(clave), TextoDeAjuste(v));
    };
    entero(g, "NumModeloPreguntas", a.NumModeloPreguntas);
    entero(g, "NumModeloExamenes", a.NumModeloExamenes);
    entero(g, "LibroActivo", a.LibroActivo);
    entero(e, "PonPregunta", a.PonPregunta ? 1 : 0);
    entero(e, "PonDesarrollo", a.PonDesarrollo ? 1 : 0);
    entero(e, "PonRespuesta", a.PonRespuesta ? 1 : 0);
    entero(e, "PonComentario", a.PonComentario ? 1 : 0);
    texto("TextoPregunta", a.TextoPregunta);
    texto("TextoDesarrollo", a.TextoDesarrollo);
    texto("TextoRespuesta", a.TextoRespuesta);
    texto("TextoComentario", a.TextoComentario);
}
} // namespace

QByteArray AjustesEnBytes(const QString& ruta, const TAjustes& ajustes) {
    TArchivoIni ini(ruta);
    PonerAjustes(ini, ajustes);
    return ini.Contenido();
}

void EscribirAjustes(const QString& ruta, const TAjustes& ajustes) {
    TArchivoIni ini(ruta);
    PonerAjustes(ini, ajustes);
    ini.Guardar();
}

} // namespace brivo
