// The composed pages of the print menu: the half-day sheets of every slot
// length, the operating-theatre and post-it pages, and which page a command
// prints.

#include "printing/Module2.h"
#include "printing/SheetLabels.h"

#include <QTest>

namespace
{
// The expected labels, written short: "08" is the hour label "08h00 : ", "m15"
// the minute label "      15 : ", "_" eight spaces, "" no label.
QStringList expand(const QStringList& codes)
{
    QStringList labels;
    for (const QString& code : codes) {
        if (code == QLatin1String("_")) {
            labels << QStringLiteral("        ");
        } else if (code.startsWith(QLatin1Char('m'))) {
            labels << QStringLiteral("      ") + code.mid(1) + QStringLiteral(" : ");
        } else if (!code.isEmpty()) {
            labels << code + QStringLiteral("h00 : ");
        } else {
            labels << QString();
        }
    }
    return labels;
}

QStringList repeatHours(int from, int to, const QStringList& places)
{
    QStringList codes;
    for (int hour = from; hour <= to; ++hour) {
        codes << QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')) << places;
    }
    return codes;
}

QStringList emptyCodes(int count)
{
    QStringList codes;
    for (int i = 0; i < count; ++i) {
        codes << QString();
    }
    return codes;
}

// Rows 0..23 and 24..52 of each sheet.
QStringList morningCodes(int minutes)
{
    const QStringList quarters = {QStringLiteral("m15"), QStringLiteral("m30"), QStringLiteral("m45")};
    switch (minutes) {
    case 10:
        return repeatHours(8, 11, {QStringLiteral("m10"), QStringLiteral("m20"), QStringLiteral("m30"), QStringLiteral("m40")})
               + QStringList{QStringLiteral("12"), QStringLiteral("m10"), QStringLiteral("m20"), QStringLiteral("m30")};
    case 15: return repeatHours(8, 13, quarters);
    case 20: return repeatHours(8, 13, {QStringLiteral("m20"), QStringLiteral("m40")}) + emptyCodes(6);
    case 30: return repeatHours(8, 13, {QStringLiteral("_"), QStringLiteral("m30"), QStringLiteral("_")});
    default: return repeatHours(8, 13, {QStringLiteral("_"), QStringLiteral("_"), QStringLiteral("_")});
    }
}

QStringList afternoonCodes(int minutes)
{
    switch (minutes) {
    case 10:
        return repeatHours(14, 18, {QStringLiteral("m10"), QStringLiteral("m20"), QStringLiteral("m30"), QStringLiteral("m40")})
               + QStringList{QStringLiteral("19"), QStringLiteral("m10"), QStringLiteral("m20"), QStringLiteral("m30")};
    case 15:
        return repeatHours(14, 20, {QStringLiteral("m15"), QStringLiteral("m30"), QStringLiteral("m45")})
               + QStringList{QStringLiteral("21")};
    case 20:
        return repeatHours(14, 20, {QStringLiteral("m20"), QStringLiteral("m40")}) + QStringList{QStringLiteral("21")}
               + emptyCodes(7);
    case 30:
        return repeatHours(14, 20, {QStringLiteral("_"), QStringLiteral("m30"), QStringLiteral("_")})
               + QStringList{QStringLiteral("21")};
    default:
        return repeatHours(14, 20, {QStringLiteral("_"), QStringLiteral("_"), QStringLiteral("_")})
               + QStringList{QStringLiteral("21")};
    }
}

// A day in which every row, the notes and the titles carry their own text,
// blanks around included.
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

using Sheet = PrintedPage (*)(const SheetSource&);
} // namespace

class TestPrintedPages : public QObject
{
    Q_OBJECT

private slots:
    void halfDaySheets_data();
    void halfDaySheets();
    void notePages();
    void commandsChooseTheirPage();
    void nameWithoutTheNotConnectedMark();
};

void TestPrintedPages::halfDaySheets_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("sheetPair");
    const int lengths[] = {10, 15, 20, 30, 60};
    for (int i = 0; i < 5; ++i) {
        QTest::addRow("%d minutes", lengths[i]) << lengths[i] << i;
    }
}

