#include "Opciones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

QComboBox* ListaModelos(QWidget* padre, const char* nombre, const QString& descripcion, int y) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setAccessibleName(descripcion);
    c->setToolTip(descripcion);
    // Text may be typed; it never becomes an item of the list.
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(8, y, 353, 21);
    return c;
}

void Seleccionar(QComboBox& lista, int posicion) {
    if (posicion >= 0 && posicion < lista.count())
        lista.setCurrentIndex(posicion);
    else
        lista.setCurrentIndex(-1);
}

} // namespace

TFormOpciones::TFormOpciones(TAlmacen& a, QWidget* padre)
    : TDialogoOpcionesExamen(padre, QStringLiteral("Al crear examen, imprimir:")), almacen(a) {
    dialogos::PrepararDialogo(*this, "TFormOpciones", QStringLiteral("Opciones"), Contexto);
    setFixedSize(385, 292);

    PanelModelos = new QFrame(this);
    PanelModelos->setObjectName(QStringLiteral("Panel2"));
    PanelModelos->setFrameShape(QFrame::StyledPanel);
    PanelModelos->setFrameShadow(QFrame::Sunken);
    PanelModelos->setGeometry(8, 190, 369, 62);
    PanelModelos->setAccessibleName(QStringLiteral("Modelos"));
    CBModeloPreguntas =
        ListaModelos(PanelModelos, "CBModeloPreguntas", QStringLiteral("Modelo de preguntas"), 6);
    CBModeloExamenes =
        ListaModelos(PanelModelos, "CBModeloExamenes", QStringLiteral("Modelo de exámenes"), 34);

    BAyuda = dialogos::Boton(this, "BAyuda", QString::fromUtf8(textos::BotonAyuda));
    BOK->setGeometry(140, 260, 75, 25);
    BCancelar->setGeometry(221, 260, 75, 25);
    BAyuda->setGeometry(302, 260, 75, 25);
    connect(BOK, &QPushButton::clicked, this, &TFormOpciones::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, &TFormOpciones::BAyudaClick);

    setTabOrder(EdTextoComentario, CBModeloPreguntas);
    setTabOrder(CBModeloPreguntas, CBModeloExamenes);
    setTabOrder(CBModeloExamenes, BOK);
    setTabOrder(BOK, BCancelar);
    setTabOrder(BCancelar, BAyuda);
    CBPregunta->setFocus();
    dialogos::CentrarEnPantalla(*this);
    FormCreate();
}

void TFormOpciones::FormCreate() {
    MostrarOpciones(almacen.Ajustes);
    CBModeloPreguntas->clear();
    CBModeloExamenes->clear();
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = almacen.Documentos[static_cast<size_t>(k)];
        if (d.Numero < 1 || d.IdMateria != 1)
            continue;
        if (d.IdTema == 1)
            CBModeloPreguntas->addItem(d.Descripcion.Texto());
        else if (d.IdTema == 2)
            CBModeloExamenes->addItem(d.Descripcion.Texto());
    }
    Seleccionar(*CBModeloPreguntas, almacen.Ajustes.NumModeloPreguntas);
    Seleccionar(*CBModeloExamenes, almacen.Ajustes.NumModeloExamenes);
}

int TFormOpciones::PosicionElegida(const QComboBox& lista) {
    const QString texto = lista.currentText();
    const int actual = lista.currentIndex();
    if (actual >= 0 && lista.itemText(actual) == texto)
        return actual;
    // Typed text counts as choosing the item it matches exactly.
    return lista.findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TFormOpciones::BOKClick() {
    GuardarOpciones(almacen.Ajustes);
    almacen.Ajustes.NumModeloPreguntas = PosicionElegida(*CBModeloPreguntas);
    almacen.Ajustes.NumModeloExamenes = PosicionElegida(*CBModeloExamenes);
    almacen.BuscarModelos();
    accept();
}

void TFormOpciones::BAyudaClick() {
    ui::MostrarAyuda(this, Contexto);
}

void OpcionesGenerales(TAlmacen& almacen, QWidget* padre) {
    TFormOpciones dialogo(almacen, padre);
    ui::Ejecutar(dialogo);
}

} // namespace brivo
