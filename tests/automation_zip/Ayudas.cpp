#include "Ayudas.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace brivo::pruebas {

void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).path());
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
        throw std::runtime_error("no se pudo escribir " + ruta.toStdString());
}

QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<no existe>");
    return f.readAll();
}

QStringList ArchivosEn(const QString& carpeta) {
    QStringList nombres = QDir(carpeta).entryList(QDir::Files | QDir::Hidden | QDir::System);
    nombres.sort();
    return nombres;
}

QByteArray TextoDocumento(int semilla, int tamano) {
    static const char* palabras[] = {"pregunta", "respuesta", "desarrollo", "comentario",
                                     "tema",     "materia",   "contenido",  "examen",
                                     "ecuación", "función",   "derivada",   "integral",
                                     "historia", "célula",    "energía"};
    QByteArray t = "<html><head><meta charset=\"utf-8\"><title>Documento ";
    t += QByteArray::number(semilla) + "</title></head><body>\n";
    quint32 x = 2463534242u ^ static_cast<quint32>(semilla * 7919 + 1);
    while (t.size() < tamano) {
        t += "<p style=\"margin-top:0px; font-family:'Times New Roman'; font-size:12pt;\">";
        for (int i = 0; i < 12; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            t += palabras[x % 15];
            t += (x & 0x100) ? " " : QByteArray(" ") + QByteArray::number(x % 1000) + " ";
        }
        t += "</p>\n";
    }
    t.truncate(tamano);
    return t;
}

bool Herramienta(const QString& programa) {
    return !QStandardPaths::findExecutable(programa).isEmpty();
}

int Ejecutar(const QString& programa, const QStringList& argumentos, const QString& carpeta,
             const QByteArray& entrada) {
    QProcess p;
    if (!carpeta.isEmpty())
        p.setWorkingDirectory(carpeta);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    if (!p.waitForStarted(10000))
        return -1;
    if (!entrada.isEmpty())
        p.write(entrada);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        return -1;
    }
    if (p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (p.exitCode() != 0)
        std::fprintf(stderr, "%s: %s\n", qPrintable(programa), p.readAll().constData());
    return p.exitCode();
}

void CrearZipCrudo(const QString& ruta,
                   const std::vector<std::pair<QByteArray, QByteArray>>& entradas,
                   const QString& comentario, int metodoCifrado, const QByteArray& clave) {
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(ruta).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!za)
        throw std::runtime_error("zip_open");
    for (const auto& [nombre, datos] : entradas) {
        // libzip reads the buffer when the archive is closed and frees it then.
        void* copia = std::malloc(static_cast<size_t>(datos.size()) + 1);
        std::memcpy(copia, datos.constData(), static_cast<size_t>(datos.size()));
        zip_source_t* src =
            zip_source_buffer(za, copia, static_cast<zip_uint64_t>(datos.size()), 1);
        const zip_int64_t i = zip_file_add(za, nombre.constData(), src, ZIP_FL_ENC_RAW);
        if (i < 0)
            throw std::runtime_error("zip_file_add");
        if (metodoCifrado != 0)
            zip_file_set_encryption(za, i, static_cast<zip_uint16_t>(metodoCifrado),
                                    clave.constData());
    }
    if (!comentario.isEmpty()) {
        const QByteArray c = comentario.toUtf8();
        zip_set_archive_comment(za, c.constData(), static_cast<zip_uint16_t>(c.size()));
    }
    if (zip_close(za) != 0)
        throw std::runtime_error("zip_close");
}

void FalsearTamanos(const QString& ruta, quint32 tamano) {
    QByteArray z = LeerArchivo(ruta);
    auto u32 = [&z](qsizetype pos) {
        return static_cast<quint32>(static_cast<uchar>(z[pos])) |
               static_cast<quint32>(static_cast<uchar>(z[pos + 1])) << 8 |
               static_cast<quint32>(static_cast<uchar>(z[pos + 2])) << 16 |
               static_cast<quint32>(static_cast<uchar>(z[pos + 3])) << 24;
    };
    auto poner = [&z](qsizetype pos, quint32 v) {
        for (int i = 0; i < 4; ++i)
            z[pos + i] = static_cast<char>((v >> (8 * i)) & 0xff);
    };
    for (qsizetype pos = 0; pos + 46 <= z.size(); ++pos) {
        if (u32(pos) != 0x02014b50)
            continue;
        poner(pos + 24, tamano);
        const quint32 local = u32(pos + 42);
        if (u32(local) == 0x04034b50)
            poner(local + 22, tamano);
    }
    EscribirArchivo(ruta, z);
}

int MetodoCifrado(const QString& ruta, const QString& entrada) {
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error);
    if (!za)
        return -1;
    zip_stat_t st;
    int metodo = -1;
    if (zip_stat(za, entrada.toUtf8().constData(), 0, &st) == 0)
        metodo = st.encryption_method;
    zip_discard(za);
    return metodo;
}

} // namespace brivo::pruebas
