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
    explicit TAcercaDeBox(QWidget* padre = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr; // "Brivo II"
    QLabel* Version = nullptr;     // "Version 1.00"
    QPushButton* OKButton = nullptr;
};

// The program's icon: the application's window icon when one is set, else
// the drawn Brivo II emblem.
QIcon IconoPrograma();

// "Acerca de ..": shows the about box.
void MostrarAcercaDe(QWidget* padre);

} // namespace brivo
