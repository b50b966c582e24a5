#pragma once

#include <QStringList>
#include <QTime>

#include <optional>

// A user's slot length: the code 0..4 the settings file keeps, standing for
// 10, 15, 20, 30 and 60 minutes.
namespace SlotLength
{
constexpr int Codes = 5;
// Minutes of a slot code (SlotMinutes); nothing for a code outside 0..4.
std::optional<int> minutes(int code);
} // namespace SlotLength

// The time labels of the day grid for each slot length. The rows never move,
// only their labels.
namespace GridLabels
{
// The clock time a row stands for under a slot code, or none.
std::optional<QTime> RowTime(int code, int row);
// "08h 00" for a full hour, "15" for another minute, "" for no time.
QString labelText(const std::optional<QTime>& time);
// The 53 labels of a slot code (what SetGridLabels10 .. SetGridLabels60 of
// Module3 show); empty for a code outside 0..4.
QStringList labels(int code);
// The captions the grid is created with.
QStringList InitialGridLabels();
} // namespace GridLabels
