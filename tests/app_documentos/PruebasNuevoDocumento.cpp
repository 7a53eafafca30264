// New documents: paths, the permission message, record defaults,
// descriptions by place, the first free slot and the last row made active.
#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include "EntornoDocumentos.h"
#include "ModeloGridPreg.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class NuevoDocumento : public BaseDocumentos {
protected:
    void PrepararLibreria(TAlmacen& a) override {
        // Slots 1..14 in use under Química, 16 and 17 under Mecánica, three
        // question models, one exam.
        for (int k = 1; k <= 14; ++k)
            PonerDocumento(a, k, IdFisica, 11, 0, 0);
        PonerDocumento(a, 16, IdFisica, 10, 20, 0);
        PonerDocumento(a, 17, IdFisica, 10, 20, 30);
        PonerDocumento(a, 20, IdFisica, 1, 1, 0);
        PonerDocumento(a, 21, IdFisica, 1, 1, 0);
        PonerDocumento(a, 22, IdOtro, 1, 1, 0);
        PonerDocumento(a, 30, IdFisica, 1, 3, 0);
        PonerDocumento(a, 25, IdFisica, 10, 99, 0); // its tema was deleted
    }
};

TEST_F(NuevoDocumento, RutaDelDocumentoSegunSuLibro) {
    PonerDocumento(A(), 7, IdFisica, 11, 0, 0);
    EXPECT_EQ(RutaDocumento(form->Almacen(), 7), carpeta.Ruta() + "Docs/Fisica/K000007.doc");
    EXPECT_EQ(RutaDocumento(form->Almacen(), 22), carpeta.Ruta() + "Docs/otro/K000022.doc");
    // A book that does not exist, and numbers outside the table: no path.
    PonerDocumento(A(), 40, 999999, 11, 0, 0);
    EXPECT_EQ(RutaDocumento(form->Almacen(), 40), QString());
    EXPECT_EQ(RutaDocumento(form->Almacen(), 0), QString());
    EXPECT_EQ(RutaDocumento(form->Almacen(), 501), QString());
}

TEST_F(NuevoDocumento, LibroQueNoPermiteAnadirMuestraElAviso) {
    A().Libros[1].PermitirMasDoc = false;
    Seleccionar("Mecánica");
    const TDocumento antes = A().Documentos[15];
    form->Anadirdocumento1->trigger();
    ASSERT_EQ(guion.Mensajes.size(), 1);
    EXPECT_EQ(guion.Mensajes[0].Tipo, ui::TipoMensaje::Informacion);
    EXPECT_EQ(guion.Mensajes[0].Texto,
              QStringLiteral("No está permitido añadir documentos al libro activo. \r\n"
                             "Puede modificar este comportamiento en Libro/Propiedades\r\n"
                             "si dispone del identificador de este libro"));
    EXPECT_EQ(A().Documentos[15].Numero, 0);
    EXPECT_EQ(antes.Numero, 0);
    EXPECT_EQ(Listados(), (QList<int>{16, 17}));
}

TEST_F(NuevoDocumento, ValoresDeUnDocumentoNuevoEnUnNodoDeUsuario) {
    Seleccionar("Mecánica");
    ASSERT_EQ(A().DocActual, 16);
    form->SBNuevoDoc->click();
    EXPECT_TRUE(guion.Mensajes.isEmpty());

    const TDocumento& d = A().Documentos[15];
    EXPECT_EQ(d.Numero, 15);
    EXPECT_EQ(d.Descripcion.Texto(), QStringLiteral("Documento 15"));
    EXPECT_EQ(d.IdLibro, IdFisica);
    EXPECT_EQ(d.IdMateria, 10);
    EXPECT_EQ(d.IdTema, 20);
    EXPECT_EQ(d.IdContenido, 0);
    EXPECT_FALSE(d.Marcado);
    EXPECT_EQ(d.Dificultad, 0);
    EXPECT_EQ(d.Tipo, 0);
    EXPECT_EQ(d.Usos, 0);
    EXPECT_EQ(d.Similitud, 0);
    EXPECT_EQ(d.Puntos, 0.0);
    EXPECT_TRUE(d.Respuesta.Vacia());
    for (int r : d.Reservado)
        EXPECT_EQ(r, 0);
    EXPECT_EQ(d.FechaCreacion.Texto(), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(d.FechaUso.Texto(), QStringLiteral("01/01/1900"));
    // The editor has not been opened since the start.
    EXPECT_EQ(d.Formato.Texto(), QStringLiteral("DOC0"));

    // Listed again, in slot order; the last row is the active row and its
    // document the current one. No file exists while the editor is closed.
    EXPECT_EQ(Listados(), (QList<int>{15, 16, 17}));
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 2);
    EXPECT_EQ(A().DocActual, 17);
    EXPECT_EQ(A().DocAnterior, 15);
    EXPECT_FALSE(QFile::exists(Ruta(15)));

    // The grid shows the new record's cells.
    auto* modelo = form->ModeloGridPreg;
    EXPECT_EQ(modelo->GridPregGetCellData(1, TModeloGridPreg::ColUsado).toString(), "01/01/1900");
}

