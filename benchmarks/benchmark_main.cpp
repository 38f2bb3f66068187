#include <benchmark/benchmark.h>

// The one main of pellimore_benchmarks; each benchmark file only registers its benchmarks.
BENCHMARK_MAIN();
