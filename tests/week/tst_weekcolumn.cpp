// The lines of a week window day list for every slot length and absence
// state, the Monday a shown day opens, a week that cannot be read.

#include "common/TestSupport.h"

#include "platform/Database.h"
#include "week/WeekColumn.h"
#include "week/WeekDays.h"

#include <QSqlQuery>
#include <QTest>

namespace
{
const QString CrLf = QStringLiteral("\r\n");
constexpr int NoRecord = -1;

// Slot texts "P0" .. "P<count - 1>".
QString numberedTexts(int count = 53)
{
    QStringList parts;
    for (int k = 0; k < count; ++k) {
        parts << QStringLiteral("P%1").arg(k);
    }
    return parts.join(CrLf);
}

DayRecord record(bool morningAbsent, bool afternoonAbsent, const QString& rvous = numberedTexts())
{
    DayRecord day;
    day.rvous = rvous;
    day.flag(SideBox::Absent1).on = morningAbsent;
    day.flag(SideBox::Absent2).on = afternoonAbsent;
    return day;
}

QStringList column(const std::optional<DayRecord>& day, int minutes)
{
    return WeekColumn::lines(day, minutes).value_or(QStringList{QStringLiteral("<nothing>")});
}
} // namespace

class TestWeekColumn : public QObject
{
    Q_OBJECT

private slots:
    // The 25 layouts: 5 slot lengths, without a record and in the 4 absence
    // states (0 present, 1 morning, 2 afternoon, 3 all day absent). Samples
    // are "line=text" joined by "|"; ABSENT and FILL stand for the absence
    // line and the rows around it.
    void layouts_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("samples");

        const QString allDay = QStringLiteral("0=08h00 : |3=ABSENT|5=FILL|10=14h00 : |13=ABSENT|15=FILL|6=12h00 : ");
        QTest::newRow("10 no record") << 10 << NoRecord << 54
                                      << "0=08h00 : |1=      10 : |20=12h00 : |23=      30 : |24=|25=14h00 : "
                                         "|50=19h00 : |53=      30 : ";
        QTest::newRow("10 present") << 10 << 0 << 54
                                    << "0=08h00 : P0|1=     10 : P1|23=     30 : P23|24=|25=14h00 : P24"
                                       "|53=     30 : P52";
        QTest::newRow("10 morning") << 10 << 1 << 36
                                    << "0=08h00 : |1=FILL|2=FILL|3=ABSENT|4=FILL|5=FILL|6=|7=14h00 : P24"
                                       "|8=     10 : P25|35=     30 : P52";
        QTest::newRow("10 afternoon") << 10 << 2 << 31
                                      << "0=08h00 : P0|23=     30 : P23|24=|25=14h00 : |28=ABSENT|30=FILL";
        QTest::newRow("10 all day") << 10 << 3 << 16 << allDay + QLatin1String("|7=|8=FILL|9=FILL");

        QTest::newRow("15 no record") << 15 << NoRecord << 54
                                      << "4=09h00 : |5=      15 : |23=      45 : |24=|25=14h00 : |53=21h00 : ";
        QTest::newRow("15 present") << 15 << 0 << 54
                                    << "4=09h00 : P4|5=      15 : P5|24=|25=14h00 : P24|53=21h00 : P52";
        QTest::newRow("15 morning") << 15 << 1 << 36 << "6=|7=14h00 : P24|35=21h00 : P52";
        QTest::newRow("15 afternoon") << 15 << 2 << 31 << "23=      45 : P23|25=14h00 : |28=ABSENT";
        QTest::newRow("15 all day") << 15 << 3 << 16 << allDay + QLatin1String("|7=FILL|8=FILL|9=");

        QTest::newRow("20 no record") << 20 << NoRecord << 53
                                      << "1=      20 : |17=      40 : |18=|23=|24=14h00 : |45=21h00 : |46=|52=";
        QTest::newRow("20 present") << 20 << 0 << 54
                                    << "1=      20 : P1|18=         : P18|24=|25=14h00 : P24|46=21h00 : P45"
                                       "|47=         : P46|53=         : P52";
        QTest::newRow("20 morning") << 20 << 1 << 36 << "7=14h00 : P24|35=         : P52";
        QTest::newRow("20 afternoon") << 20 << 2 << 31 << "18=         : P18|24=|25=14h00 : ";
        QTest::newRow("20 all day") << 20 << 3 << 16 << allDay + QLatin1String("|7=FILL|9=");

        QTest::newRow("30 no record") << 30 << NoRecord << 54
                                      << "1=      : |2=      30 : |3=      : |24=|25=14h00 : |53=21h00 : ";
        QTest::newRow("30 present") << 30 << 0 << 54 << "1=         : P1|2=      30 : P2|53=21h00 : P52";
        QTest::newRow("30 morning") << 30 << 1 << 36 << "8=         : P25";
        QTest::newRow("30 afternoon") << 30 << 2 << 31 << "22=      30 : P22";
        QTest::newRow("30 all day") << 30 << 3 << 16 << allDay;

