// The road to the main window: the splash, the greeting, the registry values,
// the settings files, user 1 and today's page, and a database that cannot be
// opened. Every case runs the real load on real files.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/GridLabels.h"
#include "mainwindow/StartUpRules.h"
#include "mainwindow/ui/Form0.h"
#include "mainwindow/ui/Form15.h"
#include "mainwindow/ui/ProgramStart.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/Files.h"
#include "settings/AlphaSettingsFile.h"

#include <QPointer>
#include <QScreen>

using MainWindowTest::Fixture;
using MainWindowTest::namedUsers;

namespace
{
const QDate Today(2026, 12, 9);

bool gridEmpty(const Form1Ui& ui)
{
    for (int r = 0; r < DayGridShape::SlotCount; ++r) {
        if (!ui.grid->slotBox(r)->text().isEmpty()) {
            return false;
        }
    }
    return ui.grid->postitBox()->toPlainText().isEmpty() && ui.Text3->toPlainText().isEmpty();
}

// A refused CHEMIN ends the load at once: the window keeps its design state.
void verifyDesignState(const Fixture& fx)
{
    QCOMPARE(Fixture::messages(), QStringList{StartUpRules::refusedDatabaseMessage()});
    QCOMPARE(fx.form->windowTitle(), QStringLiteral("Agenda"));
    QCOMPARE(fx.button(1)->text(), QStringLiteral("Uttilisat 1"));
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(!fx.button(k)->isHidden());
    }
    QCOMPARE(fx.form->ui().grid->labels(), GridLabels::initialLabels());
    QCOMPARE(UserLook::backgroundColour(fx.form->ui()), ColourValue::fromRgb(192, 192, 192));
    QCOMPARE(fx.state().CurrentUser, 0);
    QVERIFY(!fx.state().DatabaseReady);
    QVERIFY(!fx.state().canSave());
}
} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsTitleAndVersionThenOpensTheMainWindow();
    void fullLoadShowsUserOneOnToday();
    void databasePathRule_data();
    void databasePathRule();
    void cheminAbsentLowerCaseOrBlankStopsTheLoad();
    void emptyChemin_CheminUtMeanTheProgramFolder();
    void userButtonsFollowTheNames_data();
    void userButtonsFollowTheNames();
    void slotCodeOutOfRangeKeepsTheDesignLabels();
    void shortSettingsFileGivesTenMinuteLabels();
    void alphaSettingsAreReadAndChecked();
    void greetingOnSixteenthOfAprilOnly_data();
    void greetingOnSixteenthOfAprilOnly();
    void dayWithAndWithoutRecord();
    void unusableDatabaseIsSaidAndNothingIsWritten();
    void loadRunsOnce();
};

void TestStartUp::splashShowsTitleAndVersionThenOpensTheMainWindow()
{
    Fixture fx;
    fx.configure();
    std::unique_ptr<Form1> mainWindow;
    QPointer<Form0> splash = ProgramStart::begin(mainWindow);
    QVERIFY(splash && splash->isVisible());
    QCOMPARE(splash->windowTitle(), QStringLiteral("KORDELA"));
    const auto label = [&splash](const char* name) {
        return splash->findChild<QLabel*>(QLatin1String(name));
    };
    QCOMPARE(label("LblTitle")->text(), QStringLiteral("KORDELA"));
    QCOMPARE(label("LblVersion")->text(), QStringLiteral("Version 4.0.0"));
    QCOMPARE(label("Label3")->text(), QStringLiteral("Le carnet de rendez vous du médecin"));
    QCOMPARE(label("Label6")->text(), QStringLiteral("Brelant"));
    QVERIFY(!label("Image1")->pixmap().isNull());
    QCOMPARE(splash->timer()->interval(), 4000);
    QVERIFY(splash->timer()->isActive() && !mainWindow);

    // The tick of the splash timer, as after 4000 ms.
    QMetaObject::invokeMethod(splash->timer(), "timeout", Qt::DirectConnection);
    flushDeletes();
    QVERIFY(splash.isNull());
    QVERIFY(mainWindow && mainWindow->isVisible());
    QCOMPARE(mainWindow->windowTitle(), QStringLiteral("Dr Martin"));
    const QRect screen = mainWindow->screen()->availableGeometry();
    QVERIFY(qAbs(mainWindow->frameGeometry().center().x() - screen.center().x()) <= 1);
}

