#include "EntornoMoodle.h"

#include <algorithm>

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>

#include "ArchivoDocumento.h"
#include "DocumentoAPregunta.h"
#include "ExportacionMoodle.h"
#include "HtmlMoodle.h"
#include "Texto.h"

namespace brivo::pruebas {

namespace {

std::vector<int> Ids(const QString& texto) {
    std::vector<int> ids;
    for (const QString& parte : texto.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ids.push_back(parte.trimmed().toInt());
    return ids;
}

TLugar LugarDe(const QString& texto) {
    const std::vector<int> ids = Ids(texto);
    TLugar l;
    l.Materia = ids.size() > 0 ? ids[0] : 0;
    l.Tema = ids.size() > 1 ? ids[1] : 0;
    l.Contenido = ids.size() > 2 ? ids[2] : 0;
    return l;
}

} // namespace

TBiblioteca::TBiblioteca() {
    EXPECT_TRUE(carpeta.isValid());
    almacen.CarpetaPrograma = carpeta.path() + QLatin1Char('/');
    almacen.CarpetaInstalados = QStringLiteral(BRIVO_CARPETA_PROGRAMA);
    QDir(carpeta.path()).mkpath(QStringLiteral("Docs"));
    almacen.Arbol.Vaciar();
    TNodo* utiles = almacen.Arbol.Anadir(nullptr, QStringLiteral("Útiles"), QStringLiteral("1"));
    const char* especiales[] = {"Modelos de pregunta", "Modelos de examen", "Exámenes",
                                "No asignados", "Todos"};
    for (int i = 0; i < 5; ++i)
        almacen.Arbol.Anadir(utiles, QString::fromUtf8(especiales[i]), QString::number(i + 1));
}

TLibro& TBiblioteca::Libro(int ranura, int identificador, const QString& titulo,
                           const QString& carpetaLibro, bool claveEnDoc) {
    TLibro& l = almacen.Libros[size_t(ranura)];
    l = TLibro::Libre();
    l.Identificador = identificador;
    l.Titulo = titulo;
    l.Autor = QStringLiteral("Autora");
    l.Carpeta = carpetaLibro;
    l.ClaveEnDoc = claveEnDoc;
    QDir(Ruta(QStringLiteral("Docs"))).mkpath(carpetaLibro);
    if (almacen.LibroActivo == 0)
        almacen.LibroActivo = ranura;
    return l;
}

TNodo* TBiblioteca::Nodo(const std::vector<int>& ids, const QString& texto) {
    // The parent: the node of each identifier but the last, level by level.
    TNodo* padre = nullptr;
    for (size_t i = 0; i + 1 < ids.size(); ++i) {
        const auto& hijos = padre ? padre->Hijos : almacen.Arbol.Raices();
        const auto it = std::find_if(hijos.begin(), hijos.end(),
                                     [&](const auto& h) { return h->Id() == ids[i]; });
        EXPECT_NE(it, hijos.end()) << "no parent for " << texto.toStdString();
        if (it == hijos.end())
            return nullptr;
        padre = it->get();
    }
    return almacen.Arbol.Anadir(padre, texto, QString::number(ids.back()));
}

TDocumento& TBiblioteca::Documento(int numero, int idLibro, const TLugar& lugar,
                                   const QString& html, const QString& clave, const QString& base) {
    TDocumento& d = almacen.Documentos[size_t(numero)];
    d.Vaciar();
    d.Numero = numero;
    d.IdLibro = idLibro;
    d.IdMateria = lugar.Materia;
    d.IdTema = lugar.Tema;
    d.IdContenido = lugar.Contenido;
    d.FechaCreacion = QStringLiteral("01/02/2024");
    d.FechaUso = QStringLiteral("01/01/1900");
    d.Descripcion = QStringLiteral("Documento %1").arg(numero);
    if (html.isNull())
        return d;
    word::TDocumentoTexto doc;
    if (!base.isEmpty())
        doc.setMetaInformation(QTextDocument::DocumentUrl,
                               QUrl::fromLocalFile(base + QStringLiteral("/x.html")).toString());
    doc.setHtml(html);
    word::IncrustarImagenes(doc);
    word::GuardarArchivoDocumento(RutaDocumento(almacen, numero), clave, doc, {});
    return d;
}

QString CarpetaCasos() {
    return QStringLiteral(BRIVO_DATOS_PRUEBA "moodle");
}

QStringList Casos() {
    return QDir(CarpetaCasos()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

void CargarCaso(TBiblioteca& b, const QString& caso) {
    const QString carpeta = CarpetaCasos() + QLatin1Char('/') + caso;
    const QStringList lineas =
        QString::fromUtf8(Leer(carpeta + QStringLiteral("/biblioteca.txt"))).split('\n');
    QString exportar = QStringLiteral("libro");
    for (QString linea : lineas) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char('#')))
            continue;
        const QString orden = linea.section(QLatin1Char(' '), 0, 0);
        QStringList c = linea.section(QLatin1Char(' '), 1).split(QLatin1Char('|'));
        for (QString& campo : c)
            campo = campo.trimmed();
        while (c.size() < 9)
            c << QString();
        if (orden == QLatin1String("libro")) {
            TLibro& l = b.Libro(c[0].toInt(), c[1].toInt(), c[2], c[3], c[4] == "si");
            l.PermitirExportar = c[5] == "si";
        } else if (orden == QLatin1String("nodo")) {
            b.Nodo(Ids(c[0]), c[1]);
        } else if (orden == QLatin1String("documento")) {
            const int numero = c[0].toInt();
            const TLibro libro = b.almacen.BuscarLibro(c[1].toInt());
            QString clave = libro.ClaveEnDoc ? QString::number(libro.Identificador) : QString();
            const QString archivo = c.size() > 8 ? c[8] : QString();
            if (archivo.startsWith(QLatin1String("clave=")))
                clave = archivo.mid(6);
            const QString html =
                archivo == QLatin1String("sin-archivo")
                    ? QString()
                    : QString::fromUtf8(
                          Leer(carpeta +
                               QStringLiteral("/K%1.html").arg(numero, 6, 10, QLatin1Char('0'))));
            TDocumento& d = b.Documento(numero, c[1].toInt(), LugarDe(c[2]), html, clave, carpeta);
            d.Tipo = c[3].toInt();
            d.Respuesta = c[4];
            LeerNumero(c[5], d.Puntos);
            d.Dificultad = c[6].toInt();
            d.Descripcion = c[7];
        } else if (orden == QLatin1String("exportar")) {
            exportar = linea.section(QLatin1Char(' '), 1);
        }
    }
    const std::int32_t id = b.almacen.Libros[1].Identificador;
    if (exportar.startsWith(QLatin1String("nodo "))) {
        const TNodo* nodo = b.almacen.Arbol.NodoDeLugar(LugarDe(exportar.mid(5)));
        b.aExportar = moodle::DocumentosDeNodo(b.almacen, nodo, id);
    } else if (exportar.startsWith(QLatin1String("documentos "))) {
        b.aExportar = Ids(exportar.mid(11));
    } else {
        b.aExportar = moodle::DocumentosDeLibro(b.almacen, id);
    }
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << ruta.toStdString();
    f.write(datos);
}

QString Normalizar(const QByteArray& datos, const QString& salida) {
    QString texto = QString::fromUtf8(datos);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!salida.isEmpty())
        texto.replace(QDir::toNativeSeparators(salida), QStringLiteral("SALIDA"));
    static const QRegularExpression archivo(QStringLiteral("(<file [^>]*>)([^<]*)(</file>)"));
    QString r;
    qsizetype desde = 0;
    for (auto it = archivo.globalMatch(texto); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(2).startsWith(QLatin1Char('[')))
            continue; // normalised already (an expected file)
        const QByteArray bytes = QByteArray::fromBase64(m.captured(2).toLatin1());
        const QImage imagen = QImage::fromData(bytes);
        const QString descripcion =
            imagen.isNull()
                ? QStringLiteral("[%1 bytes]").arg(bytes.size())
                : QStringLiteral("[imagen %1x%2]").arg(imagen.width()).arg(imagen.height());
        r += texto.mid(desde, m.capturedStart(0) - desde) + m.captured(1) + descripcion +
             m.captured(3);
        desde = m.capturedEnd(0);
    }
    r += texto.mid(desde);
    return r;
}

