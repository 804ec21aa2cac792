// The samples of a plot of sin(x) as a plain C++ loop, for the fresh-process comparison of
// bench/fresh_process.py: x from -range by the step in single precision while x <= range,
// sin of each summed so that nothing is left out. Built as the project's release code (-O2).
#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: formula_loop RANGE STEP\n");
        return 2;
    }
    const float range = std::strtof(argv[1], nullptr), step = std::strtof(argv[2], nullptr);
    double sum = 0;
    long n = 0;
    for (float x = -range; x <= range; x = x + step, ++n) sum += std::sin(static_cast<double>(x));
    std::printf("%ld samples, sum %.17g\n", n, sum);
    return 0;
}
