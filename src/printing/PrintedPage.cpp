#include "printing/PrintedPage.h"

#include "dayrecords/DayRecord.h"

void PrintedPage::print(const QString& item, double pointSize)
{
    const QStringList parts = NoteText::shownForm(item).split(QLatin1Char('\n'));
    for (const QString& part : parts) {
        lines.append({part, pointSize});
    }
}

QStringList PrintedPage::texts() const
{
    QStringList all;
    all.reserve(lines.size());
    for (const PrintedLine& line : lines) {
        all << line.text;
    }
    return all;
}
