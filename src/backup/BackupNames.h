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
// "<file>.<tag>-AAAAMMJJ-HHMMSS" beside `file`, made unique the same way.
QString asideName(const QString& file, const QString& tag, const QDateTime& when);

// Removes the staged copies ("AGENDAS.MDB….en-cours", "Utilisat.vlk….en-cours")
// that a backup or a restore killed midway left in `folder`; one modified in
// the last LeftoverAgeSeconds may still be another workstation's and stays.
constexpr int LeftoverAgeSeconds = 600;
void removeLeftovers(const QString& folder);
} // namespace BackupNames
