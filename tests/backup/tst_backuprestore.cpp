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
#include "platform/Files.h"
#include "settings/UserSettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

#include <cstdio>

#include <unistd.h>

namespace
{
constexpr qint32 Day = 46365; // 9 December 2026
const char* const WorkstationFlag = "--workstation";
const char* const WriterFlag = "--writer";
const char* const ReaderFlag = "--reader";
const char* const RestorerFlag = "--restorer";

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

// Fills the database with enough days that its middle holds their pages, then overwrites 8 KB there.
void damagePages(const QString& path)
{
    const auto db = openOrFail(path);
    QSqlQuery fill(db->database());
    if (!fill.exec(QStringLiteral("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 2000) "
                                  "INSERT INTO RVOUS5 (AGENDATE, RVOUS, COCHE) "
                                  "SELECT 40000 + k, printf('%.*c', 300, 'x'), '0' FROM n"))) {
        qFatal("cannot fill the database");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(file.size() / 2 / 4096 * 4096)
        || file.write(QByteArray(8192, '\xA5')) != 8192) {
        qFatal("cannot damage the database");
    }
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

// Another workstation writing day after day: says "5" after five days, goes on until the file
// `stop` exists (or 300 days), then says how many days it wrote.
int runWriter(const QString& path, const QString& stop)
{
    const auto db = DbConnection::open(path);
    int written = 0;
    for (int k = 0; db && k < 300 && !QFile::exists(stop); ++k) {
        QSqlQuery insert((*db)->database());
        insert.prepare(QStringLiteral("INSERT INTO RVOUS4 (AGENDATE, RVOUS, COCHE) VALUES (?, 'x', '0')"));
        insert.addBindValue(Day + 100 + k);
        written += insert.exec() ? 1 : 0;
        if (written == 5) {
            std::printf("5\n");
            std::fflush(stdout);
        }
    }
    std::printf("%d\n", written);
    return 0;
}

// Another workstation reading: holds a read transaction open until its input closes.
int runReader(const QString& path)
{
    const auto db = DbConnection::open(path);
    QSqlQuery read(db ? (*db)->database() : QSqlDatabase());
    if (!db || !read.exec(QStringLiteral("BEGIN")) || !read.exec(QStringLiteral("SELECT COUNT(*) FROM RVOUS1"))
        || !read.next()) {
        return 2;
    }
    std::printf("lu\n");
    std::fflush(stdout);
    char line[8];
    std::fgets(line, sizeof line, stdin);
    return 0;
}

// A restore that says "commit" just before its commit, which waits for the reader's lock.
int runRestorer(const QString& source, const QString& live, const QString& usersFolder)
{
    DbConnection::setBusyTimeout(120000);
    Restore::Request request;
    request.source = source;
    request.databasePath = live;
    request.usersFolder = usersFolder;
    request.when = QDateTime::currentDateTime();
    request.beforeCommit = [] {
        std::printf("commit\n");
        std::fflush(stdout);
    };
    return Restore::run(request).ok() ? 0 : 1;
}

// Waits for a child's next line, a bounded time.
QString lineOf(QProcess& child)
{
    for (int i = 0; i < 600 && !child.canReadLine(); ++i) {
        child.waitForReadyRead(100);
    }
    return QString::fromUtf8(child.readLine()).trimmed();
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
                             std::move(betweenTables), {}});
    }

    void backUp() const
    {
        const Result<Backup::Outcome> done = Backup::run(backupRequest());
        QVERIFY2(done.ok() && done->settingsCopied, qPrintable(done.error()));
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
        // A live file in another journal mode still gives an ordinary one.
        QCOMPARE(pragma(m_live, QStringLiteral("PRAGMA journal_mode = WAL")), QStringLiteral("wal"));
        backUp();
        QCOMPARE(pragma(m_live, QStringLiteral("PRAGMA journal_mode = DELETE")), QStringLiteral("delete"));
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
        QTest::newRow("database gone") << "gone" << "La base de données à sauvegarder est introuvable";
        QTest::newRow("database no longer one") << "not a database" << "AGENDAS.MDB";
        // Damage is told as damage ("database disk image is malformed" goes to the details).
        QTest::newRow("database damaged") << "damaged"
                                          << "la base de données est endommagée ; restaurez une sauvegarde intacte.";
        // The new settings copy is written, then the database copy cannot take its place.
        QTest::newRow("database copy refused") << "journal" << "journal";
        // The engine's own words ("database or disk is full") go to the details.
        QTest::newRow("backup disk full") << "full" << "a échoué : le disque est plein.";
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
        } else if (fault == QLatin1String("gone")) {
            QVERIFY(QFile::remove(m_live));
        } else if (fault == QLatin1String("not a database")) {
            TestEnv::writeFile(m_live, "pas une base");
        } else if (fault == QLatin1String("damaged")) {
            damagePages(m_live);
        }
        Backup::Request request = backupRequest();
        std::unique_ptr<TestMount> disk;
        if (fault == QLatin1String("full")) {
            request.backupFolder = QDir(m_env->root()).filePath(QStringLiteral("petit disque"));
            disk = TestMount::smallDisk(request.backupFolder, 16);
            if (!disk) {
                QSKIP("a small file system cannot be mounted here");
            }
        }
        const Result<Backup::Outcome> failed = Backup::run(request);
        QVERIFY2(!failed.ok() && failed.error().contains(reason), qPrintable(failed.error()));
        QVERIFY2(!failed.error().contains(QLatin1String("disk is full")), qPrintable(failed.error()));
        QVERIFY(fault != QLatin1String("full") || failed.details().contains(QLatin1String("full")));
        QVERIFY(fault != QLatin1String("damaged") || failed.details().contains(QLatin1String("malformed")));
        QCOMPARE(TestEnv::readFile(backedUp()), database);
        QCOMPARE(TestEnv::readFile(BackupNames::userSettingsIn(m_backups)), settings);
        QCOMPARE(QDir(m_backups).entryList(QDir::Files).size(), 2);
    }

    // The backup's and the restore's words for the engine's failures on real files, by the engine's
    // code (an extended code by its low byte), and by its text alone where no code comes with it.
    void engineFailuresAreToldByKind_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("words");
        const QString damaged =
            QStringLiteral("la base de données est endommagée ; restaurez une sauvegarde intacte.");
        const QString outOfReach = QStringLiteral("le fichier ou son dossier est inaccessible (dossier absent, disque "
                                                  "ou partage réseau déconnecté).");
        QTest::newRow("damaged pages") << "damaged" << damaged;
        QTest::newRow("not a database") << "text file" << damaged;
        QTest::newRow("small disk") << "full" << "le disque est plein.";
        QTest::newRow("missing folder") << "missing folder" << outOfReach;
        QTest::newRow("a folder where the journal goes (an extended code)") << "journal folder" << outOfReach;
        QTest::newRow("a day twice (an extended code)")
            << "day twice" << "la base de données refuse ces données (un même jour en double, par exemple).";
    }

    void engineFailuresAreToldByKind()
    {
        QFETCH(QString, condition);
        QFETCH(QString, words);
        const QString copy = QDir(m_backups).filePath(QStringLiteral("copie.MDB"));
        QString statement = QStringLiteral("VACUUM INTO '%1'").arg(copy);
        std::unique_ptr<TestMount> disk;
        if (condition == QLatin1String("damaged")) {
            damagePages(m_live);
        } else if (condition == QLatin1String("text file")) {
            TestEnv::writeFile(copy, "AGENDATE;RVOUS\n");
            statement = QStringLiteral("ATTACH DATABASE '%1' AS texte").arg(copy);
        } else if (condition == QLatin1String("full")) {
            disk = TestMount::smallDisk(m_backups, 16);
            if (!disk) {
                QSKIP("a small file system cannot be mounted here");
            }
        } else if (condition == QLatin1String("missing folder")) {
            statement = QStringLiteral("VACUUM INTO '%1/absent/AGENDAS.MDB'").arg(m_backups);
        } else if (condition == QLatin1String("day twice")) {
            statement = QStringLiteral("INSERT INTO RVOUS1 SELECT * FROM RVOUS1");
        }
        const auto db = openOrFail(m_live);
        if (condition == QLatin1String("journal folder")) {
            QVERIFY(QDir().mkpath(AppointmentFile::journalPath(m_live)));
        }
        QSqlQuery query(db->database());
        QVERIFY(!query.exec(statement));
        const QSqlError error = query.lastError();
        QVERIFY2(!error.nativeErrorCode().isEmpty(), qPrintable(error.text()));
        QCOMPARE(BackupTexts::engineFailure(error), words);
        const QSqlError withoutCode(error.driverText(), error.databaseText(), error.type());
        QCOMPARE(BackupTexts::engineFailure(withoutCode), words);
    }

    void backupWhileAnotherWorkstationWrites()
    {
        // A write transaction left open: the backup holds what is committed.
        const auto open = openOrFail(m_live);
        QVERIFY(open->beginWrite().ok());
        QSqlQuery update(open->database());
        QVERIFY(update.exec(QStringLiteral("UPDATE RVOUS1 SET Postit = 'pas encore' WHERE AGENDATE = %1").arg(Day)));
        backUp();
        open->rollback();
        QCOMPARE(pragma(backedUp(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(dump(backedUp()), dump(m_live));

        // Another workstation, another process, writing day after day while the backup runs.
        const QString stop = QDir(m_env->root()).filePath(QStringLiteral("stop"));
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(WriterFlag), m_live, stop});
        QVERIFY(writer.waitForStarted());
        QCOMPARE(lineOf(writer), QStringLiteral("5"));
        const Result<Backup::Outcome> done = Backup::run(backupRequest());
        TestEnv::writeFile(stop, "");
        QVERIFY(writer.waitForFinished(60000));
        const int written = lineOf(writer).toInt();
        QVERIFY2(done.ok(), qPrintable(done.error()));
        QCOMPARE(pragma(backedUp(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        const int copied = pragma(backedUp(), QStringLiteral("SELECT COUNT(*) FROM RVOUS4")).toInt();
        QVERIFY2(copied >= 2 + 5 && copied <= 2 + written, qPrintable(QString::number(copied)));
    }

    // Without a working Utilisat.vlk the database is backed up all the same; the earlier backup's
    // settings file is set aside, not left beside the new database as if it belonged to it. Staged
    // copies left by a backup that was killed are removed, one still being written is not.
    void backupWithoutSettingsFile()
    {
        backUp();
        const QByteArray earlierSettings = TestEnv::readFile(BackupNames::userSettingsIn(m_backups));
        const QString killed = BackupNames::databaseIn(m_backups) + QStringLiteral(".a1b2c3.en-cours");
        const QString writing = BackupNames::userSettingsIn(m_backups) + QStringLiteral(".d4e5f6.en-cours");
        TestEnv::writeFile(killed, "à moitié");
        TestEnv::writeFile(writing, "en train");
        QFile old(killed);
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        old.close();
        storeDay(m_live, 1, Day, QStringLiteral("après"));
        QVERIFY(QFile::remove(liveSettings()));

        Backup::Request request = backupRequest();
        request.when = QDateTime(QDate(2026, 12, 9), QTime(11, 0));
        const Result<Backup::Outcome> done = Backup::run(request);
        QVERIFY2(done.ok() && !done->settingsCopied, qPrintable(done.error()));
        QCOMPARE(rowThree(*openOrFail(backedUp()), 1, Day), QStringLiteral("après"));
        const QString aside = BackupNames::userSettingsIn(m_backups) + QStringLiteral(".avant-sauvegarde-20261209-110000");
        QCOMPARE(done->settingsSetAside, aside);
        QCOMPARE(TestEnv::readFile(aside), earlierSettings);
        QCOMPARE(QDir(m_backups).entryList(QDir::Files),
                 (QStringList{QStringLiteral("AGENDAS.MDB"), QFileInfo(aside).fileName(), QFileInfo(writing).fileName()}));
        const QString said = BackupTexts::backupDone(*done);
        QVERIFY(said.startsWith(QStringLiteral("Sauvegarde terminée\nLa base de données a été sauvegardée ; il n'y "
                                               "avait pas de fichier Utilisat.vlk")));
        QVERIFY(said.contains(aside));
        // A restore from it leaves the settings as they are.
        TestEnv::writeFile(liveSettings(), "actuels");
        QVERIFY(restore(backedUp()).ok());
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("actuels"));
    }

    // The backup folder is compared with the database's folder, and with the settings' folder when it is
    // another, by the files themselves.
    void backupIntoTheAgendasOwnFoldersIsRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("refusal");
        const QString database = QStringLiteral("celui de la base de données elle-même");
        const QString settings = QStringLiteral("celui des réglages des utilisateurs (Utilisat.vlk) de l'agenda");
        QTest::newRow("the same folder") << "same" << database;
        QTest::newRow("its folder through a link") << "folder link" << database;
        QTest::newRow("CHEMIN a link, the link's folder chosen") << "database link" << database;
        QTest::newRow("its folder mounted elsewhere") << "bind" << database;
        QTest::newRow("the settings' folder") << "settings" << settings;
        QTest::newRow("Utilisat.vlk a link into the chosen folder") << "settings link" << settings;
    }

    void backupIntoTheAgendasOwnFoldersIsRefused()
    {
        QFETCH(QString, how);
        QFETCH(QString, refusal);
        Backup::Request request = backupRequest();
        request.backupFolder = m_env->dataFolder();
        std::unique_ptr<TestMount> mount;
        if (how == QLatin1String("folder link")) {
            request.backupFolder = QDir(m_env->root()).filePath(QStringLiteral("lien"));
            QVERIFY(QFile::link(m_env->dataFolder(), request.backupFolder));
        } else if (how == QLatin1String("database link")) {
            request.databasePath = QDir(m_backups).filePath(QStringLiteral("AGENDAS.MDB"));
            QVERIFY(QFile::link(m_live, request.databasePath));
            request.backupFolder = m_backups;
        } else if (how == QLatin1String("bind")) {
            request.backupFolder = QDir(m_env->root()).filePath(QStringLiteral("monté"));
            mount = TestMount::bind(m_env->dataFolder(), request.backupFolder);
            if (!mount) {
                QSKIP("bind mounts are refused here");
            }
        } else if (how.startsWith(QLatin1String("settings"))) {
            // CheminUt apart from the database's folder.
            request.usersFolder = QDir(m_env->root()).filePath(QStringLiteral("réglages"));
            QVERIFY(QDir().mkpath(request.usersFolder));
            QVERIFY(QFile::rename(liveSettings(), BackupNames::userSettingsIn(request.usersFolder)));
            request.backupFolder = request.usersFolder;
            if (how == QLatin1String("settings link")) {
                QVERIFY(QFile::rename(BackupNames::userSettingsIn(request.usersFolder),
                                      BackupNames::userSettingsIn(m_backups)));
                QVERIFY(QFile::link(BackupNames::userSettingsIn(m_backups),
                                    BackupNames::userSettingsIn(request.usersFolder)));
                request.backupFolder = m_backups;
            }
        }
        const QStringList before = dump(m_live);
        const QStringList backupFiles = QDir(request.backupFolder).entryList(QDir::Files);
        const auto settings = Files::identity(BackupNames::userSettingsIn(request.usersFolder));
        const Result<Backup::Outcome> refused = Backup::run(request);
        QVERIFY2(!refused.ok() && refused.error().contains(refusal), qPrintable(refused.error()));
        QCOMPARE(dump(request.databasePath), before);
        QCOMPARE(QFileInfo(request.databasePath).isSymLink(), how == QLatin1String("database link"));
        // Nothing copied, the working Utilisat.vlk not written anew.
        QCOMPARE(QDir(request.backupFolder).entryList(QDir::Files), backupFiles);
        QCOMPARE(Files::identity(BackupNames::userSettingsIn(request.usersFolder)), settings);
    }

    // The restoring process is killed while its commit waits for another process's read lock: the
    // database and Utilisat.vlk are both the old ones, and the next start reads the old settings.
    void restoreKilledBeforeItsCommit()
    {
        backUp();
        storeDay(m_live, 2, Day, QStringLiteral("à garder"));
        TestEnv::writeFile(liveSettings(), QByteArray(SampleUsersLine).replace("Salle A", "Salle Z"));
        const QByteArray settings = TestEnv::readFile(liveSettings());
        const QStringList before = dump(m_live);
        QProcess reader;
        reader.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ReaderFlag), m_live});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(lineOf(reader), QStringLiteral("lu"));
        QProcess restorer;
        restorer.start(QCoreApplication::applicationFilePath(),
                       {QString::fromLatin1(RestorerFlag), backedUp(), m_live, m_env->dataFolder()});
        QVERIFY(restorer.waitForStarted());
        QCOMPARE(lineOf(restorer), QStringLiteral("commit"));
        restorer.kill();
        QVERIFY(restorer.waitForFinished(60000));
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(60000));

        QCOMPARE(dump(m_live), before);
        QCOMPARE(pragma(m_live, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(TestEnv::readFile(liveSettings()), settings);
        QCOMPARE(Files::findFileNoCase(m_env->dataFolder(), QStringLiteral("utilisat.vlk")), liveSettings());
        const UserSettingsRead read = ReadUserSettingsFile(m_env->dataFolder());
        QCOMPARE(read.passes.size(), 1);
        QCOMPARE(read.passes.first().names[0].toText(), QStringLiteral("Salle Z"));
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
        QTest::addColumn<QString>("details");
        QTest::newRow("no path") << "" << "n'est choisie" << "";
        QTest::newRow("missing") << "absent/AGENDAS.MDB" << "Fichier AGENDAS.MDB non existant à cet endroit" << "";
        QTest::newRow("the live database") << "live" << "elle-même" << "";
        // At once, though another workstation holds the write lock.
        QTest::newRow("a hard link to the live database") << "hard link" << "elle-même" << "";
        QTest::newRow("a text file") << "texte.txt" << "texte.txt" << "";
        QTest::newRow("a field missing") << "ALTER TABLE RVOUS3 DROP COLUMN COCHE"
                                         << "le champ COCHE est absent de la table RVOUS3" << "";
        QTest::newRow("a table missing") << "DROP TABLE RVOUS6" << "la table RVOUS6 est absente" << "";
        QTest::newRow("days stored as text")
            << "INSERT INTO RVOUS2 (AGENDATE, RVOUS, COCHE) VALUES ('2026-12-09', 'x', '0')"
            << "les jours de la table RVOUS2 ne sont pas des numéros de jour (« 2026-12-09 »)" << "";
        QTest::newRow("a day twice") << "DROP INDEX RVOUS1_AGENDATE"
                                     << "La table RVOUS1 n'a pas pu être restaurée : la base de données refuse ces "
                                        "données" << "UNIQUE constraint failed";
        QTest::newRow("a backup cut short, its journal beside it")
            << "journal" << "était en cours d'écriture ou a été interrompue" << "";
        QTest::newRow("fault between two tables") << "midway" << "panne simulée" << "";
        QTest::newRow("locked by another workstation") << "locked" << "verrouillée" << "locked";
    }

    void failedRestoreLeavesEverythingAsItWas()
    {
        QFETCH(QString, source);
        QFETCH(QString, reason);
        QFETCH(QString, details);
        backUp();
        storeDay(m_live, 4, Day, QStringLiteral("à garder"));
        TestEnv::writeFile(liveSettings(), "réglages à garder");
        QString path = source == QLatin1String("live") ? m_live : QDir(m_env->root()).filePath(source);
        if (source.isEmpty()) {
            path.clear();
        } else if (source == QLatin1String("texte.txt")) {
            TestEnv::writeFile(path, "AGENDATE;RVOUS\n");
        } else if (source == QLatin1String("hard link")) {
            path = QDir(m_env->root()).filePath(QStringLiteral("AGENDAS.MDB"));
            QVERIFY(::link(QFile::encodeName(m_live).constData(), QFile::encodeName(path).constData()) == 0);
        } else if (source.contains(QLatin1Char(' '))) {
            path = QDir(m_env->root()).filePath(QStringLiteral("AGENDAS.MDB"));
            QVERIFY(QFile::copy(backedUp(), path));
            QVERIFY(QSqlQuery(openOrFail(path)->database()).exec(source));
            if (source.startsWith(QLatin1String("DROP INDEX"))) {
                storeDay(path, 1, Day, QStringLiteral("en double"));
                const auto db = openOrFail(path);
                QSqlQuery twice(db->database());
                QVERIFY(twice.exec(QStringLiteral("INSERT INTO RVOUS1 SELECT * FROM RVOUS1")));
            }
        } else if (source == QLatin1String("journal")) {
            path = backedUp();
            TestEnv::writeFile(AppointmentFile::journalPath(path), QByteArray(512, '\x5'));
        } else if (source == QLatin1String("midway") || source == QLatin1String("locked")) {
            path = backedUp();
        }
        std::shared_ptr<DbConnection> locker;
        if (source == QLatin1String("locked") || source == QLatin1String("hard link")) {
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
        // The engine's own words go to the details, never into the sentence.
        QVERIFY2(details.isEmpty() ? restored.details().isEmpty() : restored.details().contains(details),
                 qPrintable(restored.details()));
        QVERIFY(!restored.error().contains(QLatin1String("constraint")));
        QCOMPARE(dump(m_live), before);
        QCOMPARE(TestEnv::readFile(liveSettings()), QByteArray("réglages à garder"));
        QCOMPARE(QDir(m_env->dataFolder()).entryList(QDir::Files), files);
        QCOMPARE(TestEnv::readFile(path), bytes); // the chosen file untouched
    }

    // The restored Utilisat.vlk cannot take its place once the days are committed: the days are
    // restored, and neither a safety copy of the settings nor their staged file is left or announced.
    void settingsThatCannotTakeTheirPlace()
    {
        backUp();
        const QStringList backedUpDays = dump(backedUp());
        storeDay(m_live, 4, Day, QStringLiteral("remplacé"));
        Restore::Request request{backedUp(), m_live, m_env->dataFolder(), QDateTime::currentDateTime(), {}, {}};
        // A folder in the file's place, which no rename replaces.
        request.beforeCommit = [this] {
            QFile::remove(liveSettings());
            QDir().mkpath(liveSettings() + QStringLiteral("/x"));
        };
        const Result<Restore::Outcome> restored = Restore::run(request);
        QVERIFY2(restored.ok(), qPrintable(restored.error()));
        QCOMPARE(dump(m_live), backedUpDays);
        QVERIFY(!restored->settingsRestored && !restored->settingsProblem.isEmpty());
        QCOMPARE(restored->settingsKept, QString());
        const QString said = BackupTexts::restoreDone(*restored, backedUp());
        QVERIFY2(said.contains(QStringLiteral("(Utilisat.vlk) n'ont pas pu être restaurés : ")), qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("Les réglages d'avant")), qPrintable(said));
        QCOMPARE(QDir(m_env->dataFolder()).entryList({QStringLiteral("Utilisat.vlk*")}, QDir::Files), QStringList());
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
        // Settings that were not changed get no safety copy, and none is announced.
        QCOMPARE(restored->settingsKept, QString());
        QVERIFY(!BackupTexts::restoreDone(*restored, source).contains(QStringLiteral("Les réglages d'avant")));
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
    if (args.size() == 4 && args.at(1) == QLatin1String(WriterFlag)) {
        return runWriter(args.at(2), args.at(3));
    }
    if (args.size() == 3 && args.at(1) == QLatin1String(ReaderFlag)) {
        return runReader(args.at(2));
    }
    if (args.size() == 5 && args.at(1) == QLatin1String(RestorerFlag)) {
        return runRestorer(args.at(2), args.at(3), args.at(4));
    }
    TestBackupRestore test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_backuprestore.moc"