TEST_F(NuevoDocumento, DescripcionPorNodoEspecialYNumeroDeListados) {
    Seleccionar("Modelos de pregunta");
    ASSERT_EQ(A().NumListados, 3);
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[15].Descripcion.Texto(), QStringLiteral("Modelo de documento 4"));
    EXPECT_EQ(A().Documentos[15].IdMateria, 1);
    EXPECT_EQ(A().Documentos[15].IdTema, 1);

    Seleccionar("Modelos de examen");
    ASSERT_EQ(A().NumListados, 0);
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[18].Descripcion.Texto(), QStringLiteral("Modelo de examen 1"));

    Seleccionar("Exámenes");
    ASSERT_EQ(A().NumListados, 1);
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[19].Descripcion.Texto(), QStringLiteral("Examen 2"));

    // Elsewhere the slot numbers it, whatever is listed.
    Seleccionar("Cinemática");
    ASSERT_EQ(A().NumListados, 1);
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[23].Descripcion.Texto(), QStringLiteral("Documento 23"));
    EXPECT_EQ(A().Documentos[23].IdContenido, 30);
}

TEST_F(NuevoDocumento, FormatoConLaVersionDelEditor) {
    Seleccionar("Química");
    AbrirEditor();
    EXPECT_EQ(form->Banco().VersionEditor, 9.0);
    form->BEditarClick(); // closed again: the version read stays
    EXPECT_FALSE(form->EditorAbierto());
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[15].Formato.Texto(), QStringLiteral("DOC9"));
}

TEST_F(NuevoDocumento, SinHuecoLibreNoSeCreaNada) {
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (!A().Documentos[k].Usado())
            PonerDocumento(A(), k, IdFisica, 11, 0, 0);
    Seleccionar("Mecánica");
    ASSERT_EQ(A().DocActual, 16);
    EXPECT_EQ(form->Banco().CrearDocumento(10, 20, 0), 0);
    EXPECT_EQ(A().DocActual, 16);
    // The command leaves the grid as it was: the active row stays on 16.
    form->SBNuevoDocClick();
    EXPECT_TRUE(guion.Mensajes.isEmpty());
    EXPECT_EQ(Listados(), (QList<int>{16, 17}));
    EXPECT_EQ(A().DocActual, 16);
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 0);
}

TEST_F(NuevoDocumento, SinNodoSeleccionadoNoSeCreaNada) {
    form->Arbol->setCurrentIndex(QModelIndex());
    ASSERT_EQ(form->NodoSeleccionado(), nullptr);
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[15].Numero, 0);
}

TEST_F(NuevoDocumento, EnNoAsignadosYEnUtilesSoloLosListaTodos) {
    Seleccionar("Química");
    AbrirEditor();
    Seleccionar("No asignados");
    ASSERT_EQ(Listados(), (QList<int>{25}));
    ASSERT_EQ(A().DocActual, 25);

    form->SBNuevoDocClick();
    const TDocumento& a = A().Documentos[15];
    EXPECT_EQ((TLugar{a.IdMateria, a.IdTema, a.IdContenido}), (TLugar{1, 4, 0}));
    EXPECT_EQ(a.Descripcion.Texto(), QStringLiteral("Documento 15"));
    EXPECT_EQ(Listados(), (QList<int>{25}));
    // With the editor open the new document got its file from the question
    // model and the editor shows it; the active row did not change.
    EXPECT_TRUE(TextoDe(Ruta(15), QString::number(IdFisica)).contains("#PREG"));
    EXPECT_EQ(A().DocActual, 15);
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(15));

    Seleccionar("Útiles");
    form->SBNuevoDocClick();
    const TDocumento& b = A().Documentos[18];
    EXPECT_EQ((TLugar{b.IdMateria, b.IdTema, b.IdContenido}), (TLugar{1, 0, 0}));
    EXPECT_EQ(b.Descripcion.Texto(), QStringLiteral("Documento 18"));
    EXPECT_TRUE(form->GridPreg->isHidden());
    EXPECT_EQ(A().DocActual, 0);
    EXPECT_FALSE(QFile::exists(Ruta(18)));

    Seleccionar("Todos");
    EXPECT_TRUE(Listados().contains(15));
    EXPECT_TRUE(Listados().contains(18));
    Seleccionar("No asignados");
    EXPECT_FALSE(Listados().contains(15));
    EXPECT_FALSE(Listados().contains(18));
}