void TestStartUp::fullLoadShowsUserOneOnToday()
{
    Fixture fx;
    fx.configure();
    fx.env.setRegistry(QStringLiteral("CheminNoms"), QStringLiteral("/srv/noms/NOMS.MDB"));
    Form1& f = fx.load();
    const MainState& st = fx.state();
    const Form1Ui& ui = f.ui();

    QVERIFY2(Fixture::messages().isEmpty(), qPrintable(Fixture::messages().join(QLatin1Char('\n'))));
    QCOMPARE(st.ShownDay, Today);
    QCOMPARE(ui.MonthView1->selectedDate(), Today);
    QCOMPARE(ui.LblDate->text(), Dates::longDate(Today));
    QCOMPARE(ui.Label2->text(), QString::number(Dates::daySerial(Today)));
    QVERIFY(fx.allTicksShown());
    QCOMPARE(st.DatabasePath, fx.dbPath);
    QCOMPARE(st.UserFilesDir, fx.usersFolder());
    QCOMPARE(st.NamesPath, QStringLiteral("/srv/noms/NOMS.MDB"));

    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
    QCOMPARE(st.CurrentUser, 1);
    QCOMPARE(ui.LblUtilisat->text(), QStringLiteral("1"));
    QCOMPARE(fx.button(3)->text(), QStringLiteral("Échographie"));
    QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red);
    QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(200, 220, 255));
    QCOMPARE(ui.TxtEcho2->text(), QStringLiteral("Echo Martin"));
    QCOMPARE(ui.Bloc->text(), QStringLiteral("Bloc Martin"));
    // User 1's slot code is 1: quarter-hour labels.
    QCOMPARE(ui.LblHorImp->text(), QStringLiteral("15"));
    QCOMPARE(ui.grid->labels(), GridLabels::labels(1));
    QVERIFY(st.DatabaseReady && st.canSave());
    QVERIFY(ui.Timer1->isActive());
    QVERIFY(!st.DayModified);
}

void TestStartUp::databasePathRule_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("windows path") << QStringLiteral("G:\\AGENDA\\AGENDAS.MDB") << true;
    QTest::newRow("bare name") << QStringLiteral("AGENDAS.MDB") << true;
    QTest::newRow("longer name") << QStringLiteral("/srv/VIEILLES_AGENDAS.MDB") << true;
    QTest::newRow("mixed case") << QStringLiteral("/srv/cabinet/Agendas.mdb") << false;
    QTest::newRow("folder with slash") << QStringLiteral("/srv/cabinet/") << false;
    QTest::newRow("other extension") << QStringLiteral("/srv/cabinet/AGENDAS.MDB.bak") << false;
}

void TestStartUp::databasePathRule()
{
    QFETCH(QString, chemin);
    QFETCH(bool, accepted);
    QCOMPARE(StartUpRules::acceptsDatabasePath(chemin), accepted);
}

void TestStartUp::cheminAbsentLowerCaseOrBlankStopsTheLoad()
{
    {
        Fixture fx; // CHEMIN absent: the program's folder, which is no AGENDAS.MDB
        // A users' file lies in the program's folder, but it is never read.
        QVERIFY(WriteUserSettingsFile(fx.env.programFolder(), namedUsers({QStringLiteral("Dr Martin")})).ok());
        fx.load();
        QCOMPARE(Fixture::messages().value(0),
                 QStringLiteral("La base de données 'AGENDAS.MDB' est introuvable. Veuillez à l'aide du SUPERVISEUR la "
                                "placer dans un repertoire quelconque de votre reseau puis relancer le programme"));
        verifyDesignState(fx);
        QCOMPARE(fx.state().DatabasePath, fx.env.programFolder());
        QVERIFY(fx.state().UserFilesDir.isEmpty());
        // The day is set before the test; the reload timer runs, nothing can be saved.
        QCOMPARE(fx.form->ui().LblDate->text(), Dates::longDate(Today));
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

void TestStartUp::emptyChemin_CheminUtMeanTheProgramFolder()
{
    Fixture fx;
    fx.configure();
    const QString inProgram = QDir(fx.env.programFolder()).filePath(QStringLiteral("AGENDAS.MDB"));
    QVERIFY(AppointmentDatabase::create(inProgram).ok());
    QVERIFY(WriteUserSettingsFile(fx.env.programFolder(), namedUsers({QStringLiteral("Salle A")})).ok());
    fx.env.setRegistry(QStringLiteral("CHEMIN"), QString());
    fx.env.setRegistry(QStringLiteral("CheminUt"), QString());
    fx.load();
    QVERIFY(Fixture::messages().isEmpty());
    QCOMPARE(fx.state().DatabasePath, Files::joinPath(fx.env.programFolder(), QStringLiteral("AGENDAS.MDB")));
    QVERIFY(fx.state().DatabaseReady);
    QCOMPARE(fx.state().UserFilesDir, fx.env.programFolder());
    QCOMPARE(fx.form->windowTitle(), QStringLiteral("Salle A"));
}

void TestStartUp::userButtonsFollowTheNames_data()
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

void TestStartUp::userButtonsFollowTheNames()
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
    fx.configure();
    fx.load();
    QCOMPARE(Fixture::messages(), warned ? QStringList{StartUpRules::unnamedFirstUserMessage()} : QStringList());
    if (warned) {
        QCOMPARE(Fixture::messages().constFirst(),
                 QStringLiteral("L'utilisateur N°1 n'est pas attribué, or il doit l'être en priorité. Veuillez "
                                "corriger sinon cela est source d'erreues."));
    }
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(!fx.button(k)->isHidden(), shownButtons.contains(QString::number(k)));
    }
    QCOMPARE(fx.form->windowTitle(), title);
    QCOMPARE(fx.state().CurrentUser, 1);
    QCOMPARE(fx.button(1)->colourValue(), ColourValue::Red); // even when hidden
    QVERIFY(fx.state().DatabaseReady);
    if (names.isEmpty()) {
        // Nothing read: ten-minute labels, no name lookup, no annotation.
        QCOMPARE(fx.state().SlotMinutes, qint16(10));
        QCOMPARE(fx.form->ui().grid->labels(), GridLabels::labels(0));
        QVERIFY(!fx.state().NameLookupOn);
        QCOMPARE(fx.form->ui().Label3->text(), QString());
    }
}

