#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "dayrecords/Module1.h"
#include "platform/Database.h"
#include "search/AppointmentSearch.h"
#include "search/LikePattern.h"
#include "search/SearchDates.h"

#include <QSqlQuery>
#include <QTest>

namespace
{
constexpr qint32 Day = 39148; // 7 March 2007

void store(DbConnection& db, int user, qint32 serial, const QMap<int, QString>& rows,
           const QString& elsewhere = QString())
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(serial));
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        screen.setSlotText(it.key(), it.value());
    }
    // The other texts of the day: post-it, programme, banners, ultrasound notes.
    screen.setPostit(elsewhere);
    screen.setBloc(elsewhere);
    for (const SideBox box : AllSideBoxes) {
        screen.setBoxVisible(box, !elsewhere.isEmpty());
        screen.setBoxText(box, elsewhere);
    }
    if (!DayStore::save(db, user, DayLoader::FillDayRecord(screen))) {
        qFatal("cannot store a test day");
    }
}
} // namespace

class TestSearchCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    QString m_path;
    std::shared_ptr<DbConnection> m_db;

    QList<qint32> find(const QString& text, qint32 first = Day - 10, qint32 last = Day + 10, int user = 3)
    {
        const auto found = AppointmentSearch::findDays(m_path, {user, first, last, text});
        if (!found) {
            qFatal("search failed: %s", qPrintable(found.error()));
        }
        return *found;
    }

    // A new AGENDAS.MDB for the tests that search one (the pattern and date
    // rows need none).
    void newDatabase()
    {
        m_env = std::make_unique<TestEnv>();
        m_path = m_env->createAppointmentDatabase();
        auto opened = DbConnection::open(m_path);
        if (!opened) {
            qFatal("cannot open the test database: %s", qPrintable(opened.error()));
        }
        m_db = *opened;
    }

