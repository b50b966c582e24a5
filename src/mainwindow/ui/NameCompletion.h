#pragma once

#include "mainwindow/NameSearch.h"

#include <QObject>

class Form1;

// Completion of a patient's name typed into a slot row from the names
// database (Text1_KeyUp): after each key typed in a row is let go (its press
// reached the row, neither Alt nor Ctrl held), the text before the caret is
// looked up and the row shows the first name at or after it, the caret
// staying where it was. F2 switches the lookup off and on, with any modifier,
// when the workstation's option allows it.
class NameCompletion : public QObject
{
    Q_OBJECT

public:
    explicit NameCompletion(Form1& form);

    // Text1_KeyUp for row `row` (0..52), a key typed in the row.
    void keyReleased(int row, int key, Qt::KeyboardModifiers modifiers);

    // The names connection (tests look at it).
    const NameLookup& lookup() const { return m_lookup; }

private:
    void switchLookup();
    void complete(int row);
    void reportUnavailable(const QString& reason);

    Form1& m_form;
    NameLookup m_lookup;
    // A missing names database or table is said once, then the lookup stays
    // silent until it is switched with F2.
    bool m_failureShown = false;
};
