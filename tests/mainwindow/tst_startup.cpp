// The road to the main window: the splash, the greeting, the registry values,
// the settings files, user 1 and today's page, and a database that cannot be
// opened. Every case runs the real load on real files.

#include "common/TestSupport.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/StartUpRules.h"
#include "mainwindow/ui/Form0.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/Form15.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/ProgramStart.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/StartUp.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/Files.h"
#include "platform/ui/Dialogs.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/ColourValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserSettingsFile.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

namespace
{
const QDate Today(2026, 12, 9);

UserSettings users(const QStringList& names)
{
    UserSettings s;
    for (std::size_t i = 0; i < 6; ++i) {
        const QString name = static_cast<qsizetype>(i) < names.size() ? names.at(static_cast<qsizetype>(i)) : QString();
        s.names[i] = LooseValue::fromText(name);
        s.colours[i] = LooseValue::fromInt(ColourValue::fromRgb(200, 220, 255 - static_cast<int>(i) * 10));
        s.slotCodes[i] = LooseValue::fromInt(static_cast<qint64>(i % 5));
        s.topAnnotations[i] = LooseValue::fromText(QStringLiteral("Echo %1").arg(i + 1));
        s.bottomAnnotations[i] = LooseValue::fromText(QStringLiteral("Bloc %1").arg(i + 1));
    }
    return s;
}

// A practice set up by the supervisor: the database in the data folder, the
// users' file beside it.
class Practice
{
public:
    explicit Practice(const QDate& today = Today) : env(today) {}
    ~Practice()
    {
        form.reset();
        Dialogs::Test::clear();
    }

    void setUp(const QStringList& names = {QStringLiteral("Dr Martin"), QStringLiteral("Dr Lefèvre")})
    {
        db = env.createAppointmentDatabase();
        env.setRegistry(QStringLiteral("CHEMIN"), db);
        env.setRegistry(QStringLiteral("CheminUt"), env.dataFolder());
        env.setRegistry(QStringLiteral("CheminNoms"), QStringLiteral("/srv/noms/NOMS.MDB"));
        if (!names.isEmpty()) {
            writeUsers(users(names));
        }
    }

    void writeUsers(const UserSettings& settings) const
    {
        const Status written = WriteUserSettingsFile(env.dataFolder(), settings);
        if (!written) {
            qFatal("cannot write Utilisat.vlk: %s", qPrintable(written.error()));
        }
    }

    void writeUsersBytes(const QByteArray& bytes) const
    {
        TestEnv::writeFile(QDir(env.dataFolder()).filePath(QStringLiteral("Utilisat.vlk")), bytes);
    }

    void storeDay(int user, qint32 serial, const QString& row5, const QString& postit, bool absentMorning) const
    {
        DayScreen screen;
        screen.setShownDayCaption(QString::number(serial));
        screen.setSlotText(5, row5);
        screen.setPostit(postit);
        screen.setBoxVisible(SideBox::Absent1, absentMorning);
        screen.setBoxText(SideBox::Absent1, QStringLiteral("ABSENT"));
        const auto opened = DbConnection::open(db);
        const auto saved = DayStore::save(**opened, user, DayLoader::FillDayRecord(screen));
        if (!saved) {
            qFatal("cannot store a day: %s", qPrintable(saved.error()));
        }
    }

    Form1& load()
    {
        form = std::make_unique<Form1>();
        form->startUp().Form_Load();
        return *form;
    }

    Form1Ui& ui() const { return form->ui(); }
    MainState& state() const { return form->state(); }
    PressButton* button(int k) const { return form->ui().CmdUtilisat[static_cast<std::size_t>(k - 1)]; }
    QStringList messages() const { return Dialogs::Test::shownTexts(); }

