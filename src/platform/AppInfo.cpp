#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QDir>

namespace
{
QString& programFolderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

namespace AppInfo
{
QString title()
{
    return QStringLiteral("KORDELA");
}

int versionMajor()
{
    return KORDELA_VERSION_MAJOR;
}

int versionMinor()
{
    return KORDELA_VERSION_MINOR;
}

int versionRevision()
{
    return KORDELA_VERSION_PATCH;
}

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision());
}

QString programFolder()
{
    if (!programFolderOverride().isEmpty()) {
        return programFolderOverride();
    }
    if (QCoreApplication::instance()) {
        return QDir::cleanPath(QCoreApplication::applicationDirPath());
    }
    return QDir::currentPath();
}

void setProgramFolder(const QString& folder)
{
    programFolderOverride() = QDir::cleanPath(folder);
}

void resetProgramFolder()
{
    programFolderOverride().clear();
}
} // namespace AppInfo
