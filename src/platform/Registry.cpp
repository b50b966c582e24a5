#include "platform/Registry.h"

#include "platform/NoCase.h"

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
    const QString entry =
        NoCase::find(dir.entryList({QStringLiteral("*.ini")}, QDir::Files), application + QStringLiteral(".ini"));
    return entry.isEmpty() ? QString() : dir.filePath(entry);
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
    const QString group = NoCase::find(settings.childGroups(), section);
    if (group.isEmpty()) {
        return defaultValue;
    }
    settings.beginGroup(group);
    const QString key = NoCase::find(settings.childKeys(), name);
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
    QString group = NoCase::find(settings.childGroups(), section);
    if (group.isEmpty()) {
        group = section;
    }
    settings.beginGroup(group);
    QString key = NoCase::find(settings.childKeys(), name);
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
