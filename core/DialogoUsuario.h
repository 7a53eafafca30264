#pragma once
// Every message the program shows and every question it asks goes through
// these functions: information, confirmation, yes/no question, error, file
// names and help. Each call goes to the presenter that the widget layer
// installs (message boxes, file dialogs and the help viewer, see
// Interaccion.h), or, while a test script (TGuion) is alive, to the script,
// which records it and answers from its queues. Nothing here needs widgets:
// the rules of the core library ask their questions through it and are
// tested without a window. The widget pointers are only handed on, as the
// parent of whatever the presenter shows.
#include <deque>
#include <functional>
#include <initializer_list>

#include <QList>
#include <QString>
#include <QStringList>

#include "ContextoAyuda.h"

class QDialog;
class QWidget;

namespace brivo::ui {

enum class TipoMensaje { Informacion, Confirmacion, Error, Pregunta };

// What shows messages, file dialogs and help to the user.
class IPresentador {
public:
    virtual ~IPresentador() = default;
    // Information (OK), confirmation (OK / Cancel: true only on OK), error
    // (OK), question ("Sí" / "No", "No" the default: true only on "Sí").
    virtual bool Mensaje(QWidget* padre, TipoMensaje tipo, const QString& texto) = 0;
    // File dialogs; an empty text means the user cancelled.
    virtual QString ArchivoParaGuardar(QWidget* padre, const QString& titulo,
                                       const QString& carpeta, const QString& filtro) = 0;
    virtual QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                                     const QString& filtro) = 0;
    // Several existing files at once (empty: cancelled). By default the
    // single-file dialog.
    virtual QStringList ArchivosParaAbrir(QWidget* padre, const QString& titulo,
                                          const QString& carpeta, const QString& filtro) {
        const QString uno = ArchivoParaAbrir(padre, titulo, carpeta, filtro);
        return uno.isEmpty() ? QStringList() : QStringList{uno};
    }
    // A save dialog for an export: it does not ask about an existing file
    // itself (the caller does, through Preguntar), and a name typed without
    // an extension takes the chosen filter's first one. sugerido is a
    // folder or a whole path. By default the plain save dialog.
    virtual QString ArchivoParaExportar(QWidget* padre, const QString& titulo,
                                        const QString& sugerido, const QString& filtro) {
        return ArchivoParaGuardar(padre, titulo, sugerido, filtro);
    }
    // The save dialog that also says which entry of the filter was chosen
    // (see ui::ArchivoParaGuardar below). By default the plain save dialog,
    // the entry left as it came.
    virtual QString ArchivoParaGuardarConFiltro(QWidget* padre, const QString& titulo,
                                                const QString& carpeta, const QString& filtro,
                                                QString& filtroElegido) {
        (void)filtroElegido;
        return ArchivoParaGuardar(padre, titulo, carpeta, filtro);
    }
    // Moves the help viewer to a context; shows its window only when
    // mostrar (scripted runs load the section without a window).
    virtual void MostrarAyuda(QWidget* padre, int contexto, bool mostrar) = 0;
};

// Installs the presenter (nullptr: none) and gives the one installed.
// Without a presenter a call that no script answers throws std::logic_error.
void PonerPresentador(IPresentador* presentador);
IPresentador* Presentador();

// Information box (OK), confirmation (OK / Cancel: true only on OK), error box.
void Informacion(QWidget* padre, const QString& texto);
bool Confirmar(QWidget* padre, const QString& texto);
void Error(QWidget* padre, const QString& texto);
// A question with the buttons "Sí" and "No" ("No" is the default button):
// true only on "Sí".
bool Preguntar(QWidget* padre, const QString& texto);

// File dialogs; an empty text means the user cancelled.
QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro);
QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                         const QString& filtro);
// Several files to open (empty list: cancelled), and the file of an export
// (see IPresentador::ArchivoParaExportar).
QStringList ArchivosParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                              const QString& filtro);
QString ArchivoParaExportar(QWidget* padre, const QString& titulo, const QString& sugerido,
                            const QString& filtro);
// The save dialog, also telling which entry of the filter ("A (*.a);;B
// (*.b)") the user chose: filtroElegido is the entry selected when the
// dialog opens (empty: the first) and, after it, the entry chosen.
QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro, QString& filtroElegido);

// Opens the help file at a context (the help viewer window).
void MostrarAyuda(QWidget* padre, ContextoAyuda contexto);

// Scripted answers for tests. While a TGuion is alive every call above, and
// every modal dialog run through ui::Ejecutar (Interaccion.h), is recorded
// and answered from its queues; an unexpected call with an empty queue fails
// loudly (throws std::logic_error) instead of blocking.
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
    // Files for the next dialogs that choose several, in order (an empty
    // list = cancelled).
    void Archivos(const QStringList& nombres);
    // A name for the next save dialog and the entry of its filter chosen.
    void Archivo(const QString& nombre, const QString& filtro);

    // Everything shown so far.
    QList<Mensaje> Mensajes;
    QStringList DialogosMostrados; // objectName or class name of each dialog
    QList<int> AyudasAbiertas;     // help contexts opened
    QStringList TitulosArchivo;    // captions of file dialogs

    // Internal: used by the functions above and by ui::Ejecutar.
    bool SiguienteConfirmacion(const QString& texto);
    // Records a dialog by its name and gives the script that answers it.
    AccionDialogo SiguienteAccionDialogo(const QString& nombre);
    // Records a dialog (its objectName, else its class name) and runs the
    // script that answers it; the widget layer instantiates it.
    template <class Dialogo> int SiguienteDialogo(Dialogo& d) {
        const QString nombre = d.objectName().isEmpty()
                                   ? QString::fromLatin1(d.metaObject()->className())
                                   : d.objectName();
        return SiguienteAccionDialogo(nombre)(d);
    }
    // The next name; the filter entry scripted with it, if any, goes into
    // filtroElegido (when given).
    QString SiguienteArchivo(const QString& titulo, QString* filtroElegido = nullptr);
    QStringList SiguientesArchivos(const QString& titulo);

    // With true, a message box not expected by the test is still answered
    // (information/error just recorded; confirmations answer OK). Default true
    // for information and error boxes, which need no answer.
    bool ConfirmacionPorDefecto = false;
    bool HayConfirmacionPorDefecto = false;

private:
    std::deque<bool> confirmaciones;
    std::deque<AccionDialogo> dialogos;
    struct TArchivo {
        QString Nombre;
        QString Filtro;
        bool ConFiltro = false;
    };
    std::deque<TArchivo> archivos;
    std::deque<QStringList> listasArchivos;
    TGuion* anterior = nullptr;
};

} // namespace brivo::ui
