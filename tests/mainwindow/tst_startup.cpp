// The road to the main window: the splash, the greeting, the registry values,
// the settings files, user 1 and today's page, and a database that cannot be
// opened. Every case runs the real load on real files.

#include "mainwindow/MainWindowTestFixture.h"

#include "app/ProgramStart.h"
#include "dayrecords/GridLabels.h"
#include "mainwindow/StartUpRules.h"
#include "mainwindow/ui/Form0.h"
#include "mainwindow/ui/Form15.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/Files.h"
#include "settings/AlphaSettingsFile.h"

#include <QPointer>

using MainWindowTest::Fixture;
using MainWindowTest::namedUsers;

namespace
{
const QDate Today(2026, 12, 9);

// A refused CHEMIN ends the load at once: the window keeps its design state.
void verifyDesignState(const Fixture& fx)
{
    QCOMPARE(Fixture::messages(),
             QStringList{QStringLiteral("La base de données 'AGENDAS.MDB' est introuvable. Veuillez à l'aide du "
                                        "SUPERVISEUR la placer dans un repertoire quelconque de votre reseau puis "
                                        "relancer le programme")});
    QCOMPARE(fx.form->windowTitle(), QStringLiteral("Agenda"));
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(!fx.button(k)->isHidden());
    }
    QCOMPARE(fx.form->ui().grid->labels(), GridLabels::InitialGridLabels());
    QCOMPARE(UserLook::backgroundColour(fx.form->ui()), ColourValue::fromRgb(192, 192, 192));
    QCOMPARE(fx.state().CurrentUser, 0);
    QVERIFY(!fx.state().DatabaseReady && !fx.state().canSave());
}

