#pragma once

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "platform/Result.h"

#include <QSqlError>
#include <QString>
#include <QStringList>

// The backup window's captions and messages.
namespace BackupTexts
{
// "Lancer la Sauvegarde de ", the database, "vers", the backup folder.
QStringList backupCaption(const QString& databasePath, const QString& backupFolder);
// "Restaurer", the backed-up database, "vers", the working database.
QStringList restoreCaption(const QString& source, const QString& databasePath);
// Caption lines as a button shows them: one line each, an "&" shown as itself
// (never an access key).
QString buttonText(const QStringList& lines);

// What a restore said it did: "Restauration effectuée" and what was restored.
QString restoreDone(const Restore::Outcome& outcome, const QString& source);
// A restore that did not happen.
QString restoreFailed(const QString& reason);
// The confirmation asked before a restore.
QString restoreQuestion(const QString& source, const QString& databasePath);

// "Sauvegarde terminée", and what was not copied.
QString backupDone(const Backup::Outcome& outcome);
// The backup's failure message, the reason on its second line.
QString backupFailed(const QString& reason);

// What the database engine's failure means, in the words of the backup's and
// the restore's sentences: a damaged database (with the advice to restore a
// backup), a full disk, a file or folder out of reach, a lock... Told by the
// engine's result code, by its text only where the driver gives no code.
QString engineFailure(const QSqlError& error);
// A failure in those words, the engine's own text as its details.
Status engineFailureStatus(const QSqlError& error);
} // namespace BackupTexts
