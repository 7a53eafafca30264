#include "EntornoDocumentos.h"

#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTextDocument>

#include "ArbolPrueba.h"
#include "Errores.h"
#include "ModeloGridPreg.h"

using namespace brivo;

namespace brivo::pruebas {

void BaseDocumentos::SetUp() {
    TArbol arbol;
    pruebas::EmpezarConUtiles(arbol);
    TNodo* fisica = arbol.Anadir(nullptr, QStringLiteral("Física"), "10");
    TNodo* tema = arbol.Anadir(fisica, QStringLiteral("Mecánica"), "20");
    arbol.Anadir(tema, QStringLiteral("Cinemática"), "30");
    arbol.Anadir(nullptr, QStringLiteral("Química"), "11");
    arbol.Guardar(carpeta.Archivo("Arbol0.tvw"));

    for (const char* modelo : {"nuevodoc.doc", "nuevoexamen.doc"}) {
        const QString origen = QStringLiteral(BRIVO_CARPETA_PROGRAMA) + modelo;
        ASSERT_TRUE(QFile::exists(origen)) << origen.toStdString();
        ASSERT_TRUE(QFile::copy(origen, carpeta.Archivo(modelo)));
    }
    QDir(carpeta.Ruta()).mkpath("Docs/Fisica");
    QDir(carpeta.Ruta()).mkpath("Docs/otro");

    Preparar(carpeta, [this](TAlmacen& a) {
        PonerLibro(a, 1, IdFisica, QStringLiteral("Física general"), QStringLiteral("Fisica"));
        a.Libros[1].Materia = QStringLiteral("Física");
        a.Libros[1].Comentario = QStringLiteral("Libro de pruebas");
        PonerLibro(a, 2, IdOtro, QStringLiteral("Otro"), QStringLiteral("otro"));
        a.LibroActivo = 1;
        a.Ajustes.LibroActivo = 1;
        PrepararLibreria(a);
    });
    form = Arrancar(carpeta);
    ASSERT_EQ(A().LibroActivo, 1);
}

void BaseDocumentos::PrepararLibreria(TAlmacen&) {}

TNodo* BaseDocumentos::Nodo(const QString& texto) {
    TNodo* r = nullptr;
    A().Arbol.Recorrer([&](TNodo* n) {
        if (!r && n->Texto == texto)
            r = n;
    });
    EXPECT_NE(r, nullptr) << texto.toStdString();
    return r;
}

void BaseDocumentos::Seleccionar(const QString& texto) {
    form->SeleccionarNodo(Nodo(texto));
}

void BaseDocumentos::Mover(int fila) {
    form->GridPreg->setCurrentIndex(
        form->GridPreg->model()->index(fila - 1, TModeloGridPreg::ColDescripcion));
}

QList<int> BaseDocumentos::Listados() const {
    QList<int> r;
    const TAlmacen& a = form->Almacen();
    for (int i = 1; i <= a.NumListados; ++i)
        r << a.ListaPreg[i];
    return r;
}

void BaseDocumentos::AbrirEditor() {
    ASSERT_FALSE(form->EditorAbierto());
    form->BEditarClick();
    ASSERT_TRUE(form->EditorAbierto());
    ASSERT_TRUE(form->Banco().WordApplication->Conectado());
}

QString BaseDocumentos::Ruta(int k) const {
    return carpeta.Ruta() + QStringLiteral("Docs/Fisica/K%1.doc").arg(k, 6, 10, QLatin1Char('0'));
}

void BaseDocumentos::Escribir(const QString& texto) {
    ASSERT_TRUE(form->Banco().WordDocument);
    auto rango = form->Banco().WordDocument->Content();
    rango->Collapse();
    rango->InsertAfter(QStringLiteral("\r") + texto);
}

word::ResultadoLectura LeerDoc(const QString& ruta, const QString& clave) {
    QTextDocument doc;
    return word::LeerArchivoDocumento(ruta, clave, doc);
}

QString TextoDe(const QString& ruta, const QString& clave) {
    QTextDocument doc;
    word::LeerArchivoDocumento(ruta, clave, doc);
    return doc.toPlainText();
}

bool Cifrado(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return word::EsContenidoCifrado(f.readAll());
}

void EscribirTexto(const QString& ruta, const QString& texto) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texto.toUtf8());
}

} // namespace brivo::pruebas

namespace brivo::pruebas {

void TMotorConFallos::Connect() {
    if (FallaConectar)
        throw ErrorBrivo(QStringLiteral("No se puede iniciar el procesador de textos."));
    real->Connect();
}

void TMotorConFallos::Quit(word::GuardarCambios guardar) {
    ++Quits;
    if (FallaQuit)
        throw ErrorBrivo(QStringLiteral("El procesador de textos no responde."));
    real->Quit(guardar);
}

TMotorConFallos& MotorConFallos(TMainForm& form) {
    auto motor = std::make_unique<TMotorConFallos>();
    TMotorConFallos& r = *motor;
    r.Connect();
    form.Banco().WordApplication = std::move(motor);
    form.Banco().WordFont.Connect(r);
    return r;
}

} // namespace brivo::pruebas