void TestStartUp::slotCodeOutOfRangeKeepsTheDesignLabels()
{
    for (const int code : {-1, 4}) {
        Fixture fx;
        UserSettings s = MainWindowTest::threeUsers();
        s.slotCodes[0] = LooseValue::fromInt(code);
        fx.writeUsers(s);
        fx.configure();
        fx.load();
        QVERIFY(fx.state().DatabaseReady);
        QCOMPARE(fx.form->ui().grid->labels(), code < 0 ? GridLabels::initialLabels() : GridLabels::labels(4));
        QCOMPARE(fx.form->ui().LblHorImp->text(), code < 0 ? QStringLiteral("0") : QStringLiteral("60"));
    }
}

void TestStartUp::shortSettingsFileGivesTenMinuteLabels()
{
    Fixture fx;
    // Two names and a colour: the record stops before user 1's slot code.
    fx.writeUsersBytes("\"Dr Court\",\"Dr Bref\",\"\",\"\",\"\",\"\",16777215\r\n");
    fx.configure();
    fx.load();
    QCOMPARE(Fixture::messages(), QStringList{userSettingsFormatMessage(fx.usersFolder())});
    QVERIFY(Fixture::messages().constFirst().contains(fx.usersFolder()));
    QCOMPARE(fx.form->windowTitle(), QStringLiteral("Dr Court"));
    QCOMPARE(fx.button(2)->text(), QStringLiteral("Dr Bref"));
    QVERIFY(!fx.button(2)->isHidden() && fx.button(3)->isHidden());
    QCOMPARE(UserLook::backgroundColour(fx.form->ui()), qint32(16777215));
    QCOMPARE(fx.state().SlotMinutes, qint16(10));
    QCOMPARE(fx.form->ui().grid->labels(), GridLabels::labels(0));
}

void TestStartUp::alphaSettingsAreReadAndChecked()
{
    const auto loadWithAlpha = [](Fixture& fx, const char* name, const QByteArray& bytes) {
        TestEnv::writeFile(QDir(fx.env.programFolder()).filePath(QLatin1String(name)), bytes);
        fx.configure();
        fx.load();
    };
    {
        Fixture fx;
        loadWithAlpha(fx, "alpha.vlk", "#TRUE#,\"PATIENTS\"\r\n");
        QVERIFY(Fixture::messages().isEmpty());
        QVERIFY(fx.state().NameLookupOn);
        QCOMPARE(fx.state().NamesTable.toText(), QStringLiteral("PATIENTS"));
    }
    {
        Fixture fx;
        loadWithAlpha(fx, "Alpha.vlk", "#TRUE#\r\n");
        QCOMPARE(Fixture::messages(), QStringList{alphaSettingsFormatMessage()});
        QVERIFY(fx.state().NameLookupOn); // the value read before the end stays
    }
    {
        // A short users' file and a short Alpha.vlk: two messages, users' first.
        Fixture fx;
        fx.writeUsersBytes("\"Dr Court\"\r\n");
        loadWithAlpha(fx, "Alpha.vlk", "#FALSE#\r\n");
        QCOMPARE(Fixture::messages(),
                 (QStringList{userSettingsFormatMessage(fx.usersFolder()), alphaSettingsFormatMessage()}));
        QVERIFY(!fx.state().NameLookupOn);
    }
}