void TestPrintedPages::halfDaySheets()
{
    QFETCH(int, minutes);
    QFETCH(int, sheetPair);
    const std::pair<Sheet, Sheet> sheets[] = {{Module2::PrintMorning10, Module2::PrintAfternoon10},
                                              {Module2::PrintMorning15, Module2::PrintAfternoon15},
                                              {Module2::PrintMorning20, Module2::PrintAfternoon20},
                                              {Module2::PrintMorning30, Module2::PrintAfternoon30},
                                              {Module2::PrintMorning60, Module2::PrintAfternoon60}};
    const SheetSource day = busyDay();
    const QList<PrintedLine> heading =
        lines({QString(), QStringLiteral("mercredi 9 décembre 2026     Dr Lefèvre"), QString(), QString()}, 20.0);

    const struct
    {
        Sheet sheet;
        int firstRow;
        QStringList labels;
    } halves[] = {{sheets[sheetPair].first, 0, expand(morningCodes(minutes))},
                  {sheets[sheetPair].second, 24, expand(afternoonCodes(minutes))}};
    for (const auto& half : halves) {
        const PrintedPage page = half.sheet(day);
        QCOMPARE(half.labels.size(), half.firstRow == 0 ? 24 : 29);
        QCOMPARE(page.lines.size(), 4 + half.labels.size());
        QCOMPARE(page.lines.mid(0, 4), heading);
        for (int i = 0; i < half.labels.size(); ++i) {
            const int row = half.firstRow + i;
            QCOMPARE(SheetLabels::label(minutes, row), half.labels.at(i));
            QCOMPARE(page.lines.at(4 + i), (PrintedLine{half.labels.at(i) + day.slotTexts.at(row), 12.0}));
        }
        // The notes never go on a sheet.
        const QString all = page.texts().join(QLatin1Char('|'));
        QVERIFY(!all.contains(QLatin1String("POSTIT")) && !all.contains(QLatin1String("PROGRAMME")));
    }
}

void TestPrintedPages::notePages()
{
    SheetSource day = busyDay();
    day.bloc = QStringLiteral(" 8h cataracte\r\n9h30 canal carpien \r\n11h hernie");
    day.postit = QString();

    const PrintedPage bloc = Module2::PrintBloc(day);
    const QList<PrintedLine> blocHeading =
        lines({QString(), QStringLiteral("           Bloc Lefèvre "), QString(),
               QStringLiteral("Dr Lefèvre     mercredi 9 décembre 2026"), QString(), QString()},
              20.0);
    QCOMPARE(bloc.lines, blocHeading + lines({QStringLiteral(" 8h cataracte"), QStringLiteral("9h30 canal carpien "),
                                              QStringLiteral("11h hernie")},
                                             12.0));

    // An empty note is one empty body line.
    const PrintedPage postit = Module2::PrintPostit(day);
    QCOMPARE(postit.lines, lines({QString(), QStringLiteral("                       NE PAS OUBLIER"), QString(),
                                  QStringLiteral("Dr Lefèvre     mercredi 9 décembre 2026"), QString(), QString()},
                                 20.0)
                               + lines({QString()}, 12.0));
}

void TestPrintedPages::commandsChooseTheirPage()
{
    const SheetSource day = busyDay();
    QCOMPARE(PrintChoice::compose(PrintCommand::Matin, day, 20), std::optional(Module2::PrintMorning20(day)));
    QCOMPARE(PrintChoice::compose(PrintCommand::Amidi, day, 60), std::optional(Module2::PrintAfternoon60(day)));
    // No slot length yet: no sheet; the note pages do not depend on it.
    for (const int minutes : {0, 45, -1}) {
        QVERIFY(!PrintChoice::compose(PrintCommand::Matin, day, minutes));
        QVERIFY(!PrintChoice::compose(PrintCommand::Amidi, day, minutes));
        QCOMPARE(PrintChoice::compose(PrintCommand::Bloc, day, minutes), std::optional(Module2::PrintBloc(day)));
        QCOMPARE(PrintChoice::compose(PrintCommand::Postit, day, minutes), std::optional(Module2::PrintPostit(day)));
    }
}

void TestPrintedPages::nameWithoutTheNotConnectedMark()
{
    const QString marked = QStringLiteral("Dr Martin (non connecté)");
    QCOMPARE(SheetSource::userNameFromCaption(marked, false), QStringLiteral("Dr Martin"));
    // With a database open, a name that happens to end so is the user's own.
    QCOMPARE(SheetSource::userNameFromCaption(marked, true), marked);
    QCOMPARE(SheetSource::userNameFromCaption(QStringLiteral(" Dr Martin "), false), QStringLiteral(" Dr Martin "));
}

QTEST_GUILESS_MAIN(TestPrintedPages)
#include "tst_printedpages.moc"
