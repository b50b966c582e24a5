#include "mainwindow/ui/MenuCommands.h"

#include "backup/ui/Form21.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/frmAbout.h"
#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/ui/HelpViewer.h"
#include "settings/ui/Form2.h"

#include <QAction>

MenuCommands::MenuCommands(Form1& form) : QObject(&form), m_form(form)
{
    const Form1Ui& ui = m_form.ui();
    connect(ui.Utilisat, &QAction::triggered, this, &MenuCommands::Utilisat_Click);
    connect(ui.Aide, &QAction::triggered, this, &MenuCommands::Aide_Click);
    connect(ui.Propos, &QAction::triggered, this, &MenuCommands::Propos_Click);
    connect(ui.Sauve, &QAction::triggered, this, &MenuCommands::Sauve_Click);
}

MenuCommands::~MenuCommands()
{
    // The windows opened from the menu have no owner; they go with the main window.
    delete m_about.data();
    delete Form2::openWindow();
    delete Form21::openWindow();
}

frmAbout* MenuCommands::aboutBox() const
{
    return m_about.data();
}

QString MenuCommands::helpFile()
{
    return Files::joinPath(AppInfo::programFolder(), QStringLiteral("Kordela.HLP"));
}

void MenuCommands::Utilisat_Click()
{
    // The settings window updates the main window's user buttons when saved.
    Form2::showWindow(&m_form, nullptr);
}

void MenuCommands::Aide_Click()
{
    HelpViewer::showContents(&m_form, helpFile());
}

void MenuCommands::Propos_Click()
{
    if (!m_about) {
        m_about = new frmAbout(nullptr);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MenuCommands::Sauve_Click()
{
    Form21::showWindow(m_form);
}
