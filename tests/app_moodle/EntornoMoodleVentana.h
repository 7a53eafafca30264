#pragma once
// The document-bank test library with question documents written as the
// word processor keeps them, and what the Moodle window tests share: the
// identifier prompt answered, the report read from its box or its window,
// Cancelar pressed in the progress window, a fingerprint of the library.
#include <QString>
#include <QStringList>

#include "EntornoDocumentos.h"

#include "TextosQt.h"

namespace brivo::pruebas {

// Física general (active, ClaveEnDoc): 1 "Velocidad" Test with options a)
// b) and answer b in Mecánica; 2 "Trayectoria" Preg in Cinemática; 3
// "Fuerza" Test without options in Física. Otro (no export): 4 "Ajena" in
// Física. Files written for all four, encrypted with their book's identifier.
class MoodleVentana : public BaseDocumentos {
protected:
    void SetUp() override;
    void PrepararLibreria(brivo::TAlmacen& a) override;

    // Script for the identifier prompt: types the active book's identifier.
    void ResponderIdentificador();
    // Script for the report window: keeps its text in informe and closes it.
    void LeerInformeEnVentana();
    // The report: the last information box, or the text the report window showed.
    QString Informe() const;

    // Presses Cancelar in the progress window once it shows `hechos` steps done.
    void CancelarTras(int hechos);

    // The records, the exam list and the tree, as text: equal when nothing changed.
    QString Huella() const;
    // Every file under the library's Docs folder with its contents' hash.
    QStringList ArchivosDocs() const;

    // The names of the questions a Moodle XML file holds, in order.
    static QStringList Nombres(const QString& xml);
    static QString Leer(const QString& ruta);

    QString informe;
};

} // namespace brivo::pruebas
