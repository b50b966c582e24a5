#pragma once

#include <QObject>

class Form1;

// The menu commands that open something: help, About box, settings, search and backup windows.
class MenuCommands : public QObject
{
    Q_OBJECT

public:
    explicit MenuCommands(Form1& form);

private:
    Form1& m_form;
};
