#include "AdminCommands.h"

#include "mainwindow/NamesImport.h"
#include "platform/Database.h"
#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace
{
QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

const QString ImportUsage = QStringLiteral(
    "Utilisation : kordela-admin import-names <fichier.csv> <base des noms> [table]\n"
    "  Le fichier contient une ligne NOM;PRENOM par patient (UTF-8 ou Windows-1252).\n"
    "  La base des noms est créée si elle n'existe pas ; la table (MATABLE par défaut)\n"
    "  ne doit pas déjà y exister.");
} // namespace

namespace AdminCommands
{
int importNames(const QStringList& arguments)
{
    QStringList args = arguments;
    if (!args.isEmpty() && args.first() == QLatin1String("import-names")) {
        args.removeFirst();
    }
    if (args.size() < 2 || args.size() > 3) {
        err() << ImportUsage << Qt::endl;
        return 2;
    }
    const QString csvPath = args.at(0);
    const QString databasePath = args.at(1);
    const QString table = args.size() == 3 ? args.at(2) : QString::fromLatin1(NamesImport::DefaultTable);

    const Result<QByteArray> bytes = Files::readAll(csvPath);
    if (!bytes) {
        err() << QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2")
                     .arg(Files::displayPath(csvPath), bytes.error())
              << Qt::endl;
        return 1;
    }
    const NamesImport::ParsedNames parsed = NamesImport::parseCsv(*bytes);
    if (parsed.names.isEmpty()) {
        err() << QStringLiteral("Le fichier « %1 » ne contient aucun nom : la base des noms n'est pas créée.")
                     .arg(Files::displayPath(csvPath))
              << Qt::endl;
        return 1;
    }
    const Status created = NamesImport::createNamesTable(databasePath, table, parsed.names);
    if (!created) {
        err() << created.error() << Qt::endl;
        return 1;
    }

    if (parsed.windows1252) {
        out() << QStringLiteral("Le fichier n'est pas en UTF-8 : il a été lu en Windows-1252.") << Qt::endl;
    }
    if (parsed.skippedLines > 0) {
        out() << QStringLiteral("%1 ligne(s) sans nom de famille ignorée(s).").arg(parsed.skippedLines)
              << Qt::endl;
    }
    out() << QStringLiteral("%1 nom(s) chargé(s) dans la table %2 de la base des noms « %3 ».")
                 .arg(parsed.names.size())
                 .arg(table, Files::displayPath(databasePath))
          << Qt::endl;
    return 0;
}

QString createDemoNamesDatabase(const QString& folder)
{
    const QString path = Files::joinPath(folder, QString::fromLatin1(NamesImport::DemoFileName));
    const QString table = QString::fromLatin1(NamesImport::DefaultTable);
    if (QFileInfo::exists(path)) {
        // A demo database made earlier is kept as it is.
        const auto opened = DbConnection::open(path);
        if (opened && (*opened)->hasTable(table)) {
            return path;
        }
    }
    const Status created = NamesImport::createNamesTable(path, table, NamesImport::demoNames());
    if (!created) {
        err() << created.error() << Qt::endl;
        return QString();
    }
    return path;
}
} // namespace AdminCommands
