#include "SeleccionAutomatica.h"

#include <QStringList>

#include "DialogoUsuario.h"
#include "Texto.h"

namespace brivo {

namespace {

const QString FinDeLinea = QStringLiteral("\r\n");

QString Preguntas(qint64 n) {
    return SegunCantidad(n, QStringLiteral("%1 pregunta"), QStringLiteral("%1 preguntas")).arg(n);
}

} // namespace

QString RutaNodo(const TNodo* nodo) {
    QStringList textos;
    for (const TNodo* n = nodo; n; n = n->Padre)
        textos.prepend(n->Texto);
    return textos.join(QStringLiteral(" / "));
}

QDate InicioDeCurso(const QDate& hoy) {
    return QDate(hoy.month() >= 9 ? hoy.year() : hoy.year() - 1, 9, 1);
}

std::vector<const TNodo*> NodosSeleccionables(const TArbol& arbol) {
    std::vector<const TNodo*> nodos;
    arbol.Recorrer([&](TNodo* n) {
        if (NodoSeleccionable(n))
            nodos.push_back(n);
    });
    return nodos;
}

TFaltaFila ComprobarFilas(const std::vector<TFilaSeleccion>& filas) {
    if (filas.empty())
        return {-1, QStringLiteral("Añada al menos una fila: cada fila dice de qué nodo del árbol "
                                   "y cuántas preguntas se eligen.")};
    for (size_t i = 0; i < filas.size(); ++i) {
        const QString falta = ComprobarFila(filas[i], static_cast<int>(i) + 1);
        if (!falta.isEmpty())
            return {static_cast<int>(i), falta};
    }
    return {};
}

QString InformeSeleccion(const std::vector<TFilaSeleccion>& filas,
                         const TResultadoSeleccion& resultado) {
    QStringList lineas;
    for (size_t i = 0; i < resultado.Filas.size(); ++i) {
        const TInformeFila& f = resultado.Filas[i];
        const QString nodo = i < filas.size() ? RutaNodo(filas[i].Nodo) : QString();
        QString linea = QStringLiteral("Fila %1, %2: pedidas %3, encontradas %4, tomadas %5.")
                            .arg(i + 1)
                            .arg(nodo)
                            .arg(f.Pedidas)
                            .arg(f.Encontradas)
                            .arg(f.Tomadas);
        if (f.Faltan() > 0)
            linea += QStringLiteral(" No se puede completar: faltan %1.").arg(f.Faltan());
        lineas << linea;
    }
    const auto elegidas = static_cast<qint64>(resultado.Documentos.size());
    if (elegidas == 0)
        lineas << QStringLiteral("No se ha elegido ninguna pregunta.");
    else if (resultado.Completa())
        lineas << SegunCantidad(elegidas,
                                QStringLiteral("Se añadirá %1 pregunta a la lista de examen. "
                                               "Pulse Aceptar para añadirla o Cancelar para "
                                               "volver a las filas."),
                                QStringLiteral("Se añadirán %1 preguntas a la lista de examen. "
                                               "Pulse Aceptar para añadirlas o Cancelar para "
                                               "volver a las filas."))
                      .arg(elegidas);
    else
        lineas << QStringLiteral("Alguna fila no se ha podido completar. Pulse Aceptar para "
                                 "añadir a la lista de examen lo elegido (%1) o Cancelar para "
                                 "volver a las filas.")
                      .arg(Preguntas(elegidas));
    return lineas.join(FinDeLinea);
}

bool ConfirmarSeleccion(QWidget* padre, const std::vector<TFilaSeleccion>& filas,
                        const TResultadoSeleccion& resultado) {
    const QString informe = InformeSeleccion(filas, resultado);
    if (resultado.Documentos.empty()) {
        ui::Informacion(padre, informe);
        return false;
    }
    return ui::Confirmar(padre, informe);
}

} // namespace brivo
