#pragma once

// A main window on a test database and test settings files, shown on today's
// page of user 1, with the helpers that drive it as a user would.

#include "common/TestSupport.h"

#include "app/ProgramStart.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/StartUp.h"
#include "mainwindow/ui/UserSwitch.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/ui/Dialogs.h"
#include "settings/ColourValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserSettingsFile.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <memory>

namespace MainWindowTest
{
inline UserSettings threeUsers()
{
    UserSettings s;
    const QStringList names = {QStringLiteral("Dr Martin"), QStringLiteral("Dr Lefèvre"), QStringLiteral("Échographie")};
    for (int i = 0; i < 3; ++i) {
        s.names[static_cast<std::size_t>(i)] = LooseValue::fromText(names.at(i));
    }
    s.colours = {LooseValue::fromInt(ColourValue::fromRgb(200, 220, 255)),
                 LooseValue::fromInt(ColourValue::fromRgb(255, 230, 200)),
                 LooseValue::fromInt(ColourValue::fromRgb(210, 255, 210)), LooseValue::fromInt(0),
                 LooseValue::fromInt(0), LooseValue::fromInt(0)};
    s.slotCodes = {LooseValue::fromInt(1), LooseValue::fromInt(3), LooseValue::fromInt(0), LooseValue::fromInt(0),
                   LooseValue::fromInt(0), LooseValue::fromInt(0)};
    s.topAnnotations = {LooseValue::fromText(QStringLiteral("Echo Martin")),
                        LooseValue::fromText(QStringLiteral("Écho Lefèvre")),
                        LooseValue::fromText(QStringLiteral("Echo 3")), LooseValue(), LooseValue(), LooseValue()};
    s.bottomAnnotations = {LooseValue::fromText(QStringLiteral("Bloc Martin")),
                           LooseValue::fromText(QStringLiteral("Bloc Lefèvre")),
                           LooseValue::fromText(QStringLiteral("Bloc 3")), LooseValue(), LooseValue(), LooseValue()};
    return s;
}

// threeUsers() under other names: users past the list are unnamed.
inline UserSettings namedUsers(const QStringList& names)
{
    UserSettings s = threeUsers();
    for (std::size_t i = 0; i < 6; ++i) {
        s.names[i] = LooseValue::fromText(names.value(static_cast<qsizetype>(i)));
    }
    return s;
}

class Fixture
{
public:
    explicit Fixture(const QDate& today = QDate(2026, 12, 9)) : env(today)
    {
        dbPath = env.createAppointmentDatabase();
        writeUsers(threeUsers());
    }

    ~Fixture()
    {
        form.reset();
        Dialogs::Test::clear();
    }

    // Utilisat.vlk lies beside the database, as the supervisor puts it.
    QString usersFolder() const { return env.dataFolder(); }

    void writeUsers(const UserSettings& settings) const
    {
        const Status written = WriteUserSettingsFile(usersFolder(), settings);
        if (!written) {
            qFatal("cannot write the users' settings: %s", qPrintable(written.error()));
        }
    }

    void writeUsersBytes(const QByteArray& bytes) const
    {
        TestEnv::writeFile(QDir(usersFolder()).filePath(QStringLiteral("Utilisat.vlk")), bytes);
    }

    // The registry as the supervisor leaves it: the database, the users'
    // folder, no names database.
    void configure() const
    {
        env.setRegistry(QStringLiteral("CHEMIN"), dbPath);
        env.setRegistry(QStringLiteral("CheminUt"), usersFolder());
        env.setRegistry(QStringLiteral("CheminNoms"), QString());
    }

    // The start-up as it runs, whatever it meets.
    Form1& load()
    {
        form = ProgramStart::newMainWindow();
        form->startUp().Form_Load();
        return *form;
    }

    // The main window as the start-up leaves it: today's page of user 1, the
    // reload timer running, nothing modified.
    Form1& open()
    {
        configure();
        Form1& f = load();
        if (!f.state().DatabaseReady || f.state().CurrentUser != 1) {
            qFatal("the start-up did not show user 1");
        }
        f.show();
        if (!QTest::qWaitForWindowExposed(&f)) {
            qFatal("the main window was not shown");
        }
        Dialogs::Test::clear();
        return f;
    }

