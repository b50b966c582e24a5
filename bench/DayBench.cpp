#include "Benchmarks.h"

#include "BenchDatabase.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/DayView.h"
#include "dayrecords/Module1.h"
#include "platform/Database.h"
#include "platform/Dates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace
{
using BenchDatabase::Users;
using BenchDatabase::filledDay;
using BenchDatabase::verdict;
constexpr int ShowRuns = 1000;
constexpr int SaveRuns = 150;
constexpr double ShowTargetMs = 2.0;
constexpr double SaveTargetMs = 10.0;

struct ShowTimes
{
    double twentyYears = 0;
    double oneMonth = 0;
};

// Day show: the lookup (which opens the database anew) and the load. The two
// databases take turns, so that the machine's other work weighs on both alike.
ShowTimes timeShow(const QString& big, int bigDays, const QString& small, int smallDays, qint32 lastDay)
{
    QRandomGenerator random(7);
    DayScreen screen;
    std::vector<qint64> bigSamples;
    std::vector<qint64> smallSamples;
    for (int run = 0; run < 2 * ShowRuns; ++run) {
        const bool onBig = run % 2 == 0;
        const int user = 1 + random.bounded(Users);
        const qint32 serial = lastDay - random.bounded(onBig ? bigDays : smallDays);
        QElapsedTimer timer;
        timer.start();
        const auto found = Module1::dayLookup(user, serial, onBig ? big : small);
        if (found && found->has_value()) {
            DayLoader::LoadDayRecord(**found, screen);
        } else {
            DayLoader::ClearDayGrid(screen);
        }
        (onBig ? bigSamples : smallSamples).push_back(timer.nsecsElapsed());
    }
    return {BenchDatabase::medianMs(bigSamples), BenchDatabase::medianMs(smallSamples)};
}

// Day save: the whole day written from a filled screen, in its own write
// transaction, on days that have a row.
double timeSave(const QString& path, qint32 lastDay, int days)
{
    QRandomGenerator random(11);
    std::vector<qint64> samples;
    samples.reserve(SaveRuns);
    for (int run = 0; run < SaveRuns; ++run) {
        const int user = 1 + random.bounded(Users);
        const qint32 serial = lastDay - random.bounded(days);
        const DayScreen screen = filledDay(serial, random);
        QElapsedTimer timer;
        timer.start();
        const DayRecord record = DayLoader::FillDayRecord(screen);
        const auto saved = Module1::daySave(user, serial, path,
                                            [&record](const std::optional<DayRecord>&) { return record; });
        samples.push_back(timer.nsecsElapsed());
        if (!saved) {
            QTextStream(stdout) << "enregistrement impossible : " << saved.error() << '\n';
            return -1;
        }
    }
    return BenchDatabase::medianMs(samples);
}

} // namespace

namespace Benchmarks
{
void runDayBenchmark(const BenchDatabase::Databases& databases)
{
    QTextStream out(stdout);
    out << "Jours :\n";
    const QString& big = databases.twentyYears;
    const QString& small = databases.oneMonth;
    const qint32 lastDay = databases.lastDay;
    const int twentyYears = databases.twentyYearsDays;
    const int oneMonth = databases.oneMonthDays;

    const ShowTimes show = timeShow(big, twentyYears, small, oneMonth, lastDay);
    const double showBig = show.twentyYears;
    const double showSmall = show.oneMonth;
    const double saveBig = timeSave(big, lastDay, twentyYears);
    const double saveSmall = timeSave(small, lastDay, oneMonth);
    Module1::closeDatabase();

    out << QStringLiteral("  affichage d'un jour (médiane), 20 ans : %1 ms  [cible <= %2 ms] %3\n")
               .arg(showBig, 0, 'f', 3).arg(ShowTargetMs).arg(verdict(showBig <= ShowTargetMs));
    out << QStringLiteral("  affichage d'un jour (médiane), 1 mois : %1 ms\n").arg(showSmall, 0, 'f', 3);
    out << QStringLiteral("  rapport 20 ans / 1 mois : %1  [cible <= 2] %2\n")
               .arg(showBig / showSmall, 0, 'f', 2).arg(verdict(showBig <= 2 * showSmall));
    out << QStringLiteral("  enregistrement d'un jour (médiane), 20 ans : %1 ms  [cible <= %2 ms] %3\n")
               .arg(saveBig, 0, 'f', 3).arg(SaveTargetMs).arg(verdict(saveBig >= 0 && saveBig <= SaveTargetMs));
    out << QStringLiteral("  enregistrement d'un jour (médiane), 1 mois : %1 ms\n").arg(saveSmall, 0, 'f', 3);
    out.flush();
}
} // namespace Benchmarks
