#pragma once
// Helpers shared by the word-processor tests.
#include <functional>
#include <memory>

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "ArchivoDocumento.h"
#include "Errores.h"
#include "MotorTexto.h"
#include "ProcesadorTextos.h"

#include "TextosQt.h"

namespace brivo::pruebas {

using namespace brivo::word;

// The paragraphs of a document joined by "|" (the final mark is not shown).
inline QString Parrafos(IDocumentoWord& documento) {
    QString texto = dynamic_cast<DocumentoMotor&>(documento).Texto();
    texto.chop(1);
    texto.replace(QChar::ParagraphSeparator, QLatin1Char('|'));
    return texto;
}

inline QTextDocument& QDoc(IDocumentoWord& documento) {
    return dynamic_cast<DocumentoMotor&>(documento).Documento();
}

inline QString MensajeDe(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const brivo::ErrorBrivo& error) {
        return error.Mensaje();
    }
    return QStringLiteral("<sin error>");
}

inline OpcionesApertura Con(const QString& clave) {
    OpcionesApertura o;
    o.PasswordDocument = o.PasswordTemplate = o.WritePasswordDocument = o.WritePasswordTemplate =
        clave;
    return o;
}

class Motor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        aplicacion = CrearMotorIncrustado();
        aplicacion->Connect();
    }
    void TearDown() override {
        if (aplicacion->Conectado())
            aplicacion->Quit();
    }

    QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }

    // Writes a plain-text file (UTF-8); each "\n" separates paragraphs.
    QString EscribirTexto(const QString& nombre, const QString& texto) {
        const QString ruta = Ruta(nombre);
        QFile archivo(ruta);
        EXPECT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(texto.toUtf8());
        return ruta;
    }

    // Writes an engine file built by the given function.
    QString EscribirDocumento(const QString& nombre,
                              const std::function<void(QTextCursor&)>& llenar,
                              const QString& clave = {}, const PropiedadesDocumento& props = {}) {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        llenar(cursor);
        const QString ruta = Ruta(nombre);
        GuardarArchivoDocumento(ruta, clave, doc, props);
        return ruta;
    }

    std::shared_ptr<IDocumentoWord> Abrir(const QString& ruta, const QString& clave = {}) {
        return aplicacion->DocumentsOpen(ruta, Con(clave));
    }

    QTemporaryDir carpeta;
    std::unique_ptr<IAplicacionWord> aplicacion;
};

} // namespace brivo::pruebas
