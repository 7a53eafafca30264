#include "Interaccion.h"
#include "TextosComunes.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "Ayuda.h"

namespace brivo::ui {

namespace {

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

bool PreguntaSiNo(QWidget* padre, const QString& texto) {
    QMessageBox caja(QMessageBox::Question, QString::fromUtf8(textos::NombrePrograma), texto,
                     QMessageBox::Yes | QMessageBox::No, padre);
    caja.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    caja.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    // Enter alone never gives the answer that may destroy something.
    caja.setDefaultButton(QMessageBox::No);
    caja.setEscapeButton(QMessageBox::No);
    return caja.exec() == QMessageBox::Yes;
}

class TPresentadorQt : public IPresentador {
public:
    bool Mensaje(QWidget* padre, TipoMensaje tipo, const QString& texto) override {
        switch (tipo) {
        case TipoMensaje::Informacion:
            Caja(padre, QMessageBox::Information, texto, false);
            return false;
        case TipoMensaje::Confirmacion:
            return Caja(padre, QMessageBox::Question, texto, true) == QMessageBox::Ok;
        case TipoMensaje::Error:
            Caja(padre, QMessageBox::Critical, texto, false);
            return false;
        case TipoMensaje::Pregunta:
            return PreguntaSiNo(padre, texto);
        }
        return false;
    }
    QString ArchivoParaGuardar(QWidget* padre, const QString& titulo, const QString& carpeta,
                               const QString& filtro) override {
        return QFileDialog::getSaveFileName(padre, titulo, carpeta, filtro);
    }
    QString ArchivoParaGuardarConFiltro(QWidget* padre, const QString& titulo,
                                        const QString& carpeta, const QString& filtro,
                                        QString& filtroElegido) override {
        return QFileDialog::getSaveFileName(padre, titulo, carpeta, filtro, &filtroElegido);
    }
    QString ArchivoParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                             const QString& filtro) override {
        return QFileDialog::getOpenFileName(padre, titulo, carpeta, filtro);
    }
    void MostrarAyuda(QWidget* padre, int contexto, bool mostrar) override {
        ayuda::Abrir(padre, contexto, mostrar);
    }
};

} // namespace

int Ejecutar(QDialog& dialogo) {
    if (TGuion* guion = TGuion::Activo())
        return guion->SiguienteDialogo(dialogo);
    return dialogo.exec();
}

void UsarPresentadorQt() {
    static TPresentadorQt presentador;
    PonerPresentador(&presentador);
}

} // namespace brivo::ui
