#pragma once
// Every message box, modal dialog and file dialog of the program goes through
// this seam. In normal use it shows the real widget; a test installs a script
// (TGuion) that answers instead, so whole commands run end to end under the
// offscreen platform without ever blocking.
#include <deque>
#include <functional>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "ContextoAyuda.h"

class QWidget;

namespace brivo::ui {

enum class TipoMensaje { Informacion, Confirmacion, Error, Pregunta };

// Information box (OK), confirmation (OK / Cancel: true only on OK), error box.
void Informacion(QWidget* padre, const QString& texto);
bool Confirmar(QWidget* padre, const QString& texto);
void Error(QWidget* padre, const QString& texto);
// A question with the buttons "Sí" and "No" ("No" is the default button):
// true only on "Sí".
bool Preguntar(QWidget* padre, const QString& texto);

// Runs a modal dialog and returns its result (QDialog::Accepted/Rejected).
int Ejecutar(QDialog& dialogo);

// File dialogs; an empty text means the user cancelled.
QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro);
QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                         const QString& filtro);

// Opens the help file at a context (the help viewer window).
void MostrarAyuda(QWidget* padre, ContextoAyuda contexto);

// Scripted answers for tests. While a TGuion is alive every call above is
// recorded and answered from its queues; an unexpected call with an empty
// queue fails loudly (throws std::logic_error) instead of blocking.
class TGuion {
public:
    struct Mensaje {
        TipoMensaje Tipo;
        QString Texto;
    };
    // What a dialog script does with the dialog: fill its controls, press
    // buttons... and return the dialog's result.
    using AccionDialogo = std::function<int(QDialog&)>;

    TGuion();
    ~TGuion();
    TGuion(const TGuion&) = delete;
    TGuion& operator=(const TGuion&) = delete;

    static TGuion* Activo();

    // Answers to confirmations and questions, in order (true = OK or "Sí").
    void Confirmaciones(std::initializer_list<bool> respuestas);
    // Scripts for the next modal dialogs, in order.
    void Dialogo(AccionDialogo accion);
    // Names for the next file dialogs, in order ("" = cancelled).
    void Archivo(const QString& nombre);

    // Everything shown so far.
    QList<Mensaje> Mensajes;
    QStringList DialogosMostrados; // objectName or class name of each dialog
    QList<int> AyudasAbiertas;     // numbers of the help contexts opened
    QStringList TitulosArchivo;    // captions of file dialogs

    // Internal: used by the functions above.
    bool SiguienteConfirmacion(const QString& texto);
    int SiguienteDialogo(QDialog& d);
    QString SiguienteArchivo(const QString& titulo);

    // With true, a message box not expected by the test is still answered
    // (information/error just recorded; confirmations answer OK). Default true
    // for information and error boxes, which need no answer.
    bool ConfirmacionPorDefecto = false;
    bool HayConfirmacionPorDefecto = false;

private:
    std::deque<bool> confirmaciones;
    std::deque<AccionDialogo> dialogos;
    std::deque<QString> archivos;
    TGuion* anterior = nullptr;
};

} // namespace brivo::ui
