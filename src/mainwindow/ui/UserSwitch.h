#pragma once

#include <QObject>

class Form1;
struct UserSettings;

// The six user buttons and the switch to another user: the shown day is
// saved for the user shown so far when it is modified, the users' settings
// are read again, the window takes user k's look and the same day is shown
// from user k's table.
class UserSwitch : public QObject
{
    Q_OBJECT

public:
    explicit UserSwitch(Form1& form);

    // The switch to user k (1..6), as a press on CmdUtilisat<k> runs it. False
    // when it stopped: the save of the shown day or the reading of the day
    // failed (the message has been shown and the window is as it was).
    bool switchTo(int user);

signals:
    // The switch goes ahead (the shown day is saved and the new user's day
    // read), before the window changes user: the search window closes itself
    // on it. A switch that stops keeps the search window open.
    void switching();

private:
    // One record of the settings file applied for user k.
    void applyRecord(const UserSettings& record, int user);

    Form1& m_form;
};
