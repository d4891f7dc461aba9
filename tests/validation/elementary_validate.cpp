// Long validation of the elementary functions, outside the test suite: 10^7 inputs per function
// (the tests' random mix) against MPFR, with the glibc misroundings and the slow-path rate.
// Usage: tal_elementary_validate [count per function] [seed]
#include <cstdio>
#include <cstdlib>
#include <random>

#include "elementary/elementary_internal.h"
#include "support/elementary_oracle.h"

int main(int argc, char** argv) {
    using namespace taltest;
    const long count = argc > 1 ? std::atol(argv[1]) : 10000000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261206;
    const Fn all[] = {Fn::kSin, Fn::kCos, Fn::kTan, Fn::kAsin, Fn::kAcos, Fn::kAtan, Fn::kAtan2};
    int failures = 0;
    for (Fn f : all) {
        std::mt19937_64 rng(seed);
        long misrounded = 0, glibcDiffers = 0;
        const unsigned long long slowBefore = Talp_ElementarySlowPaths();
        for (long i = 0; i < count; ++i) {
            const double y = RandomInput(f, rng, int(i));
            const double x = f == Fn::kAtan2 ? RandomInput(f, rng, int(rng() % 4)) : 1.0;
            const double expected = Reference(f, y, x);
            const double got = Ours(f, y, x);
            if (!SameResult(got, expected) && ++misrounded <= 10)
                std::printf("MISROUNDED %s: expected %s, got %s\n", Call(f, y, x).c_str(),
                            Hex(expected).c_str(), Hex(got).c_str());
            const double libm = Glibc(f, y, x);
            if (!SameResult(libm, got)) {
                ++glibcDiffers;
                std::printf("  glibc %s = %s, correctly rounded %s%s\n", Call(f, y, x).c_str(),
                            Hex(libm).c_str(), Hex(expected).c_str(),
                            SameResult(libm, expected) ? "  (GLIBC RIGHT)" : "");
            }
        }
        const unsigned long long slow = Talp_ElementarySlowPaths() - slowBefore;
        std::printf(
            "%-5s %ld inputs: misrounded %ld, differ from glibc %ld, slow path %llu (%.2e)\n",
            kNames[int(f)], count, misrounded, glibcDiffers, slow, double(slow) / double(count));
        std::fflush(stdout);
        failures += misrounded != 0;
    }
    return failures == 0 ? 0 : 1;
}
