#include "search/ui/SearchCommand.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/UserSwitch.h"
#include "search/ui/FrmRech.h"

#include <QAction>

SearchCommand::SearchCommand(Form1& form) : QObject(&form), m_form(form)
{
    connect(m_form.ui().Rechercher, &QAction::triggered, this, &SearchCommand::Rechercher_Click);
    connect(&m_form.userSwitch(), &UserSwitch::switching, this, &SearchCommand::closeWindow);
    connect(&m_form.shownDay(), &ShownDay::ending, this, &SearchCommand::closeWindow);
    connect(&m_form.shownDay(), &ShownDay::restored, this, &SearchCommand::closeWindow);
}

SearchCommand::~SearchCommand()
{
    delete m_window.data();
}

FrmRech* SearchCommand::window() const
{
    // A closed window waits for its deletion hidden: it is gone already.
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

void SearchCommand::Rechercher_Click()
{
    FrmRech* open = window();
    if (open == nullptr) {
        m_window = open = new FrmRech(m_form);
        open->show();
    }
    open->raise();
    open->activateWindow();
}

void SearchCommand::closeWindow()
{
    if (FrmRech* open = window()) {
        open->close();
    }
    m_window.clear();
}
