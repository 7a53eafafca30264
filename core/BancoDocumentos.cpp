// The document bank's records and commands; the editor itself is in
// EditorDocumentos.cpp.
#include "BancoDocumentos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Almacen.h"
#include "DialogoUsuario.h"
#include "Texto.h"
#include "TextosComunes.h"
#include "VistaDocumentos.h"

namespace brivo {

bool PermitirCambio(const TAlmacen& almacen, QWidget* padre) {
    if (!almacen.SoloConsulta)
        return true;
    ui::Informacion(padre, QString::fromUtf8(TextoSoloConsulta));
    return false;
}

std::int16_t OrigenDeDocumentoNuevo(const TAlmacen& almacen, std::int32_t idLibro, int numero) {
    auto usado = [&](int origen) {
        for (int k = 1; k <= MaxDocumentos; ++k) {
            const TDocumento& d = almacen.Documentos[k];
            if (k != numero && d.Usado() && d.IdLibro == idLibro && d.Origen() == origen)
                return true;
        }
        return false;
    };
    if (!usado(numero))
        return 0;
    int origen = MaxDocumentos + 1;
    while (usado(origen))
        ++origen; // at most one step per document of the book
    return static_cast<std::int16_t>(origen);
}

TBancoDocumentos::TBancoDocumentos(TAlmacen& a, IVistaDocumentos& v,
                                   std::unique_ptr<word::IAplicacionWord> motor)
    : WordApplication(std::move(motor)), almacen(a), vista(v) {
    WordApplication->Connect();
    WordFont.Connect(*WordApplication);
}

void TBancoDocumentos::PonerEditorAbierto(bool abierto) {
    editorAbierto = abierto;
    vista.EditorCambiado(abierto);
}

int TBancoDocumentos::DocumentosAbiertos() const {
    if (!WordApplication || !WordApplication->Conectado())
        return 0;
    return WordApplication->DocumentsCount();
}

// ---------------------------------------------------------------------------
// New records

int TBancoDocumentos::CrearDocumento(int materia, int tema, int contenido) {
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
    const TLibro* libro = almacen.LibroActivoPtr();
    d.IdLibro = libro ? libro->Identificador : 0;
    d.NumeroOrigen = OrigenDeDocumentoNuevo(almacen, d.IdLibro, k);
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

bool TBancoDocumentos::ApartarArchivoDePlaza(int k) {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (k < 1 || k > MaxDocumentos || !libro || almacen.Documentos[static_cast<size_t>(k)].Usado())
        return true;
    const QString carpeta = libro->Carpeta.Texto();
    const QString nombre = NombreArchivoDocumento(k);
    const QString ruta = RutaDocumentoEnCarpeta(almacen, carpeta, k);
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
        ui::Error(
            vista.Ventana(),
            QStringLiteral("El archivo %1 ya existe y no pertenece a ningún "
                           "documento, y no se ha podido apartar a %2. No se crea "
                           "el documento nuevo.")
                .arg(QDir::toNativeSeparators(ruta), QDir::toNativeSeparators(destinoCarpeta)));
        return false;
    }
    ui::Informacion(vista.Ventana(),
                    QStringLiteral("El archivo %1 ya existía y no pertenecía a ningún "
                                   "documento. Se ha movido a %2, y el documento nuevo "
                                   "empieza desde el modelo.")
                        .arg(QDir::toNativeSeparators(ruta), QDir::toNativeSeparators(destino)));
    return true;
}

// ---------------------------------------------------------------------------
// Commands

void TBancoDocumentos::SeguirDocumento(int documento) {
    almacen.DocAnterior = almacen.DocActual;
    almacen.DocActual = documento;
    // With the editor open the editor follows the current document.
    if (almacen.DocActual >= 1 && editorAbierto)
        CambiarDocumento(almacen.DocAnterior);
}

void TBancoDocumentos::AbrirEditor() {
    const QString ruta =
        almacen.DocActual >= 1 ? RutaDocumento(almacen, almacen.DocActual) : QString();
    PonerEditorAbierto(true);
    if (!IniciarEditor())
        return; // the editor counts as open until the command is used again
    if (ruta.isEmpty())
        return; // open with no document
    if (!QFileInfo(ruta).isFile()) {
        if (AbrirModeloDelNodo(true))
            GuardarDocumentoComo(ruta);
    } else {
        AbrirDocumento(almacen.DocActual, true);
    }
}

void TBancoDocumentos::CerrarEditorConDocumento() {
    // The document in the editor is closed by the book's rules first, as
    // when the editor moves to another document, so no edit is lost; then
    // the word processor quits.
    CerrarDocumento();
    PonerEditorAbierto(false);
    CerrarEditor();
    almacen.DocActual = 0;
}

bool TBancoDocumentos::PuedeAnadirDocumentos() {
    if (!PermitirCambio(almacen, vista.Ventana()))
        return false;
    const TLibro* activo = almacen.LibroActivoPtr();
    almacen.LibroConsultado = almacen.BuscarLibro(activo ? activo->Identificador : 0);
    if (almacen.LibroConsultado.Identificador == 0)
        return false;
    if (!almacen.LibroConsultado.PermitirMasDoc) {
        ui::Informacion(vista.Ventana(), QString::fromUtf8(textos::SinPermisoAnadir));
        return false;
    }
    return true;
}

bool TBancoDocumentos::AnadirDocumento(TNodo* nodo) {
    if (!PuedeAnadirDocumentos())
        return false;
    if (!nodo)
        return false;
    const TLugar lugar = almacen.Arbol.LugarDeNodo(nodo);
    // A file left in the new slot's place by no record is moved aside, so
    // that the new document starts from the model.
    if (!ApartarArchivoDePlaza(almacen.DocumentoLibre()))
        return false;
    if (CrearDocumento(lugar.Materia, lugar.Tema, lugar.Contenido) == 0)
        return false; // no free slot: adding does nothing
    vista.ListarDocumentos(nodo);
    CambiarDocumento(almacen.DocAnterior);
    return true;
}

bool TBancoDocumentos::BorrarDocumentoActual() {
    if (!PermitirCambio(almacen, vista.Ventana()))
        return false;
    const int k = almacen.DocActual;
    if (k < 1 || k > MaxDocumentos)
        return false;
    CerrarDocumento();
    const QString ruta = RutaDocumento(almacen, k);
    if (!ruta.isEmpty())
        QFile::remove(ruta); // a failure is ignored

    almacen.Documentos[static_cast<size_t>(k)].Vaciar();
    almacen.DocActual = 0;
    // The exam list forgets the deleted document: its entries would name a
    // free slot, and later the document that takes it.
    if (almacen.QuitarDeListaExamen(k) > 0)
        vista.ListaExamenCambiada();
    return true;
}

} // namespace brivo
