#include "Iconos.h"

#include "Recursos.h"

namespace brivo::iconos {

namespace {

// A toolbar picture: 16 x 16 in the 19 x 19 buttons, 32 x 32 on screens of
// twice the density.
QIcon Barra(const char* nombre) {
    return recursos::Icono(QStringLiteral("barras/") + QLatin1String(nombre), {16, 32});
}

QIcon Arbol(const char* nombre) {
    return recursos::Icono(QStringLiteral("arbol/") + QLatin1String(nombre), {16, 32});
}

} // namespace

QIcon NodoCerrado() {
    return Arbol("NodoCerrado");
}
QIcon NodoAbierto() {
    return Arbol("NodoAbierto");
}

QIcon NuevoNodo() {
    return Barra("NuevoNodo");
}
QIcon NuevoSubNodo() {
    return Barra("NuevoSubNodo");
}
QIcon BorraNodo() {
    return Barra("BorraNodo");
}
QIcon Editor() {
    return Barra("Editor");
}
QIcon Opciones() {
    return Barra("Opciones");
}
QIcon NuevoDoc() {
    return Barra("NuevoDoc");
}
QIcon BorraDoc() {
    return Barra("BorraDoc");
}
QIcon VerExamen() {
    return Barra("VerExamen");
}
QIcon PropDoc() {
    return Barra("PropDoc");
}
QIcon PregsAExamen() {
    return Barra("PregsAExamen");
}
QIcon BorraPregExam() {
    return Barra("BorraPregExam");
}
QIcon CrearExamen() {
    return Barra("CrearExamen");
}

QIcon Programa() {
    return recursos::IconoPrograma();
}

} // namespace brivo::iconos
