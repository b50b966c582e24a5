#pragma once

#include "platform/Result.h"

#include <QString>

// The backup: the appointment database and the users' settings file copied
// into a backup folder as AGENDAS.MDB and Utilisat.vlk.
namespace Backup
{
struct Request
{
    QString databasePath; // the working AGENDAS.MDB
    QString usersFolder;  // the folder of the working Utilisat.vlk
    QString backupFolder;
};

// Why this backup must not be made (no folder, no database, the database's
// own folder); success when it may.
Status refusal(const Request& request);

// The backup. The database is copied by the engine while other workstations
// go on working (the copy holds every committed day, nothing half-written);
// the previous backup is replaced only once both new files are complete, so
// a failed backup leaves it whole. Fails on a refusal too.
Status run(const Request& request);
} // namespace Backup
