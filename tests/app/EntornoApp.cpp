#include "EntornoApp.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include "Aplicacion.h"
#include "ListaLibros.h"
#include "PropLibro.h"
#include "eliminar.h"

namespace brivo::pruebas {

TCarpeta::TCarpeta(bool conArbol0) {
    QDir(dir.path()).mkdir("Docs");
    if (!conArbol0)
        return;
    const QString origen = QStringLiteral(BRIVO_CARPETA_PROGRAMA) + "Arbol0.tvw";
    if (QFile::exists(origen)) {
        QFile::copy(origen, Archivo("Arbol0.tvw"));
    } else {
        // Without a built Arbol0.tvw the tree built into the program stands in.
        brivo::TArbol arbol;
        arbol.Guardar(Archivo("Arbol0.tvw"));
    }
}

QByteArray TCarpeta::Leer(const QString& nombre) const {
    QFile f(Archivo(nombre));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TCarpeta::Existe(const QString& nombre) const {
    return QFile::exists(Archivo(nombre));
}

void Preparar(const TCarpeta& carpeta, const std::function<void(brivo::TAlmacen&)>& cambio) {
    brivo::TAlmacen a;
    a.CarpetaPrograma = carpeta.Ruta();
    a.CargarLibreria();
    cambio(a);
    a.GuardarLibreria();
}

void PonerLibro(brivo::TAlmacen& a, int slot, int identificador, const QString& titulo,
                const QString& carpeta) {
    brivo::TLibro& l = a.Libros[slot];
    l = brivo::TLibro::Libre();
    l.Identificador = identificador;
    l.Titulo = titulo;
    l.Autor = QStringLiteral("Autora");
    l.Carpeta = carpeta;
}

void PonerDocumento(brivo::TAlmacen& a, int numero, int idLibro, int materia, int tema,
                    int contenido, const QString& descripcion) {
    brivo::TDocumento& d = a.Documentos[numero];
    d.Vaciar();
    d.Numero = numero;
    d.IdLibro = idLibro;
    d.IdMateria = materia;
    d.IdTema = tema;
    d.IdContenido = contenido;
    d.Descripcion =
        descripcion.isEmpty() ? QStringLiteral("Documento %1").arg(numero) : descripcion;
    d.FechaCreacion = QStringLiteral("01/02/2024");
    d.FechaUso = QStringLiteral("01/01/1900");
}

std::unique_ptr<brivo::TMainForm> Arrancar(const TCarpeta& carpeta) {
    auto form = std::make_unique<brivo::TMainForm>(carpeta.Ruta());
    form->show();
    form->FormActivate();
    return form;
}

brivo::ui::TGuion::AccionDialogo CrearLibro(const QString& titulo, const QString& carpeta) {
    return [titulo, carpeta](QDialog& d) {
        auto* f = dynamic_cast<brivo::TFormPropLibro*>(&d);
        EXPECT_NE(f, nullptr) << "se esperaba el diálogo de libro";
        if (!f)
            return int(QDialog::Rejected);
        f->EdAutor->setText(QStringLiteral("Autora"));
        f->EdTitulo->setText(titulo);
        f->EdCarpeta->setText(carpeta);
        f->BOKClick();
        return d.result();
    };
}

brivo::ui::TGuion::AccionDialogo Cancelar() {
    return [](QDialog& d) {
        d.reject();
        return int(QDialog::Rejected);
    };
}

brivo::ui::TGuion::AccionDialogo ElegirLibro(const QString& titulo) {
    return [titulo](QDialog& d) {
        auto* f = dynamic_cast<brivo::TFormListaLibros*>(&d);
        EXPECT_NE(f, nullptr) << "se esperaba la lista de libros";
        if (!f)
            return int(QDialog::Rejected);
        const auto lineas = f->ListLibros->findItems(titulo, Qt::MatchExactly);
        EXPECT_FALSE(lineas.isEmpty()) << titulo.toStdString();
        if (!lineas.isEmpty())
            f->ListLibros->setCurrentItem(lineas.front());
        f->BOKClick();
        return d.result();
    };
}

brivo::ui::TGuion::AccionDialogo EliminarLibro() {
    return [](QDialog& d) {
        auto* f = dynamic_cast<brivo::TFormEliminarLibro*>(&d);
        EXPECT_NE(f, nullptr) << "se esperaba el diálogo de eliminar";
        if (!f)
            return int(QDialog::Rejected);
        f->BEliminarClick();
        return d.result();
    };
}

QStringList Textos(const brivo::ui::TGuion& guion, brivo::ui::TipoMensaje tipo) {
    QStringList r;
    for (const auto& m : guion.Mensajes)
        if (m.Tipo == tipo)
            r << m.Texto;
    return r;
}

} // namespace brivo::pruebas

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    brivo::TAplicacion aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
