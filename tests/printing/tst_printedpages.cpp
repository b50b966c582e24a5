// The composed pages of the print menu: the half-day sheets of every slot
// length as the commands choose them, the operating-theatre and post-it pages.

#include "printing/Module2.h"

#include <QTest>

namespace
{
// A day in which every row and both notes carry their own text, blanks around
// included, and one row is empty.
SheetSource busyDay()
{
    SheetSource s;
    s.userName = QStringLiteral("Dr Lefèvre");
    s.longDate = QStringLiteral("mercredi 9 décembre 2026");
    s.blocTitle = QStringLiteral(" Bloc Lefèvre ");
    for (int row = 0; row < 53; ++row) {
        s.slotTexts << QStringLiteral("  rdv %1 ").arg(row);
    }
    s.slotTexts[5] = QString();
    s.postit = QStringLiteral("POSTIT");
    s.bloc = QStringLiteral("PROGRAMME");
    return s;
}

QList<PrintedLine> lines(const QStringList& texts, double size)
{
    QList<PrintedLine> result;
    for (const QString& text : texts) {
        result.append({text, size});
    }
    return result;
}

// Labels typed one after the other, "|" between two.
QStringList typed(const char* labels)
{
    return QString::fromUtf8(labels).split(QLatin1Char('|'));
}
} // namespace

class TestPrintedPages : public QObject
{
    Q_OBJECT

private slots:
    void halfDaySheets_data();
    void halfDaySheets();
    void notePages();
};

void TestPrintedPages::halfDaySheets_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QStringList>("morning");
    QTest::addColumn<QStringList>("afternoon");
    QTest::newRow("10 minutes")
        << 10
        << typed("08h00 : |      10 : |      20 : |      30 : |      40 : |09h00 : |      10 : |      20 : |"
                 "      30 : |      40 : |10h00 : |      10 : |      20 : |      30 : |      40 : |11h00 : |"
                 "      10 : |      20 : |      30 : |      40 : |12h00 : |      10 : |      20 : |      30 : ")
        << typed("14h00 : |      10 : |      20 : |      30 : |      40 : |15h00 : |      10 : |      20 : |"
                 "      30 : |      40 : |16h00 : |      10 : |      20 : |      30 : |      40 : |17h00 : |"
                 "      10 : |      20 : |      30 : |      40 : |18h00 : |      10 : |      20 : |      30 : |"
                 "      40 : |19h00 : |      10 : |      20 : |      30 : ");
    QTest::newRow("15 minutes")
        << 15
        << typed("08h00 : |      15 : |      30 : |      45 : |09h00 : |      15 : |      30 : |      45 : |"
                 "10h00 : |      15 : |      30 : |      45 : |11h00 : |      15 : |      30 : |      45 : |"
                 "12h00 : |      15 : |      30 : |      45 : |13h00 : |      15 : |      30 : |      45 : ")
        << typed("14h00 : |      15 : |      30 : |      45 : |15h00 : |      15 : |      30 : |      45 : |"
                 "16h00 : |      15 : |      30 : |      45 : |17h00 : |      15 : |      30 : |      45 : |"
                 "18h00 : |      15 : |      30 : |      45 : |19h00 : |      15 : |      30 : |      45 : |"
                 "20h00 : |      15 : |      30 : |      45 : |21h00 : ");
    // The 20-minute sheets stop at 13h40 and at 21h00: the rows after carry no label.
    QTest::newRow("20 minutes")
        << 20
        << typed("08h00 : |      20 : |      40 : |09h00 : |      20 : |      40 : |10h00 : |      20 : |      40 : |"
                 "11h00 : |      20 : |      40 : |12h00 : |      20 : |      40 : |13h00 : |      20 : |      40 : |"
                 "|||||")
        << typed("14h00 : |      20 : |      40 : |15h00 : |      20 : |      40 : |16h00 : |      20 : |      40 : |"
                 "17h00 : |      20 : |      40 : |18h00 : |      20 : |      40 : |19h00 : |      20 : |      40 : |"
                 "20h00 : |      20 : |      40 : |21h00 : |||||||");
    QTest::newRow("30 minutes")
        << 30
        << typed("08h00 : |        |      30 : |        |09h00 : |        |      30 : |        |"
                 "10h00 : |        |      30 : |        |11h00 : |        |      30 : |        |"
                 "12h00 : |        |      30 : |        |13h00 : |        |      30 : |        ")
        << typed("14h00 : |        |      30 : |        |15h00 : |        |      30 : |        |"
                 "16h00 : |        |      30 : |        |17h00 : |        |      30 : |        |"
                 "18h00 : |        |      30 : |        |19h00 : |        |      30 : |        |"
                 "20h00 : |        |      30 : |        |21h00 : ");
    QTest::newRow("60 minutes")
        << 60
        << typed("08h00 : |        |        |        |09h00 : |        |        |        |"
                 "10h00 : |        |        |        |11h00 : |        |        |        |"
                 "12h00 : |        |        |        |13h00 : |        |        |        ")
        << typed("14h00 : |        |        |        |15h00 : |        |        |        |"
                 "16h00 : |        |        |        |17h00 : |        |        |        |"
                 "18h00 : |        |        |        |19h00 : |        |        |        |"
                 "20h00 : |        |        |        |21h00 : ");
}

