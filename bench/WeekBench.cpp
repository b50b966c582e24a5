#include "Benchmarks.h"

#include "BenchDatabase.h"
#include "BenchMainWindow.h"

#include "mainwindow/ui/Form1.h"
#include "week/WeekDays.h"
#include "week/ui/Form3.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QRandomGenerator>
#include <QTextStream>

#include <vector>

namespace
{
using BenchDatabase::Users;
using BenchDatabase::medianMs;
using BenchDatabase::verdict;

constexpr int WeekRuns = 301;
constexpr int OpenRuns = 501;
constexpr double WeekTargetMs = 10.0;
constexpr double OpenTargetMs = 2.0;
constexpr int SlotMinutes = 15;

struct WeekTimes
{
    double twentyYears = -1;
    double oneMonth = -1;
};

// A week as the week button and the week changes show it: the seven days
// read and the seven lists filled. The two databases take turns.
WeekTimes timeWeeks(Form3& week, const BenchDatabase::Databases& databases)
{
    QRandomGenerator random(17);
    std::vector<qint64> bigSamples;
    std::vector<qint64> smallSamples;
    for (int run = 0; run < 2 * WeekRuns; ++run) {
        const bool onBig = run % 2 == 0;
        const int user = 1 + random.bounded(Users);
        const int days = onBig ? databases.twentyYearsDays : databases.oneMonthDays;
        const qint32 monday = WeekDays::mondayFor(databases.lastDay - random.bounded(days));
        QElapsedTimer timer;
        timer.start();
        const auto read = WeekDays::read(user, monday, onBig ? databases.twentyYears : databases.oneMonth);
        if (!read) {
            return {};
        }
        week.showWeek(monday, *read, SlotMinutes);
        (onBig ? bigSamples : smallSamples).push_back(timer.nsecsElapsed());
    }
    return {medianMs(bigSamples), medianMs(smallSamples)};
}

// A double click on a day list of a filled week window: the day read and
// shown in the main window, the week window closed.
double timeOpening(Form1& form, const BenchDatabase::Databases& databases)
{
    QRandomGenerator random(19);
    std::vector<qint64> samples;
    for (int run = 0; run < OpenRuns; ++run) {
        const qint32 monday = WeekDays::mondayFor(databases.lastDay - random.bounded(databases.twentyYearsDays));
        const auto read = WeekDays::read(1, monday, databases.twentyYears);
        if (!read) {
            return -1;
        }
        QPointer<Form3> week = new Form3(form);
        week->showWeek(monday, *read, SlotMinutes);
        QElapsedTimer timer;
        timer.start();
        week->List1_DblClick(random.bounded(WeekDays::Days));
        samples.push_back(timer.nsecsElapsed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (week) { // still open: the day could not be opened
            delete week.data();
            return -1;
        }
    }
    return medianMs(samples);
}
} // namespace

namespace Benchmarks
{
void runWeekBenchmark(const BenchDatabase::Databases& databases)
{
    QTextStream out(stdout);
    out << "Semaine :\n";
    WeekTimes weeks;
    double opening = -1;
    {
        const BenchMainWindow started(databases.twentyYears, databases.lastDay);
        if (Form1* form = started.form()) {
            Form3 week(*form);
            week.setAttribute(Qt::WA_DeleteOnClose, false);
            weeks = timeWeeks(week, databases);
            opening = timeOpening(*form, databases);
        }
    }
    out << QStringLiteral("  ouverture d'une semaine, 7 jours lus et 7 listes remplies (médiane), 20 ans : %1 ms  "
                          "[cible <= %2 ms] %3\n")
               .arg(weeks.twentyYears, 0, 'f', 3)
               .arg(WeekTargetMs)
               .arg(verdict(weeks.twentyYears >= 0 && weeks.twentyYears <= WeekTargetMs));
    out << QStringLiteral("  ouverture d'une semaine (médiane), 1 mois : %1 ms\n").arg(weeks.oneMonth, 0, 'f', 3);
    out << QStringLiteral("  rapport 20 ans / 1 mois : %1  [cible <= 2] %2\n")
               .arg(weeks.twentyYears / weeks.oneMonth, 0, 'f', 2)
               .arg(verdict(weeks.oneMonth > 0 && weeks.twentyYears <= 2 * weeks.oneMonth));
    out << QStringLiteral("  ouverture d'un jour depuis la semaine (médiane), 20 ans : %1 ms  [cible <= %2 ms] %3\n")
               .arg(opening, 0, 'f', 3)
               .arg(OpenTargetMs)
               .arg(verdict(opening >= 0 && opening <= OpenTargetMs));
    out.flush();
}
} // namespace Benchmarks
