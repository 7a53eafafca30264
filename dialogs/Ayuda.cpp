#include "Ayuda.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace brivo::ayuda {

namespace {
QString rutaFijada;
QPointer<TVisorAyuda> visor;

QString Ancla(int contexto) {
    return QStringLiteral("<a name=\"%1\"").arg(contexto);
}
} // namespace

const QList<int>& Contextos() {
    static const QList<int> lista = [] {
        QList<int> numeros;
        for (ContextoAyuda c : TodosLosContextos)
            numeros.append(Numero(c));
        return numeros;
    }();
    return lista;
}

QString RutaArchivo() {
    if (!rutaFijada.isEmpty())
        return rutaFijada;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Brivo2.hlp");
}

void PonerRutaArchivo(const QString& ruta) {
    rutaFijada = ruta;
}

QString LeerArchivo() {
    QFile f(RutaArchivo());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString Seccion(const QString& html, int contexto) {
    const int inicio = html.indexOf(Ancla(contexto));
    if (inicio < 0)
        return {};
    int fin = html.indexOf(QStringLiteral("<a name=\""), inicio + 1);
    if (fin < 0)
        fin = html.indexOf(QStringLiteral("</body>"), inicio);
    if (fin < 0)
        fin = html.size();
    return html.mid(inicio, fin - inicio);
}

QString Seccion(int contexto) {
    return Seccion(LeerArchivo(), contexto);
}

QString TextoPlano(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QList<int> Enlaces(const QString& html) {
    static const QRegularExpression enlace(QStringLiteral("href=\"#(\\d+)\""));
    QList<int> r;
    for (auto it = enlace.globalMatch(html); it.hasNext();)
        r.append(it.next().captured(1).toInt());
    return r;
}

TVisorAyuda::TVisorAyuda() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("TVisorAyuda"));
    setWindowTitle(QStringLiteral("Ayuda de Brivo II"));
    // The program ends when its main window closes, even with help still on
    // screen; the viewer does not keep it running.
    setAttribute(Qt::WA_QuitOnClose, false);

    Texto = new QTextBrowser(this);
    Texto->setObjectName(QStringLiteral("Texto"));
    Texto->setAccessibleName(QStringLiteral("Texto de la ayuda"));
    Texto->setOpenExternalLinks(false);
    BContenido = new QPushButton(QStringLiteral("&Contenido"), this);
    BContenido->setObjectName(QStringLiteral("BContenido"));
    BAtras = new QPushButton(QStringLiteral("A&trás"), this);
    BAtras->setObjectName(QStringLiteral("BAtras"));
    BAdelante = new QPushButton(QStringLiteral("A&delante"), this);
    BAdelante->setObjectName(QStringLiteral("BAdelante"));
    BCerrar = new QPushButton(QStringLiteral("C&errar"), this);
    BCerrar->setObjectName(QStringLiteral("BCerrar"));
    BAtras->setEnabled(false);
    BAdelante->setEnabled(false);

    connect(BContenido, &QPushButton::clicked, this, [this] { Mostrar(ContextoAyuda::Indice); });
    connect(BAtras, &QPushButton::clicked, Texto, &QTextBrowser::backward);
    connect(BAdelante, &QPushButton::clicked, Texto, &QTextBrowser::forward);
    connect(BCerrar, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes the viewer, as it closes a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(Texto, &QTextBrowser::backwardAvailable, BAtras, &QPushButton::setEnabled);
    connect(Texto, &QTextBrowser::forwardAvailable, BAdelante, &QPushButton::setEnabled);
    connect(Texto, &QTextBrowser::sourceChanged, this, &TVisorAyuda::FuenteCambiada);

    auto* botones = new QHBoxLayout;
    botones->addWidget(BContenido);
    botones->addWidget(BAtras);
    botones->addWidget(BAdelante);
    botones->addStretch();
    botones->addWidget(BCerrar);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(botones);
    caja->addWidget(Texto);
    resize(640, 560);
}

void TVisorAyuda::Mostrar(ContextoAyuda c) {
    const QString ruta = RutaArchivo();
    if (!QFileInfo::exists(ruta)) {
        contexto = 0;
        Texto->setPlainText(QStringLiteral("No se encuentra el archivo de ayuda %1").arg(ruta));
        return;
    }
    QUrl url = QUrl::fromLocalFile(ruta);
    url.setFragment(QString::number(Numero(c)));
    Texto->setSource(url, QTextDocument::HtmlResource);
    contexto = Numero(c);
}

void TVisorAyuda::FuenteCambiada(const QUrl& url) {
    bool ok = false;
    const int c = url.fragment().toInt(&ok);
    contexto = ok ? c : 0;
}

TVisorAyuda* Visor(bool crear) {
    if (!visor && crear) {
        visor = new TVisorAyuda;
        // A top-level window has no owner: it goes with the application.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, visor.data(), &QObject::deleteLater);
    }
    return visor.data();
}

void Abrir(QWidget* padre, int contexto, bool mostrar) {
    TVisorAyuda* v = Visor(true);
    v->Mostrar(static_cast<ContextoAyuda>(contexto));
    if (!mostrar)
        return; // scripted runs load the section but never show a window
    // Help asked from a window that stays above the others (the option
    // dialogs) would open hidden behind it: the viewer takes the same place.
    const QWidget* duena = padre ? padre->window() : nullptr;
    const bool encima = duena && duena->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (v->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != encima)
        v->setWindowFlag(Qt::WindowStaysOnTopHint, encima);
    // Help asked from a modal dialog must stay usable while the dialog runs:
    // a window whose transient parent is the modal one is not blocked by it.
    // The owner is given before the window appears, so that the window
    // system stacks it above its owner from the start.
    v->winId();
    if (v->windowHandle())
        v->windowHandle()->setTransientParent(duena ? duena->windowHandle() : nullptr);
    v->show();
    v->raise();
    v->activateWindow();
}

} // namespace brivo::ayuda
