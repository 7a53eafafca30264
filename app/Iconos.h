#pragma once
// Pictures of the main window: the two images of the tree's image list and
// one per toolbar button, SVG files of the resources (recursos/iconos/arbol
// and recursos/iconos/barras). The toolbar pictures are light on transparent
// so that they read on the black toolbars.
#include <QIcon>

namespace brivo::iconos {

QIcon NodoCerrado(); // image 0: a closed folder
QIcon NodoAbierto(); // image 1: the selected node, an open folder

QIcon NuevoNodo();
QIcon NuevoSubNodo();
QIcon BorraNodo();
QIcon Editor();
QIcon Opciones();
QIcon NuevoDoc();
QIcon BorraDoc();
QIcon VerExamen();
QIcon PropDoc();
QIcon PregsAExamen();
QIcon BorraPregExam();
QIcon CrearExamen();
QIcon Programa(); // the program's icon (the desktop icon brivo2.svg)

} // namespace brivo::iconos
