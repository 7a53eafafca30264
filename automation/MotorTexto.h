#pragma once
// The embedded word processor: documents are QTextDocuments, each visible
// document has an EditorVentana of its own.
#include <functional>
#include <memory>
#include <vector>

#include <QPointer>
#include <QRect>
#include <QString>
#include <QTextDocument>

#include "ArchivoDocumento.h"
#include "ProcesadorTextos.h"

namespace brivo::word {

class AplicacionMotor;
class DocumentoMotor;
class EditorVentana;

// Placement and caption of a window, kept whether or not the window exists.
class VentanaMotor : public IVentanaWord {
public:
    VentanaMotor(std::function<void()> alCambiar, bool visibleAlEmpezar)
        : cambio(std::move(alCambiar)), visible(visibleAlEmpezar) {}
    EstadoVentana WindowState() const override { return estado; }
    void SetWindowState(EstadoVentana valor) override;
    int Left() const override { return geometria.x(); }
    int Top() const override { return geometria.y(); }
    int Width() const override { return geometria.width(); }
    int Height() const override { return geometria.height(); }
    void SetLeft(int valor) override;
    void SetTop(int valor) override;
    void SetWidth(int valor) override;
    void SetHeight(int valor) override;
    QString Caption() const override { return titulo; }
    void SetCaption(const QString& texto) override;
    bool Visible() const override { return visible; }
    void SetVisible(bool valor) override;

    bool GeometriaFijada() const { return fijada; }
    QRect Geometria() const { return geometria; }

private:
    void Avisar();
    std::function<void()> cambio;
    EstadoVentana estado = EstadoVentana::Normal;
    QRect geometria{0, 0, 800, 600};
    bool fijada = false;
    QString titulo;
    bool visible = true;
};

struct FragmentoWord;

class RangoMotor : public IRangoWord {
public:
    RangoMotor(std::shared_ptr<DocumentoMotor> documento, int inicio, int fin);
    int Start() const override { return inicio; }
    int End() const override { return fin; }
    void SetRange(int nuevoInicio, int nuevoFin) override;
    void Collapse(Direccion direccion = Direccion::Final) override;
    void InsertAfter(const QString& texto) override;
    void Copy() override;
    void Paste() override;
    bool FindExecute(const QString& texto, bool adelante = true) override;
    bool Found() const override { return encontrado; }
    QString Html() override;
    void InsertarHtml(const QString& html) override;

private:
    QTextDocument& Doc() const;
    void Ajustar();
    // Puts the fragment in place of the range, as one undo step, and makes
    // the range cover what was put. With marcaSegunDestino, whole paragraphs
    // put at the start of a paragraph that has text keep their last mark, so
    // that text stays a paragraph of its own.
    void Reemplazar(FragmentoWord fragmento, bool marcaSegunDestino);
    std::shared_ptr<DocumentoMotor> documento;
    int inicio = 0;
    int fin = 0;
    bool encontrado = false;
};

class DocumentoMotor : public IDocumentoWord, public std::enable_shared_from_this<DocumentoMotor> {
public:
    // soloLectura: opened with ReadOnly; the file itself can then not be
    // saved (a save under another name can, and ends the read-only state).
    DocumentoMotor(AplicacionMotor& aplicacion, const QString& ruta, const QString& clave,
                   bool soloLectura = false);
    ~DocumentoMotor() override;

    QString FullName() const override;
    IVentanaWord& Window() override { return ventana; }
    bool Saved() const override;
    void SetPassword(const QString& clave) override;
    QString BuiltInDocumentProperty(int numero) const override;
    void SetBuiltInDocumentProperty(int numero, const QString& valor) override;
    void Close(GuardarCambios guardar) override;
    void SaveAs(const QString& ruta, const QString& clave) override;
    std::unique_ptr<IRangoWord> Content() override;
    void ExportAs(const QString& ruta, FormatoExportacion formato,
                  const QString& clave = {}) override;
    bool Abierto() const override { return abierto; }

    // For the editor window and for tests.
    QTextDocument& Documento() { return *doc; }
    const QString& Clave() const { return clave; }
    bool SoloLectura() const { return soloLectura; }
    // The main text with the final paragraph mark: one character per position.
    const QString& Texto() const;
    // Saves to FullName with the document's password.
    void Guardar();
    // Closing asked by the editor window (the question, if any, was already asked).
    void CerrarDesdeVentana();
    VentanaMotor& Ventana() { return ventana; }
    EditorVentana* Editor() const;
    void AplicarVentana(bool aplicacionVisible, const VentanaMotor& placementAplicacion);
    void TraerAlFrente();
    // The user brought this document's window to the front.
    void AplicacionActivada();
    void ComprobarAbierto() const;

private:
    void Cerrar();
    AplicacionMotor& aplicacion;
    std::unique_ptr<QTextDocument> doc;
    QString ruta;
    QString clave;
    PropiedadesDocumento propiedades;
    VentanaMotor ventana;
    QPointer<EditorVentana> editor;
    bool abierto = true;
    bool soloLectura = false;
    mutable QString texto;
    mutable bool textoAlDia = false;
};

class AplicacionMotor : public IAplicacionWord {
public:
    AplicacionMotor();
    ~AplicacionMotor() override;

    void Connect() override;
    void Disconnect() override;
    bool Conectado() const override { return conectado; }
    IVentanaWord& Window() override { return ventana; }
    void Activate() override;
    QString Version() const override { return QStringLiteral("9.0"); }
    int DocumentsCount() const override;
    std::shared_ptr<IDocumentoWord> DocumentsOpen(const QString& ruta,
                                                  const OpcionesApertura& opciones) override;
    std::shared_ptr<IDocumentoWord> ActiveDocument() const override;
    void Quit(GuardarCambios guardar = GuardarCambios::NoGuardar) override;

    // The engine's own view of the documents.
    std::shared_ptr<DocumentoMotor> DocumentoActivo() const;
    void DocumentoCerrado(DocumentoMotor* documento);
    void DocumentoActivado(DocumentoMotor* documento);
    // Window changes are applied together, once control returns to the event loop.
    void ProgramarVentanas();
    void AplicarVentanas();
    void ComprobarConexion() const;
    // Whether the next document window to appear takes the keyboard focus:
    // only after Activate; otherwise a document opened while the user works
    // in another window of the program (moving through a grid) leaves the
    // focus there.
    bool TomarActivacion();

private:
    bool conectado = false;
    bool programado = false;
    bool activarSiguiente = false;
    VentanaMotor ventana;
    std::vector<std::shared_ptr<DocumentoMotor>> documentos; // oldest first, active last
    std::shared_ptr<bool> vivo = std::make_shared<bool>(true);
};

} // namespace brivo::word
