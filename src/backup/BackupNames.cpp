#include "backup/BackupNames.h"

#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace BackupNames
{
QString databaseIn(const QString& folder)
{
    return Files::joinPath(folder, Database);
}

QString userSettingsIn(const QString& folder)
{
    return Files::joinPath(folder, UserSettings);
}

QString safetyCopyOf(const QString& file, const QDateTime& when)
{
    return asideName(file, QStringLiteral("avant-restauration"), when);
}

QString asideName(const QString& file, const QString& tag, const QDateTime& when)
{
    const QString base = file + QLatin1Char('.') + tag + QLatin1Char('-')
                         + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n) {
        name = base + QLatin1Char('-') + QString::number(n);
    }
    return name;
}

void removeLeftovers(const QString& folder)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDir dir(folder);
    const QStringList patterns = {Database + QStringLiteral("*") + Files::StagedSuffix,
                                  UserSettings + QStringLiteral("*") + Files::StagedSuffix};
    for (const QFileInfo& staged : dir.entryInfoList(patterns, QDir::Files | QDir::Hidden)) {
        // A file still being written by another workstation is younger.
        if (staged.lastModified().secsTo(now) >= LeftoverAgeSeconds) {
            QFile::remove(staged.absoluteFilePath());
        }
    }
}
} // namespace BackupNames
