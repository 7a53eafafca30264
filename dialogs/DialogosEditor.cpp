#include "DialogosEditor.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "ClaveExportacion.h"
#include "EditorVentana.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo::dialogos {

using word::DialogosEditor;

TPreguntaGuardar::TPreguntaGuardar(QWidget* padre, const QString& documento) : QDialog(padre) {
    setObjectName(QStringLiteral("TPreguntaGuardar"));
    setWindowTitle(QString::fromUtf8(textos::NombrePrograma));
    auto* icono = new QLabel(this);
    icono->setObjectName(QStringLiteral("LabIcono"));
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icono->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(lado, lado));
    icono->setAccessibleName(QStringLiteral("Pregunta"));
    LabPregunta =
        new QLabel(QStringLiteral("¿Desea guardar los cambios en %1?").arg(documento), this);
    LabPregunta->setObjectName(QStringLiteral("LabPregunta"));
    LabPregunta->setTextFormat(Qt::PlainText);
    LabPregunta->setWordWrap(true);

    auto* botones = new QDialogButtonBox(this);
    BSi = botones->addButton(QStringLiteral("&Sí"), QDialogButtonBox::YesRole);
    BSi->setObjectName(QStringLiteral("BSi"));
    BNo = botones->addButton(QStringLiteral("&No"), QDialogButtonBox::NoRole);
    BNo->setObjectName(QStringLiteral("BNo"));
    BCancelar =
        botones->addButton(QString::fromUtf8(textos::Cancelar), QDialogButtonBox::RejectRole);
    BCancelar->setObjectName(QStringLiteral("BCancelar"));
    BSi->setDefault(true);
    connect(BSi, &QPushButton::clicked, this, [this] { done(Si); });
    connect(BNo, &QPushButton::clicked, this, [this] { done(No); });
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(icono, 0, Qt::AlignTop);
    arriba->addSpacing(10);
    arriba->addWidget(LabPregunta, 1);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(arriba);
    caja->addWidget(botones);
    BSi->setFocus();
}

TDialogoTabla::TDialogoTabla(QWidget* padre, int filas, int columnas) : QDialog(padre) {
    setObjectName(QStringLiteral("TDialogoTabla"));
    setWindowTitle(QStringLiteral("Insertar tabla"));
    auto* forma = new QFormLayout(this);
    SpinEditFilas = new QSpinBox(this);
    SpinEditFilas->setObjectName(QStringLiteral("SpinEditFilas"));
    SpinEditFilas->setRange(1, 100);
    SpinEditFilas->setValue(filas);
    SpinEditColumnas = new QSpinBox(this);
    SpinEditColumnas->setObjectName(QStringLiteral("SpinEditColumnas"));
    SpinEditColumnas->setRange(1, 20);
    SpinEditColumnas->setValue(columnas);
    forma->addRow(QStringLiteral("&Filas:"), SpinEditFilas);
    forma->addRow(QStringLiteral("&Columnas:"), SpinEditColumnas);
    auto* botones = new QDialogButtonBox(this);
    BOK = botones->addButton(QString::fromUtf8(textos::Aceptar), QDialogButtonBox::AcceptRole);
    BOK->setObjectName(QStringLiteral("BOK"));
    BCancelar =
        botones->addButton(QString::fromUtf8(textos::Cancelar), QDialogButtonBox::RejectRole);
    BCancelar->setObjectName(QStringLiteral("BCancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    forma->addRow(botones);
}

namespace {

DialogosEditor::Respuesta PreguntarGuardar(QWidget* padre, const QString& documento) {
    TPreguntaGuardar pregunta(padre, documento);
    switch (ui::Ejecutar(pregunta)) {
    case TPreguntaGuardar::Si:
        return DialogosEditor::Respuesta::Si;
    case TPreguntaGuardar::No:
        return DialogosEditor::Respuesta::No;
    default:
        return DialogosEditor::Respuesta::Cancelar;
    }
}

bool PedirTabla(QWidget* padre, int& filas, int& columnas) {
    TDialogoTabla dialogo(padre, filas, columnas);
    if (ui::Ejecutar(dialogo) != QDialog::Accepted)
        return false;
    filas = dialogo.SpinEditFilas->value();
    columnas = dialogo.SpinEditColumnas->value();
    return true;
}

std::optional<QColor> ElegirColor(QWidget* padre, const QColor& actual) {
    QColorDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("TDialogoColor"));
    dialogo.setWindowTitle(QStringLiteral("Color del texto"));
    dialogo.setCurrentColor(actual);
    if (ui::Ejecutar(dialogo) != QDialog::Accepted || !dialogo.selectedColor().isValid())
        return std::nullopt;
    return dialogo.selectedColor();
}

std::optional<QString> PedirContrasena(QWidget* padre) {
    QInputDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("TDialogoContrasena"));
    dialogo.setWindowTitle(QStringLiteral("Contraseña"));
    dialogo.setLabelText(
        QStringLiteral("Contraseña para abrir el documento (vacía: sin contraseña):"));
    dialogo.setTextEchoMode(QLineEdit::Password);
    if (ui::Ejecutar(dialogo) != QDialog::Accepted)
        return std::nullopt;
    return dialogo.textValue();
}

bool ConfigurarImpresora(QWidget* padre, QPrinter& impresora) {
    QPrintDialog dialogo(&impresora, padre);
    dialogo.setObjectName(QStringLiteral("TDialogoImprimir"));
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    return ui::Ejecutar(dialogo) == QDialog::Accepted;
}

} // namespace

void InstalarDialogosEditor() {
    DialogosEditor& d = word::DialogosDelEditor();
    d.PreguntarGuardar = PreguntarGuardar;
    d.ElegirImagen = [](QWidget* padre) {
        return ui::ArchivoParaAbrir(
            padre, QStringLiteral("Insertar imagen"), QString(),
            QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.gif *.bmp);;Todos (*)"));
    };
    d.ElegirColor = ElegirColor;
    d.PedirTabla = PedirTabla;
    d.ElegirPdf = [](QWidget* padre, const QString& sugerido) {
        return ui::ArchivoParaGuardar(padre, QStringLiteral("Exportar a PDF"), sugerido,
                                      QStringLiteral("Documentos PDF (*.pdf)"));
    };
    d.ElegirGuardarComo = [](QWidget* padre, const QString& sugerido) {
        return ui::ArchivoParaGuardar(padre, QStringLiteral("Guardar como"), sugerido,
                                      QStringLiteral("Documentos (*.doc);;Todos (*)"));
    };
    d.ElegirExportacion = ElegirExportacion;
    d.PedirContrasena = PedirContrasena;
    d.ConfigurarImpresora = ConfigurarImpresora;
    d.MostrarError = ui::Error;
}

} // namespace brivo::dialogos
