// Opening, saving, passwords, properties, Saved, Close and Quit.
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTextBlock>
#include <QTextFragment>

#include "ComunPruebas.h"
#include "ModelosDocumento.h"

using namespace brivo::pruebas;

namespace {

QByteArray Leer(const QString& ruta) {
    QFile archivo(ruta);
    archivo.open(QIODevice::ReadOnly);
    return archivo.readAll();
}

} // namespace

TEST_F(Motor, VersionYConexion) {
    EXPECT_EQ(aplicacion->Version(), QStringLiteral("9.0"));
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);
    EXPECT_EQ(aplicacion->ActiveDocument(), nullptr);
    aplicacion->Disconnect();
    EXPECT_EQ(MensajeDe([&] { aplicacion->DocumentsCount(); }),
              QStringLiteral("El procesador de textos no está conectado."));
    aplicacion->Connect();
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);
}

TEST_F(Motor, GuardarYReabrirConPropiedades) {
    const QString origen = EscribirTexto("origen.txt", "Primera línea\nSegunda línea");
    auto doc = Abrir(origen, "123456"); // a plain file opens whatever the password
    EXPECT_EQ(doc->FullName(), QDir(carpeta.path()).absoluteFilePath("origen.txt"));
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("Primera línea|Segunda línea"));
    EXPECT_TRUE(doc->Saved());
    const int numeros[] = {PropTitulo,      PropAsunto,    PropAutor,
                           PropComentarios, PropCategoria, PropCompania};
    for (int n : numeros)
        doc->SetBuiltInDocumentProperty(n, QStringLiteral("Valor <%1> & \"ñ\"\nsegunda").arg(n));
    EXPECT_FALSE(doc->Saved());
    const QString destino = Ruta("K000001.doc");
    doc->SaveAs(destino, QString());
    EXPECT_TRUE(doc->Saved());
    EXPECT_EQ(doc->FullName(), QDir(carpeta.path()).absoluteFilePath("K000001.doc"));
    doc->Close(GuardarCambios::NoGuardar);
    EXPECT_FALSE(doc->Abierto());
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);

    auto otra = Abrir(destino);
    EXPECT_EQ(Parrafos(*otra), QStringLiteral("Primera línea|Segunda línea"));
    for (int n : numeros)
        EXPECT_EQ(otra->BuiltInDocumentProperty(n),
                  QStringLiteral("Valor <%1> & \"ñ\"\nsegunda").arg(n));
    EXPECT_TRUE(otra->Saved());
    // Setting a property to the value it has changes nothing.
    otra->SetBuiltInDocumentProperty(PropAutor, otra->BuiltInDocumentProperty(PropAutor));
    EXPECT_TRUE(otra->Saved());
    EXPECT_EQ(MensajeDe([&] { otra->BuiltInDocumentProperty(4); }),
              QStringLiteral("La propiedad 4 del documento no existe."));
}

