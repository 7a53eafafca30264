// Writing and reading archives with TZipFile and TUnzipFile: settings,
// options, actions, results and progress.
#include "Ayudas.h"
#include "Errores.h"
#include "UnzipFile.h"
#include "ZipFile.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QMap>
#include <algorithm>

using namespace brivo;
using namespace brivo::pruebas;

namespace {

class Zip : public ::testing::Test {
protected:
    QTemporaryDir tmp{QDir::tempPath() + QStringLiteral("/prueba zip XXXXXX")};
    QString base;
    QString temp, docs, bak;

    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        base = tmp.path();
        temp = base + "/Temp";
        docs = base + "/Docs/Mi carpeta";
        bak = base + "/BAK";
        QDir().mkpath(bak);
        EscribirArchivo(temp + "/Libros.lst", TextoDocumento(1, 3000));
        EscribirArchivo(temp + "/Docs.lst", TextoDocumento(2, 9000));
        EscribirArchivo(temp + "/Arbol.tvw", TextoDocumento(3, 700));
        for (int i = 1; i <= 4; ++i)
            EscribirArchivo(docs + QStringLiteral("/K%1.doc").arg(i, 6, 10, QLatin1Char('0')),
                            TextoDocumento(10 + i, 20000 + i * 1000));
        EscribirArchivo(docs + "/notas", "sin extension");
    }

    QString ListaExportacion() const {
        return QStringLiteral("\"%1/*.*\" \"%2/*.*\"").arg(temp, docs);
    }

    // Writes a package the way the book export does.
    TZipFile Paquete(const QString& archivo, const QString& clave = QString()) {
        TZipFile z;
        z.lpszZipFile = archivo;
        z.lpszItemList = ListaExportacion();
        z.lpszComment = QStringLiteral("Mi carpeta");
        z.Options = TZipFile::NoDirectoryNamesFlag | TZipFile::AddCommentFlag |
                    TZipFile::NoDirectoryEntriesFlag;
        z.wZipSubOptions = TZipFile::ZSO_EXTPROGCANCEL | TZipFile::ZSO_MANGLELONGNAMES;
        if (!clave.isEmpty()) {
            z.Options |= TZipFile::EncryptFlag;
            z.lpszEncryptCode = clave;
        }
        return z;
    }

    TUnzipFile Lector(const QString& archivo, const QString& destino, const QString& espec,
                      const QString& clave = QString()) {
        TUnzipFile u;
        u.lpszZipFile = archivo;
        u.lpszDestination = destino;
        u.lpszFileSpec = espec;
        u.wUnzipSubOptions = TUnzipFile::USO_OVERWRITE_RO;
        u.Options =
            TUnzipFile::OverWriteFlag | TUnzipFile::QuietFlag | TUnzipFile::NoDirectoryNamesFlag;
        if (!clave.isEmpty()) {
            u.lpszDecryptCode = clave;
            u.Options |= TUnzipFile::DecryptFlag;
        }
        return u;
    }
};

TEST(ZipAyudas, LasListasConservanLosBlancosEntreComillas) {
    EXPECT_EQ(SepararPatrones(QStringLiteral("  a/*.*   \"/mi carpeta/b c/*.*\" d.txt ")),
              (QStringList{"a/*.*", "/mi carpeta/b c/*.*", "d.txt"}));
    EXPECT_EQ(SepararPatrones(QStringLiteral("Docs.lst Libros.lst Arbol.tvw")),
              (QStringList{"Docs.lst", "Libros.lst", "Arbol.tvw"}));
    EXPECT_EQ(SepararPatrones(QStringLiteral("\"\"  ")), QStringList{});
}

