// The editor of the document bank: the word processor's connection, opening,
// saving and closing document files, and the editor following the current
// document.
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "Almacen.h"
#include "AperturaDocumento.h"
#include "BancoDocumentos.h"
#include "DialogoUsuario.h"
#include "Errores.h"
#include "TextosComunes.h"
#include "VistaDocumentos.h"

namespace brivo {

namespace {

// Paths are compared after making them absolute and clean, so that a
// program folder given with "." or ".." still names the same file.
QString RutaNormal(const QString& ruta) {
    return ruta.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
}

// The version text of the word processor as a number: the point becomes the
// decimal comma and any character above '9' a zero ("9.0" -> 9, "8.0a" -> 8).
double LeerVersion(const QString& texto) {
    QString cifras = texto.trimmed();
    cifras.replace(QLatin1Char('.'), QLatin1Char(','));
    for (QChar& c : cifras)
        if (c > QLatin1Char('9'))
            c = QLatin1Char('0');
    bool ok = false;
    const double valor = QLocale(QLocale::Spanish, QLocale::Spain).toDouble(cifras, &ok);
    return ok ? valor : 0.0;
}

bool Valido(int numero) {
    return numero >= 1 && numero <= MaxDocumentos;
}

} // namespace

void TBancoDocumentos::ColocarBajoLaVentana(word::IVentanaWord& ventana) const {
    const int alto = vista.AltoVentana();
    const QRect pantalla = vista.Pantalla();
    ventana.SetLeft(0);
    ventana.SetTop(alto * 30 / 40);
    ventana.SetWidth(pantalla.width() * 200 / 267);
    ventana.SetHeight((pantalla.height() - alto) * 30 / 42);
}

// ---------------------------------------------------------------------------
// Connection

bool TBancoDocumentos::IniciarEditor() {
    try {
        WordApplication->Connect();
    } catch (const ErrorBrivo&) {
        ui::Error(vista.Ventana(), QStringLiteral("Word puede no estar instalado"));
        return false;
    }
    WordFont.Connect(*WordApplication);

    // The word processor's window lies below the main window.
    word::IVentanaWord& ventana = WordApplication->Window();
    ventana.SetWindowState(word::EstadoVentana::Normal);
    ColocarBajoLaVentana(ventana);
    ventana.SetVisible(true);
    ventana.SetCaption(QString::fromUtf8(textos::NombrePrograma));
    WordApplication->Activate();

    VersionEditor = LeerVersion(WordApplication->Version());
    return true;
}

void TBancoDocumentos::CerrarEditor() {
    WordDocument.reset();
    WordDocumentAux.reset();
    if (WordApplication && WordApplication->Conectado()) {
        try {
            WordApplication->Quit(word::GuardarCambios::NoGuardar);
        } catch (const ErrorBrivo& e) {
            ui::Error(vista.Ventana(), e.Mensaje());
        }
        WordApplication->Disconnect();
    }
    WordFont.Disconnect();
}

// ---------------------------------------------------------------------------
// Opening and saving

bool TBancoDocumentos::AbrirDocumento(int numero, bool visible) {
    if (!editorAbierto || !WordApplication || !WordApplication->Conectado())
        return false;

    QString ruta;
    QString clave;
    if (numero == ArchivoModeloPreguntas) {
        ruta = almacen.RutaDelPrograma(QStringLiteral("nuevodoc.doc"));
    } else if (numero == ArchivoModeloExamenes) {
        ruta = almacen.RutaDelPrograma(QStringLiteral("nuevoexamen.doc"));
    } else if (!Valido(numero)) {
        return false;
    } else {
        almacen.LibroConsultado =
            almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(numero)].IdLibro);
        if (almacen.LibroConsultado.Identificador == 0)
            return false;
        clave = QString::number(almacen.LibroConsultado.Identificador);
        ruta = RutaDocumento(almacen, numero);
    }
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile())
        return false;

    word::OpcionesApertura opciones = OpcionesConClave(clave);
    // A library open for consultation only shows its documents read-only.
    opciones.ReadOnly = almacen.SoloConsulta;
    WordApplication->DocumentsOpen(ruta, opciones);
    WordDocument = WordApplication->ActiveDocument();
    if (!WordDocument)
        return false;

    word::IVentanaWord& ventana = WordDocument->Window();
    if (VersionEditor > 8.0) {
        ventana.SetWindowState(word::EstadoVentana::Normal);
        if (!visible) {
            ventana.SetWindowState(word::EstadoVentana::Minimizada);
        } else {
            ColocarBajoLaVentana(ventana);
            ventana.SetCaption(QStringLiteral("[") + almacen.LibroConsultado.Titulo.Texto() +
                               QStringLiteral("] ") + QFileInfo(ruta).fileName());
        }
    } else {
        ventana.SetWindowState(visible ? word::EstadoVentana::Maximizada
                                       : word::EstadoVentana::Minimizada);
    }
    return true;
}

