#include "backup/Backup.h"

#include "backup/AppointmentFile.h"
#include "backup/BackupNames.h"
#include "platform/Database.h"
#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

namespace Backup
{
Status refusal(const Request& request)
{
    if (request.backupFolder.trimmed().isEmpty()) {
        return Status::failure(QStringLiteral("Aucun répertoire de sauvegarde n'est défini : choisissez-le avec "
                                              "« Définir le répertoire de Sauvegarde »."));
    }
    if (!QFileInfo(request.backupFolder).isDir()) {
        return Status::failure(QStringLiteral("Le répertoire de sauvegarde « %1 » n'existe pas.")
                                   .arg(Files::displayPath(request.backupFolder)));
    }
    const QFileInfo database(request.databasePath);
    if (request.databasePath.isEmpty() || !database.isFile()) {
        return Status::failure(QStringLiteral("La base de données à sauvegarder est introuvable : « %1 ».")
                                   .arg(Files::displayPath(request.databasePath)));
    }
    // The folder of the path as the agenda names it (a link's folder) and the
    // folder of the file itself, however the backup folder reaches them.
    const bool ownFolder = Files::sameFile(request.backupFolder, database.absolutePath())
                           || Files::sameFile(request.backupFolder, QFileInfo(database.canonicalFilePath()).path())
                           || Files::sameFile(BackupNames::databaseIn(request.backupFolder), request.databasePath);
    if (ownFolder) {
        return Status::failure(QStringLiteral("Le répertoire de sauvegarde « %1 » est celui de la base de données "
                                              "elle-même : choisissez un autre répertoire.")
                                   .arg(Files::displayPath(request.backupFolder)));
    }
    // The settings' folder, when it is another one (or the folder of the file
    // a linked Utilisat.vlk names): the backup's Utilisat.vlk would be the
    // working one itself, changed by every later settings change.
    const QString settings = Files::findFileNoCase(request.usersFolder, BackupNames::UserSettings);
    const bool settingsFolder =
        Files::sameFile(request.backupFolder, request.usersFolder)
        || (QFileInfo::exists(settings)
            && Files::sameFile(request.backupFolder, QFileInfo(QFileInfo(settings).canonicalFilePath()).path()));
    if (settingsFolder) {
        return Status::failure(QStringLiteral("Le répertoire de sauvegarde « %1 » est celui des réglages des "
                                              "utilisateurs (Utilisat.vlk) de l'agenda : choisissez un autre "
                                              "répertoire.")
                                   .arg(Files::displayPath(request.backupFolder)));
    }
    return Status::success();
}

Result<Outcome> run(const Request& request)
{
    using R = Result<Outcome>;
    const Status refused = refusal(request);
    if (!refused) {
        return refused;
    }
    BackupNames::removeLeftovers(request.backupFolder);
    Outcome outcome;
    const QString liveSettings = Files::findFileNoCase(request.usersFolder, BackupNames::UserSettings);
    std::optional<QByteArray> settings;
    if (QFileInfo::exists(liveSettings)) {
        const Result<QByteArray> bytes = Files::readAll(liveSettings);
        if (!bytes) {
            return bytes.status();
        }
        settings = *bytes;
    }
    auto live = DbConnection::open(request.databasePath, AppointmentDatabase::tableNames());
    if (!live) {
        return live.status();
    }
    auto staged = AppointmentFile::stageCopy(**live, BackupNames::databaseIn(request.backupFolder));
    if (!staged) {
        return staged.status();
    }
    // Both new files are complete before the first replaces its old one.
    const QString settingsCopy = Files::findFileNoCase(request.backupFolder, BackupNames::UserSettings);
    if (!settings) {
        // No settings file to copy: the earlier backup's one is set aside, so
        // that it is never taken for this database's.
        if (QFileInfo::exists(settingsCopy)) {
            outcome.settingsSetAside =
                BackupNames::asideName(settingsCopy, QStringLiteral("avant-sauvegarde"), request.when);
            if (!QFile::rename(settingsCopy, outcome.settingsSetAside)) {
                return R::failure(QStringLiteral("Le fichier « %1 » n'a pas pu être mis de côté.")
                                      .arg(Files::displayPath(settingsCopy)));
            }
        }
        const Status placed = (*staged)->place();
        if (!placed) {
            if (!outcome.settingsSetAside.isEmpty()) {
                QFile::rename(outcome.settingsSetAside, settingsCopy);
            }
            return placed;
        }
        return outcome;
    }
    const Result<QByteArray> previousSettings =
        QFileInfo::exists(settingsCopy) ? Files::readAll(settingsCopy) : Result<QByteArray>::failure(QString());
    const Status written = Files::writeAtomically(settingsCopy, *settings);
    if (!written) {
        return written;
    }
    const Status placed = (*staged)->place();
    if (!placed) {
        // The previous backup stays a pair.
        if (previousSettings) {
            Files::writeAtomically(settingsCopy, *previousSettings);
        } else {
            QFile::remove(settingsCopy);
        }
        return placed;
    }
    outcome.settingsCopied = true;
    return outcome;
}
} // namespace Backup
