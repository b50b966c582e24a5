#pragma once

class BackupCommand;
class Form1;
class PrintMenu;
class SearchCommand;
class WeekOpening;

// The commands of the week, search, printing and backup folders, made for a
// main window and connected to its menu items and buttons. The main window
// knows none of them: this is the one place that puts them together. They
// are children of the main window and go with it.
struct Features
{
    WeekOpening* week = nullptr;     // "Par &Semaine"
    SearchCommand* search = nullptr; // "&Rechercher"
    PrintMenu* print = nullptr;      // "Matin", "Après-midi", "Bloc", "Post-it"
    BackupCommand* backup = nullptr; // "Sau&vegarder"

    static Features attach(Form1& form);
};
