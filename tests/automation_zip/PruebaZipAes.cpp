// The program's own reader of WinZip AES entries: its key derivation against
// the published PBKDF2 vectors and OpenSSL, and the entries libzip writes
// with every key size, stored and deflated, whole, damaged or under a wrong
// password.
#include "Ayudas.h"
#include "LectorAes.h"
#include "Pbkdf2.h"
#include "UnzipFile.h"

#include <openssl/evp.h>
#include <zip.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace brivo;
using namespace brivo::zipinterno;
using namespace brivo::pruebas;

namespace {

using Derivacion = void (*)(const QByteArray&, const unsigned char*, size_t, unsigned,
                            unsigned char*, size_t);

// Both ways of deriving: the one the processor allows and the portable one.
const std::pair<const char*, Derivacion> Derivaciones[] = {{"elegida", Pbkdf2Sha1},
                                                           {"portátil", Pbkdf2Sha1Portatil}};

QByteArray Pbkdf2(Derivacion f, const QByteArray& clave, const QByteArray& sal, unsigned rondas,
                  size_t largo) {
    QByteArray r(static_cast<qsizetype>(largo), '\0');
    f(clave, reinterpret_cast<const unsigned char*>(sal.constData()),
      static_cast<size_t>(sal.size()), rondas, reinterpret_cast<unsigned char*>(r.data()), largo);
    return r;
}

TEST(ZipAes, LaDerivacionDeClaveCoincideConLosVectoresPublicados) {
    struct Vector {
        QByteArray clave, sal;
        unsigned rondas;
        const char* hex;
    };
    const Vector vectores[] = {
        {"password", "salt", 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {QByteArray("pass\0word", 9), QByteArray("sa\0lt", 5), 4096,
         "56fa6aa75548099dcc37d7f03425e0c3"}};
    for (const auto& [nombre, f] : Derivaciones) {
        for (const Vector& v : vectores) {
            const QByteArray esperado = QByteArray::fromHex(v.hex);
            EXPECT_EQ(Pbkdf2(f, v.clave, v.sal, v.rondas, size_t(esperado.size())).toHex(),
                      esperado.toHex())
                << nombre << " " << v.clave.constData() << " " << v.rondas;
        }
    }
}

TEST(ZipAes, LaDerivacionDeClaveCoincideConOpenSslEnCadaTamano) {
    // Passwords shorter and longer than a SHA-1 block; the salt and key
    // lengths of AES-128, -192 and -256 entries, one output block and more
    // blocks than are derived side by side.
    for (const auto& [nombre, f] : Derivaciones) {
        for (const QByteArray& clave :
             {QByteArray(""), QByteArray("ñ clave"), QByteArray(64, 'x'), QByteArray(200, 'y')}) {
            for (const int largoSal : {8, 12, 16}) {
                QByteArray sal(largoSal, '\0');
                for (int i = 0; i < largoSal; ++i)
                    sal[i] = char(i * 37 + largoSal);
                for (const size_t largo : {size_t(2 * 2 * largoSal + 2), size_t(20), size_t(170)}) {
                    QByteArray openssl(static_cast<qsizetype>(largo), '\0');
                    ASSERT_EQ(
                        PKCS5_PBKDF2_HMAC_SHA1(clave.constData(), int(clave.size()),
                                               reinterpret_cast<const unsigned char*>(sal.data()),
                                               largoSal, 1000, int(largo),
                                               reinterpret_cast<unsigned char*>(openssl.data())),
                        1);
                    EXPECT_EQ(Pbkdf2(f, clave, sal, 1000, largo).toHex(), openssl.toHex())
                        << nombre << " " << clave.size() << " " << largoSal << " " << largo;
                }
            }
        }
    }
}

// An archive of one entry written by libzip with the given encryption and
// compression.
void CrearEntrada(const QString& ruta, const QByteArray& datos, zip_uint16_t cifrado,
                  zip_int32_t compresion, const QByteArray& clave) {
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(ruta).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr);
    void* copia = std::malloc(static_cast<size_t>(datos.size()) + 1);
    std::memcpy(copia, datos.constData(), static_cast<size_t>(datos.size()));
    zip_source_t* src = zip_source_buffer(za, copia, static_cast<zip_uint64_t>(datos.size()), 1);
    const zip_int64_t i = zip_file_add(za, "K000001.doc", src, 0);
    ASSERT_GE(i, 0);
    ASSERT_EQ(zip_set_file_compression(za, i, compresion, 0), 0);
    ASSERT_EQ(zip_file_set_encryption(za, i, cifrado, clave.constData()), 0);
    ASSERT_EQ(zip_close(za), 0);
}

// Reads the one entry with TLectorAes: the result code and the content.
std::pair<int, QByteArray> LeerConLector(const QString& ruta, const QList<QByteArray>& claves) {
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error);
    if (!za)
        return {-100, {}};
    zip_stat_t st;
    zip_stat_index(za, 0, 0, &st);
    std::pair<int, QByteArray> r{ZipCorrecto, {}};
    if (!EsEntradaAesLegible(st)) {
        r.first = -200;
    } else {
        TLectorAes lector;
        r.first = lector.Abrir(za, 0, st, claves);
        char bufer[7000]; // not a multiple of the AES block
        for (zip_int64_t n = 1; r.first == ZipCorrecto && n != 0;) {
            n = lector.Leer(bufer, sizeof bufer);
            if (n < 0)
                r.first = lector.Codigo();
            else
                r.second.append(bufer, n);
        }
    }
    zip_discard(za);
    return r;
}

