// The document properties dialog opened by its command: activation,
// writing back in order, the conversion errors and Cancel.
#include <climits>
#include <utility>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include "BaseArbol.h"
#include "ModeloGridPreg.h"
#include "PropPreg.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class PropPreg : public BaseArbol {
protected:
    // Opens the properties of document k as the toolbar button does, with
    // the dialog handled by `accion`.
    void Abrir(int k, const std::function<int(TFormPropPreg&)>& accion) {
        // Document k is made current by a click on its row.
        const QList<int> filas = FilasActuales();
        ASSERT_TRUE(filas.contains(k)) << k;
        form->GridPreg->setCurrentIndex(form->ModeloGridPreg->index(filas.indexOf(k), 2));
        ASSERT_EQ(A().DocActual, k);
        guion.Dialogo([accion](QDialog& d) {
            auto* f = dynamic_cast<TFormPropPreg*>(&d);
            EXPECT_NE(f, nullptr);
            return f ? accion(*f) : int(QDialog::Rejected);
        });
        form->SBPropDoc->click();
    }
    static int Ok(TFormPropPreg& f) {
        f.BOK->click();
        return f.result();
    }
};

} // namespace

TEST_F(PropPreg, SinDocumentoActualNoAbreNada) {
    Listados("Tema vacío");
    ASSERT_EQ(A().DocActual, 0);
    form->BPropPregClick();
    form->Propiedades1->trigger();
    EXPECT_TRUE(guion.DialogosMostrados.isEmpty());
}

TEST_F(PropPreg, LaActivacionMuestraElRegistro) {
    Listados("Materia A");
    Doc(40).FechaUso = QStringLiteral("15/03/2025");
    Abrir(40, [](TFormPropPreg& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Propiedades"));
        EXPECT_EQ(f.objectName(), QStringLiteral("TFormPropPreg"));
        EXPECT_EQ(f.size(), QSize(421, 257));
        EXPECT_EQ(f.Documento(), 40);
        EXPECT_EQ(f.LabelMateria->text(), QStringLiteral("Materia A"));
        EXPECT_EQ(f.LabelTema->text(), QString());
        EXPECT_EQ(f.LabelContenido->text(), QString());
        EXPECT_EQ(f.EditDescrip->text(), QStringLiteral("Documento 40"));
        EXPECT_EQ(f.EditDescrip->maxLength(), 100);
        EXPECT_EQ(f.SpinEditDific->value(), 7);
        EXPECT_EQ(f.SpinEditDific->minimum(), INT_MIN);
        EXPECT_EQ(f.SpinEditSimil->maximum(), INT_MAX);
        EXPECT_EQ(f.EditPuntos->text(), QStringLiteral("2,5"));
        EXPECT_EQ(f.ComboBoxTipo->count(), 4);
        EXPECT_EQ(f.ComboBoxTipo->maxVisibleItems(), 4);
        EXPECT_EQ(f.ComboBoxTipo->currentText(), QStringLiteral("Prob"));
        EXPECT_EQ(f.EditResp->text(), QStringLiteral("b"));
        EXPECT_EQ(f.SpinEditSimil->value(), 4);
        EXPECT_EQ(f.LabelUsos->text(), QStringLiteral("3"));
        EXPECT_EQ(f.DTPCreada->date(), QDate(2024, 2, 1));
        EXPECT_EQ(f.DTPUsada->date(), QDate(2025, 3, 15));
        // Every editable control is named by its label.
        EXPECT_EQ(f.EditPuntos->accessibleName(), QStringLiteral("Puntuación"));
        EXPECT_EQ(f.DTPUsada->accessibleName(), QStringLiteral("Fecha último uso"));
        f.BAyuda->click();
        f.BCancelar->click();
        return f.result();
    });
    EXPECT_EQ(guion.DialogosMostrados, QStringList{"TFormPropPreg"});
    EXPECT_EQ(guion.AyudasAbiertas, QList<int>{1305});
}

TEST_F(PropPreg, ElLugarDeUnContenidoBorradoDejaSuEtiquetaVacia) {
    Listados("Tema");
    Abrir(5, [](TFormPropPreg& f) {
        EXPECT_EQ(f.LabelMateria->text(), QStringLiteral("Materia A"));
        EXPECT_EQ(f.LabelTema->text(), QStringLiteral("Tema"));
        EXPECT_EQ(f.LabelContenido->text(), QString());
        return Ok(f);
    });
    EXPECT_EQ(Lugar(5), (TLugar{10, 20, 99}));
}

TEST_F(PropPreg, OkEscribeCadaCampoYSeRepintaElGrid) {
    Listados("Materia A");
    int repintados = 0;
    QObject::connect(form->ModeloGridPreg, &QAbstractItemModel::dataChanged,
                     [&repintados] { ++repintados; });
    Abrir(40, [](TFormPropPreg& f) {
        f.EditDescrip->setText(QStringLiteral("Cambiada"));
        f.SpinEditDific->setValue(-5);
        f.EditPuntos->setText(QStringLiteral("3,25"));
        f.ComboBoxTipo->setCurrentIndex(3);
        f.EditResp->setText(QStringLiteral("abcdefghijkl"));
        f.SpinEditSimil->setValue(1234);
        f.DTPCreada->setDate(QDate(2023, 12, 31));
        f.DTPUsada->setDate(QDate(2026, 1, 2));
        return Ok(f);
    });
    const TDocumento& d = Doc(40);
    EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Cambiada"));
    EXPECT_EQ(d.Dificultad, -5);
    EXPECT_DOUBLE_EQ(d.Puntos, 3.25);
    EXPECT_EQ(d.Tipo, 3);
    EXPECT_EQ(d.Respuesta.Texto(), QStringLiteral("abcdefghij"));
    EXPECT_EQ(d.Similitud, 1234);
    EXPECT_EQ(d.Usos, 3);
    EXPECT_EQ(d.FechaCreacion.Texto(), QStringLiteral("31/12/2023"));
    EXPECT_EQ(d.FechaUso.Texto(), QStringLiteral("02/01/2026"));
    EXPECT_GT(repintados, 0);
    EXPECT_EQ(form->ModeloGridPreg->index(4, 2).data().toString(), QStringLiteral("Cambiada"));
}

