#include "backup/Backup.h"
#include "backup/BackupNames.h"
#include "backup/BackupTexts.h"
#include "backup/Restore.h"
#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <thread>

namespace
{
constexpr qint32 Day = 46365; // 9 December 2026

std::shared_ptr<DbConnection> openOrFail(const QString& path)
{
    auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        qFatal("cannot open %s: %s", qPrintable(path), qPrintable(opened.error()));
    }
    return *opened;
}

void storeDay(const QString& path, int user, qint32 serial, const QString& text)
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(serial));
    screen.setSlotText(3, text);
    screen.setPostit(text + QStringLiteral(" (post-it)"));
    screen.setTickValue(3, 1);
    if (!DayStore::save(*openOrFail(path), user, DayLoader::FillDayRecord(screen))) {
        qFatal("cannot store a day");
    }
}

// Every row of the six tables, every field, in a fixed order.
QStringList dump(const QString& path)
{
    const auto db = openOrFail(path);
    QStringList rows;
    for (const QString& table : AppointmentDatabase::tableNames()) {
        QSqlQuery query(db->database());
        query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY AGENDATE").arg(table));
        while (query.next()) {
            QStringList fields = {table};
            for (int i = 0; i < 13; ++i) {
                fields << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
            }
            rows << fields.join(QLatin1Char('|'));
        }
    }
    return rows;
}

const char* const WorkstationFlag = "--workstation";

// Another workstation: opens the database, prints user 3's row 3 of Day, waits
// for a line on its input (the restore is made meanwhile), prints the row
// again and saves a day on the connection it opened first.
int runWorkstation(const QString& path)
{
    const auto db = DbConnection::open(path);
    if (!db) {
        return 2;
    }
    const auto row = [&db] {
        const auto found = DayStore::lookup(**db, 3, Day);
        return found && found->has_value() ? SlotTextList::decode((*found)->rvous).at(3) : QStringLiteral("?");
    };
    std::printf("%s\n", qPrintable(row()));
    std::fflush(stdout);
    char line[8];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        return 3;
    }
    std::printf("%s\n", qPrintable(row()));
    DayScreen screen;
    screen.setShownDayCaption(QString::number(Day + 2));
    screen.setSlotText(0, QStringLiteral("après la restauration"));
    const auto saved = DayStore::save(**db, 3, DayLoader::FillDayRecord(screen));
    std::printf("%s\n", saved ? "enregistré" : qPrintable(saved.error()));
    return 0;
}

QString pragma(const QString& path, const QString& statement)
{
    const auto db = openOrFail(path);
    QSqlQuery query(db->database());
    return query.exec(statement) && query.next() ? query.value(0).toString() : QString();
}
} // namespace

