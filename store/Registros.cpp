// Explicit byte form of the records: little-endian integers, IEEE doubles,
// length-prefixed texts and zero padding, whatever the host.
#include "Registros.h"

#include <cstring>

namespace brivo {

namespace {

class Escritor {
public:
    explicit Escritor(int tamano) : datos(tamano, '\0') {}

    void Entero(int desplazamiento, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            datos[desplazamiento + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    void Logico(int desplazamiento, bool v) { datos[desplazamiento] = v ? 1 : 0; }
    void Real(int desplazamiento, double v) {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i)
            datos[desplazamiento + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    template <int N> void Cadena(int desplazamiento, const CadenaCorta<N>& c) {
        datos[desplazamiento] = static_cast<char>(c.Tamano());
        // Bytes beyond the length are kept as they are in memory.
        std::memcpy(datos.data() + desplazamiento + 1, c.Datos, N);
    }
    QByteArray datos;
};

class Lector {
public:
    explicit Lector(const char* d) : datos(reinterpret_cast<const unsigned char*>(d)) {}

    std::int32_t Entero(int desplazamiento) const {
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= static_cast<std::uint32_t>(datos[desplazamiento + i]) << (8 * i);
        return static_cast<std::int32_t>(u);
    }
    // Any byte other than 0 counts as true.
    bool Logico(int desplazamiento) const { return datos[desplazamiento] != 0; }
    double Real(int desplazamiento) const {
        std::uint64_t u = 0;
        for (int i = 0; i < 8; ++i)
            u |= static_cast<std::uint64_t>(datos[desplazamiento + i]) << (8 * i);
        double v = 0;
        std::memcpy(&v, &u, sizeof v);
        return v;
    }
    // A length byte above the capacity (damaged file) is cut to the capacity,
    // so the text never reaches past its field.
    template <int N> void Cadena(int desplazamiento, CadenaCorta<N>& c) const {
        const int longitud = datos[desplazamiento];
        c.Longitud = static_cast<std::uint8_t>(longitud > N ? N : longitud);
        std::memcpy(c.Datos, datos + desplazamiento + 1, N);
    }

private:
    const unsigned char* datos;
};

} // namespace

QByteArray ABytes(const TLibro& l) {
    Escritor e(TamRegistroLibro);
    e.Entero(0, l.Identificador);
    e.Cadena(4, l.Titulo);
    e.Cadena(105, l.Autor);
    e.Cadena(206, l.Materia);
    e.Cadena(307, l.Comentario);
    e.Cadena(508, l.Carpeta);
    e.Logico(609, l.ClaveEnDoc);
    e.Logico(610, l.PermitirCambiosEnDoc);
    e.Logico(611, l.PermitirMasDoc);
    e.Logico(612, l.PermitirExportar);
    e.Entero(616, l.Cifrado);
    e.Cadena(620, l.ClaveCifrada);
    e.Cadena(641, l.Relleno1);
    e.Cadena(742, l.Relleno2);
    return e.datos;
}

QByteArray ABytes(const TDocumento& d) {
    Escritor e(TamRegistroDocumento);
    e.Entero(0, d.Numero);
    e.Logico(4, d.Marcado);
    e.Cadena(5, d.Descripcion);
    e.Entero(108, d.Dificultad);
    e.Real(112, d.Puntos);
    e.Entero(120, d.Tipo);
    e.Cadena(124, d.Respuesta);
    e.Entero(136, d.Usos);
    e.Entero(140, d.Similitud);
    e.Cadena(144, d.FechaCreacion);
    e.Cadena(155, d.FechaUso);
    e.Entero(168, d.IdLibro);
    e.Entero(172, d.IdMateria);
    e.Entero(176, d.IdTema);
    e.Entero(180, d.IdContenido);
    for (int i = 0; i < 5; ++i)
        e.Entero(184 + 4 * i, d.Reservado[i]);
    e.Cadena(204, d.Formato);
    return e.datos;
}

TLibro LibroDeBytes(const char* datos) {
    const Lector r(datos);
    TLibro l;
    l.Identificador = r.Entero(0);
    r.Cadena(4, l.Titulo);
    r.Cadena(105, l.Autor);
    r.Cadena(206, l.Materia);
    r.Cadena(307, l.Comentario);
    r.Cadena(508, l.Carpeta);
    l.ClaveEnDoc = r.Logico(609);
    l.PermitirCambiosEnDoc = r.Logico(610);
    l.PermitirMasDoc = r.Logico(611);
    l.PermitirExportar = r.Logico(612);
    l.Cifrado = r.Entero(616);
    r.Cadena(620, l.ClaveCifrada);
    r.Cadena(641, l.Relleno1);
    r.Cadena(742, l.Relleno2);
    return l;
}

TDocumento DocumentoDeBytes(const char* datos) {
    const Lector r(datos);
    TDocumento d;
    d.Numero = r.Entero(0);
    d.Marcado = r.Logico(4);
    r.Cadena(5, d.Descripcion);
    d.Dificultad = r.Entero(108);
    d.Puntos = r.Real(112);
    d.Tipo = r.Entero(120);
    r.Cadena(124, d.Respuesta);
    d.Usos = r.Entero(136);
    d.Similitud = r.Entero(140);
    r.Cadena(144, d.FechaCreacion);
    r.Cadena(155, d.FechaUso);
    d.IdLibro = r.Entero(168);
    d.IdMateria = r.Entero(172);
    d.IdTema = r.Entero(176);
    d.IdContenido = r.Entero(180);
    for (int i = 0; i < 5; ++i)
        d.Reservado[i] = r.Entero(184 + 4 * i);
    r.Cadena(204, d.Formato);
    return d;
}

} // namespace brivo
