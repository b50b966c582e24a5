#include "platform/ui/HelpViewer.h"

#include "platform/Files.h"
#include "platform/ui/Dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace
{
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> current;
    return current;
}

bool openWithDesktop(const QUrl& url)
{
    if (opener()) {
        return opener()(url);
    }
    return QDesktopServices::openUrl(url);
}
} // namespace

namespace HelpViewer
{
QString pageFor(const QString& helpFile)
{
    const QFileInfo info(helpFile);
    return Files::findFileNoCase(info.path(), info.completeBaseName() + QStringLiteral(".html"));
}

bool showContents(QWidget* parent, const QString& helpFile)
{
    const QString page = pageFor(helpFile);
    const QFileInfo info(page);
    if (!info.isFile() || !info.isReadable()) {
        Dialogs::message(parent, QStringLiteral("L'aide est introuvable : le fichier « %1 » n'existe pas ou ne peut "
                                                "pas être lu.\nVeuillez le faire réinstaller à côté du programme.")
                                     .arg(Files::displayPath(page)));
        return false;
    }
    if (!openWithDesktop(QUrl::fromLocalFile(info.absoluteFilePath()))) {
        Dialogs::message(parent, QStringLiteral("L'aide « %1 » n'a pas pu être affichée : aucun programme de ce poste "
                                                "ne sait ouvrir les pages HTML.\nOuvrez ce fichier avec votre "
                                                "navigateur internet.")
                                     .arg(Files::displayPath(page)));
        return false;
    }
    return true;
}

namespace Test
{
void setOpener(std::function<bool(const QUrl&)> replacement)
{
    opener() = std::move(replacement);
}

void resetOpener()
{
    opener() = nullptr;
}
} // namespace Test
} // namespace HelpViewer
