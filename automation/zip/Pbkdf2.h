#pragma once
// PBKDF2-HMAC-SHA1, the key derivation of WinZip AES entries (1000 rounds per
// entry). Each round is two SHA-1 blocks on precomputed HMAC states. Where
// the processor has SHA instructions the state stays in registers and the
// output blocks of one derivation (two to four for an AES key) are computed
// two at a time, so that the latency of one block's instructions hides
// behind the other's (more at a time run out of registers).
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

#include <QByteArray>

#include <cstddef>

namespace brivo::zipinterno {

// HMAC-SHA1 with the SHA-1 states after the key's inner and outer pads.
struct THmacSha1 {
    SHA_CTX interior{};
    SHA_CTX exterior{};

    void Iniciar(const unsigned char* clave, size_t largo);
    ~THmacSha1();
};

// PBKDF2-HMAC-SHA1: salida gets largo bytes.
void Pbkdf2Sha1(const QByteArray& clave, const unsigned char* sal, size_t largoSal,
                unsigned iteraciones, unsigned char* salida, size_t largo);

// The same on OpenSSL's SHA-1 block function alone, whatever the processor
// (what Pbkdf2Sha1 does without SHA instructions; exposed for tests).
void Pbkdf2Sha1Portatil(const QByteArray& clave, const unsigned char* sal, size_t largoSal,
                        unsigned iteraciones, unsigned char* salida, size_t largo);

// True when Pbkdf2Sha1 uses the processor's SHA instructions.
bool HayInstruccionesSha();

} // namespace brivo::zipinterno
