// The backup window as the user drives it from the main window's menu.

#include "mainwindow/MainWindowTestFixture.h"

#include "backup/BackupNames.h"
#include "backup/BackupTexts.h"
#include "backup/ui/Form21.h"
#include "platform/Geometry.h"
#include "platform/Registry.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

using MainWindowTest::Fixture;

namespace
{
const QString NotThere = QStringLiteral("<absent>");

Form21* openBackupWindow(Form1& f)
{
    f.ui().Sauve->trigger();
    Form21* window = Form21::openWindow();
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

void click(Form21* window, const char* name)
{
    QTest::mouseClick(buttonOf(window, name), Qt::LeftButton);
}

bool closed()
{
    flushDeletes();
    return Form21::openWindow() == nullptr;
}

QString storedRow(const QString& database, int user, qint32 serial, int row)
{
    const auto db = DbConnection::open(database);
    const auto found = db ? DayStore::lookup(**db, user, serial) : Result<std::optional<DayRecord>>::failure({});
    return found && found->has_value() ? SlotTextList::decode((*found)->rvous).at(row) : NotThere;
}
} // namespace

class TestForm21 : public QObject
{
    Q_OBJECT

    static QString backupFolder(const Fixture& fx)
    {
        const QString folder = QDir(fx.env.root()).filePath(QStringLiteral("clé & sauvegardes"));
        QDir().mkpath(folder);
        return folder;
    }

private slots:
    void cleanup()
    {
        DbConnection::setBusyTimeout(0);
        delete Form21::openWindow();
    }

    void windowAsDesigned()
    {
        Fixture fx;
        Form1& f = fx.open();
        Form21* window = openBackupWindow(f);
        QCOMPARE(window->windowTitle(), QStringLiteral("Sauvegardes"));
        const QSize size = Geometry::twipRect(0, 0, 7290, 7320).size();
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Centred, within the width of the frame drawn once the window is shown.
        QVERIFY(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 3);
        QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 3);

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
        QCOMPARE(Form21::openWindow(), window);
        QCOMPARE(window->findChildren<QPushButton*>().size(), 5);

        // A folder holding "&" shows it, without an access key.
        Dialogs::Test::setNextAnswer(QVariant(backupFolder(fx)));
        click(window, "Command2");
        QVERIFY(labelOf(window, "Label1").endsWith(QStringLiteral("/clé & sauvegardes")));
        QVERIFY(buttonOf(window, "CmdSauve")->text().endsWith(QStringLiteral("/clé && sauvegardes")));
        QVERIFY(buttonOf(window, "CmdSauve")->shortcut().isEmpty());

        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(closed());
    }

    void folderAndFileChoices()
    {
        Fixture fx;
        Form1& f = fx.open();
        Form21* window = openBackupWindow(f);
        const QString program = fx.env.programFolder();
        const QString before = buttonOf(window, "CmdSauve")->text();

        // Cancelling the folder chooser changes nothing.
        click(window, "Command2");
        QCOMPARE(Dialogs::Test::shown().last().kind, QStringLiteral("folder"));
        QCOMPARE(Dialogs::Test::shown().last().caption, QStringLiteral("Choix du répertoire pour la sauvegarde :"));
        QCOMPARE(labelOf(window, "Label1"), program);
        QCOMPARE(buttonOf(window, "CmdSauve")->text(), before);
        QCOMPARE(Registry::value(QStringLiteral("SAUVE"), NotThere), NotThere);

        // A chosen folder is the backup side's, and SAUVE keeps it.
        const QString folder = backupFolder(fx);
        Dialogs::Test::setNextAnswer(QVariant(folder));
        click(window, "Command2");
        QCOMPARE(labelOf(window, "Label1"), folder);
        QCOMPARE(Registry::value(QStringLiteral("SAUVE"), NotThere), folder);
        QCOMPARE(labelOf(window, "Label3"), program + QStringLiteral("/AGENDAS.MDB"));

        // The file dialog starts in the folder read at load, with its two filters.
        click(window, "Command3");
        const Dialogs::Shown file = Dialogs::Test::shown().last();
        QCOMPARE(file.kind, QStringLiteral("file"));
        QCOMPARE(file.text, program);
        const QStringList filters = file.filter.split(QStringLiteral(";;"));
        QCOMPARE(filters.size(), 2);
        QVERIFY(filters.at(0).startsWith(QStringLiteral("Fichier AGENDAS.MDB) ")));
        QVERIFY(filters.at(1).startsWith(QStringLiteral("Tous Fichiers (*.*) ")));
        QCOMPARE(labelOf(window, "Label3"), program + QStringLiteral("/AGENDAS.MDB"));
        const QString chosen = QDir(folder).filePath(QStringLiteral("copie.sqlite"));
        Dialogs::Test::setNextAnswer(QVariant(chosen));
        click(window, "Command3");
        QCOMPARE(labelOf(window, "Label3"), chosen);
        QCOMPARE(buttonOf(window, "CmdRestaure")->text().section(QLatin1Char('\n'), 1, 1),
                 QString(chosen).replace(QLatin1Char('&'), QStringLiteral("&&")));

        // The next opening reads the new SAUVE.
        click(window, "Command1");
        QVERIFY(closed());
        window = openBackupWindow(f);
        QCOMPARE(labelOf(window, "Label1"), folder);
        QCOMPARE(labelOf(window, "Label3"), folder + QStringLiteral("/AGENDAS.MDB"));
    }

