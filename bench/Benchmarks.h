#pragma once

// The benchmark program's parts; each prints its medians.
namespace Benchmarks
{
// One name completion on a names table of 100,000 names.
void runNamesBenchmark();
} // namespace Benchmarks
