#include "EntornoExamen.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTextDocument>

#include "ArchivoDocumento.h"
#include "MotorTexto.h"

using namespace brivo;

namespace brivo::pruebas {

namespace {

QString Unir(const QString& texto) {
    QString r = texto;
    r.chop(1);
    r.replace(QChar::ParagraphSeparator, QLatin1Char('|'));
    return r;
}

} // namespace

void TEntornoExamen::Arrancar(const std::function<void(TAlmacen&)>& cambio) {
    TArbol arbol; // the initial tree: "Útiles" with its five nodes, one materia
    arbol.Guardar(carpeta.Archivo("Arbol0.tvw"));
    QDir(carpeta.Ruta()).mkpath("Docs/libro");
    EscribirModeloExamen();
    Preparar(carpeta, [&](TAlmacen& a) {
        PonerLibro(a, 1, IdLibro, "Libro", "libro");
        a.Libros[1].ClaveEnDoc = false;
        a.LibroActivo = 1;
        if (cambio)
            cambio(a);
    });
    form = pruebas::Arrancar(carpeta);
}

QString TEntornoExamen::RutaDoc(int k) const {
    return carpeta.Ruta() + QStringLiteral("Docs/libro/K%1.doc").arg(k, 6, 10, QLatin1Char('0'));
}

void TEntornoExamen::EscribirTexto(int k, const QString& texto, bool cifrado) {
    QTextDocument doc;
    doc.setPlainText(texto);
    word::GuardarArchivoDocumento(RutaDoc(k), cifrado ? QString::number(IdLibro) : QString(), doc,
                                  {});
}

void TEntornoExamen::EscribirModeloExamen() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("EXAMEN"));
    word::GuardarArchivoDocumento(carpeta.Archivo("nuevoexamen.doc"), QString(), doc, {});
}

QString TEntornoExamen::ParrafosExamen() const {
    if (!form->Banco().WordDocument)
        return QStringLiteral("<sin documento>");
    return Unir(dynamic_cast<word::DocumentoMotor&>(*form->Banco().WordDocument).Texto());
}

QString TEntornoExamen::ParrafosArchivo(const QString& ruta, const QString& clave) const {
    QTextDocument doc;
    word::LeerArchivoDocumento(ruta, clave, doc);
    return doc.toPlainText().replace(QLatin1Char('\n'), QLatin1Char('|'));
}

ui::TGuion::AccionDialogo
TEntornoExamen::Aceptar(const std::function<void(TFormPropExamen&)>& cambio) {
    return [cambio](QDialog& d) {
        auto* f = dynamic_cast<TFormPropExamen*>(&d);
        EXPECT_NE(f, nullptr) << "se esperaba el diálogo Crear examen";
        if (!f)
            return int(QDialog::Rejected);
        if (cambio)
            cambio(*f);
        f->BOK->click();
        return d.result();
    };
}

void TEntornoExamen::TodasLasSecciones(TFormPropExamen& f) {
    for (QCheckBox* c : {f.CBPregunta, f.CBDesarrollo, f.CBRespuesta, f.CBComentarios})
        c->setChecked(true);
}

} // namespace brivo::pruebas
