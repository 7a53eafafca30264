#pragma once
// The progress window of the commands that work through many documents
// (converting the library's documents, importing files): "Documento 3 de
// 12" or "Archivo 3 de 12", the file's name and a gauge, with "Cancelar",
// which stops the work before the next file (the file in hand is finished).
// It stays on top of the main window, which cannot be used meanwhile, and
// lets the interface repaint at each step.
//
//   TFormProgreso progreso(this, "Convertir documentos", ContextoAyuda::ConvertirDocumentos);
//   ... [&](int n, int total, ...) { return progreso.Avanzar(n, total, nombre); }
#include <QDialog>
#include <QString>

#include "ContextoAyuda.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace brivo {

class TFormProgreso : public QDialog {
    Q_OBJECT
public:
    // unidad: "Documento" or "Archivo", the word before "n de total".
    TFormProgreso(QWidget* padre, const QString& titulo, ContextoAyuda contexto,
                  const QString& unidad);

    // Shows the window (at the first call) with step n of total and the
    // file's name, and lets the interface run. False once "Cancelar" (or
    // Escape) was pressed: the caller stops before that file.
    bool Avanzar(int n, int total, const QString& nombre);
    bool Cancelado() const { return cancelado; }

    // Cancelling: the window closes; the work stops at its next step.
    void reject() override;

    QLabel* LabPosicion = nullptr; // "Documento 3 de 12"
    QLabel* LabArchivo = nullptr;  // the file in hand
    QProgressBar* Progreso = nullptr;
    QPushButton* BCancelar = nullptr;
    QPushButton* BAyuda = nullptr;

private:
    QString unidad;
    bool cancelado = false;
};

} // namespace brivo
