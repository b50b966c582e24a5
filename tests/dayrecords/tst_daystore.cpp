#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "dayrecords/Module1.h"
#include "platform/Database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace
{
const QString CrLf = QStringLiteral("\r\n");
constexpr qint32 Day = 39148; // 7 March 2007

std::shared_ptr<DbConnection> openOrFail(const QString& path)
{
    auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        qFatal("cannot open %s: %s", qPrintable(path), qPrintable(opened.error()));
    }
    return *opened;
}

QVariant scalar(DbConnection& db, const QString& statement)
{
    QSqlQuery query(db.database());
    if (!query.exec(statement) || !query.next()) {
        qFatal("query failed: %s", qPrintable(statement));
    }
    return query.value(0);
}

void exec(DbConnection& db, const QString& statement)
{
    QSqlQuery query(db.database());
    if (!query.exec(statement)) {
        qFatal("statement failed: %s", qPrintable(statement));
    }
}

DayScreen shownDay(qint32 serial)
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(serial));
    return screen;
}

Result<DayRecord> saveScreen(DbConnection& db, int user, const DayScreen& screen)
{
    return DayStore::save(db, user, DayLoader::FillDayRecord(screen));
}
} // namespace

class TestDayStore : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Module1::closeDatabase();
        DbConnection::setBusyTimeout(0);
    }

    void emptyDayIsStoredExactly()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        DayScreen screen = shownDay(Day);
        screen.setBoxVisible(SideBox::Echo1, true); // shown, empty
        QVERIFY(saveScreen(*db, 2, screen).ok());
        QCOMPARE(scalar(*db, QStringLiteral("SELECT AGENDATE || '/' || length(RVOUS) || '/' || length(COCHE) || '/'"
                                            " || ABSENT1 || ABSENT2 || ECHO1 || ECHO2 FROM RVOUS2"))
                     .toString(),
                 QStringLiteral("39148/104/157/0010"));
        // Empty boxes are empty texts, never NULL; never-set flag texts stay without value.
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS2 WHERE Postit = '' AND Bloc = ''"
                                            " AND ECHO1_TXT = '' AND ABSENT1_TXT IS NULL AND ECHO2_TXT IS NULL"))
                     .toInt(),
                 1);
        // The rollback journal: the .MDB file alone is the whole database.
        QCOMPARE(scalar(*db, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    }

    void savingTwiceOrFromTwoConnectionsKeepsOneRow()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        auto db = openOrFail(path);
        auto other = openOrFail(path);
        // Logs every write that sets AGENDATE, changed or not.
        exec(*db, QStringLiteral("CREATE TABLE written (day INTEGER)"));
        exec(*db, QStringLiteral("CREATE TRIGGER agendate_set AFTER UPDATE OF AGENDATE ON RVOUS3"
                                 " BEGIN INSERT INTO written VALUES (NEW.AGENDATE); END"));
        // Both connections saw no row for the day; both save, one twice.
        QVERIFY(!DayStore::lookup(*db, 3, Day)->has_value());
        QVERIFY(!DayStore::lookup(*other, 3, Day)->has_value());
        DayScreen screen = shownDay(Day);
        screen.setSlotText(5, QStringLiteral("Durand"));
        QVERIFY(saveScreen(*db, 3, screen).ok());
        screen.setSlotText(6, QStringLiteral("Petit"));
        QVERIFY(saveScreen(*db, 3, screen).ok());
        DayScreen afternoon = shownDay(Day);
        afternoon.setSlotText(30, QStringLiteral("poste B"));
        const auto saved = saveScreen(*other, 3, afternoon);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));

        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS3")).toInt(), 1);
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM written WHERE day = 39148")).toInt(), 2);
        QCOMPARE(SlotTextList::decode((**DayStore::lookup(*db, 3, Day)).rvous).at(30), QStringLiteral("poste B"));
        // Other users' tables and other days are not touched.
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS1")).toInt(), 0);
        QVERIFY(!DayStore::lookup(*db, 3, Day + 1)->has_value());
    }

    void hiddenBannerKeepsItsStoredText()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        DayScreen screen = shownDay(Day);
        screen.setBoxVisible(SideBox::Absent2, true);
        screen.setBoxText(SideBox::Absent2, QStringLiteral("FORMATION"));
        QVERIFY(saveScreen(*db, 1, screen).ok());

        screen.setBoxVisible(SideBox::Absent2, false);
        screen.setBoxText(SideBox::Absent2, QStringLiteral("autre texte"));
        const auto saved = saveScreen(*db, 1, screen);
        QVERIFY(saved.ok());
        // The row as it stands afterwards is handed back.
        QCOMPARE(saved->flag(SideBox::Absent2), (DayFlag{false, QStringLiteral("FORMATION")}));
        QCOMPARE(scalar(*db, QStringLiteral("SELECT ABSENT2_TXT || '/' || ABSENT2 FROM RVOUS1")).toString(),
                 QStringLiteral("FORMATION/0"));
    }

    void storedTextsRoundTrip()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        DayScreen screen = shownDay(Day);
        screen.setSlotText(0, QStringLiteral("Mme Lefèvre — œil € 25"));
        screen.setSlotText(52, QStringLiteral("X"));
        screen.setTickValue(52, 1);
        screen.setPostit(QStringLiteral("l'appel\r\nde 'Robert'; DROP TABLE RVOUS1;--"));
        screen.setBloc(QStringLiteral("Bloc : « cataracte »"));
        screen.setBoxVisible(SideBox::Echo2, true);
        screen.setBoxText(SideBox::Echo2, QStringLiteral("2 échos"));
        QVERIFY(saveScreen(*db, 6, screen).ok());

        DayScreen loaded;
        DayLoader::LoadFoundDayRecord(**DayStore::lookup(*db, 6, Day), loaded);
        QVERIFY(loaded == screen);
        QVERIFY(scalar(*db, QStringLiteral("SELECT RVOUS FROM RVOUS6")).toString().endsWith(QStringLiteral("\r\nX")));
    }

    void malformedStoredValuesLoadSoundly()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        QStringList parts;
        for (int k = 0; k < 54; ++k) {
            parts << QStringLiteral("r%1").arg(k);
        }
        QSqlQuery insert(db->database());
        insert.prepare(QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, RVOUS, COCHE) VALUES (?, ?, ?)"));
        insert.addBindValue(Day);
        insert.addBindValue(parts.join(CrLf));
        insert.addBindValue(QStringLiteral("1\r\nx\r\n7"));
        QVERIFY(insert.exec());
        // A day whose every field but the date is without value.
        exec(*db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, ABSENT1) VALUES (39149, 1)"));
        // A flag that is neither True nor False.
        exec(*db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, ECHO1, ECHO1_TXT) VALUES (39150, 'peut-être', 'x')"));

        // Loaded and saved again, the day is written back in shape.
        DayScreen screen = shownDay(Day);
        DayLoader::LoadDayRecord(**DayStore::lookup(*db, 1, Day), screen);
        QCOMPARE(screen.slotText(52), QStringLiteral("r52"));
        QCOMPARE(screen.tickValue(0) * 100 + screen.tickValue(1) * 10 + screen.tickValue(2), 100);
        QVERIFY(saveScreen(*db, 1, screen).ok());
        QCOMPARE(scalar(*db, QStringLiteral("SELECT RVOUS FROM RVOUS1 WHERE AGENDATE = 39148")).toString(),
                 parts.mid(0, 53).join(CrLf));
        QCOMPARE(scalar(*db, QStringLiteral("SELECT length(COCHE) FROM RVOUS1 WHERE AGENDATE = 39148")).toInt(), 157);

        DayScreen nulls = shownDay(39149);
        nulls.setSlotText(3, QStringLiteral("avant"));
        DayLoader::LoadDayRecord(**DayStore::lookup(*db, 1, 39149), nulls);
        QCOMPARE(nulls.slotText(3), QString());
        QVERIFY(nulls.boxVisible(SideBox::Absent1));
        QCOMPARE(nulls.boxText(SideBox::Absent1), QString());

        DayScreen odd = shownDay(39150);
        DayLoader::LoadDayRecord(**DayStore::lookup(*db, 1, 39150), odd);
        QVERIFY(!odd.boxVisible(SideBox::Echo1));
    }

    void missingTableIsAnError()
    {
        TestEnv env;
        const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("partial.mdb"));
        {
            // A database that only has user 1's table (named in small letters);
            // an empty file is an empty database.
            TestEnv::writeFile(path, QByteArray());
            auto partial = DbConnection::open(path);
            QVERIFY(partial.ok());
            exec(**partial, QStringLiteral("CREATE TABLE rvous1 (AGENDATE INTEGER, RVOUS TEXT, Postit TEXT,"
                                           " Bloc TEXT, ABSENT1 INTEGER, ABSENT1_TXT TEXT, ABSENT2 INTEGER,"
                                           " ABSENT2_TXT TEXT, ECHO1 INTEGER, ECHO1_TXT TEXT, ECHO2 INTEGER,"
                                           " ECHO2_TXT TEXT, COCHE TEXT)"));
        }
        const auto required = DbConnection::open(path, AppointmentDatabase::tableNames());
        QVERIFY(!required.ok());
        QVERIFY2(required.error().contains(QStringLiteral("RVOUS2")), qPrintable(required.error()));

        auto db = DbConnection::open(path);
        QVERIFY(db.ok());
        QCOMPARE((*db)->tableName(QStringLiteral("RVOUS1")), QStringLiteral("rvous1"));
        const auto lookup = DayStore::lookup(**db, 2, Day);
        QVERIFY(!lookup.ok());
        QVERIFY2(lookup.error().contains(QStringLiteral("La table RVOUS2 est absente")), qPrintable(lookup.error()));
        QVERIFY(!saveScreen(**db, 2, shownDay(Day)).ok());
        // The table found without regard to case works.
        QVERIFY(saveScreen(**db, 1, shownDay(Day)).ok());
        QVERIFY(DayStore::lookup(**db, 1, Day)->has_value());
    }

    void saveEditsOnlyTheRowItFound()
    {
        TestEnv env;
        const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("old.mdb"));
        TestEnv::writeFile(path, QByteArray());
        auto db = DbConnection::open(path);
        QVERIFY(db.ok());
        // A table without the unique index, holding two rows for one day (as
        // two first saves at once could leave), and one without COCHE.
        exec(**db, QStringLiteral("CREATE TABLE RVOUS1 (AGENDATE INTEGER, RVOUS TEXT, Postit TEXT, Bloc TEXT,"
                                  " ABSENT1 INTEGER, ABSENT1_TXT TEXT, ABSENT2 INTEGER, ABSENT2_TXT TEXT,"
                                  " ECHO1 INTEGER, ECHO1_TXT TEXT, ECHO2 INTEGER, ECHO2_TXT TEXT, COCHE TEXT)"));
        exec(**db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, Postit) VALUES (%1, 'first'), (%1, 'second')").arg(Day));
        exec(**db, QStringLiteral("CREATE TABLE RVOUS2 (AGENDATE INTEGER, RVOUS TEXT)"));

        DayScreen screen = shownDay(Day);
        screen.setPostit(QStringLiteral("mine"));
        QVERIFY(saveScreen(**db, 1, screen).ok());
        QCOMPARE(scalar(**db, QStringLiteral("SELECT group_concat(Postit, '/') FROM (SELECT Postit FROM RVOUS1 ORDER BY rowid)")).toString(),
                 QStringLiteral("mine/second"));

        const auto incomplete = DayStore::lookup(**db, 2, Day);
        QVERIFY(!incomplete.ok());
        QVERIFY2(incomplete.error().contains(QStringLiteral("un champ est absent de la table")), qPrintable(incomplete.error()));
    }

    void lockedDatabaseFailsAndStoresNothing()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        DbConnection::setBusyTimeout(50);
        QCOMPARE(DbConnection::busyTimeout(), 50);
        auto other = openOrFail(path);
        auto mine = openOrFail(path);
        QVERIFY(other->beginWrite().ok()); // another workstation is writing

        DayScreen screen = shownDay(Day);
        screen.setSlotText(1, QStringLiteral("Bernard"));
        // Reading still works while the other workstation holds the write lock.
        QVERIFY(DayStore::lookup(*mine, 1, Day).ok());
        QElapsedTimer timer;
        timer.start();
        const auto saved = saveScreen(*mine, 1, screen);
        QVERIFY(timer.elapsed() < 3000);
        QVERIFY(!saved.ok());
        QVERIFY2(saved.error().contains(QStringLiteral("verrouillée")), qPrintable(saved.error()));
        other->rollback();

        QCOMPARE(scalar(*mine, QStringLiteral("SELECT count(*) FROM RVOUS1")).toInt(), 0);
        // Once the lock is gone the same connection saves.
        QVERIFY(saveScreen(*mine, 1, screen).ok());

        DbConnection::setBusyTimeout(0);
        QCOMPARE(DbConnection::busyTimeout(), DbConnection::BusyTimeoutMs);
    }

    void failedComposeWriteLeavesTheRow()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        DayScreen screen = shownDay(Day);
        screen.setSlotText(2, QStringLiteral("premier"));
        QVERIFY(saveScreen(*db, 1, screen).ok());
        // A table that refuses the write: nothing of the second save is stored.
        exec(*db, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON RVOUS1"
                                 " BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        screen.setSlotText(2, QStringLiteral("second"));
        const auto saved = saveScreen(*db, 1, screen);
        QVERIFY(!saved.ok());
        QVERIFY(saved.error().startsWith(QStringLiteral("Enregistrement impossible")));
        QCOMPARE(SlotTextList::decode((**DayStore::lookup(*db, 1, Day)).rvous).at(2), QStringLiteral("premier"));
        // No transaction is left open: a plain write goes through.
        exec(*db, QStringLiteral("DROP TRIGGER refuse"));
        QVERIFY(saveScreen(*db, 1, screen).ok());
    }

    void module1PointsTheSharedState()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        DayScreen screen = shownDay(Day);
        screen.setSlotText(10, QStringLiteral("Roux"));
        const DayRecord record = DayLoader::FillDayRecord(screen);
        const auto saved = Module1::daySave(4, Day, path, [&record](const std::optional<DayRecord>& stored) {
            return stored ? *stored : record;
        });
        QVERIFY(saved.ok());
        const Module1::State& s = Module1::state();
        QVERIFY(s.DB && !s.RS.noMatch);
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS4 ORDER BY AGENDATE"));
        QCOMPARE(s.RS.user, 4);

        const auto found = Module1::dayLookup(4, Day, path);
        QCOMPARE(SlotTextList::decode((**found).rvous).at(10), QStringLiteral("Roux"));
        QVERIFY(s.RS.current.has_value());
        QVERIFY(Module1::dayLookup(2, Day, path).ok());
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS2 ORDER BY AGENDATE"));
        QVERIFY(s.RS.noMatch);

        // A user outside 1..6 leaves SQL as it was and fails.
        QVERIFY(!Module1::dayLookup(9, Day, path).ok());
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS2 ORDER BY AGENDATE"));

        Module1::closeDatabase();
        QVERIFY(!s.DB);
    }
};

QTEST_GUILESS_MAIN(TestDayStore)
#include "tst_daystore.moc"
