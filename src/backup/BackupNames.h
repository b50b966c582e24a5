#pragma once

#include <QDateTime>
#include <QString>

// The files a backup folder holds, and the names of the safety copies a
// restore keeps.
namespace BackupNames
{
inline const QString Database = QStringLiteral("AGENDAS.MDB");
inline const QString UserSettings = QStringLiteral("Utilisat.vlk");

// <folder>/AGENDAS.MDB and <folder>/Utilisat.vlk
QString databaseIn(const QString& folder);
QString userSettingsIn(const QString& folder);

// "<file>.avant-restauration-AAAAMMJJ-HHMMSS" beside `file`; "-2", "-3" ...
// are added when that name is taken.
QString safetyCopyOf(const QString& file, const QDateTime& when);
} // namespace BackupNames