TEST(ZipAyudas, LosComodinesSiguenLasReglasAntiguasDeNombres) {
    struct Caso {
        const char *patron, *nombre;
        bool coincide;
    };
    const Caso casos[] = {
        {"*.*", "K000001.doc", true},
        {"*.*", "sinpunto", true},
        {"*.*", ".oculto", true},
        {"K*.*", "K000001.doc", true},
        {"K*.*", "k000001.DOC", true},
        {"K*.*", "K", true},
        {"K*.*", "Docs.lst", false},
        {"docs.LST", "Docs.lst", true},
        {"Docs.lst", "Docs.lst2", false},
        {"K??????.doc", "K123456.doc", true},
        {"K??????.doc", "K12345.doc", false},
        {"*a*b*c", "xxaxxbxxbxc", true},
        {"*a*b*c", "xxaxxbxxbx", false},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(CoincideComodin(c.patron, c.nombre), c.coincide) << c.patron << " " << c.nombre;
}

TEST(ZipAyudas, LosNombresDeEntradaNuncaSalenDelDestino) {
    struct Caso {
        QString entrada;
        bool desnudo;   // NoDirectoryNamesFlag
        QString salida; // empty: refused
    };
    const Caso casos[] = {
        {"K000001.doc", true, "K000001.doc"},
        {"../../etc/passwd", true, "passwd"},
        {"/etc/passwd", true, "passwd"},
        {"a\\b\\c.txt", true, "c.txt"},
        {"sub/./c.txt", false, "sub/c.txt"},
        {"sub\\c.txt", false, "sub/c.txt"},
        {"../x.txt", false, ""},
        {"sub/../../x.txt", false, ""},
        {"/etc/passwd", false, ""},
        {"C:\\Windows\\x.txt", true, ""},
        {"C:x.txt", false, ""},
        {"..", true, ""},
        {"a/..", true, ""},
        {"", true, ""},
        {"uno\ndos", true, ""},
        {QString(256, 'a'), true, ""},
        {QString(255, 'a'), true, QString(255, 'a')},
    };
    for (const Caso& c : casos) {
        const auto r = RutaSeguraDeEntrada(c.entrada, c.desnudo);
        if (c.salida.isEmpty())
            EXPECT_FALSE(r) << c.entrada.toStdString();
        else
            EXPECT_EQ(r, c.salida) << c.entrada.toStdString();
    }
}

TEST(ZipAyudas, AccionesFueraDeRangoNoCambianNada) {
    TZipFile z;
    z.Resultado = 77;
    EXPECT_FALSE(z.Execute(0));
    EXPECT_FALSE(z.Execute(10));
    EXPECT_EQ(z.Resultado, 77);
    EXPECT_FALSE(z.Execute(2));
    EXPECT_EQ(z.Resultado, ZipAccionNoValida);
    TUnzipFile u;
    u.Resultado = 77;
    EXPECT_FALSE(u.Execute(-1));
    EXPECT_EQ(u.Resultado, 77);
    EXPECT_FALSE(u.Execute(9));
    EXPECT_EQ(u.Resultado, ZipAccionNoValida);
}

TEST_F(Zip, PaqueteDeIdaYVueltaConNombresDesnudosComentarioYExtension) {
    TZipFile z = Paquete(bak + "/Mi_libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD)) << z.Resultado;
    EXPECT_EQ(z.ArchivoFinal, bak + "/Mi_libro.zip");
    EXPECT_EQ(z.Procesados, 8);
    EXPECT_EQ(ArchivosEn(bak), QStringList{"Mi_libro.zip"}); // no temporary left behind
    const QString zip = bak + "/Mi_libro.zip";

    QStringList nombres;
    for (const EntradaZip& e : ListarEntradasZip(zip)) {
        nombres << e.Nombre;
        EXPECT_FALSE(e.Cifrada);
        EXPECT_EQ(e.Tamano,
                  QFileInfo(e.Nombre.startsWith('K') || e.Nombre == "notas" ? docs + "/" + e.Nombre
                                                                            : temp + "/" + e.Nombre)
                      .size());
    }
    nombres.sort();
    EXPECT_EQ(nombres, (QStringList{"Arbol.tvw", "Docs.lst", "K000001.doc", "K000002.doc",
                                    "K000003.doc", "K000004.doc", "Libros.lst", "notas"}));
    EXPECT_EQ(LeerComentarioZip(zip), QStringLiteral("Mi carpeta"));
    EXPECT_TRUE(EsZipLegible(zip));

    // Reader actions used by the import: count, comment size, comment, extract.
    TUnzipFile u = Lector(zip, base + "/destino temp", "Docs.lst Libros.lst Arbol.tvw");
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_COUNTALLZIPMEMBERS));
    EXPECT_EQ(u.Cuenta, 8);
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_COUNTNAMEDZIPMEMBERS));
    EXPECT_EQ(u.Cuenta, 3);
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_GETCOMMENTSIZE));
    EXPECT_EQ(u.Cuenta, 10);
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_GETCOMMENT));
    EXPECT_EQ(u.lpszReturnString, QStringLiteral("Mi carpeta"));
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT)) << u.Resultado;
    EXPECT_EQ(u.Cuenta, 3);
    EXPECT_EQ(ArchivosEn(base + "/destino temp"),
              (QStringList{"Arbol.tvw", "Docs.lst", "Libros.lst"}));
    for (const QString n : {"Arbol.tvw", "Docs.lst", "Libros.lst"})
        EXPECT_EQ(LeerArchivo(base + "/destino temp/" + n), LeerArchivo(temp + "/" + n)) << n;

    TUnzipFile k = Lector(zip, base + "/Docs2/Mi carpeta", "K*.*");
    ASSERT_TRUE(k.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(ArchivosEn(base + "/Docs2/Mi carpeta"),
              (QStringList{"K000001.doc", "K000002.doc", "K000003.doc", "K000004.doc"}));
    EXPECT_EQ(LeerArchivo(base + "/Docs2/Mi carpeta/K000003.doc"),
              LeerArchivo(docs + "/K000003.doc"));
    // The modification time travels with the file.
    EXPECT_EQ(QFileInfo(base + "/Docs2/Mi carpeta/K000003.doc").lastModified().toSecsSinceEpoch() /
                  2,
              QFileInfo(docs + "/K000003.doc").lastModified().toSecsSinceEpoch() / 2);
}

