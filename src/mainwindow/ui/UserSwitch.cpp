#include "mainwindow/ui/UserSwitch.h"

#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/ui/Dialogs.h"
#include "settings/UserSettingsFile.h"

#include <QLabel>

UserSwitch::UserSwitch(Form1& form) : QObject(&form), m_form(form)
{
    for (int k = 1; k <= 6; ++k) {
        connect(m_form.ui().CmdUtilisat[static_cast<std::size_t>(k - 1)], &PressButton::mousePressed, this,
                [this, k] { switchTo(k); });
    }
}

void UserSwitch::applyRecord(const UserSettings& record, int user)
{
    MainState& st = m_form.state();
    Form1Ui& ui = m_form.ui();
    const auto at = static_cast<std::size_t>(user - 1);

    st.UserNames = record.names;
    st.UserColours = record.colours;
    st.UserSlotCodes = record.slotCodes;
    st.UserTopAnnotations = record.topAnnotations;
    st.UserBottomAnnotations = record.bottomAnnotations;

    UserLook::setButtonColours(ui, user);
    // A colour that is no 32-bit value leaves the window's colour as it was.
    UserLook::setBackgroundColour(ui, record.colours[at]);
    UserLook::setTopAnnotation(ui, record.topAnnotations[at]);
    st.CurrentUser = user;
    ui.LblUtilisat->setText(QString::number(user));
    m_form.setWindowTitle(record.names[at].toText());
    UserLook::setBottomAnnotation(ui, record.bottomAnnotations[at]);
    // A slot code outside 0..4 keeps the labels and the minutes of before.
    UserLook::applySlotCode(ui, st, record.slotCodes[at]);
}

bool UserSwitch::switchTo(int user)
{
    MainState& st = m_form.state();
    if (user < 1 || user > 6) {
        return false;
    }
    if (!st.canSave()) {
        Dialogs::message(&m_form, SharedTexts::noDatabaseOpen());
        return false;
    }
    // The edits go to the table of the user shown so far.
    if (!m_form.shownDay().saveIfModified()) {
        return false;
    }

    // Settings saved in the settings window reach the main window here. A
    // missing file or one without a record changes no user: the shown day
    // is shown again for the user shown so far.
    const UserSettingsRead settings = ReadUserSettingsFile(st.UserFilesDir);
    const int shownUser = settings.anyValues() ? user : st.CurrentUser;
    bool isDay = false;
    const qint32 serial = m_form.ui().Label2->text().trimmed().toInt(&isDay);
    if (!isDay) {
        return false;
    }

    // The day is read before the window changes, so that a failure leaves the
    // window on the user and the day it showed.
    const auto found = m_form.shownDay().lookUpDay(shownUser, serial);
    if (!found) {
        Dialogs::message(&m_form, ShownDay::readFailedMessage(serial, found.error()));
        return false;
    }

    emit switching();
    for (const UserSettings& record : settings.passes) {
        applyRecord(record, user);
    }
    UserLook::showSlotMinutes(m_form.ui(), st);

    st.ShownDaySerial = serial;
    m_form.shownDay().setShownDayCaptions(serial);
    if (!found->has_value()) {
        DayView& view = m_form.dayView();
        view.setBoxVisible(SideBox::Absent1, false);
        view.setBoxVisible(SideBox::Absent2, false);
    }
    m_form.shownDay().showRecord(*found);
    st.DayModified = false;
    return true;
}