// The sheet is its heading, then every row of its half and no other line:
// the label followed by the row's text as it stands. Notes, programme and the
// rows of the other half never come out.
void TestPrintedPages::halfDaySheets()
{
    QFETCH(int, minutes);
    QFETCH(QStringList, morning);
    QFETCH(QStringList, afternoon);
    QCOMPARE(morning.size(), 24);
    QCOMPARE(afternoon.size(), 29);
    const SheetSource day = busyDay();
    const struct
    {
        PrintCommand command;
        int firstRow;
        QStringList labels;
    } halves[] = {{PrintCommand::Matin, 0, morning}, {PrintCommand::Amidi, 24, afternoon}};
    for (const auto& half : halves) {
        QList<PrintedLine> expected =
            lines({QString(), QStringLiteral("mercredi 9 décembre 2026     Dr Lefèvre"), QString(), QString()}, 20.0);
        for (int i = 0; i < half.labels.size(); ++i) {
            expected.append({half.labels.at(i) + day.slotTexts.at(half.firstRow + i), 12.0});
        }
        const std::optional<PrintedPage> page = PrintChoice::compose(half.command, day, minutes);
        QVERIFY(page);
        QCOMPARE(page->texts(), PrintedPage{expected}.texts());
        QCOMPARE(page->lines, expected);
    }
}

void TestPrintedPages::notePages()
{
    SheetSource day = busyDay();
    day.bloc = QStringLiteral(" 8h cataracte\r\n9h30 canal carpien \r\n11h hernie");
    day.postit = QString();
    const auto heading = [](const QString& title) {
        const QString byline = QStringLiteral("Dr Lefèvre     mercredi 9 décembre 2026");
        return lines({QString(), title, QString(), byline, QString(), QString()}, 20.0);
    };
    // A programme of three lines prints three lines, blanks kept.
    QCOMPARE(Module2::PrintBloc(day).lines,
             heading(QStringLiteral("           Bloc Lefèvre "))
                 + lines({QStringLiteral(" 8h cataracte"), QStringLiteral("9h30 canal carpien "),
                          QStringLiteral("11h hernie")},
                         12.0));
    // An empty note is one empty line.
    QCOMPARE(Module2::PrintPostit(day).lines,
             heading(QStringLiteral("                       NE PAS OUBLIER")) + lines({QString()}, 12.0));
}

QTEST_GUILESS_MAIN(TestPrintedPages)
#include "tst_printedpages.moc"
