#pragma once

#include "platform/Result.h"

#include <QString>

#include <memory>

class DbConnection;

// An appointment database file as the backup and the restore see it: whether
// it can be used, and a consistent copy of it made by the engine itself.
namespace AppointmentFile
{
enum class State {
    Usable,      // the six day tables with their 13 fields, every page sound
    Missing,     // no file at the path
    Unavailable, // a database that cannot be read now (locked, refused access)
    Unusable,    // not an appointment database, or a damaged one
};

struct Inspection
{
    State state = State::Missing;
    QString reason;                          // French, for every state but Usable
    QString details;                         // the engine's own words, when it gave any
    std::shared_ptr<DbConnection> connection; // open on the file when Usable
};

// Opens the file (read-only when asked) and checks it: the six tables with
// their 13 fields and the engine's page check; read-only (a file to restore),
// also that its days are day numbers. Never creates nor changes it.
Inspection inspect(const QString& path, bool readOnly);

// A copy of a database written beside its target, not yet in its place.
// Dropped (its file removed) unless placed.
class StagedCopy
{
public:
    StagedCopy(QString tempPath, QString target);
    ~StagedCopy();
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    // Renames the copy over the target in one step (a stale journal of the
    // target goes first, so that the engine never applies it to the copy).
    Status place();
    const QString& target() const { return m_target; }

private:
    QString m_tempPath;
    QString m_target;
    bool m_placed = false;
};

// A consistent copy of the open database, made by the engine (what other
// workstations commit meanwhile is either wholly in it or not at all),
// complete and on the disk beside `target`. The copy keeps the rollback
// journal, so the file alone is the whole database, and has the mode the
// target has or would get (Files::createStaged). Nothing changes at `target`
// until the copy is placed.
Result<std::unique_ptr<StagedCopy>> stageCopy(DbConnection& source, const QString& target);

// stageCopy, then place.
Status copyTo(DbConnection& source, const QString& target);

// The journal the engine keeps beside a database file while it writes.
QString journalPath(const QString& databasePath);
} // namespace AppointmentFile
