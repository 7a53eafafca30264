#include "MotorTexto.h"

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "EditorVentana.h"
#include "Errores.h"
#include "ExportacionDocumento.h"
#include "ImportacionOficina.h"
#include "Portapapeles.h"

namespace brivo::word {

namespace {

bool EsPropiedadConocida(int numero) {
    switch (numero) {
    case PropTitulo:
    case PropAsunto:
    case PropAutor:
    case PropComentarios:
    case PropCategoria:
    case PropCompania:
        return true;
    default:
        return false;
    }
}

// One element of a search text: a literal character or a special code.
struct ElementoBusqueda {
    enum Tipo { Literal, Parrafo, Letra, Digito, Cualquiera } tipo = Literal;
    char16_t caracter = 0; // case-folded, for literals
};

std::vector<ElementoBusqueda> AnalizarBusqueda(const QString& texto) {
    std::vector<ElementoBusqueda> elementos;
    elementos.reserve(size_t(texto.size()));
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c == QLatin1Char('^') && i + 1 < texto.size()) {
            const QChar codigo = texto.at(++i);
            switch (codigo.unicode()) {
            case 'p':
            case 'P':
                elementos.push_back({ElementoBusqueda::Parrafo, 0});
                break;
            case '$':
                elementos.push_back({ElementoBusqueda::Letra, 0});
                break;
            case '#':
                elementos.push_back({ElementoBusqueda::Digito, 0});
                break;
            case '?':
                elementos.push_back({ElementoBusqueda::Cualquiera, 0});
                break;
            case 't':
            case 'T':
                elementos.push_back({ElementoBusqueda::Literal, u'\t'});
                break;
            case '^':
                elementos.push_back({ElementoBusqueda::Literal, u'^'});
                break;
            default:
                throw ErrorBrivo(
                    QStringLiteral("\"^%1\" no es un carácter especial válido para buscar.")
                        .arg(codigo));
            }
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            elementos.push_back({ElementoBusqueda::Parrafo, 0});
        } else {
            elementos.push_back({ElementoBusqueda::Literal, c.toCaseFolded().unicode()});
        }
    }
    return elementos;
}

bool Coincide(const QString& texto, int posicion, const std::vector<ElementoBusqueda>& patron) {
    for (size_t j = 0; j < patron.size(); ++j) {
        const QChar c = texto.at(posicion + qsizetype(j));
        switch (patron[j].tipo) {
        case ElementoBusqueda::Parrafo:
            // The start and the end of a table also end the paragraph before them.
            if (c != QChar::ParagraphSeparator && c.unicode() != 0xFDD0 && c.unicode() != 0xFDD1)
                return false;
            break;
        case ElementoBusqueda::Letra:
            if (!c.isLetter())
                return false;
            break;
        case ElementoBusqueda::Digito:
            if (!c.isDigit())
                return false;
            break;
        case ElementoBusqueda::Cualquiera:
            break;
        case ElementoBusqueda::Literal:
            if (c.toCaseFolded().unicode() != patron[j].caracter)
                return false;
            break;
        }
    }
    return true;
}

// Inserts text at the cursor; "\r", "\n" and "\r\n" are paragraph breaks.
void InsertarConParrafos(QTextCursor& cursor, const QString& texto) {
    qsizetype desde = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (i > desde)
            cursor.insertText(texto.mid(desde, i - desde));
        cursor.insertBlock();
        if (c == QLatin1Char('\r') && i + 1 < texto.size() && texto.at(i + 1) == QLatin1Char('\n'))
            ++i;
        desde = i + 1;
    }
    if (desde < texto.size())
        cursor.insertText(texto.mid(desde));
}

} // namespace

// ---------------------------------------------------------------- VentanaMotor

void VentanaMotor::Avisar() {
    if (cambio)
        cambio();
}

void VentanaMotor::SetWindowState(EstadoVentana valor) {
    estado = valor;
    Avisar();
}

void VentanaMotor::SetLeft(int valor) {
    geometria.moveLeft(valor);
    fijada = true;
    Avisar();
}

void VentanaMotor::SetTop(int valor) {
    geometria.moveTop(valor);
    fijada = true;
    Avisar();
}

void VentanaMotor::SetWidth(int valor) {
    geometria.setWidth(std::max(valor, 1));
    fijada = true;
    Avisar();
}

void VentanaMotor::SetHeight(int valor) {
    geometria.setHeight(std::max(valor, 1));
    fijada = true;
    Avisar();
}

void VentanaMotor::SetCaption(const QString& texto) {
    titulo = texto;
    Avisar();
}

void VentanaMotor::SetVisible(bool valor) {
    visible = valor;
    Avisar();
}

// ---------------------------------------------------------------- RangoMotor

