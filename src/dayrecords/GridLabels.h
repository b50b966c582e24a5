#pragma once

#include <QStringList>
#include <QTime>

#include <optional>

// The time labels of the day grid for each slot length. Slot codes 0..4 stand
// for 10, 15, 20, 30 and 60 minutes; the rows never move, only their labels.
namespace GridLabels
{
// Minutes of a slot code; nothing for a code outside 0..4.
std::optional<int> minutesForCode(int code);
// The clock time a row stands for under a slot code, or none.
std::optional<QTime> rowTime(int code, int row);
// "08h 00" for a full hour, "15" for another minute, "" for no time.
QString labelText(const std::optional<QTime>& time);
// The 53 labels of a slot code (SetGridLabels10 .. SetGridLabels60); empty
// for a code outside 0..4.
QStringList labels(int code);
// The captions the grid is created with.
QStringList initialLabels();
} // namespace GridLabels
