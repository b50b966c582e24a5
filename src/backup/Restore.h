#pragma once

#include "platform/Result.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The restore: a backed-up appointment database replaces the working one's
// days, and the Utilisat.vlk found beside it the working settings file. All
// or nothing: a restore that fails leaves both as they were.
namespace Restore
{
enum class Verdict {
    Usable,
    NoFile,        // no path chosen
    Missing,       // nothing at the path
    LiveDatabase,  // the working database itself
    Unusable,      // not an appointment database, damaged, or unreadable
};

struct SourceCheck
{
    Verdict verdict = Verdict::NoFile;
    QString reason; // French, for every verdict but Usable
    QString details; // the engine's own words, when it gave any
};

// Checks the file to restore without writing to it: its six tables with
// their 13 fields and the engine's page check.
SourceCheck checkSource(const QString& source, const QString& databasePath);

struct Request
{
    QString source;       // the backed-up database, whatever its name
    QString databasePath; // the working AGENDAS.MDB
    QString usersFolder;  // the folder of the working Utilisat.vlk
    QDateTime when;       // names the safety copies
    // Runs after each table but the last is copied, inside the restore's
    // transaction; a failure stops the restore there (tests make a restore
    // fail midway with it).
    std::function<Status(int tablesCopied)> betweenTables;
    // Runs when every table is copied and the settings file staged, just
    // before the commit (tests stop a restoring process there).
    std::function<void()> beforeCommit;
};

struct Outcome
{
    bool settingsRestored = false;
    bool settingsAreLive = false; // the Utilisat.vlk beside the source is the working one itself
    QString settingsSource;  // the Utilisat.vlk looked for beside the source
    QString databaseKept;    // the working database as it was, kept aside
    QString settingsKept;    // the working Utilisat.vlk as it was ("" when it was not replaced)
    QString settingsProblem; // why the restored Utilisat.vlk could not take its place after the commit
    bool replacedWhole = false; // the working file was missing or unusable and was replaced
};

// The restore. The working database keeps its file, so that the other
// workstations' connections stay valid and read the restored days: its six
// tables take the source's rows in one transaction, after a safety copy of
// the working database (and of Utilisat.vlk) has been written beside it.
// Only a working file that is missing or no usable database is replaced by
// a copy of the source renamed into place, the damaged file kept aside.
Result<Outcome> run(const Request& request);
} // namespace Restore