// The start-up on the fixture's files, the registry set as the supervisor sets it.
Form1& loadConfigured(Fixture& fx)
{
    fx.configure();
    return fx.load();
}
} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsTitleAndVersionThenOpensTheMainWindow()
    {
        Fixture fx;
        fx.configure();
        std::unique_ptr<Form1> mainWindow;
        QPointer<Form0> splash = ProgramStart::begin(mainWindow);
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 4.0.0"));
        QCOMPARE(splash->timer()->interval(), 4000);
        QVERIFY(splash->timer()->isActive() && !mainWindow);

        // The tick of the splash timer, as after 4000 ms.
        QMetaObject::invokeMethod(splash->timer(), "timeout", Qt::DirectConnection);
        flushDeletes();
        QVERIFY(splash.isNull() && mainWindow && mainWindow->isVisible());
        QCOMPARE(mainWindow->windowTitle(), QStringLiteral("Dr Martin"));
    }

    void fullLoadShowsUserOneOnToday()
    {
        Fixture fx;
        fx.configure();
        fx.env.setRegistry(QStringLiteral("CheminNoms"), QStringLiteral("/srv/noms/NOMS.MDB"));
        Form1& f = fx.load();
        const MainState& st = fx.state();
        const Form1Ui& ui = f.ui();
        QVERIFY2(Fixture::messages().isEmpty(), qPrintable(Fixture::messages().join(QLatin1Char('\n'))));
        QCOMPARE(st.ShownDay, Today);
        QCOMPARE(ui.LblDate->text(), QStringLiteral("mercredi 9 décembre 2026"));
        QCOMPARE(fx.shownSerial(), Dates::daySerial(Today));
        QVERIFY(fx.allTicksShown());
        QCOMPARE(st.DatabasePath, fx.dbPath);
        QCOMPARE(st.UserFilesDir, fx.usersFolder());
        QCOMPARE(st.NamesPath, QStringLiteral("/srv/noms/NOMS.MDB"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
        QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red);
        QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(200, 220, 255));
        QCOMPARE(ui.grid->labels(), GridLabels::labels(1)); // user 1's slot code is 1: quarter hours
        QVERIFY(st.DatabaseReady && st.canSave());
        QVERIFY(ui.Timer1->isActive() && !st.DayModified);
    }

    void cheminAbsentLowerCaseOrBlankStopsTheLoad()
    {
        // CHEMIN must end in AGENDAS.MDB, in capitals.
        for (const char* accepted : {"G:\\AGENDA\\AGENDAS.MDB", "AGENDAS.MDB", "/srv/VIEILLES_AGENDAS.MDB"}) {
            QVERIFY2(StartUpRules::acceptsDatabasePath(QLatin1String(accepted)), accepted);
        }
        for (const char* refused : {"/srv/cabinet/Agendas.mdb", "/srv/cabinet/", "/srv/cabinet/AGENDAS.MDB.bak"}) {
            QVERIFY2(!StartUpRules::acceptsDatabasePath(QLatin1String(refused)), refused);
        }
        {
            Fixture fx; // CHEMIN absent: the program's folder, which is no AGENDAS.MDB
            // A users' file lies in the program's folder, but it is never read.
            QVERIFY(WriteUserSettingsFile(fx.env.programFolder(), namedUsers({QStringLiteral("Dr Martin")})).ok());
            fx.load();
            verifyDesignState(fx);
            QCOMPARE(fx.state().DatabasePath, fx.env.programFolder());
            QVERIFY(fx.state().UserFilesDir.isEmpty());
            // The day is set before the test; the reload timer runs, nothing can be saved.
            QCOMPARE(fx.form->ui().LblDate->text(), QStringLiteral("mercredi 9 décembre 2026"));
            QVERIFY(fx.allTicksShown());
            QVERIFY(fx.form->ui().Timer1->isActive());
            QVERIFY(!fx.form->shownDay().saveShownDay().ok());
        }
        // Refused even though the file exists under that name.
        for (const QString& name : {QStringLiteral("agendas.mdb"), QStringLiteral("AGENDAS.MDB ")}) {
            Fixture fx;
            fx.configure();
            const QString chemin = QDir(fx.env.dataFolder()).filePath(name);
            QVERIFY(QFile::copy(fx.dbPath, chemin));
            fx.env.setRegistry(QStringLiteral("CHEMIN"), chemin);
            fx.load();
            verifyDesignState(fx);
        }
    }

    void emptyChemin_CheminUtMeanTheProgramFolder()
    {
        Fixture fx;
        fx.configure();
        QVERIFY(AppointmentDatabase::create(QDir(fx.env.programFolder()).filePath(QStringLiteral("AGENDAS.MDB"))).ok());
        QVERIFY(WriteUserSettingsFile(fx.env.programFolder(), namedUsers({QStringLiteral("Salle A")})).ok());
        fx.env.setRegistry(QStringLiteral("CHEMIN"), QString());
        fx.env.setRegistry(QStringLiteral("CheminUt"), QString());
        fx.load();
        QVERIFY(Fixture::messages().isEmpty() && fx.state().DatabaseReady);
        QCOMPARE(fx.state().DatabasePath, Files::joinPath(fx.env.programFolder(), QStringLiteral("AGENDAS.MDB")));
        QCOMPARE(fx.state().UserFilesDir, fx.env.programFolder());
        QCOMPARE(fx.form->windowTitle(), QStringLiteral("Salle A"));
    }

    void userButtonsFollowTheNames_data()
    {
        QTest::addColumn<QStringList>("names"); // empty list: no users' file at all
        QTest::addColumn<QString>("shownButtons");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("warned");
        const QString none;
        const QString kordela = QStringLiteral("KORDELA");
        QTest::newRow("only user 1") << QStringList{QStringLiteral("Dr Seul")} << none << QStringLiteral("Dr Seul") << false;
        QTest::newRow("users 2-3 without 1") << QStringList{none, QStringLiteral("Dr Deux"), QStringLiteral("Dr Trois")}
                                             << QStringLiteral("23") << none << true;
        QTest::newRow("no user named") << QStringList{none} << none << kordela << false;
        QTest::newRow("no users' file") << QStringList() << none << kordela << false;
    }

    void userButtonsFollowTheNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, shownButtons);
        QFETCH(QString, title);
        QFETCH(bool, warned);
        Fixture fx;
        if (names.isEmpty()) {
            QVERIFY(QFile::remove(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk"))));
        } else {
            fx.writeUsers(namedUsers(names));
        }
        loadConfigured(fx);
        const QString warning = QStringLiteral("L'utilisateur N°1 n'est pas attribué, or il doit l'être en priorité. "
                                               "Veuillez corriger sinon cela est source d'erreues.");
        QCOMPARE(Fixture::messages(), warned ? QStringList{warning} : QStringList());
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(!fx.button(k)->isHidden(), shownButtons.contains(QString::number(k)));
        }
        QCOMPARE(fx.form->windowTitle(), title);
        QCOMPARE(fx.state().CurrentUser, 1);
        QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red); // even when hidden
        QVERIFY(fx.state().DatabaseReady);
        if (names.isEmpty()) {
            // Nothing read: ten-minute labels, no name lookup, no annotation.
            QCOMPARE(fx.form->ui().grid->labels(), GridLabels::labels(0));
            QVERIFY(!fx.state().NameLookupOn);
            QCOMPARE(fx.form->ui().Label3->text(), QString());
        }
    }

    void slotCodeOutOfRangeKeepsTheDesignLabels()
    {
        for (const int code : {-1, 5}) {
            Fixture fx;
            UserSettings s = MainWindowTest::threeUsers();
            s.slotCodes[0] = LooseValue::fromInt(code);
            fx.writeUsers(s);
            loadConfigured(fx);
            QVERIFY(fx.state().DatabaseReady);
            QCOMPARE(fx.form->ui().grid->labels(), GridLabels::InitialGridLabels());
            QCOMPARE(fx.form->ui().LblHorImp->text(), QStringLiteral("0"));
        }
    }

    void shortSettingsFileGivesTenMinuteLabels()
    {
        Fixture fx;
        // Two names and a colour: the record stops before user 1's slot code.
        fx.writeUsersBytes("\"Dr Court\",\"Dr Bref\",\"\",\"\",\"\",\"\",16777215\r\n");
        loadConfigured(fx);
        QCOMPARE(Fixture::messages(), QStringList{userSettingsFormatMessage(fx.usersFolder())});
        QVERIFY(Fixture::messages().constFirst().contains(fx.usersFolder()));
        QCOMPARE(fx.form->windowTitle(), QStringLiteral("Dr Court"));
        QVERIFY(!fx.button(2)->isHidden() && fx.button(3)->isHidden());
        QCOMPARE(UserLook::backgroundColour(fx.form->ui()), qint32(16777215));
        QCOMPARE(fx.state().SlotMinutes, qint16(10));
        QCOMPARE(fx.form->ui().grid->labels(), GridLabels::labels(0));
    }

    void alphaSettingsAreReadAndChecked()
    {
        const auto loadWithAlpha = [](Fixture& fx, const char* name, const QByteArray& bytes) {
            TestEnv::writeFile(QDir(fx.env.programFolder()).filePath(QLatin1String(name)), bytes);
            loadConfigured(fx);
        };
        {
            Fixture fx;
            loadWithAlpha(fx, "alpha.vlk", "#TRUE#,\"PATIENTS\"\r\n");
            QVERIFY(Fixture::messages().isEmpty());
            QVERIFY(fx.state().NameLookupOn);
            QCOMPARE(fx.state().NamesTable.toText(), QStringLiteral("PATIENTS"));
        }
        // A short users' file and an Alpha.vlk with one value: two messages, users' first;
        // the value read before the end stays.
        Fixture fx;
        fx.writeUsersBytes("\"Dr Court\"\r\n");
        loadWithAlpha(fx, "Alpha.vlk", "#TRUE#\r\n");
        QCOMPARE(Fixture::messages(),
                 (QStringList{userSettingsFormatMessage(fx.usersFolder()), alphaSettingsFormatMessage()}));
        QVERIFY(fx.state().NameLookupOn);
    }

    void greetingOnSixteenthOfAprilOnly()
    {
        for (const QDate& other : {QDate(2027, 4, 15), QDate(2027, 1, 16)}) {
            Fixture fx(other);
            QVERIFY(!fx.open().startUp().greeting());
        }
        Fixture leap(QDate(2028, 4, 16));
        QVERIFY(leap.open().startUp().greeting());
        Fixture fx(QDate(2027, 4, 16));
        Form1& f = fx.open();
        QPointer<Form15> shown = f.startUp().greeting();
        QVERIFY(shown && shown->isVisible() && !shown->parentWidget()); // no owner: the main window can come in front
        QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("16 Avril"));
        QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label5"))->text(), StartUp::greetingName());

        // OK closes the greeting only.
        QTest::mouseClick(shown->okButton(), Qt::LeftButton);
        flushDeletes();
        QVERIFY(shown.isNull() && f.isVisible());
    }

    void dayWithAndWithoutRecord()
    {
        const qint32 today = Dates::daySerial(Today);
        {
            Fixture fx;
            fx.storeDay(1, today, {{5, QStringLiteral("Mme Dupré")}}, QStringLiteral("Rappeler le labo"), true);
            fx.storeDay(2, today, {{5, QStringLiteral("M. Autre")}});
            Form1& f = fx.open();
            QCOMPARE(fx.rowText(5), QStringLiteral("Mme Dupré"));
            QCOMPARE(f.ui().grid->postitBox()->toPlainText(), QStringLiteral("Rappeler le labo"));
            QVERIFY(!f.ui().grid->banner(0)->isHidden() && f.ui().grid->banner(1)->isHidden());
            QVERIFY(!fx.state().DayModified); // loading set texts, yet the load ends unmodified
        }
        Fixture fx;
        fx.storeDay(1, today - 1, {{5, QStringLiteral("Hier")}});
        Form1& f = fx.open();
        QCOMPARE(fx.rowText(5), QString());
        QVERIFY(f.ui().TxtEcho1->isHidden() && f.ui().TxtEcho2->isHidden());
        QCOMPARE(f.ui().TxtEcho1->text(), QStringLiteral("Echo Martin"));
        QVERIFY(!fx.state().DayModified);
    }

    void unusableDatabaseIsSaidAndNothingIsWritten()
    {
        const QByteArray letter = "Ceci n'est pas une base de données, seulement du texte.\n";
        for (const bool missing : {true, false}) {
            Fixture fx;
            fx.configure();
            QString path = fx.dbPath;
            if (missing) {
                path = QDir(fx.env.dataFolder()).filePath(QStringLiteral("ailleurs/AGENDAS.MDB"));
                fx.env.setRegistry(QStringLiteral("CHEMIN"), path);
            } else {
                QFile::remove(path);
                TestEnv::writeFile(path, letter);
            }
            Form1& f = fx.load();
            QCOMPARE(Fixture::messages().size(), 1);
            const QString text = Fixture::messages().constFirst();
            QVERIFY2(text.contains(Files::displayPath(path)), qPrintable(text));
            QVERIFY2(text.contains(missing ? QStringLiteral("introuvable") : QStringLiteral("n'est pas une base de données")),
                     qPrintable(text));
            QVERIFY(!fx.state().DatabaseReady);
            // The window says it, for user 1.
            QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin (non connecté)"));
            QCOMPARE(fx.state().CurrentUser, 1);
            // No save creates the file or writes into the foreign one.
            QVERIFY(!f.shownDay().saveShownDay().ok());
            QCOMPARE(QFile::exists(path), !missing);
            if (!missing) {
                QCOMPARE(TestEnv::readFile(path), letter);
            }
        }
    }

    // A table missing from the file refuses its own user only.
    void missingTableRefusesThatUserOnly()
    {
        Fixture fx;
        {
            const auto db = DbConnection::open(fx.dbPath);
            QSqlQuery drop((*db)->database());
            QVERIFY(drop.exec(QStringLiteral("DROP TABLE RVOUS1")));
        }
        const qint32 today = Dates::daySerial(Today);
        fx.storeDay(2, today, {{4, QStringLiteral("Lefèvre")}});
        fx.configure();
        Form1& f = fx.load();
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().constFirst().contains(QStringLiteral("RVOUS1")));
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin (non connecté)"));

        // User 2's table is there: the switch shows it, the caption loses its mark.
        Dialogs::Test::clear();
        fx.user(2);
        QVERIFY(Fixture::messages().isEmpty());
        QCOMPARE(fx.state().CurrentUser, 2);
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Lefèvre"));
        QCOMPARE(fx.rowText(4), QStringLiteral("Lefèvre"));
        fx.type(5, QStringLiteral("Roux"));
        fx.save();
        QCOMPARE(fx.storedRows(2, today).at(5), QStringLiteral("Roux"));

        // User 1 stays refused, with the reason, and user 2's day stays shown.
        fx.user(1);
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().constFirst().contains(QStringLiteral("RVOUS1")));
        QCOMPARE(fx.state().CurrentUser, 2);
        QCOMPARE(fx.rowText(5), QStringLiteral("Roux"));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
