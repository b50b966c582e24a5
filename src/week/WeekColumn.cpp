#include "week/WeekColumn.h"

#include <vector>

namespace
{
using WeekColumn::AbsentFill;
using WeekColumn::AbsentLine;

// What stands in front of a row: the start of an hour, a minute of it, or
// nothing (a row that the slot length leaves without a time).
struct RowMark
{
    enum class Kind { Hour, Minute, Filler };
    Kind kind = Kind::Filler;
    int value = 0; // the hour, or the minute
};

using Marks = std::vector<RowMark>;

void addHour(Marks& marks, int hour, std::initializer_list<int> minutes)
{
    marks.push_back({RowMark::Kind::Hour, hour});
    for (const int minute : minutes) {
        if (minute == 0) {
            marks.push_back({RowMark::Kind::Filler, 0});
        } else {
            marks.push_back({RowMark::Kind::Minute, minute});
        }
    }
}

void addFillers(Marks& marks, int count)
{
    for (int i = 0; i < count; ++i) {
        marks.push_back({RowMark::Kind::Filler, 0});
    }
}

// Rows 0..52 of a slot length; empty for another length. A 0 in a minute list
// is a row without a time.
Marks rowMarks(int minutes)
{
    Marks marks;
    switch (minutes) {
    case 10:
        for (int hour = 8; hour <= 11; ++hour) {
            addHour(marks, hour, {10, 20, 30, 40});
        }
        addHour(marks, 12, {10, 20, 30});
        for (int hour = 14; hour <= 18; ++hour) {
            addHour(marks, hour, {10, 20, 30, 40});
        }
        addHour(marks, 19, {10, 20, 30});
        break;
    case 15:
        for (int hour = 8; hour <= 13; ++hour) {
            addHour(marks, hour, {15, 30, 45});
        }
        for (int hour = 14; hour <= 20; ++hour) {
            addHour(marks, hour, {15, 30, 45});
        }
        addHour(marks, 21, {});
        break;
    case 20:
        for (int hour = 8; hour <= 13; ++hour) {
            addHour(marks, hour, {20, 40});
        }
        addFillers(marks, 6);
        for (int hour = 14; hour <= 20; ++hour) {
            addHour(marks, hour, {20, 40});
        }
        addHour(marks, 21, {});
        addFillers(marks, 7);
        break;
    case 30:
        for (int hour = 8; hour <= 20; ++hour) {
            addHour(marks, hour, {0, 30, 0});
        }
        addHour(marks, 21, {});
        break;
    case 60:
        for (int hour = 8; hour <= 20; ++hour) {
            addHour(marks, hour, {0, 0, 0});
        }
        addHour(marks, 21, {});
        break;
    default:
        break;
    }
    return marks;
}

QString hourLabel(int hour)
{
    return QStringLiteral("%1h00 : ").arg(hour, 2, 10, QLatin1Char('0'));
}

// `spaces` blanks, the minutes in two digits, " : ".
QString minuteLabel(int minute, int spaces)
{
    return QString(spaces, QLatin1Char(' ')) + QStringLiteral("%1 : ").arg(minute, 2, 10, QLatin1Char('0'));
}

const QString WideFiller = QStringLiteral("         : ");
const QString NarrowFiller = QStringLiteral("      : ");

QStringList absencePattern(int hour)
{
    return {hourLabel(hour), AbsentFill, AbsentFill, AbsentLine, AbsentFill, AbsentFill};
}

QStringList middayRows(int minutes)
{
    if (minutes == 10) {
        return {hourLabel(12), QString(), AbsentFill, AbsentFill};
    }
    return {hourLabel(12), AbsentFill, AbsentFill, QString()};
}

// Label k of `labels` directly followed by slot text k, for rows first..last.
// A line break stored inside a text shows as a blank, so that a row stays one
// line of the list.
void addRecordRows(QStringList& out, const QStringList& labels, const QStringList& parts, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        out.append(labels.at(row) + SlotTextList::oneLine(parts.at(row)));
    }
}
} // namespace

namespace WeekColumn
{
bool isSlotLength(int minutes)
{
    return minutes == 10 || minutes == 15 || minutes == 20 || minutes == 30 || minutes == 60;
}

QStringList SlotLabels(int minutes)
{
    QStringList labels;
    for (const RowMark& mark : rowMarks(minutes)) {
        switch (mark.kind) {
        case RowMark::Kind::Hour:
            labels.append(hourLabel(mark.value));
            break;
        case RowMark::Kind::Minute:
            labels.append(minuteLabel(mark.value, minutes == 10 ? 5 : 6));
            break;
        case RowMark::Kind::Filler:
            labels.append(WideFiller);
            break;
        }
    }
    return labels;
}

QStringList EmptyDayLabels(int minutes)
{
    QStringList labels;
    const Marks marks = rowMarks(minutes);
    for (std::size_t row = 0; row < marks.size(); ++row) {
        // The blank line between morning and afternoon, but in a 20-minute
        // column, whose blank rows already end the morning.
        if (row == DayGridShape::MorningRows && minutes != 20) {
            labels.append(QString());
        }
        const RowMark& mark = marks[row];
        switch (mark.kind) {
        case RowMark::Kind::Hour:
            labels.append(hourLabel(mark.value));
            break;
        case RowMark::Kind::Minute:
            labels.append(minuteLabel(mark.value, 6));
            break;
        case RowMark::Kind::Filler:
            labels.append(minutes == 20 ? QString() : NarrowFiller);
            break;
        }
    }
    return labels;
}

AbsentState absentState(const DayRecord& record)
{
    const bool morning = record.flag(SideBox::Absent1).isSet();
    const bool afternoon = record.flag(SideBox::Absent2).isSet();
    if (morning && afternoon) {
        return AbsentState::AllDay;
    }
    if (afternoon) {
        return AbsentState::Afternoon;
    }
    return morning ? AbsentState::Morning : AbsentState::None;
}

std::optional<QStringList> lines(const std::optional<DayRecord>& day, int slotMinutes)
{
    if (!isSlotLength(slotMinutes)) {
        return std::nullopt;
    }
    if (!day) {
        return EmptyDayLabels(slotMinutes);
    }
    const QStringList labels = SlotLabels(slotMinutes);
    const QStringList parts = SlotTextList::decode(day->rvous);
    constexpr int lastMorning = DayGridShape::MorningRows - 1;
    constexpr int lastRow = DayGridShape::SlotCount - 1;
    QStringList out;
    switch (absentState(*day)) {
    case AbsentState::None:
        addRecordRows(out, labels, parts, 0, lastMorning);
        out.append(QString());
        addRecordRows(out, labels, parts, lastMorning + 1, lastRow);
        break;
    case AbsentState::Morning:
        out << absencePattern(8) << QString();
        addRecordRows(out, labels, parts, lastMorning + 1, lastRow);
        break;
    case AbsentState::Afternoon:
        addRecordRows(out, labels, parts, 0, lastMorning);
        out << QString() << absencePattern(14);
        break;
    case AbsentState::AllDay:
        out << absencePattern(8) << middayRows(slotMinutes) << absencePattern(14);
        break;
    }
    return out;
}
} // namespace WeekColumn