    TestEnv env;
    QString db;
    std::unique_ptr<Form1> form;
};

bool allTicksShown(const Form1Ui& ui)
{
    for (int r = 0; r < DayGridShape::SlotCount; ++r) {
        if (ui.grid->tickBox(r)->isHidden()) {
            return false;
        }
    }
    return true;
}

bool gridEmpty(const Form1Ui& ui)
{
    for (int r = 0; r < DayGridShape::SlotCount; ++r) {
        if (!ui.grid->slotBox(r)->text().isEmpty()) {
            return false;
        }
    }
    return ui.grid->postitBox()->toPlainText().isEmpty() && ui.Text3->toPlainText().isEmpty();
}

// What the window shows in its design state, apart from the day.
void verifyDesignState(Practice& p)
{
    Form1& f = *p.form;
    QCOMPARE(f.windowTitle(), QStringLiteral("Agenda"));
    QCOMPARE(p.button(1)->text(), QStringLiteral("Uttilisat 1"));
    for (int k = 2; k <= 6; ++k) {
        QCOMPARE(p.button(k)->text(), QStringLiteral("Utilisat %1").arg(k));
    }
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(!p.button(k)->isHidden());
    }
    QCOMPARE(p.ui().LblUtilisat->text(), QStringLiteral("Utilisateur"));
    QCOMPARE(p.ui().LblHorImp->text(), QStringLiteral("LblHorImp"));
    QCOMPARE(p.ui().Label3->text(), QStringLiteral("Programme Bloc Opératoire"));
    QCOMPARE(p.ui().Bloc->text(), QStringLiteral("Bloc &Opératoire"));
    QCOMPARE(p.ui().TxtEcho1->text(), QStringLiteral("Echographies"));
    QVERIFY(!p.ui().TxtEcho1->isHidden());
    QVERIFY(!p.ui().TxtEcho2->isHidden());
    QVERIFY(p.ui().grid->banner(0)->isHidden());
    QCOMPARE(p.ui().grid->labels(), GridLabels::initialLabels());
    QCOMPARE(UserLook::backgroundColour(p.ui()), ColourValue::fromRgb(192, 192, 192));
    QCOMPARE(p.state().CurrentUser, 0);
    QCOMPARE(p.state().SlotMinutes, qint16(0));
    QVERIFY(!p.state().DatabaseReady);
    QVERIFY(!p.state().canSave());
    QVERIFY(!p.state().DayModified);
}
} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsTitleAndVersionThenOpensTheMainWindow();
    void fullLoadShowsUserOneOnToday();
    void cheminAbsentStopsWithTheMessage();
    void cheminLowerCaseIsRefusedEvenIfTheFileExists();
    void cheminEmptyMeansTheProgramFolder();
    void cheminUtEmptyMeansTheProgramFolder();
    void onlyUserOneNamedShowsNoButton();
    void usersTwoAndThreeWithoutUserOne();
    void noUserNamedIsCalledKordela();
    void slotCodeOutOfRangeKeepsTheDesignLabels();
    void shortSettingsFileGivesTenMinuteLabels();
    void severalRecordsTheLastWins();
    void alphaSettingsAreReadAndChecked();
    void greetingOnSixteenthOfAprilOnly_data();
    void greetingOnSixteenthOfAprilOnly();
    void greetingOkClosesOnlyTheGreeting();
    void dayWithAndWithoutRecord();
    void missingDatabaseIsSaidAndNothingIsWritten();
    void fileThatIsNoDatabaseIsSaid();
    void loadRunsOnce();
};

void TestStartUp::splashShowsTitleAndVersionThenOpensTheMainWindow()
{
    Practice p;
    p.setUp();
    std::unique_ptr<Form1> mainWindow;
    QPointer<Form0> splash = ProgramStart::begin(mainWindow);
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->windowTitle(), QStringLiteral("KORDELA"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("LblTitle"))->text(), QStringLiteral("KORDELA"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 4.0.0"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("Label3"))->text(),
             QStringLiteral("Le carnet de rendez vous du médecin"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("Label6"))->text(), QStringLiteral("Brelant"));
    QVERIFY(!splash->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
    QVERIFY(splash->timer()->isActive());
    QCOMPARE(splash->timer()->interval(), 4000);
    QVERIFY(!mainWindow);

    // The tick of the splash timer, as after 4000 ms.
    QMetaObject::invokeMethod(splash->timer(), "timeout", Qt::DirectConnection);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash.isNull());
    QVERIFY(mainWindow);
    QVERIFY(mainWindow->isVisible());
    QCOMPARE(mainWindow->windowTitle(), QStringLiteral("Dr Martin"));
    QVERIFY(mainWindow->state().DatabaseReady);
    // Opened centred on the screen.
    const QRect screen = mainWindow->screen()->availableGeometry();
    QVERIFY(qAbs(mainWindow->frameGeometry().center().x() - screen.center().x()) <= 1);
}

