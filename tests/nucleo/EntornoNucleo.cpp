#include "EntornoNucleo.h"

#include <QGuiApplication>

#include "ArbolPrueba.h"
#include "Listado.h"

namespace brivo::pruebas {

namespace {

class TEntornoGui : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char nombre[] = "prueba_nucleo";
        static char* argv[] = {nombre, nullptr};
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
    }
};

[[maybe_unused]] ::testing::Environment* const entorno =
    ::testing::AddGlobalTestEnvironment(new TEntornoGui);

} // namespace

void TVistaFalsa::SeleccionarNodo(TNodo* nodo) {
    seleccionado = nodo;
    CreandoExamenAlSeleccionar.push_back(banco && banco->CreandoExamen);
    ListarDocumentos(nodo);
}

void TVistaFalsa::ListarDocumentos(TNodo* nodo) {
    ListarEnAlmacen(almacen, nodo);
    ++Listados;
}

TBaseBanco::TBaseBanco() {
    almacen.CarpetaPrograma = carpeta.path() + QLatin1Char('/');
    pruebas::EmpezarConUtiles(almacen.Arbol);
    TNodo* fisica = almacen.Arbol.Anadir(nullptr, QStringLiteral("Física"), "10");
    almacen.Arbol.Anadir(fisica, QStringLiteral("Mecánica"), "20");
    almacen.Arbol.Anadir(nullptr, QStringLiteral("Química"), "11");
    auto libro = [&](int slot, std::int32_t id, const QString& titulo, const QString& carpeta) {
        TLibro& l = almacen.Libros[slot];
        l = TLibro::Libre();
        l.Identificador = id;
        l.Titulo = titulo;
        l.Autor = QStringLiteral("Autor de ") + titulo;
        l.Carpeta = carpeta;
    };
    libro(1, IdFisica, QStringLiteral("Física general"), QStringLiteral("Fisica"));
    almacen.Libros[1].Materia = QStringLiteral("Física");
    almacen.Libros[1].Comentario = QStringLiteral("Libro de pruebas");
    libro(2, IdOtro, QStringLiteral("Otro"), QStringLiteral("otro"));
    almacen.LibroActivo = 1;
    EscribirArchivoFalso(almacen.Ruta(QStringLiteral("nuevodoc.doc")),
                         {QStringLiteral("#PREG\nModelo de pregunta"), {}, {}});
    EscribirArchivoFalso(almacen.Ruta(QStringLiteral("nuevoexamen.doc")),
                         {QStringLiteral("EXAMEN"), {}, {}});

    auto propio = std::make_unique<TMotorFalso>();
    motor = propio.get();
    banco = std::make_unique<TBancoDocumentos>(almacen, vista, std::move(propio));
    vista.banco = banco.get();
}

TNodo* TBaseBanco::Nodo(const QString& texto) {
    TNodo* r = nullptr;
    almacen.Arbol.Recorrer([&](TNodo* n) {
        if (!r && n->Texto == texto)
            r = n;
    });
    EXPECT_NE(r, nullptr) << texto.toStdString();
    return r;
}

TDocumento& TBaseBanco::PonerDocumento(int k, std::int32_t idLibro, int m, int t, int c) {
    TDocumento& d = almacen.Documentos[k];
    d.Vaciar();
    d.Numero = k;
    d.IdLibro = idLibro;
    d.IdMateria = m;
    d.IdTema = t;
    d.IdContenido = c;
    d.Descripcion = QStringLiteral("Documento %1").arg(k);
    d.FechaUso = QStringLiteral("01/01/1900");
    return d;
}

void TBaseBanco::EscribirDocumento(int k, const QString& texto, bool cifrado) {
    const TLibro libro = almacen.BuscarLibro(almacen.Documentos[k].IdLibro);
    EscribirArchivoFalso(Ruta(k),
                         {texto, cifrado ? QString::number(libro.Identificador) : QString(), {}});
}

void TBaseBanco::AbrirEditor() {
    banco->AbrirEditor();
    ASSERT_TRUE(banco->EditorAbierto());
    ASSERT_TRUE(motor->Conectado());
}

QStringList TextosDe(const ui::TGuion& guion) {
    QStringList t;
    for (const auto& m : guion.Mensajes)
        t << m.Texto;
    return t;
}

} // namespace brivo::pruebas
