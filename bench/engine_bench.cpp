// The engine's batch evaluation over the 1,248,379 samples of the densest plot, beside
// muParser's bulk mode and the same formulas compiled as C++. Counters give ns per sample.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/bench_samples.h"
#include "bench/fused_loops.h"
#include "bench/operation_loops.h"
#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "eval/x_text.h"

extern "C" void omp_set_num_threads(int);

namespace tracewell::bench {
namespace {

struct Formula {
    const char* name;
    const char* ours;
    const char* muparser;
    double (*cpp)(double);
};

const Formula kFormulas[] = {
    {"E1", "sin(x)", "sin(x)", [](double x) { return std::sin(x); }},
    {"E2", "x^2+3*x-1", "x^2+3*x-1", [](double x) { return std::pow(x, 2) + 3 * x - 1; }},
    {"E3", "sqr(abs(x))*exp(-x*x/4)+log(abs(x)+1)", "sqrt(abs(x))*exp(-x*x/4)+ln(abs(x)+1)",
     [](double x) {
         return std::sqrt(std::fabs(x)) * std::exp(-x * x / 4) + std::log(std::fabs(x) + 1);
     }},
    {"E4", "(sin(x)+cos(2*x))/(1+x^2)-tan(x/3)*atn(x)",
     "(sin(x)+cos(2*x))/(1+x^2)-tan(x/3)*atan(x)",
     [](double x) {
         return (std::sin(x) + std::cos(2 * x)) / (1 + std::pow(x, 2)) -
                std::tan(x / 3) * std::atan(x);
     }},
    {"E5", "1+x*(2+x*(3+x*(4+x*(5+x*(6+x*7)))))", "1+x*(2+x*(3+x*(4+x*(5+x*(6+x*7)))))",
     [](double x) { return 1 + x * (2 + x * (3 + x * (4 + x * (5 + x * (6 + x * 7))))); }},
};

// Shown as seconds per sample ("2.1n" is 2.1 ns).
void perSample(benchmark::State& state, size_t n) {
    state.counters["per_sample"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// The engine's batch evaluation of text over the densest plot's samples.
void runEngine(benchmark::State& state, const std::string& text) {
    const auto& xs = densestXs();
    const eval::CompileResult r = eval::compile(text);
    Doubles values(xs.size());
    std::vector<eval::Failure> failures(xs.size());
    eval::Evaluator evaluator;
    for (auto _ : state) {
        evaluator.evaluate(r.program(), xs, values, failures);
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, xs.size());
}

void BM_MuParserBulk(benchmark::State& state, const Formula* f) {
    const auto& source = densestXs();
    Doubles xs(source);  // muParser reads the variable through a mutable pointer
    Doubles values(xs.size());
    mu::Parser parser;
    parser.DefineVar("x", xs.data());
    parser.SetExpr(f->muparser);
    for (auto _ : state) {
        parser.Eval(values.data(), static_cast<int>(xs.size()));
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, xs.size());
}

void BM_Cpp(benchmark::State& state, const Formula* f) {
    const auto& xs = densestXs();
    Doubles values(xs.size());
    for (auto _ : state) {
        for (size_t i = 0; i < xs.size(); ++i) values[i] = f->cpp(xs[i]);
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, xs.size());
}

void BM_FusedVector(benchmark::State& state, const Formula* f) {
    const auto& xs = densestXs();
    Doubles values(xs.size());
    const FusedLoop fused = kFusedLoops[f - kFormulas];
    for (auto _ : state) {
        fused(xs.data(), values.data(), xs.size());
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, xs.size());
}

void BM_OperationFused(benchmark::State& state, const OperationLoop* op) {
    const auto& xs = densestXs();
    Doubles values(xs.size());
    for (auto _ : state) {
        op->fused(xs.data(), values.data(), xs.size());
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, xs.size());
}

void BM_XValueFastPath(benchmark::State& state) {
    const auto& singles = densestSingles();
    Doubles values(singles.size());
    for (auto _ : state) {
        eval::xValues(singles, values);
        benchmark::DoNotOptimize(values.data());
    }
    perSample(state, singles.size());
}

// Long texts that fail on the left half of the range (log(x) at x <= 0), beside the same
// texts without the failing term: failed samples should cost about what values cost.
// "sums" adds x times a constant, the cheapest work an instruction does; "mixed" also calls
// the vector math.
std::string longText(const char* name) {
    std::string text;
    for (int k = 1; k <= 500; ++k) {
        const std::string c = std::to_string(k);
        text += std::string(name) == "sums" ? "+x*" + c : "+sin(x*" + c + ")/" + c + "+x^2/" + c;
    }
    return text.substr(1);
}

// The longest text the language takes, "x+x+...+x": 16,384 terms.
std::string longestSum() {
    std::string text = "x";
    while (text.size() + 2 <= static_cast<std::size_t>(eval::kMaxTextLength)) text += "+x";
    return text;
}

// Compiling once, optimiser and linking included: a long text is compiled at every plot.
void BM_Compile(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        eval::CompileResult r = eval::compile(text);
        benchmark::DoNotOptimize(r);
    }
}

void BM_Tracewell(benchmark::State& state, const Formula* f) { runEngine(state, f->ours); }

void BM_Operation(benchmark::State& state, const OperationLoop* op) { runEngine(state, op->text); }

void BM_LongText(benchmark::State& state, const char* name, bool failing) {
    runEngine(state, longText(name) + (failing ? "+log(x)" : ""));
}

int registerAll() {
    for (const Formula& f : kFormulas) {
        benchmark::RegisterBenchmark((std::string(f.name) + "/tracewell").c_str(), BM_Tracewell, &f)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string(f.name) + "/muparser_bulk").c_str(),
                                     BM_MuParserBulk, &f)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string(f.name) + "/cpp").c_str(), BM_Cpp, &f)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string(f.name) + "/fused_vector").c_str(),
                                     BM_FusedVector, &f)
            ->Unit(benchmark::kMillisecond);
    }
    // Each operation alone over the samples, beside the fused loop of the same operation.
    for (const OperationLoop& op : operationLoops()) {
        const std::string label = std::string("op/") + op.text;
        benchmark::RegisterBenchmark((label + "/tracewell").c_str(), BM_Operation, &op)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((label + "/fused_vector").c_str(), BM_OperationFused, &op)
            ->Unit(benchmark::kMillisecond);
    }
    for (const char* name : {"sums", "mixed"}) {
        for (const bool failing : {false, true}) {
            const std::string label =
                std::string("long_") + name + (failing ? "/half_failing" : "/no_failure");
            benchmark::RegisterBenchmark(label.c_str(), BM_LongText, name, failing)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("compile/long_mixed", BM_Compile, longText("mixed"))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("compile/longest_sum", BM_Compile, longestSum())
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("x_value_fast_path", BM_XValueFastPath)
        ->Unit(benchmark::kMillisecond);
    return 0;
}

}  // namespace
}  // namespace tracewell::bench

int main(int argc, char** argv) {
    // muParser's bulk mode spreads over all cores; the comparison is per core.
    omp_set_num_threads(1);
    tracewell::bench::registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
