#include "AdminCommands.h"

namespace AdminCommands
{
int importNames(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    return 1;
}

QString createDemoNamesDatabase(const QString& folder)
{
    Q_UNUSED(folder);
    return QString();
}
} // namespace AdminCommands