bool TBancoDocumentos::NodoPideModeloExamen() const {
    const TNodo* nodo = vista.NodoSeleccionado();
    if (!nodo || nodo->Nivel() != 1 || !nodo->Padre || nodo->Padre->Id() != 1)
        return false;
    return nodo->Id() == 2 || nodo->Id() == 3;
}

bool TBancoDocumentos::AbrirModeloDelNodo(bool visible) {
    // The model is opened to become a new document file, which a library
    // open for consultation only never gets.
    if (almacen.SoloConsulta)
        return false;
    const bool examen = NodoPideModeloExamen();
    if (AbrirDocumento(examen ? almacen.ModeloExamenes : almacen.ModeloPreguntas, visible))
        return true;
    // The caption of a model file opened for the current document names
    // that document's book.
    if (Valido(almacen.DocActual))
        almacen.LibroConsultado =
            almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(almacen.DocActual)].IdLibro);
    return AbrirDocumento(examen ? ArchivoModeloExamenes : ArchivoModeloPreguntas, visible);
}

void TBancoDocumentos::GuardarDocumentoComo(const QString& ruta) {
    if (!editorAbierto || DocumentosAbiertos() == 0 || almacen.SoloConsulta)
        return;
    const std::shared_ptr<word::IDocumentoWord> activo = WordApplication->ActiveDocument();
    if (!activo)
        return;

    QString clave;
    if (Valido(almacen.DocActual)) {
        almacen.LibroConsultado =
            almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(almacen.DocActual)].IdLibro);
        if (almacen.LibroConsultado.Identificador == 0)
            return;
        if (almacen.LibroConsultado.ClaveEnDoc)
            clave = QString::number(almacen.LibroConsultado.Identificador);
        if (WordDocument && WordDocument->Abierto())
            WordDocument->SetPassword(clave);
    }
    if (ruta.isEmpty())
        return; // a document without a file has nowhere to go

    // A book folder removed by hand is made again rather than losing the new file.
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    const QString anterior = QFileInfo(activo->FullName()).fileName();
    activo->SaveAs(ruta, clave);

    // A window named after the model now names the document's own file.
    word::IVentanaWord& ventana = activo->Window();
    if (ventana.Caption().startsWith(QLatin1Char('[')) &&
        ventana.Caption().endsWith(QStringLiteral("] ") + anterior)) {
        QString libro = ventana.Caption().mid(1);
        libro.chop(anterior.size() + 2);
        if (Valido(almacen.DocActual))
            libro = almacen.LibroConsultado.Titulo.Texto();
        ventana.SetCaption(QStringLiteral("[") + libro + QStringLiteral("] ") +
                           QFileInfo(ruta).fileName());
    }
}

// ---------------------------------------------------------------------------
// Closing and following the current document

