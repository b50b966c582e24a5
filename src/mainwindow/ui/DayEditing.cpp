#include "mainwindow/ui/DayEditing.h"

#include "dayrecords/ui/DayGrid.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/ui/Dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace
{
SideBox absenceBox(int half)
{
    return half == 0 ? SideBox::Absent1 : SideBox::Absent2;
}

SideBox echoBox(int half)
{
    return half == 0 ? SideBox::Echo1 : SideBox::Echo2;
}
} // namespace

DayEditing::DayEditing(Form1& form) : QObject(&form), m_form(form)
{
    Form1Ui& ui = m_form.ui();
    DayGrid* grid = ui.grid;
    // Any change of a row, of the post-it or of the operating-theatre text,
    // typed or set by the program, marks the day; the operations that show a
    // day clear the mark after loading it.
    connect(grid, &DayGrid::slotTextChanged, this, [this] { markModified(); });
    connect(grid, &DayGrid::postitChanged, this, [this] { markModified(); });
    connect(ui.Text3, &QPlainTextEdit::textChanged, this, [this] { markModified(); });
    // Typing into a banner or an ultrasound box changes what the next save
    // writes, so it marks the day too.
    for (QLineEdit* box : {grid->banner(0), grid->banner(1), ui.TxtEcho1, ui.TxtEcho2}) {
        connect(box, &QLineEdit::textEdited, this, [this] { markModified(); });
    }

    connect(grid, &DayGrid::slotDoubleClicked, this, &DayEditing::rowDoubleClicked);
    connect(grid, &DayGrid::tickClicked, this, [this] { tickClicked(); });
    connect(ui.CmdAbsent1, &PressButton::mousePressed, this, [this] { toggleAbsence(0); });
    connect(ui.CmdAbsent2, &PressButton::mousePressed, this, [this] { toggleAbsence(1); });
    connect(ui.CmdEcho1, &PressButton::mousePressed, this, [this] { toggleEcho(0); });
    connect(ui.CmdEcho2, &PressButton::mousePressed, this, [this] { toggleEcho(1); });
    connect(ui.Coches, &QAction::triggered, this, [this] { toggleTickBoxes(); });
}

QString DayEditing::noAppointmentMarker()
{
    return QStringLiteral("XXXXXXXXXX- Pas de RV -XXXXXXXXX");
}

void DayEditing::markModified()
{
    m_form.state().DayModified = true;
}

void DayEditing::rowDoubleClicked(int row)
{
    DayView& view = m_form.dayView();
    if (view.slotText(row).isEmpty()) {
        view.setSlotText(row, noAppointmentMarker());
        return;
    }
    // Only spaces, the marker or a name: the row is emptied only on Yes.
    if (Dialogs::question(&m_form, QStringLiteral("Effacer vraiment ?"), QStringLiteral("Attention"))
        == Dialogs::Answer::Yes) {
        view.setSlotText(row, QString());
    }
}

void DayEditing::toggleAbsence(int half)
{
    DayView& view = m_form.dayView();
    const SideBox box = absenceBox(half);
    view.setBoxText(box, QStringLiteral("ABSENT"));
    view.setBoxVisible(box, !view.boxVisible(box));
    markModified();
}

void DayEditing::toggleEcho(int half)
{
    const MainState& st = m_form.state();
    DayView& view = m_form.dayView();
    const SideBox box = echoBox(half);
    if (st.hasUser()) {
        view.setBoxText(box, st.UserTopAnnotations[static_cast<std::size_t>(st.CurrentUser - 1)].toText());
    }
    view.setBoxVisible(box, !view.boxVisible(box));
    markModified();
}

void DayEditing::tickClicked()
{
    // The whole shown day is stored with the tick. The tick is an edit like
    // any other until it is stored: a failed save keeps the day modified, so
    // neither the reload nor the next move drops it.
    markModified();
    m_form.shownDay().ENREG_01();
}

void DayEditing::toggleTickBoxes()
{
    DayGrid* grid = m_form.ui().grid;
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        QCheckBox* tick = grid->tickBox(row);
        tick->setVisible(tick->isHidden());
    }
}
