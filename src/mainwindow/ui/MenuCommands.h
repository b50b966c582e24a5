#pragma once

#include "platform/ui/OwnedWindow.h"

#include <QObject>

class Form1;
class Form2;
class frmAbout;

// The menu commands that only open something: the settings window, the help,
// the About box. A window opened here is loaded once and shown modeless with
// no owner; the same command while it is open only brings it to the front.
// The print items, "Rechercher" and "Sauvegarder" belong to the commands of
// their own folders, connected at the program's start.
class MenuCommands : public QObject
{
    Q_OBJECT

public:
    explicit MenuCommands(Form1& form);
    ~MenuCommands() override;

    void Utilisat_Click(); // the settings window
    void Aide_Click();     // the help file
    void Propos_Click();   // the About box

    // The open About box, or null.
    frmAbout* aboutBox() const;
    // The open settings window, or null.
    Form2* settingsWindow() const;

    // The help file as the program names it: Kordela.HLP in its folder.
    static QString helpFile();

private:
    Form1& m_form;
    OwnedWindow<frmAbout> m_about;
    OwnedWindow<Form2> m_settings;
};