TEST_F(PropPreg, PuntosQueNoSonNumeroParanLaEscrituraYCierranElDialogo) {
    Listados("Materia A");
    int resultado = -1;
    Abrir(40, [&resultado](TFormPropPreg& f) {
        f.EditDescrip->setText(QStringLiteral("Escrita"));
        f.SpinEditDific->setValue(9);
        f.EditPuntos->setText(QStringLiteral("dos"));
        f.ComboBoxTipo->setCurrentIndex(1);
        f.EditResp->setText(QStringLiteral("z"));
        f.SpinEditSimil->setValue(99);
        resultado = Ok(f);
        EXPECT_FALSE(f.isVisible());
        return resultado;
    });
    EXPECT_EQ(resultado, int(QDialog::Accepted));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error),
              QStringList{QStringLiteral("'dos' no es un valor punto flotante válido")});
    const TDocumento& d = Doc(40);
    EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Escrita"));
    EXPECT_EQ(d.Dificultad, 9);
    EXPECT_DOUBLE_EQ(d.Puntos, 2.5);
    EXPECT_EQ(d.Tipo, 2);
    EXPECT_EQ(d.Respuesta.Texto(), QStringLiteral("b"));
    EXPECT_EQ(d.Similitud, 4);
}

TEST_F(PropPreg, UnaFechaGuardadaQueNoEsFechaDaErrorYDejaElRestoComoEnDiseno) {
    Listados("Materia A");
    Doc(40).FechaCreacion = QStringLiteral("31/02/2024");
    Doc(40).FechaUso = QStringLiteral("15/03/2025");
    Abrir(40, [](TFormPropPreg& f) {
        // Everything before the dates is filled; the use date is not.
        EXPECT_EQ(f.LabelUsos->text(), QStringLiteral("3"));
        EXPECT_EQ(f.DTPUsada->date(), QDate(1900, 1, 1));
        f.BCancelar->click();
        return f.result();
    });
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error),
              QStringList{QStringLiteral("'31/02/2024' no es una fecha válida")});
    EXPECT_EQ(Doc(40).FechaCreacion.Texto(), QStringLiteral("31/02/2024"));
}

TEST_F(PropPreg, CancelarNoCambiaNada) {
    Listados("Materia A");
    const QByteArray antes = ABytes(Doc(40));
    Abrir(40, [](TFormPropPreg& f) {
        f.EditDescrip->setText(QStringLiteral("Otra"));
        f.SpinEditDific->setValue(1);
        f.EditPuntos->setText(QStringLiteral("x"));
        f.ComboBoxTipo->setCurrentIndex(0);
        f.DTPCreada->setDate(QDate(2000, 1, 1));
        f.BCancelar->click();
        return f.result();
    });
    EXPECT_EQ(ABytes(Doc(40)), antes);
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(PropPreg, UnGiroSinNumeroDaCero) {
    Listados("Materia A");
    Abrir(40, [](TFormPropPreg& f) {
        auto* texto = f.SpinEditSimil->findChild<QLineEdit*>();
        EXPECT_NE(texto, nullptr);
        if (texto)
            texto->setText(QStringLiteral("-"));
        return Ok(f);
    });
    EXPECT_EQ(Doc(40).Similitud, 0);
    EXPECT_EQ(Doc(40).Dificultad, 7);
}

TEST_F(PropPreg, ElMenuLaAbreParaUnModeloAunqueElBotonEsteOculto) {
    Listados("Modelos de pregunta");
    ASSERT_TRUE(form->SBPropDoc->isHidden());
    ASSERT_EQ(A().DocActual, 6);
    guion.Dialogo([](QDialog& d) {
        auto& f = dynamic_cast<TFormPropPreg&>(d);
        EXPECT_EQ(f.LabelMateria->text(), QStringLiteral("Útiles"));
        EXPECT_EQ(f.LabelTema->text(), QStringLiteral("Modelos de pregunta"));
        f.EditDescrip->setText(QStringLiteral("Modelo corto"));
        f.BOK->click();
        return f.result();
    });
    form->Propiedades1->trigger();
    EXPECT_EQ(guion.DialogosMostrados, QStringList{"TFormPropPreg"});
    EXPECT_EQ(Doc(6).Descripcion.Texto(), QStringLiteral("Modelo corto"));
}

TEST(LeerFecha, FormasAceptadasYRechazadas) {
    QDate f;
    const std::pair<const char*, QDate> buenas[] = {
        {"01/02/2024", QDate(2024, 2, 1)},
        {"1/2/2024 13:05", QDate(2024, 2, 1)},
        {"01/01/1900", QDate(1900, 1, 1)},
    };
    for (const auto& [texto, fecha] : buenas) {
        f = QDate();
        EXPECT_TRUE(LeerFecha(QString::fromLatin1(texto), f)) << texto;
        EXPECT_EQ(f, fecha) << texto;
    }
    for (const char* malo :
         {"", "31/02/2024", "2024-02-01", "01/13/2024", "1/2/2024 25:00", "hoy", "01/02/2024x"})
        EXPECT_FALSE(LeerFecha(QString::fromLatin1(malo), f)) << malo;
}
