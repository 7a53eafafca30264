// Merging the package's topic tree, and the merge of hand-made extracted
// packages (records that do not belong, a damaged tree file, stray files).
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Arbol.h"
#include "EntornoPaquetes.h"
#include "Registros.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// Records every node added, in order, as "parent id > id".
struct Registro {
    explicit Registro(TArbol& a) : arbol(a) {}
    TArbol& arbol;
    QStringList anadidos;
    QString rechazado; // identifier refused by the main tree
    TAnadirNodo Funcion() {
        return [this](TNodo* padre, const QString& texto, const QString& id) -> TNodo* {
            if (id == rechazado)
                return nullptr;
            anadidos << (padre ? padre->Identificador : QString("-")) + ">" + id;
            return arbol.Anadir(padre, texto, id);
        };
    }
};

TNodo* Hijo(const std::vector<std::unique_ptr<TNodo>>& hermanos, const QString& id) {
    for (const auto& h : hermanos) {
        if (h->Identificador == id)
            return h.get();
    }
    return nullptr;
}

} // namespace

TEST(ArbolPaquete, NodoPresenteSeOmiteSinMirarElTexto) {
    TArbol principal, paquete;
    principal.CargarInicial();
    paquete.CargarInicial();
    paquete.Raices()[1]->Texto = "Otro nombre";
    Registro reg(principal);
    int fuera = -1;
    EXPECT_EQ(IncorporarArbol(principal, paquete, reg.Funcion(), &fuera), 0);
    EXPECT_EQ(fuera, 0);
    EXPECT_TRUE(reg.anadidos.isEmpty());
    EXPECT_EQ(principal.Raices()[1]->Texto, "Nueva materia");
    EXPECT_EQ(principal.NumNodos(), 9);
}

TEST(ArbolPaquete, NuevaMateriaConSuSubarbolEnOrden) {
    TArbol principal, paquete;
    principal.CargarInicial();
    principal.Anadir(nullptr, "Local", "700000000");
    paquete.CargarInicial();
    TNodo* m = paquete.Anadir(nullptr, "Óptica", "900000001");
    TNodo* t = paquete.Anadir(m, "Lentes", "900000002");
    paquete.Anadir(t, "Convergentes", "900000003");
    paquete.Anadir(t, "Divergentes", "900000004");
    paquete.Anadir(m, "Espejos", "900000005");
    Registro reg(principal);
    EXPECT_EQ(IncorporarArbol(principal, paquete, reg.Funcion()), 5);
    // Each node before its children, children in order.
    EXPECT_EQ(reg.anadidos,
              QStringList({"->900000001", "900000001>900000002", "900000002>900000003",
                           "900000002>900000004", "900000001>900000005"}));
    const TNodo* nueva = principal.Raices().back().get();
    EXPECT_EQ(nueva->Texto, "Óptica");
    EXPECT_EQ(principal.Raices()[2]->Texto, "Local"); // the new one goes last
    ASSERT_EQ(nueva->Hijos.size(), 2u);
    EXPECT_EQ(nueva->Hijos[0]->Hijos[1]->Texto, "Divergentes");
}

TEST(ArbolPaquete, HijoNuevoDeNodoPresenteVaBajoSuPropioPadre) {
    // "Nuevo tema" (1) repeats the identifier of "Modelos de pregunta" (1) at
    // the same depth; a contenido under it must not end under "Útiles".
    TArbol principal, paquete;
    principal.CargarInicial();
    paquete.CargarInicial();
    TNodo* tema = paquete.Raices()[1]->Hijos[0].get();
    paquete.Anadir(tema, "Contenido del paquete", "900000010");
    paquete.Anadir(paquete.Raices()[0].get(), "Plantillas", "6");
    Registro reg(principal);
    EXPECT_EQ(IncorporarArbol(principal, paquete, reg.Funcion()), 2);
    const TNodo* temaLocal = principal.Raices()[1]->Hijos[0].get();
    ASSERT_EQ(temaLocal->Hijos.size(), 2u);
    EXPECT_EQ(temaLocal->Hijos[1]->Texto, "Contenido del paquete");
    for (const auto& especial : principal.Raices()[0]->Hijos)
        EXPECT_TRUE(especial->Hijos.empty()) << especial->Texto;
    EXPECT_EQ(principal.Raices()[0]->Hijos.back()->Texto, "Plantillas");
}

TEST(ArbolPaquete, SubarbolCuyoNodoSuperiorNoSePuedeColocarQuedaFuera) {
    TArbol principal, paquete;
    principal.CargarInicial();
    TNodo* m = paquete.Anadir(nullptr, "Rechazada", "900000020");
    TNodo* t = paquete.Anadir(m, "Tema", "900000021");
    paquete.Anadir(t, "Contenido", "900000022");
    paquete.Anadir(nullptr, "Aceptada", "900000030");
    Registro reg(principal);
    reg.rechazado = "900000020";
    int fuera = 0;
    EXPECT_EQ(IncorporarArbol(principal, paquete, reg.Funcion(), &fuera), 1);
    EXPECT_EQ(fuera, 3);
    EXPECT_EQ(reg.anadidos, QStringList{"->900000030"});
    EXPECT_EQ(Hijo(principal.Raices(), "900000020"), nullptr);
    EXPECT_FALSE(principal.ExisteIdentificador("900000022"));
}

TEST(ArbolPaquete, SinFuncionSeAnadeAlArbolDirectamente) {
    TArbol principal, paquete;
    principal.CargarInicial();
    paquete.Anadir(nullptr, "Directa", "900000040");
    EXPECT_EQ(IncorporarArbol(principal, paquete, {}), 1);
    EXPECT_NE(Hijo(principal.Raices(), "900000040"), nullptr);
}

