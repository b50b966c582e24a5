// The user buttons: the switch to another user, its look, the day it shows,
// and the settings files it meets.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/GridLabels.h"
#include "mainwindow/ui/UserLook.h"

#include <QSignalSpy>

using MainWindowTest::Fixture;
using MainWindowTest::threeUsers;

class TestUserSwitch : public QObject
{
    Q_OBJECT

private slots:
    void switchGivesTheWindowTheUsersLookAndDay();
    void anyMouseButtonSwitchesAndTheKeyboardDoesNot();
    void unsavedEditsGoToThePreviousUsersTable();
    void sameUserAgainSavesAndReadsTheSettingsAgain();
    void missingOrEmptySettingsFileKeepsTheUser();
    void twoRecordsEndWithTheSecond();
    void valuesThatAreNoSlotCodeNameOrColourKeepWhatIsShown();
    void failedSaveStopsTheSwitch();
    void failedLookupLeavesTheWindowAsItWas();
};

void TestUserSwitch::switchGivesTheWindowTheUsersLookAndDay()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(Clock::today());
    fx.storeDay(3, today, {{0, QStringLiteral("Échographie rénale")}}, QStringLiteral("Note 3"));
    Form1& f = fx.open();
    const Form1Ui& ui = f.ui();
    QSignalSpy switching(&f.userSwitch(), &UserSwitch::switching);

    fx.user(3);
    QCOMPARE(switching.count(), 1);
    QCOMPARE(fx.state().CurrentUser, 3);
    QCOMPARE(ui.LblUtilisat->text(), QStringLiteral("3"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Échographie"));
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(fx.button(k)->colourValue(), k == 3 ? ColourValue::Red : ColourValue::ButtonFace);
    }
    QCOMPARE(ui.Label5->palette().color(QPalette::Window), QColor(210, 255, 210));
    QCOMPARE(ui.TxtEcho1->text(), QStringLiteral("Echo 3"));
    QCOMPARE(ui.TxtEcho2->text(), QStringLiteral("Echo 3"));
    QCOMPARE(ui.Label3->text(), QStringLiteral("Bloc 3"));
    QCOMPARE(ui.Bloc->text(), QStringLiteral("Bloc 3"));
    QCOMPARE(fx.state().SlotMinutes, qint16(10));
    QCOMPARE(ui.LblHorImp->text(), QStringLiteral("10"));
    QCOMPARE(ui.grid->labels(), GridLabels::labels(0));
    QCOMPARE(fx.shownSerial(), today);
    QCOMPARE(fx.rowText(0), QStringLiteral("Échographie rénale"));
    QCOMPARE(ui.grid->postitBox()->toPlainText(), QStringLiteral("Note 3"));
    QVERIFY(!fx.state().DayModified);

    // A day without a record for the next user: banners and notes hidden.
    Fixture::press(ui.CmdAbsent1);
    Fixture::press(ui.CmdEcho2);
    fx.user(2);
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Lefèvre"));
    QCOMPARE(ui.LblHorImp->text(), QStringLiteral("30"));
    QCOMPARE(ui.grid->labels(), GridLabels::labels(3));
    QCOMPARE(fx.rowText(0), QString());
    QCOMPARE(ui.grid->postitBox()->toPlainText(), QString());
    QVERIFY(ui.grid->banner(0)->isHidden() && ui.grid->banner(1)->isHidden());
    QVERIFY(ui.TxtEcho1->isHidden() && ui.TxtEcho2->isHidden());
    QCOMPARE(ui.TxtEcho2->text(), QStringLiteral("Écho Lefèvre"));
    // User 3's day kept its banner and its note.
    fx.user(3);
    QVERIFY(!ui.grid->banner(0)->isHidden() && !ui.TxtEcho2->isHidden());
    QCOMPARE(fx.stored(3, today)->flag(SideBox::Echo2).text, std::optional<QString>(QStringLiteral("Echo 3")));
}

void TestUserSwitch::anyMouseButtonSwitchesAndTheKeyboardDoesNot()
{
    Fixture fx;
    Form1& f = fx.open();
    fx.user(2, Qt::RightButton);
    QCOMPARE(f.state().CurrentUser, 2);
    Fixture::press(fx.button(3), Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(f.state().CurrentUser, 3);

    fx.button(1)->setFocus();
    QTest::keyClick(fx.button(1), Qt::Key_Space);
    QTest::keyClick(fx.button(1), Qt::Key_Return);
    QCOMPARE(f.state().CurrentUser, 3);
}

void TestUserSwitch::unsavedEditsGoToThePreviousUsersTable()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    fx.type(6, QStringLiteral("Pour Martin"));
    fx.user(2);
    QCOMPARE(fx.storedRows(1, today).at(6), QStringLiteral("Pour Martin"));
    QCOMPARE(fx.rowCount(2), 0);
    QCOMPARE(fx.rowText(6), QString());
    QVERIFY(!f.state().DayModified);

    // Unmodified: a switch saves nothing.
    fx.user(3);
    QCOMPARE(fx.rowCount(2), 0);
    QCOMPARE(fx.rowCount(3), 0);
}

void TestUserSwitch::sameUserAgainSavesAndReadsTheSettingsAgain()
{
    Fixture fx;
    Form1& f = fx.open();
    fx.type(1, QStringLiteral("Avant réglages"));
    UserSettings changed = threeUsers();
    changed.names[0] = LooseValue::fromText(QStringLiteral("Dr Martin-Roux"));
    changed.colours[0] = LooseValue::fromInt(ColourValue::fromRgb(255, 255, 0));
    changed.slotCodes[0] = LooseValue::fromInt(4);
    fx.writeUsers(changed);

    fx.user(1);
    QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(1), QStringLiteral("Avant réglages"));
    QCOMPARE(fx.rowText(1), QStringLiteral("Avant réglages"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin-Roux"));
    QCOMPARE(UserLook::backgroundColour(f.ui()), ColourValue::fromRgb(255, 255, 0));
    QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("60"));
    QVERIFY(!f.state().DayModified);
}

