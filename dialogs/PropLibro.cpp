#include "PropLibro.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Almacen.h"
#include "Clave.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "Libros.h"
#include "VentanaPrincipal.h"

namespace brivo {

namespace {

QLineEdit* Campo(QWidget* padre, const char* nombre, int longitudMaxima) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    if (longitudMaxima > 0)
        e->setMaxLength(longitudMaxima);
    return e;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, QWidget* companero) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    if (companero) {
        l->setBuddy(companero);
        QString nombreAccesible = texto;
        if (nombreAccesible.endsWith(QLatin1Char(':')))
            nombreAccesible.chop(1);
        companero->setAccessibleName(nombreAccesible);
    }
    return l;
}

// Renames a book's folder inside Docs from anterior to nueva, telling the
// user why when it cannot be done: nueva already exists (as a folder or
// anything else), or the system refuses the rename. Nothing changes then and
// the result is false. A book without a folder on disk has nothing to move.
bool RenombrarCarpeta(const TAlmacen& a, const QString& anterior, const QString& nueva,
                      QWidget* padre) {
    if (anterior == nueva)
        return true;
    const QString destino = RutaCarpetaLibro(a, nueva);
    const QFileInfo enDestino(destino);
    if (enDestino.exists() || enDestino.isSymLink()) {
        ui::Informacion(padre, QStringLiteral("Ya existe una carpeta llamada \"%1\" en Docs. "
                                              "Escriba otro nombre de carpeta para el libro.")
                                   .arg(nueva));
        return false;
    }
    const QString origen = RutaCarpetaLibro(a, anterior);
    const QFileInfo enOrigen(origen);
    if (anterior.isEmpty() || (!enOrigen.exists() && !enOrigen.isSymLink()))
        return true;
    if (!QDir().rename(origen, destino)) {
        ui::Informacion(padre, QStringLiteral("No se puede cambiar el nombre de la carpeta \"%1\" "
                                              "a \"%2\". Se mantiene la carpeta anterior.")
                                   .arg(anterior, nueva));
        return false;
    }
    return true;
}

// The notice for the first book field that cannot be stored, "" when all
// can: author, title and folder must be there, and the folder must be one
// folder inside Docs, as typed and as it will be stored (a name that would
// climb out of it, reach into another folder or be blank is refused; the
// export refuses such a folder too).
QString ErrorDeCampos(const QString& autor, const QString& titulo, const QString& carpeta) {
    if (autor.isEmpty())
        return QStringLiteral("Debe escribir el nombre del autor");
    if (titulo.isEmpty())
        return QStringLiteral("Debe escribir el título del libro");
    if (carpeta.isEmpty())
        return QStringLiteral(
            "Debe escribir el nombre de la carpeta donde se guardarán los documentos");
    CadenaCorta<100> guardada;
    guardada.Asignar(carpeta);
    if (!NombreCarpetaValido(carpeta) || !NombreCarpetaValido(guardada.Texto()))
        return QStringLiteral("El nombre de la carpeta no es válido");
    return {};
}

// The first book slot whose folder is that one (used or not), 0 when none.
int SlotDeCarpeta(const TAlmacen& a, const CadenaCorta<100>& carpeta) {
    for (int i = 1; i <= MaxLibros; ++i) {
        if (a.Libros[i].Carpeta == carpeta)
            return i;
    }
    return 0;
}

// A new book's identifier is shown once: the user must write it down.
void AnunciarIdentificador(QWidget* padre, std::int32_t id) {
    ui::Informacion(
        padre, QStringLiteral("El identificador del libro que se acaba de crear es: %1.\r\n"
                              "Dede anotar este número para poder modificar las propiedades\r\n"
                              "de este libro")
                   .arg(id));
    ui::Informacion(padre, QStringLiteral("¿Seguro que ha anotado el número %1?.").arg(id));
}

} // namespace