TEST_F(NuevoDocumento, ConElEditorAbiertoElDocumentoNuevoTieneArchivoEnSeguida) {
    Seleccionar("Química");
    AbrirEditor();
    ASSERT_EQ(A().DocActual, 1);
    EXPECT_TRUE(QFile::exists(Ruta(1)));
    form->SBNuevoDocClick();
    // The new document got its file; its row, the last, is the active row.
    EXPECT_TRUE(QFile::exists(Ruta(15)));
    EXPECT_EQ(A().DocActual, 15);
    EXPECT_EQ(form->GridPreg->currentIndex().row(), 14);
    ASSERT_TRUE(form->Banco().WordDocument);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(15));
    EXPECT_EQ(form->Banco().DocumentosAbiertos(), 1);

    // Each new document under Mecánica gets its file and the editor moves on.
    Seleccionar("Mecánica");
    form->SBNuevoDocClick();
    EXPECT_EQ(Listados(), (QList<int>{16, 17, 18}));
    form->SBNuevoDocClick();
    EXPECT_EQ(Listados(), (QList<int>{16, 17, 18, 19}));
    ASSERT_EQ(A().Documentos[19].IdTema, 20);
    EXPECT_TRUE(QFile::exists(Ruta(18)));
    EXPECT_TRUE(QFile::exists(Ruta(19)));
    EXPECT_EQ(A().DocActual, 19);
    EXPECT_EQ(form->Banco().WordDocument->FullName(), Ruta(19));
}

TEST_F(NuevoDocumento, UnArchivoSinRegistroSeApartaAntesDeUsarSuHueco) {
    // K000015.doc is on disk, named by no record (left by a crash); BAK
    // already holds a file of that name from an earlier time.
    EscribirTexto(Ruta(15), QStringLiteral("CONTENIDO AJENO"));
    QDir(carpeta.Ruta()).mkpath("BAK/Fisica");
    EscribirTexto(carpeta.Archivo("BAK/Fisica/K000015.doc"), QStringLiteral("COPIA ANTERIOR"));
    Seleccionar("Mecánica");
    AbrirEditor();
    form->SBNuevoDocClick();

    // The new document starts from the question model, not from the file.
    ASSERT_EQ(A().Documentos[15].Numero, 15);
    const QString texto = TextoDe(Ruta(15), QString::number(IdFisica));
    EXPECT_TRUE(texto.contains("#PREG")) << texto.toStdString();
    EXPECT_FALSE(texto.contains("CONTENIDO AJENO"));
    // The old file went to BAK under a new name; nothing there was replaced.
    const QString apartado = carpeta.Archivo("BAK/Fisica/K000015 (2).doc");
    EXPECT_EQ(TextoDe(apartado), QStringLiteral("CONTENIDO AJENO"));
    EXPECT_EQ(TextoDe(carpeta.Archivo("BAK/Fisica/K000015.doc")), QStringLiteral("COPIA ANTERIOR"));
    // The user is told which file went where.
    const QStringList avisos = Textos(guion, ui::TipoMensaje::Informacion);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(Ruta(15))) << avisos[0].toStdString();
    EXPECT_TRUE(avisos[0].contains(apartado)) << avisos[0].toStdString();

    // With the editor closed the file is moved as well, before the record
    // exists: the editor later opens the model for it.
    form->BEditarClick();
    EscribirTexto(Ruta(18), QStringLiteral("OTRO AJENO"));
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[18].Numero, 18);
    EXPECT_FALSE(QFile::exists(Ruta(18)));
    EXPECT_EQ(TextoDe(carpeta.Archivo("BAK/Fisica/K000018.doc")), QStringLiteral("OTRO AJENO"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Informacion).size(), 2);
}

TEST_F(NuevoDocumento, SiElArchivoSinRegistroNoSePuedeApartarNoSeCreaElDocumento) {
    EscribirTexto(Ruta(15), QStringLiteral("CONTENIDO AJENO"));
    // BAK is a file: nothing can be moved into it.
    EscribirTexto(carpeta.Archivo("BAK"), QStringLiteral("no es una carpeta"));
    Seleccionar("Mecánica");
    form->SBNuevoDocClick();
    EXPECT_EQ(A().Documentos[15].Numero, 0);
    EXPECT_EQ(Listados(), (QList<int>{16, 17}));
    EXPECT_EQ(TextoDe(Ruta(15)), QStringLiteral("CONTENIDO AJENO"));
    EXPECT_EQ(Textos(guion, ui::TipoMensaje::Error).size(), 1);
}

} // namespace
