#include "week/ui/WeekOpening.h"

#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Screen.h"
#include "week/WeekDays.h"
#include "week/ui/Form3.h"
#include "week/ui/WeekReading.h"

#include <QLabel>

WeekOpening::WeekOpening(Form1& form) : QObject(&form), m_form(form)
{
    // A week of the data a restore replaced is not shown on.
    connect(&m_form.shownDay(), &ShownDay::restored, this, [this] { m_window.close(); });
}

WeekOpening::~WeekOpening() = default;

Form3* WeekOpening::window() const
{
    return m_window.open();
}

void WeekOpening::Semaine_Click()
{
    MainState& st = m_form.state();
    if (!st.hasUser()) {
        Dialogs::message(&m_form, SharedTexts::noDatabaseOpen());
        return;
    }
    // The shown day's edits are stored first; if that fails its message has
    // been shown and the edits stay on screen.
    if (!m_form.shownDay().saveIfModified()) {
        return;
    }
    bool known = false;
    const qint32 shown = m_form.ui().Label2->text().trimmed().toInt(&known);
    if (!known) {
        return;
    }
    st.ShownDaySerial = shown;
    const qint32 monday = WeekDays::mondayFor(shown);
    // An open week window stays on the week it shows when this one cannot be read.
    const std::optional<WeekDays::Week> week = WeekReading::read(m_form, monday, &m_form);
    if (!week) {
        return;
    }
    Form3* open = m_window.openOrMake([this] {
        auto* made = new Form3(m_form);
        Screen::centre(made);
        return made;
    });
    open->showWeek(monday, *week, st.SlotMinutes);
    OwnedWindow<Form3>::bringToFront(open);
}
