#pragma once
// The program's pictures: SVG files kept in the resource file Recursos.qrc
// (recursos/iconos/<carpeta>/<nombre>.svg, and the desktop icon
// escritorio/brivo2.svg as the program's icon), drawn at the sizes where
// they are shown.
#include <initializer_list>

#include <QIcon>
#include <QString>

namespace brivo::recursos {

// Where a picture is in the resources: ":/iconos/<nombre>.svg" (nombre as
// "barras/NuevoNodo").
QString Ruta(const QString& nombre);

// The picture drawn at each side given, in pixels (a toolbar picks the size
// it shows, and twice that on a high-density screen). A null icon when the
// resources have no such picture or it is not a valid SVG file.
QIcon Icono(const QString& nombre, std::initializer_list<int> lados);

// The program's icon (the desktop icon brivo2.svg) at the sizes of window
// icons and the about box.
QIcon IconoPrograma();

} // namespace brivo::recursos
