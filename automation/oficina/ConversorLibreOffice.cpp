#include "ConversorLibreOffice.h"

#include <csignal>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

#include "Carpetas.h"

namespace brivo::oficina {

namespace {

const QString NombreGuion = QStringLiteral("conversor-oficina.py");

QString PrimeroQueExista(const QStringList& rutas, const QString& siNo) {
    for (const QString& r : rutas) {
        if (QFileInfo(r).isExecutable())
            return r;
    }
    return siNo;
}

QJsonObject Propiedades(const TPropiedadesOficina& p) {
    return {{QStringLiteral("titulo"), p.Titulo},
            {QStringLiteral("asunto"), p.Asunto},
            {QStringLiteral("autor"), p.Autor},
            {QStringLiteral("comentarios"), p.Comentarios}};
}

TPropiedadesOficina Propiedades(const QJsonObject& o) {
    TPropiedadesOficina p;
    p.Titulo = o.value(QStringLiteral("titulo")).toString();
    p.Asunto = o.value(QStringLiteral("asunto")).toString();
    p.Autor = o.value(QStringLiteral("autor")).toString();
    p.Comentarios = o.value(QStringLiteral("comentarios")).toString();
    return p;
}

MotivoFallo MotivoDeRespuesta(const QString& motivo) {
    if (motivo == QLatin1String("clave"))
        return MotivoFallo::Clave;
    if (motivo == QLatin1String("danado"))
        return MotivoFallo::Danado;
    if (motivo == QLatin1String("guardar"))
        return MotivoFallo::Guardar;
    if (motivo == QLatin1String("caido"))
        return MotivoFallo::Caido;
    return MotivoFallo::Abrir;
}

} // namespace

TConfiguracionLibreOffice TConfiguracionLibreOffice::PorDefecto() {
    TConfiguracionLibreOffice c;
    // The bridge belongs to the system's Python, whatever other one the PATH finds first.
    c.Python = PrimeroQueExista({QStringLiteral("/usr/bin/python3")},
                                QStandardPaths::findExecutable(QStringLiteral("python3")));
    c.Soffice = PrimeroQueExista({QStringLiteral("/usr/lib/libreoffice/program/soffice"),
                                  QStringLiteral("/usr/bin/soffice")},
                                 QStandardPaths::findExecutable(QStringLiteral("soffice")));
    const QString carpeta =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    // Beside the shipped files: the installed data folder, or the program's
    // own folder in the portable layout.
    c.Guion = QDir(carpetas::CarpetaInstalados(carpeta)).filePath(NombreGuion);
    return c;
}

TConversorLibreOffice::TConversorLibreOffice(TConfiguracionLibreOffice configuracion)
    : config(std::move(configuracion)) {}

TConversorLibreOffice::~TConversorLibreOffice() {
    Detener();
}

bool TConversorLibreOffice::EnMarcha() const {
    return proceso && proceso->state() == QProcess::Running;
}

qint64 TConversorLibreOffice::Proceso() const {
    return EnMarcha() ? proceso->processId() : 0;
}

void TConversorLibreOffice::Fallar(MotivoFallo motivo, const QString& archivo, int milisegundos) {
    if (motivo == MotivoFallo::Tiempo || motivo == MotivoFallo::Caido ||
        motivo == MotivoFallo::Arranque)
        Matar();
    throw ErrorConversion(motivo, MensajeFallo(motivo, archivo, (milisegundos + 999) / 1000));
}

void TConversorLibreOffice::Matar() {
    if (proceso) {
        const qint64 id = proceso->processId();
        // The group (the process and LibreOffice) goes before its leader is
        // reaped, so that its id cannot have been given to anyone else.
        if (id > 0)
            ::kill(-pid_t(id), SIGKILL);
        proceso->kill();
        proceso->waitForFinished(5000);
        proceso.reset();
    }
    pendiente.clear();
    perfil.reset();
}

void TConversorLibreOffice::Detener() {
    if (EnMarcha()) {
        proceso->write("{\"orden\":\"salir\"}\n");
        proceso->closeWriteChannel();
        if (proceso->waitForFinished(15000)) {
            proceso.reset();
        }
    }
    Matar();
}

bool TConversorLibreOffice::LeerLinea(QByteArray& linea, int milisegundos) {
    QDeadlineTimer limite(milisegundos);
    for (;;) {
        const qsizetype fin = pendiente.indexOf('\n');
        if (fin >= 0) {
            linea = pendiente.left(fin);
            pendiente.remove(0, fin + 1);
            return true;
        }
        if (limite.hasExpired() || !proceso)
            return false;
        const bool hayDatos = proceso->waitForReadyRead(int(limite.remainingTime()));
        pendiente += proceso->readAllStandardOutput();
        if (!hayDatos && proceso->state() != QProcess::Running && !pendiente.contains('\n'))
            return false;
    }
}

QJsonObject TConversorLibreOffice::LeerObjeto(int milisegundos, bool& aTiempo) {
    QDeadlineTimer limite(milisegundos);
    QByteArray linea;
    aTiempo = true;
    while (LeerLinea(linea, int(limite.remainingTime()))) {
        const QJsonDocument json = QJsonDocument::fromJson(linea);
        if (json.isObject())
            return json.object();
        // Anything else on the output (a stray message) is not an answer.
    }
    aTiempo = !limite.hasExpired();
    return {};
}

void TConversorLibreOffice::Arrancar(const QString& archivo) {
    if (EnMarcha())
        return;
    Matar();
    if (!QFileInfo(config.Soffice).isExecutable() || !QFileInfo(config.Python).isExecutable())
        throw word::ErrorSinConversor();
    if (!QFileInfo(config.Guion).isFile())
        throw ErrorConversion(
            MotivoFallo::Arranque,
            QStringLiteral("No se encuentra el conversor de documentos \"%1\".").arg(config.Guion));
    perfil = std::make_unique<QTemporaryDir>(
        QDir::temp().filePath(QStringLiteral("brivo2-libreoffice-XXXXXX")));
    if (!perfil->isValid())
        Fallar(MotivoFallo::Arranque, archivo);

    proceso = std::make_unique<QProcess>();
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove(QStringLiteral("PYTHONHOME"));
    entorno.remove(QStringLiteral("PYTHONPATH"));
    entorno.insert(QStringLiteral("PYTHONUTF8"), QStringLiteral("1"));
    entorno.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
    proceso->setProcessEnvironment(entorno);
    proceso->setStandardErrorFile(QProcess::nullDevice());
    // A group of its own: a hung LibreOffice dies with the process that started it.
    proceso->setChildProcessModifier([] { ::setsid(); });
    proceso->start(config.Python, {config.Guion, config.Soffice, perfil->path()});
    if (!proceso->waitForStarted(10000)) {
        Matar();
        throw word::ErrorSinConversor();
    }
    ++arranques;
    bool aTiempo = true;
    const QJsonObject estado = LeerObjeto(config.MsArranque, aTiempo);
    const QString valor = estado.value(QStringLiteral("estado")).toString();
    if (valor == QLatin1String("listo"))
        return;
    Matar();
    if (valor == QLatin1String("falta"))
        throw word::ErrorSinConversor();
    throw ErrorConversion(MotivoFallo::Arranque, MensajeFallo(MotivoFallo::Arranque, archivo));
}

void TConversorLibreOffice::Preparar() {
    Arrancar(QString());
}

TResultadoOficina TConversorLibreOffice::Convertir(const TPeticionConversion& p) {
    const QString archivo = p.NombreParaMensajes.isEmpty() ? p.Entrada : p.NombreParaMensajes;
    Arrancar(archivo);
    QJsonObject peticion{{QStringLiteral("orden"), QStringLiteral("convertir")},
                         {QStringLiteral("entrada"), QFileInfo(p.Entrada).absoluteFilePath()},
                         {QStringLiteral("salida"), QFileInfo(p.Salida).absoluteFilePath()},
                         {QStringLiteral("filtro"), p.Filtro},
                         {QStringLiteral("opciones"), p.Opciones},
                         {QStringLiteral("clave"), p.Clave},
                         {QStringLiteral("claveSalida"), p.ClaveSalida}};
    if (p.PonerPropiedades)
        peticion.insert(QStringLiteral("propiedades"), Propiedades(p.Propiedades));
    const QByteArray linea = QJsonDocument(peticion).toJson(QJsonDocument::Compact) + '\n';
    if (proceso->write(linea) != linea.size() || !proceso->waitForBytesWritten(5000))
        Fallar(MotivoFallo::Caido, archivo);

    bool aTiempo = true;
    const QJsonObject respuesta = LeerObjeto(config.MsConversion, aTiempo);
    if (respuesta.isEmpty())
        Fallar(aTiempo ? MotivoFallo::Caido : MotivoFallo::Tiempo, archivo, config.MsConversion);
    if (!respuesta.value(QStringLiteral("ok")).toBool())
        Fallar(MotivoDeRespuesta(respuesta.value(QStringLiteral("motivo")).toString()), archivo);
    TResultadoOficina resultado;
    resultado.Cifrado = respuesta.value(QStringLiteral("cifrado")).toBool();
    resultado.Propiedades = Propiedades(respuesta.value(QStringLiteral("propiedades")).toObject());
    return resultado;
}

} // namespace brivo::oficina
