#include "Interaccion.h"
#include "TextosComunes.h"

#include <stdexcept>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace brivo::ui {

namespace {
TGuion* guionActivo = nullptr;

QMessageBox::StandardButton Caja(QWidget* padre, QMessageBox::Icon icono, const QString& texto,
                                 bool conCancelar) {
    QMessageBox caja(icono, QString::fromUtf8(textos::NombrePrograma), texto,
                     conCancelar ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok,
                     padre);
    caja.button(QMessageBox::Ok)->setText(QString::fromUtf8(textos::Aceptar));
    if (conCancelar)
        caja.button(QMessageBox::Cancel)->setText(QString::fromUtf8(textos::Cancelar));
    caja.setDefaultButton(QMessageBox::Ok);
    return static_cast<QMessageBox::StandardButton>(caja.exec());
}

QString NombreDialogo(const QDialog& d) {
    return d.objectName().isEmpty() ? QString::fromLatin1(d.metaObject()->className())
                                    : d.objectName();
}
} // namespace

void Informacion(QWidget* padre, const QString& texto) {
    if (guionActivo) {
        guionActivo->Mensajes.append({TipoMensaje::Informacion, texto});
        return;
    }
    Caja(padre, QMessageBox::Information, texto, false);
}

bool Confirmar(QWidget* padre, const QString& texto) {
    if (guionActivo) {
        guionActivo->Mensajes.append({TipoMensaje::Confirmacion, texto});
        return guionActivo->SiguienteConfirmacion(texto);
    }
    return Caja(padre, QMessageBox::Question, texto, true) == QMessageBox::Ok;
}

bool Preguntar(QWidget* padre, const QString& texto) {
    if (guionActivo) {
        guionActivo->Mensajes.append({TipoMensaje::Pregunta, texto});
        return guionActivo->SiguienteConfirmacion(texto);
    }
    QMessageBox caja(QMessageBox::Question, QString::fromUtf8(textos::NombrePrograma), texto,
                     QMessageBox::Yes | QMessageBox::No, padre);
    caja.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    caja.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    // Enter alone never gives the answer that may destroy something.
    caja.setDefaultButton(QMessageBox::No);
    caja.setEscapeButton(QMessageBox::No);
    return caja.exec() == QMessageBox::Yes;
}

void Error(QWidget* padre, const QString& texto) {
    if (guionActivo) {
        guionActivo->Mensajes.append({TipoMensaje::Error, texto});
        return;
    }
    Caja(padre, QMessageBox::Critical, texto, false);
}

int Ejecutar(QDialog& dialogo) {
    if (guionActivo) {
        guionActivo->DialogosMostrados.append(NombreDialogo(dialogo));
        return guionActivo->SiguienteDialogo(dialogo);
    }
    return dialogo.exec();
}

QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                           const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo);
    return QFileDialog::getSaveFileName(padre, titulo, carpeta, filtro);
}

QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                         const QString& filtro) {
    if (guionActivo)
        return guionActivo->SiguienteArchivo(titulo);
    return QFileDialog::getOpenFileName(padre, titulo, carpeta, filtro);
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
    archivos.push_back(nombre);
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

int TGuion::SiguienteDialogo(QDialog& d) {
    if (dialogos.empty())
        throw std::logic_error("Diálogo no previsto: " + NombreDialogo(d).toStdString());
    AccionDialogo accion = std::move(dialogos.front());
    dialogos.pop_front();
    return accion(d);
}

QString TGuion::SiguienteArchivo(const QString& titulo) {
    TitulosArchivo.append(titulo);
    if (archivos.empty())
        throw std::logic_error("Diálogo de archivo no previsto: " + titulo.toStdString());
    QString r = archivos.front();
    archivos.pop_front();
    return r;
}

} // namespace brivo::ui
