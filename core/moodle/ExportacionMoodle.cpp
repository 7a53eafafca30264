#include "ExportacionMoodle.h"

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include <QDir>
#include <QFileInfo>

#include "Archivos.h"
#include "DocumentoAPregunta.h"
#include "Errores.h"
#include "EscritorMoodle.h"
#include "Listado.h"
#include "Paquete.h"
#include "Texto.h"

namespace brivo::moodle {

namespace {

using TLugares = std::set<std::tuple<int, int, int>>;

std::tuple<int, int, int> Clave(const TLugar& l) {
    return {l.Materia, l.Tema, l.Contenido};
}

// The places of every node of the tree.
TLugares LugaresDelArbol(const TArbol& arbol) {
    TLugares lugares;
    arbol.Recorrer([&](TNodo* n) {
        if (n->Nivel() <= 2)
            lugares.insert(Clave(arbol.LugarDeNodo(n)));
    });
    return lugares;
}

// Question models, exam models and exams: the documents of "Útiles" 1 to 3.
bool EsModeloOExamen(const TDocumento& d) {
    return d.IdMateria == 1 && d.IdTema >= 1 && d.IdTema <= 3 && d.IdContenido == 0;
}

bool EsPreguntaDelLibro(const TDocumento& d, std::int32_t identificador) {
    return d.Usado() && identificador != 0 && d.IdLibro == identificador && !EsModeloOExamen(d);
}

QString NombreCategoria(const QString& texto) {
    const QString nombre = texto.trimmed();
    return nombre.isEmpty() ? QStringLiteral("(sin nombre)") : nombre;
}

QStringList CategoriaDe(const TAlmacen& almacen, const TLugares& lugares, const TDocumento& d,
                        const TLibro& libro) {
    const TLugar lugar{d.IdMateria, d.IdTema, d.IdContenido};
    if (d.IdMateria > 1 && lugares.count(Clave(lugar))) {
        QString materia, tema, contenido;
        almacen.Arbol.NombresDeLugar(lugar, materia, tema, contenido);
        QStringList nombres{NombreCategoria(materia)};
        if (d.IdTema > 0)
            nombres << NombreCategoria(tema);
        if (d.IdTema > 0 && d.IdContenido > 0)
            nombres << NombreCategoria(contenido);
        return nombres;
    }
    const QString titulo = libro.Titulo.Texto().trimmed();
    return {titulo.isEmpty() ? QStringLiteral("Libro %1").arg(libro.Identificador) : titulo};
}

// The path of a file as the file system names it, also before it exists.
QString RutaReal(const QString& ruta) {
    const QFileInfo info(ruta);
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (carpeta.isEmpty() ? info.absolutePath() : carpeta) + QLatin1Char('/') + info.fileName();
}

bool EsArchivoDeLaBiblioteca(const TAlmacen& almacen, const QString& ruta) {
    const QString real = RutaReal(ruta);
    for (const char* nombre : {"Libros.lst", "Docs.lst", "Arbol.tvw", "Arbol0.tvw", "BRIVO_II.INI",
                               "Origenes.lst", "nuevodoc.doc", "nuevoexamen.doc", "Brivo2.hlp"}) {
        if (real == RutaReal(almacen.Ruta(QString::fromLatin1(nombre))))
            return true;
    }
    const QString docs = RutaReal(almacen.Ruta(QStringLiteral("Docs/x"))).chopped(1);
    return real.startsWith(docs);
}

struct TLectura {
    TSeccionesHtml Secciones;
    QString Fallo; // empty when read
};

TLectura LeerDocumento(const TAlmacen& almacen, word::IAplicacionWord& word, int numero) {
    TLectura r;
    if (numero < 1 || numero > MaxDocumentos || !almacen.Documentos[size_t(numero)].Usado()) {
        r.Fallo = QStringLiteral("no existe ese documento");
        return r;
    }
    const TDocumento& d = almacen.Documentos[size_t(numero)];
    const TLibro libro = almacen.BuscarLibro(d.IdLibro);
    if (!libro.Usado()) {
        r.Fallo = QStringLiteral("no pertenece a ningún libro");
        return r;
    }
    if (!libro.PermitirExportar) {
        r.Fallo = QStringLiteral("su libro, «%1», no permite exportar").arg(libro.Titulo.Texto());
        return r;
    }
    const QString ruta = RutaDocumento(almacen, numero);
    if (!QFileInfo(ruta).isFile()) {
        r.Fallo = QStringLiteral("no tiene archivo (no se ha abierto nunca en el editor)");
        return r;
    }
    word::OpcionesApertura opciones;
    opciones.ReadOnly = true;
    opciones.AddToRecentFiles = false;
    opciones.PasswordDocument = opciones.PasswordTemplate = opciones.WritePasswordDocument =
        opciones.WritePasswordTemplate = QString::number(libro.Identificador);
    try {
        const int abiertos = word.DocumentsCount();
        const std::shared_ptr<word::IDocumentoWord> doc = word.DocumentsOpen(ruta, opciones);
        // A document that was open already stays as it is.
        const bool propio = word.DocumentsCount() > abiertos;
        if (propio)
            doc->Window().SetWindowState(word::EstadoVentana::Minimizada);
        try {
            r.Secciones = LeerSecciones(*doc);
        } catch (...) {
            if (propio)
                doc->Close(word::GuardarCambios::NoGuardar);
            throw;
        }
        if (propio)
            doc->Close(word::GuardarCambios::NoGuardar);
    } catch (const ErrorBrivo& e) {
        r.Fallo = e.Mensaje();
    } catch (const std::exception& e) {
        r.Fallo = QString::fromLocal8Bit(e.what());
    }
    return r;
}

// Questions of one category together, the categories in the order they
// first appear, each keeping the order of its documents.
void AgruparPorCategoria(std::vector<TPreguntaMoodle>& preguntas) {
    std::vector<QStringList> orden;
    for (const TPreguntaMoodle& p : preguntas)
        if (std::find(orden.begin(), orden.end(), p.Categoria) == orden.end())
            orden.push_back(p.Categoria);
    std::stable_sort(preguntas.begin(), preguntas.end(),
                     [&](const TPreguntaMoodle& a, const TPreguntaMoodle& b) {
                         return std::find(orden.begin(), orden.end(), a.Categoria) <
                                std::find(orden.begin(), orden.end(), b.Categoria);
                     });
}

QString Linea(const TDocumentoInforme& d) {
    const QString descripcion =
        d.Descripcion.isEmpty() ? QString() : QStringLiteral(" «%1»").arg(d.Descripcion);
    const bool punto = d.Motivo.endsWith(QLatin1Char('.')) || d.Motivo.endsWith(QChar(0x2026));
    return QStringLiteral("  Documento %1%2: %3%4")
        .arg(d.Numero)
        .arg(descripcion, d.Motivo, punto ? QString() : QStringLiteral("."));
}

} // namespace

std::optional<TFormato> FormatoPorExtension(const QString& ruta) {
    const QString extension = QFileInfo(ruta).suffix().toLower();
    if (extension == QLatin1String("xml"))
        return TFormato::Xml;
    if (extension == QLatin1String("gift") || extension == QLatin1String("txt"))
        return TFormato::Gift;
    return std::nullopt;
}

std::vector<int> DocumentosDeListaExamen(const TAlmacen& almacen) {
    std::vector<int> numeros;
    for (int i = 1; i <= MaxExamen; ++i)
        if (almacen.ListaExamen[size_t(i)] > 0)
            numeros.push_back(almacen.ListaExamen[size_t(i)]);
    return numeros;
}

std::vector<int> DocumentosDeLibro(const TAlmacen& almacen, std::int32_t identificador) {
    std::vector<int> numeros;
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (EsPreguntaDelLibro(almacen.Documentos[size_t(k)], identificador))
            numeros.push_back(k);
    return numeros;
}

std::vector<int> DocumentosDeNodo(const TAlmacen& almacen, const TNodo* nodo,
                                  std::int32_t identificador) {
    std::vector<int> numeros;
    int m = 0, t = 0;
    for (int k : ElegirDocumentos(almacen, nodo, m, t))
        if (EsPreguntaDelLibro(almacen.Documentos[size_t(k)], identificador))
            numeros.push_back(k);
    return numeros;
}

TDestinoExportacion DestinoExportacion(const QString& elegido, const QString& filtroElegido) {
    TDestinoExportacion destino{elegido, TFormato::Xml};
    if (const auto formato = FormatoPorExtension(elegido)) {
        destino.Formato = *formato;
        return destino;
    }
    if (filtroElegido.contains(QLatin1String("*.gift"), Qt::CaseInsensitive))
        destino.Formato = TFormato::Gift;
    destino.Ruta +=
        destino.Formato == TFormato::Gift ? QStringLiteral(".gift") : QStringLiteral(".xml");
    return destino;
}

QString ArchivoPropuesto(const TAlmacen& almacen, const QString& nombre) {
    QString limpio = nombre.trimmed();
    for (QChar& c : limpio)
        if (c.isSpace() || QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    if (limpio.isEmpty() || limpio == QLatin1String(".") || limpio == QLatin1String(".."))
        limpio = QStringLiteral("preguntas");
    return CarpetaBak(almacen) + limpio + QStringLiteral(".xml");
}

TInformeExportacion Exportar(const TAlmacen& almacen, word::IAplicacionWord& word,
                             const std::vector<int>& documentos, const QString& salida,
                             TFormato formato, const TProgreso& progreso) {
    if (QFileInfo(salida).fileName().isEmpty())
        throw ErrorBrivo(QStringLiteral("No hay nombre de archivo"));
    if (EsArchivoDeLaBiblioteca(almacen, salida))
        throw ErrorBrivo(QStringLiteral("No se puede exportar a «%1»: es un archivo de la "
                                        "biblioteca del programa.")
                             .arg(QDir::toNativeSeparators(salida)));
    TInformeExportacion informe;
    informe.Archivo = salida;
    informe.Formato = formato;

    std::vector<int> numeros;
    for (const int n : documentos)
        if (std::find(numeros.begin(), numeros.end(), n) == numeros.end())
            numeros.push_back(n);

    const bool conectar = !word.Conectado();
    if (conectar)
        word.Connect();
    const TLugares lugares = LugaresDelArbol(almacen.Arbol);
    std::vector<TPreguntaMoodle> preguntas;
    const int total = int(numeros.size());
    for (int i = 0; i < total; ++i) {
        const int numero = numeros[size_t(i)];
        if (progreso && !progreso(i + 1, total, numero)) {
            informe.Cancelado = true;
            break;
        }
        const TLectura lectura = LeerDocumento(almacen, word, numero);
        const bool existe = numero >= 1 && numero <= MaxDocumentos;
        const TDocumento vacio;
        const TDocumento& d = existe ? almacen.Documentos[size_t(numero)] : vacio;
        if (!lectura.Fallo.isEmpty()) {
            informe.Fallos.push_back({numero, d.Descripcion.Texto(), lectura.Fallo});
            continue;
        }
        QString motivo;
        TPreguntaMoodle p = PreguntaDe(d, lectura.Secciones, motivo);
        p.Categoria = CategoriaDe(almacen, lugares, d, almacen.BuscarLibro(d.IdLibro));
        if (!motivo.isEmpty())
            informe.TestComoEnsayo.push_back({numero, d.Descripcion.Texto(), motivo});
        (p.Tipo == TipoOpcionMultiple ? informe.OpcionMultiple : informe.Ensayo)++;
        preguntas.push_back(std::move(p));
    }
    if (conectar)
        word.Disconnect();
    if (informe.Cancelado || preguntas.empty()) {
        informe.OpcionMultiple = informe.Ensayo = 0;
        informe.TestComoEnsayo.clear();
        return informe;
    }

    AgruparPorCategoria(preguntas);
    informe.Categorias = CategoriasEscritas(preguntas);
    const QByteArray datos = formato == TFormato::Xml
                                 ? EscribirXmlMoodle(preguntas)
                                 : EscribirGift(preguntas, &informe.ImagenesOmitidas);
    if (archivos::EscribirSeguro(salida, datos).error != 0)
        throw ErrorBrivo(QStringLiteral("No se puede escribir el archivo «%1».")
                             .arg(QDir::toNativeSeparators(salida)));
    informe.Escrito = true;
    return informe;
}

QStringList TInformeExportacion::Lineas() const {
    QStringList l;
    const QString nombreFormato =
        Formato == TFormato::Xml ? QStringLiteral("Moodle XML") : QStringLiteral("GIFT");
    if (Cancelado)
        l << QStringLiteral("Exportación cancelada: no se ha escrito ningún archivo.");
    else if (!Escrito)
        l << QStringLiteral(
            "No se ha exportado ninguna pregunta: no se ha escrito ningún archivo.");
    else
        l << QStringLiteral("Archivo %1 (%2): %3 en %4.")
                 .arg(QDir::toNativeSeparators(Archivo), nombreFormato,
                      SegunCantidad(Preguntas(), QStringLiteral("1 pregunta"),
                                    QStringLiteral("%1 preguntas").arg(Preguntas())),
                      SegunCantidad(Categorias, QStringLiteral("1 categoría"),
                                    QStringLiteral("%1 categorías").arg(Categorias)));
    if (Escrito)
        l << QStringLiteral("Opción múltiple: %1. Ensayo: %2.").arg(OpcionMultiple).arg(Ensayo);
    if (!TestComoEnsayo.empty()) {
        l << QStringLiteral("Documentos «Test» exportados como ensayo: %1.")
                 .arg(TestComoEnsayo.size());
        for (const TDocumentoInforme& d : TestComoEnsayo)
            l << Linea(d);
    }
    if (ImagenesOmitidas > 0)
        l << QStringLiteral("Imágenes que GIFT no admite y se han dejado fuera: %1.")
                 .arg(ImagenesOmitidas);
    if (!Fallos.empty()) {
        l << QStringLiteral("Documentos que no se han podido exportar: %1.").arg(Fallos.size());
        for (const TDocumentoInforme& d : Fallos)
            l << Linea(d);
    }
    return l;
}

} // namespace brivo::moodle
