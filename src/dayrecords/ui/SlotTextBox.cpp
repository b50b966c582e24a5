#include "dayrecords/ui/SlotTextBox.h"

#include "dayrecords/DayRecord.h"
#include "platform/ui/OwnDoubleClick.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPalette>

#include <utility>

SlotTextBox::SlotTextBox(int row, QWidget* parent) : QLineEdit(parent), m_row(row)
{
    setObjectName(QStringLiteral("Text1_%1").arg(row));
    setFrame(true);
    // A selection made by the program (the search's finds) shows as plainly
    // while the main window is not the active one.
    QPalette pal = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    }
    setPalette(pal);
    // A double click blocks or clears the row: the second click of a double
    // click on a button over it (a window's "Quitter") is no double click here.
    OwnDoubleClick::install(this);
    connect(this, &QLineEdit::textChanged, this, &SlotTextBox::dropLineBreaks);
}

QString SlotTextBox::withoutLineBreaks(const QString& text)
{
    return SlotTextList::oneLine(text);
}

void SlotTextBox::dropLineBreaks()
{
    const QString current = text();
    if (!current.contains(QLatin1Char('\r')) && !current.contains(QLatin1Char('\n'))) {
        return;
    }
    const int caret = cursorPosition();
    setText(withoutLineBreaks(current));
    setCursorPosition(qMin(caret, static_cast<int>(text().size())));
}

bool SlotTextBox::find(const QString& needle)
{
    const int at = text().indexOf(needle, 0, Qt::CaseInsensitive);
    if (needle.isEmpty() || at < 0) {
        return false;
    }
    setSelection(at, static_cast<int>(needle.size()));
    return true;
}

bool SlotTextBox::event(QEvent* event)
{
    // A line edit without the focus drops its selection one event-loop turn
    // after its window is activated. In a slot box only the search selects
    // without the focus: its find stays on view when the window is activated
    // after the opening, and at every later return to the window, until the
    // user types in the box or the day changes. A selection the user made
    // goes, as ever, when the box loses the focus to another box.
    if (event->type() == QEvent::WindowActivate) {
        return QWidget::event(event);
    }
    return QLineEdit::event(event);
}

void SlotTextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked(m_row);
}

void SlotTextBox::keyPressEvent(QKeyEvent* event)
{
    m_keysDown.insert(event->key());
    QLineEdit::keyPressEvent(event);
}

void SlotTextBox::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat()) {
        return;
    }
    const bool typedHere = m_keysDown.remove(event->key()) || std::exchange(m_composed, false);
    if (typedHere) {
        emit keyReleased(m_row, event->key(), event->modifiers());
    }
}

void SlotTextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        m_composed = true;
    }
    QLineEdit::inputMethodEvent(event);
}

void SlotTextBox::focusOutEvent(QFocusEvent* event)
{
    // A key pressed here and let go elsewhere never counts at a later
    // release here.
    m_keysDown.clear();
    m_composed = false;
    QLineEdit::focusOutEvent(event);
}
