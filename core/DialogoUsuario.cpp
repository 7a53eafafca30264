#include "DialogoUsuario.h"

#include <stdexcept>

namespace brivo::ui {

namespace {

TGuion* guionActivo = nullptr;
IPresentador* presentadorActivo = nullptr;

IPresentador& PresentadorObligado(const QString& que) {
    if (!presentadorActivo)
        throw std::logic_error("Nadie muestra los mensajes: " + que.toStdString());
    return *presentadorActivo;
}

bool Mostrar(QWidget* padre, TipoMensaje tipo, const QString& texto) {
    if (guionActivo) {
        guionActivo->Mensajes.append({tipo, texto});
        const bool pregunta = tipo == TipoMensaje::Confirmacion || tipo == TipoMensaje::Pregunta;
        return pregunta && guionActivo->SiguienteConfirmacion(texto);
    }
    return PresentadorObligado(texto).Mensaje(padre, tipo, texto);
}

} // namespace

void PonerPresentador(IPresentador* presentador) {
    presentadorActivo = presentador;
}

IPresentador* Presentador() {
    return presentadorActivo;
}

void Informacion(QWidget* padre, const QString& texto) {
    Mostrar(padre, TipoMensaje::Informacion, texto);
}

bool Confirmar(QWidget* padre, const QString& texto) {
    return Mostrar(padre, TipoMensaje::Confirmacion, texto);
}

bool Preguntar(QWidget* padre, const QString& texto) {
    return Mostrar(padre, TipoMensaje::Pregunta, texto);
}

void Error(QWidget* padre, const QString& texto) {
    Mostrar(padre, TipoMensaje::Error, texto);
}

QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo);
    return PresentadorObligado(titulo).ArchivoParaGuardar(padre, titulo, carpeta, filtro);
}

QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro, QString& filtroElegido) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo, &filtroElegido);
    return PresentadorObligado(titulo).ArchivoParaGuardarConFiltro(padre, titulo, carpeta, filtro,
                                                                   filtroElegido);
}

QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                         const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo);
    return PresentadorObligado(titulo).ArchivoParaAbrir(padre, titulo, carpeta, filtro);
}

QStringList ArchivosParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                              const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguientesArchivos(titulo);
    return PresentadorObligado(titulo).ArchivosParaAbrir(padre, titulo, carpeta, filtro);
}

QString ArchivoParaExportar(QWidget* padre, const QString& titulo, const QString& sugerido,
                            const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo);
    return PresentadorObligado(titulo).ArchivoParaExportar(padre, titulo, sugerido, filtro);
}

void MostrarAyuda(QWidget* padre, ContextoAyuda c) {
    const int contexto = Numero(c);
    if (guionActivo) {
        guionActivo->AyudasAbiertas.append(contexto);
        // A scripted run still moves the viewer, without showing it.
        if (presentadorActivo)
            presentadorActivo->MostrarAyuda(padre, contexto, false);
        return;
    }
    PresentadorObligado(QStringLiteral("ayuda %1").arg(contexto))
        .MostrarAyuda(padre, contexto, true);
}

TGuion::TGuion() : anterior(guionActivo) {
    guionActivo = this;
}
TGuion::~TGuion() {
    guionActivo = anterior;
}
TGuion* TGuion::Activo() {
    return guionActivo;
}

void TGuion::Confirmaciones(std::initializer_list<bool> respuestas) {
    confirmaciones.insert(confirmaciones.end(), respuestas.begin(), respuestas.end());
}
void TGuion::Dialogo(AccionDialogo accion) {
    dialogos.push_back(std::move(accion));
}
void TGuion::Archivo(const QString& nombre) {
    archivos.push_back({nombre, QString(), false});
}
void TGuion::Archivo(const QString& nombre, const QString& filtro) {
    archivos.push_back({nombre, filtro, true});
}
void TGuion::Archivos(const QStringList& nombres) {
    listasArchivos.push_back(nombres);
}

bool TGuion::SiguienteConfirmacion(const QString& texto) {
    if (confirmaciones.empty()) {
        if (HayConfirmacionPorDefecto)
            return ConfirmacionPorDefecto;
        throw std::logic_error("Confirmación no prevista: " + texto.toStdString());
    }
    const bool r = confirmaciones.front();
    confirmaciones.pop_front();
    return r;
}

TGuion::AccionDialogo TGuion::SiguienteAccionDialogo(const QString& nombre) {
    DialogosMostrados.append(nombre);
    if (dialogos.empty())
        throw std::logic_error("Diálogo no previsto: " + nombre.toStdString());
    AccionDialogo accion = std::move(dialogos.front());
    dialogos.pop_front();
    return accion;
}

QString TGuion::SiguienteArchivo(const QString& titulo, QString* filtroElegido) {
    TitulosArchivo.append(titulo);
    if (archivos.empty())
        throw std::logic_error("Diálogo de archivo no previsto: " + titulo.toStdString());
    const TArchivo r = archivos.front();
    archivos.pop_front();
    if (filtroElegido && r.ConFiltro)
        *filtroElegido = r.Filtro;
    return r.Nombre;
}

QStringList TGuion::SiguientesArchivos(const QString& titulo) {
    TitulosArchivo.append(titulo);
    if (listasArchivos.empty())
        throw std::logic_error("Diálogo de archivos no previsto: " + titulo.toStdString());
    QStringList r = listasArchivos.front();
    listasArchivos.pop_front();
    return r;
}

} // namespace brivo::ui
