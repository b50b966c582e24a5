#include "Benchmarks.h"

namespace Benchmarks
{
void runNamesBenchmark()
{
}
} // namespace Benchmarks
