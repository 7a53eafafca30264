#include "MotorFalso.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Errores.h"

namespace brivo::pruebas {

namespace {

const QByteArray Cabecera = "BRIVO-FALSO";

class TRangoFalso : public word::IRangoWord {
public:
    TRangoFalso(std::shared_ptr<TDocumentoFalso> d, int i, int f)
        : doc(std::move(d)), inicio(i), fin(f) {}

    int Start() const override { return inicio; }
    int End() const override { return fin; }
    void SetRange(int i, int f) override {
        inicio = std::clamp(i, 0, Largo());
        fin = std::clamp(f, inicio, Largo());
    }
    void Collapse(word::Direccion direccion) override {
        if (direccion == word::Direccion::Inicio) {
            fin = inicio;
            return;
        }
        // A range that ends after the final mark collapses just before it.
        inicio = fin = std::min(fin, Largo() - 1);
    }
    void InsertAfter(const QString& texto) override {
        doc->Texto.insert(fin, texto);
        fin += static_cast<int>(texto.size());
        doc->Modificado = true;
    }
    void Copy() override { Motor().Portapapeles = doc->Texto.mid(inicio, fin - inicio); }
    void Paste() override {
        const QString pegado = Motor().Portapapeles;
        doc->Texto.replace(inicio, fin - inicio, pegado);
        fin = inicio + static_cast<int>(pegado.size());
        doc->Modificado = true;
    }
    bool FindExecute(const QString& texto, bool adelante) override {
        encontrado = false;
        auto coincide = [&](int p) -> int { // length of a match at p, 0 when none
            if (texto == QLatin1String("^p"))
                return doc->Texto[p] == QLatin1Char('\r') ? 1 : 0;
            if (texto == QLatin1String("^$"))
                return doc->Texto[p].isLetter() ? 1 : 0;
            if (texto.startsWith(QLatin1Char('^')))
                throw ErrorBrivo(QStringLiteral("Código de búsqueda desconocido: %1").arg(texto));
            const int n = static_cast<int>(texto.size());
            return p + n <= fin &&
                           QStringView(doc->Texto).mid(p, n).compare(texto, Qt::CaseInsensitive) ==
                               0
                       ? n
                       : 0;
        };
        for (int i = 0; i < fin - inicio; ++i) {
            const int p = adelante ? inicio + i : fin - 1 - i;
            if (const int n = coincide(p)) {
                inicio = p;
                fin = p + n;
                encontrado = true;
                break;
            }
        }
        return encontrado;
    }
    bool Found() const override { return encontrado; }

private:
    int Largo() const { return static_cast<int>(doc->Texto.size()); }
    TMotorFalso& Motor() const { return doc->Motor(); }

    std::shared_ptr<TDocumentoFalso> doc;
    int inicio;
    int fin;
    bool encontrado = false;
};

} // namespace

void EscribirArchivoFalso(const QString& ruta, const TArchivoFalso& archivo) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ErrorBrivo(QStringLiteral("No se puede escribir %1").arg(ruta));
    QByteArray datos = Cabecera + "\nclave:" + archivo.Clave.toUtf8() + '\n';
    for (const auto& [numero, valor] : archivo.Propiedades)
        datos += "prop" + QByteArray::number(numero) + ':' + valor.toUtf8() + '\n';
    datos += '\n' + archivo.Texto.toUtf8();
    f.write(datos);
}

TArchivoFalso LeerArchivoFalso(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorBrivo(QStringLiteral("No se encuentra el archivo %1.").arg(ruta));
    const QList<QByteArray> lineas = f.readAll().split('\n');
    if (lineas.size() < 3 || lineas[0] != Cabecera || !lineas[1].startsWith("clave:"))
        throw ErrorBrivo(QStringLiteral("El archivo %1 no es un documento.").arg(ruta));
    TArchivoFalso a;
    a.Clave = QString::fromUtf8(lineas[1].mid(6));
    qsizetype i = 2;
    for (; i < lineas.size() && !lineas[i].isEmpty(); ++i) {
        const qsizetype dos = lineas[i].indexOf(':');
        a.Propiedades[lineas[i].mid(4, dos - 4).toInt()] =
            QString::fromUtf8(lineas[i].mid(dos + 1));
    }
    QStringList parrafos;
    for (++i; i < lineas.size(); ++i)
        parrafos << QString::fromUtf8(lineas[i]);
    a.Texto = parrafos.join(QLatin1Char('\n'));
    return a;
}

// ---------------------------------------------------------------------------
// Documents

