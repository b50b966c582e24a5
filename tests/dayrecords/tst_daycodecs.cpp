#include "dayrecords/DayLoader.h"
#include "dayrecords/DayRecord.h"
#include "dayrecords/DayView.h"
#include "dayrecords/GridLabels.h"

#include <QTest>

namespace
{
const QString CrLf = QStringLiteral("\r\n");

// The time labels of the 53 rows for slot codes 0..4 (10, 15, 20, 30 and 60
// minutes), as the grid must show them.
const char* const ExpectedLabels[53][5] = {
        {"08h 00", "08h 00", "08h 00", "08h 00", "08h 00"}, // 0
        {"10", "15", "20", "", ""}, // 1
        {"20", "30", "40", "30", ""}, // 2
        {"30", "45", "09h 00", "", ""}, // 3
        {"40", "09h 00", "20", "09h 00", "09h 00"}, // 4
        {"09h 00", "15", "40", "", ""}, // 5
        {"10", "30", "10h 00", "30", ""}, // 6
        {"20", "45", "20", "", ""}, // 7
        {"30", "10h 00", "40", "10h 00", "10h 00"}, // 8
        {"40", "15", "11h 00", "", ""}, // 9
        {"10h 00", "30", "20", "30", ""}, // 10
        {"10", "45", "40", "", ""}, // 11
        {"20", "11h 00", "12h 00", "11h 00", "11h 00"}, // 12
        {"30", "15", "20", "", ""}, // 13
        {"40", "30", "40", "30", ""}, // 14
        {"11h 00", "45", "13h 00", "", ""}, // 15
        {"10", "12h 00", "20", "12h 00", "12h 00"}, // 16
        {"20", "15", "40", "", ""}, // 17
        {"30", "30", "", "30", ""}, // 18
        {"40", "45", "", "", ""}, // 19
        {"12h 00", "13h 00", "", "13h 00", "13h 00"}, // 20
        {"10", "15", "", "", ""}, // 21
        {"20", "30", "", "30", ""}, // 22
        {"30", "45", "", "", ""}, // 23
        {"14h 00", "14h 00", "14h 00", "14h 00", "14h 00"}, // 24
        {"10", "15", "20", "", ""}, // 25
        {"20", "30", "40", "30", ""}, // 26
        {"30", "45", "15h 00", "", ""}, // 27
        {"40", "15h 00", "20", "15h 00", "15h 00"}, // 28
        {"15h 00", "15", "40", "", ""}, // 29
        {"10", "30", "16h 00", "30", ""}, // 30
        {"20", "45", "20", "", ""}, // 31
        {"30", "16h 00", "40", "16h 00", "16h 00"}, // 32
        {"40", "15", "17h 00", "", ""}, // 33
        {"16h 00", "30", "20", "30", ""}, // 34
        {"10", "45", "40", "", ""}, // 35
        {"20", "17h 00", "18h 00", "17h 00", "17h 00"}, // 36
        {"30", "15", "20", "", ""}, // 37
        {"40", "30", "40", "30", ""}, // 38
        {"17h 00", "45", "19h 00", "", ""}, // 39
        {"10", "18h 00", "20", "18h 00", "18h 00"}, // 40
        {"20", "15", "40", "", ""}, // 41
        {"30", "30", "20h 00", "30", ""}, // 42
        {"40", "45", "20", "", ""}, // 43
        {"18h 00", "19h 00", "40", "19h 00", "19h 00"}, // 44
        {"10", "15", "21h 00", "", ""}, // 45
        {"20", "30", "", "30", ""}, // 46
        {"30", "45", "", "", ""}, // 47
        {"40", "20h 00", "", "20h 00", "20h 00"}, // 48
        {"19h 00", "15", "", "", ""}, // 49
        {"10", "30", "", "30", ""}, // 50
        {"20", "45", "", "", ""}, // 51
        {"30", "21h 00", "", "21h 00", "21h 00"}, // 52
};

QStringList expectedColumn(int code)
{
    QStringList column;
    for (const auto& row : ExpectedLabels) {
        column.append(QString::fromLatin1(row[code]));
    }
    return column;
}

QStringList slots53()
{
    QStringList texts;
    for (int k = 0; k < DayGridShape::SlotCount; ++k) {
        texts.append(QString());
    }
    return texts;
}

// A stored day with every field filled.
DayRecord storedDay()
{
    DayRecord record;
    record.agendate = 39148;
    QStringList texts = slots53();
    texts[0] = QStringLiteral("Dupont");
    texts[24] = QStringLiteral("Lefèvre Œdipe");
    texts[52] = QStringLiteral("X");
    record.rvous = SlotTextList::encode(texts);
    record.postit = QStringLiteral("Rappeler le labo\r\navant midi");
    record.bloc = QStringLiteral("Appendicite 8h");
    record.flag(SideBox::Absent1) = DayFlag{true, QStringLiteral("CONGRÈS")};
    record.flag(SideBox::Absent2) = DayFlag{false, QStringLiteral("ancien texte")};
    record.flag(SideBox::Echo1) = DayFlag{true, QStringLiteral("3 échos")};
    record.flag(SideBox::Echo2) = DayFlag{std::nullopt, std::nullopt};
    std::array<int, DayGridShape::SlotCount> ticks{};
    ticks[0] = 1;
    ticks[30] = 2;
    record.coche = SlotTickList::encode(ticks);
    return record;
}
} // namespace

