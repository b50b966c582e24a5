#include "dayrecords/DayView.h"

DayScreen::DayScreen()
{
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        m_slots.append(QString());
    }
}

DayScreen DayScreen::capture(const DayView& view)
{
    DayScreen screen;
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        screen.setSlotText(row, view.slotText(row));
        screen.setTickValue(row, view.tickValue(row));
    }
    screen.setPostit(view.postit());
    screen.setBloc(view.bloc());
    for (const SideBox box : AllSideBoxes) {
        screen.setBoxVisible(box, view.boxVisible(box));
        screen.setBoxText(box, view.boxText(box));
    }
    screen.setShownDayCaption(view.shownDayCaption());
    return screen;
}

bool DayScreen::operator==(const DayScreen& other) const
{
    return m_slots == other.m_slots && m_ticks == other.m_ticks && m_postit == other.m_postit
           && m_bloc == other.m_bloc && m_visible == other.m_visible && m_boxText == other.m_boxText
           && m_label2 == other.m_label2;
}
