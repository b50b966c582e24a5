#pragma once

#include <QString>
#include <QStringList>

// Names of files, tables, fields and settings match without regard to case,
// as they did on the practice's workstations.
namespace NoCase
{
// The first of `candidates` equal to `wanted` without regard to case, as it
// is spelt there; empty when there is none.
inline QString find(const QStringList& candidates, const QString& wanted)
{
    for (const QString& candidate : candidates) {
        if (candidate.compare(wanted, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return QString();
}
} // namespace NoCase