struct Variante {
    zip_uint16_t cifrado;
    zip_int32_t compresion;
    int tamano;
};

class ZipAesEntradas : public ::testing::TestWithParam<Variante> {};

TEST_P(ZipAesEntradas, SeLeenEnterasYSeRechazanSiSonErroneasODanadas) {
    const Variante v = GetParam();
    QTemporaryDir tmp;
    const QString zip = tmp.path() + "/aes.zip";
    const QByteArray datos = TextoDocumento(v.tamano, v.tamano);
    CrearEntrada(zip, datos, v.cifrado, v.compresion, "clave buena");

    const auto bien = LeerConLector(zip, {"otra", "clave buena"});
    EXPECT_EQ(bien.first, ZipCorrecto);
    EXPECT_EQ(bien.second, datos);
    EXPECT_EQ(LeerConLector(zip, {"clave mala"}).first, ZipClaveErronea);
    EXPECT_EQ(LeerConLector(zip, {}).first, ZipClaveErronea);

    // A changed byte of the encrypted data, then of the authentication code.
    const QByteArray original = LeerArchivo(zip);
    auto u16 = [&original](int pos) {
        return int(uchar(original[pos])) | int(uchar(original[pos + 1])) << 8;
    };
    const int inicio = 30 + u16(26) + u16(28); // after the local header
    const auto entradas = ListarEntradasZip(zip);
    const int comprimido = int(entradas.first().TamanoComprimido);
    const int sal = 8 + 4 * (v.cifrado - ZIP_EM_AES_128);
    QList<int> posiciones{inicio + comprimido - 4};
    if (comprimido > sal + 2 + 10)
        posiciones << inicio + sal + 2 + (comprimido - sal - 2 - 10) / 2;
    for (const int pos : posiciones) {
        QByteArray tocado = original;
        tocado[pos] = char(tocado[pos] ^ 0x10);
        EscribirArchivo(zip, tocado);
        EXPECT_EQ(LeerConLector(zip, {"clave buena"}).first, ZipArchivoNoValido) << pos;
    }
}

INSTANTIATE_TEST_SUITE_P(Variantes, ZipAesEntradas,
                         ::testing::Values(Variante{ZIP_EM_AES_128, ZIP_CM_DEFLATE, 100000},
                                           Variante{ZIP_EM_AES_192, ZIP_CM_DEFLATE, 33},
                                           Variante{ZIP_EM_AES_256, ZIP_CM_DEFLATE, 250001},
                                           Variante{ZIP_EM_AES_256, ZIP_CM_DEFLATE, 0},
                                           Variante{ZIP_EM_AES_128, ZIP_CM_STORE, 17},
                                           Variante{ZIP_EM_AES_256, ZIP_CM_STORE, 70001}));

TEST(ZipAes, ClaveDeUnProgramaAntiguoDeWindowsEnSuPaginaDeCodigos) {
    QTemporaryDir tmp;
    const QString zip = tmp.path() + "/ansi.zip";
    CrearEntrada(zip, "contenido", ZIP_EM_AES_256, ZIP_CM_DEFLATE, "se\xF1or");
    TUnzipFile u;
    u.lpszZipFile = zip;
    u.lpszDestination = tmp.path() + "/x";
    u.Options = TUnzipFile::DecryptFlag;
    u.lpszDecryptCode = QStringLiteral("señor");
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << u.Resultado;
    EXPECT_EQ(LeerArchivo(tmp.path() + "/x/K000001.doc"), QByteArray("contenido"));
}

} // namespace
