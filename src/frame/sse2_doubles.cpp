// The same inputs give the same bits on every target only when each double operation rounds once,
// to double. The x87 stack keeps 64-bit significands between operations and rounds twice, so a
// 32-bit x86 build must put doubles on SSE2. The configure step compiles this file as its check.
#include <limits>

#if (defined(__i386__) || defined(_M_IX86)) && !defined(__SSE2_MATH__) && \
    !(defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#error "32-bit x86 needs doubles on SSE2: compile with -msse2 -mfpmath=sse (or /arch:SSE2)"
#endif

static_assert(std::numeric_limits<double>::is_iec559, "doubles must be IEEE 754 binary64");
