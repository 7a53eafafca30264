#pragma once
// A word processor behind the automation interface, without widgets, for the
// core tests. Its documents are plain texts whose paragraphs each end with
// "\r"; its files are UTF-8 text:
//
//   BRIVO-FALSO
//   clave:<password or nothing>
//   prop<n>:<value>          (one line per built-in property set)
//   (empty line)
//   <paragraphs, one per line>
//
// ExportAs writes such a file with the document's present text, the output's
// password and the format's number as property 0.
//
// Searching follows the automation interface ("^p" a paragraph mark, "^$"
// any letter, any other text without regard to case), so the section
// search of exam assembly runs on it as on the real engine.
#include <map>
#include <memory>
#include <vector>

#include <QString>

#include "ProcesadorTextos.h"

namespace brivo::pruebas {

// The contents of a file of the fake engine.
struct TArchivoFalso {
    QString Texto; // paragraphs joined by "\n", no final mark
    QString Clave;
    std::map<int, QString> Propiedades;
};
void EscribirArchivoFalso(const QString& ruta, const TArchivoFalso& archivo);
// Throws ErrorBrivo when the file is missing or not of the fake engine.
TArchivoFalso LeerArchivoFalso(const QString& ruta);

class TVentanaMotorFalso : public word::IVentanaWord {
public:
    word::EstadoVentana WindowState() const override { return estado; }
    void SetWindowState(word::EstadoVentana e) override { estado = e; }
    int Left() const override { return izquierda; }
    int Top() const override { return arriba; }
    int Width() const override { return ancho; }
    int Height() const override { return alto; }
    void SetLeft(int v) override { izquierda = v; }
    void SetTop(int v) override { arriba = v; }
    void SetWidth(int v) override { ancho = v; }
    void SetHeight(int v) override { alto = v; }
    QString Caption() const override { return titulo; }
    void SetCaption(const QString& t) override { titulo = t; }
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }

private:
    word::EstadoVentana estado = word::EstadoVentana::Normal;
    int izquierda = 0, arriba = 0, ancho = 0, alto = 0;
    QString titulo;
    bool visible = false;
};

class TMotorFalso;

class TDocumentoFalso : public word::IDocumentoWord,
                        public std::enable_shared_from_this<TDocumentoFalso> {
public:
    TDocumentoFalso(TMotorFalso& motor, const QString& ruta, const TArchivoFalso& archivo,
                    bool soloLectura);

    QString FullName() const override;
    word::IVentanaWord& Window() override { return ventana; }
    bool Saved() const override;
    void SetPassword(const QString& clave) override;
    QString BuiltInDocumentProperty(int numero) const override;
    void SetBuiltInDocumentProperty(int numero, const QString& valor) override;
    void Close(word::GuardarCambios guardar) override;
    void SaveAs(const QString& ruta, const QString& clave) override;
    std::unique_ptr<word::IRangoWord> Content() override;
    void ExportAs(const QString&, word::FormatoExportacion, const QString&) override;
    bool Abierto() const override { return abierto; }

    TMotorFalso& Motor() { return motor; }

    // The text with its paragraph marks ("\r"); ranges work on it.
    QString Texto;
    bool Modificado = false;

private:
    void Comprobar() const;
    void Escribir(const QString& ruta) const;

    TMotorFalso& motor;
    QString ruta;
    QString clave;
    std::map<int, QString> propiedades;
    bool soloLectura = false;
    bool abierto = true;
    TVentanaMotorFalso ventana;
};

class TMotorFalso : public word::IAplicacionWord {
public:
    void Connect() override;
    void Disconnect() override { conectado = false; }
    bool Conectado() const override { return conectado; }
    word::IVentanaWord& Window() override { return ventana; }
    void Activate() override { ++Activaciones; }
    QString Version() const override { return VersionTexto; }
    int DocumentsCount() const override { return static_cast<int>(documentos.size()); }
    std::shared_ptr<word::IDocumentoWord> DocumentsOpen(const QString& ruta,
                                                        const word::OpcionesApertura& o) override;
    std::shared_ptr<word::IDocumentoWord> ActiveDocument() const override;
    void Quit(word::GuardarCambios guardar) override;

    // Internal: a document closed itself.
    void Cerrado(const TDocumentoFalso* documento);

    // The documents open, the active one last.
    const std::vector<std::shared_ptr<TDocumentoFalso>>& Documentos() const { return documentos; }

    QString VersionTexto = QStringLiteral("9.0");
    bool FallaConectar = false;
    int Activaciones = 0;
    std::vector<word::OpcionesApertura> Aperturas; // arguments of every DocumentsOpen
    QString Portapapeles;

private:
    bool conectado = false;
    TVentanaMotorFalso ventana;
    std::vector<std::shared_ptr<TDocumentoFalso>> documentos;
};

} // namespace brivo::pruebas
