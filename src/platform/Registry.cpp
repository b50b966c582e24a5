#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace
{
QString& storeFolderOverride()
{
    static QString folder;
    return folder;
}

// The INI file that holds `application`, found without regard to case.
QString existingIniFile(const QString& application)
{
    const QDir dir(Registry::storeFolder());
    const QStringList entries = dir.entryList({QStringLiteral("*.ini")}, QDir::Files);
    const QString wanted = application + QStringLiteral(".ini");
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return QString();
}

QString matchNoCase(const QStringList& candidates, const QString& wanted)
{
    for (const QString& candidate : candidates) {
        if (candidate.compare(wanted, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return QString();
}
} // namespace

namespace Registry
{
QString storeFolder()
{
    if (!storeFolderOverride().isEmpty()) {
        return storeFolderOverride();
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void setStoreFolder(const QString& folder)
{
    storeFolderOverride() = folder;
}

QString iniFilePath(const QString& application)
{
    const QString existing = existingIniFile(application);
    return existing.isEmpty() ? QDir(storeFolder()).filePath(application + QStringLiteral(".ini"))
                              : existing;
}

QString getSetting(const QString& application, const QString& section, const QString& name,
                   const QString& defaultValue)
{
    const QString file = existingIniFile(application);
    if (file.isEmpty()) {
        return defaultValue;
    }
    QSettings settings(file, QSettings::IniFormat);
    const QString group = matchNoCase(settings.childGroups(), section);
    if (group.isEmpty()) {
        return defaultValue;
    }
    settings.beginGroup(group);
    const QString key = matchNoCase(settings.childKeys(), name);
    if (key.isEmpty()) {
        return defaultValue;
    }
    const QVariant stored = settings.value(key);
    if (stored.typeId() == QMetaType::QStringList) {
        // A value with a comma reads back as a list; it is one text here.
        return stored.toStringList().join(QLatin1Char(','));
    }
    return stored.toString();
}

bool saveSetting(const QString& application, const QString& section, const QString& name,
                 const QString& value)
{
    QDir().mkpath(storeFolder());
    QSettings settings(iniFilePath(application), QSettings::IniFormat);
    QString group = matchNoCase(settings.childGroups(), section);
    if (group.isEmpty()) {
        group = section;
    }
    settings.beginGroup(group);
    QString key = matchNoCase(settings.childKeys(), name);
    if (key.isEmpty()) {
        key = name;
    }
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString value(const QString& name, const QString& defaultValue)
{
    return getSetting(QString::fromLatin1(Application), QString::fromLatin1(Section), name,
                      defaultValue);
}

bool setValue(const QString& name, const QString& value)
{
    return saveSetting(QString::fromLatin1(Application), QString::fromLatin1(Section), name,
                       value);
}
} // namespace Registry
