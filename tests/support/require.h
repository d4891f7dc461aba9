// A fuzz target's check: a failure aborts naming the condition that broke.
#pragma once

#include <cstdio>
#include <cstdlib>

#define REQUIRE(cond)                                \
    if (!(cond)) {                                   \
        std::fprintf(stderr, "broken: %s\n", #cond); \
        std::abort();                                \
    }
