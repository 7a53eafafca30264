#include "EntornoVentanaOficina.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>

#include "ArbolPrueba.h"
#include "ArchivoDocumento.h"
#include "Clave.h"
#include "ClaveExportacion.h"
#include "DocumentosOficina.h"
#include "Exportar.h"
#include "ImportacionOficina.h"
#include "InformeDocumentos.h"
#include "ModeloGridPreg.h"

using namespace brivo;

namespace brivo::pruebas {

namespace {

// Writes document k as a file of the engine, then puts its Word 97–2003
// copy, protected with the identifier, in its place.
void EscribirComoWord(const TAlmacen& a, int k, const std::function<void(QTextDocument&)>& llenar) {
    const QString ruta = RutaDocumento(a, k);
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    llenar(doc);
    word::GuardarArchivoDocumento(
        ruta, QString::number(IdWord), doc,
        {{word::PropTitulo, a.Documentos[size_t(k)].Descripcion.Texto()}});
    const QString copia = ruta + QStringLiteral(".word");
    ExportarDocumentoWord97(a, k, copia, *word::CrearConversionDocumentos());
    ASSERT_TRUE(QFile::remove(ruta));
    ASSERT_TRUE(QFile::rename(copia, ruta));
}

void Pregunta(QTextDocument& doc, int k) {
    QTextCursor(&doc).insertText(
        QStringLiteral("#PREG\nPregunta %1 de Word\n#RESP\nRespuesta %1").arg(k));
}

} // namespace

void VentanaOficina::SetUp() {
    ASSERT_TRUE(fuera.isValid());
    TArbol arbol;
    pruebas::EmpezarConUtiles(arbol);
    TNodo* fisica = arbol.Anadir(nullptr, QStringLiteral("Física"), QStringLiteral("10"));
    arbol.Anadir(fisica, QStringLiteral("Mecánica"), QStringLiteral("20"));
    arbol.Guardar(carpeta.Archivo(QStringLiteral("Arbol0.tvw")));
    for (const char* modelo : {"nuevodoc.doc", "nuevoexamen.doc"}) {
        const QString origen = QStringLiteral(BRIVO_CARPETA_PROGRAMA) + QLatin1String(modelo);
        ASSERT_TRUE(QFile::copy(origen, carpeta.Archivo(QLatin1String(modelo))));
    }
    QDir(carpeta.Ruta()).mkpath(QStringLiteral("Docs/Fisica"));
    Preparar(carpeta, [](TAlmacen& a) {
        PonerLibro(a, 1, IdWord, QStringLiteral("Física"), QStringLiteral("Fisica"));
        a.Libros[1].ClaveEnDoc = true;
        a.Libros[1].PermitirCambiosEnDoc = true;
        a.Libros[1].PermitirMasDoc = true;
        a.LibroActivo = 1;
        a.Ajustes.LibroActivo = 1;
        for (int k = 1; k <= 4; ++k)
            PonerDocumento(a, k, IdWord, 10, 20, 0, QStringLiteral("Pregunta %1").arg(k));
        EscribirComoWord(a, 1, [](QTextDocument& d) { LlenarPregunta(d); });
        for (int k = 2; k <= 4; ++k)
            EscribirComoWord(a, k, [k](QTextDocument& d) { Pregunta(d, k); });
        // Document 4 is cut short, as by a failed copy.
        const QString cuatro = RutaDocumento(a, 4);
        const QByteArray datos = Leer(cuatro);
        QFile f(cuatro);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(datos.left(datos.size() / 2));
    });
    form = Arrancar(carpeta);
    ASSERT_EQ(A().LibroActivo, 1);
}

QString VentanaOficina::Ruta(int k) const {
    return carpeta.Ruta() + QStringLiteral("Docs/Fisica/K%1.doc").arg(k, 6, 10, QLatin1Char('0'));
}

TNodo* VentanaOficina::Nodo(const QString& texto) {
    TNodo* r = nullptr;
    A().Arbol.Recorrer([&](TNodo* n) {
        if (!r && n->Texto == texto)
            r = n;
    });
    EXPECT_NE(r, nullptr) << texto.toStdString();
    return r;
}

void VentanaOficina::Mover(int fila) {
    form->GridPreg->setCurrentIndex(
        form->GridPreg->model()->index(fila - 1, TModeloGridPreg::ColDescripcion));
}

QString VentanaOficina::TextoArchivo(const QString& ruta, const QString& clave) {
    QTextDocument doc;
    word::LeerArchivoDocumento(ruta, clave, doc);
    return doc.toPlainText();
}

QString VentanaOficina::TextoCualquiera(const QString& ruta, const QString& clave) {
    QTextDocument doc;
    word::CargarDocumento(ruta, clave, doc, ConversorSuite());
    return doc.toPlainText();
}

ui::TGuion::AccionDialogo VentanaOficina::LeerInforme() {
    return [this](QDialog& d) {
        auto& f = dynamic_cast<TFormInforme&>(d);
        resumen = f.LabResumen->text();
        detalle = f.MemoDetalle->toPlainText();
        f.BCerrar->click();
        return d.result();
    };
}

ui::TGuion::AccionDialogo VentanaOficina::ClaveExportacion(const QString& clave) {
    return [clave](QDialog& d) {
        auto& f = dynamic_cast<TFormClaveExportacion&>(d);
        f.CBProteger->setChecked(!clave.isEmpty());
        f.EdClave->setText(clave);
        f.EdRepetir->setText(clave);
        f.BOK->click();
        return d.result();
    };
}

void VentanaOficina::GuionExportarLibroEnWord(const QString& archivo) {
    guion.Dialogo([this](QDialog& d) {
        auto& c = dynamic_cast<TClaveDialog&>(d);
        c.ClaveEdit->setText(Identificador());
        c.BOK->click();
        return d.result();
    });
    guion.Dialogo([archivo](QDialog& d) {
        auto& f = dynamic_cast<TFormExportar&>(d);
        f.EdArchivo->setText(archivo);
        f.CBDocumentosWord->setChecked(true);
        f.BCopiar->click();
        return d.result();
    });
}

} // namespace brivo::pruebas