// ---------------------------------------------------------------------------

namespace {

class PaqueteAMano : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString listas() { return tmp.path() + "/listas"; }
    QString archivos() { return tmp.path() + "/archivos"; }

    void Libro(std::int32_t id) {
        TLibro l;
        l.Identificador = id;
        l.Titulo = "A mano";
        l.Carpeta = "ignorada"; // the folder comes from the comment
        pruebas::EscribirArchivo(listas() + "/Libros.lst", ABytes(l));
    }
    void Docs(const std::vector<std::pair<int, std::int32_t>>& numerosYLibros) {
        QByteArray datos;
        for (const auto& [n, id] : numerosYLibros) {
            TDocumento d;
            d.Numero = n;
            d.IdLibro = id;
            d.Descripcion = QString("Paquete %1").arg(n);
            datos += ABytes(d);
        }
        pruebas::EscribirArchivo(listas() + "/Docs.lst", datos);
    }
};

} // namespace

TEST_F(PaqueteAMano, RegistrosAjenosArbolDanadoYArchivosSueltos) {
    Libro(333333);
    Docs({{1, 333333}, {2, 444444}, {0, 333333}, {501, 333333}, {1, 333333}, {4, 333333}});
    pruebas::EscribirArchivo(listas() + "/Arbol.tvw", QByteArray("\x02\x00\x00\x00\x50", 5));
    for (int n : {1, 4, 7})
        pruebas::EscribirArchivo(archivos() + QString("/K%1.doc").arg(n, 6, 10, QChar('0')),
                                 Contenido("paquete", n));
    pruebas::EscribirArchivo(archivos() + "/Kurzel.txt", "k");

    TInstalacion d(tmp.path() + "/destino");
    d.PonerLibro(1, 111111, "Local", "local");
    // Document 7 is listed with no file yet; a stray K000007.doc in the
    // package must not become its file.
    TLibro& mano = d.PonerLibro(2, 333333, "Viejo", "A mano");
    Q_UNUSED(mano);
    d.PonerDocumento(7, 333333, "");
    const TResultadoImportacion r = IncorporarPaquete(d, {"A mano", listas(), archivos()});
    ASSERT_EQ(r.Fin, TFinImportacion::Completa);
    EXPECT_EQ(r.DocumentosAjenos, 4); // other book, 0, 501, repeated 1
    EXPECT_EQ(r.DocumentosAnadidos, 2);
    EXPECT_EQ(d.almacen.Documentos[1].IdLibro, 333333);
    EXPECT_EQ(d.almacen.Documentos[4].IdLibro, 333333);
    EXPECT_EQ(d.LeerDocumento(4), Contenido("paquete", 4));
    EXPECT_FALSE(QFileInfo::exists(d.RutaDocumento(7)));
    EXPECT_TRUE(QFileInfo::exists(d.Docs() + "A mano/Kurzel.txt"));
    EXPECT_EQ(d.almacen.Arbol.NumNodos(), 9);
    const QString avisos = r.Avisos.join("\n");
    EXPECT_TRUE(avisos.contains("El árbol de temas del paquete no se puede leer")) << avisos;
    EXPECT_TRUE(avisos.contains("4 registros de documento del paquete no pertenecen al libro"));
}

TEST_F(PaqueteAMano, SinRegistroDeLibroNoSeIncorporaNada) {
    Docs({{1, 333333}});
    TInstalacion d(tmp.path() + "/destino");
    EXPECT_EQ(IncorporarPaquete(d, {"x", listas(), archivos()}).Fin, TFinImportacion::NoEsPaquete);
    Libro(0); // a record whose identifier marks a free slot
    EXPECT_EQ(IncorporarPaquete(d, {"x", listas(), archivos()}).Fin, TFinImportacion::NoEsPaquete);
    EXPECT_EQ(d.DocumentosUsados(), 0);
    EXPECT_EQ(d.LibrosUsados(), 0);
}

TEST(CarpetaDePaquete, NombresValidosYNoValidos) {
    EXPECT_TRUE(CarpetaDePaqueteValida("Física general"));
    EXPECT_TRUE(CarpetaDePaqueteValida("a..b"));
    EXPECT_TRUE(CarpetaDePaqueteValida(QString(100, 'x')));
    EXPECT_FALSE(CarpetaDePaqueteValida(QString(101, 'x')));
    EXPECT_FALSE(CarpetaDePaqueteValida(QString(100, QChar(0x00E9)) + "x")); // cp1252 length
    for (const QString& malo :
         {QString(), QString("   "), QString("."), QString(".."), QString("../x"),
          QString("/tmp/x"), QString("a\\b"), QString("a\nb"), QString("a\tb"),
          QString(QChar(0x7f)), QString("a") + QChar(0x85)})
        EXPECT_FALSE(CarpetaDePaqueteValida(malo)) << malo;
}

TEST(CarpetaDePaquete, DerivadaLibreYCortadaA100) {
    QTemporaryDir tmp;
    TInstalacion d(tmp.path());
    d.PonerLibro(1, 1, "a", "Libro");
    d.PonerLibro(2, 2, "b", "Libro_2");
    EXPECT_EQ(CarpetaDerivada(d.almacen, "Libro"), "Libro_3");
    const QString larga(100, 'L');
    const QString derivada = CarpetaDerivada(d.almacen, larga);
    EXPECT_EQ(derivada, QString(98, 'L') + "_2");
}
