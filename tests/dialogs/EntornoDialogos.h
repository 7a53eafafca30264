#pragma once
// Shared pieces of the dialog tests: a QApplication for the whole run, and a
// stand-in main window over a library in a scratch program folder.
#include <QDir>
#include <QTemporaryDir>

#include "VentanaFalsa.h"

namespace brivo::pruebas {

// Over a scratch program folder of its own.
class TVentanaPrueba : public pruebas::TVentanaFalsa {
public:
    TVentanaPrueba();

    void SeleccionarPrimerNodo() override { ++seleccionesPrimerNodo; }

    // Puts a document of a book into a slot and writes its file when asked.
    void PonerDocumento(int numero, std::int32_t idLibro, bool conArchivo);

    QTemporaryDir carpeta;
    int seleccionesPrimerNodo = 0;
};

// Writes a small file (creating its folder).
void EscribirArchivo(const QString& ruta, const QByteArray& contenido = "x");

} // namespace brivo::pruebas
