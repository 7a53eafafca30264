// "Crear examen" and "Opciones": controls and texts, values shown and stored,
// the model lists and the models found again.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "EntornoExamen.h"
#include "Opciones.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Opciones : public TEntornoExamen {
protected:
    void SetUp() override {
        // Question models in slots 4, 9 and 12, exam models in 6 and 2.
        Arrancar([](TAlmacen& a) {
            PonerDocumento(a, 12, IdLibro, 1, 1, 0, "Modelo C");
            PonerDocumento(a, 4, IdLibro, 1, 1, 0, "Modelo A");
            PonerDocumento(a, 9, IdLibro, 1, 1, 0, "Modelo B");
            PonerDocumento(a, 6, IdLibro, 1, 2, 0, "Examen Y");
            PonerDocumento(a, 2, IdLibro, 1, 2, 0, "Examen X");
            PonerDocumento(a, 7, IdLibro, 2, 0, 0, "Pregunta");
            a.Ajustes.NumModeloPreguntas = 2;
            a.Ajustes.NumModeloExamenes = 1;
        });
    }
    static QStringList Items(const QComboBox* c) {
        QStringList r;
        for (int i = 0; i < c->count(); ++i)
            r << c->itemText(i);
        return r;
    }
};

// Every caption of a fixed-size dialog is seen whole: no label, check box or
// button is narrower than its text needs.
void ComprobarTextosEnteros(const QWidget& dialogo) {
    for (const QWidget* w : dialogo.findChildren<QWidget*>()) {
        int necesario = 0;
        if (qobject_cast<const QLabel*>(w) || qobject_cast<const QCheckBox*>(w)) {
            necesario = w->sizeHint().width();
        } else if (const auto* b = qobject_cast<const QPushButton*>(w)) {
            // A push button's size hint has a minimum width of its own; what
            // matters is its text between the margins.
            const int margen = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
            necesario =
                b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) + 2 * margen;
        } else {
            continue;
        }
        EXPECT_LE(necesario, w->width()) << qPrintable(w->objectName()) << " cuts its text in "
                                         << qPrintable(dialogo.objectName());
    }
}

TEST_F(Opciones, LosTextosCabenEnLosDosDialogos) {
    TFormPropExamen examen(A().Ajustes);
    ComprobarTextosEnteros(examen);
    TFormOpciones opciones(A());
    ComprobarTextosEnteros(opciones);
}

TEST_F(Opciones, ControlesDeCrearExamen) {
    TFormPropExamen f(A().Ajustes);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Crear examen"));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Imprimir:"));
    EXPECT_EQ(f.CBPregunta->text(), QStringLiteral("Pregunta"));
    EXPECT_EQ(f.CBDesarrollo->text(), QStringLiteral("Desarrollo"));
    EXPECT_EQ(f.CBRespuesta->text(), QStringLiteral("Respuesta"));
    EXPECT_EQ(f.CBComentarios->text(), QStringLiteral("Comentarios"));
    // The check boxes sit in a panel of their own.
    EXPECT_EQ(f.CBPregunta->parentWidget(), f.PanelSecciones);
    EXPECT_EQ(f.CBComentarios->parentWidget(), f.PanelSecciones);
    EXPECT_EQ(f.Label2->text(), QStringLiteral("Numeración de preguntas:"));
    EXPECT_EQ(f.Label3->text(), QStringLiteral("Texto antes de desarollo:"));
    EXPECT_EQ(f.Label4->text(), QStringLiteral("Texto antes de respuesta:"));
    EXPECT_EQ(f.Label5->text(), QStringLiteral("Texto antes de comentario:"));
    EXPECT_EQ(f.BOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(f.BCancelar->text(), QStringLiteral("&Cancelar"));
    EXPECT_EQ(f.findChild<QPushButton*>("BAyuda"), nullptr);
    // The values of the settings (defaults of a first run).
    EXPECT_TRUE(f.CBPregunta->isChecked());
    EXPECT_FALSE(f.CBDesarrollo->isChecked());
    EXPECT_EQ(f.EdNumeraPreg->text(), QStringLiteral("Pregunta % "));
    EXPECT_EQ(f.EdTextoComentario->text(), QStringLiteral("Comentario"));
}