class TestDayCodecs : public QObject
{
    Q_OBJECT

private slots:
    void emptyDayEncodings()
    {
        const QString rvous = SlotTextList::encode(slots53());
        QCOMPARE(rvous.size(), 104);
        QCOMPARE(rvous, CrLf.repeated(52));

        const QString coche = SlotTickList::encode({});
        QCOMPARE(coche.size(), 157);
        QVERIFY(coche.startsWith(QStringLiteral("0\r\n0")));
        QVERIFY(coche.endsWith(QStringLiteral("\r\n0")));
        QCOMPARE(coche.count(CrLf), 52);
        QCOMPARE(coche.count(QLatin1Char('0')), 53);

        // Fewer texts than rows still give 53 parts.
        QCOMPARE(SlotTextList::encode({}), rvous);
    }

    void firstEmptyLastX()
    {
        QStringList texts = slots53();
        texts[52] = QStringLiteral("X");
        const QString rvous = SlotTextList::encode(texts);
        QVERIFY(rvous.startsWith(CrLf));
        QVERIFY(rvous.endsWith(QStringLiteral("\r\nX")));
        QCOMPARE(rvous.size(), 105);
        QCOMPARE(SlotTextList::decode(rvous).at(52), QStringLiteral("X"));
    }

    void moreThan53PartsReadTheFirst53()
    {
        QStringList texts;
        for (int k = 0; k < 54; ++k) {
            texts.append(QStringLiteral("p%1").arg(k));
        }
        const QString stored = texts.join(CrLf);
        QCOMPARE(SlotTextList::split(stored).size(), 54);
        const QStringList read = SlotTextList::decode(stored);
        QCOMPARE(read.size(), 53);
        QCOMPARE(read.first(), QStringLiteral("p0"));
        QCOMPARE(read.last(), QStringLiteral("p52"));
        const QString rewritten = SlotTextList::encode(read);
        QCOMPARE(rewritten.count(CrLf), 52);
        QVERIFY(!rewritten.contains(QStringLiteral("p53")));
    }

    void malformedListsReadEmptyAndUnticked()
    {
        // An empty text has no part at all.
        QCOMPARE(SlotTextList::split(QString()).size(), 0);
        QCOMPARE(SlotTextList::decode(QString()), slots53());

        const QStringList shortList = SlotTextList::decode(QStringLiteral("a\r\nb"));
        QCOMPARE(shortList.size(), 53);
        QCOMPARE(shortList.at(1), QStringLiteral("b"));
        QCOMPARE(shortList.at(2), QString());

        // Only CR LF separates: a lone LF or CR stays inside the part.
        QCOMPARE(SlotTextList::decode(QStringLiteral("a\nb\r\nc")).at(0), QStringLiteral("a\nb"));

        const auto ticks = SlotTickList::decode(QStringLiteral("1\r\n2\r\nx\r\n3\r\n-1\r\n\r\n 1 \r\n1.5"));
        QCOMPARE(ticks[0], 1);
        QCOMPARE(ticks[1], 2);
        QCOMPARE(ticks[2], 0); // not a number
        QCOMPARE(ticks[3], 0); // not a tick value
        QCOMPARE(ticks[4], 0);
        QCOMPARE(ticks[5], 0); // empty part
        QCOMPARE(ticks[6], 1);
        QCOMPARE(ticks[7], 0);
        for (std::size_t k = 8; k < ticks.size(); ++k) {
            QCOMPARE(ticks[k], 0);
        }
        QCOMPARE(SlotTickList::decode(QString()), (std::array<int, DayGridShape::SlotCount>{}));
    }

