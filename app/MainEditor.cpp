// Life of the document files in the editor: new records, the editor's
// connection, opening, saving and closing documents, and the editor following
// the current document.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QToolButton>

#include "AperturaDocumento.h"
#include "Errores.h"
#include "Interaccion.h"
#include "Main.h"
#include "TextosComunes.h"

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

QRect GeometriaPantalla(const QWidget* ventana) {
    const QScreen* pantalla =
        ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

// ---------------------------------------------------------------------------
// State of the editor

void TMainForm::PonerEditorAbierto(bool abierto) {
    editorAbierto = abierto;
    const QString texto =
        abierto ? QStringLiteral("Cerrar editor") : QStringLiteral("Abrir editor");
    if (SBEditor) {
        SBEditor->setToolTip(texto);
        SBEditor->setAccessibleName(texto);
    }
    if (Abrireditor1) {
        Abrireditor1->setText(texto);
        Abrireditor1->setToolTip(texto);
    }
}

int TMainForm::DocumentosAbiertos() const {
    if (!WordApplication || !WordApplication->Conectado())
        return 0;
    return WordApplication->DocumentsCount();
}

// ---------------------------------------------------------------------------
// New records

int TMainForm::CrearDocumento(int materia, int tema, int contenido) {
    almacen.DocAnterior = almacen.DocActual;
    const int k = almacen.DocumentoLibre();
    if (k < 1)
        return 0; // every slot in use: nothing is created, nothing reported

    TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
    d.Vaciar();
    d.Numero = k;
    d.Marcado = false;
    d.IdMateria = materia;
    d.IdTema = tema;
    d.IdContenido = contenido;
    const bool libroValido = almacen.LibroActivo >= 1 && almacen.LibroActivo <= MaxLibros;
    d.IdLibro =
        libroValido ? almacen.Libros[static_cast<size_t>(almacen.LibroActivo)].Identificador : 0;
    d.Dificultad = 0;
    d.Tipo = 0;
    d.Usos = 0;
    d.Similitud = 0;
    d.Puntos = 0.0;
    d.Respuesta.Vaciar();
    for (auto& r : d.Reservado)
        r = 0;
    d.FechaCreacion = Hoy();
    d.FechaUso = QStringLiteral("01/01/1900");
    d.Formato = QStringLiteral("DOC") + NumeroCorto(VersionEditor);

    // The special nodes under "Útiles" number their documents by the count
    // listed in the grid; every other place by the slot.
    const int listados = almacen.NumListados + 1;
    QString descripcion;
    if (materia == 1 && tema == 1)
        descripcion = QStringLiteral("Modelo de documento %1").arg(listados);
    else if (materia == 1 && tema == 2)
        descripcion = QStringLiteral("Modelo de examen %1").arg(listados);
    else if (materia == 1 && tema == 3)
        descripcion = QStringLiteral("Examen %1").arg(listados);
    else
        descripcion = QStringLiteral("Documento %1").arg(k);
    d.Descripcion = descripcion;

    almacen.DocActual = k;
    return k;
}

bool TMainForm::ApartarArchivoDePlaza(int k) {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (k < 1 || k > MaxDocumentos || !libro || almacen.Documentos[static_cast<size_t>(k)].Usado())
        return true;
    const QString carpeta = libro->Carpeta.Texto();
    const QString nombre = NombreArchivoDocumento(k);
    const QString ruta =
        almacen.CarpetaPrograma + QStringLiteral("Docs/") + carpeta + QLatin1Char('/') + nombre;
    if (!QFileInfo(ruta).isFile())
        return true;

    // BAK/<book folder>/K000007.doc, else K000007 (2).doc, (3)...: a rename
    // never replaces a file that is there.
    QString destinoCarpeta = almacen.CarpetaPrograma + QStringLiteral("BAK/");
    if (!carpeta.isEmpty())
        destinoCarpeta += carpeta + QLatin1Char('/');
    const bool hayCarpeta = QDir().mkpath(destinoCarpeta) && QFileInfo(destinoCarpeta).isDir();
    const QString base = QFileInfo(nombre).completeBaseName();
    QString destino;
    for (int intento = 1; hayCarpeta && intento <= 1000 && destino.isEmpty(); ++intento) {
        const QString candidato =
            destinoCarpeta +
            (intento == 1 ? nombre : QStringLiteral("%1 (%2).doc").arg(base).arg(intento));
        if (!QFileInfo::exists(candidato) && QFile::rename(ruta, candidato))
            destino = candidato;
    }
    if (destino.isEmpty()) {
        ui::Error(this, QStringLiteral("El archivo %1 ya existe y no pertenece a ningún "
                                       "documento, y no se ha podido apartar a %2. No se crea "
                                       "el documento nuevo.")
                            .arg(QDir::toNativeSeparators(ruta),
                                 QDir::toNativeSeparators(destinoCarpeta)));
        return false;
    }
    ui::Informacion(this,
                    QStringLiteral("El archivo %1 ya existía y no pertenecía a ningún "
                                   "documento. Se ha movido a %2, y el documento nuevo "
                                   "empieza desde el modelo.")
                        .arg(QDir::toNativeSeparators(ruta), QDir::toNativeSeparators(destino)));
    return true;
}

// ---------------------------------------------------------------------------
// Connection

bool TMainForm::IniciarEditor() {
    try {
        WordApplication->Connect();
    } catch (const ErrorBrivo&) {
        ui::Error(this, QStringLiteral("Word puede no estar instalado"));
        return false;
    }
    WordFont.Connect(*WordApplication);

    // The word processor's window lies below the main window.
    const int alto = frameGeometry().height();
    const QRect pantalla = GeometriaPantalla(this);
    word::IVentanaWord& ventana = WordApplication->Window();
    ventana.SetWindowState(word::EstadoVentana::Normal);
    ventana.SetTop(alto * 30 / 40);
    ventana.SetLeft(0);
    ventana.SetWidth(pantalla.width() * 200 / 267);
    ventana.SetHeight((pantalla.height() - alto) * 30 / 42);
    ventana.SetVisible(true);
    ventana.SetCaption(QString::fromUtf8(textos::NombrePrograma));
    WordApplication->Activate();

    VersionEditor = LeerVersion(WordApplication->Version());
    return true;
}

void TMainForm::CerrarEditor() {
    WordDocument.reset();
    WordDocumentAux.reset();
    if (WordApplication && WordApplication->Conectado()) {
        try {
            WordApplication->Quit(word::GuardarCambios::NoGuardar);
        } catch (const ErrorBrivo& e) {
            ui::Error(this, e.Mensaje());
        }
        WordApplication->Disconnect();
    }
    WordFont.Disconnect();
}

// ---------------------------------------------------------------------------
// Opening and saving

bool TMainForm::AbrirDocumento(int numero, bool visible) {
    if (!editorAbierto || !WordApplication || !WordApplication->Conectado())
        return false;

    QString ruta;
    QString clave;
    if (numero == ArchivoModeloPreguntas) {
        ruta = almacen.RutaDelPrograma(QStringLiteral("nuevodoc.doc"));
    } else if (numero == ArchivoModeloExamenes) {
        ruta = almacen.RutaDelPrograma(QStringLiteral("nuevoexamen.doc"));
    } else if (numero < 1 || numero > MaxDocumentos) {
        return false;
    } else {
        almacen.LibroConsultado =
            almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(numero)].IdLibro);
        if (almacen.LibroConsultado.Identificador == 0)
            return false;
        clave = QString::number(almacen.LibroConsultado.Identificador);
        ruta = RutaDocumento(numero);
    }
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile())
        return false;

    word::OpcionesApertura opciones = OpcionesConClave(clave);
    // A library open for consultation only shows its documents read-only.
    opciones.ReadOnly = SoloConsulta();
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
            const int alto = frameGeometry().height();
            const QRect pantalla = GeometriaPantalla(this);
            ventana.SetLeft(0);
            ventana.SetTop(alto * 30 / 40);
            ventana.SetWidth(pantalla.width() * 200 / 267);
            ventana.SetHeight((pantalla.height() - alto) * 30 / 42);
            ventana.SetCaption(QStringLiteral("[") + almacen.LibroConsultado.Titulo.Texto() +
                               QStringLiteral("] ") + QFileInfo(ruta).fileName());
        }
    } else {
        ventana.SetWindowState(visible ? word::EstadoVentana::Maximizada
                                       : word::EstadoVentana::Minimizada);
    }
    return true;
}