RangoMotor::RangoMotor(std::shared_ptr<DocumentoMotor> doc, int desde, int hasta)
    : documento(std::move(doc)), inicio(desde), fin(hasta) {
    Ajustar();
}

QTextDocument& RangoMotor::Doc() const {
    documento->ComprobarAbierto();
    return documento->Documento();
}

void RangoMotor::Ajustar() {
    const int total = documento->Documento().characterCount();
    inicio = std::clamp(inicio, 0, total);
    fin = std::clamp(fin, inicio, total);
}

void RangoMotor::SetRange(int nuevoInicio, int nuevoFin) {
    Doc();
    inicio = nuevoInicio;
    fin = std::max(nuevoInicio, nuevoFin);
    Ajustar();
}

void RangoMotor::Collapse(Direccion direccion) {
    const int ultimo = Doc().characterCount() - 1;
    Ajustar();
    if (direccion == Direccion::Final)
        inicio = fin = std::min(fin, ultimo);
    else
        fin = inicio = std::min(inicio, ultimo);
}

void RangoMotor::InsertAfter(const QString& texto) {
    QTextDocument& doc = Doc();
    Ajustar();
    const int total = doc.characterCount();
    const bool trasMarcaFinal = fin >= total;
    const int posicion = trasMarcaFinal ? total - 1 : fin;
    QTextCursor cursor(&doc);
    cursor.setPosition(posicion);
    cursor.beginEditBlock();
    InsertarConParrafos(cursor, texto);
    cursor.endEditBlock();
    const int insertados = doc.characterCount() - total;
    inicio = std::min(inicio, posicion);
    fin = trasMarcaFinal ? fin + insertados : posicion + insertados;
}

void RangoMotor::Copy() {
    const QTextDocument& doc = Doc();
    Ajustar();
    CopiarAlPortapapeles(CopiarRango(doc, inicio, fin));
}

void RangoMotor::Paste() {
    QTextDocument& doc = Doc();
    Ajustar();
    Reemplazar(FragmentoDelPortapapeles(doc), false);
}

bool RangoMotor::FindExecute(const QString& buscado, bool adelante) {
    Doc();
    Ajustar();
    const auto patron = AnalizarBusqueda(buscado);
    encontrado = false;
    const int largo = int(patron.size());
    if (largo == 0)
        return false;
    const QString& texto = documento->Texto();
    const int limite = std::min(fin, int(texto.size()));
    if (adelante) {
        for (int i = inicio; i + largo <= limite; ++i) {
            if (Coincide(texto, i, patron)) {
                inicio = i;
                fin = i + largo;
                encontrado = true;
                break;
            }
        }
    } else {
        for (int i = limite - largo; i >= inicio; --i) {
            if (Coincide(texto, i, patron)) {
                inicio = i;
                fin = i + largo;
                encontrado = true;
                break;
            }
        }
    }
    return encontrado;
}

// ---------------------------------------------------------------- DocumentoMotor

namespace {
QString MensajeSoloLectura() {
    return QStringLiteral("El documento está abierto sólo para lectura: no se puede guardar.");
}
} // namespace

DocumentoMotor::DocumentoMotor(AplicacionMotor& app, const QString& rutaArchivo,
                               const QString& contrasena, bool soloParaLeer)
    : aplicacion(app), doc(std::make_unique<TDocumentoTexto>()),
      ruta(QFileInfo(rutaArchivo).absoluteFilePath()),
      ventana([this] { aplicacion.ProgramarVentanas(); }, true), soloLectura(soloParaLeer) {
    // Text without a font of its own (typed into an empty paragraph, or a
    // label inserted after pasted text) takes the documents' body font, as
    // in the model documents, never the interface's font.
    doc->setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    if (soloLectura && oficina::FormatoDeArchivo(ruta) != oficina::FormatoOficina::Ninguno) {
        // Read-only: an office document is read through the converter as it is.
        propiedades = CargarDocumento(ruta, contrasena, *doc, *oficina::ConversorOficina());
        doc->setModified(false);
    } else {
        // An office document becomes a file of the engine's own before it is read.
        ConvertirAlFormatoPropio(ruta, contrasena, *oficina::ConversorOficina());
        const ResultadoLectura lectura = LeerArchivoDocumento(ruta, contrasena, *doc);
        if (lectura.cifrado) // kept for later saves; a plain file has none
            clave = contrasena;
        propiedades = lectura.propiedades;
    }
    if (auto titulo = propiedades.find(PropTitulo); titulo != propiedades.end())
        doc->setMetaInformation(QTextDocument::DocumentTitle, titulo->second);
    ventana.SetCaption(QFileInfo(ruta).fileName());
    // contentsChange is only emitted once a layout exists; contentsChanged always is.
    QObject::connect(doc.get(), &QTextDocument::contentsChanged, doc.get(),
                     [this] { textoAlDia = false; });
}

