// kordela-bench: times the operations a user waits for. Built with the rest,
// run by hand: ./build/kordela-bench
#include "Benchmarks.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    BenchDatabase::Databases databases;
    QTextStream out(stdout);
    if (!folder.isValid() || !BenchDatabase::buildAll(folder.path(), databases, out)) {
        return 1;
    }
    Benchmarks::runDayBenchmark(databases);
    Benchmarks::runNamesBenchmark();
    return 0;
}