    void lineBreakNeverReachesTheList()
    {
        QStringList texts = slots53();
        texts[3] = QStringLiteral("Martin\r\nPaul");
        texts[4] = QStringLiteral("a\nb\rc");
        const QString rvous = SlotTextList::encode(texts);
        QCOMPARE(rvous.count(CrLf), 52);
        const QStringList read = SlotTextList::decode(rvous);
        QCOMPARE(read.at(3), QStringLiteral("Martin Paul"));
        QCOMPARE(read.at(4), QStringLiteral("a b c"));
        QCOMPARE(SlotTextList::oneLine(QStringLiteral("sans saut")), QStringLiteral("sans saut"));
    }

    void queryTexts()
    {
        QCOMPARE(DayQuery::criterion(39148), QStringLiteral("AGENDATE=39148"));
        QCOMPARE(DayQuery::criterion(-5), QStringLiteral("AGENDATE=-5"));
        for (int user = 1; user <= 6; ++user) {
            QCOMPARE(DayQuery::tableQuery(user),
                     QStringLiteral("SELECT*FROM RVOUS%1 ORDER BY AGENDATE").arg(user));
        }
        QCOMPARE(DayQuery::tableQuery(4), QStringLiteral("SELECT*FROM RVOUS4 ORDER BY AGENDATE"));
        QVERIFY(DayQuery::tableQuery(0).isEmpty());
        QVERIFY(DayQuery::tableName(7).isEmpty());
        QCOMPARE(DayFields::flagTextField(SideBox::Echo2), QStringLiteral("ECHO2_TXT"));
    }

