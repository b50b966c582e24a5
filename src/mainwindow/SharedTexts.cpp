#include "mainwindow/SharedTexts.h"

namespace SharedTexts
{
QString noDatabaseOpen()
{
    return QStringLiteral("Aucune base de données n'est ouverte dans l'agenda : le chemin de la base (CHEMIN) "
                          "n'a pas été accepté au démarrage.");
}
} // namespace SharedTexts
