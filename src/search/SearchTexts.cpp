#include "search/SearchTexts.h"

namespace SearchTexts
{
QString windowTitle(const QString& userName)
{
    return QStringLiteral("Recherche chez ") + userName;
}

QString badDateMessage()
{
    return QStringLiteral("La Date est saisie selon un mode incorrect. Veuillez corriger.");
}

QString searchFailedMessage(const QString& reason)
{
    return QStringLiteral("La recherche n'a pas pu se faire.\n%1").arg(reason);
}
} // namespace SearchTexts
