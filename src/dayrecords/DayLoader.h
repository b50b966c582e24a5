#pragma once

#include "dayrecords/DayRecord.h"

class DayView;

// The transfer of a day between a record and the window that shows it.
namespace DayLoader
{
// FillDayRecord: the record a save writes for the shown day (AGENDATE from
// Label2). A box that is hidden gives a False flag and no text, so the stored
// text stays as it was.
DayRecord FillDayRecord(const DayView& view);

// LoadDayRecord: shows a record. Hidden boxes keep their texts; missing parts
// of a stored list show empty and unticked.
void LoadDayRecord(const DayRecord& record, DayView& view);

// LoadFoundDayRecord: makes the record's day the shown day (Label2, LblDate),
// then shows it.
void LoadFoundDayRecord(const DayRecord& record, DayView& view);

// ClearDayGrid: the empty day; the four boxes are hidden with their texts kept.
void ClearDayGrid(DayView& view);
} // namespace DayLoader
