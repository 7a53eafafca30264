// Libros.lst and Docs.lst, and the stored form of the book identifier.
#include "Listas.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include "Almacen.h"
#include "Archivos.h"
#include "Errores.h"
#include "Texto.h"

namespace brivo {

namespace {

QRandomGenerator& Azar() {
    return *QRandomGenerator::system();
}

// A text as the runtime's integer conversion reads it: optional blanks, an
// optional sign and at least one decimal digit, within 32 bits.
bool EnteroValido(const QByteArray& t, std::int32_t& valor) {
    qsizetype i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    return EnteroDecimal(t, i, valor);
}

[[noreturn]] void ErrorDeConversion(const QByteArray& texto) {
    throw ErrorBrivo(QStringLiteral("'%1' no es un valor entero válido").arg(DeCp1252(texto)));
}

void Avisar(QStringList* avisos, const QString& texto) {
    if (avisos)
        avisos->append(texto);
}

// A list file of fixed-size records, read whole. A file that cannot be opened
// throws at once; a partial last record is reported and left out; a read
// failure is kept in error, thrown by Terminar once the records read before
// it were taken.
struct TListaLeida {
    QByteArray datos;
    qsizetype registros = 0;
    qsizetype tamRegistro = 0;
    int error = 0;

    const char* Registro(qsizetype i) const { return datos.constData() + i * tamRegistro; }
    void Terminar() const {
        if (error != 0)
            throw archivos::ErrorDeSistema(error);
    }
};

// False when the file is missing (an empty list).
bool LeerLista(const QString& ruta, qsizetype tamRegistro, QStringList* avisos,
               TListaLeida& lista) {
    if (!QFileInfo::exists(ruta))
        return false;
    const archivos::ResultadoLectura r = archivos::Leer(ruta, lista.datos);
    if (!r.abierto)
        throw archivos::ErrorDeSistema(r.error);
    lista.error = r.error;
    lista.tamRegistro = tamRegistro;
    lista.registros = lista.datos.size() / tamRegistro;
    const qsizetype sobrantes = lista.datos.size() % tamRegistro;
    if (r.error == 0 && sobrantes != 0)
        Avisar(avisos, SegunCantidad(sobrantes,
                                     QStringLiteral("%1: %2 byte final no forma un registro "
                                                    "completo; se ignora"),
                                     QStringLiteral("%1: los últimos %2 bytes no forman un "
                                                    "registro completo; se ignoran"))
                           .arg(ruta)
                           .arg(sobrantes));
    return true;
}

} // namespace

QByteArray CifrarIdentificador(std::int32_t identificador) {
    // Right-aligned in six places with zeros in front; only the first six
    // characters count.
    const QByteArray texto = QByteArray::number(identificador).rightJustified(6, '0').left(6);
    int a[7] = {};
    for (int i = 0; i < 6; ++i) {
        const char c = texto[i];
        a[i + 1] = (c >= '0' && c <= '9') ? c - '0' : 0;
    }
    const int b[6] = {9 * a[5],
                      5 * a[5] + 6 * a[6],
                      2 * a[5] + 3 * a[6] + 4 * a[4],
                      2 * a[3] + 3 * a[4] + 4 * a[5],
                      4 * a[2] + 3 * a[3] + 2 * a[4],
                      2 * a[1] + 3 * a[2] + 4 * a[6]};
    QByteArray s;
    s.reserve(12);
    for (int v : b) {
        s.append(static_cast<char>('0' + v / 10));
        s.append(static_cast<char>('0' + v % 10));
    }
    for (int i = 1; i <= 12; ++i)
        s[i - 1] = static_cast<char>(static_cast<unsigned char>(s[i - 1]) + 127 + 2 * i);
    return s;
}

std::int32_t DescifrarIdentificador(const QByteArray& clave) {
    QByteArray s = clave;
    const int n = static_cast<int>(s.size() < 12 ? s.size() : 12);
    for (int i = 1; i <= n; ++i)
        s[i - 1] = static_cast<char>(static_cast<unsigned char>(s[i - 1]) - 127 - 2 * i);
    int b[7] = {};
    for (int k = 1; k <= 6; ++k) {
        // A pair cut short by a short stored form reads as what is left of it.
        const QByteArray par = s.mid(2 * (k - 1), 2);
        std::int32_t v = 0;
        if (!EnteroValido(par, v))
            ErrorDeConversion(par);
        b[k] = v;
    }
    int a[7] = {};
    a[5] = b[1] / 9;
    a[6] = (b[2] - 5 * a[5]) / 6;
    a[4] = (b[3] - 2 * a[5] - 3 * a[6]) / 4;
    a[3] = (b[4] - 3 * a[4] - 4 * a[5]) / 2;
    a[2] = (b[5] - 3 * a[3] - 2 * a[4]) / 4;
    a[1] = (b[6] - 3 * a[2] - 4 * a[6]) / 2;
    QByteArray digitos;
    for (int i = 1; i <= 6; ++i)
        digitos += QByteArray::number(a[i]);
    std::int32_t identificador = 0;
    if (!EnteroValido(digitos, identificador))
        ErrorDeConversion(digitos);
    return identificador;
}

QByteArray GenerarRelleno() {
    QByteArray r(100, '\0');
    for (int i = 0; i < 100; ++i)
        r[i] = static_cast<char>(130 + Azar().bounded(100));
    return r;
}

std::int32_t GenerarSenuelo() {
    return 100000 + static_cast<std::int32_t>(Azar().bounded(899000));
}

QByteArray LibroParaDisco(const TLibro& libro) {
    TLibro r = libro;
    r.ClaveCifrada.AsignarBytes(CifrarIdentificador(libro.Identificador));
    r.Identificador = GenerarSenuelo();
    r.Cifrado = 1;
    r.Relleno1.AsignarBytes(GenerarRelleno());
    r.Relleno2.AsignarBytes(GenerarRelleno());
    return ABytes(r);
}

void LeerLibros(const QString& ruta, TAlmacen& almacen) {
    LeerLibros(ruta, almacen, nullptr);
}

void LeerLibros(const QString& ruta, TAlmacen& almacen, QStringList* avisos) {
    TListaLeida lista;
    if (!LeerLista(ruta, TamRegistroLibro, avisos, lista))
        return;
    const qsizetype registros = lista.registros;
    if (registros > MaxLibros)
        Avisar(avisos, QStringLiteral("%1: contiene %2 libros y solo caben %3; se ignoran los "
                                      "restantes")
                           .arg(ruta)
                           .arg(registros)
                           .arg(MaxLibros));
    for (qsizetype i = 0; i < registros && i < MaxLibros; ++i) {
        TLibro libro = LibroDeBytes(lista.Registro(i));
        libro.Identificador = DescifrarIdentificador(libro.ClaveCifrada.Bytes());
        if (!IdentificadorValido(libro.Identificador)) {
            // A damaged stored form: the next save would keep another
            // number, and the book's documents would no longer be its own.
            // Its slot stays free; the other books keep theirs.
            Avisar(avisos, QStringLiteral("%1: el registro %2 guarda el identificador de libro %3, "
                                          "fuera de 1..%4; se ignora")
                               .arg(ruta)
                               .arg(i + 1)
                               .arg(libro.Identificador)
                               .arg(IdentificadorMaximo));
            continue;
        }
        almacen.Libros[static_cast<size_t>(i + 1)] = libro;
    }
    lista.Terminar();
}

QByteArray LibrosEnBytes(const TAlmacen& almacen) {
    QByteArray datos;
    datos.reserve(MaxLibros * TamRegistroLibro);
    for (int i = 1; i <= MaxLibros; ++i) {
        if (almacen.Libros[i].Usado())
            datos += LibroParaDisco(almacen.Libros[i]);
    }
    return datos;
}

void EscribirLibros(const QString& ruta, const TAlmacen& almacen) {
    const archivos::ResultadoEscritura r = archivos::EscribirSeguro(ruta, LibrosEnBytes(almacen));
    if (r.error != 0)
        throw archivos::ErrorDeSistema(r.error);
}

void LeerDocumentos(const QString& ruta, TAlmacen& almacen) {
    LeerDocumentos(ruta, almacen, nullptr);
}

void LeerDocumentos(const QString& ruta, TAlmacen& almacen, QStringList* avisos) {
    TListaLeida lista;
    if (!LeerLista(ruta, TamRegistroDocumento, avisos, lista))
        return;
    const qsizetype registros = lista.registros;
    bool visto[MaxDocumentos + 1] = {};
    for (qsizetype i = 0; i < registros; ++i) {
        TDocumento doc = DocumentoDeBytes(lista.Registro(i));
        if (doc.Numero < 1 || doc.Numero > MaxDocumentos) {
            Avisar(avisos, QStringLiteral("%1: el registro %2 tiene el número de documento %3, "
                                          "fuera de 1..%4; se ignora")
                               .arg(ruta)
                               .arg(i + 1)
                               .arg(doc.Numero)
                               .arg(MaxDocumentos));
            continue;
        }
        if (visto[doc.Numero]) {
            Avisar(avisos, QStringLiteral("%1: el registro %2 repite el número de documento %3; "
                                          "se ignora")
                               .arg(ruta)
                               .arg(i + 1)
                               .arg(doc.Numero));
            continue;
        }
        visto[doc.Numero] = true;
        doc.Marcado = false;
        almacen.Documentos[static_cast<size_t>(doc.Numero)] = doc;
    }
    lista.Terminar();
}

QByteArray DocumentosEnBytes(const TAlmacen& almacen) {
    QByteArray datos;
    datos.reserve(MaxDocumentos * TamRegistroDocumento);
    for (int i = 1; i <= MaxDocumentos; ++i) {
        if (almacen.Documentos[i].Usado())
            datos += ABytes(almacen.Documentos[i]);
    }
    return datos;
}

void EscribirDocumentos(const QString& ruta, const TAlmacen& almacen) {
    const archivos::ResultadoEscritura r =
        archivos::EscribirSeguro(ruta, DocumentosEnBytes(almacen));
    if (r.error != 0)
        throw archivos::ErrorDeSistema(r.error);
}

QByteArray OrigenesEnBytes(const TAlmacen& almacen, std::int32_t idLibro) {
    QByteArray datos;
    for (int i = 1; i <= MaxDocumentos; ++i) {
        const TDocumento& d = almacen.Documentos[i];
        if (!d.Usado() || d.NumeroOrigen == 0 || (idLibro != 0 && d.IdLibro != idLibro))
            continue;
        datos += QByteArray::number(d.Numero) + ' ' + QByteArray::number(d.NumeroOrigen) + "\r\n";
    }
    return datos;
}

QHash<int, int> OrigenesDeBytes(const QByteArray& datos) {
    QHash<int, int> origenes;
    QSet<int> repetidos;
    for (const QByteArray& linea : datos.split('\n')) {
        const QList<QByteArray> partes = linea.simplified().split(' ');
        if (partes.size() != 2)
            continue;
        std::int32_t numero = 0;
        std::int32_t origen = 0;
        if (!EnteroDecimal(partes[0], 0, numero) || !EnteroDecimal(partes[1], 0, origen) ||
            numero < 1 || numero > MaxDocumentos || origen < 1 || origen > MaxNumeroOrigen)
            continue;
        if (origenes.contains(numero))
            repetidos.insert(numero);
        origenes.insert(numero, origen);
    }
    for (int n : repetidos)
        origenes.remove(n);
    return origenes;
}

void LeerOrigenes(const QString& ruta, TAlmacen& almacen) {
    QByteArray datos;
    const archivos::ResultadoLectura r = archivos::Leer(ruta, datos);
    const QHash<int, int> origenes =
        r.abierto && r.error == 0 ? OrigenesDeBytes(datos) : QHash<int, int>();
    for (int i = 1; i <= MaxDocumentos; ++i) {
        TDocumento& d = almacen.Documentos[i];
        const int origen = origenes.value(i, 0);
        d.NumeroOrigen =
            d.Usado() && origen != d.Numero ? static_cast<std::int16_t>(origen) : std::int16_t(0);
    }
}

} // namespace brivo
