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
    const QFileInfo database(request.databasePath);
    if (request.databasePath.isEmpty() || !database.isFile()) {
        return Status::failure(QStringLiteral("La base de données à sauvegarder est introuvable : « %1 ».")
                                   .arg(Files::displayPath(request.databasePath)));
    }
    const QString folder = QFileInfo(request.backupFolder).canonicalFilePath();
    if (!folder.isEmpty() && folder == QFileInfo(database.canonicalFilePath()).path()) {
        return Status::failure(QStringLiteral("Le répertoire de sauvegarde « %1 » est celui de la base de données "
                                              "elle-même : choisissez un autre répertoire.")
                                   .arg(Files::displayPath(request.backupFolder)));
    }
    return Status::success();
}

Status run(const Request& request)
{
    const Status refused = refusal(request);
    if (!refused) {
        return refused;
    }
    if (!QFileInfo(request.backupFolder).isDir()) {
        return Status::failure(QStringLiteral("Le répertoire de sauvegarde « %1 » n'existe pas.")
                                   .arg(Files::displayPath(request.backupFolder)));
    }
    const Result<QByteArray> settings =
        Files::readAll(Files::findFileNoCase(request.usersFolder, BackupNames::UserSettings));
    if (!settings) {
        return settings.status();
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
    const QString settingsCopy = BackupNames::userSettingsIn(request.backupFolder);
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
    }
    return placed;
}
} // namespace Backup