DocumentoMotor::~DocumentoMotor() {
    if (editor)
        delete editor.data();
}

void DocumentoMotor::ComprobarAbierto() const {
    if (!abierto)
        throw ErrorBrivo(QStringLiteral("El documento ya no está abierto."));
}

const QString& DocumentoMotor::Texto() const {
    if (!textoAlDia) {
        texto = doc->toRawText();
        texto.append(QChar::ParagraphSeparator);
        textoAlDia = true;
    }
    return texto;
}

QString DocumentoMotor::FullName() const {
    ComprobarAbierto();
    return ruta;
}

bool DocumentoMotor::Saved() const {
    ComprobarAbierto();
    return !doc->isModified();
}

void DocumentoMotor::SetPassword(const QString& nueva) {
    ComprobarAbierto();
    clave = nueva;
}

QString DocumentoMotor::BuiltInDocumentProperty(int numero) const {
    ComprobarAbierto();
    if (!EsPropiedadConocida(numero))
        throw ErrorBrivo(QStringLiteral("La propiedad %1 del documento no existe.").arg(numero));
    const auto it = propiedades.find(numero);
    return it == propiedades.end() ? QString() : it->second;
}

void DocumentoMotor::SetBuiltInDocumentProperty(int numero, const QString& valor) {
    if (BuiltInDocumentProperty(numero) == valor)
        return;
    propiedades[numero] = valor;
    if (numero == PropTitulo)
        doc->setMetaInformation(QTextDocument::DocumentTitle, valor);
    doc->setModified(true);
}

void DocumentoMotor::Guardar() {
    ComprobarAbierto();
    if (soloLectura)
        throw ErrorBrivo(MensajeSoloLectura());
    GuardarArchivoDocumento(ruta, clave, *doc, propiedades);
    doc->setModified(false);
}

void DocumentoMotor::SaveAs(const QString& rutaNueva, const QString& claveNueva) {
    ComprobarAbierto();
    const QString absoluta = QFileInfo(rutaNueva).absoluteFilePath();
    if (rutaNueva.isEmpty())
        throw ErrorBrivo(QStringLiteral("No se puede guardar el documento sin nombre de archivo."));
    if (soloLectura && absoluta == ruta)
        throw ErrorBrivo(MensajeSoloLectura());
    GuardarArchivoDocumento(absoluta, claveNueva, *doc, propiedades);
    soloLectura = false;
    const bool tituloPorNombre = ventana.Caption() == QFileInfo(ruta).fileName();
    ruta = absoluta;
    clave = claveNueva;
    doc->setModified(false);
    if (tituloPorNombre)
        ventana.SetCaption(QFileInfo(ruta).fileName());
}

void DocumentoMotor::Close(GuardarCambios guardar) {
    ComprobarAbierto();
    if (guardar == GuardarCambios::Guardar)
        Guardar();
    Cerrar();
}

void DocumentoMotor::CerrarDesdeVentana() {
    if (abierto)
        Cerrar();
}

void DocumentoMotor::Cerrar() {
    const auto sostener = shared_from_this();
    abierto = false;
    if (editor) {
        EditorVentana* ventanaEditor = editor;
        editor = nullptr;
        ventanaEditor->SoltarDocumento();
    }
    aplicacion.DocumentoCerrado(this);
}

void DocumentoMotor::ExportAs(const QString& rutaSalida, FormatoExportacion formato,
                              const QString& claveSalida) {
    ComprobarAbierto();
    if (MismoArchivo(rutaSalida, ruta))
        throw ErrorBrivo(QStringLiteral("No se puede exportar el documento sobre su propio "
                                        "archivo \"%1\".")
                             .arg(ruta));
    ExportarDocumento(*doc, propiedades, rutaSalida, formato, claveSalida,
                      *oficina::ConversorOficina());
}

std::unique_ptr<IRangoWord> DocumentoMotor::Content() {
    ComprobarAbierto();
    return std::make_unique<RangoMotor>(shared_from_this(), 0, doc->characterCount());
}

void DocumentoMotor::AplicarVentana(bool aplicacionVisible, const VentanaMotor& placement) {
    const bool mostrar = abierto && aplicacionVisible && ventana.Visible() &&
                         ventana.WindowState() != EstadoVentana::Minimizada;
    if (!mostrar) {
        if (editor)
            editor->hide();
        return;
    }
    if (!editor) {
        editor = new EditorVentana(*this);
        editor->setAttribute(Qt::WA_ShowWithoutActivating, !aplicacion.TomarActivacion());
    }
    QRect geometria;
    if (ventana.GeometriaFijada())
        geometria = ventana.Geometria();
    else if (placement.GeometriaFijada())
        geometria = placement.Geometria();
    editor->Colocar(ventana.WindowState() == EstadoVentana::Maximizada, geometria,
                    ventana.Caption());
}