    void labelTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("labelled");
        QTest::newRow("10 minutes") << 0 << 10 << 53;
        QTest::newRow("15 minutes") << 1 << 15 << 53;
        QTest::newRow("20 minutes") << 2 << 20 << 40;
        QTest::newRow("30 minutes") << 3 << 30 << 27;
        QTest::newRow("60 minutes") << 4 << 60 << 14;
    }

    void labelTable()
    {
        QFETCH(int, code);
        QFETCH(int, minutes);
        QFETCH(int, labelled);
        QCOMPARE(GridLabels::minutesForCode(code), std::optional<int>(minutes));
        const QStringList labels = GridLabels::labels(code);
        const QStringList expected = expectedColumn(code);
        QCOMPARE(labels.size(), 53);
        for (int row = 0; row < 53; ++row) {
            QVERIFY2(labels.at(row) == expected.at(row),
                     qPrintable(QStringLiteral("row %1: \"%2\" instead of \"%3\"")
                                    .arg(row).arg(labels.at(row), expected.at(row))));
            QCOMPARE(GridLabels::rowTime(code, row).has_value(), !expected.at(row).isEmpty());
        }
        int nonEmpty = 0;
        for (const QString& label : labels) {
            if (!label.isEmpty()) {
                ++nonEmpty;
                QVERIFY(label.size() == 2 || (label.size() == 6 && label.count(QLatin1Char(' ')) == 1));
            }
            QVERIFY(label != QStringLiteral("50"));
        }
        QCOMPARE(nonEmpty, labelled);
        QCOMPARE(labels.at(0), QStringLiteral("08h 00"));
        QCOMPARE(labels.at(24), QStringLiteral("14h 00"));
    }

    void rowTimes()
    {
        QCOMPARE(GridLabels::rowTime(0, 23), std::optional<QTime>(QTime(12, 30)));
        QCOMPARE(GridLabels::rowTime(0, 52), std::optional<QTime>(QTime(19, 30)));
        QCOMPARE(GridLabels::rowTime(1, 52), std::optional<QTime>(QTime(21, 0)));
        QCOMPARE(GridLabels::rowTime(2, 17), std::optional<QTime>(QTime(13, 40)));
        QCOMPARE(GridLabels::rowTime(2, 45), std::optional<QTime>(QTime(21, 0)));
        QVERIFY(!GridLabels::rowTime(2, 46));
        QVERIFY(!GridLabels::rowTime(4, 21));
        QVERIFY(!GridLabels::rowTime(1, 53));
        QVERIFY(!GridLabels::rowTime(1, -1));
    }

    void codesOutsideTheTableGiveNothing()
    {
        for (const int code : {5, -1}) {
            QVERIFY(!GridLabels::minutesForCode(code));
            QVERIFY(GridLabels::labels(code).isEmpty());
            QVERIFY(!GridLabels::rowTime(code, 0));
        }
    }

    void initialLabels()
    {
        const QStringList initial = GridLabels::initialLabels();
        QCOMPARE(initial.size(), 53);
        QCOMPARE(initial.at(24), QStringLiteral("14h 00"));
        QCOMPARE(initial.at(28), QStringLiteral("15h00"));
        QCOMPARE(initial.at(52), QStringLiteral("21h00"));
        QCOMPARE(initial.at(20), QStringLiteral("13h 00"));
        const QStringList quarter = expectedColumn(1);
        for (int row = 0; row < 53; ++row) {
            if (row > 24 && row % 4 == 0) {
                QCOMPARE(initial.at(row), QString(quarter.at(row)).remove(QLatin1Char(' ')));
            } else {
                QCOMPARE(initial.at(row), quarter.at(row));
            }
        }
    }

    void fillWritesTheShownDay()
    {
        DayScreen screen;
        screen.setShownDayCaption(QStringLiteral("39148"));
        screen.setSlotText(0, QStringLiteral("Dupont"));
        screen.setSlotText(52, QStringLiteral("X"));
        screen.setTickValue(1, 1);
        screen.setPostit(QStringLiteral("ligne 1\r\nligne 2"));
        screen.setBoxVisible(SideBox::Absent1, true);
        screen.setBoxText(SideBox::Absent1, QString()); // shown with an empty text
        screen.setBoxText(SideBox::Absent2, QStringLiteral("caché"));
        screen.setBoxVisible(SideBox::Echo2, true);
        screen.setBoxText(SideBox::Echo2, QStringLiteral("écho"));

        const DayRecord record = DayLoader::FillDayRecord(screen);
        QCOMPARE(record.agendate, 39148);
        QVERIFY(record.rvous.startsWith(QStringLiteral("Dupont\r\n")));
        QVERIFY(record.rvous.endsWith(QStringLiteral("\r\nX")));
        QCOMPARE(record.postit, QStringLiteral("ligne 1\r\nligne 2"));
        QCOMPARE(record.bloc, QString());
        QCOMPARE(record.flag(SideBox::Absent1), (DayFlag{true, QString()}));
        QVERIFY(record.flag(SideBox::Absent1).text->isEmpty());
        // A hidden box writes False and no text, whatever it holds.
        QCOMPARE(record.flag(SideBox::Absent2), (DayFlag{false, std::nullopt}));
        QCOMPARE(record.flag(SideBox::Echo1), (DayFlag{false, std::nullopt}));
        QCOMPARE(record.flag(SideBox::Echo2), (DayFlag{true, QStringLiteral("écho")}));
        QCOMPARE(record.coche.left(6), QStringLiteral("0\r\n1\r\n"));
        QCOMPARE(record.coche.size(), 157);
    }

    void loadingAnEmptyDayEqualsClearing()
    {
        DayRecord empty;
        empty.rvous = CrLf.repeated(52);
        empty.coche = SlotTickList::encode({});
        for (const SideBox box : AllSideBoxes) {
            empty.flag(box).on = false;
        }

        DayScreen loaded = filledScreen();
        DayScreen cleared = filledScreen();
        DayLoader::LoadDayRecord(empty, loaded);
        DayLoader::ClearDayGrid(cleared);
        QVERIFY(loaded == cleared);
        for (int row = 0; row < 53; ++row) {
            QCOMPARE(cleared.slotText(row), QString());
            QCOMPARE(cleared.tickValue(row), 0);
        }
        for (const SideBox box : AllSideBoxes) {
            QVERIFY(!cleared.boxVisible(box));
        }
        // Hidden boxes keep their texts; the shown day is not touched.
        QCOMPARE(cleared.boxText(SideBox::Echo1), QStringLiteral("écho du matin"));
        QCOMPARE(cleared.shownDayCaption(), QStringLiteral("40000"));
    }

    void loadShowsTheRecord()
    {
        DayScreen screen = filledScreen();
        DayLoader::LoadDayRecord(storedDay(), screen);
        QCOMPARE(screen.slotText(0), QStringLiteral("Dupont"));
        QCOMPARE(screen.slotText(24), QStringLiteral("Lefèvre Œdipe"));
        QCOMPARE(screen.slotText(1), QString());
        QCOMPARE(screen.postit(), QStringLiteral("Rappeler le labo\r\navant midi"));
        QVERIFY(screen.boxVisible(SideBox::Absent1));
        QCOMPARE(screen.boxText(SideBox::Absent1), QStringLiteral("CONGRÈS"));
        // A False flag hides the box and leaves its text; the stored text is not read.
        QVERIFY(!screen.boxVisible(SideBox::Absent2));
        QCOMPARE(screen.boxText(SideBox::Absent2), QStringLiteral("ABSENT"));
        // No value at all hides too.
        QVERIFY(!screen.boxVisible(SideBox::Echo2));
        QCOMPARE(screen.tickValue(0), 1);
        QCOMPARE(screen.tickValue(30), 2);
        QCOMPARE(screen.shownDayCaption(), QStringLiteral("40000")); // LoadDayRecord leaves Label2

        // What a save right after the load writes is what was loaded.
        screen.setShownDayCaption(QStringLiteral("39148"));
        const DayRecord again = DayLoader::FillDayRecord(screen);
        const DayRecord stored = storedDay();
        QCOMPARE(again.rvous, stored.rvous);
        QCOMPARE(again.coche, stored.coche);
        QCOMPARE(again.postit, stored.postit);
        QCOMPARE(again.flag(SideBox::Absent1), stored.flag(SideBox::Absent1));
        QCOMPARE(again.flag(SideBox::Absent2).on, std::optional<bool>(false));
    }

    void loadToleratesMalformedValues()
    {
        DayRecord odd;
        odd.rvous = QStringLiteral("seul");             // one part
        odd.coche = QStringLiteral("1\r\ndeux\r\n9");    // three parts, two unreadable
        odd.flag(SideBox::Echo2) = DayFlag{true, std::nullopt}; // True with no text
        DayScreen screen = filledScreen();
        DayLoader::LoadDayRecord(odd, screen);
        QCOMPARE(screen.slotText(0), QStringLiteral("seul"));
        for (int row = 1; row < 53; ++row) {
            QCOMPARE(screen.slotText(row), QString());
        }
        QCOMPARE(screen.tickValue(0), 1);
        QCOMPARE(screen.tickValue(1), 0);
        QCOMPARE(screen.tickValue(2), 0);
        QCOMPARE(screen.tickValue(40), 0);
        QVERIFY(screen.boxVisible(SideBox::Echo2));
        QCOMPARE(screen.boxText(SideBox::Echo2), QString());
        QCOMPARE(screen.postit(), QString());
    }

    void loadFoundMakesItTheShownDay()
    {
        DayScreen screen = filledScreen();
        DayLoader::LoadFoundDayRecord(storedDay(), screen);
        QCOMPARE(screen.shownDayCaption(), QStringLiteral("39148"));
        QCOMPARE(screen.longDateCaption(), QStringLiteral("mercredi 7 mars 2007"));
        QCOMPARE(screen.slotText(52), QStringLiteral("X"));
    }

private:
    static DayScreen filledScreen()
    {
        DayScreen screen;
        screen.setShownDayCaption(QStringLiteral("40000"));
        for (int row = 0; row < 53; ++row) {
            screen.setSlotText(row, QStringLiteral("ancien %1").arg(row));
            screen.setTickValue(row, 1);
        }
        screen.setPostit(QStringLiteral("ancien post-it"));
        screen.setBloc(QStringLiteral("ancien bloc"));
        for (const SideBox box : AllSideBoxes) {
            screen.setBoxVisible(box, true);
            screen.setBoxText(box, QStringLiteral("ABSENT"));
        }
        screen.setBoxText(SideBox::Echo1, QStringLiteral("écho du matin"));
        return screen;
    }
};

QTEST_GUILESS_MAIN(TestDayCodecs)
#include "tst_daycodecs.moc"