void TestStartUp::fullLoadShowsUserOneOnToday()
{
    Practice p;
    p.setUp({QStringLiteral("Dr Martin"), QStringLiteral("Dr Lefèvre"), QStringLiteral("Échographie")});
    Form1& f = p.load();
    const MainState& st = p.state();

    QVERIFY2(p.messages().isEmpty(), qPrintable(p.messages().join(QLatin1Char('\n'))));
    QCOMPARE(st.ShownDay, Today);
    QCOMPARE(p.ui().MonthView1->selectedDate(), Today);
    QCOMPARE(p.ui().LblDate->text(), Dates::longDate(Today));
    QCOMPARE(p.ui().Label2->text(), QString::number(Dates::daySerial(Today)));
    QCOMPARE(st.ShownDaySerial, Dates::daySerial(Today));
    QVERIFY(allTicksShown(p.ui()));

    QCOMPARE(st.DatabasePath, p.db);
    QCOMPARE(st.OpenPath, p.db);
    QCOMPARE(st.UserFilesDir, p.env.dataFolder());
    QCOMPARE(st.NamesPath, QStringLiteral("/srv/noms/NOMS.MDB"));

    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
    QCOMPARE(st.CurrentUser, 1);
    QCOMPARE(p.ui().LblUtilisat->text(), QStringLiteral("1"));
    QCOMPARE(p.button(1)->text(), QStringLiteral("Dr Martin"));
    QCOMPARE(p.button(3)->text(), QStringLiteral("Échographie"));
    QVERIFY(!p.button(1)->isHidden());
    QVERIFY(!p.button(3)->isHidden());
    QVERIFY(p.button(4)->isHidden());
    QVERIFY(p.button(6)->isHidden());
    QCOMPARE(p.button(1)->colourValue(), ColourValue::Red);
    QCOMPARE(UserLook::backgroundColour(p.ui()), ColourValue::fromRgb(200, 220, 255));
    QCOMPARE(p.ui().Label5->palette().color(QPalette::Window), QColor(200, 220, 255));
    QCOMPARE(p.ui().central->palette().color(QPalette::Window), QColor(200, 220, 255));
    QCOMPARE(p.ui().TxtEcho1->text(), QStringLiteral("Echo 1"));
    QCOMPARE(p.ui().TxtEcho2->text(), QStringLiteral("Echo 1"));
    QCOMPARE(p.ui().Label3->text(), QStringLiteral("Bloc 1"));
    QCOMPARE(p.ui().Bloc->text(), QStringLiteral("Bloc 1"));
    // User 1's slot code is 0: ten-minute labels.
    QCOMPARE(st.SlotMinutes, qint16(10));
    QCOMPARE(p.ui().LblHorImp->text(), QStringLiteral("10"));
    QCOMPARE(p.ui().grid->labels(), GridLabels::labels(0));

    QVERIFY(st.DatabaseReady);
    QVERIFY(st.canSave());
    QVERIFY(p.ui().Timer1->isActive());
    QCOMPARE(p.ui().Timer1->interval(), 60000);
    QVERIFY(!st.DayModified);
}

void TestStartUp::cheminAbsentStopsWithTheMessage()
{
    Practice p;
    p.env.createAppointmentDatabase();
    // Utilisat.vlk lies in the program's folder, but it is never read.
    const Status written = WriteUserSettingsFile(p.env.programFolder(), users({QStringLiteral("Dr Martin")}));
    QVERIFY(written.ok());
    p.load();

    QCOMPARE(p.messages(), QStringList{StartUpRules::refusedDatabaseMessage()});
    QCOMPARE(p.messages().constFirst(),
             QStringLiteral("La base de données 'AGENDAS.MDB' est introuvable. Veuillez à l'aide du SUPERVISEUR la "
                            "placer dans un repertoire quelconque de votre reseau puis relancer le programme"));
    QCOMPARE(p.state().DatabasePath, p.env.programFolder());
    QCOMPARE(p.state().OpenPath, p.env.programFolder());
    QVERIFY(p.state().UserFilesDir.isEmpty());
    verifyDesignState(p);
    // The day is set before the test.
    QCOMPARE(p.ui().LblDate->text(), Dates::longDate(Today));
    QCOMPARE(p.ui().Label2->text(), QString::number(Dates::daySerial(Today)));
    QVERIFY(allTicksShown(p.ui()));
    // The reload timer runs all the same; with no database nothing can be saved.
    QVERIFY(p.ui().Timer1->isActive());
    QVERIFY(!p.form->shownDay().saveShownDay().ok());
}

