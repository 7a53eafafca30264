// The document bank without a window, over the fake word processor: new
// records and their numbers of origin, leftover files, the editor opening,
// saving, closing and following documents with the book's rules, and the
// add and delete commands.
#include <QDir>
#include <QFileInfo>

#include "EntornoNucleo.h"
#include "Texto.h"

namespace brivo::pruebas {

namespace {

class BancoDocumentos : public TBaseBanco {
protected:
    // The text of a document file, without its final mark.
    QString TextoDe(int k) { return LeerArchivoFalso(Ruta(k)).Texto; }
    TDocumentoFalso& Activo() {
        auto d = std::dynamic_pointer_cast<TDocumentoFalso>(motor->ActiveDocument());
        EXPECT_TRUE(d);
        return *d;
    }
};

struct CasoNuevo {
    TLugar lugar;
    int listados;
    const char* descripcion;
};

class DescripcionNuevo : public BancoDocumentos, public ::testing::WithParamInterface<CasoNuevo> {};

} // namespace

TEST_P(DescripcionNuevo, SegunElLugarYLosListados) {
    for (int k = 1; k <= 14; ++k)
        PonerDocumento(k, IdOtro, 11, 0);
    almacen.NumListados = GetParam().listados;
    almacen.DocActual = 3;
    banco->VersionEditor = 9.5;
    const TLugar l = GetParam().lugar;
    ASSERT_EQ(banco->CrearDocumento(l.Materia, l.Tema, l.Contenido), 15);
    const TDocumento& d = almacen.Documentos[15];
    EXPECT_EQ(d.Descripcion.Texto(), QString::fromUtf8(GetParam().descripcion));
    EXPECT_EQ((TLugar{d.IdMateria, d.IdTema, d.IdContenido}), l);
    EXPECT_EQ(d.Numero, 15);
    EXPECT_EQ(d.IdLibro, IdFisica);
    EXPECT_EQ(d.NumeroOrigen, 0);
    EXPECT_EQ(d.FechaCreacion.Texto(), Hoy());
    EXPECT_EQ(d.FechaUso.Texto(), QStringLiteral("01/01/1900"));
    EXPECT_EQ(d.Formato.Texto(), QStringLiteral("DOC9,5"));
    EXPECT_EQ(almacen.DocActual, 15);
    EXPECT_EQ(almacen.DocAnterior, 3);
}

INSTANTIATE_TEST_SUITE_P(Banco, DescripcionNuevo,
                         ::testing::Values(CasoNuevo{{1, 1, 0}, 3, "Modelo de documento 4"},
                                           CasoNuevo{{1, 2, 0}, 0, "Modelo de examen 1"},
                                           CasoNuevo{{1, 3, 0}, 7, "Examen 8"},
                                           CasoNuevo{{10, 20, 0}, 3, "Documento 15"},
                                           CasoNuevo{{1, 4, 0}, 2, "Documento 15"}));

TEST_F(BancoDocumentos, SinHuecoNoSeCreaNada) {
    for (int k = 1; k <= MaxDocumentos; ++k)
        PonerDocumento(k, IdOtro, 11, 0);
    almacen.DocActual = 4;
    EXPECT_EQ(banco->CrearDocumento(10, 0, 0), 0);
    EXPECT_EQ(almacen.DocActual, 4);
    EXPECT_EQ(almacen.Documentos[1].IdLibro, IdOtro);
}

// A document the import renumbered still goes by its number of origin; a new
// document of the same book in the slot of that number must not go by it too.
TEST_F(BancoDocumentos, ElNuevoNoTomaElNumeroDeOrigenDeOtro) {
    for (int k = 1; k <= 6; ++k)
        PonerDocumento(k, IdFisica, 10, 0);
    almacen.Documentos[3].NumeroOrigen = 7;             // known to its book as 7
    almacen.Documentos[5].NumeroOrigen = 8;             // and this one as 8
    PonerDocumento(20, IdOtro, 11, 0).NumeroOrigen = 9; // another book's

    struct Paso {
        int slot;
        int origen;
    };
    for (const Paso p : {Paso{7, 501}, Paso{8, 502}, Paso{9, 0}, Paso{10, 0}}) {
        ASSERT_EQ(banco->CrearDocumento(10, 0, 0), p.slot);
        EXPECT_EQ(almacen.Documentos[p.slot].NumeroOrigen, p.origen) << p.slot;
    }
    // Every document of the book goes by a number of its own.
    QList<int> origenes;
    for (int k = 1; k <= MaxDocumentos; ++k)
        if (almacen.Documentos[k].Usado() && almacen.Documentos[k].IdLibro == IdFisica)
            origenes << almacen.Documentos[k].Origen();
    EXPECT_EQ(QSet<int>(origenes.begin(), origenes.end()).size(), origenes.size());
}

TEST_F(BancoDocumentos, UnArchivoSinRegistroSeApartaABak) {
    const QString ruta = RutaDocumentoEnCarpeta(almacen, QStringLiteral("Fisica"), 1);
    EscribirArchivoFalso(ruta, {QStringLiteral("viejo"), {}, {}});
    EXPECT_TRUE(banco->ApartarArchivoDePlaza(1));
    EXPECT_FALSE(QFileInfo::exists(ruta));
    const QString bak = almacen.Ruta(QStringLiteral("BAK/Fisica/"));
    EXPECT_EQ(LeerArchivoFalso(bak + "K000001.doc").Texto, QStringLiteral("viejo"));
    EscribirArchivoFalso(ruta, {QStringLiteral("otro"), {}, {}});
    EXPECT_TRUE(banco->ApartarArchivoDePlaza(1));
    EXPECT_EQ(LeerArchivoFalso(bak + "K000001 (2).doc").Texto, QStringLiteral("otro"));
    EXPECT_EQ(TextosDe(guion).size(), 2);
    EXPECT_TRUE(TextosDe(guion)[1].startsWith(QStringLiteral("El archivo ")));
    EXPECT_TRUE(TextosDe(guion)[1].endsWith(QStringLiteral("y el documento nuevo empieza desde "
                                                           "el modelo.")));
    // A used slot, or one without a file, is left alone.
    PonerDocumento(2, IdFisica, 10, 0);
    EscribirDocumento(2, QStringLiteral("mío"));
    EXPECT_TRUE(banco->ApartarArchivoDePlaza(2));
    EXPECT_TRUE(banco->ApartarArchivoDePlaza(3));
    EXPECT_EQ(TextoDe(2), QStringLiteral("mío"));
    EXPECT_EQ(guion.Mensajes.size(), 2);
}

TEST_F(BancoDocumentos, AbrirElEditorCreaElArchivoDesdeElModeloConLaClave) {
    almacen.Libros[1].ClaveEnDoc = true;
    PonerDocumento(16, IdFisica, 10, 20);
    almacen.DocActual = 16;
    AbrirEditor();
    EXPECT_EQ(vista.EstadosEditor, std::vector<bool>{true});
    EXPECT_EQ(banco->VersionEditor, 9.0);
    const TArchivoFalso archivo = LeerArchivoFalso(Ruta(16));
    EXPECT_EQ(archivo.Texto, QStringLiteral("#PREG\nModelo de pregunta"));
    EXPECT_EQ(archivo.Clave, Clave());
    // The word processor's windows below the main window (200 high, 1068 x 842).
    word::IVentanaWord& app = motor->Window();
    EXPECT_EQ(app.Caption(), QStringLiteral("Brivo II"));
    EXPECT_TRUE(app.Visible());
    EXPECT_EQ(app.Top(), 150);
    EXPECT_EQ(app.Width(), 800);
    EXPECT_EQ(app.Height(), 458);
    EXPECT_EQ(Activo().Window().Caption(), QStringLiteral("[Física general] K000016.doc"));
    EXPECT_EQ(banco->WordDocument->FullName(), Ruta(16));
}

TEST_F(BancoDocumentos, SinProcesadorSeAvisaYElEditorCuentaComoAbierto) {
    motor->FallaConectar = true;
    banco->AbrirEditor();
    EXPECT_TRUE(banco->EditorAbierto());
    EXPECT_EQ(TextosDe(guion), QStringList{"Word puede no estar instalado"});
    banco->CerrarEditorConDocumento();
    EXPECT_FALSE(banco->EditorAbierto());
    EXPECT_EQ(vista.EstadosEditor, (std::vector<bool>{true, false}));
}

TEST_F(BancoDocumentos, AbrirDocumento) {
    PonerDocumento(1, IdFisica, 10, 0);
    PonerDocumento(2, 999999, 10, 0);   // its book is gone
    PonerDocumento(3, IdFisica, 10, 0); // no file
    EscribirDocumento(1, QStringLiteral("uno"), true);
    EXPECT_FALSE(banco->AbrirDocumento(1, true)); // the editor is closed
    AbrirEditor();
    for (int k : {2, 3, 0, -1, MaxDocumentos + 1})
        EXPECT_FALSE(banco->AbrirDocumento(k, true)) << k;
    ASSERT_TRUE(banco->AbrirDocumento(1, false));
    EXPECT_EQ(Activo().Window().WindowState(), word::EstadoVentana::Minimizada);
    EXPECT_EQ(motor->Aperturas.back().PasswordDocument, Clave());
    EXPECT_EQ(motor->Aperturas.back().WritePasswordTemplate, Clave());
    ASSERT_TRUE(banco->AbrirDocumento(TBancoDocumentos::ArchivoModeloExamenes, true));
    EXPECT_EQ(banco->WordDocument->FullName(), almacen.Ruta(QStringLiteral("nuevoexamen.doc")));
    EXPECT_TRUE(motor->Aperturas.back().PasswordDocument.isEmpty());
    // Before version 9 the window is maximised instead of placed.
    banco->CerrarEditorConDocumento();
    AbrirEditor();
    banco->VersionEditor = 8.0;
    ASSERT_TRUE(banco->AbrirDocumento(1, true));
    EXPECT_EQ(Activo().Window().WindowState(), word::EstadoVentana::Maximizada);
}

TEST_F(BancoDocumentos, CerrarDocumentoGuardaSoloSiElLibroLoPermite) {
    PonerDocumento(1, IdFisica, 10, 0).Descripcion = QStringLiteral("Primera");
    PonerDocumento(2, IdFisica, 10, 0);
    EscribirDocumento(1, QStringLiteral("uno"));
    EscribirDocumento(2, QStringLiteral("dos"));
    almacen.DocActual = 1;
    AbrirEditor();
    Activo().Texto.prepend(QStringLiteral("cambio "));
    Activo().Modificado = true;
    banco->SeguirDocumento(2); // the editor moves on: document 1 is closed and kept
    const TArchivoFalso uno = LeerArchivoFalso(Ruta(1));
    EXPECT_EQ(uno.Texto, QStringLiteral("cambio uno"));
    EXPECT_EQ(uno.Propiedades.at(word::PropTitulo), QStringLiteral("Primera"));
    EXPECT_EQ(uno.Propiedades.at(word::PropAsunto), QStringLiteral("Física general"));
    EXPECT_EQ(uno.Propiedades.at(word::PropAutor), QStringLiteral("Autor de Física general"));
    EXPECT_EQ(uno.Propiedades.at(word::PropCategoria), QStringLiteral("Física"));
    EXPECT_EQ(uno.Propiedades.at(word::PropComentarios), QStringLiteral("Libro de pruebas"));
    EXPECT_EQ(banco->WordDocument->FullName(), Ruta(2));
    EXPECT_EQ(motor->DocumentsCount(), 1);

    almacen.Libros[1].PermitirCambiosEnDoc = false;
    Activo().Texto.prepend(QStringLiteral("perdido "));
    Activo().Modificado = true;
    banco->SeguirDocumento(1);
    EXPECT_EQ(TextoDe(2), QStringLiteral("dos"));
    // Only the document the editor shows for DocActual is closed.
    almacen.DocActual = 2;
    banco->CerrarDocumento();
    EXPECT_EQ(banco->WordDocument->FullName(), Ruta(1));
    EXPECT_EQ(motor->DocumentsCount(), 1);
}

TEST_F(BancoDocumentos, ElDocumentoNuevoBajoExamenesSaleDelModeloDeExamen) {
    vista.SeleccionarNodo(Nodo(QStringLiteral("Exámenes")));
    AbrirEditor();
    ASSERT_TRUE(banco->NodoPideModeloExamen());
    ASSERT_TRUE(banco->AnadirDocumento(Nodo(QStringLiteral("Exámenes"))));
    EXPECT_EQ(TextoDe(1), QStringLiteral("EXAMEN"));
    EXPECT_EQ(almacen.Documentos[1].Descripcion.Texto(), QStringLiteral("Examen 1"));
    EXPECT_EQ(almacen.NumListados, 1);
    // A model document of the library comes before the model file.
    PonerDocumento(30, IdFisica, 1, 2);
    EscribirDocumento(30, QStringLiteral("MODELO PROPIO"));
    almacen.ModeloExamenes = 30;
    ASSERT_TRUE(banco->AnadirDocumento(Nodo(QStringLiteral("Exámenes"))));
    EXPECT_EQ(TextoDe(2), QStringLiteral("MODELO PROPIO"));
    EXPECT_EQ(TextoDe(30), QStringLiteral("MODELO PROPIO"));
    EXPECT_TRUE(guion.Mensajes.isEmpty());
}

TEST_F(BancoDocumentos, AnadirSinPermisoONodoNoCreaNada) {
    EXPECT_FALSE(banco->AnadirDocumento(nullptr));
    almacen.Libros[1].PermitirMasDoc = false;
    EXPECT_FALSE(banco->AnadirDocumento(Nodo(QStringLiteral("Física"))));
    EXPECT_EQ(TextosDe(guion),
              QStringList{"No está permitido añadir documentos al libro activo. \r\nPuede "
                          "modificar este comportamiento en Libro/Propiedades\r\nsi dispone del "
                          "identificador de este libro"});
    almacen.Libros[1].PermitirMasDoc = true;
    almacen.SoloConsulta = true;
    EXPECT_FALSE(banco->AnadirDocumento(Nodo(QStringLiteral("Física"))));
    EXPECT_EQ(TextosDe(guion).last(), QString::fromUtf8(TextoSoloConsulta));
    EXPECT_FALSE(almacen.Documentos[1].Usado());
    EXPECT_EQ(vista.Listados, 0);
}

TEST_F(BancoDocumentos, BorrarElDocumentoActual) {
    EXPECT_FALSE(banco->BorrarDocumentoActual()); // no current document
    PonerDocumento(4, IdFisica, 10, 0);
    EscribirDocumento(4, QStringLiteral("cuatro"));
    almacen.ListaExamen.fill(-1);
    almacen.ListaExamen[1] = 4;
    almacen.ListaExamen[2] = 9;
    almacen.ListaExamen[3] = 4;
    almacen.DocActual = 4;
    AbrirEditor();
    const QString ruta = Ruta(4);
    ASSERT_TRUE(QFileInfo::exists(ruta));
    EXPECT_TRUE(banco->BorrarDocumentoActual());
    EXPECT_FALSE(QFileInfo::exists(ruta));
    EXPECT_FALSE(almacen.Documentos[4].Usado());
    EXPECT_EQ(almacen.DocActual, 0);
    EXPECT_EQ(almacen.ListaExamen[1], 9);
    EXPECT_EQ(almacen.EntradasExamen(), 1);
    EXPECT_EQ(vista.CambiosListaExamen, 1);
    EXPECT_EQ(motor->DocumentsCount(), 0);
}

} // namespace brivo::pruebas
