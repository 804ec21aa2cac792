#pragma once
// Runs compiled programs: one sample at a time, or a whole array of x values in blocks.

#include <functional>
#include <span>
#include <vector>

#include "cache_aligned.h"
#include "failure.h"
#include "program.h"

namespace tracewell::eval {

struct Frame;

struct Sample {
    double value = 0;  // finite whenever failure is None
    Failure failure = Failure::None;
};

class Evaluator {
public:
    // Called once for every sample that fails, from inside the evaluation. Takes no
    // arguments: the failure itself is in the result.
    using ErrorHandler = std::function<void()>;
    void setErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }

    Sample evaluate(const Program& program, double x);

    // values and failures must be at least as long as xs, and values must not overlap xs.
    // A failed sample's value is NaN.
    void evaluate(const Program& program, std::span<const double> xs, std::span<double> values,
                  std::span<Failure> failures);

private:
    // Runs every instruction over the frame's samples and, for each sample, the kind of the
    // first failure in program order, as one sample alone would meet it. Failed samples get
    // NaN. Returns whether any sample failed.
    bool runTracking(const Program& program, Frame& f, Failure* kinds);
    void reportFailure() const {
        if (onError_) onError_();
    }

    std::vector<double, CacheAligned<double>> regs_;
    // One block: the operand an instruction's result replaces.
    std::vector<double, CacheAligned<double>> kept_;
    ErrorHandler onError_;
};

}  // namespace tracewell::eval