TFormPropLibro::TFormPropLibro(IVentanaPrincipal& v, int m, QWidget* padre)
    : QDialog(padre), ventana(v), modo(m) {
    dialogos::PrepararDialogo(*this, "TFormPropLibro",
                              QStringLiteral("Propiedades de libro activo"), Contexto);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    EdId = new QSpinBox(this);
    EdId->setObjectName(QStringLiteral("EdId"));
    EdId->setRange(10000, 999000);
    EdId->setSingleStep(100);
    EdId->setValue(100000);
    EdId->setEnabled(false);
    LabId = Etiqueta(this, "LabId", QStringLiteral("Identificador:"), EdId);
    LabId2 = new QLabel(QStringLiteral("Número entero de 6 cifras"), this);
    LabId2->setObjectName(QStringLiteral("LabId2"));

    EdTitulo = Campo(this, "EdTitulo", 100);
    EdAutor = Campo(this, "EdAutor", 100);
    EdMateria = Campo(this, "EdMateria", 100);
    EdComentario = Campo(this, "EdComentario", 200);
    EdCarpeta = Campo(this, "EdCarpeta", 0);

    auto* rejilla = new QGridLayout;
    int fila = 0;
    rejilla->addWidget(LabId, fila, 0);
    auto* filaId = new QHBoxLayout;
    filaId->addWidget(EdId);
    filaId->addWidget(LabId2);
    filaId->addStretch();
    rejilla->addLayout(filaId, fila++, 1);
    const struct {
        const char* nombre;
        const char* texto;
        QLineEdit* campo;
    } filas[] = {{"LabTitulo", "Título:", EdTitulo},
                 {"LabAutor", "Autor:", EdAutor},
                 {"LabMateria", "Materia:", EdMateria},
                 {"LabComentario", "Comentarios:", EdComentario},
                 {"LabCarpeta", "Carpeta:", EdCarpeta}};
    for (const auto& f : filas) {
        rejilla->addWidget(Etiqueta(this, f.nombre, QString::fromUtf8(f.texto), f.campo), fila, 0);
        rejilla->addWidget(f.campo, fila++, 1);
    }

    const dialogos::TCasillasLibro casillas = dialogos::CasillasLibro(this);
    QFrame* panel = casillas.Panel;
    CBClaveEnDoc = casillas.ClaveEnDoc;
    CBPermitirCambiosEnDoc = casillas.PermitirCambiosEnDoc;
    CBPrmitirMasDoc = casillas.PermitirMasDoc;
    CBPermitirExportar =
        dialogos::Casilla(panel, "CBPermitirExportar", QStringLiteral("Permitir exportar."));
    casillas.Caja->addWidget(CBPermitirExportar);

    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    connect(BOK, &QPushButton::clicked, this, &TFormPropLibro::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, &TFormPropLibro::BAyudaClick);
    auto* botones = dialogos::FilaBotones({BOK, BCancelar, BAyuda});

    auto* caja = new QVBoxLayout(this);
    caja->addLayout(rejilla);
    caja->addWidget(panel);
    caja->addLayout(botones);

    setTabOrder(EdTitulo, EdAutor);
    setTabOrder(EdAutor, EdMateria);
    setTabOrder(EdMateria, EdComentario);
    setTabOrder(EdComentario, EdCarpeta);
    setTabOrder(EdCarpeta, CBClaveEnDoc);
    setTabOrder(CBClaveEnDoc, CBPermitirCambiosEnDoc);
    setTabOrder(CBPermitirCambiosEnDoc, CBPrmitirMasDoc);
    setTabOrder(CBPrmitirMasDoc, CBPermitirExportar);
    setTabOrder(CBPermitirExportar, BOK);
    setTabOrder(BOK, BCancelar);
    setTabOrder(BCancelar, BAyuda);
    EdTitulo->setFocus();
    resize(560, sizeHint().height());

    FormActivate();
}

void TFormPropLibro::FormActivate() {
    const TAlmacen& a = ventana.Almacen();
    if (modo == ModoNuevo)
        SlotEditado = a.LibroLibre();
    else
        SlotEditado = a.LibroActivo;
    if (SlotEditado < 1 || SlotEditado > MaxLibros) {
        SlotEditado = 0;
    } else {
        const TLibro& libro = a.Libros[SlotEditado];
        CBClaveEnDoc->setChecked(libro.ClaveEnDoc);
        CBPermitirCambiosEnDoc->setChecked(libro.PermitirCambiosEnDoc);
        CBPrmitirMasDoc->setChecked(libro.PermitirMasDoc);
        CBPermitirExportar->setChecked(libro.PermitirExportar);
        EdAutor->setText(libro.Autor.Texto());
        EdTitulo->setText(libro.Titulo.Texto());
        EdMateria->setText(libro.Materia.Texto());
        EdCarpeta->setText(libro.Carpeta.Texto());
        EdComentario->setText(libro.Comentario.Texto());
        EdId->setValue(libro.Identificador);
    }
    if (modo == ModoNuevo) {
        EdId->hide();
        LabId->hide();
        LabId2->hide();
    }
}