private slots:
    void cleanup()
    {
        DbConnection::setBusyTimeout(0);
        m_db.reset();
        m_env.reset();
    }

    void pattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matches");

        QTest::newRow("plain, other case") << "*dupont*" << "M. DUPONT" << true;
        QTest::newRow("accented, other case") << "*lefèvre*" << "Mme LEFÈVRE" << true;
        QTest::newRow("ligature, other case") << "*œil*" << "ŒIL droit" << true;
        QTest::newRow("accents are not ignored") << "*lefevre*" << "Mme LEFÈVRE" << false;
        QTest::newRow("? one character") << "*Dup?nt*" << "Dupint" << true;
        QTest::newRow("? not none") << "*Dup?nt*" << "Dupnt" << false;
        QTest::newRow("# a digit") << "*#*" << "rdv 3" << true;
        QTest::newRow("# no digit") << "*#*" << "aucun chiffre" << false;
        QTest::newRow("set, first") << "*[DM]artin*" << "Dartin" << true;
        QTest::newRow("set, other case") << "*[DM]artin*" << "mARTIN" << true;
        QTest::newRow("set, outside") << "*[DM]artin*" << "Partin" << false;
        QTest::newRow("negated set, outside") << "*[!D]upont*" << "Lupont" << true;
        QTest::newRow("negated set, inside") << "*[!D]upont*" << "M. Dupont" << false;
        QTest::newRow("range") << "*[a-c]x*" << "Bx" << true;
        QTest::newRow("range, outside") << "*[a-c]x*" << "dx" << false;
        QTest::newRow("dash at the end of a set") << "*[a-]x*" << "-x" << true;
        QTest::newRow("star in a set is plain") << "*[*]*" << "a*b" << true;
        QTest::newRow("star in a set, absent") << "*[*]*" << "ab" << false;
        QTest::newRow("question mark in a set is plain") << "*[?]*" << "ab" << false;
        QTest::newRow("star across rows") << "*Dupont*Martin*" << "Dupont\r\n\r\nMartin" << true;
        QTest::newRow("star keeps the order") << "*Dupont*Martin*" << "Martin\r\nDupont" << false;
        QTest::newRow("? takes a line break") << "*t?M*" << "Dupont\nMartin" << true;
        QTest::newRow("apostrophe") << "*L'Hôte*" << "Mme l'hôte" << true;
        QTest::newRow("unclosed bracket is plain") << "*Dupont [*" << "M. Dupont [tél]" << true;
        QTest::newRow("unclosed bracket, absent") << "*Dupont [*" << "M. Dupont" << false;
        QTest::newRow("leading blank is sought") << "* Dupont*" << "M.Dupont" << false;
        QTest::newRow("trailing blank is sought") << "*Dupont *" << "M. Dupont" << false;
        QTest::newRow("empty text, empty field") << "**" << "" << true;
        QTest::newRow("empty text") << "**" << "\r\n\r\n" << true;
        QTest::newRow("whole field") << "Dupont" << "Dupont" << true;
        QTest::newRow("whole field only") << "Dupont" << "M. Dupont" << false;
        QTest::newRow("anchored start") << "Dup*" << "Dupontel" << true;
        QTest::newRow("anchored end") << "*ont" << "Duponte" << false;
        QTest::newRow("segments do not overlap") << "*aa*a*" << "aa" << false;
        QTest::newRow("last segment after the others") << "*ab*b" << "ab" << false;
        QTest::newRow("last segment after the others, room") << "*ab*b" << "abb" << true;
        QTest::newRow("? is one character, not one unit") << "a?b" << QString::fromUtf8("a\xF0\x9D\x84\x9E" "b")
                                                           << true;
        QTest::newRow("sql is text") << "*'; DROP TABLE RVOUS3; --*" << "Dupont" << false;
    }

    void pattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, matches);
        QCOMPARE(LikePattern(pattern).matches(text), matches);
    }

    void containingWrapsTheTextInStars()
    {
        QVERIFY(LikePattern::containing(QStringLiteral("pont")).matches(QStringLiteral("Dupont")));
        QVERIFY(!LikePattern::containing(QStringLiteral("Dup?nt")).matches(QStringLiteral("Dupnt")));
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("day");

        QTest::newRow("short date") << "07/03/2007" << QDate(2007, 3, 7);
        QTest::newRow("no leading zeros") << "7/3/2007" << QDate(2007, 3, 7);
        QTest::newRow("two digits, 29") << "7/3/29" << QDate(2029, 3, 7);
        QTest::newRow("two digits, 30") << "7/3/30" << QDate(1930, 3, 7);
        QTest::newRow("two digits, 00") << "1/1/00" << QDate(2000, 1, 1);
        QTest::newRow("time dropped") << "07/03/2007 10:30" << QDate(2007, 3, 7);
        QTest::newRow("time with seconds dropped") << " 07/03/2007  9:05:00 " << QDate(2007, 3, 7);
        QTest::newRow("before 1899") << "01/01/1850" << QDate(1850, 1, 1);
        QTest::newRow("no such day") << "31/02/2007" << QDate();
        QTest::newRow("no such time") << "07/03/2007 25:00" << QDate();
        QTest::newRow("words after") << "07/03/2007 midi" << QDate();
        QTest::newRow("words") << "mardi" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, day);
        QCOMPARE(SearchDates::parse(text).value_or(QDate()), day);
    }

    void defaultRangeIsThirtyDaysBackToSixtyAhead()
    {
        QCOMPARE(SearchDates::defaultFirst(QDate(2007, 3, 7)), QDate(2007, 2, 5));
        QCOMPARE(SearchDates::defaultLast(QDate(2007, 3, 7)), QDate(2007, 5, 6));
    }

    void rangeIsInclusiveAscendingAndOnlySlotTexts()
    {
        newDatabase();
        store(*m_db, 3, Day + 5, {{2, QStringLiteral("Dupont")}});
        store(*m_db, 3, Day - 5, {{40, QStringLiteral("M. DUPONT")}, {41, QStringLiteral("dupont bis")}});
        store(*m_db, 3, Day, {{0, QStringLiteral("Martin")}}, QStringLiteral("Dupont"));
        store(*m_db, 3, Day - 6, {{2, QStringLiteral("Dupont")}});
        store(*m_db, 3, Day + 6, {{2, QStringLiteral("Dupont")}});
        store(*m_db, 2, Day, {{2, QStringLiteral("Dupont")}});

        const QList<qint32> expected = {Day - 5, Day + 5};
        QCOMPARE(find(QStringLiteral("dupont"), Day - 5, Day + 5), expected);
        // The two ends in the other order give the same days.
        QCOMPARE(find(QStringLiteral("dupont"), Day + 5, Day - 5), expected);
        QCOMPARE(find(QStringLiteral("dupont"), Day + 5, Day + 5), QList<qint32>{Day + 5});
        // An empty text lists every stored day of the range.
        const QList<qint32> all = {Day - 5, Day, Day + 5};
        QCOMPARE(find(QString(), Day - 5, Day + 5), all);
        QCOMPARE(find(QStringLiteral("Dupont"), Day, Day, 2), QList<qint32>{Day});
    }

    void typedTextNeverBecomesSql()
    {
        newDatabase();
        store(*m_db, 3, Day, {{1, QStringLiteral("Mme L'Hôte")}, {3, QStringLiteral("Jeanne d'Arc")}});
        store(*m_db, 3, Day + 1, {{1, QStringLiteral("Dupont [urgent]")}});
        QCOMPARE(find(QStringLiteral("l'hôte")), QList<qint32>{Day});
        QCOMPARE(find(QStringLiteral("Dupont [")), QList<qint32>{Day + 1});
        QCOMPARE(find(QStringLiteral("') OR 1=1; DROP TABLE RVOUS3; --")), QList<qint32>{});
        QVERIFY(m_db->hasTable(QStringLiteral("RVOUS3")));
    }

    void aDayWithTwoRowsIsListedOnce()
    {
        newDatabase();
        // A foreign file without the unique index on AGENDATE.
        QSqlQuery query(m_db->database());
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE RVOUS7 AS SELECT * FROM RVOUS3")));
        QVERIFY(query.exec(QStringLiteral("DROP TABLE RVOUS3")));
        QVERIFY(query.exec(QStringLiteral("ALTER TABLE RVOUS7 RENAME TO rvous3")));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO rvous3 (AGENDATE, RVOUS) VALUES (%1, 'Dupont'), (%1, 'x'), "
                                          "(%1, 'Dupont'), (%2, NULL)")
                               .arg(Day)
                               .arg(Day + 1)));
        QCOMPARE(find(QStringLiteral("Dupont")), QList<qint32>{Day});
        QCOMPARE(find(QString()), QList<qint32>{Day});
    }

    void failuresAreSaidInFrench()
    {
        newDatabase();
        const auto missing = AppointmentSearch::findDays(m_path + QStringLiteral(".absent"), {3, Day, Day, QString()});
        QVERIFY(!missing);
        QVERIFY2(missing.error().contains(QStringLiteral("introuvable")), qPrintable(missing.error()));

        QSqlQuery query(m_db->database());
        QVERIFY(query.exec(QStringLiteral("DROP TABLE RVOUS4")));
        const auto noTable = AppointmentSearch::findDays(m_path, {4, Day, Day, QString()});
        QVERIFY(!noTable);
        QVERIFY2(noTable.error().contains(QStringLiteral("RVOUS4")), qPrintable(noTable.error()));

        DbConnection::setBusyTimeout(1);
        QVERIFY(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO RVOUS3 (AGENDATE, RVOUS) VALUES (1, 'x')")));
        const auto locked = AppointmentSearch::findDays(m_path, {3, Day, Day, QString()});
        QVERIFY(!locked);
        QVERIFY(!locked.error().isEmpty());
        QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
    }

    void searchLeavesTheSharedDatabaseStateAlone()
    {
        newDatabase();
        store(*m_db, 3, Day, {{1, QStringLiteral("Dupont")}});
        QVERIFY(Module1::dayLookup(1, Day - 1, m_path));
        const QString sql = Module1::state().SQL;
        const std::shared_ptr<DbConnection> db = Module1::state().DB;
        QCOMPARE(find(QStringLiteral("Dupont")), QList<qint32>{Day});
        QCOMPARE(Module1::state().SQL, sql);
        QCOMPARE(Module1::state().DB, db);
        QCOMPARE(Module1::state().RS.kind, Module1::Recordset::Kind::Day);
        Module1::closeDatabase();
    }
};

QTEST_GUILESS_MAIN(TestSearchCore)
#include "tst_searchcore.moc"
