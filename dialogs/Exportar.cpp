#include "Exportar.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Almacen.h"
#include "Clave.h"
#include "ComunDialogos.h"
#include "CursorOcupado.h"
#include "Interaccion.h"
#include "TextosComunes.h"
#include "VentanaPrincipal.h"

namespace brivo {

TFormExportar::TFormExportar(IVentanaPrincipal& v, QWidget* padre)
    : TFormPaquete(v, padre, "TFormExportar", QString::fromUtf8(Titulo), Contexto) {
    LabNota1 = new QLabel(QStringLiteral("ATENCIÓN: la clave es opcional."), this);
    LabNota1->setObjectName(QStringLiteral("LabNota1"));
    LabNota2 = new QLabel(QStringLiteral("Si la utiliza, debe anotarla porque será necesaria para "
                                         "descomprimir e instalar (importar) este libro."),
                          this);
    LabNota2->setObjectName(QStringLiteral("LabNota2"));
    LabNota2->setWordWrap(true);

    const dialogos::TCasillasLibro casillas = dialogos::CasillasLibro(this);
    Panel1 = casillas.Panel;
    CBClaveEnDoc = casillas.ClaveEnDoc;
    CBPermitirCambiosEnDoc = casillas.PermitirCambiosEnDoc;
    CBPrmitirMasDoc = casillas.PermitirMasDoc;

    CBDocumentosWord = dialogos::Casilla(this, "CBDocumentosWord",
                                         QStringLiteral("Documentos en formato &Word (.doc)"));
    CBDocumentosWord->setToolTip(
        QStringLiteral("Cada documento va en el paquete convertido a Word 97–2003, para "
                       "instalarlo donde Word es el procesador de textos."));

    Completar({LabNota1, LabNota2, Panel1, CBDocumentosWord}, QStringLiteral("Exportar"),
              QString::fromUtf8(textos::Cancelar));

    FormCreate();
    resize(560, sizeHint().height());
    dialogos::CentrarEnPantalla(*this);
}

void TFormExportar::FormCreate() {
    const TAlmacen& a = ventana.Almacen();
    QDir().mkpath(CarpetaBak(a));
    const TLibro* libro = a.LibroActivoPtr();
    const TLibro vacio;
    const TLibro& l = libro ? *libro : vacio;
    setWindowTitle(QString::fromUtf8(Titulo) + QLatin1Char(' ') + l.Titulo.Texto());
    EdArchivo->setText(ArchivoExportacionPredeterminado(a, l));
    CBClaveEnDoc->setChecked(l.ClaveEnDoc);
    CBPermitirCambiosEnDoc->setChecked(l.PermitirCambiosEnDoc);
    CBPrmitirMasDoc->setChecked(l.PermitirMasDoc);
}

void TFormExportar::BExplorarClick() {
    const QString archivo = ui::ArchivoParaGuardar(this, QStringLiteral("Exportar a archivo"),
                                                   CarpetaBak(ventana.Almacen()), FiltroPaquetes());
    if (!archivo.isEmpty()) {
        EdArchivo->setText(archivo);
        elegidoAlExplorar = archivo;
    }
}

void TFormExportar::BCopiarClick() {
    if (Ocupado())
        return;
    if (QFileInfo(EdArchivo->text()).fileName().isEmpty()) {
        ui::Informacion(this, paquete::NoHayNombre);
        return;
    }
    const TAlmacen& a = ventana.Almacen();
    const TLibro* libro = a.LibroActivoPtr();
    if (!libro) {
        QDialog::reject();
        return;
    }
    const QString destino = ArchivoDeExportacion(a, EdArchivo->text());
    const QFileInfo existente(destino);
    const bool preguntado = !elegidoAlExplorar.isEmpty() && elegidoAlExplorar == destino;
    if ((existente.isFile() || existente.isSymLink()) && !preguntado &&
        !ui::Preguntar(this, QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?")
                                 .arg(QDir::toNativeSeparators(destino))))
        return;
    TOpcionesPaquete opciones;
    opciones.ClaveEnDoc = CBClaveEnDoc->isChecked();
    opciones.PermitirCambiosEnDoc = CBPermitirCambiosEnDoc->isChecked();
    opciones.PermitirMasDoc = CBPrmitirMasDoc->isChecked();
    TProgreso progreso;
    progreso.Mayor = [this](const QString& i, int p, bool& c) { ProgresoMayor(i, p, c); };
    progreso.Menor = [this](const QString& i, int p, bool& c) { ProgresoMenor(i, p, c); };
    std::unique_ptr<word::IConversionDocumentos> conversionWord;
    if (CBDocumentosWord->isChecked())
        conversionWord = word::CrearConversionDocumentos();
    {
        // The buttons come back and the cursor is restored on every way
        // out, a thrown input/output error included.
        TTrabajando trabajando(*this);
        TCursorOcupado cursor;
        Resultado = ExportarPaquete(a, libro->Identificador, opciones, EdArchivo->text(),
                                    EdClave->text(), progreso, conversionWord.get());
    }
    if (!Resultado.Correcto) {
        ui::Error(this, Resultado.Mensaje);
        return;
    }
    accept();
}

void MostrarExportar(IVentanaPrincipal& ventana) {
    TFormExportar dialogo(ventana, ventana.Ventana());
    ui::Ejecutar(dialogo);
}

QString TextoExportarNoPermitido() {
    return QStringLiteral("No está permitido exportar el libro activo. \r\n"
                          "Puede modificar este comportamiento en Libro/Propiedades\r\n"
                          "si dispone del identificador de este libro");
}

void ExportarLibro(IVentanaPrincipal& ventana) {
    TAlmacen& a = ventana.Almacen();
    const std::int32_t id = a.LibroActivoValido() ? a.Libros[a.LibroActivo].Identificador : 0;
    a.LibroConsultado = a.BuscarLibro(id);
    if (a.LibroConsultado.Identificador == 0)
        return;
    if (!a.LibroConsultado.PermitirExportar) {
        ui::Informacion(ventana.Ventana(), TextoExportarNoPermitido());
        return;
    }
    if (PedirIdentificador(ventana))
        MostrarExportar(ventana);
}

} // namespace brivo
