#pragma once

#include <QObject>

class Form1;

// Typing, blocking and clearing rows, the absence and ultrasound toggles, ticks and the tick-box menu.
class DayEditing : public QObject
{
    Q_OBJECT

public:
    explicit DayEditing(Form1& form);

private:
    Form1& m_form;
};
