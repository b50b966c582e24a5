#include "dayrecords/ui/Module3.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"

namespace Module3
{
void SetGridLabels10(DayGrid& grid)
{
    grid.setLabels(GridLabels::labels(0));
}

void SetGridLabels15(DayGrid& grid)
{
    grid.setLabels(GridLabels::labels(1));
}

void SetGridLabels20(DayGrid& grid)
{
    grid.setLabels(GridLabels::labels(2));
}

void SetGridLabels30(DayGrid& grid)
{
    grid.setLabels(GridLabels::labels(3));
}

void SetGridLabels60(DayGrid& grid)
{
    grid.setLabels(GridLabels::labels(4));
}

bool SetGridLabelsForCode(DayGrid& grid, int code)
{
    switch (code) {
    case 0: SetGridLabels10(grid); return true;
    case 1: SetGridLabels15(grid); return true;
    case 2: SetGridLabels20(grid); return true;
    case 3: SetGridLabels30(grid); return true;
    case 4: SetGridLabels60(grid); return true;
    default: return false;
    }
}
} // namespace Module3