void TFormPropLibro::BOKClick() {
    TAlmacen& a = ventana.Almacen();
    if (SlotEditado < 1 || SlotEditado > MaxLibros) {
        // No slot to store into (every slot used, or no active book).
        reject();
        return;
    }
    if (ventana.EditorAbierto())
        ventana.CerrarDocumento();

    QWidget* padre = this;
    const QString falta = ErrorDeCampos(EdAutor->text(), EdTitulo->text(), EdCarpeta->text());
    if (!falta.isEmpty()) {
        ui::Informacion(padre, falta);
        return;
    }
    // The folder as it will be stored (single-byte text cut to 100), so that
    // two names that store alike count as the same folder.
    CadenaCorta<100> carpetaNueva;
    carpetaNueva.Asignar(EdCarpeta->text());
    const int slotCarpeta = SlotDeCarpeta(a, carpetaNueva);
    const bool carpetaEnUso = slotCarpeta != 0;
    const bool deOtroLibro = modo == ModoNuevo
                                 ? carpetaEnUso && a.Libros[slotCarpeta].Identificador > 0
                                 : carpetaEnUso && slotCarpeta != SlotEditado;
    if (deOtroLibro) {
        ui::Informacion(padre, QStringLiteral("La carpeta pertenece a otro libro"));
        return;
    }

    // A rename never takes a name that is already there: the book's files
    // would stay in the old folder while the record names the other one.
    const QString carpetaAnterior = a.Libros[SlotEditado].Carpeta.Texto();
    if (modo != ModoNuevo && !RenombrarCarpeta(a, carpetaAnterior, carpetaNueva.Texto(), padre))
        return;

    TLibro& libro = a.Libros[SlotEditado];
    libro.ClaveEnDoc = CBClaveEnDoc->isChecked();
    libro.PermitirCambiosEnDoc = CBPermitirCambiosEnDoc->isChecked();
    libro.PermitirMasDoc = CBPrmitirMasDoc->isChecked();
    libro.PermitirExportar = CBPermitirExportar->isChecked();
    libro.Autor.Asignar(EdAutor->text());
    libro.Titulo.Asignar(EdTitulo->text());
    libro.Materia.Asignar(EdMateria->text());
    libro.Carpeta = carpetaNueva;
    libro.Comentario.Asignar(EdComentario->text());
    // The identifier is never edited here: a modified book keeps its own and
    // a new book gets a fresh one below.

    if (modo == ModoNuevo) {
        libro.Identificador = 0;
        const std::int32_t id = SortearIdentificador(a);
        libro.Identificador = id;
        AnunciarIdentificador(padre, id);
        a.LibroActivo = SlotEditado;
        if (!carpetaEnUso)
            QDir().mkdir(RutaCarpetaLibro(a, libro.Carpeta.Texto())); // an existing folder is used
    }
    accept();
}

void TFormPropLibro::BAyudaClick() {
    ui::MostrarAyuda(this, Contexto);
}

bool NuevoLibro(IVentanaPrincipal& ventana) {
    if (ventana.Almacen().LibroLibre() == 0)
        return false;
    bool creado;
    {
        TFormPropLibro dialogo(ventana, TFormPropLibro::ModoNuevo, ventana.Ventana());
        creado = ui::Ejecutar(dialogo) == QDialog::Accepted;
    }
    ventana.PonerTitulo();
    return creado;
}

bool ModificarLibro(IVentanaPrincipal& ventana) {
    if (!PedirIdentificador(ventana))
        return false;
    TAlmacen& a = ventana.Almacen();
    TFormPropLibro dialogo(ventana, a.LibroActivo, ventana.Ventana());
    return ui::Ejecutar(dialogo) == QDialog::Accepted;
}

} // namespace brivo
