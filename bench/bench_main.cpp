// kordela-bench: times the operations a user waits for. Built with the rest,
// run by hand: ./build/kordela-bench
#include "Benchmarks.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // The printing benchmark draws text and the search opens a day in a main
    // window, which need the GUI; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    BenchDatabase::Databases databases;
    QTextStream out(stdout);
    if (!folder.isValid() || !BenchDatabase::buildAll(folder.path(), databases, out)) {
        return 1;
    }
    Benchmarks::runDayBenchmark(databases);
    Benchmarks::runNamesBenchmark();
    Benchmarks::runPrintBenchmark();
    Benchmarks::runSearchBenchmark(databases);
    Benchmarks::runWeekBenchmark(databases);
    // Last: the restore rewrites the twenty-year database (with its own days).
    Benchmarks::runBackupBenchmark(databases);
    return 0;
}
