#pragma once

#include <QObject>

class Form1;

// The six user buttons and the switch to another user.
class UserSwitch : public QObject
{
    Q_OBJECT

public:
    explicit UserSwitch(Form1& form);

private:
    Form1& m_form;
};
