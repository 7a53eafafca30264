#include "ListaLibros.h"

#include <algorithm>

#include <QCollator>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "Almacen.h"
#include "ComunDialogos.h"
#include "Interaccion.h"
#include "VentanaPrincipal.h"

namespace brivo {

TFormListaLibros::TFormListaLibros(TAlmacen& a, QWidget* padre) : QDialog(padre), almacen(a) {
    dialogos::PrepararDialogo(*this, "TFormListaLibros", QStringLiteral("Lista de Libros"),
                              Contexto);

    Label1 = new QLabel(QStringLiteral("Seleccionar un libro"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListLibros = new QListWidget(this);
    ListLibros->setObjectName(QStringLiteral("ListLibros"));
    ListLibros->setAccessibleName(QStringLiteral("Libros"));
    ListLibros->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(ListLibros);

    dialogos::BotonesOK(*this, BOK, BCancelar, BAyuda);
    connect(BOK, &QPushButton::clicked, this, &TFormListaLibros::BOKClick);
    connect(BAyuda, &QPushButton::clicked, this, [this] { ui::MostrarAyuda(this, Contexto); });
    connect(ListLibros, &QListWidget::itemActivated, this, &TFormListaLibros::BOKClick);

    auto* botones = dialogos::FilaBotones({BOK, BCancelar, BAyuda});
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(Label1);
    caja->addWidget(ListLibros);
    caja->addLayout(botones);

    ListLibros->setFocus();
    SlotElegido = almacen.LibroActivo;
    FormCreate();
    setFixedSize(QSize(360, 300));
    dialogos::CentrarEnPantalla(*this);
}

void TFormListaLibros::FormCreate() {
    QStringList titulos;
    for (int i = 1; i <= MaxLibros; ++i)
        if (almacen.Libros[i].Identificador > 0)
            titulos.append(almacen.Libros[i].Titulo.Texto());
    // Alphabetical order as a Spanish reader expects it: letter case and
    // accents do not come before the letters themselves.
    QCollator orden{QLocale(QLocale::Spanish, QLocale::Spain)};
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(titulos.begin(), titulos.end(),
                     [&orden](const QString& x, const QString& y) { return orden(x, y); });
    ListLibros->clear();
    ListLibros->addItems(titulos);
}

void TFormListaLibros::BOKClick() {
    QListWidgetItem* linea = ListLibros->currentItem();
    if (linea && linea->isSelected()) {
        const QString titulo = linea->text();
        for (int i = 1; i <= MaxLibros; ++i)
            if (almacen.Libros[i].Identificador > 0 && almacen.Libros[i].Titulo.Texto() == titulo)
                SlotElegido = i;
    }
    accept();
}

void CambiarLibroActivo(IVentanaPrincipal& ventana) {
    TAlmacen& a = ventana.Almacen();
    int elegido;
    {
        TFormListaLibros dialogo(a, ventana.Ventana());
        ui::Ejecutar(dialogo);
        elegido = dialogo.SlotElegido;
    }
    ventana.CerrarDocumento();
    a.LibroActivo = elegido;
    ventana.PonerTitulo();
}

} // namespace brivo