void TestStartUp::cheminLowerCaseIsRefusedEvenIfTheFileExists()
{
    Practice p;
    p.setUp();
    const QString lower = QDir(p.env.dataFolder()).filePath(QStringLiteral("agendas.mdb"));
    QVERIFY(QFile::copy(p.db, lower));
    p.env.setRegistry(QStringLiteral("CHEMIN"), lower);
    p.load();
    QCOMPARE(p.messages(), QStringList{StartUpRules::refusedDatabaseMessage()});
    QCOMPARE(p.state().DatabasePath, lower);
    verifyDesignState(p);

    // A blank after the name is refused too.
    Practice blank;
    blank.setUp();
    blank.env.setRegistry(QStringLiteral("CHEMIN"), blank.db + QStringLiteral(" "));
    blank.load();
    QCOMPARE(blank.messages(), QStringList{StartUpRules::refusedDatabaseMessage()});
    verifyDesignState(blank);
}

void TestStartUp::cheminEmptyMeansTheProgramFolder()
{
    Practice p;
    p.setUp();
    const QString inProgram = QDir(p.env.programFolder()).filePath(QStringLiteral("AGENDAS.MDB"));
    QVERIFY(AppointmentDatabase::create(inProgram).ok());
    p.env.setRegistry(QStringLiteral("CHEMIN"), QString());
    p.load();
    QVERIFY2(p.messages().isEmpty(), qPrintable(p.messages().join(QLatin1Char('\n'))));
    QCOMPARE(p.state().DatabasePath, Files::joinPath(p.env.programFolder(), QStringLiteral("AGENDAS.MDB")));
    QCOMPARE(p.state().OpenPath, p.state().DatabasePath);
    QVERIFY(p.state().DatabaseReady);
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Dr Martin"));
}

void TestStartUp::cheminUtEmptyMeansTheProgramFolder()
{
    Practice p;
    p.setUp({}); // no users' file in the data folder
    p.env.setRegistry(QStringLiteral("CheminUt"), QString());
    p.env.setRegistry(QStringLiteral("CheminNoms"), QString());
    const Status written =
        WriteUserSettingsFile(p.env.programFolder(), users({QStringLiteral("Salle A"), QStringLiteral("Salle B")}));
    QVERIFY(written.ok());
    p.load();
    QCOMPARE(p.state().UserFilesDir, p.env.programFolder());
    QVERIFY(p.state().NamesPath.isEmpty());
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Salle A"));
    QCOMPARE(p.button(2)->text(), QStringLiteral("Salle B"));
}

void TestStartUp::onlyUserOneNamedShowsNoButton()
{
    Practice p;
    p.setUp({QStringLiteral("Dr Seul")});
    p.load();
    QVERIFY(p.messages().isEmpty());
    for (int k = 1; k <= 6; ++k) {
        QVERIFY2(p.button(k)->isHidden(), qPrintable(QString::number(k)));
    }
    QCOMPARE(p.state().CurrentUser, 1);
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Dr Seul"));
    QCOMPARE(p.ui().Label3->text(), QStringLiteral("Bloc 1"));
    // Button 1 is red even though it is hidden.
    QCOMPARE(p.button(1)->colourValue(), ColourValue::Red);
}

