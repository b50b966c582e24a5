#pragma once

#include "platform/ui/OwnedWindow.h"

#include <QObject>

class Form1;
class Form3;

// The main window's week button "Par &Semaine": saves the shown day when it is
// modified, then opens the week window on the week of the shown day. One week
// window at a time; the button while it is open refills it and brings it to
// the front. The window goes with the main window, and closes when a restore
// replaces the data it shows.
class WeekOpening : public QObject
{
    Q_OBJECT

public:
    explicit WeekOpening(Form1& form);
    ~WeekOpening() override;

    void Semaine_Click();

    // The open week window, or null.
    Form3* window() const;

private:
    Form1& m_form;
    OwnedWindow<Form3> m_window;
};
