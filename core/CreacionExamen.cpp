#include "CreacionExamen.h"

#include <QDir>
#include <QFileInfo>

#include "Almacen.h"
#include "AperturaDocumento.h"
#include "BancoDocumentos.h"
#include "CursorOcupado.h"
#include "DialogoUsuario.h"
#include "Errores.h"
#include "MontajeExamen.h"
#include "Texto.h"
#include "VistaDocumentos.h"

namespace brivo {

namespace {

bool MismaRuta(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

const QString SinModelo =
    QStringLiteral("No se puede abrir el modelo de examen: no se puede crear el examen.");

} // namespace

bool ModeloExamenDisponible(const TAlmacen& almacen) {
    const int modelo = almacen.ModeloExamenes;
    if (modelo >= 1 && modelo <= MaxDocumentos) {
        const QString ruta = RutaDocumento(almacen, modelo);
        if (!ruta.isEmpty() && QFileInfo(ruta).isFile())
            return true;
    }
    return QFileInfo(almacen.RutaDelPrograma(QStringLiteral("nuevoexamen.doc"))).isFile();
}

TNodo* NodoExamenes(const TAlmacen& almacen) {
    TNodo* examenes = nullptr;
    almacen.Arbol.Recorrer([&](TNodo* nodo) {
        if (!examenes && nodo->Nivel() == 1 && nodo->Id() == 3 && nodo->Padre &&
            nodo->Padre->Id() == 1)
            examenes = nodo;
    });
    return examenes;
}

TCreacionExamen::TCreacionExamen(TBancoDocumentos& b) : banco(b), almacen(b.Almacen()) {}

bool TCreacionExamen::Comprobar() {
    QWidget* padre = banco.Vista().Ventana();
    // The command needs a free record and a model for the exam's file; both
    // are checked before anything is closed, created or written.
    if (almacen.DocumentoLibre() == 0) {
        ui::Informacion(padre, QStringLiteral("La tabla de documentos está llena: no se puede "
                                              "crear el examen. Borre algún documento para "
                                              "poder crear otro."));
        return false;
    }
    if (!ModeloExamenDisponible(almacen)) {
        ui::Informacion(padre, SinModelo);
        return false;
    }
    // A file left in the new exam's place by no record is moved aside, so
    // that the exam starts from the model.
    return banco.ApartarArchivoDePlaza(almacen.DocumentoLibre());
}

bool TCreacionExamen::PrepararEditor() {
    if (banco.EditorAbierto() && almacen.DocActual != 0) {
        banco.CerrarDocumento();
        almacen.DocActual = 0;
    }
    // An editor left marked open by a failed connection is connected again.
    if (!banco.EditorAbierto() || !banco.WordApplication || !banco.WordApplication->Conectado()) {
        banco.PonerEditorAbierto(true);
        if (!banco.IniciarEditor())
            return false;
    }
    return true;
}

bool TCreacionExamen::CrearRegistro() {
    IVistaDocumentos& vista = banco.Vista();
    if (TNodo* examenes = NodoExamenes(almacen)) {
        // The tree lists the node's documents but makes none of them current.
        banco.CreandoExamen = true;
        vista.SeleccionarNodo(examenes);
        banco.CreandoExamen = false;
    }
    if (banco.CrearDocumento(1, 3, 0) == 0)
        return false;
    vista.ListarDocumentos(vista.NodoSeleccionado());
    banco.CambiarDocumento(almacen.DocAnterior);
    // From here on WordDocument is the exam, saved as a copy of the model.
    ruta = RutaDocumento(almacen, almacen.DocActual);
    const auto& documento = banco.WordDocument;
    if (!documento || !documento->Abierto() || !MismaRuta(documento->FullName(), ruta)) {
        ui::Informacion(vista.Ventana(), SinModelo);
        return false;
    }
    examen = documento;
    if (banco.VersionEditor <= 8.0)
        examen->Window().SetWindowState(word::EstadoVentana::Maximizada);
    return true;
}

void TCreacionExamen::AnadirLista() {
    const int propio = almacen.DocActual;
    omitidas = 0;
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
        if (!banco.AbrirDocumentoOculto(k))
            continue; // not counted, takes no number
        TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        d.FechaUso = Hoy();
        d.Usos = d.Usos + 1;
        banco.Vista().RepintarDocumentos();
        try {
            word::IDocumentoWord& leido = *banco.WordDocumentAux;
            n = AnadirSecciones(*examen, leido, BuscarSecciones(leido), almacen.Ajustes, n);
        } catch (...) {
            // The command stops with the word processor's error; the hidden
            // document does not stay open behind the exam.
            banco.CerrarDocumentoOculto();
            throw;
        }
        banco.CerrarDocumentoOculto();
    }
}

void TCreacionExamen::Guardar() {
    // The grid's active row is the exam's own row (the last one, unless the
    // exam took a freed slot below other exams), and the exam stays current.
    if (almacen.NumListados > 0) {
        int fila = almacen.NumListados;
        for (int r = 1; r <= almacen.NumListados; ++r)
            if (almacen.ListaPreg[static_cast<size_t>(r)] == almacen.DocActual)
                fila = r;
        banco.Vista().PonerFilaActiva(fila);
    }
    // The save goes to the active document: the exam is made active first
    // (opening a file that is open only brings its document forward).
    if (!examen->Abierto())
        throw ErrorBrivo(QStringLiteral("No se ha podido guardar el examen: su documento ya no "
                                        "está abierto."));
    if (banco.WordApplication->ActiveDocument() != examen) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(almacen.DocActual)];
        const QString clave = QString::number(almacen.BuscarLibro(d.IdLibro).Identificador);
        banco.WordApplication->DocumentsOpen(examen->FullName(), OpcionesConClave(clave));
    }
    banco.WordDocument = examen;
    banco.GuardarDocumentoComo(ruta);
    if (banco.VersionEditor <= 8.0)
        examen->Window().SetWindowState(word::EstadoVentana::Maximizada);
}

QString MensajeEntradasOmitidas(int omitidas) {
    if (omitidas == 1)
        return QStringLiteral("Se ha omitido 1 entrada de la lista de examen: su documento ya no "
                              "existe o es el propio examen.");
    if (omitidas > 1)
        return QStringLiteral("Se han omitido %1 entradas de la lista de examen: sus documentos "
                              "ya no existen o son el propio examen.")
            .arg(omitidas);
    return {};
}

void TCreacionExamen::Informe() {
    const QString aviso = MensajeEntradasOmitidas(omitidas);
    if (!aviso.isEmpty())
        ui::Informacion(banco.Vista().Ventana(), aviso);
}

void TCreacionExamen::Ejecutar() {
    if (!PermitirCambio(almacen, banco.Vista().Ventana()) || !Comprobar())
        return;
    TCursorOcupado cursor;
    if (!PrepararEditor() || !CrearRegistro())
        return;
    AnadirLista();
    Guardar();
    Informe();
}

} // namespace brivo
