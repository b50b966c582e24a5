#pragma once

#include <QObject>

class Form1;

// The shown day: saving (ENREG_01), showing (SUIV_PREC), day moves, calendar, reload and quitting.
class ShownDay : public QObject
{
    Q_OBJECT

public:
    explicit ShownDay(Form1& form);

private:
    Form1& m_form;
};
