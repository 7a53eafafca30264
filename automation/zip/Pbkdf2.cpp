// The portable path uses SHA1_Transform, OpenSSL's SHA-1 block function:
// PBKDF2 with precomputed HMAC states needs exactly that. OpenSSL 3 marks the
// low-level SHA-1 calls as deprecated but keeps them.
#include "Pbkdf2.h"

#include <openssl/crypto.h>

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define BRIVO_SHA_X86 1
#endif

namespace brivo::zipinterno {

namespace {

constexpr size_t LargoDigesto = SHA_DIGEST_LENGTH;
constexpr int MaxCarriles = 2; // output blocks computed side by side

// The digest held in a SHA-1 state, as bytes.
void Digesto(const SHA_CTX& c, unsigned char* salida) {
    const SHA_LONG h[5] = {c.h0, c.h1, c.h2, c.h3, c.h4};
    for (int i = 0; i < 5; ++i) {
        salida[4 * i] = static_cast<unsigned char>(h[i] >> 24);
        salida[4 * i + 1] = static_cast<unsigned char>(h[i] >> 16);
        salida[4 * i + 2] = static_cast<unsigned char>(h[i] >> 8);
        salida[4 * i + 3] = static_cast<unsigned char>(h[i]);
    }
}

// U1 of output block numero: HMAC over the salt and the block's number.
void PrimeraRonda(const THmacSha1& h, const unsigned char* sal, size_t largoSal, quint32 numero,
                  unsigned char* u) {
    const unsigned char be[4] = {
        static_cast<unsigned char>(numero >> 24), static_cast<unsigned char>(numero >> 16),
        static_cast<unsigned char>(numero >> 8), static_cast<unsigned char>(numero)};
    unsigned char interior[LargoDigesto];
    SHA_CTX c = h.interior;
    SHA1_Update(&c, sal, largoSal);
    SHA1_Update(&c, be, sizeof be);
    SHA1_Final(interior, &c);
    c = h.exterior;
    SHA1_Update(&c, interior, sizeof interior);
    SHA1_Final(u, &c);
    OPENSSL_cleanse(interior, sizeof interior);
    OPENSSL_cleanse(&c, sizeof c);
}

// Rounds 2..iteraciones of one output block with OpenSSL's block function.
void RondasPortatiles(const THmacSha1& h, const unsigned char* u, unsigned iteraciones,
                      unsigned char* t) {
    // One SHA-1 block: a 20-byte digest padded as the end of a message of
    // 64 + 20 bytes (672 bits), the second block of every HMAC round.
    unsigned char bloque[64] = {};
    bloque[LargoDigesto] = 0x80;
    bloque[62] = 0x02;
    bloque[63] = 0xA0;
    std::memcpy(bloque, u, LargoDigesto);
    std::memcpy(t, bloque, LargoDigesto);
    SHA_CTX c{};
    auto desde = [&c](const SHA_CTX& e) {
        c.h0 = e.h0;
        c.h1 = e.h1;
        c.h2 = e.h2;
        c.h3 = e.h3;
        c.h4 = e.h4;
    };
    for (unsigned r = 1; r < iteraciones; ++r) {
        desde(h.interior);
        SHA1_Transform(&c, bloque);
        Digesto(c, bloque);
        desde(h.exterior);
        SHA1_Transform(&c, bloque);
        Digesto(c, bloque);
        for (size_t k = 0; k < LargoDigesto; ++k)
            t[k] ^= bloque[k];
    }
    OPENSSL_cleanse(bloque, sizeof bloque);
    OPENSSL_cleanse(&c, sizeof c);
}

#ifdef BRIVO_SHA_X86

// A SHA-1 state in the registers' order: ABCD as lanes 3..0, E in lane 3.
struct EstadoSha {
    __m128i abcd;
    __m128i e;
};

__attribute__((target("sha,sse4.1"))) EstadoSha CargarEstado(const SHA_CTX& c) {
    return {_mm_set_epi32(int(c.h0), int(c.h1), int(c.h2), int(c.h3)),
            _mm_set_epi32(int(c.h4), 0, 0, 0)};
}

// A digest as bytes, in the same order.
__attribute__((target("sha,sse4.1"))) EstadoSha CargarDigesto(const unsigned char* d) {
    int w[5];
    for (int i = 0; i < 5; ++i)
        w[i] = int(quint32(d[4 * i]) << 24 | quint32(d[4 * i + 1]) << 16 |
                   quint32(d[4 * i + 2]) << 8 | quint32(d[4 * i + 3]));
    return {_mm_set_epi32(w[0], w[1], w[2], w[3]), _mm_set_epi32(w[4], 0, 0, 0)};
}

// Group G (of twenty) of four SHA-1 rounds for N blocks side by side: ea is
// the E value the group uses, eb takes the one for the next group. The
// message schedule is worked out in the four registers as the groups go
// (sha1msg1, xor, sha1msg2), each register holding four words.
template <int G, int N>
__attribute__((target("sha,sse4.1"), always_inline)) inline void
Grupo(__m128i (&msg)[N][4], __m128i (&abcd)[N], __m128i (&ea)[N], __m128i (&eb)[N]) {
#pragma GCC unroll 4
    for (int l = 0; l < N; ++l) {
        if constexpr (G > 0)
            ea[l] = _mm_sha1nexte_epu32(ea[l], msg[l][G % 4]);
        eb[l] = abcd[l];
        if constexpr (G >= 3 && G <= 18)
            msg[l][(G + 1) % 4] = _mm_sha1msg2_epu32(msg[l][(G + 1) % 4], msg[l][G % 4]);
        abcd[l] = _mm_sha1rnds4_epu32(abcd[l], ea[l], G / 5);
        if constexpr (G >= 1 && G <= 16)
            msg[l][(G + 3) % 4] = _mm_sha1msg1_epu32(msg[l][(G + 3) % 4], msg[l][G % 4]);
        if constexpr (G >= 2 && G <= 17)
            msg[l][(G + 2) % 4] = _mm_xor_si128(msg[l][(G + 2) % 4], msg[l][G % 4]);
    }
}

template <int N, int... G>
__attribute__((target("sha,sse4.1"), always_inline)) inline void
Grupos(std::integer_sequence<int, G...>, __m128i (&msg)[N][4], __m128i (&abcd)[N], __m128i (&e0)[N],
       __m128i (&e1)[N]) {
    (Grupo<G, N>(msg, abcd, G % 2 ? e1 : e0, G % 2 ? e0 : e1), ...);
}

// N SHA-1 blocks at once, each made of a digest (abcd, e) padded as the end
// of an HMAC: W0..W4 the digest, W5 the end mark, W15 the length in bits.
template <int N>
__attribute__((target("sha,sse4.1"), always_inline)) inline void
BloquesDeDigesto(const EstadoSha& inicial, const EstadoSha* digesto, EstadoSha* salida) {
    const __m128i marca = _mm_set_epi32(0, int(0x80000000u), 0, 0);
    const __m128i largo = _mm_set_epi32(0, 0, 0, 672);
    __m128i msg[N][4], abcd[N], e0[N], e1[N];
#pragma GCC unroll 4
    for (int l = 0; l < N; ++l) {
        msg[l][0] = digesto[l].abcd;
        msg[l][1] = _mm_or_si128(digesto[l].e, marca);
        msg[l][2] = _mm_setzero_si128();
        msg[l][3] = largo;
        abcd[l] = inicial.abcd;
        e0[l] = _mm_add_epi32(inicial.e, msg[l][0]);
    }
    Grupos<N>(std::make_integer_sequence<int, 20>{}, msg, abcd, e0, e1);
#pragma GCC unroll 4
    for (int l = 0; l < N; ++l) {
        salida[l].abcd = _mm_add_epi32(abcd[l], inicial.abcd);
        salida[l].e = _mm_sha1nexte_epu32(e0[l], inicial.e);
    }
}

// Rounds 2..iteraciones of n output blocks side by side.
template <int N>
__attribute__((target("sha,sse4.1"))) void RondasSha(const THmacSha1& h,
                                                     const unsigned char* primeras,
                                                     unsigned iteraciones, unsigned char* t) {
    const EstadoSha interior = CargarEstado(h.interior);
    const EstadoSha exterior = CargarEstado(h.exterior);
    EstadoSha u[N], suma[N], medio[N];
    for (int l = 0; l < N; ++l)
        suma[l] = u[l] = CargarDigesto(primeras + size_t(l) * LargoDigesto);
    for (unsigned r = 1; r < iteraciones; ++r) {
        BloquesDeDigesto<N>(interior, u, medio);
        BloquesDeDigesto<N>(exterior, medio, u);
        for (int l = 0; l < N; ++l) {
            suma[l].abcd = _mm_xor_si128(suma[l].abcd, u[l].abcd);
            suma[l].e = _mm_xor_si128(suma[l].e, u[l].e);
        }
    }
    for (int l = 0; l < N; ++l) {
        const quint32 w[5] = {quint32(_mm_extract_epi32(suma[l].abcd, 3)),
                              quint32(_mm_extract_epi32(suma[l].abcd, 2)),
                              quint32(_mm_extract_epi32(suma[l].abcd, 1)),
                              quint32(_mm_extract_epi32(suma[l].abcd, 0)),
                              quint32(_mm_extract_epi32(suma[l].e, 3))};
        for (int i = 0; i < 5; ++i)
            for (int b = 0; b < 4; ++b)
                t[l * LargoDigesto + size_t(4 * i + b)] =
                    static_cast<unsigned char>(w[i] >> (24 - 8 * b));
    }
}

#endif

void Derivar(const QByteArray& clave, const unsigned char* sal, size_t largoSal,
             unsigned iteraciones, unsigned char* salida, size_t largo, bool conSha) {
    THmacSha1 h;
    h.Iniciar(reinterpret_cast<const unsigned char*>(clave.constData()),
              static_cast<size_t>(clave.size()));
    unsigned char t[MaxCarriles * LargoDigesto];
    unsigned char primeras[MaxCarriles * LargoDigesto];
    for (quint32 numero = 1; largo > 0;) {
        const int carriles =
            int(std::min<size_t>(MaxCarriles, (largo + LargoDigesto - 1) / LargoDigesto));
        for (int l = 0; l < carriles; ++l)
            PrimeraRonda(h, sal, largoSal, numero + quint32(l),
                         primeras + size_t(l) * LargoDigesto);
#ifdef BRIVO_SHA_X86
        if (conSha) {
            static_assert(MaxCarriles == 2);
            if (carriles == 1)
                RondasSha<1>(h, primeras, iteraciones, t);
            else
                RondasSha<2>(h, primeras, iteraciones, t);
        } else
#endif
        {
            (void)conSha;
            for (int l = 0; l < carriles; ++l)
                RondasPortatiles(h, primeras + size_t(l) * LargoDigesto, iteraciones,
                                 t + size_t(l) * LargoDigesto);
        }
        const size_t n = std::min(largo, size_t(carriles) * LargoDigesto);
        std::memcpy(salida, t, n);
        salida += n;
        largo -= n;
        numero += quint32(carriles);
    }
    OPENSSL_cleanse(t, sizeof t);
    OPENSSL_cleanse(primeras, sizeof primeras);
}

} // namespace

void THmacSha1::Iniciar(const unsigned char* clave, size_t largo) {
    unsigned char k[64] = {};
    if (largo > sizeof k)
        SHA1(clave, largo, k);
    else
        std::memcpy(k, clave, largo);
    unsigned char relleno[64];
    for (size_t i = 0; i < sizeof k; ++i)
        relleno[i] = k[i] ^ 0x36;
    SHA1_Init(&interior);
    SHA1_Update(&interior, relleno, sizeof relleno);
    for (size_t i = 0; i < sizeof k; ++i)
        relleno[i] = k[i] ^ 0x5c;
    SHA1_Init(&exterior);
    SHA1_Update(&exterior, relleno, sizeof relleno);
    OPENSSL_cleanse(k, sizeof k);
    OPENSSL_cleanse(relleno, sizeof relleno);
}

THmacSha1::~THmacSha1() {
    OPENSSL_cleanse(&interior, sizeof interior);
    OPENSSL_cleanse(&exterior, sizeof exterior);
}

bool HayInstruccionesSha() {
#ifdef BRIVO_SHA_X86
    static const bool hay = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (!__get_cpuid_count(7, 0, &a, &b, &c, &d) || !(b & (1u << 29)))
            return false;
        return __get_cpuid(1, &a, &b, &c, &d) && (c & bit_SSE4_1) && (c & bit_SSSE3);
    }();
    return hay;
#else
    return false;
#endif
}

void Pbkdf2Sha1(const QByteArray& clave, const unsigned char* sal, size_t largoSal,
                unsigned iteraciones, unsigned char* salida, size_t largo) {
    Derivar(clave, sal, largoSal, iteraciones, salida, largo, HayInstruccionesSha());
}

void Pbkdf2Sha1Portatil(const QByteArray& clave, const unsigned char* sal, size_t largoSal,
                        unsigned iteraciones, unsigned char* salida, size_t largo) {
    Derivar(clave, sal, largoSal, iteraciones, salida, largo, false);
}

} // namespace brivo::zipinterno