class TestBackupRestore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    QString m_live;     // the working AGENDAS.MDB, in the data folder
    QString m_users;    // the folder of the working Utilisat.vlk
    QString m_backups;  // the backup folder

    QString liveSettings() const { return BackupNames::userSettingsIn(m_users); }

    Backup::Request backupRequest() const { return {m_live, m_users, m_backups}; }

    Restore::Request restoreRequest(const QString& source) const
    {
        Restore::Request request;
        request.source = source;
        request.databasePath = m_live;
        request.usersFolder = m_users;
        request.when = QDateTime(QDate(2026, 12, 9), QTime(10, 30, 5));
        return request;
    }

    void backUp() const
    {
        const Status done = Backup::run(backupRequest());
        QVERIFY2(done.ok(), qPrintable(done.error()));
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_live = m_env->createAppointmentDatabase();
        m_users = m_env->dataFolder();
        m_backups = QDir(m_env->root()).filePath(QStringLiteral("sauvegardes"));
        QDir().mkpath(m_backups);
        TestEnv::writeFile(liveSettings(), SampleUsersLine);
        for (int user = 1; user <= 6; ++user) {
            storeDay(m_live, user, Day, QStringLiteral("Mme Lefèvre %1").arg(user));
            storeDay(m_live, user, Day + 1, QStringLiteral("M. Dupont %1").arg(user));
        }
    }

    void cleanup()
    {
        DbConnection::setBusyTimeout(0);
        m_env.reset();
    }

    void roundTripBringsEveryRowBack()
    {
        const QString alpha = QDir(m_env->programFolder()).filePath(QStringLiteral("Alpha.vlk"));
        const QString names = QDir(m_users).filePath(QStringLiteral("NOMS.MDB"));
        TestEnv::writeFile(alpha, "\"1\",\"NOMS\"\r\n");
        TestEnv::writeFile(names, "names");
        const QStringList before = dump(m_live);
        backUp();

        // A backup is an ordinary appointment database with the rollback journal.
        const QString copy = BackupNames::databaseIn(m_backups);
        QCOMPARE(dump(copy), before);
        QCOMPARE(pragma(copy, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        QCOMPARE(QDir(m_backups).entryList(QDir::Files), (QStringList{QStringLiteral("AGENDAS.MDB"),
                                                                      QStringLiteral("Utilisat.vlk")}));

        storeDay(m_live, 2, Day, QStringLiteral("changé"));
        storeDay(m_live, 5, Day + 30, QStringLiteral("nouveau"));
        TestEnv::writeFile(liveSettings(), "autre");
        TestEnv::writeFile(alpha, "\"0\",\"AUTRE\"\r\n");
        const QStringList changed = dump(m_live);

        const Result<Restore::Outcome> restored = Restore::run(restoreRequest(copy));
        QVERIFY2(restored.ok(), qPrintable(restored.error()));
        QCOMPARE(dump(m_live), before);
        QCOMPARE(TestEnv::readFile(liveSettings()), SampleUsersLine);
        QCOMPARE(TestEnv::readFile(alpha), QByteArray("\"0\",\"AUTRE\"\r\n"));
        QCOMPARE(TestEnv::readFile(names), QByteArray("names"));
        QVERIFY(restored->settingsRestored);
        QVERIFY(!restored->replacedWhole);

        // What was there before the restore is kept beside the database.
        QCOMPARE(restored->databaseKept, m_live + QStringLiteral(".avant-restauration-20261209-103005"));
        QCOMPARE(dump(restored->databaseKept), changed);
        QCOMPARE(TestEnv::readFile(restored->settingsKept), QByteArray("autre"));
        QVERIFY(BackupTexts::restoreDone(*restored, copy).startsWith(QStringLiteral("Restauration effectuée\n")));

        // A second restore in the same second keeps its own safety copy.
        const Result<Restore::Outcome> again = Restore::run(restoreRequest(copy));
        QVERIFY(again.ok());
        QCOMPARE(again->databaseKept, restored->databaseKept + QStringLiteral("-2"));
    }

    void backupRefusals_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no folder") << "folder" << "Aucun répertoire de sauvegarde n'est défini";
        QTest::newRow("no database") << "database" << "La base de données à sauvegarder est introuvable";
        QTest::newRow("database folder") << "same" << "est celui de la base de données elle-même";
    }

    void backupRefusals()
    {
        QFETCH(QString, which);
        QFETCH(QString, reason);
        Backup::Request request = backupRequest();
        if (which == QLatin1String("folder")) {
            request.backupFolder = QString();
        } else if (which == QLatin1String("database")) {
            request.databasePath = m_env->programFolder(); // CHEMIN absent: the program's folder
        } else {
            request.backupFolder = m_env->dataFolder() + QStringLiteral("/.");
        }
        QVERIFY(Backup::refusal(request).error().contains(reason));
        const Status run = Backup::run(request);
        QVERIFY(!run.ok());
        QVERIFY(QDir(m_backups).isEmpty());
        QCOMPARE(QDir(m_env->dataFolder()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("AGENDAS.MDB"), QStringLiteral("Utilisat.vlk")}));
    }

    void failedBackupKeepsThePreviousOne_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("no settings file") << "settings";
        QTest::newRow("database no longer one") << "database";
    }

    void failedBackupKeepsThePreviousOne()
    {
        QFETCH(QString, fault);
        backUp();
        const QByteArray database = TestEnv::readFile(BackupNames::databaseIn(m_backups));
        const QByteArray settings = TestEnv::readFile(BackupNames::userSettingsIn(m_backups));
        storeDay(m_live, 1, Day, QStringLiteral("après"));
        if (fault == QLatin1String("settings")) {
            QFile::remove(liveSettings());
        } else {
            TestEnv::writeFile(m_live, "pas une base");
        }
        const Status failed = Backup::run(backupRequest());
        QVERIFY(!failed.ok());
        QVERIFY(!failed.error().isEmpty());
        QCOMPARE(TestEnv::readFile(BackupNames::databaseIn(m_backups)), database);
        QCOMPARE(TestEnv::readFile(BackupNames::userSettingsIn(m_backups)), settings);
        QCOMPARE(QDir(m_backups).entryList(QDir::Files).size(), 2);
    }

    void backupWhileAnotherWorkstationWrites()
    {
        // A write transaction left open: the backup holds what is committed.
        const auto writer = openOrFail(m_live);
        QVERIFY(writer->beginWrite().ok());
        QSqlQuery update(writer->database());
        QVERIFY(update.exec(QStringLiteral("UPDATE RVOUS1 SET Postit = 'pas encore' WHERE AGENDATE = %1").arg(Day)));
        backUp();
        writer->rollback();
        const QString copy = BackupNames::databaseIn(m_backups);
        QCOMPARE(pragma(copy, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(dump(copy), dump(m_live));

        // Another workstation writing day after day while the backup runs.
        std::atomic<bool> stop = false;
        std::atomic<int> written = 0;
        const QString live = m_live;
        std::thread workstation([&] {
            const auto db = DbConnection::open(live);
            if (!db) {
                return;
            }
            for (int k = 0; !stop && k < 300; ++k) {
                QSqlQuery insert((*db)->database());
                insert.prepare(QStringLiteral("INSERT INTO RVOUS4 (AGENDATE, RVOUS, COCHE) VALUES (?, 'x', '0')"));
                insert.addBindValue(Day + 100 + k);
                if (insert.exec()) {
                    ++written;
                }
            }
        });
        while (written < 5) {
            std::this_thread::yield();
        }
        const Status done = Backup::run(backupRequest());
        stop = true;
        workstation.join();
        QVERIFY2(done.ok(), qPrintable(done.error()));
        QCOMPARE(pragma(copy, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        const auto backup = DbConnection::open(copy, AppointmentDatabase::tableNames());
        QVERIFY(backup.ok());
        const int copied = pragma(copy, QStringLiteral("SELECT COUNT(*) FROM RVOUS4")).toInt();
        QVERIFY(copied >= 2 + 5 && copied <= 2 + written);
    }

    void anotherWorkstationReadsTheRestoredDaysAndSaves()
    {
        backUp();
        storeDay(m_live, 3, Day, QStringLiteral("changé"));
        // A workstation that opened the database before the restore.
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(WorkstationFlag), m_live});
        QVERIFY(other.waitForStarted());
        QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(QString::fromUtf8(other.readLine()).trimmed(), QStringLiteral("changé"));
        QVERIFY(Restore::run(restoreRequest(BackupNames::databaseIn(m_backups))).ok());
        other.write("\n");
        QVERIFY(other.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(other.readAllStandardOutput()).split(QLatin1Char('\n'),
                                                                                         Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{QStringLiteral("Mme Lefèvre 3"), QStringLiteral("enregistré")}));
        QCOMPARE(SlotTextList::decode((**DayStore::lookup(*openOrFail(m_live), 3, Day + 2)).rvous).at(0),
                 QStringLiteral("après la restauration"));
    }

    void failedRestoreLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("fault between two tables") << "midway";
        QTest::newRow("locked by another workstation") << "locked";
    }

    void failedRestoreLeavesEverythingAsItWas()
    {
        QFETCH(QString, fault);
        backUp();
        for (int user = 1; user <= 6; ++user) {
            storeDay(m_live, user, Day, QStringLiteral("à garder"));
        }
        TestEnv::writeFile(liveSettings(), "réglages à garder");
        const QStringList before = dump(m_live);
        const QStringList files = QDir(m_env->dataFolder()).entryList(QDir::Files);

        Restore::Request request = restoreRequest(BackupNames::databaseIn(m_backups));
        std::shared_ptr<DbConnection> locker;
        int calls = 0;
        if (fault == QLatin1String("midway")) {
            request.betweenTables = [&calls](int copied) {
                ++calls;
                return copied == 3 ? Status::failure(QStringLiteral("panne simulée")) : Status::success();
            };
        } else {
            DbConnection::setBusyTimeout(50);
            locker = openOrFail(m_live);
            QVERIFY(locker->beginWrite().ok());
        }
        const Result<Restore::Outcome> restored = Restore::run(request);
        QVERIFY(!restored.ok());
        if (locker) {
            locker->rollback();
            QVERIFY(restored.error().contains(QStringLiteral("verrouillée")));
        } else {
            QCOMPARE(calls, 3);
            QVERIFY(restored.error().contains(QStringLiteral("panne simulée")));
        }
        QCOMPARE(dump(m_live), before);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("réglages à garder"));
        QCOMPARE(QDir(m_env->dataFolder()).entryList(QDir::Files), files);
        QVERIFY(BackupTexts::restoreFailed(restored.error()).contains(QStringLiteral("n'ont pas été changés")));
    }

    void sourceChecks_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no path") << "" << int(Restore::Verdict::NoFile) << "n'est choisie";
        QTest::newRow("missing") << "absent/AGENDAS.MDB" << int(Restore::Verdict::Missing)
                                 << "Fichier AGENDAS.MDB non existant à cet endroit";
        QTest::newRow("the live database") << "live" << int(Restore::Verdict::LiveDatabase) << "elle-même";
        QTest::newRow("a text file") << "texte.txt" << int(Restore::Verdict::Unusable) << "texte.txt";
        QTest::newRow("a field missing") << "sans-coche.MDB" << int(Restore::Verdict::Unusable)
                                         << "le champ COCHE est absent de la table RVOUS3";
        QTest::newRow("a table missing") << "sans-table.MDB" << int(Restore::Verdict::Unusable)
                                         << "la table RVOUS6 est absente";
    }

    void sourceChecks()
    {
        QFETCH(QString, source);
        QFETCH(int, verdict);
        QFETCH(QString, reason);
        const QString path = source.isEmpty()        ? QString()
                             : source == QLatin1String("live") ? m_live
                                                               : QDir(m_backups).filePath(source);
        if (source == QLatin1String("texte.txt")) {
            TestEnv::writeFile(path, "AGENDATE;RVOUS\n");
        } else if (source.startsWith(QLatin1String("sans-"))) {
            QVERIFY(AppointmentDatabase::create(path).ok());
            const auto db = openOrFail(path);
            QSqlQuery alter(db->database());
            QVERIFY(alter.exec(source.contains(QLatin1String("coche")) ? QStringLiteral("ALTER TABLE RVOUS3 DROP COLUMN COCHE")
                                                                        : QStringLiteral("DROP TABLE RVOUS6")));
        }
        const auto bytesOf = [](const QString& file) { return file.isEmpty() ? QByteArray() : TestEnv::readFile(file); };
        const QByteArray bytes = bytesOf(path);
        const Restore::SourceCheck checked = Restore::checkSource(path, m_live);
        QCOMPARE(int(checked.verdict), verdict);
        QVERIFY2(checked.reason.contains(reason), qPrintable(checked.reason));
        // Checking writes nothing, and a refused file is never restored.
        QCOMPARE(bytesOf(path), bytes);
        const QStringList before = dump(m_live);
        QVERIFY(!Restore::run(restoreRequest(path)).ok());
        QCOMPARE(dump(m_live), before);
    }

    void settingsComeFromTheChosenFilesFolder()
    {
        backUp();
        // A backup under another name, in a folder of its own, with its settings file.
        const QString other = QDir(m_env->root()).filePath(QStringLiteral("lundi"));
        QDir().mkpath(other);
        const QString source = QDir(other).filePath(QStringLiteral("copie-du-lundi.sqlite"));
        QVERIFY(QFile::copy(BackupNames::databaseIn(m_backups), source));
        TestEnv::writeFile(QDir(other).filePath(QStringLiteral("utilisat.vlk")), "du lundi");
        TestEnv::writeFile(liveSettings(), "actuels");
        auto restored = Restore::run(restoreRequest(source));
        QVERIFY(restored.ok());
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("du lundi"));

        const QStringList afterFirst = dump(m_live);

        // Without a settings file beside it, the database alone is restored, and the message says so.
        QFile::remove(QDir(other).filePath(QStringLiteral("utilisat.vlk")));
        restored = Restore::run(restoreRequest(source));
        QVERIFY(restored.ok());
        QVERIFY(!restored->settingsRestored);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("du lundi"));
        const QString message = BackupTexts::restoreDone(*restored, source);
        QVERIFY(message.contains(QStringLiteral("Utilisat.vlk) n'ont pas été changés")));
        QVERIFY(message.contains(QDir(other).filePath(QStringLiteral("Utilisat.vlk"))));

        // Going back to a safety copy, which lies beside the working settings file: the days come back,
        // the settings stay, and the message says why.
        storeDay(m_live, 1, Day, QStringLiteral("avant le retour"));
        restored = Restore::run(restoreRequest(restored->databaseKept));
        QVERIFY(restored.ok());
        QVERIFY(!restored->settingsRestored);
        QVERIFY(restored->settingsAreLive);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("du lundi"));
        QCOMPARE(dump(m_live), afterFirst);
        QVERIFY(BackupTexts::restoreDone(*restored, source).contains(QStringLiteral("est celui de l'agenda")));
    }

    void unusableLiveFileIsReplacedAndKeptAside_data()
    {
        QTest::addColumn<QString>("live");
        QTest::newRow("missing") << "missing";
        QTest::newRow("damaged") << "damaged";
    }

    void unusableLiveFileIsReplacedAndKeptAside()
    {
        QFETCH(QString, live);
        backUp();
        const QStringList backedUp = dump(BackupNames::databaseIn(m_backups));
        const QString journal = m_live + QStringLiteral("-journal");
        if (live == QLatin1String("missing")) {
            QVERIFY(QFile::remove(m_live));
        } else {
            TestEnv::writeFile(m_live, "endommagé");
        }
        const Result<Restore::Outcome> restored = Restore::run(restoreRequest(BackupNames::databaseIn(m_backups)));
        QVERIFY2(restored.ok(), qPrintable(restored.error()));
        QVERIFY(restored->replacedWhole);
        QCOMPARE(dump(m_live), backedUp);
        QVERIFY(!QFile::exists(journal));
        if (live == QLatin1String("missing")) {
            QVERIFY(restored->databaseKept.isEmpty());
        } else {
            QCOMPARE(TestEnv::readFile(restored->databaseKept), QByteArray("endommagé"));
        }
    }

    void buttonCaptions()
    {
        QCOMPARE(BackupTexts::backupCaption(QStringLiteral("/cabinet/AGENDAS.MDB"), QStringLiteral("/clé")),
                 (QStringList{QStringLiteral("Lancer la Sauvegarde de "), QStringLiteral("/cabinet/AGENDAS.MDB"),
                              QStringLiteral("vers"), QStringLiteral("/clé")}));
        QCOMPARE(BackupTexts::buttonText(BackupTexts::restoreCaption(QStringLiteral("/Dupont & fils/AGENDAS.MDB"),
                                                                     QStringLiteral("/cabinet/AGENDAS.MDB"))),
                 QStringLiteral("Restaurer\n/Dupont && fils/AGENDAS.MDB\nvers\n/cabinet/AGENDAS.MDB"));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String(WorkstationFlag)) {
        return runWorkstation(args.at(2));
    }
    TestBackupRestore test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_backuprestore.moc"
