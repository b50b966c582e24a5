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
        QVERIFY(saveScreen(*db, 1, shownDay(Day)).ok());

        QSqlQuery query(db->database());
        QVERIFY(query.exec(QStringLiteral(
            "SELECT AGENDATE, RVOUS, length(RVOUS), COCHE, length(COCHE), Postit, Bloc, ABSENT1, ABSENT2,"
            " ECHO1, ECHO2, ABSENT1_TXT IS NULL, ECHO2_TXT IS NULL FROM RVOUS1")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), Day);
        QCOMPARE(query.value(1).toString(), CrLf.repeated(52));
        QCOMPARE(query.value(2).toInt(), 104);
        QCOMPARE(query.value(4).toInt(), 157);
        QCOMPARE(query.value(5).toString(), QString());
        for (int column = 7; column <= 10; ++column) {
            QCOMPARE(query.value(column).toInt(), 0);
        }
        // Never-set flag texts stay without value.
        QCOMPARE(query.value(11).toInt(), 1);
        QCOMPARE(query.value(12).toInt(), 1);
        QVERIFY(!query.next());
    }

    void emptyBoxesAreEmptyTextNeverNull()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        DayScreen screen = shownDay(Day);
        screen.setBoxVisible(SideBox::Echo1, true); // shown, empty
        QVERIFY(saveScreen(*db, 2, screen).ok());
        QCOMPARE(scalar(*db, QStringLiteral(
                     "SELECT count(*) FROM RVOUS2 WHERE RVOUS IS NOT NULL AND Postit IS NOT NULL"
                     " AND Bloc IS NOT NULL AND COCHE IS NOT NULL AND ECHO1_TXT IS NOT NULL"
                     " AND Postit = '' AND Bloc = '' AND ECHO1_TXT = '' AND ECHO1 = 1"))
                     .toInt(),
                 1);
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS2 WHERE ABSENT1_TXT IS NULL"
                                            " AND ABSENT2_TXT IS NULL AND ECHO2_TXT IS NULL"))
                     .toInt(),
                 1);
    }

    void savingTwiceKeepsOneRowAndWritesAgendateEachTime()
    {
        TestEnv env;
        auto db = openOrFail(env.createAppointmentDatabase());
        // Logs every write that sets AGENDATE, changed or not.
        exec(*db, QStringLiteral("CREATE TABLE written (day INTEGER)"));
        exec(*db, QStringLiteral("CREATE TRIGGER agendate_set AFTER UPDATE OF AGENDATE ON RVOUS3"
                                 " BEGIN INSERT INTO written VALUES (NEW.AGENDATE); END"));

        DayScreen screen = shownDay(Day);
        screen.setSlotText(5, QStringLiteral("Durand"));
        QVERIFY(saveScreen(*db, 3, screen).ok());
        screen.setSlotText(6, QStringLiteral("Petit"));
        const auto second = saveScreen(*db, 3, screen);
        QVERIFY2(second.ok(), qPrintable(second.error()));

        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS3")).toInt(), 1);
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM written WHERE day = 39148")).toInt(), 1);
        const auto found = DayStore::lookup(*db, 3, Day);
        QVERIFY(found.ok() && found->has_value());
        QCOMPARE(SlotTextList::decode((*found)->rvous).at(6), QStringLiteral("Petit"));
        // Other users' tables and other days are not touched.
        QCOMPARE(scalar(*db, QStringLiteral("SELECT count(*) FROM RVOUS1")).toInt(), 0);
        const auto other = DayStore::lookup(*db, 3, Day + 1);
        QVERIFY(other.ok() && !other->has_value());
    }

    void twoWorkstationsSavingTheSameNewDayGiveOneRow()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        auto first = openOrFail(path);
        auto second = openOrFail(path);
        DayScreen morning = shownDay(Day);
        morning.setSlotText(0, QStringLiteral("poste A"));
        DayScreen afternoon = shownDay(Day);
        afternoon.setSlotText(30, QStringLiteral("poste B"));
        // Both saw no row for the day; both save.
        QVERIFY(!DayStore::lookup(*first, 1, Day)->has_value());
        QVERIFY(!DayStore::lookup(*second, 1, Day)->has_value());
        QVERIFY(saveScreen(*first, 1, morning).ok());
        const auto saved = saveScreen(*second, 1, afternoon);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(scalar(*first, QStringLiteral("SELECT count(*) FROM RVOUS1")).toInt(), 1);
        const auto found = DayStore::lookup(*first, 1, Day);
        QCOMPARE(SlotTextList::decode((*found)->rvous).at(30), QStringLiteral("poste B"));
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

        // Loading it hides the banner and leaves the box's text alone.
        DayScreen reloaded = shownDay(Day);
        reloaded.setBoxText(SideBox::Absent2, QStringLiteral("ABSENT"));
        DayLoader::LoadDayRecord(**DayStore::lookup(*db, 1, Day), reloaded);
        QVERIFY(!reloaded.boxVisible(SideBox::Absent2));
        QCOMPARE(reloaded.boxText(SideBox::Absent2), QStringLiteral("ABSENT"));
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

        DayScreen screen = shownDay(Day);
        const auto found = DayStore::lookup(*db, 1, Day);
        QVERIFY(found.ok() && found->has_value());
        DayLoader::LoadDayRecord(**found, screen);
        QCOMPARE(screen.slotText(52), QStringLiteral("r52"));
        QCOMPARE(screen.tickValue(0), 1);
        QCOMPARE(screen.tickValue(1), 0);
        QCOMPARE(screen.tickValue(2), 0);
        QVERIFY(saveScreen(*db, 1, screen).ok());
        const QString rewritten = scalar(*db, QStringLiteral("SELECT RVOUS FROM RVOUS1 WHERE AGENDATE = 39148")).toString();
        QCOMPARE(rewritten.count(CrLf), 52);
        QVERIFY(!rewritten.contains(QStringLiteral("r53")));
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

    void openingFailsInFrench()
    {
        TestEnv env;
        const QString missing = QDir(env.dataFolder()).filePath(QStringLiteral("AGENDAS.MDB"));
        const auto notThere = DbConnection::open(missing);
        QVERIFY(!notThere.ok());
        QVERIFY2(notThere.error().contains(QStringLiteral("introuvable")), qPrintable(notThere.error()));
        QVERIFY(!QFile::exists(missing));

        const auto folder = DbConnection::open(env.dataFolder());
        QVERIFY(!folder.ok());

        const QString foreign = QDir(env.dataFolder()).filePath(QStringLiteral("notes.mdb"));
        TestEnv::writeFile(foreign, QByteArray("Ceci est une lettre, pas une base.\n").repeated(100));
        const auto notADatabase = DbConnection::open(foreign);
        QVERIFY(!notADatabase.ok());
        QVERIFY2(notADatabase.error().contains(QStringLiteral("n'est pas une base de données")),
                 qPrintable(notADatabase.error()));
        QCOMPARE(TestEnv::readFile(foreign), QByteArray("Ceci est une lettre, pas une base.\n").repeated(100));

        // Through the day lookup: the error is handed back and DB stays empty.
        const auto lookup = Module1::dayLookup(1, Day, missing);
        QVERIFY(!lookup.ok());
        QVERIFY(!Module1::state().DB);
        QVERIFY(!QFile::exists(missing));
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
        const auto saved = saveScreen(**db, 2, shownDay(Day));
        QVERIFY(!saved.ok());
        // The table found without regard to case works.
        QVERIFY(saveScreen(**db, 1, shownDay(Day)).ok());
        QVERIFY(DayStore::lookup(**db, 1, Day)->has_value());
        QVERIFY(!DayStore::lookup(**db, 7, Day).ok());
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
        QVERIFY(s.DB);
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS4 ORDER BY AGENDATE"));
        QVERIFY(!s.RS.noMatch);
        QCOMPARE(s.RS.user, 4);

        const auto found = Module1::dayLookup(4, Day, path);
        QVERIFY(found.ok() && found->has_value());
        QCOMPARE(SlotTextList::decode((**found).rvous).at(10), QStringLiteral("Roux"));
        QVERIFY(s.RS.current.has_value());

        const auto none = Module1::dayLookup(2, Day, path);
        QVERIFY(none.ok() && !none->has_value());
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS2 ORDER BY AGENDATE"));
        QVERIFY(s.RS.noMatch);

        // A user outside 1..6 leaves SQL as it was and fails.
        QVERIFY(!Module1::dayLookup(9, Day, path).ok());
        QCOMPARE(s.SQL, QStringLiteral("SELECT*FROM RVOUS2 ORDER BY AGENDATE"));

        Module1::closeDatabase();
        QVERIFY(!s.DB);
    }

    void createRefusesAnExistingFile()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        const QByteArray before = TestEnv::readFile(path);
        const Status again = AppointmentDatabase::create(path);
        QVERIFY(!again.ok());
        QVERIFY(again.error().contains(QStringLiteral("existe déjà")));
        QCOMPARE(TestEnv::readFile(path), before);
        QVERIFY(!AppointmentDatabase::create(QDir(env.root()).filePath(QStringLiteral("nowhere/AGENDAS.MDB"))).ok());
        auto db = openOrFail(path);
        QCOMPARE(scalar(*db, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    }
};

QTEST_GUILESS_MAIN(TestDayStore)
#include "tst_daystore.moc"