bool TMainForm::NodoPideModeloExamen() const {
    const TNodo* nodo = NodoSeleccionado();
    if (!nodo || nodo->Nivel() != 1 || !nodo->Padre || nodo->Padre->Id() != 1)
        return false;
    return nodo->Id() == 2 || nodo->Id() == 3;
}

bool TMainForm::AbrirModeloDelNodo(bool visible) {
    // The model is opened to become a new document file, which a library
    // open for consultation only never gets.
    if (SoloConsulta())
        return false;
    const bool examen = NodoPideModeloExamen();
    if (AbrirDocumento(examen ? almacen.ModeloExamenes : almacen.ModeloPreguntas, visible))
        return true;
    // The caption of a model file opened for the current document names
    // that document's book.
    if (almacen.DocActual >= 1 && almacen.DocActual <= MaxDocumentos)
        almacen.LibroConsultado =
            almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(almacen.DocActual)].IdLibro);
    return AbrirDocumento(examen ? ArchivoModeloExamenes : ArchivoModeloPreguntas, visible);
}

void TMainForm::GuardarDocumentoComo(const QString& ruta) {
    if (!editorAbierto || DocumentosAbiertos() == 0 || SoloConsulta())
        return;
    const std::shared_ptr<word::IDocumentoWord> activo = WordApplication->ActiveDocument();
    if (!activo)
        return;

    QString clave;
    if (almacen.DocActual >= 1 && almacen.DocActual <= MaxDocumentos) {
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
        if (almacen.DocActual >= 1 && almacen.DocActual <= MaxDocumentos)
            libro = almacen.LibroConsultado.Titulo.Texto();
        ventana.SetCaption(QStringLiteral("[") + libro + QStringLiteral("] ") +
                           QFileInfo(ruta).fileName());
    }
}

