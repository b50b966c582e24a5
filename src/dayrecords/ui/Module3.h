#pragma once

class DayGrid;

// The label procedures of the day grid: each writes the 53 time labels of one
// slot length, the empty captions included, and touches nothing else (no slot
// text, tick, banner or shading).
namespace Module3
{
void SetGridLabels10(DayGrid& grid);
void SetGridLabels15(DayGrid& grid);
void SetGridLabels20(DayGrid& grid);
void SetGridLabels30(DayGrid& grid);
void SetGridLabels60(DayGrid& grid);

// Runs the procedure of a slot code 0..4 and returns true; any other code
// runs none, so the labels keep the captions they had.
bool SetGridLabelsForCode(DayGrid& grid, int code);
} // namespace Module3
