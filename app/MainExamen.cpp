// Exam list and exam assembly commands of the main window.
#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

#include "AperturaDocumento.h"
#include "Errores.h"
#include "Interaccion.h"
#include "Main.h"
#include "ModeloGridExamen.h"
#include "ModeloGridPreg.h"
#include "MontajeExamen.h"
#include "PropExam.h"
#include "Texto.h"
#include "VistaGridExamen.h"

namespace brivo {

namespace {

int AnchoPantalla(const QWidget* ventana) {
    QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->geometry().width() : 0;
}

bool MismaRuta(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// Hourglass cursor while the exam is assembled.
class TEsperaExamen {
public:
    TEsperaExamen() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TEsperaExamen() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void TMainForm::PrepararGridExamen() {
    auto* vista = static_cast<TVistaGridExamen*>(GridExamen);
    connect(vista, &TVistaGridExamen::FilasIntercambiadas, this, &TMainForm::GridExamenRowsChanged);
    connect(GridExamen->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, vista](const QModelIndex& actual, const QModelIndex&) {
                if (!vista->CambioSilencioso() && actual.isValid())
                    GridExamenActiveCellChanged(actual.row() + 1, actual.column());
            });
    // A description edited in the exam grid shows at once in the document grid.
    connect(ModeloGridExamen, &TModeloGridExamen::DescripcionEditada, this,
            [this](int) { ModeloGridPreg->Repintar(); });
    // A new row count resets the view, which then has no current cell: the
    // first row becomes the active row again, as when the grid was made, so
    // that the commands on the active row see it.
    connect(ModeloGridExamen, &QAbstractItemModel::modelReset, this,
            [this] { PonerFilaActivaInicialExamen(); });
    PonerFilaActivaInicialExamen();
}

void TMainForm::PonerFilaActivaInicialExamen() {
    if (ModeloGridExamen->rowCount() > 0 && !GridExamen->currentIndex().isValid())
        static_cast<TVistaGridExamen*>(GridExamen)->PonerCeldaActiva(1, 1);
}

void TMainForm::RefrescarListaExamen() {
    ModeloGridExamen->PonerNumFilas(1 + almacen.EntradasExamen());
    ModeloGridExamen->Repintar();
}

void TMainForm::BVerExamenClick() {
    const int pantalla = AnchoPantalla(this);
    if (pantalla - 20 < AnchoPanel1()) {
        // The pane is hidden: Panel1 leaves it 300 pixels.
        PonerAnchoPanel1(pantalla - 300);
        Verlistadedocumentosparaexamen1->setText(
            QStringLiteral("Ocultar lista de documentos para examen"));
        SBVerExamen->setToolTip(QStringLiteral("Ocultar lista de documentos para crear examen"));
    } else {
        PonerAnchoPanel1(pantalla - 10);
        Verlistadedocumentosparaexamen1->setText(
            QStringLiteral("Ver lista de documentos para examen"));
        SBVerExamen->setToolTip(QStringLiteral("Ver Lista de documentos para crear examen"));
    }
    Verlistadedocumentosparaexamen1->setToolTip(Verlistadedocumentosparaexamen1->text());
    SBVerExamen->setAccessibleName(SBVerExamen->toolTip());
}

void TMainForm::SBPregsAExamenClick() {
    // Moving to the description column ends a pending edit of a mark.
    TerminarEdicionGridPreg();
    if (ModeloGridPreg->rowCount() > 0) {
        const QModelIndex actual = GridPreg->currentIndex();
        if (!actual.isValid() || actual.column() != TModeloGridPreg::ColDescripcion)
            GridPreg->setCurrentIndex(ModeloGridPreg->index(actual.isValid() ? actual.row() : 0,
                                                            TModeloGridPreg::ColDescripcion));
    }

    int n = 1 + almacen.EntradasExamen();
    int sinSitio = 0;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Numero <= 0 || !d.Marcado)
            continue;
        if (n > MaxExamen) {
            // The list is full: the document stays marked.
            ++sinSitio;
            continue;
        }
        d.Marcado = false;
        almacen.ListaExamen[static_cast<size_t>(n)] = d.Numero;
        ++n;
    }
    ModeloGridPreg->Repintar();
    ModeloGridExamen->PonerNumFilas(1 + almacen.EntradasExamen());
    ModeloGridExamen->Repintar();

    if (sinSitio > 0) {
        const QString texto =
            SegunCantidad(sinSitio,
                          QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                         "%2 documento marcado no se ha añadido y sigue marcado."),
                          QStringLiteral("La lista de examen admite %1 documentos como máximo. "
                                         "%2 documentos marcados no se han añadido y siguen "
                                         "marcados."))
                .arg(MaxExamen)
                .arg(sinSitio);
        ui::Informacion(this, texto);
    }
}

