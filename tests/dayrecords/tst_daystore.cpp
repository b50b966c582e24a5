#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "platform/Database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTest>

namespace
{
constexpr qint32 Day = 39148; // 7 March 2007

std::shared_ptr<DbConnection> openOrFail(const QString& path)
{
    auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        qFatal("cannot open %s: %s", qPrintable(path), qPrintable(opened.error()));
    }
    return *opened;
}

// Runs a statement; a SELECT gives its first value.
QVariant sql(DbConnection& db, const QString& statement)
{
    QSqlQuery query(db.database());
    if (!query.exec(statement)) {
        qFatal("statement failed: %s", qPrintable(statement));
    }
    return query.next() ? query.value(0) : QVariant();
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

QString storedRow(DbConnection& db, int user, int row)
{
    return SlotTextList::decode((**DayStore::lookup(db, user, Day)).rvous).at(row);
}
} // namespace

class TestDayStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    std::shared_ptr<DbConnection> m_db; // on a new AGENDAS.MDB

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_db = openOrFail(m_env->createAppointmentDatabase());
    }

    void cleanup()
    {
        DbConnection::setBusyTimeout(0);
        m_db.reset();
        m_env.reset();
    }

    void boxesAndTextsAreStoredAsShown()
    {
        DayScreen screen = shownDay(Day);
        screen.setSlotText(0, QStringLiteral("Mme Lefèvre — œil € 25"));
        screen.setSlotText(52, QStringLiteral("X"));
        screen.setTickValue(52, 1);
        screen.setPostit(QStringLiteral("l'appel\r\nde 'Robert'; DROP TABLE RVOUS1;--"));
        screen.setBoxVisible(SideBox::Echo1, true); // shown, empty
        screen.setBoxVisible(SideBox::Absent2, true);
        screen.setBoxText(SideBox::Absent2, QStringLiteral("FORMATION"));
        QVERIFY(saveScreen(*m_db, 6, screen).ok());
        DayScreen loaded;
        DayLoader::LoadFoundDayRecord(**DayStore::lookup(*m_db, 6, Day), loaded);
        QVERIFY(loaded == screen);
        // Empty boxes are empty texts, never NULL; never-set flag texts stay without value.
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT ABSENT1 || ABSENT2 || ECHO1 || ECHO2 FROM RVOUS6")).toString(),
                 QStringLiteral("0110"));
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT count(*) FROM RVOUS6 WHERE Bloc = '' AND ECHO1_TXT = ''"
                                           " AND ABSENT1_TXT IS NULL AND ECHO2_TXT IS NULL"))
                     .toInt(),
                 1);

        // A hidden banner keeps the text stored; the row as it then stands is handed back.
        screen.setBoxVisible(SideBox::Absent2, false);
        screen.setBoxText(SideBox::Absent2, QStringLiteral("autre texte"));
        const auto saved = saveScreen(*m_db, 6, screen);
        QCOMPARE(saved->flag(SideBox::Absent2), (DayFlag{false, QStringLiteral("FORMATION")}));
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT ABSENT2_TXT || '/' || ABSENT2 FROM RVOUS6")).toString(),
                 QStringLiteral("FORMATION/0"));
        // The rollback journal: the .MDB file alone is the whole database.
        QCOMPARE(sql(*m_db, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    }

    void savingTwiceOrFromTwoConnectionsKeepsOneRow()
    {
        auto other = openOrFail(m_db->path());
        // Both connections saw no row for the day; both save, one twice.
        QVERIFY(!DayStore::lookup(*m_db, 3, Day)->has_value());
        QVERIFY(!DayStore::lookup(*other, 3, Day)->has_value());
        DayScreen screen = shownDay(Day);
        screen.setSlotText(5, QStringLiteral("Durand"));
        QVERIFY(saveScreen(*m_db, 3, screen).ok());
        screen.setSlotText(6, QStringLiteral("Petit"));
        QVERIFY(saveScreen(*m_db, 3, screen).ok());
        DayScreen afternoon = shownDay(Day);
        afternoon.setSlotText(30, QStringLiteral("poste B"));
        const auto saved = saveScreen(*other, 3, afternoon);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT count(*) FROM RVOUS3")).toInt(), 1);
        QCOMPARE(storedRow(*m_db, 3, 30), QStringLiteral("poste B"));
    }

    void malformedStoredValuesLoadSoundly()
    {
        // Slot texts and ticks out of shape; a day whose every field but the date is
        // without value; a flag neither True nor False.
        sql(*m_db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, RVOUS, COCHE)"
                                  " VALUES (39148, 'a', '1' || char(13, 10) || 'x')"));
        sql(*m_db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, ABSENT1) VALUES (39149, 1)"));
        sql(*m_db, QStringLiteral("INSERT INTO RVOUS1 (AGENDATE, ECHO1, ECHO1_TXT) VALUES (39150, 'peut-être', 'x')"));
        // Loaded and saved again, the day is written back in shape.
        DayScreen screen = shownDay(Day);
        DayLoader::LoadDayRecord(**DayStore::lookup(*m_db, 1, Day), screen);
        QCOMPARE(screen.tickValue(0) * 10 + screen.tickValue(1), 10);
        QVERIFY(saveScreen(*m_db, 1, screen).ok());
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT length(RVOUS) || '/' || length(COCHE) FROM RVOUS1 WHERE AGENDATE = 39148"))
                     .toString(),
                 QStringLiteral("105/157"));

        DayScreen nulls = shownDay(39149);
        nulls.setSlotText(3, QStringLiteral("avant"));
        DayLoader::LoadDayRecord(**DayStore::lookup(*m_db, 1, 39149), nulls);
        QCOMPARE(nulls.slotText(3), QString());
        QVERIFY(nulls.boxVisible(SideBox::Absent1));
        QCOMPARE(nulls.boxText(SideBox::Absent1), QString());
        DayLoader::LoadDayRecord(**DayStore::lookup(*m_db, 1, 39150), nulls);
        QVERIFY(!nulls.boxVisible(SideBox::Echo1));
    }

    void oldOrPartialDatabases()
    {
        // An empty file is an empty database: one with user 1's table only, named in small
        // letters, without the unique index, holding two rows for one day (as two first
        // saves at once could leave), and user 2's without COCHE.
        const QString path = QDir(m_env->dataFolder()).filePath(QStringLiteral("old.mdb"));
        TestEnv::writeFile(path, QByteArray());
        auto db = *DbConnection::open(path);
        sql(*db, QStringLiteral("CREATE TABLE rvous1 (AGENDATE INTEGER, RVOUS TEXT, Postit TEXT, Bloc TEXT,"
                                " ABSENT1 INTEGER, ABSENT1_TXT TEXT, ABSENT2 INTEGER, ABSENT2_TXT TEXT,"
                                " ECHO1 INTEGER, ECHO1_TXT TEXT, ECHO2 INTEGER, ECHO2_TXT TEXT, COCHE TEXT)"));
        sql(*db, QStringLiteral("INSERT INTO rvous1 (AGENDATE, Postit) VALUES (%1, 'first'), (%1, 'second')").arg(Day));
        sql(*db, QStringLiteral("CREATE TABLE RVOUS2 (AGENDATE INTEGER, RVOUS TEXT)"));
        const auto required = DbConnection::open(path, AppointmentDatabase::tableNames());
        QVERIFY2(!required.ok() && required.error().contains(QStringLiteral("RVOUS3")), qPrintable(required.error()));

        // Only the row found is edited.
        DayScreen screen = shownDay(Day);
        screen.setPostit(QStringLiteral("mine"));
        QVERIFY(saveScreen(*db, 1, screen).ok());
        QCOMPARE(sql(*db, QStringLiteral("SELECT group_concat(Postit, '/') FROM (SELECT Postit FROM rvous1 ORDER BY rowid)"))
                     .toString(),
                 QStringLiteral("mine/second"));

        const auto incomplete = DayStore::lookup(*db, 2, Day);
        QVERIFY2(!incomplete.ok() && incomplete.error().contains(QStringLiteral("un champ est absent de la table")),
                 qPrintable(incomplete.error()));
        const auto missing = DayStore::lookup(*db, 3, Day);
        QVERIFY2(!missing.ok() && missing.error().contains(QStringLiteral("La table RVOUS3 est absente")),
                 qPrintable(missing.error()));
        QVERIFY(!saveScreen(*db, 3, shownDay(Day)).ok());
    }

    void lockedDatabaseFailsAndStoresNothing()
    {
        DbConnection::setBusyTimeout(50); // for the connections opened from now on
        auto other = openOrFail(m_db->path());
        m_db = openOrFail(m_db->path());
        QVERIFY(other->beginWrite().ok()); // another workstation is writing

        DayScreen screen = shownDay(Day);
        screen.setSlotText(1, QStringLiteral("Bernard"));
        // Reading still works while the other workstation holds the write lock.
        QVERIFY(DayStore::lookup(*m_db, 1, Day).ok());
        QElapsedTimer timer;
        timer.start();
        const auto saved = saveScreen(*m_db, 1, screen);
        QVERIFY(timer.elapsed() < 3000);
        QVERIFY2(!saved.ok() && saved.error().contains(QStringLiteral("verrouillée")), qPrintable(saved.error()));
        other->rollback();
        QCOMPARE(sql(*m_db, QStringLiteral("SELECT count(*) FROM RVOUS1")).toInt(), 0);
        // Once the lock is gone the same connection saves.
        QVERIFY(saveScreen(*m_db, 1, screen).ok());
        DbConnection::setBusyTimeout(0);
        QCOMPARE(DbConnection::busyTimeout(), DbConnection::BusyTimeoutMs);
    }

    void failedWriteLeavesTheRow()
    {
        DayScreen screen = shownDay(Day);
        screen.setSlotText(2, QStringLiteral("premier"));
        QVERIFY(saveScreen(*m_db, 1, screen).ok());
        // A table that refuses the write: nothing of the second save is stored.
        sql(*m_db, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON RVOUS1 BEGIN SELECT RAISE(ABORT, 'non'); END"));
        screen.setSlotText(2, QStringLiteral("second"));
        const auto saved = saveScreen(*m_db, 1, screen);
        QVERIFY(!saved.ok() && saved.error().startsWith(QStringLiteral("Enregistrement impossible")));
        QCOMPARE(storedRow(*m_db, 1, 2), QStringLiteral("premier"));
        // No transaction is left open: a plain write goes through.
        sql(*m_db, QStringLiteral("DROP TRIGGER refuse"));
        QVERIFY(saveScreen(*m_db, 1, screen).ok());
    }
};

QTEST_GUILESS_MAIN(TestDayStore)
#include "tst_daystore.moc"