EditorVentana* DocumentoMotor::Editor() const {
    return editor.data();
}

void DocumentoMotor::AplicacionActivada() {
    if (abierto)
        aplicacion.DocumentoActivado(this);
}

void DocumentoMotor::TraerAlFrente() {
    if (editor && editor->isVisible()) {
        editor->raise();
        editor->activateWindow();
    }
}

// ---------------------------------------------------------------- AplicacionMotor

AplicacionMotor::AplicacionMotor() : ventana([this] { ProgramarVentanas(); }, false) {}

AplicacionMotor::~AplicacionMotor() {
    *vivo = false;
    const auto copia = documentos;
    for (const auto& documento : copia)
        documento->CerrarDesdeVentana();
}

void AplicacionMotor::ComprobarConexion() const {
    if (!conectado)
        throw ErrorBrivo(QStringLiteral("El procesador de textos no está conectado."));
}

void AplicacionMotor::Connect() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw ErrorBrivo(QStringLiteral("No se puede iniciar el procesador de textos."));
    conectado = true;
}

void AplicacionMotor::Disconnect() {
    conectado = false;
}

int AplicacionMotor::DocumentsCount() const {
    ComprobarConexion();
    return int(documentos.size());
}

std::shared_ptr<IDocumentoWord> AplicacionMotor::DocumentsOpen(const QString& ruta,
                                                               const OpcionesApertura& opciones) {
    ComprobarConexion();
    const QString absoluta = ruta.isEmpty() ? ruta : QFileInfo(ruta).absoluteFilePath();
    // A file that is open already is not read again: its document becomes active.
    for (const auto& documento : documentos) {
        if (documento->FullName() == absoluta) {
            std::shared_ptr<DocumentoMotor> existente = documento;
            DocumentoActivado(existente.get());
            return existente;
        }
    }
    auto documento = std::make_shared<DocumentoMotor>(*this, absoluta, opciones.PasswordDocument,
                                                      opciones.ReadOnly);
    documentos.push_back(documento);
    ProgramarVentanas();
    return documento;
}

std::shared_ptr<DocumentoMotor> AplicacionMotor::DocumentoActivo() const {
    return documentos.empty() ? nullptr : documentos.back();
}

std::shared_ptr<IDocumentoWord> AplicacionMotor::ActiveDocument() const {
    ComprobarConexion();
    return DocumentoActivo();
}

void AplicacionMotor::DocumentoCerrado(DocumentoMotor* documento) {
    std::erase_if(documentos, [documento](const auto& d) { return d.get() == documento; });
}

void AplicacionMotor::DocumentoActivado(DocumentoMotor* documento) {
    const auto it = std::find_if(documentos.begin(), documentos.end(),
                                 [documento](const auto& d) { return d.get() == documento; });
    if (it != documentos.end())
        std::rotate(it, it + 1, documentos.end());
}

void AplicacionMotor::ProgramarVentanas() {
    if (programado || !QCoreApplication::instance())
        return;
    programado = true;
    std::weak_ptr<bool> testigo = vivo;
    QTimer::singleShot(0, QCoreApplication::instance(), [this, testigo] {
        const auto sigue = testigo.lock();
        if (!sigue || !*sigue)
            return;
        programado = false;
        AplicarVentanas();
    });
}

void AplicacionMotor::AplicarVentanas() {
    const auto copia = documentos;
    for (const auto& documento : copia)
        documento->AplicarVentana(conectado && ventana.Visible(), ventana);
}

void AplicacionMotor::Activate() {
    ComprobarConexion();
    AplicarVentanas();
    const auto activo = DocumentoActivo();
    if (activo && activo->Editor() && activo->Editor()->isVisible())
        activo->TraerAlFrente();
    else
        activarSiguiente = true; // the window of the next document comes forward
}

bool AplicacionMotor::TomarActivacion() {
    // With no window of the program active (a start from another program,
    // or an editor window closed just before), the new window takes the focus.
    const QWidget* activa = QApplication::activeWindow();
    const bool activar = activarSiguiente || !activa || qobject_cast<const EditorVentana*>(activa);
    activarSiguiente = false;
    return activar;
}

void AplicacionMotor::Quit(GuardarCambios guardar) {
    ComprobarConexion();
    const auto copia = documentos;
    for (const auto& documento : copia) {
        if (guardar == GuardarCambios::Guardar)
            documento->Guardar();
        documento->CerrarDesdeVentana();
    }
    conectado = false;
}

std::unique_ptr<IAplicacionWord> CrearMotorIncrustado() {
    return std::make_unique<AplicacionMotor>();
}

} // namespace brivo::word
