// The lines of a week window day list for every slot length and absence
// state, the Monday a shown day opens, and the reading of a week.

#include "common/TestSupport.h"

#include "dayrecords/DayStore.h"
#include "dayrecords/Module1.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "week/WeekColumn.h"
#include "week/WeekDays.h"

#include <QSqlQuery>
#include <QTest>

namespace
{
using WeekColumn::AbsentFill;
using WeekColumn::AbsentLine;

const QString CrLf = QStringLiteral("\r\n");
constexpr int NoRecord = -1;

// Slot texts "P0" .. "P52".
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

std::optional<DayRecord> dayFor(int layout)
{
    if (layout == NoRecord) {
        return std::nullopt;
    }
    return record(layout == 1 || layout == 3, layout == 2 || layout == 3);
}

QStringList column(const std::optional<DayRecord>& day, int minutes)
{
    const auto lines = WeekColumn::lines(day, minutes);
    return lines ? *lines : QStringList{QStringLiteral("<nothing>")};
}
} // namespace

class TestWeekColumn : public QObject
{
    Q_OBJECT

private slots:
    // The 25 layouts: 5 slot lengths, without a record and in the 4 absence
    // states. Samples are "index|text".
    void layouts_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("samples");

        const QStringList allDay = {QStringLiteral("0|08h00 : "), QStringLiteral("3|") + AbsentLine,
                                    QStringLiteral("5|") + AbsentFill, QStringLiteral("10|14h00 : "),
                                    QStringLiteral("13|") + AbsentLine, QStringLiteral("15|") + AbsentFill};
        const auto row = [](const char* line) { return QString::fromUtf8(line); };

        QTest::newRow("10 no record") << 10 << NoRecord << 54
                                      << QStringList{row("0|08h00 : "), row("1|      10 : "), row("20|12h00 : "),
                                                     row("23|      30 : "), row("24|"), row("25|14h00 : "),
                                                     row("50|19h00 : "), row("53|      30 : ")};
        QTest::newRow("10 present") << 10 << 0 << 54
                                    << QStringList{row("0|08h00 : P0"), row("1|     10 : P1"), row("23|     30 : P23"),
                                                   row("24|"), row("25|14h00 : P24"), row("53|     30 : P52")};
        QTest::newRow("10 morning absent")
            << 10 << 1 << 36
            << QStringList{row("0|08h00 : "), row("1|") + AbsentFill, row("2|") + AbsentFill, row("3|") + AbsentLine,
                           row("4|") + AbsentFill, row("5|") + AbsentFill, row("6|"), row("7|14h00 : P24"),
                           row("8|     10 : P25"), row("35|     30 : P52")};
        QTest::newRow("10 afternoon absent")
            << 10 << 2 << 31
            << QStringList{row("0|08h00 : P0"), row("23|     30 : P23"), row("24|"), row("25|14h00 : "),
                           row("28|") + AbsentLine, row("30|") + AbsentFill};
        QTest::newRow("10 absent all day")
            << 10 << 3 << 16
            << (QStringList(allDay) << row("6|12h00 : ") << row("7|") << row("8|") + AbsentFill
                                    << row("9|") + AbsentFill);

        QTest::newRow("15 no record") << 15 << NoRecord << 54
                                      << QStringList{row("4|09h00 : "), row("5|      15 : "), row("23|      45 : "),
                                                     row("24|"), row("25|14h00 : "), row("53|21h00 : ")};
        QTest::newRow("15 present") << 15 << 0 << 54
                                    << QStringList{row("4|09h00 : P4"), row("5|      15 : P5"), row("24|"),
                                                   row("25|14h00 : P24"), row("53|21h00 : P52")};
        QTest::newRow("15 morning absent") << 15 << 1 << 36
                                           << QStringList{row("6|"), row("7|14h00 : P24"), row("35|21h00 : P52")};
        QTest::newRow("15 afternoon absent") << 15 << 2 << 31
                                             << QStringList{row("23|      45 : P23"), row("25|14h00 : "),
                                                            row("28|") + AbsentLine};
        QTest::newRow("15 absent all day")
            << 15 << 3 << 16
            << (QStringList(allDay) << row("6|12h00 : ") << row("7|") + AbsentFill << row("8|") + AbsentFill
                                    << row("9|"));

        QTest::newRow("20 no record") << 20 << NoRecord << 53
                                      << QStringList{row("1|      20 : "), row("17|      40 : "), row("18|"),
                                                     row("23|"), row("24|14h00 : "), row("45|21h00 : "),
                                                     row("46|"), row("52|")};
        QTest::newRow("20 present") << 20 << 0 << 54
                                    << QStringList{row("1|      20 : P1"), row("18|         : P18"), row("24|"),
                                                   row("25|14h00 : P24"), row("46|21h00 : P45"),
                                                   row("47|         : P46"), row("53|         : P52")};
        QTest::newRow("20 morning absent") << 20 << 1 << 36
                                           << QStringList{row("7|14h00 : P24"), row("35|         : P52")};
        QTest::newRow("20 afternoon absent") << 20 << 2 << 31
                                             << QStringList{row("18|         : P18"), row("24|"),
                                                            row("25|14h00 : ")};
        QTest::newRow("20 absent all day")
            << 20 << 3 << 16
            << (QStringList(allDay) << row("6|12h00 : ") << row("7|") + AbsentFill << row("9|"));

