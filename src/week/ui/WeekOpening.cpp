#include "week/ui/WeekOpening.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PictureButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WaitCursor.h"
#include "week/WeekDays.h"
#include "week/ui/Form3.h"

#include <QLabel>

WeekOpening::WeekOpening(Form1& form) : QObject(&form), m_form(form)
{
    connect(m_form.ui().Semaine, &PictureButton::clicked, this, &WeekOpening::Semaine_Click);
    // A week of the data a restore replaced is not shown on.
    connect(&m_form.shownDay(), &ShownDay::restored, this, [this] { delete m_window.data(); });
}

WeekOpening::~WeekOpening()
{
    // The week window has no owner; it goes with the main window.
    delete m_window.data();
}

Form3* WeekOpening::window() const
{
    // A closed window waits for its deletion hidden: it is gone already.
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

void WeekOpening::Semaine_Click()
{
    MainState& st = m_form.state();
    if (!st.hasUser()) {
        Dialogs::message(&m_form, QStringLiteral("Aucune base de données n'est ouverte : "
                                                 "la semaine ne peut pas être affichée."));
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
    Result<WeekDays::Week> week = Result<WeekDays::Week>::failure(QString());
    {
        WaitCursor hourglass;
        week = WeekDays::read(st.CurrentUser, monday, st.OpenPath);
    }
    if (!week) {
        // An open week window stays on the week it shows.
        Dialogs::message(&m_form, Form3::readFailedMessage(monday, week.error()));
        return;
    }
    // The week was read: the window is connected to its database again.
    m_form.shownDay().markConnected();
    Form3* open = window();
    if (open == nullptr) {
        m_window = open = new Form3(m_form);
        Screen::centre(open);
    }
    open->showWeek(monday, *week, st.SlotMinutes);
    open->show();
    open->raise();
    open->activateWindow();
}
