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

// A stored day: a slot text, a shown banner, a hidden one with its own text, a flag without value.
DayRecord storedDay()
{
    DayRecord record;
    record.agendate = 39148;
    QStringList texts(DayGridShape::SlotCount);
    texts[24] = QStringLiteral("Lefèvre Œdipe");
    record.rvous = SlotTextList::encode(texts);
    record.flag(SideBox::Absent1) = DayFlag{true, QStringLiteral("CONGRÈS")};
    record.flag(SideBox::Absent2) = DayFlag{false, QStringLiteral("ancien texte")};
    record.flag(SideBox::Echo2) = DayFlag{std::nullopt, std::nullopt};
    return record;
}
} // namespace

class TestDayCodecs : public QObject
{
    Q_OBJECT

private slots:
    void emptyDayEncodings()
    {
        const QString rvous = SlotTextList::encode(QStringList(DayGridShape::SlotCount));
        QCOMPARE(rvous.size(), 104);
        QCOMPARE(rvous, CrLf.repeated(52));
        QCOMPARE(SlotTextList::encode({}), rvous); // fewer texts than rows still give 53 parts

        const QString coche = SlotTickList::encode({});
        QCOMPARE(coche.size(), 157);
        QCOMPARE(coche, QStringLiteral("0") + QStringLiteral("\r\n0").repeated(52));

        // Slot 0 empty, slot 52 "X".
        QStringList texts(DayGridShape::SlotCount);
        texts[52] = QStringLiteral("X");
        QCOMPARE(SlotTextList::encode(texts), CrLf.repeated(52) + QStringLiteral("X"));
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
        QCOMPARE(read, texts.mid(0, 53));
    }

    void malformedListsReadEmptyAndUnticked()
    {
        // An empty text has no part at all.
        QCOMPARE(SlotTextList::split(QString()).size(), 0);
        QStringList shortList(DayGridShape::SlotCount);
        shortList[0] = QStringLiteral("a");
        shortList[1] = QStringLiteral("b");
        QCOMPARE(SlotTextList::decode(QStringLiteral("a\r\nb")), shortList);
        // Only CR LF separates: a lone LF or CR stays inside the part.
        QCOMPARE(SlotTextList::decode(QStringLiteral("a\nb\r\nc")).at(0), QStringLiteral("a\nb"));

        // Not a number, not a tick value, an empty part: unticked.
        std::array<int, DayGridShape::SlotCount> expected{};
        expected[0] = 1;
        expected[1] = 2;
        expected[6] = 1;
        QCOMPARE(SlotTickList::decode(QStringLiteral("1\r\n2\r\nx\r\n3\r\n-1\r\n\r\n 1 \r\n1.5")), expected);
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
        QCOMPARE(SlotLength::minutes(code), std::optional<int>(minutes));
        const QStringList expected = expectedColumn(code);
        QCOMPARE(GridLabels::labels(code), expected);
        QCOMPARE(expected.size() - expected.count(QString()), labelled);
        for (int row = 0; row < 53; ++row) {
            QCOMPARE(GridLabels::RowTime(code, row).has_value(), !expected.at(row).isEmpty());
        }
    }

    void initialLabels()
    {
        // The captions the grid is created with: the afternoon's full hours after
        // 14h are written without the blank.
        const char* const typed[53] = {
            "08h 00", "15", "30", "45", "09h 00", "15", "30", "45", "10h 00", "15", "30", "45", // 0-11
            "11h 00", "15", "30", "45", "12h 00", "15", "30", "45", "13h 00", "15", "30", "45", // 12-23
            "14h 00", "15", "30", "45", "15h00", "15", "30", "45", "16h00", "15", "30", "45",   // 24-35
            "17h00", "15", "30", "45", "18h00", "15", "30", "45", "19h00", "15", "30", "45",    // 36-47
            "20h00", "15", "30", "45", "21h00"};                                                // 48-52
        QStringList expected;
        for (const char* caption : typed) {
            expected.append(QString::fromLatin1(caption));
        }
        QCOMPARE(GridLabels::InitialGridLabels(), expected);
    }

    void loadShowsTheRecordOrClears()
    {
        DayScreen screen = filledScreen();
        DayLoader::LoadDayRecord(storedDay(), screen);
        QCOMPARE(screen.slotText(24), QStringLiteral("Lefèvre Œdipe"));
        QCOMPARE(screen.slotText(1), QString());
        QCOMPARE(screen.boxText(SideBox::Absent1), QStringLiteral("CONGRÈS"));
        // A False flag hides the box and leaves its text; the stored text is not read.
        QVERIFY(!screen.boxVisible(SideBox::Absent2));
        QCOMPARE(screen.boxText(SideBox::Absent2), QStringLiteral("ABSENT"));
        QVERIFY(!screen.boxVisible(SideBox::Echo2)); // no value at all hides too
        QCOMPARE(screen.shownDayCaption(), QStringLiteral("40000")); // LoadDayRecord leaves Label2
        // A flag set True without a text shows an empty box.
        DayRecord odd;
        odd.flag(SideBox::Echo2) = DayFlag{true, std::nullopt};
        DayLoader::LoadDayRecord(odd, screen);
        QVERIFY(screen.boxVisible(SideBox::Echo2));
        QCOMPARE(screen.boxText(SideBox::Echo2), QString());

        // Loading an empty day is clearing the grid.
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
        QCOMPARE(cleared.boxText(SideBox::Echo1), QStringLiteral("ABSENT"));
        QVERIFY(!cleared.boxVisible(SideBox::Echo1));

        // A found day becomes the shown day.
        DayLoader::LoadFoundDayRecord(storedDay(), screen);
        QCOMPARE(screen.shownDayCaption(), QStringLiteral("39148"));
        QCOMPARE(screen.longDateCaption(), QStringLiteral("mercredi 7 mars 2007"));
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
        for (const SideBox box : AllSideBoxes) {
            screen.setBoxVisible(box, true);
            screen.setBoxText(box, QStringLiteral("ABSENT"));
        }
        return screen;
    }
};

QTEST_GUILESS_MAIN(TestDayCodecs)
#include "tst_daycodecs.moc"