TEST_F(Opciones, CrearExamenGuardaSoloConOK) {
    const TAjustes antes = A().Ajustes;
    {
        TFormPropExamen f(A().Ajustes);
        f.CBPregunta->setChecked(false);
        f.EdTextoRespuesta->setText("Sol.");
        f.BCancelar->click();
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
    EXPECT_EQ(A().Ajustes, antes);
    TFormPropExamen f(A().Ajustes);
    f.CBPregunta->setChecked(false);
    f.CBRespuesta->setChecked(true);
    f.EdNumeraPreg->setText(QString(150, QLatin1Char('p')));
    f.EdTextoDesarrollo->setText(QString());
    f.EdTextoRespuesta->setText("Sol.");
    f.BOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(A().Ajustes.PonPregunta);
    EXPECT_TRUE(A().Ajustes.PonRespuesta);
    // Cut to 100 characters; empty texts and texts without "%" are accepted.
    EXPECT_EQ(A().Ajustes.TextoPregunta, QString(100, QLatin1Char('p')));
    EXPECT_EQ(A().Ajustes.TextoDesarrollo, QString());
    EXPECT_EQ(A().Ajustes.TextoRespuesta, QStringLiteral("Sol."));
    EXPECT_EQ(A().Ajustes.NumModeloPreguntas, antes.NumModeloPreguntas);
}

// The heading texts hold single-byte Windows-1252 text of 100 characters:
// what the teacher types is stored as the next run will read it back, in
// both dialogs (a character without such a form becomes "?", one outside the
// basic plane counts as one, line breaks become blanks).
TEST_F(Opciones, LosTextosSeGuardanComoLosLeeraElSiguienteArranque) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QString largo = QStringLiteral("€");
    for (int i = 0; i < 60; ++i)
        largo += emoji;
    largo += QString(50, QChar(0xF1)); // ñ
    const QString largoGuardado =
        QStringLiteral("€") + QString(60, QLatin1Char('?')) + QString(39, QChar(0xF1));
    const struct {
        QString tecleado, guardado;
    } casos[] = {
        {QStringLiteral("Pregunta № % ☃"), QStringLiteral("Pregunta ? % ?")},
        {largo, largoGuardado},
        {QStringLiteral("Línea\nsiguiente\r"), QStringLiteral("Línea siguiente ")},
        {QStringLiteral("«Sección» –1–"), QStringLiteral("«Sección» –1–")},
    };
    const QString ini = carpeta.Ruta() + QStringLiteral("ajustes de prueba.ini");
    for (const auto& c : casos) {
        TFormOpciones opciones(A());
        opciones.EdNumeraPreg->setText(c.tecleado);
        opciones.EdTextoComentario->setText(c.tecleado);
        opciones.BOK->click();
        TAjustes enSesion = A().Ajustes;
        TFormPropExamen examen(enSesion);
        examen.EdTextoDesarrollo->setText(c.tecleado);
        examen.BOK->click();
        EXPECT_EQ(enSesion.TextoPregunta, c.guardado);
        EXPECT_EQ(enSesion.TextoComentario, c.guardado);
        EXPECT_EQ(enSesion.TextoDesarrollo, c.guardado);
        EscribirAjustes(ini, enSesion);
        EXPECT_EQ(LeerAjustes(ini), enSesion) << qPrintable(c.tecleado);
    }
}

TEST_F(Opciones, ControlesDeOpciones) {
    TFormOpciones f(A());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Opciones"));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Al crear examen, imprimir:"));
    EXPECT_EQ(f.Label3->text(), QStringLiteral("Texto antes de desarollo:"));
    EXPECT_EQ(f.BAyuda->text(), QStringLiteral("&Ayuda"));
    EXPECT_EQ(f.CBModeloPreguntas->parentWidget(), f.PanelModelos);
    EXPECT_NE(f.PanelModelos, f.PanelSecciones);
    // The models in slot order; the stored positions selected.
    EXPECT_EQ(Items(f.CBModeloPreguntas), (QStringList{"Modelo A", "Modelo B", "Modelo C"}));
    EXPECT_EQ(Items(f.CBModeloExamenes), (QStringList{"Examen X", "Examen Y"}));
    EXPECT_EQ(f.CBModeloPreguntas->currentIndex(), 2);
    EXPECT_EQ(f.CBModeloExamenes->currentIndex(), 1);
    f.BAyuda->click();
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1107});
}

