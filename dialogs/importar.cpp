#include "importar.h"

#include <QLineEdit>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "TextosComunes.h"
#include "VentanaPrincipal.h"

namespace brivo {

TFormImportar::TFormImportar(IVentanaPrincipal& v, QWidget* padre)
    : TFormPaquete(v, padre, "TFormImportar", QStringLiteral("Importar libro"), Contexto) {
    Completar({}, QStringLiteral("&Importar"), QString::fromUtf8(textos::BotonCancelar));

    EdArchivo->setFocus();
    resize(520, sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

void TFormImportar::BExplorarClick() {
    const QString archivo = ui::ArchivoParaAbrir(this, QStringLiteral("Exportar desde archivo"),
                                                 CarpetaBak(ventana.Almacen()), FiltroPaquetes());
    if (!archivo.isEmpty())
        EdArchivo->setText(archivo);
}

void TFormImportar::BCopiarClick() {
    if (Ocupado())
        return;
    TOpcionesImportacion opciones;
    opciones.Progreso.Mayor = [this](const QString& i, int p, bool& c) { ProgresoMayor(i, p, c); };
    opciones.Progreso.Menor = [this](const QString& i, int p, bool& c) { ProgresoMenor(i, p, c); };
    opciones.AnadirNodo = AnadirNodo;
    opciones.ArbolTemp = &ArbolTemp;
    {
        TTrabajando trabajando(*this);
        Resultado = ImportarPaquete(ventana, EdArchivo->text(), EdClave->text(), opciones, this);
    }
    accept();
}

void ImportarLibro(IVentanaPrincipal& ventana, TAnadirNodo anadirNodo) {
    TFormImportar dialogo(ventana, ventana.Ventana());
    dialogo.AnadirNodo = std::move(anadirNodo);
    ui::Ejecutar(dialogo);
}

} // namespace brivo
