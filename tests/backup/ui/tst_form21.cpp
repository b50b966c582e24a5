// The backup window as the user drives it from the main window's menu.

#include "mainwindow/MainWindowTestFixture.h"

#include "backup/BackupNames.h"
#include "backup/BackupTexts.h"
#include "backup/ui/BackupCommand.h"
#include "backup/ui/Form21.h"
#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/MenuCommands.h"
#include "platform/Geometry.h"
#include "platform/Registry.h"
#include "search/ui/FrmRech.h"
#include "search/ui/SearchCommand.h"
#include "week/ui/WeekOpening.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

using MainWindowTest::Fixture;

namespace
{
const QString NotThere = QStringLiteral("<absent>");
const QStringList DataFiles = {QStringLiteral("AGENDAS.MDB"), QStringLiteral("Utilisat.vlk")};

Form21* backupWindow(Form1& f)
{
    return f.findChild<BackupCommand*>()->window();
}

Form21* openBackupWindow(Form1& f)
{
    f.ui().Sauve->trigger();
    Form21* window = backupWindow(f);
    if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
        qFatal("the backup window did not open");
    }
    return window;
}

QPushButton* buttonOf(Form21* window, const char* name)
{
    return window->findChild<QPushButton*>(QLatin1String(name));
}

QString labelOf(Form21* window, const char* name)
{
    return window->findChild<QLabel*>(QLatin1String(name))->text();
}

void click(Form21* window, const char* name, const QVariant& answer = QVariant())
{
    if (answer.isValid()) {
        Dialogs::Test::setNextAnswer(answer);
    }
    QTest::mouseClick(buttonOf(window, name), Qt::LeftButton);
}

bool closed(Form1& f)
{
    flushDeletes();
    return backupWindow(f) == nullptr;
}

QString storedRow(const QString& database, qint32 serial, int row)
{
    const auto db = DbConnection::open(database);
    const auto found = db ? DayStore::lookup(**db, 1, serial) : Result<std::optional<DayRecord>>::failure({});
    return found && found->has_value() ? SlotTextList::decode((*found)->rvous).at(row) : NotThere;
}

// A backup folder whose path holds "&".
QString backupFolder(const Fixture& fx)
{
    const QString folder = QDir(fx.env.root()).filePath(QStringLiteral("clé & sauvegardes"));
    QDir().mkpath(folder);
    return folder;
}
} // namespace

