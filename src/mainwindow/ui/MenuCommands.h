#pragma once

#include <QObject>
#include <QPointer>

class Form1;
class frmAbout;

// The menu commands that only open something: the settings window, the help,
// the About box, the backup window. A window opened here is loaded once and
// shown modeless with no owner; the same command while it is open only brings
// it to the front. The print items and "Rechercher" belong to their windows'
// classes, which connect to the menu items themselves.
class MenuCommands : public QObject
{
    Q_OBJECT

public:
    explicit MenuCommands(Form1& form);
    ~MenuCommands() override;

    void Utilisat_Click(); // the settings window
    void Aide_Click();     // the help file
    void Propos_Click();   // the About box
    void Sauve_Click();    // the backup window

    // The open About box, or null.
    frmAbout* aboutBox() const;

    // The help file as the program names it: Kordela.HLP in its folder.
    static QString helpFile();

private:
    Form1& m_form;
    QPointer<frmAbout> m_about;
};
