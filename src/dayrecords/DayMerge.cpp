#include "dayrecords/DayMerge.h"

namespace
{
template <typename T>
struct Pick
{
    T value;
    bool conflict = false;
};

// The screen's value where it changed since the day was shown, else the
// stored one; a conflict when both changed, differently.
template <typename T>
Pick<T> pick(const T& base, const T& screen, const T& stored)
{
    if (screen == base) {
        return {stored, false};
    }
    return {screen, !(stored == base) && !(stored == screen)};
}

QString flagText(const DayUnits::Flag& flag)
{
    return flag.on ? flag.text : QString();
}
} // namespace

DayUnits DayUnits::of(const std::optional<DayRecord>& record)
{
    DayUnits units;
    if (!record) {
        for (int row = 0; row < DayGridShape::SlotCount; ++row) {
            units.slotTexts.append(QString());
        }
        return units;
    }
    units.slotTexts = SlotTextList::decode(record->rvous);
    for (QString& text : units.slotTexts) {
        text = SlotTextList::oneLine(text);
    }
    units.ticks = SlotTickList::decode(record->coche);
    units.postit = NoteText::storedForm(record->postit);
    units.bloc = NoteText::storedForm(record->bloc);
    for (const SideBox box : AllSideBoxes) {
        const DayFlag& flag = record->flag(box);
        auto& unit = units.flags[static_cast<std::size_t>(box)];
        unit.on = flag.isSet();
        unit.text = unit.on ? flag.text.value_or(QString()) : QString();
    }
    return units;
}

namespace DayMerge
{
DayMergeResult merge(const DayUnits& base, const DayRecord& screen, const std::optional<DayRecord>& stored)
{
    const DayUnits mine = DayUnits::of(screen);
    const DayUnits theirs = DayUnits::of(stored);
    DayMergeResult result;
    result.record.agendate = screen.agendate;

    QStringList slotTexts;
    std::array<int, DayGridShape::SlotCount> ticks{};
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        const auto text = pick(base.slotTexts.at(row), mine.slotTexts.at(row), theirs.slotTexts.at(row));
        slotTexts.append(text.value);
        if (text.conflict) {
            result.conflicts.append({DayConflict::Unit::Slot, row, SideBox::Absent1, theirs.slotTexts.at(row),
                                     mine.slotTexts.at(row)});
        }
        const auto r = static_cast<std::size_t>(row);
        const auto tick = pick(base.ticks[r], mine.ticks[r], theirs.ticks[r]);
        ticks[r] = tick.value;
        if (tick.conflict) {
            result.conflicts.append({DayConflict::Unit::Tick, row, SideBox::Absent1,
                                     QString::number(theirs.ticks[r]), QString::number(mine.ticks[r])});
        }
    }
    result.record.rvous = SlotTextList::encode(slotTexts);
    result.record.coche = SlotTickList::encode(ticks);

    const auto postit = pick(base.postit, mine.postit, theirs.postit);
    result.record.postit = postit.value;
    if (postit.conflict) {
        result.conflicts.append({DayConflict::Unit::Postit, -1, SideBox::Absent1, theirs.postit, mine.postit});
    }
    const auto bloc = pick(base.bloc, mine.bloc, theirs.bloc);
    result.record.bloc = bloc.value;
    if (bloc.conflict) {
        result.conflicts.append({DayConflict::Unit::Bloc, -1, SideBox::Absent1, theirs.bloc, mine.bloc});
    }

    for (const SideBox box : AllSideBoxes) {
        const auto b = static_cast<std::size_t>(box);
        const auto flag = pick(base.flags[b], mine.flags[b], theirs.flags[b]);
        DayFlag& out = result.record.flag(box);
        out.on = flag.value.on;
        if (flag.value.on) {
            out.text = flag.value.text;
        }
        if (flag.conflict) {
            result.conflicts.append({DayConflict::Unit::Flag, -1, box, flagText(theirs.flags[b]),
                                     flagText(mine.flags[b]), theirs.flags[b].on, mine.flags[b].on});
        }
    }
    return result;
}
} // namespace DayMerge
