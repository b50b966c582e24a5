// The user buttons: the switch to another user, its look, the day it shows,
// and the settings files it meets.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/GridLabels.h"
#include "mainwindow/ui/MenuCommands.h"
#include "mainwindow/ui/UserLook.h"
#include "settings/ui/Form2.h"


#include <QDir>
#include <QSignalSpy>

using MainWindowTest::Fixture;
using MainWindowTest::threeUsers;

namespace
{
// The window still shows user 1 as the start-up left it.
void verifyStillUserOne(Fixture& fx)
{
    QCOMPARE(fx.state().CurrentUser, 1);
    QCOMPARE(fx.form->ui().LblUtilisat->text(), QStringLiteral("1"));
    QCOMPARE(fx.form->windowTitle(), QStringLiteral("Dr Martin"));
    QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red);
    QCOMPARE(fx.button(2)->colourValue(), ColourValue::ButtonFace);
    QCOMPARE(fx.form->ui().LblHorImp->text(), QStringLiteral("15"));
}
} // namespace

class TestUserSwitch : public QObject
{
    Q_OBJECT

private slots:
    void switchGivesTheWindowTheUsersLookAndDay()
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
        QCOMPARE(ui.TxtEcho2->text(), QStringLiteral("Echo 3"));
        QCOMPARE(ui.Label3->text(), QStringLiteral("Bloc 3"));
        QCOMPARE(ui.grid->labels(), GridLabels::labels(0));
        QCOMPARE(fx.shownSerial(), today);
        QCOMPARE(fx.rowText(0), QStringLiteral("Échographie rénale"));
        QCOMPARE(ui.grid->postitBox()->toPlainText(), QStringLiteral("Note 3"));
        QVERIFY(!fx.state().DayModified);

        // A day without a record for the next user: banners and notes hidden.
        Fixture::press(ui.CmdAbsent1);
        Fixture::press(ui.CmdEcho2);
        fx.user(2);
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

    void unsavedEditsGoToThePreviousUsersTable()
    {
        Fixture fx;
        Form1& f = fx.open();
        fx.type(6, QStringLiteral("Pour Martin"));
        fx.user(2, Qt::RightButton); // any mouse button switches
        QCOMPARE(f.state().CurrentUser, 2);
        QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(6), QStringLiteral("Pour Martin"));
        QCOMPARE(fx.rowText(6), QString());
        QVERIFY(!f.state().DayModified);
        // Unmodified: a switch saves nothing.
        fx.user(3);
        QCOMPARE(fx.rowCount(2), 0);
        QCOMPARE(fx.rowCount(3), 0);
    }

    void sameUserAgainSavesAndReadsTheSettingsAgain()
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

    void missingOrEmptySettingsFileKeepsTheUser()
    {
        for (const bool missing : {true, false}) {
            Fixture fx;
            fx.open();
            if (missing) {
                QFile::remove(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk")));
            } else {
                fx.writeUsersBytes(QByteArray());
            }
            // Another workstation wrote user 1's day meanwhile: the switch shows it.
            fx.storeDay(1, fx.shownSerial(), {{2, QStringLiteral("Vu ailleurs")}});
            fx.user(2);
            verifyStillUserOne(fx);
            QCOMPARE(fx.rowText(2), QStringLiteral("Vu ailleurs"));
            QVERIFY(Dialogs::Test::shown().isEmpty());
        }
    }

    void oddSettingsKeepWhatIsShown()
    {
        Fixture fx;
        Form1& f = fx.open();
        // Two records: the second one's values win, but its user 2's code is no slot
        // length, and user 3 is unnamed, with neither slot code nor colour.
        UserSettings first = threeUsers();
        first.slotCodes[1] = LooseValue::fromInt(2);
        first.slotCodes[2] = LooseValue::fromInt(-1);
        first.names[2] = LooseValue::fromText(QString());
        first.colours[2] = LooseValue::fromText(QStringLiteral("bleu"));
        UserSettings second = first;
        second.names[1] = LooseValue::fromText(QStringLiteral("Dr Second"));
        second.colours[1] = LooseValue::fromInt(ColourValue::fromRgb(1, 2, 3));
        second.slotCodes[1] = LooseValue::fromInt(-1);
        fx.writeUsersBytes(SettingsFileFormat::formatRecordLine(first.toValues())
                           + SettingsFileFormat::formatRecordLine(second.toValues()));
        fx.user(2);
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Second"));
        QCOMPARE(UserLook::backgroundColour(f.ui()), ColourValue::fromRgb(1, 2, 3));
        QCOMPARE(f.ui().grid->labels(), GridLabels::labels(2)); // the first record's code stays
        QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("20"));

        fx.user(3);
        QCOMPARE(f.state().CurrentUser, 3);
        QCOMPARE(f.windowTitle(), QString());
        QCOMPARE(UserLook::backgroundColour(f.ui()), ColourValue::fromRgb(1, 2, 3)); // user 2's
        QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("20"));                   // user 2's
        QCOMPARE(f.ui().Label3->text(), QStringLiteral("Bloc 3"));
    }

    void quotedSlotCodeReadsAsTheNumberInBothWindows()
    {
        Fixture fx;
        Form1& f = fx.open();
        UserSettings edited = threeUsers();
        edited.slotCodes[1] = LooseValue::fromText(QStringLiteral("4")); // as a hand edit leaves it: "4"
        fx.writeUsers(edited);
        QVERIFY(TestEnv::readFile(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk"))).contains(",\"4\","));
        fx.user(2);
        QCOMPARE(f.ui().grid->labels(), GridLabels::labels(4));
        QCOMPARE(f.ui().LblHorImp->text(), QStringLiteral("60"));
        f.ui().Utilisat->trigger();
        QCOMPARE(f.menuCommands().settingsWindow()->slotCode(2), 4);
    }

    void failedSaveStopsTheSwitch()
    {
        Fixture fx;
        Form1& f = fx.open();
        fx.type(8, QStringLiteral("Ne pas perdre"));
        fx.loseDatabase();
        fx.user(2);
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être enregistré")));
        verifyStillUserOne(fx);
        QCOMPARE(fx.rowText(8), QStringLiteral("Ne pas perdre"));
        QVERIFY(f.state().DayModified);

        fx.findDatabaseAgain();
        fx.user(2);
        QCOMPARE(f.state().CurrentUser, 2);
        QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(8), QStringLiteral("Ne pas perdre"));
    }

    void failedLookupLeavesTheWindowAsItWas()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        fx.storeDay(1, today, {{4, QStringLiteral("Martin")}});
        Form1& f = fx.open();
        // User 2's table is gone from the database.
        QSqlQuery((*DbConnection::open(fx.dbPath))->database()).exec(QStringLiteral("DROP TABLE RVOUS2"));
        fx.user(2);
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être lu")));
        verifyStillUserOne(fx);
        QCOMPARE(f.ui().Label3->text(), QStringLiteral("Bloc Martin"));
        QCOMPARE(fx.rowText(4), QStringLiteral("Martin"));

        // The next save still goes to user 1's table.
        fx.type(5, QStringLiteral("Suite"));
        fx.save();
        QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Suite"));
    }
};

QTEST_MAIN(TestUserSwitch)
#include "tst_userswitch.moc"
