#include "common/TestSupport.h"
#include "platform/Database.h"
#include "search/AppointmentSearch.h"
#include "search/LikePattern.h"
#include "search/SearchDates.h"

#include <QSqlQuery>
#include <QTest>

namespace
{
constexpr qint32 Day = 39148; // 7 March 2007
}

class TestSearchCore : public QObject
{
    Q_OBJECT

    TestEnv m_env;
    QString m_path = m_env.createAppointmentDatabase();

    QList<qint32> find(const QString& text, qint32 first, qint32 last)
    {
        const auto found = AppointmentSearch::findDays(m_path, {3, first, last, text});
        if (!found) {
            qFatal("search failed: %s", qPrintable(found.error()));
        }
        return *found;
    }

private slots:
    void cleanup() { DbConnection::setBusyTimeout(0); }

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
        QTest::newRow("range, accented letter") << "*[a-z]x*" << "éx" << true;
        QTest::newRow("range, accented capital") << "*[d-f]x*" << "Èx" << true;
        QTest::newRow("range, accented letter outside") << "*[a-d]x*" << "éx" << false;
        QTest::newRow("negated range, accented letter") << "*L[!a-z]*" << "Lé" << false;
        QTest::newRow("set member keeps its accent") << "*[e]x*" << "éx" << false;
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

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("day");

        const QDate march7(2007, 3, 7);
        QTest::newRow("short date") << "07/03/2007" << march7;
        QTest::newRow("one digit each") << "7/3/2007" << march7;
        QTest::newRow("dashes") << "07-03-2007" << march7;
        QTest::newRow("dots") << "7.3.2007" << march7;
        QTest::newRow("two digits, 07") << "7/3/07" << march7;
        QTest::newRow("two digits, 29") << "7/3/29" << QDate(2029, 3, 7);
        QTest::newRow("two digits, 30") << "7/3/30" << QDate(1930, 3, 7);
        QTest::newRow("month name") << "7 mars 2007" << march7;
        QTest::newRow("month name, capitals") << "7 MARS 2007" << march7;
        QTest::newRow("month name, accent") << "1er août 2007" << QDate(2007, 8, 1);
        QTest::newRow("1er, capitals") << "1ER MARS 2007" << QDate(2007, 3, 1);
        QTest::newRow("1er, mixed case") << "1Er mars 2007" << QDate(2007, 3, 1);
        QTest::newRow("month name, no accent") << "5 fevrier 07" << QDate(2007, 2, 5);
        QTest::newRow("long date") << "mercredi 7 mars 2007" << march7;
        QTest::newRow("time dropped") << " 07/03/2007  9:05:00 " << march7;
        QTest::newRow("time dropped, month name") << "7 mars 2007 10:30" << march7;
        QTest::newRow("minus year") << "01/03/-5" << QDate();
        QTest::newRow("plus signs") << "+7/+3/2007" << QDate();
        QTest::newRow("minus day") << "-7/3/2007" << QDate();
        QTest::newRow("mixed separators") << "7-3/2007" << QDate();
        QTest::newRow("three-digit year") << "7/3/207" << QDate();
        QTest::newRow("no year") << "7 mars" << QDate();
        QTest::newRow("no such month") << "7 marzo 2007" << QDate();
        QTest::newRow("wrong day name") << "lundi 7 mars 2007" << QDate();
        QTest::newRow("er after the 7th") << "7er mars 2007" << QDate();
        QTest::newRow("er after the 21st") << "21er mars 2007" << QDate();
        QTest::newRow("er after the 31st") << "31er mars 2007" << QDate();
        QTest::newRow("no such day") << "31/02/2007" << QDate();
        QTest::newRow("no such time") << "07/03/2007 25:00" << QDate();
        QTest::newRow("words after") << "07/03/2007 midi" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, day);
        QCOMPARE(SearchDates::parse(text).value_or(QDate()), day);
    }

    void oneDayOnceAscendingWhicheverEndComesFirst()
    {
        const auto db = DbConnection::open(m_path);
        QSqlQuery query((*db)->database());
        // A foreign file without the unique index on AGENDATE, out of order; the
        // day after holds "Dupont" everywhere but in its slots.
        for (const char* sql : {"CREATE TABLE copy AS SELECT * FROM RVOUS3", "DROP TABLE RVOUS3",
                                "ALTER TABLE copy RENAME TO rvous3"}) {
            QVERIFY(query.exec(QString::fromLatin1(sql)));
        }
        const QString rows = QStringLiteral("(%3, 'dupont'), (%1, 'Dupont'), (%1, 'x'), (%1, 'Dupont'), (%4, 'Dupont')");
        QVERIFY(query.exec(QStringLiteral("INSERT INTO rvous3 (AGENDATE, RVOUS) VALUES ") + rows.arg(Day).arg(Day + 2).arg(Day + 3)));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO rvous3 VALUES (%1, 'x', 'Dupont', 'Dupont', 1, 'Dupont', 1, 'Dupont', 1, "
                                          "'Dupont', 1, 'Dupont', NULL)").arg(Day + 1)));
        const QList<qint32> found = {Day, Day + 2};
        QCOMPARE(find(QStringLiteral("Dupont"), Day, Day + 2), found);
        QCOMPARE(find(QStringLiteral("Dupont"), Day + 2, Day), found);
        QCOMPARE(find(QString(), Day, Day + 2), (QList<qint32>{Day, Day + 1, Day + 2}));
    }

    void aTableMissingOrLockedIsSaidInFrench()
    {
        const auto db = DbConnection::open(m_path);
        QSqlQuery query((*db)->database());
        QVERIFY(query.exec(QStringLiteral("DROP TABLE RVOUS4")));
        const auto noTable = AppointmentSearch::findDays(m_path, {4, Day, Day, QString()});
        QVERIFY2(!noTable && noTable.error().contains(QStringLiteral("RVOUS4")), qPrintable(noTable.error()));

        DbConnection::setBusyTimeout(1);
        QVERIFY(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO RVOUS3 (AGENDATE, RVOUS) VALUES (1, 'x')")));
        const auto locked = AppointmentSearch::findDays(m_path, {3, Day, Day, QString()});
        QVERIFY2(!locked && locked.error().contains(QStringLiteral("verrouillée")), qPrintable(locked.error()));
        QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
    }
};

QTEST_GUILESS_MAIN(TestSearchCore)
#include "tst_searchcore.moc"
