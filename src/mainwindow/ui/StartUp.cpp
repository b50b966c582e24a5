#include "mainwindow/ui/StartUp.h"

#include "dayrecords/ui/DayGrid.h"
#include "mainwindow/StartUpRules.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/Form15.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/ColourValue.h"
#include "settings/UserSettingsFile.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>

namespace
{
bool isBlank(const LooseValue& name)
{
    return name.toText().isEmpty();
}
} // namespace

StartUp::StartUp(Form1& form) : QObject(&form), m_form(form)
{
}

StartUp::~StartUp()
{
    delete m_greeting.data();
}

Form15* StartUp::greeting() const
{
    return m_greeting.data();
}

QString StartUp::greetingName()
{
    return QStringLiteral("Docteur Jean Halverin");
}

QString StartUp::greetingAddress()
{
    return QStringLiteral("jean.halverin@brelant.fr");
}

void StartUp::Form_Load()
{
    if (m_loaded) {
        return;
    }
    m_loaded = true;

    if (StartUpRules::isGreetingDay(Clock::today())) {
        showGreeting();
    }
    showToday();
    if (!readRegistry()) {
        // Refused database path: the window stays in its design state,
        // without users or database; the reload timer runs on and does nothing.
        Dialogs::message(&m_form, StartUpRules::refusedDatabaseMessage());
        return;
    }
    readUserSettings();
    readAlphaSettings();
    setUpUserButtons();
    setUpUserOne();
    showFirstDay();
    m_form.ui().Timer1->start();
    m_form.state().DayModified = false;
}

void StartUp::showGreeting()
{
    auto* greeting = new Form15(&m_form);
    greeting->setTexts(QStringLiteral("16 Avril"), greetingName(), greetingAddress());
    greeting->show();
    m_greeting = greeting;
}

// The shown day becomes today: calendar, LblDate, Label2, ShownDaySerial and
// the tick boxes, which are shown on today's page.
void StartUp::showToday()
{
    Form1Ui& ui = m_form.ui();
    MainState& st = m_form.state();
    const QDate today = Clock::today();
    {
        // Setting the calendar is not a click on a date.
        const QSignalBlocker quiet(ui.MonthView1);
        ui.MonthView1->setSelectedDate(today);
    }
    st.ShownDay = today;
    ui.LblDate->setText(Dates::longDate(st.ShownDay));
    ui.Label2->setText(QString::number(Dates::daySerial(st.ShownDay)));
    st.ShownDaySerial = ui.Label2->text().toInt();
    const bool onToday = Dates::daySerial(today) == st.ShownDaySerial;
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        ui.grid->tickBox(row)->setVisible(onToday);
    }
}

// CHEMIN, CheminUt and CheminNoms; false when CHEMIN names no AGENDAS.MDB.
bool StartUp::readRegistry()
{
    MainState& st = m_form.state();
    const QString programFolder = AppInfo::programFolder();
    st.DatabasePath = Registry::value(QStringLiteral("CHEMIN"), programFolder);
    st.OpenPath = st.DatabasePath;
    if (st.DatabasePath.isEmpty()) {
        st.DatabasePath = StartUpRules::defaultDatabasePath(programFolder);
        st.OpenPath = st.DatabasePath;
    } else if (!StartUpRules::acceptsDatabasePath(st.DatabasePath)) {
        return false;
    }
    st.UserFilesDir = StartUpRules::userFilesFolder(Registry::value(QStringLiteral("CheminUt"), programFolder),
                                                    programFolder);
    st.NamesPath = Registry::value(QStringLiteral("CheminNoms"), programFolder);
    return true;
}

