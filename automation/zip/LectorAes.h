#pragma once
// Reader of WinZip AES entries (the encryption the export writes), used by
// the extraction instead of libzip's own decryption for entries that are
// stored or deflated. The entry's stored bytes are read raw:
//
//   salt (8, 12 or 16) | password check (2) | encrypted data | HMAC-SHA1 (10)
//
// The keys come from PBKDF2-HMAC-SHA1 over the password and the entry's salt
// (1000 rounds); the data is AES in counter mode (little-endian counter from
// 1) and is authenticated with HMAC-SHA1 over the encrypted bytes. The key
// derivation (Pbkdf2.h) is several times faster than the general-purpose
// PBKDF2 that libzip calls for every entry.
#include "ZipInterno.h"

#include <QByteArray>
#include <QList>

#include <memory>

namespace brivo::zipinterno {

// True when TLectorAes can read the entry: WinZip AES, stored or deflated.
bool EsEntradaAesLegible(const zip_stat_t& st);

class TLectorAes final : public ILectorEntrada {
public:
    TLectorAes();
    ~TLectorAes() override;
    TLectorAes(const TLectorAes&) = delete;
    TLectorAes& operator=(const TLectorAes&) = delete;

    // Opens the entry and checks each password of claves in turn. Returns a
    // result code of the zip components (ZipClaveErronea when none fits).
    int Abrir(zip_t* za, zip_uint64_t indice, const zip_stat_t& st,
              const QList<QByteArray>& claves);

    // Next bytes of the entry's content: the count read, 0 at the end (once
    // the authentication code and the CRC matched) or -1 on failure, with
    // the result code in Codigo().
    zip_int64_t Leer(char* destino, size_t n) override;
    int Codigo() const override { return codigo; }

private:
    struct Estado;
    std::unique_ptr<Estado> e;
    int codigo = 0;

    bool Rellenar();
    zip_int64_t Fallo(int c);
    zip_int64_t Terminar();
};

} // namespace brivo::zipinterno
