#pragma once
// The editor window of one visible document: a rich-text editor in Spanish.
#include <functional>
#include <optional>

#include <QColor>
#include <QMainWindow>
#include <QString>

#include "ProcesadorTextos.h"

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QPrinter;
class QTextCharFormat;
class QTextEdit;
class QToolBar;

namespace brivo::word {

class DocumentoMotor;

// Every question the editor asks the user goes through these hooks. They
// start empty: the program installs them (dialogos::InstalarDialogosEditor
// routes them to the dialog seam of the dialogs library) when it creates the
// engine. An editor that asks through a hook nobody installed throws
// std::logic_error naming the hook.
struct DialogosEditor {
    enum class Respuesta { Si, No, Cancelar };
    // "¿Desea guardar los cambios en ...?" when a window with changes is closed.
    std::function<Respuesta(QWidget*, const QString& nombreDocumento)> PreguntarGuardar;
    // File of an image to insert (empty: cancelled).
    std::function<QString(QWidget*)> ElegirImagen;
    std::function<std::optional<QColor>(QWidget*, const QColor& actual)> ElegirColor;
    // Rows and columns of a new table (false: cancelled).
    std::function<bool(QWidget*, int& filas, int& columnas)> PedirTabla;
    // File of the PDF export and of "Guardar como" (empty: cancelled).
    std::function<QString(QWidget*, const QString& sugerido)> ElegirPdf;
    std::function<QString(QWidget*, const QString& sugerido)> ElegirGuardarComo;
    // "Exportar…": the file, format and password of an export of the
    // document called nombre, with the question before an existing file is
    // replaced (nullopt: the user gave up).
    std::function<std::optional<DestinoExportacion>(QWidget*, const QString& nombre)>
        ElegirExportacion;
    // New password for the next saves (nullopt: cancelled; empty: none).
    std::function<std::optional<QString>(QWidget*)> PedirContrasena;
    // Printer setup before printing (false: cancelled).
    std::function<bool(QWidget*, QPrinter&)> ConfigurarImpresora;
    std::function<void(QWidget*, const QString&)> MostrarError;
};

// The hooks in use (replace members to change them).
DialogosEditor& DialogosDelEditor();

class EditorVentana : public QMainWindow {
    Q_OBJECT
public:
    explicit EditorVentana(DocumentoMotor& documento);
    ~EditorVentana() override;

    // Placement from the automation side; an empty geometry keeps the current
    // one. The window's title is exactly titulo.
    void Colocar(bool maximizada, const QRect& geometria, const QString& titulo);
    // The document was closed by automation: the window lets it go and closes.
    void SoltarDocumento();

    QTextEdit* Texto() const { return texto; }

    // Commands of the window (also reachable from its actions).
    bool Guardar();
    void GuardarComo();
    void CambiarContrasena();
    void Imprimir();
    bool ExportarPdf(const QString& ruta);
    void ExportarPdfPreguntando();
    // "Exportar…": the document as it is in the window, unsaved changes
    // included, in the format chosen (PDF, OpenDocument, Word, HTML).
    bool Exportar(const DestinoExportacion& destino);
    void ExportarPreguntando();
    bool InsertarImagen(const QString& ruta);
    void InsertarImagenPreguntando();
    void InsertarTabla(int filas, int columnas);
    void InsertarTablaPreguntando();
    void ElegirColor();
    void AlternarLista(int estilo);
    bool Buscar(const QString& buscado, bool adelante);

protected:
    void closeEvent(QCloseEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    // The window's commands, their menus and toolbars (EditorAcciones.cpp).
    struct TAcciones;
    QAction* Accion(const QString& nombre, const QString& texto, const QString& consejo,
                    const QKeySequence& atajo = {});
    void CrearAcciones();
    void CrearAccionesArchivo(TAcciones& a);
    void CrearAccionesEdicion(TAcciones& a);
    void CrearAccionesCaracter(TAcciones& a);
    void CrearAccionesParrafo();
    void CrearAccionesInsertar(TAcciones& a);
    void CrearMenus(const TAcciones& a);
    void CrearBarras(const TAcciones& a);
    void CrearBarraBuscar(QAction* accionBuscar);
    void FormatoCambiado(const QTextCharFormat& formato);
    void ParrafoCambiado();
    void Combinar(const QTextCharFormat& formato);
    void MostrarError(const QString& mensaje);

    DocumentoMotor* documento;
    QTextEdit* texto;
    QFontComboBox* comboFuente = nullptr;
    QComboBox* comboTamano = nullptr;
    QLineEdit* campoBuscar = nullptr;
    QToolBar* barraBuscar = nullptr;
    QAction* accNegrita = nullptr;
    QAction* accCursiva = nullptr;
    QAction* accSubrayado = nullptr;
    QAction* accIzquierda = nullptr;
    QAction* accCentro = nullptr;
    QAction* accDerecha = nullptr;
    QAction* accJustificar = nullptr;
    QAction* accVinetas = nullptr;
    QAction* accNumeracion = nullptr;
    bool soltado = false;
};

} // namespace brivo::word
