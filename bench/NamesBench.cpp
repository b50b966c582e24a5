#include "Benchmarks.h"

#include "BenchDatabase.h"

#include "mainwindow/NameSearch.h"
#include "mainwindow/NamesImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace
{
constexpr int NameCount = 100000;
constexpr int WarmLookups = 2000;
constexpr int ColdLookups = 200;

QList<NameMatch> generatedNames(QRandomGenerator& random)
{
    static const char* const syllables[] = {"BE", "LA", "MAR", "TIN", "DU", "PON", "RO", "BER", "GI",
                                            "RAR", "MO", "REAU", "LE", "ROY", "FON", "TAI", "NE", "CHA",
                                            "VAL", "GAR", "NIER", "SI", "MON", "BLAN", "CO", "LIN", "VI",
                                            "DAL", "BRU", "NET", "D'AR", "CY", "LEF", "ÈVRE", "GUÉ", "RIN",
                                            "BÉ", "ÉLI", "SÉE", "CŒ", "LE ", "DE LA "};
    static const char* const firstNames[] = {"Jean", "Marie", "Pierre", "Michel", "Nathalie", "Isabelle",
                                             "Philippe", "Sylvie", "Catherine", "Alain", "Françoise",
                                             "Hélène", "Céline", "Léa", "Jérôme", "Nicolas"};
    const int syllableCount = static_cast<int>(std::size(syllables));
    const int firstCount = static_cast<int>(std::size(firstNames));
    QList<NameMatch> names;
    names.reserve(NameCount);
    for (int i = 0; i < NameCount; ++i) {
        QString family;
        const int parts = 2 + random.bounded(3);
        for (int p = 0; p < parts; ++p) {
            family += QString::fromUtf8(syllables[random.bounded(syllableCount)]);
        }
        names.append({family, QString::fromUtf8(firstNames[random.bounded(firstCount)])});
    }
    return names;
}
} // namespace

namespace Benchmarks
{
void runNamesBenchmark()
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QString::fromLatin1(NamesImport::DemoFileName));
    const QString table = QString::fromLatin1(NamesImport::DefaultTable);
    QRandomGenerator random(20070307);
    const QList<NameMatch> names = generatedNames(random);

    QElapsedTimer clock;
    clock.start();
    const Status created = NamesImport::createNamesTable(path, table, names);
    if (!created) {
        out << "names: the table could not be built: " << created.error() << Qt::endl;
        return;
    }
    const double buildMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    // Prefixes as typed: the first 2 to 6 characters of existing names, in
    // upper or lower case, accents included.
    QStringList prefixes;
    for (int i = 0; i < WarmLookups; ++i) {
        const QString nom = names.at(random.bounded(NameCount)).nom;
        const QString prefix = nom.left(2 + random.bounded(5));
        prefixes << (i % 2 == 0 ? prefix : prefix.toLower());
    }

    int found = 0;
    std::vector<qint64> warm;
    {
        NameLookup lookup;
        lookup.find(path, table, QStringLiteral("MA")); // opens the connection
        for (const QString& prefix : std::as_const(prefixes)) {
            clock.restart();
            const NameLookup::Answer answer = lookup.find(path, table, prefix);
            warm.push_back(clock.nsecsElapsed());
            found += answer.outcome == NameLookup::Outcome::Found ? 1 : 0;
        }
    }
    std::vector<qint64> cold;
    for (int i = 0; i < ColdLookups; ++i) {
        clock.restart();
        NameLookup lookup;
        lookup.find(path, table, prefixes.at(i));
        cold.push_back(clock.nsecsElapsed());
    }

    out << "names: table of " << NameCount << " names built in " << QString::number(buildMs, 'f', 1) << " ms"
        << Qt::endl;
    out << "names: one completion lookup, median " << QString::number(BenchDatabase::medianMs(warm), 'f', 3) << " ms over "
        << WarmLookups << " lookups (" << found << " found; target <= 5 ms)" << Qt::endl;
    out << "names: lookup opening the database anew, median " << QString::number(BenchDatabase::medianMs(cold), 'f', 3)
        << " ms over " << ColdLookups << " lookups" << Qt::endl;
}
} // namespace Benchmarks
