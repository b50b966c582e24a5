#pragma once

#include "BenchDatabase.h"

// The benchmark program's parts; each prints its medians.
namespace Benchmarks
{
// Day show and day save on six users with twenty years of filled days, and
// on one month of days.
void runDayBenchmark(const BenchDatabase::Databases& databases);
// One name completion on a names table of 100,000 names.
void runNamesBenchmark();
// Each print command composed and rendered into a PDF file.
void runPrintBenchmark();
// The appointment search over twenty years and over the default 90 days,
// against a bare read of the same rows, and the opening of a found day.
void runSearchBenchmark(const BenchDatabase::Databases& databases);
// The week window: a week read and shown on twenty years and on one month,
// and a day opened from it.
void runWeekBenchmark(const BenchDatabase::Databases& databases);
// Backup of the twenty-year database (beside a plain file copy), and its
// restore with the check of the file and the safety copy.
void runBackupBenchmark(const BenchDatabase::Databases& databases);
} // namespace Benchmarks