QStringList Instantanea(const QString& carpeta) {
    QStringList lista;
    QDirIterator it(carpeta, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        lista << QDir(carpeta).relativeFilePath(ruta) + QLatin1Char(' ') +
                     QString::fromLatin1(
                         QCryptographicHash::hash(Leer(ruta), QCryptographicHash::Sha1).toHex());
    }
    lista.sort();
    return lista;
}

TContenido ContenidoDe(const TAlmacen& almacen, int numero) {
    TContenido c;
    auto motor = word::CrearMotorIncrustado();
    motor->Connect();
    word::OpcionesApertura o;
    o.PasswordDocument = QString::number(
        almacen.BuscarLibro(almacen.Documentos[size_t(numero)].IdLibro).Identificador);
    auto doc = motor->DocumentsOpen(RutaDocumento(almacen, numero), o);
    const moodle::TSeccionesHtml s = moodle::LeerSecciones(*doc);
    for (size_t m = 0; m < s.Html.size(); ++m) {
        const QString& html = s.Html[m];
        moodle::TDocumentoCerrado t;
        t.setHtml(html);
        QStringList parrafos;
        for (QTextBlock b = t.begin(); b.isValid(); b = b.next()) {
            QString texto = b.text().trimmed();
            texto.remove(QChar::ObjectReplacementCharacter);
            if (!texto.trimmed().isEmpty())
                parrafos << texto.trimmed();
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QString nombre = it.fragment().charFormat().toImageFormat().name();
                    const QImage imagen =
                        QImage::fromData(QByteArray::fromBase64(nombre.section(',', 1).toLatin1()));
                    c.Imagenes[m]
                        << QStringLiteral("%1x%2").arg(imagen.width()).arg(imagen.height());
                }
        }
        c.Secciones << parrafos.join(QLatin1Char('|'));
    }
    doc->Close(word::GuardarCambios::NoGuardar);
    return c;
}

QByteArray Png(int ancho, int alto, Qt::GlobalColor color) {
    QImage imagen(ancho, alto, QImage::Format_RGB32);
    imagen.fill(color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return png;
}

} // namespace brivo::pruebas
