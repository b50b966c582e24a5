#include "dayrecords/GridLabels.h"

#include "dayrecords/DayRecord.h"

namespace SlotLength
{
std::optional<int> minutes(int code)
{
    switch (code) {
    case 0: return 10;
    case 1: return 15;
    case 2: return 20;
    case 3: return 30;
    case 4: return 60;
    default: return std::nullopt;
    }
}
} // namespace SlotLength

namespace GridLabels
{
std::optional<QTime> RowTime(int code, int row)
{
    if (row < 0 || row >= DayGridShape::SlotCount) {
        return std::nullopt;
    }
    const bool morning = DayGridShape::MorningBlock.contains(row);
    const int s = row - (morning ? DayGridShape::MorningBlock : DayGridShape::AfternoonBlock).first;
    const int firstHour = morning ? 8 : 14;
    switch (code) {
    case 0: // five rows an hour, no :50 row
        return QTime(firstHour + s / 5, 10 * (s % 5));
    case 1: // one 15-minute raster over both blocks
        return QTime(8, 0).addSecs(15 * 60 * row);
    case 2: // three rows an hour
        if ((morning && s >= 18) || (!morning && s >= 22)) {
            return std::nullopt;
        }
        return QTime(firstHour + s / 3, 20 * (s % 3));
    case 3:
        return row % 2 == 0 ? std::optional<QTime>(QTime(8, 0).addSecs(15 * 60 * row)) : std::nullopt;
    case 4:
        return row % 4 == 0 ? std::optional<QTime>(QTime(8, 0).addSecs(15 * 60 * row)) : std::nullopt;
    default:
        return std::nullopt;
    }
}

QString labelText(const std::optional<QTime>& time)
{
    if (!time) {
        return QString();
    }
    if (time->minute() == 0) {
        return QStringLiteral("%1h 00").arg(time->hour(), 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1").arg(time->minute(), 2, 10, QLatin1Char('0'));
}

QStringList labels(int code)
{
    if (!SlotLength::minutes(code)) {
        return {};
    }
    QStringList result;
    result.reserve(DayGridShape::SlotCount);
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        result.append(labelText(RowTime(code, row)));
    }
    return result;
}

QStringList InitialGridLabels()
{
    QStringList result = labels(1);
    // The afternoon hours after 14h were drawn without the blank.
    for (int row = 28; row < DayGridShape::SlotCount; row += 4) {
        result[row].remove(QLatin1Char(' '));
    }
    return result;
}
} // namespace GridLabels
