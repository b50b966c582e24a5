#include "mainwindow/ui/NameCompletion.h"

#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/Dialogs.h"

NameCompletion::NameCompletion(Form1& form) : QObject(&form), m_form(form)
{
    connect(m_form.ui().grid, &DayGrid::slotKeyReleased, this, &NameCompletion::keyReleased);
}

namespace
{
// Keys whose release says nothing about the row: Tab and Shift+Tab end in the
// row that gets the focus (with its whole text selected, the caret at its
// end), and a modifier let go after a letter finds the row as the letter's
// release left it.
bool leavesRowAlone(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
        return true;
    default:
        return false;
    }
}
} // namespace

void NameCompletion::keyReleased(int row, int key, Qt::KeyboardModifiers modifiers)
{
    if (leavesRowAlone(key)) {
        return;
    }
    MainState& st = m_form.state();
    // F2 switches with or without Shift, Ctrl or Alt.
    if (st.NameLookupOn && key == Qt::Key_F2) {
        switchLookup();
    }
    // A key held with Alt or Ctrl is a command (a shortcut, a copy), not typing.
    if (!st.NameLookupFlag.equalsTrue() || (modifiers & (Qt::AltModifier | Qt::ControlModifier))) {
        return;
    }
    complete(row);
}

void NameCompletion::switchLookup()
{
    MainState& st = m_form.state();
    // True when it was False (an empty flag counts as False), else False.
    st.NameLookupFlag = LooseValue::fromBool(st.NameLookupFlag.equalsNumber(0));
    m_failureShown = false;
    if (!st.NameLookupFlag.equalsTrue()) {
        // Off: the names database is let go until the lookup comes back.
        m_lookup.close();
    }
}

void NameCompletion::complete(int row)
{
    SlotTextBox* box = m_form.ui().grid->slotBox(row);
    const int caret = box->cursorPosition();
    const QString prefix = NameSearch::prefixBeforeCaret(box->text(), caret);
    if (prefix.size() < NameSearch::MinimumPrefixLength) {
        return;
    }

    const MainState& st = m_form.state();
    const NameLookup::Answer answer = m_lookup.find(st.NamesPath, st.NamesTable.toText(), prefix);
    switch (answer.outcome) {
    case NameLookup::Outcome::Found:
        break;
    case NameLookup::Outcome::Unavailable:
        reportUnavailable(answer.reason);
        return;
    case NameLookup::Outcome::NoMatch:
    case NameLookup::Outcome::TooShort:
        return; // the row keeps what was typed
    }

    // A change of the row's text: the grid's change handler marks the day.
    m_form.dayView().setSlotText(row, answer.match.rowText());
    box->deselect();
    box->setCursorPosition(qMin(caret, static_cast<int>(box->text().size())));
}

void NameCompletion::reportUnavailable(const QString& reason)
{
    if (m_failureShown) {
        return;
    }
    m_failureShown = true;
    // It comes up after a letter's release, while the user goes on typing:
    // it takes none of the keys that follow.
    Dialogs::notice(&m_form, NameSearch::unavailableMessage(reason));
}
