// Deleting documents, the editor through the book dialogs, and closing the
// program with the editor open.
#include <QFile>
#include <QTableView>

#include "EntornoDocumentos.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Borrado : public BaseDocumentos {
protected:
    void PrepararLibreria(TAlmacen& a) override {
        for (int k = 1; k <= 10; ++k)
            PonerDocumento(a, k, IdFisica, 11, 0, 0);
        PonerDocumento(a, 12, 999999, 10, 20, 0); // its book is gone
        PonerDocumento(a, 13, IdFisica, 10, 20, 30);
    }
    QString Clave() const { return QString::number(IdFisica); }
    int FilaActiva() const { return form->GridPreg->currentIndex().row() + 1; }
};

TEST_F(Borrado, ElPrimerHuecoLibreSeReutilizaConSuNombreDeArchivo) {
    Seleccionar("Química");
    AbrirEditor();
    Mover(3);
    ASSERT_TRUE(QFile::exists(Ruta(3)));
    form->Borrardocumento1->trigger();

    EXPECT_FALSE(QFile::exists(Ruta(3)));
    const TDocumento& d = A().Documentos[3];
    EXPECT_EQ(d.Numero, 0);
    EXPECT_EQ(d.IdLibro, 0);
    EXPECT_EQ(d.IdMateria, 0);
    EXPECT_TRUE(d.Descripcion.Vacia());
    EXPECT_TRUE(d.FechaCreacion.Vacia());
    EXPECT_TRUE(d.Formato.Vacia());
    // The row before became current and the editor shows it.
    EXPECT_EQ(Listados(), (QList<int>{1, 2, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(A().DocActual, 2);
    EXPECT_EQ(FilaActiva(), 2);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(2));
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 1);

    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[3].Numero, 3);
    EXPECT_EQ(A().Documentos[3].Descripcion.Texto(), QStringLiteral("Documento 3"));
    EXPECT_TRUE(QFile::exists(carpeta.Archivo("Docs/Fisica/K000003.doc")));
    EXPECT_TRUE(TextoDe(Ruta(3), Clave()).contains("#PREG"));
    // The last row (document 10) is now the active row and current.
    EXPECT_EQ(A().DocActual, 10);
    EXPECT_EQ(FilaActiva(), 10);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(10));
}

TEST_F(Borrado, BorrarLaPrimeraFilaPasaALaSiguiente) {
    Seleccionar("Química");
    AbrirEditor();
    ASSERT_EQ(A().DocActual, 1);
    form->SBBorraDocClick();
    EXPECT_FALSE(QFile::exists(Ruta(1)));
    EXPECT_EQ(A().Documentos[1].Numero, 0);
    // Row 2 (document 2) became current; after the listing its row is row 1.
    EXPECT_EQ(A().DocActual, 2);
    EXPECT_EQ(Listados().first(), 2);
    EXPECT_EQ(FilaActiva(), 1);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(2));
}

