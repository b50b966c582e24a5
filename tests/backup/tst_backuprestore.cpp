#include "backup/AppointmentFile.h"
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
const char* const WorkstationFlag = "--workstation";

std::shared_ptr<DbConnection> openOrFail(const QString& path)
{
    auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        qFatal("cannot open %s: %s", qPrintable(path), qPrintable(opened.error()));
    }
    return *opened;
}

QString storeDay(DbConnection& db, int user, qint32 serial, const QString& text)
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(serial));
    screen.setSlotText(3, text);
    screen.setPostit(text + QStringLiteral(" (post-it)"));
    screen.setTickValue(3, 1);
    const auto saved = DayStore::save(db, user, DayLoader::FillDayRecord(screen));
    return saved ? QString() : saved.error();
}

void storeDay(const QString& path, int user, qint32 serial, const QString& text)
{
    if (!storeDay(*openOrFail(path), user, serial, text).isEmpty()) {
        qFatal("cannot store a day");
    }
}

QString rowThree(DbConnection& db, int user, qint32 serial)
{
    const auto found = DayStore::lookup(db, user, serial);
    return found && found->has_value() ? SlotTextList::decode((*found)->rvous).at(3) : QStringLiteral("?");
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

QString pragma(const QString& path, const QString& statement)
{
    const auto db = openOrFail(path);
    QSqlQuery query(db->database());
    return query.exec(statement) && query.next() ? query.value(0).toString() : QString();
}

// Another workstation: opens the database, prints user 3's row 3 of Day, waits for a line on its
// input (the restore is made meanwhile), prints it again and saves a day on the same connection.
int runWorkstation(const QString& path)
{
    const auto db = DbConnection::open(path);
    if (!db) {
        return 2;
    }
    std::printf("%s\n", qPrintable(rowThree(**db, 3, Day)));
    std::fflush(stdout);
    char line[8];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        return 3;
    }
    std::printf("%s\n", qPrintable(rowThree(**db, 3, Day)));
    const QString failed = storeDay(**db, 3, Day + 2, QStringLiteral("après la restauration"));
    std::printf("%s\n", failed.isEmpty() ? "enregistré" : qPrintable(failed));
    return 0;
}
} // namespace