void TMainForm::SBBorraPregExamClick() {
    const QModelIndex actual = GridExamen->currentIndex();
    if (!actual.isValid())
        return;
    const int r = actual.row() + 1;
    // Only a row that holds a document is removed; the heading row stays.
    if (r < 1 || r > MaxExamen || almacen.ListaExamen[static_cast<size_t>(r)] <= 0)
        return;
    for (int j = r; j < MaxExamen; ++j)
        almacen.ListaExamen[static_cast<size_t>(j)] =
            almacen.ListaExamen[static_cast<size_t>(j + 1)];
    almacen.ListaExamen[MaxExamen] = 0;
    const int columna = actual.column();
    ModeloGridExamen->PonerNumFilas(ModeloGridExamen->NumFilas() - 1);
    ModeloGridExamen->Repintar();
    // The active row stays where it was, or on the new last row.
    const int filas = ModeloGridExamen->rowCount();
    if (filas > 0)
        static_cast<TVistaGridExamen*>(GridExamen)->PonerCeldaActiva(std::min(r, filas), columna);
}

void TMainForm::GridExamenRowsChanged(int filaA, int filaB) {
    if (filaA < 1 || filaA > MaxExamen || filaB < 1 || filaB > MaxExamen)
        return;
    std::swap(almacen.ListaExamen[static_cast<size_t>(filaA)],
              almacen.ListaExamen[static_cast<size_t>(filaB)]);
    ModeloGridExamen->Repintar();
}

void TMainForm::GridExamenActiveCellChanged(int fila, int columna) {
    (void)columna; // every column counts
    almacen.DocAnterior = almacen.DocActual;
    almacen.DocActual =
        fila >= 1 && fila <= MaxExamen ? almacen.ListaExamen[static_cast<size_t>(fila)] : -1;
    if (almacen.DocActual >= 1 && editorAbierto)
        CambiarDocumento(almacen.DocAnterior);
}

bool TMainForm::AbrirDocumentoOculto(int k) {
    if (!editorAbierto || !WordApplication || !WordApplication->Conectado())
        return false;
    if (k < 1 || k > MaxDocumentos || almacen.DocActual < 1 || almacen.DocActual > MaxDocumentos)
        return false;
    // The password is that of the current document's book (the new exam's).
    almacen.LibroConsultado =
        almacen.BuscarLibro(almacen.Documentos[static_cast<size_t>(almacen.DocActual)].IdLibro);
    if (almacen.LibroConsultado.Identificador == 0)
        return false;
    const QString clave = QString::number(almacen.LibroConsultado.Identificador);
    const word::OpcionesApertura opciones = OpcionesConClave(clave);
    // No test that the file exists: a missing file is the word processor's error.
    WordApplication->DocumentsOpen(RutaDocumento(k), opciones);
    WordDocumentAux = WordApplication->ActiveDocument();
    if (!WordDocumentAux)
        return false;
    if (VersionEditor > 8.0 && WordDocument && WordDocument->Abierto())
        WordDocument->Window().SetWindowState(word::EstadoVentana::Normal);
    WordDocumentAux->Window().SetWindowState(word::EstadoVentana::Minimizada);
    return true;
}

void TMainForm::CerrarDocumentoOculto() {
    if (!editorAbierto || DocumentosAbiertos() < 1 || !WordDocumentAux)
        return;
    if (WordDocumentAux->Abierto())
        WordDocumentAux->Close(word::GuardarCambios::NoGuardar);
    WordDocumentAux.reset();
}

bool TMainForm::ModeloExamenDisponible() {
    const int modelo = almacen.ModeloExamenes;
    if (modelo >= 1 && modelo <= MaxDocumentos) {
        const QString ruta = RutaDocumento(modelo);
        if (!ruta.isEmpty() && QFileInfo(ruta).isFile())
            return true;
    }
    return QFileInfo(almacen.RutaDelPrograma(QStringLiteral("nuevoexamen.doc"))).isFile();
}

int TMainForm::AnadirListaAlExamen(word::IDocumentoWord& examen) {
    const int propio = almacen.DocActual;
    int omitidas = 0;
    int n = 1;
    for (int i = 1; i <= MaxExamen; ++i) {
        const int k = almacen.ListaExamen[static_cast<size_t>(i)];
        if (k <= 0)
            continue;
        // An entry whose slot is free (its document was deleted) or that
        // names the exam itself is left out: opening the exam's own file
        // would close the exam, and a free slot has no file.
        if (k > MaxDocumentos || k == propio ||
            almacen.Documentos[static_cast<size_t>(k)].Numero != k) {
            ++omitidas;
            continue;
        }
        if (!AbrirDocumentoOculto(k))
            continue; // not counted, takes no number
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        d.FechaUso = Hoy();
        d.Usos = d.Usos + 1;
        ModeloGridPreg->Repintar();
        try {
            const TSecciones secciones = BuscarSecciones(*WordDocumentAux);
            n = AnadirSecciones(examen, *WordDocumentAux, secciones, almacen.Ajustes, n);
        } catch (...) {
            // The command stops with the word processor's error; the hidden
            // document does not stay open behind the exam.
            CerrarDocumentoOculto();
            throw;
        }
        CerrarDocumentoOculto();
    }
    return omitidas;
}

