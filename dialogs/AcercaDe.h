#pragma once
// The about box ("Créditos").
#include <QDialog>
#include <QIcon>

class QLabel;
class QPushButton;

namespace brivo {

class TAcercaDeBox : public QDialog {
    Q_OBJECT
public:
    // biblioteca: the library folder in use, shown below the version (no
    // line when empty); soloConsulta: the library is open for consultation only.
    explicit TAcercaDeBox(QWidget* padre = nullptr, const QString& biblioteca = QString(),
                          bool soloConsulta = false);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;   // "Brivo II"
    QLabel* Version = nullptr;       // "Version 1.00"
    QLabel* LabBiblioteca = nullptr; // "Biblioteca: " + the folder
    QPushButton* OKButton = nullptr;
};

// The program's icon (the desktop icon brivo2.svg, from the resources).
QIcon IconoPrograma();

// "Acerca de ..": shows the about box.
void MostrarAcercaDe(QWidget* padre, const QString& biblioteca = QString(),
                     bool soloConsulta = false);

} // namespace brivo
