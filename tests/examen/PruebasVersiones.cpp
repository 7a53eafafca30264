// "Crear examen" with versions and answer sheets, through the main window and
// the embedded word processor: the dialog's new controls (placed without
// overlapping the old ones, in Tab order, the seed checked), and the
// versions, sheets, use counts and editor at the end.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "EntornoExamen.h"
#include "Texto.h"
#include "TextosQt.h"

using namespace brivo;
using namespace pruebas;

namespace {

class Versiones : public TEntornoExamen {
protected:
    // Questions 3, 4 and 5; 4 is a "Test" whose letter goes on the sheet.
    void ConTresPreguntas() {
        Arrancar([](TAlmacen& a) {
            PonerDocumento(a, 3, IdLibro, 2, 0, 0);
            PonerDocumento(a, 4, IdLibro, 2, 0, 0);
            PonerDocumento(a, 5, IdLibro, 2, 0, 0);
            a.Documentos[4].Tipo = 1;
            a.Documentos[4].Respuesta = QStringLiteral("D");
        });
        EscribirTexto(3, QStringLiteral("#PREG\nTres\n#RESP\nRespuesta tres"));
        EscribirTexto(4, QStringLiteral("#PREG\nCuatro"));
        EscribirTexto(5, QStringLiteral("#PREG\nCinco"));
        for (int i = 1; i <= 3; ++i)
            A().ListaExamen[i] = i + 2;
    }
    static ui::TGuion::AccionDialogo Con(int versiones, bool hoja, const QString& semilla) {
        return Aceptar([=](TFormPropExamen& f) {
            f.SpinEditVersiones->setValue(versiones);
            f.CBHojaRespuestas->setChecked(hoja);
            f.EdSemilla->setText(semilla);
        });
    }
    // The records under "Exámenes", in slot order.
    std::vector<int> Examenes() {
        std::vector<int> r;
        for (int k = 1; k <= MaxDocumentos; ++k)
            if (A().Documentos[k].Usado() && A().Documentos[k].IdMateria == 1 &&
                A().Documentos[k].IdTema == 3)
                r.push_back(k);
        return r;
    }
};

TEST_F(Versiones, LosControlesNuevosNoPisanLosDeSiempre) {
    Arrancar();
    TFormPropExamen f(A().Ajustes);
    EXPECT_EQ(f.SpinEditVersiones->minimum(), 1);
    EXPECT_EQ(f.SpinEditVersiones->maximum(), 4);
    EXPECT_EQ(f.SpinEditVersiones->value(), 1);
    EXPECT_FALSE(f.CBHojaRespuestas->isChecked());
    EXPECT_EQ(f.CBHojaRespuestas->text(), QStringLiteral("Crear también la &hoja de respuestas"));
    EXPECT_EQ(f.LabVersiones->buddy(), f.SpinEditVersiones);
    EXPECT_EQ(f.LabSemilla->buddy(), f.EdSemilla);
    bool numero = false;
    EXPECT_GT(f.EdSemilla->text().toULongLong(&numero), 0u);
    EXPECT_TRUE(numero);
    // Two dialogs draw two seeds.
    EXPECT_NE(TFormPropExamen(A().Ajustes).EdSemilla->text(), f.EdSemilla->text());

    // No two controls of the dialog overlap, and Tab goes from the last label
    // edit through the new controls to the buttons.
    QList<QWidget*> hijos;
    for (QObject* o : f.children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            hijos << w;
    for (qsizetype i = 0; i < hijos.size(); ++i)
        for (qsizetype j = i + 1; j < hijos.size(); ++j)
            EXPECT_FALSE(hijos[i]->geometry().intersects(hijos[j]->geometry()))
                << hijos[i]->objectName().toStdString() << " / "
                << hijos[j]->objectName().toStdString();
    for (QWidget* w : hijos)
        EXPECT_TRUE(f.rect().contains(w->geometry())) << w->objectName().toStdString();
    QWidget* w = f.EdTextoComentario;
    QStringList cadena;
    for (int i = 0; i < 5; ++i) {
        w = w->nextInFocusChain();
        // The spin box's own line edit belongs to it.
        while (!(w->focusPolicy() & Qt::TabFocus) || w->parentWidget() == f.SpinEditVersiones)
            w = w->nextInFocusChain();
        cadena << w->objectName();
    }
    EXPECT_EQ(cadena,
              (Utf8({"SpinEditVersiones", "CBHojaRespuestas", "EdSemilla", "BOK", "BCancelar"})));
}

TEST_F(Versiones, UnaSemillaQueNoEsNumeroNoCierraElDialogo) {
    Arrancar();
    A().Ajustes.PonComentario = false;
    TFormPropExamen f(A().Ajustes);
    f.CBComentarios->setChecked(true);
    f.SpinEditVersiones->setValue(3);
    f.EdSemilla->setText(QStringLiteral("18446744073709551616"));
    f.BOK->click();
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error),
              Utf8({"La semilla ha de ser un número entero sin signo, de 0 a "
                    "18446744073709551615."}));
    EXPECT_FALSE(A().Ajustes.PonComentario); // nothing stored
    f.EdSemilla->setText(QStringLiteral("18446744073709551615"));
    f.BOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(A().Ajustes.PonComentario);
    EXPECT_EQ(f.Creacion().Versiones, 3);
    EXPECT_EQ(f.Creacion().Semilla, 18446744073709551615ull);
}

