#pragma once
// The password of an exported Word document (Word 97–2003 or 2007+): the
// check box "Proteger con contraseña" and the password typed twice. Shared
// by "Documentos › Exportar documento…" of the main window and "Archivo ›
// Exportar…" of the editor window, which ask the same questions.
#include <optional>

#include <QDialog>
#include <QString>

#include "ContextoAyuda.h"
#include "ProcesadorTextos.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brivo {

class TFormClaveExportacion : public QDialog {
    Q_OBJECT
public:
    static constexpr ContextoAyuda Contexto = ContextoAyuda::ClaveDocumentoExportado;

    TFormClaveExportacion(QWidget* padre, word::FormatoExportacion formato);

    // "&OK": without protection, or with the password typed twice alike,
    // the dialog closes; otherwise it says what is missing and stays open.
    void BOKClick();
    // The password chosen (empty: none). Meaningful after "&OK".
    QString Clave() const;

    QLabel* LabExplicacion = nullptr;
    QCheckBox* CBProteger = nullptr;
    QLabel* LabClave = nullptr;
    QLineEdit* EdClave = nullptr;
    QLabel* LabRepetir = nullptr;
    QLineEdit* EdRepetir = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;
};

// Asks for the password of a Word export (see TPedirClaveExportacion in
// ExportarDocumento.h): nullopt when cancelled, empty for none.
std::optional<QString> PedirClaveExportacion(QWidget* padre, word::FormatoExportacion formato);

// The questions of an export of a document called nombre, with the dialog above.
std::optional<word::DestinoExportacion> ElegirExportacion(QWidget* padre, const QString& nombre);

} // namespace brivo
