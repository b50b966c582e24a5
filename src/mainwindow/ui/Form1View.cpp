#include "mainwindow/ui/Form1View.h"

#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1Ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace
{
QLineEdit* boxOf(const Form1Ui& ui, SideBox box)
{
    switch (box) {
    case SideBox::Absent1: return ui.grid->banner(0);
    case SideBox::Absent2: return ui.grid->banner(1);
    case SideBox::Echo1: return ui.TxtEcho1;
    case SideBox::Echo2: return ui.TxtEcho2;
    }
    return nullptr;
}

// A text box is "visible" by its own flag, even while its window is hidden.
bool shownFlag(const QWidget* widget)
{
    return !widget->isHidden();
}

// A note box is only rewritten when its text changes, so a reload of the
// same day never moves its caret.
void setPlainText(QPlainTextEdit* box, const QString& text)
{
    const QString shown = NoteText::shownForm(text);
    if (box->toPlainText() != shown) {
        box->setPlainText(shown);
    }
}
} // namespace

QString Form1View::slotText(int row) const
{
    return m_ui.grid->slotBox(row)->text();
}

void Form1View::setSlotText(int row, const QString& text)
{
    SlotTextBox* box = m_ui.grid->slotBox(row);
    const QString clean = SlotTextBox::withoutLineBreaks(text);
    if (box->text() != clean) {
        box->setText(clean);
        // A text wider than the row shows its beginning (the title and the
        // name), not its end.
        box->setCursorPosition(0);
    }
}

int Form1View::tickValue(int row) const
{
    return m_ui.grid->tickValue(row);
}

void Form1View::setTickValue(int row, int value)
{
    m_ui.grid->setTickValue(row, value);
}

QString Form1View::postit() const
{
    return NoteText::storedForm(m_ui.grid->postitBox()->toPlainText());
}

void Form1View::setPostit(const QString& text)
{
    setPlainText(m_ui.grid->postitBox(), text);
}

QString Form1View::bloc() const
{
    return NoteText::storedForm(m_ui.Text3->toPlainText());
}

void Form1View::setBloc(const QString& text)
{
    setPlainText(m_ui.Text3, text);
}

bool Form1View::boxVisible(SideBox box) const
{
    return shownFlag(boxOf(m_ui, box));
}

void Form1View::setBoxVisible(SideBox box, bool visible)
{
    QLineEdit* edit = boxOf(m_ui, box);
    edit->setVisible(visible);
    if (visible) {
        edit->raise();
    }
}

QString Form1View::boxText(SideBox box) const
{
    return boxOf(m_ui, box)->text();
}

void Form1View::setBoxText(SideBox box, const QString& text)
{
    // Rewritten only when it changes, so a reload never moves the caret.
    QLineEdit* edit = boxOf(m_ui, box);
    if (edit->text() != text) {
        edit->setText(text);
    }
}

QString Form1View::shownDayCaption() const
{
    return m_ui.Label2->text();
}

void Form1View::setShownDayCaption(const QString& digits)
{
    m_ui.Label2->setText(digits);
}

void Form1View::setLongDateCaption(const QString& text)
{
    m_ui.LblDate->setText(text);
}