void TestStartUp::usersTwoAndThreeWithoutUserOne()
{
    Practice p;
    p.setUp({QString(), QStringLiteral("Dr Deux"), QStringLiteral("Dr Trois")});
    p.load();
    QCOMPARE(p.messages(), QStringList{StartUpRules::unnamedFirstUserMessage()});
    QCOMPARE(p.messages().constFirst(),
             QStringLiteral("L'utilisateur N°1 n'est pas attribué, or il doit l'être en priorité. Veuillez "
                            "corriger sinon cela est source d'erreues."));
    QVERIFY(p.button(1)->isHidden());
    QVERIFY(!p.button(2)->isHidden());
    QVERIFY(!p.button(3)->isHidden());
    QVERIFY(p.button(4)->isHidden());
    QCOMPARE(p.state().CurrentUser, 1);
    QCOMPARE(p.form->windowTitle(), QString());
    QVERIFY(p.state().DatabaseReady);
}

void TestStartUp::noUserNamedIsCalledKordela()
{
    Practice p;
    p.setUp({QString()});
    p.load();
    QVERIFY(p.messages().isEmpty());
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(p.button(k)->isHidden());
    }
    QCOMPARE(p.form->windowTitle(), QStringLiteral("KORDELA"));
    QCOMPARE(p.state().UserNames[0].toText(), QStringLiteral("KORDELA"));
    QCOMPARE(p.state().CurrentUser, 1);

    // Without any users' file: the same, silently, with ten-minute labels.
    Practice bare;
    bare.setUp({});
    bare.load();
    QVERIFY(bare.messages().isEmpty());
    QCOMPARE(bare.form->windowTitle(), QStringLiteral("KORDELA"));
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(bare.button(k)->isHidden());
    }
    QCOMPARE(bare.state().SlotMinutes, qint16(10));
    QCOMPARE(bare.ui().grid->labels(), GridLabels::labels(0));
    QVERIFY(!bare.state().NameLookupOn);
    // The bottom annotation of a user never read is empty.
    QCOMPARE(bare.ui().Label3->text(), QString());
}

void TestStartUp::slotCodeOutOfRangeKeepsTheDesignLabels()
{
    Practice p;
    p.setUp();
    UserSettings s = users({QStringLiteral("Dr Martin"), QStringLiteral("Dr Lefèvre")});
    s.slotCodes[0] = LooseValue::fromInt(-1);
    p.writeUsers(s);
    p.load();
    QCOMPARE(p.ui().grid->labels(), GridLabels::initialLabels());
    QCOMPARE(p.state().SlotMinutes, qint16(0));
    QCOMPARE(p.ui().LblHorImp->text(), QStringLiteral("0"));
    QVERIFY(p.state().DatabaseReady);

    Practice sixty;
    sixty.setUp();
    s.slotCodes[0] = LooseValue::fromInt(4);
    sixty.writeUsers(s);
    sixty.load();
    QCOMPARE(sixty.ui().grid->labels(), GridLabels::labels(4));
    QCOMPARE(sixty.ui().LblHorImp->text(), QStringLiteral("60"));
}

void TestStartUp::shortSettingsFileGivesTenMinuteLabels()
{
    Practice p;
    p.setUp({});
    // Three names and a colour: the record stops before user 1's slot code.
    p.writeUsersBytes("\"Dr Court\",\"Dr Bref\",\"\",\"\",\"\",\"\",16777215\r\n");
    p.load();
    QCOMPARE(p.messages(), QStringList{userSettingsFormatMessage(p.env.dataFolder())});
    QVERIFY(p.messages().constFirst().contains(p.env.dataFolder()));
    QCOMPARE(p.button(1)->text(), QStringLiteral("Dr Court"));
    QCOMPARE(p.button(2)->text(), QStringLiteral("Dr Bref"));
    QVERIFY(!p.button(2)->isHidden());
    QVERIFY(p.button(3)->isHidden());
    QCOMPARE(UserLook::backgroundColour(p.ui()), qint32(16777215));
    QCOMPARE(p.state().SlotMinutes, qint16(10));
    QCOMPARE(p.ui().grid->labels(), GridLabels::labels(0));
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Dr Court"));
}

