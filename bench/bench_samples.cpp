#include "bench_samples.h"

#include "eval/x_text.h"

namespace tracewell::bench {

const std::vector<float>& densestSingles() {
    static const std::vector<float> xs = [] {
        std::vector<float> v;
        const float bound = kWidestRange;
        for (float x = -bound; x <= bound; x = x + kFinestStep) v.push_back(x);
        return v;
    }();
    return xs;
}

const Doubles& densestXs() {
    static const Doubles xs = [] {
        Doubles v;
        for (float x : densestSingles()) v.push_back(eval::xValue(x));
        return v;
    }();
    return xs;
}

}  // namespace tracewell::bench
