#include "LectorAes.h"

#include "Pbkdf2.h"
#include "ZipComun.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace brivo::zipinterno {

namespace {

constexpr unsigned RondasPbkdf2 = 1000;
constexpr size_t LargoVerificacion = 2;
constexpr size_t LargoMac = 10;
constexpr size_t LargoDigesto = SHA_DIGEST_LENGTH;
constexpr size_t Trozo = 64 * 1024; // encrypted bytes read at a time, whole AES blocks

size_t LargoClaveAes(zip_uint16_t metodo) {
    switch (metodo) {
    case ZIP_EM_AES_128:
        return 16;
    case ZIP_EM_AES_192:
        return 24;
    case ZIP_EM_AES_256:
        return 32;
    default:
        return 0;
    }
}

const EVP_CIPHER* CifradoAes(size_t largoClave) {
    return largoClave == 16 ? EVP_aes_128_ecb()
                            : (largoClave == 24 ? EVP_aes_192_ecb() : EVP_aes_256_ecb());
}

} // namespace

bool EsEntradaAesLegible(const zip_stat_t& st) {
    return (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && LargoClaveAes(st.encryption_method) != 0 &&
           (st.valid & ZIP_STAT_COMP_METHOD) && (st.valid & ZIP_STAT_COMP_SIZE) &&
           (st.comp_method == ZIP_CM_STORE || st.comp_method == ZIP_CM_DEFLATE);
}

struct TLectorAes::Estado {
    zip_file_t* zf = nullptr;
    EVP_CIPHER_CTX* aes = nullptr;
    THmacSha1 mac;
    SHA_CTX macDatos{}; // inner HMAC state over the encrypted bytes read so far
    quint64 cifradoRestante = 0;
    quint64 contador = 1;
    unsigned char flujo[16] = {}; // key stream of the block in use
    size_t usadoFlujo = 16;
    unsigned char datos[Trozo];      // decrypted bytes read from the archive
    unsigned char contadores[Trozo]; // counter blocks, then their key stream
    size_t inicio = 0, fin = 0;      // stored entries: decrypted bytes not given yet
    bool deflate = false;
    z_stream z{};
    bool inflando = false;
    bool finInflado = false;
    bool comprobarCrc = false;
    uLong crc = 0;
    uLong crcEsperado = 0;
    bool terminado = false;

    ~Estado() {
        if (zf)
            zip_fclose(zf);
        if (aes)
            EVP_CIPHER_CTX_free(aes);
        if (inflando)
            inflateEnd(&z);
        OPENSSL_cleanse(&macDatos, sizeof macDatos);
    }

    void Contadores(size_t bloques) {
        for (size_t b = 0; b < bloques; ++b) {
            unsigned char* q = contadores + 16 * b;
            for (int i = 0; i < 8; ++i)
                q[i] = static_cast<unsigned char>(contador >> (8 * i));
            std::memset(q + 8, 0, 8);
            ++contador;
        }
    }

    // Counter mode: the data is XORed with the encrypted counter blocks.
    bool Descifrar(unsigned char* p, size_t n) {
        while (n > 0 && usadoFlujo < 16) {
            *p++ ^= flujo[usadoFlujo++];
            --n;
        }
        int largo = 0;
        while (n >= 16) {
            const size_t bloques = std::min(n / 16, sizeof contadores / 16);
            Contadores(bloques);
            if (EVP_EncryptUpdate(aes, contadores, &largo, contadores,
                                  static_cast<int>(bloques * 16)) != 1)
                return false;
            for (size_t i = 0; i < bloques * 16; ++i)
                p[i] ^= contadores[i];
            p += bloques * 16;
            n -= bloques * 16;
        }
        if (n > 0) {
            Contadores(1);
            if (EVP_EncryptUpdate(aes, flujo, &largo, contadores, 16) != 1)
                return false;
            for (size_t i = 0; i < n; ++i)
                p[i] ^= flujo[i];
            usadoFlujo = n;
        }
        return true;
    }
};

// Reads exactly n raw bytes (fewer only at the end of the entry's data).
static zip_int64_t LeerCrudo(zip_file_t* zf, unsigned char* destino, size_t n) {
    size_t total = 0;
    while (total < n) {
        const zip_int64_t r = zip_fread(zf, destino + total, n - total);
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        total += static_cast<size_t>(r);
    }
    return static_cast<zip_int64_t>(total);
}

TLectorAes::TLectorAes() : e(std::make_unique<Estado>()) {}

TLectorAes::~TLectorAes() = default;

int TLectorAes::Abrir(zip_t* za, zip_uint64_t indice, const zip_stat_t& st,
                      const QList<QByteArray>& claves) {
    const size_t largoClave = LargoClaveAes(st.encryption_method);
    const size_t largoSal = largoClave / 2;
    if (!EsEntradaAesLegible(st) || st.comp_size < largoSal + LargoVerificacion + LargoMac)
        return codigo = ZipArchivoNoValido;
    e->zf = zip_fopen_index(za, indice, ZIP_FL_ENCRYPTED);
    if (!e->zf)
        return codigo = ZipArchivoNoValido;
    unsigned char cabecera[16 + LargoVerificacion];
    const size_t largoCabecera = largoSal + LargoVerificacion;
    if (LeerCrudo(e->zf, cabecera, largoCabecera) != static_cast<zip_int64_t>(largoCabecera))
        return codigo = ZipArchivoNoValido;

    // Encryption key, authentication key and the two-byte password check.
    unsigned char material[2 * 32 + LargoVerificacion];
    const size_t largoMaterial = 2 * largoClave + LargoVerificacion;
    bool valida = false;
    for (const QByteArray& clave : claves) {
        Pbkdf2Sha1(clave, cabecera, largoSal, RondasPbkdf2, material, largoMaterial);
        if (CRYPTO_memcmp(material + 2 * largoClave, cabecera + largoSal, LargoVerificacion) == 0) {
            valida = true;
            break;
        }
    }
    if (!valida) {
        OPENSSL_cleanse(material, sizeof material);
        return codigo = ZipClaveErronea;
    }
    e->aes = EVP_CIPHER_CTX_new();
    const bool listo = e->aes && EVP_EncryptInit_ex(e->aes, CifradoAes(largoClave), nullptr,
                                                    material, nullptr) == 1;
    if (listo)
        EVP_CIPHER_CTX_set_padding(e->aes, 0);
    e->mac.Iniciar(material + largoClave, largoClave);
    OPENSSL_cleanse(material, sizeof material);
    if (!listo)
        return codigo = ZipArchivoNoValido;
    e->macDatos = e->mac.interior;
    e->cifradoRestante = st.comp_size - largoSal - LargoVerificacion - LargoMac;
    e->deflate = st.comp_method == ZIP_CM_DEFLATE;
    if (e->deflate) {
        if (inflateInit2(&e->z, -MAX_WBITS) != Z_OK)
            return codigo = ZipArchivoNoValido;
        e->inflando = true;
    }
    // Entries of the kind that relies on the authentication alone (AE-2)
    // store 0 as their CRC.
    e->comprobarCrc = (st.valid & ZIP_STAT_CRC) && !(st.crc == 0 && st.size > 0);
    e->crcEsperado = (st.valid & ZIP_STAT_CRC) ? st.crc : 0;
    e->crc = crc32(0, nullptr, 0);
    return codigo = ZipCorrecto;
}

zip_int64_t TLectorAes::Fallo(int c) {
    codigo = c;
    return -1;
}

// Reads, authenticates and decrypts the next piece of the entry's data.
bool TLectorAes::Rellenar() {
    const size_t pedir = static_cast<size_t>(std::min<quint64>(Trozo, e->cifradoRestante));
    const zip_int64_t n = LeerCrudo(e->zf, e->datos, pedir);
    if (n != static_cast<zip_int64_t>(pedir)) {
        codigo = ZipArchivoNoValido;
        return false;
    }
    e->cifradoRestante -= pedir;
    SHA1_Update(&e->macDatos, e->datos, pedir);
    if (!e->Descifrar(e->datos, pedir)) {
        codigo = ZipArchivoNoValido;
        return false;
    }
    if (e->deflate) {
        e->z.next_in = e->datos;
        e->z.avail_in = static_cast<uInt>(pedir);
    } else {
        e->inicio = 0;
        e->fin = pedir;
    }
    return true;
}

// End of the data: every encrypted byte was used, the authentication code
// and (when stored) the CRC match.
zip_int64_t TLectorAes::Terminar() {
    if (e->cifradoRestante != 0 || (e->deflate && (!e->finInflado || e->z.avail_in != 0)))
        return Fallo(ZipArchivoNoValido);
    unsigned char guardado[LargoMac];
    if (LeerCrudo(e->zf, guardado, LargoMac) != static_cast<zip_int64_t>(LargoMac))
        return Fallo(ZipArchivoNoValido);
    unsigned char interior[LargoDigesto];
    unsigned char calculado[LargoDigesto];
    SHA1_Final(interior, &e->macDatos);
    SHA_CTX c = e->mac.exterior;
    SHA1_Update(&c, interior, sizeof interior);
    SHA1_Final(calculado, &c);
    if (CRYPTO_memcmp(calculado, guardado, LargoMac) != 0)
        return Fallo(ZipArchivoNoValido);
    if (e->comprobarCrc && e->crc != e->crcEsperado)
        return Fallo(ZipArchivoNoValido);
    e->terminado = true;
    return 0;
}

zip_int64_t TLectorAes::Leer(char* destino, size_t n) {
    if (codigo != ZipCorrecto)
        return -1;
    if (e->terminado || n == 0)
        return 0;
    auto* salida = reinterpret_cast<unsigned char*>(destino);
    if (!e->deflate) {
        while (e->inicio == e->fin) {
            if (e->cifradoRestante == 0)
                return Terminar();
            if (!Rellenar())
                return -1;
        }
        const size_t k = std::min(n, e->fin - e->inicio);
        std::memcpy(salida, e->datos + e->inicio, k);
        e->inicio += k;
        e->crc = crc32(e->crc, salida, static_cast<uInt>(k));
        return static_cast<zip_int64_t>(k);
    }
    const uInt pedido = static_cast<uInt>(std::min<size_t>(n, 1u << 30));
    e->z.next_out = salida;
    e->z.avail_out = pedido;
    while (!e->finInflado && e->z.avail_out == pedido) {
        if (e->z.avail_in == 0 && e->cifradoRestante > 0 && !Rellenar())
            return -1;
        const int r = inflate(&e->z, Z_NO_FLUSH);
        if (r == Z_STREAM_END)
            e->finInflado = true;
        else if (r == Z_BUF_ERROR && e->z.avail_in == 0 && e->cifradoRestante == 0)
            return Fallo(ZipArchivoNoValido); // the data ends before the stream
        else if (r != Z_OK && r != Z_BUF_ERROR)
            return Fallo(ZipArchivoNoValido);
    }
    const size_t producido = pedido - e->z.avail_out;
    if (producido == 0)
        return Terminar();
    e->crc = crc32(e->crc, salida, static_cast<uInt>(producido));
    return static_cast<zip_int64_t>(producido);
}

} // namespace brivo::zipinterno
