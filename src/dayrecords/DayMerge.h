#pragma once

#include "dayrecords/DayRecord.h"

#include <QList>

#include <optional>

// Several workstations may have the same day on screen. A save writes, unit
// by unit (each slot text, each tick, the post-it, the programme, each flag
// with its text), the screen's value where this workstation changed it since
// the day was shown, and the stored value where it did not, so that another
// workstation's bookings made in the meantime are kept.
struct DayUnits
{
    QStringList slotTexts; // 53
    std::array<int, DayGridShape::SlotCount> ticks{};
    QString postit;
    QString bloc;
    struct Flag
    {
        bool on = false;
        QString text; // meaningful only while on
        bool operator==(const Flag& other) const { return on == other.on && (!on || text == other.text); }
    };
    std::array<Flag, 4> flags{};

    // The units of a record; of no record at all, the empty day.
    static DayUnits of(const std::optional<DayRecord>& record);
    bool operator==(const DayUnits& other) const = default;
};

// A unit both workstations changed differently: this workstation's value is
// written, the other one's is reported.
struct DayConflict
{
    enum class Unit { Slot, Tick, Postit, Bloc, Flag };
    Unit unit = Unit::Slot;
    int row = -1;                      // for Slot and Tick
    SideBox box = SideBox::Absent1;    // for Flag
    QString otherValue;                // what the other workstation stored
    QString ownValue;                  // what this workstation writes
    bool otherShown = false;           // for Flag: the other workstation's box is shown
    bool ownShown = false;             // for Flag: this workstation's box is shown
};

struct DayMergeResult
{
    DayRecord record;
    QList<DayConflict> conflicts;
};

namespace DayMerge
{
// `base`: the day as it was shown; `screen`: the record FillDayRecord gives
// now; `stored`: the row read inside the save's transaction (nothing when the
// day has no row).
DayMergeResult merge(const DayUnits& base, const DayRecord& screen, const std::optional<DayRecord>& stored);
} // namespace DayMerge
