#include "CreacionVersiones.h"

#include <algorithm>

#include "Almacen.h"
#include "BancoDocumentos.h"
#include "CreacionExamen.h"
#include "CursorOcupado.h"
#include "DialogoUsuario.h"
#include "HojaRespuestas.h"
#include "Seleccion.h"
#include "Texto.h"
#include "VistaDocumentos.h"

namespace brivo {

namespace {

QString MensajeOrdenesRepetidos(int distintos, int versiones) {
    const QString ordenes =
        distintos == 1 ? QStringLiteral("solo admiten un orden")
                       : QStringLiteral("solo admiten %1 órdenes distintos").arg(distintos);
    return QStringLiteral("Las preguntas de la lista de examen %1 para %2 versiones: alguna "
                          "versión tendrá las preguntas en el mismo orden que otra. ¿Desea "
                          "crear el examen de todos modos?")
        .arg(ordenes)
        .arg(versiones);
}

// Appends one line of an answer sheet, and the question's answer section
// after it when the line asks for it.
void AnadirLineaHoja(word::IDocumentoWord& hoja, const TLineaHoja& linea,
                     word::IDocumentoWord* pregunta, const TSecciones& secciones) {
    auto rango = hoja.Content();
    rango->Collapse(word::Direccion::Final);
    rango->InsertAfter(linea.Texto + QStringLiteral("\r"));
    if (linea.Contenido != ContenidoLineaHoja::Seccion || !pregunta)
        return;
    auto fuente = pregunta->Content();
    fuente->SetRange(secciones.Inicio[SecRespuesta], secciones.Fin[SecRespuesta]);
    fuente->Copy();
    rango->Collapse(word::Direccion::Final);
    rango->Paste();
}

} // namespace

void CrearExamen(TBancoDocumentos& banco, const TOpcionesCreacion& opciones) {
    if (opciones.Sencilla())
        TCreacionExamen(banco).Ejecutar();
    else
        TCreacionVersiones(banco, opciones).Ejecutar();
}

void EscribirBajoPrimerParrafo(word::IDocumentoWord& documento, const QString& linea) {
    // A break put before the first paragraph mark starts the new paragraph
    // there; the mark then ends the line written.
    auto marca = documento.Content();
    if (!BuscarTexto(*marca, QStringLiteral("^p")))
        return; // no paragraph at all: nothing to write under
    auto rango = documento.Content();
    rango->SetRange(marca->Start(), marca->Start());
    rango->InsertAfter(QStringLiteral("\r") + linea);
}

TCreacionVersiones::TCreacionVersiones(TBancoDocumentos& b, const TOpcionesCreacion& o)
    : banco(b), almacen(b.Almacen()), opciones(o),
      versiones(std::clamp(o.Versiones, 1, MaxVersiones)) {}

TCreacionVersiones::~TCreacionVersiones() {
    try {
        CerrarLeidos();
    } catch (...) {
        // The command's own failure is the one the user sees.
    }
}

bool TCreacionVersiones::Comprobar() {
    QWidget* padre = banco.Vista().Ventana();
    // Every record the creation makes must fit before any is made.
    const QString huecos = ComprobarHuecos(almacen, versiones, opciones.HojaRespuestas);
    if (!huecos.isEmpty()) {
        ui::Informacion(padre, huecos);
        return false;
    }
    if (!ModeloExamenDisponible(almacen)) {
        ui::Informacion(padre, QStringLiteral("No se puede abrir el modelo de examen: no se "
                                              "puede crear el examen."));
        return false;
    }

    // Entries whose document no longer exists are left out of every version;
    // the records about to be made take only slots that are free now, so no
    // entry can name one of them.
    std::vector<int> lista;
    omitidas = 0;
    for (int k : DocumentosDeListaExamen(almacen)) {
        if (k > MaxDocumentos || almacen.Documentos[static_cast<size_t>(k)].Numero != k)
            ++omitidas;
        else
            lista.push_back(k);
    }
    plan = PlanearVersiones(lista, versiones, opciones.Semilla);
    if (plan.Repetidas() &&
        !ui::Confirmar(padre, MensajeOrdenesRepetidos(plan.OrdenesDistintos, versiones)))
        return false;

    // Files left in the places of the new records by no record are moved
    // aside, so that every record starts from the model.
    int porApartar = RegistrosNecesarios(versiones, opciones.HojaRespuestas);
    for (int k = 1; k <= MaxDocumentos && porApartar > 0; ++k) {
        if (almacen.Documentos[static_cast<size_t>(k)].Numero != 0)
            continue;
        if (!banco.ApartarArchivoDePlaza(k))
            return false;
        --porApartar;
    }
    numero = NumeroNuevoExamen(almacen);
    return true;
}

bool TCreacionVersiones::PrepararEditor() {
    return TCreacionExamen(banco).PrepararEditor();
}

int TCreacionVersiones::NuevoRegistro(TCreacionExamen& paso, const QString& descripcion,
                                      const QString& linea) {
    if (!paso.CrearRegistro())
        return 0;
    const int k = almacen.DocActual;
    almacen.Documentos[static_cast<size_t>(k)].Descripcion = descripcion;
    banco.Vista().RepintarDocumentos();
    if (!linea.isEmpty())
        EscribirBajoPrimerParrafo(*paso.Examen(), linea);
    return k;
}

const TCreacionVersiones::TLeido* TCreacionVersiones::Leer(int k) {
    auto it = leidos.find(k);
    if (it == leidos.end()) {
        it = leidos.emplace(k, std::nullopt).first;
        if (banco.AbrirDocumentoOculto(k)) {
            it->second = TLeido{banco.WordDocumentAux, {}};
            it->second->Secciones = BuscarSecciones(*it->second->Documento);
        }
    }
    return it->second ? &*it->second : nullptr;
}

void TCreacionVersiones::CerrarLeidos() {
    for (auto& [k, leido] : leidos) {
        if (!leido || !leido->Documento)
            continue;
        banco.WordDocumentAux = leido->Documento;
        leido->Documento.reset();
        banco.CerrarDocumentoOculto();
    }
    leidos.clear();
}

bool TCreacionVersiones::CrearVersion(int v) {
    TCreacionExamen paso(banco);
    const int k = NuevoRegistro(paso, DescripcionExamen(numero, v, versiones),
                                versiones > 1 ? TextoVersion(v) : QString());
    if (k == 0)
        return false;
    examenes.push_back(k);
    word::IDocumentoWord& examen = *paso.Examen();
    int n = 1;
    for (int d : plan.Ordenes[static_cast<size_t>(v)]) {
        const TLeido* leido = Leer(d);
        if (!leido)
            continue; // takes no number
        if (v == 0) {
            // Counted once per creation: by the first version that reads it.
            RegistrarUsos(almacen, {d}, Hoy());
            banco.Vista().RepintarDocumentos();
        }
        n = AnadirSecciones(examen, *leido->Documento, leido->Secciones, almacen.Ajustes, n);
    }
    paso.Guardar();
    return true;
}

bool TCreacionVersiones::CrearHoja(int v) {
    TCreacionExamen paso(banco);
    const int k =
        NuevoRegistro(paso, DescripcionHojaRespuestas(numero, v, versiones),
                      QStringLiteral("Respuestas - ") + DescripcionExamen(numero, v, versiones));
    if (k == 0)
        return false;
    hojas.push_back(k);
    word::IDocumentoWord& hoja = *paso.Examen();
    auto final = hoja.Content();
    final->Collapse(word::Direccion::Final);
    final->InsertAfter(QStringLiteral("\r"));
    const auto secciones = [this](int d) -> std::optional<TSecciones> {
        const TLeido* leido = Leer(d);
        return leido ? std::optional<TSecciones>(leido->Secciones) : std::nullopt;
    };
    for (const TLineaHoja& linea :
         ContenidoHojaRespuestas(almacen, plan.Ordenes[static_cast<size_t>(v)], secciones)) {
        const TLeido* leido = Leer(linea.Documento);
        AnadirLineaHoja(hoja, linea, leido ? leido->Documento.get() : nullptr,
                        leido ? leido->Secciones : TSecciones{});
    }
    paso.Guardar();
    return true;
}

void TCreacionVersiones::Terminar() {
    CerrarLeidos();
    if (examenes.empty())
        return;
    // Version A ends in the editor, as an exam of one version does; the
    // other records were saved and closed as the next one was made.
    const int primera = examenes.front();
    if (almacen.DocActual != primera)
        banco.SeguirDocumento(primera);
    for (int r = 1; r <= almacen.NumListados; ++r)
        if (almacen.ListaPreg[static_cast<size_t>(r)] == primera)
            banco.Vista().PonerFilaActiva(r);
    banco.Vista().RepintarDocumentos();
    if (banco.VersionEditor <= 8.0 && banco.WordDocument && banco.WordDocument->Abierto())
        banco.WordDocument->Window().SetWindowState(word::EstadoVentana::Maximizada);
}

void TCreacionVersiones::Informe() {
    const QString aviso = MensajeEntradasOmitidas(omitidas);
    if (!aviso.isEmpty())
        ui::Informacion(banco.Vista().Ventana(), aviso);
}

void TCreacionVersiones::Ejecutar() {
    if (!PermitirCambio(almacen, banco.Vista().Ventana()) || !Comprobar())
        return;
    TCursorOcupado cursor;
    if (!PrepararEditor())
        return;
    try {
        bool hecho = true;
        for (int v = 0; hecho && v < versiones; ++v)
            hecho = CrearVersion(v);
        for (int v = 0; hecho && opciones.HojaRespuestas && v < versiones; ++v)
            hecho = CrearHoja(v);
        if (!hecho) {
            CerrarLeidos();
            return;
        }
    } catch (...) {
        // The command stops with the word processor's error; the questions
        // read hidden do not stay open behind the exam.
        CerrarLeidos();
        throw;
    }
    Terminar();
    Informe();
}

} // namespace brivo
