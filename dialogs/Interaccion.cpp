#include "Interaccion.h"
#include "TextosComunes.h"

#include <QFileDialog>
#include <QFileInfo>
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

// The first extension of a filter such as "Word 2007+ (*.docx)": "docx"
// ("" for "Todos (*)").
QString PrimeraExtension(const QString& filtro) {
    const qsizetype inicio = filtro.indexOf(QStringLiteral("(*."));
    if (inicio < 0)
        return {};
    const qsizetype desde = inicio + 3;
    qsizetype fin = desde;
    while (fin < filtro.size() && filtro[fin].isLetterOrNumber())
        ++fin;
    return filtro.mid(desde, fin - desde);
}

QString GuardarParaExportar(QWidget* padre, const QString& titulo, const QString& sugerido,
                            const QString& filtro) {
    QFileDialog dialogo(padre, titulo, sugerido, filtro);
    dialogo.setObjectName(QStringLiteral("DialogoExportar"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    // The caller asks before an existing file is replaced.
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, true);
    // The filter that matches the suggested name's extension is chosen, and
    // a name typed without extension takes the chosen filter's.
    const QString sufijo = QFileInfo(sugerido).suffix().toLower();
    for (const QString& f : filtro.split(QStringLiteral(";;"))) {
        if (!sufijo.isEmpty() && PrimeraExtension(f) == sufijo)
            dialogo.selectNameFilter(f);
    }
    dialogo.setDefaultSuffix(PrimeraExtension(dialogo.selectedNameFilter()));
    QObject::connect(
        &dialogo, &QFileDialog::filterSelected, &dialogo,
        [&dialogo](const QString& f) { dialogo.setDefaultSuffix(PrimeraExtension(f)); });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
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
    QStringList ArchivosParaAbrir(QWidget* padre, const QString& titulo, const QString& carpeta,
                                  const QString& filtro) override {
        return QFileDialog::getOpenFileNames(padre, titulo, carpeta, filtro);
    }
    QString ArchivoParaExportar(QWidget* padre, const QString& titulo, const QString& sugerido,
                                const QString& filtro) override {
        return GuardarParaExportar(padre, titulo, sugerido, filtro);
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
