#pragma once
// Support of the office-document tests: LibreOffice started once for the whole
// suite and shared with the engine, the question document that the round
// trips carry, and small file helpers. Every office file the tests read is
// written at test time by the program's own export through LibreOffice.
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ConversorLibreOffice.h"
#include "ExportacionDocumento.h"
#include "ProcesadorTextos.h"

class QTextDocument;

#include "TextosQt.h"

namespace brivo::pruebas {

using namespace brivo;
using namespace brivo::word;

// LibreOffice with the program's settings, the converter script taken from
// the build folder.
oficina::TConfiguracionLibreOffice ConfiguracionReal();

// The suite's converter (started by the environment, shared with the engine).
oficina::TConversorLibreOffice& ConversorSuite();

// Replaces the program's shared converter while it lives.
class ConversorCambiado {
public:
    explicit ConversorCambiado(std::shared_ptr<oficina::IConversorOficina> otro);
    ~ConversorCambiado();

private:
    std::shared_ptr<oficina::IConversorOficina> anterior;
};

// A question with the four markers, bold, italic, underline, another font,
// size and colour, accents, a centred paragraph, a numbered list, a table and
// an image (40×20 pixels of blue).
void LlenarPregunta(QTextDocument& doc);

// Checks (with EXPECT) that doc still holds all of LlenarPregunta's content.
void ComprobarPregunta(const QTextDocument& doc);

// The texts of doc's paragraphs (table cells included), in order.
QStringList Parrafos(const QTextDocument& doc);

QByteArray Leer(const QString& ruta);
void Escribir(const QString& ruta, const QByteArray& datos);

// The error text of accion ("<sin error>" when it throws nothing).
QString MensajeDe(const std::function<void()>& accion);

// Exports a fresh question (LlenarPregunta, with properties) as ruta.
void ExportarPregunta(const QString& ruta, FormatoExportacion formato, const QString& clave = {});

} // namespace brivo::pruebas
