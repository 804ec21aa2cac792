// A whole plot run (axes, check, sampling, drawing) beside the engine's batch evaluation of
// the same samples; and the replots of a range change.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench/bench_samples.h"
#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "plot/plotter.h"

namespace tracewell::bench {
namespace {

// A pasted text of 5,000 terms, "x^3*5+x^2*3+...": 29,999 characters.
const QString& longText() {
    static const QString text = [] {
        QString t;
        for (int i = 0; i < 5000; ++i)
            t += QStringLiteral("%1x^%2*%3").arg(i ? "+" : "").arg(1 + i % 4).arg(1 + i * 7 % 9);
        return t;
    }();
    return text;
}

void setUp(plot::Plotter& plotter, int xRange, int level) {
    plotter.load();
    plotter.state().XRange = static_cast<std::int16_t>(xRange);
    plotter.setPrecision(level);
}

// What the engine alone spends on the densest plot's samples.
void BM_EngineBatch_sin(benchmark::State& state) {
    const auto& xs = densestXs();
    const eval::CompileResult r = eval::compile("sin(x)");
    Doubles values(xs.size());
    std::vector<eval::Failure> failures(xs.size());
    eval::Evaluator engine;
    for (auto _ : state) {
        engine.evaluate(r.program(), xs, values, failures);
        benchmark::DoNotOptimize(values.data());
    }
}

// The whole run at x range 50 and the finest step. The grid of x values is kept between
// runs of the same range; "cold" alternates between ranges 50 and 49, so that every run
// builds its grid afresh, as the first run at a range does.
void BM_WholePlot(benchmark::State& state, int level, bool cold,
                  int workers = plot::WorkerPool::processors()) {
    platform::ImageSurface surface(plot::Plotter::defaultPictureSize(), 1.0);
    plot::Plotter plotter(workers);
    setUp(plotter, 50, level);
    std::int16_t& range = plotter.state().XRange;
    for (auto _ : state) {
        if (cold) range = range == 50 ? 49 : 50;
        plotter.plot(surface, "sin(x)");
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

// The same run as the window makes it: begun, then waited for up to 100 ms, then taken on
// in steps. (Its name is from the time the window kept every sample for "Save samples
// as..."; it now keeps none, and lists them again when they are saved.)
void BM_WholePlotKeepingSamples(benchmark::State& state) {
    using namespace std::chrono_literals;
    platform::ImageSurface surface(plot::Plotter::defaultPictureSize(), 1.0);
    plot::Plotter plotter;
    setUp(plotter, 50, 14);
    for (auto _ : state) {
        plotter.begin(surface, "sin(x)");
        if (!plotter.advance(100ms))
            while (!plotter.advance(25ms)) {
            }
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_WholePlotKeepingSamples)->Unit(benchmark::kMillisecond);

// The long text at the finest level over x range 1 (25,001 samples), on the calling thread
// alone (tracewell-plot --jobs 1) and on a worker per processor: how a long plot scales.
void BM_LongText(benchmark::State& state, int workers) {
    platform::ImageSurface surface(plot::Plotter::defaultPictureSize(), 1.0);
    plot::Plotter plotter(workers);
    setUp(plotter, 1, 14);
    for (auto _ : state) {
        plotter.plot(surface, longText());
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK_CAPTURE(BM_LongText, jobs1, 0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_LongText, every_processor, plot::WorkerPool::processors())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Arrow-clicking through x ranges 1..50 at level 8: fifty replots, each with a new grid.
void BM_RangeSweepLevel8(benchmark::State& state) {
    platform::ImageSurface surface(plot::Plotter::defaultPictureSize(), 1.0);
    plot::Plotter plotter;
    for (auto _ : state) {
        for (int range = 1; range <= 50; ++range) {
            setUp(plotter, range, 8);
            plotter.plot(surface, "sin(x)");
        }
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

BENCHMARK(BM_EngineBatch_sin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholePlot, level14_warm, 14, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholePlot, level14_cold, 14, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholePlot, level8_warm, 8, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholePlot, level8_cold, 8, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeSweepLevel8)->Unit(benchmark::kMillisecond);
// The finest plot on the calling thread alone, as tracewell-plot --jobs 1 makes it.
BENCHMARK_CAPTURE(BM_WholePlot, level14_jobs1, 14, false, 0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tracewell::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // text needs fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
