#pragma once
// The help viewer: one window of the program that shows Brivo2.hlp (an HTML
// file beside the program, one section per help context, each marked by an
// anchor named by its number) at the section of a context.
// ui::MostrarAyuda (DialogoUsuario.h) opens it through Abrir.
#include <QList>
#include <QString>
#include <QWidget>

#include "ContextoAyuda.h"

class QPushButton;
class QTextBrowser;
class QUrl;

namespace brivo::ayuda {

// The numbers of every help context (TodosLosContextos); 1 is the contents.
const QList<int>& Contextos();

// The help file: Brivo2.hlp in the program's folder, unless another path was
// set (an empty path goes back to the default).
QString RutaArchivo();
void PonerRutaArchivo(const QString& ruta);

// The whole help file as text ("" when it cannot be read).
QString LeerArchivo();
// The HTML of one context's section, from its anchor up to the next section's
// anchor ("" when the file has no such anchor).
QString Seccion(const QString& html, int contexto);
QString Seccion(int contexto);
// The text a reader sees in a piece of HTML.
QString TextoPlano(const QString& html);
// Anchor targets ("#N") that a piece of HTML links to.
QList<int> Enlaces(const QString& html);

class TVisorAyuda : public QWidget {
    Q_OBJECT
public:
    TVisorAyuda();

    // Loads the help file and moves to the section of the context.
    void Mostrar(ContextoAyuda contexto);
    // The number of the section the viewer is at (0 when none).
    int Contexto() const { return contexto; }

    QTextBrowser* Texto = nullptr;
    QPushButton* BContenido = nullptr;
    QPushButton* BAtras = nullptr;
    QPushButton* BAdelante = nullptr;
    QPushButton* BCerrar = nullptr;

private:
    void FuenteCambiada(const QUrl& url);
    int contexto = 0;
};

// The program's one viewer; created on first use when crear is true.
TVisorAyuda* Visor(bool crear = false);

// Moves the viewer to a context's section and, when mostrar, shows it above
// padre's window (usable while a modal dialog runs).
void Abrir(QWidget* padre, int contexto, bool mostrar);

} // namespace brivo::ayuda