        QTest::newRow("60 no record") << 60 << NoRecord << 54 << "1=      : |3=      : |4=09h00 : |24=|53=21h00 : ";
        QTest::newRow("60 present") << 60 << 0 << 54 << "3=         : P3|4=09h00 : P4";
        QTest::newRow("60 morning") << 60 << 1 << 36 << "7=14h00 : P24";
        QTest::newRow("60 afternoon") << 60 << 2 << 31 << "20=13h00 : P20";
        QTest::newRow("60 all day") << 60 << 3 << 16 << allDay;
    }

    void layouts()
    {
        QFETCH(int, minutes);
        QFETCH(int, layout);
        QFETCH(int, count);
        QFETCH(QString, samples);

        const bool morning = layout == 1 || layout == 3;
        const bool afternoon = layout == 2 || layout == 3;
        const auto day = layout == NoRecord ? std::nullopt : std::optional(record(morning, afternoon));
        const QStringList lines = column(day, minutes);
        QCOMPARE(lines.size(), count);
        for (const QString& sample : samples.split(QLatin1Char('|'))) {
            const qsizetype equals = sample.indexOf(QLatin1Char('='));
            QString expected = sample.mid(equals + 1);
            if (expected == QLatin1String("ABSENT")) {
                expected = QStringLiteral("XXXXX  ABSENT  XXXXX");
            } else if (expected == QLatin1String("FILL")) {
                expected = QString(18, QLatin1Char('X'));
            }
            QCOMPARE(lines.at(sample.left(equals).toInt()), expected);
        }
        // An absent half-day shows none of its texts.
        const QString shown = lines.join(QLatin1Char('\n'));
        QCOMPARE(shown.contains(QStringLiteral(": P0")), layout == 0 || layout == 2);
        QCOMPARE(shown.contains(QStringLiteral(": P52")), layout == 0 || layout == 1);
    }

    // A stored day the program never writes still fills a whole column.
    void shortAndLongStoredDaysFillAWholeColumn()
    {
        QStringList sixty = numberedTexts(60).split(CrLf);
        sixty[5] = QStringLiteral("Dupont\nJean");
        const QStringList shortDay = column(record(false, false, numberedTexts(10)), 15);
        const QStringList longDay = column(record(false, false, sixty.join(CrLf)), 15);
        QCOMPARE(shortDay.size(), 54);
        QCOMPARE(shortDay.at(9), QStringLiteral("      15 : P9"));
        QCOMPARE(shortDay.at(10), QStringLiteral("      30 : "));
        QCOMPARE(longDay.size(), 54);
        QCOMPARE(longDay.at(5), QStringLiteral("      15 : Dupont Jean"));
        QCOMPARE(longDay.at(53), QStringLiteral("21h00 : P52"));
    }

    void mondayOfTheWeekShown_data()
    {
        QTest::addColumn<qint32>("shown");
        QTest::addColumn<qint32>("monday");
        QTest::newRow("Wednesday 7 March 2007") << 39148 << 39146;
        QTest::newRow("Sunday 11 March 2007") << 39152 << 39146;
        QTest::newRow("Monday 5 March 2007: the week before") << 39146 << 39139;
        QTest::newRow("Monday 6 January 2003") << 37627 << 37620;
        QTest::newRow("Tuesday 7 January 2003") << 37628 << 37627;
        QTest::newRow("before 1900") << -20 << 37620;
    }

    void mondayOfTheWeekShown()
    {
        QFETCH(qint32, shown);
        QFETCH(qint32, monday);
        QCOMPARE(WeekDays::mondayFor(shown), monday);
    }

    // Missing files and tables, NULL texts and flags are met through the week
    // window's tests.
    void aLockedDatabaseSaysSo()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        // Another workstation in the middle of a save.
        const auto other = DbConnection::open(path);
        QSqlQuery writing((*other)->database());
        DbConnection::setBusyTimeout(1);
        QVERIFY(writing.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(writing.exec(QStringLiteral("INSERT INTO RVOUS3 (AGENDATE, RVOUS) VALUES (39146, 'x')")));
        const auto locked = WeekDays::read(3, 39146, path);
        QVERIFY(!locked);
        QVERIFY2(locked.error().contains(QStringLiteral("verrouillée")), qPrintable(locked.error()));
        QVERIFY(writing.exec(QStringLiteral("ROLLBACK")));
        DbConnection::setBusyTimeout(0);
    }
};

QTEST_GUILESS_MAIN(TestWeekColumn)
#include "tst_weekcolumn.moc"
