#include "search/ui/SearchCommand.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/UserSwitch.h"
#include "search/ui/FrmRech.h"

SearchCommand::SearchCommand(Form1& form) : QObject(&form), m_form(form)
{
    connect(&m_form.userSwitch(), &UserSwitch::switching, this, &SearchCommand::closeWindow);
    connect(&m_form.shownDay(), &ShownDay::ending, this, &SearchCommand::closeWindow);
    connect(&m_form.shownDay(), &ShownDay::restored, this, &SearchCommand::closeWindow);
}

SearchCommand::~SearchCommand() = default;

FrmRech* SearchCommand::window() const
{
    return m_window.open();
}

void SearchCommand::Rechercher_Click()
{
    // The open window comes to the front as it stands, with its list.
    OwnedWindow<FrmRech>::bringToFront(m_window.openOrMake([this] { return new FrmRech(m_form); }));
}

void SearchCommand::closeWindow()
{
    m_window.close();
}
