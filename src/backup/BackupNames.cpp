#include "backup/BackupNames.h"

#include "platform/Files.h"

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
    const QString base = file + QStringLiteral(".avant-restauration-")
                         + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n) {
        name = base + QLatin1Char('-') + QString::number(n);
    }
    return name;
}
} // namespace BackupNames
