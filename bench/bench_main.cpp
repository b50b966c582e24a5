// kordela-bench: times the operations a user waits for. Built with the rest,
// run by hand: ./build/kordela-bench
#include "Benchmarks.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Benchmarks::runDayBenchmark();
    Benchmarks::runNamesBenchmark();
    return 0;
}
