#include "PropExam.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Ajustes.h"
#include "ComunDialogos.h"
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
    setFixedSize(385, 226);
    BOK->setGeometry(221, 192, 75, 25);
    BCancelar->setGeometry(302, 192, 75, 25);
    connect(BOK, &QPushButton::clicked, this, &TFormPropExamen::BOKClick);
    setTabOrder(EdTextoComentario, BOK);
    setTabOrder(BOK, BCancelar);
    CBPregunta->setFocus();
    dialogos::CentrarEnPantalla(*this);
    FormCreate();
}

void TFormPropExamen::FormCreate() {
    MostrarOpciones(ajustes);
}

void TFormPropExamen::BOKClick() {
    GuardarOpciones(ajustes);
    accept();
}

} // namespace brivo