    // --- driving the window -------------------------------------------------

    SlotTextBox* row(int r) const { return form->ui().grid->slotBox(r); }
    QCheckBox* tick(int r) const { return form->ui().grid->tickBox(r); }
    QString rowText(int r) const { return row(r)->text(); }
    PressButton* button(int k) const { return form->ui().CmdUtilisat[static_cast<std::size_t>(k - 1)]; }
    static QStringList messages() { return Dialogs::Test::shownTexts(); }
    MainState& state() const { return form->state(); }
    qint32 shownSerial() const { return form->ui().Label2->text().toInt(); }

    void type(int r, const QString& text) const
    {
        row(r)->setFocus();
        row(r)->end(false);
        TestInput::typeText(row(r), text);
    }

    // A press of a mouse button on a button that acts on the press.
    static void press(QWidget* button, Qt::MouseButton which = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(button, which, modifiers);
        QTest::mouseRelease(button, which, modifiers);
    }

    void next() const { press(form->ui().CmdSuiv); }
    void previous() const { press(form->ui().CmdPrec); }
    void user(int k, Qt::MouseButton which = Qt::LeftButton) const { press(button(k), which); }
    void save() const { form->ui().Enregistrer->trigger(); }
    void clickTick(int r) const { QTest::mouseClick(tick(r), Qt::LeftButton, Qt::NoModifier, tick(r)->rect().center()); }
    // A click on a day of the month calendar.
    void pickDay(const QDate& day) const
    {
        form->ui().MonthView1->setSelectedDate(day);
        emit form->ui().MonthView1->clicked(day);
    }
    void reloadTick() const { QMetaObject::invokeMethod(form->ui().Timer1, "timeout", Qt::DirectConnection); }

    // --- the database, as another workstation sees it -----------------------

    std::optional<DayRecord> stored(int user, qint32 serial) const
    {
        const auto db = DbConnection::open(dbPath);
        if (!db) {
            qFatal("cannot open the test database: %s", qPrintable(db.error()));
        }
        const auto found = DayStore::lookup(**db, user, serial);
        if (!found) {
            qFatal("cannot read the test database: %s", qPrintable(found.error()));
        }
        return *found;
    }

    QStringList storedRows(int user, qint32 serial) const
    {
        const auto record = stored(user, serial);
        return record ? SlotTextList::decode(record->rvous) : QStringList();
    }

    int rowCount(int user) const
    {
        const auto db = DbConnection::open(dbPath);
        QSqlQuery query((*db)->database());
        query.exec(QStringLiteral("SELECT COUNT(*) FROM RVOUS%1").arg(user));
        return query.next() ? query.value(0).toInt() : -1;
    }

    // Stores a day for `user` as another workstation would.
    void storeDay(int user, qint32 serial, const QMap<int, QString>& rows, const QString& postit = QString(),
                  bool morningAbsent = false) const
    {
        DayScreen screen;
        screen.setShownDayCaption(QString::number(serial));
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            screen.setSlotText(it.key(), it.value());
        }
        screen.setPostit(postit);
        screen.setBoxVisible(SideBox::Absent1, morningAbsent);
        screen.setBoxText(SideBox::Absent1, QStringLiteral("ABSENT"));
        const auto db = DbConnection::open(dbPath);
        const auto saved = DayStore::save(**db, user, DayLoader::FillDayRecord(screen));
        if (!saved) {
            qFatal("cannot store a test day: %s", qPrintable(saved.error()));
        }
    }

    // The database file goes away (a network drive lost) and comes back.
    void loseDatabase() const { QFile::rename(dbPath, dbPath + QStringLiteral(".away")); }
    void findDatabaseAgain() const { QFile::rename(dbPath + QStringLiteral(".away"), dbPath); }

    bool allTicks(bool shown) const
    {
        for (int r = 0; r < DayGridShape::SlotCount; ++r) {
            if (tick(r)->isHidden() == shown) {
                return false;
            }
        }
        return true;
    }
    bool allTicksShown() const { return allTicks(true); }
    bool allTicksHidden() const { return allTicks(false); }

    TestEnv env;
    QString dbPath;
    std::unique_ptr<Form1> form;
};
} // namespace MainWindowTest