void TestStartUp::severalRecordsTheLastWins()
{
    Practice p;
    p.setUp({});
    UserSettings first = users({QStringLiteral("Premier"), QStringLiteral("Second")});
    UserSettings second = users({QStringLiteral("Autre"), QStringLiteral("Encore"), QStringLiteral("Trois")});
    second.colours[0] = LooseValue::fromText(QStringLiteral("bleu")); // no colour: the first record's stays
    second.slotCodes[0] = LooseValue::fromInt(3);
    const QByteArray bytes = SettingsFileFormat::formatRecordLine(first.toValues())
                             + SettingsFileFormat::formatRecordLine(second.toValues());
    p.writeUsersBytes(bytes);
    p.load();
    QVERIFY2(p.messages().isEmpty(), qPrintable(p.messages().join(QLatin1Char('\n'))));
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Autre"));
    QCOMPARE(p.button(3)->text(), QStringLiteral("Trois"));
    QVERIFY(!p.button(3)->isHidden());
    QCOMPARE(UserLook::backgroundColour(p.ui()), ColourValue::fromRgb(200, 220, 255));
    QCOMPARE(p.state().SlotMinutes, qint16(30));
}

void TestStartUp::alphaSettingsAreReadAndChecked()
{
    Practice p;
    p.setUp();
    TestEnv::writeFile(QDir(p.env.programFolder()).filePath(QStringLiteral("alpha.vlk")), "#TRUE#,\"PATIENTS\"\r\n");
    p.load();
    QVERIFY(p.messages().isEmpty());
    QVERIFY(p.state().NameLookupOn);
    QCOMPARE(p.state().NamesTable.toText(), QStringLiteral("PATIENTS"));

    Practice shortAlpha;
    shortAlpha.setUp();
    TestEnv::writeFile(QDir(shortAlpha.env.programFolder()).filePath(QStringLiteral("Alpha.vlk")), "#TRUE#\r\n");
    shortAlpha.load();
    QCOMPARE(shortAlpha.messages(), QStringList{alphaSettingsFormatMessage()});
    // The value read before the end stays.
    QVERIFY(shortAlpha.state().NameLookupOn);

    // A short users' file and a short Alpha.vlk: two messages, users' first.
    Practice both;
    both.setUp({});
    both.writeUsersBytes("\"Dr Court\"\r\n");
    TestEnv::writeFile(QDir(both.env.programFolder()).filePath(QStringLiteral("Alpha.vlk")), "#FALSE#\r\n");
    both.load();
    QCOMPARE(both.messages(),
             (QStringList{userSettingsFormatMessage(both.env.dataFolder()), alphaSettingsFormatMessage()}));
    QVERIFY(!both.state().NameLookupOn);
}

void TestStartUp::greetingOnSixteenthOfAprilOnly_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("greeting");
    QTest::newRow("15 April") << QDate(2027, 4, 15) << false;
    QTest::newRow("16 April") << QDate(2027, 4, 16) << true;
    QTest::newRow("17 April") << QDate(2027, 4, 17) << false;
}

void TestStartUp::greetingOnSixteenthOfAprilOnly()
{
    QFETCH(QDate, today);
    QFETCH(bool, greeting);
    Practice p(today);
    p.setUp();
    p.load();
    QCOMPARE(p.state().ShownDay, today);
    Form15* shown = p.form->startUp().greeting();
    QCOMPARE(shown != nullptr, greeting);
    if (!greeting) {
        return;
    }
    QVERIFY(shown->isVisible());
    QVERIFY(shown->parentWidget() == nullptr); // no owner: the main window can come in front
    QCOMPARE(shown->windowTitle(), QStringLiteral("Form15"));
    QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("16 Avril"));
    QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Aujourd'hui c'est l'anniversaire du bon "));
    QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label5"))->text(), StartUp::greetingName());
    QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label3"))->text(),
             QStringLiteral("Vous pouvez le lui souhaiter à l'adresse :"));
    QCOMPARE(shown->findChild<QLabel*>(QStringLiteral("Label4"))->text(), StartUp::greetingAddress());
    QCOMPARE(shown->palette().color(QPalette::Window), QColor(224, 224, 224));
    // The load goes on: user 1 on today.
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Dr Martin"));
    QVERIFY(p.state().DatabaseReady);
}

