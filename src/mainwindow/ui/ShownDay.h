#pragma once

#include "platform/Result.h"

#include <QObject>

class Form1;

// The shown day: saving (ENREG_01), showing (SUIV_PREC), day moves, calendar,
// reload and quitting.
class ShownDay : public QObject
{
    Q_OBJECT

public:
    explicit ShownDay(Form1& form);

    // The day show: looks day `serial` up in the current user's table and
    // loads it into the grid, or clears the grid when it has no record. The
    // caller shows the reason of a failure.
    Status showDay(qint32 serial);

    // The day save of the shown day (Label2) for the current user, without
    // message; ENREG_01 wraps it with the hourglass, the message and the flag.
    Status saveShownDay();
    // ENREG_01: false when the save failed (its message has been shown).
    bool ENREG_01();

private:
    Form1& m_form;
};