class TestBackupRestore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    QString m_live;    // the working AGENDAS.MDB, in the data folder
    QString m_backups; // the backup folder

    QString liveSettings() const { return BackupNames::userSettingsIn(m_env->dataFolder()); }
    QString backedUp() const { return BackupNames::databaseIn(m_backups); }
    Backup::Request backupRequest() const { return {m_live, m_env->dataFolder(), m_backups}; }

    Result<Restore::Outcome> restore(const QString& source, std::function<Status(int)> betweenTables = {}) const
    {
        return Restore::run({source, m_live, m_env->dataFolder(), QDateTime(QDate(2026, 12, 9), QTime(10, 30, 5)),
                             std::move(betweenTables)});
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
        const QString names = QDir(m_env->dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
        TestEnv::writeFile(alpha, "\"1\",\"NOMS\"\r\n");
        TestEnv::writeFile(names, "names");
        const QStringList before = dump(m_live);
        backUp();
        // An ordinary appointment database with the rollback journal, and the settings: nothing else.
        QCOMPARE(dump(backedUp()), before);
        QCOMPARE(pragma(backedUp(), QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        QCOMPARE(QDir(m_backups).entryList(QDir::Files),
                 (QStringList{QStringLiteral("AGENDAS.MDB"), QStringLiteral("Utilisat.vlk")}));

        storeDay(m_live, 2, Day, QStringLiteral("changé"));
        storeDay(m_live, 5, Day + 30, QStringLiteral("nouveau"));
        TestEnv::writeFile(liveSettings(), "autre");
        TestEnv::writeFile(alpha, "\"0\",\"AUTRE\"\r\n");
        const QStringList changed = dump(m_live);

        const Result<Restore::Outcome> restored = restore(backedUp());
        QVERIFY2(restored.ok(), qPrintable(restored.error()));
        QCOMPARE(dump(m_live), before);
        QCOMPARE(TestEnv::readFile(liveSettings()), SampleUsersLine);
        QCOMPARE(TestEnv::readFile(alpha), QByteArray("\"0\",\"AUTRE\"\r\n"));
        QCOMPARE(TestEnv::readFile(names), QByteArray("names"));
        QVERIFY(!restored->replacedWhole);
        // What was there before is kept beside the database, a second restore in the same second apart.
        QCOMPARE(restored->databaseKept, m_live + QStringLiteral(".avant-restauration-20261209-103005"));
        QCOMPARE(dump(restored->databaseKept), changed);
        QCOMPARE(TestEnv::readFile(restored->settingsKept), QByteArray("autre"));
        QCOMPARE(restore(backedUp())->databaseKept, restored->databaseKept + QStringLiteral("-2"));

        // A working file that is damaged, then missing, is replaced whole, the damaged one kept aside.
        TestEnv::writeFile(m_live, "endommagé");
        for (const QByteArray& kept : {QByteArray("endommagé"), QByteArray()}) {
            const Result<Restore::Outcome> replaced = restore(backedUp());
            QVERIFY2(replaced.ok() && replaced->replacedWhole, qPrintable(replaced.error()));
            QCOMPARE(dump(m_live), before);
            QVERIFY(!QFile::exists(m_live + QStringLiteral("-journal")));
            QCOMPARE(TestEnv::readFile(replaced->databaseKept), kept);
            QVERIFY(QFile::remove(m_live));
        }
    }

    void failedBackupKeepsThePreviousOne_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no settings file") << "settings" << "Utilisat.vlk";
        QTest::newRow("database gone") << "gone" << "La base de données à sauvegarder est introuvable";
        QTest::newRow("database no longer one") << "damaged" << "AGENDAS.MDB";
        // The new settings copy is written, then the database copy cannot take its place.
        QTest::newRow("database copy refused") << "journal" << "journal";
    }

    void failedBackupKeepsThePreviousOne()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        backUp();
        const QByteArray database = TestEnv::readFile(backedUp());
        const QByteArray settings = TestEnv::readFile(BackupNames::userSettingsIn(m_backups));
        storeDay(m_live, 1, Day, QStringLiteral("après"));
        if (fault == QLatin1String("journal")) {
            TestEnv::writeFile(liveSettings(), "nouveaux réglages");
            QVERIFY(QDir().mkpath(AppointmentFile::journalPath(backedUp()) + QStringLiteral("/x")));
        } else if (fault != QLatin1String("damaged")) {
            QVERIFY(QFile::remove(fault == QLatin1String("gone") ? m_live : liveSettings()));
        } else {
            TestEnv::writeFile(m_live, "pas une base");
        }
        const Status failed = Backup::run(backupRequest());
        QVERIFY2(!failed.ok() && failed.error().contains(reason), qPrintable(failed.error()));
        QCOMPARE(TestEnv::readFile(backedUp()), database);
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
        QCOMPARE(pragma(backedUp(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(dump(backedUp()), dump(m_live));

        // Another workstation writing day after day while the backup runs.
        std::atomic<bool> stop = false;
        std::atomic<int> written = 0;
        std::thread workstation([&, live = m_live] {
            const auto db = DbConnection::open(live);
            for (int k = 0; db && !stop && k < 300; ++k) {
                QSqlQuery insert((*db)->database());
                insert.prepare(QStringLiteral("INSERT INTO RVOUS4 (AGENDATE, RVOUS, COCHE) VALUES (?, 'x', '0')"));
                insert.addBindValue(Day + 100 + k);
                written += insert.exec() ? 1 : 0;
            }
            stop = true;
        });
        while (written < 5 && !stop) {
            std::this_thread::yield();
        }
        const Status done = Backup::run(backupRequest());
        stop = true;
        workstation.join();
        QVERIFY2(done.ok(), qPrintable(done.error()));
        QCOMPARE(pragma(backedUp(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        const int copied = pragma(backedUp(), QStringLiteral("SELECT COUNT(*) FROM RVOUS4")).toInt();
        QVERIFY2(copied >= 2 + 5 && copied <= 2 + written, qPrintable(QString::number(copied)));
    }

    void anotherWorkstationReadsTheRestoredDaysAndSaves()
    {
        backUp();
        storeDay(m_live, 3, Day, QStringLiteral("changé"));
        // A workstation that opened the database before the restore.
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(WorkstationFlag), m_live});
        QVERIFY(other.waitForStarted() && other.waitForReadyRead(60000));
        QCOMPARE(QString::fromUtf8(other.readLine()).trimmed(), QStringLiteral("changé"));
        QVERIFY(restore(backedUp()).ok());
        other.write("\n");
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(other.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("Mme Lefèvre 3"), QStringLiteral("enregistré")}));
        QCOMPARE(rowThree(*openOrFail(m_live), 3, Day + 2), QStringLiteral("après la restauration"));
    }

    // A refused or failed restore leaves the working database, its settings and folder as they were.
    void failedRestoreLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no path") << "" << "n'est choisie";
        QTest::newRow("missing") << "absent/AGENDAS.MDB" << "Fichier AGENDAS.MDB non existant à cet endroit";
        QTest::newRow("the live database") << "live" << "elle-même";
        QTest::newRow("a text file") << "texte.txt" << "texte.txt";
        QTest::newRow("a field missing") << "ALTER TABLE RVOUS3 DROP COLUMN COCHE"
                                         << "le champ COCHE est absent de la table RVOUS3";
        QTest::newRow("a table missing") << "DROP TABLE RVOUS6" << "la table RVOUS6 est absente";
        QTest::newRow("fault between two tables") << "midway" << "panne simulée";
        QTest::newRow("locked by another workstation") << "locked" << "verrouillée";
    }

    void failedRestoreLeavesEverythingAsItWas()
    {
        QFETCH(QString, source);
        QFETCH(QString, reason);
        backUp();
        storeDay(m_live, 4, Day, QStringLiteral("à garder"));
        TestEnv::writeFile(liveSettings(), "réglages à garder");
        QString path = source == QLatin1String("live") ? m_live : QDir(m_env->root()).filePath(source);
        if (source.isEmpty()) {
            path.clear();
        } else if (source == QLatin1String("texte.txt")) {
            TestEnv::writeFile(path, "AGENDATE;RVOUS\n");
        } else if (source.contains(QLatin1Char(' '))) {
            path = QDir(m_env->root()).filePath(QStringLiteral("AGENDAS.MDB"));
            QVERIFY(AppointmentDatabase::create(path).ok());
            QVERIFY(QSqlQuery(openOrFail(path)->database()).exec(source));
        } else if (source == QLatin1String("midway") || source == QLatin1String("locked")) {
            path = backedUp();
        }
        std::shared_ptr<DbConnection> locker;
        if (source == QLatin1String("locked")) {
            DbConnection::setBusyTimeout(50);
            locker = openOrFail(m_live);
            QVERIFY(locker->beginWrite().ok());
        }
        const QStringList before = dump(m_live);
        const QStringList files = QDir(m_env->dataFolder()).entryList(QDir::Files);
        const QByteArray bytes = TestEnv::readFile(path);
        const Result<Restore::Outcome> restored = restore(path, [&source](int copied) {
            return source == QLatin1String("midway") && copied == 3 ? Status::failure(QStringLiteral("panne simulée"))
                                                                   : Status::success();
        });
        if (locker) {
            locker->rollback();
        }
        QVERIFY(!restored.ok());
        QVERIFY2(restored.error().contains(reason), qPrintable(restored.error()));
        QCOMPARE(dump(m_live), before);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("réglages à garder"));
        QCOMPARE(QDir(m_env->dataFolder()).entryList(QDir::Files), files);
        QCOMPARE(TestEnv::readFile(path), bytes); // the chosen file untouched
    }

    void settingsComeFromTheChosenFilesFolder()
    {
        backUp();
        // A backup under another name, in a folder of its own, with its settings file.
        const QString other = QDir(m_env->root()).filePath(QStringLiteral("lundi"));
        QDir().mkpath(other);
        const QString source = QDir(other).filePath(QStringLiteral("copie-du-lundi.sqlite"));
        QVERIFY(QFile::copy(backedUp(), source));
        TestEnv::writeFile(QDir(other).filePath(QStringLiteral("utilisat.vlk")), "du lundi");
        TestEnv::writeFile(liveSettings(), "actuels");
        QVERIFY(restore(source).ok());
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("du lundi"));

        // Without a settings file beside it, the database alone is restored, and the message says so.
        QFile::remove(QDir(other).filePath(QStringLiteral("utilisat.vlk")));
        TestEnv::writeFile(liveSettings(), "actuels");
        Result<Restore::Outcome> restored = restore(source);
        QVERIFY(restored.ok() && !restored->settingsRestored);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("actuels"));
        const QString message = BackupTexts::restoreDone(*restored, source);
        QVERIFY(message.contains(QStringLiteral("« %1 » n'existe pas : les réglages des utilisateurs (Utilisat.vlk) "
                                                "n'ont pas été changés")
                                     .arg(QDir(other).filePath(QStringLiteral("Utilisat.vlk")))));
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
