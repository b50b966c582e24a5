#pragma once

#include "platform/Result.h"

#include <QDateTime>
#include <QString>

// The backup: the appointment database and the users' settings file copied
// into a backup folder as AGENDAS.MDB and Utilisat.vlk.
namespace Backup
{
struct Request
{
    QString databasePath; // the database the agenda works on
    QString usersFolder;  // the folder of the working Utilisat.vlk
    QString backupFolder;
    QDateTime when = QDateTime::currentDateTime(); // names a settings file set aside
};

// Why this backup must not be made (no folder, no database, the database's
// own folder or the settings' folder however reached); success when it may.
// Nothing is copied then.
Status refusal(const Request& request);

struct Outcome
{
    bool settingsCopied = false; // false: there was no Utilisat.vlk to copy
    QString settingsSetAside;    // an earlier backup's Utilisat.vlk, renamed so it is not taken for this one's
};

// The backup. The database is copied by the engine while other workstations
// go on working (the copy holds every committed day, nothing half-written);
// the previous backup is replaced only once both new files are complete, so
// a failed backup leaves it whole. Without a working Utilisat.vlk the
// database alone is backed up. Fails on a refusal too.
Result<Outcome> run(const Request& request);
} // namespace Backup
