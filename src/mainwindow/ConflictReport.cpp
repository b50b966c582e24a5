#include "mainwindow/ConflictReport.h"

#include "dayrecords/GridLabels.h"

#include <QStringList>

namespace
{
int slotCodeForMinutes(int minutes)
{
    for (int code = 0; code < SlotLength::Codes; ++code) {
        if (SlotLength::minutes(code) == minutes) {
            return code;
        }
    }
    return -1;
}

QString quoted(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("(vide)") : QStringLiteral("« %1 »").arg(text);
}

QString boxName(SideBox box)
{
    switch (box) {
    case SideBox::Absent1: return QStringLiteral("Absence du matin");
    case SideBox::Absent2: return QStringLiteral("Absence de l'après-midi");
    case SideBox::Echo1: return QStringLiteral("Echographies du matin");
    case SideBox::Echo2: return QStringLiteral("Echographies de l'après-midi");
    }
    return QString();
}

QString boxState(bool shown, const QString& text)
{
    return shown ? QStringLiteral("affiché, %1").arg(quoted(text)) : QStringLiteral("retiré");
}

QString tickState(const QString& value)
{
    if (value == QLatin1String("2")) {
        return QStringLiteral("grisée");
    }
    return value == QLatin1String("0") ? QStringLiteral("non cochée") : QStringLiteral("cochée");
}
} // namespace

namespace ConflictReport
{
QString rowName(int row, int slotMinutes)
{
    const auto time = GridLabels::RowTime(slotCodeForMinutes(slotMinutes), row);
    if (!time) {
        return QStringLiteral("ligne %1").arg(row + 1);
    }
    return QStringLiteral("%1h%2").arg(time->hour(), 2, 10, QLatin1Char('0')).arg(time->minute(), 2, 10, QLatin1Char('0'));
}

QString message(const QList<DayConflict>& conflicts, int slotMinutes)
{
    if (conflicts.isEmpty()) {
        return QString();
    }
    QStringList lines;
    for (const DayConflict& c : conflicts) {
        switch (c.unit) {
        case DayConflict::Unit::Slot:
            lines << QStringLiteral("- %1 : %2 sur l'autre poste, remplacé par %3")
                         .arg(rowName(c.row, slotMinutes), quoted(c.otherValue), quoted(c.ownValue));
            break;
        case DayConflict::Unit::Tick:
            lines << QStringLiteral("- case de %1 : %2 sur l'autre poste, %3 ici")
                         .arg(rowName(c.row, slotMinutes), tickState(c.otherValue), tickState(c.ownValue));
            break;
        case DayConflict::Unit::Postit:
            lines << QStringLiteral("- Post-It : %1 sur l'autre poste, remplacé par %2")
                         .arg(quoted(c.otherValue), quoted(c.ownValue));
            break;
        case DayConflict::Unit::Bloc:
            lines << QStringLiteral("- Programme du bloc : %1 sur l'autre poste, remplacé par %2")
                         .arg(quoted(c.otherValue), quoted(c.ownValue));
            break;
        case DayConflict::Unit::Flag:
            lines << QStringLiteral("- %1 : %2 sur l'autre poste, %3 ici")
                         .arg(boxName(c.box), boxState(c.otherShown, c.otherValue), boxState(c.ownShown, c.ownValue));
            break;
        }
    }
    return QStringLiteral("Ce jour a été modifié en même temps sur un autre poste.\n"
                          "Vos saisies ont été enregistrées ; elles remplacent celles de l'autre poste :\n%1\n"
                          "Vérifiez ces rendez-vous avec l'autre poste.")
        .arg(lines.join(QLatin1Char('\n')));
}
} // namespace ConflictReport
