#pragma once

#include <QString>

// The time labels of the printed half-day sheets. They are the sheets' own
// strings ("08h00 : ", "      15 : ", eight spaces), not the grid's.
namespace SheetLabels
{
// Whether a sheet exists for a slot length in minutes (10, 15, 20, 30, 60).
bool hasSheet(int slotMinutes);
// The label printed before grid row `row` (0..52) on the sheet of
// `slotMinutes`; empty for a slot length without a sheet.
QString label(int slotMinutes, int row);
} // namespace SheetLabels