    void backupThenRestoreFromTheWindow()
    {
        Fixture fx;
        const QString folder = backupFolder(fx);
        fx.env.setRegistry(QStringLiteral("SAUVE"), folder);
        TestEnv::writeFile(QDir(fx.env.programFolder()).filePath(QStringLiteral("Alpha.vlk")), "\"0\",\"NOMS\"\r\n");
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();

        // The typing on screen is saved, then backed up.
        fx.type(5, QStringLiteral("Mme Lefèvre"));
        click(openBackupWindow(f), "CmdSauve");
        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Sauvegarde terminée")});
        QVERIFY(closed());
        QVERIFY(!f.state().DayModified);
        QCOMPARE(storedRow(BackupNames::databaseIn(folder), 1, today, 5), QStringLiteral("Mme Lefèvre"));
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{QStringLiteral("AGENDAS.MDB"), QStringLiteral("Utilisat.vlk")}));

        // Days changed after the backup, the last one left unsaved on screen.
        fx.storeDay(2, today, {{0, QStringLiteral("ajouté après")}});
        fx.row(5)->clear();
        fx.type(5, QStringLiteral("changé"));
        Dialogs::Test::clear();

        // Non, the default answer, restores nothing.
        Form21* window = openBackupWindow(f);
        Dialogs::Test::setNextAnswer(Dialogs::Answer::No);
        click(window, "CmdRestaure");
        QCOMPARE(Dialogs::Test::shown().last().kind, QStringLiteral("question"));
        QVERIFY(fx.messages().last().contains(BackupNames::databaseIn(folder)));
        QVERIFY(fx.messages().last().contains(QStringLiteral("copie de sécurité")));
        QVERIFY(f.state().DayModified);
        QVERIFY(!closed());

        Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
        click(window, "CmdRestaure");
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("Restauration effectuée\n")));
        QVERIFY(closed());
        // The main window shows the restored day, unmodified; the typing is in the safety copy.
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Lefèvre"));
        QVERIFY(!f.state().DayModified);
        QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Mme Lefèvre"));
        QCOMPARE(fx.stored(2, today), std::nullopt);
        const QStringList kept =
            QDir(fx.env.dataFolder()).entryList({QStringLiteral("AGENDAS.MDB.avant-restauration-*")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(storedRow(QDir(fx.env.dataFolder()).filePath(kept.at(0)), 1, today, 5), QStringLiteral("changé"));

        // Everything works on afterwards: the reload, the day buttons, the save.
        fx.reloadTick();
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Lefèvre"));
        fx.next();
        fx.previous();
        QCOMPARE(fx.rowText(5), QStringLiteral("Mme Lefèvre"));
        fx.type(6, QStringLiteral("après"));
        fx.save();
        QCOMPARE(fx.storedRows(1, today).at(6), QStringLiteral("après"));
    }

    void refusalsKeepTheWindowOpen_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "missing" << "Fichier AGENDAS.MDB non existant à cet endroit";
        QTest::newRow("the live database") << "live" << "elle-même";
        QTest::newRow("not a database") << "text" << "n'a pas été faite";
        QTest::newRow("no backup folder") << "no folder" << "Aucun répertoire de sauvegarde";
        QTest::newRow("the database's folder") << "database folder" << "celui de la base de données elle-même";
    }

    void refusalsKeepTheWindowOpen()
    {
        QFETCH(QString, choice);
        QFETCH(QString, message);
        Fixture fx;
        Form1& f = fx.open();
        fx.type(1, QStringLiteral("gardé à l'écran"));
        Form21* window = openBackupWindow(f);
        const bool restoring = !choice.contains(QLatin1String("folder"));
        if (restoring && choice != QLatin1String("missing")) {
            QString file = fx.dbPath;
            if (choice == QLatin1String("text")) {
                file = QDir(fx.env.root()).filePath(QStringLiteral("notes.txt"));
                TestEnv::writeFile(file, "AGENDATE;RVOUS\n");
            }
            Dialogs::Test::setNextAnswer(QVariant(file));
            click(window, "Command3");
        } else if (!restoring) {
            Dialogs::Test::setNextAnswer(
                QVariant(choice == QLatin1String("no folder") ? QStringLiteral(" ") : fx.env.dataFolder()));
            click(window, "Command2");
        }
        click(window, restoring ? "CmdRestaure" : "CmdSauve");
        QVERIFY2(fx.messages().last().contains(message), qPrintable(fx.messages().last()));
        QCOMPARE(Dialogs::Test::shown().last().kind, QStringLiteral("message"));
        QVERIFY(!closed());
        // Nothing was saved, copied or restored.
        QVERIFY(f.state().DayModified);
        QCOMPARE(fx.rowText(1), QStringLiteral("gardé à l'écran"));
        QCOMPARE(QDir(fx.env.dataFolder()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("AGENDAS.MDB"), QStringLiteral("Utilisat.vlk")}));
    }

    void lockedDatabaseStopsBackupAndRestore()
    {
        Fixture fx;
        const QString folder = backupFolder(fx);
        fx.env.setRegistry(QStringLiteral("SAUVE"), folder);
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        fx.type(5, QStringLiteral("sauvegardé"));
        click(openBackupWindow(f), "CmdSauve");
        QVERIFY(closed());
        fx.storeDay(1, today, {{5, QStringLiteral("actuel")}});
        fx.reloadTick();
        QCOMPARE(fx.rowText(5), QStringLiteral("actuel"));

        // Another workstation holds the write lock.
        DbConnection::setBusyTimeout(50);
        const auto other = DbConnection::open(fx.dbPath);
        QVERIFY((*other)->beginWrite().ok());
        Dialogs::Test::clear();

        // The restore fails whole and says so; the window stays open.
        Form21* window = openBackupWindow(f);
        Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
        click(window, "CmdRestaure");
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("La restauration n'a pas été faite")));
        QVERIFY(fx.messages().last().contains(QStringLiteral("verrouillée")));
        QVERIFY(!closed());

        // Typing that cannot be saved stops the backup: the previous backup stays.
        const QByteArray previous = TestEnv::readFile(BackupNames::databaseIn(folder));
        fx.type(7, QStringLiteral("en attente"));
        click(window, "CmdSauve");
        QVERIFY(fx.messages().last().startsWith(QStringLiteral("Le jour affiché n'a pas pu être enregistré")));
        QVERIFY(!fx.messages().contains(QStringLiteral("Sauvegarde terminée")));
        QCOMPARE(TestEnv::readFile(BackupNames::databaseIn(folder)), previous);
        QVERIFY(f.state().DayModified);
        (*other)->rollback();
        QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("actuel"));
        QCOMPARE(fx.rowText(7), QStringLiteral("en attente"));
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
        click(window, "CmdSauve");
        QCOMPARE(fx.messages().last(), BackupTexts::backupFailed(BackupTexts::noDatabaseReason()));
        QVERIFY(fx.messages().last().startsWith(
            QStringLiteral("Assurez vous que tous les utilisateurs aient quitté le programme\n")));
        QVERIFY(closed());
        QCOMPARE(QDir(fx.env.programFolder()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestForm21)
#include "tst_form21.moc"