void TMainForm::BCrearExamenClick() {
    {
        TFormPropExamen dialogo(almacen.Ajustes, this);
        if (ui::Ejecutar(dialogo) != QDialog::Accepted)
            return;
    }
    // The command needs a free record and a model for the exam's file; both
    // are checked before anything is closed, created or written.
    if (almacen.DocumentoLibre() == 0) {
        ui::Informacion(this, QStringLiteral("La tabla de documentos está llena: no se puede "
                                             "crear el examen. Borre algún documento para "
                                             "poder crear otro."));
        return;
    }
    if (!ModeloExamenDisponible()) {
        ui::Informacion(this, QStringLiteral("No se puede abrir el modelo de examen: no se "
                                             "puede crear el examen."));
        return;
    }
    // A file left in the new exam's place by no record is moved aside, so
    // that the exam starts from the model.
    if (!ApartarArchivoDePlaza(almacen.DocumentoLibre()))
        return;
    TEsperaExamen espera;

    if (editorAbierto && almacen.DocActual != 0) {
        CerrarDocumento();
        almacen.DocActual = 0;
    }
    // An editor left marked open by a failed connection is connected again.
    if (!editorAbierto || !WordApplication || !WordApplication->Conectado()) {
        PonerEditorAbierto(true);
        if (!IniciarEditor())
            return;
    }

    // "Exámenes": the first level-1 node with identifier 3 under node 1.
    TNodo* examenes = nullptr;
    almacen.Arbol.Recorrer([&](TNodo* nodo) {
        if (!examenes && nodo->Nivel() == 1 && nodo->Id() == 3 && nodo->Padre &&
            nodo->Padre->Id() == 1)
            examenes = nodo;
    });
    if (examenes) {
        CreandoExamen = true;
        SeleccionarNodo(examenes);
        CreandoExamen = false;
    }

    if (CrearDocumento(1, 3, 0) == 0)
        return;
    ListarDocumentos(NodoSeleccionado());
    CambiarDocumento(almacen.DocAnterior);
    // From here on WordDocument is the exam, saved as a copy of the model.
    const QString rutaExamen = RutaDocumento(almacen.DocActual);
    if (!WordDocument || !WordDocument->Abierto() ||
        !MismaRuta(WordDocument->FullName(), rutaExamen)) {
        ui::Informacion(this, QStringLiteral("No se puede abrir el modelo de examen: no se "
                                             "puede crear el examen."));
        return;
    }
    const std::shared_ptr<word::IDocumentoWord> examen = WordDocument;
    if (VersionEditor <= 8.0)
        examen->Window().SetWindowState(word::EstadoVentana::Maximizada);

    const int omitidas = AnadirListaAlExamen(*examen);

    // The grid's active row is the exam's own row (the last one, unless the
    // exam took a freed slot below other exams), and the exam stays current.
    if (almacen.NumListados > 0) {
        int fila = almacen.NumListados;
        for (int r = 1; r <= almacen.NumListados; ++r)
            if (almacen.ListaPreg[static_cast<size_t>(r)] == almacen.DocActual)
                fila = r;
        ignorarCambioCelda = true;
        GridPreg->setCurrentIndex(ModeloGridPreg->index(fila - 1, TModeloGridPreg::ColDescripcion));
        ignorarCambioCelda = false;
    }
    GuardarExamen(examen, rutaExamen);
    if (VersionEditor <= 8.0)
        examen->Window().SetWindowState(word::EstadoVentana::Maximizada);

    if (omitidas == 1)
        ui::Informacion(this, QStringLiteral("Se ha omitido 1 entrada de la lista de examen: su "
                                             "documento ya no existe o es el propio examen."));
    else if (omitidas > 1)
        ui::Informacion(this, QStringLiteral("Se han omitido %1 entradas de la lista de examen: "
                                             "sus documentos ya no existen o son el propio "
                                             "examen.")
                                  .arg(omitidas));
}

void TMainForm::GuardarExamen(const std::shared_ptr<word::IDocumentoWord>& examen,
                              const QString& ruta) {
    // The save goes to the active document: the exam is made active first
    // (opening a file that is open only brings its document forward).
    if (!examen->Abierto())
        throw ErrorBrivo(QStringLiteral("No se ha podido guardar el examen: su documento ya no "
                                        "está abierto."));
    if (WordApplication->ActiveDocument() != examen) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(almacen.DocActual)];
        const QString clave = QString::number(almacen.BuscarLibro(d.IdLibro).Identificador);
        WordApplication->DocumentsOpen(examen->FullName(), OpcionesConClave(clave));
    }
    WordDocument = examen;
    GuardarDocumentoComo(ruta);
}

} // namespace brivo
