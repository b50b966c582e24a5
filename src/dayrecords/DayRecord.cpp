#include "dayrecords/DayRecord.h"

namespace
{
const QString CrLf = QStringLiteral("\r\n");
}

namespace DayFields
{
QString flagField(SideBox box)
{
    switch (box) {
    case SideBox::Absent1: return QStringLiteral("ABSENT1");
    case SideBox::Absent2: return QStringLiteral("ABSENT2");
    case SideBox::Echo1: return QStringLiteral("ECHO1");
    case SideBox::Echo2: return QStringLiteral("ECHO2");
    }
    return QString();
}

QString flagTextField(SideBox box)
{
    return flagField(box) + QStringLiteral("_TXT");
}

QStringList all()
{
    QStringList fields = {Agendate, Rvous, Postit, Bloc};
    for (const SideBox box : AllSideBoxes) {
        fields << flagField(box) << flagTextField(box);
    }
    fields << Coche;
    return fields;
}
} // namespace DayFields

namespace SlotTextList
{
QString oneLine(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        return text;
    }
    QString line = text;
    line.replace(CrLf, QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString encode(const QStringList& slotTexts)
{
    QStringList parts;
    parts.reserve(DayGridShape::SlotCount);
    for (int k = 0; k < DayGridShape::SlotCount; ++k) {
        parts.append(k < slotTexts.size() ? oneLine(slotTexts.at(k)) : QString());
    }
    return parts.join(CrLf);
}

QStringList split(const QString& stored)
{
    if (stored.isEmpty()) {
        return {};
    }
    return stored.split(CrLf, Qt::KeepEmptyParts);
}

QStringList decode(const QString& stored)
{
    QStringList parts = split(stored).mid(0, DayGridShape::SlotCount);
    while (parts.size() < DayGridShape::SlotCount) {
        parts.append(QString());
    }
    return parts;
}
} // namespace SlotTextList

namespace SlotTickList
{
QString encode(const std::array<int, DayGridShape::SlotCount>& ticks)
{
    QStringList parts;
    parts.reserve(DayGridShape::SlotCount);
    for (const int tick : ticks) {
        parts.append(QString::number(tick));
    }
    return parts.join(CrLf);
}

std::array<int, DayGridShape::SlotCount> decode(const QString& stored)
{
    std::array<int, DayGridShape::SlotCount> ticks{};
    const QStringList parts = SlotTextList::split(stored);
    for (int k = 0; k < DayGridShape::SlotCount && k < parts.size(); ++k) {
        bool ok = false;
        const int value = parts.at(k).trimmed().toInt(&ok);
        ticks[static_cast<std::size_t>(k)] = (ok && value >= 0 && value <= 2) ? value : 0;
    }
    return ticks;
}
} // namespace SlotTickList

namespace NoteText
{
QString shownForm(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString storedForm(const QString& text)
{
    return shownForm(text).replace(QLatin1Char('\n'), CrLf);
}
} // namespace NoteText

namespace DayQuery
{
bool isValidUser(int user)
{
    return user >= 1 && user <= 6;
}

QString criterion(qint32 serial)
{
    return QStringLiteral("AGENDATE=") + QString::number(serial);
}

QString tableName(int user)
{
    return isValidUser(user) ? QStringLiteral("RVOUS") + QString::number(user) : QString();
}

QString tableQuery(int user)
{
    return isValidUser(user) ? QStringLiteral("SELECT*FROM ") + tableName(user)
                                   + QStringLiteral(" ORDER BY AGENDATE")
                             : QString();
}
} // namespace DayQuery
