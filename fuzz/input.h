// Fixed-width values off the front of a fuzzer input; past the end every value is zero, so short
// inputs still make complete calls.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace talfuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    std::abort();
}
// Aborts with the failed condition, so that a finding names the broken check.
#define TALFUZZ_REQUIRE(cond) ((cond) ? void(0) : talfuzz::Fail(__FILE__, __LINE__, #cond))

struct Input {
    const uint8_t* data;
    size_t left;
    template <typename T>
    T Take() {
        T v{};
        const size_t n = left < sizeof(T) ? left : sizeof(T);
        std::memcpy(&v, data, n);
        data += n;
        left -= n;
        return v;
    }
};

}  // namespace talfuzz