TEST_F(Motor, ContrasenasAlAbrir) {
    const QString ruta = EscribirDocumento(
        "K000002.doc", [](QTextCursor& c) { c.insertText("Texto secreto"); }, "314159");
    const QByteArray bytes = Leer(ruta);
    EXPECT_TRUE(bytes.startsWith("BRIVOCIF"));
    EXPECT_FALSE(bytes.contains("secreto"));

    EXPECT_EQ(MensajeDe([&] { Abrir(ruta, "271828"); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(MensajeDe([&] { Abrir(ruta, ""); }), QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);

    auto doc = Abrir(ruta, "314159");
    EXPECT_EQ(Parrafos(*doc), QStringLiteral("Texto secreto"));
    // Opened with its password, the document keeps it for the next saves.
    doc->Content()->InsertAfter(" más");
    doc->Close(GuardarCambios::Guardar);
    EXPECT_TRUE(Leer(ruta).startsWith("BRIVOCIF"));
    EXPECT_EQ(MensajeDe([&] { Abrir(ruta, "000000"); }),
              QStringLiteral("La contraseña no es correcta."));
    auto otra = Abrir(ruta, "314159");
    EXPECT_EQ(Parrafos(*otra), QStringLiteral("Texto secreto más"));

    // Password then Close with save writes without encryption when the password is empty.
    otra->SetPassword(QString());
    otra->Close(GuardarCambios::Guardar);
    EXPECT_FALSE(Leer(ruta).startsWith("BRIVOCIF"));
    auto libre = Abrir(ruta, "cualquiera");
    EXPECT_EQ(Parrafos(*libre), QStringLiteral("Texto secreto más"));

    // SaveAs with a password encrypts under the new name; Password changes the next save.
    libre->SaveAs(Ruta("copia.doc"), "999999");
    EXPECT_TRUE(Leer(Ruta("copia.doc")).startsWith("BRIVOCIF"));
    libre->SetPassword("111111");
    libre->Close(GuardarCambios::Guardar);
    EXPECT_EQ(MensajeDe([&] { Abrir(Ruta("copia.doc"), "999999"); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(Parrafos(*Abrir(Ruta("copia.doc"), "111111")), QStringLiteral("Texto secreto más"));
}

TEST_F(Motor, CifradoAutenticado) {
    const QByteArray claro = "<html><head></head><body>hola</body></html>";
    const QByteArray a = CifrarContenido(claro, "123456");
    const QByteArray b = CifrarContenido(claro, "123456");
    EXPECT_NE(a, b); // salt and nonce are drawn for every file
    EXPECT_EQ(DescifrarContenido(a, "123456", "x"), claro);
    QByteArray tocado = a;
    tocado[tocado.size() - 3] = char(tocado[tocado.size() - 3] ^ 1);
    EXPECT_EQ(MensajeDe([&] { DescifrarContenido(tocado, "123456", "x"); }),
              QStringLiteral("La contraseña no es correcta."));
    EXPECT_EQ(MensajeDe([&] { DescifrarContenido(a.left(30), "123456", "/r/x.doc"); }),
              QStringLiteral("El archivo \"/r/x.doc\" está dañado o no es un documento válido."));
}

TEST_F(Motor, ArchivosQueNoSePuedenAbrir) {
    const QString falta = Ruta("no/existe/K000009.doc");
    EXPECT_EQ(MensajeDe([&] { Abrir(falta); }),
              QStringLiteral("No se encuentra el archivo \"%1\".").arg(falta));
    EXPECT_EQ(MensajeDe([&] { Abrir(carpeta.path()); }),
              QStringLiteral("No se puede leer el archivo \"%1\".").arg(carpeta.path()));
    QFile binario(Ruta("viejo.doc"));
    binario.open(QIODevice::WriteOnly);
    binario.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(512, '\0'));
    binario.close();
    EXPECT_EQ(MensajeDe([&] { Abrir(Ruta("viejo.doc")); }),
              QStringLiteral("El archivo \"%1\" no tiene un formato que el procesador de textos "
                             "pueda abrir.")
                  .arg(Ruta("viejo.doc")));
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);
    // A save that cannot be written fails and leaves the document as it was.
    auto doc = Abrir(EscribirTexto("a.txt", "abc"));
    doc->Content()->InsertAfter("d");
    const QString imposible = Ruta("no/hay/carpeta.doc");
    EXPECT_EQ(MensajeDe([&] { doc->SaveAs(imposible, QString()); }),
              QStringLiteral("No se puede guardar el archivo \"%1\".").arg(imposible));
    EXPECT_FALSE(doc->Saved());
    EXPECT_EQ(doc->FullName(), QDir(carpeta.path()).absoluteFilePath("a.txt"));
}

TEST_F(Motor, DeteccionDeFormatos) {
    // Windows-1252 plain text with CR LF line ends.
    QFile ansi(Ruta("ansi.txt"));
    ansi.open(QIODevice::WriteOnly);
    ansi.write("Espa\xF1ol\r\n\xBFQu\xE9?\r\n");
    ansi.close();
    EXPECT_EQ(Parrafos(*Abrir(Ruta("ansi.txt"))), QStringLiteral("Español|¿Qué?"));

    // Foreign HTML with a relative image: the image is embedded when opened.
    QImage imagen(8, 6, QImage::Format_RGB32);
    imagen.fill(Qt::blue);
    imagen.save(Ruta("foto.png"));
    QFile html(Ruta("pagina.html"));
    html.open(QIODevice::WriteOnly);
    html.write("<html><head><meta charset=\"utf-8\"><title>Título web</title></head><body>"
               "<p><b>Negrita</b> normal</p><p><img src=\"foto.png\"></p></body></html>");
    html.close();
    auto doc = Abrir(Ruta("pagina.html"));
    EXPECT_EQ(doc->BuiltInDocumentProperty(PropTitulo), QStringLiteral("Título web"));
    EXPECT_TRUE(Parrafos(*doc).startsWith(QStringLiteral("Negrita normal|")));
    doc->SaveAs(Ruta("pagina.doc"), QString());
    QFile::remove(Ruta("foto.png"));
    const QByteArray guardado = Leer(Ruta("pagina.doc"));
    EXPECT_TRUE(guardado.contains("src=\"data:image/png;base64,"));
    EXPECT_FALSE(guardado.contains("foto.png"));
    doc->Close(GuardarCambios::NoGuardar);
    auto otra = Abrir(Ruta("pagina.doc"));
    QTextDocument& q = QDoc(*otra);
    bool hayImagen = false;
    for (QTextBlock b = q.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString nombre = it.fragment().charFormat().toImageFormat().name();
                const QImage cargada =
                    qvariant_cast<QImage>(q.resource(QTextDocument::ImageResource, QUrl(nombre)));
                const QPixmap mapa =
                    qvariant_cast<QPixmap>(q.resource(QTextDocument::ImageResource, QUrl(nombre)));
                hayImagen = (!cargada.isNull() && cargada.width() == 8) ||
                            (!mapa.isNull() && mapa.width() == 8);
            }
    EXPECT_TRUE(hayImagen);
}

TEST_F(Motor, EstadoGuardadoCerrarYSalir) {
    const QString ruta = EscribirTexto("k.txt", "Uno\nDos");
    const QByteArray original = Leer(ruta);
    auto doc = Abrir(ruta);
    EXPECT_EQ(aplicacion->ActiveDocument(), doc);
    auto rango = doc->Content();
    rango->Collapse();
    rango->InsertAfter("Tres");
    EXPECT_FALSE(doc->Saved());
    doc->Close(GuardarCambios::NoGuardar);
    EXPECT_EQ(Leer(ruta), original);
    EXPECT_EQ(MensajeDe([&] { doc->Saved(); }), QStringLiteral("El documento ya no está abierto."));
    EXPECT_EQ(MensajeDe([&] { rango->InsertAfter("x"); }),
              QStringLiteral("El documento ya no está abierto."));

    auto a = Abrir(ruta);
    auto b = Abrir(EscribirTexto("b.txt", "Be"));
    EXPECT_EQ(aplicacion->DocumentsCount(), 2);
    EXPECT_EQ(aplicacion->ActiveDocument(), b);
    // Opening a file that is open already makes its document active again.
    EXPECT_EQ(Abrir(ruta), a);
    EXPECT_EQ(aplicacion->ActiveDocument(), a);
    EXPECT_EQ(aplicacion->DocumentsCount(), 2);
    a->Content()->InsertAfter("cambio");
    b->Content()->InsertAfter("cambio");
    aplicacion->Quit();
    EXPECT_FALSE(aplicacion->Conectado());
    EXPECT_FALSE(a->Abierto());
    EXPECT_FALSE(b->Abierto());
    EXPECT_EQ(Leer(ruta), original);
    EXPECT_EQ(Leer(Ruta("b.txt")), QByteArray("Be"));
    aplicacion->Connect();
    EXPECT_EQ(aplicacion->DocumentsCount(), 0);

    // Close with save writes to FullName.
    auto c = Abrir(ruta);
    c->SaveAs(Ruta("c.doc"), QString());
    c->Content()->InsertAfter("\rFinal");
    c->SetBuiltInDocumentProperty(PropTitulo, "Examen 3");
    c->Close(GuardarCambios::Guardar);
    auto d = Abrir(Ruta("c.doc"));
    EXPECT_EQ(Parrafos(*d), QStringLiteral("Uno|Dos|Final"));
    EXPECT_EQ(d->BuiltInDocumentProperty(PropTitulo), QStringLiteral("Examen 3"));
    EXPECT_EQ(Leer(ruta), original);
}

TEST_F(Motor, DocumentosModelo) {
    EscribirModelos(carpeta.path());
    const QString esperadoPregunta =
        "#PREG|Escriba aquí el enunciado de la pregunta.|#DESA|Escriba aquí el desarrollo de la "
        "pregunta.|#RESP|Escriba aquí la respuesta.|#COMENT|Escriba aquí un comentario sobre la "
        "pregunta.";
    // Both the freshly written models and those the build left beside the program.
    for (const QString& base : {carpeta.path() + "/", QStringLiteral(BRIVO_MODELOS_CONSTRUIDOS)}) {
        auto pregunta = Abrir(base + "nuevodoc.doc");
        EXPECT_EQ(Parrafos(*pregunta), esperadoPregunta);
        EXPECT_EQ(pregunta->BuiltInDocumentProperty(PropTitulo), "Modelo de pregunta");
        auto examen = Abrir(base + "nuevoexamen.doc");
        const QStringList lineas = Parrafos(*examen).split('|');
        ASSERT_EQ(lineas.size(), 4);
        EXPECT_TRUE(lineas[0].startsWith("Centro: ___"));
        EXPECT_TRUE(lineas[1].contains("Asignatura: ___") && lineas[1].contains("Curso: ___"));
        EXPECT_TRUE(lineas[2].contains("Alumno: ___") && lineas[2].contains("Fecha: ___"));
        EXPECT_EQ(lineas[3], QString());
        QTextDocument& q = QDoc(*examen);
        EXPECT_EQ(q.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHCenter,
                  Qt::AlignHCenter);
        EXPECT_FALSE(q.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHCenter);
        aplicacion->Quit();
        aplicacion->Connect();
    }
}
