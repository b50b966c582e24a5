#include "dayrecords/DayLoader.h"

#include "dayrecords/DayView.h"
#include "platform/Dates.h"

namespace DayLoader
{
DayRecord FillDayRecord(const DayView& view)
{
    DayRecord record;
    record.agendate = view.shownDayCaption().trimmed().toInt();
    QStringList slotTexts;
    slotTexts.reserve(DayGridShape::SlotCount);
    std::array<int, DayGridShape::SlotCount> ticks{};
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        slotTexts.append(view.slotText(row));
        ticks[static_cast<std::size_t>(row)] = view.tickValue(row);
    }
    record.rvous = SlotTextList::encode(slotTexts);
    record.postit = view.postit();
    record.bloc = view.bloc();
    for (const SideBox box : AllSideBoxes) {
        DayFlag& flag = record.flag(box);
        flag.on = view.boxVisible(box);
        if (*flag.on) {
            flag.text = view.boxText(box);
        }
    }
    record.coche = SlotTickList::encode(ticks);
    return record;
}

void LoadDayRecord(const DayRecord& record, DayView& view)
{
    const QStringList slotTexts = SlotTextList::decode(record.rvous);
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        view.setSlotText(row, slotTexts.at(row));
    }
    view.setPostit(record.postit);
    view.setBloc(record.bloc);
    for (const SideBox box : AllSideBoxes) {
        const DayFlag& flag = record.flag(box);
        if (flag.isSet()) {
            view.setBoxText(box, flag.text.value_or(QString()));
            view.setBoxVisible(box, true);
        } else {
            view.setBoxVisible(box, false);
        }
    }
    const auto ticks = SlotTickList::decode(record.coche);
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        view.setTickValue(row, ticks[static_cast<std::size_t>(row)]);
    }
}

void LoadFoundDayRecord(const DayRecord& record, DayView& view)
{
    view.setShownDayCaption(QString::number(record.agendate));
    view.setLongDateCaption(Dates::longDate(Dates::dateFromSerial(record.agendate)));
    LoadDayRecord(record, view);
}

void ClearDayGrid(DayView& view)
{
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        view.setSlotText(row, QString());
    }
    view.setPostit(QString());
    view.setBloc(QString());
    for (const SideBox box : AllSideBoxes) {
        view.setBoxVisible(box, false);
    }
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        view.setTickValue(row, 0);
    }
}
} // namespace DayLoader
