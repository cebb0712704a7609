#pragma once
// What every benchmark shares: a scratch folder for the run (removed at
// exit) holding a copy of the templates, and the program built as the
// desktop builds it, answered by a NullUi and drawing on a canvas that only
// counts.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "bench_inputs.hpp"
#include "null_ui.hpp"
#include "preview/canvas.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel::bench {

// The run's own folder; the templates are copied into it, so pages and
// files the windows write beside them land there too.
const std::filesystem::path& scratch();
const std::filesystem::path& templates();

class CountingCanvas : public NullCanvas {
public:
    std::size_t lines = 0;
    void lineTo(int, int) override { ++lines; }
};

// The sizes a benchmark runs at, in milliseconds of real time, each after a
// warm-up iteration: the first run of a size pays for the memory it takes
// from the system, the steady state is what grows with the size.
inline void sizes(benchmark::internal::Benchmark* b, std::initializer_list<std::int64_t> ns,
                  benchmark::TimeUnit unit = benchmark::kMillisecond)
{
    for (std::int64_t n : ns) b->Arg(n);
    b->Unit(unit)->UseRealTime()->MinWarmUpTime(1.0);
}

struct BenchApp {
    BenchApp();
    ~BenchApp();
    NullUi ui;
    CountingCanvas canvas;
    std::unique_ptr<Aplicacion> app;
};

}  // namespace vadrel::bench