void TestStartUp::greetingOnSixteenthOfAprilOnly_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("greeting");
    QTest::newRow("15 April") << QDate(2027, 4, 15) << false;
    QTest::newRow("16 April") << QDate(2027, 4, 16) << true;
    QTest::newRow("16 April, leap year") << QDate(2028, 4, 16) << true;
    QTest::newRow("16 January") << QDate(2027, 1, 16) << false;
}

void TestStartUp::greetingOnSixteenthOfAprilOnly()
{
    QFETCH(QDate, today);
    QFETCH(bool, greeting);
    Fixture fx(today);
    Form1& f = fx.open();
    QCOMPARE(fx.state().ShownDay, today);
    QPointer<Form15> shown = f.startUp().greeting();
    QCOMPARE(!shown.isNull(), greeting);
    if (!greeting) {
        return;
    }
    QVERIFY(shown->isVisible());
    QVERIFY(shown->parentWidget() == nullptr); // no owner: the main window can come in front
    QCOMPARE(shown->windowTitle(), QStringLiteral("Form15"));
    const auto label = [&shown](const char* name) { return shown->findChild<QLabel*>(QLatin1String(name))->text(); };
    QCOMPARE(label("Label2"), QStringLiteral("16 Avril"));
    QCOMPARE(label("Label1"), QStringLiteral("Aujourd'hui c'est l'anniversaire du bon "));
    QCOMPARE(label("Label5"), StartUp::greetingName());
    QCOMPARE(label("Label3"), QStringLiteral("Vous pouvez le lui souhaiter à l'adresse :"));
    QCOMPARE(label("Label4"), StartUp::greetingAddress());
    QCOMPARE(shown->palette().color(QPalette::Window), QColor(224, 224, 224));

    // OK closes the greeting only.
    QTest::mouseClick(shown->okButton(), Qt::LeftButton);
    flushDeletes();
    QVERIFY(shown.isNull());
    QVERIFY(f.isVisible());
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
}

void TestStartUp::dayWithAndWithoutRecord()
{
    const qint32 today = Dates::daySerial(Today);
    {
        Fixture fx;
        fx.storeDay(1, today, {{5, QStringLiteral("Mme Dupré")}}, QStringLiteral("Rappeler le labo"), true);
        fx.storeDay(2, today, {{5, QStringLiteral("M. Autre")}});
        Form1& f = fx.open();
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Dupré"));
        QCOMPARE(f.ui().grid->postitBox()->toPlainText(), QStringLiteral("Rappeler le labo"));
        QVERIFY(!f.ui().grid->banner(0)->isHidden());
        QVERIFY(f.ui().grid->banner(1)->isHidden());
        QVERIFY(!fx.state().DayModified); // loading set texts, yet the load ends unmodified
    }
    Fixture fx;
    fx.storeDay(1, today - 1, {{5, QStringLiteral("Hier")}});
    Form1& f = fx.open();
    QVERIFY(gridEmpty(f.ui()));
    QVERIFY(f.ui().TxtEcho1->isHidden() && f.ui().TxtEcho2->isHidden());
    QCOMPARE(f.ui().TxtEcho1->text(), QStringLiteral("Echo Martin"));
    QVERIFY(!fx.state().DayModified);
}

void TestStartUp::unusableDatabaseIsSaidAndNothingIsWritten()
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
        QVERIFY(!fx.state().DatabaseReady && !fx.state().canSave());
        // The window says it, on an empty grid, for user 1.
        QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin") + StartUpRules::notConnectedSuffix());
        QCOMPARE(StartUpRules::notConnectedSuffix(), QStringLiteral(" (non connecté)"));
        QCOMPARE(fx.state().CurrentUser, 1);
        QVERIFY(gridEmpty(f.ui()));
        QVERIFY(f.ui().Timer1->isActive());
        // No save creates the file or writes into the foreign one.
        QVERIFY(!f.shownDay().saveShownDay().ok());
        if (missing) {
            QVERIFY(!QFile::exists(path));
        } else {
            QCOMPARE(TestEnv::readFile(path), letter);
        }
    }
}

void TestStartUp::loadRunsOnce()
{
    Fixture fx;
    fx.writeUsers(namedUsers({QString(), QStringLiteral("Dr Deux")}));
    fx.configure();
    Form1& f = fx.load();
    QCOMPARE(Fixture::messages().size(), 1);
    f.setWindowTitle(QStringLiteral("changé"));
    f.startUp().Form_Load();
    QCOMPARE(Fixture::messages().size(), 1);
    QCOMPARE(f.windowTitle(), QStringLiteral("changé"));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