TEST_F(Zip, NombresConExtensionYMultivolumenSeEscribenEnteros) {
    TZipFile z = Paquete(bak + "/copia.paquete");
    z.wMultiVolControl = TZipFile::MV_USEMULTI;
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(z.ArchivoFinal, bak + "/copia.paquete");
    EXPECT_EQ(ListarEntradasZip(bak + "/copia.paquete").size(), 8);
    EXPECT_EQ(TZipFile::NombreConExtension("BAK/Mi_libro"), QString("BAK/Mi_libro.zip"));
    EXPECT_EQ(TZipFile::NombreConExtension("mi.dir/libro"), QString("mi.dir/libro.zip"));
}

TEST_F(Zip, SinNoDirectoryNamesSeConservanLasCarpetas) {
    TZipFile z;
    z.lpszZipFile = bak + "/carpetas.zip";
    z.lpszItemList = QStringLiteral("\"%1/K000001.doc\"").arg(docs);
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    const QList<EntradaZip> e = ListarEntradasZip(bak + "/carpetas.zip");
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e[0].Nombre, (docs + "/K000001.doc").mid(1)); // without the leading "/"

    TUnzipFile u;
    u.lpszZipFile = bak + "/carpetas.zip";
    u.lpszDestination = base + "/arbol";
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(LeerArchivo(base + "/arbol/" + e[0].Nombre), LeerArchivo(docs + "/K000001.doc"));
}