void TestStartUp::greetingOkClosesOnlyTheGreeting()
{
    Practice p(QDate(2027, 4, 16));
    p.setUp();
    std::unique_ptr<Form1> mainWindow = ProgramStart::openMainWindow();
    QPointer<Form15> greeting = mainWindow->startUp().greeting();
    QVERIFY(greeting);
    QVERIFY(mainWindow->isVisible());
    QTest::mouseClick(greeting->okButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(greeting.isNull());
    QVERIFY(mainWindow->isVisible());
    QCOMPARE(mainWindow->windowTitle(), QStringLiteral("Dr Martin"));
}

void TestStartUp::dayWithAndWithoutRecord()
{
    Practice p;
    p.setUp();
    const qint32 today = Dates::daySerial(Today);
    p.storeDay(1, today, QStringLiteral("Mme Dupré"), QStringLiteral("Rappeler le labo"), true);
    p.storeDay(2, today, QStringLiteral("M. Autre"), QString(), false);
    p.load();
    QVERIFY(p.messages().isEmpty());
    QCOMPARE(p.ui().grid->slotBox(5)->text(), QStringLiteral("Mme Dupré"));
    QCOMPARE(p.ui().grid->postitBox()->toPlainText(), QStringLiteral("Rappeler le labo"));
    QVERIFY(!p.ui().grid->banner(0)->isHidden());
    QVERIFY(p.ui().grid->banner(1)->isHidden());
    // Loading set texts, yet the load ends unmodified.
    QVERIFY(!p.state().DayModified);

    Practice empty;
    empty.setUp();
    empty.storeDay(1, today - 1, QStringLiteral("Hier"), QString(), false);
    empty.load();
    QVERIFY(gridEmpty(empty.ui()));
    QVERIFY(empty.ui().TxtEcho1->isHidden());
    QVERIFY(empty.ui().TxtEcho2->isHidden());
    QCOMPARE(empty.ui().TxtEcho1->text(), QStringLiteral("Echo 1"));
    QVERIFY(!empty.state().DayModified);
    QVERIFY(empty.state().DatabaseReady);
}

void TestStartUp::missingDatabaseIsSaidAndNothingIsWritten()
{
    Practice p;
    p.setUp();
    const QString missing = QDir(p.env.dataFolder()).filePath(QStringLiteral("ailleurs/AGENDAS.MDB"));
    p.env.setRegistry(QStringLiteral("CHEMIN"), missing);
    p.load();
    QCOMPARE(p.messages().size(), 1);
    const QString text = p.messages().constFirst();
    QVERIFY2(text.contains(Files::displayPath(missing)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("introuvable")), qPrintable(text));
    QVERIFY(!p.state().DatabaseReady);
    QVERIFY(!p.state().canSave());
    // The window says it, on an empty grid, for user 1.
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Dr Martin (non connecté)"));
    QCOMPARE(p.state().CurrentUser, 1);
    QVERIFY(gridEmpty(p.ui()));
    QVERIFY(p.ui().Timer1->isActive());
    QVERIFY(!p.state().DayModified);
    // No save creates the file.
    QVERIFY(!p.form->shownDay().saveShownDay().ok());
    QVERIFY(!QFile::exists(missing));
}

void TestStartUp::fileThatIsNoDatabaseIsSaid()
{
    Practice p;
    p.setUp();
    QFile::remove(p.db);
    TestEnv::writeFile(p.db, "Ceci n'est pas une base de données, seulement du texte.\n");
    p.load();
    QCOMPARE(p.messages().size(), 1);
    QVERIFY2(p.messages().constFirst().contains(Files::displayPath(p.db)), qPrintable(p.messages().constFirst()));
    QVERIFY(!p.state().DatabaseReady);
    QVERIFY(p.form->windowTitle().endsWith(StartUpRules::notConnectedSuffix()));
    QVERIFY(!p.form->shownDay().saveShownDay().ok());
    QCOMPARE(TestEnv::readFile(p.db), QByteArray("Ceci n'est pas une base de données, seulement du texte.\n"));
}

void TestStartUp::loadRunsOnce()
{
    Practice p;
    p.setUp({QString(), QStringLiteral("Dr Deux")});
    Form1& f = p.load();
    QCOMPARE(p.messages().size(), 1);
    f.setWindowTitle(QStringLiteral("changé"));
    f.startUp().Form_Load();
    QCOMPARE(p.messages().size(), 1);
    QCOMPARE(f.windowTitle(), QStringLiteral("changé"));
    QVERIFY(f.startUp().loaded());
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