void TestUserSwitch::missingOrEmptySettingsFileKeepsTheUser()
{
    for (const bool missing : {true, false}) {
        Fixture fx;
        Form1& f = fx.open();
        if (missing) {
            QFile::remove(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk")));
        } else {
            fx.writeUsersBytes(QByteArray());
        }
        // Another workstation wrote user 1's day meanwhile: the switch shows it.
        fx.storeDay(1, fx.shownSerial(), {{2, QStringLiteral("Vu ailleurs")}});
        fx.user(2);
        QCOMPARE(f.state().CurrentUser, 1);
        QCOMPARE(f.ui().LblUtilisat->text(), QStringLiteral("1"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
        QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red);
        QCOMPARE(fx.button(2)->colourValue(), ColourValue::ButtonFace);
        QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("15"));
        QCOMPARE(fx.rowText(2), QStringLiteral("Vu ailleurs"));
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }
}

void TestUserSwitch::twoRecordsEndWithTheSecond()
{
    Fixture fx;
    Form1& f = fx.open();
    UserSettings first = threeUsers();
    first.slotCodes[1] = LooseValue::fromInt(2);
    UserSettings second = threeUsers();
    second.names[1] = LooseValue::fromText(QStringLiteral("Dr Second"));
    second.colours[1] = LooseValue::fromInt(ColourValue::fromRgb(1, 2, 3));
    second.slotCodes[1] = LooseValue::fromInt(-1);
    second.bottomAnnotations[1] = LooseValue::fromText(QStringLiteral("Bloc second"));
    fx.writeUsersBytes(SettingsFileFormat::formatRecordLine(first.toValues())
                       + SettingsFileFormat::formatRecordLine(second.toValues()));

    fx.user(2);
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Second"));
    QCOMPARE(UserLook::backgroundColour(f.ui()), ColourValue::fromRgb(1, 2, 3));
    QCOMPARE(f.ui().Label3->text(), QStringLiteral("Bloc second"));
    // The second record's code is no slot length: the first record's stays.
    QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("20"));
    QCOMPARE(f.ui().grid->labels(), GridLabels::labels(2));
}

void TestUserSwitch::valuesThatAreNoSlotCodeNameOrColourKeepWhatIsShown()
{
    Fixture fx;
    UserSettings users = threeUsers();
    users.slotCodes[1] = LooseValue::fromInt(-1);
    users.names[2] = LooseValue::fromText(QString());
    users.colours[2] = LooseValue::fromText(QStringLiteral("bleu"));
    fx.writeUsers(users);
    Form1& f = fx.open();
    fx.user(2);
    QCOMPARE(f.state().CurrentUser, 2);
    QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("15")); // user 1's
    QCOMPARE(f.ui().grid->labels(), GridLabels::labels(1));

    fx.user(3);
    QCOMPARE(f.state().CurrentUser, 3);
    QCOMPARE(f.windowTitle(), QString());
    QCOMPARE(UserLook::backgroundColour(f.ui()), ColourValue::fromRgb(255, 230, 200)); // user 2's
    QCOMPARE(f.ui().Label3->text(), QStringLiteral("Bloc 3"));
}

void TestUserSwitch::failedSaveStopsTheSwitch()
{
    Fixture fx;
    Form1& f = fx.open();
    fx.type(8, QStringLiteral("Ne pas perdre"));
    fx.loseDatabase();
    fx.user(2);
    QCOMPARE(Fixture::messages().size(), 1);
    QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être enregistré")));
    QCOMPARE(f.state().CurrentUser, 1);
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
    QCOMPARE(fx.rowText(8), QStringLiteral("Ne pas perdre"));
    QVERIFY(f.state().DayModified);

    fx.findDatabaseAgain();
    fx.user(2);
    QCOMPARE(f.state().CurrentUser, 2);
    QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(8), QStringLiteral("Ne pas perdre"));
}

void TestUserSwitch::failedLookupLeavesTheWindowAsItWas()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(Clock::today());
    fx.storeDay(1, today, {{4, QStringLiteral("Martin")}});
    Form1& f = fx.open();
    const qint32 colour = UserLook::backgroundColour(f.ui());
    const QStringList labels = f.ui().grid->labels();
    {
        // User 2's table is gone from the database.
        const auto db = DbConnection::open(fx.dbPath);
        QSqlQuery drop((*db)->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE RVOUS2")));
    }
    fx.user(2);
    QCOMPARE(Fixture::messages().size(), 1);
    QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être lu")));
    QCOMPARE(f.state().CurrentUser, 1);
    QCOMPARE(f.ui().LblUtilisat->text(), QStringLiteral("1"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
    QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red);
    QCOMPARE(fx.button(2)->colourValue(), ColourValue::ButtonFace);
    QCOMPARE(UserLook::backgroundColour(f.ui()), colour);
    QCOMPARE(f.ui().Label3->text(), QStringLiteral("Bloc Martin"));
    QCOMPARE(f.ui().grid->labels(), labels);
    QCOMPARE(fx.rowText(4), QStringLiteral("Martin"));

    // The next save still goes to user 1's table.
    fx.type(5, QStringLiteral("Suite"));
    fx.save();
    QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Suite"));
}

QTEST_MAIN(TestUserSwitch)
#include "tst_userswitch.moc"
