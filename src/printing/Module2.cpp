#include "printing/Module2.h"

#include "dayrecords/DayRecord.h"
#include "printing/SheetLabels.h"

namespace
{
const QString FiveSpaces = QStringLiteral("     ");

// The heading lines of the operating-theatre and post-it pages.
PrintedPage notePage(const SheetSource& source, const QString& title, const QString& body)
{
    PrintedPage page;
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(title, PageSetup::HeadingPoints);
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(source.userName + FiveSpaces + source.longDate, PageSetup::HeadingPoints);
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(body, PageSetup::BodyPoints);
    return page;
}
} // namespace

namespace Module2
{
PrintedPage DaySheet(const SheetSource& source, Half half, int slotMinutes)
{
    PrintedPage page;
    if (!SheetLabels::hasSheet(slotMinutes)) {
        return page;
    }
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(source.longDate + FiveSpaces + source.userName, PageSetup::HeadingPoints);
    page.print(QString(), PageSetup::HeadingPoints);
    page.print(QString(), PageSetup::HeadingPoints);
    const int first = half == Half::Morning ? 0 : DayGridShape::MorningRows;
    const int last = half == Half::Morning ? DayGridShape::MorningRows : DayGridShape::SlotCount;
    for (int row = first; row < last; ++row) {
        // A slot text is one line; should one carry a break, it goes on below.
        page.print(SheetLabels::label(slotMinutes, row) + source.slotTexts.value(row), PageSetup::BodyPoints);
    }
    return page;
}

PrintedPage PrintMorning10(const SheetSource& source) { return DaySheet(source, Half::Morning, 10); }
PrintedPage PrintAfternoon10(const SheetSource& source) { return DaySheet(source, Half::Afternoon, 10); }
PrintedPage PrintMorning15(const SheetSource& source) { return DaySheet(source, Half::Morning, 15); }
PrintedPage PrintAfternoon15(const SheetSource& source) { return DaySheet(source, Half::Afternoon, 15); }
PrintedPage PrintMorning20(const SheetSource& source) { return DaySheet(source, Half::Morning, 20); }
PrintedPage PrintAfternoon20(const SheetSource& source) { return DaySheet(source, Half::Afternoon, 20); }
PrintedPage PrintMorning30(const SheetSource& source) { return DaySheet(source, Half::Morning, 30); }
PrintedPage PrintAfternoon30(const SheetSource& source) { return DaySheet(source, Half::Afternoon, 30); }
PrintedPage PrintMorning60(const SheetSource& source) { return DaySheet(source, Half::Morning, 60); }
PrintedPage PrintAfternoon60(const SheetSource& source) { return DaySheet(source, Half::Afternoon, 60); }

PrintedPage PrintBloc(const SheetSource& source)
{
    return notePage(source, QString(10, QLatin1Char(' ')) + source.blocTitle, source.bloc);
}

PrintedPage PrintPostit(const SheetSource& source)
{
    return notePage(source, QString(23, QLatin1Char(' ')) + QStringLiteral("NE PAS OUBLIER"), source.postit);
}
} // namespace Module2

namespace PrintChoice
{
std::optional<PrintedPage> compose(PrintCommand command, const SheetSource& source, int slotMinutes)
{
    using Sheet = PrintedPage (*)(const SheetSource&);
    struct SheetPair
    {
        int minutes;
        Sheet morning;
        Sheet afternoon;
    };
    static const SheetPair sheets[] = {
        {10, Module2::PrintMorning10, Module2::PrintAfternoon10},
        {15, Module2::PrintMorning15, Module2::PrintAfternoon15},
        {20, Module2::PrintMorning20, Module2::PrintAfternoon20},
        {30, Module2::PrintMorning30, Module2::PrintAfternoon30},
        {60, Module2::PrintMorning60, Module2::PrintAfternoon60},
    };
    switch (command) {
    case PrintCommand::Bloc: return Module2::PrintBloc(source);
    case PrintCommand::Postit: return Module2::PrintPostit(source);
    case PrintCommand::Matin:
    case PrintCommand::Amidi:
        for (const SheetPair& pair : sheets) {
            if (pair.minutes == slotMinutes) {
                return command == PrintCommand::Matin ? pair.morning(source) : pair.afternoon(source);
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}
} // namespace PrintChoice
