#pragma once

#include <QString>

// The texts that several windows show alike.
namespace SharedTexts
{
// A command that needs the appointment database when the start-up opened
// none (CHEMIN refused): the day, the user buttons, the week, the search,
// the backup and the restore all say it in these words.
QString noDatabaseOpen();
} // namespace SharedTexts