TEST_F(Borrado, BorrarElUnicoDocumentoDejaElGridOculto) {
    Seleccionar("Cinemática");
    AbrirEditor();
    ASSERT_EQ(A().DocActual, 13);
    ASSERT_TRUE(QFile::exists(Ruta(13)));
    form->SBBorraDocClick();
    EXPECT_FALSE(QFile::exists(Ruta(13)));
    EXPECT_EQ(A().Documentos[13].Numero, 0);
    EXPECT_EQ(A().DocActual, 0);
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(Borrado, SinDocumentoActualNoSeBorraNada) {
    Seleccionar("Útiles");
    ASSERT_EQ(A().DocActual, 0);
    const auto antes = A().Documentos;
    form->SBBorraDocClick();
    for (int k = 1; k <= MaxDocumentos; ++k)
        EXPECT_EQ(A().Documentos[k].Numero, antes[k].Numero);
}

TEST_F(Borrado, DocumentoSinLibroSeBorraSinTocarArchivos) {
    Seleccionar("Mecánica");
    ASSERT_EQ(Listados(), (QList<int>{12, 13}));
    ASSERT_EQ(A().DocActual, 12);
    EscribirTexto(Ruta(13), QStringLiteral("Contenido del 13"));
    form->SBBorraDocClick();
    EXPECT_EQ(A().Documentos[12].Numero, 0);
    EXPECT_EQ(Listados(), (QList<int>{13}));
    EXPECT_EQ(A().DocActual, 13);
    EXPECT_TRUE(QFile::exists(Ruta(13)));
}

TEST_F(Borrado, CambiarDeLibroConElEditorAbiertoGuardaElDocumento) {
    Seleccionar("Química");
    AbrirEditor();
    Escribir(QStringLiteral("Antes de cambiar de libro"));
    guion.Dialogo(ElegirLibro(QStringLiteral("Otro")));
    form->Cambiardelibroactual1Click();
    EXPECT_EQ(A().LibroActivo, 2);
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Antes de cambiar de libro"));
}

TEST_F(Borrado, EliminarElLibroActivoConElEditorAbierto) {
    Seleccionar("Química");
    AbrirEditor();
    Mover(2);
    ASSERT_TRUE(QFile::exists(Ruta(1)));
    ASSERT_TRUE(QFile::exists(Ruta(2)));
    guion.Dialogo(EliminarLibro());
    guion.Dialogo(ElegirLibro(QStringLiteral("Otro")));
    form->Eliminarlibro1Click();
    EXPECT_EQ(A().LibroActivo, 2);
    // The book's documents and files are gone, and the editor neither keeps
    // one of them open nor makes their files again.
    EXPECT_EQ(A().Documentos[2].Numero, 0);
    EXPECT_FALSE(QFile::exists(Ruta(1)));
    EXPECT_FALSE(QFile::exists(Ruta(2)));
    EXPECT_FALSE(QFile::exists(carpeta.Archivo("Docs/Fisica")));
    EXPECT_TRUE(form->EditorAbierto());
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 0);
    EXPECT_EQ(Listados(), (QList<int>{12}));
    EXPECT_TRUE(Textos(guion, ui::TipoMensaje::Error).isEmpty());
}

TEST_F(Borrado, CerrarElProgramaConElEditorAbiertoGuardaElDocumentoActual) {
    Seleccionar("Química");
    AbrirEditor();
    Mover(4);
    Escribir(QStringLiteral("Última edición antes de salir"));
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(TextoDe(Ruta(4), Clave()).contains("Última edición antes de salir"));
    // The word processor had no documents left and was quit.
    EXPECT_FALSE(form->Banco().WordApplication->Conectado());
    EXPECT_TRUE(carpeta.Existe("Docs.lst"));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(Borrado, CerrarElProgramaDejaAbiertoElProcesadorConOtrosDocumentos) {
    Seleccionar("Química");
    AbrirEditor();
    // A document the user opened on their own.
    EscribirTexto(carpeta.Archivo("propio.txt"), QStringLiteral("mío"));
    form->Banco().WordApplication->DocumentsOpen(carpeta.Archivo("propio.txt"), {});
    Mover(2);
    Escribir(QStringLiteral("Del documento 2"));
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(TextoDe(Ruta(2), Clave()).contains("Del documento 2"));
    EXPECT_TRUE(form->Banco().WordApplication->Conectado());
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 1);
}

TEST_F(Borrado, UnFalloAlSalirDelProcesadorSeMuestraYElCierreSigue) {
    TMotorConFallos& motor = MotorConFallos(*form);
    motor.FallaQuit = true;
    Seleccionar("Química");
    AbrirEditor();
    Escribir(QStringLiteral("Guardado aunque falle la salida"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(motor.Quits, 1);
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Error);
    EXPECT_EQ(guion.Mensajes[0].Texto, QStringLiteral("El procesador de textos no responde."));
    EXPECT_FALSE(motor.Conectado());
    EXPECT_TRUE(TextoDe(Ruta(1), Clave()).contains("Guardado aunque falle la salida"));
    // The library was written all the same.
    TAlmacen leido;
    leido.CarpetaPrograma = carpeta.Ruta();
    leido.CargarLibreria();
    EXPECT_EQ(leido.Documentos[1].Numero, 1);
}

} // namespace