TDocumentoFalso::TDocumentoFalso(TMotorFalso& m, const QString& r, const TArchivoFalso& archivo,
                                 bool lectura)
    : motor(m), ruta(r), clave(archivo.Clave), propiedades(archivo.Propiedades),
      soloLectura(lectura) {
    Texto =
        QString(archivo.Texto).replace(QLatin1Char('\n'), QLatin1Char('\r')) + QLatin1Char('\r');
}

void TDocumentoFalso::Comprobar() const {
    if (!abierto)
        throw ErrorBrivo(QStringLiteral("El documento está cerrado."));
}

QString TDocumentoFalso::FullName() const {
    Comprobar();
    return ruta;
}

bool TDocumentoFalso::Saved() const {
    Comprobar();
    return !Modificado;
}

void TDocumentoFalso::SetPassword(const QString& c) {
    Comprobar();
    clave = c;
}

QString TDocumentoFalso::BuiltInDocumentProperty(int numero) const {
    Comprobar();
    const auto it = propiedades.find(numero);
    return it == propiedades.end() ? QString() : it->second;
}

void TDocumentoFalso::SetBuiltInDocumentProperty(int numero, const QString& valor) {
    if (BuiltInDocumentProperty(numero) == valor)
        return;
    propiedades[numero] = valor;
    Modificado = true;
}

void TDocumentoFalso::Escribir(const QString& destino) const {
    TArchivoFalso a;
    a.Texto = Texto.left(Texto.size() - 1).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    a.Clave = clave;
    a.Propiedades = propiedades;
    EscribirArchivoFalso(destino, a);
}

void TDocumentoFalso::Close(word::GuardarCambios guardar) {
    Comprobar();
    if (guardar == word::GuardarCambios::Guardar) {
        if (soloLectura)
            throw ErrorBrivo(QStringLiteral("El documento es de sólo lectura."));
        Escribir(ruta);
    }
    abierto = false;
    motor.Cerrado(this);
}

void TDocumentoFalso::SaveAs(const QString& nueva, const QString& c) {
    Comprobar();
    clave = c;
    Escribir(nueva);
    ruta = nueva;
    soloLectura = false;
    Modificado = false;
}

std::unique_ptr<word::IRangoWord> TDocumentoFalso::Content() {
    Comprobar();
    return std::make_unique<TRangoFalso>(shared_from_this(), 0, static_cast<int>(Texto.size()));
}

void TDocumentoFalso::ExportAs(const QString& salida, word::FormatoExportacion formato,
                               const QString& claveSalida) {
    Comprobar();
    if (salida == ruta)
        throw ErrorBrivo(QStringLiteral("No se exporta sobre el propio archivo."));
    // The text as it is now, with the output's password; the format goes
    // into property 0.
    TArchivoFalso a;
    a.Texto = Texto.left(Texto.size() - 1).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    a.Clave = claveSalida;
    a.Propiedades = {{0, QString::number(static_cast<int>(formato))}};
    EscribirArchivoFalso(salida, a);
}

// ---------------------------------------------------------------------------
// Application

void TMotorFalso::Connect() {
    if (FallaConectar)
        throw ErrorBrivo(QStringLiteral("No se puede iniciar el procesador de textos."));
    conectado = true;
}

std::shared_ptr<word::IDocumentoWord> TMotorFalso::DocumentsOpen(const QString& ruta,
                                                                 const word::OpcionesApertura& o) {
    if (!conectado)
        throw ErrorBrivo(QStringLiteral("El procesador de textos no está conectado."));
    Aperturas.push_back(o);
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    // A file that is open only brings its document forward.
    for (auto it = documentos.begin(); it != documentos.end(); ++it) {
        if (QFileInfo((*it)->FullName()).absoluteFilePath() == absoluta) {
            auto d = *it;
            documentos.erase(it);
            documentos.push_back(d);
            return d;
        }
    }
    const TArchivoFalso archivo = LeerArchivoFalso(ruta);
    if (!archivo.Clave.isEmpty() && archivo.Clave != o.PasswordDocument)
        throw ErrorBrivo(QStringLiteral("La contraseña no es correcta."));
    auto d = std::make_shared<TDocumentoFalso>(*this, ruta, archivo, o.ReadOnly);
    documentos.push_back(d);
    return d;
}

std::shared_ptr<word::IDocumentoWord> TMotorFalso::ActiveDocument() const {
    return documentos.empty() ? nullptr : documentos.back();
}

void TMotorFalso::Quit(word::GuardarCambios guardar) {
    while (!documentos.empty())
        documentos.back()->Close(guardar);
    conectado = false;
}

void TMotorFalso::Cerrado(const TDocumentoFalso* documento) {
    std::erase_if(documentos, [documento](const auto& d) { return d.get() == documento; });
}

} // namespace brivo::pruebas