TEST_F(Zip, ElPaqueteCifradoUsaAesYPideLaClaveCorrecta) {
    TZipFile z = Paquete(bak + "/cifrado", QStringLiteral("clave secreta ñ"));
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD)) << z.Resultado;
    const QString zip = bak + "/cifrado.zip";
    for (const EntradaZip& e : ListarEntradasZip(zip))
        EXPECT_TRUE(e.Cifrada) << e.Nombre.toStdString();
    EXPECT_EQ(MetodoCifrado(zip, "K000001.doc"), ZIP_EM_AES_256);
    // The comment and the list stay readable without the password.
    EXPECT_EQ(LeerComentarioZip(zip), QStringLiteral("Mi carpeta"));

    const QString destino = base + "/fuera";
    TUnzipFile mala = Lector(zip, destino, "K*.*", "otra clave");
    EXPECT_FALSE(mala.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(mala.Resultado, ZipClaveErronea);
    EXPECT_EQ(ArchivosEn(destino), QStringList{});

    TUnzipFile sin = Lector(zip, destino, "K*.*");
    EXPECT_FALSE(sin.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(sin.Resultado, ZipClaveErronea);

    // A password typed but DecryptFlag not set is not used.
    TUnzipFile sinBandera = Lector(zip, destino, "K*.*");
    sinBandera.lpszDecryptCode = QStringLiteral("clave secreta ñ");
    EXPECT_FALSE(sinBandera.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(sinBandera.Resultado, ZipClaveErronea);

    // Import with a password uses DecryptFlag alone.
    TUnzipFile buena = Lector(zip, destino, "K*.*", "clave secreta ñ");
    buena.Options = TUnzipFile::DecryptFlag;
    ASSERT_TRUE(buena.Execute(TUnzipFile::UNZIP_EXTRACT)) << buena.Resultado;
    EXPECT_EQ(buena.Cuenta, 4);
    EXPECT_EQ(LeerArchivo(destino + "/K000004.doc"), LeerArchivo(docs + "/K000004.doc"));
}

TEST_F(Zip, CifrarSinClaveSeRechaza) {
    TZipFile z = Paquete(bak + "/vacio");
    z.Options |= TZipFile::EncryptFlag;
    EXPECT_FALSE(z.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(z.Resultado, ZipParametroNoValido);
    EXPECT_EQ(ArchivosEn(bak), QStringList{});
}

TEST_F(Zip, LosArchivosExistentesSoloSeSustituyenConOverWrite) {
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    const QString destino = base + "/local";
    EscribirArchivo(destino + "/K000001.doc", "local");

    TUnzipFile sin = Lector(bak + "/libro.zip", destino, "K000001.doc K000002.doc");
    sin.Options = TUnzipFile::NoDirectoryNamesFlag;
    ASSERT_TRUE(sin.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(sin.Cuenta, 1);
    EXPECT_EQ(LeerArchivo(destino + "/K000001.doc"), QByteArray("local"));
    EXPECT_EQ(LeerArchivo(destino + "/K000002.doc"), LeerArchivo(docs + "/K000002.doc"));

    TUnzipFile con = Lector(bak + "/libro.zip", destino, "K000001.doc");
    ASSERT_TRUE(con.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(LeerArchivo(destino + "/K000001.doc"), LeerArchivo(docs + "/K000001.doc"));
    EXPECT_EQ(ArchivosEn(destino), (QStringList{"K000001.doc", "K000002.doc"}));
}

TEST_F(Zip, LosArchivosDeSoloLecturaPidenLaSubopcion) {
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    const QString destino = base + "/local";
    EscribirArchivo(destino + "/K000001.doc", "local");
    QFile::setPermissions(destino + "/K000001.doc", QFile::ReadOwner);
    TUnzipFile u = Lector(bak + "/libro.zip", destino, "K*.*");
    u.wUnzipSubOptions = 0;
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipErrorEscritura);
    EXPECT_EQ(ArchivosEn(destino), QStringList{"K000001.doc"});
    u.wUnzipSubOptions = TUnzipFile::USO_OVERWRITE_RO;
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(LeerArchivo(destino + "/K000001.doc"), LeerArchivo(docs + "/K000001.doc"));
}

TEST_F(Zip, AnadirConservaLasOtrasEntradasSalvoArchivoNuevo) {
    const QString zip = bak + "/libro.zip";
    TZipFile a;
    a.lpszZipFile = zip;
    a.Options = TZipFile::NoDirectoryNamesFlag;
    a.lpszItemList = "\"" + temp + "/Libros.lst\"";
    ASSERT_TRUE(a.Execute(TZipFile::ZIP_ADD));
    EscribirArchivo(temp + "/Libros.lst", "nuevo contenido");
    a.lpszItemList = "\"" + temp + "/Libros.lst\" \"" + temp + "/Arbol.tvw\"";
    ASSERT_TRUE(a.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(ListarEntradasZip(zip).size(), 2);

    TUnzipFile u = Lector(zip, base + "/x", "Libros.lst");
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(LeerArchivo(base + "/x/Libros.lst"), QByteArray("nuevo contenido"));

    a.Options |= TZipFile::NuevoArchivoFlag;
    a.lpszItemList = "\"" + temp + "/Docs.lst\"";
    ASSERT_TRUE(a.Execute(TZipFile::ZIP_ADD));
    const QList<EntradaZip> e = ListarEntradasZip(zip);
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e[0].Nombre, QString("Docs.lst"));
}

TEST_F(Zip, ElMismoNombreDesnudoConservaElArchivoPosterior) {
    EscribirArchivo(temp + "/K000001.doc", "resto viejo");
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(ListarEntradasZip(bak + "/libro.zip").size(), 8);
    TUnzipFile u = Lector(bak + "/libro.zip", base + "/x", "K000001.doc");
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(LeerArchivo(base + "/x/K000001.doc"), LeerArchivo(docs + "/K000001.doc"));
}

TEST_F(Zip, LasEscriturasFallidasNoDejanArchivo) {
    // A named file that does not exist.
    TZipFile falta = Paquete(bak + "/falta");
    falta.lpszItemList += " \"" + temp + "/no existe.txt\"";
    EXPECT_FALSE(falta.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(falta.Resultado, ZipNoEncontrado);
    // Nothing matches.
    TZipFile nada = Paquete(bak + "/nada");
    nada.lpszItemList = "\"" + base + "/vacia/*.*\"";
    EXPECT_FALSE(nada.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(nada.Resultado, ZipNadaQueHacer);
    // Empty name.
    TZipFile sinNombre = Paquete("");
    EXPECT_FALSE(sinNombre.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(sinNombre.Resultado, ZipParametroNoValido);
    // A folder that does not exist.
    TZipFile carpeta = Paquete(base + "/no hay carpeta/libro");
    EXPECT_FALSE(carpeta.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(carpeta.Resultado, ZipErrorEscritura);
    EXPECT_FALSE(QFileInfo::exists(base + "/no hay carpeta"));
    // A file in the way that is not an archive stays as it was.
    EscribirArchivo(bak + "/nota.txt", "no soy un zip");
    TZipFile encima = Paquete(bak + "/nota.txt");
    EXPECT_FALSE(encima.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(encima.Resultado, ZipArchivoNoValido);
    EXPECT_EQ(LeerArchivo(bak + "/nota.txt"), QByteArray("no soy un zip"));
    EXPECT_EQ(ArchivosEn(bak), QStringList{"nota.txt"});
}

TEST_F(Zip, UnFalloAlEscribirConservaElArchivoAnterior) {
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    const QByteArray antes = LeerArchivo(bak + "/libro.zip");

    // A file disappears after the list was made: the read fails mid-write.
    TZipFile otra = Paquete(bak + "/libro");
    otra.Options |= TZipFile::NuevoArchivoFlag;
    bool borrado = false;
    otra.OnMinorCallback = [&](const QString&, int, bool&) {
        if (!borrado)
            borrado = QFile::remove(docs + "/K000004.doc");
    };
    EXPECT_FALSE(otra.Execute(TZipFile::ZIP_ADD));
    EXPECT_TRUE(borrado);
    EXPECT_EQ(otra.Resultado, ZipErrorLectura);
    EXPECT_EQ(LeerArchivo(bak + "/libro.zip"), antes);
    EXPECT_EQ(ArchivosEn(bak), QStringList{"libro.zip"});

    // A progress handler cancels.
    TZipFile cancelada = Paquete(bak + "/nuevo");
    int llamadas = 0;
    cancelada.OnMajorCallback = [&](const QString&, int, bool& cancelar) {
        cancelar = ++llamadas == 3;
    };
    EXPECT_FALSE(cancelada.Execute(TZipFile::ZIP_ADD));
    EXPECT_EQ(cancelada.Resultado, ZipCancelado);
    EXPECT_EQ(ArchivosEn(bak), QStringList{"libro.zip"});
}

TEST_F(Zip, ElProgresoLlegaACadaElementoYAlFinal) {
    TZipFile z = Paquete(bak + "/libro");
    QList<int> mayor;
    QMap<QString, QList<int>> menor;
    z.OnMajorCallback = [&](const QString&, int p, bool&) { mayor << p; };
    z.OnMinorCallback = [&](const QString& item, int p, bool&) { menor[item] << p; };
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    ASSERT_FALSE(mayor.isEmpty());
    EXPECT_TRUE(std::is_sorted(mayor.begin(), mayor.end()));
    EXPECT_EQ(mayor.last(), 100);
    EXPECT_EQ(menor.size(), 8);
    for (auto it = menor.begin(); it != menor.end(); ++it) {
        EXPECT_EQ(it.value().first(), 0) << it.key().toStdString();
        EXPECT_EQ(it.value().last(), 100) << it.key().toStdString();
    }

    TUnzipFile u = Lector(bak + "/libro.zip", base + "/x", "*.*");
    QList<int> mayorU;
    QStringList items;
    u.OnMajorCallback = [&](const QString&, int p, bool&) { mayorU << p; };
    u.OnMinorCallback = [&](const QString& item, int p, bool&) {
        if (p == 100)
            items << item;
    };
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_TRUE(std::is_sorted(mayorU.begin(), mayorU.end()));
    EXPECT_EQ(mayorU.last(), 100);
    items.sort();
    EXPECT_EQ(items, ArchivosEn(base + "/x"));
}

TEST_F(Zip, LaExtraccionCanceladaNoEscribeNada) {
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    TUnzipFile u = Lector(bak + "/libro.zip", base + "/x", "*.*");
    int n = 0;
    u.OnMinorCallback = [&](const QString&, int, bool& cancelar) { cancelar = ++n == 5; };
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipCancelado);
    EXPECT_EQ(ArchivosEn(base + "/x"), QStringList{});
}

TEST_F(Zip, UnElementoPorSuIndice) {
    TZipFile z = Paquete(bak + "/libro");
    ASSERT_TRUE(z.Execute(TZipFile::ZIP_ADD));
    const QList<EntradaZip> e = ListarEntradasZip(bak + "/libro.zip");
    TUnzipFile u = Lector(bak + "/libro.zip", base + "/x", "");
    u.IndexofItem = 2;
    ASSERT_TRUE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(ArchivosEn(base + "/x"), QStringList{e[2].Nombre});
    u.IndexofItem = 99;
    EXPECT_FALSE(u.Execute(TUnzipFile::UNZIP_EXTRACT));
    EXPECT_EQ(u.Resultado, ZipParametroNoValido);
}

TEST_F(Zip, LasAyudasLanzanAnteArchivosIlegibles) {
    EXPECT_THROW(LeerComentarioZip(base + "/no existe.zip"), ErrorBrivo);
    EscribirArchivo(base + "/texto.zip", "hola");
    EXPECT_THROW(ListarEntradasZip(base + "/texto.zip"), ErrorBrivo);
    EXPECT_FALSE(EsZipLegible(base + "/texto.zip"));
    EXPECT_FALSE(EsZipLegible(base));
    EXPECT_FALSE(TextoCodigoZip(ZipClaveErronea).isEmpty());
    EXPECT_NE(TextoCodigoZip(ZipClaveErronea), TextoCodigoZip(ZipDemasiadoGrande));
}

} // namespace