// ---------------------------------------------------------------------------
// Closing and following the current document

void TMainForm::CerrarDocumento() {
    if (!editorAbierto || DocumentosAbiertos() == 0)
        return;
    const int k = almacen.DocActual;
    if (k < 1 || k > MaxDocumentos)
        return;
    // Only the document that the editor shows for DocActual is closed: after
    // a new record became current, the editor may still show the previous
    // document, which must not take the new record's properties.
    if (!WordDocument || !WordDocument->Abierto())
        return;
    const QString ruta = RutaDocumento(k);
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

    const bool descartar = SoloConsulta() || !libro.PermitirCambiosEnDoc || WordDocument->Saved();
    const std::shared_ptr<word::IDocumentoWord> documento = WordDocument;
    documento->Close(descartar ? word::GuardarCambios::NoGuardar : word::GuardarCambios::Guardar);
}

void TMainForm::CambiarDocumento(int anterior) {
    if (!editorAbierto || anterior == almacen.DocActual)
        return;

    if (DocumentosAbiertos() >= 1) {
        // The previous document is closed when it is the active document,
        // or still the editor's document although the user brought another
        // window to the front (it would otherwise stay open, unsaved).
        const QString rutaAnterior = RutaNormal(RutaDocumento(anterior));
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
    const QString ruta = RutaDocumento(almacen.DocActual);
    if (ruta.isEmpty())
        return;
    if (QFileInfo(ruta).isFile()) {
        AbrirDocumento(almacen.DocActual, true);
    } else if (AbrirModeloDelNodo(true)) {
        GuardarDocumentoComo(ruta);
    }
}

} // namespace brivo
