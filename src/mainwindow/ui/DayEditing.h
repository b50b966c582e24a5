#pragma once

#include <QObject>

class Form1;

// Typing, blocking and clearing rows, the absence and ultrasound toggles,
// ticks and the tick-box menu. Every edit marks the shown day modified; a
// tick by the user saves the day at once.
class DayEditing : public QObject
{
    Q_OBJECT

public:
    explicit DayEditing(Form1& form);

    // The text that blocks an empty row: ten X, "- Pas de RV -", nine X.
    static QString noAppointmentMarker();

    // The handlers, as the controls run them.
    void markModified();
    void rowDoubleClicked(int row); // blocks an empty row, or clears one after asking
    void toggleAbsence(int half);   // 0 morning, 1 afternoon
    void toggleEcho(int half);      // 0 morning, 1 afternoon
    void tickClicked();             // saves the whole day
    void toggleTickBoxes();         // "Voir les c&oches"

private:
    Form1& m_form;
};
