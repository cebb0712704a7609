#include <benchmark/benchmark.h>

#include "steady_memory.hpp"

int main(int argc, char** argv)
{
    vadrel::bench::keepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
