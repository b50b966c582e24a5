#include "mainwindow/ui/MenuCommands.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/frmAbout.h"
#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Screen.h"
#include "settings/ui/Form2.h"

#include <QAction>

MenuCommands::MenuCommands(Form1& form) : QObject(&form), m_form(form)
{
    const Form1Ui& ui = m_form.ui();
    connect(ui.Utilisat, &QAction::triggered, this, &MenuCommands::Utilisat_Click);
    connect(ui.Aide, &QAction::triggered, this, &MenuCommands::Aide_Click);
    connect(ui.Propos, &QAction::triggered, this, &MenuCommands::Propos_Click);
    // The settings window shows the settings as they were read: once a restore
    // has replaced them, it closes without writing them back.
    connect(&m_form.shownDay(), &ShownDay::restored, this, [this] { m_settings.close(); });
}

// The windows opened from the menu have no owner; they go with the main window.
MenuCommands::~MenuCommands() = default;

frmAbout* MenuCommands::aboutBox() const
{
    return m_about.open();
}

Form2* MenuCommands::settingsWindow() const
{
    return m_settings.open();
}

QString MenuCommands::helpFile()
{
    return Files::joinPath(AppInfo::programFolder(), QStringLiteral("Kordela.HLP"));
}

void MenuCommands::Utilisat_Click()
{
    // The settings window updates the main window's user buttons when saved.
    // The open one comes to the front without reading the files again.
    OwnedWindow<Form2>::bringToFront(m_settings.openOrMake([this] {
        auto* made = new Form2(&m_form);
        Screen::centre(made);
        return made;
    }));
}

void MenuCommands::Aide_Click()
{
    HelpViewer::showContents(&m_form, helpFile());
}

void MenuCommands::Propos_Click()
{
    OwnedWindow<frmAbout>::bringToFront(m_about.openOrMake([] { return new frmAbout(nullptr); }));
}
