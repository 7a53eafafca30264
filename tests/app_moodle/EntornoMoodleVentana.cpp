#include "EntornoMoodleVentana.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTimer>

#include "ArchivoDocumento.h"
#include "InformeDocumentos.h"
#include "Moodle.h"
#include "ProgresoDocumentos.h"

using namespace brivo;

namespace brivo::pruebas {

namespace {

void EscribirDocumento(const QString& ruta, const QString& texto, int clave) {
    QTextDocument doc;
    doc.setPlainText(texto);
    word::GuardarArchivoDocumento(ruta, QString::number(clave), doc, {});
}

} // namespace

void MoodleVentana::PrepararLibreria(TAlmacen& a) {
    PonerDocumento(a, 1, IdFisica, 10, 20, 0, QStringLiteral("Velocidad"));
    a.Documentos[1].Tipo = 1;
    a.Documentos[1].Respuesta = QStringLiteral("b");
    PonerDocumento(a, 2, IdFisica, 10, 20, 30, QStringLiteral("Trayectoria"));
    a.Documentos[2].Tipo = 3;
    PonerDocumento(a, 3, IdFisica, 10, 0, 0, QStringLiteral("Fuerza"));
    a.Documentos[3].Tipo = 1;
    a.Documentos[3].Respuesta = QStringLiteral("c");
    PonerDocumento(a, 4, IdOtro, 10, 0, 0, QStringLiteral("Ajena"));
    a.Libros[2].PermitirExportar = false;
}

void MoodleVentana::SetUp() {
    BaseDocumentos::SetUp();
    EscribirDocumento(Ruta(1),
                      QStringLiteral("#PREG\n¿Unidad de la velocidad?\na) kg\nb) m/s\n#RESP\nb"),
                      IdFisica);
    EscribirDocumento(Ruta(2), QStringLiteral("#PREG\nDibuje la trayectoria.\n#RESP\nUna parábola"),
                      IdFisica);
    EscribirDocumento(Ruta(3), QStringLiteral("#PREG\n¿Qué es una fuerza?\n#RESP\nc"), IdFisica);
    EscribirDocumento(carpeta.Ruta() + QStringLiteral("Docs/otro/K000004.doc"),
                      QStringLiteral("#PREG\nAjena"), IdOtro);
}

void MoodleVentana::ResponderIdentificador() {
    guion.Dialogo([](QDialog& d) {
        auto* campo = d.findChild<QLineEdit*>(QStringLiteral("ClaveEdit"));
        EXPECT_NE(campo, nullptr) << "se esperaba el identificador";
        if (!campo)
            return int(QDialog::Rejected);
        campo->setText(QString::number(IdFisica));
        d.accept();
        return int(QDialog::Accepted);
    });
}

void MoodleVentana::LeerInformeEnVentana() {
    guion.Dialogo([this](QDialog& d) {
        auto* f = dynamic_cast<TFormInforme*>(&d);
        EXPECT_NE(f, nullptr) << "se esperaba la ventana del informe";
        if (!f)
            return int(QDialog::Rejected);
        // The summary is the report's first line, the detail the rest.
        informe = f->LabResumen->text() + QLatin1Char('\n') + f->MemoDetalle->toPlainText();
        f->BCerrar->click();
        return d.result();
    });
}

QString MoodleVentana::Informe() const {
    if (!informe.isEmpty())
        return informe;
    for (auto m = guion.Mensajes.crbegin(); m != guion.Mensajes.crend(); ++m)
        if (m->Tipo == ui::TipoMensaje::Informacion)
            return m->Texto;
    return {};
}

void MoodleVentana::CancelarTras(int hechos) {
    auto* reloj = new QTimer(form.get());
    reloj->setInterval(0);
    QObject::connect(reloj, &QTimer::timeout, reloj, [this, reloj, hechos] {
        auto* p = form->findChild<TFormProgreso*>();
        if (p && p->isVisible() && p->Progreso->value() >= hechos) {
            p->BCancelar->click();
            reloj->deleteLater();
        }
    });
    reloj->start();
}

QString MoodleVentana::Huella() const {
    const TAlmacen& a = form->Almacen();
    QStringList h;
    for (int k = 1; k <= MaxDocumentos; ++k) {
        const TDocumento& d = a.Documentos[size_t(k)];
        if (d.Usado())
            h << QStringLiteral("%1|%2|%3|%4,%5,%6|%7|%8|%9")
                     .arg(d.Numero)
                     .arg(d.IdLibro)
                     .arg(d.Descripcion.Texto())
                     .arg(d.IdMateria)
                     .arg(d.IdTema)
                     .arg(d.IdContenido)
                     .arg(d.Usos)
                     .arg(d.FechaUso.Texto())
                     .arg(d.Tipo);
    }
    for (int i = 1; i <= MaxExamen; ++i)
        h << QString::number(a.ListaExamen[size_t(i)]);
    a.Arbol.Recorrer([&](TNodo* n) { h << n->Identificador + QLatin1Char(':') + n->Texto; });
    return h.join(QLatin1Char('\n'));
}

QStringList MoodleVentana::ArchivosDocs() const {
    QStringList r;
    QDirIterator it(carpeta.Ruta() + QStringLiteral("Docs"), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        QFile f(ruta);
        f.open(QIODevice::ReadOnly);
        r << ruta + QLatin1Char(' ') +
                 QString::fromLatin1(
                     QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
    }
    r.sort();
    return r;
}

QStringList MoodleVentana::Nombres(const QString& xml) {
    QStringList r;
    static const QRegularExpression nombre(QStringLiteral("<name>\\s*<text>([^<]*)</text>"));
    for (auto it = nombre.globalMatch(xml); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

QString MoodleVentana::Leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace brivo::pruebas