// Utilisat.vlk: after each record the buttons' captions and user 1's colour
// and annotations; of several records the last wins.
void StartUp::readUserSettings()
{
    Form1Ui& ui = m_form.ui();
    MainState& st = m_form.state();
    const UserSettingsRead read = ReadUserSettingsFile(st.UserFilesDir);
    for (const UserSettings& pass : read.passes) {
        st.UserNames = pass.names;
        st.UserColours = pass.colours;
        st.UserSlotCodes = pass.slotCodes;
        st.UserTopAnnotations = pass.topAnnotations;
        st.UserBottomAnnotations = pass.bottomAnnotations;
        for (int k = 1; k <= 6; ++k) {
            ui.CmdUtilisat[static_cast<std::size_t>(k - 1)]->setText(
                st.UserNames[static_cast<std::size_t>(k - 1)].toText());
        }
        // A colour that is no 32-bit number leaves the background as it was.
        UserLook::setBackgroundColour(ui, st.UserColours[0]);
        UserLook::setTopAnnotation(ui, st.UserTopAnnotations[0]);
        UserLook::setBottomAnnotation(ui, st.UserBottomAnnotations[0]);
    }
    if (read.formatError) {
        Dialogs::message(&m_form, userSettingsFormatMessage(st.UserFilesDir));
    }
}

// Alpha.vlk: the name-lookup option and the names table.
void StartUp::readAlphaSettings()
{
    MainState& st = m_form.state();
    const AlphaSettingsRead read = ReadAlphaSettingsFile();
    for (const AlphaSettings& pass : read.passes) {
        st.NameLookupFlag = pass.option;
        st.NamesTable = pass.table;
        st.NameLookupOn = st.NameLookupFlag.equalsTrue();
    }
    if (read.formatError) {
        Dialogs::message(&m_form, alphaSettingsFormatMessage());
    }
}

// Unnamed users get no button; a single user gets none at all.
void StartUp::setUpUserButtons()
{
    Form1Ui& ui = m_form.ui();
    MainState& st = m_form.state();
    const auto name = [&st](int k) -> const LooseValue& { return st.UserNames[static_cast<std::size_t>(k - 1)]; };
    PressButton* first = ui.CmdUtilisat[0];

    if (isBlank(name(1)) && !isBlank(name(2))) {
        Dialogs::message(&m_form, StartUpRules::unnamedFirstUserMessage());
    }
    for (int k = 1; k <= 6; ++k) {
        if (isBlank(name(k))) {
            ui.CmdUtilisat[static_cast<std::size_t>(k - 1)]->hide();
        }
    }
    bool othersBlank = true;
    for (int k = 2; k <= 6; ++k) {
        othersBlank = othersBlank && isBlank(name(k));
    }
    if (othersBlank) {
        first->hide();
        UserLook::setBottomAnnotation(ui, st.UserBottomAnnotations[0]);
    }
    if (othersBlank && isBlank(name(1))) {
        first->hide();
        st.UserNames[0] = LooseValue::fromText(QStringLiteral("KORDELA"));
    }
    first->setColourValue(ColourValue::Red);
}

// User 1 becomes the current user: caption, LblUtilisat, slot length.
void StartUp::setUpUserOne()
{
    Form1Ui& ui = m_form.ui();
    MainState& st = m_form.state();
    m_form.setWindowTitle(st.UserNames[0].toText());
    st.CurrentUser = 1;
    ui.LblUtilisat->setText(QStringLiteral("1"));
    UserLook::applySlotCode(ui, st, st.UserSlotCodes[0]);
    UserLook::showSlotMinutes(ui, st);
}

// Today's page of user 1. A database that cannot be opened is said, and the
// window goes on with an empty grid, marked as not connected until a lookup
// or a save reaches the database. The empty grid is the day as shown, so
// that a later save writes only what was typed over what is stored.
void StartUp::showFirstDay()
{
    MainState& st = m_form.state();
    const Status shown = m_form.shownDay().showDay(st.ShownDaySerial);
    if (shown) {
        return;
    }
    st.DatabaseReady = false;
    m_form.shownDay().showRecord(std::nullopt);
    m_form.setWindowTitle(m_form.windowTitle() + StartUpRules::notConnectedSuffix());
    Dialogs::message(&m_form, StartUpRules::databaseUnavailableMessage(st.OpenPath, shown.error()));
}
