// Reads fixed-width values off the front of a fuzzer input; past the end every value is zero, so
// short inputs still make complete calls.
#pragma once

#include <cstddef>
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

class Input {
public:
    Input(const uint8_t* data, size_t size) : fData(data), fLeft(size) {}

    template <typename T>
    T Take() {
        T v{};
        const size_t n = fLeft < sizeof(T) ? fLeft : sizeof(T);
        std::memcpy(&v, fData, n);
        fData += n;
        fLeft -= n;
        return v;
    }

    size_t Left() const { return fLeft; }

private:
    const uint8_t* fData;
    size_t fLeft;
};

}  // namespace talfuzz