TEST_F(Versiones, TresVersionesConSusHojas) {
    ConTresPreguntas();
    guion.Dialogo(Con(3, true, QStringLiteral("5")));
    form->BCrearExamenClick();

    const std::vector<int> examenes = Examenes();
    ASSERT_EQ(examenes.size(), 6u);
    QStringList descripciones;
    for (int k : examenes)
        descripciones << A().Documentos[k].Descripcion.Texto();
    EXPECT_EQ(descripciones, (Utf8({"Examen 1 - Versión A", "Examen 1 - Versión B",
                                    "Examen 1 - Versión C", "Respuestas - Versión A",
                                    "Respuestas - Versión B", "Respuestas - Versión C"})));
    // Version A keeps the list's order; each version numbers from 1.
    EXPECT_EQ(ParrafosArchivo(RutaDoc(examenes[0])),
              QStringLiteral("EXAMEN|Versión A|Pregunta 1 |Tres||Pregunta 2 |Cuatro||"
                             "Pregunta 3 |Cinco|"));
    EXPECT_EQ(ParrafosArchivo(RutaDoc(examenes[3])),
              QStringLiteral("EXAMEN|Respuestas - Examen 1 - Versión A|1.|Respuesta tres|2. D|"
                             "3.|"));
    QStringList ordenes;
    for (int v = 0; v < 3; ++v) {
        const QString examen = ParrafosArchivo(RutaDoc(examenes[static_cast<size_t>(v)]));
        EXPECT_TRUE(examen.contains(QStringLiteral("|Pregunta 3 |")));
        EXPECT_FALSE(examen.contains(QStringLiteral("Pregunta 4")));
        // The sheet follows its version's order: the letter D is on the line
        // of the number "Cuatro" has in that version.
        const QStringList p = examen.split(QLatin1Char('|'));
        const int cuatro = static_cast<int>(p.indexOf(QStringLiteral("Cuatro")));
        ASSERT_GT(cuatro, 0);
        const QString numero = p[cuatro - 1].mid(9, 1); // "Pregunta n "
        EXPECT_TRUE(ParrafosArchivo(RutaDoc(examenes[static_cast<size_t>(v) + 3]))
                        .contains(QLatin1Char('|') + numero + QStringLiteral(". D|")))
            << v;
        ordenes << examen.section(QLatin1Char('|'), 2);
    }
    EXPECT_EQ(QSet<QString>(ordenes.begin(), ordenes.end()).size(), 3);

    // Counted once, version A in the editor and its row active.
    for (int k = 3; k <= 5; ++k) {
        EXPECT_EQ(A().Documentos[k].Usos, 1);
        EXPECT_EQ(A().Documentos[k].FechaUso.Texto(), Hoy());
    }
    EXPECT_EQ(A().DocActual, examenes[0]);
    EXPECT_TRUE(ParrafosExamen().startsWith(QStringLiteral("EXAMEN|Versión A|")));
    EXPECT_EQ(form->Banco().WordApplication->DocumentsCount(), 1);
    ASSERT_EQ(A().NumListados, 6);
    EXPECT_EQ(A().ListaPreg[form->GridPreg->currentIndex().row() + 1], examenes[0]);

    // The next exam offers the same versions again, with a new seed.
    guion.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormPropExamen&>(d);
        EXPECT_EQ(f.SpinEditVersiones->value(), 3);
        EXPECT_TRUE(f.CBHojaRespuestas->isChecked());
        EXPECT_NE(f.EdSemilla->text(), QStringLiteral("5"));
        f.BCancelar->click();
        return d.result();
    });
    form->BCrearExamenClick();
    EXPECT_EQ(Examenes().size(), 6u);
}

TEST_F(Versiones, LaMismaSemillaDaLosMismosOrdenes) {
    ConTresPreguntas();
    guion.Dialogo(Con(4, false, QStringLiteral("123")));
    form->BCrearExamenClick();
    guion.Dialogo(Con(4, false, QStringLiteral("123")));
    form->BCrearExamenClick();
    const std::vector<int> examenes = Examenes();
    ASSERT_EQ(examenes.size(), 8u);
    EXPECT_EQ(A().Documentos[examenes[4]].Descripcion.Texto(),
              QStringLiteral("Examen 5 - Versión A"));
    for (size_t v = 0; v < 4; ++v)
        EXPECT_EQ(ParrafosArchivo(RutaDoc(examenes[v])), ParrafosArchivo(RutaDoc(examenes[v + 4])))
            << v;
    EXPECT_EQ(A().Documentos[3].Usos, 2); // two creations
}

} // namespace
