#pragma once

#include <array>

class DayGrid;
class PictureButton;
class PressButton;
class QAction;
class QCalendarWidget;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWidget;

// Every control of the main window, by its name in the program. The layout
// builds them; the commands reach them here.
struct Form1Ui
{
    QWidget* central = nullptr;

    PressButton* CmdPrec = nullptr;
    QLabel* LblDate = nullptr;
    PressButton* CmdSuiv = nullptr;
    QLineEdit* TxtEcho1 = nullptr;
    QLineEdit* TxtEcho2 = nullptr;
    QCalendarWidget* MonthView1 = nullptr;
    QLabel* Label2 = nullptr;      // hidden: the shown day's serial
    QLabel* LblHorImp = nullptr;   // hidden: SlotMinutes
    QLabel* LblUtilisat = nullptr; // hidden: CurrentUser
    QLabel* Label3 = nullptr;      // title of the operating-theatre box
    QPlainTextEdit* Text3 = nullptr;
    PressButton* CmdAbsent1 = nullptr;
    PressButton* CmdAbsent2 = nullptr;
    PressButton* CmdEcho1 = nullptr;
    PressButton* CmdEcho2 = nullptr;
    PictureButton* Semaine = nullptr; // acts on a click, keyboard too
    QPushButton* Command1 = nullptr;
    QLabel* Picture2 = nullptr;      // the open notebook
    std::array<PressButton*, 6> CmdUtilisat{}; // CmdUtilisat1 .. CmdUtilisat6
    QLabel* Label5 = nullptr;

    DayGrid* grid = nullptr; // Frame1(0..1), Label1, Text1, Check1, Text4, Label4, Text2, Picture1

    QTimer* Timer1 = nullptr; // the reload, every 60000 ms; runs from the window's creation

    QMenu* Fichier = nullptr;
    QAction* Enregistrer = nullptr;
    QAction* Enreg_auto = nullptr;
    QAction* Quitte = nullptr;
    QMenu* Imprimer = nullptr;
    QAction* Matin = nullptr;
    QAction* Amidi = nullptr;
    QAction* Bloc = nullptr;
    QAction* Postit = nullptr;
    QAction* Utilisat = nullptr;
    QAction* Aide = nullptr;
    QAction* Propos = nullptr;
    QAction* Coches = nullptr;
    QAction* Sauve = nullptr;
    QAction* Rechercher = nullptr;
};

namespace Form1Layout
{
// Creates every control at its place with its design text and look.
void build(Form1Ui& ui, QMainWindow* window);
} // namespace Form1Layout