void TBancoDocumentos::CerrarDocumento() {
    if (!editorAbierto || DocumentosAbiertos() == 0)
        return;
    const int k = almacen.DocActual;
    if (!Valido(k))
        return;
    // Only the document that the editor shows for DocActual is closed: after
    // a new record became current, the editor may still show the previous
    // document, which must not take the new record's properties.
    if (!WordDocument || !WordDocument->Abierto())
        return;
    const QString ruta = RutaDocumento(almacen, k);
    if (ruta.isEmpty() || RutaNormal(WordDocument->FullName()) != RutaNormal(ruta))
        return;

    const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
    almacen.LibroConsultado = almacen.BuscarLibro(d.IdLibro);
    const TLibro& libro = almacen.LibroConsultado;
    if (libro.Identificador == 0)
        return;

    WordDocument->SetPassword(libro.ClaveEnDoc ? QString::number(libro.Identificador) : QString());
    WordDocument->SetBuiltInDocumentProperty(word::PropTitulo, d.Descripcion.Texto());
    WordDocument->SetBuiltInDocumentProperty(word::PropAsunto, libro.Titulo.Texto());
    WordDocument->SetBuiltInDocumentProperty(word::PropAutor, libro.Autor.Texto());
    WordDocument->SetBuiltInDocumentProperty(word::PropCategoria, libro.Materia.Texto());
    WordDocument->SetBuiltInDocumentProperty(word::PropComentarios, libro.Comentario.Texto());
    WordDocument->SetBuiltInDocumentProperty(word::PropCompania, QString());

    const bool descartar =
        almacen.SoloConsulta || !libro.PermitirCambiosEnDoc || WordDocument->Saved();
    const std::shared_ptr<word::IDocumentoWord> documento = WordDocument;
    documento->Close(descartar ? word::GuardarCambios::NoGuardar : word::GuardarCambios::Guardar);
}

void TBancoDocumentos::CambiarDocumento(int anterior) {
    if (!editorAbierto || anterior == almacen.DocActual)
        return;

    if (DocumentosAbiertos() >= 1) {
        // The previous document is closed when it is the active document,
        // or still the editor's document although the user brought another
        // window to the front (it would otherwise stay open, unsaved).
        const QString rutaAnterior = RutaNormal(RutaDocumento(almacen, anterior));
        auto esAnterior = [&](const std::shared_ptr<word::IDocumentoWord>& d) {
            return d && d->Abierto() && !rutaAnterior.isEmpty() &&
                   RutaNormal(d->FullName()) == rutaAnterior;
        };
        std::shared_ptr<word::IDocumentoWord> cerrar = WordApplication->ActiveDocument();
        if (!esAnterior(cerrar))
            cerrar = WordDocument;
        if (esAnterior(cerrar)) {
            const int actual = almacen.DocActual;
            WordDocument = cerrar;
            almacen.DocActual = anterior;
            try {
                CerrarDocumento();
            } catch (...) {
                almacen.DocActual = actual;
                throw;
            }
            almacen.DocActual = actual;
        }
    }

    // A document whose book cannot be found has no file: the editor opens
    // nothing for it.
    const QString ruta = RutaDocumento(almacen, almacen.DocActual);
    if (ruta.isEmpty())
        return;
    if (QFileInfo(ruta).isFile()) {
        AbrirDocumento(almacen.DocActual, true);
    } else if (AbrirModeloDelNodo(true)) {
        GuardarDocumentoComo(ruta);
    }
}

// ---------------------------------------------------------------------------
// Documents read hidden

bool TBancoDocumentos::AbrirDocumentoOculto(int k) {
    if (!editorAbierto || !WordApplication || !WordApplication->Conectado())
        return false;
    if (!Valido(k) || !Valido(almacen.DocActual))
        return false;
    // The password is that of the current document's book (the new exam's).
    almacen.LibroConsultado =
        almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(almacen.DocActual)].IdLibro);
    if (almacen.LibroConsultado.Identificador == 0)
        return false;
    const QString clave = QString::number(almacen.LibroConsultado.Identificador);
    // No test that the file exists: a missing file is the word processor's error.
    WordApplication->DocumentsOpen(RutaDocumento(almacen, k), OpcionesConClave(clave));
    WordDocumentAux = WordApplication->ActiveDocument();
    if (!WordDocumentAux)
        return false;
    if (VersionEditor > 8.0 && WordDocument && WordDocument->Abierto())
        WordDocument->Window().SetWindowState(word::EstadoVentana::Normal);
    WordDocumentAux->Window().SetWindowState(word::EstadoVentana::Minimizada);
    return true;
}

void TBancoDocumentos::CerrarDocumentoOculto() {
    if (!editorAbierto || DocumentosAbiertos() < 1 || !WordDocumentAux)
        return;
    if (WordDocumentAux->Abierto())
        WordDocumentAux->Close(word::GuardarCambios::NoGuardar);
    WordDocumentAux.reset();
}

} // namespace brivo
