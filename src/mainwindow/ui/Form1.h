#pragma once

#include "mainwindow/MainState.h"
#include "mainwindow/ui/Form1Ui.h"
#include "mainwindow/ui/Form1View.h"
#include "settings/UserButtons.h"

#include <QMainWindow>

class DayEditing;
class MenuCommands;
class NameCompletion;
class ShownDay;
class StartUp;
class UserSwitch;

// The main window: one user's day, the user buttons and the commands on the
// day and the users. The window only holds the controls and the state; each
// concern has its class. The week, search, print and backup commands are
// connected to its menu items and buttons at the program's start.
class Form1 : public QMainWindow, public UserButtons
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    Form1Ui& ui() { return m_ui; }
    MainState& state() { return m_state; }
    DayView& dayView() { return m_view; }

    StartUp& startUp() { return *m_startUp; }
    ShownDay& shownDay() { return *m_shownDay; }
    UserSwitch& userSwitch() { return *m_userSwitch; }
    DayEditing& dayEditing() { return *m_dayEditing; }
    NameCompletion& nameCompletion() { return *m_nameCompletion; }
    MenuCommands& menuCommands() { return *m_menuCommands; }

    // The user buttons as the settings window sets them.
    void setUserButtonVisible(int user, bool visible) override;
    void setUserButtonCaption(int user, const QString& caption) override;

signals:
    // The window is closing: the closing handler decides what is saved.
    void closing(QCloseEvent* event);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form1Ui m_ui;
    MainState m_state;
    Form1View m_view;
    StartUp* m_startUp = nullptr;
    ShownDay* m_shownDay = nullptr;
    UserSwitch* m_userSwitch = nullptr;
    DayEditing* m_dayEditing = nullptr;
    NameCompletion* m_nameCompletion = nullptr;
    MenuCommands* m_menuCommands = nullptr;
};
