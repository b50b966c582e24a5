#include "week/ui/WeekDayList.h"

#include "platform/ui/OwnDoubleClick.h"

#include <QMouseEvent>

WeekDayList::WeekDayList(QWidget* parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    // A line wider than the list ends in "…"; the list never scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    OwnDoubleClick::install(viewport());
}

void WeekDayList::setLines(const QStringList& lines)
{
    setUpdatesEnabled(false);
    clear();
    addItems(lines);
    setUpdatesEnabled(true);
}

QStringList WeekDayList::lines() const
{
    QStringList out;
    out.reserve(count());
    for (int row = 0; row < count(); ++row) {
        out.append(item(row)->text());
    }
    return out;
}

void WeekDayList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit dayChosen();
    }
}
