#include "mainwindow/ui/Form1.h"

#include "mainwindow/ui/DayEditing.h"
#include "mainwindow/ui/MenuCommands.h"
#include "mainwindow/ui/NameCompletion.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/StartUp.h"
#include "mainwindow/ui/UserSwitch.h"

#include <QCloseEvent>
#include <QCoreApplication>

Form1::Form1(QWidget* parent) : QMainWindow(parent), m_view(m_ui)
{
    Form1Layout::build(m_ui, this);
    m_startUp = new StartUp(*this);
    m_shownDay = new ShownDay(*this);
    m_userSwitch = new UserSwitch(*this);
    m_dayEditing = new DayEditing(*this);
    m_nameCompletion = new NameCompletion(*this);
    m_menuCommands = new MenuCommands(*this);
}

Form1::~Form1() = default;

void Form1::setUserButtonVisible(int user, bool visible)
{
    if (user >= 1 && user <= 6) {
        m_ui.CmdUtilisat[static_cast<std::size_t>(user - 1)]->setVisible(visible);
    }
}

void Form1::setUserButtonCaption(int user, const QString& caption)
{
    if (user >= 1 && user <= 6) {
        m_ui.CmdUtilisat[static_cast<std::size_t>(user - 1)]->setText(caption);
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closing(event);
    // Closing the main window ends the program, whatever other window is open.
    if (event->isAccepted()) {
        QCoreApplication::quit();
    }
}
