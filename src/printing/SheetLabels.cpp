#include "printing/SheetLabels.h"

#include "dayrecords/DayRecord.h"

namespace
{
const QString EightSpaces = QStringLiteral("        ");

QString hourLabel(int hour)
{
    return QStringLiteral("%1h00 : ").arg(hour, 2, 10, QLatin1Char('0'));
}

QString minuteLabel(int minute)
{
    return QStringLiteral("      %1 : ").arg(minute, 2, 10, QLatin1Char('0'));
}

// Rows an hour on the sheet of a slot length: the 30- and 60-minute sheets
// keep the quarter-hour rows and label only some of them.
int rowsAnHour(int slotMinutes)
{
    switch (slotMinutes) {
    case 10: return 5;
    case 20: return 3;
    default: return 4;
    }
}

// The label of a place after the first in its hour.
QString placeLabel(int slotMinutes, int place)
{
    switch (slotMinutes) {
    case 10:
    case 15:
    case 20: return minuteLabel(place * slotMinutes);
    case 30: return place == 2 ? minuteLabel(30) : EightSpaces;
    default: return EightSpaces;
    }
}
} // namespace

namespace SheetLabels
{
bool hasSheet(int slotMinutes)
{
    return slotMinutes == 10 || slotMinutes == 15 || slotMinutes == 20 || slotMinutes == 30 || slotMinutes == 60;
}

QString label(int slotMinutes, int row)
{
    if (!hasSheet(slotMinutes) || row < 0 || row >= DayGridShape::SlotCount) {
        return QString();
    }
    const bool morning = row < DayGridShape::MorningRows;
    // The 20-minute sheets stop at 13h40 and at 21h00.
    if (slotMinutes == 20 && ((row >= 18 && morning) || row >= 46)) {
        return QString();
    }
    const int inHalf = morning ? row : row - DayGridShape::MorningRows;
    const int n = rowsAnHour(slotMinutes);
    const int place = inHalf % n;
    if (place == 0) {
        return hourLabel((morning ? 8 : 14) + inHalf / n);
    }
    return placeLabel(slotMinutes, place);
}
} // namespace SheetLabels
