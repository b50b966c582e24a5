#include "Benchmarks.h"

#include "BenchDatabase.h"
#include "BenchMainWindow.h"

#include "dayrecords/DayStore.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "search/AppointmentSearch.h"
#include "search/ui/FrmRech.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTextStream>

#include <vector>

namespace
{
using BenchDatabase::Users;
using BenchDatabase::medianMs;
using BenchDatabase::verdict;

constexpr int LongRuns = 31;
constexpr int ShortRuns = 301;
constexpr int OpenRuns = 501;
constexpr double LongTargetMs = 100.0;
constexpr double ShortTargetMs = 5.0;
constexpr double OpenTargetMs = 2.0;
constexpr int DefaultRangeDays = 90;

// The rows the search reads, read and nothing more: the connection opened,
// the range query run, each day and its slot texts taken as text.
qint64 bareRead(const QString& path, int user, qint32 first, qint32 last, int& rows)
{
    QElapsedTimer timer;
    timer.start();
    const auto db = DbConnection::open(path);
    if (!db) {
        return -1;
    }
    const auto table = DayStore::checkedTable(**db, user);
    if (!table) {
        return -1;
    }
    QSqlQuery query((*db)->database());
    query.setForwardOnly(true);
    query.prepare(AppointmentSearch::rangeQuery(*table));
    query.addBindValue(first);
    query.addBindValue(last);
    query.exec();
    qsizetype characters = 0;
    rows = 0;
    while (query.next()) {
        characters += query.value(1).toString().size() + query.value(0).toInt() % 2;
        ++rows;
    }
    const qint64 elapsed = timer.nsecsElapsed();
    return characters >= 0 ? elapsed : -1;
}

qint64 timedSearch(const QString& path, const AppointmentSearch::Request& request, int& found)
{
    QElapsedTimer timer;
    timer.start();
    const auto days = AppointmentSearch::findDays(path, request);
    const qint64 elapsed = timer.nsecsElapsed();
    found = days ? static_cast<int>(days->size()) : -1;
    return days ? elapsed : -1;
}

struct SearchTimes
{
    double search = -1;
    double bare = -1;
    int rows = 0;
    int found = 0;
};

// The search and the bare read take turns on the same user and range, so
// that the machine's other work weighs on both alike.
SearchTimes timeSearch(const QString& path, qint32 first, qint32 last, const QString& text, int runs)
{
    QRandomGenerator random(5);
    std::vector<qint64> searches;
    std::vector<qint64> reads;
    SearchTimes times;
    for (int run = 0; run < runs; ++run) {
        const int user = 1 + random.bounded(Users);
        const qint64 read = bareRead(path, user, first, last, times.rows);
        const qint64 searched = timedSearch(path, {user, first, last, text}, times.found);
        if (read < 0 || searched < 0) {
            return {};
        }
        reads.push_back(read);
        searches.push_back(searched);
    }
    times.search = medianMs(searches);
    times.bare = medianMs(reads);
    return times;
}

// Opening a found day in a main window on the twenty-year database: the day
// read and shown through the main window's own way in, and the text selected
// in the 53 slot boxes.
double timeOpening(const QString& path, qint32 lastDay, int days)
{
    const BenchMainWindow started(path, lastDay);
    Form1* form = started.form();
    if (form == nullptr) {
        return -1;
    }
    QRandomGenerator random(13);
    std::vector<qint64> samples;
    for (int run = 0; run < OpenRuns; ++run) {
        const qint32 serial = lastDay - random.bounded(days);
        QElapsedTimer timer;
        timer.start();
        const bool opened = form->shownDay().openDayFromWindow(serial);
        FrmRech::selectInSlots(*form->ui().grid, QStringLiteral("Dupont"));
        samples.push_back(timer.nsecsElapsed());
        if (!opened) {
            return -1;
        }
    }
    return medianMs(samples);
}
} // namespace

namespace Benchmarks
{
void runSearchBenchmark(const BenchDatabase::Databases& databases)
{
    QTextStream out(stdout);
    out << "Recherche :\n";
    const QString& path = databases.twentyYears;
    const qint32 last = databases.lastDay;
    const qint32 first = last - databases.twentyYearsDays + 1;

    // A name of the list, found on most days, and one found on none: the
    // whole text of every day is read either way.
    const SearchTimes common = timeSearch(path, first, last, QStringLiteral("lefèvre zoé"), LongRuns);
    const SearchTimes absent = timeSearch(path, first, last, QStringLiteral("Dup?nt [!J]ean#"), LongRuns);
    const SearchTimes recent = timeSearch(path, last - DefaultRangeDays, last, QStringLiteral("Dupont"), ShortRuns);
    const double opening = timeOpening(path, last, databases.twentyYearsDays);

    for (const auto& [label, t] : {std::pair{QStringLiteral("« lefèvre zoé »"), common},
                                   std::pair{QStringLiteral("« Dup?nt [!J]ean# »"), absent}}) {
        out << QStringLiteral("  20 ans d'un utilisateur (%1 jours), %2, %3 jours trouvés (médiane) : %4 ms  "
                              "[cible <= %5 ms] %6\n")
                   .arg(t.rows)
                   .arg(label)
                   .arg(t.found)
                   .arg(t.search, 0, 'f', 2)
                   .arg(LongTargetMs)
                   .arg(verdict(t.search >= 0 && t.search <= LongTargetMs));
        out << QStringLiteral("    lecture SQLite seule des mêmes lignes : %1 ms ; rapport %2  [cible <= 2] %3\n")
                   .arg(t.bare, 0, 'f', 2)
                   .arg(t.search / t.bare, 0, 'f', 2)
                   .arg(verdict(t.search >= 0 && t.search <= 2 * t.bare));
    }
    out << QStringLiteral("  90 jours (plage par défaut), %1 jours trouvés (médiane) : %2 ms  [cible <= %3 ms] %4\n")
               .arg(recent.found)
               .arg(recent.search, 0, 'f', 3)
               .arg(ShortTargetMs)
               .arg(verdict(recent.search >= 0 && recent.search <= ShortTargetMs));
    out << QStringLiteral("  ouverture d'un jour trouvé et sélection (médiane) : %1 ms  [cible <= %2 ms] %3\n")
               .arg(opening, 0, 'f', 3)
               .arg(OpenTargetMs)
               .arg(verdict(opening >= 0 && opening <= OpenTargetMs));
    out.flush();
}
} // namespace Benchmarks