TEST_F(Opciones, ElegirModelos) {
    ASSERT_EQ(A().ModeloPreguntas, 12);
    ASSERT_EQ(A().ModeloExamenes, 6);
    TFormOpciones f(A());
    f.CBModeloPreguntas->setCurrentIndex(1);
    f.CBModeloExamenes->setCurrentIndex(-1);
    f.CBComentarios->setChecked(true);
    f.BOK->click();
    EXPECT_EQ(A().Ajustes.NumModeloPreguntas, 1);
    EXPECT_EQ(A().ModeloPreguntas, 9);
    EXPECT_EQ(A().Ajustes.NumModeloExamenes, -1);
    EXPECT_EQ(A().ModeloExamenes, 0);
    EXPECT_TRUE(A().Ajustes.PonComentario);
}

TEST_F(Opciones, OKSinCambiosLoDejaTodoIgual) {
    const TAjustes antes = A().Ajustes;
    {
        TFormOpciones f(A());
        f.BOK->click();
    }
    EXPECT_EQ(A().Ajustes, antes);
    EXPECT_EQ(A().ModeloPreguntas, 12);
    EXPECT_EQ(A().ModeloExamenes, 6);
    // A stored position beyond the list selects nothing and becomes -1.
    A().Ajustes.NumModeloPreguntas = 3;
    TFormOpciones f(A());
    EXPECT_EQ(f.CBModeloPreguntas->currentIndex(), -1);
    EXPECT_EQ(f.CBModeloPreguntas->currentText(), QString());
    f.BOK->click();
    EXPECT_EQ(A().Ajustes.NumModeloPreguntas, -1);
    EXPECT_EQ(A().ModeloPreguntas, 0);
}

TEST_F(Opciones, TextoEscritoEnLasListas) {
    TFormOpciones f(A());
    // A typed text that equals an item chooses it; any other, none.
    f.CBModeloPreguntas->setEditText("Modelo A");
    f.CBModeloExamenes->setEditText("Examen");
    f.BOK->click();
    EXPECT_EQ(A().Ajustes.NumModeloPreguntas, 0);
    EXPECT_EQ(A().ModeloPreguntas, 4);
    EXPECT_EQ(A().Ajustes.NumModeloExamenes, -1);
    EXPECT_EQ(A().ModeloExamenes, 0);
    // Typing never adds an item.
    EXPECT_EQ(f.CBModeloExamenes->count(), 2);
}

TEST_F(Opciones, SinModelos) {
    for (int k : {2, 4, 6, 9, 12})
        A().Documentos[k].Vaciar();
    TFormOpciones f(A());
    EXPECT_EQ(f.CBModeloPreguntas->count(), 0);
    EXPECT_EQ(f.CBModeloExamenes->count(), 0);
    f.BOK->click();
    EXPECT_EQ(A().Ajustes.NumModeloPreguntas, -1);
    EXPECT_EQ(A().Ajustes.NumModeloExamenes, -1);
    EXPECT_EQ(A().ModeloPreguntas, 0);
    EXPECT_EQ(A().ModeloExamenes, 0);
}

TEST_F(Opciones, DesdeLaVentanaYCancelar) {
    const TAjustes antes = A().Ajustes;
    guion.Dialogo([](QDialog& d) {
        auto* f = dynamic_cast<TFormOpciones*>(&d);
        EXPECT_NE(f, nullptr);
        if (f) {
            f->CBRespuesta->setChecked(true);
            f->CBModeloPreguntas->setCurrentIndex(0);
        }
        d.reject();
        return d.result();
    });
    form->SBOpciones->click();
    EXPECT_EQ(A().Ajustes, antes);
    EXPECT_EQ(A().ModeloPreguntas, 12);
    guion.Dialogo([](QDialog& d) {
        auto* f = dynamic_cast<TFormOpciones*>(&d);
        EXPECT_NE(f, nullptr);
        if (f) {
            f->CBRespuesta->setChecked(true);
            f->CBModeloPreguntas->setCurrentIndex(0);
            f->BOKClick();
        }
        return d.result();
    });
    form->Opcionesgenerales1->trigger();
    EXPECT_TRUE(A().Ajustes.PonRespuesta);
    EXPECT_EQ(A().ModeloPreguntas, 4);
    EXPECT_EQ(guion.DialogosMostrados, (QStringList{"TFormOpciones", "TFormOpciones"}));
}

} // namespace
