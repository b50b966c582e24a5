#pragma once

#include <QString>

// The search window's caption and messages.
namespace SearchTexts
{
// "Recherche chez " and the name of the user searched.
QString windowTitle(const QString& userName);
// A date box whose text is no date.
QString badDateMessage();
// A search the database did not answer; the reason below.
QString searchFailedMessage(const QString& reason);
} // namespace SearchTexts
