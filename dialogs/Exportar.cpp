#include "Exportar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Almacen.h"
#include "Clave.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "VentanaPrincipal.h"

namespace brivo {

namespace {

QProgressBar* Indicador(QWidget* padre, const char* nombre) {
    auto* g = new QProgressBar(padre);
    g->setObjectName(QString::fromLatin1(nombre));
    g->setRange(0, 100);
    g->setValue(0);
    return g;
}

QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QString::fromLatin1(nombre));
    return c;
}

} // namespace

TFormExportar::TFormExportar(IVentanaPrincipal& v, QWidget* padre) : QDialog(padre), ventana(v) {
    dialogos::PrepararDialogo(*this, "TFormExportar", QString::fromUtf8(Titulo), ContextoAyuda);

    EdArchivo = new QLineEdit(this);
    EdArchivo->setObjectName(QStringLiteral("EdArchivo"));
    LabArchivo = new QLabel(QStringLiteral("Nombre del archivo:"), this);
    LabArchivo->setObjectName(QStringLiteral("LabArchivo"));
    LabArchivo->setBuddy(EdArchivo);
    BExplorar = dialogos::Boton(this, "BExplorar", QStringLiteral("Explorar"));
    EdClave = new QLineEdit(this);
    EdClave->setObjectName(QStringLiteral("EdClave"));
    LabClave = new QLabel(QStringLiteral("Clave:"), this);
    LabClave->setObjectName(QStringLiteral("LabClave"));
    LabClave->setBuddy(EdClave);
    LabNota1 = new QLabel(QStringLiteral("ATENCIÓN: la clave es opcional."), this);
    LabNota1->setObjectName(QStringLiteral("LabNota1"));
    LabNota2 = new QLabel(QStringLiteral("Si la utiliza, debe anotarla porque será necesaria para "
                                         "descomprimir e instalar (importar) este libro."),
                          this);
    LabNota2->setObjectName(QStringLiteral("LabNota2"));
    LabNota2->setWordWrap(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    CBClaveEnDoc = Casilla(
        Panel1, "CBClaveEnDoc",
        QStringLiteral(
            "Guardar clave en documentos (Impide modificar doc desde fuera del programa)."));
    CBPermitirCambiosEnDoc = Casilla(Panel1, "CBPermitirCambiosEnDoc",
                                     QStringLiteral("Permitir cambios en documentos."));
    CBPrmitirMasDoc =
        Casilla(Panel1, "CBPrmitirMasDoc", QStringLiteral("Permitir añadir documentos."));
    auto* cajaPanel = new QVBoxLayout(Panel1);
    cajaPanel->addWidget(CBClaveEnDoc);
    cajaPanel->addWidget(CBPermitirCambiosEnDoc);
    cajaPanel->addWidget(CBPrmitirMasDoc);

    MajorStat = Indicador(this, "MajorStat");
    MinorStat = Indicador(this, "MinorStat");
    ProgressText = new QLabel(this);
    ProgressText->setObjectName(QStringLiteral("ProgressText"));
    ProgressText->setTextFormat(Qt::PlainText);

    BCopiar = dialogos::Boton(this, "BCopiar", QStringLiteral("Exportar"));
    BCopiar->setDefault(true);
    BCancelar = dialogos::Boton(this, "BCancelar", QStringLiteral("Cancelar"));
    BAyuda = dialogos::Boton(this, "BAyuda", QStringLiteral("&Ayuda"));
    connect(BExplorar, &QPushButton::clicked, this, &TFormExportar::BExplorarClick);
    connect(BCopiar, &QPushButton::clicked, this, &TFormExportar::BCopiarClick);
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, ContextoAyuda); });

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(LabArchivo, 0, 0);
    rejilla->addWidget(EdArchivo, 0, 1);
    rejilla->addWidget(BExplorar, 0, 2);
    rejilla->addWidget(LabClave, 1, 0);
    rejilla->addWidget(EdClave, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BCopiar);
    botones->addWidget(BCancelar);
    botones->addWidget(BAyuda);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(rejilla);
    caja->addWidget(LabNota1);
    caja->addWidget(LabNota2);
    caja->addWidget(Panel1);
    caja->addWidget(MajorStat);
    caja->addWidget(MinorStat);
    caja->addWidget(ProgressText);
    caja->addLayout(botones);

    FormCreate();
    resize(560, sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

void TFormExportar::FormCreate() {
    const TAlmacen& a = ventana.Almacen();
    QDir().mkpath(CarpetaBak(a));
    const TLibro* libro = a.LibroActivoPtr();
    const TLibro vacio;
    const TLibro& l = libro ? *libro : vacio;
    setWindowTitle(QString::fromUtf8(Titulo) + QLatin1Char(' ') + l.Titulo.Texto());
    EdArchivo->setText(ArchivoExportacionPredeterminado(a, l));
    CBClaveEnDoc->setChecked(l.ClaveEnDoc);
    CBPermitirCambiosEnDoc->setChecked(l.PermitirCambiosEnDoc);
    CBPrmitirMasDoc->setChecked(l.PermitirMasDoc);
}

void TFormExportar::BExplorarClick() {
    const QString archivo = ui::ArchivoParaGuardar(this, QStringLiteral("Exportar a archivo"),
                                                   CarpetaBak(ventana.Almacen()), FiltroPaquetes());
    if (!archivo.isEmpty())
        EdArchivo->setText(archivo);
}

void TFormExportar::PonerOcupado(bool si) {
    ocupado = si;
    for (QPushButton* b : {BExplorar, BCopiar, BCancelar})
        b->setEnabled(!si);
}

void TFormExportar::BCopiarClick() {
    if (ocupado)
        return;
    if (QFileInfo(EdArchivo->text()).fileName().isEmpty()) {
        ui::Informacion(this, paquete::NoHayNombre);
        return;
    }
    const TAlmacen& a = ventana.Almacen();
    const TLibro* libro = a.LibroActivoPtr();
    if (!libro) {
        QDialog::reject();
        return;
    }
    TOpcionesPaquete opciones;
    opciones.ClaveEnDoc = CBClaveEnDoc->isChecked();
    opciones.PermitirCambiosEnDoc = CBPermitirCambiosEnDoc->isChecked();
    opciones.PermitirMasDoc = CBPrmitirMasDoc->isChecked();
    TProgreso progreso;
    progreso.Mayor = [this](const QString& i, int p, bool& c) { ProgresoMayor(i, p, c); };
    progreso.Menor = [this](const QString& i, int p, bool& c) { ProgresoMenor(i, p, c); };
    {
        // The buttons come back and the cursor is restored on every way
        // out, a thrown input/output error included.
        struct Trabajando {
            TFormExportar* f;
            explicit Trabajando(TFormExportar* d) : f(d) { f->PonerOcupado(true); }
            ~Trabajando() { f->PonerOcupado(false); }
        } trabajando(this);
        TCursorOcupado cursor;
        Resultado = ExportarPaquete(a, libro->Identificador, opciones, EdArchivo->text(),
                                    EdClave->text(), progreso);
    }
    if (!Resultado.Correcto) {
        ui::Error(this, Resultado.Mensaje);
        return;
    }
    accept();
}

void TFormExportar::ProgresoMayor(const QString&, int porcentaje, bool& cancelar) {
    cancelar = false;
    MajorStat->setValue(qBound(0, porcentaje, 100));
    QCoreApplication::processEvents();
}

void TFormExportar::ProgresoMenor(const QString& item, int porcentaje, bool& cancelar) {
    cancelar = false;
    MinorStat->setValue(qBound(0, porcentaje, 100));
    ProgressText->setText(item);
    QCoreApplication::processEvents();
}

void TFormExportar::reject() {
    if (!ocupado)
        QDialog::reject();
}

void MostrarExportar(IVentanaPrincipal& ventana) {
    TFormExportar dialogo(ventana, ventana.Ventana());
    ui::Ejecutar(dialogo);
}

QString TextoExportarNoPermitido() {
    return QStringLiteral("No está permitido exportar el libro activo. \r\n"
                          "Puede modificar este comportamiento en Libro/Propiedades\r\n"
                          "si dispone del identificador de este libro");
}

void ExportarLibro(IVentanaPrincipal& ventana) {
    TAlmacen& a = ventana.Almacen();
    const std::int32_t id = a.LibroActivoValido() ? a.Libros[a.LibroActivo].Identificador : 0;
    a.LibroConsultado = a.BuscarLibro(id);
    if (a.LibroConsultado.Identificador == 0)
        return;
    if (!a.LibroConsultado.PermitirExportar) {
        ui::Informacion(ventana.Ventana(), TextoExportarNoPermitido());
        return;
    }
    if (PedirIdentificador(ventana))
        MostrarExportar(ventana);
}

} // namespace brivo
