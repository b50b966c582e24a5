#pragma once

#include "dayrecords/DayView.h"

#include <QString>

#include <vector>

class QRandomGenerator;
class QTextStream;

// The databases every benchmark measures on: six users, each with every day
// of twenty years filled, and the same with one month. Built once per run.
namespace BenchDatabase
{
constexpr int Users = 6;

struct Databases
{
    QString twentyYears; // path of AGENDAS.MDB with twenty years per user
    QString oneMonth;    // path of AGENDAS.MDB with one month per user
    qint32 lastDay = 0;  // the last filled day of both
    int twentyYearsDays = 0;
    int oneMonthDays = 0;
};

// Builds both databases under `folder`; false (the reason written to `out`)
// when they could not be made.
bool buildAll(const QString& folder, Databases& databases, QTextStream& out);

// Builds a database of `days` filled days per user ending at `lastDay`, in
// one write transaction.
bool build(const QString& path, qint32 lastDay, int days, QTextStream& out);

// A full working day: most slots taken, a post-it, a theatre list, some ticks.
DayScreen filledDay(qint32 serial, QRandomGenerator& random);
QString patientName(QRandomGenerator& random);

// The median of samples in nanoseconds, in milliseconds.
double medianMs(std::vector<qint64>& nanoseconds);
// "OK" or "HORS CIBLE".
QString verdict(bool ok);
} // namespace BenchDatabase
