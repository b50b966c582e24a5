#pragma once

#include <QObject>
#include <QPointer>

class Form1;
class Form15;

// The load of the main window: the greeting, today as the shown day, the
// registry values, the two settings files, user 1 and today's page.
class StartUp : public QObject
{
    Q_OBJECT

public:
    explicit StartUp(Form1& form);
    // The greeting window does not outlive the main window.
    ~StartUp() override;

    // The load, in its fixed order. It runs once: a second call does nothing.
    void Form_Load();
    bool loaded() const { return m_loaded; }

    // The greeting window that the load opened on 16 April, while it is open.
    Form15* greeting() const;

    // The greeting's texts: the person whose birthday it is and where to write.
    static QString greetingName();
    static QString greetingAddress();

private:
    void showGreeting();
    void showToday();
    bool readRegistry();
    void readUserSettings();
    void readAlphaSettings();
    void setUpUserButtons();
    void setUpUserOne();
    void showFirstDay();

    Form1& m_form;
    bool m_loaded = false;
    QPointer<Form15> m_greeting;
};
