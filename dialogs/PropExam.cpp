#include "PropExam.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "Ajustes.h"
#include "Azar.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"

namespace brivo {

namespace {

constexpr int AltoControl = 21;

QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& texto, int x, int ancho) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setGeometry(x, 14, ancho, 17);
    return c;
}

QLineEdit* Edicion(QWidget* padre, const char* nombre, QLabel*& etiqueta, const char* nombreLabel,
                   const QString& texto, int y) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setGeometry(168, y, 209, AltoControl);
    etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QString::fromLatin1(nombreLabel));
    etiqueta->setGeometry(8, y + 3, 158, 17);
    etiqueta->setBuddy(e);
    QString accesible = texto;
    accesible.chop(1); // the colon
    e->setAccessibleName(accesible);
    return e;
}

} // namespace

TDialogoOpcionesExamen::TDialogoOpcionesExamen(QWidget* padre, const QString& textoLabel1)
    : QDialog(padre) {
    // Both option dialogs stay above the other windows.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // The fixed positions below are measured for a small dialog font, the
    // one the tree and the grids use; with a larger one captions are cut.
    setFont(QFont(QStringLiteral("Arial"), 8));

    Label1 = new QLabel(textoLabel1, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 369, 17);
    PanelSecciones = new QFrame(this);
    PanelSecciones->setObjectName(QStringLiteral("Panel1"));
    PanelSecciones->setFrameShape(QFrame::StyledPanel);
    PanelSecciones->setFrameShadow(QFrame::Sunken);
    PanelSecciones->setGeometry(8, 26, 369, 45);
    PanelSecciones->setAccessibleName(textoLabel1.chopped(1));
    // Side by side, each box ending where the next begins.
    CBPregunta = Casilla(PanelSecciones, "CBPregunta", QStringLiteral("Pregunta"), 8, 90);
    CBDesarrollo = Casilla(PanelSecciones, "CBDesarrollo", QStringLiteral("Desarrollo"), 98, 90);
    CBRespuesta = Casilla(PanelSecciones, "CBRespuesta", QStringLiteral("Respuesta"), 188, 84);
    CBComentarios =
        Casilla(PanelSecciones, "CBComentarios", QStringLiteral("Comentarios"), 272, 90);

    EdNumeraPreg = Edicion(this, "EdNumeraPreg", Label2, "Label2",
                           QStringLiteral("Numeración de preguntas:"), 82);
    EdTextoDesarrollo = Edicion(this, "EdTextoDesarrollo", Label3, "Label3",
                                QStringLiteral("Texto antes de desarollo:"), 108);
    EdTextoRespuesta = Edicion(this, "EdTextoRespuesta", Label4, "Label4",
                               QStringLiteral("Texto antes de respuesta:"), 134);
    EdTextoComentario = Edicion(this, "EdTextoComentario", Label5, "Label5",
                                QStringLiteral("Texto antes de comentario:"), 160);

    BOK = dialogos::Boton(this, "BOK", QStringLiteral("&OK"));
    BOK->setDefault(true);
    BCancelar = dialogos::Boton(this, "BCancelar", QString::fromUtf8(textos::BotonCancelar));
    connect(BCancelar, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(CBPregunta, CBDesarrollo);
    setTabOrder(CBDesarrollo, CBRespuesta);
    setTabOrder(CBRespuesta, CBComentarios);
    setTabOrder(CBComentarios, EdNumeraPreg);
    setTabOrder(EdNumeraPreg, EdTextoDesarrollo);
    setTabOrder(EdTextoDesarrollo, EdTextoRespuesta);
    setTabOrder(EdTextoRespuesta, EdTextoComentario);
}

void TDialogoOpcionesExamen::MostrarOpciones(const TAjustes& a) {
    CBPregunta->setChecked(a.PonPregunta);
    CBDesarrollo->setChecked(a.PonDesarrollo);
    CBRespuesta->setChecked(a.PonRespuesta);
    CBComentarios->setChecked(a.PonComentario);
    EdNumeraPreg->setText(a.TextoPregunta);
    EdTextoDesarrollo->setText(a.TextoDesarrollo);
    EdTextoRespuesta->setText(a.TextoRespuesta);
    EdTextoComentario->setText(a.TextoComentario);
}

void TDialogoOpcionesExamen::GuardarOpciones(TAjustes& a) const {
    a.PonPregunta = CBPregunta->isChecked();
    a.PonDesarrollo = CBDesarrollo->isChecked();
    a.PonRespuesta = CBRespuesta->isChecked();
    a.PonComentario = CBComentarios->isChecked();
    a.TextoPregunta = TextoDeAjuste(EdNumeraPreg->text());
    a.TextoDesarrollo = TextoDeAjuste(EdTextoDesarrollo->text());
    a.TextoRespuesta = TextoDeAjuste(EdTextoRespuesta->text());
    a.TextoComentario = TextoDeAjuste(EdTextoComentario->text());
}

TFormPropExamen::TFormPropExamen(TAjustes& a, QWidget* padre)
    : TDialogoOpcionesExamen(padre, QStringLiteral("Imprimir:")), ajustes(a) {
    dialogos::PrepararDialogo(*this, "TFormPropExamen", QString::fromUtf8(textos::CrearExamen),
                              Contexto);
    CrearControlesVersiones();
    // The versions' controls lie between the label edits and the buttons.
    setFixedSize(385, 308);
    BOK->setGeometry(221, 274, 75, 25);
    BCancelar->setGeometry(302, 274, 75, 25);
    connect(BOK, &QPushButton::clicked, this, &TFormPropExamen::BOKClick);
    setTabOrder(EdTextoComentario, SpinEditVersiones);
    setTabOrder(SpinEditVersiones, CBHojaRespuestas);
    setTabOrder(CBHojaRespuestas, EdSemilla);
    setTabOrder(EdSemilla, BOK);
    setTabOrder(BOK, BCancelar);
    CBPregunta->setFocus();
    dialogos::CentrarEnPantalla(*this);
    creacion.Semilla = NuevaSemilla();
    FormCreate();
}

void TFormPropExamen::CrearControlesVersiones() {
    SpinEditVersiones = new QSpinBox(this);
    SpinEditVersiones->setObjectName(QStringLiteral("SpinEditVersiones"));
    SpinEditVersiones->setRange(1, MaxVersiones);
    SpinEditVersiones->setGeometry(168, 190, 50, AltoControl);
    SpinEditVersiones->setAccessibleName(QStringLiteral("Versiones"));
    LabVersiones = new QLabel(QStringLiteral("&Versiones:"), this);
    LabVersiones->setObjectName(QStringLiteral("LabVersiones"));
    LabVersiones->setGeometry(8, 193, 158, 17);
    LabVersiones->setBuddy(SpinEditVersiones);

    CBHojaRespuestas = new QCheckBox(QStringLiteral("Crear también la &hoja de respuestas"), this);
    CBHojaRespuestas->setObjectName(QStringLiteral("CBHojaRespuestas"));
    CBHojaRespuestas->setGeometry(8, 218, 369, 17);

    EdSemilla = new QLineEdit(this);
    EdSemilla->setObjectName(QStringLiteral("EdSemilla"));
    EdSemilla->setGeometry(168, 242, 209, AltoControl);
    EdSemilla->setMaxLength(20);
    EdSemilla->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,20}")), EdSemilla));
    EdSemilla->setAccessibleName(QStringLiteral("Semilla"));
    EdSemilla->setAccessibleDescription(
        QStringLiteral("El mismo número vuelve a dar los mismos órdenes de las versiones"));
    LabSemilla = new QLabel(QStringLiteral("&Semilla:"), this);
    LabSemilla->setObjectName(QStringLiteral("LabSemilla"));
    LabSemilla->setGeometry(8, 245, 158, 17);
    LabSemilla->setBuddy(EdSemilla);
}

void TFormPropExamen::FormCreate() {
    MostrarOpciones(ajustes);
    PonerCreacion(creacion);
}

void TFormPropExamen::PonerCreacion(const TOpcionesCreacion& c) {
    creacion = c;
    SpinEditVersiones->setValue(c.Versiones);
    CBHojaRespuestas->setChecked(c.HojaRespuestas);
    EdSemilla->setText(QString::number(c.Semilla));
}

void TFormPropExamen::BOKClick() {
    const std::optional<std::uint64_t> semilla = dialogos::SemillaEscrita(this, EdSemilla);
    if (!semilla)
        return;
    GuardarOpciones(ajustes);
    creacion.Versiones = SpinEditVersiones->value();
    creacion.HojaRespuestas = CBHojaRespuestas->isChecked();
    creacion.Semilla = *semilla;
    accept();
}

} // namespace brivo