class TestForm21 : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        DbConnection::setBusyTimeout(0);
    }

    void windowAndItsChoices()
    {
        Fixture fx;
        Form1& f = fx.open();
        fx.type(1, QStringLiteral("gardé à l'écran"));
        Form21* window = openBackupWindow(f);
        QCOMPARE(window->windowTitle(), QStringLiteral("Sauvegardes"));
        const QSize size = Geometry::twipRect(0, 0, 7290, 7320).size();
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Centred, within the width of the frame drawn once the window is shown.
        const QPoint offCentre =
            window->frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2(qAbs(offCentre.x()) <= 3 && qAbs(offCentre.y()) <= 3, qPrintable(QString::number(offCentre.x())));

        // No SAUVE: the program's folder is the backup folder.
        const QString program = fx.env.programFolder();
        QCOMPARE(labelOf(window, "Label1"), program);
        QCOMPARE(labelOf(window, "Label3"), program + QStringLiteral("/AGENDAS.MDB"));
        QCOMPARE(buttonOf(window, "CmdSauve")->text(),
                 QStringLiteral("Lancer la Sauvegarde de \n%1\nvers\n%2").arg(fx.dbPath, program));
        QCOMPARE(buttonOf(window, "CmdRestaure")->text(),
                 QStringLiteral("Restaurer\n%1/AGENDAS.MDB\nvers\n%2").arg(program, fx.dbPath));
        QCOMPARE(window->focusWidget(), buttonOf(window, "CmdRestaure"));

        // "Sau&vegarder" while it is open brings the same window forward.
        f.ui().Sauve->trigger();
        QCOMPARE(backupWindow(f), window);

        // Cancelling the folder chooser changes nothing.
        click(window, "Command2");
        QCOMPARE(Dialogs::Test::shown().last().caption, QStringLiteral("Choix du répertoire pour la sauvegarde :"));
        QCOMPARE(labelOf(window, "Label1"), program);
        QCOMPARE(Registry::value(QStringLiteral("SAUVE"), NotThere), NotThere);

        // Refusals, each with its message: no backup in the folder, no folder, the database's own
        // folder. The window stays open, the typing stays on screen, nothing is copied.
        click(window, "CmdRestaure");
        QCOMPARE(fx.messages().last(), QStringLiteral("Fichier AGENDAS.MDB non existant à cet endroit"));
        click(window, "Command2", QStringLiteral(" "));
        click(window, "CmdSauve");
        QVERIFY(fx.messages().last().contains(QStringLiteral("Aucun répertoire de sauvegarde")));
        click(window, "Command2", QDir(fx.env.root()).filePath(QStringLiteral("absent")));
        click(window, "CmdSauve");
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("Le répertoire de sauvegarde")));
        QVERIFY(fx.messages().last().endsWith(QStringLiteral("/absent » n'existe pas.")));
        click(window, "Command2", fx.env.dataFolder());
        click(window, "CmdSauve");
        QVERIFY(fx.messages().last().contains(QStringLiteral("celui de la base de données elle-même")));
        QVERIFY(!closed(f));
        QVERIFY(f.state().DayModified);
        QCOMPARE(fx.rowText(1), QStringLiteral("gardé à l'écran"));
        QCOMPARE(QDir(fx.env.dataFolder()).entryList(QDir::Files), DataFiles);

        // A chosen folder is the backup side's and SAUVE keeps it; its "&" is shown, no access key.
        const QString folder = backupFolder(fx);
        click(window, "Command2", folder);
        QCOMPARE(labelOf(window, "Label1"), folder);
        QCOMPARE(Registry::value(QStringLiteral("SAUVE"), NotThere), folder);
        QVERIFY(buttonOf(window, "CmdSauve")->text().endsWith(QStringLiteral("/clé && sauvegardes")));
        QVERIFY(buttonOf(window, "CmdSauve")->shortcut().isEmpty());

        // The file dialog starts in the folder read at load, with its two filters.
        const QString chosen = QDir(folder).filePath(QStringLiteral("copie.sqlite"));
        click(window, "Command3", chosen);
        const Dialogs::Shown file = Dialogs::Test::shown().last();
        QCOMPARE(file.text, program);
        const QStringList filters = file.filter.split(QStringLiteral(";;"));
        QCOMPARE(filters.size(), 2);
        QVERIFY(filters.at(0).startsWith(QStringLiteral("Fichier AGENDAS.MDB) ")));
        QVERIFY(filters.at(1).startsWith(QStringLiteral("Tous Fichiers (*.*) ")));
        QCOMPARE(labelOf(window, "Label3"), chosen);
        QVERIFY(buttonOf(window, "CmdRestaure")->text().contains(QStringLiteral("/clé && sauvegardes/copie.sqlite\n")));

        // Escape closes; the next opening reads the new SAUVE.
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(closed(f));
        window = openBackupWindow(f);
        QCOMPARE(labelOf(window, "Label1"), folder);
        QCOMPARE(labelOf(window, "Label3"), folder + QStringLiteral("/AGENDAS.MDB"));
    }

    void backupThenRestoreFromTheWindow()
    {
        Fixture fx;
        const QString folder = backupFolder(fx);
        const QString backup = BackupNames::databaseIn(folder);
        fx.env.setRegistry(QStringLiteral("SAUVE"), folder);
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        // CHEMIN changed since the start names another database: the one the agenda works on is
        // backed up and restored all the same.
        const QString elsewhere = QDir(fx.env.root()).filePath(QStringLiteral("AGENDAS.MDB"));
        QVERIFY(AppointmentDatabase::create(elsewhere).ok());
        fx.env.setRegistry(QStringLiteral("CHEMIN"), elsewhere);
        // The settings backed up name a fourth user.
        fx.writeUsers(MainWindowTest::namedUsers(
            {QStringLiteral("Dr Martin"), QStringLiteral("Dr Lefèvre"), QStringLiteral("Échographie"), QStringLiteral("Dr Quatre")}));

        // The typing on screen is saved, then backed up.
        fx.type(5, QStringLiteral("Mme Lefèvre"));
        click(openBackupWindow(f), "CmdSauve");
        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Sauvegarde terminée")});
        QVERIFY(closed(f));
        QVERIFY(!f.state().DayModified);
        QCOMPARE(storedRow(backup, today, 5), QStringLiteral("Mme Lefèvre"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), DataFiles);

        // Days changed by another workstation after the backup.
        fx.storeDay(2, today, {{0, QStringLiteral("ajouté après")}});
        fx.storeDay(1, today, {{5, QStringLiteral("changé")}});
        fx.reloadTick();
        QCOMPARE(fx.rowText(5), QStringLiteral("changé"));

        // That workstation holds the write lock: the restore fails whole and says so, the window stays.
        DbConnection::setBusyTimeout(50);
        const auto other = DbConnection::open(fx.dbPath);
        QVERIFY((*other)->beginWrite().ok());
        Dialogs::Test::clear();
        Form21* window = openBackupWindow(f);
        click(window, "CmdRestaure", QVariant::fromValue(Dialogs::Answer::Yes));
        const QString failed = fx.messages().last();
        QVERIFY2(failed.startsWith(QStringLiteral("La restauration n'a pas été faite")) &&
                     failed.contains(QStringLiteral("verrouillée")) && failed.contains(QStringLiteral("n'ont pas été changés")),
                 qPrintable(failed));
        // The engine's own words are in the details only.
        QVERIFY(Dialogs::Test::shown().last().details.contains(QStringLiteral("database is locked")));
        QVERIFY(!failed.contains(QStringLiteral("database is locked")));
        QVERIFY(!closed(f));

        // Typing that cannot be saved stops the backup: the previous backup stays.
        const QByteArray previous = TestEnv::readFile(backup);
        fx.type(7, QStringLiteral("en attente"));
        click(window, "CmdSauve");
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("Le jour affiché n'a pas pu être enregistré")));
        QCOMPARE(TestEnv::readFile(backup), previous);
        QVERIFY(f.state().DayModified);
        (*other)->rollback();

        // The week, the search and the settings are open on the data about to be replaced; the settings
        // lost user 4.
        fx.writeUsers(MainWindowTest::threeUsers());
        QTest::mouseClick(f.ui().Semaine, Qt::LeftButton);
        f.ui().Rechercher->trigger();
        f.ui().Utilisat->trigger();
        QVERIFY(f.findChild<WeekOpening*>()->window() != nullptr && f.findChild<SearchCommand*>()->window() != nullptr);
        QVERIFY(f.menuCommands().settingsWindow() != nullptr);
        QVERIFY(f.ui().CmdUtilisat[3]->isHidden());

        // The confirmation names the file and the safety copy; Non, its default, restores nothing.
        click(window, "CmdRestaure");
        QVERIFY(fx.messages().last().contains(backup));
        QVERIFY(fx.messages().last().contains(QStringLiteral("copie de sécurité")));
        QVERIFY(!closed(f));

        // The main window, minimised meanwhile, comes back with the restored day.
        f.showMinimized();
        click(window, "CmdRestaure", QVariant::fromValue(Dialogs::Answer::Yes));
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("Restauration effectuée\n")));
        QVERIFY(closed(f));
        QVERIFY(!f.isMinimized());
        // The main window shows the restored day, unmodified; the typing is in the safety copy.
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Lefèvre"));
        QCOMPARE(storedRow(elsewhere, today, 5), NotThere);
        // The user buttons read the restored settings; the week and the search windows closed.
        flushDeletes();
        QVERIFY(!f.ui().CmdUtilisat[3]->isHidden());
        QCOMPARE(f.ui().CmdUtilisat[3]->text(), QStringLiteral("Dr Quatre"));
        QVERIFY(f.findChild<WeekOpening*>()->window() == nullptr && f.findChild<SearchCommand*>()->window() == nullptr);
        // The settings window closed without writing the old names back.
        QVERIFY(f.menuCommands().settingsWindow() == nullptr);
        QVERIFY(TestEnv::readFile(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk"))).contains("Dr Quatre"));
        QVERIFY(!f.state().DayModified);
        QCOMPARE(fx.stored(2, today), std::nullopt);
        const QStringList kept =
            QDir(fx.env.dataFolder()).entryList({QStringLiteral("AGENDAS.MDB.avant-restauration-*")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(storedRow(QDir(fx.env.dataFolder()).filePath(kept.at(0)), today, 7), QStringLiteral("en attente"));

        // Everything works on afterwards: the reload, the day buttons, the week, the search, printing, the save.
        Dialogs::Test::clear();
        fx.reloadTick();
        fx.next();
        fx.previous();
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Lefèvre"));
        QTest::mouseClick(f.ui().Semaine, Qt::LeftButton);
        QVERIFY(f.findChild<WeekOpening*>()->window() != nullptr);
        f.ui().Rechercher->trigger();
        FrmRech* search = f.findChild<SearchCommand*>()->window();
        search->findChild<QLineEdit*>(QStringLiteral("TxtNom"))->setText(QStringLiteral("Lefèvre"));
        search->findChild<QToolButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(search->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 1);
        const QString pdf = QDir(fx.env.root()).filePath(QStringLiteral("matin.pdf"));
        Dialogs::Test::setNextAnswer(QVariant(pdf));
        f.ui().Matin->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);
        QStringList shown; // no message on the way, only the printer dialog
        for (const Dialogs::Shown& each : Dialogs::Test::shown()) {
            shown << each.kind;
        }
        QCOMPARE(shown, QStringList{QStringLiteral("printer")});
        fx.type(6, QStringLiteral("après"));
        fx.save();
        QCOMPARE(fx.storedRows(1, today).at(6), QStringLiteral("après"));
    }

    void withoutDatabaseNothingIsCopied()
    {
        Fixture fx;
        fx.configure();
        fx.env.setRegistry(QStringLiteral("CHEMIN"), QDir(fx.env.dataFolder()).filePath(QStringLiteral("agenda.db")));
        Form1& f = fx.load();
        QVERIFY(!f.state().hasUser());
        Dialogs::Test::clear();
        Form21* window = openBackupWindow(f);
        click(window, "CmdRestaure");
        QVERIFY(fx.messages().last().contains(QStringLiteral("Aucune base de données n'est ouverte")));
        // A refusal before anything is copied: its own message, and the window stays.
        click(window, "CmdSauve");
        QCOMPARE(fx.messages().last(), SharedTexts::noDatabaseOpen());
        QVERIFY(!closed(f));
        QCOMPARE(QDir(fx.env.programFolder()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestForm21)
#include "tst_form21.moc"