        QTest::newRow("30 no record") << 30 << NoRecord << 54
                                      << QStringList{row("1|      : "), row("2|      30 : "), row("3|      : "),
                                                     row("24|"), row("25|14h00 : "), row("53|21h00 : ")};
        QTest::newRow("30 present") << 30 << 0 << 54
                                    << QStringList{row("1|         : P1"), row("2|      30 : P2"),
                                                   row("53|21h00 : P52")};
        QTest::newRow("30 morning absent") << 30 << 1 << 36 << QStringList{row("8|         : P25")};
        QTest::newRow("30 afternoon absent") << 30 << 2 << 31 << QStringList{row("22|      30 : P22")};
        QTest::newRow("30 absent all day") << 30 << 3 << 16 << allDay;

        QTest::newRow("60 no record") << 60 << NoRecord << 54
                                      << QStringList{row("1|      : "), row("3|      : "), row("4|09h00 : "),
                                                     row("24|"), row("53|21h00 : ")};
        QTest::newRow("60 present") << 60 << 0 << 54
                                    << QStringList{row("3|         : P3"), row("4|09h00 : P4")};
        QTest::newRow("60 morning absent") << 60 << 1 << 36 << QStringList{row("7|14h00 : P24")};
        QTest::newRow("60 afternoon absent") << 60 << 2 << 31 << QStringList{row("20|13h00 : P20")};
        QTest::newRow("60 absent all day") << 60 << 3 << 16 << allDay;
    }

    void layouts()
    {
        QFETCH(int, minutes);
        QFETCH(int, layout);
        QFETCH(int, count);
        QFETCH(QStringList, samples);

        const QStringList lines = column(dayFor(layout), minutes);
        QCOMPARE(lines.size(), count);
        for (const QString& sample : samples) {
            const qsizetype bar = sample.indexOf(QLatin1Char('|'));
            const int index = sample.left(bar).toInt();
            QCOMPARE(lines.at(index), sample.mid(bar + 1));
        }
        // A state without a morning or an afternoon shows none of its texts.
        const QString shown = lines.join(QLatin1Char('\n'));
        QCOMPARE(shown.contains(QStringLiteral(": P0")), layout == 0 || layout == 2);
        QCOMPARE(shown.contains(QStringLiteral(": P52")), layout == 0 || layout == 1);
    }

    void labelsOfEachSlotLength()
    {
        for (const int minutes : {10, 15, 20, 30, 60}) {
            const QStringList labels = WeekColumn::slotLabels(minutes);
            QCOMPARE(labels.size(), 53);
            QCOMPARE(labels.at(0), QStringLiteral("08h00 : "));
            QCOMPARE(labels.at(24), QStringLiteral("14h00 : "));
            for (const QString& label : labels) {
                // "HHh00 : " (8), "     MM : " (10), "      MM : " or "         : " (11)
                QVERIFY2(label.endsWith(QStringLiteral(" : ")) || label == QStringLiteral("         : "),
                         qPrintable(label));
                QVERIFY2(label.size() == 8 || label.size() == (minutes == 10 ? 10 : 11), qPrintable(label));
            }
        }
        QCOMPARE(WeekColumn::slotLabels(15).at(52), QStringLiteral("21h00 : "));
        QCOMPARE(WeekColumn::slotLabels(10).at(52), QStringLiteral("     30 : "));
        QVERIFY(WeekColumn::slotLabels(0).isEmpty() && WeekColumn::emptyDayLabels(45).isEmpty());
    }

    void aSlotLengthTheColumnCannotShowLeavesTheList()
    {
        QVERIFY(!WeekColumn::lines(std::nullopt, 0));
        QVERIFY(!WeekColumn::lines(record(true, false), 0));
        QVERIFY(!WeekColumn::lines(record(false, false), 25));
    }

    // A stored day that the program never writes still fills a whole column.
    void faultyStoredDaysFillAWholeColumn()
    {
        // No RVOUS at all: the bare labels.
        DayRecord noTexts = record(false, false, QString());
        const QStringList bare = column(noTexts, 15);
        QCOMPARE(bare.size(), 54);
        QCOMPARE(bare.at(1), QStringLiteral("      15 : "));
        QCOMPARE(bare.at(53), QStringLiteral("21h00 : "));

        // Ten texts only: the rest bare.
        const QStringList shortDay = column(record(false, false, numberedTexts(10)), 15);
        QCOMPARE(shortDay.size(), 54);
        QCOMPARE(shortDay.at(9), QStringLiteral("      15 : P9"));
        QCOMPARE(shortDay.at(10), QStringLiteral("      30 : "));

        // Texts past the 53rd are not shown; a line break stays on one line.
        QStringList parts = numberedTexts(60).split(CrLf);
        parts[5] = QStringLiteral("Dupont\nJean");
        const QStringList longDay = column(record(false, false, parts.join(CrLf)), 15);
        QCOMPARE(longDay.size(), 54);
        QCOMPARE(longDay.at(53), QStringLiteral("21h00 : P52"));
        QCOMPARE(longDay.at(5), QStringLiteral("      15 : Dupont Jean"));

        // Flags stored without a value count as present.
        DayRecord unknownFlags = record(false, false);
        unknownFlags.flag(SideBox::Absent1).on.reset();
        unknownFlags.flag(SideBox::Absent2).on.reset();
        QCOMPARE(WeekColumn::absence(unknownFlags), WeekColumn::Absence::None);
        QCOMPARE(column(unknownFlags, 15).size(), 54);
        unknownFlags.flag(SideBox::Absent2).on = true;
        QCOMPARE(WeekColumn::absence(unknownFlags), WeekColumn::Absence::Afternoon);
    }

    void mondayOfTheWeekShown_data()
    {
        QTest::addColumn<qint32>("shown");
        QTest::addColumn<qint32>("monday");
        QTest::newRow("Wednesday 7 March 2007") << 39148 << 39146;
        QTest::newRow("Sunday 11 March 2007") << 39152 << 39146;
        QTest::newRow("Monday 5 March 2007: the week before") << 39146 << 39139;
        QTest::newRow("Tuesday 6 March 2007") << 39147 << 39146;
        QTest::newRow("Tuesday 31 December 2002") << 37621 << 37620;
        QTest::newRow("Monday 30 December 2002") << 37620 << 37620;
        QTest::newRow("Monday 6 January 2003") << 37627 << 37620;
        QTest::newRow("Tuesday 7 January 2003") << 37628 << 37627;
        QTest::newRow("1 January 1990") << 32874 << 37620;
        QTest::newRow("before 1900") << -20 << 37620;
    }

    void mondayOfTheWeekShown()
    {
        QFETCH(qint32, shown);
        QFETCH(qint32, monday);
        QCOMPARE(WeekDays::mondayFor(shown), monday);
        if (shown > 37627) {
            QCOMPARE(Dates::dateFromSerial(monday).dayOfWeek(), 1);
        }
    }

    void weekReadFromOneUsersTable()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        {
            const auto db = DbConnection::open(path);
            DayRecord monday = record(true, false);
            monday.agendate = 39146;
            DayRecord sunday = record(false, false, QStringLiteral("Dimanche"));
            sunday.agendate = 39152;
            DayRecord otherUser = sunday;
            otherUser.agendate = 39148;
            QVERIFY(DayStore::save(**db, 3, monday));
            QVERIFY(DayStore::save(**db, 3, sunday));
            QVERIFY(DayStore::save(**db, 2, otherUser));
            // A row written by something else than the program: no texts, no flags.
            QSqlQuery bare((*db)->database());
            QVERIFY(bare.exec(QStringLiteral("INSERT INTO RVOUS3 (AGENDATE) VALUES (39147)")));
        }

        const auto week = WeekDays::read(3, 39146, path);
        QVERIFY2(week, qPrintable(week.error()));
        QCOMPARE((*week)[0]->agendate, 39146);
        QVERIFY((*week)[0]->flag(SideBox::Absent1).isSet());
        // Found, shown as a present day with bare labels (10 minutes: "     10 : ").
        QVERIFY((*week)[1]);
        const QStringList bare = column((*week)[1], 10);
        QCOMPARE(bare.size(), 54);
        QCOMPARE(bare.at(1), QStringLiteral("     10 : "));
        for (std::size_t day = 2; day < 6; ++day) {
            QVERIFY(!(*week)[day]);
        }
        QCOMPARE((*week)[6]->rvous, QStringLiteral("Dimanche"));
        // The shared state is Sunday's lookup.
        const Module1::State& shared = Module1::state();
        QCOMPARE(shared.SQL, QStringLiteral("SELECT*FROM RVOUS3 ORDER BY AGENDATE"));
        QCOMPARE(shared.RS.current->agendate, 39152);
        QVERIFY(shared.DB);
    }

    void aWeekThatCannotBeReadSaysWhy()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();

        const auto missing = WeekDays::read(1, 39146, path + QStringLiteral(".absent"));
        QVERIFY(!missing);
        QVERIFY2(missing.error().contains(QStringLiteral("introuvable")), qPrintable(missing.error()));

        const auto noUser = WeekDays::read(0, 39146, path);
        QVERIFY(!noUser);
        QVERIFY(noUser.error().contains(QStringLiteral("Utilisateur 0")));

        {
            const auto db = DbConnection::open(path);
            QSqlQuery drop((*db)->database());
            QVERIFY(drop.exec(QStringLiteral("DROP TABLE RVOUS4")));
        }
        const auto noTable = WeekDays::read(4, 39146, path);
        QVERIFY(!noTable);
        QVERIFY2(noTable.error().contains(QStringLiteral("RVOUS4")), qPrintable(noTable.error()));

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
